// The stage-5 boss's curving streams and curving sweeps as rows of the
// shared engines, every one placed from Boss5State.
#include "stages/stage5/boss5_streams.h"

#include "el/system/angles.h"
#include "stages/common/boss_streams.h"

namespace {

using namespace boss_streams;

constexpr OwnerRef kBoss = OwnerAt<Boss5State>();

// Pairs from (110, 140), first flying left, and (250, 140), mirrored.
constexpr CurveRowOf<CurveShot> Ray3(TableRef<CurveShot> shots, int32_t counter,
                                     const CurvePath& path, bool mirrored) {
  return Stream(shots, kBoss, &Boss5State.patternTicks[counter], mirrored ? 250 : 110, 140, path,
                mirrored, &ImgRay3, 20);
}

constexpr float kTurn = 2 * PiF / 280;

}  // namespace

CURVE_FAMILY(Boss5Ray3A, CurveShot, Ray3(Table(Boss5Ray3ASlots), 0, kEightBands, kLeftFirst))
CURVE_FAMILY(Boss5Ray3B, CurveShot, Ray3(Table(Boss5Ray3BSlots), 1, kEightBands, kMirrored))
CURVE_FAMILY(Boss5Ray3C, CurveShot, Ray3(Table(Boss5Ray3CSlots), 2, kTenBands, kLeftFirst))
CURVE_FAMILY(Boss5Ray3D, CurveShot, Ray3(Table(Boss5Ray3DSlots), 3, kTenBands, kMirrored))
CURVE_FAMILY(Boss5Ray3E, CurveShot, Ray3(Table(Boss5Ray3ESlots), 4, kFourteenBands, kLeftFirst))
CURVE_FAMILY(Boss5Ray3F, CurveShot, Ray3(Table(Boss5Ray3FSlots), 5, kFourteenBands, kMirrored))

CHAIN_FAMILY(Boss5Vall3017, Sweep(Table(Boss5Vall3017Slots), kBoss, 175, 30, Bend::Vall3017, kTurn))
CHAIN_FAMILY(Boss5Vall3018, Sweep(Table(Boss5Vall3018Slots), kBoss, 175, 30, Bend::Vall3018, kTurn))
