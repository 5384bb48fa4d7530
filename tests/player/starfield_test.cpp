#include "tests/player/player_fixture.h"

namespace {

using namespace player_test;

using StarfieldTest = PlayerTest;

// All particles parked far below except the ones a test places.
void ClearField() {
  for (StarParticle& p : StarParticles) p = {0, -500.0f, -5000.0f, 0.0f};
}

TEST_F(StarfieldTest, AParticleBelowTheScreenComesBackAtTheTop) {
  ClearField();
  FrameTime = 0.1f;
  Range frame, x, y, speed;
  for (int i = 0; i < 3000; ++i) {
    StarParticles[0] = {3, 300.0f, 595.0f, 100.0f};  // 605 after the move
    StarfieldUpdate(40, 70);
    const StarParticle& p = StarParticles[0];
    frame.Add(static_cast<float>(p.frame));
    x.Add(p.x);
    y.Add(p.y);
    speed.Add(p.fall_speed);
  }
  EXPECT_EQ(frame, (Range{0.0f, 6.0f}));
  EXPECT_EQ(x, (Range{0.0f, 639.0f}));
  EXPECT_EQ(y, (Range{-49.0f, 0.0f}));
  EXPECT_EQ(speed, (Range{70.0f, 109.0f}));

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
  Range frame, x, y, speed;
  for (int round = 0; round < 20; ++round) {
    ResetStarParticles();
    for (const StarParticle& p : StarParticles) {
      frame.Add(static_cast<float>(p.frame));
      x.Add(p.x);
      y.Add(p.y);
      speed.Add(p.fall_speed);
    }
  }
  EXPECT_TRUE(frame.In(0.0f, 6.0f)) << frame;
  EXPECT_TRUE(x.In(-400.0f, 839.0f)) << x;
  EXPECT_TRUE(y.In(0.0f, 479.0f)) << y;
  EXPECT_TRUE(speed.In(100.0f, 199.0f)) << speed;
  // Four draws per particle, in the order cell, x, y, speed.
  os::SeedRandom(77);
  const int f = os::Random() % 7, px = os::Random() % 1240;
  const int py = os::Random() % 480, v = os::Random() % 100;
  os::SeedRandom(77);
  ResetStarParticles();
  EXPECT_EQ(StarParticles[0].frame, f);
  EXPECT_EQ(Pos(StarParticles[0]), XY(static_cast<float>(px) - 400.0f, static_cast<float>(py)));
  EXPECT_FLOAT_EQ(StarParticles[0].fall_speed, static_cast<float>(v + 100));
}

}  // namespace
