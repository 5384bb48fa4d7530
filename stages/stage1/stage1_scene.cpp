// Stage 1: its row over the shared stage frame, with the stage-1 boss.
#include "shell/background.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage1/boss1_body.h"
#include "stages/stage_frame.h"

namespace {

constexpr BossRow Stage1Boss{
    .state = &Boss1State,
    .move = Boss1Move,
    .draw = Boss1Draw,
    .defeat = Boss1Defeat,
    .window_lo = 1100.0f,
    .window_hi = 10100.0f,
    .attack_below = 1010.0f,
    .cycle = {4300, 4300, 4300, 4300},
    .timeout_lo = 10000.0f,
    .timeout_hi = 10100.0f,
};

constexpr StageRow Stage1Row{
    .scene = SceneStage1,
    .scroll_rate = 20.0f,
    .music = "MIDI/BGM1.MID",
    .counts_frames = true,
    .entry_clears_pause = true,
    .background = {.range = 80, .base = 80, .starfield_first = true, .layers = {Bback1sDraw},
                   .off_range = 80, .off_base = 80},
    .boss = &Stage1Boss,
    .power_up_windows = {100, 300, 500, 800, 950},
    .bomb_needs_laser_idle = true,
};

}  // namespace

void Stage1Scene() { RunStageFrame(Stage1Row); }
