// Stage 3's boss block (the stage scene itself is Stage3Scene): Boss3's
// flight, draw and defeat, the window, the attack list on its tick with the
// 1100-tick cycle, and the time-out.
#pragma once
#include "stages/stage_frame.h"

extern const BossRow Stage3Boss;
