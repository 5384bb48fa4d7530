// Stage 6: its row over the shared stage frame.
#include "shell/background.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage_frame.h"

namespace {

constexpr StageRow Stage6Row{
    .scene = SceneStage6,
    .scroll_rate = 13.0f,
    .music = "MIDI/QZ5.MID",
    .music_on_entry = true,
    .background = {.layers = {Background6Draw}, .off_range = 180, .off_base = 180},
};

}  // namespace

void Stage6Scene() { RunStageFrame(Stage6Row); }
