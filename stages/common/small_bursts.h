// Small bursts: the bosses' falling groups of two to four pellets dropped
// together from one gun under the boss, parting sideways as they fall.
//
// Fire puts every free record of the pool at the gun; each drift step stands
// at the head of every pass of the move loop (free records included), so a
// record drifts at pool size x its step px/s.  Freed below y 600 and by the
// bomb wave; the 16 x 16 pellets test the box 14 .. 30 / 24 .. 30 around the
// ship.  A family is one line: FALLING_FIRE_FAMILY(stem, SmallBurst(...)).
#pragma once
#include <array>

#include "enemies/engine/falling_engine.h"
#include "shell/assets.h"

// VAL12, one keyed cell.
constexpr BulletLook kVal12Look = CellOf(&ImgVal12, 16, 16, 0, Blit::Keyed);

constexpr FallingRow SmallBurst(TableRef<StraightShot> shots, OwnerRef owner, Point gun,
                                float fall, const std::array<float, MaxPlaces>& drift,
                                const BulletLook& look = kVal12Look) {
  return {
      .shots = shots,
      .launch = {.owner = owner, .fixedSlot = 0},
      .groupSize = shots.count,
      .x = At({gun.x}),
      .y = At({gun.y}),
      .fall = fall,
      .drift = drift,
      .driftAt = DriftAt::HeadOfEveryPass,
      .ship = ShipBox(14, 24),
      .look = look,
  };
}
