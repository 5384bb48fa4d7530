// The two reset passes over every object table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
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

bool FirstFits(int32_t v, const ResetRule& rule) {
  const int top = rule.first == FirstField::Rand10 ? 9 : rule.first == FirstField::Rand7 ? 6 : 0;
  return v >= 0 && v <= top;
}

bool HeadingFits(float h, const ResetRule& rule) {
  return rule.heading == Heading::Keep ||
         h == (rule.heading == Heading::Narrow ? ResetHeadingNarrow : ResetHeading);
}

// Whether a record is in its start state: parked, free, first field and
// heading by its rule, clocks and counters 0.
template <typename R>
bool Clean(const R& r, const ResetRule& rule) {
  bool ok = true;
  if constexpr (requires { r.x; }) {
    if constexpr (std::is_integral_v<decltype(r.x)>) ok = r.x == ParkXInt && r.y == ParkYInt;
    else ok = r.x == ParkX && r.y == rule.parkY;
  }
  if constexpr (requires { r.active; }) ok = ok && r.active == 0;
  if constexpr (requires { r.locked; }) ok = ok && r.locked == 0;
  if constexpr (requires { r.hit; }) {  // the enemy slots
    ok = ok && !r.hit && !r.noHit && !r.explosionLoop && !r.vx && !r.vy;
    ok = ok && (r.explosionFrame == 0 || (rule.keep & KeepExplosionFrame));
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

// Every field a reset writes, away from its start value (the fields a table
// keeps are left alone).
template <typename T>
void Scramble(T& r, const ResetRule& rule = Plain) {
  if constexpr (requires { r.x; }) r.x = 300;
  if constexpr (requires { r.y; }) r.y = 200;
  if constexpr (requires { r.active; }) r.active = 1;
  if constexpr (requires { r.locked; }) r.locked = 1;
  if constexpr (requires { r.hit; }) {
    r.hit = 1;
    if (!(rule.keep & KeepExplosionFrame)) r.explosionFrame = 1;
  }
  if constexpr (requires { r.tick; }) r.tick = 5;
  if constexpr (requires { r.speed; }) r.speed = 5;
  if constexpr (requires { r.age; }) r.age = 5;
}
void ScrambleEverything() {
  ForEachTable([](const char*, auto& table, const ResetRule& rule) {
    for (auto& r : table) Scramble(r, rule);
  });
  for (const BossRow& row : kBossRows) {
    *row.state = {};
    row.state->x = row.state->hitPoints = row.state->defeatTimer = 80;
    row.state->attackTick = row.state->patternTicks[0] = 7;
    row.state->hitDisabled = 1;
  }
  for (DeathFragment& f : DeathFragments) Scramble(f);
  for (BombFragment& f : BombFragments) Scramble(f);
  for (LaserSegment& s : LaserBSegments) Scramble(s);
  Scramble(PowerUp);
  DeathBurstCounter = 33;
  LockSightX = LockSightY = 7;
}

using ObjectResetsTest = HeadlessTest;
void BothPasses() {
  ResetObjectTablesA();
  ResetObjectTablesB();
}

TEST_F(ObjectResetsTest, EveryTableIsParkedAndFreeWithItsFirstFieldsInRange) {
  ScrambleEverything();
  BothPasses();
  int r10_nonzero = 0;
  auto check = [&](const char* name, const auto& table, const ResetRule& rule) {
    for (size_t i = 0; i < std::size(table); ++i) {
      EXPECT_TRUE(Clean(table[i], rule)) << name << "[" << i << "]";
      if constexpr (requires { table[i].animFrame; }) {
        r10_nonzero += rule.first == FirstField::Rand10 && table[i].animFrame != 0;
      }
    }
  };
  ForEachTable(check);
  EXPECT_GT(r10_nonzero, 1000);  // the draws really vary
  check("DeathFragments", DeathFragments, Plain);
  check("BombFragments", BombFragments, Plain);
  check("LaserBSegments", LaserBSegments, Plain);
  EXPECT_EQ(DeathBurstCounter, 0);
  for (const BossRow& row : kBossRows) {
    EXPECT_EQ(row.state->hitPoints, row.startHitPoints) << row.name;
    EXPECT_EQ(row.state->patternTicks[0] + row.state->attackTick, 0) << row.name;
  }
  EXPECT_EQ(PowerUp.active, 0u);
  EXPECT_EQ(LockSightY, 500);
}

// The stage-2 and stage-3 bosses carry their hit flags over a reset; the
// others start clear.  So does Szak6E its explosion cell, where Szak6D's
// starts at 0.
TEST_F(ObjectResetsTest, KeptFieldsSurviveBothPasses) {
  for (const BossRow& row : kBossRows) row.state->hit = row.state->hitShown = 1;
  Szak6DSlots[1].explosionFrame = Szak6ESlots[1].explosionFrame = 4;
  BothPasses();
  for (const BossRow& row : kBossRows) {
    const uint32_t kept = row.state == &Boss2State || row.state == &Boss3State;
    EXPECT_EQ(row.state->hit, kept) << row.name;
    EXPECT_EQ(row.state->hitShown, kept) << row.name;
  }
  EXPECT_EQ(Szak6DSlots[1].explosionFrame, 0);
  EXPECT_EQ(Szak6ESlots[1].explosionFrame, 4);
  Boss2State.hit = Boss2State.hitShown = Boss3State.hit = Boss3State.hitShown = 0;
  Szak6ESlots[1].explosionFrame = 0;
}

TEST_F(ObjectResetsTest, TheShipScoreLivesAndOptionsSurviveAndTheRunRestarts) {
  PlayerX = 400.0f;
  Score = Lives = PowerLevel = 2;
  NoDeath = SideLaser = PowerUp.active = 1;
  PlayerAlive = LaserAReady = 0;
  GameOver = PauseFlag = ContinuePrompt = RespawnFlag = BombWave = 1;
  RespawnTimer = SceneFrame = HomingLaserCounter[5] = 9;
  ScrollPos = 900.0f;
  BothPasses();
  EXPECT_EQ(PlayerX, 400.0f);
  EXPECT_EQ(Score + Lives + PowerLevel, 6);
  EXPECT_EQ(NoDeath + SideLaser + PlayerAlive + LaserAReady, 4u);
  EXPECT_EQ(PowerUp.active, 0u);  // parked, but the power earned stays
  EXPECT_EQ(GameOver + PauseFlag + ContinuePrompt + RespawnFlag + BombWave, 0u);
  EXPECT_EQ(PlayerBank, 3);
  EXPECT_EQ(ContinueCountdown, 800);
  EXPECT_EQ(RespawnTimer + SceneFrame + HomingLaserCounter[5], 0);
  EXPECT_EQ(ScrollPos, 0.0f);
}

TEST_F(ObjectResetsTest, TheSameSecondGivesTheSameTablesAndAnotherSecondOthers) {
  BothPasses();
  const uint64_t first = TablesChecksum();
  ScrambleEverything();
  BothPasses();
  EXPECT_EQ(TablesChecksum(), first);
  os::headless::AdvanceMs(1000);
  BothPasses();
  EXPECT_NE(TablesChecksum(), first);
}

}  // namespace
