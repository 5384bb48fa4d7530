// The side waves and their guns: the roles the stage scripts call.  Hit
// setters come with the kinds' tables (enemies/kind_tables.h).
#pragma once
#include "enemies/engine/roles.h"
#include "enemies/kind_tables.h"

// Szak30B (from the left) and Szak31B (from the right) cross the playfield
// and turn down; Szak32B and Szak33B do the same and turn up.  Scripted on
// the 150-call cycle (Szak31B at 25 units per second, the others at 30),
// drawn from the top and bottom waves' strips in reverse.  Each script fires
// Shot1 through its first turn: one aimed bullet per enemy slot at a random
// speed; Szak32B's and Szak33B's only while GameMode is 2 or GameSubMode 1.
#define SIDE_WAVE_ROLES(X) \
  X(WAVE, Szak30B)         \
  X(FIRED, Szak30BShot1)   \
  X(WAVE, Szak31B)         \
  X(FIRED, Szak31BShot1)   \
  X(WAVE, Szak32B)         \
  X(FIRED, Szak32BShot1)   \
  X(WAVE, Szak33B)         \
  X(FIRED, Szak33BShot1)

SIDE_WAVE_ROLES(DECLARE_ROLES)
