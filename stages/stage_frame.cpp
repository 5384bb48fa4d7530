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
    // scene        rate   music             entry  count  clear  bombs next         band  homing
    //   last window, moves first, boss2 draws, sight, panels, bomb waits, salvo, auto-fire
    {SceneStage1, 20.0f, "MIDI/BGM1.MID",  false, true,  true,  5, SceneStage2, 30, false,
     950, false, false, true, false, true, true, true},
    {SceneStage2, 18.0f, "MIDI/BGM2.MID",  false, true,  false, 5, SceneStage4, 60, true,
     1000, false, true, true, false, false, true, false},
    {SceneStage3, 20.0f, "MIDI/GTCB3.MID", true,  false, false, 5, SceneStage4, 30, false,
     1000, true, false, true, true, false, false, false},
    {SceneStage4, 16.0f, "MIDI/BGM3.MID",  false, true,  false, 5, SceneStage5, 30, true,
     1000, false, false, true, false, false, true, true},
    {SceneStage5, 14.0f, "MIDI/BGM4.MID",  false, true,  false, 5, SceneStage7, 30, true,
     1000, false, false, true, false, false, true, true},
    {SceneStage6, 13.0f, "MIDI/QZ5.MID",   true,  false, false, 5, SceneStage7, 30, false,
     1000, false, false, true, false, false, true, true},
    {SceneStage7, 20.0f, "MIDI/BGM5.MID",  false, true,  false, 3, SceneEnding, 30, false,
     1000, false, false, true, false, false, true, true},
    {SceneStage8, 20.0f, nullptr,          false, false, false, 5, SceneEnding, 60, false,
     1000, false, false, false, false, false, true, true},
};

void (*StageFrameHook)() = nullptr;

namespace {

// The power-up item's frame: draw (or hand out a pick-up) and fall (one
// stage lets it fall first), then a release while the scroll position lies
// in one of the stage's windows (bounds inclusive, 50 long; only the last
// one differs between stages).
void PowerUpFrame(const StageParams& stage) {
  if (stage.power_up_moves_first) Spower1Move();
  Spower1Update();
  if (!stage.power_up_moves_first) Spower1Move();
  constexpr float kWindowStarts[] = {100, 300, 500, 800};
  for (float start : kWindowStarts) {
    if (start <= ScrollPos && ScrollPos <= start + 50) Spower1Spawn();
  }
  const float last = stage.last_power_up_window;
  if (last <= ScrollPos && ScrollPos <= last + 50) Spower1Spawn();
}

// The automatic-fire block: the laser of the ship type and every homing
// launch, without keys.
void AutoFireBlock(const StageParams& stage) {
  if (AutoFire != 1 || !stage.auto_fire_block) return;
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
  if (stage.boss2_missile_draws) {
    HomingMissileBoss2ADraw();
    HomingMissileBoss2BDraw();
  }
  PlayerUpdate();
  if (StageFrameHook != nullptr) StageFrameHook();
  if (stage.places_sight) SightPlace();
  DrawHud();
  GameOverBannerDraw();
  ContinueCheck();
  if (stage.side_panels) SidePanelsDraw();
  elDraw::SetVSync(1);
  elDraw::Flip();

  // After the present: ship movement, bomb, ray salvo, hit passes, the
  // homing weapons and the automatic-fire block, then last the continue
  // countdown.
  PlayerMove();
  if (BombWave == 1 && (!stage.bomb_needs_laser_idle || LaserAReady == 0)) BombSchedule();
  BombPass();
  if (BombSalvoActive == 1 && stage.ray_salvo) ShipRaySchedule();
  CheckShotHits();
  if (stage.homing_lasers && GameLevel == 3) HomingLaserSchedules();
  HomingWeaponsMove(stage.scene - 1);
  AutoFireBlock(stage);
  UpdateContinueCountdown();
}
