// Drives the game's main loop on the headless backend one pass at a time:
// waiting messages handled, frames run, keys tapped, and the steps from the
// title to a running stage.  Free of any test framework, so that the tests'
// harness and the benchmark programs drive the game the same way.
//
// Where a step runs frames, the caller says how: `frame()` runs one frame
// (false: none ran), so that a benchmark can time it or advance the clock
// before it.
#pragma once
#include <initializer_list>
#include <string>

#include "el/draw/transition_state.h"
#include "os/headless/headless.h"
#include "os/keys.h"
#include "os/system.h"
#include "shell/game_state.h"
#include "shell/scene.h"
#include "shell/shell.h"

namespace loop_drive {

inline constexpr int kMaxPasses = 2000000;  // loop passes that may go by for one frame
inline constexpr int kMaxStepFrames = 2000;  // frames a step from the title may take

// Every waiting message handled; returns the count.
inline int PumpMessages() {
  int handled = 0;
  while (os::QueuedMessageCount() > 0 && !LoopEnded()) {
    if (RunLoopPass() != LoopPass::Message) break;
    ++handled;
  }
  return handled;
}

// Loop passes, each run by `pass()` (which returns what RunLoopPass did),
// until `n` more frames ran, the loop ended or `max_passes` passes went by;
// returns the frames run.
template <class Pass>
int RunFrames(int n, int max_passes, Pass&& pass) {
  int ran = 0;
  for (int p = 0; p < max_passes && ran < n; ++p) {
    const LoopPass result = pass();
    if (result == LoopPass::Quit) break;
    if (result == LoopPass::Frame) ++ran;
  }
  return ran;
}

inline int RunFrames(int n, int max_passes = kMaxPasses) {
  return RunFrames(n, max_passes, RunLoopPass);
}

inline bool RunFrame() { return RunFrames(1) == 1; }

// Frames until `done()` holds, at most `max_frames`; whether it holds.
template <class Done, class Frame>
bool RunUntil(Done&& done, int max_frames, Frame&& frame) {
  for (int i = 0; i < max_frames; ++i) {
    if (done()) return true;
    if (!frame()) return done();
  }
  return done();
}

// The key pressed, one frame, the key released; the messages of each are
// handled at once.
template <class Frame>
void TapKey(int key, Frame&& frame) {
  os::headless::KeyDown(key, false);
  PumpMessages();
  frame();
  os::headless::KeyUp(key);
  PumpMessages();
}

inline void TapKey(int key) { TapKey(key, RunFrame); }

// From the running title: frames until the title runs past its entry, Enter
// tapped, then the mode screen's first frame.  `tap_frame()` runs the
// frame of a tapped key.  Empty when done; else what went wrong.
template <class Frame, class TapFrame>
std::string TitleToModeScreen(Frame&& frame, TapFrame&& tap_frame) {
  if (!RunUntil([] { return SceneNumber == SceneTitle && PrevScene == SceneTitle; },
                kMaxStepFrames, frame))
    return "the title does not run";
  TapKey(os::KeyReturn, tap_frame);
  if (SceneNumber != SceneModeSelect || !frame())
    return "Enter led to scene " + std::to_string(SceneNumber);
  return {};
}

// On the mode screen: `keys` tapped, then `start`, then frames until the
// stage runs with its transition over.  Empty when done; else what went
// wrong.
template <class Frame, class TapFrame>
std::string ModeScreenToStage(std::initializer_list<int> keys, int start, Frame&& frame,
                              TapFrame&& tap_frame) {
  for (int key : keys) TapKey(key, tap_frame);
  TapKey(start, tap_frame);
  if (SceneNumber != SceneStage1)
    return "the start key led to scene " + std::to_string(SceneNumber);
  if (!RunUntil([] { return TransitionStep == 0; }, kMaxStepFrames, frame))
    return "the transition does not end";
  return {};
}

}  // namespace loop_drive
