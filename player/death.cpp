// Death explosion, respawn protection and the continue prompt.
#include "player/death.h"

#include <cmath>

#include "el/draw/elDraw.h"
#include "el/sound/elSound.h"
#include "el/system/angles.h"
#include "el/system/elSystem.h"
#include "enemies/record_resets.h"
#include "player/powerup.h"
#include "shell/assets.h"
#include "shell/game_state.h"

DeathFragment DeathFragments[DeathFragmentCount];
int32_t DeathBurstCounter = 0;
float GameOverBannerHeight = 0.0f;

namespace {

// The counts at which rings 1 to 5 leave.
constexpr int32_t kRingLaunch[5] = {1, 10, 20, 30, 40};
constexpr int32_t kLastRing = 4;

void ParkFragment(DeathFragment& f) {
  ClearAndPark(f, Plain);
  f.angle = ResetHeading;
}

// Direction from (x, y) to the screen point (20, 20).
float AimAtCorner(float x, float y) {
  const float dx = 20.0f - x;
  const float dy = 20.0f - y;
  if (dx == 0.0f) return dy > 0.0f ? static_cast<float>(Pi / 2) : static_cast<float>(3 * Pi / 2);
  float angle = std::atan(dy / dx);
  if (dx < 0.0f) angle += static_cast<float>(Pi);
  return angle;
}

void LaunchRing(int32_t ring) {
  for (int32_t i = ring * DeathRingSize; i < (ring + 1) * DeathRingSize; ++i) {
    DeathFragment& f = DeathFragments[i];
    if (f.active == 0) {
      f.active = 1;
      f.x = PlayerX;
      f.y = PlayerY;
      f.speed = DeathFragmentSpeed;
      f.angle = AimAtCorner(f.x, f.y) + static_cast<float>(i * 2 * Pi / 16);
    }
    // The last ring costs a life per fragment, whether or not it could leave.
    if (ring == kLastRing) Lives -= 1;
  }
}

}  // namespace

void DeathBurstUpdate() {
  DeathBurstCounter += 1;
  if (DeathBurstCounter == DeathBurstFrames) {
    PlayerAlive = 1;
    RespawnFlag = 1;
  }
  for (int32_t ring = 0; ring < 5; ++ring) {
    if (DeathBurstCounter == kRingLaunch[ring]) LaunchRing(ring);
  }
}

void DeathBurstDraw() {
  for (DeathFragment& f : DeathFragments) {
    elDraw::DrawAdditive(static_cast<int32_t>(f.x), static_cast<int32_t>(f.y), ImgGfbak1,
                         f.column * 60, f.row * 60, f.column * 60 + 60, f.row * 60 + 60);
    // Fifteen cells: row 0 columns 0 to 7, then row 1 columns 1 to 7.
    f.counter += 1;
    if (f.counter < 8) {
      f.column += 1;
      f.row = 0;
    }
    if (f.counter == 8) f.column = 0;
    if (f.counter >= 8 && f.counter <= 14) {
      f.column += 1;
      f.row = 1;
    }
    if (f.counter >= 15) {
      f.column = 0;
      f.row = 0;
      f.counter = 0;
    }
  }
}

void DeathBurstMove() {
  for (DeathFragment& f : DeathFragments) {
    if (f.active == 0) continue;
    f.y += std::sin(f.angle) * f.speed * FrameTime;
    f.x += std::cos(f.angle) * f.speed * FrameTime;
    if (f.x > 800.0f || f.x < -60.0f || f.y > 600.0f || f.y < -60.0f) ParkFragment(f);
  }
}

void PlayerLifeUpdate() {
  if (PlayerAlive == 1 && RespawnFlag == 1) {
    RespawnTimer += 1;
    if (RespawnTimer >= RespawnProtectFrames) {
      RespawnTimer = 0;
      RespawnFlag = 0;
      PlayerAlive = 1;
      for (DeathFragment& f : DeathFragments) ParkFragment(f);
      DeathBurstCounter = 0;
    }
    return;
  }
  if (PlayerAlive == 1) return;
  if (RespawnFlag == 1) {
    PlayerAlive = 1;  // a hit while protected changes nothing
    return;
  }
  if (NoDeath == 1) return;
  DeathBurstUpdate();
  DeathBurstDraw();
  DeathBurstMove();
  elSound::Play(SndBom, -1);
  SideLaser = 0;
  PowerLevel = 0;
}

void ContinueCheck() {
  if (Lives < 1 && ContinuePrompt == 0) {
    elDraw::DrawObject(300, 310, ImgContinu1, 0, 0, 200, 100);
    ContinuePrompt = 1;
    PauseFlag = 1;
    PlayerAlive = 0;
    PlayerDX = 0.0f;
    PlayerDY = 0.0f;
  }
}

void GameOverBannerDraw() {
  if (GameOver == 0) return;
  const int32_t h = static_cast<int32_t>(GameOverBannerHeight);
  elDraw::StretchDrawObject(170, (480 - h) / 2, ImgMymy, 81, 70, 136, 80, 300, h);
  GameOverBannerHeight += 30.0f * FrameTime;
}

void PlayBomSound() { elSound::Play(SndBom, -1); }

void ResetDeathFragments() {
  for (DeathFragment& f : DeathFragments) ParkFragment(f);
  DeathBurstCounter = 0;
}
