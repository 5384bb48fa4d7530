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
constexpr WaveRow DiagonalWave(TableRef<WaveEnemySlot> slots, const int32_t* image, int32_t x,
                               int32_t vx, bool stops_while_exploding) {
  return {
      .kind = {
          .slots = slots,
          .x = Fixed(x), .y = Fixed(20), .vx = Fixed(vx), .vy = Fixed(200),
          .image = image, .w = 90, .h = 90,
          .spriteWhenFree = false,
          .freeSlotsDraw = true,
          .pieces = DebrisSpray,
          .unblendedPieces = WaveUnblendedPieces,
          .stopsWhileExploding = stops_while_exploding,
          .xSign = 1,
          .box = {90, 620, -90, 600},
      },
      .cycle = 500,
  };
}

// One gun of the fan: bullet b falls at 130 px/s from craft b + (dx, dy),
// drifting sideways at vx px/s in the sense of x_sign; no BombWave test.
constexpr StraightRow FanGun(TableRef<StraightShot> shots, OwnerRef owner, float dx, float dy,
                             int32_t vx, float x_sign, float ship_lo_y) {
  return {
      .shots = shots,
      .launch = {.owner = owner, .dx = dx, .dy = dy},
      .vy = SpeedOf(130),
      .vx = SpeedOf(vx),
      .xSign = x_sign,
      .retire = {.bombWave = false},
      .ship = ShipBox(14, ship_lo_y),
      .look = AdditiveCell(&ImgVal13, 16, 16),
  };
}

}  // namespace

WAVE_KIND(Szak21C, DiagonalWave(Table(Szak21CSlots), &ImgSzak21, 90, 200, false))
WAVE_KIND(Szak22C, DiagonalWave(Table(Szak22CSlots), &ImgSzak22, 620, -200, true))

STRAIGHT_FAMILY(Szak21CShot1,
                FanGun(Table(Szak21CShot1Slots), Owner<Szak21CSlots>(), 37, 40, 0, 0, 24))
STRAIGHT_FAMILY(Szak21CShot2,
                FanGun(Table(Szak21CShot2Slots), Owner<Szak21CSlots>(), 37, 44, 20, -1, 24))
STRAIGHT_FAMILY(Szak21CShot3,
                FanGun(Table(Szak21CShot3Slots), Owner<Szak21CSlots>(), 37, 44, 20, 1, 24))
STRAIGHT_FAMILY(Szak21CShot4,
                FanGun(Table(Szak21CShot4Slots), Owner<Szak21CSlots>(), 37, 30, 40, -1, 24))
STRAIGHT_FAMILY(Szak21CShot5,
                FanGun(Table(Szak21CShot5Slots), Owner<Szak21CSlots>(), 42, 30, 40, 1, 20))

STRAIGHT_FAMILY(Szak22CShot1,
                FanGun(Table(Szak22CShot1Slots), Owner<Szak22CSlots>(), 37, 40, 0, 0, 24))
STRAIGHT_FAMILY(Szak22CShot2,
                FanGun(Table(Szak22CShot2Slots), Owner<Szak22CSlots>(), 37, 44, 20, -1, 24))
STRAIGHT_FAMILY(Szak22CShot3,
                FanGun(Table(Szak22CShot3Slots), Owner<Szak22CSlots>(), 37, 44, 20, 1, 24))
STRAIGHT_FAMILY(Szak22CShot4,
                FanGun(Table(Szak22CShot4Slots), Owner<Szak22CSlots>(), 37, 30, 40, -1, 24))
STRAIGHT_FAMILY(Szak22CShot5,
                FanGun(Table(Szak22CShot5Slots), Owner<Szak22CSlots>(), 42, 30, 40, 1, 20))
