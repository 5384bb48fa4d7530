// A log of calls for script tables in tests: Rec<N> appends N.
#pragma once
#include <vector>

#include "stages/common/stage_script.h"

namespace stage_test {

inline std::vector<int>& Log() {
  static std::vector<int> log;
  return log;
}
template <int N>
void Rec() {
  Log().push_back(N);
}
using V = std::vector<int>;

}  // namespace stage_test
