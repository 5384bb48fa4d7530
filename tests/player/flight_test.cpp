// The ship in the running game: keys held through the transition into
// stage 1, and the homing lasers the stage frames launch.
#include "el/draw/elDraw.h"
#include "enemies/kind_tables.h"
#include "os/keys.h"
#include "player/homing_storage.h"
#include "player/lockon.h"
#include "player/ship.h"
#include "shell/game_state.h"
#include "shell/scene.h"
#include "tests/support/game_harness.h"

namespace {

using namespace vantris_test;

class FlightTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    ASSERT_TRUE(StartGame());
    RunFrames(2);
    ASSERT_TRUE(TitleToModeScreen());
    ASSERT_TRUE(RunUntil([] { return TransitionStep == 0; }));
  }
};

TEST_F(FlightTest, KeysHeldThroughTheTransitionActOnlyAfterIt) {
  KeyDown(os::KeyRight);
  KeyDown(os::KeyF1);  // the last key pressed is the one the screen reads
  ASSERT_TRUE(RunUntil([] { return SceneNumber == SceneStage1; }));
  KeyUp(os::KeyF1);
  RunFrames(5);
  ASSERT_NE(TransitionStep, 0);
  EXPECT_FLOAT_EQ(PlayerX, 370.0f);
  EXPECT_EQ(ShipKeyRight, EdgeUp);
  ASSERT_TRUE(RunUntil([] { return TransitionStep == 0; }));
  RunFrames(3);
  EXPECT_GT(PlayerX, 370.0f);
  KeyUp(os::KeyRight);
}

class HomingStageTest : public RunningGameTest {
 protected:
  void SetUp() override {
    RunningGameTest::SetUp();
    Lives = 999;
    PlayerAlive = 1;
    PlayerX = 370.0f;
    PlayerY = 400.0f;
  }
  // Runs `frames` frames of a stage entered directly, with a live Szak6D in
  // slot 0; returns the first launch counter of the Szak6D family.
  static int32_t RunStage(int32_t scene, int32_t level, int frames) {
    GameLevel = level;
    for (int32_t& c : HomingLaserCounter) c = 0;
    ResetHomingTables();
    Szak6DSlots[0].active = 1;
    Szak6DSlots[0].x = 300.0f;
    Szak6DSlots[0].y = 100.0f;
    ScrollPos = 0;
    SceneNumber = scene;
    PrevScene = 0;
    EXPECT_EQ(RunFrames(frames), frames);
    return HomingLaserCounter[0];
  }
};

TEST_F(HomingStageTest, StagesTwoFourAndFiveLaunchHomingLasersAtLevelThreeOnly) {
  EXPECT_EQ(RunStage(SceneStage2, 3, 3), 3);
  // Launched after the hit pass and moved in the same frame.
  EXPECT_EQ(HomingLaserSzak6DSlots[1].active, 1u);
  EXPECT_GT(HomingLaserSzak6DSlots[1].age, HomingLaserSzak6DSlots[3].age);
  EXPECT_GT(HomingLaserSzak6DSlots[3].age, 0.0f);
  EXPECT_EQ(HomingLaserSzak6DSlots[3].active, 1u);
  EXPECT_EQ(HomingLaserSzak6DSlots[4].active, 0u);
  EXPECT_EQ(RunStage(SceneStage4, 3, 2), 2);
  EXPECT_EQ(RunStage(SceneStage5, 3, 2), 2);

  EXPECT_EQ(RunStage(SceneStage2, 1, 3), 0);
  EXPECT_EQ(HomingLaserSzak6DSlots[1].active, 0u);
  for (int32_t scene : {SceneStage1, SceneStage3, SceneStage6, SceneStage7, SceneStage8})
    EXPECT_EQ(RunStage(scene, 3, 2), 0) << scene;
}

}  // namespace
