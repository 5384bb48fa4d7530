// A death played through a stage: the 50-frame explosion, 16 lives, the
// 249 protected frames, the continue prompt when the lives run out and the
// Y key that continues, and a ship that cannot die.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "el/system/elSystem.h"
#include "os/headless/headless.h"
#include "player/death.h"
#include "player/powerup.h"
#include "shell/game_state.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "tests/support/game_harness.h"

namespace {

using namespace vantris_test;

constexpr float kPi = std::numbers::pi_v<float>;

class DeathTest : public RunningGameTest {
 protected:
  void SetUp() override {
    RunningGameTest::SetUp();
    // A new run as the mode screen starts it, then straight into stage 1.
    StartNewRun();
    GameLevel = 1;
    ASSERT_TRUE(EnterScene(SceneStage1));
  }
  // The frames of a stage: the scene stays stage 1 throughout.
  static void Run(int n) { ASSERT_EQ(RunFrames(n), n); }
};

TEST_F(DeathTest, ADeathIsAFiftyFrameBurstThatCostsSixteenLives) {
  SideLaser = 1;
  PowerLevel = 2;
  PlayerAlive = 0;  // as an enemy bullet does
  Run(1);
  EXPECT_EQ(DeathBurstCounter, 1);
  EXPECT_EQ(SideLaser, 0u);
  EXPECT_EQ(PowerLevel, 0);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(DeathFragments[i].active, 1u) << i;
  EXPECT_EQ(DeathFragments[16].active, 0u);
  Run(38);
  EXPECT_EQ(Lives, 999);
  Run(1);  // frame 40: the fifth ring
  EXPECT_EQ(Lives, 983);
  EXPECT_EQ(PlayerAlive, 0u);
  Run(9);
  EXPECT_EQ(PlayerAlive, 0u);
  EXPECT_EQ(RespawnFlag, 0u);
  Run(1);  // frame 50: back, protected
  EXPECT_EQ(PlayerAlive, 1u);
  EXPECT_EQ(RespawnFlag, 1u);
  EXPECT_EQ(Lives, 983);

  // A hit while protected changes nothing.
  Run(100);
  PlayerAlive = 0;
  Run(1);
  EXPECT_EQ(PlayerAlive, 1u);
  EXPECT_EQ(Lives, 983);
  EXPECT_EQ(DeathBurstCounter, 50);

  // 249 counted protected frames in all (the hit's frame counts none), then
  // the fragments are parked.
  EXPECT_EQ(RespawnTimer, 100);
  Run(148);
  EXPECT_EQ(RespawnFlag, 1u);
  EXPECT_EQ(RespawnTimer, 248);
  Run(1);
  EXPECT_EQ(RespawnFlag, 0u);
  EXPECT_EQ(RespawnTimer, 0);
  EXPECT_EQ(PlayerAlive, 1u);
  EXPECT_EQ(DeathBurstCounter, 0);
  for (const DeathFragment& f : DeathFragments) {
    EXPECT_EQ(f.active, 0u);
    EXPECT_EQ(f.y, 2550.0f);
  }

  // The next death costs sixteen lives again.
  PlayerAlive = 0;
  Run(50);
  EXPECT_EQ(Lives, 967);
  EXPECT_EQ(RespawnFlag, 1u);
}

TEST_F(DeathTest, EachRingLeavesOnceInSixteenDirectionsTowardTheCorner) {
  PlayerX = 370.0f;
  PlayerY = 520.0f;
  PlayerAlive = 0;
  Run(1);
  const float aim = std::atan2(20.0f - 520.0f, 20.0f - 370.0f) + 2.0f * kPi;
  const float step = 280.0f * FrameTime;
  for (int i = 0; i < 16; ++i) {
    const DeathFragment& f = DeathFragments[i];
    EXPECT_NEAR(std::fmod(f.angle, 2.0f * kPi),
                std::fmod(aim + i * kPi / 8, 2.0f * kPi),
                1e-4f);
    EXPECT_EQ(f.speed, 280.0f);
  }
  EXPECT_NEAR(DeathFragments[0].x, 370.0f + std::cos(DeathFragments[0].angle) * step, 1e-3f);

  // A fragment that leaves the screen and is parked does not fire its ring
  // again: the count runs on for the whole burst.
  Run(29);  // half a second: the first ring's lower fragments are out
  int parked = 0;
  for (int i = 0; i < 16; ++i) parked += DeathFragments[i].active == 0;
  EXPECT_GT(parked, 0);
  Run(20);
  EXPECT_EQ(PlayerAlive, 1u);
  for (int i = 0; i < 16; ++i) {
    if (DeathFragments[i].active) continue;
    EXPECT_EQ(DeathFragments[i].y, 2550.0f);
  }
  EXPECT_EQ(Lives, 983);
}

TEST_F(DeathTest, TheLastLivesBringTheContinuePromptAndYContinues) {
  Lives = 16;
  Score = 4000;
  BombStock = 1;
  PlayerAlive = 0;
  Run(39);
  EXPECT_EQ(ContinuePrompt, 0u);
  const int presents = os::headless::PresentCount();
  Run(1);  // frame 40: the lives are gone
  EXPECT_EQ(Lives, 0);
  EXPECT_EQ(ContinuePrompt, 1u);
  EXPECT_EQ(PauseFlag, 1u);
  EXPECT_EQ(PlayerAlive, 0u);
  EXPECT_EQ(os::headless::PresentCount(), presents + 1);
  // The prompt's picture is in the presented frame.
  const os::headless::PresentedFrame& frame = os::headless::LastPresented();
  int lit = 0;
  for (int y = 310; y < 410; ++y)
    for (int x = 300; x < 500; ++x) lit += frame.At(x, y) != 0;
  EXPECT_GT(lit, 1000);

  // Paused: nothing moves, nothing is presented, the burst waits.
  const float scroll = ScrollPos;
  Run(30);
  EXPECT_EQ(ScrollPos, scroll);
  EXPECT_EQ(DeathBurstCounter, 40);
  EXPECT_EQ(os::headless::PresentCount(), presents + 1);

  TapKey('Y');
  EXPECT_EQ(PauseFlag, 0u);
  EXPECT_EQ(ContinuePrompt, 0u);
  EXPECT_EQ(Lives, 111);
  EXPECT_EQ(Score, 0);
  EXPECT_EQ(BombStock, 5);
  EXPECT_EQ(RespawnFlag, 1u);
  EXPECT_EQ(PlayerAlive, 1u);

  // Back protected: 249 frames, then alive and open to hits again.
  Run(247);
  EXPECT_EQ(RespawnFlag, 1u);
  Run(2);
  EXPECT_EQ(RespawnFlag, 0u);
  EXPECT_EQ(DeathBurstCounter, 0);
  EXPECT_GT(ScrollPos, scroll);
  EXPECT_EQ(Lives, 111);
}

TEST_F(DeathTest, AShipThatCannotDieStaysDownAndLosesNothing) {
  NoDeath = 1;
  SideLaser = 1;
  PlayerAlive = 0;
  Run(60);
  EXPECT_EQ(PlayerAlive, 0u);
  EXPECT_EQ(Lives, 999);
  EXPECT_EQ(SideLaser, 1u);
  EXPECT_EQ(DeathBurstCounter, 0);
  for (const DeathFragment& f : DeathFragments) EXPECT_EQ(f.active, 0u);
}

TEST_F(DeathTest, FragmentsCycleThroughFifteenCellsOfTheSheet) {
  PlayerAlive = 0;
  std::vector<std::pair<int, int>> cells;
  for (int frame = 0; frame < 16; ++frame) {
    cells.emplace_back(DeathFragments[0].column, DeathFragments[0].row);
    Run(1);
  }
  const std::vector<std::pair<int, int>> expected = {
      {0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0},
      {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {0, 0}};
  EXPECT_EQ(cells, expected);
}

}  // namespace
