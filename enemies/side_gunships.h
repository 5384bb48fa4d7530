// The side gunships and their guns: the roles the stage scripts call.  Hit
// setters come with the kinds' tables (enemies/kind_tables.h).
#pragma once
#include "enemies/engine/roles.h"
#include "enemies/kind_tables.h"

// Szak13A (entering at the left edge, flying right) and Szak13B (its mirror
// image), each with an aimed dart per slot (Shot1), lines of four and five
// orbs from slots 0 and 1 (Shot2, Shot3) and single bullets falling
// straight, left and right (Shot4-Shot6).
#define SIDE_GUNSHIP_ROLES(X) \
  X(KIND, Szak13A)            \
  X(FIRED, Szak13AShot1)      \
  X(FIRED, Szak13AShot2)      \
  X(FIRED, Szak13AShot3)      \
  X(FIRED, Szak13AShot4)      \
  X(FIRED, Szak13AShot5)      \
  X(FIRED, Szak13AShot6)      \
  X(KIND, Szak13B)            \
  X(FIRED, Szak13BShot1)      \
  X(FIRED, Szak13BShot2)      \
  X(FIRED, Szak13BShot3)      \
  X(FIRED, Szak13BShot4)      \
  X(FIRED, Szak13BShot5)      \
  X(FIRED, Szak13BShot6)

SIDE_GUNSHIP_ROLES(DECLARE_ROLES)
