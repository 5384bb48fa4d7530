// The diagonal waves and their guns, as rows of the wave and bullet engines.
#include "enemies/diagonal_waves.h"

#include "enemies/engine/bullet_engine.h"
#include "enemies/engine/wave_engine.h"
#include "enemies/kind_rows.h"
#include "shell/assets.h"

namespace {

// A wave entering at (x, 20) and flying the diagonal (vx, 200) until it
// leaves 90 <= x <= 620, -90 <= y <= 600.  Its sprite is drawn and its
// explosion runs only while the slot is active.
struct DiagonalFlight {
  TableRef<WaveEnemySlot> slots;
  const int32_t* image;
  int32_t x, vx;
  bool stopsWhileExploding;
};
constexpr WaveRow DiagonalWave(const DiagonalFlight& flight) {
  return {
      .kind = {
          .slots = flight.slots,
          .x = Fixed(flight.x), .y = Fixed(20), .vx = Fixed(flight.vx), .vy = Fixed(200),
          .image = flight.image, .w = 90, .h = 90,
          .spriteWhenFree = false,
          .freeSlotsDraw = true,
          .pieces = DebrisSpray,
          .unblendedPieces = WaveUnblendedPieces,
          .stopsWhileExploding = flight.stopsWhileExploding,
          .xSign = 1,
          .box = {.left = 90, .right = 620, .top = -90, .bottom = 600},
      },
      .cycle = 500,
  };
}

// One gun of the fan: bullet b falls at 130 px/s from craft b + (dx, dy),
// drifting sideways at vx px/s in the sense of xSign; no BombWave test; the
// ship is hit from shipLoY down.
struct FanPlace {
  float dx, dy;
  int32_t vx;
  float xSign;
  float shipLoY;
};
constexpr StraightRow FanGun(TableRef<StraightShot> shots, OwnerRef owner, const FanPlace& at) {
  return {
      .shots = shots,
      .launch = {.owner = owner, .dx = at.dx, .dy = at.dy},
      .vy = SpeedOf(130),
      .vx = SpeedOf(at.vx),
      .xSign = at.xSign,
      .retire = {.bombWave = false},
      .ship = ShipBox(14, at.shipLoY),
      .look = AdditiveCell(&ImgVal13, 16, 16),
  };
}

// The fan's five guns: straight down, and 20 and 40 px/s to either side.
constexpr FanPlace FanStraight{.dx = 37, .dy = 40, .vx = 0, .xSign = 0, .shipLoY = 24};
constexpr FanPlace FanNearLeft{.dx = 37, .dy = 44, .vx = 20, .xSign = -1, .shipLoY = 24};
constexpr FanPlace FanNearRight{.dx = 37, .dy = 44, .vx = 20, .xSign = 1, .shipLoY = 24};
constexpr FanPlace FanFarLeft{.dx = 37, .dy = 30, .vx = 40, .xSign = -1, .shipLoY = 24};
constexpr FanPlace FanFarRight{.dx = 42, .dy = 30, .vx = 40, .xSign = 1, .shipLoY = 20};

}  // namespace

WAVE_KIND(Szak21C, DiagonalWave({.slots = Table(Szak21CSlots), .image = &ImgSzak21,
                                 .x = 90, .vx = 200, .stopsWhileExploding = false}))
WAVE_KIND(Szak22C, DiagonalWave({.slots = Table(Szak22CSlots), .image = &ImgSzak22,
                                 .x = 620, .vx = -200, .stopsWhileExploding = true}))

STRAIGHT_FAMILY(Szak21CShot1, FanGun(Table(Szak21CShot1Slots), Owner<Szak21CSlots>(), FanStraight))
STRAIGHT_FAMILY(Szak21CShot2, FanGun(Table(Szak21CShot2Slots), Owner<Szak21CSlots>(), FanNearLeft))
STRAIGHT_FAMILY(Szak21CShot3, FanGun(Table(Szak21CShot3Slots), Owner<Szak21CSlots>(), FanNearRight))
STRAIGHT_FAMILY(Szak21CShot4, FanGun(Table(Szak21CShot4Slots), Owner<Szak21CSlots>(), FanFarLeft))
STRAIGHT_FAMILY(Szak21CShot5, FanGun(Table(Szak21CShot5Slots), Owner<Szak21CSlots>(), FanFarRight))

STRAIGHT_FAMILY(Szak22CShot1, FanGun(Table(Szak22CShot1Slots), Owner<Szak22CSlots>(), FanStraight))
STRAIGHT_FAMILY(Szak22CShot2, FanGun(Table(Szak22CShot2Slots), Owner<Szak22CSlots>(), FanNearLeft))
STRAIGHT_FAMILY(Szak22CShot3, FanGun(Table(Szak22CShot3Slots), Owner<Szak22CSlots>(), FanNearRight))
STRAIGHT_FAMILY(Szak22CShot4, FanGun(Table(Szak22CShot4Slots), Owner<Szak22CSlots>(), FanFarLeft))
STRAIGHT_FAMILY(Szak22CShot5, FanGun(Table(Szak22CShot5Slots), Owner<Szak22CSlots>(), FanFarRight))
