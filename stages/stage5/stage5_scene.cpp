// Stage 5: its scene function over the shared stage frame.
#include "shell/scenes.h"
#include "stages/stage_frame.h"

void Stage5Scene() { RunStageFrame(StageTable[4]); }
