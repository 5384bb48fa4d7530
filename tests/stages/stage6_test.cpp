// Stage 6, entered directly (no scene change leads to it): its waves at
// their bounds with the double spawns and triple moves, the gunships' shot
// 1, the boss window and attack list with its gate and set-back, the
// counters and the bolt streams of a whole attack cycle, and the time-out
// into scene 8.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "el/draw/transition_state.h"
#include "el/system/elSystem.h"
#include "enemies/kind_tables.h"
#include "shell/game_state.h"
#include "shell/object_resets.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage6/boss6_bolts.h"
#include "stages/stage6/boss6_body.h"
#include "stages/stage6/stage6_scene.h"
#include "tests/stages/attack_probes.h"
#include "tests/stages/call_log.h"
#include "tests/support/game_harness.h"

namespace {

using namespace vantris_test;
using namespace stage_test;

constexpr float kStep = 1.0f / 64.0f;  // a fixed frame: 0.203125 px of stage 6
constexpr float kRate = 13.0f;

class Stage6Test : public RunningGameTest {
 protected:
  void SetUp() override {
    RunningGameTest::SetUp();
    StartNewRun();
    GameLevel = 1;
    NoDeath = 1;
    ScrollPos = 0;
    ASSERT_TRUE(EnterScene(SceneStage6));
  }
  // One stage-6 frame called directly at 1/64 s, ending at `scroll_after`.
  static void FrameTo(float scroll_after) {
    SceneEntered = 0;
    FrameTime = kStep;
    ScrollPos = scroll_after - kRate * kStep;
    Stage6Scene();
  }
  static void FreshTables() {
    ResetObjectTablesA();
    ResetObjectTablesB();
  }
  template <typename T, size_t N>
  static int Active(const T (&table)[N]) {
    int n = 0;
    for (const T& r : table) n += r.active != 0;
    return n;
  }
};

// The wave windows are strict: at exactly 200 neither Szak30B nor Szak31B
// counts; in 200 .. 250 Szak31B's timers count twice a frame, elsewhere
// once.  Szak6D spawns in 600 .. 680 but fires its shot 1 only from 800.
TEST_F(Stage6Test, WaveWindowsAtTheirBounds) {
  const struct {
    float scroll_after;
    int32_t timer30b, timer31b;
    bool gunship, shot1;
  } rows[] = {
      {160.0f, 0, 0, false, false},   {160.25f, 1, 0, false, false},
      {199.75f, 1, 0, false, false},  {200.0f, 0, 0, false, false},
      {200.25f, 1, 2, false, false},  {249.75f, 1, 2, false, false},
      {250.0f, 0, 0, false, false},   {899.75f, 1, 1, true, true},
      {900.0f, 1, 1, false, false},
      {600.0f, 0, 0, false, false},   {600.25f, 0, 0, true, false},
      {679.75f, 0, 0, true, false},   {800.25f, 0, 0, true, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.scroll_after);
    FreshTables();
    FrameTo(row.scroll_after);
    EXPECT_EQ(Szak30BSlots[0].waveTimer, row.timer30b);
    EXPECT_EQ(Szak31BSlots[0].waveTimer, row.timer31b);
    EXPECT_EQ(Active(Szak6DSlots) > 0, row.gunship);
    EXPECT_EQ(Active(Szak6DShot1Slots) > 0, row.shot1);
  }
}

// Inside 800 .. 900 and 900 .. 980 Szak6C falls three steps a frame; on the
// frame that ends at exactly 900 one.
TEST_F(Stage6Test, Szak6CMovesThreeTimesInItsWindows) {
  const struct {
    float scroll_after;
    float steps;
  } rows[] = {{850.0f, 3}, {900.0f, 1}, {900.25f, 3}, {979.75f, 3}, {980.0f, 1}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.scroll_after);
    FreshTables();
    FrameTo(850.0f);  // spawned
    ASSERT_EQ(Szak6CSlots[0].active, 1u);
    const float y = Szak6CSlots[0].y;
    FrameTo(row.scroll_after);
    EXPECT_FLOAT_EQ(Szak6CSlots[0].y - y, row.steps * Szak6CSlots[0].vy * kStep);
  }
}

// Shot 1 of Szak13A and Szak13B, fired in every Szak13 window, flies on in
// the frames after.
TEST_F(Stage6Test, Szak13ShotOneFlies) {
  for (AimedShot* shots : {Szak13AShot1Slots, Szak13BShot1Slots}) {
    FreshTables();
    FrameTo(580.0f);
    ASSERT_EQ(shots[0].active, 1u);
    const float x = shots[0].x, y = shots[0].y;
    FrameTo(580.25f);
    EXPECT_EQ(shots[0].active, 1u);
    EXPECT_TRUE(shots[0].x != x || shots[0].y != y);
  }
}

// The boss block runs while 1250 < ScrollPos < 11100; the tick counts only
// while 0 < HP < 1380.
TEST_F(Stage6Test, BossWindowAndAttackGate) {
  const struct {
    float scroll_after, hp;
    int32_t tick;
    bool moved;
  } rows[] = {
      {1250.0f, 500, 0, false}, {1250.25f, 500, 1, true}, {5000, 1400, 0, true},
      {5000, 1380, 0, true},    {5000, 1379.5f, 1, true}, {5000, 0.5f, 1, true},
      {11100, 500, 0, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.scroll_after << " " << row.hp);
    Boss6State.attackTick = 0;
    Boss6State.moveTimer = 0;
    Boss6State.hitPoints = row.hp;
    FrameTo(row.scroll_after);
    EXPECT_EQ(Boss6State.attackTick, row.tick);
    EXPECT_EQ(Boss6State.moveTimer > 0, row.moved);
  }
}

// Which windows of the attack list open at a tick (in list order; a pair of
// calls tested one by one shows its window twice), and the set-back: tick
// 1610 is served (no window holds it) and goes back to 0.
TEST_F(Stage6Test, AttackWindowsAndTheSetBack) {
  const Probed probed = ProbeHeaders(Stage6Boss.attack);
  ASSERT_EQ(probed.headers.size(), 27u);
  BossRow row = Stage6Boss;
  row.attack = probed.items;
  const struct {
    int32_t tick;
    HeaderBounds open;
  } rows[] = {
      {1, {{0, 170}}},
      {30, {{30, 100}, {0, 170}}},
      {100, {{30, 100}, {100, 150}, {0, 170}}},
      {171, {}},
      {200, {{200, 300}}},
      {300, {{200, 300}, {220, 320}, {240, 340}}},
      {341, {}},
      {450, {{360, 500}, {370, 510}, {380, 520}, {450, 600}, {400, 600}, {400, 600}}},
      {600, {{450, 600}, {400, 600}, {400, 600}, {600, 950}}},
      {900,
       {{600, 950}, {650, 900}, {650, 900}, {700, 900}, {800, 950}, {800, 950}, {900, 1300}}},
      {950,
       {{600, 950}, {800, 950}, {800, 950}, {900, 1300}, {910, 1310}, {920, 1320}, {950, 1500},
        {950, 1500}}},
      {1300,
       {{900, 1300}, {910, 1310}, {920, 1320}, {950, 1500}, {950, 1500}, {1100, 1500},
        {1100, 1500}, {1150, 1600}}},
      {1500, {{950, 1500}, {950, 1500}, {1100, 1500}, {1100, 1500}, {1450, 1550}, {1150, 1600}}},
      {1600, {{1150, 1600}}},
      {1601, {}},
      {1610, {}},
  };
  ScrollPos = 5000;
  for (const auto& r : rows) {
    SCOPED_TRACE(r.tick);
    Boss6State.attackTick = r.tick - 1;
    Boss6State.hitPoints = 700;
    Log().clear();
    RunBossBlock(row);
    EXPECT_EQ(probed.Opened(), r.open);
    EXPECT_EQ(Boss6State.attackTick, r.tick == 1610 ? 0 : r.tick);
  }
}

// A whole attack cycle of 1610 frames with the bolts moved every frame: the
// twin drops' and the ring's schedule counters count their calls (170 + 351
// + 101 and 151 + 451), the tick is back at 0, and on every frame of a bolt
// window a chain is in flight: each chain leaves on the frame after the one
// before has left the field, never outside the family's windows.
TEST_F(Stage6Test, CountersAndBoltStreamsOfOneCycle) {
  struct Bolt {
    void (*move)();
    AimedShot* points;
    std::vector<std::pair<int, int>> windows;
    int chains = 0;
  } bolts[] = {
      {Boss6BoltAMove, Boss6BoltASlots, {{30, 100}, {200, 300}, {360, 500}, {900, 1300}}},
      {Boss6BoltBMove, Boss6BoltBSlots, {{30, 100}, {200, 300}, {360, 500}, {900, 1300}}},
      {Boss6BoltCMove, Boss6BoltCSlots, {{220, 320}, {370, 510}, {910, 1310}}},
      {Boss6BoltDMove, Boss6BoltDSlots, {{220, 320}, {370, 510}, {910, 1310}}},
      {Boss6BoltEMove, Boss6BoltESlots, {{240, 340}, {380, 520}, {920, 1320}}},
      {Boss6BoltFMove, Boss6BoltFSlots, {{240, 340}, {380, 520}, {920, 1320}}},
  };
  FreshTables();
  FrameTime = 1.0f / 60.0f;
  ScrollPos = 5000;
  Boss6State.moveTimer = 151;  // at its hold point
  Boss6State.hitPoints = 700;
  PlayerX = 370;
  PlayerY = 500;
  for (int tick = 1; tick <= 1610; ++tick) {
    SCOPED_TRACE(tick);
    bool was_flying[6];
    for (int b = 0; b < 6; ++b) was_flying[b] = bolts[b].points[0].active != 0;
    RunBossBlock(Stage6Boss);
    for (int b = 0; b < 6; ++b) {
      Bolt& bolt = bolts[b];
      bool open = false;
      for (auto [lo, hi] : bolt.windows) open = open || (lo <= tick && tick <= hi);
      const bool flying = bolt.points[0].active != 0;
      EXPECT_EQ(flying, open || was_flying[b]) << b;
      if (flying && !was_flying[b]) ++bolt.chains;
      bolt.move();
    }
  }
  EXPECT_EQ(Boss6State.attackTick, 0);
  for (const Bolt& bolt : bolts) EXPECT_GT(bolt.chains, static_cast<int>(bolt.windows.size()));
  EXPECT_EQ(Boss6Val405ASlots[0].tick, (170 + 351 + 101) % 140);
  EXPECT_EQ(Boss6Val405BSlots[0].tick, (170 + 351 + 101) % 140);
  EXPECT_EQ(Boss6Val20241DSlots[0].tick, (151 + 451) % 390);
}

// From 11000 the time-out forces HP 0 and the defeat runs after the Draw's
// own call: the stage clears on the 225th frame, well before 11100, into
// scene 8 with a 30-band transition.
TEST_F(Stage6Test, TimeOutEndsTheFightIntoSceneEight) {
  FrameTo(11000.0f - kRate * kStep);  // the next frame ends at exactly 11000
  EXPECT_EQ(Boss6State.hitPoints, 1400.0f);
  int frames = 0;
  while (SceneNumber == SceneStage6 && frames < 400) {
    FrameTo(ScrollPos + kRate * kStep);
    ++frames;
    if (SceneNumber == SceneStage6) { ASSERT_LT(ScrollPos, 11100.0f); }
  }
  EXPECT_EQ(frames, 225);
  EXPECT_EQ(SceneNumber, SceneStage7);
  EXPECT_EQ(TransitionBand, 30);
  EXPECT_EQ(Boss6State.hitPoints, 1400.0f);
}

}  // namespace
