// Stage 7 over the shared frame: its wave and power-up windows at their
// bounds, how often each kind moves, Szak10's shot 3 fired outside its
// window, and the attack timeline by level with its gate, set-backs and the
// double calls at attack tick 700.
#include <gtest/gtest.h>

#include <array>

#include "el/system/elSystem.h"
#include "enemies/large_kinds.h"
#include "enemies/kind_tables.h"
#include "enemies/rotating_kinds.h"
#include "enemies/small_kinds.h"
#include "player/powerup.h"
#include "shell/game_state.h"
#include "shell/object_resets.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage7/boss7_tables.h"
#include "stages/stage7/stage7_scene.h"
#include "tests/stages/kind_moves.h"
#include "tests/stages/stage_fixture.h"

namespace {

using namespace stage_test;

constexpr float kRate = 20.0f;

class Stage7Test : public StageFixture {
 protected:
  // One frame of stage 7 at 1/64 s, ending at `scroll_after`.
  static void FrameTo(float scroll_after) { SceneFrameTo(Stage7Scene, kRate, scroll_after); }
};

// Wave windows are strict, power-up windows inclusive.
TEST_F(Stage7Test, WindowsAtTheirBounds) {
  const struct {
    float scroll_after;
    bool szak10, power_up;
  } rows[] = {
      {99.6875f, false, false}, {100.0f, false, true},    {100.3125f, true, true},
      {150.0f, true, true},     {150.3125f, true, false}, {199.6875f, true, false},
      {200.0f, false, false},   {1050.0f, false, true},   {1050.3125f, false, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.scroll_after);
    ResetObjectTablesA();
    ResetObjectTablesB();
    ResetPowerUp();
    FrameTo(row.scroll_after);
    EXPECT_EQ(Active(Szak10Slots) > 0, row.szak10);
    EXPECT_EQ(PowerUp.active != 0, row.power_up);
  }
}

// Szak10 moves three times a frame, Szak6B and Szak6C twice, the others
// once (at 40, before every window); Szak10's shot 3 is fired on every
// frame, its window shut.
TEST_F(Stage7Test, KindsMoveTheirTimesAndSzak10ShotThreeFiresOutsideItsWindow) {
  const auto frame = [] { FrameTo(40.0f); };
  EXPECT_EQ(MovesPerFrame(Szak10Slots, Szak10Spawn, Szak10Move, frame), 3);
  EXPECT_GT(Active(Szak10Shot3Slots), 0);
  EXPECT_EQ(MovesPerFrame(Szak6BSlots, Szak6BSpawn, Szak6BMove, frame), 2);
  EXPECT_EQ(MovesPerFrame(Szak6CSlots, Szak6CSpawn, Szak6CMove, frame), 2);
  EXPECT_EQ(MovesPerFrame(Szak9Slots, Szak9Spawn, Szak9Move, frame), 1);
  EXPECT_EQ(MovesPerFrame(Szak6ASlots, Szak6ASpawn, Szak6AMove, frame), 1);
  EXPECT_EQ(MovesPerFrame(Szak52ASlots, Szak52ASpawn, Szak52AMove, frame), 1);
}

// The Schedule calls one boss block makes at one tick and level, read from
// the families' own counters (all 0 after the reset, one call each = 1).
enum Family {
  Vall3013A, Val20wA, Val20wB, Vall3013B, Vall3013C, Ray7A, Ray7H, Val20241F, Val20241G,
  Vall20A, Val20241E, Val20241C, Val20241D, Val20241A, Val20241H, Val405A, Valarm31, Valarm33,
  FamilyCount
};
using Calls = std::array<int32_t, FamilyCount>;

Calls ReadCalls() {
  const int32_t* p = Boss7State.patternTicks;
  return {p[4],
          p[0],
          p[2],
          p[6],
          p[8],
          p[10],
          p[17],
          Boss7Val20241FPool[0].tick,
          Boss7Val20241GPool[0].tick,
          Boss7Vall20APool[0].tick,
          Boss7Val20241EPool[0].tick,
          Boss7Val20241CSlots[0].tick,
          Boss7Val20241DSlots[0].tick,
          Boss7Val20241ASlots[0].tick,
          Boss7Val20241HPool[0].tick,
          Boss7Val405ASlots[0].tick,
          Boss7Valarm31Slots[0].tick,
          Boss7Valarm33Slots[0].tick};
}

Calls Only(std::initializer_list<std::pair<Family, int32_t>> calls) {
  Calls c{};
  for (const auto& [family, n] : calls) c[family] = n;
  return c;
}

// Each row: the level and the tick the block reaches; the calls made and
// the tick after the set-back (level 1 at 3000, levels 2 and 3 at 4390,
// level 0 never).  At HP 1480 or 0 the tick stands still and nothing fires.
TEST_F(Stage7Test, AttackTimelineByLevelAndTheSetBacks) {
  const struct {
    int32_t level, tick;
    Calls calls;
    int32_t tick_after;
    float hp = 1000.0f;
  } rows[] = {
      {1, 5, Only({{Vall3013A, 1}, {Ray7A, 1}, {Ray7H, 1}}), 5},
      {1, 480, Only({{Vall3013A, 1}, {Val20241C, 1}, {Val20241E, 1}, {Val405A, 1}}), 480},
      {1, 700, Only({{Val20241F, 2}, {Val20241G, 2}}), 700},
      {3, 700, Only({{Val20241F, 2}, {Val20241G, 2}, {Valarm31, 1}}), 700},
      {1, 1000, Only({{Val20241F, 1}, {Val20241G, 1}, {Vall20A, 1}, {Val20241H, 1}}), 1000},
      {3, 1400, Only({{Val20241F, 1}, {Val20241G, 1}, {Vall20A, 1}, {Val20241A, 1},
                      {Valarm31, 1}}), 1400},
      {1, 1500, Only({{Val20wA, 1}, {Val20wB, 1}, {Val20241A, 1}}), 1500},
      {3, 1500, Only({{Val20241A, 1}, {Valarm31, 1}, {Valarm33, 1}}), 1500},
      {3, 1900, Only({{Val20wA, 1}, {Val20wB, 1}, {Val20241C, 1}, {Valarm31, 1},
                      {Valarm33, 1}}), 1900},
      {1, 2100, Only({{Val20wA, 1}, {Val20wB, 1}, {Vall3013A, 1}, {Vall3013B, 1},
                      {Val20241C, 1}, {Val20241D, 1}}), 2100},
      {2, 2100, Only({{Val20wA, 1}, {Val20wB, 1}, {Val20241C, 1}, {Val20241D, 1}}), 2100},
      {1, 2510, Only({{Vall3013C, 1}, {Ray7A, 1}, {Ray7H, 1}}), 2510},
      {1, 3000, Only({{Vall3013C, 1}}), 0},
      {3, 3000, Only({{Val20wA, 1}, {Val20wB, 1}, {Vall3013A, 1}, {Vall3013B, 1}}), 3000},
      {3, 4000, Only({{Vall3013C, 1}, {Ray7A, 1}, {Ray7H, 1}}), 4000},
      {3, 4390, Only({{Ray7A, 1}, {Ray7H, 1}}), 0},
      {0, 5000, Only({}), 5000},
      {1, 5, Only({}), 4, 1480.0f},
      {1, 5, Only({}), 4, 0.0f},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "level " << row.level << " tick " << row.tick);
    ResetObjectTablesB();
    GameLevel = row.level;
    ScrollPos = 5000.0f;
    Boss7State.attackTick = row.tick - 1;
    Boss7State.hitPoints = row.hp;
    RunBossBlock(Stage7Boss);
    EXPECT_EQ(ReadCalls(), row.calls);
    EXPECT_EQ(Boss7State.attackTick, row.tick_after);
  }
  GameLevel = 1;
}

}  // namespace
