// The falling power-up item: released by the stage scripts, picked up by the
// ship; the pick-up turns on the lasers' side segments and adds bombs.
#pragma once
#include <cstdint>

struct PowerUpItem {
  float x;
  float y;
  float fall_speed;    // px/s downward
  uint32_t active;     // on its way down
  uint32_t collected;  // from the pick-up until the next Spower1Update
  uint32_t reserved[3];
};

extern PowerUpItem PowerUp;
extern uint32_t SideLaser;   // 1: the lasers fire side segments
extern int32_t PowerLevel;   // items released since the last death or new game

// Every frame while the scroll position lies in a power-up window.
void Spower1Spawn();
// Draw, or hand out a pick-up's rewards; before Spower1Move.
void Spower1Update();
// Fall; right after Spower1Update.
void Spower1Move();
// The pick-up (the shot hit pass calls it when the ship touches the item).
void Spower1Hit();

// Object-table reset: the item parked at (-500, 2550) with everything else
// 0; SideLaser and PowerLevel are left alone.
void ResetPowerUp();
// New game: the item parked and SideLaser and PowerLevel 0 as well.
void PowerUpNewGame();
