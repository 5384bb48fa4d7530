// The sight's and the homing weapons' storage and resets.
#include "player/homing_storage.h"

int32_t LockSightX = 0, LockSightY = 0;
uint32_t LockSightSpare[2];
SightRecord SpareSight;
int32_t HomingLaserCounter[12];

#define HOMING_DEFINE(name, Type, count) Type name[count];
HOMING_TABLES(HOMING_DEFINE)
#undef HOMING_DEFINE

void ResetRecord(HomingLaserSegment& r, const ResetRule& rule) {
  ClearAndPark(r, rule);
  r.angle = ResetHeading;
}

void ResetRecord(HomingMissile& r, const ResetRule& rule) {
  const float timer = r.timer;
  ClearAndPark(r, rule);
  r.angle = ResetHeading;
  r.timer = timer;
}

void ResetLockSight() {
  SpareSight = {ParkXInt, ParkYInt, {0, 0}};
  LockSightX = ParkXInt;
  LockSightY = ParkYInt;
  LockSightSpare[0] = LockSightSpare[1] = 0;
}

void ResetHomingTables() {
#define HOMING_RESET(name, Type, count) ResetTable(name, Plain);
  HOMING_TABLES(HOMING_RESET)
#undef HOMING_RESET
  for (int32_t& counter : HomingLaserCounter) counter = 0;
}
