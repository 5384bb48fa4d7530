// No frame in play allocates: every heap block the game's code takes goes
// through this program's operator new (bench/allocation_count.h), which
// counts per thread (the SDL audio device mixes on a thread of its own).  A scene's first two frames
// may load and set up; every later frame must take nothing.
//
// On the headless backend: the played route at level 3 as the benchmarks
// play it (bench/route_play.h: the laser held, frames of 0.1 s, as the route
// tests play it) with the mouse moved every frame of play, and every stage's
// boss fight with every pool of its boss full.  On the SDL backend under
// SDL's dummy drivers: title frames through the main loop, and a boss fight.
// Along the route every rotated draw comes from a kept turn.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "bench/allocation_count.h"
#include "bench/boss_fights.h"
#include "bench/route_play.h"
#include "el/draw/elDraw.h"
#include "el/draw/transition_state.h"
#include "os/headless/headless.h"
#include "os/path.h"
#include "os/system.h"
#include "shell/game_state.h"
#include "shell/scene.h"
#include "shell/shell.h"
#include "tests/support/game_harness.h"

namespace {

using namespace vantris_test;

constexpr int kSetUpFrames = 2;  // a scene's frames that may allocate

// Heap blocks this thread takes while `work` runs.
template <class Work>
uint64_t Allocations(Work&& work) {
  const uint64_t before = bench::ThreadAllocations;
  work();
  return bench::ThreadAllocations - before;
}

// Boss fight frames of every stage after two set-up frames: the blocks each
// stage's frames took, "stage N: count" for each stage that took any.
std::string BossFightAllocations(int frames) {
  std::ostringstream out;
  for (int stage = 1; stage <= 8; ++stage) {
    bench::SetUpBossFight(stage);
    for (int i = 0; i < kSetUpFrames; ++i) bench::BossFightFrame(stage);
    const uint64_t taken = Allocations([&] {
      for (int i = 0; i < frames; ++i) bench::BossFightFrame(stage);
    });
    if (taken != 0) out << "stage " << stage << ": " << taken << "\n";
  }
  TransitionStep = 0;
  return out.str();
}

class FrameAllocationsTest : public GameTest {};

TEST_F(FrameAllocationsTest, BossFightsWithFullPoolsAllocateNothing) {
  ASSERT_TRUE(StartGame());
  PumpMessages();
  ASSERT_EQ(RunFrames(1), 1);
  EXPECT_EQ(BossFightAllocations(10), "");
}

TEST_F(FrameAllocationsTest, ThePlayedRouteAllocatesNothingPastEachScenesFirstFrames) {
  std::ostringstream allocating;  // "scene frame: count" of every frame that allocated
  int frames_in_play = 0;
  int stay = 0;  // frames of the running scene before this one
  int32_t scene = -1;
  bool playing = false;  // stage 1 ran past its transition
  uint64_t fresh_turns = 0;
  // Blocks taken between two frames' ends are the later frame's.
  uint64_t allocations_before = bench::ThreadAllocations;
  const bool played =
      bench::PlayRoute(bench::kPlayedRoute, 3, 100, [&](const bench::RouteFrame& f) {
        const uint64_t taken = bench::ThreadAllocations - allocations_before;
        if (f.entered || f.scene != scene) {
          scene = f.scene;
          stay = 0;
        }
        if (stay >= kSetUpFrames) {
          ++frames_in_play;
          if (taken != 0)
            allocating << "scene " << scene << " frame " << stay << ": " << taken << "\n";
        }
        ++stay;
        if (!playing && f.scene == SceneStage1 && TransitionStep == 0) {
          playing = true;
          fresh_turns = elDraw::soft::FreshTurns;
        }
        allocations_before = bench::ThreadAllocations;
        // Input every frame of play (the ship keeps to the keys), taken in
        // by the next frame's loop passes.
        if (playing) os::headless::MouseMove(200 + frames_in_play % 400, 300);
      });
  EXPECT_TRUE(played) << "the route does not play through";
  EXPECT_TRUE(playing);
  EXPECT_EQ(allocating.str(), "");
  EXPECT_GT(frames_in_play, 3000);
  EXPECT_EQ(elDraw::soft::FreshTurns, fresh_turns);
}

// The SDL backend under SDL's dummy drivers: the game started as the program
// starts it, title frames through the main loop (its waits and pumps
// included), then boss fights presented through SDL.
class SdlFrameAllocationsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_RUNTIME_DIR", MakeTempDir("runtime").c_str(), 1);
    ASSERT_TRUE(StartSdlDummy());
    os::SetExeDir(AssetDir() + "/");
    QuitRequested = ErrorFlag = 0;
    ASSERT_EQ(StartUp(0, "", 1), StartUpResult::Run);
    started_ = true;
  }
  void TearDown() override {
    if (started_) FinishWinMain();
    os::Stop();
  }
  bool started_ = false;
};

TEST_F(SdlFrameAllocationsTest, TitleFramesAndBossFightsAllocateNothing) {
  int frames = 0;
  while (frames < kSetUpFrames) frames += RunLoopPass() == LoopPass::Frame;
  const uint64_t taken = Allocations([&] {
    for (int ran = 0; ran < 20;) ran += RunLoopPass() == LoopPass::Frame;
  });
  EXPECT_EQ(taken, 0u);
  EXPECT_EQ(BossFightAllocations(5), "");
}

}  // namespace
