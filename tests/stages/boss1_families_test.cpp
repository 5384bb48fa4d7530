// The stage-1 boss's bullet families and the stage-2 twin-shot pools on the
// shared engines: the schedules' wrap rules at their edges, the spirals, the
// aimed lines and groups, the fans' draw angles, and the falling rows with
// their drifts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "el/system/angles.h"
#include "enemies/engine/tick_schedule.h"
#include "stages/stage1/boss1_families.h"
#include "stages/stage2/boss2_families.h"
#include "tests/enemies/enemy_fixture.h"

namespace {

using namespace enemy_test;
using player_test::Pos;
using player_test::XY;

class Boss1FamiliesTest : public EnemyTest {
 protected:
  void SetUp() override {
    EnemyTest::SetUp();
    Boss1State.x = 180.0f;  // the boss's hold point
    Boss1State.y = 0.0f;
  }
};

TEST(TickScheduleTest, WrapRulesAtTheCycleEdge) {
  const struct {
    Wrap wrap;
    int32_t restart;
    std::vector<int> last_group_calls;  // calls on which the group ticking 3 fires
    std::vector<int> first_group_calls;  // ... the group ticking 1
  } cases[] = {
      {Wrap::OnReaching, 0, {}, {1, 4, 7, 10}},          // 3 never met: 3-call cycle
      {Wrap::OnExceeding, 0, {3, 7}, {1, 5, 9}},         // 4-call cycle
      {Wrap::AfterCompare, 0, {3, 6, 9}, {1, 4, 7, 10}},  // fires on the cycle value
      {Wrap::OnReaching, 1, {}, {1, 3, 5, 7, 9}},        // restart 1: fires on the wrap call
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.wrap) * 10 + c.restart);
    StraightShot pool[3] = {};
    std::vector<int> last, first;
    for (int call = 1; call <= 10; ++call) {
      RunTickSchedule(TableRef<StraightShot>{pool, 3}, {1, 3, c.wrap, c.restart},
                      GroupTicks{1, 2, 3}, [&](int32_t r, int32_t) {
                        if (r == 0) first.push_back(call);
                        if (r == 2) last.push_back(call);
                      });
    }
    EXPECT_EQ(last, c.last_group_calls);
    EXPECT_EQ(first, c.first_group_calls);
  }
}

TEST_F(Boss1FamiliesTest, SpiralsFirstBulletsOnTheTenthCallAndOneSecondLater) {
  const struct {
    void (*schedule)();
    void (*move)();
    const SpiralShot* slot0;
    float x_after;
  } cases[] = {
      {Boss1Val20241ASchedule, Boss1Val20241AMove, &Boss1Val20241ASlots[0], 280.0f},
      {Boss1Val20241BSchedule, Boss1Val20241BMove, &Boss1Val20241BSlots[0], 500.0f},
  };
  for (const auto& c : cases) {
    for (int call = 1; call <= 9; ++call) c.schedule();
    EXPECT_EQ(c.slot0->active, 0u);
    c.schedule();
    ASSERT_EQ(c.slot0->active, 1u);
    EXPECT_EQ(Pos(*c.slot0), XY(390.0f, 130.0f));
    for (int f = 0; f < 60; ++f) c.move();
    EXPECT_NEAR(c.slot0->x, c.x_after, 1e-2);
    EXPECT_NEAR(c.slot0->y, 130.0f, 1e-3);
  }
  // The counters: A, B, C, E, D, F in the boss's pattern ticks.
  EXPECT_EQ(Boss1State.patternTicks[0], 10);
  Boss1Val20241DSchedule();
  EXPECT_EQ(Boss1State.patternTicks[4], 1);

  // 359 -> 360 wraps to 10: slot 0 again on that call; slot 35 never.
  Boss1Val20241ASlots[0].active = 0;
  Boss1State.patternTicks[0] = 359;
  Boss1Val20241ASchedule();
  EXPECT_EQ(Boss1State.patternTicks[0], 10);
  EXPECT_EQ(Boss1Val20241ASlots[0].active, 1u);
  for (int call = 0; call < 720; ++call) Boss1Val20241ASchedule();
  EXPECT_EQ(Boss1Val20241ASlots[35].active, 0u);
  EXPECT_EQ(Boss1Val20241ASlots[34].active, 1u);
}

TEST_F(Boss1FamiliesTest, TripleSpiralShareHeadingsAndKeepTheirOuterRingsInside) {
  Boss1State.patternTicks[6] = 9;
  Boss1Val20241ISchedule();
  const float speeds[] = {110, 120, 130};
  for (int ring = 0; ring < 3; ++ring) {
    const SpiralShot& r = Boss1Val20241ISlots[36 * ring];
    ASSERT_EQ(r.active, 1u) << ring;
    EXPECT_EQ(r.speed, speeds[ring]);
    EXPECT_NEAR(std::cos(r.heading), 1.0f, 1e-5);  // index 0, 36, 72: one direction
  }
  // The outer rings leave at x 640, the first at 800.
  Boss1Val20241ISlots[0].x = Boss1Val20241ISlots[36].x = 700.0f;
  Boss1Val20241ISlots[0].heading = Boss1Val20241ISlots[36].heading = PiF;  // sense -1: rightwards
  Boss1Val20241IMove();
  EXPECT_EQ(Boss1Val20241ISlots[0].active, 1u);
  EXPECT_EQ(Boss1Val20241ISlots[36].active, 0u);
}

TEST_F(Boss1FamiliesTest, Val404SpreadsFrom380To170Through590InOneSecond) {
  for (int call = 1; call <= 25; ++call) Boss1Val404Schedule();
  const float rows[] = {154, 183, 194, 200, 194, 183, 154};
  for (int k = 0; k < 7; ++k) EXPECT_EQ(Pos(Boss1Val404Slots[k]), XY(380.0f, rows[k])) << k;
  for (int f = 0; f < 60; ++f) Boss1Val404Move();
  for (int k = 0; k < 7; ++k) {
    EXPECT_NEAR(Boss1Val404Slots[k].x, 170.0f + 70.0f * static_cast<float>(k), 1e-2) << k;
    EXPECT_NEAR(Boss1Val404Slots[k].y, rows[k] + 200.0f, 1e-2) << k;
  }
}

TEST_F(Boss1FamiliesTest, TwinPairsLeaveTogetherAndTheDriftingOnesPartAt240) {
  for (int call = 1; call <= 10; ++call) Boss1Val405BSchedule();
  const StraightShot& left = Boss1Val405BSlots[0];
  const StraightShot& right = Boss1Val405BSlots[1];
  ASSERT_EQ(left.active + right.active, 2u);
  EXPECT_EQ(Pos(left), XY(300.0f, 130.0f));
  EXPECT_EQ(Pos(right), XY(460.0f, 130.0f));
  for (int f = 0; f < 60; ++f) Boss1Val405BMove();
  EXPECT_NEAR(right.x - left.x, 160.0f + 240.0f, 1e-2);
  EXPECT_NEAR(left.y, 130.0f + 250.0f, 1e-2);

  // Val405A: the call on which the ticks reach 150 returns them to 0 and
  // fires nothing; pairs 8 and 9 never fire.
  for (int call = 1; call <= 149; ++call) Boss1Val405ASchedule();
  for (StraightShot& r : Boss1Val405ASlots) r.active = 0;
  Boss1Val405ASchedule();
  EXPECT_EQ(Boss1Val405ASlots[0].tick, 0);
  for (int call = 151; call <= 400; ++call) Boss1Val405ASchedule();
  for (int r = 16; r < 20; ++r) EXPECT_EQ(Boss1Val405ASlots[r].active, 0u) << r;
}

TEST_F(Boss1FamiliesTest, AimedLineWaitsForItsSlowestBulletAndTurnsAfterTheAim) {
  Boss1Vall301AFire();
  const AimedShot& lead = Boss1Vall301ASlots[0];
  const float dx = PlayerX + 15 - 265, dy = PlayerY + 15 - 100;
  EXPECT_NEAR(lead.angle, AimAngle(dx, dy) + 2 * PiF / 20, 1e-6);
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(Boss1Vall301ASlots[k].angle, lead.angle) << k;
    EXPECT_EQ(Boss1Vall301ASlots[k].speed, 260.0f + 20.0f * static_cast<float>(k)) << k;
  }
  Boss1Vall301BFire();  // aimed at the ship + 9
  EXPECT_NEAR(Boss1Vall301BSlots[0].angle, AimAngle(PlayerX + 9 - 265, PlayerY + 9 - 100), 1e-6);

  BombWave = 1;  // the lines have no bomb test
  Boss1Vall301AMove();
  EXPECT_EQ(lead.active, 1u);
  BombWave = 0;
  Boss1Vall301ASlots[4].x = -500.0f;  // a faster bullet far out: the line flies on
  Boss1Vall301AFire();
  EXPECT_EQ(Boss1Vall301ASlots[4].x, -500.0f);  // a busy line is not fired again
  FrameTime = 0.0f;
  Boss1Vall301ASlots[0].y = 600.01f;
  Boss1Vall301AMove();
  for (int k = 0; k < 5; ++k) EXPECT_EQ(Boss1Vall301ASlots[k].active, 0u) << k;
  EXPECT_EQ(Boss1Vall301ASlots[0].y, 600.01f);  // freed where it stands
  Boss1Vall301AFire();
  EXPECT_EQ(Pos(lead), XY(265.0f, 100.0f));
}

TEST_F(Boss1FamiliesTest, AimedGroupLeavesFourGunsAndABulletOnTheShipIsFreed) {
  for (int call = 1; call <= 100; ++call) Boss1Vall20ASchedule();
  const XY guns[] = {{330, 100}, {450, 100}, {270, 150}, {510, 150}};
  for (int k = 0; k < 4; ++k) {
    const AimedShot& r = Boss1Vall20ASlots[k];
    ASSERT_EQ(r.active, 1u) << k;
    EXPECT_EQ(Pos(r), guns[k]) << k;
    EXPECT_GE(r.speed, 180.0f);
    EXPECT_LE(r.speed, 209.0f);
  }
  FrameTime = 0.0f;
  AimedShot& r = Boss1Vall20ASlots[1];
  r.x = PlayerX + 10.0f;
  r.y = PlayerY + 30.0f;
  Boss1Vall20AMove();
  EXPECT_EQ(PlayerAlive, 0u);
  EXPECT_EQ(r.active, 0u);
  EXPECT_EQ(Pos(r), XY(ParkX, ParkY));
  EXPECT_EQ(Boss1Vall20ASlots[0].active, 1u);
}

TEST_F(Boss1FamiliesTest, FansFireTheirGroupsOnTheirTicksAroundTheAim) {
  const struct {
    void (*schedule)();
    SpiralShot* pool;
    int group, groups, cycle;
    std::vector<int> due;
  } cases[] = {
      {Boss1Val20241GSchedule, Boss1Val20241GSlots, 5, 5, 260, {40, 80, 120, 160, 200}},
      {Boss1Val20241HSchedule, Boss1Val20241HSlots, 7, 5, 130, {20, 40, 60, 80, 100}},
      {Boss1Vall20BSchedule, Boss1Vall20BSlots, 7, 5, 151, {30, 60, 90, 120, 150}},
  };
  PlayerX = 390.0f - 20.0f;  // straight below the centre gun (390, 130)
  for (const auto& c : cases) {
    std::vector<int> fired;
    for (int call = 1; call <= 2 * c.cycle; ++call) {
      c.schedule();
      for (int g = 0; g < c.groups; ++g) {
        SpiralShot* first = c.pool + g * c.group;
        if (first->active == 0) continue;
        fired.push_back(call);
        EXPECT_NEAR(first[c.group / 2].heading, PiF / 2, 1e-6);  // the middle one on the aim
        EXPECT_NEAR(first[0].heading, PiF / 2 - static_cast<float>(c.group / 2) * 2 * PiF / 30,
                    1e-6);
        for (int k = 0; k < c.group; ++k) first[k].active = 0;
      }
    }
    std::vector<int> expected = c.due;
    for (int t : c.due) expected.push_back(t + c.cycle);
    EXPECT_EQ(fired, expected);
  }
}

// The fans' draw angle 270 - heading leaves 0 .. 359 by up to 24 degrees;
// the library reduces it, so the bullet looks as it would at 24 (or 336).
TEST_F(Boss1FamiliesTest, FanDrawAnglesOutsideTheCircleDrawAsTheirReduction) {
  ImgVal40l = Sprite(39, 39, [](int x, int y) {
    return static_cast<uint16_t>(x < 10 ? 0xF800 : (y < 8 ? 0x07E0 : 0x001F));
  });
  for (const auto& [degrees, reduced] : {std::pair{-114.5f, 24}, std::pair{294.5f, 336}}) {
    SCOPED_TRACE(degrees);
    elDraw::ClearScreen();
    PatternShot& r = Boss1Val40LSlots[0];
    r.x = 300.0f;
    r.y = 200.0f;
    r.angle = degrees * PiF / 180.0f;
    Boss1Val40LDraw();
    std::vector<uint16_t> drawn;
    for (int y = 200; y < 239; ++y)
      for (int x = 300; x < 339; ++x) drawn.push_back(Back(x, y));
    elDraw::ClearScreen();
    elDraw::DrawRotated(300, 200, 339, 239, reduced, ImgVal40l, 0, 0, 39, 39);
    std::vector<uint16_t> expected;
    for (int y = 200; y < 239; ++y)
      for (int x = 300; x < 339; ++x) expected.push_back(Back(x, y));
    EXPECT_EQ(drawn, expected);
    EXPECT_GT(std::count(drawn.begin(), drawn.end(), 0xF800), 0);
  }
  ImgVal40l = 0;
}

TEST_F(Boss1FamiliesTest, FallingRowDriftsAheadOfTheLoopOrAtTheHeadOfEveryPass) {
  // A column of three opens at 30, 60, 90 px/s (three passes) and falls at 120.
  for (int call = 1; call <= 60; ++call) Boss1Vall20CSchedule();
  const float dt = FrameTime;
  Boss1Vall20CMove();
  for (int k = 0; k < 3; ++k) {
    EXPECT_NEAR(Boss1Vall20CSlots[k].x, 270.0f + 30.0f * static_cast<float>(k + 1) * dt, 1e-3);
  }
  EXPECT_NEAR(Boss1Vall20CSlots[0].y, 90.0f + 120.0f * dt, 1e-3);
  BombWave = 1;  // the columns take the bomb test too
  Boss1Vall20CMove();
  EXPECT_EQ(Boss1Vall20CSlots[0].active, 0u);
  BombWave = 0;

  // The small bursts: each drift once per record of the pool, free ones too.
  Boss1Val12AFire();
  Boss1Val12AMove();
  EXPECT_NEAR(Boss1Val12ASlots[0].x, 392.0f - 60.0f * dt, 1e-3);
  EXPECT_NEAR(Boss1Val12ASlots[1].x, 392.0f + 60.0f * dt, 1e-3);
  Boss1Val12ASlots[1].active = 0;
  const float x0 = Boss1Val12ASlots[0].x;
  Boss1Val12AMove();
  EXPECT_NEAR(Boss1Val12ASlots[0].x - x0, -60.0f * dt, 1e-3);
}

TEST_F(Boss1FamiliesTest, ArmsRestartAt10AndTheirBoxEdgesHold) {
  std::vector<int> fired;
  for (int call = 1; call <= 400; ++call) {
    Boss1Valarm11Schedule();
    for (int k = 0; k < 20; ++k) {
      if (Boss1Valarm11Slots[k].active == 1) fired.push_back(k * 1000 + call);
      Boss1Valarm11Slots[k].active = 0;
    }
  }
  EXPECT_EQ(fired.front(), 0 * 1000 + 10);
  EXPECT_EQ(fired[18], 18 * 1000 + 190);
  EXPECT_EQ(fired[19], 0 * 1000 + 200);  // 200 restarts at 10: slot 0 on that call
  EXPECT_EQ(std::count_if(fired.begin(), fired.end(), [](int v) { return v / 1000 == 19; }), 0);

  FrameTime = 0.0f;
  for (float dx : {-120.0f, -121.0f}) {
    PlayerAlive = 1;
    StraightShot& r = Boss1Valarm11Slots[0];
    r.active = 1;
    r.x = PlayerX + dx;
    r.y = PlayerY - 140.0f;
    Boss1Valarm11Move();
    EXPECT_EQ(PlayerAlive, dx == -120.0f ? 0u : 1u) << dx;
  }
}

TEST_F(Boss1FamiliesTest, Boss2TwinPoolsPlaceFromBoss2StateWhereverItIs) {
  // Stage 3 runs them with Boss2State parked: the triple starts far below.
  for (int call = 1; call <= 20; ++call) Boss2Val405ASchedule();
  EXPECT_EQ(Pos(Boss2Val405ASlots[0]), XY(-390.0f, 2640.0f));
  EXPECT_EQ(Pos(Boss2Val405ASlots[2]), XY(-390.0f, 2670.0f));
  Boss2Val405AMove();
  EXPECT_EQ(Boss2Val405ASlots[0].active, 0u);

  Boss2State.x = 100.0f;
  Boss2State.y = 0.0f;
  for (int call = 1; call <= 10; ++call) Boss2Val405DSchedule();
  EXPECT_EQ(Pos(Boss2Val405DSlots[0]), XY(160.0f, 160.0f));
  EXPECT_EQ(Pos(Boss2Val405DSlots[1]), XY(500.0f, 160.0f));
  // The columns fan out by 30, 105, 165 px/s (to the left for B), no bomb test.
  for (StraightShot& r : Boss2Val405BSlots) r.active = 0;
  for (int call = 1; call <= 20; ++call) Boss2Val405BSchedule();
  BombWave = 1;
  Boss2Val405BMove();
  EXPECT_EQ(Boss2Val405BSlots[2].active, 1u);
  EXPECT_NEAR(Boss2Val405BSlots[2].x, 450.0f - 165.0f * FrameTime, 1e-3);
  BombWave = 0;
}

}  // namespace
