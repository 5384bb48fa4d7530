// Stage 8: its row over the shared stage frame, with its boss block.
#include "shell/background.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage8/boss8_body.h"
#include "stages/stage_frame.h"

namespace {

// The boss block: the time-out ends the stage through the defeat.
constexpr BossRow Stage8Boss{
    .state = &Boss8State,
    .defeat = Boss8Defeat,
    .window_lo = 1800.0f,
    .window_hi = 11100.0f,
    .attack_below = 1200.0f,
    .cycle = {1220, 1220, 1220, 1220},
    .timeout_lo = 11000.0f,
    .timeout_hi = 11100.0f,
};

constexpr StageRow Stage8Row{
    .scene = SceneStage8,
    .scroll_rate = 20.0f,
    .background = {.layers = {Background38Draw}, .off_range = 300, .off_base = 300},
    .boss = &Stage8Boss,
    .places_sight = false,
};

}  // namespace

void Stage8Scene() { RunStageFrame(Stage8Row); }
