// The stage-3 boss's bullet families: the roles the stage-3 scene calls.
// Every family places its bullets from Boss3State's position.
#pragma once
#include "enemies/engine/roles.h"
#include "stages/stage3/boss3_tables.h"

// Arc rows of five VALL20 bullets that fan out while falling: Vall20A from
// the centre, Vall20B/C sliding right/left at 90 px/s, Vall20D/E sliding
// right/left at 45 px/s.  Rings of twelve aimed at the ship (Val20241A/B;
// nothing schedules them).  Small falling groups of VAL12 pellets that part
// sideways (Val12A-E; fired only behind a gate that never opens in play).
#define BOSS3_FAMILY_ROLES(X)  \
  X(SCHEDULED, Boss3Vall20A)   \
  X(SCHEDULED, Boss3Vall20B)   \
  X(SCHEDULED, Boss3Vall20C)   \
  X(SCHEDULED, Boss3Vall20D)   \
  X(SCHEDULED, Boss3Vall20E)   \
  X(RING, Boss3Val20241A)      \
  X(RING, Boss3Val20241B)      \
  X(FIRED, Boss3Val12A)        \
  X(FIRED, Boss3Val12B)        \
  X(FIRED, Boss3Val12C)        \
  X(FIRED, Boss3Val12D)        \
  X(FIRED, Boss3Val12E)

BOSS3_FAMILY_ROLES(DECLARE_ROLES)
