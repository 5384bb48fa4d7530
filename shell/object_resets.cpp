// The reset passes.  Each object table's reset belongs with its owner and is
// called from here in catalogue order.
#include "shell/object_resets.h"

#include "os/system.h"
#include "player/powerup.h"
#include "player/shots.h"
#include "player/starfield.h"
#include "shell/background.h"
#include "shell/game_state.h"

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
  // The player's weapon and effect tables.
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
}

void ResetObjectTablesB() {
  // Last, the starfield.
  ResetStarParticles();
}
