// The falling groups.
#include "enemies/engine/falling_engine.h"

namespace {

template <typename R>
void AddDrift(const FallingRowOf<R>& row, R& r, int32_t place) {
  r.x += row.drift[static_cast<size_t>(place)] * FrameTime;
}

// The drifts of the group that holds record i, on every record of it.
template <typename R>
void DriftGroup(const FallingRowOf<R>& row, int32_t i) {
  const int32_t first = i - i % row.groupSize;
  for (int32_t k = 0; k < row.groupSize; ++k) AddDrift(row, row.shots[first + k], k);
}

}  // namespace

template <typename R>
void FallingEmit(const FallingRowOf<R>& row, int32_t r, int32_t first) {
  if (r < 0 || r >= row.shots.count || first < 0 || first > r || r - first >= row.groupSize) {
    return;
  }
  R& s = row.shots[r];
  if (s.active != 0) return;
  s.active = 1;
  const Point at = LaunchPoint(row.launch, r);
  const int32_t place = r - first;
  if (row.xGroupWide) {
    for (int32_t k = 0; k < row.groupSize && first + k < row.shots.count; ++k) {
      row.shots[first + k].x = at.x + row.x[k];
    }
  } else {
    s.x = at.x + row.x[place];
  }
  if (row.yGroupWide) {
    for (int32_t k = 0; k < row.groupSize && first + k < row.shots.count; ++k) {
      row.shots[first + k].y = at.y + row.y[k];
    }
  } else {
    s.y = at.y + row.y[place];
  }
}

template <typename R>
void FallingSchedule(const FallingRowOf<R>& row) {
  RunTickSchedule(row.shots, {row.groupSize, row.cycle, row.wrap, row.restart}, row.groupTicks,
                  [&](int32_t r, int32_t first) { FallingEmit(row, r, first); });
}

template <typename R>
void FallingFire(const FallingRowOf<R>& row) {
  for (int32_t r = 0; r < row.shots.count; ++r) FallingEmit(row, r, r - r % row.groupSize);
}

template <typename R>
void FallingMove(const FallingRowOf<R>& row) {
  if (row.driftAt == DriftAt::AheadOfLoop) {
    for (int32_t pass = 0; pass < row.driftPasses; ++pass) {
      for (int32_t i = 0; i < row.shots.count; ++i) AddDrift(row, row.shots[i], i % row.groupSize);
    }
  }
  const bool bomb = row.bombWave && BombWave == 1;
  for (int32_t i = 0; i < row.shots.count; ++i) {
    R& r = row.shots[i];
    if (row.driftAt == DriftAt::HeadOfEveryPass) DriftGroup(row, i);
    if (r.active != 1) continue;
    r.vy = row.fall;
    if constexpr (requires { r.vx; }) {
      if (row.slideInVx) r.vx = row.slide;
    }
    if (row.driftAt == DriftAt::EachActivePass) DriftGroup(row, i);
    r.y += r.vy * FrameTime;
    if (row.slide != 0.0f) r.x += row.slide * FrameTime;
    RetireOrTest(r, r.y > FallBottom || bomb, row.ship);
  }
}

template <typename R>
void FallingDraw(const FallingRowOf<R>& row) {
  DrawLook(row.look, row.shots);
}

#define INSTANTIATE(R)                                                   \
  template void FallingEmit(const FallingRowOf<R>&, int32_t, int32_t);   \
  template void FallingSchedule(const FallingRowOf<R>&);                 \
  template void FallingFire(const FallingRowOf<R>&);                     \
  template void FallingMove(const FallingRowOf<R>&);                     \
  template void FallingDraw(const FallingRowOf<R>&);
INSTANTIATE(StraightShot)
INSTANTIATE(PatternShot)
#undef INSTANTIATE
