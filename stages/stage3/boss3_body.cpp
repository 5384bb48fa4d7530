// The stage-3 boss's defeat.
#include "stages/stage3/boss3_body.h"

#include "shell/scene.h"

constexpr DefeatRow Boss3DefeatRow{&Boss3State, Boss3BigExplosions, Boss3SmallExplosions,
                                   440, 280, 280, 30, SceneStage4};

void Boss3Defeat() { RunDefeat(Boss3DefeatRow); }
