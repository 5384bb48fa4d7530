// The stage-8 boss's functions.  (Boss8Hit is with its storage.)
#pragma once

#include "stages/common/boss_defeat.h"
#include "stages/stage8/boss8_tables.h"

// One call of the defeat sequence; nothing while the hit points are above 0.
void Boss8Defeat();

extern const DefeatRow Boss8DefeatRow;
