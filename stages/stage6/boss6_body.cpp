// The stage-6 boss's defeat.
#include "stages/stage6/boss6_body.h"

#include "shell/scene.h"

constexpr DefeatRow Boss6DefeatRow{&Boss6State, Boss6BigExplosions, Boss6SmallExplosions,
                                   460, 330, 330, 30, SceneStage7};

void Boss6Defeat() { RunDefeat(Boss6DefeatRow); }
