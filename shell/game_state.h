// The block of player and game globals that every part of the game reads,
// with the new-game set-up, the head-up display and the continue countdown.
#pragma once
#include <cstdint>

// ---- GameState, in declaration order ----
extern uint32_t AutoFire;
extern int32_t SceneFrame;
extern uint32_t NoDeath;
extern int32_t PlayerBank;
extern uint32_t MouseControl;
extern uint32_t KeyboardControl;
extern int32_t PlayerBankDir;
extern float PlayerX, PlayerY;
extern float PlayerDX, PlayerDY;
extern int32_t LaserACounter;
extern int32_t BombSalvoCounter;
extern int32_t LaserBCounter;
extern int32_t Score;
extern int32_t HighScore;
extern int32_t ContinueCountdown;
extern int32_t Lives;
extern float ScrollPos;
extern uint32_t BombWave;
extern uint32_t BombSalvoActive;
extern int32_t BombRingCounter;
extern int32_t BombStock;
extern uint32_t PlayerAlive;
extern uint32_t GameOver;
extern uint32_t PauseFlag;
extern int32_t GameMode;
extern int32_t GameSubMode;
extern uint32_t ContinuePrompt;
extern uint32_t CountdownActive;
extern uint32_t RespawnFlag;
extern int32_t RespawnTimer;
extern uint32_t BackgroundOff;
extern uint32_t LaserAFlash, LaserBFlash;
extern uint32_t LaserAReady, LaserBReady;
extern uint32_t BlendExplosions;
extern int32_t ShipType;
extern int32_t GameLevel;

extern char HudText[32];
extern float GameOverTimer;

// New-game set-up (title Enter, mode screen F1/F2, ending Space).
void StartNewGame();
// Draws score, high score, lives and bombs into the back buffer.
void DrawHud();
// The last step of every stage frame.
void UpdateContinueCountdown();
