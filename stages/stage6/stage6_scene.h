// Stage 6's boss block over the shared stage frame (Stage6Scene is with the
// other scenes in shell/scenes.h).
#pragma once

#include "stages/stage_frame.h"

// The stage-6 boss block: window 1250 < ScrollPos < 11100, attack while
// 0 < HP < 1380 on a cycle of 1610 ticks, time-out from 11000.
extern const BossRow Stage6Boss;
