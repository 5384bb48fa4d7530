#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
#include "player/starfield.h"
#include "shell/background.h"
#include "shell/game_state.h"
#include "stages/stage_background.h"
#include "tests/support/test_support.h"

namespace {

class StageBackgroundTest : public vantris_test::PlayfieldTest {
 protected:
  void SetUp() override {
    PlayfieldTest::SetUp();
    ResetBackgroundStrips();
    ScrollPos = 100.0f;
    FrameTime = 0.1f;
    BackgroundOff = 0;
    // Particle 0 falls out on the next frame; the others stay far below.
    for (StarParticle& p : StarParticles) p = {0, 300.0f, -5000.0f, 0.0f};
    StarParticles[0] = {0, 300.0f, 599.0f, 100.0f};
  }
  void TearDown() override {
    BackgroundOff = 0;
    PlayfieldTest::TearDown();
  }
  static bool StarRespawned() { return StarParticles[0].y <= 0.0f; }
};

TEST_F(StageBackgroundTest, StageOneDrawsStarfieldAndItsLayer) {
  DrawStageBackground(1);
  EXPECT_TRUE(StarRespawned());
  EXPECT_GE(StarParticles[0].fall_speed, 80.0f);
  EXPECT_LE(StarParticles[0].fall_speed, 159.0f);
  EXPECT_FLOAT_EQ(Bback1sStrips[0].y, 133.0f);
  EXPECT_FLOAT_EQ(Bback2sStrips[0].y, 120.0f);
}

TEST_F(StageBackgroundTest, WithTheLayersOffOnlyTheStarfieldRunsWithItsOwnSpeeds) {
  BackgroundOff = 1;
  for (int i = 0; i < 200; ++i) {
    StarParticles[0] = {0, 300.0f, 599.0f, 100.0f};
    DrawStageBackground(2);
    ASSERT_TRUE(StarRespawned());
    EXPECT_GE(StarParticles[0].fall_speed, 150.0f);
    EXPECT_LE(StarParticles[0].fall_speed, 299.0f);
  }
  EXPECT_FLOAT_EQ(Bback2sStrips[0].y, 120.0f);  // the layer keeps its place
}

TEST_F(StageBackgroundTest, StageFiveDrawsBothLayersAndNoStarfield) {
  DrawStageBackground(5);
  EXPECT_FALSE(StarRespawned());
  EXPECT_FLOAT_EQ(Bback1sStrips[0].y, 133.0f);
  EXPECT_FLOAT_EQ(Bback3sStrips[0].y, 120.0f + 14.0f);  // window [0, 500] 140
  EXPECT_FLOAT_EQ(Bback6sStrips[0].y, 120.0f);
}

TEST_F(StageBackgroundTest, OtherNumbersDrawNothing) {
  DrawStageBackground(0);
  DrawStageBackground(9);
  EXPECT_FALSE(StarRespawned());
  EXPECT_FLOAT_EQ(StarParticles[0].y, 599.0f);
}

}  // namespace
