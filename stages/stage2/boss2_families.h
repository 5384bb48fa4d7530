// The stage-2 boss's bullet families: the roles the stage scenes call.
// Every family places its bullets from Boss2State's position, whichever
// stage runs it (stage 3 runs the twin-shot pools with the boss parked).
#pragma once
#include "enemies/engine/roles.h"
#include "stages/stage2/boss2_tables.h"
#include "stages/stage3/boss3_tables.h"

// Twin-shot pools: short columns of three that fan out while falling
// (Val405A to the right, Val405B to the left) and straight falling pairs
// (Val405C, Val405D).
#define BOSS2_FAMILY_ROLES(X) \
  X(SCHEDULED, Boss2Val405A)  \
  X(SCHEDULED, Boss2Val405B)  \
  X(SCHEDULED, Boss2Val405C)  \
  X(SCHEDULED, Boss2Val405D)

BOSS2_FAMILY_ROLES(DECLARE_ROLES)
