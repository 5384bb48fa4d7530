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
                   kPicture3 = 0x0844, kShip = 0x0845, kNavy = 0x0010;

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
};

TEST_F(EndingTest, EachPictureAndTheCreditsShowInTheirOwnWindowsAndNoneBetween) {
  // The entry frame: the music, the scroll at 18 pixels a second, the message.
  EXPECT_EQ(SceneFrame, 1);
  EXPECT_EQ(MidiOpen, 1u);
  EXPECT_EQ(MidiLoop, 1u);
  EXPECT_FLOAT_EQ(ScrollPos, 18.0f * FrameTime);
  EXPECT_EQ(At(400, 150), kMessage);

  // The message, the three pictures and the credits each in their window.
  const struct {
    float from;
    uint16_t message, picture;
    bool credits;
  } rows[] = {
      {299.0f, kMessage, 0, false},  {300.5f, 0, 0, false},          {499.5f, 0, 0, false},
      {501.0f, 0, kPicture1, false}, {799.0f, 0, kPicture1, false},  {801.0f, 0, kPicture2, false},
      {1099.0f, 0, kPicture2, false}, {1101.0f, 0, kPicture3, false},
      {1399.5f, 0, kPicture3, false}, {1401.0f, 0, 0, true},          {1590.0f, 0, 0, true},
  };
  for (const auto& row : rows) {
    const float at = FrameFrom(row.from);
    EXPECT_EQ(SceneNumber, SceneEnding) << at;
    EXPECT_EQ(At(400, 150) == kMessage, row.message != 0) << at;
    if (row.picture != 0) {
      EXPECT_EQ(At(400, 300), row.picture) << at;
      EXPECT_EQ(At(181, 61), row.picture) << at;
    } else {
      for (uint16_t p : {kPicture1, kPicture2, kPicture3}) EXPECT_NE(At(400, 300), p) << at;
    }
    const int navy = CountPresented(kNavy, 280, 180, 620, 320);
    EXPECT_TRUE(row.credits ? navy > 500 : navy == 0) << at;
  }
  // Seven credit lines at y 180 .. 300, 20 apart, on the navy background.
  FrameFrom(1401.0f);
  for (int line = 0; line < EndingCreditCount; ++line) {
    const int y = 180 + 20 * line + 2;
    EXPECT_GT(CountPresented(kNavy, 280, y, 400, y + 1), 5) << line;
  }
  // The ship up to 500; between 500 and 501 neither the ship nor a picture.
  FrameFrom(499.0f);
  EXPECT_GT(CountPresented(kShip), 1000);
  const float at = FrameFrom(500.5f - 18.0f * FrameTime);
  ASSERT_GT(at, 500.0f);
  ASSERT_LT(at, 501.0f);
  for (uint16_t colour : {kShip, kMessage, kPicture1, kPicture2, kPicture3}) {
    EXPECT_EQ(CountPresented(colour), 0) << colour;
  }
}

TEST_F(EndingTest, TheShipsShotsKeepScoringAfterTheShipIsGone) {
  Szak10Slots[0].x = 300.0f;
  Szak10Slots[0].y = 200.0f;
  LaserBSegments[0] = {300, 250, 0, 20, 1};  // moved to y 230 in the frame
  FrameFrom(700.0f);  // the ship is no longer drawn
  EXPECT_EQ(Score, 4321 + 100);
  EXPECT_EQ(Szak10Slots[0].hit, 1u);
}

// Past 1600 the run is kept; Space ends the ending at once with a new game,
// also on the frame that passes 1600 (both exits run, the new game remains).
TEST_F(EndingTest, Past1600OrOnSpaceTheEndingGoesToTheTitle) {
  const struct {
    bool space;
    float from;
    int32_t score, lives;
  } rows[] = {{false, 1599.9f, 4321, 500}, {true, 100.0f, 0, 999}, {true, 1599.9f, 0, 999}};
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.space << " " << row.from);
    StartNewRun();
    Score = 4321;
    Lives = 500;
    PlayerX = 200.0f;
    Boss1State.hitPoints = -20.0f;
    ASSERT_TRUE(EnterScene(SceneEnding));
    if (row.space) KeyDown(os::KeySpace);
    FrameFrom(row.from);
    if (row.space) KeyUp(os::KeySpace);
    EXPECT_EQ(SceneNumber, SceneTitle);
    EXPECT_EQ(TransitionBand, 60);
    EXPECT_EQ(TransitionPattern, 3);
    EXPECT_EQ(MidiOpen, 0u);
    EXPECT_EQ(Boss1State.hitPoints, 1020.0f);  // the tables were reset
    EXPECT_EQ(Score, row.score);
    EXPECT_EQ(Lives, row.lives);
    EXPECT_EQ(PlayerX, row.space ? 370.0f : 200.0f);
    ASSERT_EQ(RunFrames(1), 1);  // the title follows
    EXPECT_EQ(Frames().back().scene, SceneTitle);
  }
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
