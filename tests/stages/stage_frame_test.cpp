// The frame that every stage scene shares: entry block, counted frames and
// music, scroll, the paused frame and the continue key.
#include <gtest/gtest.h>

#include "el/sound/elSound.h"
#include "el/system/elSystem.h"
#include "os/headless/headless.h"
#include "shell/game_state.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage_frame.h"
#include "tests/support/game_harness.h"

namespace {

using namespace vantris_test;

class StageFrameTest : public RunningGameTest {
 protected:
  void SetUp() override {
    RunningGameTest::SetUp();
    // A run's lives: with none left the stage frame raises the continue prompt.
    Lives = 999;
    PlayerAlive = 1;
  }
  // Enters a stage directly (as a scene change does) and runs its first frame.
  void Enter(int32_t scene) {
    ScrollPos = 0;
    SceneFrame = 0;
    ASSERT_TRUE(EnterScene(scene));
  }
};

TEST_F(StageFrameTest, StageOneEntryClearsThePauseAndStartsItsMusicOnFrameOne) {
  PauseFlag = 1;
  ContinuePrompt = 1;
  CountdownActive = 1;
  Enter(SceneStage1);
  EXPECT_EQ(PauseFlag, 0u);
  EXPECT_EQ(ContinuePrompt, 0u);
  EXPECT_EQ(CountdownActive, 0u);
  EXPECT_EQ(SceneFrame, 1);
  EXPECT_EQ(MidiOpen, 1u);
  EXPECT_EQ(MidiLoop, 1u);
  EXPECT_FLOAT_EQ(ScrollPos, FrameTime * 20.0f);
  const float before = ScrollPos;
  ASSERT_EQ(RunFrames(1), 1);
  EXPECT_FLOAT_EQ(ScrollPos, before + FrameTime * 20.0f);
  EXPECT_EQ(SceneFrame, 2);
}

TEST_F(StageFrameTest, OtherStagesKeepAPauseAcrossTheirEntry) {
  PauseFlag = 1;
  const int presents = os::headless::PresentCount();
  Enter(SceneStage2);
  EXPECT_EQ(PauseFlag, 1u);
  EXPECT_EQ(SceneFrame, 0);
  EXPECT_EQ(ScrollPos, 0.0f);
  EXPECT_EQ(os::headless::PresentCount(), presents);
}

TEST_F(StageFrameTest, StagesThreeSixAndEightCountNoFrames) {
  for (int32_t scene : {SceneStage3, SceneStage6, SceneStage8}) {
    elSound::StopMidi();
    Enter(scene);
    EXPECT_EQ(SceneFrame, 0) << scene;
    EXPECT_GT(ScrollPos, 0.0f) << scene;
  }
  // Stage 3 and 6 start their music in the entry block; stage 8 has none.
  elSound::StopMidi();
  Enter(SceneStage6);
  EXPECT_EQ(MidiOpen, 1u);
  elSound::StopMidi();
  Enter(SceneStage8);
  EXPECT_EQ(MidiOpen, 0u);
}

TEST_F(StageFrameTest, TheFrameCountWrapsAndStartsTheMusicAgain) {
  Enter(SceneStage4);
  SceneFrame = SceneFrameWrap - 1;
  ASSERT_EQ(RunFrames(1), 1);
  EXPECT_EQ(SceneFrame, 0);
  elSound::StopMidi();
  ASSERT_EQ(RunFrames(1), 1);
  EXPECT_EQ(SceneFrame, 1);
  EXPECT_EQ(MidiOpen, 1u);
}

TEST_F(StageFrameTest, YContinuesOnlyWhileThePromptIsUp) {
  Enter(SceneStage1);
  // A pause made with S is not left by Y.
  PauseFlag = 1;
  KeyDown('Y');
  ASSERT_EQ(RunFrames(2), 2);
  EXPECT_EQ(PauseFlag, 1u);
  KeyUp('Y');

  ContinuePrompt = 1;
  Lives = 0;
  Score = 4321;
  BombStock = 0;
  PlayerAlive = 0;
  RespawnFlag = 0;
  KeyDown('A');
  ASSERT_EQ(RunFrames(2), 2);
  EXPECT_EQ(PauseFlag, 1u);  // any other key changes nothing
  KeyUp('A');
  KeyDown('Y');
  ASSERT_EQ(RunFrames(1), 1);
  KeyUp('Y');
  EXPECT_EQ(PauseFlag, 0u);
  EXPECT_EQ(ContinuePrompt, 0u);
  EXPECT_EQ(Lives, 111);
  EXPECT_EQ(BombStock, 5);
  EXPECT_EQ(Score, 0);
  EXPECT_EQ(RespawnFlag, 1u);
  EXPECT_EQ(PlayerAlive, 1u);
}

TEST_F(StageFrameTest, StageSevenContinuesWithThreeBombs) {
  Enter(SceneStage7);
  PauseFlag = 1;
  ContinuePrompt = 1;
  KeyDown('Y');
  ASSERT_EQ(RunFrames(1), 1);
  KeyUp('Y');
  EXPECT_EQ(BombStock, 3);
  EXPECT_EQ(Lives, 111);
}

TEST_F(StageFrameTest, EveryStageSceneRunsItsOwnRow) {
  const SceneFunction scenes[8] = {Stage1Scene, Stage2Scene, Stage3Scene, Stage4Scene,
                                   Stage5Scene, Stage6Scene, Stage7Scene, Stage8Scene};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(StageTable[i].scene, SceneStage1 + i);
    EXPECT_EQ(SceneTable[SceneStage1 + i], scenes[i]);
  }
  EXPECT_FLOAT_EQ(StageTable[1].scroll_rate, 18.0f);
  EXPECT_EQ(StageTable[1].band, 60);
  EXPECT_EQ(StageTable[6].next_scene, SceneEnding);
  EXPECT_EQ(StageTable[7].music, nullptr);
}

}  // namespace
