// The stage-7 boss's bullet families of the shared designs: the roles the
// stage-7 scene, the boss's attack timeline and the stage-2 scene call.
// Every family places its bullets from Boss7State's position; stage 2 only
// moves and draws them, with their tables parked.
#pragma once
#include "enemies/engine/roles.h"
#include "stages/stage7/boss7_tables.h"

// Twin drops Val405A/B.  Aimed rings Val20241A-D (nothing calls B).  Arc
// rows: the fast animated Val20241E, the slow animated pair Val20241F/G, the
// fixed pair Vall20A/B.  Small bursts Val12A-G (nothing fires them).
#define BOSS7_FAMILY_ROLES(X)  \
  X(SCHEDULED, Boss7Val405A)   \
  X(SCHEDULED, Boss7Val405B)   \
  X(RING, Boss7Val20241A)      \
  X(RING, Boss7Val20241B)      \
  X(RING, Boss7Val20241C)      \
  X(RING, Boss7Val20241D)      \
  X(SCHEDULED, Boss7Val20241E) \
  X(SCHEDULED, Boss7Val20241F) \
  X(SCHEDULED, Boss7Val20241G) \
  X(SCHEDULED, Boss7Vall20A)   \
  X(SCHEDULED, Boss7Vall20B)   \
  X(FIRED, Boss7Val12A)        \
  X(FIRED, Boss7Val12B)        \
  X(FIRED, Boss7Val12C)        \
  X(FIRED, Boss7Val12D)        \
  X(FIRED, Boss7Val12E)        \
  X(FIRED, Boss7Val12F)        \
  X(FIRED, Boss7Val12G)

BOSS7_FAMILY_ROLES(DECLARE_ROLES)
