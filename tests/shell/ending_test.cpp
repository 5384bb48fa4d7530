#include <gtest/gtest.h>

#include "el/sound/elSound.h"
#include "el/system/elSystem.h"
#include "os/headless/headless.h"
#include "os/keys.h"
#include "shell/assets.h"
#include "shell/game_state.h"
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
    EnterEnding();
  }
  // Entered from the last stage: the tables reset, the run's values kept.
  static void EnterEnding() {
    StartNewRun();
    Score = 4321;
    Lives = 500;
    Boss1State.hitPoints = -20.0f;
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
  EXPECT_EQ(MidiLoop, 1u);
  EXPECT_FLOAT_EQ(ScrollPos, 18.0f * FrameTime);
  EXPECT_EQ(At(400, 150), kMessage);

  const struct { float from; uint16_t message, picture; bool credits; } rows[] = {
      {299.0f, kMessage, 0, false}, {300.5f, 0, 0, false},          {501.0f, 0, kPicture1, false},
      {801.0f, 0, kPicture2, false}, {1399.5f, 0, kPicture3, false}, {1401.0f, 0, 0, true},
  };
  for (const auto& row : rows) {
    const float at = FrameFrom(row.from);
    EXPECT_EQ(SceneNumber, SceneEnding) << at;
    EXPECT_EQ(At(400, 150) == kMessage, row.message != 0) << at;
    for (uint16_t p : {kPicture1, kPicture2, kPicture3}) {
      EXPECT_EQ(At(400, 300) == p, p == row.picture) << at;
    }
    const int navy = CountPresented(kNavy, 280, 180, 620, 320);
    EXPECT_TRUE(row.credits ? navy > 500 : navy == 0) << at;
  }
}

// Past 1600 the run is kept; Space ends the ending at once with a new game,
// also on the frame that passes 1600 (both exits run, the new game remains).
TEST_F(EndingTest, Past1600OrOnSpaceTheEndingGoesToTheTitle) {
  const struct { bool space; float from; int32_t score, lives; } rows[] = {{false, 1599.9f, 4321, 500}, {true, 100.0f, 0, 999}, {true, 1599.9f, 0, 999}};
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.space << " " << row.from);
    EnterEnding();
    if (row.space) KeyDown(os::KeySpace);
    FrameFrom(row.from);
    if (row.space) KeyUp(os::KeySpace);
    EXPECT_EQ(SceneNumber, SceneTitle);
    EXPECT_EQ(MidiOpen, 0u);
    EXPECT_EQ(Boss1State.hitPoints, 1020.0f);  // the tables were reset
    EXPECT_EQ(Score, row.score);
    EXPECT_EQ(Lives, row.lives);
  }
}

}  // namespace
