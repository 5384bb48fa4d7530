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

}  // namespace
