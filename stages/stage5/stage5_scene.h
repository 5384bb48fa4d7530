// Stage 5's boss block over the shared stage frame (Stage5Scene is with the
// other scenes in shell/scenes.h).
#pragma once

#include "stages/stage_frame.h"

// The stage-5 boss block: window 1300 < ScrollPos < 11100, attack while
// 0 < HP < 980 on a cycle of 1770 ticks, time-out from 11000.
extern const BossRow Stage5Boss;
