// Scheduled volleys (PatternShot): a pool of N records in groups of G, each
// record with its own tick.  Every Schedule call advances every record's
// tick (wrapped to 0 on reaching the cycle, or on exceeding it) before any
// comparison; then each group whose tick has come emits its free records as
// a fan aimed at the ship.  The ticks run only while the schedule is
// called and keep their values between calls.
//
//   Emit(r, first)  record r (first = its group's first record), when free:
//                   at the owner slot + offset, the row's speed, headed at
//                   the ship + aim turned by (r - first - centre) x fanStep
//                   before the aiming rule's half-turn.  An index outside the
//                   pool is ignored.
//   Move, Draw      as the aimed families: along the heading, retired outside
//                   the field (and while BombWave is 1 where the row says so),
//                   the ship test.
//
// A volley is added with one line in its kind group's .cpp:
//   VOLLEY_FIRE_FAMILY(stem, {...})  stem##Fire (the schedule with its
//                                    emission), stem##Move, stem##Draw;
//   VOLLEY_FAMILY(stem, {...})       stem##Schedule, stem##Emit(r, first),
//                                    stem##Move, stem##Draw.
#pragma once
#include <array>
#include <cstdint>

#include "enemies/engine/bullet_steps.h"
#include "enemies/engine/engine_parts.h"
#include "enemies/records.h"

enum class Wrap : uint8_t {
  OnReaching,   // tick back to 0 when it reaches the cycle
  OnExceeding,  // ... only when it exceeds it (a last group ticking at the cycle fires)
};

constexpr int32_t MaxVolleyGroups = 16;

struct VolleyRow {
  TableRef<PatternShot> shots;
  Launch launch;       // usually one fixed owner slot
  int32_t groupSize = 5;
  int32_t cycle = 0;
  Wrap wrap = Wrap::OnReaching;
  std::array<int32_t, MaxVolleyGroups> groupTicks{};  // one per group, in group order
  float aim = 20.0f;
  float speed = 0.0f;
  float fanStep = 0.0f;
  int32_t centre = 0;  // the place in the group that flies straight at the target
  Retire retire{};
  Bounds ship = ShipBox(14, 24);
  BulletLook look{};
};

constexpr bool ValidRow(const VolleyRow& row) {
  return row.groupSize >= 1 && row.cycle >= 1 && row.shots.count % row.groupSize == 0 &&
         row.shots.count / row.groupSize <= MaxVolleyGroups && !row.retire.groupFreed &&
         row.launch.Fits(row.shots.count) && ValidLook(row.look, true);
}

void VolleySchedule(const VolleyRow& row);
void VolleyEmit(const VolleyRow& row, int32_t r, int32_t first);
void VolleyMove(const VolleyRow& row);
void VolleyDraw(const VolleyRow& row);

#define VOLLEY_ROW_(stem, ...)                   \
  constexpr VolleyRow stem##Row = __VA_ARGS__;  \
  static_assert(ValidRow(stem##Row), #stem ": the row does not fit its tables");

#define VOLLEY_FIRE_FAMILY(stem, ...)                          \
  VOLLEY_ROW_(stem, __VA_ARGS__)                               \
  void stem##Fire() { VolleySchedule(stem##Row); }             \
  void stem##Move() { VolleyMove(stem##Row); }                 \
  void stem##Draw() { VolleyDraw(stem##Row); }

#define VOLLEY_FAMILY(stem, ...)                                                         \
  VOLLEY_ROW_(stem, __VA_ARGS__)                                                         \
  void stem##Schedule() { VolleySchedule(stem##Row); }                                   \
  void stem##Emit(int32_t r, int32_t first) { VolleyEmit(stem##Row, r, first); }         \
  void stem##Move() { VolleyMove(stem##Row); }                                           \
  void stem##Draw() { VolleyDraw(stem##Row); }
