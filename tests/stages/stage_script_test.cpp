// Stage scripts as data: window bounds, blocks, repeats, gates and the
// checks that reject a malformed table.
#include <gtest/gtest.h>

#include "shell/game_state.h"
#include "stages/common/stage_script.h"
#include "tests/stages/call_log.h"

namespace {

using namespace stage_test;

class StageScriptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Log().clear();
    GameMode = 1;  // as in play
    GameSubMode = 0;
    GameLevel = 1;
  }
  static std::vector<int> Walk(std::span<const ScriptItem> script, float scroll) {
    Log().clear();
    ScrollPos = scroll;
    RunScript(script);
    return Log();
  }
  static std::vector<int> Attack(std::span<const ScriptItem> script, int32_t tick, float hp) {
    Log().clear();
    BossState boss{};
    boss.attackTick = tick;
    boss.hitPoints = hp;
    RunAttackScript(script, boss);
    return Log();
  }
};


constexpr ScriptItem kWaves[] = {
    Rec<0>,                                  // the script starts open
    Window(120, 170), Rec<1>, Times(3, Rec<2>),
    If(Gate::SubMode1, Rec<3>),              // never in play
    IfIn(Gate::None, 140, 150, Rec<4>),      // a strict sub-window
    Never(600, 400), Rec<5>,                 // kept as written, never runs
    Every(), Rec<6>,                         // open again after the windows
    Every(Gate::Level3), Rec<7>,
};
static_assert(ValidScrollScript(kWaves));

TEST_F(StageScriptTest, ScrollWindowsAreStrictAndBlocksRunInOrder) {
  const struct {
    float scroll;
    V calls;
  } rows[] = {
      {120.0f, {0, 6}},             {120.01f, {0, 1, 2, 2, 2, 6}}, {140.0f, {0, 1, 2, 2, 2, 6}},
      {145.0f, {0, 1, 2, 2, 2, 4, 6}}, {150.0f, {0, 1, 2, 2, 2, 6}}, {169.99f, {0, 1, 2, 2, 2, 6}},
      {170.0f, {0, 6}},             {500.0f, {0, 6}},
  };
  for (const auto& row : rows) EXPECT_EQ(Walk(kWaves, row.scroll), row.calls) << row.scroll;
  GameSubMode = 1;
  GameLevel = 3;
  EXPECT_EQ(Walk(kWaves, 145.0f), (V{0, 1, 2, 2, 2, 3, 4, 6, 7}));
}

// (Tick windows are run through the boss block in stage_frame_test.)
constexpr ScriptItem kAttack[] = {
    Never(220, 20), Rec<3>,
    HpBand(740, 770, Gate::ModeNot1), Rec<4>, Times(2, Rec<5>),
};
static_assert(ValidAttackScript(kAttack));

TEST_F(StageScriptTest, HitPointBandsAreInclusive) {
  const struct {
    float hp;
    int32_t mode;
    V calls;
  } rows[] = {{740, 1, {}},      {739.9f, 2, {}},       {740, 2, {4, 5, 5}},
              {770, 2, {4, 5, 5}}, {770.5f, 2, {}}};
  for (const auto& row : rows) {
    GameMode = row.mode;
    EXPECT_EQ(Attack(kAttack, 100, row.hp), row.calls) << row.hp << " " << row.mode;
  }
}

// Tables that must not compile into a stage.
constexpr ScriptItem kReversedWindow[] = {Window(170, 120), Rec<1>};
constexpr ScriptItem kTickInWaves[] = {Ticks(0, 200), Rec<1>};
constexpr ScriptItem kWindowInAttack[] = {Window(0, 200), Rec<1>};
constexpr ScriptItem kAttackWithoutWindow[] = {Rec<1>};
constexpr ScriptItem kNoRepeat[] = {Times(0, Rec<1>)};
constexpr ScriptItem kOpenNever[] = {Never(100, 200), Rec<1>};
static_assert(!ValidScrollScript(kReversedWindow));
static_assert(!ValidScrollScript(kTickInWaves));
static_assert(!ValidAttackScript(kWindowInAttack));
static_assert(!ValidAttackScript(kAttackWithoutWindow));
static_assert(!ValidScrollScript(kNoRepeat));
static_assert(!ValidScrollScript(kOpenNever));

}  // namespace
