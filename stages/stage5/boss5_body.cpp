// The stage-5 boss's defeat.
#include "stages/stage5/boss5_body.h"

#include "shell/scene.h"

constexpr DefeatRow Boss5DefeatRow{&Boss5State, Boss5BigExplosions, Boss5SmallExplosions,
                                   380, 320, 320, 30, SceneStage7};

void Boss5Defeat() { RunDefeat(Boss5DefeatRow); }
