// The stage-5 boss's curving streams and curving sweeps: the roles the
// stage-5 scene and the boss's attack timeline call.  Every family places
// its bullets from Boss5State's position.
#pragma once
#include "enemies/engine/roles.h"
#include "stages/stage5/boss5_tables.h"

// Curving streams of 20 px orbs, three mirrored pairs from two points of the
// boss on its pattern counters 0 .. 5: Ray3A/B (the eight-band path), Ray3C/D
// (ten bands), Ray3E/F (fourteen bands); they never touch the ship.  Curving
// sweeps: Vall3017 and its mirror Vall3018 from one point.
#define BOSS5_STREAM_ROLES(X) \
  X(STREAM, Boss5Ray3A)       \
  X(STREAM, Boss5Ray3B)       \
  X(STREAM, Boss5Ray3C)       \
  X(STREAM, Boss5Ray3D)       \
  X(STREAM, Boss5Ray3E)       \
  X(STREAM, Boss5Ray3F)       \
  X(FIRED, Boss5Vall3017)     \
  X(FIRED, Boss5Vall3018)

BOSS5_STREAM_ROLES(DECLARE_ROLES)
