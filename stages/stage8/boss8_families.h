// The stage-8 boss's bullet families of the shared designs: the roles the
// stage-8 scene and the boss's attack timeline call.  Every family places
// its bullets from Boss8State's position.
#pragma once
#include "enemies/engine/roles.h"
#include "stages/stage8/boss8_tables.h"

// Small bursts Val1A-I (animated); keyed arc rows: Vall20 between the
// middle two of the four columns of Val402A-D, drawn by place.
#define BOSS8_FAMILY_ROLES(X) \
  X(FIRED, Boss8Val1A)        \
  X(FIRED, Boss8Val1B)        \
  X(FIRED, Boss8Val1C)        \
  X(FIRED, Boss8Val1D)        \
  X(FIRED, Boss8Val1E)        \
  X(FIRED, Boss8Val1F)        \
  X(FIRED, Boss8Val1G)        \
  X(FIRED, Boss8Val1H)        \
  X(FIRED, Boss8Val1I)        \
  X(SCHEDULED, Boss8Vall20)   \
  X(SCHEDULED, Boss8Val402A)  \
  X(SCHEDULED, Boss8Val402B)  \
  X(SCHEDULED, Boss8Val402C)  \
  X(SCHEDULED, Boss8Val402D)

BOSS8_FAMILY_ROLES(DECLARE_ROLES)
