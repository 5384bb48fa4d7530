// The stage-4 boss's curving streams, curving sweeps and aimed lines as rows
// of the shared engines, every one placed from Boss4State.
#include "stages/stage4/boss4_streams.h"

#include "el/system/angles.h"
#include "enemies/engine/bullet_engine.h"
#include "stages/common/boss_streams.h"

namespace {

using namespace boss_streams;

constexpr OwnerRef kBoss = OwnerAt<Boss4State>();

// ---- curving streams ----

constexpr CurveRowOf<CurveShot> Ray(TableRef<CurveShot> shots, int32_t counter, int32_t dx,
                                    int32_t dy, const CurvePath& path, bool mirror,
                                    const int32_t* image, int32_t cell) {
  return Stream(shots, kBoss, &Boss4State.patternTicks[counter], dx, dy, path, mirror, image, cell);
}

// ---- curving sweeps ----

constexpr float kWideTurn = 2 * PiF / 280;
constexpr float kNarrowTurn = 2 * PiF / 320;

// ---- aimed lines ----

// A line from the gun (x, y), aimed at the ship + 15 and turned by k steps of
// 30 degrees within the aiming rule; record 0, the slowest, retires the line
// where it stands once it is a cell past the screen's left or top edge or
// past its right or bottom edge.  No BombWave test; every record drawn turned
// to its heading (270 - whole degrees, reduced by the library).
constexpr float kLineStep = 2 * PiF / 12;
constexpr Speed kSlowLine = Graded({170, 200, 230, 250, 270});
constexpr Speed kFastLine = Graded({260, 280, 300, 320, 340});
constexpr Speed kLongLine = Graded({260, 280, 300, 320, 340, 360, 380, 400});
constexpr float kLeftGun = 85;
constexpr float kRightGun = 325;

constexpr AimedRow Line(TableRef<AimedShot> shots, float x, float y, int32_t k, const Speed& speed,
                        float push = 0.0f) {
  return {
      .shots = shots,
      .launch = {.owner = kBoss, .perOwner = shots.count, .dx = x, .dy = y},
      .aim = 15,
      .speed = speed,
      .retire = {.field = {-30, 800, -30, 600}, .bombWave = false, .groupFreed = true},
      .ship = ShipBox(0, 10),
      .look = EveryRecord(RotatedLook(&ImgVall3011, 30)),
      .turn = static_cast<float>(k) * kLineStep,
      .turnInAim = true,
      .push = {.side = push},
  };
}

// The slow lines of the fans from the left and right guns.
constexpr AimedRow FanLine(TableRef<AimedShot> shots, float gun_x, int32_t k) {
  return Line(shots, gun_x, 100, k, kSlowLine);
}

}  // namespace

// ---- curving streams (counters 0 .. 5 in member order) ----

CURVE_FAMILY(Boss4Ray4A, CurveShot,
             Ray(Table(Boss4Ray4ASlots), 0, 135, 135, kEightBands, kLeftFirst, &ImgRay4, 30))
CURVE_FAMILY(Boss4Ray4B, CurveShot,
             Ray(Table(Boss4Ray4BSlots), 1, 275, 135, kEightBands, kMirrored, &ImgRay4, 30))
CURVE_FAMILY(Boss4Ray5A, CurveShot,
             Ray(Table(Boss4Ray5ASlots), 2, 130, 130, kTenBands, kLeftFirst, &ImgRay5, 40))
CURVE_FAMILY(Boss4Ray5B, CurveShot,
             Ray(Table(Boss4Ray5BSlots), 3, 270, 130, kTenBands, kMirrored, &ImgRay5, 40))
CURVE_FAMILY(Boss4Ray6A, CurveShot,
             Ray(Table(Boss4Ray6ASlots), 4, 125, 105, kFourteenBands, kLeftFirst, &ImgRay6, 50))
CURVE_FAMILY(Boss4Ray6B, CurveShot,
             Ray(Table(Boss4Ray6BSlots), 5, 265, 105, kFourteenBands, kMirrored, &ImgRay6, 50))

// ---- curving sweeps ----

CHAIN_FAMILY(Boss4Vall3017A,
             Sweep(Table(Boss4Vall3017ASlots), kBoss, 205, 30, Bend::Vall3017, kWideTurn))
CHAIN_FAMILY(Boss4Vall3018A,
             Sweep(Table(Boss4Vall3018ASlots), kBoss, 205, 30, Bend::Vall3018, kWideTurn))
CHAIN_FAMILY(Boss4Vall3017B,
             Sweep(Table(Boss4Vall3017BSlots), kBoss, 165, 20, Bend::Vall3017, kNarrowTurn))
CHAIN_FAMILY(Boss4Vall3018B,
             Sweep(Table(Boss4Vall3018BSlots), kBoss, 245, 20, Bend::Vall3018, kNarrowTurn))

// ---- aimed lines: the fans of the left and right guns ----

AIMED_FAMILY(Boss4Vall3011A, FanLine(Table(Boss4Vall3011ASlots), kLeftGun, 5))
AIMED_FAMILY(Boss4Vall3011B, FanLine(Table(Boss4Vall3011BSlots), kLeftGun, 4))
AIMED_FAMILY(Boss4Vall3011C, FanLine(Table(Boss4Vall3011CSlots), kLeftGun, 3))
AIMED_FAMILY(Boss4Vall3011D, FanLine(Table(Boss4Vall3011DSlots), kLeftGun, 2))
AIMED_FAMILY(Boss4Vall3011E, FanLine(Table(Boss4Vall3011ESlots), kLeftGun, 1))
AIMED_FAMILY(Boss4Vall3011F, FanLine(Table(Boss4Vall3011FSlots), kLeftGun, 0))
AIMED_FAMILY(Boss4Vall3011G, FanLine(Table(Boss4Vall3011GSlots), kLeftGun, -1))
AIMED_FAMILY(Boss4Vall3011H, FanLine(Table(Boss4Vall3011HSlots), kLeftGun, -2))
AIMED_FAMILY(Boss4Vall3011I, FanLine(Table(Boss4Vall3011ISlots), kLeftGun, -3))
AIMED_FAMILY(Boss4Vall3011J, FanLine(Table(Boss4Vall3011JSlots), kLeftGun, -4))
AIMED_FAMILY(Boss4Vall3011K, FanLine(Table(Boss4Vall3011KSlots), kLeftGun, -5))
AIMED_FAMILY(Boss4Vall3011L, FanLine(Table(Boss4Vall3011LSlots), kLeftGun, -6))
AIMED_FAMILY(Boss4Vall3011M, FanLine(Table(Boss4Vall3011MSlots), kRightGun, -5))
AIMED_FAMILY(Boss4Vall3011N, FanLine(Table(Boss4Vall3011NSlots), kRightGun, -4))
AIMED_FAMILY(Boss4Vall3011O, FanLine(Table(Boss4Vall3011OSlots), kRightGun, -3))
AIMED_FAMILY(Boss4Vall3011P, FanLine(Table(Boss4Vall3011PSlots), kRightGun, -2))
AIMED_FAMILY(Boss4Vall3011Q, FanLine(Table(Boss4Vall3011QSlots), kRightGun, -1))
AIMED_FAMILY(Boss4Vall3011R, FanLine(Table(Boss4Vall3011RSlots), kRightGun, 0))
AIMED_FAMILY(Boss4Vall3011S, FanLine(Table(Boss4Vall3011SSlots), kRightGun, 1))
AIMED_FAMILY(Boss4Vall3011T, FanLine(Table(Boss4Vall3011TSlots), kRightGun, 2))
AIMED_FAMILY(Boss4Vall3011U, FanLine(Table(Boss4Vall3011USlots), kRightGun, 3))
AIMED_FAMILY(Boss4Vall3011V, FanLine(Table(Boss4Vall3011VSlots), kRightGun, 4))
AIMED_FAMILY(Boss4Vall3011W, FanLine(Table(Boss4Vall3011WSlots), kRightGun, 5))
AIMED_FAMILY(Boss4Vall3011X, FanLine(Table(Boss4Vall3011XSlots), kRightGun, 6))

// ---- aimed lines: fast lines straight at the ship ----

AIMED_FAMILY(Boss4Vall3011Y, Line(Table(Boss4Vall3011YSlots), 105, 100, 0, kFastLine))
AIMED_FAMILY(Boss4Vall3011Z, Line(Table(Boss4Vall3011ZSlots), 305, 100, 0, kFastLine))
AIMED_FAMILY(Boss4Vall3011AA, Line(Table(Boss4Vall3011AASlots), 75, 140, 0, kFastLine))
AIMED_FAMILY(Boss4Vall3011AB, Line(Table(Boss4Vall3011ABSlots), 335, 140, 0, kFastLine))
// Lines of eight pushed left (AC) or right (AD) and down for their first
// 300 / 260 seconds.
AIMED_FAMILY(Boss4Vall3011AC, Line(Table(Boss4Vall3011ACSlots), 105, 100, 0, kLongLine, -1))
AIMED_FAMILY(Boss4Vall3011AD, Line(Table(Boss4Vall3011ADSlots), 305, 100, 0, kLongLine, 1))
