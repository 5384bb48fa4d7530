// The stage-2 boss's functions.  (Boss2Hit is with its storage.)
#pragma once

#include "stages/common/boss_defeat.h"
#include "stages/stage2/boss2_tables.h"

// One call of the defeat sequence; nothing while the hit points are above 0.
void Boss2Defeat();

extern const DefeatRow Boss2DefeatRow;
