// The stage-7 boss's defeat.
#include "stages/stage7/boss7_body.h"

#include "shell/scene.h"

constexpr DefeatRow Boss7DefeatRow{&Boss7State, Boss7BigExplosions, Boss7SmallExplosions,
                                   460, 320, 320, 30, SceneEnding};

void Boss7Defeat() { RunDefeat(Boss7DefeatRow); }
