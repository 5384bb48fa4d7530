// The small kinds that fly straight through the playfield, with their guns:
// the roles the stage scripts call.  Hit setters come with the kinds'
// tables (enemies/kind_tables.h).
#pragma once
#include "enemies/engine/roles.h"
#include "enemies/kind_tables.h"

// Szak10: a falling craft with an exhaust flame; two bending chains (Shot1
// leaves down and to the left, Shot2 is its mirror image) and a graded line
// of five (Shot3).
// Szak3, Szak4: lockable craft rising from the bottom, without guns (no
// stage spawns them).
// Szak1A, Szak1B: small craft entering at x 220 and x 520 with an aimed
// dart each.
// Szak9: a falling craft with a graded line (Shot1), a single bullet
// straight down (Shot2) and two drifting left and right (Shot3, Shot4).
// Szak12: a falling gunship with a five-way spread of single bullets
// (Shot1-Shot5: straight, 30 and 46 px/s to either side) and five graded
// lines (Shot6-Shot10: straight, 8 and 17 px/s to either side).
#define SMALL_KIND_ROLES(X) \
  X(KIND, Szak10)           \
  X(FIRED, Szak10Shot1)     \
  X(FIRED, Szak10Shot2)     \
  X(FIRED, Szak10Shot3)     \
  X(KIND, Szak3)            \
  X(KIND, Szak4)            \
  X(KIND, Szak1A)           \
  X(FIRED, Szak1AShot1)     \
  X(KIND, Szak1B)           \
  X(FIRED, Szak1BShot1)     \
  X(KIND, Szak9)            \
  X(FIRED, Szak9Shot1)      \
  X(FIRED, Szak9Shot2)      \
  X(FIRED, Szak9Shot3)      \
  X(FIRED, Szak9Shot4)      \
  X(KIND, Szak12)           \
  X(FIRED, Szak12Shot1)     \
  X(FIRED, Szak12Shot2)     \
  X(FIRED, Szak12Shot3)     \
  X(FIRED, Szak12Shot4)     \
  X(FIRED, Szak12Shot5)     \
  X(FIRED, Szak12Shot6)     \
  X(FIRED, Szak12Shot7)     \
  X(FIRED, Szak12Shot8)     \
  X(FIRED, Szak12Shot9)     \
  X(FIRED, Szak12Shot10)

SMALL_KIND_ROLES(DECLARE_ROLES)
