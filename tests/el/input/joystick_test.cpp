#include <vector>

#include "tests/el/system/el_system_fixture.h"

namespace {

using vantris_test::ElSystemTest;
namespace headless = os::headless;
using Edges = std::vector<EdgeState>;

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

TEST_F(JoystickTest, MissingOrOutOfRangeJoystickGivesTheFailureResults) {
  headless::SetJoystick(0, false);
  for (int32_t joystick : {0, 2, -1}) {
    int32_t x = 7, y = 7, b1 = 7, b2 = 7, b3 = 7, b4 = 7;
    EXPECT_EQ(elSystem::GetJoyPadDirection(joystick), 5);
    elSystem::GetJoyRampedAxes(joystick, x, y);
    EXPECT_EQ(x | y, 0);
    elSystem::GetJoyButtonStates(joystick, b1, b2, b3, b4);
    EXPECT_EQ(b1 | b2 | b3 | b4, 0);
    elSystem::SetJoyRates(joystick, 1, 1);
  }
}

TEST_F(JoystickTest, DirectionThresholdsAndPadNumbers) {
  EXPECT_EQ(elSystem::JoyAxisDirection(16383, kCentre), -1);
  EXPECT_EQ(elSystem::JoyAxisDirection(16384, kCentre), 0);
  EXPECT_EQ(elSystem::JoyAxisDirection(49149, kCentre), 0);
  EXPECT_EQ(elSystem::JoyAxisDirection(49150, kCentre), 1);
  EXPECT_EQ(elSystem::JoyAxisDirection(0xFFFFFFFFu, 0xFFFFFFFFu), 0);  // no overflow
  Stick(0, 0);
  EXPECT_EQ(elSystem::GetJoyPadDirection(0), 7);
  Stick(kCentre, 65535);
  EXPECT_EQ(elSystem::GetJoyPadDirection(0), 2);
}

TEST_F(JoystickTest, ButtonEdgesAndMasking) {
  Edges seen;
  for (uint32_t buttons : {1u, 1u, 1u, 0u, 0u}) {
    Stick(kCentre, kCentre, buttons);
    seen.push_back(elSystem::GetJoyButtonState(0, 1));
  }
  EXPECT_EQ(seen, (Edges{1, 3, 3, 2, 0}));
  Stick(kCentre, kCentre, 0b1010);
  EdgeState s1, s2, s3, s4;
  elSystem::GetJoyButtonStates(0, s1, s2, s3, s4);
  EXPECT_EQ((Edges{s1, s2, s3, s4}), (Edges{0, 1, 0, 1}));
  TransitionStep = 3;
  EXPECT_EQ(elSystem::GetJoyButtonState(0, 2), 0);
  TransitionStep = 0;
  EXPECT_EQ(elSystem::GetJoyButtonState(0, 2), 1);  // pressed again after it
  headless::SetJoystick(0, false);  // a failed read leaves the stored states alone
  elSystem::GetJoyButtonStates(0, s1, s2, s3, s4);
  EXPECT_EQ(JoystickState[0].ButtonState[3], 1);

  Stick(kCentre, kCentre, 0xFFFFFFFFu);
  EXPECT_EQ(elSystem::GetJoyButtonState(0, 5), 0);
  EXPECT_EQ(elSystem::IsJoyButtonDown(0, 32), 1);
  EXPECT_EQ(elSystem::IsJoyButtonDown(0, 33), 0);
  EXPECT_EQ(elSystem::GetJoyHoldTime(0, 5), 0);
}

TEST_F(JoystickTest, HoldTimeGrowsToOneHundredAndDropsOnRelease) {
  elSystem::SetJoyRates(0, 0, 50);
  FrameTime = 0.1f;
  Stick(kCentre, kCentre, 1);
  int32_t hold = 0;
  for (int frame = 0; frame < 10; ++frame) hold = elSystem::GetJoyHoldTime(0, 1);
  EXPECT_EQ(hold, 50);
  for (int frame = 0; frame < 25; ++frame) hold = elSystem::GetJoyHoldTime(0, 1);
  EXPECT_EQ(hold, 100);
  Stick(kCentre, kCentre, 0);
  EXPECT_EQ(elSystem::GetJoyHoldTime(0, 1), 0);
}

TEST_F(JoystickTest, RampedAxesReachTheLimitAndReturnAtTheSameRate) {
  elSystem::SetJoyRates(0, 200, 0);
  FrameTime = 0.05f;
  int32_t x = 0, y = 0;
  Stick(65535, kCentre);
  for (int frame = 0; frame < 5; ++frame) elSystem::GetJoyRampedAxes(0, x, y);
  EXPECT_EQ(x, 50);
  for (int frame = 0; frame < 6; ++frame) elSystem::GetJoyRampedAxes(0, x, y);
  EXPECT_EQ(x, 100);
  Stick(kCentre, 0);
  for (int frame = 0; frame < 30; ++frame) elSystem::GetJoyRampedAxes(0, x, y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, -100);
  Stick(kCentre, kCentre);
  elSystem::GetJoyRampedAxes(0, x, y);
  EXPECT_EQ(y, -90);
  headless::SetJoystick(0, false);  // a failed read leaves the ramps alone
  elSystem::GetJoyRampedAxes(0, x, y);
  EXPECT_EQ(JoystickState[0].RampY, -90.0f);
}

}  // namespace
