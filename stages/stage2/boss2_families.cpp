// The stage-2 boss's bullet families as rows of the shared engines, every
// one placed from Boss2State.
#include "stages/stage2/boss2_families.h"

#include "el/system/angles.h"
#include "enemies/engine/bullet_engine.h"
#include "enemies/engine/falling_engine.h"
#include "enemies/engine/volley_engine.h"
#include "enemies/twin_shots.h"
#include "shell/assets.h"
#include "stages/patterns/pattern_rows.h"

namespace {

constexpr OwnerRef kBoss = OwnerAt<Boss2State>();
constexpr Bounds kSmallShip = ShipBox(10, 20);  // the 20 x 20 bullets
constexpr BulletLook kVal20241Look = AdditiveStrip(&ImgVal20241, 20, 24, true);

// ---- falling balls ----

// One ball at a time from the gun (record 19 never fires), falling at
// 143 px/s, slanting by `slide`; drawn whole, additive.
constexpr FallingRow Ball(TableRef<StraightShot> shots, float gun_x, float gun_y, float slide,
                          const Bounds& ship, const int32_t* image, int32_t w, int32_t h) {
  return OneByOne(shots, kBoss, {gun_x, gun_y}, 143, slide, ship,
                  CellOf(image, w, h, 0, Blit::Additive));
}

constexpr Bounds kBigBallShip{-90, 30, -80, 30};
constexpr Bounds kBoltShip{-30, 30, -80, 30};
constexpr Bounds kSmallBallShip{-30, 30, -20, 30};

constexpr FallingRow BigBall(TableRef<StraightShot> shots, float gun_y, float slide,
                             const int32_t* image) {
  return Ball(shots, 190, gun_y, slide, kBigBallShip, image, 120, 120);
}
constexpr FallingRow Bolt(TableRef<StraightShot> shots, float gun_x) {
  return Ball(shots, gun_x, 66, 0, kBoltShip, &ImgValarm73, 120, 60);
}
constexpr FallingRow SmallBall(TableRef<StraightShot> shots, float gun_x, float slide,
                               const int32_t* image) {
  return Ball(shots, gun_x, 90, slide, kSmallBallShip, image, 60, 60);
}

// ---- aimed lines ----

// Five records on one line from the gun (y 100) at 170 .. 270 px/s, aimed
// at the ship + 15 and turned by n x 18 degrees inside the aiming rule;
// record 0, the slowest, retires the line where it stands once it is 30 px
// past the field.  No BombWave test.  Drawn turned, every record.
constexpr float kLeftGun = 115;
constexpr float kRightGun = 355;

constexpr AimedRow Line(TableRef<AimedShot> shots, float gun_x, int32_t n, const int32_t* image) {
  return {
      .shots = shots,
      .launch = {.owner = kBoss, .perOwner = 5, .dx = gun_x, .dy = 100},
      .aim = 15,
      .speed = Graded({170, 200, 230, 250, 270}),
      .retire = {.field = {-30, 800, -30, 600}, .bombWave = false, .groupFreed = true},
      .ship = ShipBox(0, 10),
      .look = EveryRecord(RotatedLook(image, 30)),
      .turn = static_cast<float>(n) * 2 * PiF / 20,
      .turnInAim = true,
  };
}

// ---- aimed rings ----

// Ring g of six at tick kRingTicks[g] of a 200-call cycle.
constexpr GroupTicks kRingTicks{30, 50, 90, 110, 130, 150};

// ---- rows of five ----

// An arc of five at column `x`, rows (row_y, + 23, + 30, + 23, + 0),
// spreading -100 .. +100 px/s (five passes of -20, -10, 0, 10, 20).
constexpr Offsets ArcRows(float row_y) {
  return At({row_y, row_y + 23, row_y + 30, row_y + 23, row_y});
}
constexpr std::array<float, MaxPlaces> kArcDrift{-20, -10, 0, 10, 20};

// VAL402 arc rows from rows 60 .. 90, falling at 120 px/s; cell = place in
// the row.
constexpr FallingRow Val402Row(TableRef<StraightShot> shots, float x, int32_t cycle,
                               const GroupTicks& ticks) {
  return {
      .shots = shots,
      .launch = {.owner = kBoss, .fixedSlot = 0},
      .groupSize = 5,
      .cycle = cycle,
      .groupTicks = ticks,
      .x = At({x}),
      .y = ArcRows(60),
      .yGroupWide = true,
      .fall = 120,
      .drift = kArcDrift,
      .driftPasses = 5,
      .ship = {0, 20, 0, 20},
      .look = CellOf(&ImgVal402, 40, 40, 0, Blit::Additive, 40, 5),
  };
}
constexpr GroupTicks kSlowRowTicks{80, 160, 240, 320, 400, 480, 560, 640, 720, 800};
constexpr GroupTicks kFastRowTicks{10, 20, 30, 40, 100, 110, 120, 180, 190, 200};

// A wide row of five 22 px apart around `centre`, rows 50 .. 80, whose
// outer bullets spread at -100 and +100 px/s (five passes) while all fall
// at 180 px/s.
constexpr FallingRow WideRow(TableRef<StraightShot> shots, float centre) {
  return {
      .shots = shots,
      .launch = {.owner = kBoss, .fixedSlot = 0},
      .groupSize = 5,
      .cycle = 150,
      .groupTicks = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100},
      .x = At({centre - 44, centre - 22, centre, centre + 22, centre + 44}),
      .xGroupWide = true,
      .y = ArcRows(50),
      .yGroupWide = true,
      .fall = 180,
      .drift = {-20, 0, 0, 0, 20},
      .driftPasses = 5,
      .ship = kSmallShip,
      .look = kVal20241Look,
  };
}

// ---- small falling groups ----

// Every free record of the pool at the gun point; the drifts stand at the
// head of every pass of the move loop, free records included.
constexpr BulletLook kVal1Look{LookStyle::Strip, &ImgVal1, 16, 16, 0, 16, Blit::Keyed, true, {}};

constexpr FallingRow Drop(TableRef<StraightShot> shots, float gun_x, float gun_y, float fall,
                          const std::array<float, MaxPlaces>& drift) {
  return {
      .shots = shots,
      .launch = {.owner = kBoss, .fixedSlot = 0},
      .groupSize = shots.count,
      .x = At({gun_x}),
      .y = At({gun_y}),
      .fall = fall,
      .drift = drift,
      .driftAt = DriftAt::HeadOfEveryPass,
      .ship = ShipBox(14, 24),
      .look = kVal1Look,
  };
}
constexpr std::array<float, MaxPlaces> kPairDrift{-15, 15};
constexpr std::array<float, MaxPlaces> kTripleDrift{-13, 0, 13};

// ---- twin-shot pools ----

// A column of three at `x`, rows 90, 113, 120, fanning out sideways by 30,
// 105 and 165 px/s (one pass, free records too) while falling at 190 px/s;
// no BombWave test; cells by place in the column, keyed.
constexpr FallingRow Column(TableRef<StraightShot> shots, float x, float side, int32_t cell,
                            int32_t cell_step) {
  return {
      .shots = shots,
      .launch = {.owner = kBoss, .fixedSlot = 0},
      .groupSize = 3,
      .cycle = 230,
      .groupTicks = {20, 40, 60, 80, 100, 140, 160, 180, 200, 220},
      .x = At({x}),
      .y = At({90, 113, 120}),
      .yGroupWide = true,
      .fall = 190,
      .drift = {30 * side, 105 * side, 165 * side},
      .bombWave = false,
      .ship = {0, 20, 0, 20},
      .look = CellOf(&ImgVal405, 40, 40, cell, Blit::Keyed, cell_step, 3),
  };
}

}  // namespace

// ---- falling balls: big ones from the middle, bolts and small ones from
// the ends; every one tests the ship ----

FALLING_FAMILY(Boss2Valarm70, BigBall(Table(Boss2Valarm70Slots), 126, 0, &ImgValarm70))
FALLING_FAMILY(Boss2Valarm71, BigBall(Table(Boss2Valarm71Slots), 150, -143, &ImgValarm71))
FALLING_FAMILY(Boss2Valarm72, BigBall(Table(Boss2Valarm72Slots), 150, 143, &ImgValarm72))
FALLING_FAMILY(Boss2Valarm73A, Bolt(Table(Boss2Valarm73ASlots), 30))
FALLING_FAMILY(Boss2Valarm74A, SmallBall(Table(Boss2Valarm74ASlots), 30, -143, &ImgValarm74))
FALLING_FAMILY(Boss2Valarm75A, SmallBall(Table(Boss2Valarm75ASlots), 30, 143, &ImgValarm75))
FALLING_FAMILY(Boss2Valarm73B, Bolt(Table(Boss2Valarm73BSlots), 410))
FALLING_FAMILY(Boss2Valarm74B, SmallBall(Table(Boss2Valarm74BSlots), 410, -143, &ImgValarm74))
FALLING_FAMILY(Boss2Valarm75B, SmallBall(Table(Boss2Valarm75BSlots), 410, 143, &ImgValarm75))

// ---- aimed lines: two fans of six, the VALL302 line of each on the ship ----

AIMED_FAMILY(Boss2Vall301A, Line(Table(Boss2Vall301ASlots), kLeftGun, 3, &ImgVall301))
AIMED_FAMILY(Boss2Vall301B, Line(Table(Boss2Vall301BSlots), kLeftGun, 2, &ImgVall301))
AIMED_FAMILY(Boss2Vall301C, Line(Table(Boss2Vall301CSlots), kLeftGun, 1, &ImgVall301))
AIMED_FAMILY(Boss2Vall302A, Line(Table(Boss2Vall302ASlots), kLeftGun, 0, &ImgVall302))
AIMED_FAMILY(Boss2Vall301D, Line(Table(Boss2Vall301DSlots), kLeftGun, -1, &ImgVall301))
AIMED_FAMILY(Boss2Vall301E, Line(Table(Boss2Vall301ESlots), kLeftGun, -2, &ImgVall301))
AIMED_FAMILY(Boss2Vall301F, Line(Table(Boss2Vall301FSlots), kRightGun, -3, &ImgVall301))
AIMED_FAMILY(Boss2Vall301G, Line(Table(Boss2Vall301GSlots), kRightGun, -2, &ImgVall301))
AIMED_FAMILY(Boss2Vall301H, Line(Table(Boss2Vall301HSlots), kRightGun, -1, &ImgVall301))
AIMED_FAMILY(Boss2Vall302B, Line(Table(Boss2Vall302BSlots), kRightGun, 0, &ImgVall302))
AIMED_FAMILY(Boss2Vall301I, Line(Table(Boss2Vall301ISlots), kRightGun, 1, &ImgVall301))
AIMED_FAMILY(Boss2Vall301J, Line(Table(Boss2Vall301JSlots), kRightGun, 2, &ImgVall301))

// ---- aimed rings ----

VOLLEY_RING_FAMILY(Boss2Val20241A,
                   RingOfTwelve(Table(Boss2Val20241ASlots), kBoss, 140, 200, kRingTicks))
VOLLEY_RING_FAMILY(Boss2Val20241B,
                   RingOfTwelve(Table(Boss2Val20241BSlots), kBoss, 340, 200, kRingTicks))

// ---- rows of five ----

FALLING_FAMILY(Boss2Val402A, Val402Row(Table(Boss2Val402ASlots), 200, 860, kSlowRowTicks))
FALLING_FAMILY(Boss2Val402B, Val402Row(Table(Boss2Val402BSlots), 260, 860, kSlowRowTicks))
FALLING_FAMILY(Boss2Val402C, Val402Row(Table(Boss2Val402CSlots), 110, 260, kFastRowTicks))
FALLING_FAMILY(Boss2Val402D, Val402Row(Table(Boss2Val402DSlots), 350, 260, kFastRowTicks))
FALLING_FAMILY(Boss2Val20241D, WideRow(Table(Boss2Val20241DSlots), 120))
FALLING_FAMILY(Boss2Val20241E, WideRow(Table(Boss2Val20241ESlots), 360))

// An arc of five at column 240, rows 110 .. 140, every 20 ticks of a
// 230-call cycle, falling at 130 px/s.
FALLING_FAMILY(Boss2Val20241C, {
    .shots = Table(Boss2Val20241CSlots),
    .launch = {.owner = kBoss, .fixedSlot = 0},
    .groupSize = 5,
    .cycle = 230,
    .groupTicks = {20, 40, 60, 80, 100, 120, 140, 160, 180, 200},
    .x = At({240}),
    .y = ArcRows(110),
    .yGroupWide = true,
    .fall = 130,
    .drift = kArcDrift,
    .driftPasses = 5,
    .ship = kSmallShip,
    .look = kVal20241Look,
})

// ---- twin shots ----

FALLING_FAMILY(Boss2Val405E, TwinShots(Table(Boss2Val405ESlots), kBoss,
                                       {.left = 150, .right = 310, .y = 130, .fall = 280}))
FALLING_FAMILY(Boss2Val405F, TwinShots(Table(Boss2Val405FSlots), kBoss,
                                       {.left = 150, .right = 310, .y = 130, .fall = 250,
                                        .parting = 120, .look = kPartingTwinLook}))

// ---- small falling groups, mirrored about the boss's middle ----

FALLING_FIRE_FAMILY(Boss2Val1A, Drop(Table(Boss2Val1ASlots), 242, 200, 140, kPairDrift))
FALLING_FIRE_FAMILY(Boss2Val1B, Drop(Table(Boss2Val1BSlots), 212, 110, 140, kPairDrift))
FALLING_FIRE_FAMILY(Boss2Val1C, Drop(Table(Boss2Val1CSlots), 272, 110, 140, kPairDrift))
FALLING_FIRE_FAMILY(Boss2Val1D, Drop(Table(Boss2Val1DSlots), 242, 200, 120, kTripleDrift))
FALLING_FIRE_FAMILY(Boss2Val1E, Drop(Table(Boss2Val1ESlots), 192, 150, 120, kTripleDrift))
FALLING_FIRE_FAMILY(Boss2Val1F, Drop(Table(Boss2Val1FSlots), 292, 150, 120, kTripleDrift))
FALLING_FIRE_FAMILY(Boss2Val1G, Drop(Table(Boss2Val1GSlots), 162, 110, 120, kTripleDrift))
FALLING_FIRE_FAMILY(Boss2Val1H, Drop(Table(Boss2Val1HSlots), 322, 110, 120, kTripleDrift))
FALLING_FIRE_FAMILY(Boss2Val1I, Drop(Table(Boss2Val1ISlots), 242, 200, 110, {-7, 7, -20, 20}))

// ---- twin-shot pools ----

FALLING_FAMILY(Boss2Val405A, Column(Table(Boss2Val405ASlots), 110, 1, 160, 40))
FALLING_FAMILY(Boss2Val405B, Column(Table(Boss2Val405BSlots), 350, -1, 80, -40))
FALLING_FAMILY(Boss2Val405C, TwinShots(Table(Boss2Val405CSlots), kBoss, DropTwins(90, 370, 180)))
FALLING_FAMILY(Boss2Val405D, TwinShots(Table(Boss2Val405DSlots), kBoss, DropTwins(60, 400, 160)))
