#include <gtest/gtest.h>

#include "player/powerup.h"
#include "player/shots.h"
#include "shell/assets.h"
#include "shell/game_state.h"
#include "shell/scene.h"
#include "tests/support/game_harness.h"

namespace {

using namespace vantris_test;

class StageFrameStepsTest : public RunningGameTest {
 protected:
  void SetUp() override {
    RunningGameTest::SetUp();
    StartNewRun();
    PlayerAlive = 1;
  }
  void TearDown() override {
    AutoFire = 0;
    RunningGameTest::TearDown();
  }
  // Enters the stage afresh, then runs one frame from `scroll`.
  void FrameAt(int32_t scene, float scroll, uint32_t auto_fire = 0, int32_t ship_type = 1) {
    StartNewRun();
    AutoFire = auto_fire;
    ShipType = ship_type;
    ASSERT_TRUE(EnterScene(scene));
    ScrollPos = scroll;
    ASSERT_EQ(RunFrames(1), 1);
  }
};

TEST_F(StageFrameStepsTest, ThePowerUpIsReleasedInTheStagesWindows) {
  FrameAt(SceneStage2, 120.0f);
  EXPECT_EQ(PowerUp.active, 1u);
  EXPECT_FLOAT_EQ(PowerUp.y, -60.0f);  // released after its move
  EXPECT_EQ(PowerLevel, 1);
  ScrollPos = 125.0f;  // while it falls no second item comes
  ASSERT_EQ(RunFrames(1), 1);
  EXPECT_EQ(PowerLevel, 1);
  FrameAt(SceneStage2, 200.0f);  // between two windows
  EXPECT_EQ(PowerUp.active, 0u);

  // Stage 1's last window is 950 to 1000; the other stages' 1000 to 1050.
  FrameAt(SceneStage1, 960.0f);
  EXPECT_EQ(PowerUp.active, 1u);
  FrameAt(SceneStage1, 1020.0f);
  EXPECT_EQ(PowerUp.active, 0u);
  FrameAt(SceneStage8, 1020.0f);
  EXPECT_EQ(PowerUp.active, 1u);
}

TEST_F(StageFrameStepsTest, TheAutomaticFireBlockRunsTheShipTypesLaser) {
  FrameAt(SceneStage1, 10.0f, 1, 1);
  EXPECT_EQ(LaserACounter, 2);  // the entry frame and this one
  EXPECT_EQ(LaserBCounter, 0);
  FrameAt(SceneStage4, 10.0f, 1, 2);
  EXPECT_EQ(LaserBCounter, 2);
  EXPECT_EQ(LaserACounter, 0);
  FrameAt(SceneStage3, 10.0f, 1, 2);  // stages 2 and 3 have no such block
  EXPECT_EQ(LaserBCounter, 0);
  FrameAt(SceneStage4, 10.0f, 0, 2);  // without the flag nothing fires
  EXPECT_EQ(LaserBCounter, 0);
}

}  // namespace
