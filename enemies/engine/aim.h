// The one aiming rule of every aimed bullet (and homing weapon) of the game.
#pragma once
#include <cmath>

#include "el/system/angles.h"

// The heading (radians, 0 right, pi/2 down) of the vector (dx, dy): the arc
// tangent of dy / dx, pi/2 for dx exactly 0; then `spread` (a fan's turn
// away from the aim) is added, and last pi when dx is negative or when dx is
// 0 and dy is 0 or negative.  So a target exactly below gives pi/2, one
// exactly above (or on the launch point) 3 pi/2.
inline float AimAngle(float dx, float dy, float spread = 0.0f) {
  float angle = dx == 0.0f ? PiF / 2.0f : std::atan(dy / dx);
  angle += spread;
  if (dx < 0.0f || (dx == 0.0f && dy <= 0.0f)) angle += PiF;
  return angle;
}
