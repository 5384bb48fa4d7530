// Stage 4: its scene function over the shared stage frame.
#include "shell/scenes.h"
#include "stages/stage_frame.h"

void Stage4Scene() { RunStageFrame(StageTable[3]); }
