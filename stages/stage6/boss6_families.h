// The stage-6 boss's bullet families of the shared designs: the roles the
// stage-6 scene and the boss's attack timeline call.  Every family places
// its bullets from Boss6State's position.
#pragma once
#include "enemies/engine/roles.h"
#include "stages/stage6/boss6_tables.h"

// Twin drops Val405A/B; the aimed ring of thirty Val20241D; small bursts
// Val1A-I (animated; nothing fires them); rows: animated arc rows
// Val20241A from the middle, Val401A-D from four columns drawn by place,
// and the animated wide rows Val20241B/C whose outer bullets part.
#define BOSS6_FAMILY_ROLES(X)  \
  X(SCHEDULED, Boss6Val405A)   \
  X(SCHEDULED, Boss6Val405B)   \
  X(RING, Boss6Val20241D)      \
  X(FIRED, Boss6Val1A)         \
  X(FIRED, Boss6Val1B)         \
  X(FIRED, Boss6Val1C)         \
  X(FIRED, Boss6Val1D)         \
  X(FIRED, Boss6Val1E)         \
  X(FIRED, Boss6Val1F)         \
  X(FIRED, Boss6Val1G)         \
  X(FIRED, Boss6Val1H)         \
  X(FIRED, Boss6Val1I)         \
  X(SCHEDULED, Boss6Val20241A) \
  X(SCHEDULED, Boss6Val401A)   \
  X(SCHEDULED, Boss6Val401B)   \
  X(SCHEDULED, Boss6Val401C)   \
  X(SCHEDULED, Boss6Val401D)   \
  X(SCHEDULED, Boss6Val20241B) \
  X(SCHEDULED, Boss6Val20241C)

BOSS6_FAMILY_ROLES(DECLARE_ROLES)
