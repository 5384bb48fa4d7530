// Stage 5 over the shared frame: the wave windows that meet at 1260 and the
// boss window that opens where the last waves close, the boss's attack list
// at levels 0, 1 and 3, and the stage played to its boss's defeat at level 3
// with the laser.  (Stage 4's defeat into stage 5: stage4_test.cpp.)
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "el/draw/transition_state.h"
#include "enemies/kind_tables.h"
#include "shell/object_resets.h"
#include "shell/scenes.h"
#include "stages/stage5/boss5_body.h"
#include "stages/stage5/boss5_families.h"
#include "stages/stage5/stage5_scene.h"
#include "tests/stages/attack_probes.h"
#include "tests/stages/call_log.h"
#include "tests/stages/stage_fixture.h"

namespace {

using namespace vantris_test;
using namespace stage_test;

// A fixed frame of 1/64 s is 0.21875 px of stage 5.
class Stage5Test : public StageFixture {
 protected:
  static void FrameTo(float scroll_after) { SceneFrameTo(Stage5Scene, 14.0f, scroll_after); }
};

// The last windows of the wave kinds (1150-1260 and 1260-1300) and of
// Szak21A (1180-1260) are strict, so 1260 spawns none; at 1300 neither the
// waves nor the boss block run, just above it the boss moves.  Each row
// starts from fresh tables.
TEST_F(Stage5Test, WindowsMeetAt1260AndTheBossWindowOpensAbove1300) {
  enum What { Szak40A, Szak41B, Szak21A, Szak6D, Boss };
  const struct {
    float scroll_after;
    What what;
    bool expected;
  } rows[] = {
      {1259.8f, Szak40A, true},  {1260.0f, Szak40A, false}, {1260.2f, Szak40A, true},
      {1299.8f, Szak41B, true},  {1300.0f, Szak41B, false}, {1260.0f, Szak41B, false},
      {1259.8f, Szak21A, true},  {1260.0f, Szak21A, false}, {600.2f, Szak6D, true},
      {1100.0f, Szak6D, false},  {1300.0f, Boss, false},    {1300.2f, Boss, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.scroll_after << " " << row.what);
    ResetObjectTablesA();
    ResetObjectTablesB();
    FrameTo(row.scroll_after);
    bool seen = false;
    switch (row.what) {
      case Szak40A: seen = Szak40ASlots[0].waveTimer > 0; break;
      case Szak41B: seen = Szak41BSlots[0].waveTimer > 0; break;
      case Szak21A: seen = Active(Szak21ASlots) > 0; break;
      case Szak6D: seen = Active(Szak6DSlots) > 0; break;
      case Boss: seen = Boss5State.moveTimer > 0; break;
    }
    EXPECT_EQ(seen, row.expected);
  }
}

// Which windows open at a tick at levels 0, 1 and 3 (a pair of calls tested
// one by one shows its window twice): the laser at level 3, the bursts and
// extra rows at level 1, neither at level 0; at level 1 the tick 1200 opens
// the B and C rows' windows 1200-1300 and 1120-1200 both, so they are
// scheduled twice; the last window closes at 1750, the tick goes back to 0
// after 1770.
TEST_F(Stage5Test, AttackWindowsByLevel) {
  const Probed probed = ProbeHeaders(Stage5Boss.attack);
  BossRow row = Stage5Boss;
  row.attack = probed.items;
  const struct {
    int32_t tick_before, level;
    HeaderBounds open;
    int32_t tick_after;
  } rows[] = {
      {0, 1, {{0, 100}, {0, 100}}, 1},
      {4, 3, {{5, 200}, {0, 100}, {0, 100}}, 5},
      {299, 1, {{200, 300}, {300, 500}}, 300},
      {299, 3, {{200, 300}, {300, 600}, {300, 600}}, 300},
      {299, 0, {{200, 300}}, 300},
      {1199,
       1,
       {{1200, 1300}, {1200, 1300}, {1020, 1200}, {1120, 1200}, {1120, 1200}, {1100, 1200}},
       1200},
      {1199, 3, {{1000, 1300}, {1000, 1300}, {1200, 1300}, {1200, 1300}}, 1200},
      {1299,
       3,
       {{1000, 1300}, {1000, 1300}, {1200, 1300}, {1200, 1300}, {1300, 1450}, {1300, 1450}},
       1300},
      {1749, 1, {{1500, 1750}}, 1750},
      {1750, 3, {}, 1751},
      {1769, 3, {}, 0},
  };
  ScrollPos = 5000;
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << r.tick_before << " level " << r.level);
    GameLevel = r.level;
    Boss5State.attackTick = r.tick_before;
    Boss5State.hitPoints = 900;
    Log().clear();
    RunBossBlock(row);
    EXPECT_EQ(probed.Opened(), r.open);
    EXPECT_EQ(Boss5State.attackTick, r.tick_after);
  }
  // At 980 hit points the boss does not attack.
  Boss5State.hitPoints = 980;
  Boss5State.attackTick = 299;
  Log().clear();
  RunBossBlock(row);
  EXPECT_TRUE(Log().empty());
  EXPECT_EQ(Boss5State.attackTick, 299);
}

// Stage 5 entered directly at level 3 and played from its last waves (1000)
// in frames of 0.1 s with a ship that cannot die and the starfield alone
// (cheap frames): the waves come, the entry
// picture rises and the boss comes in; the laser is held until the boss's
// attack begins and let go until tick 1000 (its laser beams, rows and
// streams come, the level-1 bursts never), then held again to the boss's
// defeat and the change to stage 7 with a 30-step band.
TEST_F(Stage5Test, EnteredDirectlyAtLevelThreeItPlaysToItsDefeatAndStageSeven) {
  GameLevel = 3;
  NoDeath = 1;
  BackgroundOff = 1;
  Enter(SceneStage5);
  ScrollPos = 1000.0f;
  KeyDown('C');
  int frames = 0, waves = 0;
  bool entry_seen = false, boss_on_field = false;
  while (Boss5State.attackTick == 0 && frames < 2000) {
    ASSERT_TRUE(LongFrame());
    ++frames;
    waves = std::max(waves, Active(Szak6DSlots) + Active(Szak13ASlots) + Active(Szak9Slots));
    if (Boss5Entry.y > -480 && Boss5Entry.y < 600) entry_seen = true;
    if (Boss5State.x == 210.0f && Boss5State.y == 0.0f) boss_on_field = true;
  }
  KeyUp('C');
  EXPECT_GT(waves, 2);
  EXPECT_TRUE(entry_seen);
  EXPECT_TRUE(boss_on_field);
  ASSERT_EQ(Boss5State.attackTick, 1);

  int beams = 0;
  bool rows_by_place = false, animated_rows = false, streams = false, bursts = false;
  while (Boss5State.attackTick < 1000 && frames < 4000) {
    ASSERT_TRUE(LongFrame());
    ++frames;
    beams += Boss5Valarm51ASlots[0].active + Boss5Valarm51BSlots[0].active;
    rows_by_place = rows_by_place || Active(Boss5Val402ASlots) > 0;
    animated_rows = animated_rows || Active(Boss5Val20241GSlots) > 0;
    streams = streams || Active(Boss5Ray3ESlots) > 0;
    bursts = bursts || Active(Boss5Val13ASlots) > 0;
  }
  EXPECT_EQ(SceneNumber, SceneStage5);
  EXPECT_GT(beams, 2 * 240);  // both beams, four frames in five of 301 ticks
  EXPECT_TRUE(rows_by_place);
  EXPECT_TRUE(animated_rows);
  EXPECT_TRUE(streams);
  EXPECT_FALSE(bursts);

  KeyDown('C');
  while (SceneNumber == SceneStage5 && frames < 8000) {
    ASSERT_TRUE(LongFrame());
    ++frames;
  }
  KeyUp('C');
  EXPECT_EQ(SceneNumber, SceneStage7);
  EXPECT_EQ(TransitionBand, 30);
  EXPECT_LT(frames, 4000);
  EXPECT_EQ(Lives, 999);
  ASSERT_TRUE(LongFrame());
  EXPECT_EQ(Frames().back().scene, SceneStage7);
  EXPECT_EQ(Frames().back().entered, 1u);
  BackgroundOff = 0;
}

}  // namespace
