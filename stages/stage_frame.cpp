// The stage frame shared by the eight stage scenes.
#include "stages/stage_frame.h"

#include <algorithm>
#include <cstddef>

#include "el/draw/elDraw.h"
#include "el/sound/elSound.h"
#include "el/system/elSystem.h"
#include "player/bomb.h"
#include "player/death.h"
#include "player/hit_pass.h"
#include "player/homing_weapons.h"
#include "player/lockon.h"
#include "player/powerup.h"
#include "player/ship.h"
#include "player/shots.h"
#include "shell/background.h"
#include "shell/game_state.h"
#include "shell/scene.h"
#include "stages/stage_background.h"

void (*StageFrameHook)() = nullptr;

namespace {

// The power-up item's frame: draw (or hand out a pick-up) and fall (one
// stage lets it fall first), then a release while the scroll position lies
// in one of the stage's windows (bounds inclusive).
void PowerUpFrame(const StageRow& stage) {
  if (stage.powerUpMovesFirst) Spower1Move();
  Spower1Update();
  if (!stage.powerUpMovesFirst) Spower1Move();
  for (float start : stage.powerUpWindows) {
    if (start <= ScrollPos && ScrollPos <= start + PowerUpWindowLength) Spower1Spawn();
  }
}

// The automatic-fire block: the laser of the ship type and every homing
// launch, without keys.
void AutoFireBlock(const StageRow& stage) {
  if (AutoFire != 1 || !stage.autoFireBlock) return;
  if (ShipType == 1) PlayerLaserASchedule();
  if (ShipType == 2) PlayerLaserBSchedule();
  HomingAutoFire();
}

// The paused frame: only the continue key, while its prompt is up.
void PausedFrame(const StageRow& stage) {
  if (ContinuePrompt == 1 && PauseFlag == 1 && LastKey == 'Y') {
    PauseFlag = 0;
    ContinuePrompt = 0;
    BombStock = stage.continueBombs;
    Lives = 111;
    Score = 0;
    RespawnFlag = 1;
    PlayerAlive = 1;
  }
}

// GameLevel as an index of a boss's cycles (0 before a game, 1 to 3).
size_t LevelIndex() { return static_cast<size_t>(std::clamp(GameLevel, 0, 3)); }

}  // namespace

void RunBossBlock(const BossRow& boss) {
  if (!(boss.windowLo < ScrollPos && ScrollPos < boss.windowHi)) return;
  if (boss.move != nullptr) boss.move();
  // The Draw ends with the defeat; a row without a Draw runs the defeat here.
  if (boss.draw != nullptr) {
    boss.draw();
  } else {
    boss.defeat();
  }
  // Everything below reads the globals again: a defeat that ended the stage
  // in the Draw has reset the hit points and the scroll position.
  BossState& state = *boss.state;
  if (0.0f < state.hitPoints && state.hitPoints < boss.attackBelow) {
    state.attackTick += 1;
    RunAttackScript(boss.attack, state);
    if (state.attackTick >= boss.cycle[LevelIndex()]) state.attackTick = 0;
  }
  if (boss.timeoutLo <= ScrollPos && ScrollPos <= boss.timeoutHi) {
    state.hitPoints = 0.0f;
    boss.defeat();
  }
}

void RunStageFrame(const StageRow& stage) {
  if (SceneEntered == 1) {
    if (stage.entryClearsPause) {
      PauseFlag = 0;
      ContinuePrompt = 0;
      CountdownActive = 0;
    }
    if (stage.musicOnEntry && stage.music != nullptr) elSound::PlayMidi(stage.music, 1);
  }
  if (PauseFlag != 0) {
    PausedFrame(stage);
    return;
  }
  if (stage.countsFrames) {
    SceneFrame += 1;
    if (SceneFrame == 1 && stage.music != nullptr) elSound::PlayMidi(stage.music, 1);
    if (SceneFrame >= SceneFrameWrap) SceneFrame = 0;
  }
  elDraw::ClearScreen();
  ScrollPos += FrameTime * stage.scrollRate;

  // Before the present: background and starfield, bomb, boss, shots, kinds
  // and waves, power-up, ship, bullet families, sight, then the HUD (and the
  // side panels of one stage).
  DrawStageBackground(stage.background);
  BombDraw();
  if (stage.boss != nullptr) RunBossBlock(*stage.boss);
  PlayerShotsDraw();
  RunScript(stage.afterShots);
  RunScript(stage.kinds);
  RunScript(stage.beforePowerUp);
  PowerUpFrame(stage);
  RunScript(stage.beforeShip);
  PlayerUpdate();
  for (std::span<const ScriptItem> section : stage.families) RunScript(section);
  if (StageFrameHook != nullptr) StageFrameHook();
  if (stage.placesSight) SightPlace();
  DrawHud();
  GameOverBannerDraw();
  ContinueCheck();
  if (stage.sidePanels) SidePanelsDraw();
  elDraw::SetVSync(1);
  elDraw::Flip();

  // After the present: ship movement, bomb, ray salvo, hit passes, the
  // homing weapons and the automatic-fire block, then last the continue
  // countdown.
  PlayerMove();
  if (BombWave == 1 && (!stage.bombNeedsLaserIdle || LaserAReady == 0)) BombSchedule();
  BombPass();
  if (BombSalvoActive == 1 && stage.raySalvo) ShipRaySchedule();
  CheckShotHits();
  if (stage.homingLasers && GameLevel == 3) HomingLaserSchedules();
  HomingWeaponsMove(stage.scene - 1);
  AutoFireBlock(stage);
  UpdateContinueCountdown();
}
