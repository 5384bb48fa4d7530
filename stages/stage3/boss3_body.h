// The stage-3 boss's functions.  (Boss3Hit is with its storage.)
#pragma once

#include "stages/common/boss_defeat.h"
#include "stages/stage3/boss3_tables.h"

// One call of the defeat sequence; nothing while the hit points are above 0.
void Boss3Defeat();

extern const DefeatRow Boss3DefeatRow;
