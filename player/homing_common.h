// What the lock-on sight and the homing weapons share.  The view of a kind's
// slot and the aiming rule that turns a vector into a heading come from the
// enemy engine, which uses them too.
#pragma once
#include <cmath>
#include <cstdint>
#include <iterator>

#include "el/system/angles.h"
#include "enemies/engine/aim.h"
#include "enemies/engine/slot_view.h"
#include "enemies/record_resets.h"
#include "enemies/records.h"

constexpr float HomingPi = PiF;

// Marks record i of a lock array locked; an index outside the array is
// ignored.
template <int32_t N>
void SetLocked(LockOnTarget (&targets)[N], int32_t i) {
  if (i >= 0 && i < N) targets[i].locked = 1;
}
