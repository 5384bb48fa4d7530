// The lock-on sight: an invisible rectangle above the ship that follows it
// every stage frame, the lock test of the lockable enemy kinds against it,
// and the lock setters that mark one lock record locked.
#pragma once
#include <cstdint>

#include "enemies/records.h"

// Sight size by ship type (1: 640 x 500, 2: 300 x 240); 0 x 0 for any other
// type, which then locks nothing.
int32_t SightWidth();
int32_t SightHeight();

// Moves the sight with the living ship: ship type 1 from the ship's left edge
// - 290 and top - 500, type 2 from - 120 and - 270 (on the truncated ship
// position).  A dead ship leaves the sight where it was.
void SightPlace();

// Tests every slot of the twelve lockable kinds against the sight, in kind
// order and slot order, and locks each slot whose box overlaps it (touching
// edges count).  Slots with the no-hit word set or above y -30 are skipped.
void EnemyLockTest();

// Lock setters: mark record i of the kind's lock array locked (an index
// outside the array is ignored).
void Szak3Lock(int32_t i);
void Szak4Lock(int32_t i);
void Szak6DLock(int32_t i);
void Szak6ELock(int32_t i);
void Szak13ALock(int32_t i);
void Szak13BLock(int32_t i);
void Szak21ALock(int32_t i);
void Szak22ALock(int32_t i);
void Szak40ALock(int32_t i);
void Szak41ALock(int32_t i);
void Szak40BLock(int32_t i);
void Szak41BLock(int32_t i);

// The same on two lock arrays that nothing else reads.
constexpr int32_t SpareLockCount = 5;
extern LockOnTarget SpareLockTargets1[SpareLockCount];
extern LockOnTarget SpareLockTargets2[SpareLockCount];
void SpareLock1(int32_t i);
void SpareLock2(int32_t i);
