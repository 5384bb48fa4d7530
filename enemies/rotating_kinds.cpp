// The rotating kinds and their guns, as rows of the kind, bullet and volley
// engines.
#include "enemies/rotating_kinds.h"

#include "el/system/angles.h"
#include "enemies/engine/bullet_engine.h"
#include "enemies/engine/kind_engine.h"
#include "enemies/engine/volley_engine.h"
#include "enemies/kind_rows.h"
#include "shell/assets.h"
#include "shell/game_state.h"

namespace {

// After the move of the frame: sideways at `speed` toward the ship's column
// (both compared by their left edges); level with it, the speed stays.
template <int32_t speed>
void SteerToShip(SpinningEnemySlot& s) {
  if (s.x > PlayerX) {
    s.vx = -static_cast<float>(speed);
  } else if (s.x < PlayerX) {
    s.vx = static_cast<float>(speed);
  }
}

// The spinning disc with its entry values, turned 7 degrees per drawing
// branch, free slots too.
constexpr KindRow<SpinningEnemySlot> Szak6Disc(TableRef<SpinningEnemySlot> slots, RandomValue x,
                                               RandomValue y, RandomValue vx, RandomValue vy) {
  return {.slots = slots, .x = x, .y = y, .vx = vx, .vy = vy,
          .image = &ImgSzak6, .w = 79, .h = 79, .rotated = true, .spin = 7};
}

// Szak6A, Szak6B, Szak6C: discs falling from above the top at a random
// column; a steering disc moves sideways too (the random vx of its spawn
// for one frame, then its steering), the others keep their column.
// Each falls at rand() % 80 + vyBase px/s.
struct FallingDisc {
  TableRef<SpinningEnemySlot> slots;
  int32_t vyBase;
  void (*steer)(SpinningEnemySlot&);
  Pieces pieces, unblendedPieces;
};
constexpr KindRow<SpinningEnemySlot> Szak6Faller(const FallingDisc& disc) {
  KindRow<SpinningEnemySlot> row =
      Szak6Disc(disc.slots, Rand(360, 180), Fixed(-80), Rand(10, 0), Rand(80, disc.vyBase));
  row.pieces = disc.pieces;
  row.unblendedPieces = disc.unblendedPieces;
  row.xSign = disc.steer != nullptr ? 1.0f : 0.0f;
  row.steer = disc.steer;
  row.box = {.bottom = 600};
  return row;
}

constexpr Pieces Szak6APieces =
    WithDebris(Blit::Additive, {Debris(-5, -5), Debris(6, 6), Debris(-6, 4)});
constexpr Pieces Szak6BPieces = WithDebris(
    Blit::Additive, {Debris(-1, -6), Debris(6, 5), Debris(-6, 3), Debris(6, -6), Debris(5, -5)});
constexpr Pieces Szak6GunshipPieces = WithDebris(
    Blit::Additive,
    {Debris(-1, -6), Debris(-1, 7), Debris(-7, -1), Debris(-6, 3), Debris(7, 6), Debris(5, -1)});

// Szak6D, Szak6E: lockable discs entering at a side edge (x 90 flying right,
// x 620 flying left) on a diagonal, drawn for free slots too (at their park
// point), parked at x 360 by the explosion's end as by leaving.
constexpr KindRow<SpinningEnemySlot> Szak6Gunship(const SideEntry<SpinningEnemySlot>& ship) {
  KindRow<SpinningEnemySlot> row = Szak6Disc(ship.slots, Fixed(ship.entryX), Rand(100, 0),
                                             RandBelow(50, 100), RandBelow(50, 90));
  row.freeSlotsDraw = true;
  row.pieces = Szak6GunshipPieces;
  row.unblendedPieces = MainPiece(Blit::Keyed);
  row.explodedParkX = 360;
  row.xSign = ship.side;
  row.box = {.left = 90, .right = 620, .bottom = 600};
  row.parkX = 360;
  row.lock = SideExitLock(ship.locks);
  return row;
}

// The gunships' guns (the same for Szak6D and Szak6E, each from its own
// slots): a graded aimed line per slot that retires as a group, lines of
// four and five orbs from slots 0 and 1, and three single bullets falling
// straight, left and right.
constexpr AimedRow Szak6Darts(TableRef<AimedShot> shots, OwnerRef owner) {
  return {
      .shots = shots,
      .launch = {.owner = owner, .perOwner = 5, .dx = 25, .dy = 25},
      .aim = 15,
      .speed = Graded({260, 280, 300, 320, 340}),
      .retire = {.field = DartField, .groupFreed = true},
      .ship = ShipBox(0, 10),
      .look = RotatedLook(&ImgVall301, 30),
  };
}
constexpr StraightRow Pellets(TableRef<StraightShot> shots, OwnerRef owner, Fall fall) {
  return Drops(shots, owner,
               {.dx = 32, .dy = 50, .fall = fall, .look = AdditiveCell(&ImgVal12, 16, 16)});
}
constexpr Fall Downward{.vy = Rand(50, 100)};
constexpr Fall Leftward{.vy = Rand(50, 100), .vx = 30, .side = -1};
constexpr Fall Rightward{.vy = Rand(50, 100), .vx = 30, .side = 1};

// The fans of Szak6D and Szak6E: 25 records in five groups of five from slot
// 0, at ticks 40 .. 200 of a 250-call cycle; each fan spreads over -24 ..
// +24 degrees around the aim.
constexpr VolleyRow Szak6Fans(TableRef<PatternShot> shots, OwnerRef owner) {
  return {
      .shots = shots,
      .launch = {.owner = owner, .fixedSlot = 0, .dx = 32, .dy = 40},
      .groupSize = 5,
      .cycle = 250,
      .wrap = Wrap::OnReaching,
      .groupTicks = {40, 80, 120, 160, 200},
      .aim = 20,
      .speed = 180,
      .fanStep = 2 * PiF / 30,
      .centre = 2,
      .retire = {.field = {-16, 800, -16, 600}},
      .ship = ShipBox(14, 24),
      .look = AdditiveStrip(&ImgVal1, 16, 16, true),
  };
}

}  // namespace

KIND(Szak6A, SpinningEnemySlot, Szak6Faller({.slots = Table(Szak6ASlots),
                                             .vyBase = 120,
                                             .steer = SteerToShip<50>,
                                             .pieces = Szak6APieces,
                                             .unblendedPieces = Reblitted(Szak6APieces)}))
KIND(Szak6B, SpinningEnemySlot, Szak6Faller({.slots = Table(Szak6BSlots),
                                             .vyBase = 140,
                                             .steer = SteerToShip<55>,
                                             .pieces = Szak6BPieces,
                                             .unblendedPieces = Reblitted(Szak6BPieces)}))
// Szak6C draws a vx at spawn that its Move never applies.
KIND(Szak6C, SpinningEnemySlot, Szak6Faller({.slots = Table(Szak6CSlots),
                                             .vyBase = 40,
                                             .steer = nullptr,
                                             .pieces = HalfAndSixDebris,
                                             .unblendedPieces = MainPiece(Blit::Keyed)}))

AIMED_FAMILY(Szak6AShot1, Darts(Table(Szak6AShot1Slots), Owner<Szak6ASlots>(),
                                {.dx = 25, .dy = 50, .speed = Rand(50, 130)}))
AIMED_FAMILY(Szak6BShot1, Darts(Table(Szak6BShot1Slots), Owner<Szak6BSlots>(),
                                {.dx = 25, .dy = 50, .speed = Rand(50, 140)}))
AIMED_FAMILY(Szak6CShot1, Darts(Table(Szak6CShot1Slots), Owner<Szak6CSlots>(),
                                {.dx = 25, .dy = 50, .speed = Rand(50, 150)}))

KIND(Szak6D, SpinningEnemySlot, Szak6Gunship({.slots = Table(Szak6DSlots),
                                              .locks = Table(Szak6DLockTargets),
                                              .entryX = 90, .side = 1}))
KIND(Szak6E, SpinningEnemySlot, Szak6Gunship({.slots = Table(Szak6ESlots),
                                              .locks = Table(Szak6ELockTargets),
                                              .entryX = 620, .side = -1}))

AIMED_FAMILY(Szak6DShot1, Szak6Darts(Table(Szak6DShot1Slots), Owner<Szak6DSlots>()))
AIMED_FAMILY(Szak6DShot2, OrbLine(Table(Szak6DShot2Slots), Owner<Szak6DSlots>(),
                                  {.slot = 0, .dy = 50, .speeds = FourOrbs}))
AIMED_FAMILY(Szak6DShot3, OrbLine(Table(Szak6DShot3Slots), Owner<Szak6DSlots>(),
                                  {.slot = 1, .dy = 50, .speeds = FiveOrbs}))
STRAIGHT_FAMILY(Szak6DShot4, Pellets(Table(Szak6DShot4Slots), Owner<Szak6DSlots>(), Downward))
STRAIGHT_FAMILY(Szak6DShot5, Pellets(Table(Szak6DShot5Slots), Owner<Szak6DSlots>(), Leftward))
STRAIGHT_FAMILY(Szak6DShot6, Pellets(Table(Szak6DShot6Slots), Owner<Szak6DSlots>(), Rightward))
VOLLEY_FIRE_FAMILY(Szak6DShot7, Szak6Fans(Table(Szak6DShot7Slots), Owner<Szak6DSlots>()))

AIMED_FAMILY(Szak6EShot1, Szak6Darts(Table(Szak6EShot1Slots), Owner<Szak6ESlots>()))
AIMED_FAMILY(Szak6EShot2, OrbLine(Table(Szak6EShot2Slots), Owner<Szak6ESlots>(),
                                  {.slot = 0, .dy = 50, .speeds = FourOrbs}))
AIMED_FAMILY(Szak6EShot3, OrbLine(Table(Szak6EShot3Slots), Owner<Szak6ESlots>(),
                                  {.slot = 1, .dy = 50, .speeds = FiveOrbs}))
STRAIGHT_FAMILY(Szak6EShot4, Pellets(Table(Szak6EShot4Slots), Owner<Szak6ESlots>(), Downward))
STRAIGHT_FAMILY(Szak6EShot5, Pellets(Table(Szak6EShot5Slots), Owner<Szak6ESlots>(), Leftward))
STRAIGHT_FAMILY(Szak6EShot6, Pellets(Table(Szak6EShot6Slots), Owner<Szak6ESlots>(), Rightward))
VOLLEY_FIRE_FAMILY(Szak6EShot7, Szak6Fans(Table(Szak6EShot7Slots), Owner<Szak6ESlots>()))
