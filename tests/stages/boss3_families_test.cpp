// The stage-3 boss's bullet families: the five arc rows (their places,
// spreads, slides and cycles), the aimed rings and the small falling groups.
#include <gtest/gtest.h>

#include <vector>

#include "el/system/angles.h"
#include "stages/stage3/boss3_families.h"
#include "tests/enemies/enemy_fixture.h"

namespace {

using namespace enemy_test;
using player_test::Pos;
using player_test::XY;

class Boss3FamiliesTest : public EnemyTest {
 protected:
  void SetUp() override {
    EnemyTest::SetUp();
    Boss3State.x = 180.0f;  // the boss's hold point
    Boss3State.y = 0.0f;
  }
};

// The edge case as written down: a Vall20B row from the boss at (180, 0)
// starts at x 330 and after one second at 60 frames per second lies at
// 320 .. 520, 100 px lower.
TEST_F(Boss3FamiliesTest, Vall20BRowAfterOneSecond) {
  for (int call = 1; call <= 10; ++call) Boss3Vall20BSchedule();
  const float rows[] = {90, 113, 120, 113, 90};
  for (int k = 0; k < 5; ++k) EXPECT_EQ(Pos(Boss3Vall20BSlots[k]), XY(330, rows[k])) << k;
  for (int f = 0; f < 60; ++f) Boss3Vall20BMove();
  for (int k = 0; k < 5; ++k) {
    EXPECT_NEAR(Boss3Vall20BSlots[k].x, 320.0f + 50.0f * static_cast<float>(k), 1e-2) << k;
    EXPECT_NEAR(Boss3Vall20BSlots[k].y, rows[k] + 100.0f, 1e-2) << k;
  }
}

TEST_F(Boss3FamiliesTest, ArcRowsPlacesSpreadsSlidesAndCycles) {
  const struct {
    void (*schedule)();
    void (*move)();
    StraightShot* pool;
    float column, top;
    int first_tick, cycle;
    float fall, slide, outer;  // px/s; the outer places spread at +-outer
  } rows[] = {
      {Boss3Vall20ASchedule, Boss3Vall20AMove, Boss3Vall20ASlots, 210, 170, 30, 340, 176, 0, 80},
      {Boss3Vall20BSchedule, Boss3Vall20BMove, Boss3Vall20BSlots, 150, 90, 10, 170, 100, 90, 100},
      {Boss3Vall20CSchedule, Boss3Vall20CMove, Boss3Vall20CSlots, 270, 90, 10, 170, 100, -90, 100},
      {Boss3Vall20DSchedule, Boss3Vall20DMove, Boss3Vall20DSlots, 90, 50, 30, 370, 180, 45, 100},
      {Boss3Vall20ESchedule, Boss3Vall20EMove, Boss3Vall20ESlots, 330, 50, 30, 370, 180, -45, 100},
  };
  const float dt = FrameTime;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.column);
    std::vector<int> group0;
    for (int call = 1; call <= row.cycle + row.first_tick; ++call) {
      row.schedule();
      if (row.pool[0].active == 1) group0.push_back(call);
      if (call == row.first_tick) {
        const float tops[] = {0, 23, 30, 23, 0};
        for (int k = 0; k < 5; ++k) {
          EXPECT_EQ(Pos(row.pool[k]), XY(180 + row.column, row.top + tops[k])) << k;
        }
        row.move();
        for (int k = 0; k < 5; ++k) {
          const float spread = row.outer * static_cast<float>(k - 2) / 2;
          EXPECT_NEAR(row.pool[k].x, 180 + row.column + (spread + row.slide) * dt, 1e-3) << k;
          EXPECT_NEAR(row.pool[k].y, row.top + tops[k] + row.fall * dt, 1e-3) << k;
        }
      }
      for (int k = 0; k < 50; ++k) row.pool[k].active = 0;
    }
    // Group 0 again one cycle later: the ticks return to 0 on reaching it.
    EXPECT_EQ(group0, (std::vector<int>{row.first_tick, row.cycle + row.first_tick}));
  }
  // Freed below 600 and by the bomb wave, parked.
  FrameTime = 0.0f;
  Boss3Vall20CSlots[0].active = Boss3Vall20CSlots[1].active = 1;
  Boss3Vall20CSlots[0].y = 600.0f;
  Boss3Vall20CSlots[1].y = 600.01f;
  Boss3Vall20CMove();
  EXPECT_EQ(Boss3Vall20CSlots[0].active, 1u);
  EXPECT_EQ(Pos(Boss3Vall20CSlots[1]), XY(ParkX, ParkY));
  BombWave = 1;
  Boss3Vall20CMove();
  EXPECT_EQ(Boss3Vall20CSlots[0].active, 0u);
  BombWave = 0;
}

// Rings of twelve 30 degrees apart, the first of each group at the ship:
// straight down with the ship straight below the gun, straight up above it.
TEST_F(Boss3FamiliesTest, RingsAimTheirFirstBulletAndLeaveBeyondTheField) {
  for (const auto& [player_y, heading] : {std::pair{400.0f, PiF / 2}, std::pair{20.0f, 3 * PiF / 2},
                                          std::pair{110.0f, 3 * PiF / 2}}) {
    SCOPED_TRACE(player_y);
    for (PatternShot& r : Boss3Val20241ASlots) r.active = 0;
    PlayerX = 180 + 110 - 20;
    PlayerY = player_y;
    Boss3Val20241AEmit(0);
    Boss3Val20241AEmit(1);
    Boss3Val20241AEmit(12);
    EXPECT_EQ(Pos(Boss3Val20241ASlots[0]), XY(290, 130));
    EXPECT_NEAR(Boss3Val20241ASlots[0].angle, heading, 1e-5);
    EXPECT_NEAR(Boss3Val20241ASlots[1].angle, heading + 2 * PiF / 12, 1e-5);
    EXPECT_NEAR(std::sin(Boss3Val20241ASlots[12].angle), std::sin(heading), 1e-5);
    EXPECT_EQ(Boss3Val20241ASlots[0].speed, 140.0f);
  }
  Boss3Val20241BEmit(0);
  EXPECT_EQ(Pos(Boss3Val20241BSlots[0]), XY(490, 130));

  // Groups at ticks 20, 40 .. 120 of a 140-call cycle.
  for (PatternShot& r : Boss3Val20241ASlots) r.active = 0;
  std::vector<int> fired;
  for (int call = 1; call <= 160; ++call) {
    Boss3Val20241ASchedule();
    for (int g = 0; g < 6; ++g) {
      if (Boss3Val20241ASlots[12 * g].active == 0) continue;
      fired.push_back(call);
      EXPECT_EQ(Boss3Val20241ASlots[12 * g + 11].active, 1u);
      for (int k = 0; k < 12; ++k) Boss3Val20241ASlots[12 * g + k].active = 0;
    }
  }
  EXPECT_EQ(fired, (std::vector<int>{20, 40, 60, 80, 100, 120, 160}));

  // x 800 and y -20 stay; just beyond, freed and parked.
  FrameTime = 0.0f;
  const struct {
    float x, y;
    bool stays;
  } edges[] = {{800, 300, true}, {800.01f, 300, false}, {300, -20, true}, {300, -20.01f, false},
               {-20, 300, true}, {300, 600.01f, false}};
  for (const auto& e : edges) {
    PatternShot& r = Boss3Val20241ASlots[5];
    r.active = 1;
    r.x = e.x;
    r.y = e.y;
    Boss3Val20241AMove();
    EXPECT_EQ(r.active == 1, e.stays) << e.x << " " << e.y;
  }
}

// Every free record at the gun; each drift applied once per record of the
// pool (free ones too), so n x step px/s.
TEST_F(Boss3FamiliesTest, FallingGroupsDropAtTheirGunsAndPart) {
  const struct {
    void (*fire)();
    void (*move)();
    StraightShot* pool;
    int n;
    XY gun;
    float fall;
    std::vector<float> drift;  // px/s by record
  } rows[] = {
      {Boss3Val12AFire, Boss3Val12AMove, Boss3Val12ASlots, 2, {392, 200}, 140, {-40, 40}},
      {Boss3Val12BFire, Boss3Val12BMove, Boss3Val12BSlots, 3, {392, 200}, 220, {-99, 0, 99}},
      {Boss3Val12CFire, Boss3Val12CMove, Boss3Val12CSlots, 3, {362, 150}, 220, {-69, 0, 69}},
      {Boss3Val12DFire, Boss3Val12DMove, Boss3Val12DSlots, 3, {462, 150}, 220, {-69, 0, 69}},
      {Boss3Val12EFire, Boss3Val12EMove, Boss3Val12ESlots, 4, {412, 200}, 210,
       {-68, 68, -120, 120}},
  };
  const float dt = FrameTime;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.gun.first);
    row.fire();
    for (int k = 0; k < row.n; ++k) EXPECT_EQ(Pos(row.pool[k]), row.gun) << k;
    row.move();
    for (int k = 0; k < row.n; ++k) {
      const float d = row.drift[static_cast<size_t>(k)];
      EXPECT_NEAR(row.pool[k].x, row.gun.first + d * dt, 1e-3) << k;
      EXPECT_NEAR(row.pool[k].y, row.gun.second + row.fall * dt, 1e-3) << k;
    }
    row.fire();  // busy: nothing moves back to the gun
    EXPECT_NE(Pos(row.pool[0]), row.gun);
  }
}

}  // namespace
