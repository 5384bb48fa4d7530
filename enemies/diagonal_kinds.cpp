// The diagonal lockable kinds and their guns, as rows of the kind and bullet
// engines.
#include "enemies/diagonal_kinds.h"

#include "enemies/engine/bullet_engine.h"
#include "enemies/engine/kind_engine.h"
#include "enemies/kind_rows.h"
#include "shell/assets.h"

namespace {

// The side a kind enters from, with what its line gun takes from it.
struct DiagonalSide {
  int32_t entryX;
  float xSign;           // +1 down and right, -1 down and left
  const int32_t* image;  // the 90 x 90 craft
  float lineDx;          // the line's launch offset x
  int32_t lineCell;      // left edge of the line bullet's cell in ImgVal151l
};
constexpr DiagonalSide FromLeft{
    .entryX = 90, .xSign = 1, .image = &ImgSzak21, .lineDx = 50, .lineCell = 0};
constexpr DiagonalSide FromRight{
    .entryX = 620, .xSign = -1, .image = &ImgSzak22, .lineDx = 10, .lineCell = 30};

// The A kinds enter above the top, the B kinds below the top edge, faster,
// and burst into debris while BlendExplosions is 1.
struct DiagonalWing {
  int32_t entryY;
  RandomValue vx, vy;
  Pieces pieces;
};
constexpr DiagonalWing WingA{
    .entryY = -90, .vx = Rand(70, 60), .vy = Rand(70, 70), .pieces = MainPiece()};
constexpr DiagonalWing WingB{
    .entryY = 60, .vx = Rand(80, 70), .vy = Rand(80, 80),
    .pieces = WithDebris(Blit::Additive, {Debris(-4, -6), Debris(1, 7), Debris(7, -1),
                                          Debris(-6, 3), Debris(7, 6), Debris(5, -8)})};

// A diagonal kind: drawn only while it flies, with the lock record of its
// side's shared array (record i for slot i) on it at (15, 15) while locked.
// Spawn, the explosion's end and every departure (parked at x 355) treat
// the record as their own.  Its explosion stops it only where `stops` says;
// the others explode flying along their path.
struct DiagonalCraft {
  TableRef<EnemySlot> slots;
  TableRef<LockOnTarget> locks;
  DiagonalSide side;
  DiagonalWing wing;
  bool stopsWhileExploding;
};
constexpr KindRow<EnemySlot> Diagonal(const DiagonalCraft& craft) {
  const DiagonalSide& side = craft.side;
  const DiagonalWing& wing = craft.wing;
  return {
      .slots = craft.slots,
      .x = Fixed(side.entryX), .y = Fixed(wing.entryY), .vx = wing.vx, .vy = wing.vy,
      .image = side.image, .w = 90, .h = 90,
      .spriteWhenFree = false,
      .freeSlotsDraw = true,
      .pieces = wing.pieces,
      .unblendedPieces = MainPiece(Blit::Keyed),
      .stopsWhileExploding = craft.stopsWhileExploding,
      .xSign = side.xSign,
      .box = {.left = 90, .right = 620, .top = -90, .bottom = 600},
      .parkX = 355,
      .lock = BoxedLock(craft.locks, {.sightX = 15, .sightY = 15, .homeY = 0}),
  };
}

// Shot1: five streaks per slot from one point, down the side's 45-degree
// diagonal at 140 .. 220 px/s by place; no limit at the sides.
constexpr StraightRow Streaks(TableRef<StraightShot> shots, OwnerRef owner,
                                   DiagonalSide side) {
  constexpr Speed kGrades = Graded({140, 160, 180, 200, 220});
  Speed vx = kGrades;
  for (float& v : vx.byPlace) v *= side.xSign;
  return {
      .shots = shots,
      .launch = {.owner = owner, .perOwner = 5, .dx = side.lineDx, .dy = 50},
      .vy = kGrades,
      .vx = vx,
      .xSign = 1,
      .retire = {.field = {.top = -30, .bottom = 600}},
      .ship = ShipBox(0, 10),
      .look = {.image = &ImgVal151l, .w = 30, .h = 30, .left = side.lineCell},
  };
}

// Shot2-Shot6: one bullet per slot each, 130 px/s down, together a fan;
// BombWave does not retire them.
struct FanGun {
  float dx, dy;
  Fall fall;
  float shipLoY;
};
constexpr FanGun FanStraight{
    .dx = 37, .dy = 40, .fall = {.vy = Fixed(130)}, .shipLoY = 24};
constexpr FanGun FanNearLeft{
    .dx = 37, .dy = 44, .fall = {.vy = Fixed(130), .vx = 20, .side = -1}, .shipLoY = 24};
constexpr FanGun FanNearRight{
    .dx = 37, .dy = 44, .fall = {.vy = Fixed(130), .vx = 20, .side = 1}, .shipLoY = 24};
constexpr FanGun FanFarLeft{
    .dx = 37, .dy = 30, .fall = {.vy = Fixed(130), .vx = 40, .side = -1}, .shipLoY = 24};
constexpr FanGun FanFarRight{
    .dx = 42, .dy = 30, .fall = {.vy = Fixed(130), .vx = 40, .side = 1}, .shipLoY = 20};

constexpr StraightRow Fan(TableRef<StraightShot> shots, OwnerRef owner, FanGun gun) {
  StraightRow row = Drops(shots, owner,
                          {.dx = gun.dx, .dy = gun.dy, .fall = gun.fall,
                           .look = AdditiveCell(&ImgVal13, 16, 16),
                           .ship = ShipBox(14, gun.shipLoY)});
  row.retire.bombWave = false;
  return row;
}

}  // namespace

KIND(Szak21A, EnemySlot, Diagonal({.slots = Table(Szak21ASlots),
                                    .locks = Table(Szak21ALockTargets),
                                    .side = FromLeft, .wing = WingA,
                                    .stopsWhileExploding = false}))
KIND(Szak22A, EnemySlot, Diagonal({.slots = Table(Szak22ASlots),
                                    .locks = Table(Szak22ALockTargets),
                                    .side = FromRight, .wing = WingA,
                                    .stopsWhileExploding = false}))
KIND(Szak21B, EnemySlot, Diagonal({.slots = Table(Szak21BSlots),
                                    .locks = Table(Szak21ALockTargets),
                                    .side = FromLeft, .wing = WingB,
                                    .stopsWhileExploding = false}))
KIND(Szak22B, EnemySlot, Diagonal({.slots = Table(Szak22BSlots),
                                    .locks = Table(Szak22ALockTargets),
                                    .side = FromRight, .wing = WingB,
                                    .stopsWhileExploding = true}))

STRAIGHT_FAMILY(Szak21AShot1, Streaks(Table(Szak21AShot1Slots), Owner<Szak21ASlots>(), FromLeft))
STRAIGHT_FAMILY(Szak21AShot2, Fan(Table(Szak21AShot2Slots), Owner<Szak21ASlots>(), FanStraight))
STRAIGHT_FAMILY(Szak21AShot3, Fan(Table(Szak21AShot3Slots), Owner<Szak21ASlots>(), FanNearLeft))
STRAIGHT_FAMILY(Szak21AShot4, Fan(Table(Szak21AShot4Slots), Owner<Szak21ASlots>(), FanNearRight))
STRAIGHT_FAMILY(Szak21AShot5, Fan(Table(Szak21AShot5Slots), Owner<Szak21ASlots>(), FanFarLeft))
STRAIGHT_FAMILY(Szak21AShot6, Fan(Table(Szak21AShot6Slots), Owner<Szak21ASlots>(), FanFarRight))

STRAIGHT_FAMILY(Szak22AShot1, Streaks(Table(Szak22AShot1Slots), Owner<Szak22ASlots>(), FromRight))
STRAIGHT_FAMILY(Szak22AShot2, Fan(Table(Szak22AShot2Slots), Owner<Szak22ASlots>(), FanStraight))
STRAIGHT_FAMILY(Szak22AShot3, Fan(Table(Szak22AShot3Slots), Owner<Szak22ASlots>(), FanNearLeft))
STRAIGHT_FAMILY(Szak22AShot4, Fan(Table(Szak22AShot4Slots), Owner<Szak22ASlots>(), FanNearRight))
STRAIGHT_FAMILY(Szak22AShot5, Fan(Table(Szak22AShot5Slots), Owner<Szak22ASlots>(), FanFarLeft))
STRAIGHT_FAMILY(Szak22AShot6, Fan(Table(Szak22AShot6Slots), Owner<Szak22ASlots>(), FanFarRight))

STRAIGHT_FAMILY(Szak21BShot1, Streaks(Table(Szak21BShot1Slots), Owner<Szak21BSlots>(), FromLeft))
STRAIGHT_FAMILY(Szak21BShot2, Fan(Table(Szak21BShot2Slots), Owner<Szak21BSlots>(), FanStraight))
STRAIGHT_FAMILY(Szak21BShot3, Fan(Table(Szak21BShot3Slots), Owner<Szak21BSlots>(), FanNearLeft))
STRAIGHT_FAMILY(Szak21BShot4, Fan(Table(Szak21BShot4Slots), Owner<Szak21BSlots>(), FanNearRight))
STRAIGHT_FAMILY(Szak21BShot5, Fan(Table(Szak21BShot5Slots), Owner<Szak21BSlots>(), FanFarLeft))
STRAIGHT_FAMILY(Szak21BShot6, Fan(Table(Szak21BShot6Slots), Owner<Szak21BSlots>(), FanFarRight))

STRAIGHT_FAMILY(Szak22BShot1, Streaks(Table(Szak22BShot1Slots), Owner<Szak22BSlots>(), FromRight))
STRAIGHT_FAMILY(Szak22BShot2, Fan(Table(Szak22BShot2Slots), Owner<Szak22BSlots>(), FanStraight))
STRAIGHT_FAMILY(Szak22BShot3, Fan(Table(Szak22BShot3Slots), Owner<Szak22BSlots>(), FanNearLeft))
STRAIGHT_FAMILY(Szak22BShot4, Fan(Table(Szak22BShot4Slots), Owner<Szak22BSlots>(), FanNearRight))
STRAIGHT_FAMILY(Szak22BShot5, Fan(Table(Szak22BShot5Slots), Owner<Szak22BSlots>(), FanFarLeft))
STRAIGHT_FAMILY(Szak22BShot6, Fan(Table(Szak22BShot6Slots), Owner<Szak22BSlots>(), FanFarRight))
