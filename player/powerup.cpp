// The power-up item: release, fall, draw and pick-up.
#include "player/powerup.h"

#include "el/draw/elDraw.h"
#include "el/sound/elSound.h"
#include "el/system/elSystem.h"
#include "enemies/record_resets.h"
#include "os/system.h"
#include "shell/assets.h"
#include "shell/game_state.h"

PowerUpItem PowerUp;
uint32_t SideLaser = 0;
int32_t PowerLevel = 0;

namespace {

void ParkPowerUp() { PowerUp = {ParkX, ParkY, 0.0f, 0, 0, {0, 0, 0}}; }

// Bombs that a pick-up gives at the power level it finds.
int32_t PickUpBombs() {
  if (PowerLevel <= 0) {
    PowerLevel = 1;
    return 2;
  }
  return PowerLevel <= 2 ? 1 : 2;
}

}  // namespace

void Spower1Spawn() {
  if (PowerUp.active) return;
  PowerUp.x = static_cast<float>(os::Random() % 320 + 210);
  PowerUp.y = -60.0f;
  PowerUp.fall_speed = static_cast<float>(os::Random() % 130 + 100);
  PowerUp.active = 1;
  PowerUp.collected = 0;
  PowerLevel += 1;
}

void Spower1Move() {
  if (PowerUp.active) PowerUp.y += PowerUp.fall_speed * FrameTime;
  if (PowerUp.y > 600.0f) {
    PowerUp.active = 0;
    PowerUp.x = ParkX;
    PowerUp.y = ParkY;
  }
}

void Spower1Update() {
  if (PowerUp.collected == 0) {
    elDraw::DrawAdditive(static_cast<int32_t>(PowerUp.x), static_cast<int32_t>(PowerUp.y),
                         ImgSpower1, 0, 0, 60, 60);
    return;
  }
  SideLaser = 1;
  BombStock += PickUpBombs();
  PowerUp.active = 0;
  PowerUp.collected = 0;
  PowerUp.x = ParkX;
  PowerUp.y = ParkY;
}

void Spower1Hit() {
  PowerUp.collected = 1;
  elSound::Play(SndBom, -1);
}

void ResetPowerUp() { ParkPowerUp(); }

void PowerUpNewGame() {
  ParkPowerUp();
  SideLaser = 0;
  PowerLevel = 0;
}
