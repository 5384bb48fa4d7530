// Stage 5: its row over the shared stage frame, with its boss block.
#include "shell/background.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage5/boss5_body.h"
#include "stages/stage_frame.h"

namespace {

// The boss block: the time-out ends the stage through the defeat.
constexpr BossRow Stage5Boss{
    .state = &Boss5State,
    .defeat = Boss5Defeat,
    .window_lo = 1300.0f,
    .window_hi = 11100.0f,
    .attack_below = 980.0f,
    .cycle = {1770, 1770, 1770, 1770},
    .timeout_lo = 11000.0f,
    .timeout_hi = 11100.0f,
};

constexpr StageRow Stage5Row{
    .scene = SceneStage5,
    .scroll_rate = 14.0f,
    .music = "MIDI/BGM4.MID",
    .counts_frames = true,
    .background = {.layers = {Bback3sDraw, Bback1sDraw}, .off_range = 220, .off_base = 200},
    .boss = &Stage5Boss,
    .homing_lasers = true,
};

}  // namespace

void Stage5Scene() { RunStageFrame(Stage5Row); }
