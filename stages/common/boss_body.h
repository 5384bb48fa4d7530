// The pieces every boss body is made of: a movement script as a table of
// bands on the boss's move timer, and the damage flames drawn over it.
#pragma once
#include <cstdint>
#include <span>

#include "el/system/elSystem.h"
#include "stages/boss_records.h"

// ---- movement ----

// One band of a movement script: while the move timer lies inside it (each
// bound inclusive or strict) its action runs.
struct MoveBand {
  float lo, hi;
  bool loInclusive, hiInclusive;
  void (*action)();
  bool Holds(float t) const {
    return (loInclusive ? lo <= t : lo < t) && (hiInclusive ? t <= hi : t < hi);
  }
};

// An upper bound no timer reaches.
constexpr float NoBandEnd = 3.0e38f;

// One frame of a movement script: the move timer += 10 x FrameTime, then
// every band that holds the timer, in table order (so at a shared bound
// both bands act); between the bands nothing moves.
void RunMoveBands(BossState& boss, std::span<const MoveBand> bands);

// Band actions on one boss record: placed at (X, Y); moving by (VX, VY)
// px/s; the move timer set to T.
template <BossState& B, int X, int Y>
void PlaceAt() {
  B.x = static_cast<float>(X);
  B.y = static_cast<float>(Y);
}
template <BossState& B, int VX, int VY>
void Drift() {
  if constexpr (VX != 0) B.x += static_cast<float>(VX) * FrameTime;
  if constexpr (VY != 0) B.y += static_cast<float>(VY) * FrameTime;
}
template <BossState& B, int T>
void SetMoveTimer() {
  B.moveTimer = static_cast<float>(T);
}

// ---- damage flames ----

// A damage flame: ZBAK3B cell f (80 x 80) at the boss's whole (x, y) plus
// (dx, dy), `step` px further down per flame frame.
struct Flame {
  int32_t dx, dy, step;
};

// The flames at the boss's whole position (x, y) with flame frame f.
void DrawFlames(std::span<const Flame> flames, int32_t x, int32_t y, int32_t f);
