// What the lock-on sight and the homing weapons share: a uniform view of one
// slot of a lockable kind's table (whatever its record layout), the heading
// rule that turns a vector into an angle, and the float pi they turn by.
#pragma once
#include <cmath>
#include <cstdint>
#include <iterator>

#include "enemies/record_resets.h"
#include "enemies/records.h"

constexpr float HomingPi = static_cast<float>(Pi);

// The fields of an enemy slot that the lock test and the homing weapons read.
struct SlotView {
  float x;
  float y;
  uint32_t noHit;
  uint32_t active;
};

// Reads slot i of the kind table Table (any slot layout with x, y, noHit and
// active); an index outside the table reads as a free, untouchable slot.
template <auto& Table>
SlotView ReadSlot(int32_t i) {
  if (i < 0 || i >= static_cast<int32_t>(std::size(Table))) return {0.0f, 0.0f, 1u, 0u};
  return {Table[i].x, Table[i].y, Table[i].noHit, Table[i].active};
}

template <auto& Table>
constexpr int32_t CountOf() {
  return static_cast<int32_t>(std::size(Table));
}

using SlotReader = SlotView (*)(int32_t);

// The heading (radians, y pointing down) of the vector (dx, dy): the arc
// tangent of dy / dx, pi / 2 for dx exactly 0, turned by pi when dx is
// negative or when dx is 0 and dy is 0 or negative.
inline float HeadingTo(float dx, float dy) {
  float angle = dx == 0.0f ? HomingPi / 2.0f : std::atan(dy / dx);
  if (dx < 0.0f || (dx == 0.0f && dy <= 0.0f)) angle += HomingPi;
  return angle;
}

// Marks record i of a lock array locked; an index outside the array is
// ignored.
template <int32_t N>
void SetLocked(LockOnTarget (&targets)[N], int32_t i) {
  if (i >= 0 && i < N) targets[i].locked = 1;
}
