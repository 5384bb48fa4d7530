// Falling groups: records that fall straight down at one speed, placed in
// groups of consecutive records around one owner (a kind's slot or a boss's
// state), with sideways drifts.  Twin shots, columns, arcs and rows of the
// bosses, the kinds' falling pairs, the arms, and the bursts that a gun puts
// at one point are all rows of this engine.
//
//   Schedule     per-record ticks (tick_schedule.h); each record whose
//                group's tick has come goes to Emit(r, first).
//   Emit(r, f)   record r of the group that starts at f, when r is free:
//                active, then its x and y from the launch point plus the
//                offset of its place in the group.  A group-wide axis writes
//                every record of the group instead (records of the group still
//                in flight are pulled back into the row); an own axis writes
//                only r.  An index outside the pool is ignored.
//   Fire         Emit(r, first of r's group) for every record in order: a
//                burst of one group with group-wide placement re-forms
//                whole at the gun as soon as one record is free.
//   Move         the drifts (below); each active record falls (vy is written
//                every Move, and vx too in rows that say so), slides by the
//                row's slide; below y 600, or while
//                BombWave is 1 where the row says so, it is freed and parked;
//                then the ship test of each active record.  No side or top
//                bound.
//   Draw         every record, free ones included (parked off the field).
//
// Drifts (px/s per place in the group, added to x times FrameTime):
//   AheadOfLoop      `driftPasses` passes over every record, free or not,
//                    before the move loop;
//   HeadOfEveryPass  at the head of every pass of the move loop, each
//                    record of the pass's group, free or not;
//   EachActivePass   in every pass whose record is active, after its vy is
//                    written, each record of its group;
// so a drift d moves a record by (passes x d), (group size x d) or (active
// records x d) px/s.
//
// A family is added with one line in its group's .cpp:
//   FALLING_FAMILY(stem, {...})             stem##Schedule, stem##Emit(r, first),
//                                           stem##Move, stem##Draw (StraightShot);
//   FALLING_FAMILY_OF(stem, Record, {...})  the same on another record;
//   FALLING_PLACED_FAMILY(stem, {...})      stem##Schedule (placing itself),
//                                           stem##Move, stem##Draw;
//   FALLING_FIRE_FAMILY(stem, {...})        stem##Fire, stem##Move, stem##Draw.
#pragma once
#include <array>
#include <cstdint>
#include <initializer_list>

#include "enemies/engine/bullet_steps.h"
#include "enemies/engine/engine_parts.h"
#include "enemies/engine/tick_schedule.h"
#include "enemies/records.h"

constexpr int32_t MaxPlaces = 8;

// Offsets from the launch point by place in the group; a single value
// serves every place.
struct Offsets {
  std::array<float, MaxPlaces> at{};
  int32_t count = 1;
  constexpr float operator[](int32_t place) const {
    return at[static_cast<size_t>(count == 1 ? 0 : place)];
  }
};
constexpr Offsets At(std::initializer_list<float> values) {
  Offsets o{};
  o.count = 0;
  for (float v : values) o.at[static_cast<size_t>(o.count++)] = v;
  return o;
}

enum class DriftAt : uint8_t { AheadOfLoop, HeadOfEveryPass, EachActivePass };

// Below this the falling records are freed.
constexpr float FallBottom = 600.0f;

template <typename R>
struct FallingRowOf {
  TableRef<R> shots;
  Launch launch;  // one fixed owner slot
  int32_t groupSize = 1;
  // Schedule (scheduled rows).
  int32_t cycle = 0;
  Wrap wrap = Wrap::OnReaching;
  int32_t restart = 0;
  GroupTicks groupTicks{};
  // Placement.
  Offsets x{};
  bool xGroupWide = false;
  Offsets y{};
  bool yGroupWide = false;
  // Move.
  float fall = 0.0f;   // px/s down, written into vy of every active record
  float slide = 0.0f;  // px/s sideways of every active record
  bool slideInVx = false;  // the slide is also written into vx (the arc rows)
  std::array<float, MaxPlaces> drift{};
  DriftAt driftAt = DriftAt::AheadOfLoop;
  int32_t driftPasses = 1;
  bool bombWave = true;
  Bounds ship = ShipBox(10, 20);
  BulletLook look{};
};
using FallingRow = FallingRowOf<StraightShot>;

// Arms and balls: one record at a time from the gun, record k at tick
// 10 (k + 1) of a cycle that restarts at 10 on reaching 200 (so record 0
// fires again on the call that restarts it, and record 19 never fires).
constexpr FallingRow OneByOne(TableRef<StraightShot> shots, OwnerRef owner, Point gun, float fall,
                              float slide, const Bounds& ship, const BulletLook& look) {
  return {
      .shots = shots,
      .launch = {.owner = owner, .fixedSlot = 0},
      .groupSize = 1,
      .cycle = 200,
      .restart = 10,
      .groupTicks = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150, 160, 170,
                     180, 190, 200},
      .x = At({gun.x}),
      .y = At({gun.y}),
      .fall = fall,
      .slide = slide,
      .ship = ship,
      .look = look,
  };
}

template <typename R>
constexpr bool ValidRow(const FallingRowOf<R>& row, bool scheduled) {
  const int32_t g = row.groupSize;
  const auto fits = [g](const Offsets& o, bool wide) {
    return wide ? o.count == g : (o.count == 1 || o.count == g);
  };
  if (g < 1 || g > MaxPlaces || row.shots.count % g != 0 || row.driftPasses < 0) return false;
  if (scheduled && !ValidCycle({g, row.cycle, row.wrap, row.restart}, row.shots.count)) {
    return false;
  }
  return fits(row.x, row.xGroupWide) && fits(row.y, row.yGroupWide) &&
         row.launch.Fits(row.shots.count) && row.launch.fixedSlot >= 0 &&
         ValidLook(row.look, false);
}

template <typename R>
void FallingEmit(const FallingRowOf<R>& row, int32_t r, int32_t first);
template <typename R>
void FallingSchedule(const FallingRowOf<R>& row);
template <typename R>
void FallingFire(const FallingRowOf<R>& row);
template <typename R>
void FallingMove(const FallingRowOf<R>& row);
template <typename R>
void FallingDraw(const FallingRowOf<R>& row);

#define FALLING_ROW_(stem, RowType, scheduled, ...)                                 \
  constexpr RowType stem##Row = __VA_ARGS__;                                        \
  static_assert(ValidRow(stem##Row, scheduled), #stem ": the row does not fit its tables");

#define FALLING_FAMILY_OF(stem, Record, ...)                                               \
  FALLING_ROW_(stem, FallingRowOf<Record>, true, __VA_ARGS__)                              \
  void stem##Schedule() { FallingSchedule(stem##Row); }                                    \
  void stem##Emit(int32_t r, int32_t first) { FallingEmit(stem##Row, r, first); }          \
  void stem##Move() { FallingMove(stem##Row); }                                            \
  void stem##Draw() { FallingDraw(stem##Row); }

#define FALLING_FAMILY(stem, ...) FALLING_FAMILY_OF(stem, StraightShot, __VA_ARGS__)

#define FALLING_PLACED_FAMILY(stem, ...)                      \
  FALLING_ROW_(stem, FallingRow, true, __VA_ARGS__)           \
  void stem##Schedule() { FallingSchedule(stem##Row); }       \
  void stem##Move() { FallingMove(stem##Row); }               \
  void stem##Draw() { FallingDraw(stem##Row); }

#define FALLING_FIRE_FAMILY(stem, ...)                        \
  FALLING_ROW_(stem, FallingRow, false, __VA_ARGS__)          \
  void stem##Fire() { FallingFire(stem##Row); }               \
  void stem##Move() { FallingMove(stem##Row); }               \
  void stem##Draw() { FallingDraw(stem##Row); }
