// The bomb's fragments and their hit pass.
#include "player/bomb.h"

#include <cmath>

#include "el/draw/elDraw.h"
#include "el/system/angles.h"
#include "enemies/record_resets.h"
#include "player/hit_pass.h"
#include "shell/assets.h"
#include "shell/game_state.h"

BombFragment BombFragments[BombFragmentCount];

namespace {

// The ring launched at each count of the schedule (-1: none).
int32_t RingAt(int32_t counter) {
  if (counter == 24) return 0;
  if (counter % 3 != 0 || counter < 3 || counter > 45) return -1;
  const int32_t step = counter / 3;  // 1..15
  return step <= 7 ? step : step - 8;
}

void ParkFragment(BombFragment& f) {
  f.x = ParkXInt;
  f.y = ParkYInt;
  f.active = 0;
}

}  // namespace

void BombDraw() {
  for (const BombFragment& f : BombFragments) {
    elDraw::DrawObject(f.x, f.y, ImgFbom1, 0, 0, 80, 80);
  }
}

void BombSchedule() {
  BombRingCounter += 1;
  const int32_t ring = RingAt(BombRingCounter);
  if (ring >= 0) {
    for (int32_t i = ring * BombRingSize; i < (ring + 1) * BombRingSize; ++i) BombEmit(i);
  }
  if (BombRingCounter == BombScheduleLength) {
    BombRingCounter = 0;
    BombWave = 0;
    LaserAReady = 1;
    LaserBReady = 1;
    BombStock -= 1;
  }
  if (BombStock < 1) {
    BombWave = 0;
    LaserAReady = 1;
    LaserBReady = 1;
  }
}

void BombEmit(int32_t i) {
  if (i < 0 || i >= BombFragmentCount) return;
  BombFragment& f = BombFragments[i];
  if (f.active != 0) return;
  f.active = 1;
  f.x = static_cast<int32_t>(PlayerX) - 10;
  f.y = static_cast<int32_t>(PlayerY) - 10;
  f.speed = BombFragmentSpeed;
  f.angle = static_cast<float>(5 * Pi / 8 + i * Pi / 5);
}

void BombPass() {
  for (BombFragment& f : BombFragments) {
    if (f.active == 0) continue;
    f.y += static_cast<int32_t>(f.speed * std::sin(f.angle));
    f.x += static_cast<int32_t>(f.speed * std::cos(f.angle));
    if (f.x > 800 || f.x < -80 || f.y > 600 || f.y < -80) {
      ParkFragment(f);
      continue;
    }
    TestShotHits(ShotPass::Bomb, f.x, f.y, nullptr);
  }
}

void ResetBombFragments() {
  for (BombFragment& f : BombFragments) f = {ParkXInt, ParkYInt, 0, 0, ResetHeading};
}
