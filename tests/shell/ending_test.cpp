// The ending: its pictures by window on the scroll position, the credits,
// the ship's shots that keep scoring, and the two ways back to the title.
#include <gtest/gtest.h>

#include "el/draw/elDraw.h"
#include "el/sound/elSound.h"
#include "el/system/elSystem.h"
#include "enemies/kind_tables.h"
#include "os/headless/headless.h"
#include "os/keys.h"
#include "player/shots.h"
#include "shell/assets.h"
#include "shell/ending.h"
#include "shell/game_state.h"
#include "shell/object_resets.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage1/boss1_tables.h"
#include "tests/support/game_harness.h"

namespace {

using namespace vantris_test;

constexpr uint16_t kMessage = 0x0841, kPicture1 = 0x0842, kPicture2 = 0x0843,
                   kPicture3 = 0x0844, kShip = 0x0845;

class EndingTest : public RunningGameTest {
 protected:
  void SetUp() override {
    RunningGameTest::SetUp();
    ImgMygoodn = MakeSolidPicture(300, 100, kMessage);
    ImgVnxCg1 = MakeSolidPicture(440, 480, kPicture1);
    ImgVnxCg2 = MakeSolidPicture(440, 480, kPicture2);
    ImgVnxCg3 = MakeSolidPicture(440, 480, kPicture3);
    ImgMyme = MakeSolidPicture(420, 70, kShip);
    // Entered from the last stage: the tables reset, the run's values kept.
    StartNewRun();
    Score = 4321;
    Lives = 500;
    ASSERT_TRUE(EnterScene(SceneEnding));
  }

  // One frame from the scroll position `from`; the position the frame drew at.
  static float FrameFrom(float from) {
    ScrollPos = from;
    EXPECT_EQ(RunFrames(1), 1);
    return ScrollPos;
  }
  static uint16_t At(int x, int y) { return os::headless::LastPresented().At(x, y); }
  static int Count(uint16_t colour) {
    int n = 0;
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x) n += At(x, y) == colour;
    return n;
  }
  // Pixels of the credits' navy background in the credits' area.
  static int NavyPixels() {
    int n = 0;
    for (int y = 180; y < 320; ++y)
      for (int x = 280; x < 620; ++x) n += At(x, y) == 0x0010;
    return n;
  }
};

TEST_F(EndingTest, EntryStartsTheMusicAndTheScrollAt18PixelsASecond) {
  EXPECT_EQ(SceneFrame, 1);
  EXPECT_EQ(MidiOpen, 1u);
  EXPECT_EQ(MidiLoop, 1u);
  EXPECT_FLOAT_EQ(ScrollPos, 18.0f * FrameTime);
  EXPECT_EQ(EndingBannerHeight, 30.0f);
  EXPECT_EQ(At(400, 150), kMessage);
}

TEST_F(EndingTest, EachPictureShowsInItsOwnWindowAndNoneBetween) {
  struct Case {
    float from;
    uint16_t message, picture;
  };
  const Case cases[] = {
      {299.0f, kMessage, 0},      {300.5f, 0, 0},       {499.5f, 0, 0},
      {501.0f, 0, kPicture1},     {799.0f, 0, kPicture1}, {801.0f, 0, kPicture2},
      {1099.0f, 0, kPicture2},    {1101.0f, 0, kPicture3}, {1399.5f, 0, kPicture3},
      {1401.0f, 0, 0},
  };
  for (const Case& c : cases) {
    const float at = FrameFrom(c.from);
    EXPECT_EQ(At(400, 150) == kMessage, c.message != 0) << at;
    if (c.picture != 0) {
      EXPECT_EQ(At(400, 300), c.picture) << at;
      EXPECT_EQ(At(181, 61), c.picture) << at;
    } else {
      for (uint16_t p : {kPicture1, kPicture2, kPicture3}) EXPECT_NE(At(400, 300), p) << at;
    }
  }
  // The ship up to 500; between 500 and 501 neither the ship nor a picture.
  FrameFrom(499.0f);
  EXPECT_GT(Count(kShip), 1000);
  const float at = FrameFrom(500.5f - 18.0f * FrameTime);
  ASSERT_GT(at, 500.0f);
  ASSERT_LT(at, 501.0f);
  for (uint16_t colour : {kShip, kMessage, kPicture1, kPicture2, kPicture3}) {
    EXPECT_EQ(Count(colour), 0) << colour;
  }
}

TEST_F(EndingTest, TheCreditsShowFrom1401To1600) {
  FrameFrom(1300.0f);
  EXPECT_EQ(NavyPixels(), 0);
  FrameFrom(1401.0f);
  EXPECT_GT(NavyPixels(), 500);
  // Seven lines at y 180 .. 300, 20 apart.
  for (int line = 0; line < EndingCreditCount; ++line) {
    int row_navy = 0;
    for (int x = 280; x < 400; ++x) row_navy += At(x, 180 + 20 * line + 2) == 0x0010;
    EXPECT_GT(row_navy, 5) << line;
  }
  FrameFrom(1590.0f);
  EXPECT_GT(NavyPixels(), 500);
  EXPECT_EQ(SceneNumber, SceneEnding);
}

TEST_F(EndingTest, TheShipsShotsKeepScoringAfterTheShipIsGone) {
  Szak10Slots[0].x = 300.0f;
  Szak10Slots[0].y = 200.0f;
  LaserBSegments[0] = {300, 250, 0, 20, 1};  // moved to y 230 in the frame
  const int32_t before = Score;
  FrameFrom(700.0f);  // the ship is no longer drawn
  EXPECT_EQ(Score, before + 100);
  EXPECT_EQ(Szak10Slots[0].hit, 1u);
}

TEST_F(EndingTest, Past1600TheEndingGoesToTheTitleKeepingTheRun) {
  Boss1State.hitPoints = -20.0f;
  FrameFrom(1599.9f);
  EXPECT_EQ(SceneNumber, SceneTitle);
  EXPECT_EQ(TransitionBand, 60);
  EXPECT_EQ(TransitionPattern, 3);
  EXPECT_EQ(MidiOpen, 0u);
  EXPECT_EQ(Boss1State.hitPoints, 1020.0f);  // the tables were reset
  EXPECT_EQ(Score, 4321);
  EXPECT_EQ(Lives, 500);
}

TEST_F(EndingTest, SpaceEndsItAtOnceWithAFreshGameState) {
  KeyDown(os::KeySpace);
  FrameFrom(100.0f);
  EXPECT_EQ(SceneNumber, SceneTitle);
  EXPECT_EQ(TransitionBand, 60);
  EXPECT_EQ(MidiOpen, 0u);
  EXPECT_EQ(Score, 0);
  EXPECT_EQ(Lives, 999);
  KeyUp(os::KeySpace);
}

TEST_F(EndingTest, SpaceOnThePassingFrameRunsBothExitsAndTheNewGameRemains) {
  KeyDown(os::KeySpace);
  FrameFrom(1599.9f);
  EXPECT_EQ(SceneNumber, SceneTitle);
  EXPECT_EQ(Score, 0);
  EXPECT_EQ(Lives, 999);
  EXPECT_EQ(PlayerX, 370.0f);
  KeyUp(os::KeySpace);
  // The title follows.
  ASSERT_EQ(RunFrames(1), 1);
  EXPECT_EQ(Frames().back().scene, SceneTitle);
}

TEST_F(EndingTest, SpaceOnTheFirstFrameStopsTheMusicItJustStarted) {
  elSound::StopMidi();
  ResetObjectTablesA();
  ResetObjectTablesB();
  SceneNumber = SceneEnding;
  PrevScene = 0;
  KeyDown(os::KeySpace);
  ASSERT_EQ(RunFrames(1), 1);
  EXPECT_EQ(Frames().back().scene, SceneEnding);
  EXPECT_EQ(SceneFrame, 0);  // reset again on the way out
  EXPECT_EQ(MidiOpen, 0u);
  EXPECT_EQ(SceneNumber, SceneTitle);
  KeyUp(os::KeySpace);
}

}  // namespace
