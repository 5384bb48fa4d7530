// The stage-8 boss's defeat.
#include "stages/stage8/boss8_body.h"

#include "shell/scene.h"

constexpr DefeatRow Boss8DefeatRow{&Boss8State, Boss8BigExplosions, Boss8SmallExplosions,
                                   480, 320, 320, 60, SceneEnding};

void Boss8Defeat() { RunDefeat(Boss8DefeatRow); }
