// Stage 2's boss block: the stage-2 boss with its attack list.
#pragma once
#include "stages/stage_frame.h"

extern const BossRow Stage2Boss;
