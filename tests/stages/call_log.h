// A log of calls for script tables in tests: Rec<N> appends N.
#pragma once
#include <array>
#include <span>
#include <utility>
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

// A script with its calls taken out and, under each header, one call that
// logs the header's index (at most 64 headers): which windows open is then
// in Log(), the bounds of header i in headers[i].
struct ProbedScript {
  std::vector<ScriptItem> items;
  std::vector<std::pair<float, float>> headers;
};
template <size_t... I>
constexpr std::array<ScriptOp, sizeof...(I)> HeaderProbes(std::index_sequence<I...>) {
  return {Rec<static_cast<int>(I)>...};
}
inline ProbedScript ProbeEachHeader(std::span<const ScriptItem> script) {
  static constexpr auto kProbes = HeaderProbes(std::make_index_sequence<64>());
  ProbedScript probed;
  for (const ScriptItem& item : script) {
    if (!item.IsHeader()) continue;
    probed.items.push_back(item);
    probed.items.push_back(kProbes.at(probed.headers.size()));
    probed.headers.emplace_back(item.lo, item.hi);
  }
  return probed;
}

}  // namespace stage_test
