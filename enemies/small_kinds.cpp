// The small kinds that fly straight through the playfield and their guns, as
// rows of the kind, bullet and chain engines.
#include "enemies/small_kinds.h"

#include "el/system/angles.h"
#include "enemies/engine/bullet_engine.h"
#include "enemies/engine/chain_engine.h"
#include "enemies/engine/kind_engine.h"
#include "enemies/kind_rows.h"
#include "shell/assets.h"

namespace {

// ---- Szak10 ----

// The exhaust flame under the craft: cell animFrame of the 20-cell strip of
// 20 x 70 cells, drawn for every slot in the drawing branch (free ones at
// their park point), then the next cell.
void Szak10Flame(EnemySlot& s, int32_t x, int32_t y) {
  DrawStripCell(Blit::Keyed, x + 25, y - 55, &ImgZfire1, 20, 70, 20, s.animFrame);
}

constexpr Pieces Szak10Pieces = FiveWayBurst(Blit::Half);

// The two chains: the same seven speeds and drifts, mirrored.
constexpr std::array<float, ChainLength> Szak10ChainSpeeds{223, 231, 238, 244, 248, 251, 253};
constexpr Launch Szak10ChainLaunch{
    .owner = Owner<Szak10Slots>(), .perOwner = ChainLength, .dx = 20, .dy = 20};

// ---- Szak3, Szak4 ----

// A lockable craft rising from y 480 (vx 0, so it keeps its column), drawn
// only while it flies and parked at x `park` (on leaving its box and by the
// explosion's end); its lock's sight sits at (sightX, sightY) on the slot
// and its record goes home to (290, homeY).
struct RisingCraft {
  TableRef<EnemySlot> slots;
  TableRef<LockOnTarget> locks;
  const int32_t* image;
  int32_t width, height;
  RandomValue x, vy;
  Bounds box;
  float park;
  LockSight sight;
};
constexpr KindRow<EnemySlot> Rising(const RisingCraft& craft) {
  return {
      .slots = craft.slots,
      .x = craft.x, .y = Fixed(480), .vx = Fixed(0), .vy = craft.vy,
      .image = craft.image, .w = craft.width, .h = craft.height,
      .spriteWhenFree = false,
      .freeSlotsDraw = true,
      .pieces = MainPiece(),
      .unblendedPieces = MainPiece(Blit::Keyed),
      .explodedParkX = craft.park,
      .xSign = -1,
      .box = craft.box,
      .parkX = craft.park,
      .lock = BoxedLock(craft.locks, craft.sight),
  };
}

// ---- Szak1A, Szak1B ----

// A small craft entering at a fixed column and drifting up to 9 px/s to one
// side (+1 right, -1 left).
constexpr KindRow<EnemySlot> Szak1Row(TableRef<EnemySlot> slots, int32_t column, float side) {
  return {
      .slots = slots,
      .x = Fixed(column), .y = Fixed(-60), .vx = Rand(10, 0), .vy = Rand(180, 60),
      .image = &ImgSzak1, .w = 60, .h = 60,
      .pieces = MainPiece(),
      .unblendedPieces = MainPiece(Blit::Keyed),
      .xSign = side,
      .box = {.bottom = 600},
  };
}

// ---- Szak12 ----

// The five-way spread of pulsing bullets: straight down, 30 and 46 px/s to
// either side, each at rand() % 50 + 100 px/s down.
constexpr StraightRow Szak12Spread(TableRef<StraightShot> shots, Fall fall) {
  return Drops(shots, Owner<Szak12Slots>(),
               {.dx = 32, .dy = 70, .fall = fall, .look = AdditiveStrip(&ImgVal2, 16, 16, false)});
}
constexpr RandomValue Szak12SpreadVy = Rand(50, 100);

// Szak9's single guns: VAL13 from (22, 50).
constexpr StraightRow Szak9Drop(TableRef<StraightShot> shots, Fall fall) {
  return Drops(shots, Owner<Szak9Slots>(),
               {.dx = 22, .dy = 50, .fall = fall, .look = AdditiveCell(&ImgVal13, 16, 16)});
}

}  // namespace

KIND(Szak10, EnemySlot, {
    .slots = Table(Szak10Slots),
    .x = Rand(310, 210),
    .y = Fixed(-80),
    .vx = Unwritten,
    .vy = Rand(60, 70),
    .image = &ImgSzak10, .w = 70, .h = 80,
    .drawExtra = Szak10Flame,
    .lastCell = 9,
    .pieces = Szak10Pieces,
    .unblendedPieces = Reblitted(Szak10Pieces),
    .box = {.bottom = 600},
})

CHAIN_FAMILY(Szak10Shot1, {
    .shots = Table(Szak10Shot1Slots),
    .launch = Szak10ChainLaunch,
    .startAngle = -2 * PiF / 10,
    .turn = -2 * PiF / 320,
    .sense = -1,
    .speeds = Szak10ChainSpeeds,
    .driftXSign = -1, .driftYSign = -1,
    .look = RotatedLook(&ImgVall3015, 30, {.base = 0, .truncateFirst = true}),
})

CHAIN_FAMILY(Szak10Shot2, {
    .shots = Table(Szak10Shot2Slots),
    .launch = Szak10ChainLaunch,
    .startAngle = 2 * PiF / 10,
    .turn = 2 * PiF / 320,
    .sense = 1,
    .speeds = Szak10ChainSpeeds,
    .driftXSign = 1, .driftYSign = -1,
    .look = RotatedLook(&ImgVall3016, 30, {.base = 360, .truncateFirst = false}),
})

STRAIGHT_FAMILY(Szak10Shot3, Needles(Table(Szak10Shot3Slots), Owner<Szak10Slots>(),
                                     {.dx = 27, .dy = 66}))

KIND(Szak3, EnemySlot, Rising({
    .slots = Table(Szak3Slots),
    .locks = Table(Szak3LockTargets),
    .image = &ImgSzak3, .width = 80, .height = 100,
    .x = Rand(360, 180), .vy = RandNegated(100, 120),
    .box = {.left = 100, .right = 620, .top = -100, .bottom = 600},
    .park = 360,
    .sight = {.sightX = 10, .sightY = 20, .homeY = 500},
}))

KIND(Szak4, EnemySlot, Rising({
    .slots = Table(Szak4Slots),
    .locks = Table(Szak4LockTargets),
    .image = &ImgSzak4, .width = 100, .height = 120,
    .x = Rand(340, 180), .vy = RandNegated(80, 120),
    .box = {.left = 80, .right = 620, .top = -120, .bottom = 600},
    .park = 350,
    .sight = {.sightX = 20, .sightY = 30, .homeY = 0},
}))

KIND(Szak1A, EnemySlot, Szak1Row(Table(Szak1ASlots), 220, 1))
KIND(Szak1B, EnemySlot, Szak1Row(Table(Szak1BSlots), 520, -1))

AIMED_FAMILY(Szak1AShot1, Darts(Table(Szak1AShot1Slots), Owner<Szak1ASlots>(),
                                {.dx = 15, .dy = 50, .speed = Rand(100, 100)}))
AIMED_FAMILY(Szak1BShot1, Darts(Table(Szak1BShot1Slots), Owner<Szak1BSlots>(),
                                {.dx = 15, .dy = 50, .speed = Rand(100, 100)}))

// Szak9 draws a vx at spawn that its Move never applies.
KIND(Szak9, EnemySlot, {
    .slots = Table(Szak9Slots),
    .x = Rand(360, 180), .y = Fixed(-80), .vx = Rand(10, 0), .vy = Rand(60, 50),
    .image = &ImgSzak9, .w = 80, .h = 80,
    .pieces = HalfAndSixDebris,
    .unblendedPieces = MainPiece(Blit::Keyed),
    .box = {.bottom = 600},
})

STRAIGHT_FAMILY(Szak9Shot1, Needles(Table(Szak9Shot1Slots), Owner<Szak9Slots>(),
                                    {.dx = 32, .dy = 54}))
STRAIGHT_FAMILY(Szak9Shot2, Szak9Drop(Table(Szak9Shot2Slots), {.vy = Rand(70, 140)}))
STRAIGHT_FAMILY(Szak9Shot3,
                Szak9Drop(Table(Szak9Shot3Slots), {.vy = Fixed(150), .vx = 20, .side = -1}))
STRAIGHT_FAMILY(Szak9Shot4,
                Szak9Drop(Table(Szak9Shot4Slots), {.vy = Fixed(150), .vx = 20, .side = 1}))

// Szak12 draws a vx at spawn that its Move never applies; its box's left
// bound (x >= 100) only ever re-parks free slots.
KIND(Szak12, EnemySlot, {
    .slots = Table(Szak12Slots),
    .x = Rand(400, 160), .y = Fixed(-100), .vx = Rand(50, 50), .vy = Rand(68, 52),
    .image = &ImgSzak12, .w = 80, .h = 100,
    .pieces = UpTurnPieces,
    .unblendedPieces = Reblitted(UpTurnPieces),
    .box = {.left = 100, .bottom = 600},
})

STRAIGHT_FAMILY(Szak12Shot1, Szak12Spread(Table(Szak12Shot1Slots), {.vy = Szak12SpreadVy}))
STRAIGHT_FAMILY(Szak12Shot2,
                Szak12Spread(Table(Szak12Shot2Slots), {.vy = Szak12SpreadVy, .vx = 30, .side = -1}))
STRAIGHT_FAMILY(Szak12Shot3,
                Szak12Spread(Table(Szak12Shot3Slots), {.vy = Szak12SpreadVy, .vx = 30, .side = 1}))
STRAIGHT_FAMILY(Szak12Shot4,
                Szak12Spread(Table(Szak12Shot4Slots), {.vy = Szak12SpreadVy, .vx = 46, .side = -1}))
STRAIGHT_FAMILY(Szak12Shot5,
                Szak12Spread(Table(Szak12Shot5Slots), {.vy = Szak12SpreadVy, .vx = 46, .side = 1}))
STRAIGHT_FAMILY(Szak12Shot6, Needles(Table(Szak12Shot6Slots), Owner<Szak12Slots>(),
                                     {.dx = 32, .dy = 70}))
STRAIGHT_FAMILY(Szak12Shot7, Needles(Table(Szak12Shot7Slots), Owner<Szak12Slots>(),
                                     {.dx = 32, .dy = 67, .vx = -8}))
STRAIGHT_FAMILY(Szak12Shot8, Needles(Table(Szak12Shot8Slots), Owner<Szak12Slots>(),
                                     {.dx = 32, .dy = 67, .vx = 8}))
STRAIGHT_FAMILY(Szak12Shot9, Needles(Table(Szak12Shot9Slots), Owner<Szak12Slots>(),
                                     {.dx = 32, .dy = 63, .vx = -17}))
STRAIGHT_FAMILY(Szak12Shot10, Needles(Table(Szak12Shot10Slots), Owner<Szak12Slots>(),
                                      {.dx = 32, .dy = 63, .vx = 17}))
