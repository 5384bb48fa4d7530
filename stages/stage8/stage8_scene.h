// Stage 8's boss block over the shared stage frame (Stage8Scene is with the
// other scenes in shell/scenes.h).
#pragma once

#include "stages/stage_frame.h"

// The stage-8 boss block: window 1800 < ScrollPos < 11100, attack while
// 0 < HP < 1200 on a cycle of 1220 ticks at every level, time-out from 11000.
extern const BossRow Stage8Boss;
