// The paths of the curving streams.
#include "enemies/engine/curve_engine.h"

bool StepAt(const CurvePath& path, float age, CurveStep* step) {
  if (path.count < 1) return false;
  const int32_t n = path.count < MaxCurveBands ? path.count : MaxCurveBands;
  for (int32_t i = 0; i < n; ++i) {
    const CurveBand& b = path.bands[static_cast<size_t>(i)];
    if (age >= b.low && age <= b.high) {
      *step = {b.dx, b.dy};
      return true;
    }
  }
  return false;
}
