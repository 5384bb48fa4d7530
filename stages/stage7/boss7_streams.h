// The stage-7 boss's curving streams: the roles the stage-7 scene and the
// boss's attack timeline call.  Every family places its bullets from
// Boss7State's position.
#pragma once
#include "enemies/engine/roles.h"
#include "stages/stage7/boss7_tables.h"

// Four mirrored pairs of 20 px orbs from one point of the boss, on the
// boss's pattern counters 10 .. 17, every bullet deadly to the ship:
// Ray7A/B (twelve bands, bending back hard), Ray7C/D (six bands), Ray7E/F
// (three bands, never turning back), Ray7G/H (four bands on a faster age,
// a bullet on every second call).
#define BOSS7_STREAM_ROLES(X) \
  X(STREAM, Boss7Ray7A)       \
  X(STREAM, Boss7Ray7B)       \
  X(STREAM, Boss7Ray7C)       \
  X(STREAM, Boss7Ray7D)       \
  X(STREAM, Boss7Ray7E)       \
  X(STREAM, Boss7Ray7F)       \
  X(STREAM, Boss7Ray7G)       \
  X(STREAM, Boss7Ray7H)

BOSS7_STREAM_ROLES(DECLARE_ROLES)
