// What the bosses' curving streams and curving sweeps share: the three
// stream paths of the stage-4 and stage-5 bosses and the row builders.
#pragma once
#include <cstdint>

#include "el/system/angles.h"
#include "enemies/engine/chain_engine.h"
#include "enemies/engine/curve_engine.h"
#include "shell/assets.h"
#include "stages/boss_records.h"

namespace boss_streams {

// The streams' paths, written for the member that first flies left: out
// sideways, then falling at 6 px per call and bending back.
constexpr CurvePath kEightBands = Path({
    {0, 3, -6, 0},
    {4, 6, -6, 3},
    {7, 9, -6, 6},
    {10, 12, -3, 6},
    {13, 15, 0, 6},
    {16, 18, 1, 6},
    {19, 21, 2, 6},
    {22, 250, 3, 6},
});
constexpr CurvePath kTenBands = Extend(kEightBands, 7, {
    {22, 24, 3, 6},
    {25, 27, 4, 6},
    {28, 250, 5, 6},
});
constexpr CurvePath kFourteenBands = Extend(kEightBands, 7, {
    {22, 24, 3, 6},
    {25, 27, 4, 6},
    {28, 30, 5, 6},
    {31, 33, 6, 6},
    {34, 36, 7, 6},
    {37, 39, 8, 6},
    {40, 280, 10, 6},
});

// Which member of a mirrored pair a stream is.
constexpr bool kLeftFirst = false;
constexpr bool kMirrored = true;

// A stream of the boss `owner` on its pattern counter: one bullet on every
// third Schedule call, runs of 150 calls, no ship test.
constexpr CurveRowOf<CurveShot> Stream(TableRef<CurveShot> shots, OwnerRef owner, int32_t* counter,
                                       int32_t dx, int32_t dy, const CurvePath& path, bool mirror,
                                       const int32_t* image, int32_t cell) {
  return {
      .shots = shots,
      .counter = counter,
      .owner = owner,
      .dx = dx,
      .dy = dy,
      .path = path,
      .mirror = mirror,
      .image = image,
      .cell = cell,
  };
}

// The curving sweeps' sense: a Vall3017 chain leaves down-left against its
// heading and bends right; a Vall3018 chain is its mirror image.
enum class Bend : uint8_t { Vall3017, Vall3018 };

constexpr std::array<float, ChainLength> kSweepSpeeds{163, 171, 178, 184, 188, 191, 193};

// A chain of seven from the boss + (x, y), turning by `turn` per Move call for
// 17 timer units; every record tested against the ship; the fastest record
// drawn with the head picture.
constexpr ChainRow Sweep(TableRef<SweepShot> shots, OwnerRef owner, float x, float y, Bend bend,
                         float turn) {
  const float s = bend == Bend::Vall3017 ? -1.0f : 1.0f;
  return {
      .shots = shots,
      .launch = {.owner = owner, .fixedSlot = 0, .dx = x, .dy = y},
      .startAngle = s * 2 * PiF / 10,
      .turn = s * turn,
      .sense = s,
      .speeds = kSweepSpeeds,
      .driftXSign = s,
      .driftYSign = -1,
      .shipTestsFree = true,
      .look = bend == Bend::Vall3017
                  ? RotatedLook(&ImgVal3017a, 30, {.base = 0, .truncateFirst = false})
                  : RotatedLook(&ImgVal3018a, 30, {.base = 360, .truncateFirst = false}),
      .headImage = bend == Bend::Vall3017 ? &ImgVall3017 : &ImgVall3018,
  };
}

}  // namespace boss_streams
