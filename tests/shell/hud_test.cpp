// The head-up display's digits and labels, compared pixel by pixel with the
// pictures they come from; the new-game set-up and the continue countdown.
#include <gtest/gtest.h>

#include <cstring>

#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
#include "os/surface.h"
#include "shell/assets.h"
#include "shell/game_state.h"
#include "shell/scene.h"
#include "tests/support/game_harness.h"

namespace {

using namespace vantris_test;

// True when the back buffer's w x h block at (x, y) equals the picture's
// block at (sx, sy); with a cleared back buffer a colour-keyed draw leaves
// exactly the picture's pixels.
bool BlockShows(int x, int y, int32_t handle, int sx, int sy, int w, int h) {
  os::PixelView screen, picture;
  if (BackBuffer->Lock(&screen) != os::SurfaceResult::Ok) return false;
  os::Surface* surface = SpriteObjects[handle].Surface;
  if (surface->Lock(&picture) != os::SurfaceResult::Ok) {
    BackBuffer->Unlock();
    return false;
  }
  bool same = true;
  for (int row = 0; row < h && same; ++row) {
    same = std::memcmp(screen.Row(y + row) + x, picture.Row(sy + row) + sx, 2 * w) == 0;
  }
  surface->Unlock();
  BackBuffer->Unlock();
  return same;
}

// True when the back buffer's block holds only 0.
bool BlockEmpty(int x, int y, int w, int h) {
  os::PixelView screen;
  if (BackBuffer->Lock(&screen) != os::SurfaceResult::Ok) return false;
  bool empty = true;
  for (int row = 0; row < h && empty; ++row) {
    for (int col = 0; col < w; ++col) {
      if (screen.Row(y + row)[x + col] != 0) empty = false;
    }
  }
  BackBuffer->Unlock();
  return empty;
}

bool ScoreDigitShown(int position, int digit) {
  return BlockShows(180 + 20 * position, 0, ImgSuji09, 20 * digit, 0, 20, 25);
}
bool SmallDigitShown(int x, int digit) {
  return BlockShows(x, 6, ImgMymy, 8 + 7 * digit, 70, 7, 10);
}
bool LabelsShown() {
  return BlockShows(570, 6, ImgMymy, 170, 70, 24, 10) &&
         BlockShows(490, 6, ImgMymy, 200, 70, 24, 10);
}

class HudTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    ASSERT_TRUE(StartGame());
  }
  void Draw() {
    elDraw::ClearScreen();
    DrawHud();
  }
};

TEST_F(HudTest, ShowsScoreHighScoreLivesAndBombsWithLeadingZeros) {
  StartNewGame();
  Score = 123456789;
  Draw();
  for (int i = 0; i < 9; ++i) EXPECT_TRUE(ScoreDigitShown(i, i + 1)) << i;
  // The high score shows 000000500 before any scoring.
  const int high[9] = {0, 0, 0, 0, 0, 0, 5, 0, 0};
  for (int i = 0; i < 9; ++i) EXPECT_TRUE(SmallDigitShown(380 + 10 * i, high[i])) << i;
  // 999 lives, 05 bombs.
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(SmallDigitShown(520 + 10 * i, 9));
  EXPECT_TRUE(SmallDigitShown(600, 0));
  EXPECT_TRUE(SmallDigitShown(610, 5));
  EXPECT_TRUE(LabelsShown());
  EXPECT_STREQ(HudText, "05");
}

TEST_F(HudTest, TheLargestScoreFillsAllNineDigits) {
  Score = 999999999;
  HighScore = 999999999;
  Draw();
  for (int i = 0; i < 9; ++i) {
    EXPECT_TRUE(ScoreDigitShown(i, 9)) << i;
    EXPECT_TRUE(SmallDigitShown(380 + 10 * i, 9)) << i;
  }
}

TEST_F(HudTest, LargeCountsShowOnlyTheirFirstCharacters) {
  Lives = 1000;       // "1000": only "100"
  BombStock = 12345;  // "12345": only "12"
  Draw();
  EXPECT_TRUE(SmallDigitShown(520, 1));
  EXPECT_TRUE(SmallDigitShown(530, 0));
  EXPECT_TRUE(SmallDigitShown(540, 0));
  EXPECT_TRUE(SmallDigitShown(600, 1));
  EXPECT_TRUE(SmallDigitShown(610, 2));
  EXPECT_TRUE(BlockEmpty(550, 6, 10, 10));  // no fourth lives digit
  EXPECT_TRUE(LabelsShown());
}

TEST_F(HudTest, NegativeCountsAreNotDrawnButTheLabelsAre) {
  Lives = -1;
  BombStock = -7;
  Draw();
  EXPECT_TRUE(BlockEmpty(520, 6, 30, 10));
  EXPECT_TRUE(BlockEmpty(600, 6, 20, 10));
  EXPECT_TRUE(LabelsShown());
}

TEST_F(HudTest, NegativeScoresDrawNoForeignPictureForTheSign) {
  // The sign is no digit: its cell draws nothing, and no picture outside the
  // digit strip is read for it.
  Score = -5;
  HighScore = -42;
  Draw();
  EXPECT_TRUE(BlockEmpty(180, 0, 20, 25));    // '-' of "-00000005"
  EXPECT_TRUE(ScoreDigitShown(8, 5));
  EXPECT_TRUE(BlockEmpty(380, 6, 10, 10));    // '-' of "-00000042"
  EXPECT_TRUE(SmallDigitShown(450, 4));
  EXPECT_TRUE(SmallDigitShown(460, 2));
}

TEST_F(HudTest, StartNewGameTwiceLeavesTheSameStateAsOnce) {
  Score = 77;
  Lives = 3;
  BombStock = 0;
  PlayerX = 1;
  PlayerY = 2;
  GameLevel = 3;
  AutoFire = 1;
  StartNewGame();
  const int32_t score = Score, lives = Lives, bombs = BombStock, level = GameLevel;
  const float x = PlayerX, y = PlayerY;
  StartNewGame();
  EXPECT_EQ(Score, score);
  EXPECT_EQ(Lives, lives);
  EXPECT_EQ(BombStock, bombs);
  EXPECT_EQ(GameLevel, level);
  EXPECT_EQ(PlayerX, x);
  EXPECT_EQ(PlayerY, y);
  EXPECT_EQ(Score, 0);
  EXPECT_EQ(Lives, 999);
  EXPECT_EQ(BombStock, 5);
  EXPECT_EQ(GameLevel, 0);
  EXPECT_EQ(AutoFire, 0u);
  EXPECT_EQ(PlayerX, 370.0f);
  EXPECT_EQ(PlayerY, 520.0f);
}

TEST_F(HudTest, TheCountdownSendsTheGameToTheTitleOnceWaitSlotOneIsOver) {
  SceneNumber = SceneStage1;
  PrevScene = SceneStage1;
  GameOver = 0;
  CountdownActive = 0;
  elSystem::InitWait(1);
  UpdateContinueCountdown();  // an unset slot is never over
  EXPECT_EQ(SceneNumber, SceneStage1);

  elSystem::SetWait(1, 0);
  UpdateContinueCountdown();
  EXPECT_EQ(SceneNumber, SceneTitle);
  EXPECT_EQ(PrevScene, 0);
}

TEST_F(HudTest, AnActiveCountdownCountsSecondsAndEndsTheGame) {
  SceneNumber = SceneStage1;
  PrevScene = SceneStage1;
  GameOver = 0;
  CountdownActive = 1;
  Lives = 3;
  ContinueCountdown = 2;
  elSystem::SetWait(1, 0);
  UpdateContinueCountdown();
  EXPECT_EQ(ContinueCountdown, 1);
  EXPECT_EQ(GameOver, 0u);
  EXPECT_EQ(elSystem::IsWaitOver(1), 0u);  // next count in a second
  elSystem::SetWait(1, 0);
  UpdateContinueCountdown();
  EXPECT_EQ(ContinueCountdown, 0);
  EXPECT_EQ(GameOver, 1u);
  EXPECT_EQ(SceneNumber, SceneStage1);
  // Three seconds later: to the title.
  elSystem::SetWait(1, 0);
  UpdateContinueCountdown();
  EXPECT_EQ(SceneNumber, SceneTitle);
}

TEST_F(HudTest, RunningOutOfLivesWithTheCountdownOnEndsTheGame) {
  GameOver = 0;
  CountdownActive = 1;
  Lives = 0;
  GameOverTimer = 0;
  FrameTime = 0.016f;
  elSystem::InitWait(1);
  UpdateContinueCountdown();
  EXPECT_EQ(GameOver, 1u);
  EXPECT_FLOAT_EQ(GameOverTimer, 0.016f);
  EXPECT_EQ(elSystem::IsWaitOver(1), 0u);

  SceneNumber = SceneStage2;
  GameOverTimer = 30.0f;
  UpdateContinueCountdown();
  EXPECT_EQ(GameOverTimer, 0.0f);
  EXPECT_EQ(SceneNumber, SceneTitle);
  EXPECT_EQ(PrevScene, 0);
}

}  // namespace
