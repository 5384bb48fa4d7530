// The diagonal lockable kinds and their guns: the roles the stage scripts
// call.  Hit setters come with the kinds' tables (enemies/kind_tables.h).
#pragma once
#include "enemies/engine/roles.h"
#include "enemies/kind_tables.h"

// Szak21A, Szak21B (entering at the left edge, flying down and to the
// right) and their mirror images Szak22A, Szak22B; the A kinds enter above
// the top with three slots, the B kinds below the top edge with two slots
// and a richer explosion.  The A and B kinds of one side share one lock
// array (Szak21ALockTargets, Szak22ALockTargets).  Each has a five-bullet
// diagonal line per slot (Shot1) and five single bullets that together
// form a fan (Shot2-Shot6).
#define DIAGONAL_KIND_ROLES(X) \
  X(KIND, Szak21A)             \
  X(FIRED, Szak21AShot1)       \
  X(FIRED, Szak21AShot2)       \
  X(FIRED, Szak21AShot3)       \
  X(FIRED, Szak21AShot4)       \
  X(FIRED, Szak21AShot5)       \
  X(FIRED, Szak21AShot6)       \
  X(KIND, Szak22A)             \
  X(FIRED, Szak22AShot1)       \
  X(FIRED, Szak22AShot2)       \
  X(FIRED, Szak22AShot3)       \
  X(FIRED, Szak22AShot4)       \
  X(FIRED, Szak22AShot5)       \
  X(FIRED, Szak22AShot6)       \
  X(KIND, Szak21B)             \
  X(FIRED, Szak21BShot1)       \
  X(FIRED, Szak21BShot2)       \
  X(FIRED, Szak21BShot3)       \
  X(FIRED, Szak21BShot4)       \
  X(FIRED, Szak21BShot5)       \
  X(FIRED, Szak21BShot6)       \
  X(KIND, Szak22B)             \
  X(FIRED, Szak22BShot1)       \
  X(FIRED, Szak22BShot2)       \
  X(FIRED, Szak22BShot3)       \
  X(FIRED, Szak22BShot4)       \
  X(FIRED, Szak22BShot5)       \
  X(FIRED, Szak22BShot6)

DIAGONAL_KIND_ROLES(DECLARE_ROLES)
