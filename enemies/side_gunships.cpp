// The side gunships and their guns, as rows of the kind and bullet engines.
#include "enemies/side_gunships.h"

#include "enemies/engine/bullet_engine.h"
#include "enemies/engine/kind_engine.h"
#include "enemies/kind_rows.h"
#include "shell/assets.h"

namespace {

// A gunship entering at a side edge (x 90 flying right, x 620 flying left)
// at a random height in the upper third, flying level (its vy is drawn and
// never read).  It is drawn only while it flies; its explosion is five
// bursts of the long strip (the short strip's cell alone while
// BlendExplosions is 0), stops it, and parks it at x -500, which its next
// Move turns into x 360 (below the bottom, so the lock stays).
constexpr KindRow<EnemySlot> Gunship(const SideEntry<EnemySlot>& ship) {
  return {
      .slots = ship.slots,
      .x = Fixed(ship.entryX), .y = Rand(200, 0), .vx = Rand(50, 50), .vy = Rand(60, 50),
      .image = &ImgSzak13, .w = 80, .h = 60,
      .spriteWhenFree = false,
      .freeSlotsDraw = true,
      .pieces = FiveWayBurst(Blit::Additive),
      .unblendedPieces = MainPiece(Blit::Keyed),
      .xSign = ship.side,
      .ySign = 0,
      .box = {.left = 90, .right = 620, .bottom = 600},
      .parkX = 360,
      .lock = SideExitLock(ship.locks),
  };
}

// The three single bullets: VAL13 from (32, 50), rand() % 30 + 100 px/s down.
constexpr StraightRow Pellets(TableRef<StraightShot> shots, OwnerRef owner, Fall fall) {
  return Drops(shots, owner,
               {.dx = 32, .dy = 50, .fall = fall, .look = AdditiveCell(&ImgVal13, 16, 16)});
}
constexpr Fall Downward{.vy = Rand(30, 100)};
constexpr Fall Leftward{.vy = Rand(30, 100), .vx = 30, .side = -1};
constexpr Fall Rightward{.vy = Rand(30, 100), .vx = 30, .side = 1};

}  // namespace

KIND(Szak13A, EnemySlot, Gunship({.slots = Table(Szak13ASlots),
                                  .locks = Table(Szak13ALockTargets),
                                  .entryX = 90, .side = 1}))
KIND(Szak13B, EnemySlot, Gunship({.slots = Table(Szak13BSlots),
                                  .locks = Table(Szak13BLockTargets),
                                  .entryX = 620, .side = -1}))

AIMED_FAMILY(Szak13AShot1, Darts(Table(Szak13AShot1Slots), Owner<Szak13ASlots>(),
                                 {.dx = 25, .dy = 30, .speed = Rand(50, 150)}))
AIMED_FAMILY(Szak13AShot2, OrbLine(Table(Szak13AShot2Slots), Owner<Szak13ASlots>(),
                                   {.slot = 0, .dy = 40, .speeds = FourOrbs}))
AIMED_FAMILY(Szak13AShot3, OrbLine(Table(Szak13AShot3Slots), Owner<Szak13ASlots>(),
                                   {.slot = 1, .dy = 40, .speeds = FiveOrbs}))
STRAIGHT_FAMILY(Szak13AShot4, Pellets(Table(Szak13AShot4Slots), Owner<Szak13ASlots>(), Downward))
STRAIGHT_FAMILY(Szak13AShot5, Pellets(Table(Szak13AShot5Slots), Owner<Szak13ASlots>(), Leftward))
STRAIGHT_FAMILY(Szak13AShot6, Pellets(Table(Szak13AShot6Slots), Owner<Szak13ASlots>(), Rightward))

AIMED_FAMILY(Szak13BShot1, Darts(Table(Szak13BShot1Slots), Owner<Szak13BSlots>(),
                                 {.dx = 25, .dy = 30, .speed = Rand(50, 150)}))
AIMED_FAMILY(Szak13BShot2, OrbLine(Table(Szak13BShot2Slots), Owner<Szak13BSlots>(),
                                   {.slot = 0, .dy = 40, .speeds = FourOrbs}))
AIMED_FAMILY(Szak13BShot3, OrbLine(Table(Szak13BShot3Slots), Owner<Szak13BSlots>(),
                                   {.slot = 1, .dy = 40, .speeds = FiveOrbs}))
STRAIGHT_FAMILY(Szak13BShot4, Pellets(Table(Szak13BShot4Slots), Owner<Szak13BSlots>(), Downward))
STRAIGHT_FAMILY(Szak13BShot5, Pellets(Table(Szak13BShot5Slots), Owner<Szak13BSlots>(), Leftward))
STRAIGHT_FAMILY(Szak13BShot6, Pellets(Table(Szak13BShot6Slots), Owner<Szak13BSlots>(), Rightward))
