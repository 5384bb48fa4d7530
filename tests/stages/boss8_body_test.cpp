// The stage-8 boss's movement bands, damage flames and lock marks.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "stages/stage8/boss8_body.h"
#include "tests/stages/move_bands.h"

namespace {

using player_test::XY;

using Boss8Test = stage_test::BossPictureTest<&ImgBoss8, 480, 400, 0x2008>;

// Each row: the timer the Move call reaches and the boss's position after it
// (it stands at (7, 9) before); a step of 1/64 s moves 1/64 of the speed.
TEST_F(Boss8Test, MoveBandsAtTheirBounds) {
  const stage_test::BossBandRow rows[] = {
      {0.15625f, {160, -400}, 0.15625f},  // the first call from the reset
      {30.0f, {160, -400}, 30.0f},
      {30.5f, {7, 9}, 30.5f},         // between bands
      {31.0f, {7, 10.34375f}, 31.0f},  // 86 px/s down
      {74.0f, {7, 10.34375f}, 74.0f},
      {74.5f, {7, 9}, 74.5f},
      {75.0f, {160, 0}, 75.0f},  // the hold
      {100.0f, {160, 0}, 100.0f},
      {100.5f, {7, 9}, 100.5f},
      {101.0f, {7.625f, 9}, 101.0f},  // the sway at 40
      {130.0f, {7.625f, 9}, 130.0f},
      {131.0f, {6.375f, 9}, 131.0f},
      {190.0f, {6.375f, 9}, 190.0f},
      {191.0f, {7.625f, 9}, 191.0f},
      {220.0f, {7.625f, 9}, 220.0f},
      {220.5f, {7, 9}, 220.5f},
      {221.0f, {7, 9}, 80.0f},  // back into the hold
  };
  stage_test::CheckBossBands(rows, Boss8Move, Boss8State, kStep);
  // A hit flag other than 0 or 1 stops the script, timer and all.
  Boss8State.hit = 2;
  Boss8State.moveTimer = 120.0f;
  Boss8Move();
  EXPECT_EQ(player_test::Pos(Boss8State), XY(7, 9));
  EXPECT_EQ(Boss8State.moveTimer, 120.0f);
}

// From the reset: 3 s above the screen, the descent, then every 14.1 s a
// loop from the hold at (160, 0): 120 px right, 240 left, 120 right.
TEST_F(Boss8Test, TheScriptLoopsFromTheHold) {
  player_test::Range x;
  int loops = 0;
  bool looped = false;
  for (int call = 1; call <= 64 * 60; ++call) {
    const float before = Boss8State.moveTimer;
    Boss8Move();
    if (call == 192) { EXPECT_EQ(player_test::Pos(Boss8State), XY(160, -400)); }  // timer 30
    if (call == 473) { EXPECT_EQ(player_test::Pos(Boss8State), XY(160, -30.46875f)); }
    if (call == 480) { EXPECT_EQ(player_test::Pos(Boss8State), XY(160, 0)); }  // timer 75
    if (looped) { EXPECT_EQ(player_test::Pos(Boss8State), XY(160, 0)) << call; }
    if (call >= 480) {
      x.Add(Boss8State.x);
      EXPECT_EQ(Boss8State.y, 0.0f) << call;
    }
    looped = Boss8State.moveTimer < before;
    if (looped) {
      ++loops;
      EXPECT_EQ(Boss8State.moveTimer, 80.0f) << call;
      EXPECT_EQ(call, 1415 + (loops - 1) * 903);  // 22.1 s, then every 14.1 s
    }
  }
  EXPECT_EQ(loops, 3);
  EXPECT_EQ(x, (player_test::Range{40.0f, 276.25f}));
}

// The first pair from HP 90 down, the second from HP 70 down, both stepping
// 28 px per flame frame; the hit flag is taken and shown.
TEST_F(Boss8Test, FlamesFromNinetyAndSeventyHitPointsDown) {
  for (const stage_test::FlameRow& row : stage_test::kFlameRows) {
    SCOPED_TRACE(row.hp);
    elDraw::ClearScreen();
    Boss8State.x = 180.4f;
    Boss8State.y = 0.0f;
    Boss8State.hitPoints = row.hp;
    Boss8State.flameFrame = 2;
    Boss8State.hit = 1;
    Boss8State.hitShown = 0;
    Boss8Draw();
    // Cell 2: the first pair's tops at y 130 + 56, the second's at 70 + 56.
    for (int x : {180 + 200, 180 + 290}) {
      EXPECT_EQ(Back(x, 250) == Flame(2), row.first) << x;
      EXPECT_EQ(Back(x, 266), kBoss) << x;
    }
    EXPECT_EQ(Back(380, 185), kBoss);
    for (int x : {180 + 130, 180 + 350}) {
      EXPECT_EQ(Back(x, 130) == Flame(2), row.second) << x;
      EXPECT_EQ(Back(x, 125), kBoss) << x;
    }
    EXPECT_EQ(Back(190, 10), kBoss);
    EXPECT_EQ(Back(619, 399), kBoss);
    EXPECT_EQ(Boss8State.hit, 0u);
    EXPECT_EQ(Boss8State.hitShown, 1u);
    EXPECT_EQ(Boss8State.flameFrame, 3);
  }
  // The flame frame wraps past 9 and counts a loop, itself back to 0 past 4.
  const struct {
    int32_t frame, loop, frame_after, loop_after;
  } wraps[] = {{8, 2, 9, 2}, {9, 2, 0, 3}, {9, 4, 0, 0}};
  for (const auto& w : wraps) {
    Boss8State.flameFrame = w.frame;
    Boss8State.flameLoop = w.loop;
    Boss8Draw();
    EXPECT_EQ(Boss8State.flameFrame, w.frame_after);
    EXPECT_EQ(Boss8State.flameLoop, w.loop_after);
  }
}

// Both arrays hold five records, placed and locked alike; only array A's
// locked records are marked.
TEST_F(Boss8Test, LockMarksOfArrayAOnly) {
  static_assert(std::size(Boss8LockPoints.A) == 5 && std::size(Boss8LockPoints.B) == 5);
  for (int i = 0; i < 5; ++i) {
    Boss8LockPoints.A[i] = {190 + 70 * i, 400, i == 3 ? 0u : 1u, 0};
    Boss8LockPoints.B[i] = {190 + 70 * i, 480, 1, 0};
  }
  elDraw::ClearScreen();
  Boss8Draw();  // the boss parked off the screen: the marks alone show
  const uint16_t mark = enemy_test::CellColour(4, 0);  // ROCK1
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(Back(220 + 70 * i, 430) == mark, i != 3) << "A" << i;
    EXPECT_NE(Back(220 + 70 * i, 510), mark) << "B" << i;
  }
  EXPECT_EQ(CountBack(mark), 4 * 3600);
}

}  // namespace
