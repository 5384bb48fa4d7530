// The stage-1 boss's bullet families as rows of the shared engines, every
// one placed from Boss1State.
#include "stages/stage1/boss1_families.h"

#include "el/system/angles.h"
#include "enemies/engine/bullet_engine.h"
#include "enemies/engine/falling_engine.h"
#include "enemies/engine/spiral_engine.h"
#include "enemies/engine/volley_engine.h"
#include "enemies/twin_shots.h"
#include "shell/assets.h"
#include "stages/patterns/pattern_rows.h"

namespace {

constexpr OwnerRef kBoss = OwnerAt<Boss1State>();
constexpr Bounds kSmallShip = ShipBox(10, 20);  // the 20 x 20 bullets

// ---- aimed lines ----

// Five records on one line from the gun at 260 .. 340 px/s, aimed at the
// ship + aim and turned by `turn` after the aiming rule; record 0, the
// slowest, retires the line where it stands once it is past the margin.  No
// BombWave test.
constexpr AimedRow Line(TableRef<AimedShot> shots, float gun_x, float aim, float turn,
                        float margin, const Bounds& ship, const BulletLook& look) {
  return {
      .shots = shots,
      .launch = {.owner = kBoss, .perOwner = 5, .dx = gun_x, .dy = 100},
      .aim = aim,
      .speed = Graded({260, 280, 300, 320, 340}),
      .retire = {.field = {-margin, 800, -margin, 600}, .bombWave = false, .groupFreed = true},
      .ship = ship,
      .look = look,
      .turn = turn,
  };
}

constexpr BulletLook kVal201Look = AdditiveStrip(&ImgVal201, 20, 7, true);
constexpr BulletLook kVall301Look = EveryRecord(RotatedLook(&ImgVall301, 30));
constexpr float kLineStep = 2 * PiF / 20;

constexpr AimedRow Val201(TableRef<AimedShot> shots, float gun_x) {
  return Line(shots, gun_x, 20, 0, 20, kSmallShip, kVal201Look);
}
constexpr AimedRow Vall301(TableRef<AimedShot> shots, float gun_x, float aim, float turn) {
  return Line(shots, gun_x, aim, turn, 30, ShipBox(0, 10), kVall301Look);
}

// ---- aimed fans from the centre gun (210, 130) ----

constexpr VolleyRowOf<SpiralShot> CentreFan(TableRef<SpiralShot> shots, int32_t group,
                                            int32_t cycle, Wrap wrap, const GroupTicks& ticks,
                                            float speed, const BulletLook& look) {
  return {
      .shots = shots,
      .launch = {.owner = kBoss, .fixedSlot = 0, .dx = 210, .dy = 130},
      .groupSize = group,
      .cycle = cycle,
      .wrap = wrap,
      .groupTicks = ticks,
      .aim = 20,
      .speed = speed,
      .fanStep = 2 * PiF / 30,
      .centre = (group - 1) / 2,
      .retire = {.field = {-20, 800, -20, 600}},
      .ship = kSmallShip,
      .look = look,
  };
}

constexpr BulletLook kVal20241Look = AdditiveStrip(&ImgVal20241, 20, 24, true);

// ---- radial spirals ----

// Counter += 1, 360 -> 10; slot k at 10 (k + 1), k 0 .. 34, from (column,
// 130) at 110 px/s (triple spirals: 110, 120, 130 by ring, the outer rings
// kept within 640 x 480).
constexpr Bounds kSpiralField{-20, 800, -20, 600};
constexpr Bounds kOuterRingField{-20, 640, -20, 480};

constexpr SpiralRowOf<SpiralShot> Spiral(TableRef<SpiralShot> shots, int32_t counter,
                                         float column, float sense) {
  return {
      .shots = shots,
      .counter = &Boss1State.patternTicks[counter],
      .cycle = 360,
      .wrap = Wrap::OnReaching,
      .restart = 10,
      .every = 10,
      .offset = 10,
      .firstSlot = 0,
      .lastSlot = 34,
      .launch = {.owner = kBoss, .fixedSlot = 0, .dx = column, .dy = 130},
      .sense = sense,
      .ringSpeeds = {110, 120, 130},
      .ringFields = {kSpiralField, kOuterRingField, kOuterRingField},
      .ship = kSmallShip,
      .look = kVal20241Look,
  };
}

// ---- falling rows ----

constexpr BulletLook kVall20Added = CellOf(&ImgVall20, 20, 20, 0, Blit::Additive);
constexpr BulletLook kVall20Keyed = CellOf(&ImgVall20, 20, 20, 0, Blit::Keyed);

// A column of three at `x`, rows 90, 113, 120, opening sideways by the
// drifts (three passes) while falling at 120 px/s.
constexpr FallingRow Column(TableRef<StraightShot> shots, float x, float side) {
  return {
      .shots = shots,
      .launch = {.owner = kBoss, .fixedSlot = 0},
      .groupSize = 3,
      .cycle = 800,
      .groupTicks = {60, 120, 180, 240, 300, 360, 420, 480, 540, 600},
      .x = At({x}),
      .y = At({90, 113, 120}),
      .yGroupWide = true,
      .fall = 120,
      .drift = {10 * side, 20 * side, 30 * side},
      .driftPasses = 3,
      .ship = kSmallShip,
      .look = kVall20Keyed,
  };
}

// Pairs falling straight at 200 px/s, as the bosses' twin drops but with the
// 20 x 20 ball.
constexpr TwinSpec PairRow(float left, float right, float y) {
  TwinSpec pair = DropTwins(left, right, y);
  pair.ship = kSmallShip;
  pair.look = kVall20Added;
  return pair;
}

// An arc of five at `x`, rows 90, 113, 120, 113, 90, spreading -100 .. +100
// px/s (five passes) while falling at 130 px/s.
constexpr FallingRow Arc(TableRef<StraightShot> shots, float x) {
  return ArcRow(shots, kBoss,
                {.column = x, .top = 90, .fall = 130, .cycle = 340,
                 .ticks = {30, 60, 90, 120, 150, 180, 210, 240, 270, 300},
                 .spread = {-20, -10, 0, 10, 20}, .spreadPasses = 5});
}

// Arms: one record at a time (record 19 never fires), falling at 150 px/s.
constexpr FallingRow Arm(TableRef<StraightShot> shots, float x, const int32_t* image) {
  return OneByOne(shots, kBoss, {x, 100}, 150, 0, {-120, 30, -140, 30},
                  CellOf(image, 150, 180, 0, Blit::Additive));
}

// Small bursts: every free record at (212, 200).
constexpr FallingRow Burst(TableRef<StraightShot> shots, float fall,
                           const std::array<float, MaxPlaces>& drift) {
  return SmallBurst(shots, kBoss, {212, 200}, fall, drift, kVal12Look);
}

}  // namespace

// ---- aimed lines ----

AIMED_FAMILY(Boss1Val201A, Val201(Table(Boss1Val201ASlots), 90))
AIMED_FAMILY(Boss1Val201B, Val201(Table(Boss1Val201BSlots), 330))
AIMED_FAMILY(Boss1Vall301A, Vall301(Table(Boss1Vall301ASlots), 85, 15, kLineStep))
AIMED_FAMILY(Boss1Vall301B, Vall301(Table(Boss1Vall301BSlots), 85, 9, 0))
AIMED_FAMILY(Boss1Vall301C, Vall301(Table(Boss1Vall301CSlots), 85, 9, -kLineStep))
AIMED_FAMILY(Boss1Vall301D, Vall301(Table(Boss1Vall301DSlots), 325, 15, kLineStep))
AIMED_FAMILY(Boss1Vall301E, Vall301(Table(Boss1Vall301ESlots), 325, 15, 0))
AIMED_FAMILY(Boss1Vall301F, Vall301(Table(Boss1Vall301FSlots), 325, 15, -kLineStep))
AIMED_FAMILY(Boss1Vall301G, Vall301(Table(Boss1Vall301GSlots), 105, 15, 0))
AIMED_FAMILY(Boss1Vall301H, Vall301(Table(Boss1Vall301HSlots), 305, 15, 0))

// ---- twin shots ----

FALLING_FAMILY(Boss1Val405A, TwinShots(Table(Boss1Val405ASlots), kBoss,
                                       {.left = 120, .right = 280, .y = 130, .fall = 280}))
FALLING_FAMILY(Boss1Val405B, TwinShots(Table(Boss1Val405BSlots), kBoss,
                                       {.left = 120, .right = 280, .y = 130, .fall = 250,
                                        .parting = 120, .look = kPartingTwinLook}))

// ---- aimed groups and fans ----

// Groups of four from four guns at 180 .. 209 px/s, no spread; a bullet that
// hits the ship is freed.  Nothing schedules it; every group uses the four
// guns given for the first.
VOLLEY_FAMILY_OF(Boss1Vall20A, AimedShot, {
    .shots = Table(Boss1Vall20ASlots),
    .launch = {.owner = kBoss, .fixedSlot = 0},
    .groupSize = 4,
    .cycle = 630,
    .groupTicks = {100, 200, 300, 440, 500},
    .aim = 20,
    .speed = 180,
    .speedRange = 30,
    .guns = {Point{150, 100}, Point{270, 100}, Point{90, 150}, Point{330, 150}},
    .gunByPlace = true,
    .retire = {.field = {-20, 800, -20, 600}, .hitFrees = true},
    .ship = kSmallShip,
    .look = {LookStyle::Cell, &ImgVall20, 20, 20, 0, 1, Blit::Keyed, false},
})

// Fans of five from (200, 130) over -24 .. +24 degrees around the ship + 10.
VOLLEY_FAMILY(Boss1Val40L, {
    .shots = Table(Boss1Val40LSlots),
    .launch = {.owner = kBoss, .fixedSlot = 0, .dx = 200, .dy = 130},
    .groupSize = 5,
    .cycle = 260,
    .groupTicks = {40, 80, 120, 160, 200},
    .aim = 10,
    .speed = 220,
    .fanStep = 2 * PiF / 30,
    .centre = 2,
    .retire = {.field = {-40, 800, -40, 600}},
    .ship = {-10, 30, 0, 30},
    .look = EveryRecord(RotatedLook(&ImgVal40l, 39)),
})

VOLLEY_FAMILY_OF(Boss1Val20241G, SpiralShot,
                 CentreFan(Table(Boss1Val20241GSlots), 5, 260, Wrap::OnReaching,
                           {40, 80, 120, 160, 200}, 220, kVal20241Look))
VOLLEY_FAMILY_OF(Boss1Val20241H, SpiralShot,
                 CentreFan(Table(Boss1Val20241HSlots), 7, 130, Wrap::OnReaching,
                           {20, 40, 60, 80, 100}, 200, kVal20241Look))
// Its last group fires at the cycle value: the tick wraps on exceeding it.
VOLLEY_FAMILY_OF(Boss1Vall20B, SpiralShot,
                 CentreFan(Table(Boss1Vall20BSlots), 7, 150, Wrap::OnExceeding,
                           {30, 60, 90, 120, 150}, 200, kVall20Added))

// ---- radial spirals (counters: A, B, C, E, D, F, then I .. N) ----

SPIRAL_FAMILY(Boss1Val20241A, SpiralShot, Spiral(Table(Boss1Val20241ASlots), 0, 210, -1))
SPIRAL_FAMILY(Boss1Val20241B, SpiralShot, Spiral(Table(Boss1Val20241BSlots), 1, 210, 1))
SPIRAL_FAMILY(Boss1Val20241C, SpiralShot, Spiral(Table(Boss1Val20241CSlots), 2, 120, -1))
SPIRAL_FAMILY(Boss1Val20241E, SpiralShot, Spiral(Table(Boss1Val20241ESlots), 3, 300, 1))
SPIRAL_FAMILY(Boss1Val20241D, SpiralShot, Spiral(Table(Boss1Val20241DSlots), 4, 120, 1))
SPIRAL_FAMILY(Boss1Val20241F, SpiralShot, Spiral(Table(Boss1Val20241FSlots), 5, 300, -1))
SPIRAL_FAMILY(Boss1Val20241I, SpiralShot, Spiral(Table(Boss1Val20241ISlots), 6, 210, -1))
SPIRAL_FAMILY(Boss1Val20241J, SpiralShot, Spiral(Table(Boss1Val20241JSlots), 7, 210, 1))
SPIRAL_FAMILY(Boss1Val20241K, SpiralShot, Spiral(Table(Boss1Val20241KSlots), 8, 120, -1))
SPIRAL_FAMILY(Boss1Val20241L, SpiralShot, Spiral(Table(Boss1Val20241LSlots), 9, 120, 1))
SPIRAL_FAMILY(Boss1Val20241M, SpiralShot, Spiral(Table(Boss1Val20241MSlots), 10, 300, -1))
SPIRAL_FAMILY(Boss1Val20241N, SpiralShot, Spiral(Table(Boss1Val20241NSlots), 11, 300, 1))

// ---- falling rows ----

// The columns test BombWave like every other falling row.
FALLING_FAMILY(Boss1Vall20C, Column(Table(Boss1Vall20CSlots), 90, 1))
FALLING_FAMILY(Boss1Vall20D, Column(Table(Boss1Vall20DSlots), 330, -1))
FALLING_FAMILY(Boss1Vall20E, TwinShots(Table(Boss1Vall20ESlots), kBoss, PairRow(110, 310, 170)))
FALLING_FAMILY(Boss1Vall20F, TwinShots(Table(Boss1Vall20FSlots), kBoss, PairRow(75, 345, 150)))
FALLING_PLACED_FAMILY(Boss1Vall20G, Arc(Table(Boss1Vall20GSlots), 150))
FALLING_PLACED_FAMILY(Boss1Vall20H, Arc(Table(Boss1Vall20HSlots), 270))
FALLING_FAMILY(Boss1Valarm11, Arm(Table(Boss1Valarm11Slots), 0, &ImgValarm11))
FALLING_FAMILY(Boss1Valarm12, Arm(Table(Boss1Valarm12Slots), 290, &ImgValarm12))

// Seven at x 200, rows 154 .. 200, spreading -210 .. +210 px/s (seven
// passes) while falling at 200 px/s; cell = place in the row.
FALLING_FAMILY(Boss1Val404, {
    .shots = Table(Boss1Val404Slots),
    .launch = {.owner = kBoss, .fixedSlot = 0},
    .groupSize = 7,
    .cycle = 140,
    .groupTicks = {25, 50, 75, 100, 125},
    .x = At({200}),
    .y = At({154, 183, 194, 200, 194, 183, 154}),
    .yGroupWide = true,
    .fall = 200,
    .drift = {-30, -20, -10, 0, 10, 20, 30},
    .driftPasses = 7,
    .ship = {-10, 30, 0, 30},
    .look = CellOf(&ImgVal404, 40, 40, 0, Blit::Additive, 40, 7),
})

FALLING_FIRE_FAMILY(Boss1Val12A, Burst(Table(Boss1Val12ASlots), 190, {-30, 30}))
FALLING_FIRE_FAMILY(Boss1Val12B, Burst(Table(Boss1Val12BSlots), 220, {-23, 0, 23}))
FALLING_FIRE_FAMILY(Boss1Val12C, Burst(Table(Boss1Val12CSlots), 260, {-7, 7, -20, 20}))
