// The stage-4 boss's curving streams, curving sweeps and aimed lines: the
// roles the stage-4 scene and the boss's attack timeline call.  Every family
// places its bullets from Boss4State's position.
#pragma once
#include "enemies/engine/roles.h"
#include "stages/stage4/boss4_tables.h"

// Curving streams, three mirrored pairs from the boss's middle, on the
// boss's pattern counters 0 .. 5: Ray4A/B (30 px orbs), Ray5A/B (40 px),
// Ray6A/B (50 px); they never touch the ship.  Curving sweeps: chains of
// seven, Vall3017A/Vall3018A from one point, Vall3017B/Vall3018B from two
// points 80 px apart.  Aimed lines of five: Vall3011A-L from the left gun,
// turned +5 .. -6 steps of 30 degrees from the aim, Vall3011M-X from the right
// gun, -5 .. +6 (A, B, J-N and V-X are fired by no script); Vall3011Y-AB
// fast lines straight at the ship from four guns; Vall3011AC/AD fast lines
// of eight pushed left / right and down early in their flight.
#define BOSS4_STREAM_ROLES(X)  \
  X(STREAM, Boss4Ray4A)        \
  X(STREAM, Boss4Ray4B)        \
  X(STREAM, Boss4Ray5A)        \
  X(STREAM, Boss4Ray5B)        \
  X(STREAM, Boss4Ray6A)        \
  X(STREAM, Boss4Ray6B)        \
  X(FIRED, Boss4Vall3017A)     \
  X(FIRED, Boss4Vall3018A)     \
  X(FIRED, Boss4Vall3017B)     \
  X(FIRED, Boss4Vall3018B)     \
  X(FIRED, Boss4Vall3011A)     \
  X(FIRED, Boss4Vall3011B)     \
  X(FIRED, Boss4Vall3011C)     \
  X(FIRED, Boss4Vall3011D)     \
  X(FIRED, Boss4Vall3011E)     \
  X(FIRED, Boss4Vall3011F)     \
  X(FIRED, Boss4Vall3011G)     \
  X(FIRED, Boss4Vall3011H)     \
  X(FIRED, Boss4Vall3011I)     \
  X(FIRED, Boss4Vall3011J)     \
  X(FIRED, Boss4Vall3011K)     \
  X(FIRED, Boss4Vall3011L)     \
  X(FIRED, Boss4Vall3011M)     \
  X(FIRED, Boss4Vall3011N)     \
  X(FIRED, Boss4Vall3011O)     \
  X(FIRED, Boss4Vall3011P)     \
  X(FIRED, Boss4Vall3011Q)     \
  X(FIRED, Boss4Vall3011R)     \
  X(FIRED, Boss4Vall3011S)     \
  X(FIRED, Boss4Vall3011T)     \
  X(FIRED, Boss4Vall3011U)     \
  X(FIRED, Boss4Vall3011V)     \
  X(FIRED, Boss4Vall3011W)     \
  X(FIRED, Boss4Vall3011X)     \
  X(FIRED, Boss4Vall3011Y)     \
  X(FIRED, Boss4Vall3011Z)     \
  X(FIRED, Boss4Vall3011AA)    \
  X(FIRED, Boss4Vall3011AB)    \
  X(FIRED, Boss4Vall3011AC)    \
  X(FIRED, Boss4Vall3011AD)

BOSS4_STREAM_ROLES(DECLARE_ROLES)
