// Stage 8: its row over the shared stage frame.
#include "shell/background.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage_frame.h"

namespace {

constexpr StageRow Stage8Row{
    .scene = SceneStage8,
    .scroll_rate = 20.0f,
    .background = {.layers = {Background38Draw}, .off_range = 300, .off_base = 300},
    .places_sight = false,
};

}  // namespace

void Stage8Scene() { RunStageFrame(Stage8Row); }
