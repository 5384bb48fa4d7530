// The rotating kinds and their guns: the roles the stage scripts call.  Hit
// setters come with the kinds' tables (enemies/kind_tables.h).
#pragma once
#include "enemies/engine/roles.h"
#include "enemies/kind_tables.h"

// Szak6D and Szak6E: the scheduled fans of five from slot 0 (Fire is the
// schedule with its emission).
#define ROTATING_KIND_ROLES(X) \
  X(FIRED, Szak6DShot7)        \
  X(FIRED, Szak6EShot7)

ROTATING_KIND_ROLES(DECLARE_ROLES)
