// Scheduled volleys: a pool of N records in groups of G, each record with its
// own tick (tick_schedule.h).  Each group whose tick has come emits its free
// records as a fan (or a ring) aimed at the ship.  The records are any
// record with a heading, a launch point and an aim vector: PatternShot (the
// kinds), SpiralShot (the bosses' fans) or AimedShot.
//
//   Emit(r, first)  record r (first = its group's first record), when free:
//                   at the owner slot + offset (+ the gun of its place in the
//                   group, where the row has guns), the row's speed (+ a
//                   random part), headed at the ship + aim, turned before the
//                   aiming rule's half-turn by (r - first - centre) x fanStep
//                   (fan) or by r x fanStep with r its index in the whole pool
//                   (ring).  An index outside the pool is ignored.
//   Move, Draw      as the aimed families: along the heading, retired outside
//                   the field (and while BombWave is 1 where the row says so),
//                   the ship test.
//
// A volley is added with one line in its group's .cpp:
//   VOLLEY_FIRE_FAMILY(stem, {...})  stem##Fire (the schedule with its
//                                    emission), stem##Move, stem##Draw;
//   VOLLEY_FAMILY(stem, {...})       stem##Schedule, stem##Emit(r, first),
//                                    stem##Move, stem##Draw (PatternShot);
//   VOLLEY_FAMILY_OF(stem, Record, {...})  the same on another record
//                                    (SpiralShot, AimedShot);
//   VOLLEY_RING_FAMILY(stem, {...})  the same with stem##Emit(r);
//   VOLLEY_RING_FAMILY_OF(stem, Record, {...})  the same on another record.
#pragma once
#include <array>
#include <cstdint>

#include "enemies/engine/bullet_steps.h"
#include "enemies/engine/engine_parts.h"
#include "enemies/engine/tick_schedule.h"
#include "enemies/records.h"

enum class Spread : uint8_t {
  Fan,   // (r - first - centre) x fanStep
  Ring,  // r x fanStep, r the index in the pool
};

constexpr int32_t MaxVolleyGroups = MaxGroups;
constexpr int32_t MaxGuns = 8;

template <typename R>
struct VolleyRowOf {
  TableRef<R> shots;
  Launch launch;  // usually one fixed owner slot
  int32_t groupSize = 5;
  int32_t cycle = 0;
  Wrap wrap = Wrap::OnReaching;
  GroupTicks groupTicks{};  // one per group, in group order
  float aim = 20.0f;
  float speed = 0.0f;
  int32_t speedRange = 0;  // > 0: speed + rand() % speedRange
  float fanStep = 0.0f;
  int32_t centre = 0;  // the place in the group that flies straight at the target
  Spread spread = Spread::Fan;
  std::array<Point, MaxGuns> guns{};  // offset of each place in the group ...
  bool gunByPlace = false;            // ... added to the launch point when set
  Retire retire{};
  Bounds ship = ShipBox(14, 24);
  BulletLook look{};
};
using VolleyRow = VolleyRowOf<PatternShot>;

template <typename R>
constexpr bool ValidRow(const VolleyRowOf<R>& row) {
  return ValidCycle({row.groupSize, row.cycle, row.wrap, 0}, row.shots.count) &&
         (!row.gunByPlace || row.groupSize <= MaxGuns) && !row.retire.groupFreed &&
         row.launch.Fits(row.shots.count) && ValidLook(row.look, true);
}

template <typename R>
void VolleyEmit(const VolleyRowOf<R>& row, int32_t r, int32_t first) {
  if (r < 0 || r >= row.shots.count || first < 0 || first >= row.shots.count) return;
  R& s = row.shots[r];
  if (s.active != 0) return;
  Point at = LaunchPoint(row.launch, r);
  if (row.gunByPlace) {
    const Point gun = row.guns[static_cast<size_t>((r - first) % row.groupSize)];
    at = {at.x + gun.x, at.y + gun.y};
  }
  const float place = row.spread == Spread::Ring ? static_cast<float>(r)
                                                 : static_cast<float>(r - first - row.centre);
  float speed = row.speed;
  if (row.speedRange > 0) speed += DrawValue(Rand(row.speedRange, 0));
  AimAtShip(s, at.x, at.y, speed, row.aim, place * row.fanStep);
}

template <typename R>
void VolleySchedule(const VolleyRowOf<R>& row) {
  RunTickSchedule(row.shots, {row.groupSize, row.cycle, row.wrap, 0}, row.groupTicks,
                  [&](int32_t r, int32_t first) { VolleyEmit(row, r, first); });
}

template <typename R>
void VolleyMove(const VolleyRowOf<R>& row) {
  MoveAndRetire(row.shots, row.retire, row.groupSize, row.ship, [](R& r) { Fly(r); });
}

template <typename R>
void VolleyDraw(const VolleyRowOf<R>& row) {
  DrawLook(row.look, row.shots);
}

#define VOLLEY_ROW_(stem, RowType, ...)                                              \
  constexpr RowType stem##Row = __VA_ARGS__;                                         \
  static_assert(ValidRow(stem##Row), #stem ": the row does not fit its tables");

#define VOLLEY_FIRE_FAMILY(stem, ...)                          \
  VOLLEY_ROW_(stem, VolleyRow, __VA_ARGS__)                    \
  void stem##Fire() { VolleySchedule(stem##Row); }             \
  void stem##Move() { VolleyMove(stem##Row); }                 \
  void stem##Draw() { VolleyDraw(stem##Row); }

#define VOLLEY_FAMILY_(stem, RowType, ...)                                                   \
  VOLLEY_ROW_(stem, RowType, __VA_ARGS__)                                                    \
  void stem##Schedule() { VolleySchedule(stem##Row); }                                   \
  void stem##Move() { VolleyMove(stem##Row); }                                           \
  void stem##Draw() { VolleyDraw(stem##Row); }

#define VOLLEY_FAMILY(stem, ...)                                                         \
  VOLLEY_FAMILY_(stem, VolleyRow, __VA_ARGS__)                                           \
  void stem##Emit(int32_t r, int32_t first) { VolleyEmit(stem##Row, r, first); }

// A volley of another record: VOLLEY_FAMILY_OF(stem, SpiralShot, {...}).
#define VOLLEY_FAMILY_OF(stem, Record, ...)                                              \
  VOLLEY_FAMILY_(stem, VolleyRowOf<Record>, __VA_ARGS__)                                 \
  void stem##Emit(int32_t r, int32_t first) { VolleyEmit(stem##Row, r, first); }

// A ring whose Emit takes the record alone (its group is found from it).
#define VOLLEY_RING_FAMILY_OF(stem, Record, ...)                                         \
  VOLLEY_FAMILY_(stem, VolleyRowOf<Record>, __VA_ARGS__)                                 \
  void stem##Emit(int32_t r) { VolleyEmit(stem##Row, r, r - r % stem##Row.groupSize); }

#define VOLLEY_RING_FAMILY(stem, ...) VOLLEY_RING_FAMILY_OF(stem, PatternShot, __VA_ARGS__)
