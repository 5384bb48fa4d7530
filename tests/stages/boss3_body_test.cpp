// The stage-3 boss's flight bands and its re-entry from above (its picture,
// flames and lock marks: boss_body_test.cpp).
#include <gtest/gtest.h>

#include "player/hit_pass.h"
#include "stages/stage3/boss3_body.h"
#include "tests/enemies/enemy_fixture.h"
#include "tests/stages/move_bands.h"

namespace {

using player_test::Pos;
using player_test::XY;

constexpr float kStep = 1.0f / 64.0f;  // timers then advance by exact binary steps

class Boss3Test : public enemy_test::EnemyTest {
 protected:
  void SetUp() override {
    EnemyTest::SetUp();
    FrameTime = kStep;
  }
};

// Each row: the timer the Move call reaches and where the boss (at (7, 9)
// before) ends; the timer after the call.
TEST_F(Boss3Test, MoveBandsAtTheirBounds) {
  constexpr float v = 100 * kStep, w = 50 * kStep, s = 40 * kStep;  // px per call
  const stage_test::BossBandRow rows[] = {
      {0, {7, 9}, 0},                {0.5f, {180, -380}, 0.5f},   {30, {180, -380}, 30},
      {30.5f, {7, 9}, 30.5f},        {31, {7, 9 + 78 * kStep}, 31}, {75, {180, 0}, 75},
      {100, {180, 0}, 100},          {100.5f, {7, 9}, 100.5f},    {101, {7 + v, 9 + w}, 101},
      {110, {7 + v, 9 + w}, 110},    {111, {7 - v, 9 - w}, 111},  {121, {7 - v, 9 + w}, 121},
      {131, {7 + v, 9 - w}, 131},    {140.5f, {7, 9}, 140.5f},    {141, {180, 0}, 141},
      {160, {180, 0}, 160},          {160.5f, {7, 9}, 160.5f},    {161, {7 + s, 9}, 161},
      {190, {7 + s, 9}, 190},        {191, {7 - s, 9}, 191},      {250, {7 - s, 9}, 250},
      {251, {7 + s, 9}, 251},        {280, {7 + s, 9}, 280},      {280.5f, {7, 9}, 280.5f},
      {281, {7, 9}, 0},              {400, {7, 9}, 0},
  };
  stage_test::CheckBossBands(rows, Boss3Move, Boss3State, kStep);
  // A hit flag other than 0 or 1 stops the boss and its clock.
  Boss3State.hit = 2;
  Boss3State.moveTimer = 50.0f;
  Boss3Move();
  EXPECT_EQ(Boss3State.moveTimer, 50.0f);
  EXPECT_EQ(Pos(Boss3State), XY(7, 9));
}

// From the reset: placed above the screen, down to (180, 0) at timer 75; at
// 281 the timer starts over and the next call puts the boss back at y -380,
// where the shots cannot hit it until it has descended again.
TEST_F(Boss3Test, TheBossLeavesTheTopAndReEntersOutOfReach) {
  const auto laser_hits = [] {
    const float before = Boss3State.hitPoints;
    TestShotHits(ShotPass::LaserA, 400, 150, nullptr);  // inside the box at y >= 0
    return Boss3State.hitPoints < before;
  };
  int wrap_call = 0, hold_call = 0;
  for (int call = 1; call <= 2000 && wrap_call == 0; ++call) {
    Boss3Move();
    if (call == 1) { EXPECT_EQ(Pos(Boss3State), XY(180, -380)); }
    if (hold_call == 0 && Pos(Boss3State) == XY(180, 0)) hold_call = call;
    if (Boss3State.moveTimer == 0.0f) wrap_call = call;
  }
  EXPECT_EQ(hold_call, 480);   // timer 75
  EXPECT_EQ(wrap_call, 1799);  // timer 281.09 -> 0
  // The sway's legs take whole calls (186 right, 378 left, 186 right).
  EXPECT_EQ(Pos(Boss3State), XY(180 - 6 * 40 * kStep, 0));
  EXPECT_TRUE(laser_hits());

  Boss3Move();
  EXPECT_EQ(Pos(Boss3State), XY(180, -380));
  EXPECT_FALSE(laser_hits());
  for (int call = 0; call < 478; ++call) Boss3Move();
  EXPECT_FLOAT_EQ(Boss3State.y, -380 + 281 * 78 * kStep);  // the descent ends short of 0
  EXPECT_FALSE(laser_hits());
  Boss3Move();
  EXPECT_EQ(Pos(Boss3State), XY(180, 0));
  EXPECT_TRUE(laser_hits());
}

}  // namespace
