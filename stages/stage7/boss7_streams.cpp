// The stage-7 boss's curving streams as rows of the curve engine, every one
// placed from Boss7State.
#include "stages/stage7/boss7_streams.h"

#include "stages/common/boss_streams.h"

namespace {

using namespace boss_streams;

// The paths, written for the member that first flies left; all fall at
// 6 px per call from the start but the fast one.
constexpr CurvePath kTwelveBands = Path({
    {0, 3, -4, 6},
    {4, 6, -3, 6},
    {7, 9, -2, 6},
    {10, 12, -1, 6},
    {13, 15, 0, 6},
    {16, 18, 1, 6},
    {19, 21, 2, 6},
    {22, 24, 3, 6},
    {25, 27, 4, 6},
    {28, 30, 5, 6},
    {31, 33, 7, 6},
    {34, 280, 9, 6},
});
constexpr CurvePath kSixBands = Extend(kTwelveBands, 5, {{16, 280, 1, 6}});
constexpr CurvePath kThreeBands = Path({
    {0, 3, -4, 6},
    {4, 6, -3, 6},
    {7, 280, -2, 6},
});
constexpr CurvePath kFastBands = Path({
    {0, 10, -4, 2},
    {11, 15, -4, 4},
    {16, 20, -4, 6},
    {21, 280, -3, 6},
});

// From Boss7 + (220, 60), ImgRay7 20 x 20, every slot tested against the ship
// box 10 .. 30 across and 20 .. 30 down.
constexpr CurveRowOf<CurveShot> Ray7(TableRef<CurveShot> shots, int32_t counter,
                                     const CurvePath& path, bool mirror) {
  CurveRowOf<CurveShot> row = Stream(shots, OwnerAt<Boss7State>(),
                                     &Boss7State.patternTicks[counter], 220, 60, path, mirror,
                                     &ImgRay7, 20);
  row.shipTest = true;
  row.ship = ShipBox(10, 20);
  return row;
}

// The fast pair: age 50 per second, a bullet on every second call, runs of 100.
constexpr CurveRowOf<CurveShot> FastRay7(TableRef<CurveShot> shots, int32_t counter, bool mirror) {
  CurveRowOf<CurveShot> row = Ray7(shots, counter, kFastBands, mirror);
  row.ageRate = 50;
  row.every = 2;
  row.run = 100;
  return row;
}

}  // namespace

CURVE_FAMILY(Boss7Ray7A, CurveShot, Ray7(Table(Boss7Ray7ASlots), 10, kTwelveBands, kLeftFirst))
CURVE_FAMILY(Boss7Ray7B, CurveShot, Ray7(Table(Boss7Ray7BSlots), 11, kTwelveBands, kMirrored))
CURVE_FAMILY(Boss7Ray7C, CurveShot, Ray7(Table(Boss7Ray7CSlots), 12, kSixBands, kLeftFirst))
CURVE_FAMILY(Boss7Ray7D, CurveShot, Ray7(Table(Boss7Ray7DSlots), 13, kSixBands, kMirrored))
CURVE_FAMILY(Boss7Ray7E, CurveShot, Ray7(Table(Boss7Ray7ESlots), 14, kThreeBands, kLeftFirst))
CURVE_FAMILY(Boss7Ray7F, CurveShot, Ray7(Table(Boss7Ray7FSlots), 15, kThreeBands, kMirrored))
CURVE_FAMILY(Boss7Ray7G, CurveShot, FastRay7(Table(Boss7Ray7GSlots), 16, kLeftFirst))
CURVE_FAMILY(Boss7Ray7H, CurveShot, FastRay7(Table(Boss7Ray7HSlots), 17, kMirrored))
