// The stage-7 boss's own bullet designs: the radial spirals, the falling
// arms and the ring pool.  Every family places its bullets from Boss7State's
// position, whichever stage runs it (stage 8 fires the ring pool with the
// boss parked).
#pragma once
#include "enemies/engine/roles.h"
#include "stages/stage7/boss7_tables.h"
#include "stages/stage8/boss8_tables.h"

// Radial spirals in mirrored pairs, one bullet every ten calls turned 10
// degrees on from the last (Val20wA/Val21wA, Val20wB/Val21wB of 19 px;
// Vall3013A/3014A, Vall3013B/3014B of 30 px), and the triple pair
// Vall3013C/3014C that puts one bullet out on every call, three turns to a
// pool.  Their counters are the boss's pattern counters 0 .. 9.
// Falling arms: Valarm31 (left end) and Valarm32 (right end) straight
// down, Valarm33 and Valarm34 from the upper corners slanting inward.
// The ring pool Val20241H: ten rings of thirty aimed at the ship.
#define BOSS7_PATTERN_ROLES(X)    \
  X(SCHEDULED, Boss7Val20wA)      \
  X(SCHEDULED, Boss7Val21wA)      \
  X(SCHEDULED, Boss7Val20wB)      \
  X(SCHEDULED, Boss7Val21wB)      \
  X(SCHEDULED, Boss7Vall3013A)    \
  X(SCHEDULED, Boss7Vall3014A)    \
  X(SCHEDULED, Boss7Vall3013B)    \
  X(SCHEDULED, Boss7Vall3014B)    \
  X(SCHEDULED, Boss7Vall3013C)    \
  X(SCHEDULED, Boss7Vall3014C)    \
  X(SCHEDULED, Boss7Valarm31)     \
  X(SCHEDULED, Boss7Valarm32)     \
  X(SCHEDULED, Boss7Valarm33)     \
  X(SCHEDULED, Boss7Valarm34)     \
  X(RING, Boss7Val20241H)

BOSS7_PATTERN_ROLES(DECLARE_ROLES)
