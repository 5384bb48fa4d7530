// The title, the mode screen and the ship-select screen, driven through the
// main loop with scripted keys.
#include <gtest/gtest.h>

#include <vector>

#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
#include "os/headless/headless.h"
#include "shell/assets.h"
#include "shell/game_state.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "shell/shell.h"
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

// Frames of the record from `from` on that ran scene `scene`.
std::vector<FrameRecord> FramesOf(int32_t scene, size_t from = 0) {
  std::vector<FrameRecord> out;
  for (size_t i = from; i < Frames().size(); ++i) {
    if (Frames()[i].scene == scene) out.push_back(Frames()[i]);
  }
  return out;
}

// Every run of consecutive frames of one scene starts with the entered flag
// and has it on its first frame only.
void ExpectEnteredOncePerEntry() {
  const auto& frames = Frames();
  for (size_t i = 0; i < frames.size(); ++i) {
    const bool first_of_run = i == 0 || frames[i - 1].scene != frames[i].scene;
    EXPECT_EQ(frames[i].entered, first_of_run ? 1u : 0u)
        << "frame " << i << " scene " << frames[i].scene;
  }
}

// Presses a key, lets one frame see it, then lets it go.
void Press(int key) { TapKey(key); }

// The route from the title to the mode screen.
void EnterModeScreen() {
  ASSERT_TRUE(RunUntil([] { return SceneNumber == SceneTitle && PrevScene == SceneTitle; }));
  Press(os::KeyReturn);
  ASSERT_EQ(SceneNumber, SceneModeSelect);
  ASSERT_EQ(RunFrames(1), 1);
}

TEST_F(FrontEndTest, TitleToModeScreenToStageOneWithOptionsAndBands) {
  ASSERT_EQ(RunFrames(5), 5);
  EXPECT_EQ(TitleCounter, 5);
  EXPECT_EQ(KeyboardControl, 1u);
  EXPECT_EQ(BlendExplosions, 1u);

  // Enter on the title: new game, mode 1, then the scene change with
  // pattern 3 and band 26.
  Press(os::KeyReturn);
  EXPECT_EQ(SceneNumber, SceneModeSelect);
  EXPECT_EQ(PrevScene, SceneModeSelect);  // the loop noticed the change
  EXPECT_EQ(SceneEntered, 1u);
  EXPECT_EQ(GameMode, 1);
  EXPECT_EQ(GameSubMode, 0);
  EXPECT_EQ(Lives, 999);
  EXPECT_EQ(BombStock, 5);
  EXPECT_EQ(LastKey, 0u);  // cleared: the mode screen does not see Enter
  EXPECT_EQ(TransitionPattern, 3);
  EXPECT_EQ(TransitionBand, 26);
  EXPECT_EQ(TransitionStep, 26);
  EXPECT_EQ(TransitionDir, -1);

  // The band runs over the mode screen's first 26 frames, one step a frame.
  const size_t mode_start = Frames().size();
  ASSERT_EQ(RunFrames(26), 26);
  auto mode = FramesOf(SceneModeSelect, mode_start);
  ASSERT_EQ(mode.size(), 26u);
  for (int i = 0; i < 26; ++i) EXPECT_EQ(mode[i].transition_step, 26 - i);
  EXPECT_EQ(TransitionStep, 0);
  EXPECT_EQ(TransitionDir, 0);
  EXPECT_EQ(ShipType, 1);
  EXPECT_GE(ImgMyme, FirstFreeSprite);

  // The options act on the frame that sees them and show nothing.
  Press(os::KeySpace);
  EXPECT_EQ(BackgroundOff, 1u);
  Press('M');
  EXPECT_EQ(MouseControl, 1u);
  EXPECT_EQ(KeyboardControl, 0u);
  Press('K');
  EXPECT_EQ(MouseControl, 0u);
  EXPECT_EQ(KeyboardControl, 1u);
  Press('M');
  Press('O');
  EXPECT_EQ(NoDeath, 1u);
  EXPECT_EQ(LastKey, 0u);

  // F1: resets, new game, level 1, to stage 1 with band 26; the options stay.
  Score = 1234;
  Press(os::KeyF1);
  EXPECT_EQ(SceneNumber, SceneStage1);
  EXPECT_EQ(GameLevel, 1);
  EXPECT_EQ(Score, 0);
  EXPECT_EQ(BackgroundOff, 1u);
  EXPECT_EQ(MouseControl, 1u);
  EXPECT_EQ(NoDeath, 1u);
  EXPECT_EQ(TransitionPattern, 3);
  EXPECT_EQ(TransitionStep, 26);

  const size_t stage_start = Frames().size();
  ASSERT_EQ(RunFrames(30), 30);
  auto stage = FramesOf(SceneStage1, stage_start);
  ASSERT_EQ(stage.size(), 30u);
  EXPECT_EQ(stage[0].transition_step, 26);
  EXPECT_EQ(stage[25].transition_step, 1);
  EXPECT_EQ(stage[26].transition_step, 0);
  EXPECT_GT(ScrollPos, 0.0f);

  ExpectEnteredOncePerEntry();
  EXPECT_EQ(ErrorBoxCount(), 0);
}

TEST_F(FrontEndTest, F2StartsStageOneAtLevelThree) {
  EnterModeScreen();
  Press(os::KeyF2);
  EXPECT_EQ(SceneNumber, SceneStage1);
  EXPECT_EQ(GameLevel, 3);
  ASSERT_EQ(RunFrames(3), 3);
  EXPECT_EQ(FramesOf(SceneStage1).front().entered, 1u);
  ExpectEnteredOncePerEntry();
}

TEST_F(FrontEndTest, TheTitleEntryPutsTheModeScreenOptionsBack) {
  EnterModeScreen();
  Press(os::KeySpace);
  Press('M');
  Press('O');
  Press('T');
  EXPECT_EQ(SceneNumber, SceneTitle);
  EXPECT_EQ(BackgroundOff, 0u);
  EXPECT_EQ(MouseControl, 0u);
  EXPECT_EQ(KeyboardControl, 1u);
  EXPECT_EQ(NoDeath, 0u);
  EXPECT_EQ(ShipType, 0);
  EXPECT_EQ(TitleCounter, 1);  // the entry block ran on the title's frame
}

TEST_F(FrontEndTest, TheTitlePictureBlinksOffForOneFrameIn461) {
  int blank_frames = 0;
  int blank_at = -1;
  for (int frame = 1; frame <= 470; ++frame) {
    ASSERT_EQ(RunFrames(1), 1);
    const auto& shown = os::headless::LastPresented();
    bool any = false;
    for (uint16_t p : shown.pixels) {
      if (p != 0) {
        any = true;
        break;
      }
    }
    if (!any) {
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
    EnterModeScreen();
    if (sheet < 0) sheet = ImgMyme;
    ASSERT_EQ(ImgMyme, sheet) << "entry " << entry;
    Press('T');
    ASSERT_EQ(SceneNumber, SceneTitle);
  }
  EXPECT_GE(sheet, FirstFreeSprite);
  EXPECT_EQ(ErrorBoxCount(), 0);
  // Only the start-up's pictures and the one sheet hold slots.
  int used = 0;
  for (int i = FirstFreeSprite; i < SpriteObjectCount; ++i) {
    if (SpriteObjects[i].Name[0] != '\0') ++used;
  }
  EXPECT_EQ(used, 152 + 1);
}

TEST_F(FrontEndTest, ShipSelectLoadsTheChosenSheetAndGoesToTheModeScreen) {
  SceneNumber = SceneShipSelect;
  PrevScene = 0;
  ASSERT_EQ(RunFrames(2), 2);
  Press(os::KeyF6);
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
