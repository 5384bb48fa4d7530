// The stage-6 boss's lightning bolts: the roles the stage-6 scene and the
// boss's attack timeline call.  Every bolt leaves from Boss6State's position.
#pragma once
#include "enemies/engine/roles.h"
#include "stages/stage6/boss6_tables.h"

// Chains of six points launched together at the ship + (25, 25), each point
// at its own speed (260 .. 360 px/s), drawn as five flickering yellow lines
// that thicken toward the fast end.  A, C, E leave from (205, 150) of the
// boss and turn 12, 24, 36 degrees one way; B, D, F from (245, 150) turn as
// far the other way.  A new chain leaves on the first Fire after the last
// one's slowest point has left the field.
#define BOSS6_BOLT_ROLES(X) \
  X(FIRED, Boss6BoltA)      \
  X(FIRED, Boss6BoltB)      \
  X(FIRED, Boss6BoltC)      \
  X(FIRED, Boss6BoltD)      \
  X(FIRED, Boss6BoltE)      \
  X(FIRED, Boss6BoltF)

BOSS6_BOLT_ROLES(DECLARE_ROLES)
