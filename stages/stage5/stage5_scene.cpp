// Stage 5: its row over the shared stage frame.
#include "shell/background.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage_frame.h"

namespace {

constexpr StageRow Stage5Row{
    .scene = SceneStage5,
    .scroll_rate = 14.0f,
    .music = "MIDI/BGM4.MID",
    .counts_frames = true,
    .background = {.layers = {Bback3sDraw, Bback1sDraw}, .off_range = 220, .off_base = 200},
    .homing_lasers = true,
};

}  // namespace

void Stage5Scene() { RunStageFrame(Stage5Row); }
