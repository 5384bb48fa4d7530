// The walks of the game's state (tools/runner/state_walk.h) for the tests,
// and a checksum over every table and boss record.
#pragma once
#include <cstddef>
#include <cstdint>

#include "tools/runner/state_walk.h"

namespace vantris_test {

using runner::BossRow;
using runner::ForEachStatePart;
using runner::ForEachTable;
using runner::kBossRows;

// FNV-1a over the bytes of every table and boss record.
inline uint64_t TablesChecksum() {
  uint64_t h = 1469598103934665603ull;
  auto mix = [&h](const void* data, size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) h = (h ^ p[i]) * 1099511628211ull;
  };
  ForEachTable([&](const char*, const auto& table, const ResetRule&) { mix(&table, sizeof table); });
  for (const BossRow& row : kBossRows) mix(row.state, sizeof *row.state);
  return h;
}

}  // namespace vantris_test
