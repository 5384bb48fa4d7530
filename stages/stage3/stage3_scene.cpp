// Stage 3: its row over the shared stage frame.
#include "shell/background.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage_frame.h"

namespace {

constexpr StageRow Stage3Row{
    .scene = SceneStage3,
    .scroll_rate = 20.0f,
    .music = "MIDI/GTCB3.MID",
    .music_on_entry = true,
    .background = {.range = 100, .base = 100, .layers = {Background38Draw}, .off_range = 120,
                   .off_base = 120},
    .power_up_moves_first = true,
    .side_panels = true,
    .ray_salvo = false,
    .auto_fire_block = false,
};

}  // namespace

void Stage3Scene() { RunStageFrame(Stage3Row); }
