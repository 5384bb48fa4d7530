// The stage-5 boss's two laser beams, one each side of its body: the roles
// the boss's attack timeline (Fire) and the stage-5 scene (Draw) call.
//
//   Fire   a beam that is not running is armed where the boss stands now (it
//          then stays there) and tests the ship once, on that call only.
//   Draw   a running beam steps its frame; frames 1 .. 4 draw the four cells
//          of VALARM51 in turn and the fifth step ends the beam (frame 0).
//          A beam armed with a frame left over from the reset (0 .. 9) may
//          show fewer than four cells, or none.
#pragma once
#include "enemies/engine/roles.h"
#include "stages/stage5/boss5_tables.h"

// The role set of a laser beam: stem##Fire, stem##Draw (no Move).
#define DECLARE_ROLES_LASER(stem) \
  void stem##Fire();              \
  void stem##Draw();

// Valarm51A from the boss's left side, Valarm51B from its right.
#define BOSS5_LASER_ROLES(X) \
  X(LASER, Boss5Valarm51A)   \
  X(LASER, Boss5Valarm51B)

BOSS5_LASER_ROLES(DECLARE_ROLES)
