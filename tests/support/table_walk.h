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
void ForEachKindTable(F&& f) {
#define LOCKS(name, count) f(#name, name, Plain);
#define TABLE(name, Type, count, rule) f(#name, name, rule);
#include "enemies/kind_tables.inc"
}

template <typename F>
void ForEachStageTable(F&& f) {
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
  f("Boss1LockPoints.A", Boss1LockPoints.A, Plain);
  f("Boss1LockPoints.B", Boss1LockPoints.B, Plain);
  f("Boss2LockPoints.A", Boss2LockPoints.A, Plain);
  f("Boss2LockPoints.B", Boss2LockPoints.B, Plain);
  f("Boss3LockPoints.A", Boss3LockPoints.A, Plain);
  f("Boss3LockPoints.B", Boss3LockPoints.B, Plain);
  f("Boss4LockPoints.A", Boss4LockPoints.A, Plain);
  f("Boss4LockPoints.B", Boss4LockPoints.B, Plain);
  f("Boss5LockPoints.A", Boss5LockPoints.A, Plain);
  f("Boss5LockPoints.B", Boss5LockPoints.B, Plain);
  f("Boss6LockPoints.A", Boss6LockPoints.A, Plain);
  f("Boss6LockPoints.B", Boss6LockPoints.B, Plain);
  f("Boss7LockPoints.A", Boss7LockPoints.A, Plain);
  f("Boss7LockPoints.B", Boss7LockPoints.B, Plain);
  f("Boss8LockPoints.A", Boss8LockPoints.A, Plain);
  f("Boss8LockPoints.B", Boss8LockPoints.B, Plain);
}

template <typename F>
void ForEachHomingTable(F&& f) {
#define HOMING_VISIT(name, Type, count) f(#name, name, Plain);
  HOMING_TABLES(HOMING_VISIT)
#undef HOMING_VISIT
}

template <typename F>
void ForEachTable(F&& f) {
  ForEachKindTable(f);
  ForEachStageTable(f);
  ForEachHomingTable(f);
}

// The eight boss records with their start hit points, in reset order.
struct BossRow {
  const char* name;
  BossState* state;
  float startHitPoints;
  int32_t patternTicks;
};
inline const BossRow kBossRows[8] = {
    {"Boss1State", &Boss1State, 1020.0f, Boss1PatternTickCount},
    {"Boss3State", &Boss3State, 600.0f, Boss3PatternTickCount},
    {"Boss7State", &Boss7State, 1500.0f, Boss7PatternTickCount},
    {"Boss4State", &Boss4State, 800.0f, Boss4PatternTickCount},
    {"Boss5State", &Boss5State, 1000.0f, Boss5PatternTickCount},
    {"Boss6State", &Boss6State, 1400.0f, Boss6PatternTickCount},
    {"Boss2State", &Boss2State, 1000.0f, Boss2PatternTickCount},
    {"Boss8State", &Boss8State, 1220.0f, Boss8PatternTickCount},
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
