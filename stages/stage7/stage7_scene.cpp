// Stage 7: its row over the shared stage frame.
#include "shell/background.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage_frame.h"

namespace {

constexpr StageRow Stage7Row{
    .scene = SceneStage7,
    .scroll_rate = 20.0f,
    .music = "MIDI/BGM5.MID",
    .counts_frames = true,
    .continue_bombs = 3,
    .background = {.layers = {Bback6sDraw}, .off_range = 200, .off_base = 200},
};

}  // namespace

void Stage7Scene() { RunStageFrame(Stage7Row); }
