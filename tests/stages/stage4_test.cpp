// Stage 4 over the shared frame: its wave and power-up windows at their
// bounds, the gunships' shot 4, the paused frame and the continue, the boss
// block with its attack list, the time-outs of stages 3 to 8, and the route
// from stage 2 through stage 4 into stage 5.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>
#include <vector>

#include "el/draw/transition_state.h"
#include "el/sound/midi_music.h"
#include "el/system/elSystem.h"
#include "enemies/kind_tables.h"
#include "os/headless/headless.h"
#include "player/powerup.h"
#include "shell/game_state.h"
#include "shell/object_resets.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage2/boss2_body.h"
#include "stages/stage3/boss3_tables.h"
#include "stages/stage4/boss4_body.h"
#include "stages/stage4/boss4_families.h"
#include "stages/stage4/boss4_streams.h"
#include "stages/stage4/stage4_scene.h"
#include "stages/stage5/boss5_tables.h"
#include "stages/stage6/boss6_tables.h"
#include "stages/stage7/boss7_tables.h"
#include "stages/stage8/boss8_tables.h"
#include "tests/stages/attack_probes.h"
#include "tests/stages/call_log.h"
#include "tests/stages/stage_fixture.h"
#include "tests/support/game_harness.h"

namespace {

using namespace vantris_test;
using namespace stage_test;

// A fixed frame of 1/64 s is 0.25 px of stage 4.
class Stage4Test : public StageFixture {
 protected:
  static void FrameTo(float scroll_after, float rate = 16.0f,
                      void (*scene)() = Stage4Scene) {
    SceneFrameTo(scene, rate, scroll_after);
  }
};

// Wave windows are strict, power-up windows inclusive; the gunships' shot 4
// fires in play, shots 2 and 3 only under GameMode 2 and only inside their
// sub-windows.  Each row starts from fresh tables.
TEST_F(Stage4Test, WindowsAtTheirBounds) {
  enum What { Szak1A, Szak12, Szak50B, Szak30ATimer, PowerUpItem, Shot4Of6D, Shot2Of6D, Shot2Of13A };
  const struct {
    float scroll_after;
    int32_t mode;
    What what;
    bool expected;
  } rows[] = {
      {130.0f, 1, Szak1A, false},      {130.25f, 1, Szak1A, true},
      {199.75f, 1, Szak1A, true},      {200.0f, 1, Szak1A, false},
      {550.0f, 1, Szak12, false},      {550.25f, 1, Szak12, true},
      {799.75f, 1, Szak12, true},      {800.0f, 1, Szak12, false},
      {1200.0f, 1, Szak50B, false},    {1200.25f, 1, Szak50B, true},
      {1270.0f, 1, Szak50B, false},    {50.0f, 1, Szak30ATimer, false},
      {50.25f, 1, Szak30ATimer, true}, {1349.75f, 1, Szak30ATimer, true},
      {99.75f, 1, PowerUpItem, false}, {100.0f, 1, PowerUpItem, true},
      {150.0f, 1, PowerUpItem, true},  {150.25f, 1, PowerUpItem, false},
      {1050.0f, 1, PowerUpItem, true}, {360.0f, 1, Shot4Of6D, false},
      {360.25f, 1, Shot4Of6D, true},   {1220.25f, 1, Shot4Of6D, true},
      {361.0f, 1, Shot2Of6D, false},   {361.0f, 2, Shot2Of6D, true},
      {420.0f, 2, Shot2Of6D, false},   {451.0f, 2, Shot2Of6D, true},
      {1230.0f, 2, Shot2Of6D, false},  {960.0f, 2, Shot2Of13A, true},
      {920.0f, 2, Shot2Of13A, false},  {1320.0f, 2, Shot2Of13A, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.scroll_after << " mode " << row.mode);
    ResetObjectTablesA();
    ResetObjectTablesB();
    ResetPowerUp();
    GameMode = row.mode;
    FrameTo(row.scroll_after);
    bool seen = false;
    switch (row.what) {
      case Szak1A: seen = Active(Szak1ASlots) > 0; break;
      case Szak12: seen = Active(Szak12Slots) > 0; break;
      case Szak50B: seen = Active(Szak50BSlots) > 0; break;
      case Szak30ATimer: seen = Szak30ASlots[0].waveTimer > 0; break;
      case PowerUpItem: seen = PowerUp.active != 0; break;
      case Shot4Of6D: seen = Active(Szak6DShot4Slots) > 0; break;
      case Shot2Of6D: seen = Active(Szak6DShot2Slots) > 0; break;
      case Shot2Of13A: seen = Active(Szak13AShot2Slots) > 0; break;
    }
    EXPECT_EQ(seen, row.expected);
  }
  GameMode = 1;
}

// Shot 4 of the gunships is fired in play, so the frame moves and draws it:
// a bullet fired on the window's first frame flies on in the next frames.
TEST_F(Stage4Test, TheGunshipsShotFourFliesEveryFrame) {
  for (StraightShot* shots : {Szak6DShot4Slots, Szak6EShot4Slots, Szak13AShot4Slots,
                              Szak13BShot4Slots}) {
    ResetObjectTablesA();
    ResetObjectTablesB();
    FrameTo(360.25f);
    ASSERT_EQ(shots[0].active, 1u);
    const float y = shots[0].y;
    const float x = shots[0].x;
    FrameTo(360.5f);
    EXPECT_EQ(shots[0].active, 1u);
    EXPECT_TRUE(shots[0].y != y || shots[0].x != x);
  }
}

// Paused by S, Y does nothing; at the continue prompt Y resumes with 111
// lives, the stage's bombs (3 in stage 7) and score 0, and the waves go on
// from the same place.
TEST_F(Stage4Test, PauseAndContinue) {
  for (const auto& [scene, bombs] : {std::pair{SceneStage4, 5}, std::pair{SceneStage7, 3}}) {
    SCOPED_TRACE(scene);
    Enter(scene);
    ASSERT_EQ(RunFrames(10), 10);
    PauseFlag = 1;
    KeyDown('Y');
    ASSERT_EQ(RunFrames(2), 2);
    EXPECT_EQ(PauseFlag, 1u);
    KeyUp('Y');
    ContinuePrompt = 1;
    Score = 4000;
    BombStock = 1;
    Lives = 0;
    PlayerAlive = 0;
    const float scroll = ScrollPos;
    const int32_t frame = SceneFrame;
    const int presents = os::headless::PresentCount();
    ASSERT_EQ(RunFrames(20), 20);
    EXPECT_EQ(ScrollPos, scroll);
    EXPECT_EQ(SceneFrame, frame);
    EXPECT_EQ(os::headless::PresentCount(), presents);

    TapKey('Y');
    EXPECT_EQ(PauseFlag, 0u);
    EXPECT_EQ(ContinuePrompt, 0u);
    EXPECT_EQ(Lives, 111);
    EXPECT_EQ(BombStock, bombs);
    EXPECT_EQ(Score, 0);
    EXPECT_EQ(RespawnFlag, 1u);
    EXPECT_EQ(PlayerAlive, 1u);
    EXPECT_EQ(ScrollPos, scroll);
    ASSERT_EQ(RunFrames(1), 1);
    EXPECT_GT(ScrollPos, scroll);
    EXPECT_EQ(SceneFrame, frame + 1);
    EXPECT_EQ(os::headless::PresentCount(), presents + 1);
  }
}

// The boss block runs while 1470 < ScrollPos < 11100; the tick counts only
// while 0 < HP < 780.
TEST_F(Stage4Test, BossWindowAndAttackGate) {
  const struct {
    float scroll_after, hp;
    int32_t tick;
    bool moved;
  } rows[] = {
      {1470.0f, 500, 0, false}, {1470.25f, 500, 1, true}, {5000, 800, 0, true},
      {5000, 780, 0, true},     {5000, 779.5f, 1, true},  {5000, 0.5f, 1, true},
      {5000, 0, 0, true},       {11100, 500, 0, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.scroll_after << " " << row.hp);
    Boss4State.attackTick = 0;
    Boss4State.moveTimer = 0;
    Boss4State.defeatTimer = 0;
    Boss4State.hitPoints = row.hp;
    FrameTo(row.scroll_after);
    EXPECT_EQ(Boss4State.attackTick, row.tick);
    EXPECT_EQ(Boss4State.moveTimer > 0, row.moved);
  }
}

// Which windows open at a tick, under which gates, and the set-back at
// 1920: the tick 1920 is served once, the next frame sees tick 1 (the
// attack list with a recording call under each header in place of its
// calls, run by the stage's own boss block).
TEST_F(Stage4Test, AttackWindowsGatesBandsAndTheSetBack) {
  const Probed probed = ProbeHeaders(Stage4Boss.attack);
  BossRow row = Stage4Boss;
  row.attack = probed.items;
  const struct {
    int32_t tick_before;
    float hp;
    int32_t mode, sub_mode;
    HeaderBounds open;
    int32_t tick_after;
  } rows[] = {
      {0, 700, 1, 0, {}, 1},
      {29, 700, 1, 0, {{30, 60}, {30, 60}}, 30},
      {59, 700, 1, 0, {{30, 60}, {30, 60}, {60, 80}}, 60},
      {299, 700, 1, 0, {{200, 300}, {300, 500}}, 300},
      {299, 700, 1, 1, {{200, 300}, {300, 500}, {300, 400}}, 300},
      {499, 700, 1, 0, {{300, 500}, {380, 500}, {450, 500}, {400, 500}, {500, 550}}, 500},
      {1199, 700, 1, 0, {{950, 1200}, {1000, 1200}, {1050, 1200}, {1200, 1250}}, 1200},
      {1508, 700, 1, 0, {}, 1509},
      {1509, 700, 1, 0, {{1510, 1900}}, 1510},
      {1900, 700, 1, 0, {}, 1901},
      {1918, 750, 1, 0, {}, 1919},
      {1918, 750, 2, 0, {{740, 770}}, 1919},
      {1919, 470, 2, 0, {{460, 490}}, 0},
      {1919, 90, 3, 0, {{60, 90}}, 0},
      {1919, 91, 3, 0, {}, 0},
  };
  ScrollPos = 5000;
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << r.tick_before << " hp " << r.hp << " mode " << r.mode
                                    << "/" << r.sub_mode);
    GameMode = r.mode;
    GameSubMode = r.sub_mode;
    Boss4State.attackTick = r.tick_before;
    Boss4State.hitPoints = r.hp;
    Log().clear();
    RunBossBlock(row);
    EXPECT_EQ(probed.Opened(), r.open);
    EXPECT_EQ(Boss4State.attackTick, r.tick_after);
  }
  GameMode = 1;
  GameSubMode = 0;
}

// From the first frame that ends at 11000 the time-out forces HP 0 and runs
// the defeat, after the Draw's own call (which found the boss alive on that
// first frame): each stage clears on its 225th frame (3.5 s), before 11100,
// into its next scene with its band, every table reset.
TEST_F(Stage4Test, TimeOutsEndEveryFightInsideItsWindow) {
  const struct {
    void (*scene)();
    int32_t scene_number;
    float rate;
    BossState* boss;
    float start_hp;
    int32_t next, band;
  } rows[] = {
      {Stage3Scene, SceneStage3, 20, &Boss3State, Boss3StartHitPoints, SceneStage4, 30},
      {Stage4Scene, SceneStage4, 16, &Boss4State, Boss4StartHitPoints, SceneStage5, 30},
      {Stage5Scene, SceneStage5, 14, &Boss5State, Boss5StartHitPoints, SceneStage7, 30},
      {Stage6Scene, SceneStage6, 13, &Boss6State, Boss6StartHitPoints, SceneStage7, 30},
      {Stage7Scene, SceneStage7, 20, &Boss7State, Boss7StartHitPoints, SceneEnding, 30},
      {Stage8Scene, SceneStage8, 20, &Boss8State, Boss8StartHitPoints, SceneEnding, 60},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.scene_number);
    ResetObjectTablesA();
    ResetObjectTablesB();
    SceneNumber = row.scene_number;
    ScrollPos = 11000.0f - row.rate * kStep;
    int frames = 0;
    while (SceneNumber == row.scene_number && frames < 400) {
      FrameTo(ScrollPos + row.rate * kStep, row.rate, row.scene);
      ++frames;
      if (frames == 1) { EXPECT_FLOAT_EQ(row.boss->defeatTimer, 10 * kStep); }
      if (SceneNumber == row.scene_number) { ASSERT_LT(ScrollPos, 11100.0f); }
    }
    EXPECT_EQ(frames, 225);
    EXPECT_EQ(SceneNumber, row.next);
    EXPECT_EQ(TransitionBand, row.band);
    EXPECT_EQ(ScrollPos, 0.0f);
    EXPECT_EQ(row.boss->hitPoints, row.start_hp);
  }
}

// Stage 2's defeat enters stage 4, stage 4's stage 5: each starts its music
// on its first counted frame and scrolls at its rate.
TEST_F(Stage4Test, DefeatsLeadIntoStagesFourAndFive) {
  const struct {
    int32_t from;
    BossState* boss;
    void (*defeat)();
    int32_t to, band;
    float start_hp, rate;
  } rows[] = {
      {SceneStage2, &Boss2State, Boss2Defeat, SceneStage4, 60, 1000, 16},
      {SceneStage4, &Boss4State, Boss4Defeat, SceneStage5, 30, 800, 14},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.from);
    Enter(row.from);
    row.boss->hitPoints = 0.0f;
    int calls = 0;
    while (SceneNumber == row.from && calls < 1000) {
      row.defeat();  // as the boss's Draw calls it every frame
      ++calls;
    }
    ASSERT_EQ(SceneNumber, row.to);
    EXPECT_EQ(TransitionBand, row.band);
    EXPECT_EQ(row.boss->hitPoints, row.start_hp);
    elSound::StopMidi();
    ASSERT_EQ(RunFrames(1), 1);
    EXPECT_EQ(Frames().back().scene, row.to);
    EXPECT_EQ(Frames().back().entered, 1u);
    EXPECT_EQ(SceneFrame, 1);
    EXPECT_EQ(MidiOpen, 1u);
    EXPECT_FLOAT_EQ(ScrollPos, row.rate * FrameTime);
    EXPECT_TRUE(RunUntil([] { return TransitionStep == 0; }));
    EXPECT_EQ(SceneNumber, row.to);
  }
}

// The boss's bullet families by the attack list: those it fires in a cycle,
// and those it moves and draws but never fires in play.
struct Family {
  const char* name;
  bool (*in_flight)();
  bool fired;
};
template <auto& Table>
bool InFlight() {
  for (const auto& r : Table) {
    if (r.active != 0) return true;
  }
  return false;
}
#define FIRED_FAMILY(stem) Family{#stem, InFlight<stem##Slots>, true}
#define IDLE_FAMILY(stem) Family{#stem, InFlight<stem##Slots>, false}
const Family kBoss4Families[] = {
    FIRED_FAMILY(Boss4Vall3011C),  FIRED_FAMILY(Boss4Vall3011D),  FIRED_FAMILY(Boss4Vall3011E),
    FIRED_FAMILY(Boss4Vall3011F),  FIRED_FAMILY(Boss4Vall3011G),  FIRED_FAMILY(Boss4Vall3011H),
    FIRED_FAMILY(Boss4Vall3011I),  FIRED_FAMILY(Boss4Vall3011O),  FIRED_FAMILY(Boss4Vall3011P),
    FIRED_FAMILY(Boss4Vall3011Q),  FIRED_FAMILY(Boss4Vall3011R),  FIRED_FAMILY(Boss4Vall3011S),
    FIRED_FAMILY(Boss4Vall3011T),  FIRED_FAMILY(Boss4Vall3011U),  FIRED_FAMILY(Boss4Vall3011Y),
    FIRED_FAMILY(Boss4Vall3011Z),  FIRED_FAMILY(Boss4Vall3011AA), FIRED_FAMILY(Boss4Vall3011AB),
    FIRED_FAMILY(Boss4Vall3011AC), FIRED_FAMILY(Boss4Vall3011AD), FIRED_FAMILY(Boss4Vall3017A),
    FIRED_FAMILY(Boss4Vall3018A),  FIRED_FAMILY(Boss4Vall3017B),  FIRED_FAMILY(Boss4Vall3018B),
    FIRED_FAMILY(Boss4Ray4A),      FIRED_FAMILY(Boss4Ray4B),      FIRED_FAMILY(Boss4Ray5A),
    FIRED_FAMILY(Boss4Ray5B),      FIRED_FAMILY(Boss4Ray6A),      FIRED_FAMILY(Boss4Ray6B),
    FIRED_FAMILY(Boss4Vall20A),    FIRED_FAMILY(Boss4Vall20B),    FIRED_FAMILY(Boss4Vall20C),
    FIRED_FAMILY(Boss4Vall20D),    FIRED_FAMILY(Boss4Vall20E),    FIRED_FAMILY(Boss4Val20241C),
    FIRED_FAMILY(Boss4Val20241D),  FIRED_FAMILY(Boss4Val405A),    FIRED_FAMILY(Boss4Val405B),
    FIRED_FAMILY(Boss4Val405C),
    IDLE_FAMILY(Boss4Vall3011A),   IDLE_FAMILY(Boss4Vall3011B),   IDLE_FAMILY(Boss4Vall3011J),
    IDLE_FAMILY(Boss4Vall3011K),   IDLE_FAMILY(Boss4Vall3011L),   IDLE_FAMILY(Boss4Vall3011M),
    IDLE_FAMILY(Boss4Vall3011N),   IDLE_FAMILY(Boss4Vall3011V),   IDLE_FAMILY(Boss4Vall3011W),
    IDLE_FAMILY(Boss4Vall3011X),   IDLE_FAMILY(Boss4Val20241A),   IDLE_FAMILY(Boss4Val20241B),
    IDLE_FAMILY(Boss4Val20241E),   IDLE_FAMILY(Boss4Val20241F),   IDLE_FAMILY(Boss4Val13A),
    IDLE_FAMILY(Boss4Val13E),      IDLE_FAMILY(Boss4Val13I),
};
#undef FIRED_FAMILY
#undef IDLE_FAMILY

// Stage 4 entered directly and played from its last waves (1200) in frames
// of 0.1 s with a ship that cannot die, the starfield alone (cheap frames):
// the waves come and the boss enters; the laser is held until the boss's attack begins, let go for
// one whole cycle of 1920 ticks (every family of the attack list fires, the
// others stay parked, and the schedule counters hold their calls of one
// cycle), then held again to the boss's defeat and stage 5.
TEST_F(Stage4Test, EnteredDirectlyItPlaysTheWholeFightToItsDefeatAndStageFive) {
  NoDeath = 1;
  BackgroundOff = 1;
  Enter(SceneStage4);
  ScrollPos = 1200.0f;
  KeyDown('C');
  int frames = 0, waves = 0;
  bool boss_on_field = false;
  while (Boss4State.attackTick == 0 && frames < 2000) {
    ASSERT_TRUE(LongFrame());
    ++frames;
    waves = std::max(waves, Active(Szak12Slots) + Active(Szak6DSlots) + Active(Szak13ASlots));
    if (Boss4State.x == 180.0f && Boss4State.y == 0.0f) boss_on_field = true;
  }
  KeyUp('C');
  EXPECT_GT(waves, 2);
  EXPECT_TRUE(boss_on_field);
  ASSERT_EQ(Boss4State.attackTick, 1);

  std::vector<bool> seen(std::size(kBoss4Families), false);
  int32_t highest = 0;
  while (Boss4State.attackTick != 0 && frames < 5000) {
    ASSERT_TRUE(LongFrame());
    ++frames;
    highest = std::max(highest, Boss4State.attackTick);
    for (size_t i = 0; i < seen.size(); ++i) {
      if (kBoss4Families[i].in_flight()) seen[i] = true;
    }
  }
  ASSERT_EQ(SceneNumber, SceneStage4);
  EXPECT_EQ(highest, 1919);  // 1920 is served in the frame that sets it back
  EXPECT_GT(Boss4State.hitPoints, 0.0f);
  for (size_t i = 0; i < seen.size(); ++i) {
    EXPECT_EQ(seen[i], kBoss4Families[i].fired) << kBoss4Families[i].name;
  }
  // Each counter holds the calls of one cycle, wrapped at its own cycle:
  // rows D/E 101 calls (200-300), B/C 101 + 251 of 170, A 151 of 150; the
  // twins 21 + 51; the fans 31 + 51 (the 300-400 window is gated off); the
  // streams 391 of 150.
  const struct {
    const char* name;
    int32_t tick, expected;
  } counters[] = {
      {"Vall20D", Boss4Vall20DSlots[49].tick, 101}, {"Vall20E", Boss4Vall20ESlots[0].tick, 101},
      {"Vall20B", Boss4Vall20BSlots[0].tick, 12},   {"Vall20C", Boss4Vall20CSlots[0].tick, 12},
      {"Vall20A", Boss4Vall20ASlots[0].tick, 1},    {"Val405A", Boss4Val405ASlots[0].tick, 72},
      {"Val405C", Boss4Val405CSlots[19].tick, 72},  {"Val20241C", Boss4Val20241CSlots[0].tick, 82},
      {"Val20241D", Boss4Val20241DSlots[0].tick, 82}, {"Val20241E", Boss4Val20241ESlots[0].tick, 0},
      {"Val20241A", Boss4Val20241ASlots[0].tick, 0},
  };
  for (const auto& c : counters) EXPECT_EQ(c.tick, c.expected) << c.name;
  for (int32_t i = 0; i < Boss4PatternTickCount; ++i) EXPECT_EQ(Boss4State.patternTicks[i], 91) << i;

  KeyDown('C');
  float scroll_at_defeat = 0.0f;
  while (SceneNumber == SceneStage4 && frames < 8000) {
    ASSERT_TRUE(LongFrame());
    ++frames;
    if (Boss4State.hitPoints <= 0.0f && scroll_at_defeat == 0.0f) scroll_at_defeat = ScrollPos;
  }
  KeyUp('C');
  EXPECT_EQ(SceneNumber, SceneStage5);
  EXPECT_GT(scroll_at_defeat, 1470.0f);  // beaten before the time-out
  EXPECT_LT(scroll_at_defeat, 11000.0f);
  EXPECT_EQ(Lives, 999);
  ASSERT_TRUE(LongFrame());
  EXPECT_EQ(Frames().back().scene, SceneStage5);
  EXPECT_EQ(Frames().back().entered, 1u);
  BackgroundOff = 0;
}

}  // namespace
