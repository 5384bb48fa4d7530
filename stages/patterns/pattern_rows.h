// The bullet designs that several bosses share, as builders of engine rows:
// each boss's families file writes one line per family with its own numbers.
// (The twin drop is in enemies/twin_shots.h, beside the kinds' twins.)
//
//   ArcRow      rows of five falling from one column in a shallow arc
//               (falling_engine.h), spreading sideways as they fall; a wide
//               row starts spread across its column;
//   AimedRing,  volleys of VAL20241 balls aimed at the ship at the moment
//   AimedFan    of the volley (volley_engine.h): a full ring, or a fan 12
//               degrees apart around the aim line; RingOfTwelve gives the
//               stage-2 and stage-3 bosses' rings, on their own tick wrap;
//   SmallBurst  a pair, three or four slow bullets put at one gun by every
//               Fire, their outer ones drifting apart (falling_engine.h);
//               BossBurst gives the fall and drifts of the bosses' plan by
//               the pool's size.
#pragma once
#include <array>
#include <cstdint>

#include "el/system/angles.h"
#include "enemies/engine/falling_engine.h"
#include "enemies/engine/volley_engine.h"
#include "shell/assets.h"

// ---- arc rows ----

// The 20 x 20 cells: one fixed cell, or the 24-cell animation that every
// record runs, free ones included.
constexpr BulletLook kArcFixedLook = CellOf(&ImgVall20, 20, 20, 0, Blit::Additive);
constexpr BulletLook kArcAnimatedLook = StripOf(&ImgVal20241, 20, 24, Blit::Additive);
// The 40 x 40 cells by place: the bullet at place p of every row draws cell p
// of a picture of five, whichever group it is in; such rows test the ship
// with a box of their own.
constexpr BulletLook ArcPlaceLook(const int32_t* image, Blit blit = Blit::Additive) {
  return CellOf(image, 40, 40, 0, blit, 40, 5);
}
constexpr Bounds kArcPlaceShip{0, 20, 0, 20};

struct ArcSpec {
  float column;  // x of every bullet of a new row, from the owner
  float top;     // y of the outer bullets; the row hangs Y, Y + 23, Y + 30, Y + 23, Y
  float fall;    // px/s down
  float slide = 0.0f;  // px/s sideways of the whole row
  int32_t cycle;       // the ticks wrap to 0 on reaching it, before the compares
  GroupTicks ticks;    // group g's row on the call its tick equals ticks[g]
  BulletLook look = kArcFixedLook;
  // The spread by place in the row, added `spreadPasses` times per Move to
  // every record, free ones included.
  std::array<float, MaxPlaces> spread{-100, -50, 0, 50, 100};
  int32_t spreadPasses = 1;
  Bounds ship = ShipBox(10, 20);
  // A wide row: its places start `pitch` apart across the column (-2 .. +2
  // pitches), and every Emit writes the x of the whole group as it does the
  // y.  0: every bullet starts on the column.
  float pitch = 0.0f;
};

// Ten groups of five: Emit puts its record at the column and writes the y of
// all five records of the group (those still in flight jump back up into the
// row, keeping their x; in a wide row they jump back to their start points).
constexpr FallingRow ArcRow(TableRef<StraightShot> shots, OwnerRef owner, const ArcSpec& a) {
  const float c = a.column;
  const float p = a.pitch;
  return {
      .shots = shots,
      .launch = {.owner = owner, .fixedSlot = 0},
      .groupSize = 5,
      .cycle = a.cycle,
      .groupTicks = a.ticks,
      .x = p == 0.0f ? At({c}) : At({c - 2 * p, c - p, c, c + p, c + 2 * p}),
      .xGroupWide = p != 0.0f,
      .y = At({a.top, a.top + 23, a.top + 30, a.top + 23, a.top}),
      .yGroupWide = true,
      .fall = a.fall,
      .slide = a.slide,
      .slideInVx = true,
      .drift = a.spread,
      .driftPasses = a.spreadPasses,
      .ship = a.ship,
      .look = a.look,
  };
}

// ---- aimed rings and fans ----

// A volley of one group from the gun, aimed at the ship + 20 and turned by
// the spread; the ticks wrap to 0 after the compares, so a group whose tick
// is the cycle fires on the call that reaches it.  The balls leave past
// -20 .. 800 x -20 .. 600 (or while BombWave is 1); every record is drawn.
constexpr VolleyRow AimedVolley(TableRef<PatternShot> shots, OwnerRef owner, Point gun,
                                float speed, int32_t group, Spread spread, float step,
                                int32_t cycle, const GroupTicks& ticks) {
  return {
      .shots = shots,
      .launch = {.owner = owner, .fixedSlot = 0, .dx = gun.x, .dy = gun.y},
      .groupSize = group,
      .cycle = cycle,
      .wrap = Wrap::AfterCompare,
      .groupTicks = ticks,
      .aim = 20,
      .speed = speed,
      .fanStep = step,
      .centre = spread == Spread::Fan ? (group - 1) / 2 : 0,
      .spread = spread,
      .retire = {.field = {-20, 800, -20, 600}, .freeRecordsToo = false},
      .ship = ShipBox(10, 20),
      .look = StripOf(&ImgVal20241, 20, 24, Blit::Additive),
  };
}

// Rings of n (the group size): record r turned by r x 2 pi / n, r its index
// in the whole pool, so ball 0 of every ring flies at the aim point.
constexpr VolleyRow AimedRing(TableRef<PatternShot> shots, OwnerRef owner, Point gun,
                              float speed, int32_t n, int32_t cycle, const GroupTicks& ticks) {
  return AimedVolley(shots, owner, gun, speed, n, Spread::Ring,
                     2 * PiF / static_cast<float>(n), cycle, ticks);
}

// Fans of w, 12 degrees apart, the middle ball on the aim line.
constexpr VolleyRow AimedFan(TableRef<PatternShot> shots, OwnerRef owner, Point gun, float speed,
                             int32_t w, int32_t cycle, const GroupTicks& ticks) {
  return AimedVolley(shots, owner, gun, speed, w, Spread::Fan, 2 * PiF / 30, cycle, ticks);
}

// Rings of twelve from (gun_x, 130) at 140 px/s, as AimedRing but with the
// ticks wrapping to 0 on reaching the cycle, before the compares, and free
// records tested (and parked) by Move too.
constexpr VolleyRow RingOfTwelve(TableRef<PatternShot> shots, OwnerRef owner, float gun_x,
                                 int32_t cycle, const GroupTicks& ticks) {
  VolleyRow row = AimedRing(shots, owner, {gun_x, 130}, 140, 12, cycle, ticks);
  row.wrap = Wrap::OnReaching;
  row.retire.freeRecordsToo = true;
  return row;
}

// ---- small bursts ----

// Keyed 16 x 16 cells: one fixed cell, or the 16-cell animation that every
// record runs, free ones included.
constexpr BulletLook kVal13Look = CellOf(&ImgVal13, 16, 16, 0, Blit::Keyed);
constexpr BulletLook kVal12Look = CellOf(&ImgVal12, 16, 16, 0, Blit::Keyed);
constexpr BulletLook kVal1Look = StripOf(&ImgVal1, 16, 16, Blit::Keyed);

// Every free record at the gun.  Move makes one pass per record; each pass
// begins by adding every record's drift (free ones too), so a record moves
// sideways by (pool size x drift) px/s and record i is moved and tested
// after i + 1 of them.
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

// The bosses' plan: a pair falls at 140 px/s and parts at -15 / +15 per
// pass; a row of three at 120 with its outer ones at -13 / +13; a group of
// four at 110 with -7, +7, -20, +20.  Any other size makes no row (and fails
// the family's check).
constexpr FallingRow BossBurst(TableRef<StraightShot> shots, OwnerRef owner, Point gun,
                               const BulletLook& look) {
  switch (shots.count) {
    case 2: return SmallBurst(shots, owner, gun, 140, {-15, 15}, look);
    case 3: return SmallBurst(shots, owner, gun, 120, {-13, 0, 13}, look);
    case 4: return SmallBurst(shots, owner, gun, 110, {-7, 7, -20, 20}, look);
    default: return {};
  }
}
