// The stage-6 boss's functions.  (Boss6Hit is with its storage.)
#pragma once

#include "stages/common/boss_defeat.h"
#include "stages/stage6/boss6_tables.h"

// One call of the defeat sequence; nothing while the hit points are above 0.
void Boss6Defeat();

extern const DefeatRow Boss6DefeatRow;
