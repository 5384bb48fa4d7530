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
constexpr KindRow<EnemySlot> Gunship(TableRef<EnemySlot> slots, TableRef<LockOnTarget> locks,
                                     int32_t entryX, float side) {
  return {
      .slots = slots,
      .x = Fixed(entryX), .y = Rand(200, 0), .vx = Rand(50, 50), .vy = Rand(60, 50),
      .image = &ImgSzak13, .w = 80, .h = 60,
      .spriteWhenFree = false,
      .freeSlotsDraw = true,
      .pieces = FiveWayBurst(Blit::Additive),
      .unblendedPieces = MainPiece(Blit::Keyed),
      .xSign = side,
      .ySign = 0,
      .box = {.left = 90, .right = 620, .bottom = 600},
      .parkX = 360,
      .lock = SideExitLock(locks),
  };
}

// The three single bullets: VAL13 from (32, 50), rand() % 30 + 100 px/s down.
constexpr StraightRow Pellets(TableRef<StraightShot> shots, OwnerRef owner, Fall fall) {
  return Drops(shots, owner, 32, 50, fall, AdditiveCell(&ImgVal13, 16, 16));
}
constexpr Fall Downward{Rand(30, 100)};
constexpr Fall Leftward{Rand(30, 100), 30, -1};
constexpr Fall Rightward{Rand(30, 100), 30, 1};

}  // namespace

KIND(Szak13A, EnemySlot, Gunship(Table(Szak13ASlots), Table(Szak13ALockTargets), 90, 1))
KIND(Szak13B, EnemySlot, Gunship(Table(Szak13BSlots), Table(Szak13BLockTargets), 620, -1))

AIMED_FAMILY(Szak13AShot1,
             Darts(Table(Szak13AShot1Slots), Owner<Szak13ASlots>(), 25, 30, Rand(50, 150)))
AIMED_FAMILY(Szak13AShot2,
             OrbLine(Table(Szak13AShot2Slots), Owner<Szak13ASlots>(), 0, 40, FourOrbs))
AIMED_FAMILY(Szak13AShot3,
             OrbLine(Table(Szak13AShot3Slots), Owner<Szak13ASlots>(), 1, 40, FiveOrbs))
STRAIGHT_FAMILY(Szak13AShot4, Pellets(Table(Szak13AShot4Slots), Owner<Szak13ASlots>(), Downward))
STRAIGHT_FAMILY(Szak13AShot5, Pellets(Table(Szak13AShot5Slots), Owner<Szak13ASlots>(), Leftward))
STRAIGHT_FAMILY(Szak13AShot6, Pellets(Table(Szak13AShot6Slots), Owner<Szak13ASlots>(), Rightward))

AIMED_FAMILY(Szak13BShot1,
             Darts(Table(Szak13BShot1Slots), Owner<Szak13BSlots>(), 25, 30, Rand(50, 150)))
AIMED_FAMILY(Szak13BShot2,
             OrbLine(Table(Szak13BShot2Slots), Owner<Szak13BSlots>(), 0, 40, FourOrbs))
AIMED_FAMILY(Szak13BShot3,
             OrbLine(Table(Szak13BShot3Slots), Owner<Szak13BSlots>(), 1, 40, FiveOrbs))
STRAIGHT_FAMILY(Szak13BShot4, Pellets(Table(Szak13BShot4Slots), Owner<Szak13BSlots>(), Downward))
STRAIGHT_FAMILY(Szak13BShot5, Pellets(Table(Szak13BShot5Slots), Owner<Szak13BSlots>(), Leftward))
STRAIGHT_FAMILY(Szak13BShot6, Pellets(Table(Szak13BShot6Slots), Owner<Szak13BSlots>(), Rightward))
