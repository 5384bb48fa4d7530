// The scheduled volleys.
#include "enemies/engine/volley_engine.h"

void VolleySchedule(const VolleyRow& row) {
  for (int32_t r = 0; r < row.shots.count; ++r) {
    int32_t& tick = row.shots[r].tick;
    tick += 1;
    if (row.wrap == Wrap::OnReaching ? tick >= row.cycle : tick > row.cycle) tick = 0;
  }
  for (int32_t first = 0, g = 0; first < row.shots.count; first += row.groupSize, ++g) {
    const int32_t due = row.groupTicks[static_cast<size_t>(g)];
    for (int32_t r = first; r < first + row.groupSize; ++r) {
      if (row.shots[r].tick == due) VolleyEmit(row, r, first);
    }
  }
}

void VolleyEmit(const VolleyRow& row, int32_t r, int32_t first) {
  if (r < 0 || r >= row.shots.count || first < 0 || first >= row.shots.count) return;
  PatternShot& s = row.shots[r];
  if (s.active != 0) return;
  const Point at = LaunchPoint(row.launch, r);
  const float spread = static_cast<float>(r - first - row.centre) * row.fanStep;
  AimAtShip(s, at.x, at.y, row.speed, row.aim, spread);
}

void VolleyMove(const VolleyRow& row) {
  MoveAndRetire(row.shots, row.retire, row.groupSize, row.ship, [](PatternShot& r) { Fly(r); });
}

void VolleyDraw(const VolleyRow& row) { DrawLook(row.look, row.shots); }
