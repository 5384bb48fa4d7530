// Stage 4: its row over the shared stage frame.
#include "shell/background.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage_frame.h"

namespace {

constexpr StageRow Stage4Row{
    .scene = SceneStage4,
    .scroll_rate = 16.0f,
    .music = "MIDI/BGM3.MID",
    .counts_frames = true,
    .background = {.range = 200, .base = 150, .layers = {Bback6sDraw}, .off_range = 200,
                   .off_base = 150},
    .homing_lasers = true,
};

}  // namespace

void Stage4Scene() { RunStageFrame(Stage4Row); }
