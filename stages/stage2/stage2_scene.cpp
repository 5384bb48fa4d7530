// Stage 2: its scene function over the shared stage frame.
#include "shell/scenes.h"
#include "stages/stage_frame.h"

void Stage2Scene() { RunStageFrame(StageTable[1]); }
