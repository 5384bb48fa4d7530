// Stage 1's own tables through its scene: the wave windows at their exact
// bounds, Szak6C's extra moves, the boss's attack list by tick and level
// with its set-back, the music after the frame counter wraps, and the whole
// stage played from the mode screen into stage 2.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <iterator>
#include <functional>
#include <string>
#include <vector>

#include "el/sound/elSound.h"
#include "el/sound/midi_music.h"
#include "el/system/elSystem.h"
#include "enemies/kind_tables.h"
#include "os/headless/headless.h"
#include "os/keys.h"
#include "shell/game_state.h"
#include "shell/object_resets.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage1/boss1_tables.h"
#include "stages/stage_frame.h"
#include "tests/support/game_harness.h"

namespace {

using namespace vantris_test;

class Stage1ScriptTest : public RunningGameTest {
 protected:
  void SetUp() override {
    RunningGameTest::SetUp();
    StartNewRun();
    GameLevel = 1;
    ASSERT_TRUE(EnterScene(SceneStage1));
  }
  // Fresh tables, then one stage-1 frame that ends at `scroll` (the frame
  // adds `step` x 20 px first).
  static void FreshFrameAt(float scroll, float step = 0.0f) {
    ResetObjectTablesA();
    ResetObjectTablesB();
    FrameAt(scroll, step);
  }
  static void FrameAt(float scroll, float step = 0.0f) {
    SceneEntered = 0;
    FrameTime = step;
    ScrollPos = scroll - 20.0f * step;
    Stage1Scene();
  }
};

template <typename Slot, size_t N>
int ActiveCount(const Slot (&slots)[N]) {
  int n = 0;
  for (const Slot& s : slots) n += s.active != 0;
  return n;
}

TEST_F(Stage1ScriptTest, WaveWindowsAreStrictAtTheirExactBounds) {
  const struct {
    float scroll;
    int szak10;  // slots filled by the 120-170 and 250-400 windows
  } rows[] = {{120.0f, 0}, {120.01f, 3}, {169.99f, 3}, {170.0f, 0}, {250.0f, 0},
              {250.01f, 3}, {400.0f, 0}};
  for (const auto& row : rows) {
    FreshFrameAt(row.scroll);
    EXPECT_EQ(ActiveCount(Szak10Slots), row.szak10) << row.scroll;
  }
}

// Inside 800-900 and 1150-1180 Szak6C falls three times as far per frame as
// outside them.
TEST_F(Stage1ScriptTest, Szak6CMovesThreeTimesInsideItsWindows) {
  const float step = 1.0f / 64.0f;
  for (float window_scroll : {850.0f, 1160.0f}) {
    SCOPED_TRACE(window_scroll);
    FreshFrameAt(window_scroll);  // spawned at y -80
    ASSERT_EQ(Szak6CSlots[0].active, 1u);
    const float y0 = Szak6CSlots[0].y;
    FrameAt(window_scroll, step);
    const float inside = Szak6CSlots[0].y - y0;
    FrameAt(1300.0f, step);  // no window
    const float outside = Szak6CSlots[0].y - y0 - inside;
    EXPECT_GT(outside, 0.0f);
    EXPECT_NEAR(inside, 3.0f * outside, 1e-3f);
  }
}

// The attack list's families, each with the value that one call of its
// Fire or Schedule changes (an aimed line's live records, a schedule's
// tick, a spiral's counter).
struct Probe {
  const char* name;
  std::function<int()> value;
};

std::vector<Probe> AttackProbes() {
  std::vector<Probe> probes = {
      {"Val40L", [] { return Boss1Val40LSlots[0].tick; }},
      {"Vall301A", [] { return ActiveCount(Boss1Vall301ASlots); }},
      {"Vall301B", [] { return ActiveCount(Boss1Vall301BSlots); }},
      {"Vall301C", [] { return ActiveCount(Boss1Vall301CSlots); }},
      {"Vall301D", [] { return ActiveCount(Boss1Vall301DSlots); }},
      {"Vall301E", [] { return ActiveCount(Boss1Vall301ESlots); }},
      {"Vall301F", [] { return ActiveCount(Boss1Vall301FSlots); }},
      {"Vall301G", [] { return ActiveCount(Boss1Vall301GSlots); }},
      {"Vall301H", [] { return ActiveCount(Boss1Vall301HSlots); }},
      {"Val201A", [] { return ActiveCount(Boss1Val201ASlots); }},
      {"Val201B", [] { return ActiveCount(Boss1Val201BSlots); }},
      {"Valarm11", [] { return Boss1Valarm11Slots[0].tick; }},
      {"Valarm12", [] { return Boss1Valarm12Slots[0].tick; }},
      {"Val20241G", [] { return Boss1Val20241GSlots[0].tick; }},
      {"Val20241H", [] { return Boss1Val20241HSlots[0].tick; }},
      {"Vall20B", [] { return Boss1Vall20BSlots[0].tick; }},
      {"Vall20C", [] { return Boss1Vall20CSlots[0].tick; }},
      {"Vall20D", [] { return Boss1Vall20DSlots[0].tick; }},
      {"Vall20E", [] { return Boss1Vall20ESlots[0].tick; }},
      {"Vall20F", [] { return Boss1Vall20FSlots[0].tick; }},
      {"Val405A", [] { return Boss1Val405ASlots[0].tick; }},
      {"Val405B", [] { return Boss1Val405BSlots[0].tick; }},
      {"Val404", [] { return Boss1Val404Slots[0].tick; }},
  };
  // The spirals' counters: A, B, C, E, D, F.
  const char* spirals[] = {"Val20241A", "Val20241B", "Val20241C",
                           "Val20241E", "Val20241D", "Val20241F"};
  for (int k = 0; k < 6; ++k) {
    probes.push_back({spirals[k], [k] { return Boss1State.patternTicks[k]; }});
  }
  return probes;
}

using Names = std::vector<std::string>;

// One fight frame at 2000 px with the boss holding and hurt; the families
// the attack list called, in probe order.
Names AttackFrame(int32_t level, int32_t tick_before, bool fresh = true) {
  static const std::vector<Probe> probes = AttackProbes();
  if (fresh) {
    ResetObjectTablesA();
    ResetObjectTablesB();
  }
  GameLevel = level;
  Boss1State.hitPoints = 1000.0f;
  Boss1State.attackTick = tick_before;
  Boss1State.moveTimer = 140.0f;  // holding at (180, 0)
  std::vector<int> before;
  for (const Probe& p : probes) before.push_back(p.value());
  SceneEntered = 0;
  FrameTime = 1.0f / 64.0f;
  ScrollPos = 2000.0f;
  Stage1Scene();
  Names called;
  for (size_t i = 0; i < probes.size(); ++i) {
    if (probes[i].value() != before[i]) called.push_back(probes[i].name);
  }
  return called;
}

const Names kVall301AToF = {"Vall301A", "Vall301B", "Vall301C",
                            "Vall301D", "Vall301E", "Vall301F"};
Names With(Names a, const Names& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST_F(Stage1ScriptTest, AttackListByTickAndLevel) {
  const struct {
    int32_t level, tick;  // the tick the frame runs with
    Names called;
    int32_t tick_after;
  } rows[] = {
      {1, 1, {"Val40L", "Val20241C", "Val20241E"}, 1},
      // Ticks 20-280 fire the arms only at level 2 or 3.
      {1, 20, {"Val40L", "Val20241C", "Val20241E"}, 20},
      {3, 20, {"Val40L", "Valarm11", "Valarm12", "Val20241C", "Val20241E"}, 20},
      {3, 281, {"Val20241G", "Vall20B", "Val20241C", "Val20241E"}, 281},
      // 0-200, 170-200 and 200-300 all run at 200 (with 0-3000).
      {1, 200,
       With(With({"Val40L"}, kVall301AToF), {"Val20241G", "Val20241C", "Val20241E"}),
       200},
      {1, 900, {"Val40L", "Vall20C", "Vall20D", "Val405A", "Val405B", "Val404",
                "Val20241C", "Val20241E"}, 900},
      // 2300-2800 runs on both of its bounds.
      {1, 2300, {"Vall301G", "Vall301H", "Val20241A", "Val20241B", "Val20241C", "Val20241E",
                 "Val20241D", "Val20241F"}, 2300},
      {1, 2800, {"Vall301G", "Vall301H", "Val20241A", "Val20241B", "Val20241C", "Val20241E",
                 "Val20241D", "Val20241F"}, 2800},
      {1, 2801, {"Val20241A", "Val20241B", "Val20241C", "Val20241E", "Val20241D", "Val20241F"},
       2801},
      {1, 4250, With(kVall301AToF, {"Val20241A", "Val20241B", "Val20241D", "Val20241F"}),
       4250},
      // The set-back: the entries that hold at 4300 run, then the tick is 0.
      {1, 4300, {"Val20241A", "Val20241B", "Val20241D", "Val20241F"}, 0},
      {3, 4300, {"Val20241A", "Val20241B", "Val20241D", "Val20241F"}, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "level " << row.level << " tick " << row.tick);
    EXPECT_EQ(AttackFrame(row.level, row.tick - 1), row.called);
    EXPECT_EQ(Boss1State.attackTick, row.tick_after);
  }
  // The frame after the set-back runs tick 1.
  AttackFrame(1, 4299);
  EXPECT_EQ(AttackFrame(1, Boss1State.attackTick, false),
            (Names{"Val40L", "Val20241C", "Val20241E"}));
  EXPECT_EQ(Boss1State.attackTick, 1);
}

// When the frame counter wraps the next frame counts 1 and starts the music
// again.
TEST_F(Stage1ScriptTest, FrameCounterWrapRestartsTheMusic) {
  elSound::StopMidi();
  SceneFrame = SceneFrameWrap - 1;
  FrameAt(50.0f);
  EXPECT_EQ(SceneFrame, 0);
  EXPECT_EQ(MidiOpen, 0u);
  FrameAt(50.0f);
  EXPECT_EQ(SceneFrame, 1);
  EXPECT_EQ(MidiOpen, 1u);
}


// ---- the whole stage ----

// Live slots of the kinds the waves spawn at 10 frames a second.  (The
// spawn timers of Szak40A, Szak41A, Szak21C and Szak22C count frames: their
// first enemy comes after 30 and 100 Spawn calls, more frames than their
// windows last at this rate.)
int (*const kWaveKinds[])() = {
    [] { return ActiveCount(Szak10Slots); },  [] { return ActiveCount(Szak30BSlots); },
    [] { return ActiveCount(Szak31BSlots); }, [] { return ActiveCount(Szak32BSlots); },
    [] { return ActiveCount(Szak33BSlots); }, [] { return ActiveCount(Szak21BSlots); },
    [] { return ActiveCount(Szak22BSlots); }, [] { return ActiveCount(Szak6ASlots); },
    [] { return ActiveCount(Szak6BSlots); },  [] { return ActiveCount(Szak6CSlots); },
};

class Stage1RouteTest : public RunningGameTest {};

// From the mode screen (O: the ship cannot die, F2: level 3), stage 1
// played at 0.1 s a frame with the ray salvo held until the scene changes:
// the waves came, the boss fought back with its arms, the ship lost
// nothing, and the defeat entered stage 2 freshly.  (Level 1 is played
// through by the route test; its attack list without the arms is pinned
// above.)
TEST_F(Stage1RouteTest, Level3FromTheModeScreenIntoStage2WithArms) {
  int frames = 0, max_arms = 0;
  int32_t max_tick = 0;
  uint32_t seen = 0;
  ASSERT_TRUE(TitleToModeScreen());
  ASSERT_TRUE(ModeScreenToStage({'O'}, os::KeyF2));
  KeyDown('B');
  while (SceneNumber == SceneStage1 && frames < 6000) {
    os::headless::AdvanceMs(100);
    ASSERT_EQ(RunFrames(1), 1);
    ++frames;
    max_tick = std::max(max_tick, Boss1State.attackTick);
    for (size_t k = 0; k < std::size(kWaveKinds); ++k) {
      if (kWaveKinds[k]() > 0) seen |= 1u << k;
    }
    max_arms = std::max(max_arms, ActiveCount(Boss1Valarm11Slots) +
                                      ActiveCount(Boss1Valarm12Slots));
  }
  KeyUp('B');
  EXPECT_EQ(SceneNumber, SceneStage2);
  EXPECT_GT(frames, 550);  // the boss window opens at 1100 px
  EXPECT_EQ(std::popcount(seen), static_cast<int>(std::size(kWaveKinds)));
  EXPECT_GT(max_tick, 280);
  EXPECT_GT(max_arms, 0);
  EXPECT_EQ(Lives, 999);
  ASSERT_EQ(RunFrames(1), 1);
  EXPECT_EQ(Frames().back().scene, SceneStage2);
  EXPECT_EQ(Frames().back().entered, 1u);
}

}  // namespace
