// Stage 7: its scene function over the shared stage frame.
#include "shell/scenes.h"
#include "stages/stage_frame.h"

void Stage7Scene() { RunStageFrame(StageTable[6]); }
