// The stage-5 boss's bullet families of the shared designs: the roles the
// stage-5 scene and the boss's attack timeline call.  Every family places
// its bullets from Boss5State's position.
#pragma once
#include "enemies/engine/roles.h"
#include "stages/stage5/boss5_tables.h"

// Aimed fans of seven Val20241A/B and of five Val20241C/D; small bursts
// Val13A-I; arc rows: Val402A-C drawn by place (A lower, B and C 60 px either
// side of it), animated Val20241E/F slanting towards each other, and the
// slower animated Val20241G/H.
#define BOSS5_FAMILY_ROLES(X)  \
  X(SCHEDULED, Boss5Val20241A) \
  X(SCHEDULED, Boss5Val20241B) \
  X(SCHEDULED, Boss5Val20241C) \
  X(SCHEDULED, Boss5Val20241D) \
  X(FIRED, Boss5Val13A)        \
  X(FIRED, Boss5Val13B)        \
  X(FIRED, Boss5Val13C)        \
  X(FIRED, Boss5Val13D)        \
  X(FIRED, Boss5Val13E)        \
  X(FIRED, Boss5Val13F)        \
  X(FIRED, Boss5Val13G)        \
  X(FIRED, Boss5Val13H)        \
  X(FIRED, Boss5Val13I)        \
  X(SCHEDULED, Boss5Val402A)   \
  X(SCHEDULED, Boss5Val402B)   \
  X(SCHEDULED, Boss5Val402C)   \
  X(SCHEDULED, Boss5Val20241E) \
  X(SCHEDULED, Boss5Val20241F) \
  X(SCHEDULED, Boss5Val20241G) \
  X(SCHEDULED, Boss5Val20241H)

BOSS5_FAMILY_ROLES(DECLARE_ROLES)
