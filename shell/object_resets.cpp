// The reset passes.  Each object table's reset belongs with its owner and is
// called from here in catalogue order.
#include "shell/object_resets.h"

#include "enemies/kind_tables.h"
#include "os/system.h"
#include "player/bomb.h"
#include "player/death.h"
#include "player/homing_storage.h"
#include "player/powerup.h"
#include "player/shots.h"
#include "player/starfield.h"
#include "shell/background.h"
#include "shell/game_state.h"
#include "stages/stage_resets.h"

void ResetGameStateBlock() {
  SceneFrame = 0;
  PlayerBank = 3;
  PlayerBankDir = 0;
  PlayerDX = 0;
  PlayerDY = 0;
  LaserACounter = 0;
  BombSalvoCounter = 0;
  LaserBCounter = 0;
  ContinueCountdown = 800;
  ScrollPos = 0;
  BombWave = 0;
  BombSalvoActive = 0;
  BombRingCounter = 0;
  PlayerAlive = 1;
  GameOver = 0;
  PauseFlag = 0;
  ContinuePrompt = 0;
  CountdownActive = 0;
  RespawnFlag = 0;
  RespawnTimer = 0;
  LaserAFlash = 0;
  LaserAReady = 1;
  LaserBReady = 1;
}

void ResetObjectTablesA() {
  os::SeedRandom(static_cast<uint32_t>(os::CalendarTime()));
  ResetPowerUp();
  ResetGameStateBlock();
  ResetLockSight();
  // Lock-on records of the kinds and the bosses, the homing weapons.
  ResetKindLockTargets();
  ResetBossLockPoints();
  ResetHomingTables();
  // The player's weapon and effect tables.
  ResetDeathFragments();
  ResetBombFragments();
  ResetSpareSegments1();
  ResetSpareSegments2();
  ResetSpareSegments3();
  ResetSpareSegments4();
  ResetSpareSegments5();
  ResetLaserBSegments();
  ResetLaserASegments();
  ResetShipRays();
  // The scrolling boss pictures.
  ResetBossPictures();
  ResetSpareBossPicture();
  // Every enemy kind, its slots first and its bullets after them.
  ResetKindTables();
}

void ResetObjectTablesB() {
  // The entry pictures, then each stage file's boss and tables.
  ResetStageTables();
  // Last, the starfield.
  ResetStarParticles();
}
