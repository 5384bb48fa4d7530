#include <vector>

#include "tests/el/system/el_system_fixture.h"

namespace {

using vantris_test::ElSystemTest;
namespace headless = os::headless;

class KeysTest : public ElSystemTest {
 protected:
  // One edge-state poll of key A per entry of `held`.
  std::vector<EdgeState> Poll(std::initializer_list<bool> held) {
    std::vector<EdgeState> seen;
    for (bool down : held) {
      headless::SetKeyState(os::KeyA, down);
      seen.push_back(elSystem::GetKeyEdgeState(os::KeyA, &state_));
    }
    return seen;
  }
  EdgeState state_ = EdgeUp;
};

TEST_F(KeysTest, HeldKeyReadsPressedHeldHeldThenReleasedThenUp) {
  EXPECT_EQ(Poll({true, true, true, false, false}), (std::vector<EdgeState>{1, 3, 3, 2, 0}));
  EXPECT_EQ(state_, 0);
  // A press and release between two polls is never seen.
  headless::KeyDown(os::KeyA);
  headless::KeyUp(os::KeyA);
  EXPECT_EQ(elSystem::GetKeyEdgeState(os::KeyA, &state_), 0);
}

TEST_F(KeysTest, TransitionOverlayAndTextInputHoldEveryKeyUp) {
  EXPECT_EQ(Poll({true, true}), (std::vector<EdgeState>{1, 3}));
  TransitionStep = 26;
  EXPECT_EQ(Poll({true, true}), (std::vector<EdgeState>{0, 0}));
  TransitionStep = 0;
  // Held through the transition: pressed on the first poll after it.
  EXPECT_EQ(Poll({true, true}), (std::vector<EdgeState>{1, 3}));

  PictureOverlay = 1;
  EXPECT_EQ(Poll({true}), (std::vector<EdgeState>{0}));
  PictureOverlay = 0;
  elSystem::BeginTextInput();
  EXPECT_EQ(Poll({true}), (std::vector<EdgeState>{0}));
  LastKey = 0x41;
  elSystem::EndTextInput();
  EXPECT_EQ(LastKey, 0u);
  EXPECT_EQ(Poll({true}), (std::vector<EdgeState>{1}));
}

TEST_F(KeysTest, BadKeyCodesReadUpAndANullStateIsIgnored) {
  EdgeState state = EdgeHeld;
  EXPECT_EQ(elSystem::GetKeyEdgeState(-1, &state), EdgeReleased);
  EXPECT_EQ(elSystem::GetKeyEdgeState(os::KeyCount, &state), EdgeUp);
  EXPECT_EQ(elSystem::GetKeyEdgeState(os::KeyA, nullptr), EdgeUp);
  state = 7;  // not a state: treated as up
  headless::SetKeyState(os::KeyA, false);
  EXPECT_EQ(elSystem::GetKeyEdgeState(os::KeyA, &state), EdgeUp);
}

TEST_F(KeysTest, WaitForKeysAnswersWhenTheChosenKeyIsReleased) {
  LastKey = 0x0D;  // held from before: not armed yet
  LastKeyCopy = 0x0D;
  EXPECT_EQ(elSystem::WaitForKeys(0x0D, 0x20, 0), 0u);
  EXPECT_EQ(WaitKeyState, 0u);
  LastKey = 0;
  EXPECT_EQ(elSystem::WaitForKeys(0x0D, 0x20, 0), 0u);  // arms
  EXPECT_EQ(WaitKeyState, 1u);
  LastKey = LastKeyCopy = 0x20;  // Space pressed and held
  EXPECT_EQ(elSystem::WaitForKeys(0x0D, 0x20, 0), 0u);
  EXPECT_EQ(WaitKeyHit, 0x20u);
  EXPECT_EQ(WaitKeyIndex, 1u);
  EXPECT_EQ(elSystem::WaitForKeys(0x0D, 0x20, 0), 0u);  // still held
  LastKey = 0;
  EXPECT_EQ(elSystem::WaitForKeys(0x0D, 0x20, 0), 0x20u);
  EXPECT_EQ(LastKeyCopy, 0u);
  EXPECT_EQ(WaitKeyState, 0u);
}

TEST_F(KeysTest, WaitForKeysSeesTapsButtonsAndIgnoresOtherKeys) {
  elSystem::WaitForKeys(0x0D, 1, 0);  // arms
  // A key that is not in the list.
  LastKeyCopy = 0x41;
  EXPECT_EQ(elSystem::WaitForKeys(0x0D, 1, 0), 0u);
  EXPECT_EQ(WaitKeyState, 1u);
  // Codes after the terminating 0 are not looked at.
  EXPECT_EQ(elSystem::WaitForKeys(0x0D, 0, 0x41), 0u);
  EXPECT_EQ(WaitKeyState, 1u);

  // Enter tapped between two polls.
  LastKeyCopy = 0x0D;
  EXPECT_EQ(elSystem::WaitForKeys(0x0D, 1, 0), 0u);
  EXPECT_EQ(elSystem::WaitForKeys(0x0D, 1, 0), 0x0Du);

  // The left button, pressed and released.
  elSystem::WaitForKeys(0x0D, 1, 0);
  LastMouseButton = MouseButton = 1;
  EXPECT_EQ(elSystem::WaitForKeys(0x0D, 1, 0), 0u);
  EXPECT_EQ(elSystem::WaitForKeys(0x0D, 1, 0), 0u);
  MouseButton = 0;
  EXPECT_EQ(elSystem::WaitForKeys(0x0D, 1, 0), 1u);
  EXPECT_EQ(LastMouseButton, 0u);

  // Another key takes the chosen one's place: the wait starts again.
  elSystem::WaitForKeys(0x0D, 1, 0);
  LastKey = LastKeyCopy = 0x0D;
  elSystem::WaitForKeys(0x0D, 1, 0);
  LastKey = LastKeyCopy = 0x41;
  EXPECT_EQ(elSystem::WaitForKeys(0x0D, 1, 0), 0u);
  EXPECT_EQ(WaitKeyState, 0u);
}

}  // namespace
