// The top and bottom waves and their guns: the roles the stage scripts call.
// Hit setters come with the kinds' tables (enemies/kind_tables.h).
#pragma once
#include "enemies/engine/roles.h"
#include "enemies/kind_tables.h"

// Szak30A and Szak31A fall from the top edge and bend right and left;
// Szak32A and Szak33A rise from the bottom edge and bend right and left.
// Scripted at 25 units per second on the 150-call cycle, Init restarting the
// slot's timer.  Their scripts fire Shot1 (four records from slot 0) and
// Shot2 (five from slot 1), aimed lines; the bottom kinds' guns only while
// GameSubMode is 1.
#define TOP_BOTTOM_WAVE_ROLES(X) \
  X(WAVE, Szak30A)               \
  X(FIRED, Szak30AShot1)         \
  X(FIRED, Szak30AShot2)         \
  X(WAVE, Szak31A)               \
  X(FIRED, Szak31AShot1)         \
  X(FIRED, Szak31AShot2)         \
  X(WAVE, Szak32A)               \
  X(FIRED, Szak32AShot1)         \
  X(FIRED, Szak32AShot2)         \
  X(WAVE, Szak33A)               \
  X(FIRED, Szak33AShot1)         \
  X(FIRED, Szak33AShot2)

TOP_BOTTOM_WAVE_ROLES(DECLARE_ROLES)
