// The diagonal waves and their guns: the roles the stage scripts call.  Hit
// setters come with the kinds' tables (enemies/kind_tables.h).
#pragma once
#include "enemies/engine/roles.h"
#include "enemies/kind_tables.h"

// Szak21C (down and to the right; it flies on while it explodes) and Szak22C
// (its mirror image, stopping to explode): five craft a wave on the 500-call
// cycle, no script.  The stage scripts fire their guns every frame of the
// spawn window; each gun keeps one bullet per craft falling at 130 px/s,
// drifting 0 (Shot1), 20 px/s left (Shot2), 20 right (Shot3), 40 left
// (Shot4) or 40 right (Shot5, which no stage runs).
#define DIAGONAL_WAVE_ROLES(X) \
  X(WAVE, Szak21C)             \
  X(FIRED, Szak21CShot1)       \
  X(FIRED, Szak21CShot2)       \
  X(FIRED, Szak21CShot3)       \
  X(FIRED, Szak21CShot4)       \
  X(FIRED, Szak21CShot5)       \
  X(WAVE, Szak22C)             \
  X(FIRED, Szak22CShot1)       \
  X(FIRED, Szak22CShot2)       \
  X(FIRED, Szak22CShot3)       \
  X(FIRED, Szak22CShot4)       \
  X(FIRED, Szak22CShot5)

DIAGONAL_WAVE_ROLES(DECLARE_ROLES)
