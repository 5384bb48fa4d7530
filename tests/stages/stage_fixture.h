// A running game in a new run at level 1, with the stage scenes driven
// either frame by frame at a fixed 1/64 s ending at a chosen scroll position,
// or through the main loop in frames of 0.1 s.
#pragma once
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>

#include "el/system/elSystem.h"
#include "os/headless/headless.h"
#include "shell/game_state.h"
#include "shell/scene.h"
#include "tests/support/game_harness.h"

namespace stage_test {

constexpr float kStep = 1.0f / 64.0f;  // a fixed frame

class StageFixture : public vantris_test::RunningGameTest {
 protected:
  void SetUp() override {
    RunningGameTest::SetUp();
    vantris_test::StartNewRun();
    GameLevel = 1;
  }
  // `scene` entered from scroll position 0, its first frame run.
  static void Enter(int32_t scene) {
    ScrollPos = 0;
    SceneFrame = 0;
    ASSERT_TRUE(vantris_test::EnterScene(scene));
  }
  // One frame of `scene` called directly at 1/64 s, ending at `scroll_after`
  // for a stage scrolling at `rate`.
  static void SceneFrameTo(void (*scene)(), float rate, float scroll_after) {
    SceneEntered = 0;
    FrameTime = kStep;
    ScrollPos = scroll_after - rate * kStep;
    scene();
  }
  // One pass of the main loop after 0.1 s: a frame at the longest frame time.
  static bool LongFrame() {
    os::headless::AdvanceMs(100);
    return vantris_test::RunFrames(1) == 1;
  }
  template <typename T, size_t N>
  static int Active(const T (&table)[N]) {
    int n = 0;
    for (const T& r : table) n += r.active != 0;
    return n;
  }
};

}  // namespace stage_test
