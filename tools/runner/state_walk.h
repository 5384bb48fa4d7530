// Walks the whole state of the game by name.  ForEachTable walks every
// object table that the reset passes write: the kinds', the stage files' and
// the homing weapons' lists, each table with its name and reset rule (the
// visitor is called as f(name, table, rule)); ForEachStatePart walks every
// part of the state, those tables among them.
#pragma once
#include <cstddef>
#include <cstdint>

#include "el/draw/transition_state.h"
#include "el/system/frame_timer.h"
#include "enemies/kind_tables.h"
#include "player/bomb.h"
#include "player/death.h"
#include "player/homing_storage.h"
#include "player/lockon.h"
#include "player/powerup.h"
#include "player/ship.h"
#include "player/shots.h"
#include "player/starfield.h"
#include "shell/assets.h"
#include "shell/background.h"
#include "shell/ending.h"
#include "shell/game_state.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage1/boss1_tables.h"
#include "stages/stage2/boss2_tables.h"
#include "stages/stage3/boss3_tables.h"
#include "stages/stage4/boss4_tables.h"
#include "stages/stage5/boss5_tables.h"
#include "stages/stage6/boss6_tables.h"
#include "stages/stage7/boss7_tables.h"
#include "stages/stage8/boss8_tables.h"

namespace runner {

template <typename F>
void ForEachTable(F&& f) {
#define LOCKS(name, count) f(#name, name, Plain);
#define TABLE(name, Type, count, rule) f(#name, name, rule);
#include "enemies/kind_tables.inc"
#define TABLE(name, Type, count, rule) f(#name, name, rule);
#include "stages/stage1/boss1_tables.inc"
#include "stages/stage2/boss2_tables.inc"
#include "stages/stage3/boss3_tables.inc"
#include "stages/stage4/boss4_tables.inc"
#include "stages/stage5/boss5_tables.inc"
#include "stages/stage6/boss6_tables.inc"
#include "stages/stage7/boss7_tables.inc"
#include "stages/stage8/boss8_tables.inc"
#undef TABLE
#define LOCK_POINTS(n)                                         \
  f("Boss" #n "LockPoints.A", Boss##n##LockPoints.A, Plain); \
  f("Boss" #n "LockPoints.B", Boss##n##LockPoints.B, Plain);
  LOCK_POINTS(1) LOCK_POINTS(2) LOCK_POINTS(3) LOCK_POINTS(4)
  LOCK_POINTS(5) LOCK_POINTS(6) LOCK_POINTS(7) LOCK_POINTS(8)
#undef LOCK_POINTS
#define HOMING_VISIT(name, Type, count) f(#name, name, Plain);
  HOMING_TABLES(HOMING_VISIT)
#undef HOMING_VISIT
}

// The eight boss records with their start hit points.
struct BossRow {
  const char* name;
  BossState* state;
  float startHitPoints;
};
inline const BossRow kBossRows[8] = {
    {"Boss1State", &Boss1State, 1020.0f}, {"Boss2State", &Boss2State, 1000.0f},
    {"Boss3State", &Boss3State, 600.0f},  {"Boss4State", &Boss4State, 800.0f},
    {"Boss5State", &Boss5State, 1000.0f}, {"Boss6State", &Boss6State, 1400.0f},
    {"Boss7State", &Boss7State, 1500.0f}, {"Boss8State", &Boss8State, 1220.0f},
};

// Every part of the game's state, f(name, data, size): the scene globals,
// the transition and the frame time; the GameState block; every table of
// ForEachTable and the boss records; the player's own tables; the
// backgrounds and the pictures they draw.
template <typename F>
void ForEachStatePart(F&& f) {
#define PART(x) f(#x, &x, sizeof x);
  PART(SceneNumber) PART(PrevScene) PART(SceneEntered) PART(TitleCounter) PART(FrameTime)
  PART(TransitionStep) PART(TransitionPattern) PART(TransitionDir) PART(TransitionBand)
  PART(TransitionPicture) PART(PictureOverlay) PART(OverlayPicture) PART(OverlayTile)
  PART(OverlayHeight) PART(OverlayScroll) PART(OverlayTileX) PART(OverlayTileY) PART(VSyncFlag)
  PART(SavedClip) PART(ClipSaveDepth) PART(WipeMode) PART(WipeType) PART(WipeSpeed)
  PART(WipeSize) PART(WipeOpened) PART(WipeClosed)
  PART(EndingBannerHeight) PART(GameOverBannerHeight)
  PART(AutoFire) PART(SceneFrame) PART(NoDeath) PART(PlayerBank) PART(MouseControl)
  PART(KeyboardControl) PART(PlayerBankDir) PART(PlayerX) PART(PlayerY) PART(PlayerDX)
  PART(PlayerDY) PART(LaserACounter) PART(BombSalvoCounter) PART(LaserBCounter) PART(Score)
  PART(HighScore) PART(ContinueCountdown) PART(Lives) PART(ScrollPos) PART(BombWave)
  PART(BombSalvoActive) PART(BombRingCounter) PART(BombStock) PART(PlayerAlive) PART(GameOver)
  PART(PauseFlag) PART(GameMode) PART(GameSubMode) PART(ContinuePrompt) PART(CountdownActive)
  PART(RespawnFlag) PART(RespawnTimer) PART(BackgroundOff) PART(LaserAFlash) PART(LaserBFlash)
  PART(LaserAReady) PART(LaserBReady) PART(BlendExplosions) PART(ShipType) PART(GameLevel)
  PART(HudText) PART(GameOverTimer)
#undef PART
  ForEachTable([&f](const char* name, const auto& table, const ResetRule&) {
    f(name, &table, sizeof table);
  });
  for (const BossRow& row : kBossRows) f(row.name, row.state, sizeof *row.state);
#define PART(x) f(#x, &x, sizeof x);
  PART(Boss1Entry) PART(Boss2Entry) PART(Boss5Entry) PART(SpareEntry)
  PART(LockSightX) PART(LockSightY) PART(LockSightSpare) PART(SpareSight) PART(HomingLaserCounter)
  PART(SpareLockTargets1) PART(SpareLockTargets2)
  PART(ShipRays) PART(LaserASegments) PART(LaserBSegments) PART(SpareSegments1)
  PART(SpareSegments2) PART(SpareSegments3) PART(SpareSegments4) PART(SpareSegments5)
  PART(StarParticles) PART(PowerUp) PART(SideLaser) PART(PowerLevel)
  PART(DeathFragments) PART(DeathBurstCounter) PART(BombFragments) PART(ShipIntroRecords)
  PART(ShipKeyLeft) PART(ShipKeyRight) PART(ShipKeyUp) PART(ShipKeyDown) PART(ShipKeyC)
  PART(ShipKeyV) PART(ShipKeyB)
  PART(Bback1sStrips) PART(Bback2sStrips) PART(Bback3sStrips) PART(Bback6sStrips)
  PART(Background38Strips) PART(Background6Strips) PART(BackgroundAStrips)
  PART(BackgroundBStrips) PART(SidePanelLeftStrips) PART(SidePanelRightStrips)
  PART(SceneryObjects) PART(BossPictures) PART(SpareBossPicture)
  PART(ImgBackgroundA) PART(ImgBackgroundB) PART(ImgMyme) PART(ImgBoss3) PART(ImgBackground6)
  PART(ImgBackground38) PART(ImgSidePanel) PART(ImgSceneryA) PART(ImgSceneryB)
  PART(ImgSceneryC) PART(ImgSidePanelL) PART(ImgSidePanelR) PART(ImgShipIntro)
#undef PART
}

}  // namespace runner
