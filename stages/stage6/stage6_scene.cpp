// Stage 6: its row over the shared stage frame, with its boss block.
#include "shell/background.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage6/boss6_body.h"
#include "stages/stage_frame.h"

namespace {

// The boss block: the time-out ends the stage through the defeat.
constexpr BossRow Stage6Boss{
    .state = &Boss6State,
    .defeat = Boss6Defeat,
    .window_lo = 1250.0f,
    .window_hi = 11100.0f,
    .attack_below = 1380.0f,
    .cycle = {1610, 1610, 1610, 1610},
    .timeout_lo = 11000.0f,
    .timeout_hi = 11100.0f,
};

constexpr StageRow Stage6Row{
    .scene = SceneStage6,
    .scroll_rate = 13.0f,
    .music = "MIDI/QZ5.MID",
    .music_on_entry = true,
    .background = {.layers = {Background6Draw}, .off_range = 180, .off_base = 180},
    .boss = &Stage6Boss,
};

}  // namespace

void Stage6Scene() { RunStageFrame(Stage6Row); }
