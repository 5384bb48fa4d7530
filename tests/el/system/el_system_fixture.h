// A fresh headless machine with the elSystem module's state put back to what
// it is at start-up; the clock moves only when a test moves it.
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
    ErrorFlag = 0;
    QuitRequested = 0;
    QuitState = 0;
    CursorClipped = 0;
    TransitionStep = 0;
    PictureOverlay = 0;
    TextInputMode = 0;
    WaitKeyState = 0;
    WaitKeyHit = 0;
    LastKey = LastKeyCopy = 0;
    MouseButton = LastMouseButton = 0;
    FullScreen = 1;
    CursorVisible = 1;
    MessageBoxOpen = 0;
    WindowX = WindowY = 0;
    MainWindow = 0;
    InstanceMutex = 0;
    BasePath.clear();
    FrameTime = 0;
    elSystem::QuitStepHook = nullptr;
  }
};

}  // namespace vantris_test
