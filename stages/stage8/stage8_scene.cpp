// Stage 8: its scene function over the shared stage frame.
#include "shell/scenes.h"
#include "stages/stage_frame.h"

void Stage8Scene() { RunStageFrame(StageTable[7]); }
