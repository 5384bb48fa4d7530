// Stage 6: its scene function over the shared stage frame.
#include "shell/scenes.h"
#include "stages/stage_frame.h"

void Stage6Scene() { RunStageFrame(StageTable[5]); }
