// The stage frame shared by the eight stage scenes.
#include "stages/stage_frame.h"

#include "el/draw/elDraw.h"
#include "el/sound/elSound.h"
#include "el/system/elSystem.h"
#include "player/powerup.h"
#include "player/ship.h"
#include "player/shots.h"
#include "shell/game_state.h"
#include "shell/scene.h"
#include "stages/stage_background.h"

const StageParams StageTable[8] = {
    // scene         rate  music             entry  count  clear  bombs next          band
    {SceneStage1, 20.0f, "MIDI/BGM1.MID",  false, true,  true,  5, SceneStage2, 30},
    {SceneStage2, 18.0f, "MIDI/BGM2.MID",  false, true,  false, 5, SceneStage4, 60},
    {SceneStage3, 20.0f, "MIDI/GTCB3.MID", true,  false, false, 5, SceneStage4, 30},
    {SceneStage4, 16.0f, "MIDI/BGM3.MID",  false, true,  false, 5, SceneStage5, 30},
    {SceneStage5, 14.0f, "MIDI/BGM4.MID",  false, true,  false, 5, SceneStage7, 30},
    {SceneStage6, 13.0f, "MIDI/QZ5.MID",   true,  false, false, 5, SceneStage7, 30},
    {SceneStage7, 20.0f, "MIDI/BGM5.MID",  false, true,  false, 3, SceneEnding, 30},
    {SceneStage8, 20.0f, nullptr,          false, false, false, 5, SceneEnding, 60},
};

namespace {

// The paused frame: only the continue key, while its prompt is up.
void PausedFrame(const StageParams& stage) {
  if (ContinuePrompt == 1 && PauseFlag == 1 && LastKey == 'Y') {
    PauseFlag = 0;
    ContinuePrompt = 0;
    BombStock = stage.continue_bombs;
    Lives = 111;
    Score = 0;
    RespawnFlag = 1;
    PlayerAlive = 1;
  }
}

}  // namespace

void RunStageFrame(const StageParams& stage) {
  if (SceneEntered == 1) {
    if (stage.entry_clears_pause) {
      PauseFlag = 0;
      ContinuePrompt = 0;
      CountdownActive = 0;
    }
    if (stage.music_on_entry && stage.music != nullptr) elSound::PlayMidi(stage.music, 1);
  }
  if (PauseFlag != 0) {
    PausedFrame(stage);
    return;
  }
  if (stage.counts_frames) {
    SceneFrame += 1;
    if (SceneFrame == 1 && stage.music != nullptr) elSound::PlayMidi(stage.music, 1);
    if (SceneFrame >= SceneFrameWrap) SceneFrame = 0;
  }
  elDraw::ClearScreen();
  ScrollPos += FrameTime * stage.scroll_rate;

  // Before the present: background and starfield, bomb, boss block, shots,
  // kinds, power-up, ship, bullet families, sight, then the HUD.
  DrawStageBackground(stage.scene - 1);
  PlayerShotsDraw();
  Spower1Update();
  Spower1Move();
  PlayerUpdate();
  DrawHud();
  elDraw::SetVSync(1);
  elDraw::Flip();

  // After the present: ship movement, bomb, ray salvo, hit passes and the
  // homing weapons, then last the continue countdown.
  PlayerMove();
  if (BombSalvoActive == 1 && stage.scene != SceneStage3) ShipRaySchedule();
  // The shots fly here; the shot hit pass moves and tests them in this place.
  PlayerShotsMove();
  UpdateContinueCountdown();
}
