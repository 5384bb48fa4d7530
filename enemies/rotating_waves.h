// The rotating waves and their guns: the roles the stage scripts call.  Hit
// setters come with the kinds' tables (enemies/kind_tables.h); the lock-on
// arrays Szak40ALockTargets .. Szak41BLockTargets too.
#pragma once
#include "enemies/engine/roles.h"
#include "enemies/kind_tables.h"

// Spinning, lockable waves on the 150-call cycle: Szak40A (40 units per
// second) and Szak41A (25) fall from the top edge and turn right and left,
// firing Shot1 (four records from slot 0) and Shot2 (five from slot 1),
// aimed lines, through their first two windows; Szak40B and Szak41B (25)
// rise from the bottom edge and turn right and left, without guns.
#define ROTATING_WAVE_ROLES(X) \
  X(WAVE, Szak40A)             \
  X(FIRED, Szak40AShot1)       \
  X(FIRED, Szak40AShot2)       \
  X(WAVE, Szak41A)             \
  X(FIRED, Szak41AShot1)       \
  X(FIRED, Szak41AShot2)       \
  X(WAVE, Szak40B)             \
  X(WAVE, Szak41B)

ROTATING_WAVE_ROLES(DECLARE_ROLES)
