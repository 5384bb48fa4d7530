// Radial spirals: one family counter (a boss's pattern tick, a large kind's
// spiral counter) puts one bullet (or one per ring) out of one gun point
// every few calls, each heading one step of 2 pi / 36 further round, so the
// bullets sweep the whole circle.  Rings of 36 records: record k + 36 j is
// slot k of ring j.
//
//   Schedule      counter += 1, wrapped as the row says (tick_schedule.h:
//                 to `restart` on reaching or on exceeding `cycle`); then for
//                 k = firstSlot .. lastSlot in order: when counter == every x
//                 k + offset, Emit(k + 36 j, k + 36 j) for each ring j.  A
//                 slot whose value the counter never meets stays idle.
//                 A row `byRecord` walks the whole pool instead, one record
//                 per counter value: record s (step k = s mod 36, only steps
//                 firstSlot .. lastSlot) when counter == every x s + offset,
//                 Emit(s, k), so the rings follow one another.
//   Emit(s, k)    record s, when free: at the owner + gun, the speed of its
//                 ring, heading sense x k x 2 pi / 36 (k as given: the triple
//                 spirals pass the record index, one more turn per ring).
//   Move          each active record: y += sense sin(h) v FrameTime, then x
//                 += sense cos(h) v FrameTime; outside its ring's field (edges
//                 inside) or while BombWave is 1, freed and parked; then the
//                 ship test of each active record.
//   Draw          the row's look (every record, free ones off the field;
//                 a rotated look may keep the heading's degrees in the
//                 record).
//
// A spiral is added with one line in its group's .cpp:
//   SPIRAL_FAMILY(stem, Record, {...})  stem##Schedule, stem##Emit(s, k),
//                                       stem##Move, stem##Draw.
#pragma once
#include <array>
#include <cmath>
#include <cstdint>

#include "el/system/angles.h"
#include "enemies/engine/bullet_steps.h"
#include "enemies/engine/engine_parts.h"
#include "enemies/engine/tick_schedule.h"

constexpr int32_t SpiralRing = 36;
constexpr float SpiralStep = 2.0f * PiF / 36.0f;
constexpr int32_t MaxRings = 3;

template <typename R>
struct SpiralRowOf {
  TableRef<R> shots;
  int32_t* counter = nullptr;  // the family counter
  int32_t cycle = 0;
  Wrap wrap = Wrap::OnReaching;
  int32_t restart = 0;
  int32_t every = 10, offset = 0;  // slot k is due at counter == every x k + offset
  int32_t firstSlot = 0, lastSlot = SpiralRing - 1;
  bool byRecord = false;  // one record per counter value over the whole pool
  Launch launch;  // one fixed owner slot + the gun
  float sense = 1.0f;
  std::array<float, MaxRings> ringSpeeds{};
  std::array<Bounds, MaxRings> ringFields{};
  bool bombWave = true;
  Bounds ship = ShipBox(10, 20);
  BulletLook look{};
};

template <typename R>
constexpr bool ValidRow(const SpiralRowOf<R>& row) {
  const int32_t rings = row.shots.count / SpiralRing;
  return row.counter != nullptr && row.cycle >= 1 && rings >= 1 && rings <= MaxRings &&
         row.shots.count % SpiralRing == 0 && row.firstSlot >= 0 &&
         row.lastSlot < SpiralRing && row.launch.fixedSlot >= 0 &&
         row.launch.Fits(row.shots.count) && ValidLook(row.look, true);
}

template <typename R>
void SpiralEmit(const SpiralRowOf<R>& row, int32_t slot, int32_t k) {
  if (slot < 0 || slot >= row.shots.count) return;
  R& r = row.shots[slot];
  if (r.active != 0) return;
  const Point at = LaunchPoint(row.launch, slot);
  r.active = 1;
  r.x = at.x;
  r.y = at.y;
  r.speed = row.ringSpeeds[static_cast<size_t>(slot / SpiralRing)];
  HeadingOf(r) = row.sense * SpiralStep * static_cast<float>(k);
}

template <typename R>
void SpiralSchedule(const SpiralRowOf<R>& row) {
  int32_t& counter = *row.counter;
  const TickCycle cycle{1, row.cycle, row.wrap, row.restart};
  AdvanceTick(counter, cycle);
  if (row.byRecord) {
    for (int32_t s = 0; s < row.shots.count; ++s) {
      const int32_t k = s % SpiralRing;
      if (k < row.firstSlot || k > row.lastSlot) continue;
      if (counter == row.every * s + row.offset) SpiralEmit(row, s, k);
    }
  } else {
    for (int32_t k = row.firstSlot; k <= row.lastSlot; ++k) {
      if (counter != row.every * k + row.offset) continue;
      for (int32_t s = k; s < row.shots.count; s += SpiralRing) SpiralEmit(row, s, s);
    }
  }
  WrapAfterCompare(counter, cycle);
}

template <typename R>
void SpiralMove(const SpiralRowOf<R>& row) {
  const bool bomb = row.bombWave && BombWave == 1;
  for (int32_t i = 0; i < row.shots.count; ++i) {
    R& r = row.shots[i];
    if (r.active != 1) continue;
    const float h = HeadingOf(r);
    r.y += row.sense * std::sin(h) * r.speed * FrameTime;
    r.x += row.sense * std::cos(h) * r.speed * FrameTime;
    const Bounds& field = row.ringFields[static_cast<size_t>(i / SpiralRing)];
    RetireOrTest(r, bomb || !field.Holds(r.x, r.y), row.ship);
  }
}

template <typename R>
void SpiralDraw(const SpiralRowOf<R>& row) {
  DrawLook(row.look, row.shots);
}

#define SPIRAL_FAMILY(stem, Record, ...)                                                 \
  constexpr SpiralRowOf<Record> stem##Row = __VA_ARGS__;                                 \
  static_assert(ValidRow(stem##Row), #stem ": the row does not fit its tables");         \
  void stem##Schedule() { SpiralSchedule(stem##Row); }                                   \
  void stem##Emit(int32_t s, int32_t k) { SpiralEmit(stem##Row, s, k); }                 \
  void stem##Move() { SpiralMove(stem##Row); }                                           \
  void stem##Draw() { SpiralDraw(stem##Row); }
