#include <vector>

#include "tests/el/system/el_system_fixture.h"

namespace {

using vantris_test::ElSystemTest;
namespace headless = os::headless;
using Edges = std::vector<EdgeState>;

class KeysTest : public ElSystemTest {
 protected:
  Edges Poll(std::initializer_list<bool> held) {
    Edges seen;
    for (bool down : held) {
      headless::SetKeyState(os::KeyA, down);
      seen.push_back(elSystem::GetKeyEdgeState(os::KeyA, &state_));
    }
    return seen;
  }
  EdgeState state_ = EdgeUp;
};

TEST_F(KeysTest, EdgesAndTheStatesThatHoldEveryKeyUp) {
  EXPECT_EQ(Poll({true, true, true, false, false}), (Edges{1, 3, 3, 2, 0}));
  EXPECT_EQ(Poll({true}), (Edges{1}));
  TransitionStep = 26;
  EXPECT_EQ(Poll({true, true}), (Edges{0, 0}));
  TransitionStep = 0;
  EXPECT_EQ(Poll({true, true}), (Edges{1, 3}));  // held through: pressed after it
  elSystem::BeginTextInput();
  EXPECT_EQ(Poll({true}), (Edges{0}));
  LastKey = 0x41;
  elSystem::EndTextInput();
  EXPECT_EQ(LastKey, 0u);
  EXPECT_EQ(Poll({true}), (Edges{1}));
}

TEST_F(KeysTest, BadKeyCodesReadUpAndANullStateIsIgnored) {
  EdgeState state = EdgeHeld;
  EXPECT_EQ(elSystem::GetKeyEdgeState(-1, &state), EdgeReleased);
  EXPECT_EQ(elSystem::GetKeyEdgeState(os::KeyCount, &state), EdgeUp);
  EXPECT_EQ(elSystem::GetKeyEdgeState(os::KeyA, nullptr), EdgeUp);
}

TEST_F(KeysTest, WaitForKeysAnswersOnReleaseSeesTapsAndButtonsAndIgnoresOtherKeys) {
  LastKey = LastKeyCopy = 0x0D;  // held from before: not armed yet
  EXPECT_EQ(elSystem::WaitForKeys(0x0D, 0x20, 0), 0u);
  EXPECT_EQ(WaitKeyState, 0u);
  LastKey = 0;
  EXPECT_EQ(elSystem::WaitForKeys(0x0D, 0x20, 0), 0u);  // arms
  LastKey = LastKeyCopy = 0x20;
  EXPECT_EQ(elSystem::WaitForKeys(0x0D, 0x20, 0), 0u);  // held
  LastKey = 0;
  EXPECT_EQ(elSystem::WaitForKeys(0x0D, 0x20, 0), 0x20u);
  EXPECT_EQ(WaitKeyState, 0u);

  elSystem::WaitForKeys(0x0D, 1, 0);  // arms again
  LastKeyCopy = 0x41;
  EXPECT_EQ(elSystem::WaitForKeys(0x0D, 0, 0x41), 0u);  // codes after the 0 are not looked at
  EXPECT_EQ(WaitKeyState, 1u);
  LastKeyCopy = 0x0D;  // tapped between two polls
  EXPECT_EQ(elSystem::WaitForKeys(0x0D, 1, 0), 0u);
  EXPECT_EQ(elSystem::WaitForKeys(0x0D, 1, 0), 0x0Du);

  elSystem::WaitForKeys(0x0D, 1, 0);
  LastMouseButton = MouseButton = 1;
  EXPECT_EQ(elSystem::WaitForKeys(0x0D, 1, 0), 0u);
  MouseButton = 0;
  EXPECT_EQ(elSystem::WaitForKeys(0x0D, 1, 0), 1u);
}

}  // namespace
