// The small kinds that fly straight through the playfield and their guns, as
// rows of the kind, bullet and chain engines.
#include "enemies/small_kinds.h"

#include "enemies/engine/bullet_engine.h"
#include "enemies/engine/chain_engine.h"
#include "enemies/engine/kind_engine.h"
#include "enemies/explosion_pieces.h"
#include "shell/assets.h"

namespace {

// The same pieces drawn colour-keyed (the explosion while BlendExplosions is 0).
constexpr Pieces AllKeyed(Pieces pieces) {
  for (Piece& p : pieces) p.blit = Blit::Keyed;
  return pieces;
}

// ---- Szak10 ----

// The exhaust flame under the craft: cell animFrame of the 20-cell strip of
// 20 x 70 cells, drawn for every slot in the drawing branch (free ones at
// their park point), then the next cell.
void Szak10Flame(EnemySlot& s, int32_t x, int32_t y) {
  DrawStripCell(Blit::Keyed, x + 25, y - 55, &ImgZfire1, 20, 70, 20, s.animFrame);
}

constexpr Pieces Szak10Pieces = Zbak3bCluster;

// The two chains: the same seven speeds and drifts, mirrored.
constexpr std::array<float, ChainLength> Szak10ChainSpeeds{223, 231, 238, 244, 248, 251, 253};
constexpr Launch Szak10ChainLaunch{
    .owner = Owner<Szak10Slots>(), .perOwner = ChainLength, .dx = 20, .dy = 20};

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
    .unblendedPieces = AllKeyed(Szak10Pieces),
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

STRAIGHT_FAMILY(Szak10Shot3, {
    .shots = Table(Szak10Shot3Slots),
    .launch = {.owner = Owner<Szak10Slots>(), .perOwner = 5, .dx = 27, .dy = 66},
    .vy = Graded({140, 160, 180, 200, 220}),
    .ship = ShipBox(14, 10),
    .look = AdditiveCell(&ImgVal15l, 15, 30),
})
