// The stage-2 boss's defeat.
#include "stages/stage2/boss2_body.h"

#include "shell/scene.h"

constexpr DefeatRow Boss2DefeatRow{&Boss2State, Boss2BigExplosions, Boss2SmallExplosions,
                                   500, 350, 350, 60, SceneStage4};

void Boss2Defeat() { RunDefeat(Boss2DefeatRow); }
