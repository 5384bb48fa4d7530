// The lock marks a boss draws over its locked lock points.
#pragma once
#include <cstdint>
#include <iterator>

#include "enemies/records.h"
#include "stages/boss_records.h"

// ROCK1 (60 x 60) at the point, when it is locked.
void DrawLockMark(const LockOnTarget& point);

// Every record of both arrays, interleaved A0, B0, A1, B1, ...: as many as
// the arrays hold.
template <int32_t N>
void DrawLockMarks(const BossLockPoints<N>& points) {
  for (size_t i = 0; i < std::size(points.A); ++i) {
    DrawLockMark(points.A[i]);
    DrawLockMark(points.B[i]);
  }
}
