#include "tests/player/player_fixture.h"

namespace {

using player_test::PlayerTest;

using StarfieldTest = PlayerTest;

// All particles parked far below except the ones a test places.
void ClearField() {
  for (StarParticle& p : StarParticles) p = {0, -500.0f, -5000.0f, 0.0f};
}

TEST_F(StarfieldTest, AParticleBelowTheScreenComesBackAtTheTop) {
  ClearField();
  FrameTime = 0.1f;
  int32_t min_frame = 99, max_frame = -1;
  float min_x = 1e9f, max_x = -1e9f, min_y = 1e9f, max_y = -1e9f, min_v = 1e9f, max_v = -1e9f;
  for (int i = 0; i < 3000; ++i) {
    StarParticles[0] = {3, 300.0f, 595.0f, 100.0f};  // 605 after the move
    StarfieldUpdate(40, 70);
    const StarParticle& p = StarParticles[0];
    min_frame = std::min(min_frame, p.frame);
    max_frame = std::max(max_frame, p.frame);
    min_x = std::min(min_x, p.x);
    max_x = std::max(max_x, p.x);
    min_y = std::min(min_y, p.y);
    max_y = std::max(max_y, p.y);
    min_v = std::min(min_v, p.fall_speed);
    max_v = std::max(max_v, p.fall_speed);
  }
  EXPECT_EQ(min_frame, 0);
  EXPECT_EQ(max_frame, 6);
  EXPECT_FLOAT_EQ(min_x, 0.0f);
  EXPECT_FLOAT_EQ(max_x, 639.0f);
  EXPECT_FLOAT_EQ(min_y, -49.0f);
  EXPECT_FLOAT_EQ(max_y, 0.0f);
  EXPECT_FLOAT_EQ(min_v, 70.0f);
  EXPECT_FLOAT_EQ(max_v, 109.0f);

  // At exactly 600 it keeps falling.
  StarParticles[0] = {3, 300.0f, 590.0f, 100.0f};
  StarfieldUpdate(40, 70);
  EXPECT_FLOAT_EQ(StarParticles[0].y, 600.0f);
  EXPECT_EQ(StarParticles[0].frame, 3);
}

TEST_F(StarfieldTest, ParticlesAreDrawnWhereTheyStoodAndClippedToThePlayfield) {
  ClearField();
  // Every cell of the sheet gets its own colour: cell f at x 139 + 3f.
  ImgMymy = Sprite(224, 80, [](int x, int) {
    return static_cast<uint16_t>(x >= 139 && x < 160 ? 0x2000 + (x - 139) / 3 : 0x0001);
  });
  FrameTime = 0.5f;
  StarParticles[0] = {5, 300.6f, 100.9f, 100.0f};
  StarParticles[1] = {1, 100.0f, 100.0f, 100.0f};  // left of the playfield
  StarParticles[2] = {2, 619.0f, 100.0f, 100.0f};  // one column inside on the right
  StarfieldUpdate(80, 80);
  EXPECT_EQ(Back(300, 100), 0x2005);
  EXPECT_EQ(Back(302, 109), 0x2005);
  EXPECT_EQ(Back(303, 100), 0);
  EXPECT_EQ(CountBack(0x2005), 3 * 10);
  EXPECT_EQ(CountBack(0x2001), 0);
  EXPECT_EQ(CountBack(0x2002), 10);  // only x 619
  EXPECT_FLOAT_EQ(StarParticles[0].y, 150.9f);
}

TEST_F(StarfieldTest, ResetScattersTheFieldOverAndBesideTheScreen) {
  for (int round = 0; round < 20; ++round) {
    ResetStarParticles();
    for (const StarParticle& p : StarParticles) {
      EXPECT_GE(p.frame, 0);
      EXPECT_LE(p.frame, 6);
      EXPECT_GE(p.x, -400.0f);
      EXPECT_LE(p.x, 839.0f);
      EXPECT_GE(p.y, 0.0f);
      EXPECT_LE(p.y, 479.0f);
      EXPECT_GE(p.fall_speed, 100.0f);
      EXPECT_LE(p.fall_speed, 199.0f);
    }
  }
  // Four draws per particle, in the order cell, x, y, speed.
  os::SeedRandom(77);
  const int frame = os::Random() % 7;
  const int x = os::Random() % 1240;
  const int y = os::Random() % 480;
  const int v = os::Random() % 100;
  os::SeedRandom(77);
  ResetStarParticles();
  EXPECT_EQ(StarParticles[0].frame, frame);
  EXPECT_FLOAT_EQ(StarParticles[0].x, static_cast<float>(x) - 400.0f);
  EXPECT_FLOAT_EQ(StarParticles[0].y, static_cast<float>(y));
  EXPECT_FLOAT_EQ(StarParticles[0].fall_speed, static_cast<float>(v + 100));
}

}  // namespace
