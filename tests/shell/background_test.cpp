#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
#include "shell/assets.h"
#include "shell/background.h"
#include "shell/game_state.h"
#include "tests/support/test_support.h"

namespace {

// The screen with the playfield clip and solid stand-ins for the layer
// pictures that the tests look at.
class BackgroundTest : public vantris_test::PlayfieldTest {
 protected:
  void SetUp() override {
    PlayfieldTest::SetUp();
    ImgBback1s = Solid(440, 480, 0x0841);
    ImgBback6s = Solid(640, 480, 0x0842);
    ImgSidePanelL = Solid(100, 480, 0x0843);
    ImgBoss11 = Solid(440, 360, 0x0844);
    ScrollPos = 0.0f;
    FrameTime = 1.0f / 60.0f;
    ResetBackgroundStrips();
    elDraw::ClearScreen();
  }
  void TearDown() override {
    ImgBback1s = ImgBback6s = ImgSidePanelL = ImgBoss11 = 0;
    PlayfieldTest::TearDown();
  }
};

// Windows on the scroll position, bounds inclusive: speeds add up where two
// meet, nothing moves below 0 or in set 6's hole from 700 to 750.
TEST_F(BackgroundTest, SpeedWindowsAddUpAtTheirSharedBounds) {
  const struct {
    int32_t set;
    float scroll, speed;
  } rows[] = {
      {2, 600.0f, 340.0f},  {2, 599.9f, 140.0f},   {2, 600.1f, 200.0f}, {1, 0.0f, 140.0f},
      {1, -0.5f, 0.0f},     {1, 1150.0f, 450.0f},  {1, 90000.0f, 150.0f}, {3, 590.0f, 700.0f},
      {4, 425.0f, 200.0f},  {5, 500.0f, 300.0f},   {5, 635.0f, 2550.0f}, {6, 700.0f, 640.0f},
      {6, 725.0f, 0.0f},    {6, 750.0f, 360.0f},   {6, 1100.0f, 660.0f},
  };
  for (const auto& row : rows) {
    EXPECT_FLOAT_EQ(LayerWindowSpeed(row.set, row.scroll), row.speed)
        << "set " << row.set << " at " << row.scroll;
  }
}

TEST_F(BackgroundTest, NewGamePlacesEveryStripOfTheStageLayers) {
  EXPECT_FLOAT_EQ(Bback1sStrips[0].y, 120.0f);
  EXPECT_FLOAT_EQ(Bback1sStrips[1].y, -360.0f);
  EXPECT_FLOAT_EQ(Bback2sStrips[4999].y, 120.0f - 480.0f * 4999.0f);
  EXPECT_FLOAT_EQ(Bback3sStrips[7].x, 180.0f);
  EXPECT_FLOAT_EQ(Bback6sStrips[7].x, 80.0f);
  EXPECT_FLOAT_EQ(BackgroundAStrips[7].x, 80.0f);
  EXPECT_FLOAT_EQ(Background38Strips[7].x, -500.0f);
  EXPECT_FLOAT_EQ(Background6Strips[3].dx, 0.0f);
}

TEST_F(BackgroundTest, LayerDrawsItsStripsThenMovesThemByItsSpeed) {
  FrameTime = 0.1f;
  Bback1sDraw();
  // Strip 0 drawn at (180, 120) before the move; strip 1 above it is off
  // the screen but its lower 120 rows show at the top.
  EXPECT_EQ(Back(180, 120), 0x0841);
  EXPECT_EQ(Back(619, 599), 0x0841);
  EXPECT_EQ(Back(179, 300), 0);  // clipped to the playfield
  EXPECT_EQ(Back(300, 0), 0x0841);
  EXPECT_FLOAT_EQ(Bback1sStrips[0].y, 133.0f);
  EXPECT_FLOAT_EQ(Bback1sStrips[4999].y, 120.0f - 480.0f * 4999.0f + 13.0f);

  // Bback6s at a shared bound: 140 + 200.
  ScrollPos = 600.0f;
  Bback6sDraw();
  EXPECT_FLOAT_EQ(Bback6sStrips[0].y, 120.0f + 34.0f);
  // A frame time of 0 moves nothing.
  FrameTime = 0.0f;
  Bback6sDraw();
  Bback1sDraw();
  EXPECT_FLOAT_EQ(Bback6sStrips[0].y, 154.0f);
  EXPECT_FLOAT_EQ(Bback1sStrips[0].y, 133.0f);
  // Layer B stands still in set 6's hole and moves past it.
  FrameTime = 0.1f;
  ScrollPos = 730.0f;
  BackgroundBDraw();
  EXPECT_FLOAT_EQ(BackgroundBStrips[0].y, 120.0f);
  ScrollPos = 760.0f;
  BackgroundBDraw();
  EXPECT_FLOAT_EQ(BackgroundBStrips[0].y, 156.0f);
}

TEST_F(BackgroundTest, DriftShowsForOneFrameOrCarriesOverInLayerA) {
  FrameTime = 0.1f;
  SetBackgroundDrift(+1);
  Background6Draw();
  EXPECT_FLOAT_EQ(Background6Strips[0].x, 85.0f);  // 80 + 50 x 0.1
  EXPECT_FLOAT_EQ(Background6Strips[0].dx, 0.0f);
  Background6Draw();
  EXPECT_FLOAT_EQ(Background6Strips[0].x, 80.0f);
  // Held to the right, layer B's column offset is clamped at -100..100.
  SetBackgroundDrift(-1);
  FrameTime = 3.0f;
  BackgroundBDraw();
  EXPECT_FLOAT_EQ(BackgroundBStrips[9].x, -100.0f);
  // Layer A carries x over and stops at 100.
  FrameTime = 0.1f;
  for (int i = 0; i < 40; ++i) {
    for (int32_t s = 0; s < BackgroundStripCount; ++s) BackgroundAStrips[s].dx = 50.0f;
    BackgroundADraw();
  }
  EXPECT_FLOAT_EQ(BackgroundAStrips[0].x, 100.0f);
  EXPECT_FLOAT_EQ(BackgroundAStrips[4999].x, 100.0f);
}

TEST_F(BackgroundTest, LayerWrapsOnceItsLastStripReachesTheTop) {
  FrameTime = 0.1f;
  for (int32_t i = 0; i < BackgroundStripCount; ++i) {
    Bback1sStrips[i].y = -480.0f * static_cast<float>(i) + 480.0f * 4999.0f - 20.0f;
  }
  Bback1sDraw();
  EXPECT_FLOAT_EQ(Bback1sStrips[4999].y, -7.0f);  // not yet: -20 + 13
  Bback1sDraw();
  // Back to y -480 i, and the 440-pixel layers to x 100.
  EXPECT_FLOAT_EQ(Bback1sStrips[0].y, 0.0f);
  EXPECT_FLOAT_EQ(Bback1sStrips[4999].y, -480.0f * 4999.0f);
  EXPECT_FLOAT_EQ(Bback1sStrips[0].x, 100.0f);
  elDraw::ClearScreen();
  Bback1sDraw();
  EXPECT_EQ(Back(180, 10), 0x0841);  // drawn at x 100: 100 .. 539
  EXPECT_EQ(Back(540, 10), 0);
  EXPECT_FLOAT_EQ(Bback1sStrips[0].x, 180.0f);
}

TEST_F(BackgroundTest, SidePanelSettlesOnItsFirstFrameAndStays) {
  for (BackgroundStrip& s : SidePanelLeftStrips) s = {0.0f, 0.0f, 0.0f};
  SidePanelLeftDraw();
  EXPECT_FLOAT_EQ(SidePanelLeftStrips[0].y, 0.0f);
  EXPECT_FLOAT_EQ(SidePanelLeftStrips[1].y, -480.0f);
  EXPECT_FLOAT_EQ(SidePanelLeftStrips[4999].y, -480.0f * 4999.0f);
  FrameTime = 0.5f;
  for (int i = 0; i < 3; ++i) SidePanelLeftDraw();
  EXPECT_FLOAT_EQ(SidePanelLeftStrips[0].y, 0.0f);
  EXPECT_FLOAT_EQ(SidePanelLeftStrips[0].x, 0.0f);
  EXPECT_EQ(Back(180, 10), 0);  // the left panel lies outside the playfield
}

TEST_F(BackgroundTest, SceneryFirstMoveUsesTheSpeedLeftFromBefore) {
  FrameTime = 0.1f;
  SceneryObjects[0] = {-500.0f, 2550.0f, 0.0f, 0};
  SceneryAMove();  // parked below 480 stays parked
  EXPECT_FLOAT_EQ(SceneryObjects[0].y, 2550.0f);
  SceneryASpawn();
  EXPECT_FLOAT_EQ(SceneryObjects[0].x, 100.0f);
  EXPECT_FLOAT_EQ(SceneryObjects[0].y, -300.0f);
  SceneryAMove();
  EXPECT_FLOAT_EQ(SceneryObjects[0].y, -300.0f);
  SceneryAMove();
  EXPECT_FLOAT_EQ(SceneryObjects[0].y, -282.0f);
  SceneryObjects[0].y = 479.0f;
  SceneryAMove();
  EXPECT_EQ(SceneryObjects[0].active, 0u);
  EXPECT_FLOAT_EQ(SceneryObjects[0].x, -500.0f);
  SceneryBSpawn();
  SceneryBMove();
  SceneryBMove();
  EXPECT_FLOAT_EQ(SceneryObjects[1].speed, 220.0f);
}

TEST_F(BackgroundTest, BossPicturesRunOneTimelineOf3200Calls) {
  ResetBossPictures();
  for (int i = 0; i < 9; ++i) BossPictureSpawn();
  EXPECT_EQ(BossPictures[0].active, 0u);
  BossPictureSpawn();  // tick 10
  EXPECT_EQ(BossPictures[0].active, 1u);
  EXPECT_FLOAT_EQ(BossPictures[0].x, 100.0f);
  EXPECT_FLOAT_EQ(BossPictures[0].y, -360.0f);
  EXPECT_EQ(BossPictures[1].active, 0u);
  FrameTime = 1.0f;
  BossPictureMove();  // first move with speed 0
  EXPECT_FLOAT_EQ(BossPictures[0].y, -360.0f);
  BossPictureMove();
  EXPECT_FLOAT_EQ(BossPictures[0].y, -182.0f);
  BossPictureDraw();
  EXPECT_EQ(Back(200, 0), 0x0844);
  EXPECT_EQ(Back(200, 177), 0x0844);
  EXPECT_EQ(Back(200, 178), 0);
  for (int i = 10; i < 400; ++i) BossPictureSpawn();
  EXPECT_EQ(BossPictures[1].active, 1u);
  EXPECT_FLOAT_EQ(BossPictures[1].y, -380.0f);
  for (int i = 400; i < 3200; ++i) BossPictureSpawn();
  EXPECT_EQ(BossPictures[0].tick, 0);
  EXPECT_EQ(BossPictures[7].tick, 0);
  EXPECT_EQ(BossPictures[7].active, 1u);
  ResetSpareBossPicture();
  EXPECT_FLOAT_EQ(SpareBossPicture.y, 2550.0f);
}

}  // namespace
