// The routes a player takes, driven on the headless backend one loop pass at
// a time, as the route tests drive them: from the title through the mode
// screen (O: a ship that cannot die, Space: the background layers off, F1 or
// F2: level 1 or 3), then the whole played route (stages 1, 2, 4, 5 and 7,
// the ending, the title again) or stage 1 ended at once into stage 3, 6 or
// 8, played to its boss's defeat.  The laser is held down all along and the
// seed is pinned, so every run of a route is the same frame for frame.
//
// The pace is the game's own (the limiter sleeps on the virtual clock, 60
// frames a second) or a fixed frame length (the route tests' 0.1 s, the
// longest the limiter gives).  Every scene frame is handed to a callback
// with the scene it ran and what the pass cost in wall-clock time.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/headless_start.h"
#include "el/system/elSystem.h"
#include "os/headless/headless.h"
#include "os/headless/headless_audio.h"
#include "os/keys.h"
#include "os/path.h"
#include "shell/game_state.h"
#include "shell/scene.h"
#include "shell/shell.h"
#include "tests/support/loop_drive.h"
#include "tools/runner/scene_end.h"

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_TOGGLE_COLLECT
#endif

namespace bench {

struct Route {
  const char* name;
  int32_t entered;     // the stage entered from stage 1; 0: the played route
  int32_t last_scene;  // the scene whose entry ends the route
};

inline constexpr Route kPlayedRoute{"played", 0, SceneTitle};
inline constexpr Route kEnteredRoutes[] = {
    {"stage3", SceneStage3, SceneStage4},
    {"stage6", SceneStage6, SceneStage7},
    {"stage8", SceneStage8, SceneEnding},
};

// One scene frame: the scene it ran, whether the scene was entered on it,
// its index in the route and its cost.
struct RouteFrame {
  int32_t scene = 0;
  bool entered = false;
  int index = 0;
  std::chrono::nanoseconds cost{0};
};

inline std::string RouteAssetDir() {
  if (const char* dir = std::getenv("VANTRIS_ASSET_DIR")) return dir;
  return VANTRIS_ASSET_DIR;
}

// Plays one route.  `frame_ms` 0: the game's own pace; else every frame
// lasts that long.  `on_frame(const RouteFrame&)` sees every scene frame
// from the stage's start (title and mode screen included).  False when the
// game does not start or a scene does not end within its stay.  Under
// `valgrind --tool=callgrind --collect-atstart=no`, frame `profiled` alone
// is collected.
template <class OnFrame>
bool PlayRoute(const Route& route, int level, uint32_t frame_ms, OnFrame&& on_frame,
               int profiled = -1) {
  SingleInstanceLock = 0;  // runs beside the game and other benchmarks
  StartHeadless();
  os::headless::ClearBoxes();
  os::SetExeDir(RouteAssetDir() + "/");
  QuitRequested = 0;
  ErrorFlag = 0;
  if (StartUp(0, "", 1) != StartUpResult::Run) {
    os::Stop();
    return false;
  }
  os::SeedRandom(12345);

  int index = 0;
  bool ended = false;
  // One loop pass, timed alone; a scene frame goes to `on_frame`.
  auto pass = [&] {
    const int32_t scene = SceneNumber;
    const bool entered = SceneEntered == 1 || PrevScene != SceneNumber;
    const bool profile = index == profiled;
    if (profile) CALLGRIND_TOGGLE_COLLECT;
    const auto start = std::chrono::steady_clock::now();
    const LoopPass result = RunLoopPass();
    const auto cost = std::chrono::steady_clock::now() - start;
    if (profile) CALLGRIND_TOGGLE_COLLECT;
    if (result == LoopPass::Frame) on_frame(RouteFrame{scene, entered, index++, cost});
    return result;
  };
  auto frame = [&] { return loop_drive::RunFrames(1, loop_drive::kMaxPasses, pass) == 1; };
  auto advance = [&] {
    if (frame_ms != 0) os::headless::AdvanceMs(frame_ms);
    // The headless MIDI log, a recorder for tests, keeps every command of
    // the run: emptied (its room kept), its growth is not counted as the
    // frames' allocations.
    os::headless::ClearMidiLog();
    return frame();
  };

  // A tapped key's frame runs with the clock where it is; every other frame
  // is an `advance`.
  loop_drive::PumpMessages();
  const int start_key = level == 1 ? os::KeyF1 : os::KeyF2;
  bool ok = frame() && loop_drive::TitleToModeScreen(advance, frame).empty() &&
            loop_drive::ModeScreenToStage({'O', os::KeySpace}, start_key, advance, frame).empty() &&
            GameLevel == level;
  if (ok && route.entered != 0) runner::EndSceneInto(route.entered);

  os::headless::KeyDown('C', false);
  loop_drive::PumpMessages();
  // Every stay in a scene is bounded: a stage ends by its boss's defeat in
  // fewer than 11,000 frames at 60 a second.
  constexpr int kLongestStay = 20000;
  int stay = 0;
  int32_t scene = SceneNumber;
  while (ok && !ended) {
    ok = advance();
    if (SceneNumber != scene || SceneEntered == 1) {
      scene = SceneNumber;
      stay = 0;
      ended = scene == route.last_scene;  // the played route meets the title only at its end
    }
    if (++stay >= kLongestStay) ok = false;
  }
  os::headless::KeyUp('C');
  loop_drive::PumpMessages();
  ok = ok && os::headless::Boxes().empty();
  FinishWinMain();
  os::Stop();
  return ok;
}

// A fast sum of a presented frame: equal frames, equal sums (64-bit words
// through a multiply-xor mix).
inline uint64_t FrameDigest(const os::headless::PresentedFrame& frame) {
  uint64_t h = 0x9E3779B97F4A7C15ull ^ (uint64_t(frame.width) << 32 | uint32_t(frame.height));
  const size_t n = frame.pixels.size();
  const uint16_t* p = frame.pixels.data();
  size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    const uint64_t w = uint64_t(p[i]) | uint64_t(p[i + 1]) << 16 | uint64_t(p[i + 2]) << 32 |
                       uint64_t(p[i + 3]) << 48;
    h = (h ^ w) * 0xFF51AFD7ED558CCDull;
    h ^= h >> 29;
  }
  for (; i < n; ++i) h = (h ^ p[i]) * 0xC4CEB9FE1A85EC53ull;
  return h;
}

}  // namespace bench
