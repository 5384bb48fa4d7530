// The small kinds that fly straight through the playfield, with their guns:
// the roles the stage scripts call.  Hit setters come with the kinds'
// tables (enemies/kind_tables.h).
#pragma once
#include "enemies/engine/roles.h"
#include "enemies/kind_tables.h"

// Szak10: a falling craft with an exhaust flame; two bending chains (Shot1
// leaves down and to the left, Shot2 is its mirror image) and a graded line
// of five (Shot3).
#define SMALL_KIND_ROLES(X) \
  X(KIND, Szak10)           \
  X(FIRED, Szak10Shot1)     \
  X(FIRED, Szak10Shot2)     \
  X(FIRED, Szak10Shot3)

SMALL_KIND_ROLES(DECLARE_ROLES)
