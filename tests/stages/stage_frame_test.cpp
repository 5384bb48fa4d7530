// The frame that every stage scene shares: entry block, counted frames and
// music, scroll, each stage's background; a death played through it (the
// 50-frame burst, 16 lives, the 249 protected frames), the continue prompt
// when the lives run out and the Y key that continues, and a ship that
// cannot die.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "el/sound/elSound.h"
#include "el/system/elSystem.h"
#include "os/headless/headless.h"
#include "player/death.h"
#include "player/powerup.h"
#include "player/starfield.h"
#include "shell/background.h"
#include "shell/game_state.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage_background.h"
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

// The entry frame: stage 1 clears a pause and counts its first frame (its
// music starts on frame 1); stages 3, 6 and 8 count none and start their
// music in the entry block (stage 8 has none); stage 2 keeps the pause and
// runs the paused frame, which neither scrolls nor presents.
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
    if (row.music) {
      EXPECT_EQ(MidiLoop, 1u);  // the stage music loops
    }
    EXPECT_FLOAT_EQ(ScrollPos, FrameTime * row.rate);
    EXPECT_EQ(os::headless::PresentCount(), presents + (row.pause_out ? 0 : 1));
  }
}

TEST_F(StageFrameTest, TheFrameCountWrapsAndStartsTheMusicAgain) {
  Enter(SceneStage4);
  SceneFrame = SceneFrameWrap - 1;
  ASSERT_EQ(RunFrames(1), 1);
  EXPECT_EQ(SceneFrame, 0);
  elSound::StopMidi();
  ASSERT_EQ(RunFrames(1), 1);
  EXPECT_EQ(SceneFrame, 1);
  EXPECT_EQ(MidiOpen, 1u);
}

TEST_F(StageFrameTest, EveryStageSceneRunsItsOwnRow) {
  const SceneFunction scenes[8] = {Stage1Scene, Stage2Scene, Stage3Scene, Stage4Scene,
                                   Stage5Scene, Stage6Scene, Stage7Scene, Stage8Scene};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(StageTable[i].scene, SceneStage1 + i);
    EXPECT_EQ(SceneTable[SceneStage1 + i], scenes[i]);
  }
}

// Each stage number draws its own starfield (with its own speeds, or none)
// and layers; with the layers off only the starfield runs.
TEST_F(StageFrameTest, EachStageDrawsItsStarfieldAndLayers) {
  const struct {
    int32_t stage;
    uint32_t off;
    float min_speed, max_speed;  // 0: the starfield does not run
    float bback1, bback2, bback3, bback6;
  } rows[] = {
      {1, 0, 80.0f, 159.0f, 133.0f, 120.0f, 120.0f, 120.0f},
      {2, 1, 150.0f, 299.0f, 120.0f, 120.0f, 120.0f, 120.0f},  // the layer keeps its place
      {5, 0, 0.0f, 0.0f, 133.0f, 120.0f, 134.0f, 120.0f},      // window [0, 500] 140
      {0, 0, 0.0f, 0.0f, 120.0f, 120.0f, 120.0f, 120.0f},
      {9, 0, 0.0f, 0.0f, 120.0f, 120.0f, 120.0f, 120.0f},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.stage);
    BackgroundOff = row.off;
    ScrollPos = 100.0f;
    FrameTime = 0.1f;
    float lo = 1e9f, hi = -1e9f;
    for (int i = 0; i < 100; ++i) {
      ResetBackgroundStrips();
      // Particle 0 falls out in the frame; the others stay far below.
      for (StarParticle& p : StarParticles) p = {0, 300.0f, -5000.0f, 0.0f};
      StarParticles[0] = {0, 300.0f, 599.0f, 100.0f};
      DrawStageBackground(row.stage);
      ASSERT_EQ(StarParticles[0].y <= 0.0f, row.min_speed > 0);
      lo = std::min(lo, StarParticles[0].fall_speed);
      hi = std::max(hi, StarParticles[0].fall_speed);
    }
    if (row.min_speed > 0) {
      EXPECT_GE(lo, row.min_speed);
      EXPECT_LE(hi, row.max_speed);
    }
    EXPECT_FLOAT_EQ(Bback1sStrips[0].y, row.bback1);
    EXPECT_FLOAT_EQ(Bback2sStrips[0].y, row.bback2);
    EXPECT_FLOAT_EQ(Bback3sStrips[0].y, row.bback3);
    EXPECT_FLOAT_EQ(Bback6sStrips[0].y, row.bback6);
  }
  BackgroundOff = 0;
}

// One death followed frame by frame: each ring leaves once in sixteen
// directions toward the corner, the fragments cycle through fifteen cells of
// the sheet, sixteen lives go on frame 40, the ship is back on frame 50 and
// protected for 249 frames.
TEST_F(StageFrameTest, ADeathIsAFiftyFrameBurstThatCostsSixteenLives) {
  Enter(SceneStage1);
  constexpr float kTurn = 2.0f * std::numbers::pi_v<float>;
  SideLaser = 1;
  PowerLevel = 2;
  PlayerAlive = 0;  // as an enemy bullet does, the ship at (370, 520)
  std::vector<std::pair<int, int>> cells{{DeathFragments[0].column, DeathFragments[0].row}};
  Run(1);
  EXPECT_EQ(DeathBurstCounter, 1);
  EXPECT_EQ(SideLaser, 0u);
  EXPECT_EQ(PowerLevel, 0);
  EXPECT_EQ(Active(0, 16), 16);
  EXPECT_EQ(Active(16, DeathFragmentCount), 0);
  const float aim = std::atan2(20.0f - 520.0f, 20.0f - 370.0f) + kTurn;
  for (int i = 0; i < 16; ++i) {
    const DeathFragment& f = DeathFragments[i];
    EXPECT_NEAR(std::fmod(f.angle, kTurn), std::fmod(aim + i * kTurn / 16, kTurn), 1e-4f) << i;
    EXPECT_EQ(f.speed, 280.0f);
  }
  EXPECT_NEAR(DeathFragments[0].x,
              370.0f + std::cos(DeathFragments[0].angle) * 280.0f * FrameTime, 1e-3f);
  for (int frame = 1; frame < 16; ++frame) {
    cells.emplace_back(DeathFragments[0].column, DeathFragments[0].row);
    Run(1);
  }
  const std::vector<std::pair<int, int>> expected = {
      {0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0},
      {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {0, 0}};
  EXPECT_EQ(cells, expected);
  // A fragment that leaves the screen is parked and its ring does not fire
  // again: the count runs on for the whole burst.
  Run(14);
  EXPECT_LT(Active(0, 16), 16);
  Run(9);
  EXPECT_EQ(Lives, 999);
  Run(1);  // frame 40: the fifth ring
  EXPECT_EQ(Lives, 983);
  Run(9);
  EXPECT_EQ(PlayerAlive, 0u);
  EXPECT_EQ(RespawnFlag, 0u);
  for (int i = 0; i < 16; ++i) {
    EXPECT_TRUE(DeathFragments[i].active || DeathFragments[i].y == 2550.0f) << i;
  }
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
  for (const DeathFragment& f : DeathFragments) EXPECT_EQ(f.y, 2550.0f);

  // The next death costs sixteen lives again.
  PlayerAlive = 0;
  Run(50);
  EXPECT_EQ(Lives, 967);
  EXPECT_EQ(RespawnFlag, 1u);
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
  EXPECT_EQ(os::headless::PresentCount(), presents + 1);
  KeyDown('A');
  Run(2);
  EXPECT_EQ(PauseFlag, 1u);  // any other key changes nothing
  KeyUp('A');

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

TEST_F(StageFrameTest, StageSevenContinuesWithThreeBombs) {
  Enter(SceneStage7);
  PauseFlag = ContinuePrompt = 1;
  TapKey('Y');
  EXPECT_EQ(PauseFlag, 0u);
  EXPECT_EQ(BombStock, 3);
  EXPECT_EQ(Lives, 111);
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
