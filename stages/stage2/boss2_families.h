// The stage-2 boss's bullet families: the roles the stage scenes call.
// Every family places its bullets from Boss2State's position, whichever
// stage runs it (stages 3 and 7 run some of them with the boss parked).
#pragma once
#include "enemies/engine/roles.h"
#include "stages/stage2/boss2_tables.h"
#include "stages/stage3/boss3_tables.h"

// Falling balls (level 3): a column of big balls from the middle (Valarm70)
// and slanting ones (71 left, 72 right), columns of wide bolts from both
// ends (73A/B) with slanting smaller balls (74 left, 75 right).
// Aimed lines of five from the left gun (Vall301A-C, Vall302A, Vall301D/E)
// and the right gun (Vall301F-H, Vall302B, Vall301I/J), 18 degrees apart,
// retired together when record 0 (the slowest) has left.
// Aimed rings of twelve (Val20241A/B).  Rows of five that fall and spread:
// Val402A-D (arc rows), Val20241D/E (wide rows), Val20241C (arc row).
// Twin shots: Val405E (falling), Val405F (parting).  Small falling groups
// dropped from one point (Val1A-I).
// Twin-shot pools: short columns of three that fan out while falling
// (Val405A to the right, Val405B to the left) and straight falling pairs
// (Val405C, Val405D).
#define BOSS2_FAMILY_ROLES(X)   \
  X(SCHEDULED, Boss2Valarm71)   \
  X(SCHEDULED, Boss2Valarm72)   \
  X(SCHEDULED, Boss2Valarm70)   \
  X(SCHEDULED, Boss2Valarm74A)  \
  X(SCHEDULED, Boss2Valarm75A)  \
  X(SCHEDULED, Boss2Valarm73A)  \
  X(SCHEDULED, Boss2Valarm74B)  \
  X(SCHEDULED, Boss2Valarm75B)  \
  X(SCHEDULED, Boss2Valarm73B)  \
  X(FIRED, Boss2Vall301A)       \
  X(FIRED, Boss2Vall301B)       \
  X(FIRED, Boss2Vall301C)       \
  X(FIRED, Boss2Vall302A)       \
  X(FIRED, Boss2Vall301D)       \
  X(FIRED, Boss2Vall301E)       \
  X(FIRED, Boss2Vall301F)       \
  X(FIRED, Boss2Vall301G)       \
  X(FIRED, Boss2Vall301H)       \
  X(FIRED, Boss2Vall302B)       \
  X(FIRED, Boss2Vall301I)       \
  X(FIRED, Boss2Vall301J)       \
  X(RING, Boss2Val20241A)       \
  X(RING, Boss2Val20241B)       \
  X(SCHEDULED, Boss2Val402C)    \
  X(SCHEDULED, Boss2Val402D)    \
  X(SCHEDULED, Boss2Val20241D)  \
  X(SCHEDULED, Boss2Val20241E)  \
  X(SCHEDULED, Boss2Val402A)    \
  X(SCHEDULED, Boss2Val402B)    \
  X(SCHEDULED, Boss2Val20241C)  \
  X(SCHEDULED, Boss2Val405E)    \
  X(SCHEDULED, Boss2Val405F)    \
  X(FIRED, Boss2Val1A)          \
  X(FIRED, Boss2Val1B)          \
  X(FIRED, Boss2Val1C)          \
  X(FIRED, Boss2Val1D)          \
  X(FIRED, Boss2Val1E)          \
  X(FIRED, Boss2Val1F)          \
  X(FIRED, Boss2Val1G)          \
  X(FIRED, Boss2Val1H)          \
  X(FIRED, Boss2Val1I)          \
  X(SCHEDULED, Boss2Val405A)    \
  X(SCHEDULED, Boss2Val405B)    \
  X(SCHEDULED, Boss2Val405C)    \
  X(SCHEDULED, Boss2Val405D)

BOSS2_FAMILY_ROLES(DECLARE_ROLES)
