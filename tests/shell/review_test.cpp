#include <gtest/gtest.h>

#include "player/powerup.h"
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
  // Enters the stage afresh, then runs one frame from `scroll`.
  void FrameAt(int32_t scene, float scroll) {
    StartNewRun();
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

}  // namespace
