// The GameState block and the new-game set-up.
#include "shell/game_state.h"

#include "player/powerup.h"
#include "player/ship.h"
#include "shell/background.h"

uint32_t AutoFire = 0;
int32_t SceneFrame = 0;
uint32_t NoDeath = 0;
int32_t PlayerBank = 0;
uint32_t MouseControl = 0;
uint32_t KeyboardControl = 0;
int32_t PlayerBankDir = 0;
float PlayerX = 0, PlayerY = 0;
float PlayerDX = 0, PlayerDY = 0;
int32_t LaserACounter = 0;
int32_t BombSalvoCounter = 0;
int32_t LaserBCounter = 0;
int32_t Score = 0;
int32_t HighScore = 0;
int32_t ContinueCountdown = 0;
int32_t Lives = 0;
float ScrollPos = 0;
uint32_t BombWave = 0;
uint32_t BombSalvoActive = 0;
int32_t BombRingCounter = 0;
int32_t BombStock = 0;
uint32_t PlayerAlive = 0;
uint32_t GameOver = 0;
uint32_t PauseFlag = 0;
int32_t GameMode = 0;
int32_t GameSubMode = 0;
uint32_t ContinuePrompt = 0;
uint32_t CountdownActive = 0;
uint32_t RespawnFlag = 0;
int32_t RespawnTimer = 0;
uint32_t BackgroundOff = 0;
uint32_t LaserAFlash = 0, LaserBFlash = 0;
uint32_t LaserAReady = 0, LaserBReady = 0;
uint32_t BlendExplosions = 0;
int32_t ShipType = 0;
int32_t GameLevel = 0;

char HudText[32];
float GameOverTimer = 0;

void StartNewGame() {
  ResetBackgroundStrips();
  AutoFire = 0;
  GameLevel = 0;
  Score = 0;
  BombStock = 5;
  Lives = 999;
  PlayerX = 370;
  PlayerY = 520;
  PowerUpNewGame();
  ResetShipIntro();
}
