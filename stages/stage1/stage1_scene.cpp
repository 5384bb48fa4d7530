// Stage 1: its scene function over the shared stage frame.
#include "shell/scenes.h"
#include "stages/stage_frame.h"

void Stage1Scene() { RunStageFrame(StageTable[0]); }
