// The two reset passes over every object table: parked and free records,
// first fields and headings by the table's rule, the boss records' start
// values, what survives a reset, and the same tables from the same second.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

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

bool FirstFieldFits(int32_t value, const ResetRule& rule) {
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

bool Parked(float x, float y, const ResetRule& rule) { return x == ParkX && y == rule.parkY; }

// Empty when the record is in its start state, else what is wrong.
template <typename Slot>
std::string SlotProblem(const Slot& r, const ResetRule& rule) {
  if (!Parked(r.x, r.y, rule)) return "not parked";
  if (r.active != 0 || r.hit != 0 || r.noHit != 0) return "not free";
  if (r.explosionLoop != 0 || r.explosionFrame != 0 || r.vx != 0 || r.vy != 0) return "counters";
  return "";
}
std::string Problem(const EnemySlot& r, const ResetRule& rule) { return SlotProblem(r, rule); }
std::string Problem(const SpinningEnemySlot& r, const ResetRule& rule) {
  return SlotProblem(r, rule);
}
std::string Problem(const WaveEnemySlot& r, const ResetRule& rule) {
  if (r.aux != 0) return "aux";
  return SlotProblem(r, rule);
}
std::string Problem(const LargeEnemy& r, const ResetRule& rule) {
  if (r.clock != 0) return "clock";
  return SlotProblem(r, rule);
}
std::string Problem(const Szak60Enemy& r, const ResetRule& rule) {
  if (r.tick != 0 || r.hitFrames != 0) return "counters";
  return SlotProblem(r, rule);
}
std::string Problem(const LockOnTarget& r, const ResetRule&) {
  return r.x == -500 && r.y == 500 && r.locked == 0 ? "" : "lock point";
}

template <typename Shot>
std::string ShotProblem(const Shot& r, const ResetRule& rule) {
  if (!Parked(r.x, r.y, rule)) return "not parked";
  if (r.active != 0) return "active";
  if (!FirstFieldFits(r.animFrame, rule)) return "first field " + std::to_string(r.animFrame);
  return "";
}
std::string Problem(const StraightShot& r, const ResetRule& rule) {
  if (r.tick != 0 || r.vx != 0 || r.vy != 0) return "speeds";
  return ShotProblem(r, rule);
}
std::string Problem(const AimedShot& r, const ResetRule& rule) {
  if (!HeadingFits(r.angle, rule) || r.speed != 0) return "heading";
  return ShotProblem(r, rule);
}
std::string Problem(const PatternShot& r, const ResetRule& rule) {
  if (!HeadingFits(r.angle, rule) || r.speed != 0 || r.tick != 0) return "heading";
  return ShotProblem(r, rule);
}
std::string Problem(const SweepShot& r, const ResetRule& rule) {
  if (!HeadingFits(r.angle, rule) || r.timer != 0 || r.driftX != 0) return "heading";
  return ShotProblem(r, rule);
}
std::string Problem(const SpiralShot& r, const ResetRule& rule) {
  if (!HeadingFits(r.heading, rule) || r.speed != 0 || r.tick != 0) return "heading";
  return ShotProblem(r, rule);
}
std::string Problem(const RingPoolShot& r, const ResetRule& rule) {
  if (!HeadingFits(r.heading, rule) || r.speed != 0) return "heading";
  return ShotProblem(r, rule);
}
std::string Problem(const LaserBeam& r, const ResetRule& rule) {
  if (!Parked(r.x, r.y, rule) || r.active != 0) return "not parked";
  return FirstFieldFits(r.frame, rule) ? "" : "frame";
}
std::string Problem(const CurveShot& r, const ResetRule&) {
  return r.x == -500 && r.y == 500 && r.age == 0 && r.active == 0 ? "" : "not parked";
}
std::string Problem(const DefeatExplosion& r, const ResetRule& rule) {
  return r.frame == 0 && Parked(r.x, r.y, rule) ? "" : "not parked";
}
std::string Problem(const SpareFragment& r, const ResetRule& rule) {
  if (!FirstFieldFits(r.frame, rule)) return "frame";
  if (r.dx < -50 || r.dx > 49 || r.dy < 20 || r.dy > 49) return "offsets";
  return "";
}
std::string Problem(const HomingLaserSegment& r, const ResetRule& rule) {
  return Parked(r.x, r.y, rule) && r.active == 0 && r.angle == ResetHeading && r.age == 0
             ? ""
             : "not parked";
}
std::string Problem(const HomingMissile& r, const ResetRule& rule) {
  return Parked(r.x, r.y, rule) && r.active == 0 && r.angle == ResetHeading && r.speed == 0
             ? ""
             : "not parked";
}

// Makes a mess of every table: every record live, somewhere on the field.
template <typename T>
void Scramble(T& r) {
  if constexpr (requires { r.x; }) r.x = 300;
  if constexpr (requires { r.y; }) r.y = 200;
  if constexpr (requires { r.active; }) r.active = 1;
  if constexpr (requires { r.locked; }) r.locked = 1;
  if constexpr (requires { r.hit; }) r.hit = 1;
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
  ForEachTable([&](const char* name, const auto& table, const ResetRule& rule) {
    ++tables;
    for (size_t i = 0; i < std::size(table); ++i) {
      const std::string problem = Problem(table[i], rule);
      EXPECT_EQ(problem, "") << name << "[" << i << "]";
      if constexpr (requires { table[i].animFrame; }) {
        if (rule.first == FirstField::Rand10 && table[i].animFrame != 0) ++r10_nonzero;
      }
    }
  });
  EXPECT_EQ(tables, 559);  // 543 listed tables and the 16 boss lock-point arrays
  EXPECT_GT(r10_nonzero, 1000);  // the draws really vary

  for (const DeathFragment& f : DeathFragments) {
    EXPECT_EQ(f.x, ParkX);
    EXPECT_EQ(f.y, ParkY);
    EXPECT_EQ(f.active, 0u);
    EXPECT_EQ(f.counter, 0);
  }
  EXPECT_EQ(DeathBurstCounter, 0);
  for (const BombFragment& f : BombFragments) {
    EXPECT_EQ(f.x, -500);
    EXPECT_EQ(f.y, 500);
    EXPECT_EQ(f.active, 0u);
    EXPECT_EQ(f.angle, ResetHeading);
  }
  for (const ShipRay& r : ShipRays) EXPECT_EQ(r.active, 0u);
  for (const LaserSegment& s : LaserASegments) EXPECT_EQ(s.active, 0u);
  EXPECT_EQ(PowerUp.active, 0u);
  EXPECT_EQ(LockSightX, -500);
  EXPECT_EQ(LockSightY, 500);
  EXPECT_EQ(SpareSight.x, -500);
}

TEST_F(ObjectResetsTest, SampleRecordsLieWhereEachKindParks) {
  ScrambleEverything();
  BothPasses();
  EXPECT_EQ(Szak30ASlots[2].y, -500.0f);  // wave kinds above the field
  EXPECT_EQ(Szak41BSlots[4].y, -500.0f);
  EXPECT_EQ(Szak9Slots[0].y, -500.0f);
  EXPECT_EQ(Szak12Slots[1].y, -500.0f);
  EXPECT_EQ(Szak21CSlots[0].y, 2550.0f);  // but these two below it
  EXPECT_EQ(Szak22CSlots[0].y, 2550.0f);
  EXPECT_EQ(Szak10Slots[0].x, -500.0f);
  EXPECT_EQ(Szak10Slots[0].y, 2550.0f);
  EXPECT_EQ(Szak6DLockTargets[1].x, -500);
  EXPECT_EQ(Szak6DLockTargets[1].y, 500);
  EXPECT_EQ(Boss4Ray4ASlots[49].y, 500);
  EXPECT_EQ(Boss4Val20241CSlots[0].angle, ResetHeadingNarrow);
  EXPECT_NEAR(ResetHeadingNarrow, -0.0162496f, 1e-6f);
  EXPECT_NEAR(ResetHeading, -0.0523599f, 1e-6f);
  // Table sizes.
  EXPECT_EQ(std::size(Szak13AShot1Slots), 3u);
  EXPECT_EQ(std::size(Szak32AShot1Slots), 4u);
  EXPECT_EQ(std::size(Szak33AShot1Slots), 4u);
  EXPECT_EQ(std::size(Szak21AShot2Slots), 3u);
  EXPECT_EQ(std::size(Boss7Val20241HPool), 300u);
  EXPECT_EQ(std::size(Boss6LockPoints.A), 9u);
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
  // Heads of pattern ticks; the tail follows them in every record.
  EXPECT_EQ(Boss1PatternTickCount + 13, 25);
  EXPECT_EQ(Boss4PatternTickCount + 13, 19);
  EXPECT_EQ(Boss5PatternTickCount + 13, 19);
  EXPECT_EQ(Boss7PatternTickCount + 13, 31);
  EXPECT_LE(Boss7PatternTickCount, BossPatternTickRoom);
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
  NoDeath = 1;
  BackgroundOff = 1;
  SideLaser = 1;
  PowerLevel = 2;
  PowerUp.active = 1;
  PlayerAlive = 0;
  GameOver = 1;
  PauseFlag = 1;
  ContinuePrompt = 1;
  RespawnFlag = 1;
  RespawnTimer = 100;
  BombWave = 1;
  BombRingCounter = 12;
  LaserAReady = 0;
  ScrollPos = 900.0f;
  SceneFrame = 44;
  HomingLaserCounter[5] = 9;
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
  BothPasses();
  EXPECT_EQ(TablesChecksum(), first);
  for (int i = 0; i < StarParticleCount; ++i) {
    EXPECT_EQ(StarParticles[i].x, stars[i].x);
    EXPECT_EQ(StarParticles[i].fall_speed, stars[i].fall_speed);
  }
  os::headless::AdvanceMs(1000);
  BothPasses();
  EXPECT_NE(TablesChecksum(), first);
}

TEST_F(ObjectResetsTest, TheStarfieldStartsScattered) {
  BothPasses();
  for (const StarParticle& p : StarParticles) {
    EXPECT_GE(p.x, -400.0f);
    EXPECT_LE(p.x, 839.0f);
    EXPECT_GE(p.y, 0.0f);
    EXPECT_LE(p.y, 479.0f);
    EXPECT_GE(p.fall_speed, 100.0f);
    EXPECT_LE(p.fall_speed, 199.0f);
    EXPECT_GE(p.frame, 0);
    EXPECT_LE(p.frame, 6);
  }
}

}  // namespace
