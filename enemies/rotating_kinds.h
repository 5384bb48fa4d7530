// The rotating kinds and their guns: the roles the stage scripts call.  Hit
// setters come with the kinds' tables (enemies/kind_tables.h).
#pragma once
#include "enemies/engine/roles.h"
#include "enemies/kind_tables.h"

// Szak6A, Szak6B, Szak6C: spinning discs falling from the top (the first two
// steering toward the ship), each with an aimed dart.
// Szak6D, Szak6E: lockable spinning gunships entering at the left and the
// right edge on a diagonal: a graded aimed line per slot (Shot1), lines of
// four and five orbs from slots 0 and 1 (Shot2, Shot3), single bullets
// straight, left and right (Shot4-Shot6), and the scheduled fans of five
// from slot 0 (Shot7, whose Fire is the schedule with its emission).
#define ROTATING_KIND_ROLES(X) \
  X(KIND, Szak6A)              \
  X(FIRED, Szak6AShot1)        \
  X(KIND, Szak6B)              \
  X(FIRED, Szak6BShot1)        \
  X(KIND, Szak6C)              \
  X(FIRED, Szak6CShot1)        \
  X(KIND, Szak6D)              \
  X(FIRED, Szak6DShot1)        \
  X(FIRED, Szak6DShot2)        \
  X(FIRED, Szak6DShot3)        \
  X(FIRED, Szak6DShot4)        \
  X(FIRED, Szak6DShot5)        \
  X(FIRED, Szak6DShot6)        \
  X(FIRED, Szak6DShot7)        \
  X(KIND, Szak6E)              \
  X(FIRED, Szak6EShot1)        \
  X(FIRED, Szak6EShot2)        \
  X(FIRED, Szak6EShot3)        \
  X(FIRED, Szak6EShot4)        \
  X(FIRED, Szak6EShot5)        \
  X(FIRED, Szak6EShot6)        \
  X(FIRED, Szak6EShot7)

ROTATING_KIND_ROLES(DECLARE_ROLES)
