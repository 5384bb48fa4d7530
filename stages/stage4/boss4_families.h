// The stage-4 boss's bullet families of the shared designs: the roles the
// stage-4 scene and the boss's attack timeline call.  Every family places
// its bullets from Boss4State's position.
#pragma once
#include "enemies/engine/roles.h"
#include "stages/stage4/boss4_tables.h"

// Twin drops Val405A-C (C parting sideways).  Aimed rings of twelve
// Val20241A/B (nothing schedules them) and fans of three Val20241C/D.  Arc
// rows Vall20A-E and the animated Val20241E/F (nothing schedules them).
// Small bursts Val13A-I (fired only outside play).
#define BOSS4_FAMILY_ROLES(X)  \
  X(SCHEDULED, Boss4Val405A)   \
  X(SCHEDULED, Boss4Val405B)   \
  X(SCHEDULED, Boss4Val405C)   \
  X(RING, Boss4Val20241A)      \
  X(RING, Boss4Val20241B)      \
  X(SCHEDULED, Boss4Val20241C) \
  X(SCHEDULED, Boss4Val20241D) \
  X(SCHEDULED, Boss4Vall20A)   \
  X(SCHEDULED, Boss4Vall20B)   \
  X(SCHEDULED, Boss4Vall20C)   \
  X(SCHEDULED, Boss4Vall20D)   \
  X(SCHEDULED, Boss4Vall20E)   \
  X(SCHEDULED, Boss4Val20241E) \
  X(SCHEDULED, Boss4Val20241F) \
  X(FIRED, Boss4Val13A)        \
  X(FIRED, Boss4Val13B)        \
  X(FIRED, Boss4Val13C)        \
  X(FIRED, Boss4Val13D)        \
  X(FIRED, Boss4Val13E)        \
  X(FIRED, Boss4Val13F)        \
  X(FIRED, Boss4Val13G)        \
  X(FIRED, Boss4Val13H)        \
  X(FIRED, Boss4Val13I)

BOSS4_FAMILY_ROLES(DECLARE_ROLES)
