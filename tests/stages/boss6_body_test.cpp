// The stage-6 boss's movement bands, its picture with the three damage
// flames, and the lock marks of array B alone.
#include <gtest/gtest.h>

#include <algorithm>

#include "stages/stage6/boss6_body.h"
#include "tests/enemies/enemy_fixture.h"

namespace {

using player_test::XY;

constexpr uint16_t kBoss = 0x2001;
constexpr float kStep = 1.0f / 64.0f;  // the timer then advances by exact binary steps

class Boss6BodyTest : public enemy_test::EnemyTest {
 protected:
  void SetUp() override {
    EnemyTest::SetUp();
    ImgBoss61 = Solid(460, 400, kBoss);
    FrameTime = kStep;
  }
  void TearDown() override {
    ImgBoss61 = 0;
    EnemyTest::TearDown();
  }
  static uint16_t Flame(int f) { return enemy_test::CellColour(2, f); }  // ZBAK3B
};

// Each row: the timer the Move call reaches and the boss's position after it
// (it stands at (7, 9) before); a step of 1/64 s moves 1/64 of the speed.
TEST_F(Boss6BodyTest, MoveBandsAtTheirBounds) {
  const struct {
    float timer;
    XY boss;
    float timer_after;
  } rows[] = {
      {0.15625f, {170, -400}, 0.15625f},  // the first call from the reset
      {90.0f, {170, -400}, 90.0f},
      {90.5f, {7, 9}, 90.5f},           // between bands
      {91.0f, {7, 10.25f}, 91.0f},      // 80 px/s down
      {135.0f, {170, 0}, 135.0f},       // the descent's last step, then the snap
      {162.0f, {171.25f, 0}, 162.0f},   // the snap, then the sway at 80
      {171.5f, {7, 9}, 171.5f},
      {172.0f, {5.75f, 9}, 172.0f},
      {191.0f, {8.25f, 9}, 191.0f},
      {200.5f, {7, 9}, 200.5f},
      {201.0f, {8.5625f, 9.78125f}, 201.0f},  // the zigzag at (100, 50)
      {211.0f, {5.4375f, 8.21875f}, 211.0f},
      {221.0f, {5.4375f, 9.78125f}, 221.0f},
      {240.0f, {8.5625f, 8.21875f}, 240.0f},
      {240.5f, {7, 9}, 240.5f},
      {241.0f, {7, 9}, 151.0f},  // back to 151: the next call snaps
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.timer);
    Boss6State.x = 7.0f;
    Boss6State.y = 9.0f;
    Boss6State.moveTimer = row.timer - 10.0f * kStep;
    Boss6Move();
    EXPECT_EQ(player_test::Pos(Boss6State), row.boss);
    EXPECT_FLOAT_EQ(Boss6State.moveTimer, row.timer_after);
  }
  // A hit flag other than 0 or 1 holds the boss, timer and all.
  Boss6State.hit = 2;
  Boss6Move();
  EXPECT_FLOAT_EQ(Boss6State.moveTimer, 151.0f);
  EXPECT_EQ(player_test::Pos(Boss6State), XY(7, 9));
}

// From the reset: nine seconds out of sight above the field (its 400 px
// drawn wholly above y 0), the descent, then the loop from timer 151.
TEST_F(Boss6BodyTest, OutOfSightUntilTheDescentThenLoopsFromTheSnap) {
  float highest = 0.0f;
  int loops = 0;
  for (int call = 1; call <= 64 * 60; ++call) {
    const float before = Boss6State.moveTimer;
    Boss6Move();
    highest = std::max(highest, Boss6State.moveTimer);
    if (call == 576) {  // timer 90: still out of sight
      EXPECT_EQ(player_test::Pos(Boss6State), XY(170, -400));
      elDraw::ClearScreen();
      Boss6Draw();
      EXPECT_EQ(CountBack(kBoss), 0);
    }
    if (call == 583) {  // timer 91.09: the first step down, y -398.75 drawn at -398
      elDraw::ClearScreen();
      Boss6Draw();
      EXPECT_EQ(CountBack(kBoss), 2 * 440);  // two rows, 460 wide cut to the playfield
    }
    if (call == 864) { EXPECT_EQ(player_test::Pos(Boss6State), XY(170, 0)); }  // timer 135
    if (Boss6State.moveTimer < before) {
      ++loops;
      EXPECT_EQ(Boss6State.moveTimer, 151.0f) << call;
      Boss6Move();
      EXPECT_EQ(player_test::Pos(Boss6State), XY(170, 0)) << call;
    }
  }
  EXPECT_LT(highest, 241.0f + 10.0f * kStep);
  EXPECT_EQ(loops, 4);  // 24.1 s to the first loop, 9 s each after it
}

// Three flames, all from HP 70 down, stepping 28 px per flame frame; a hit
// draws the picture again and is shown; the flame frame's wraps are counted.
TEST_F(Boss6BodyTest, ThreeFlamesFromSeventyHitPointsDown) {
  const struct {
    float hp;
    bool flames;
  } rows[] = {{90, false}, {70.5f, false}, {70, true}, {0.5f, true}, {0, false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.hp);
    elDraw::ClearScreen();
    Boss6State.x = 180.4f;
    Boss6State.y = 0.0f;
    Boss6State.hitPoints = row.hp;
    Boss6State.flameFrame = 2;
    Boss6State.hit = 1;
    Boss6State.hitShown = 0;
    Boss6Draw();
    // Cell 2: the tops at 20 + 56 beside, 100 + 56 below.
    for (const XY& at : {XY(180 + 70, 76), XY(180 + 310, 76), XY(180 + 190, 156)}) {
      const int x = static_cast<int>(at.first) + 40, y = static_cast<int>(at.second);
      EXPECT_EQ(Back(x, y) == Flame(2), row.flames) << x;
      EXPECT_EQ(Back(x, y - 1), kBoss) << x;
    }
    EXPECT_EQ(CountBack(Flame(2)), row.flames ? 3 * 6400 : 0);
    EXPECT_EQ(Boss6State.hit, 0u);
    EXPECT_EQ(Boss6State.hitShown, 1u);
    EXPECT_EQ(Boss6State.flameFrame, 3);
  }
  Boss6State.flameLoop = 4;
  Boss6State.flameFrame = 9;
  Boss6Draw();
  EXPECT_EQ(Boss6State.flameFrame, 0);
  EXPECT_EQ(Boss6State.flameLoop, 0);
  Boss6State.flameFrame = 9;
  Boss6Draw();
  EXPECT_EQ(Boss6State.flameLoop, 1);
}

// Both arrays hold nine records; only array B's locked ones are marked.
TEST_F(Boss6BodyTest, LockMarksOfArrayBOnly) {
  static_assert(std::size(Boss6LockPoints.A) == 9 && std::size(Boss6LockPoints.B) == 9);
  for (int i = 0; i < 9; ++i) {
    Boss6LockPoints.A[i] = {180 + 60 * (i % 7), 400 + 70 * (i / 7), 1, 0};
    Boss6LockPoints.B[i] = {180 + 60 * (i % 7), 100 + 70 * (i / 7), i == 4 ? 0u : 1u, 0};
  }
  elDraw::ClearScreen();
  Boss6Draw();  // the boss parked off the screen: the marks alone show
  const uint16_t mark = enemy_test::CellColour(4, 0);  // ROCK1
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(Back(210 + 60 * (i % 7), 130 + 70 * (i / 7)) == mark, i != 4) << "B" << i;
    EXPECT_EQ(Back(210 + 60 * (i % 7), 430 + 70 * (i / 7)), 0) << "A" << i;
  }
  EXPECT_EQ(CountBack(mark), 8 * 3600);
}

}  // namespace
