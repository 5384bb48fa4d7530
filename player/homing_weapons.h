// The homing weapons as the stage scenes run them after the shot hit pass:
// the four homing-laser launchers, each stage's homing Moves, and the
// launches of the automatic-fire block.
#pragma once
#include <cstdint>

// HomingLaserSzak6DSchedule, ...Szak6E, ...Szak13A, ...Szak13B.
void HomingLaserSchedules();

// The homing Moves that the scene of stage `stage` (1 to 8) runs every
// unpaused frame, in its order; nothing for another number.
void HomingWeaponsMove(int32_t stage);

// The homing launches of the automatic-fire block: the eight kind missile
// Fires, BossLockTest, then the boss missile Fires in catalogue order (A,
// then B of each boss).
void HomingAutoFire();
