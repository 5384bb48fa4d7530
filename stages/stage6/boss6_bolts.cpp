// The stage-6 boss's bolts as rows of the aimed-line engine, drawn as
// chains of lines.
#include "stages/stage6/boss6_bolts.h"

#include "el/system/angles.h"
#include "enemies/engine/bullet_engine.h"

namespace {

constexpr OwnerRef kBoss = OwnerAt<Boss6State>();

constexpr float kLeftGun = 205;
constexpr float kRightGun = 245;

// Five segments, thicker toward the fast end; red 151 .. 250, green up to
// 99 below each segment's own, blue 5.
constexpr LineChainLook kBoltLook{
    .segments = 5,
    .width = {5, 6, 7, 8, 9},
    .green = {230, 220, 210, 200, 230},
    .red = 250,
    .blue = 5,
    .redJitter = 100,
    .greenJitter = 100,
};

// One chain of six from the gun at y 150, turned by n x 6 degrees inside the
// aim; the chain stops where it is once its first (slowest) point leaves
// -20 .. 800 x -20 .. 600.  BombWave is not read.  A point kills the ship
// only 10 .. 30 px right of and 20 .. 30 px below the ship's corner.
constexpr AimedRow Bolt(TableRef<AimedShot> shots, float gun_x, int32_t n) {
  return {
      .shots = shots,
      .launch = {.owner = kBoss, .perOwner = 6, .dx = gun_x, .dy = 150},
      .aim = 25,
      .speed = Graded({260, 280, 300, 320, 340, 360}),
      .retire = {.field = {-20, 800, -20, 600}, .bombWave = false, .groupFreed = true},
      .ship = ShipBox(10, 20),
      .turn = static_cast<float>(n) * 2 * PiF / 60,
      .turnInAim = true,
      .chain = &kBoltLook,
  };
}

}  // namespace

AIMED_FAMILY(Boss6BoltA, Bolt(Table(Boss6BoltASlots), kLeftGun, -2))
AIMED_FAMILY(Boss6BoltB, Bolt(Table(Boss6BoltBSlots), kRightGun, 2))
AIMED_FAMILY(Boss6BoltC, Bolt(Table(Boss6BoltCSlots), kLeftGun, -4))
AIMED_FAMILY(Boss6BoltD, Bolt(Table(Boss6BoltDSlots), kRightGun, 4))
AIMED_FAMILY(Boss6BoltE, Bolt(Table(Boss6BoltESlots), kLeftGun, -6))
AIMED_FAMILY(Boss6BoltF, Bolt(Table(Boss6BoltFSlots), kRightGun, 6))
