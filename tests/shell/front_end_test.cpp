#include <gtest/gtest.h>

#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
#include "os/path.h"
#include "shell/assets.h"
#include "shell/game_state.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "tests/support/game_harness.h"

namespace {

using namespace vantris_test;

class FrontEndTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    ASSERT_TRUE(StartGame());
    PumpMessages();
  }
};

// Each run of frames of one scene has the entered flag on its first only.
void ExpectEnteredOncePerEntry() {
  const auto& frames = Frames();
  for (size_t i = 0; i < frames.size(); ++i) {
    const bool first_of_run = i == 0 || frames[i - 1].scene != frames[i].scene;
    EXPECT_EQ(frames[i].entered, first_of_run ? 1u : 0u)
        << "frame " << i << " scene " << frames[i].scene;
  }
}

TEST_F(FrontEndTest, TitleToModeScreenToStageOneWithOptionsAndBands) {
  // Enter on the title: a new game, then the scene change with band 26.
  TapKey(os::KeyReturn);
  EXPECT_EQ(SceneNumber, SceneModeSelect);
  EXPECT_EQ(Lives, 999);
  EXPECT_EQ(LastKey, 0u);  // cleared: the mode screen does not see Enter

  // The band runs over the mode screen's first 26 frames, one step a frame.
  size_t start = Frames().size();
  ASSERT_EQ(RunFrames(26), 26);
  for (int i = 0; i < 26; ++i) EXPECT_EQ(Frames()[start + i].transition_step, 26 - i);

  // The options act on the frame that sees them.
  TapKey(os::KeySpace);
  EXPECT_EQ(BackgroundOff, 1u);
  TapKey('M');
  EXPECT_EQ(KeyboardControl, 0u);
  TapKey('O');

  // F1: resets, new game, level 1, to stage 1 with band 26; the options stay.
  Score = 1234;
  TapKey(os::KeyF1);
  EXPECT_EQ(SceneNumber, SceneStage1);
  EXPECT_EQ(GameLevel, 1);
  EXPECT_EQ(Score, 0);
  EXPECT_EQ(BackgroundOff, 1u);
  EXPECT_EQ(MouseControl, 1u);
  EXPECT_EQ(NoDeath, 1u);
  start = Frames().size();
  ASSERT_EQ(RunFrames(27), 27);
  EXPECT_EQ(Frames()[start + 25].transition_step, 1);
  EXPECT_EQ(Frames()[start + 26].transition_step, 0);

  ExpectEnteredOncePerEntry();
  EXPECT_EQ(ErrorBoxCount(), 0);
}

TEST_F(FrontEndTest, TBackToTheTitlePutsTheOptionsBackAndF2StartsAtLevelThree) {
  ASSERT_TRUE(TitleToModeScreen());
  TapKey(os::KeySpace);
  TapKey('M');
  TapKey('O');
  TapKey('T');
  EXPECT_EQ(SceneNumber, SceneTitle);
  EXPECT_EQ(BackgroundOff, 0u);
  EXPECT_EQ(MouseControl, 0u);
  EXPECT_EQ(NoDeath, 0u);
  EXPECT_EQ(TitleCounter, 1);  // the entry block ran on the title's frame

  ASSERT_TRUE(TitleToModeScreen());
  ASSERT_TRUE(ModeScreenToStage({}, os::KeyF2));
  EXPECT_EQ(GameLevel, 3);
  ExpectEnteredOncePerEntry();
}

TEST_F(FrontEndTest, AMissingShipSheetKeepsOneSlotHoweverOftenTheModeScreenIsEntered) {
  const auto taken = [] {
    int n = 0;
    for (const SpriteObject& o : SpriteObjects) n += o.Name[0] != '\0';
    return n;
  };
  os::SetExeDir(MakeTempDir("no_pictures"));  // from here on every picture is missing
  ASSERT_TRUE(TitleToModeScreen());
  const int after_first = taken();
  for (int visit = 0; visit < 20; ++visit) {
    TapKey('T');
    ASSERT_TRUE(TitleToModeScreen());
  }
  EXPECT_EQ(ImgMyme, 0);
  EXPECT_EQ(taken(), after_first);
  EXPECT_EQ(ErrorBoxCount(), 21);  // each entry still reports its failed load

  os::SetExeDir(AssetDir() + "/");  // the sheet is back: it loads again
  TapKey('T');
  ASSERT_TRUE(TitleToModeScreen());
  EXPECT_NE(ImgMyme, 0);
  EXPECT_EQ(taken(), after_first);
}

}  // namespace
