// The stage-2 boss's bands with their gaps and the loop's snap back, its
// damage flames and the lock marks of one array.
#include <gtest/gtest.h>

#include "stages/stage2/boss2_body.h"
#include "tests/enemies/enemy_fixture.h"
#include "tests/stages/move_bands.h"

namespace {

using player_test::XY;

constexpr uint16_t kBoss = 0x2001;
constexpr float kStep = 1.0f / 64.0f;  // timers then advance by exact binary steps

class Boss2Test : public enemy_test::EnemyTest {
 protected:
  void SetUp() override {
    EnemyTest::SetUp();
    ImgBoss71 = Solid(500, 400, kBoss);
    FrameTime = kStep;
  }
  void TearDown() override {
    ImgBoss71 = 0;
    EnemyTest::TearDown();
  }
};

// Each row: the timer the Move call reaches, whether the entry picture (at
// (200, 100), speed 500 before) is drawn, where it and the boss (at (7, 9))
// end up, and the timer after the call.
TEST_F(Boss2Test, MoveBandsAndTheirGaps) {
  const float slow = 80 * kStep, fast = 100 * kStep;
  const stage_test::BandRow rows[] = {
      {0.0f, true, {150, 600}, {7, 9}, 0.0f},
      {13.0f, true, {150, 600}, {7, 9}, 13.0f},
      {13.5f, false, {200, 100}, {7, 9}, 13.5f},
      {14.0f, false, {200, 100}, {7, 9}, 14.0f},
      {14.5f, true, {150, 100 - 500 * kStep}, {7, 9}, 14.5f},
      {59.0f, true, {150, 100 - 500 * kStep}, {7, 9}, 59.0f},
      {59.5f, false, {200, 100}, {7, 9}, 59.5f},
      {60.0f, false, {200, 100}, {7, 9}, 60.0f},
      {60.5f, false, {200, 100}, {150, -400}, 60.5f},
      {90.0f, false, {200, 100}, {150, -400}, 90.0f},
      {90.5f, false, {200, 100}, {7, 9}, 90.5f},
      {91.0f, false, {200, 100}, {7, 9 + 93 * kStep}, 91.0f},
      {135.0f, false, {200, 100}, {150, 0}, 135.0f},
      {162.0f, false, {200, 100}, {150 + slow, 0}, 162.0f},
      {171.0f, false, {200, 100}, {7 + slow, 9}, 171.0f},
      {171.5f, false, {200, 100}, {7, 9}, 171.5f},
      {172.0f, false, {200, 100}, {7 - slow, 9}, 172.0f},
      {200.5f, false, {200, 100}, {7, 9}, 200.5f},
      {201.0f, false, {200, 100}, {7 + fast, 9}, 201.0f},
      {220.0f, false, {200, 100}, {7 - fast, 9}, 220.0f},
      {240.0f, false, {200, 100}, {7 + fast, 9}, 240.0f},
      {241.0f, false, {200, 100}, {150, 0}, 241.0f},
      {290.0f, false, {200, 100}, {7 - fast, 9}, 290.0f},
      {330.0f, false, {200, 100}, {7 + fast, 9}, 330.0f},
      {330.5f, false, {200, 100}, {7, 9}, 330.5f},
      {331.0f, false, {200, 100}, {7, 9}, 145.0f},
  };
  stage_test::CheckMoveBands(rows, Boss2Move, Boss2State, Boss2Entry, 500.0f, kStep,
                             [] { return Back(300, 200) == kBoss; });
}

// From the reset: the entry picture sweeps up and is parked, the boss comes
// down to (150, 0) at timer 135 and then sways between about -40 and 340;
// each time the loop ends the boss is back at (150, 0) on the next frame,
// wherever the sway left it.  A hit flag other than 0 or 1 stops everything.
TEST_F(Boss2Test, TheLoopSwaysAndSnapsBackToTheCentre) {
  float lowest = 1e9f, highest = -1e9f;
  int first_centre = -1, snaps = 0;
  bool loop_ended = false;
  for (int call = 1; call <= 6000; ++call) {
    const float before = Boss2State.moveTimer;
    Boss2Move();
    if (Boss2State.moveTimer < before) {
      loop_ended = true;
      continue;
    }
    if (loop_ended) {
      EXPECT_EQ(player_test::Pos(Boss2State), XY(150, 0)) << call;
      ++snaps;
      loop_ended = false;
    }
    if (first_centre < 0 && player_test::Pos(Boss2State) == XY(150, 0)) first_centre = call;
    if (first_centre > 0) {
      lowest = std::min(lowest, Boss2State.x);
      highest = std::max(highest, Boss2State.x);
    }
  }
  EXPECT_EQ(first_centre, 864);  // timer 135
  EXPECT_EQ(snaps, 4);  // the loop ends on calls 2119, 3310, 4501 and 5692
  EXPECT_NEAR(lowest, -40.0f, 2.0f);
  EXPECT_NEAR(highest, 340.0f, 2.0f);
  EXPECT_EQ(player_test::Pos(Boss2Entry), XY(150, 2550));
  EXPECT_EQ(Boss2Entry.speed, 0.0f);

  const BossState kept = Boss2State;
  Boss2State.hit = 2;
  Boss2Move();
  EXPECT_EQ(Boss2State.moveTimer, kept.moveTimer);
  EXPECT_EQ(player_test::Pos(Boss2State), player_test::Pos(kept));
}

TEST_F(Boss2Test, FlamesFromNinetyAndSeventyHitPointsDown) {
  const uint16_t flame = enemy_test::CellColour(2, 2);  // ZBAK3B cell 2
  for (const stage_test::FlameRow& row : stage_test::kFlameRows) {
    SCOPED_TRACE(row.hp);
    elDraw::ClearScreen();
    Boss2State.x = 100.7f;
    Boss2State.y = 0.0f;
    Boss2State.hitPoints = row.hp;
    Boss2State.flameFrame = 2;
    Boss2State.hit = 1;
    Boss2Draw();
    // Cell 2, 56 px below the start points (each 80 x 80; looked at inside).
    EXPECT_EQ(Back(100 + 150 + 40, 70 + 56 + 40) == flame, row.first);
    EXPECT_EQ(Back(100 + 270 + 40, 70 + 56 + 40) == flame, row.first);
    EXPECT_EQ(Back(100 + 90 + 40, 56 + 40) == flame, row.second);
    EXPECT_EQ(Back(100 + 330 + 40, 56 + 40) == flame, row.second);
    EXPECT_EQ(Back(590, 390), kBoss);
    EXPECT_EQ(Boss2State.hit, 0u);  // taken, and nothing else shows
    EXPECT_EQ(Boss2State.hitShown, 1u);
    EXPECT_EQ(Boss2State.flameFrame, 3);
  }
}

// Array B's locked points are marked where they lie; array A's never.
TEST_F(Boss2Test, LockMarksOfArrayBOnly) {
  for (int i = 0; i < 5; ++i) {
    Boss2LockPoints.A[i] = {200 + 70 * i, 300, 1, 0};
    Boss2LockPoints.B[i] = {200 + 70 * i, 450, i == 3 ? 0u : 1u, 0};
  }
  elDraw::ClearScreen();
  Boss2Draw();
  const uint16_t mark = enemy_test::CellColour(4, 0);  // ROCK1
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Back(230 + 70 * i, 480) == mark, i != 3) << i;
  EXPECT_EQ(CountBack(mark), 4 * 3600);
}

}  // namespace
