// Stage 4's boss block over the shared stage frame (Stage4Scene is with the
// other scenes in shell/scenes.h).
#pragma once

#include "stages/stage_frame.h"

// The stage-4 boss block: window 1470 < ScrollPos < 11100, attack while
// 0 < HP < 780 on a cycle of 1920 ticks, time-out from 11000.
extern const BossRow Stage4Boss;
