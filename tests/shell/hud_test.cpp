#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
#include "os/surface.h"
#include "shell/assets.h"
#include "shell/game_state.h"
#include "shell/scene.h"
#include "tests/support/game_harness.h"

namespace {

using namespace vantris_test;

// Whether the back buffer's w x h block at (x, y) equals the picture's block
// at (sx, sy), or (handle < 0) holds only 0.
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

// Each character of `text` in its cell from x on: digit d shows the picture
// at sx + w d, anything else leaves the cell empty.
void ExpectDigits(const char* text, int x, int y, int cell, int h, int32_t pic, int sx, int sy,
                  int w) {
  for (int i = 0; text[i] != '\0'; ++i) {
    const int d = text[i] - '0';
    EXPECT_TRUE(d >= 0 && d <= 9 ? BlockShows(x + cell * i, y, pic, sx + w * d, sy, w, h)
                                 : BlockShows(x + cell * i, y, -1, 0, 0, cell, h))
        << "cell " << i << " at x " << x << " of \"" << text << "\"";
  }
}
void ExpectSmallDigits(int x, const char* text) {
  ExpectDigits(text, x, 6, 10, 10, ImgMymy, 8, 70, 7);
}

using HudTest = RunningGameTest;

// Leading zeros, nine-digit scores, long counts cut, negatives not drawn.
TEST_F(HudTest, ShowsScoreHighScoreLivesAndBombs) {
  const struct {
    int32_t score, high, lives, bombs;
    const char *score_text, *high_text, *lives_text, *bombs_text;
  } rows[] = {
      {123456789, 500, 999, 5, "123456789", "000000500", "999 ", "05"},
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
    ExpectDigits(row.score_text, 180, 0, 20, 25, ImgSuji09, 0, 0, 20);
    ExpectSmallDigits(380, row.high_text);
    ExpectSmallDigits(520, row.lives_text);
    ExpectSmallDigits(600, row.bombs_text);
  }
}

// Wait slot 1 paces the countdown; three seconds after 0 the game goes to the title.
TEST_F(HudTest, TheContinueCountdownEndsTheGameAndGoesToTheTitle) {
  SceneNumber = PrevScene = SceneStage1;
  CountdownActive = 1;
  Lives = 3;
  ContinueCountdown = 2;
  elSystem::SetWait(1, 0);
  UpdateContinueCountdown();
  EXPECT_EQ(ContinueCountdown, 1);
  EXPECT_EQ(elSystem::IsWaitOver(1), 0u);  // next count in a second
  elSystem::SetWait(1, 0);
  UpdateContinueCountdown();
  EXPECT_EQ(GameOver, 1u);
  EXPECT_EQ(SceneNumber, SceneStage1);
  elSystem::SetWait(1, 0);
  UpdateContinueCountdown();
  EXPECT_EQ(SceneNumber, SceneTitle);
}

}  // namespace
