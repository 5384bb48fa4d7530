// The stage-5 boss's functions.  (Boss5Hit is with its storage.)
#pragma once

#include "stages/common/boss_defeat.h"
#include "stages/stage5/boss5_tables.h"

// One call of the defeat sequence; nothing while the hit points are above 0.
void Boss5Defeat();

extern const DefeatRow Boss5DefeatRow;
