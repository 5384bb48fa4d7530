#include <vector>

#include "tests/el/system/el_system_fixture.h"

namespace {

using vantris_test::ElSystemTest;
namespace headless = os::headless;

constexpr uint32_t kCentre = 32767;

class JoystickTest : public ElSystemTest {
 protected:
  void SetUp() override {
    ElSystemTest::SetUp();
    headless::SetJoystick(0, true, kCentre, kCentre, 0);
    headless::SetJoystick(1, false);
    elSystem::InitJoystick();
  }
  void Stick(uint32_t x, uint32_t y, uint32_t buttons = 0) {
    headless::SetJoystick(0, true, x, y, buttons);
  }
};

TEST_F(JoystickTest, CentresAreRecordedAtStartAndZeroWhenAbsent) {
  uint32_t x = 1, y = 1;
  elSystem::GetJoyCentre(0, x, y);
  EXPECT_EQ(x, kCentre);
  EXPECT_EQ(y, kCentre);
  elSystem::GetJoyCentre(1, x, y);
  EXPECT_EQ(x, 0u);
  EXPECT_EQ(y, 0u);
  // Plugged in later: keeps centre 0 until the next probe.
  headless::SetJoystick(1, true, 1000, 2000);
  elSystem::GetJoyCentre(1, x, y);
  EXPECT_EQ(x, 0u);
  elSystem::ProbeJoysticks();
  elSystem::GetJoyCentre(1, x, y);
  EXPECT_EQ(x, 1000u);
  EXPECT_EQ(y, 2000u);
}

TEST_F(JoystickTest, MissingJoystickGivesTheFailureResults) {
  headless::SetJoystick(0, false);
  for (int32_t joystick : {0, 1, 2, -1, 99}) {
    uint32_t ux = 7, uy = 7;
    int32_t x = 7, y = 7, b1 = 7, b2 = 7, b3 = 7, b4 = 7;
    elSystem::GetJoyPosition(joystick, ux, uy);
    EXPECT_EQ(ux + uy, 0u);
    elSystem::GetJoyDirection(joystick, x, y);
    EXPECT_EQ(x | y, 0);
    EXPECT_EQ(elSystem::GetJoyPadDirection(joystick), 5);
    elSystem::GetJoyRampedAxes(joystick, x, y);
    EXPECT_EQ(x | y, 0);
    EXPECT_EQ(elSystem::IsJoyButtonDown(joystick, 1), 0);
    elSystem::GetJoyButtons(joystick, b1, b2, b3, b4);
    EXPECT_EQ(b1 | b2 | b3 | b4, 0);
    EXPECT_EQ(elSystem::GetJoyButtonState(joystick, 1), 0);
    elSystem::GetJoyButtonStates(joystick, b1, b2, b3, b4);
    EXPECT_EQ(b1 | b2 | b3 | b4, 0);
    EXPECT_EQ(elSystem::GetJoyHoldTime(joystick, 1), 0);
    elSystem::GetJoyHoldTimes(joystick, b1, b2, b3, b4);
    EXPECT_EQ(b1 | b2 | b3 | b4, 0);
    elSystem::GetJoyCentre(joystick, ux, uy);
    elSystem::SetJoyRates(joystick, 1, 1);
  }
}

TEST_F(JoystickTest, DirectionThresholdsAroundTheCentre) {
  EXPECT_EQ(elSystem::JoyAxisDirection(16383, kCentre), -1);
  EXPECT_EQ(elSystem::JoyAxisDirection(16384, kCentre), 0);
  EXPECT_EQ(elSystem::JoyAxisDirection(49149, kCentre), 0);
  EXPECT_EQ(elSystem::JoyAxisDirection(49150, kCentre), 1);
  EXPECT_EQ(elSystem::JoyAxisDirection(0xFFFFFFFFu, 0xFFFFFFFFu), 0);  // no overflow

  int32_t dx = 0, dy = 0;
  Stick(16383, 49150);
  elSystem::GetJoyDirection(0, dx, dy);
  EXPECT_EQ(dx, -1);
  EXPECT_EQ(dy, 1);
}

TEST_F(JoystickTest, PadDirectionsAreKeypadNumbers) {
  const uint32_t lo = 0, mid = kCentre, hi = 65535;
  struct Case {
    uint32_t x, y;
    int32_t pad;
  };
  for (Case c : {Case{lo, lo, 7}, Case{mid, lo, 8}, Case{hi, lo, 9}, Case{lo, mid, 4},
                 Case{mid, mid, 5}, Case{hi, mid, 6}, Case{lo, hi, 1}, Case{mid, hi, 2},
                 Case{hi, hi, 3}}) {
    Stick(c.x, c.y);
    EXPECT_EQ(elSystem::GetJoyPadDirection(0), c.pad) << c.x << "," << c.y;
  }
}

TEST_F(JoystickTest, ButtonEdgesAndMasking) {
  std::vector<EdgeState> seen;
  for (uint32_t buttons : {1u, 1u, 1u, 0u, 0u}) {
    Stick(kCentre, kCentre, buttons);
    seen.push_back(elSystem::GetJoyButtonState(0, 1));
  }
  EXPECT_EQ(seen, (std::vector<EdgeState>{1, 3, 3, 2, 0}));

  Stick(kCentre, kCentre, 0b1010);
  EdgeState s1, s2, s3, s4;
  elSystem::GetJoyButtonStates(0, s1, s2, s3, s4);
  EXPECT_EQ((std::vector<EdgeState>{s1, s2, s3, s4}), (std::vector<EdgeState>{0, 1, 0, 1}));
  TransitionStep = 3;
  EXPECT_EQ(elSystem::GetJoyButtonState(0, 2), 0);
  EXPECT_EQ(JoystickState[0].ButtonState[1], 0);
  TransitionStep = 0;
  EXPECT_EQ(elSystem::GetJoyButtonState(0, 2), 1);  // pressed again after it

  // A failed read leaves the stored states alone.
  headless::SetJoystick(0, false);
  elSystem::GetJoyButtonStates(0, s1, s2, s3, s4);
  EXPECT_EQ(s4, 0);
  EXPECT_EQ(JoystickState[0].ButtonState[3], 1);

  // Buttons outside 1..4 (edges) or 1..32 (plain) read 0.
  Stick(kCentre, kCentre, 0xFFFFFFFFu);
  EXPECT_EQ(elSystem::GetJoyButtonState(0, 0), 0);
  EXPECT_EQ(elSystem::GetJoyButtonState(0, 5), 0);
  EXPECT_EQ(elSystem::IsJoyButtonDown(0, 32), 1);
  EXPECT_EQ(elSystem::IsJoyButtonDown(0, 33), 0);
  EXPECT_EQ(elSystem::IsJoyButtonDown(0, 0), 0);
  EXPECT_EQ(elSystem::GetJoyHoldTime(0, 5), 0);
  int32_t b1, b2, b3, b4;
  elSystem::GetJoyButtons(0, b1, b2, b3, b4);
  EXPECT_EQ(b1 + b2 + b3 + b4, 4);
}

TEST_F(JoystickTest, HoldTimeGrowsToOneHundredAndDropsOnRelease) {
  elSystem::SetJoyRates(0, 0, 50);
  FrameTime = 0.1f;
  Stick(kCentre, kCentre, 1);
  int32_t hold = 0;
  for (int frame = 0; frame < 10; ++frame) hold = elSystem::GetJoyHoldTime(0, 1);
  EXPECT_EQ(hold, 50);
  for (int frame = 0; frame < 15; ++frame) hold = elSystem::GetJoyHoldTime(0, 1);
  EXPECT_EQ(hold, 100);
  for (int frame = 0; frame < 10; ++frame) hold = elSystem::GetJoyHoldTime(0, 1);
  EXPECT_EQ(hold, 100);
  int32_t t1, t2, t3, t4;
  Stick(kCentre, kCentre, 0b0100);
  elSystem::GetJoyHoldTimes(0, t1, t2, t3, t4);
  EXPECT_EQ(t1, 0);
  EXPECT_EQ(t3, 5);
  EXPECT_EQ(t2 + t4, 0);
  elSystem::ResetJoyState();
  EXPECT_EQ(JoystickState[0].HoldTime[2], 0.0f);
  EXPECT_EQ(JoystickState[0].HoldRate, 50.0f);
}

TEST_F(JoystickTest, RampedAxesReachTheLimitAndReturnAtTheSameRate) {
  elSystem::SetJoyRates(0, 200, 0);
  FrameTime = 0.05f;
  int32_t x = 0, y = 0;
  Stick(65535, kCentre);
  for (int frame = 0; frame < 5; ++frame) elSystem::GetJoyRampedAxes(0, x, y);
  EXPECT_EQ(x, 50);
  for (int frame = 0; frame < 5; ++frame) elSystem::GetJoyRampedAxes(0, x, y);
  EXPECT_EQ(x, 100);
  elSystem::GetJoyRampedAxes(0, x, y);
  EXPECT_EQ(x, 100);
  EXPECT_EQ(y, 0);
  Stick(kCentre, kCentre);
  for (int frame = 0; frame < 10; ++frame) elSystem::GetJoyRampedAxes(0, x, y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(JoystickState[0].RampX, 0.0f);

  Stick(kCentre, 0);  // up: towards -100
  for (int frame = 0; frame < 30; ++frame) elSystem::GetJoyRampedAxes(0, x, y);
  EXPECT_EQ(y, -100);
  Stick(kCentre, kCentre);
  elSystem::GetJoyRampedAxes(0, x, y);
  EXPECT_EQ(y, -90);
  // A failed read leaves the ramps alone.
  headless::SetJoystick(0, false);
  elSystem::GetJoyRampedAxes(0, x, y);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(JoystickState[0].RampY, -90.0f);
}

}  // namespace
