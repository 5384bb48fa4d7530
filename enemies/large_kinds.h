// The large kinds and their guns: the roles the stage scripts call.  Hit
// setters come with the kinds' tables (enemies/kind_tables.h).
#pragma once
#include "enemies/engine/roles.h"
#include "enemies/kind_tables.h"

// Szak52A, Szak52B: gunships on a 45-degree diagonal (both axes move by vy);
// a five-way fan (Shot1), two three-way fans (Shot2, Shot3) and five single
// falling bullets (Shot4 .. Shot8).
//
// Szak51, Szak52C, Szak50A: one-record kinds falling straight; Szak51's
// fans (Shot1 .. Shot3, Shot6 .. Shot8) and falling pairs (Shot4 falls,
// Shot5 parts); Szak52C's pairs (Shot1, Shot2), fan (Shot3) and ring of
// twelve (Shot4).  Szak60: its own scripted record and a six-bullet burst.
//
// Szak53A, Szak53B (from the sides at mid height): two spiral sweeps on the
// kind's own counters and a four-bullet burst fired by the script.
// Szak50B, Szak50C (from the sides): a four-bullet burst; two bending chains
// gated off in play.  Szak54A, Szak54B (from the top corners): a six-bullet
// burst, fired twice, the second time low on the field.
#define LARGE_KIND_ROLES(X)                                                       \
  X(KIND, Szak52A)                                                                \
  X(SCHEDULED, Szak52AShot1)                                                      \
  X(SCHEDULED, Szak52AShot2)                                                      \
  X(SCHEDULED, Szak52AShot3)                                                      \
  X(FIRED, Szak52AShot4)                                                          \
  X(FIRED, Szak52AShot5)                                                          \
  X(FIRED, Szak52AShot6)                                                          \
  X(FIRED, Szak52AShot7)                                                          \
  X(FIRED, Szak52AShot8)                                                          \
  X(KIND, Szak52B)                                                                \
  X(SCHEDULED, Szak52BShot1)                                                      \
  X(SCHEDULED, Szak52BShot2)                                                      \
  X(SCHEDULED, Szak52BShot3)                                                      \
  X(FIRED, Szak52BShot4)                                                          \
  X(FIRED, Szak52BShot5)                                                          \
  X(FIRED, Szak52BShot6)                                                          \
  X(FIRED, Szak52BShot7)                                                          \
  X(FIRED, Szak52BShot8)                                                          \
  X(KIND1, Szak51)                                                                \
  X(SCHEDULED, Szak51Shot1)                                                       \
  X(SCHEDULED, Szak51Shot2)                                                       \
  X(SCHEDULED, Szak51Shot3)                                                       \
  X(SCHEDULED, Szak51Shot4)                                                       \
  X(SCHEDULED, Szak51Shot5)                                                       \
  X(SCHEDULED, Szak51Shot6)                                                       \
  X(SCHEDULED, Szak51Shot7)                                                       \
  X(SCHEDULED, Szak51Shot8)                                                       \
  X(KIND1, Szak52C)                                                               \
  X(SCHEDULED, Szak52CShot1)                                                      \
  X(SCHEDULED, Szak52CShot2)                                                      \
  X(SCHEDULED, Szak52CShot3)                                                      \
  X(RING, Szak52CShot4)                                                           \
  X(KIND1, Szak50A)                                                               \
  X(KIND1, Szak60)                                                                \
  X(FIRED, Szak60Shot1)                                                           \
  X(KIND1, Szak53A)                                                               \
  X(SCHEDULED, Szak53AShot1)                                                      \
  X(SCHEDULED, Szak53AShot2)                                                      \
  X(FIRED, Szak53AShot3)                                                          \
  X(KIND1, Szak53B)                                                               \
  X(SCHEDULED, Szak53BShot1)                                                      \
  X(SCHEDULED, Szak53BShot2)                                                      \
  X(FIRED, Szak53BShot3)                                                          \
  X(KIND1, Szak50B)                                                               \
  X(FIRED, Szak50BShot1)                                                          \
  X(FIRED, Szak50BShot2)                                                          \
  X(FIRED, Szak50BShot3)                                                          \
  X(KIND1, Szak50C)                                                               \
  X(FIRED, Szak50CShot1)                                                          \
  X(FIRED, Szak50CShot2)                                                          \
  X(FIRED, Szak50CShot3)                                                          \
  X(KIND1, Szak54A)                                                               \
  X(FIRED, Szak54AShot1)                                                          \
  X(KIND1, Szak54B)                                                               \
  X(FIRED, Szak54BShot1)

LARGE_KIND_ROLES(DECLARE_ROLES)
