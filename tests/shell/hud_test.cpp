// The head-up display's digits and labels, compared pixel by pixel with the
// pictures they come from; the new-game set-up and the continue countdown.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
#include "os/surface.h"
#include "player/powerup.h"
#include "shell/assets.h"
#include "shell/background.h"
#include "shell/game_state.h"
#include "shell/scene.h"
#include "tests/support/game_harness.h"

namespace {

using namespace vantris_test;

// True when the back buffer's w x h block at (x, y) equals the picture's
// block at (sx, sy), or (handle < 0) holds only 0; with a cleared back buffer
// a colour-keyed draw leaves exactly the picture's pixels.
bool BlockShows(int x, int y, int32_t handle, int sx, int sy, int w, int h) {
  os::PixelView screen, picture;
  if (BackBuffer->Lock(&screen) != os::SurfaceResult::Ok) return false;
  os::Surface* surface = handle < 0 ? nullptr : SpriteObjects[handle].Surface;
  if (surface && surface->Lock(&picture) != os::SurfaceResult::Ok) surface = nullptr;
  const std::vector<uint16_t> zeros(w, 0);
  bool same = handle < 0 || surface;
  for (int row = 0; row < h && same; ++row) {
    const uint16_t* want = surface ? picture.Row(sy + row) + sx : zeros.data();
    same = std::memcmp(screen.Row(y + row) + x, want, 2 * w) == 0;
  }
  if (surface) surface->Unlock();
  BackBuffer->Unlock();
  return same;
}

// Each character of `text` in its cell from x on: a digit shows its picture,
// anything else leaves the cell empty.
void ExpectScoreDigits(const char* text) {
  for (int i = 0; text[i] != '\0'; ++i) {
    const int d = text[i] - '0';
    EXPECT_TRUE(d >= 0 && d <= 9 ? BlockShows(180 + 20 * i, 0, ImgSuji09, 20 * d, 0, 20, 25)
                                 : BlockShows(180 + 20 * i, 0, -1, 0, 0, 20, 25))
        << "score cell " << i << " of \"" << text << "\"";
  }
}
void ExpectSmallDigits(int x, const char* text) {
  for (int i = 0; text[i] != '\0'; ++i) {
    const int d = text[i] - '0';
    EXPECT_TRUE(d >= 0 && d <= 9 ? BlockShows(x + 10 * i, 6, ImgMymy, 8 + 7 * d, 70, 7, 10)
                                 : BlockShows(x + 10 * i, 6, -1, 0, 0, 10, 10))
        << "cell " << i << " at x " << x << " of \"" << text << "\"";
  }
}

class HudTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    ASSERT_TRUE(StartGame());
  }
};

// Leading zeros; the largest score fills all nine digits; large counts show
// only their first characters; negative counts are not drawn; a minus sign
// is no digit and draws nothing (no picture outside the digit strip is read
// for it); the labels always show.
TEST_F(HudTest, ShowsScoreHighScoreLivesAndBombs) {
  const struct {
    int32_t score, high, lives, bombs;
    const char *score_text, *high_text, *lives_text, *bombs_text;
  } rows[] = {
      {123456789, 500, 999, 5, "123456789", "000000500", "999 ", "05"},
      {999999999, 999999999, 0, 0, "999999999", "999999999", "000 ", "00"},
      {0, 0, 1000, 12345, "000000000", "000000000", "100 ", "12"},
      {-5, -42, -1, -7, " 00000005", " 00000042", "    ", "  "},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.score);
    Score = row.score;
    HighScore = row.high;
    Lives = row.lives;
    BombStock = row.bombs;
    elDraw::ClearScreen();
    DrawHud();
    ExpectScoreDigits(row.score_text);
    ExpectSmallDigits(380, row.high_text);
    ExpectSmallDigits(520, row.lives_text);
    ExpectSmallDigits(600, row.bombs_text);
    EXPECT_TRUE(BlockShows(570, 6, ImgMymy, 170, 70, 24, 10));  // the labels
    EXPECT_TRUE(BlockShows(490, 6, ImgMymy, 200, 70, 24, 10));
  }
}

TEST_F(HudTest, StartNewGameSetsUpARunTheSameWayEveryTime) {
  for (int pass = 0; pass < 2; ++pass) {
    Score = 77;
    Lives = 3;
    BombStock = 0;
    PlayerX = 1;
    PlayerY = 2;
    GameLevel = 3;
    AutoFire = 1;
    Bback1sStrips[1].y = 5;
    Background38Strips[0].x = 1;
    PowerUp.active = 1;
    SideLaser = 1;
    PowerLevel = 4;
    StartNewGame();
    EXPECT_EQ(Score, 0);
    EXPECT_EQ(Lives, 999);
    EXPECT_EQ(BombStock, 5);
    EXPECT_EQ(GameLevel, 0);
    EXPECT_EQ(AutoFire, 0u);
    EXPECT_EQ(PlayerX, 370.0f);
    EXPECT_EQ(PlayerY, 520.0f);
    // The layers placed (see background_test), the power-up parked and lost.
    EXPECT_EQ(Bback1sStrips[1].y, -360.0f);
    EXPECT_EQ(Background38Strips[0].x, -500.0f);
    EXPECT_EQ(PowerUp.active, 0u);
    EXPECT_EQ(PowerUp.y, 2550.0f);
    EXPECT_EQ(SideLaser, 0u);
    EXPECT_EQ(PowerLevel, 0);
  }
}

// Wait slot 1 paces the continue countdown: an unset slot is never over;
// with the countdown off, a slot that is over sends the game to the title;
// with it on, each second counts one down, and three seconds after 0 the
// game goes to the title.  Out of lives, the game ends at once and goes to
// the title after 30 seconds.
TEST_F(HudTest, TheContinueCountdownEndsTheGameAndGoesToTheTitle) {
  SceneNumber = PrevScene = SceneStage1;
  GameOver = CountdownActive = 0;
  elSystem::InitWait(1);
  UpdateContinueCountdown();
  EXPECT_EQ(SceneNumber, SceneStage1);
  elSystem::SetWait(1, 0);
  UpdateContinueCountdown();
  EXPECT_EQ(SceneNumber, SceneTitle);
  EXPECT_EQ(PrevScene, 0);

  SceneNumber = PrevScene = SceneStage1;
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
  elSystem::SetWait(1, 0);
  UpdateContinueCountdown();
  EXPECT_EQ(SceneNumber, SceneTitle);

  SceneNumber = PrevScene = SceneStage2;
  GameOver = 0;
  Lives = 0;
  GameOverTimer = 0;
  FrameTime = 0.016f;
  elSystem::InitWait(1);
  UpdateContinueCountdown();
  EXPECT_EQ(GameOver, 1u);
  EXPECT_FLOAT_EQ(GameOverTimer, 0.016f);
  EXPECT_EQ(elSystem::IsWaitOver(1), 0u);
  EXPECT_EQ(SceneNumber, SceneStage2);
  GameOverTimer = 30.0f;
  UpdateContinueCountdown();
  EXPECT_EQ(GameOverTimer, 0.0f);
  EXPECT_EQ(SceneNumber, SceneTitle);
  EXPECT_EQ(PrevScene, 0);
}

}  // namespace
