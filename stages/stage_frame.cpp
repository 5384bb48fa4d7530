// The stage frame shared by the eight stage scenes.
#include "stages/stage_frame.h"

#include "el/draw/elDraw.h"
#include "el/sound/elSound.h"
#include "el/system/elSystem.h"
#include "player/bomb.h"
#include "player/death.h"
#include "player/hit_pass.h"
#include "player/homing_missiles.h"
#include "player/homing_weapons.h"
#include "player/lockon.h"
#include "player/powerup.h"
#include "player/ship.h"
#include "player/shots.h"
#include "shell/background.h"
#include "shell/game_state.h"
#include "shell/scene.h"
#include "stages/stage_background.h"

const StageParams StageTable[8] = {
    // scene         rate  music             entry  count  clear  bombs next          band  homing lasers
    {SceneStage1, 20.0f, "MIDI/BGM1.MID",  false, true,  true,  5, SceneStage2, 30, false},
    {SceneStage2, 18.0f, "MIDI/BGM2.MID",  false, true,  false, 5, SceneStage4, 60, true},
    {SceneStage3, 20.0f, "MIDI/GTCB3.MID", true,  false, false, 5, SceneStage4, 30, false},
    {SceneStage4, 16.0f, "MIDI/BGM3.MID",  false, true,  false, 5, SceneStage5, 30, true},
    {SceneStage5, 14.0f, "MIDI/BGM4.MID",  false, true,  false, 5, SceneStage7, 30, true},
    {SceneStage6, 13.0f, "MIDI/QZ5.MID",   true,  false, false, 5, SceneStage7, 30, false},
    {SceneStage7, 20.0f, "MIDI/BGM5.MID",  false, true,  false, 3, SceneEnding, 30, false},
    {SceneStage8, 20.0f, nullptr,          false, false, false, 5, SceneEnding, 60, false},
};

namespace {

// The scroll windows (bounds inclusive) in which a stage releases the
// power-up item: the same five in every stage but stage 1, whose last one
// comes 50 earlier.
struct PowerUpWindow {
  float low, high;
};
constexpr int32_t kPowerUpWindowCount = 5;
constexpr PowerUpWindow kPowerUpWindows[kPowerUpWindowCount] = {
    {100, 150}, {300, 350}, {500, 550}, {800, 850}, {1000, 1050}};
constexpr PowerUpWindow kStageOnePowerUpWindows[kPowerUpWindowCount] = {
    {100, 150}, {300, 350}, {500, 550}, {800, 850}, {950, 1000}};

// The power-up item's frame: draw (or hand out a pick-up), fall, then a
// release in each window that holds.  Stage 3 moves the item before it
// draws it.
void PowerUpFrame(const StageParams& stage) {
  if (stage.scene == SceneStage3) {
    Spower1Move();
    Spower1Update();
  } else {
    Spower1Update();
    Spower1Move();
  }
  const PowerUpWindow* windows =
      stage.scene == SceneStage1 ? kStageOnePowerUpWindows : kPowerUpWindows;
  for (int32_t i = 0; i < kPowerUpWindowCount; ++i) {
    if (windows[i].low <= ScrollPos && ScrollPos <= windows[i].high) Spower1Spawn();
  }
}

// The automatic-fire block (stages 2 and 3 have none): the laser of the ship
// type and every homing launch, without keys.
void AutoFireBlock(const StageParams& stage) {
  if (AutoFire != 1) return;
  if (stage.scene == SceneStage2 || stage.scene == SceneStage3) return;
  if (ShipType == 1) PlayerLaserASchedule();
  if (ShipType == 2) PlayerLaserBSchedule();
  HomingAutoFire();
}

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

  // Before the present: background and starfield, bomb, shots, power-up,
  // ship, sight, then the HUD (and stage 3's side panels).  A stage script's
  // boss block goes after the bomb, its kinds after the shots and its bullet
  // families after the ship.
  DrawStageBackground(stage.scene - 1);
  BombDraw();
  PlayerShotsDraw();
  PowerUpFrame(stage);
  if (stage.scene == SceneStage2) {
    HomingMissileBoss2ADraw();
    HomingMissileBoss2BDraw();
  }
  PlayerUpdate();
  if (stage.scene != SceneStage8) SightPlace();
  DrawHud();
  GameOverBannerDraw();
  ContinueCheck();
  if (stage.scene == SceneStage3) SidePanelsDraw();
  elDraw::SetVSync(1);
  elDraw::Flip();

  // After the present: ship movement, bomb, ray salvo, hit passes, the
  // homing weapons and the automatic-fire block, then last the continue
  // countdown.
  PlayerMove();
  if (BombWave == 1 && (stage.scene != SceneStage1 || LaserAReady == 0)) BombSchedule();
  BombPass();
  if (BombSalvoActive == 1 && stage.scene != SceneStage3) ShipRaySchedule();
  CheckShotHits();
  if (stage.homing_lasers && GameLevel == 3) HomingLaserSchedules();
  HomingWeaponsMove(stage.scene - 1);
  AutoFireBlock(stage);
  UpdateContinueCountdown();
}
