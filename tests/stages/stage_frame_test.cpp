// The frame every stage scene shares: entry block, a death played through
// it, the continue prompt and a ship that cannot die; the script sections
// and the boss block with its attack tick, time-out and defeat.
#include <gtest/gtest.h>

#include "el/draw/transition_state.h"
#include "el/sound/elSound.h"
#include "el/system/elSystem.h"
#include "os/headless/headless.h"
#include "player/death.h"
#include "player/powerup.h"
#include "shell/game_state.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage1/boss1_tables.h"
#include "stages/stage_frame.h"
#include "tests/stages/call_log.h"
#include "tests/support/game_harness.h"

namespace {

using namespace vantris_test;
using namespace stage_test;

constexpr float kStep = 1.0f / 64.0f;  // a fixed frame: 0.3125 px of stage 1

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
      {SceneStage3, 0, 0, 0, 1, 20.0f}, {SceneStage4, 0, 0, 1, 1, 16.0f},
      {SceneStage5, 0, 0, 1, 1, 14.0f}, {SceneStage6, 0, 0, 0, 1, 13.0f},
      {SceneStage7, 0, 0, 1, 1, 20.0f}, {SceneStage8, 0, 0, 0, 0, 20.0f},
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

// ---- script sections and the boss block ----

// One stage-1 frame called directly at 1/64 s, from `scroll`.
void Stage1FrameFrom(float scroll) {
  SceneEntered = 0;
  FrameTime = kStep;
  ScrollPos = scroll;
  Stage1Scene();
}

constexpr ScriptItem kTestAttack[] = {Ticks(0, 10), Rec<3>};
constexpr ScriptItem kAfterShots[] = {Rec<20>};
constexpr ScriptItem kKinds[] = {Rec<21>, Window(0, 5), Rec<99>};
constexpr ScriptItem kBeforePowerUp[] = {Rec<22>};
constexpr ScriptItem kBeforeShip[] = {Rec<23>};
constexpr ScriptItem kFamilies[] = {Rec<24>};
constexpr ScriptItem kMoreFamilies[] = {Rec<25>, Rec<26>};

TEST_F(StageFrameTest, ScriptSectionsRunAtTheirPlacesAndNothingWhilePaused) {
  Enter(SceneStage1);
  BossState boss{};
  boss.hitPoints = 5.0f;
  const BossRow boss_row{.state = &boss, .move = Rec<1>, .draw = Rec<2>, .defeat = Rec<4>,
                         .windowLo = 0, .windowHi = 1000, .attackBelow = 10,
                         .timeoutLo = 900, .timeoutHi = 1000, .attack = kTestAttack};
  const StageRow row{.scene = SceneStage1, .scrollRate = 20, .continueBombs = 3,
                     .boss = &boss_row, .afterShots = kAfterShots, .kinds = kKinds,
                     .beforePowerUp = kBeforePowerUp, .beforeShip = kBeforeShip,
                     .families = {kFamilies, {}, kMoreFamilies}};
  SceneEntered = 0;
  FrameTime = kStep;
  ScrollPos = 10.0f;
  Log().clear();
  RunStageFrame(row);
  EXPECT_EQ(Log(), (V{1, 2, 3, 20, 21, 22, 23, 24, 25, 26}));
  EXPECT_EQ(boss.attackTick, 1);

  // Paused: nothing runs, scrolls or is presented; Y only with the prompt up.
  const int presents = os::headless::PresentCount();
  const float scroll = ScrollPos;
  Log().clear();
  PauseFlag = 1;
  LastKey = 'Y';
  RunStageFrame(row);
  EXPECT_EQ(PauseFlag, 1u);
  ContinuePrompt = 1;
  RunStageFrame(row);
  EXPECT_TRUE(Log().empty());
  EXPECT_EQ(ScrollPos, scroll);
  EXPECT_EQ(os::headless::PresentCount(), presents);
  EXPECT_EQ(PauseFlag, 0u);
  EXPECT_EQ(ContinuePrompt, 0u);
  EXPECT_EQ(BombStock, 3);
  EXPECT_EQ(Lives, 111);
}

// Stage 1 at 2000 px: the attack tick counts only while 0 < HP < 1010; the
// boss block runs only while 1100 < ScrollPos < 10100.
TEST_F(StageFrameTest, Stage1AttackTickRunsOnlyBelowTheLimitInsideTheWindow) {
  Enter(SceneStage1);
  const struct {
    float scroll_after, hp;
    int32_t tick;
    bool moved;
  } rows[] = {
      {2000, 1020, 0, true},   {2000, 1010.5f, 0, true}, {2000, 1010, 0, true},
      {2000, 1009.5f, 1, true}, {2000, 0.5f, 1, true},   {2000, 0, 0, true},
      {2000, -1, 0, true},     {1100, 500, 0, false},    {1100.3125f, 500, 1, true},
      {10100, 500, 0, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.scroll_after << " " << row.hp);
    Boss1State.attackTick = 0;
    Boss1State.moveTimer = 0;
    Boss1State.defeatTimer = 0;
    Boss1State.hitPoints = row.hp;
    Stage1FrameFrom(row.scroll_after - 20 * kStep);
    EXPECT_EQ(Boss1State.attackTick, row.tick);
    EXPECT_EQ(Boss1State.moveTimer > 0, row.moved);
    EXPECT_EQ(SceneNumber, SceneStage1);
  }
}

// Tick windows inclusive, level gates, and the set-back by level: the
// entries that hold at the set-back tick run, and the next frame sees 1.
TEST_F(StageFrameTest, AttackWindowsAndTheSetBack) {
  static constexpr ScriptItem kAttack[] = {
      Ticks(0, 200), Rec<1>, Ticks(170, 200), Rec<2>, Ticks(200, 300), Rec<3>,
      Ticks(20, 280, Gate::Level2Or3), Rec<4>, Ticks(1400, 4300), Rec<5>,
  };
  static_assert(ValidAttackScript(kAttack));
  BossState boss{};
  const BossRow row{.state = &boss, .move = Rec<90>, .draw = Rec<91>, .defeat = Rec<92>,
                    .windowLo = 0, .windowHi = 100, .attackBelow = 1010,
                    .cycle = {NoSetBack, 4300, 1300, 1300}, .timeoutLo = 99,
                    .timeoutHi = 100, .attack = kAttack};
  const struct {
    int32_t level, tick_before;
    V calls;
    int32_t tick_after;
  } rows[] = {
      {1, 0, {1}, 1},          {1, 19, {1}, 20},          {3, 19, {1, 4}, 20},
      {1, 169, {1, 2}, 170},   {1, 199, {1, 2, 3}, 200},  {1, 200, {3}, 201},
      {1, 1399, {5}, 1400},    {1, 4299, {5}, 0},         {3, 1299, {}, 0},
      {0, 4299, {5}, 4300},    {0, NoSetBack - 1, {}, 0},
  };
  ScrollPos = 50;
  for (const auto& row_case : rows) {
    SCOPED_TRACE(testing::Message() << row_case.level << " " << row_case.tick_before);
    GameLevel = row_case.level;
    boss.hitPoints = 1000;
    boss.attackTick = row_case.tick_before;
    Log().clear();
    RunBossBlock(row);
    V expected{90, 91};  // the boss's Move and Draw, then the attack
    expected.insert(expected.end(), row_case.calls.begin(), row_case.calls.end());
    EXPECT_EQ(Log(), expected);
    EXPECT_EQ(boss.attackTick, row_case.tick_after);
  }
  // After the set-back the next frame runs with tick 1.
  GameLevel = 1;
  boss.attackTick = 4299;
  RunBossBlock(row);
  Log().clear();
  RunBossBlock(row);
  EXPECT_EQ(Log(), (V{90, 91, 1}));
  EXPECT_EQ(boss.attackTick, 1);
}

// From the first frame at exactly 10000 px the time-out forces HP 0 and runs
// the defeat after the draw's own call: the stage clears on the 225th frame
// (3.5 s), inside the window, and the loop then enters stage 2.
TEST_F(StageFrameTest, Stage1TimeOutEndsTheFightAfterThreeAndAHalfSeconds) {
  Enter(SceneStage1);
  Stage1FrameFrom(10000.0f - 20 * kStep - 20 * kStep);  // 9999.6875: nothing yet
  EXPECT_EQ(Boss1State.hitPoints, 1020.0f);
  int frames = 0;
  while (SceneNumber == SceneStage1 && frames < 400) {
    Stage1FrameFrom(ScrollPos);
    ++frames;
    if (frames == 1) { EXPECT_FLOAT_EQ(Boss1State.defeatTimer, 10 * kStep); }  // once
    if (SceneNumber == SceneStage1) { ASSERT_LT(ScrollPos, 10100.0f); }
  }
  EXPECT_EQ(frames, 225);
  EXPECT_EQ(SceneNumber, SceneStage2);
  EXPECT_EQ(TransitionBand, 30);
  EXPECT_EQ(TransitionDir, -1);
  EXPECT_EQ(ScrollPos, 0.0f);
  EXPECT_EQ(Boss1State.hitPoints, 1020.0f);
  ASSERT_EQ(RunFrames(1), 1);
  EXPECT_EQ(Frames().back().scene, SceneStage2);
  EXPECT_EQ(Frames().back().entered, 1u);
}

// A stall of any length late in the fight (or every frame a stall) moves the
// scroll position by at most 0.1 s of scrolling a frame, so the time-out
// still runs the defeat to the end inside its window.
TEST_F(StageFrameTest, StallsLateInTheFightStillEndTheStage) {
  const struct {
    uint32_t stall_ms;
    bool every_frame;
  } rows[] = {{1000, false}, {60u * 1000u, false}, {10000, true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.stall_ms);
    StartNewRun();
    Enter(SceneStage1);
    ScrollPos = 9999.0f;
    int frames = 0;
    while (SceneNumber == SceneStage1 && frames < 1000) {
      if (row.every_frame || frames == 0) os::headless::AdvanceMs(row.stall_ms);
      ASSERT_EQ(RunFrames(1), 1);
      ++frames;
    }
    EXPECT_EQ(SceneNumber, SceneStage2);
    EXPECT_LT(frames, 300);
  }
}

// Power-up windows are inclusive: a release at exactly 100 and 150.
TEST_F(StageFrameTest, PowerUpWindowBoundsAreInclusive) {
  Enter(SceneStage1);
  const struct {
    float scroll_after;
    bool released;
  } rows[] = {{99.6875f, false}, {100, true}, {150, true}, {150.3125f, false}, {950, true}};
  for (const auto& row : rows) {
    ResetPowerUp();
    Stage1FrameFrom(row.scroll_after - 20 * kStep);
    EXPECT_EQ(PowerUp.active, row.released ? 1u : 0u) << row.scroll_after;
  }
}

}  // namespace
