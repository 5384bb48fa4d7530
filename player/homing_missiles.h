// The homing missiles: launched from the ship at a locked lock record, they
// steer at it until they strike, which hits the target, scores, unlocks the
// record and moves it off the field.
//
// Eight families fly at the lockable enemy kinds (missile i at slot i and its
// lock record i): Szak3, Szak4, Szak21A, Szak22A with three missiles, the
// wave kinds Szak40A, Szak41A, Szak40B, Szak41B with five.  Sixteen families
// fly at the bosses' lock points (family A of a boss at its array A, family
// B at array B) and also take hit points off the boss.  All share one
// engine; each family is a row of parameters.
//
// Fire: launches at every locked record on the field whose missile is free.
// Move: steers, moves, retires and tests the strike of every missile.
// Draw: the missile picture and/or a flickering beam from the ship, by
// family and ship type.
#pragma once
#include <cstdint>

// Points for a strike.
constexpr int32_t HomingMissilePoints = 300;

#define HOMING_MISSILE_DECLARE(family) \
  void family##Fire();                 \
  void family##Move();                 \
  void family##Draw();

HOMING_MISSILE_DECLARE(HomingMissileSzak3)
HOMING_MISSILE_DECLARE(HomingMissileSzak4)
HOMING_MISSILE_DECLARE(HomingMissileSzak21A)
HOMING_MISSILE_DECLARE(HomingMissileSzak22A)
HOMING_MISSILE_DECLARE(HomingMissileSzak40A)
HOMING_MISSILE_DECLARE(HomingMissileSzak41A)
HOMING_MISSILE_DECLARE(HomingMissileSzak40B)
HOMING_MISSILE_DECLARE(HomingMissileSzak41B)

HOMING_MISSILE_DECLARE(HomingMissileBoss1A)
HOMING_MISSILE_DECLARE(HomingMissileBoss1B)
HOMING_MISSILE_DECLARE(HomingMissileBoss3A)
HOMING_MISSILE_DECLARE(HomingMissileBoss3B)
HOMING_MISSILE_DECLARE(HomingMissileBoss7A)
HOMING_MISSILE_DECLARE(HomingMissileBoss7B)
HOMING_MISSILE_DECLARE(HomingMissileBoss4A)
HOMING_MISSILE_DECLARE(HomingMissileBoss4B)
HOMING_MISSILE_DECLARE(HomingMissileBoss5A)
HOMING_MISSILE_DECLARE(HomingMissileBoss5B)
HOMING_MISSILE_DECLARE(HomingMissileBoss6A)
HOMING_MISSILE_DECLARE(HomingMissileBoss6B)
HOMING_MISSILE_DECLARE(HomingMissileBoss2A)
HOMING_MISSILE_DECLARE(HomingMissileBoss2B)
HOMING_MISSILE_DECLARE(HomingMissileBoss8A)
HOMING_MISSILE_DECLARE(HomingMissileBoss8B)

#undef HOMING_MISSILE_DECLARE

// Every boss's family A then family B Fire, in catalogue order.
void HomingMissileBossFires();

// The seven pieces of the flickering beam from the ship's nose (start point
// jittered by the random generator) towards the mark at (mark_x, mark_y),
// bent by the launch vector (launch_dx, launch_dy): four random draws, then
// seven lines of widths 7, 6, 5, 4, 3, 2, 2.
void DrawHomingBeam(float launch_dx, float launch_dy, int32_t mark_x, int32_t mark_y);
