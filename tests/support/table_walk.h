// Walks every object table of the game that the reset passes write: the
// kinds', the stage files' and the homing weapons' lists, each table with its
// name and reset rule.  The visitor is called as f(name, table, rule).
#pragma once
#include <cstdint>
#include <cstring>
#include <iterator>

#include "enemies/kind_tables.h"
#include "player/homing_storage.h"
#include "stages/stage1/boss1_tables.h"
#include "stages/stage2/boss2_tables.h"
#include "stages/stage3/boss3_tables.h"
#include "stages/stage4/boss4_tables.h"
#include "stages/stage5/boss5_tables.h"
#include "stages/stage6/boss6_tables.h"
#include "stages/stage7/boss7_tables.h"
#include "stages/stage8/boss8_tables.h"

namespace vantris_test {

template <typename F>
void ForEachTable(F&& f) {
#define LOCKS(name, count) f(#name, name, Plain);
#define TABLE(name, Type, count, rule) f(#name, name, rule);
#include "enemies/kind_tables.inc"
#define TABLE(name, Type, count, rule) f(#name, name, rule);
#include "stages/stage1/boss1_tables.inc"
#include "stages/stage2/boss2_tables.inc"
#include "stages/stage3/boss3_tables.inc"
#include "stages/stage4/boss4_tables.inc"
#include "stages/stage5/boss5_tables.inc"
#include "stages/stage6/boss6_tables.inc"
#include "stages/stage7/boss7_tables.inc"
#include "stages/stage8/boss8_tables.inc"
#undef TABLE
#define LOCK_POINTS(n)                                         \
  f("Boss" #n "LockPoints.A", Boss##n##LockPoints.A, Plain); \
  f("Boss" #n "LockPoints.B", Boss##n##LockPoints.B, Plain);
  LOCK_POINTS(1) LOCK_POINTS(2) LOCK_POINTS(3) LOCK_POINTS(4)
  LOCK_POINTS(5) LOCK_POINTS(6) LOCK_POINTS(7) LOCK_POINTS(8)
#undef LOCK_POINTS
#define HOMING_VISIT(name, Type, count) f(#name, name, Plain);
  HOMING_TABLES(HOMING_VISIT)
#undef HOMING_VISIT
}

// The eight boss records with their start hit points.
struct BossRow {
  const char* name;
  BossState* state;
  float startHitPoints;
};
inline const BossRow kBossRows[8] = {
    {"Boss1State", &Boss1State, 1020.0f}, {"Boss2State", &Boss2State, 1000.0f},
    {"Boss3State", &Boss3State, 600.0f},  {"Boss4State", &Boss4State, 800.0f},
    {"Boss5State", &Boss5State, 1000.0f}, {"Boss6State", &Boss6State, 1400.0f},
    {"Boss7State", &Boss7State, 1500.0f}, {"Boss8State", &Boss8State, 1220.0f},
};

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
