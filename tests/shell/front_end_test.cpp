// The title, the mode screen and the ship-select screen, driven through the
// main loop with scripted keys.
#include <gtest/gtest.h>

#include <vector>

#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
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

// The transition steps of the frames from `from` on, all of scene `scene`.
std::vector<int32_t> StepsOf(int32_t scene, size_t from) {
  std::vector<int32_t> out;
  for (size_t i = from; i < Frames().size(); ++i) {
    EXPECT_EQ(Frames()[i].scene, scene) << i;
    out.push_back(Frames()[i].transition_step);
  }
  return out;
}

// Every run of consecutive frames of one scene has the entered flag on its
// first frame only.
void ExpectEnteredOncePerEntry() {
  const auto& frames = Frames();
  for (size_t i = 0; i < frames.size(); ++i) {
    const bool first_of_run = i == 0 || frames[i - 1].scene != frames[i].scene;
    EXPECT_EQ(frames[i].entered, first_of_run ? 1u : 0u)
        << "frame " << i << " scene " << frames[i].scene;
  }
}

TEST_F(FrontEndTest, TitleToModeScreenToStageOneWithOptionsAndBands) {
  ASSERT_EQ(RunFrames(5), 5);
  EXPECT_EQ(TitleCounter, 5);

  // Enter on the title: new game, mode 1, then the scene change with
  // pattern 3 and band 26.
  TapKey(os::KeyReturn);
  EXPECT_EQ(SceneNumber, SceneModeSelect);
  EXPECT_EQ(PrevScene, SceneModeSelect);  // the loop noticed the change
  EXPECT_EQ(SceneEntered, 1u);
  EXPECT_EQ(GameMode, 1);
  EXPECT_EQ(GameSubMode, 0);
  EXPECT_EQ(Lives, 999);
  EXPECT_EQ(LastKey, 0u);  // cleared: the mode screen does not see Enter
  EXPECT_EQ(TransitionPattern, 3);
  EXPECT_EQ(TransitionBand, 26);
  EXPECT_EQ(TransitionDir, -1);

  // The band runs over the mode screen's first 26 frames, one step a frame.
  size_t start = Frames().size();
  ASSERT_EQ(RunFrames(26), 26);
  std::vector<int32_t> steps = StepsOf(SceneModeSelect, start);
  for (int i = 0; i < 26; ++i) EXPECT_EQ(steps[i], 26 - i);
  EXPECT_EQ(TransitionStep, 0);
  EXPECT_EQ(TransitionDir, 0);
  EXPECT_EQ(ShipType, 1);
  EXPECT_GE(ImgMyme, FirstFreeSprite);

  // The options act on the frame that sees them.
  TapKey(os::KeySpace);
  EXPECT_EQ(BackgroundOff, 1u);
  TapKey('M');
  EXPECT_EQ(MouseControl, 1u);
  EXPECT_EQ(KeyboardControl, 0u);
  TapKey('K');
  EXPECT_EQ(MouseControl, 0u);
  EXPECT_EQ(KeyboardControl, 1u);
  TapKey('M');
  TapKey('O');
  EXPECT_EQ(NoDeath, 1u);

  // F1: resets, new game, level 1, to stage 1 with band 26; the options stay.
  Score = 1234;
  TapKey(os::KeyF1);
  EXPECT_EQ(SceneNumber, SceneStage1);
  EXPECT_EQ(GameLevel, 1);
  EXPECT_EQ(Score, 0);
  EXPECT_EQ(BackgroundOff, 1u);
  EXPECT_EQ(MouseControl, 1u);
  EXPECT_EQ(NoDeath, 1u);
  EXPECT_EQ(TransitionPattern, 3);
  start = Frames().size();
  ASSERT_EQ(RunFrames(30), 30);
  steps = StepsOf(SceneStage1, start);
  EXPECT_EQ(steps[0], 26);
  EXPECT_EQ(steps[25], 1);
  EXPECT_EQ(steps[26], 0);
  EXPECT_GT(ScrollPos, 0.0f);

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
  EXPECT_EQ(KeyboardControl, 1u);
  EXPECT_EQ(NoDeath, 0u);
  EXPECT_EQ(ShipType, 0);
  EXPECT_EQ(TitleCounter, 1);  // the entry block ran on the title's frame

  ASSERT_TRUE(TitleToModeScreen());
  ASSERT_TRUE(ModeScreenToStage({}, os::KeyF2));
  EXPECT_EQ(GameLevel, 3);
  ExpectEnteredOncePerEntry();
}

TEST_F(FrontEndTest, TheTitlePictureBlinksOffForOneFrameIn461) {
  int blank_frames = 0, blank_at = -1;
  for (int frame = 1; frame <= 470; ++frame) {
    ASSERT_EQ(RunFrames(1), 1);
    if (LitPresented() == 0) {
      ++blank_frames;
      blank_at = frame;
    }
  }
  EXPECT_EQ(blank_frames, 1);
  EXPECT_EQ(blank_at, 461);
  EXPECT_EQ(TitleCounter, 470 - 461);
}

TEST_F(FrontEndTest, ModeScreenEnteredFourHundredTimesKeepsOneShipSheetSlot) {
  int32_t sheet = -1;
  for (int entry = 0; entry < 400; ++entry) {
    ASSERT_TRUE(TitleToModeScreen()) << "entry " << entry;
    if (sheet < 0) sheet = ImgMyme;
    ASSERT_EQ(ImgMyme, sheet) << "entry " << entry;
    TapKey('T');
    ASSERT_EQ(SceneNumber, SceneTitle);
  }
  EXPECT_EQ(ErrorBoxCount(), 0);
  // Only the start-up's pictures and the one sheet hold slots.
  int used = 0;
  for (int i = FirstFreeSprite; i < SpriteObjectCount; ++i) used += SpriteObjects[i].Name[0] != 0;
  EXPECT_EQ(used, 152 + 1);
}

TEST_F(FrontEndTest, ShipSelectLoadsTheChosenSheetAndGoesToTheModeScreen) {
  SceneNumber = SceneShipSelect;
  PrevScene = 0;
  ASSERT_EQ(RunFrames(2), 2);
  TapKey(os::KeyF6);
  EXPECT_EQ(SceneNumber, SceneModeSelect);
  EXPECT_EQ(ShipType, 2);
  EXPECT_EQ(TransitionPattern, 1);
  EXPECT_EQ(TransitionBand, 26);
  EXPECT_STREQ(SpriteObjects[ImgMyme].Name, "MYME2.BMP");
  // The mode screen's entry block loads its own sheet and sets type 1.
  ASSERT_EQ(RunFrames(1), 1);
  EXPECT_EQ(ShipType, 1);
  EXPECT_STREQ(SpriteObjects[ImgMyme].Name, "IMAGE/MYME1.BMP");
  EXPECT_EQ(ErrorBoxCount(), 0);
}

}  // namespace
