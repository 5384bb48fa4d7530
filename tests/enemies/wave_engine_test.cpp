// The wave engine on the wave kinds' own rows: the two spawn cycles with and
// without the timer restart, the script's phase windows, rates and clock
// wrap, the clock-chosen sprite cells, the gates, the explosion variants'
// life and the rotating waves' lock release.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

#include "el/draw/elDraw.h"
#include "enemies/diagonal_waves.h"
#include "enemies/rotating_waves.h"
#include "enemies/side_waves.h"
#include "enemies/top_bottom_waves.h"
#include "tests/enemies/enemy_fixture.h"

namespace {

using namespace enemy_test;

struct WaveKind {
  const char* name;
  WaveEnemySlot* slots;
  void (*spawn)();
  void (*move)();
  void (*update)();
  void (*hit)(int32_t);
};
#define WAVE(stem) WaveKind{#stem, stem##Slots, stem##Spawn, stem##Move, stem##Update, stem##Hit}

// The colour of the band of cell c: each 100 x 100 cell of the test strip
// lights only columns 20c .. 20c + 19, so cells drawn over one another all
// show.
uint16_t BandColour(int c) { return static_cast<uint16_t>(0x3100 + c); }

class WaveEngineTest : public EnemyTest {
 protected:
  void SetUp() override {
    EnemyTest::SetUp();
    ImgSzak30 = Sprite(500, 100, [](int x, int) {
      const int c = x / 100;
      return x % 100 / 20 == c ? BandColour(c) : uint16_t{0};
    });
    saved_mode_ = {GameMode, GameSubMode};
    GameMode = 1;
    GameSubMode = 0;
  }
  void TearDown() override {
    ImgSzak30 = 0;
    std::tie(GameMode, GameSubMode) = saved_mode_;
    EnemyTest::TearDown();
  }
  // Slot i of the kind placed now, standing at (x, y) with its clock at
  // `clock`.
  static WaveEnemySlot& Placed(const WaveKind& kind, int i, float x, float y, float clock) {
    WaveEnemySlot& s = kind.slots[i];
    s.active = 1;
    s.x = x;
    s.y = y;
    s.clock = clock;
    return s;
  }
  std::pair<int32_t, int32_t> saved_mode_;
};

TEST_F(WaveEngineTest, SlotsStartOnTheirCountsAndOnlyAFreedSlotIsRestartedEarly) {
  struct Case {
    WaveKind kind;
    std::vector<int> starts;  // the calls that start slots 0 .. 4
    int restart;  // the call that starts slot 0 again, freed as soon as it started
  };
  const Case cases[] = {
      {WAVE(Szak21C), {100, 200, 300, 400, 500}, 100 + 501},
      {WAVE(Szak30B), {30, 60, 90, 120, 150}, 30 + 151},
      {WAVE(Szak30A), {30, 60, 90, 120, 150}, 30 + 30},  // Init restarts the timer
      {WAVE(Szak40A), {30, 60, 90, 120, 150}, 30 + 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind.name);
    ResetObjectTablesA();
    std::vector<int> starts(5, 0);
    int restart = 0;
    const int calls = 2 * c.starts.back() + 2;
    for (int call = 1; call <= calls; ++call) {
      c.kind.spawn();
      for (int k = 0; k < 5; ++k) {
        WaveEnemySlot& s = c.kind.slots[k];
        if (s.active == 0 || starts[k] != 0) continue;
        starts[k] = call;
        if (k == 1) {  // flies on somewhere else, on its own clock
          s.x = 333.0f;
          s.clock = 7.0f;
        }
      }
      if (call == starts[0]) c.kind.slots[0].active = 0;
      if (call > starts[0] && starts[0] != 0 && restart == 0 && c.kind.slots[0].active == 1) {
        restart = call;
      }
    }
    EXPECT_EQ(starts, c.starts);
    EXPECT_EQ(restart, c.restart);
    EXPECT_EQ(std::make_pair(c.kind.slots[1].x, c.kind.slots[1].clock),
              std::make_pair(333.0f, 7.0f));
  }
}

TEST_F(WaveEngineTest, AWindowShorterThanACountCarriesItsCountOnAndInitIgnoresBadSlots) {
  for (int call = 0; call < 29; ++call) Szak30BSpawn();
  for (int frame = 0; frame < 50; ++frame) {  // between windows
    Szak30BMove();
    Szak30BUpdate();
  }
  Szak30BInit(5);  // no such slot
  Szak30BInit(-1);
  for (const WaveEnemySlot& s : Szak30BSlots) EXPECT_EQ(s.active, 0u);
  Szak30BSpawn();
  EXPECT_EQ(Szak30BSlots[0].active, 1u);
  EXPECT_EQ(std::make_pair(Szak30BSlots[0].x, Szak30BSlots[0].y), std::make_pair(80.0f, 100.0f));
}

TEST_F(WaveEngineTest, PhaseWindowsHoldTheirBoundsAndGapsKeepTheSpeeds) {
  // Szak30A: Shot1 fires in [11, 20], Shot2 in [21, 30]; with no frame time
  // the clock stays where it is put.
  struct Case {
    float clock;
    float vx, vy;  // -1: kept from before
    int gun;       // 0 none
    float after;   // the clock after the step
  };
  const Case cases[] = {
      {0, 0, 220, 0, 0},           {10, 0, 220, 0, 10},       {10.5f, -1, -1, 0, 10.5f},
      {11, 110, 220, 1, 11},       {20, 110, 220, 1, 20},     {20.5f, -1, -1, 0, 20.5f},
      {21, 210, 220, 2, 21},       {30, 210, 220, 2, 30},     {40, 310, 220, 0, 40},
      {40.99f, -1, -1, 0, 40.99f}, {41, 410, 0, 0, 41},       {100, 410, 0, 0, 100},
      {100.5f, -1, -1, 0, 100.5f}, {101, -1, -1, 0, 0},
  };
  FrameTime = 0.0f;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.clock);
    ResetObjectTablesA();
    WaveEnemySlot& s = Placed(WAVE(Szak30A), 2, 300, 200, c.clock);
    s.vx = s.vy = -1.0f;
    Szak30AMove();
    EXPECT_EQ(std::make_pair(s.vx, s.vy), std::make_pair(c.vx, c.vy));
    EXPECT_EQ(s.clock, c.after);
    // The gun fires from slot 0 or 1 whichever slot's script calls it, here
    // from their reset park point.
    EXPECT_EQ(Szak30AShot1Slots[3].active, c.gun == 1 ? 1u : 0u);
    EXPECT_EQ(Szak30AShot2Slots[4].active, c.gun == 2 ? 1u : 0u);
    if (c.gun == 1) { EXPECT_EQ(Szak30AShot1Slots[3].x0, ParkX + 40); }
  }
}

TEST_F(WaveEngineTest, ScriptClocksRunAtTheirKindsRate) {
  const std::pair<WaveKind, float> cases[] = {
      {WAVE(Szak30A), 2.5f}, {WAVE(Szak30B), 3.0f}, {WAVE(Szak31B), 2.5f},
      {WAVE(Szak33B), 3.0f}, {WAVE(Szak40A), 4.0f}, {WAVE(Szak41A), 2.5f},
  };
  FrameTime = 0.1f;
  for (const auto& [kind, clock] : cases) {
    Placed(kind, 0, 300, 200, 0.0f);
    kind.move();
    EXPECT_FLOAT_EQ(kind.slots[0].clock, clock) << kind.name;
  }
}

TEST_F(WaveEngineTest, SpriteCellsFollowTheClockBothCellsOnABoundaryNoneAbove100) {
  struct Case {
    float clock;
    std::vector<int> forward, reversed;  // the cells drawn
  };
  const Case cases[] = {
      {5, {0}, {4}},         {10, {0, 1}, {4, 3}}, {10.5f, {1}, {3}},
      {40, {3, 4}, {1, 0}},  {100, {4}, {0}},      {100.5f, {}, {}},
  };
  const std::pair<WaveKind, bool> kinds[] = {{WAVE(Szak30A), false}, {WAVE(Szak30B), true}};
  for (const auto& [kind, reversed] : kinds) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << kind.name << " at " << c.clock);
      ResetObjectTablesA();
      elDraw::ClearScreen();
      Placed(kind, 3, 250, 200, c.clock);
      kind.update();
      std::vector<int> drawn;
      for (int cell = 0; cell < 5; ++cell) {
        if (Back(250 + 20 * cell + 5, 250) == BandColour(cell)) drawn.push_back(cell);
      }
      std::vector<int> expected = reversed ? c.reversed : c.forward;
      std::sort(expected.begin(), expected.end());
      EXPECT_EQ(drawn, expected);
    }
  }
}

TEST_F(WaveEngineTest, BottomAndUpTurningGunsFireOnlyThroughTheirGates) {
  struct Case {
    WaveKind kind;
    AimedShot* shots;
    int32_t mode, sub_mode;
    bool fires;
  };
  const Case cases[] = {
      {WAVE(Szak30A), Szak30AShot1Slots, 1, 0, true},
      {WAVE(Szak32A), Szak32AShot1Slots, 1, 0, false},
      {WAVE(Szak32A), Szak32AShot1Slots, 2, 0, false},
      {WAVE(Szak33A), Szak33AShot1Slots, 1, 1, true},
      {WAVE(Szak31B), Szak31BShot1Slots, 1, 0, true},
      {WAVE(Szak32B), Szak32BShot1Slots, 1, 0, false},
      {WAVE(Szak32B), Szak32BShot1Slots, 2, 0, true},
      {WAVE(Szak33B), Szak33BShot1Slots, 1, 1, true},
  };
  FrameTime = 0.0f;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.kind.name << " mode " << c.mode << "/" << c.sub_mode);
    ResetObjectTablesA();
    GameMode = c.mode;
    GameSubMode = c.sub_mode;
    Placed(c.kind, 0, 300, 200, 15.0f);
    c.kind.move();
    EXPECT_EQ(c.shots[0].active, c.fires ? 1u : 0u);
  }
}

TEST_F(WaveEngineTest, ExplosionsStopOrFlyAndEndOnTheBoxAsEachKindDoes) {
  // Hit, one explosion cell, then the slot pushed out of its box and moved:
  // where it still explodes, the next update draws the next cell.
  struct Case {
    WaveKind kind;
    bool stops, explodes_parked;
  };
  const Case cases[] = {
      {WAVE(Szak21C), false, false},
      {WAVE(Szak22C), true, false},
      {WAVE(Szak30A), true, true},
      {WAVE(Szak30B), true, true},
      {WAVE(Szak40A), true, false},
  };
  FrameTime = 1.0f / 60.0f;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind.name);
    ResetObjectTablesA();
    WaveEnemySlot& s = Placed(c.kind, 0, 300, 200, 50.0f);
    s.vx = s.vy = 200.0f;
    c.kind.hit(0);
    c.kind.update();
    EXPECT_EQ(s.vx, c.stops ? 0.0f : 200.0f);
    c.kind.move();
    EXPECT_EQ(s.x > 300.0f, !c.stops);  // a script would set speeds again
    s.x = 700.0f;
    c.kind.move();
    ASSERT_EQ(s.active, 0u);
    c.kind.update();
    EXPECT_EQ(s.explosionFrame, c.explodes_parked ? 2 : 1);
    EXPECT_EQ(s.hit, 1u);  // until the next Init
  }
}

TEST_F(WaveEngineTest, AKilledEnemysScriptKeepsFiringAndItsBulletsFromParkedSlotsRetire) {
  FrameTime = 0.0f;
  Placed(WAVE(Szak30A), 3, 300, 200, 15.0f);
  Szak30AHit(3);
  Szak30AUpdate();
  Szak30AMove();
  EXPECT_EQ(Szak30AShot1Slots[0].active, 1u);
  Szak30AShot1Move();
  for (const AimedShot& r : Szak30AShot1Slots) {
    EXPECT_EQ(std::make_pair(r.active, r.y), std::make_pair(0u, ParkY));
  }
}

TEST_F(WaveEngineTest, RotatingWavesTurnWhenParkedAndReleaseLocksOnEveryBoxFree) {
  Szak40ASlots[0].angle = 10;
  Szak40ASlots[1].angle = 353;
  Szak40AUpdate();
  EXPECT_EQ(std::make_pair(Szak40ASlots[0].angle, Szak40ASlots[1].angle), std::make_pair(17, 0));

  struct Case {
    const char* what;
    float x, y;          // where the slot is moved (inside the box: it stays)
    int32_t lock_x, lock_y;
    bool released;
  };
  const Case cases[] = {
      {"stays, point outside", 300, 200, 100, 100, false},
      {"side, point inside", 621, 200, 150, 600, false},
      {"side, point outside", 59, 200, 149, 100, true},
      {"top, point outside", 300, -121, 300, -71, true},
      {"bottom, default point", 300, 601, 290, 0, false},
  };
  FrameTime = 0.0f;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetObjectTablesA();
    Szak40AInit(2);
    LockOnTarget& lock = Szak40ALockTargets[2];
    EXPECT_EQ(std::make_tuple(lock.x, lock.y, lock.locked), std::make_tuple(290, 0, 0u));
    lock = {c.lock_x, c.lock_y, 1, 0};
    Placed(WAVE(Szak40A), 2, c.x, c.y, 50.0f);
    Szak40AMove();
    const WaveEnemySlot& s = Szak40ASlots[2];
    const bool freed = s.active == 0;
    if (freed) { EXPECT_EQ(std::make_pair(s.x, s.y), std::make_pair(340.0f, ParkY)); }
    const std::tuple<int32_t, int32_t, uint32_t> away{370, 0, 0u}, kept{c.lock_x, c.lock_y, 1u};
    EXPECT_EQ(std::make_tuple(lock.x, lock.y, lock.locked), c.released ? away : kept);
    if (!freed) continue;
    lock = {600, 700, 1, 0};  // the parked slot is freed again on every move
    Szak40AMove();
    EXPECT_EQ(std::make_tuple(lock.x, lock.y, lock.locked), away);
  }

  ResetObjectTablesA();
  Placed(WAVE(Szak40A), 0, 300, 200, 50.0f);
  Szak40ALockTargets[0] = {330, 230, 1, 0};
  Szak40AHit(0);
  for (int call = 0; call < 16; ++call) Szak40AUpdate();
  EXPECT_EQ(Szak40ASlots[0].active, 0u);
  EXPECT_EQ(std::make_tuple(Szak40ALockTargets[0].x, Szak40ALockTargets[0].y,
                            Szak40ALockTargets[0].locked),
            std::make_tuple(290, 0, 0u));
}

}  // namespace
