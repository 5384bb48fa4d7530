// Stage 3: its scene function over the shared stage frame.
#include "shell/scenes.h"
#include "stages/stage_frame.h"

void Stage3Scene() { RunStageFrame(StageTable[2]); }
