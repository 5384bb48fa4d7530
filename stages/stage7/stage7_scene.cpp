// Stage 7: its row over the shared stage frame, with its boss block.
#include "shell/background.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage7/boss7_body.h"
#include "stages/stage_frame.h"

namespace {

// The boss block: the time-out ends the stage through the defeat.
constexpr BossRow Stage7Boss{
    .state = &Boss7State,
    .defeat = Boss7Defeat,
    .window_lo = 1260.0f,
    .window_hi = 11100.0f,
    .attack_below = 1480.0f,
    .cycle = {NoSetBack, 3000, 4390, 4390},
    .timeout_lo = 11000.0f,
    .timeout_hi = 11100.0f,
};

constexpr StageRow Stage7Row{
    .scene = SceneStage7,
    .scroll_rate = 20.0f,
    .music = "MIDI/BGM5.MID",
    .counts_frames = true,
    .continue_bombs = 3,
    .background = {.layers = {Bback6sDraw}, .off_range = 200, .off_base = 200},
    .boss = &Stage7Boss,
};

}  // namespace

void Stage7Scene() { RunStageFrame(Stage7Row); }
