// Twin shots: falling pairs of VAL405 bullets whose Emit writes both x
// values of the pair at once (so the two leave together and stay in step),
// the emitted record's y its own; straight down or parting sideways.  The
// large kinds and several bosses fire them, from their own owner records.
// Record 2p is the left bullet of pair p, record 2p + 1 the right one.
#pragma once
#include <cstdint>

#include "enemies/engine/falling_engine.h"
#include "shell/assets.h"

// Pair k at tick kTwinTicks[k]; a 150-call cycle never meets the last two.
constexpr GroupTicks kTwinTicks{10, 20, 30, 70, 80, 90, 130, 140, 150, 160};

// Every record drawn additive: the one cell of the falling pairs, or the
// left and right cells of the parting ones by parity.
constexpr BulletLook kFallingTwinLook = CellOf(&ImgVal405, 40, 40, 120, Blit::Additive);
constexpr BulletLook kPartingTwinLook = CellOf(&ImgVal405, 40, 40, 80, Blit::Additive, 80, 2);

struct TwinSpec {
  float left, right, y;  // from the owner: the pair's two x values, the y
  float fall;
  float parting = 0.0f;  // px/s: even records left, odd right, free ones too ...
  int32_t partingPasses = 1;  // ... added this many times per Move
  int32_t cycle = 150;
  GroupTicks ticks = kTwinTicks;
  Bounds ship{0, 20, 0, 20};
  BulletLook look = kFallingTwinLook;
};

template <typename R>
constexpr FallingRowOf<R> TwinShots(TableRef<R> shots, OwnerRef owner, const TwinSpec& t) {
  return {
      .shots = shots,
      .launch = {.owner = owner, .fixedSlot = 0},
      .groupSize = 2,
      .cycle = t.cycle,
      .groupTicks = t.ticks,
      .x = At({t.left, t.right}),
      .xGroupWide = true,
      .y = At({t.y}),
      .fall = t.fall,
      .drift = {-t.parting, t.parting},
      .driftPasses = t.partingPasses,
      .ship = t.ship,
      .look = t.look,
  };
}

// The bosses' twin drop: pairs at ticks 10 .. 120 of a 140-call cycle that
// wraps before the compares, falling at 200 px/s, the 40 x 40 cell's box
// x -10 .. 30, y 0 .. 30 from the ship.
constexpr GroupTicks kDropTwinTicks{10, 20, 30, 40, 50, 80, 90, 100, 110, 120};
constexpr TwinSpec DropTwins(float left, float right, float y, float parting = 0.0f,
                             int32_t parting_passes = 1) {
  return {.left = left, .right = right, .y = y, .fall = 200, .parting = parting,
          .partingPasses = parting_passes, .cycle = 140, .ticks = kDropTwinTicks,
          .ship = {-10, 30, 0, 30}};
}
