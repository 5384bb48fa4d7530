// The bomb: rings of ten fragments that burst from the ship every three
// frames while BombWave is 1, and their own hit pass.
#pragma once
#include <cstdint>

struct BombFragment {
  int32_t x;
  int32_t y;
  int32_t speed;  // pixels per frame
  uint32_t active;
  float angle;  // radians, 0 right, y down
};

constexpr int32_t BombFragmentCount = 80;  // eight rings of ten
constexpr int32_t BombRingSize = 10;
constexpr int32_t BombFragmentSpeed = 40;
constexpr int32_t BombScheduleLength = 48;

extern BombFragment BombFragments[BombFragmentCount];

// Every fragment, free ones too (they lie outside the clip rectangle).
void BombDraw();
// One frame of a running bomb: the ring launches, the end of the bomb and
// the stock check.
void BombSchedule();
// Fragment i leaves the ship, if it is free (other indices: nothing).
void BombEmit(int32_t i);
// Every active fragment moved and tested against every target.
void BombPass();

// Object-table reset: every fragment free at (-500, 500), heading -3 degrees.
void ResetBombFragments();
