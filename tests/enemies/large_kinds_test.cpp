// The large kinds: the diagonal gunships' schedules, the falling pairs, the
// spiral sweeps on the kinds' own counters, the bursts that re-form, the
// clock script at its band bounds and after its wrap, Szak60's script, and
// explosions that go on moving.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "el/system/angles.h"
#include "enemies/large_kinds.h"
#include "tests/enemies/enemy_fixture.h"

namespace {

using namespace enemy_test;
using player_test::Pos;
using player_test::XY;

// A power of two: clock steps of 45/64 and 40/64 are exact, so a script
// clock can be put exactly on a band bound.
constexpr float kExactFrame = 1.0f / 64.0f;

class LargeKindsTest : public EnemyTest {
 protected:
  template <size_t N>
  static std::vector<int> Active(const PatternShot (&pool)[N]) {
    std::vector<int> on;
    for (size_t i = 0; i < N; ++i) {
      if (pool[i].active == 1) on.push_back(static_cast<int>(i));
    }
    return on;
  }
  template <typename R, size_t N>
  static void FreeAll(R (&pool)[N]) {
    for (R& r : pool) r.active = 0;
  }
  static LargeEnemy& Place(LargeEnemy (&slots)[1], float x, float y, float clock) {
    LargeEnemy& s = slots[0];
    s.active = 1;
    s.x = x;
    s.y = y;
    s.vx = 200.0f;
    s.vy = 280.0f;
    s.clock = clock;
    return s;
  }
};

TEST_F(LargeKindsTest, DiagonalFanFiresOnItsTicksWrapsOnExceedingAndSkipsBusyRecords) {
  Szak52ASlots[0] = {};
  Szak52ASlots[0].active = 1;
  Szak52ASlots[0].x = 250.0f;
  Szak52ASlots[0].y = 100.0f;
  std::vector<std::pair<int, std::vector<int>>> fired;
  for (int call = 1; call <= 121; ++call) {
    if (call == 121) {  // still flying from the last cycle
      Szak52AShot2Slots[1].active = 1;
      Szak52AShot2Slots[1].x = 1.0f;
    }
    Szak52AShot2Schedule();
    std::vector<int> on = Active(Szak52AShot2Slots);
    if (call == 121) std::erase(on, 1);
    if (!on.empty()) fired.push_back({call, on});
    FreeAll(Szak52AShot2Slots);
    if (call == 100 || call == 101) { EXPECT_EQ(Szak52AShot2Slots[0].tick, call == 100 ? 100 : 0); }
  }
  const std::vector<std::pair<int, std::vector<int>>> expected{
      {20, {0, 1, 2}}, {40, {3, 4, 5}}, {60, {6, 7, 8}}, {80, {9, 10, 11}},
      {100, {12, 13, 14}}, {121, {0, 2}}};
  EXPECT_EQ(fired, expected);
  EXPECT_EQ(Szak52AShot2Slots[1].x, 1.0f);  // the busy record was not placed again
  EXPECT_EQ(Pos(Szak52AShot2Slots[0]), XY(255.0f, 220.0f));
}

TEST_F(LargeKindsTest, ScheduleFromAParkedOwnerLeavesNothingOnTheField) {
  for (int call = 1; call <= 40; ++call) Szak51Shot1Schedule();
  ASSERT_EQ(Szak51Shot1Slots[0].active, 1u);
  EXPECT_EQ(Pos(Szak51Shot1Slots[0]), XY(ParkX + 105.0f, ParkY + 130.0f));
  Szak51Shot1Move();
  for (int r = 0; r < 5; ++r) EXPECT_EQ(Pos(Szak51Shot1Slots[r]), XY(ParkX, ParkY)) << r;
}

TEST_F(LargeKindsTest, DiagonalGunshipMovesBothAxesByVyAndKeepsMovingWhileExploding) {
  Szak52ASpawn();
  EnemySlot& s = Szak52ASlots[0];
  s.vy = 80.0f;
  s.vx = 150.0f;  // never read
  s.hit = 1;
  for (int f = 0; f < 6; ++f) {
    Szak52AMove();
    Szak52AUpdate();
  }
  EXPECT_NEAR(s.y, -160.0f + 80.0f * 6 / 60, 1e-3);
  EXPECT_NEAR(s.x, -20.0f + 80.0f * 6 / 60, 1e-3);
  EXPECT_EQ(s.vy, 80.0f);  // the explosion keeps the speeds
  EXPECT_EQ(s.explosionFrame, 6);
}

TEST_F(LargeKindsTest, PairsLeaveTogetherAndStayInStep) {
  Szak51Slots[0] = {};
  Szak51Slots[0].active = 1;
  Szak51Slots[0].x = 250.0f;
  Szak51Slots[0].y = 0.0f;
  for (int call = 1; call <= 10; ++call) Szak51Shot5Schedule();
  const PatternShot& left = Szak51Shot5Slots[0];
  const PatternShot& right = Szak51Shot5Slots[1];
  ASSERT_EQ(left.active + right.active, 2u);
  EXPECT_EQ(Pos(left), XY(310.0f, 130.0f));
  EXPECT_EQ(Pos(right), XY(390.0f, 130.0f));
  int frames = 0;
  while (left.active == 1 && frames < 200) {
    Szak51Shot5Move();
    ++frames;
    ASSERT_EQ(left.active, right.active) << frames;
    if (left.active == 1) {
      ASSERT_EQ(left.y, right.y) << frames;
      ASSERT_NEAR(350.0f - left.x, right.x - 350.0f, 1e-3) << frames;  // parting symmetrically
    }
  }
  EXPECT_EQ(frames, static_cast<int>(std::ceil(470.0f / 250.0f * 60.0f)));
  for (int call = 11; call <= 160; ++call) Szak51Shot5Schedule();  // the next cycle's first pair
  EXPECT_EQ(left.active + right.active, 2u);
  EXPECT_EQ(Pos(left), XY(310.0f, 130.0f));
  // Slots the schedule never meets stay idle.
  for (int r = 16; r < 20; ++r) EXPECT_EQ(Szak51Shot5Slots[r].active, 0u) << r;
}

TEST_F(LargeKindsTest, SpiralSweepEmitsSlotKAtCall2KNeverSlot0AndKeepsItsCounter) {
  LargeEnemy& owner = Place(Szak53ASlots, 300.0f, 100.0f, 0.0f);
  std::vector<int> order;
  for (int call = 1; call <= 71 + 4; ++call) {
    Szak53AShot1Schedule();
    for (int k = 0; k < 36; ++k) {
      if (Szak53AShot1Slots[k].active == 1) order.push_back(k * 1000 + call);
    }
    FreeAll(Szak53AShot1Slots);
  }
  std::vector<int> expected;
  for (int k = 1; k <= 35; ++k) expected.push_back(k * 1000 + 2 * k);
  expected.push_back(1 * 1000 + 71 + 2);  // the counter returned to 0 on call 71
  expected.push_back(2 * 1000 + 71 + 4);
  EXPECT_EQ(order, expected);

  Szak53AShot1Emit(9, 9);
  const PatternShot& r = Szak53AShot1Slots[9];
  EXPECT_EQ(Pos(r), XY(335.0f, 200.0f));
  EXPECT_NEAR(r.angle, -9 * 2 * PiF / 36, 1e-6);  // straight up; it flies down
  Szak53AShot1Move();
  EXPECT_NEAR(r.y, 200.0f + 110.0f / 60.0f, 1e-3);

  owner.shot1Tick = 33;
  ResetObjectTablesA();
  EXPECT_EQ(Szak53ASlots[0].shot1Tick, 33);
  EXPECT_EQ(Szak53ASlots[0].active, 0u);
}

TEST_F(LargeKindsTest, BurstReFormsWholeWhenOneRecordIsFreeAndOpensFasterWhileFull) {
  Place(Szak50BSlots, 300.0f, 100.0f, 0.0f);
  Szak50BShot3Fire();
  const XY start[] = {{420, 190}, {420, 220}, {360, 220}, {360, 190}};
  for (int k = 0; k < 4; ++k) EXPECT_EQ(Pos(Szak50BShot3Slots[k]), start[k]) << k;
  Szak50BShot3Move();
  EXPECT_NEAR(Szak50BShot3Slots[0].x, 420.0f + 4 * 20.0f / 60.0f, 1e-3);  // once per active bullet
  Szak50BShot3Slots[1].active = 0;
  Szak50BShot3Slots[2].active = 0;
  const float x0 = Szak50BShot3Slots[0].x;
  Szak50BShot3Move();
  EXPECT_NEAR(Szak50BShot3Slots[0].x - x0, 2 * 20.0f / 60.0f, 1e-3);

  Szak50BSlots[0].x = 320.0f;  // the gun has moved; one record is free
  Szak50BShot3Fire();
  const XY moved[] = {{440, 190}, {440, 220}, {380, 220}, {380, 190}};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(Pos(Szak50BShot3Slots[k]), moved[k]) << k;  // flying ones pulled back too
    EXPECT_EQ(Szak50BShot3Slots[k].active, 1u) << k;
  }
}

TEST_F(LargeKindsTest, ClockScriptBandsAtTheirBounds) {
  FrameTime = kExactFrame;
  const float step = 45.0f * kExactFrame;
  const struct {
    float clock;  // after the advance
    bool entry, fire, leave;
    float clock_after;
  } cases[] = {
      {50.0f, true, false, false, 50.0f},       {50.5f, false, false, false, 50.5f},
      {51.0f, false, true, false, 51.0f},       {70.0f, false, true, false, 70.0f},
      {70.5f, false, false, false, 70.5f},      {71.0f, false, false, true, 71.0f},
      {120.0f, false, false, true, 120.0f},     {120.5f, false, false, false, 120.5f},
      {121.0f, false, false, false, 0.0f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.clock);
    ResetObjectTablesA();
    LargeEnemy& s = Place(Szak53ASlots, 300.0f, 300.0f, c.clock - step);
    Szak53AMove();
    EXPECT_EQ(s.clock, c.clock_after);
    EXPECT_EQ(s.x, 300.0f + (c.entry ? 200.0f : 0.0f) * kExactFrame + (c.leave ? 250.0f : 0.0f) * kExactFrame);
    EXPECT_EQ(s.y, 300.0f - (c.leave ? 280.0f * kExactFrame : 0.0f));
    EXPECT_EQ(s.vx, c.fire ? 0.0f : 200.0f);
    EXPECT_EQ(Szak53AShot3Slots[0].active, c.fire ? 1u : 0u);
  }
  // The box keeps its edges.
  for (float y : {-160.0f, -160.5f}) {
    ResetObjectTablesA();
    LargeEnemy& s = Place(Szak53ASlots, 300.0f, y, 60.0f);
    Szak53AMove();
    EXPECT_EQ(s.active, y == -160.0f ? 1u : 0u) << y;
  }
}

TEST_F(LargeKindsTest, CornerKindFiresASecondTimeLowOnTheFieldAfterTheWrap) {
  Szak54ASpawn();
  const LargeEnemy& s = Szak54ASlots[0];
  std::vector<float> fire_heights;  // y where each fire band began
  bool firing = false;
  float lowest_top_row = 0.0f;  // slot 5 (the top row) as the burst was placed
  for (int frames = 0; s.active == 1 && frames < 600; ++frames) {
    Szak54AMove();
    const bool now = s.vx == 0.0f && s.clock >= 41.0f && s.clock <= 70.0f;
    if (now && !firing) fire_heights.push_back(s.y);
    if (now) lowest_top_row = std::max(lowest_top_row, Szak54AShot1Slots[5].y);
    firing = now;
    Szak54AShot1Move();
  }
  ASSERT_EQ(fire_heights.size(), 2u);
  EXPECT_NEAR(fire_heights[0], 20.0f, 2.0f);
  EXPECT_NEAR(fire_heights[1], 535.0f, 10.0f);
  EXPECT_EQ(s.y, ParkY);  // the second dive took it past 600
  // The second burst re-formed at the low gun, its lower rows below 600.
  EXPECT_GT(lowest_top_row + 60.0f, 600.0f);
}

TEST_F(LargeKindsTest, Szak60ScriptFallsFiresCreepsAndRepeatsFromTick8) {
  Szak60Slots[0].hitFrames = 7;
  Szak60Spawn();
  Szak60Enemy& s = Szak60Slots[0];
  EXPECT_EQ(s.hitFrames, 0);
  s.x = 300.0f;
  s.y = 0.0f;
  FrameTime = kExactFrame;
  std::vector<float> step;
  std::vector<int> firing;
  for (int call = 1; call <= 75; ++call) {
    const float y = s.y;
    FreeAll(Szak60Shot1Slots);
    Szak60Move();
    step.push_back((s.y - y) / kExactFrame);
    if (Szak60Shot1Slots[0].active == 1) firing.push_back(call);
  }
  const auto speed_at = [&](int call) { return step[static_cast<size_t>(call - 1)]; };
  EXPECT_EQ(speed_at(20), 130.0f);
  EXPECT_EQ(speed_at(21), 0.0f);
  EXPECT_EQ(speed_at(51), 60.0f);
  EXPECT_EQ(speed_at(60), 60.0f);
  EXPECT_EQ(speed_at(61), 0.0f);   // tick 61 restarts at 8
  EXPECT_EQ(speed_at(62), 130.0f);  // tick 9
  EXPECT_EQ(speed_at(73), 130.0f);  // tick 20
  EXPECT_EQ(speed_at(74), 0.0f);    // tick 21: firing again
  ASSERT_FALSE(firing.empty());
  EXPECT_EQ(firing.front(), 21);
  EXPECT_EQ(firing[29], 50);
  EXPECT_EQ(firing.back(), 75);
  EXPECT_EQ(s.vx, 0.0f);
}

TEST_F(LargeKindsTest, ExplosionsKeepTheirBlendAndFallWithTheKind) {
  for (bool keyed : {true, false}) {
    SCOPED_TRACE(keyed);
    elDraw::ClearScreen();
    EnemySlot& s = keyed ? Szak52ASlots[0] : Szak51Slots[0];
    s = {};
    s.active = 1;
    s.hit = 1;
    s.x = 300.0f;
    s.y = 200.0f;
    s.vy = 60.0f;
    BlendExplosions = 0;  // not consulted
    keyed ? Szak52AUpdate() : Szak51Update();
    // Bursts 1 and 5 overlap here: ZBAK2B twice keyed, or ZBAK3B twice added.
    const uint16_t colour = keyed ? CellColour(3, 0) : static_cast<uint16_t>(2 * CellColour(2, 0));
    EXPECT_EQ(Back(310, 240), colour);
    keyed ? Szak52AMove() : Szak51Move();
    EXPECT_EQ(s.y, 201.0f);
  }
}

TEST_F(LargeKindsTest, RespawnAfterAnOffFieldFreeShowsASinglePass) {
  Szak51Spawn();
  EnemySlot& s = Szak51Slots[0];
  s.y = 599.0f;
  s.hit = 1;
  for (int f = 0; f < 8; ++f) Szak51Update();  // one pass
  Szak51Move();
  Szak51Move();  // below 600: freed while exploding
  ASSERT_EQ(s.active, 0u);
  ASSERT_EQ(s.explosionLoop, 1);
  Szak51Spawn();
  s.hit = 1;
  int updates = 0;
  while (s.active == 1 && updates < 20) {
    Szak51Update();
    ++updates;
  }
  EXPECT_EQ(updates, 8);
}

TEST_F(LargeKindsTest, GatedChainsAndTheBurstFiredForAnotherKind) {
  // Szak50B is not in play: the gated call still places at its record.
  for (uint32_t mode : {1u, 2u}) {
    ResetObjectTablesA();
    Place(Szak50BSlots, 200.0f, 300.0f, 0.0f).active = 0;
    Place(Szak50CSlots, 400.0f, 100.0f, 60.0f);
    GameMode = mode;
    Szak50CMove();
    EXPECT_EQ(Szak50CShot3Slots[0].active, 1u);
    EXPECT_EQ(Szak50BShot3Slots[0].active, mode == 2 ? 1u : 0u);
    EXPECT_EQ(Szak50CShot1Slots[6].active, mode == 2 ? 1u : 0u);
    if (mode == 2) {
      EXPECT_EQ(Pos(Szak50BShot3Slots[0]), XY(320.0f, 390.0f));
      EXPECT_EQ(Pos(Szak50CShot1Slots[0]), XY(485.0f, 110.0f));
    }
  }
  GameMode = 1;
}

}  // namespace
