// The boss lock: the centre of the lock-on sight tested against each boss's
// body; a boss that holds it gets its lock points (arrays A and B, the aims
// of its two homing-missile families) locked and placed on its body.
#pragma once
#include <cstdint>

// The sight's centre: LockSightX + width / 2, LockSightY + height / 2.
int32_t SightCentreX();
int32_t SightCentreY();

// Tests the bosses in catalogue order (stages/boss_catalogue.h); a boss that may be
// hit, at or below its gate, whose box holds the sight's centre gets every
// point of both arrays locked.
void BossLockTest();

// Lock setters: lock point i of the boss's array A or B unless it is locked
// already, then place the whole array on the boss (the stage-1 boss places
// point i alone).  An index outside the array is ignored.
void Boss1LockA(int32_t i);
void Boss1LockB(int32_t i);
void Boss3LockA(int32_t i);
void Boss3LockB(int32_t i);
void Boss7LockA(int32_t i);
void Boss7LockB(int32_t i);
void Boss4LockA(int32_t i);
void Boss4LockB(int32_t i);
void Boss5LockA(int32_t i);
void Boss5LockB(int32_t i);
void Boss6LockA(int32_t i);
void Boss6LockB(int32_t i);
void Boss2LockA(int32_t i);
void Boss2LockB(int32_t i);
void Boss8LockA(int32_t i);
void Boss8LockB(int32_t i);
