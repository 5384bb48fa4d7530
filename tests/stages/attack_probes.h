// An attack list with a recording call under each of its headers in place
// of its calls, to see which windows a boss block opens at a tick.
#pragma once
#include <array>
#include <span>
#include <utility>
#include <vector>

#include "stages/common/stage_script.h"
#include "tests/stages/call_log.h"

namespace stage_test {

template <size_t... I>
constexpr std::array<ScriptOp, sizeof...(I)> Probes(std::index_sequence<I...>) {
  return {Rec<static_cast<int>(I)>...};
}
inline constexpr auto kProbes = Probes(std::make_index_sequence<64>());

using HeaderBounds = std::vector<std::pair<float, float>>;

struct Probed {
  std::vector<ScriptItem> items;
  HeaderBounds headers;  // the bounds of each header
  // The bounds of the headers whose probes ran since the log was cleared.
  HeaderBounds Opened() const {
    HeaderBounds open;
    for (int i : Log()) open.push_back(headers.at(static_cast<size_t>(i)));
    return open;
  }
};

// Each header of `attack` followed by its probe: probe i logs i.
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

}  // namespace stage_test
