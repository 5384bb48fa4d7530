// The stage-1 boss's bullet families: the roles the stage-1 scene calls.
// Every family places its bullets from Boss1State's position.
#pragma once
#include "enemies/engine/roles.h"
#include "stages/stage1/boss1_tables.h"

// Aimed lines of five, retired together when record 0 (the slowest) has
// left: Val201A/B (never fired in play), Vall301A-C (left gun, three lines
// 18 degrees apart), Vall301D-F (right gun), Vall301G/H (inner guns).
// Twin shots: Val405A (falling), Val405B (parting).  Aimed groups of four
// (Vall20A, nothing schedules it).  Aimed fans: Val40L, Val20241G,
// Val20241H, Vall20B.  Radial spirals on the boss's pattern ticks:
// Val20241A-F, and the triple spirals Val20241I-N (nothing schedules them).
// Falling rows: columns Vall20C/D, pairs Vall20E/F, arcs Vall20G/H (no
// caller, and no Emit of their own), arms Valarm11/12, the seven-bullet
// arc Val404, and the small bursts Val12A-C (nothing fires them).
#define BOSS1_FAMILY_ROLES(X)  \
  X(FIRED, Boss1Val201A)       \
  X(FIRED, Boss1Val201B)       \
  X(FIRED, Boss1Vall301A)      \
  X(FIRED, Boss1Vall301B)      \
  X(FIRED, Boss1Vall301C)      \
  X(FIRED, Boss1Vall301D)      \
  X(FIRED, Boss1Vall301E)      \
  X(FIRED, Boss1Vall301F)      \
  X(FIRED, Boss1Vall301G)      \
  X(FIRED, Boss1Vall301H)      \
  X(SCHEDULED, Boss1Val405A)   \
  X(SCHEDULED, Boss1Val405B)   \
  X(SCHEDULED, Boss1Vall20A)   \
  X(SCHEDULED, Boss1Val40L)    \
  X(SCHEDULED, Boss1Val20241A) \
  X(SCHEDULED, Boss1Val20241B) \
  X(SCHEDULED, Boss1Val20241C) \
  X(SCHEDULED, Boss1Val20241D) \
  X(SCHEDULED, Boss1Val20241E) \
  X(SCHEDULED, Boss1Val20241F) \
  X(SCHEDULED, Boss1Val20241I) \
  X(SCHEDULED, Boss1Val20241J) \
  X(SCHEDULED, Boss1Val20241K) \
  X(SCHEDULED, Boss1Val20241L) \
  X(SCHEDULED, Boss1Val20241M) \
  X(SCHEDULED, Boss1Val20241N) \
  X(SCHEDULED, Boss1Val20241G) \
  X(SCHEDULED, Boss1Val20241H) \
  X(SCHEDULED, Boss1Vall20B)   \
  X(SCHEDULED, Boss1Vall20C)   \
  X(SCHEDULED, Boss1Vall20D)   \
  X(SCHEDULED, Boss1Vall20E)   \
  X(SCHEDULED, Boss1Vall20F)   \
  X(PLACED, Boss1Vall20G)      \
  X(PLACED, Boss1Vall20H)      \
  X(SCHEDULED, Boss1Valarm11)  \
  X(SCHEDULED, Boss1Valarm12)  \
  X(SCHEDULED, Boss1Val404)    \
  X(FIRED, Boss1Val12A)        \
  X(FIRED, Boss1Val12B)        \
  X(FIRED, Boss1Val12C)

BOSS1_FAMILY_ROLES(DECLARE_ROLES)
