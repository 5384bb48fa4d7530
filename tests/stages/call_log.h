// A log of calls for script tables in tests: Rec<N> appends N; an attack
// list can be probed with a recording call under each of its headers.
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

template <size_t... I>
constexpr std::array<ScriptOp, sizeof...(I)> Probes(std::index_sequence<I...>) {
  return {Rec<static_cast<int>(I)>...};
}
inline constexpr auto kProbes = Probes(std::make_index_sequence<64>());

// The attack list with the calls replaced by one recording call under each
// header: Rec<i> for header i, whose bounds are headers[i].
struct Probed {
  std::vector<ScriptItem> items;
  std::vector<std::pair<float, float>> headers;
};
inline Probed ProbeHeaders(std::span<const ScriptItem> attack) {
  Probed probed;
  for (const ScriptItem& item : attack) {
    if (!item.IsHeader()) continue;
    probed.items.push_back(item);
    probed.items.push_back(kProbes.at(probed.headers.size()));
    probed.headers.emplace_back(item.lo, item.hi);
  }
  return probed;
}

// The bounds of the headers whose calls the log holds, in call order.
inline std::vector<std::pair<float, float>> OpenHeaders(const Probed& probed) {
  std::vector<std::pair<float, float>> open;
  for (int i : Log()) open.push_back(probed.headers.at(static_cast<size_t>(i)));
  return open;
}

}  // namespace stage_test
