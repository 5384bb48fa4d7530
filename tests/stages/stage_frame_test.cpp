// The frame every stage scene shares: entry block, a death played through
// it, the continue prompt and a ship that cannot die.
#include <gtest/gtest.h>

#include "el/sound/elSound.h"
#include "el/system/elSystem.h"
#include "os/headless/headless.h"
#include "player/death.h"
#include "player/powerup.h"
#include "shell/game_state.h"
#include "shell/scene.h"
#include "stages/stage_frame.h"
#include "tests/support/game_harness.h"

namespace {

using namespace vantris_test;

class StageFrameTest : public RunningGameTest {
 protected:
  void SetUp() override {
    RunningGameTest::SetUp();
    StartNewRun();  // a run as the mode screen starts it
    GameLevel = 1;
  }
  // Enters a stage directly (as a scene change does) and runs its first frame.
  static void Enter(int32_t scene) {
    ScrollPos = 0;
    SceneFrame = 0;
    ASSERT_TRUE(EnterScene(scene));
  }
  static void Run(int n) { ASSERT_EQ(RunFrames(n), n); }
  static int Active(int from, int to) {
    int n = 0;
    for (int i = from; i < to; ++i) n += DeathFragments[i].active != 0;
    return n;
  }
};

// Stage 1 clears a pause and counts its first frame; stage 2 keeps the pause
// and runs the paused frame, which neither scrolls nor presents.
TEST_F(StageFrameTest, EntryFramesByStage) {
  const struct {
    int32_t scene;
    uint32_t pause_in, pause_out;
    int32_t frame;
    uint32_t music;
    float rate;
  } rows[] = {
      {SceneStage1, 1, 0, 1, 1, 20.0f}, {SceneStage2, 1, 1, 0, 0, 0.0f},
      {SceneStage3, 0, 0, 0, 1, 20.0f}, {SceneStage6, 0, 0, 0, 1, 13.0f},
      {SceneStage8, 0, 0, 0, 0, 20.0f},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.scene);
    elSound::StopMidi();
    PauseFlag = ContinuePrompt = CountdownActive = row.pause_in;
    const int presents = os::headless::PresentCount();
    Enter(row.scene);
    EXPECT_EQ(PauseFlag, row.pause_out);
    EXPECT_EQ(ContinuePrompt, row.pause_out);
    EXPECT_EQ(CountdownActive, row.pause_out);
    EXPECT_EQ(SceneFrame, row.frame);
    EXPECT_EQ(MidiOpen, row.music);
    EXPECT_FLOAT_EQ(ScrollPos, FrameTime * row.rate);
    EXPECT_EQ(os::headless::PresentCount(), presents + (row.pause_out ? 0 : 1));
  }
}

// Sixteen lives go on frame 40, the ship is back on frame 50, protected 249.
TEST_F(StageFrameTest, ADeathIsAFiftyFrameBurstThatCostsSixteenLives) {
  Enter(SceneStage1);
  SideLaser = 1;
  PowerLevel = 2;
  PlayerAlive = 0;  // as an enemy bullet does, the ship at (370, 520)
  Run(1);
  EXPECT_EQ(DeathBurstCounter, 1);
  EXPECT_EQ(SideLaser, 0u);
  EXPECT_EQ(PowerLevel, 0);
  EXPECT_EQ(Active(0, 16), 16);
  EXPECT_EQ(Active(16, DeathFragmentCount), 0);
  // A fragment that leaves the screen is parked and its ring does not fire
  // again: the count runs on for the whole burst.
  Run(29);
  EXPECT_LT(Active(0, 16), 16);
  Run(9);
  EXPECT_EQ(Lives, 999);
  Run(1);  // frame 40: the fifth ring
  EXPECT_EQ(Lives, 983);
  Run(9);
  EXPECT_EQ(PlayerAlive, 0u);
  EXPECT_EQ(RespawnFlag, 0u);
  Run(1);  // frame 50: back, protected
  EXPECT_EQ(PlayerAlive, 1u);
  EXPECT_EQ(RespawnFlag, 1u);

  // A hit while protected changes nothing.
  Run(100);
  PlayerAlive = 0;
  Run(1);
  EXPECT_EQ(PlayerAlive, 1u);
  EXPECT_EQ(Lives, 983);
  EXPECT_EQ(DeathBurstCounter, 50);

  // 249 counted protected frames in all (the hit's frame counts none), then
  // the fragments are parked.
  EXPECT_EQ(RespawnTimer, 100);
  Run(148);
  EXPECT_EQ(RespawnFlag, 1u);
  Run(1);
  EXPECT_EQ(RespawnFlag, 0u);
  EXPECT_EQ(RespawnTimer, 0);
  EXPECT_EQ(DeathBurstCounter, 0);
  EXPECT_EQ(Active(0, DeathFragmentCount), 0);
}

TEST_F(StageFrameTest, TheLastLivesBringTheContinuePromptAndOnlyYContinues) {
  Enter(SceneStage1);
  PauseFlag = 1;  // a pause made with S is not left by Y
  KeyDown('Y');
  Run(2);
  EXPECT_EQ(PauseFlag, 1u);
  KeyUp('Y');
  PauseFlag = 0;
  Lives = 16;
  Score = 4000;
  BombStock = 1;
  PlayerAlive = 0;
  Run(39);
  EXPECT_EQ(ContinuePrompt, 0u);
  const int presents = os::headless::PresentCount();
  Run(1);  // frame 40: the lives are gone
  EXPECT_EQ(Lives, 0);
  EXPECT_EQ(ContinuePrompt, 1u);
  EXPECT_EQ(PauseFlag, 1u);
  EXPECT_EQ(os::headless::PresentCount(), presents + 1);
  EXPECT_GT(LitPresented(300, 310, 500, 410), 1000);  // the prompt's picture

  // Paused: nothing moves, nothing is presented, the burst waits.
  const float scroll = ScrollPos;
  Run(30);
  EXPECT_EQ(ScrollPos, scroll);
  EXPECT_EQ(DeathBurstCounter, 40);

  TapKey('Y');
  EXPECT_EQ(PauseFlag, 0u);
  EXPECT_EQ(ContinuePrompt, 0u);
  EXPECT_EQ(Lives, 111);
  EXPECT_EQ(Score, 0);
  EXPECT_EQ(BombStock, 5);
  EXPECT_EQ(RespawnFlag, 1u);
  EXPECT_EQ(PlayerAlive, 1u);

  // Back protected for 249 frames; the burst ends with them.
  Run(247);
  EXPECT_EQ(RespawnFlag, 1u);
  Run(2);
  EXPECT_EQ(RespawnFlag, 0u);
  EXPECT_EQ(DeathBurstCounter, 0);
}

TEST_F(StageFrameTest, AShipThatCannotDieStaysDownAndLosesNothing) {
  Enter(SceneStage1);
  NoDeath = 1;
  SideLaser = 1;
  PlayerAlive = 0;
  Run(60);
  EXPECT_EQ(PlayerAlive, 0u);
  EXPECT_EQ(Lives, 999);
  EXPECT_EQ(SideLaser, 1u);
  EXPECT_EQ(DeathBurstCounter, 0);
  EXPECT_EQ(Active(0, DeathFragmentCount), 0);
}

}  // namespace
