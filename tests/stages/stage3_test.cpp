// Stage 3, entered directly (no scene change leads to it): the boss window's
// lower edge, the attack timeline at its bounds, and the kinds' bullets the
// stage fires but never moves (its time-out: stage4_test.cpp).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "el/system/elSystem.h"
#include "enemies/diagonal_kinds.h"
#include "enemies/small_kinds.h"
#include "shell/game_state.h"
#include "shell/object_resets.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage2/boss2_families.h"
#include "stages/stage3/boss3_families.h"
#include "stages/stage3/stage3_scene.h"
#include "tests/support/game_harness.h"

namespace {

using namespace vantris_test;

constexpr float kStep = 1.0f / 64.0f;  // a fixed frame: 0.3125 px of stage 3

class Stage3Test : public RunningGameTest {
 protected:
  void SetUp() override {
    RunningGameTest::SetUp();
    StartNewRun();
    GameLevel = 1;
    NoDeath = 1;
    ScrollPos = 0;
    ASSERT_TRUE(EnterScene(SceneStage3));
  }
  // One stage-3 frame called directly at 1/64 s, from `scroll` (or on).
  static void FrameFrom(float scroll) {
    ScrollPos = scroll;
    Frame();
  }
  static void Frame() {
    SceneEntered = 0;
    FrameTime = kStep;
    Stage3Scene();
  }
};

TEST_F(Stage3Test, TheBossBlockOpensJustAbove1050) {
  FrameFrom(1050.0f - 20 * kStep);  // this frame ends at exactly 1050
  EXPECT_EQ(ScrollPos, 1050.0f);
  EXPECT_EQ(Boss3State.moveTimer, 0.0f);
  EXPECT_EQ(Boss3State.y, 2550.0f);
  Frame();
  EXPECT_EQ(Boss3State.moveTimer, 10 * kStep);
  EXPECT_EQ(Boss3State.x, 180.0f);
  EXPECT_EQ(Boss3State.y, -380.0f);
}

// Which schedules and fires one attack tick runs: a, b, c, d the stage-2
// boss's twin-shot pools; A .. E the arc rows; 1 .. 5 the small falling
// groups (only while GameMode is not 1).
std::string AttackOf(int32_t tick, uint32_t mode) {
  ResetObjectTablesB();
  GameMode = mode;
  ScrollPos = 2000.0f;
  Boss3State.hitPoints = 500.0f;
  Boss3State.attackTick = tick - 1;
  RunBossBlock(Stage3Boss);
  const struct {
    char name;
    bool ran;
  } marks[] = {
      {'a', Boss2Val405ASlots[0].tick == 1}, {'b', Boss2Val405BSlots[0].tick == 1},
      {'c', Boss2Val405CSlots[0].tick == 1}, {'d', Boss2Val405DSlots[0].tick == 1},
      {'A', Boss3Vall20ASlots[0].tick == 1}, {'B', Boss3Vall20BSlots[0].tick == 1},
      {'C', Boss3Vall20CSlots[0].tick == 1}, {'D', Boss3Vall20DSlots[0].tick == 1},
      {'E', Boss3Vall20ESlots[0].tick == 1}, {'1', Boss3Val12ASlots[0].active == 1},
      {'2', Boss3Val12BSlots[0].active == 1}, {'3', Boss3Val12CSlots[0].active == 1},
      {'4', Boss3Val12DSlots[0].active == 1}, {'5', Boss3Val12ESlots[0].active == 1},
  };
  std::string ran;
  for (const auto& m : marks) {
    if (m.ran) ran += m.name;
  }
  GameMode = 1;
  return ran;
}

TEST_F(Stage3Test, AttackTimelineAtItsBounds) {
  const struct {
    int32_t tick;
    uint32_t mode;
    const char* ran;
    int32_t tick_after;
  } rows[] = {
      {1, 1, "ab", 1},       {49, 2, "ab", 49},      {50, 2, "ab15", 50},  {100, 1, "abcd", 100},
      {100, 2, "abcd15", 100}, {101, 2, "cd", 101},  {200, 1, "cdBC", 200}, {201, 1, "BC", 201},
      {250, 2, "BC12345", 250}, {300, 1, "ABC", 300}, {301, 2, "A", 301},  {370, 1, "A", 370},
      {371, 2, "", 371},     {379, 1, "", 379},      {380, 1, "ab", 380},  {500, 2, "ab125", 500},
      {600, 1, "abDE", 600}, {600, 2, "abDE125", 600}, {601, 2, "DE", 601}, {700, 1, "cdDE", 700},
      {800, 1, "cdDE", 800}, {801, 1, "cd", 801},    {900, 1, "abcd", 900}, {901, 1, "ab", 901},
      {979, 1, "ab", 979},   {980, 1, "abA", 980},   {1100, 1, "abA", 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.tick << " mode " << row.mode);
    EXPECT_EQ(AttackOf(row.tick, row.mode), row.ran);
    EXPECT_EQ(Boss3State.attackTick, row.tick_after);
  }
  // After the set-back the next frame runs tick 1; from 590 HP up nothing.
  RunBossBlock(Stage3Boss);
  EXPECT_EQ(Boss3State.attackTick, 1);
  Boss3State.hitPoints = 590.0f;
  RunBossBlock(Stage3Boss);
  EXPECT_EQ(Boss3State.attackTick, 1);
  Boss3State.hitPoints = 589.5f;
  RunBossBlock(Stage3Boss);
  EXPECT_EQ(Boss3State.attackTick, 2);
}

// The positions of the active records of a pool.
template <typename R, size_t N>
std::vector<std::pair<float, float>> Placed(const R (&pool)[N]) {
  std::vector<std::pair<float, float>> placed;
  for (const R& r : pool) {
    if (r.active == 1) placed.emplace_back(r.x, r.y);
  }
  return placed;
}

// Szak1AShot1 and the Szak21A/Szak22A guns are fired in their windows but
// nothing moves them: their bullets stay where they were placed.
TEST_F(Stage3Test, BulletsTheStageFiresButNeverMoves) {
  FrameFrom(150.0f);
  while (ScrollPos < 230.0f) Frame();
  FrameFrom(700.0f);
  while (ScrollPos < 749.0f) Frame();
  const auto darts = Placed(Szak1AShot1Slots);
  const auto fans = Placed(Szak21AShot2Slots);
  const auto fans22 = Placed(Szak22AShot6Slots);
  ASSERT_FALSE(darts.empty());
  ASSERT_FALSE(fans.empty());
  ASSERT_FALSE(fans22.empty());
  FrameFrom(300.0f);  // nothing fires them between 200 and 700
  for (int f = 0; f < 64; ++f) Frame();
  EXPECT_EQ(Placed(Szak1AShot1Slots), darts);
  EXPECT_EQ(Placed(Szak21AShot2Slots), fans);
  EXPECT_EQ(Placed(Szak22AShot6Slots), fans22);
}

}  // namespace
