// Stage 2: its row over the shared stage frame.
#include "player/homing_missiles.h"
#include "shell/background.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage_frame.h"

namespace {

// The missiles aimed at the stage-2 boss are drawn before the ship.
constexpr ScriptItem Stage2BossMissileDraws[] = {HomingMissileBoss2ADraw,
                                                 HomingMissileBoss2BDraw};
static_assert(ValidScrollScript(Stage2BossMissileDraws));

constexpr StageRow Stage2Row{
    .scene = SceneStage2,
    .scroll_rate = 18.0f,
    .music = "MIDI/BGM2.MID",
    .counts_frames = true,
    .background = {.range = 130, .base = 130, .starfield_first = true, .layers = {Bback2sDraw},
                   .off_range = 150, .off_base = 150},
    .before_ship = Stage2BossMissileDraws,
    .homing_lasers = true,
    .auto_fire_block = false,
};

}  // namespace

void Stage2Scene() { RunStageFrame(Stage2Row); }
