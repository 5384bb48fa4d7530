// No frame in play allocates: every heap block the game's code takes goes
// through this program's operator new (bench/allocation_count.h), which
// counts per thread (the SDL audio device mixes on a thread of its own).  A scene's first two frames
// may load and set up; every later frame must take nothing.
//
// On the headless backend: the played route at level 3 (the laser held,
// frames of 0.1 s, as the route tests play it, and the mouse moved every
// frame), and every stage's boss fight with every pool of its boss full.  On the SDL backend under SDL's
// dummy drivers: title frames through the main loop, and a boss fight.
// Along the route every rotated draw comes from a kept turn.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "bench/allocation_count.h"
#include "bench/boss_fights.h"
#include "el/draw/elDraw.h"
#include "os/headless/headless.h"
#include "os/headless/headless_audio.h"
#include "os/keys.h"
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
  ASSERT_TRUE(StartGame());
  PumpMessages();
  ASSERT_EQ(RunFrames(1), 1);
  ASSERT_TRUE(TitleToModeScreen());
  ASSERT_TRUE(ModeScreenToStage({'O', os::KeySpace}, os::KeyF2));
  const uint64_t fresh_turns = elDraw::soft::FreshTurns;
  SceneFrameHook = nullptr;  // the harness's record of frames grows as it goes

  std::ostringstream allocating;  // "scene frame: count" of every frame that allocated
  int frames_in_play = 0;
  int stay = kSetUpFrames;  // frames of the running scene (the stage is past its entry)
  int32_t scene = SceneNumber;
  KeyDown('C');
  while (SceneNumber != SceneTitle) {
    os::headless::AdvanceMs(100);
    // The headless MIDI log, a recorder for tests, keeps every command of the
    // run; emptied (its room kept) it takes a frame's few commands without
    // growing, which is no work of the game's.
    os::headless::ClearMidiLog();
    const uint64_t taken = Allocations([&] {
      MouseMove(200 + frames_in_play % 400, 300);  // input every frame (the ship keeps to the keys)
      EXPECT_EQ(RunFrames(1), 1);
    });
    if (stay >= kSetUpFrames) {
      ++frames_in_play;
      if (taken != 0) allocating << "scene " << scene << " frame " << stay << ": " << taken << "\n";
    }
    ++stay;
    if (SceneNumber != scene) {
      scene = SceneNumber;
      stay = 0;
    }
    ASSERT_LT(frames_in_play, 20000) << "the route does not end";
  }
  KeyUp('C');
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
    ASSERT_TRUE(StartUp(0, "", 1));
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
