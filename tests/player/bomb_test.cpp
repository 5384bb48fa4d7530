// The bomb: its 48-frame schedule of rings, the stock, the fragments' whole-
// pixel flight and their hit pass.
#include <gtest/gtest.h>

#include <cmath>

#include "el/system/elSystem.h"
#include "enemies/kind_tables.h"
#include "player/bomb.h"
#include "player/hit_pass.h"
#include "shell/game_state.h"
#include "tests/support/game_harness.h"

namespace {

using namespace vantris_test;

class BombTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ResetForScoring();
    PlayerX = 370.7f;
    PlayerY = 420.2f;
    BombStock = 5;
  }
  static int ActiveInRing(int ring) {
    int n = 0;
    for (int i = ring * 10; i < ring * 10 + 10; ++i) n += BombFragments[i].active != 0;
    return n;
  }
};

TEST_F(BombTest, TheScheduleLaunchesItsRingsAndEndsAfter48Frames) {
  BombWave = 1;
  LaserAReady = LaserBReady = 0;
  BombSchedule();
  BombSchedule();
  for (int ring = 0; ring < 8; ++ring) EXPECT_EQ(ActiveInRing(ring), 0);
  BombSchedule();  // count 3: ring 1
  EXPECT_EQ(ActiveInRing(1), 10);
  EXPECT_EQ(ActiveInRing(0), 0);
  const BombFragment& f = BombFragments[10];
  EXPECT_EQ(f.x, 360);  // truncated ship position - 10
  EXPECT_EQ(f.y, 410);
  EXPECT_EQ(f.speed, 40);
  EXPECT_FLOAT_EQ(f.angle, static_cast<float>(5 * Pi / 8 + 10 * Pi / 5));
  EXPECT_FLOAT_EQ(BombFragments[11].angle - BombFragments[10].angle,
                  static_cast<float>(Pi / 5));
  for (int count = 4; count <= 24; ++count) BombSchedule();
  for (int ring = 0; ring < 8; ++ring) EXPECT_EQ(ActiveInRing(ring), 10) << ring;
  EXPECT_EQ(BombWave, 1u);
  for (int count = 25; count < 48; ++count) BombSchedule();
  EXPECT_EQ(BombWave, 1u);
  EXPECT_EQ(BombStock, 5);
  BombSchedule();
  EXPECT_EQ(BombWave, 0u);
  EXPECT_EQ(BombRingCounter, 0);
  EXPECT_EQ(BombStock, 4);
  EXPECT_EQ(LaserAReady, 1u);
  EXPECT_EQ(LaserBReady, 1u);
}

TEST_F(BombTest, ARingStillFlyingIsSkippedSlotBySlot) {
  BombWave = 1;
  for (int count = 1; count <= 3; ++count) BombSchedule();
  BombFragments[12].active = 0;
  BombFragments[12].x = -500;
  BombFragments[13].x = 111;  // still flying
  PlayerX = 200.0f;
  for (int count = 4; count <= 27; ++count) BombSchedule();  // ring 1 again at 27
  EXPECT_EQ(BombFragments[12].x, 190);
  EXPECT_EQ(BombFragments[13].x, 111);
}

TEST_F(BombTest, ABombWithoutStockStopsAfterItsFirstFrame) {
  BombStock = 0;
  BombWave = 1;
  LaserAReady = LaserBReady = 0;
  BombSchedule();
  EXPECT_EQ(BombWave, 0u);
  EXPECT_EQ(LaserAReady, 1u);
  EXPECT_EQ(LaserBReady, 1u);
  EXPECT_EQ(BombStock, 0);
}

TEST_F(BombTest, EmitTakesOnlyFreeFragmentsOfTheTable) {
  BombEmit(5);
  EXPECT_EQ(BombFragments[5].active, 1u);
  BombFragments[5].x = 77;
  BombEmit(5);
  EXPECT_EQ(BombFragments[5].x, 77);
  BombEmit(80);  // not a fragment: nothing
  BombEmit(-1);
  for (int i = 0; i < BombFragmentCount; ++i) EXPECT_EQ(BombFragments[i].active, i == 5 ? 1u : 0u);
}

TEST_F(BombTest, FragmentsFlyFortyWholePixelsAFrameUntilTheyLeave) {
  BombFragment& f = BombFragments[0];
  f = {300, 100, 40, 1, static_cast<float>(-Pi / 2)};  // straight up
  FrameTime = 0.1f;  // the flight does not scale with the frame time
  BombPass();
  EXPECT_EQ(f.y, 60);
  EXPECT_EQ(f.x, 300);
  for (int i = 0; i < 3; ++i) BombPass();  // 20, -20, -60: still inside
  EXPECT_EQ(f.y, -60);
  EXPECT_EQ(f.active, 1u);
  BombPass();  // -100 leaves
  EXPECT_EQ(f.active, 0u);
  EXPECT_EQ(f.x, -500);
  EXPECT_EQ(f.y, 500);

  BombFragment& g = BombFragments[1];
  g = {300, 300, 40, 1, static_cast<float>(5 * Pi / 8)};
  BombPass();
  EXPECT_EQ(g.y, 300 + static_cast<int32_t>(40 * std::sin(static_cast<float>(5 * Pi / 8))));
  EXPECT_EQ(g.x, 300 + static_cast<int32_t>(40 * std::cos(static_cast<float>(5 * Pi / 8))));
}

TEST_F(BombTest, AFragmentScoresOnEveryFrameItOverlapsAndKeepsFlying) {
  Szak4Slots[2].x = 300.0f;
  Szak4Slots[2].y = 300.0f;
  BombFragments[7] = {300, 260, 40, 1, static_cast<float>(Pi / 2)};  // down
  BombPass();  // y 300
  EXPECT_EQ(Score, 250);
  EXPECT_EQ(Szak4Slots[2].hit, 1u);
  BombPass();  // y 340
  EXPECT_EQ(Score, 500);
  BombPass();  // y 380: beyond +60
  EXPECT_EQ(Score, 500);
  EXPECT_EQ(BombFragments[7].active, 1u);
}

TEST_F(BombTest, AnIdleBombChangesNothing) {
  Szak10Slots[0].x = 300.0f;
  Szak10Slots[0].y = 300.0f;
  for (int i = 0; i < 10; ++i) BombPass();
  EXPECT_EQ(Score, 0);
  EXPECT_EQ(Szak10Slots[0].hit, 0u);
  for (const BombFragment& f : BombFragments) EXPECT_EQ(f.y, 500);
}

}  // namespace
