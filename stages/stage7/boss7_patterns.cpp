// The stage-7 boss's spirals, arms and ring pool as engine rows, every one
// placed from Boss7State.
#include "stages/stage7/boss7_patterns.h"

#include "el/system/angles.h"
#include "enemies/engine/falling_engine.h"
#include "enemies/engine/spiral_engine.h"
#include "enemies/engine/volley_engine.h"
#include "shell/assets.h"

namespace {

constexpr OwnerRef kBoss = OwnerAt<Boss7State>();

// ---- radial spirals ----

// The two sizes of spiral bullet: the picture's cell, the margin past the
// field's top and left edges at which a bullet is freed, and the ship box.
struct SpiralBullet {
  const int32_t* image;
  int32_t cell;
  float margin;
  Bounds ship;
};
constexpr SpiralBullet Small(const int32_t* image) { return {image, 19, 20, ShipBox(10, 20)}; }
constexpr SpiralBullet Large(const int32_t* image) { return {image, 30, 30, ShipBox(0, 10)}; }

// From (column, 130) at 110 px/s, step k heading sense x k x 10 degrees and
// moving along sense x (cos, sin) of it, so the member turning -1 flies to
// the left and the one turning +1 its mirror image to the right.  Drawn
// rotated by -d (sense -1) or 360 - d (sense +1), d the heading's whole
// degrees, which each draw keeps in the record.  Counter += 1, 360 -> 10;
// step k is due at 10 (k + 1), k 1 .. 35, so step 0 has no tick and step 35
// (at 360) never comes.
constexpr SpiralRowOf<SpiralShot> Spiral(TableRef<SpiralShot> shots, int32_t counter,
                                         float column, float sense, const SpiralBullet& b) {
  const Bounds field{-b.margin, 800, -b.margin, 600};
  BulletLook look = EveryRecord(RotatedLook(b.image, b.cell, {sense < 0 ? 0 : 360, true}));
  look.keepsAngle = true;
  return {
      .shots = shots,
      .counter = &Boss7State.patternTicks[counter],
      .cycle = 360,
      .wrap = Wrap::OnReaching,
      .restart = 10,
      .every = 10,
      .offset = 10,
      .firstSlot = 1,
      .lastSlot = SpiralRing - 1,
      .launch = {.owner = kBoss, .fixedSlot = 0, .dx = column, .dy = 130},
      .sense = sense,
      .ringSpeeds = {110, 110, 110},
      .ringFields = {field, field, field},
      .ship = b.ship,
      .look = look,
  };
}

// Three turns in one pool of 108, one record per call: counter += 1, 108 ->
// 0; record s is due at s + 1 with step s mod 36, the records of step 0 (0,
// 36, 72) never, and record 107 (at 108) never comes.
constexpr SpiralRowOf<SpiralShot> TripleSpiral(TableRef<SpiralShot> shots, int32_t counter,
                                               float column, float sense) {
  SpiralRowOf<SpiralShot> row =
      Spiral(shots, counter, column, sense, Large(sense < 0 ? &ImgVall3013 : &ImgVall3014));
  row.cycle = 108;
  row.restart = 0;
  row.every = 1;
  row.offset = 1;
  row.byRecord = true;
  return row;
}

// ---- falling arms ----

// One arm at a time from the gun (record 19 never falls), 150 px/s down and
// `slide` sideways, freed only below y 600; the ship box reaches `reach` px
// left of the arm's corner and 80 px above it.
constexpr FallingRow Arm(TableRef<StraightShot> shots, Point gun, float slide, float reach,
                         const int32_t* image, int32_t width) {
  return OneByOne(shots, kBoss, gun, 150, slide, {-reach, 30, -80, 30},
                  CellOf(image, width, 120, 0, Blit::Additive));
}

}  // namespace

// ---- radial spirals (counters 0 .. 9) ----

SPIRAL_FAMILY(Boss7Val20wA, SpiralShot,
              Spiral(Table(Boss7Val20wASlots), 0, 220, -1, Small(&ImgVal20w)))
SPIRAL_FAMILY(Boss7Val21wA, SpiralShot,
              Spiral(Table(Boss7Val21wASlots), 1, 220, 1, Small(&ImgVal21w)))
SPIRAL_FAMILY(Boss7Val20wB, SpiralShot,
              Spiral(Table(Boss7Val20wBSlots), 2, 120, -1, Small(&ImgVal20w)))
SPIRAL_FAMILY(Boss7Val21wB, SpiralShot,
              Spiral(Table(Boss7Val21wBSlots), 3, 320, 1, Small(&ImgVal21w)))
SPIRAL_FAMILY(Boss7Vall3013A, SpiralShot,
              Spiral(Table(Boss7Vall3013ASlots), 4, 215, -1, Large(&ImgVall3013)))
SPIRAL_FAMILY(Boss7Vall3014A, SpiralShot,
              Spiral(Table(Boss7Vall3014ASlots), 5, 215, 1, Large(&ImgVall3014)))
SPIRAL_FAMILY(Boss7Vall3013B, SpiralShot,
              Spiral(Table(Boss7Vall3013BSlots), 6, 115, -1, Large(&ImgVall3013)))
SPIRAL_FAMILY(Boss7Vall3014B, SpiralShot,
              Spiral(Table(Boss7Vall3014BSlots), 7, 315, 1, Large(&ImgVall3014)))
SPIRAL_FAMILY(Boss7Vall3013C, SpiralShot, TripleSpiral(Table(Boss7Vall3013CSlots), 8, 135, -1))
SPIRAL_FAMILY(Boss7Vall3014C, SpiralShot, TripleSpiral(Table(Boss7Vall3014CSlots), 9, 295, 1))

// ---- falling arms: straight from the ends, slanting inward from the corners ----

FALLING_FAMILY(Boss7Valarm31, Arm(Table(Boss7Valarm31Slots), {20, 110}, 0, 50, &ImgValarm31, 80))
FALLING_FAMILY(Boss7Valarm32, Arm(Table(Boss7Valarm32Slots), {360, 110}, 0, 50, &ImgValarm32, 80))
FALLING_FAMILY(Boss7Valarm33,
               Arm(Table(Boss7Valarm33Slots), {38, 30}, 150, 90, &ImgValarm33, 120))
FALLING_FAMILY(Boss7Valarm34,
               Arm(Table(Boss7Valarm34Slots), {342, 30}, -150, 90, &ImgValarm34, 120))

// ---- the ring pool ----

// Ten rings of thirty from (220, 180) at 100 px/s, ring g on the call its
// ticks reach 30 (g + 1); the ticks go back to 0 on reaching 340, before the
// compares.  Ball j of a ring flies at the aim (the ship + 20) turned by
// 12 j degrees.  Every record is drawn and animated.
VOLLEY_RING_FAMILY_OF(Boss7Val20241H, RingPoolShot, {
    .shots = Table(Boss7Val20241HPool),
    .launch = {.owner = kBoss, .fixedSlot = 0, .dx = 220, .dy = 180},
    .groupSize = 30,
    .cycle = 340,
    .wrap = Wrap::OnReaching,
    .groupTicks = {30, 60, 90, 120, 150, 180, 210, 240, 270, 300},
    .aim = 20,
    .speed = 100,
    .fanStep = 2 * PiF / 30,
    .spread = Spread::Ring,
    .retire = {.field = {-20, 800, -20, 600}, .freeRecordsToo = false},
    .ship = ShipBox(10, 20),
    .look = StripOf(&ImgVal20241, 20, 24, Blit::Additive),
})
