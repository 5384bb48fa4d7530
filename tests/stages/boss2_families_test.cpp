// The stage-2 boss's bullet families: the aimed lines retired by their
// slowest bullet, the rings' alternating groups, the rows that pull their
// older bullets back, the falling balls' restart and ship boxes, and the
// drifts of the rows and small groups.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "el/system/angles.h"
#include "enemies/engine/aim.h"
#include "stages/stage2/boss2_families.h"
#include "tests/enemies/enemy_fixture.h"

namespace {

using namespace enemy_test;
using player_test::Pos;
using player_test::XY;

class Boss2FamiliesTest : public EnemyTest {
 protected:
  void SetUp() override {
    EnemyTest::SetUp();
    Boss2State.x = 150.0f;  // the boss's centre point
    Boss2State.y = 0.0f;
  }
};

TEST_F(Boss2FamiliesTest, AimedLineStaysBusyUntilRecordZeroLeaves) {
  const float speeds[] = {170, 200, 230, 250, 270};
  Boss2Vall302AFire();
  for (int k = 0; k < 5; ++k) {
    const AimedShot& r = Boss2Vall302ASlots[k];
    EXPECT_EQ(Pos(r), XY(265, 100)) << k;
    EXPECT_EQ(r.speed, speeds[k]) << k;
    EXPECT_EQ(r.angle, Boss2Vall302ASlots[0].angle) << k;
  }
  BombWave = 1;  // no bomb test
  Boss2Vall302AMove();
  BombWave = 0;
  for (int k = 1; k < 5; ++k) Boss2Vall302ASlots[k].y = 900.0f;  // the faster ones gone
  Boss2Vall302AMove();
  Boss2Vall302AFire();
  for (int k = 0; k < 5; ++k) EXPECT_EQ(Boss2Vall302ASlots[k].active, 1u) << k;
  EXPECT_GT(Boss2Vall302ASlots[4].y, 900.0f);  // not fired again

  FrameTime = 0.0f;
  Boss2Vall302ASlots[0].x = -30.5f;  // x + 30 < 0: the whole line is freed where it stands
  Boss2Vall302AMove();
  for (int k = 0; k < 5; ++k) EXPECT_EQ(Boss2Vall302ASlots[k].active, 0u) << k;
  EXPECT_EQ(Boss2Vall302ASlots[0].x, -30.5f);
  Boss2Vall302AFire();
  EXPECT_EQ(Pos(Boss2Vall302ASlots[4]), XY(265, 100));
}

// The turn n x 18 degrees is added before the half-turn of the aiming rule:
// straight below the left gun the unturned line flies at pi/2, straight
// above at 3 pi/2.
TEST_F(Boss2FamiliesTest, LineTurnsAroundTheAim) {
  const float turn = 2 * PiF / 20;
  const struct {
    float ship_y;
    void (*fire)();
    const AimedShot* lead;
    float angle;
  } rows[] = {
      {300, Boss2Vall302AFire, Boss2Vall302ASlots, PiF / 2},
      {300, Boss2Vall301AFire, Boss2Vall301ASlots, PiF / 2 + 3 * turn},
      {0, Boss2Vall302AFire, Boss2Vall302ASlots, PiF / 2 + PiF},
      {0, Boss2Vall301AFire, Boss2Vall301ASlots, (PiF / 2 + 3 * turn) + PiF},
      {0, Boss2Vall301EFire, Boss2Vall301ESlots, (PiF / 2 - 2 * turn) + PiF},
  };
  PlayerX = 265.0f - 15.0f;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.angle);
    for (AimedShot& r : Boss2Vall302ASlots) r.active = 0;
    for (AimedShot& r : Boss2Vall301ASlots) r.active = 0;
    PlayerY = row.ship_y;
    row.fire();
    EXPECT_FLOAT_EQ(row.lead->angle, row.angle);
  }
  // From the right gun at the ship down-left: the arc tangent, the turn,
  // then the half-turn.
  PlayerX = 100.0f;
  PlayerY = 300.0f;
  Boss2Vall301FFire();
  const float dx = 115.0f - 505.0f, dy = 315.0f - 100.0f;
  EXPECT_FLOAT_EQ(Boss2Vall301FSlots[0].angle, (std::atan(dy / dx) - 3 * turn) + PiF);
}

// At level 1 the rings' window gives 101 calls a cycle: successive cycles
// fire groups 0 to 2 (ticks 30, 50, 90) and then groups 3 to 5 (110, 130,
// 150) in turn, each group a whole ring of twelve with one bullet on the
// ship + 20.
TEST_F(Boss2FamiliesTest, RingsAlternateTheirGroupsAcrossCycles) {
  const std::vector<int> expected[] = {{0, 1, 2}, {3, 4, 5}, {0, 1, 2}, {3, 4, 5}};
  for (const auto& groups : expected) {
    std::vector<int> fired;
    for (int call = 0; call < 101; ++call) {
      Boss2Val20241ASchedule();
      for (int g = 0; g < 6; ++g) {
        PatternShot* ring = Boss2Val20241ASlots + 12 * g;
        if (ring[0].active == 0) continue;
        fired.push_back(g);
        const float aim = AimAngle(PlayerX + 20 - 290, PlayerY + 20 - 130);
        for (int k = 0; k < 12; ++k) {
          ASSERT_EQ(ring[k].active, 1u);
          EXPECT_NEAR(std::cos(ring[k].angle), std::cos(aim + k * PiF / 6), 1e-4);
          EXPECT_NEAR(std::sin(ring[k].angle), std::sin(aim + k * PiF / 6), 1e-4);
          ring[k].active = 0;
        }
      }
    }
    EXPECT_EQ(fired, groups);
  }
}

// A row fired while an older row of its group still falls: the freed
// records are placed anew and lift the flying ones back to the row heights,
// where they keep their x.
TEST_F(Boss2FamiliesTest, RowFiredAgainLiftsItsOlderBulletsBack) {
  Boss2State.x = 100.0f;
  const float rows[] = {60, 83, 90, 83, 60};
  for (int call = 1; call <= 80; ++call) Boss2Val402ASchedule();
  for (int k = 0; k < 5; ++k) EXPECT_EQ(Pos(Boss2Val402ASlots[k]), XY(300, rows[k])) << k;
  for (int f = 0; f < 60; ++f) Boss2Val402AMove();
  for (int k = 0; k < 5; ++k) {
    EXPECT_NEAR(Boss2Val402ASlots[k].x, 200.0f + 50.0f * static_cast<float>(k), 1e-2) << k;
    EXPECT_NEAR(Boss2Val402ASlots[k].y, rows[k] + 120.0f, 1e-2) << k;
  }

  for (int call = 1; call <= 10; ++call) Boss2Val402CSchedule();
  for (int f = 0; f < 60; ++f) Boss2Val402CMove();
  Boss2Val402CSlots[2].active = 0;  // the middle one left
  for (int call = 1; call <= 260; ++call) Boss2Val402CSchedule();
  EXPECT_EQ(Pos(Boss2Val402CSlots[2]), XY(210, 90));
  for (int k : {0, 1, 3, 4}) {
    EXPECT_EQ(Boss2Val402CSlots[k].y, rows[k]) << k;
    EXPECT_NEAR(Boss2Val402CSlots[k].x, 210.0f + 50.0f * static_cast<float>(k - 2), 1e-2) << k;
  }

  // A wide row spreads its outer bullets only; all fall at 180 px/s.
  for (int call = 1; call <= 10; ++call) Boss2Val20241DSchedule();
  const float dt = FrameTime;
  Boss2Val20241DMove();
  const float spread[] = {-100, 0, 0, 0, 100};
  for (int k = 0; k < 5; ++k) {
    EXPECT_NEAR(Boss2Val20241DSlots[k].x, 176.0f + 22.0f * k + spread[k] * dt, 1e-3) << k;
    EXPECT_NEAR(Boss2Val20241DSlots[k].y, rows[k] - 10.0f + 180.0f * dt, 1e-3) << k;
  }
}

// Every ball family restarts its counter at 10 (emitting record 0 on that
// call) and tests the ship with its own box, the slanted ones included.
TEST_F(Boss2FamiliesTest, BallsRestartAtTenAndEveryFamilyTestsTheShip) {
  const struct {
    void (*schedule)();
    void (*move)();
    StraightShot* pool;
    XY gun;
    float slide, left, top;
  } rows[] = {
      {Boss2Valarm70Schedule, Boss2Valarm70Move, Boss2Valarm70Slots, {340, 126}, 0, -90, -80},
      {Boss2Valarm71Schedule, Boss2Valarm71Move, Boss2Valarm71Slots, {340, 150}, -143, -90, -80},
      {Boss2Valarm72Schedule, Boss2Valarm72Move, Boss2Valarm72Slots, {340, 150}, 143, -90, -80},
      {Boss2Valarm73ASchedule, Boss2Valarm73AMove, Boss2Valarm73ASlots, {180, 66}, 0, -30, -80},
      {Boss2Valarm74ASchedule, Boss2Valarm74AMove, Boss2Valarm74ASlots, {180, 90}, -143, -30, -20},
      {Boss2Valarm75ASchedule, Boss2Valarm75AMove, Boss2Valarm75ASlots, {180, 90}, 143, -30, -20},
      {Boss2Valarm73BSchedule, Boss2Valarm73BMove, Boss2Valarm73BSlots, {560, 66}, 0, -30, -80},
      {Boss2Valarm74BSchedule, Boss2Valarm74BMove, Boss2Valarm74BSlots, {560, 90}, -143, -30, -20},
      {Boss2Valarm75BSchedule, Boss2Valarm75BMove, Boss2Valarm75BSlots, {560, 90}, 143, -30, -20},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.gun.first + row.slide);
    FrameTime = 1.0f / 60.0f;
    for (int k = 0; k < 20; ++k) row.pool[k].tick = 199;
    row.schedule();
    StraightShot& ball = row.pool[0];
    EXPECT_EQ(ball.tick, 10);
    ASSERT_EQ(ball.active, 1u);
    EXPECT_EQ(Pos(ball), row.gun);
    row.move();
    EXPECT_NEAR(ball.x, row.gun.first + row.slide / 60.0f, 1e-3);
    EXPECT_NEAR(ball.y, row.gun.second + 143.0f / 60.0f, 1e-3);

    FrameTime = 0.0f;
    for (const auto& [dx, dy, hit] : {std::tuple{row.left, row.top, true},
                                      std::tuple{row.left - 1, row.top, false},
                                      std::tuple{30.0f, row.top - 1, false},
                                      std::tuple{30.0f, 30.0f, true}}) {
      PlayerAlive = 1;
      ball.x = PlayerX + dx;
      ball.y = PlayerY + dy;
      row.move();
      EXPECT_EQ(PlayerAlive, hit ? 0u : 1u) << dx << " " << dy;
    }
  }
}

// The small groups start at one point and part by each drift once per
// record of the pool, free records too.
TEST_F(Boss2FamiliesTest, SmallGroupsPartFromOnePoint) {
  const float dt = FrameTime;
  Boss2Val1IFire();
  for (int k = 0; k < 4; ++k) EXPECT_EQ(Pos(Boss2Val1ISlots[k]), XY(392, 200)) << k;
  Boss2Val1IMove();
  const float parting[] = {-28, 28, -80, 80};
  for (int k = 0; k < 4; ++k) {
    EXPECT_NEAR(Boss2Val1ISlots[k].x, 392.0f + parting[k] * dt, 1e-3) << k;
    EXPECT_NEAR(Boss2Val1ISlots[k].y, 200.0f + 110.0f * dt, 1e-3) << k;
  }
  Boss2Val1DFire();
  Boss2Val1DSlots[1].active = 0;
  Boss2Val1DMove();
  EXPECT_NEAR(Boss2Val1DSlots[0].x, 392.0f - 39.0f * dt, 1e-3);
  EXPECT_NEAR(Boss2Val1DSlots[2].x, 392.0f + 39.0f * dt, 1e-3);
  EXPECT_EQ(Boss2Val1DSlots[1].y, 200.0f);
}

}  // namespace
