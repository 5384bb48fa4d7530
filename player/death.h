// The ship's death and return: the explosion of five rings of sixteen
// fragments, the loss of lives and power, the protected return, and the
// continue prompt when the lives are gone.
#pragma once
#include <cstdint>

// One fragment of the death explosion (a 60 x 60 cell of the GFBAK1 sheet).
struct DeathFragment {
  float x;
  float y;
  float angle;  // radians, 0 right, y down
  float speed;  // px/s
  uint32_t active;
  int32_t column;   // cell column 0..7
  int32_t row;      // cell row 0 or 1
  int32_t counter;  // animation step 0..14
};

constexpr int32_t DeathFragmentCount = 80;  // five rings of sixteen
constexpr int32_t DeathRingSize = 16;
constexpr int32_t DeathBurstFrames = 50;    // the ship is back on this frame
constexpr int32_t RespawnProtectFrames = 249;
constexpr float DeathFragmentSpeed = 280.0f;

extern DeathFragment DeathFragments[DeathFragmentCount];
// Frames of the running explosion, shared by all eighty fragments: a
// fragment that leaves the screen does not restart the count, so each ring
// leaves once per death.
extern int32_t DeathBurstCounter;
// Height of the stage's game-over banner; grows while the banner is drawn.
extern float GameOverBannerHeight;

// The ship's alive/death step, after the ship has been drawn: protection
// count, the explosion frame, or nothing.
void PlayerLifeUpdate();
// The three parts of one frame of the explosion, in this order.
void DeathBurstUpdate();
void DeathBurstDraw();
void DeathBurstMove();
// Brings up the continue prompt (and pauses the stage) once the lives are gone.
void ContinueCheck();
// The game-over banner, while GameOver is set.
void GameOverBannerDraw();
// Plays the explosion sound.
void PlayBomSound();

// Object-table reset: every fragment parked at (-500, 2550), free, counters
// 0 and heading -3 degrees; the explosion count 0.
void ResetDeathFragments();
