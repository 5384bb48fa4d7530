// A headless machine with the elSystem module's state as at start-up.
#pragma once
#include <algorithm>
#include <iterator>

#include "el/draw/transition_state.h"
#include "el/system/elSystem.h"
#include "tests/support/test_support.h"

namespace vantris_test {

class ElSystemTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    os::headless::SetReadQuantumMicros(0);
    ResetModuleState();
    elSystem::StartTimer();
  }

  void TearDown() override {
    ResetModuleState();
    HeadlessTest::TearDown();
  }

  static void ResetModuleState() {
    std::fill(std::begin(WaitDeadlines), std::end(WaitDeadlines), WaitUnset);
    ErrorFlag = QuitRequested = QuitState = CursorClipped = TransitionStep = PictureOverlay = 0;
    TextInputMode = WaitKeyState = WaitKeyHit = LastKey = LastKeyCopy = 0;
    MouseButton = LastMouseButton = MessageBoxOpen = 0;
    FullScreen = CursorVisible = 1;
    WindowX = WindowY = 0;
    MainWindow = 0;
    InstanceMutex = 0;
    BasePath.clear();
    FrameTime = 0;
    elSystem::QuitStepHook = nullptr;
  }
};

}  // namespace vantris_test
