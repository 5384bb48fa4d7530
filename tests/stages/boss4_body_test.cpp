// The stage-4 boss's movement bands, damage flames and lock marks, and the
// defeat rows of the bosses of stages 4 to 8.
#include <gtest/gtest.h>

#include "el/draw/transition_state.h"
#include "shell/scene.h"
#include "stages/stage4/boss4_body.h"
#include "stages/stage5/boss5_body.h"
#include "stages/stage6/boss6_body.h"
#include "stages/stage7/boss7_body.h"
#include "stages/stage8/boss8_body.h"
#include "tests/stages/move_bands.h"

namespace {

using player_test::XY;

using Boss4Test = stage_test::BossPictureTest<&ImgBoss41, 440, 380, 0x2001>;

// Each row: the timer the Move call reaches and the boss's position after it
// (it stands at (7, 9) before); a step of 1/64 s moves 1/64 of the speed.
TEST_F(Boss4Test, MoveBandsAtTheirBounds) {
  const stage_test::BossBandRow rows[] = {
      {0.15625f, {180, -480}, 0.15625f},  // the first call from the reset
      {30.0f, {180, -480}, 30.0f},
      {30.5f, {7, 9}, 30.5f},               // between bands
      {31.0f, {7, 10.625f}, 31.0f},         // 104 px/s down
      {75.0f, {180, 0}, 75.0f},             // the descent's last step, then the snap
      {90.0f, {180, 0}, 90.0f},
      {90.5f, {7, 9}, 90.5f},
      {91.0f, {7, 9.9375f}, 91.0f},         // bob down at 60
      {116.0f, {7, 8.0625f}, 116.0f},       // and up
      {140.5f, {7, 9}, 140.5f},
      {162.0f, {181.25f, 0}, 162.0f},       // the snap, then the sway at 80
      {172.0f, {5.75f, 9}, 172.0f},
      {201.0f, {8.5625f, 9.78125f}, 201.0f},  // the diamond at (100, 50)
      {211.0f, {5.4375f, 8.21875f}, 211.0f},
      {221.0f, {5.4375f, 9.78125f}, 221.0f},
      {231.0f, {8.5625f, 8.21875f}, 231.0f},
      {240.0f, {180, 0}, 240.0f},           // the diamond's last step, then the snap
      {250.0f, {182.34375f, 0}, 250.0f},    // the snap, then the sway at 150
      {261.0f, {4.65625f, 9}, 261.0f},
      {291.0f, {10.125f, 10.5625f}, 291.0f},  // the diamond at (200, 100)
      {330.0f, {10.125f, 7.4375f}, 330.0f},
      {330.5f, {7, 9}, 330.5f},
      {331.0f, {7, 9}, 80.0f},  // back to 80: the next call snaps
  };
  stage_test::CheckBossBands(rows, Boss4Move, Boss4State, kStep);
}

// From the reset: 3 s above the screen, the descent to the snap, then the
// loop from timer 80 for good, the timer never past 331.
TEST_F(Boss4Test, TheScriptLoopsFromTheSnap) {
  float highest = 0.0f;
  int loops = 0;
  for (int call = 1; call <= 64 * 100; ++call) {
    const float before = Boss4State.moveTimer;
    Boss4Move();
    highest = std::max(highest, Boss4State.moveTimer);
    if (call == 192) { EXPECT_EQ(player_test::Pos(Boss4State), XY(180, -480)); }  // timer 30
    if (call == 480) { EXPECT_EQ(player_test::Pos(Boss4State), XY(180, 0)); }  // timer 75
    if (Boss4State.moveTimer < before) {
      ++loops;
      EXPECT_EQ(Boss4State.moveTimer, 80.0f) << call;
      Boss4Move();
      EXPECT_EQ(player_test::Pos(Boss4State), XY(180, 0)) << call;
    }
  }
  EXPECT_LT(highest, 331.0f + 10.0f * kStep);
  EXPECT_EQ(loops, 3);  // 33 s to the first loop, 25.1 s each after it
}

// The first pair from HP 90 down, stepping 28 px per flame frame; the second
// from HP 70 down, stepping 19.
TEST_F(Boss4Test, FlamesFromNinetyAndSeventyHitPointsDown) {
  for (const stage_test::FlameRow& row : stage_test::kFlameRows) {
    SCOPED_TRACE(row.hp);
    elDraw::ClearScreen();
    Boss4State.x = 180.4f;
    Boss4State.y = 0.0f;
    Boss4State.hitPoints = row.hp;
    Boss4State.flameFrame = 2;
    Boss4State.hit = 1;
    Boss4Draw();
    // Cell 2: the first pair's tops at y 70 + 56, the second's at 150 + 38.
    for (int x : {180 + 140, 180 + 220}) {
      EXPECT_EQ(Back(x + 40, 126) == Flame(2), row.first) << x;
      EXPECT_EQ(Back(x + 40, 125), kBoss) << x;
    }
    for (int x : {180 + 60, 180 + 300}) {
      EXPECT_EQ(Back(x + 40, 188) == Flame(2), row.second) << x;
      EXPECT_EQ(Back(x + 40, 187), kBoss) << x;
    }
    EXPECT_EQ(Back(190, 10), kBoss);
    EXPECT_EQ(Boss4State.hit, 0u);
    EXPECT_EQ(Boss4State.flameFrame, 3);
  }
  Boss4State.flameFrame = 9;
  Boss4Draw();
  EXPECT_EQ(Boss4State.flameFrame, 0);
}

// Both arrays hold three records: every locked one is marked, nothing is
// read past them.
TEST_F(Boss4Test, LockMarksOfEveryRecordOfBothArrays) {
  static_assert(std::size(Boss4LockPoints.A) == 3 && std::size(Boss4LockPoints.B) == 3);
  for (int i = 0; i < 3; ++i) {
    Boss4LockPoints.A[i] = {200 + 70 * i, 400, 1, 0};
    Boss4LockPoints.B[i] = {200 + 70 * i, 480, i == 2 ? 0u : 1u, 0};
  }
  elDraw::ClearScreen();
  Boss4Draw();  // the boss parked off the screen: the marks alone show
  const uint16_t mark = enemy_test::CellColour(4, 0);  // ROCK1
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Back(230 + 70 * i, 430), mark) << "A" << i;
    EXPECT_EQ(Back(230 + 70 * i, 510) == mark, i != 2) << "B" << i;
  }
  EXPECT_EQ(CountBack(mark), 5 * 3600);
}

// Every defeat row: the explosions' spreads (x, and y for the big and the
// small ones apart), the call that changes the scene (the timer past 70 at
// 1/64 s a call), the next scene with its band and the boss whole again.
TEST_F(Boss4Test, DefeatRowsOfTheBossesOfStagesFourToEight) {
  const struct {
    void (*defeat)();
    BossState* boss;
    DefeatExplosion *big, *small;
    float spread_x, big_y, small_y, start_hp;
    int32_t band, scene;
  } rows[] = {
      {Boss4Defeat, &Boss4State, Boss4BigExplosions, Boss4SmallExplosions, 440, 320, 310, 800,
       30, SceneStage5},
      {Boss5Defeat, &Boss5State, Boss5BigExplosions, Boss5SmallExplosions, 380, 320, 320, 1000,
       30, SceneStage7},
      {Boss6Defeat, &Boss6State, Boss6BigExplosions, Boss6SmallExplosions, 460, 330, 330, 1400,
       30, SceneStage7},
      {Boss7Defeat, &Boss7State, Boss7BigExplosions, Boss7SmallExplosions, 460, 320, 320, 1500,
       30, SceneEnding},
      {Boss8Defeat, &Boss8State, Boss8BigExplosions, Boss8SmallExplosions, 480, 320, 320, 1220,
       60, SceneEnding},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.scene * 10000 + row.start_hp);
    SceneNumber = SceneStage4;
    row.boss->x = 200.0f;
    row.boss->y = 40.0f;
    row.boss->hitPoints = 0.0f;
    player_test::Range big_x, big_y, small_x, small_y;
    for (int call = 1; call < 449; ++call) {
      row.defeat();
      for (int i = 0; i < 8; ++i) {
        big_x.Add(row.big[i].x);
        big_y.Add(row.big[i].y);
      }
      for (int i = 0; i < 6; ++i) {
        small_x.Add(row.small[i].x);
        small_y.Add(row.small[i].y);
      }
    }
    EXPECT_EQ(SceneNumber, SceneStage4);
    row.defeat();
    EXPECT_EQ(SceneNumber, row.scene);
    EXPECT_EQ(TransitionBand, row.band);
    EXPECT_EQ(TransitionStep, row.band);
    EXPECT_EQ(TransitionDir, -1);
    EXPECT_EQ(row.boss->hitPoints, row.start_hp);
    // Each spread is filled up to (nearly) its last pixel and never past it.
    EXPECT_TRUE(big_x.In(100, 99 + row.spread_x) && big_x.hi > 90 + row.spread_x) << big_x;
    EXPECT_TRUE(small_x.In(160, 159 + row.spread_x) && small_x.hi > 150 + row.spread_x)
        << small_x;
    EXPECT_TRUE(big_y.In(40, 39 + row.big_y) && big_y.hi >= 30 + row.big_y) << big_y;
    EXPECT_TRUE(small_y.In(40, 39 + row.small_y) && small_y.hi >= 30 + row.small_y) << small_y;
  }
}

}  // namespace
