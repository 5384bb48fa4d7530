// Stage 7's boss block over the shared stage frame (Stage7Scene is with the
// other scenes in shell/scenes.h).
#pragma once

#include "stages/stage_frame.h"

// The stage-7 boss block: window 1260 < ScrollPos < 11100, attack while
// 0 < HP < 1480 on a cycle of 3000 ticks at level 1 and 4390 at levels 2
// and 3 (none before a game), time-out from 11000.
extern const BossRow Stage7Boss;
