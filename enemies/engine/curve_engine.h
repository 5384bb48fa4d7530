// Curving streams: one family counter lets a boss pour bullets, one every few
// calls, from one point of its body; each bullet walks a path of whole-pixel
// steps, one step per Move call, the step picked by the bullet's age (path
// units, growing with the frame time).  The record has integer x and y, a
// float age and an active flag (a free slot always holds age 0).
//
//   Schedule  counter += 1; for k = 1 .. count - 1: counter == every x k ->
//             Emit(k); then counter == run -> 0.  Slot 0 is never emitted;
//             the counter moves only on these calls.
//   Emit(k)   slot k, when free: active, at the owner's position truncated
//             toward zero + the offset.  A busy slot skips the bullet.
//   Move      each active slot: age += rate x FrameTime; the band holding the
//             age (both edges inclusive) adds its steps to x and y (x negated
//             in a mirrored row); an age in a gap between bands, or past the
//             top of the last band, takes no step: such a bullet hangs where
//             it is, still drawn and still tested, until a reset frees it.
//             y > 600 frees the slot where it stands (age 0).  Rows with a
//             ship box then test every slot (free slots lie off the field).
//             BombWave is not read.
//   Draw      each active slot: the square cell at the picture's top-left
//             corner, additive.
//
// A stream is added with one line in its boss's .cpp:
//   CURVE_FAMILY(stem, Record, {...})  stem##Schedule, stem##Emit(k),
//                                      stem##Move, stem##Draw.
#pragma once
#include <array>
#include <cstdint>
#include <initializer_list>

#include "enemies/engine/bullet_steps.h"
#include "enemies/engine/engine_parts.h"
#include "enemies/engine/tick_schedule.h"

// One band of a path: ages low .. high (inclusive) step by (dx, dy) pixels per
// Move call.
struct CurveBand {
  float low = 0.0f, high = -1.0f;
  int32_t dx = 0, dy = 0;
};

constexpr int32_t MaxCurveBands = 16;

// The bands of a path in rising order, written for the member of a mirrored
// pair whose first steps go left.
struct CurvePath {
  std::array<CurveBand, MaxCurveBands> bands{};
  int32_t count = 0;
};

constexpr CurvePath Path(std::initializer_list<CurveBand> bands) {
  CurvePath p{};
  for (const CurveBand& b : bands) {
    if (p.count < MaxCurveBands) p.bands[static_cast<size_t>(p.count)] = b;
    ++p.count;
  }
  return p;
}

// The first `keep` bands of `base`, then `more`.
constexpr CurvePath Extend(const CurvePath& base, int32_t keep,
                           std::initializer_list<CurveBand> more) {
  CurvePath p{};
  for (int32_t i = 0; i < keep && i < base.count && i < MaxCurveBands; ++i) {
    p.bands[static_cast<size_t>(p.count++)] = base.bands[static_cast<size_t>(i)];
  }
  for (const CurveBand& b : more) {
    if (p.count < MaxCurveBands) p.bands[static_cast<size_t>(p.count)] = b;
    ++p.count;
  }
  return p;
}

// The bands fit the path and rise without overlapping.
constexpr bool ValidPath(const CurvePath& p) {
  if (p.count < 1 || p.count > MaxCurveBands) return false;
  for (int32_t i = 0; i < p.count; ++i) {
    const CurveBand& b = p.bands[static_cast<size_t>(i)];
    if (b.low > b.high) return false;
    if (i > 0 && p.bands[static_cast<size_t>(i - 1)].high >= b.low) return false;
  }
  return true;
}

// The step of a path at an age: the band holding it; none (false) in a gap,
// below the first band or past the last.
struct CurveStep {
  int32_t dx = 0, dy = 0;
};
bool StepAt(const CurvePath& path, float age, CurveStep* step);

template <typename R>
struct CurveRowOf {
  TableRef<R> shots;
  int32_t* counter = nullptr;  // the family counter
  int32_t every = 3;           // slot k leaves at counter == every x k
  int32_t run = 150;           // the counter returns to 0 on reaching it
  OwnerRef owner;              // its slot 0 is the emitting body
  int32_t dx = 0, dy = 0;      // emit offset from the truncated position
  CurvePath path;
  bool mirror = false;         // every x step negated
  float ageRate = 20.0f;       // path units per second
  const int32_t* image = nullptr;
  int32_t cell = 20;           // square cell at the picture's corner
  bool shipTest = false;       // every slot tested against the ship box
  Bounds ship = ShipBox(10, 20);
};

template <typename R>
constexpr bool ValidRow(const CurveRowOf<R>& row) {
  return row.shots.count >= 2 && row.counter != nullptr && row.every >= 1 &&
         row.run >= row.every && row.owner.read != nullptr && row.owner.count >= 1 &&
         ValidPath(row.path) && row.image != nullptr && row.cell >= 1;
}

template <typename R>
void CurveEmit(const CurveRowOf<R>& row, int32_t k) {
  if (k < 0 || k >= row.shots.count) return;
  R& r = row.shots[k];
  if (r.active != 0) return;
  const SlotView owner = row.owner.read(0);
  r.active = 1;
  r.x = Whole(owner.x) + row.dx;
  r.y = Whole(owner.y) + row.dy;
}

template <typename R>
void CurveSchedule(const CurveRowOf<R>& row) {
  int32_t& counter = *row.counter;
  const TickCycle cycle{1, row.run, Wrap::AfterCompare, 0};
  AdvanceTick(counter, cycle);
  for (int32_t k = 1; k < row.shots.count; ++k) {
    if (counter == row.every * k) CurveEmit(row, k);
  }
  WrapAfterCompare(counter, cycle);
}

template <typename R>
void CurveMove(const CurveRowOf<R>& row) {
  const int32_t xSign = row.mirror ? -1 : 1;
  for (int32_t i = 0; i < row.shots.count; ++i) {
    R& r = row.shots[i];
    if (r.active != 0) {
      r.age += FrameTime * row.ageRate;
      CurveStep step;
      if (StepAt(row.path, r.age, &step)) {
        r.x += xSign * step.dx;
        r.y += step.dy;
      }
      if (r.y > 600) {
        r.active = 0;
        r.age = 0.0f;
      }
    }
    if (row.shipTest) ShipTest(static_cast<float>(r.x), static_cast<float>(r.y), row.ship);
  }
}

template <typename R>
void CurveDraw(const CurveRowOf<R>& row) {
  for (int32_t i = 0; i < row.shots.count; ++i) {
    const R& r = row.shots[i];
    if (r.active != 0) BlitCell(Blit::Additive, r.x, r.y, row.image, 0, 0, row.cell, row.cell);
  }
}

#define CURVE_FAMILY(stem, Record, ...)                                                  \
  constexpr CurveRowOf<Record> stem##Row = __VA_ARGS__;                                  \
  static_assert(ValidRow(stem##Row), #stem ": the row does not fit its tables");         \
  void stem##Schedule() { CurveSchedule(stem##Row); }                                    \
  void stem##Emit(int32_t k) { CurveEmit(stem##Row, k); }                                \
  void stem##Move() { CurveMove(stem##Row); }                                            \
  void stem##Draw() { CurveDraw(stem##Row); }
