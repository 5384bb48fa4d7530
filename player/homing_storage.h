// The storage of the lock-on sight and the homing weapons: the sight's place,
// the homing-laser chains and the homing missiles of every family, and the
// launch counters of the homing lasers, with their object-table resets.
#pragma once
#include <cstdint>

#include "enemies/record_resets.h"

// The invisible lock-on sight: the top-left corner of its rectangle.
extern int32_t LockSightX, LockSightY;
extern uint32_t LockSightSpare[2];

// A record of the sight's shape that only the reset touches.
struct SightRecord {
  int32_t x;
  int32_t y;
  uint32_t spare[2];
};
extern SightRecord SpareSight;

// One segment of a homing laser.
struct HomingLaserSegment {
  int32_t aux;  // 0 when the segment is retired
  uint32_t reserved0;
  uint32_t reserved1;
  float x;  // top-left of the 20 x 20 picture
  float y;
  uint32_t reserved2;
  uint32_t reserved3;
  uint32_t active;
  float dx;  // segment to aim point, recomputed while steering
  float dy;
  float reserved4;
  float reserved5;
  float angle;  // heading, radians
  float speed;
  float age;  // path clock, +30 per second
};

// One homing missile.
struct HomingMissile {
  int32_t aux;
  uint32_t reserved0;
  uint32_t reserved1;
  float x;  // top-left of the 20 x 60 picture
  float y;
  uint32_t reserved2;
  uint32_t reserved3;
  uint32_t active;
  float dx;
  float dy;
  float launchDx;  // launch point to aim point at launch
  float launchDy;
  float angle;
  float speed;
  float timer;  // launch-phase clock (three-missile families)
};

// A homing-laser family holds three chains of fifteen: chain t (segments
// 15t .. 15t + 14) flies at target slot t.
constexpr int32_t HomingLaserChainLength = 15;

#define HOMING_TABLES(X)                      \
  X(HomingLaserSzak6DSlots, HomingLaserSegment, 3 * 15) \
  X(HomingMissileSzak3Slots, HomingMissile, 3)  \
  X(HomingMissileSzak4Slots, HomingMissile, 3)  \
  X(HomingLaserSzak6ESlots, HomingLaserSegment, 3 * 15) \
  X(HomingLaserSzak13ASlots, HomingLaserSegment, 3 * 15) \
  X(HomingLaserSzak13BSlots, HomingLaserSegment, 3 * 15) \
  X(HomingMissileSzak21ASlots, HomingMissile, 3) \
  X(HomingMissileSzak22ASlots, HomingMissile, 3) \
  X(HomingMissileSzak40ASlots, HomingMissile, 5) \
  X(HomingMissileSzak41ASlots, HomingMissile, 5) \
  X(HomingMissileSzak40BSlots, HomingMissile, 5) \
  X(HomingMissileSzak41BSlots, HomingMissile, 5) \
  X(HomingMissileBoss1ASlots, HomingMissile, 3) \
  X(HomingMissileBoss1BSlots, HomingMissile, 3) \
  X(HomingMissileBoss3ASlots, HomingMissile, 3) \
  X(HomingMissileBoss3BSlots, HomingMissile, 3) \
  X(HomingMissileBoss7ASlots, HomingMissile, 5) \
  X(HomingMissileBoss7BSlots, HomingMissile, 5) \
  X(HomingMissileBoss4ASlots, HomingMissile, 3) \
  X(HomingMissileBoss4BSlots, HomingMissile, 3) \
  X(HomingMissileBoss5ASlots, HomingMissile, 5) \
  X(HomingMissileBoss5BSlots, HomingMissile, 5) \
  X(HomingMissileBoss6ASlots, HomingMissile, 9) \
  X(HomingMissileBoss6BSlots, HomingMissile, 9) \
  X(HomingMissileBoss2ASlots, HomingMissile, 5) \
  X(HomingMissileBoss2BSlots, HomingMissile, 5) \
  X(HomingMissileBoss8ASlots, HomingMissile, 5) \
  X(HomingMissileBoss8BSlots, HomingMissile, 5)

#define HOMING_DECLARE(name, Type, count) extern Type name[count];
HOMING_TABLES(HOMING_DECLARE)
#undef HOMING_DECLARE

// The launch counters of the homing lasers: three per family (6D, 6E, 13A,
// 13B), one per target slot.
extern int32_t HomingLaserCounter[12];

// Parked at (-500, 2550), free, every field 0 but the heading of -3 degrees
// (a missile keeps its launch-phase timer).
void ResetRecord(HomingLaserSegment& r, const ResetRule& rule);
void ResetRecord(HomingMissile& r, const ResetRule& rule);

// Object-table resets of pass A: the spare sight record and then the sight
// at (-500, 500); every homing table in turn, and the launch counters 0.
void ResetLockSight();
void ResetHomingTables();
