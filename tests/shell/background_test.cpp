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
    ScrollPos = 0.0f;
    FrameTime = 0.1f;
    ResetBackgroundStrips();
    elDraw::ClearScreen();
  }
  void TearDown() override {
    ImgBback1s = 0;
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
}

}  // namespace
