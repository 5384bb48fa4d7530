// The stage frame's own steps around the stage scripts: the power-up item's
// release windows, stage 3's side panels and the automatic-fire block.
#include <gtest/gtest.h>

#include "el/draw/elDraw.h"
#include "os/headless/headless.h"
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
  // Enters the stage afresh (item parked, scroll 0; a new run clears
  // AutoFire and takes ship type 1), then runs one frame from `scroll`.
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
  // While it falls no second item comes, though the window stays open.
  ScrollPos = 125.0f;
  ASSERT_EQ(RunFrames(1), 1);
  EXPECT_EQ(PowerLevel, 1);

  FrameAt(SceneStage2, 200.0f);  // between two windows
  EXPECT_EQ(PowerUp.active, 0u);

  // Stage 1's last window is 950 to 1000; the other stages' 1000 to 1050.
  FrameAt(SceneStage1, 960.0f);
  EXPECT_EQ(PowerUp.active, 1u);
  FrameAt(SceneStage2, 960.0f);
  EXPECT_EQ(PowerUp.active, 0u);
  FrameAt(SceneStage1, 1020.0f);
  EXPECT_EQ(PowerUp.active, 0u);
  for (int32_t scene : {SceneStage3, SceneStage4, SceneStage5, SceneStage6, SceneStage7,
                        SceneStage8}) {
    FrameAt(scene, 1020.0f);
    EXPECT_EQ(PowerUp.active, 1u) << scene;
  }
}

TEST_F(StageFrameStepsTest, StageThreeDrawsItsSidePanelsOverTheFrame) {
  constexpr uint16_t kPanel = 0x5A5A;
  ImgSidePanel = MakeSolidPicture(100, 480, kPanel);
  ASSERT_GT(ImgSidePanel, 0);
  ASSERT_TRUE(EnterScene(SceneStage3));
  const os::headless::PresentedFrame& frame = os::headless::LastPresented();
  // The right panel at x 540 shows inside the playfield, over everything.
  EXPECT_EQ(frame.At(600, 0), kPanel);
  EXPECT_EQ(frame.At(619, 479), kPanel);
  EXPECT_NE(frame.At(620, 0), kPanel);
  EXPECT_NE(frame.At(600, 480), kPanel);
  // No other stage draws them.
  ASSERT_TRUE(EnterScene(SceneStage1));
  EXPECT_NE(os::headless::LastPresented().At(600, 300), kPanel);
  elDraw::ReleaseObject(ImgSidePanel);
  ImgSidePanel = 0;
}

TEST_F(StageFrameStepsTest, TheAutomaticFireBlockRunsTheShipTypesLaser) {
  FrameAt(SceneStage1, 10.0f, 1, 1);
  EXPECT_EQ(LaserACounter, 2);  // the entry frame and this one
  ASSERT_EQ(RunFrames(2), 2);
  EXPECT_EQ(LaserACounter, 4);
  EXPECT_EQ(LaserASegments[1].active, 1u);  // the first group left at 4
  EXPECT_EQ(LaserBCounter, 0);

  FrameAt(SceneStage4, 10.0f, 1, 2);
  EXPECT_EQ(LaserBCounter, 2);
  EXPECT_EQ(LaserACounter, 0);

  // Stages 2 and 3 have no such block.
  for (int32_t scene : {SceneStage2, SceneStage3}) {
    FrameAt(scene, 10.0f, 1, 2);
    EXPECT_EQ(LaserBCounter, 0) << scene;
  }
  // Without the flag nothing fires by itself.
  FrameAt(SceneStage4, 10.0f, 0, 2);
  EXPECT_EQ(LaserBCounter, 0);
}

}  // namespace
