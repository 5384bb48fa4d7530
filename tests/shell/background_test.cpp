#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
#include "shell/assets.h"
#include "shell/background.h"
#include "shell/game_state.h"
#include "tests/support/test_support.h"

namespace {

class BackgroundTest : public vantris_test::PlayfieldTest {
 protected:
  void SetUp() override {
    PlayfieldTest::SetUp();
    ImgBback1s = Solid(440, 480, 0x0841);
    ImgBoss11 = Solid(440, 360, 0x0844);
    ScrollPos = 0.0f;
    FrameTime = 0.1f;
    ResetBackgroundStrips();
    elDraw::ClearScreen();
  }
  void TearDown() override {
    ImgBback1s = ImgBoss11 = 0;
    PlayfieldTest::TearDown();
  }
};

// Windows on the scroll position, bounds inclusive: speeds add up where two
// meet, nothing moves below 0 or in set 6's hole from 700 to 750.
TEST_F(BackgroundTest, SpeedWindowsAddUpAtTheirSharedBounds) {
  const struct { int32_t set; float scroll, speed; } rows[] = {{2, 600.0f, 340.0f}, {2, 599.9f, 140.0f}, {2, 600.1f, 200.0f}, {1, -0.5f, 0.0f},
              {1, 90000.0f, 150.0f}, {5, 635.0f, 2550.0f}, {6, 725.0f, 0.0f}, {6, 750.0f, 360.0f}};
  for (const auto& row : rows) {
    EXPECT_FLOAT_EQ(LayerWindowSpeed(row.set, row.scroll), row.speed) << row.set << row.scroll;
  }
}

TEST_F(BackgroundTest, LayerDrawsItsStripsThenMovesThemByItsSpeed) {
  Bback1sDraw();
  // Strip 0 at (180, 120) before the move; strip 1's lower rows at the top.
  EXPECT_EQ(Back(619, 599), 0x0841);
  EXPECT_EQ(Back(179, 300), 0);  // clipped to the playfield
  EXPECT_EQ(Back(300, 0), 0x0841);
  EXPECT_FLOAT_EQ(Bback1sStrips[4999].y, 120.0f - 480.0f * 4999.0f + 13.0f);
  FrameTime = 0.0f;  // moves nothing
  Bback1sDraw();
  EXPECT_FLOAT_EQ(Bback1sStrips[0].y, 133.0f);
  // Layer B stands still in set 6's hole.
  FrameTime = 0.1f;
  ScrollPos = 730.0f;
  BackgroundBDraw();
  EXPECT_FLOAT_EQ(BackgroundBStrips[0].y, 120.0f);
}

TEST_F(BackgroundTest, LayerWrapsOnceItsLastStripReachesTheTop) {
  for (int32_t i = 0; i < BackgroundStripCount; ++i) {
    Bback1sStrips[i].y = -480.0f * static_cast<float>(i) + 480.0f * 4999.0f - 20.0f;
  }
  Bback1sDraw();
  EXPECT_FLOAT_EQ(Bback1sStrips[4999].y, -7.0f);  // not yet: -20 + 13
  Bback1sDraw();
  EXPECT_FLOAT_EQ(Bback1sStrips[4999].y, -480.0f * 4999.0f);
  EXPECT_FLOAT_EQ(Bback1sStrips[0].x, 100.0f);
  elDraw::ClearScreen();
  Bback1sDraw();
  EXPECT_EQ(Back(540, 10), 0);  // drawn at x 100: 100 .. 539
  EXPECT_FLOAT_EQ(Bback1sStrips[0].x, 180.0f);
}

TEST_F(BackgroundTest, BossPicturesRunOneTimelineOf3200Calls) {
  ResetBossPictures();
  for (int i = 0; i < 9; ++i) BossPictureSpawn();
  EXPECT_EQ(BossPictures[0].active, 0u);
  BossPictureSpawn();  // the first at tick 10
  EXPECT_FLOAT_EQ(BossPictures[0].y, -360.0f);
  FrameTime = 1.0f;
  BossPictureMove();  // first move with speed 0
  BossPictureMove();
  EXPECT_FLOAT_EQ(BossPictures[0].y, -182.0f);
  BossPictureDraw();
  EXPECT_EQ(Back(200, 177), 0x0844);
  EXPECT_EQ(Back(200, 178), 0);
  for (int i = 10; i < 3200; ++i) BossPictureSpawn();
  EXPECT_EQ(BossPictures[7].tick, 0);
  EXPECT_EQ(BossPictures[7].active, 1u);
}

}  // namespace
