// The stage-7 boss's functions.  (Boss7Hit is with its storage.)
#pragma once

#include "stages/common/boss_defeat.h"
#include "stages/stage7/boss7_tables.h"

// One call of the defeat sequence; nothing while the hit points are above 0.
void Boss7Defeat();

extern const DefeatRow Boss7DefeatRow;
