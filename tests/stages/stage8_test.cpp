// Stage 8 over the shared frame: no frame count, music or sight; its wave
// and power-up windows at their bounds; how often each kind moves; the
// boss's bursts moved every frame; the boss block with its attack list (the
// double calls at tick 800, the same cycle at every level) and the ring pool
// that stays inert.
#include <gtest/gtest.h>

#include "el/sound/midi_music.h"
#include "el/system/elSystem.h"
#include "enemies/kind_tables.h"
#include "enemies/large_kinds.h"
#include "enemies/small_kinds.h"
#include "player/homing_storage.h"
#include "player/powerup.h"
#include "shell/game_state.h"
#include "shell/object_resets.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage7/boss7_patterns.h"
#include "stages/stage8/boss8_body.h"
#include "stages/stage8/boss8_families.h"
#include "stages/stage8/stage8_scene.h"
#include "tests/player/player_fixture.h"
#include "tests/stages/attack_probes.h"
#include "tests/stages/kind_moves.h"
#include "tests/stages/stage_fixture.h"
#include "tests/support/game_harness.h"

namespace {

using namespace vantris_test;
using namespace stage_test;

constexpr float kRate = 20.0f;

class Stage8Test : public StageFixture {
 protected:
  // One frame of stage 8 at 1/64 s, ending at `scroll_after`.
  static void FrameTo(float scroll_after) { SceneFrameTo(Stage8Scene, kRate, scroll_after); }
};

// Entered with a frame count and the sight elsewhere: the count stays, no
// music starts, the sight is not placed.
TEST_F(Stage8Test, NoFrameCountNoMusicNoSight) {
  elSound::StopMidi();
  SceneFrame = 77;
  ScrollPos = 0;
  LockSightX = LockSightY = -1;
  ASSERT_TRUE(EnterScene(SceneStage8));
  ASSERT_EQ(RunFrames(30), 30);
  EXPECT_EQ(SceneFrame, 77);
  EXPECT_EQ(MidiOpen, 0u);
  EXPECT_EQ(LockSightX, -1);
  EXPECT_EQ(LockSightY, -1);
}

// Wave windows are strict, power-up windows inclusive; the Szak54 spawn
// bounded by 600 and 400 never runs.  Each row starts from fresh tables.
TEST_F(Stage8Test, WindowsAtTheirBounds) {
  enum What { Szak9, Szak12, Szak52A, Szak21A, Szak51, Szak53A, Szak50B, Szak54A, PowerUpItem };
  const struct {
    float scroll_after;
    What what;
    bool expected;
  } rows[] = {
      {220.0f, Szak9, false},      {220.3125f, Szak9, true},     {399.6875f, Szak9, true},
      {400.0f, Szak9, false},      {400.0f, Szak12, false},      {400.3125f, Szak12, true},
      {550.0f, Szak12, false},     {1480.0f, Szak52A, false},    {1480.3125f, Szak52A, true},
      {1550.0f, Szak52A, false},   {1550.0f, Szak21A, false},    {1550.3125f, Szak21A, true},
      {1649.6875f, Szak21A, true}, {769.6875f, Szak51, true},     {770.0f, Szak51, false},
      {770.3125f, Szak53A, true},  {790.0f, Szak53A, false},     {250.3125f, Szak50B, true},
      {300.0f, Szak50B, false},    {500.0f, Szak54A, false},     {600.0f, Szak54A, false},
      {1070.3125f, Szak54A, true}, {1120.0f, Szak54A, false},    {1300.3125f, Szak54A, true},
      {1350.0f, Szak54A, false},   {1479.6875f, Szak54A, true},  {99.6875f, PowerUpItem, false},
      {100.0f, PowerUpItem, true}, {150.0f, PowerUpItem, true},  {150.3125f, PowerUpItem, false},
      {1050.0f, PowerUpItem, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.scroll_after);
    ResetObjectTablesA();
    ResetObjectTablesB();
    ResetPowerUp();
    FrameTo(row.scroll_after);
    bool seen = false;
    switch (row.what) {
      case Szak9: seen = Active(Szak9Slots) > 0; break;
      case Szak12: seen = Active(Szak12Slots) > 0; break;
      case Szak52A: seen = Active(Szak52ASlots) > 0; break;
      case Szak21A: seen = Active(Szak21ASlots) > 0; break;
      case Szak51: seen = Active(Szak51Slots) > 0; break;
      case Szak53A: seen = Active(Szak53ASlots) > 0; break;
      case Szak50B: seen = Active(Szak50BSlots) > 0; break;
      case Szak54A: seen = Active(Szak54ASlots) > 0; break;
      case PowerUpItem: seen = PowerUp.active != 0; break;
    }
    EXPECT_EQ(seen, row.expected);
  }
}

// Szak9 and Szak12 move twice a frame, the others once (at 50, before
// every window).
TEST_F(Stage8Test, KindsMoveTheirTimes) {
  const auto frame = [] { FrameTo(50.0f); };
  EXPECT_EQ(MovesPerFrame(Szak9Slots, Szak9Spawn, Szak9Move, frame), 2);
  EXPECT_EQ(MovesPerFrame(Szak12Slots, Szak12Spawn, Szak12Move, frame), 2);
  EXPECT_EQ(MovesPerFrame(Szak52ASlots, Szak52ASpawn, Szak52AMove, frame), 1);
  EXPECT_EQ(MovesPerFrame(Szak51Slots, Szak51Spawn, Szak51Move, frame), 1);
}

// The boss's bursts are moved on every frame, long before the boss window.
TEST_F(Stage8Test, TheBurstsFlyOnOutsideTheBossWindow) {
  ResetObjectTablesA();
  ResetObjectTablesB();
  Boss8State.x = 180.0f;
  Boss8State.y = 0.0f;
  Boss8Val1AFire();
  ASSERT_EQ(Boss8Val1ASlots[0].active, 1u);
  const float y = Boss8Val1ASlots[0].y;
  FrameTo(100.0f);
  EXPECT_GT(Boss8Val1ASlots[0].y, y);
}

// The boss block runs while 1800 < ScrollPos < 11100; the tick counts only
// while 0 < HP < 1200.
TEST_F(Stage8Test, BossWindowAndAttackGate) {
  const struct {
    float scroll_after, hp;
    int32_t tick;
    bool moved;
  } rows[] = {
      {1800.0f, 500, 0, false}, {1800.3125f, 500, 1, true}, {5000, 1220, 0, true},
      {5000, 1200, 0, true},    {5000, 1199.5f, 1, true},   {5000, 0.5f, 1, true},
      {5000, 0, 0, true},       {11100, 500, 0, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.scroll_after << " " << row.hp);
    Boss8State.attackTick = 0;
    Boss8State.moveTimer = 0;
    Boss8State.defeatTimer = 0;
    Boss8State.hitPoints = row.hp;
    FrameTo(row.scroll_after);
    EXPECT_EQ(Boss8State.attackTick, row.tick);
    EXPECT_EQ(Boss8State.moveTimer > 0, row.moved);
  }
}

// Which windows open at a tick: rows 1 and 2 meet at 80, rows 5, 6 and 7 at
// 460, rows 7 and 8 at 800 (the families of both run twice there); the tick
// 1220 is still served by row 8, then set back to 0, at every level.
TEST_F(Stage8Test, AttackWindowsAtTheirTicks) {
  const Probed probed = ProbeHeaders(Stage8Boss.attack);
  ASSERT_EQ(probed.headers.size(), 12u);
  BossRow row = Stage8Boss;
  row.attack = probed.items;
  const struct {
    int32_t tick_before;
    HeaderBounds open;
    int32_t tick_after;
  } rows[] = {
      {0, {}, 1},
      {18, {}, 19},
      {19, {{20, 80}, {20, 80}}, 20},
      {79, {{20, 80}, {20, 80}, {80, 160}, {80, 160}}, 80},
      {80, {{80, 160}, {80, 160}}, 81},
      {160, {{160, 260}}, 161},
      {259, {{160, 260}, {260, 360}}, 260},
      {389, {{360, 460}, {390, 460}}, 390},
      {459, {{360, 460}, {390, 460}, {460, 800}}, 460},
      {460, {{460, 800}}, 461},
      {799, {{460, 800}, {800, 1220}}, 800},
      {800, {{800, 1220}}, 801},
      {999, {{800, 1220}, {1000, 1050}}, 1000},
      {1139, {{800, 1220}, {1140, 1200}}, 1140},
      {1200, {{800, 1220}}, 1201},
      {1219, {{800, 1220}}, 0},
  };
  ScrollPos = 5000;
  Boss8State.hitPoints = 600;
  for (const auto& r : rows) {
    SCOPED_TRACE(r.tick_before);
    for (int level : {0, 1, 3}) {
      GameLevel = level;
      Boss8State.attackTick = r.tick_before;
      Log().clear();
      RunBossBlock(row);
      EXPECT_EQ(probed.Opened(), r.open);
      EXPECT_EQ(Boss8State.attackTick, r.tick_after);
    }
  }
}

// The ring pool fired by the stage-8 boss launches from the parked stage-7
// boss, and its Move frees every ring at once: in the attack window 260 to
// 360 rings 0 to 2 leave, and the pool is empty at the end of every frame.
TEST_F(Stage8Test, TheRingPoolFromTheParkedStageSevenBossIsInert) {
  ASSERT_EQ(player_test::Pos(Boss7State), player_test::XY(ParkX, ParkY));
  PlayerAlive = 1;
  Boss8State.hitPoints = 600;
  Boss8State.attackTick = 259;
  for (int frame = 1; frame <= 100; ++frame) {
    FrameTo(5000.0f);
    ASSERT_EQ(Active(Boss7Val20241HPool), 0) << frame;
  }
  EXPECT_EQ(Boss7Val20241HPool[0].tick, 100);
  EXPECT_EQ(PlayerAlive, 1u);
}

// The real list: the nine bursts fire on ticks 390 to 460 and 1140 to 1200
// (every one of them on the same frame), on no tick around them.
TEST_F(Stage8Test, TheBurstsFireInTheirTickWindows) {
  StraightShot* const bursts[] = {Boss8Val1ASlots, Boss8Val1BSlots, Boss8Val1CSlots,
                                  Boss8Val1DSlots, Boss8Val1ESlots, Boss8Val1FSlots,
                                  Boss8Val1GSlots, Boss8Val1HSlots, Boss8Val1ISlots};
  const struct {
    int32_t tick;  // the tick the frame serves
    bool fired;
  } rows[] = {{389, false}, {390, true}, {460, true}, {461, false},
              {1139, false}, {1140, true}, {1200, true}, {1201, false}};
  ScrollPos = 5000;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tick);
    ResetObjectTablesB();
    Boss8State.x = 160.0f;
    Boss8State.y = 0.0f;
    Boss8State.hitPoints = 600;
    Boss8State.attackTick = row.tick - 1;
    RunBossBlock(Stage8Boss);
    for (StraightShot* shots : bursts) EXPECT_EQ(shots[0].active, row.fired ? 1u : 0u);
  }
}

}  // namespace
