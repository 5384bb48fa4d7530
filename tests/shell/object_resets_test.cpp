// The two reset passes over every object table: parked and free records,
// first fields and headings by the table's rule, the boss records' start
// values, what survives a reset, and the same tables from the same second.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <type_traits>

#include "os/headless/headless.h"
#include "player/bomb.h"
#include "player/death.h"
#include "player/homing_storage.h"
#include "player/powerup.h"
#include "player/shots.h"
#include "player/starfield.h"
#include "shell/background.h"
#include "shell/game_state.h"
#include "shell/object_resets.h"
#include "tests/support/table_walk.h"
#include "tests/support/test_support.h"

namespace {

using namespace vantris_test;

bool FirstFits(int32_t value, const ResetRule& rule) {
  switch (rule.first) {
    case FirstField::Zero: return value == 0;
    case FirstField::Rand10: return value >= 0 && value <= 9;
    case FirstField::Rand7: return value >= 0 && value <= 6;
  }
  return false;
}

bool HeadingFits(float heading, const ResetRule& rule) {
  switch (rule.heading) {
    case Heading::Deg3: return heading == ResetHeading;
    case Heading::Narrow: return heading == ResetHeadingNarrow;
    case Heading::Keep: return true;
  }
  return false;
}

// Whether a record is in its start state, field by field: parked where its
// rule says ((-500, 500) for the integer-position records), free, its first
// field in range, its heading by the rule, its clocks and counters 0.
template <typename R>
bool Clean(const R& r, const ResetRule& rule) {
  bool ok = true;
  if constexpr (requires { r.x; }) {
    if constexpr (std::is_integral_v<decltype(r.x)>) {
      ok = r.x == ParkXInt && r.y == ParkYInt;
    } else {
      ok = r.x == ParkX && r.y == rule.parkY;
    }
  }
  if constexpr (requires { r.active; }) ok = ok && r.active == 0;
  if constexpr (requires { r.locked; }) ok = ok && r.locked == 0;
  if constexpr (requires { r.hit; }) {  // the enemy slots
    ok = ok && !r.hit && !r.noHit && !r.explosionLoop && !r.explosionFrame && !r.vx && !r.vy;
    if constexpr (requires { r.aux; }) ok = ok && r.aux == 0;
    if constexpr (requires { r.clock; }) ok = ok && (r.clock == 0 || (rule.keep & KeepClock));
    if constexpr (requires { r.hitFrames; }) ok = ok && r.tick == 0 && r.hitFrames == 0;
  } else {
    if constexpr (requires { r.animFrame; }) ok = ok && FirstFits(r.animFrame, rule);
    if constexpr (requires { r.tick; }) ok = ok && r.tick == 0;
    if constexpr (requires { r.vx; }) ok = ok && r.vx == 0 && r.vy == 0;
    if constexpr (requires { r.angle; }) ok = ok && HeadingFits(r.angle, rule);
  }
  if constexpr (requires { r.frame; }) ok = ok && FirstFits(r.frame, rule);
  if constexpr (requires { r.heading; }) ok = ok && HeadingFits(r.heading, rule);
  if constexpr (requires { r.speed; }) ok = ok && r.speed == 0;
  if constexpr (requires { r.age; }) ok = ok && r.age == 0;
  if constexpr (requires { r.counter; }) ok = ok && r.counter == 0;
  if constexpr (requires { r.driftX; }) ok = ok && r.timer == 0 && r.driftX == 0;
  if constexpr (requires { r.dx; } && !requires { r.x; }) {  // the spare fragments
    ok = ok && r.dx >= -50 && r.dx <= 49 && r.dy >= 20 && r.dy <= 49;
  }
  return ok;
}

// Makes a mess of every table: every record live, somewhere on the field,
// its clocks running.
template <typename T>
void Scramble(T& r) {
  if constexpr (requires { r.x; }) r.x = 300;
  if constexpr (requires { r.y; }) r.y = 200;
  if constexpr (requires { r.active; }) r.active = 1;
  if constexpr (requires { r.locked; }) r.locked = 1;
  if constexpr (requires { r.hit; }) r.hit = r.explosionFrame = 1;
  if constexpr (requires { r.tick; }) r.tick = 5;
  if constexpr (requires { r.speed; }) r.speed = 5;
  if constexpr (requires { r.age; }) r.age = 5;
}
void ScrambleEverything() {
  ForEachTable([](const char*, auto& table, const ResetRule&) {
    for (auto& r : table) Scramble(r);
  });
  for (const BossRow& row : kBossRows) {
    *row.state = {};
    row.state->x = 300;
    row.state->y = 100;
    row.state->hitPoints = -5;
    row.state->defeatTimer = 80;
    row.state->attackTick = 99;
    row.state->patternTicks[0] = 7;
    row.state->hitDisabled = 1;
  }
  for (DeathFragment& f : DeathFragments) Scramble(f);
  for (BombFragment& f : BombFragments) Scramble(f);
  for (ShipRay& r : ShipRays) Scramble(r);
  for (LaserSegment& s : LaserASegments) Scramble(s);
  for (LaserSegment& s : LaserBSegments) Scramble(s);
  Scramble(PowerUp);
  DeathBurstCounter = 33;
  LockSightX = LockSightY = 7;
}

class ObjectResetsTest : public HeadlessTest {
 protected:
  static void BothPasses() {
    ResetObjectTablesA();
    ResetObjectTablesB();
  }
};

TEST_F(ObjectResetsTest, EveryTableIsParkedAndFreeWithItsFirstFieldsInRange) {
  ScrambleEverything();
  BothPasses();
  int tables = 0;
  int r10_nonzero = 0;
  auto check = [&](const char* name, const auto& table, const ResetRule& rule) {
    ++tables;
    for (size_t i = 0; i < std::size(table); ++i) {
      EXPECT_TRUE(Clean(table[i], rule)) << name << "[" << i << "]";
      if constexpr (requires { table[i].animFrame; }) {
        r10_nonzero += rule.first == FirstField::Rand10 && table[i].animFrame != 0;
      }
    }
  };
  ForEachTable(check);
  EXPECT_EQ(tables, 559);  // 543 listed tables and the 16 boss lock-point arrays
  EXPECT_GT(r10_nonzero, 1000);  // the draws really vary
  check("DeathFragments", DeathFragments, Plain);
  check("BombFragments", BombFragments, Plain);
  check("ShipRays", ShipRays, Plain);
  check("LaserASegments", LaserASegments, Plain);
  check("LaserBSegments", LaserBSegments, Plain);
  EXPECT_EQ(DeathBurstCounter, 0);
  EXPECT_EQ(PowerUp.active, 0u);
  EXPECT_EQ(LockSightX, -500);
  EXPECT_EQ(LockSightY, 500);
  EXPECT_EQ(SpareSight.x, -500);

  // The tables' own parking places: the wave kinds, Szak9 and Szak12 above
  // the field, the rest below; five ring tables take the narrow heading.
  for (float y : {Szak30ASlots[2].y, Szak41BSlots[4].y, Szak9Slots[0].y, Szak12Slots[1].y}) {
    EXPECT_EQ(y, -500.0f);
  }
  for (float y : {Szak21CSlots[0].y, Szak22CSlots[0].y, Szak10Slots[0].y}) EXPECT_EQ(y, 2550.0f);
  EXPECT_EQ(Boss4Val20241CSlots[0].angle, ResetHeadingNarrow);
}

TEST_F(ObjectResetsTest, KeptFieldsSurviveTheirTablesReset) {
  BothPasses();
  Szak6ASlots[0].angle = 45;
  Szak6ASlots[0].animFrame = 3;
  Szak6BSlots[0].animFrame = 3;
  Szak1ASlots[1].animFrame = 2;
  Szak10Slots[0].animFrame = 2;
  Szak30ASlots[0].angle = 90;
  Szak30ASlots[0].clock = 4;
  Szak22CSlots[0].clock = 4;
  Szak22CSlots[0].waveTimer = 6;
  Szak21CSlots[0].waveTimer = 6;
  Szak53ASlots[0].shot1Tick = 11;
  Szak1BShot1Slots[0].angle = 1.5f;
  Szak6DShot1Slots[0].angle = 1.5f;
  BothPasses();
  EXPECT_EQ(Szak6ASlots[0].angle, 45);
  EXPECT_EQ(Szak6ASlots[0].animFrame, 0);
  EXPECT_EQ(Szak6BSlots[0].animFrame, 3);
  EXPECT_EQ(Szak1ASlots[1].animFrame, 2);
  EXPECT_EQ(Szak10Slots[0].animFrame, 0);
  EXPECT_EQ(Szak30ASlots[0].angle, 90);
  EXPECT_EQ(Szak30ASlots[0].clock, 0.0f);
  EXPECT_EQ(Szak22CSlots[0].clock, 4.0f);
  EXPECT_EQ(Szak22CSlots[0].waveTimer, 6);
  EXPECT_EQ(Szak21CSlots[0].waveTimer, 0);
  EXPECT_EQ(Szak53ASlots[0].shot1Tick, 11);
  EXPECT_EQ(Szak1BShot1Slots[0].angle, 1.5f);  // no heading written
  EXPECT_EQ(Szak6DShot1Slots[0].angle, ResetHeading);
}

TEST_F(ObjectResetsTest, BossRecordsReturnToTheirStartValues) {
  ScrambleEverything();
  BothPasses();
  for (const BossRow& row : kBossRows) {
    const BossState& b = *row.state;
    EXPECT_EQ(b.x, -500.0f) << row.name;
    EXPECT_EQ(b.y, 2550.0f) << row.name;
    EXPECT_EQ(b.hitPoints, row.startHitPoints) << row.name;
    EXPECT_EQ(b.defeatTimer, 0.0f) << row.name;
    EXPECT_EQ(b.moveTimer, 0.0f) << row.name;
    EXPECT_EQ(b.attackTick, 0) << row.name;
    EXPECT_EQ(b.hitDisabled, 0u) << row.name;
    EXPECT_EQ(b.hit, 0u) << row.name;
    for (int32_t t : b.patternTicks) EXPECT_EQ(t, 0) << row.name;
  }
}

TEST_F(ObjectResetsTest, TheShipScoreLivesAndOptionsSurviveAndTheRunRestarts) {
  PlayerX = 400.0f;
  PlayerY = 300.0f;
  Score = 123450;
  HighScore = 200000;
  Lives = 77;
  BombStock = 4;
  GameLevel = 3;
  ShipType = 2;
  PowerLevel = 2;
  NoDeath = BackgroundOff = SideLaser = PowerUp.active = 1;
  PlayerAlive = LaserAReady = 0;
  GameOver = PauseFlag = ContinuePrompt = RespawnFlag = BombWave = 1;
  RespawnTimer = BombRingCounter = SceneFrame = HomingLaserCounter[5] = 9;
  ScrollPos = 900.0f;
  BothPasses();
  EXPECT_EQ(PlayerX, 400.0f);
  EXPECT_EQ(PlayerY, 300.0f);
  EXPECT_EQ(Score, 123450);
  EXPECT_EQ(HighScore, 200000);
  EXPECT_EQ(Lives, 77);
  EXPECT_EQ(BombStock, 4);
  EXPECT_EQ(GameLevel, 3);
  EXPECT_EQ(ShipType, 2);
  EXPECT_EQ(NoDeath, 1u);
  EXPECT_EQ(BackgroundOff, 1u);
  // The item is parked but the power earned so far stays.
  EXPECT_EQ(PowerUp.active, 0u);
  EXPECT_EQ(SideLaser, 1u);
  EXPECT_EQ(PowerLevel, 2);
  EXPECT_EQ(PlayerAlive, 1u);
  EXPECT_EQ(GameOver, 0u);
  EXPECT_EQ(PlayerBank, 3);
  EXPECT_EQ(PauseFlag, 0u);
  EXPECT_EQ(ContinuePrompt, 0u);
  EXPECT_EQ(ContinueCountdown, 800);
  EXPECT_EQ(RespawnFlag, 0u);
  EXPECT_EQ(RespawnTimer, 0);
  EXPECT_EQ(BombWave, 0u);
  EXPECT_EQ(BombRingCounter, 0);
  EXPECT_EQ(ScrollPos, 0.0f);
  EXPECT_EQ(SceneFrame, 0);
  EXPECT_EQ(LaserAReady, 1u);
  EXPECT_EQ(LaserBReady, 1u);
  EXPECT_EQ(HomingLaserCounter[5], 0);
}

TEST_F(ObjectResetsTest, TheSameSecondGivesTheSameTablesAndAnotherSecondOthers) {
  BothPasses();
  const uint64_t first = TablesChecksum();
  StarParticle stars[StarParticleCount];
  std::copy(std::begin(StarParticles), std::end(StarParticles), stars);
  ScrambleEverything();
  for (StarParticle& p : StarParticles) p = {};
  BothPasses();
  EXPECT_EQ(TablesChecksum(), first);
  EXPECT_EQ(std::memcmp(StarParticles, stars, sizeof stars), 0);
  os::headless::AdvanceMs(1000);
  BothPasses();
  EXPECT_NE(TablesChecksum(), first);
}

}  // namespace
