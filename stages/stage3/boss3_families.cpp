// The stage-3 boss's bullet families as rows of the shared engines, every
// one placed from Boss3State.
#include "stages/stage3/boss3_families.h"

#include "el/system/angles.h"
#include "enemies/engine/falling_engine.h"
#include "enemies/engine/volley_engine.h"
#include "shell/assets.h"
#include "stages/patterns/pattern_rows.h"

namespace {

constexpr OwnerRef kBoss = OwnerAt<Boss3State>();
constexpr Bounds kSmallShip = ShipBox(10, 20);  // the 20 x 20 bullets

// ---- arc rows ----

// Groups of five at boss x + `column`, rows top, +23, +30, +23, top below
// the boss; the five spread by the drift steps (five passes, free records
// too) while the row falls at `fall` px/s and slides by `slide` px/s.
struct ArcSpec {
  float column, top;
  int32_t cycle;
  GroupTicks ticks;
  float fall, slide;
  float step;  // drift of the outer places; the inner ones drift half of it
};

constexpr GroupTicks kEveryThirty{30, 60, 90, 120, 150, 180, 210, 240, 270, 300};
constexpr GroupTicks kThreeByThree{10, 20, 30, 60, 70, 80, 110, 120, 130, 140};

constexpr FallingRow Arc(TableRef<StraightShot> shots, const ArcSpec& a) {
  return {
      .shots = shots,
      .launch = {.owner = kBoss, .fixedSlot = 0},
      .groupSize = 5,
      .cycle = a.cycle,
      .groupTicks = a.ticks,
      .x = At({a.column}),
      .y = At({a.top, a.top + 23, a.top + 30, a.top + 23, a.top}),
      .yGroupWide = true,
      .fall = a.fall,
      .slide = a.slide,
      .drift = {-a.step, -a.step / 2, 0, a.step / 2, a.step},
      .driftPasses = 5,
      .ship = kSmallShip,
      .look = CellOf(&ImgVall20, 20, 20, 0, Blit::Additive),
  };
}

// ---- aimed rings ----

// Ring g of six at tick 20 (g + 1) of a 140-call cycle.
constexpr GroupTicks kRingTicks{20, 40, 60, 80, 100, 120};

}  // namespace

// ---- arc rows (the columns mirror each other about boss x + 220) ----

FALLING_FAMILY(Boss3Vall20A,
               Arc(Table(Boss3Vall20ASlots), {210, 170, 340, kEveryThirty, 176, 0, 16}))
FALLING_FAMILY(Boss3Vall20B,
               Arc(Table(Boss3Vall20BSlots), {150, 90, 170, kThreeByThree, 100, 90, 20}))
FALLING_FAMILY(Boss3Vall20C,
               Arc(Table(Boss3Vall20CSlots), {270, 90, 170, kThreeByThree, 100, -90, 20}))
FALLING_FAMILY(Boss3Vall20D,
               Arc(Table(Boss3Vall20DSlots), {90, 50, 370, kEveryThirty, 180, 45, 20}))
FALLING_FAMILY(Boss3Vall20E,
               Arc(Table(Boss3Vall20ESlots), {330, 50, 370, kEveryThirty, 180, -45, 20}))

// ---- aimed rings (nothing schedules them) ----

VOLLEY_RING_FAMILY(Boss3Val20241A,
                   RingOfTwelve(Table(Boss3Val20241ASlots), kBoss, 110, 140, kRingTicks))
VOLLEY_RING_FAMILY(Boss3Val20241B,
                   RingOfTwelve(Table(Boss3Val20241BSlots), kBoss, 310, 140, kRingTicks))

// ---- small falling groups ----

FALLING_FIRE_FAMILY(Boss3Val12A,
                    SmallBurst(Table(Boss3Val12ASlots), kBoss, {212, 200}, 140, {-20, 20}))
FALLING_FIRE_FAMILY(Boss3Val12B,
                    SmallBurst(Table(Boss3Val12BSlots), kBoss, {212, 200}, 220, {-33, 0, 33}))
FALLING_FIRE_FAMILY(Boss3Val12C,
                    SmallBurst(Table(Boss3Val12CSlots), kBoss, {182, 150}, 220, {-23, 0, 23}))
FALLING_FIRE_FAMILY(Boss3Val12D,
                    SmallBurst(Table(Boss3Val12DSlots), kBoss, {282, 150}, 220, {-23, 0, 23}))
FALLING_FIRE_FAMILY(Boss3Val12E, SmallBurst(Table(Boss3Val12ESlots), kBoss, {232, 200}, 210,
                                            {-17, 17, -30, 30}))
