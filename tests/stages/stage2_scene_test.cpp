// Stage 2: the boss's attack cycles by level, the falling balls at level 3
// only, the gunships and their automatic homing lasers, and the whole stage
// played from stage 1's defeat to its own and the change to scene 5.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "enemies/rotating_kinds.h"
#include "el/draw/transition_state.h"
#include "el/system/elSystem.h"
#include "os/headless/headless.h"
#include "player/homing_lasers.h"
#include "player/homing_storage.h"
#include "shell/game_state.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage2/boss2_families.h"
#include "stages/stage2/stage2_scene.h"
#include "tests/support/game_harness.h"

namespace {

using namespace vantris_test;

class Stage2Test : public RunningGameTest {
 protected:
  void SetUp() override {
    RunningGameTest::SetUp();
    StartNewRun();
  }
  // The boss block alone, in the fight: the boss window open and the boss
  // hit below its limit.
  static void StartFight(int32_t level) {
    GameLevel = level;
    ScrollPos = 2000.0f;
    Boss2State.hitPoints = 970.0f;
  }
  static bool AnyActive(const StraightShot* pool, int n) {
    return std::any_of(pool, pool + n, [](const StraightShot& r) { return r.active != 0; });
  }
};

TEST_F(Stage2Test, TheTickIsSetBackAt1300OrAtLevelThreeAt2710) {
  const struct {
    int32_t level, before, after;
  } rows[] = {{1, 1299, 0}, {2, 1299, 0}, {3, 1299, 1300}, {3, 2709, 0}, {0, 2709, 2710}};
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.level << " " << row.before);
    StartFight(row.level);
    Boss2State.attackTick = row.before;
    RunBossBlock(Stage2Boss);
    EXPECT_EQ(Boss2State.attackTick, row.after);
  }
}

// Three level-1 cycles: the aimed lines fire once (nothing moves them out
// here), the rings fire groups 0-2, then 3-5, then 0-2 again, the balls
// never; a level-3 cycle drops its first ball on tick 1329 (its schedule
// first called on tick 1320) and runs to 2710.
TEST_F(Stage2Test, LevelOneAndLevelThreeCycles) {
  StartFight(1);
  std::vector<std::vector<int>> rings;
  for (int cycle = 0; cycle < 3; ++cycle) {
    int32_t highest = 0;
    for (int call = 0; call < 1300; ++call) {
      RunBossBlock(Stage2Boss);
      highest = std::max(highest, Boss2State.attackTick);
    }
    EXPECT_EQ(highest, 1299);  // 1300 becomes 0 on its own frame
    EXPECT_EQ(Boss2State.attackTick, 0);
    std::vector<int> groups;
    for (int g = 0; g < 6; ++g) {
      if (Boss2Val20241ASlots[12 * g].active != 0) groups.push_back(g);
    }
    rings.push_back(groups);
    for (PatternShot& r : Boss2Val20241ASlots) r.active = 0;
    EXPECT_EQ(Boss2Vall301ASlots[0].active, 1u);
    EXPECT_FALSE(AnyActive(Boss2Valarm70Slots, 20));
    EXPECT_FALSE(AnyActive(Boss2Valarm74BSlots, 20));
  }
  EXPECT_EQ(rings, (std::vector<std::vector<int>>{{0, 1, 2}, {3, 4, 5}, {0, 1, 2}}));

  StartFight(3);
  Boss2State.attackTick = 0;
  for (int call = 1; call <= 2710; ++call) {
    RunBossBlock(Stage2Boss);
    if (call == 1328) { EXPECT_FALSE(AnyActive(Boss2Valarm70Slots, 20)); }
    if (call == 1329) { EXPECT_EQ(Boss2Valarm70Slots[0].active, 1u); }
    if (call == 2709) { EXPECT_EQ(Boss2State.attackTick, 2709); }
  }
  EXPECT_EQ(Boss2State.attackTick, 0);
  for (const StraightShot* pool : {Boss2Valarm71Slots, Boss2Valarm73ASlots, Boss2Valarm75BSlots}) {
    EXPECT_TRUE(AnyActive(pool, 20));
  }
}

// At exactly 150 no gunship comes; just above it both come, and at level 3
// (only) their first slots draw homing lasers without a key.
TEST_F(Stage2Test, GunshipsFromJustAbove150AndTheirHomingLasersAtLevelThree) {
  constexpr float kStep = 1.0f / 64.0f;
  for (int32_t level : {1, 3}) {
    SCOPED_TRACE(level);
    StartNewRun();
    GameLevel = level;
    ResetHomingTables();
    ASSERT_TRUE(EnterScene(SceneStage2));
    SceneEntered = 0;
    FrameTime = kStep;
    ScrollPos = 150.0f - 18.0f * kStep;
    Stage2Scene();
    EXPECT_EQ(ScrollPos, 150.0f);
    EXPECT_EQ(Szak6DSlots[0].active + Szak6ESlots[0].active, 0u);
    for (int frame = 0; frame < 3; ++frame) Stage2Scene();
    EXPECT_EQ(Szak6DSlots[0].active, 1u);
    EXPECT_EQ(Szak6ESlots[0].active, 1u);
    const auto launched = [](const HomingLaserSegment* chains) {
      return std::any_of(chains, chains + 3 * HomingLaserChainLength,
                         [](const HomingLaserSegment& s) { return s.active != 0; });
    };
    EXPECT_EQ(launched(HomingLaserSzak6DSlots), level == 3);
    EXPECT_EQ(launched(HomingLaserSzak6ESlots), level == 3);
  }
}

// From the mode screen (O: the ship cannot die; Space: the starfield alone,
// which keeps the frames cheap; F2: level 3) into stage 1, whose fight the
// time-out ends; stage 2 then plays in frames of 0.1 s.  The laser is held
// until the boss's attack begins, let go until the balls fall, then held
// again to the boss's defeat and the change to scene 5 with a 60-step band.
// (Level 1 is played through by the route test; its cycle is pinned above.)
TEST_F(Stage2Test, RouteThroughStageTwoAtLevelThree) {
  SceneNumber = SceneTitle;
  PrevScene = 0;
  ASSERT_TRUE(TitleToModeScreen());
  ASSERT_TRUE(ModeScreenToStage({'O', os::KeySpace}, os::KeyF2));
  ASSERT_EQ(GameLevel, 3);
  const auto long_frame = [] {
    os::headless::AdvanceMs(100);
    return RunFrames(1) == 1;
  };
  ScrollPos = 9990.0f;
  for (int frame = 0; frame < 200 && SceneNumber == SceneStage1; ++frame) long_frame();
  ASSERT_EQ(SceneNumber, SceneStage2);

  int frames = 0;
  int32_t highest_tick = 0;
  bool balls = false;
  enum { Firing, Waiting, Finishing } phase = Firing;
  KeyDown('C');
  while (SceneNumber == SceneStage2 && frames < 5000 && long_frame()) {
    ++frames;
    highest_tick = std::max(highest_tick, Boss2State.attackTick);
    balls = balls || std::any_of(std::begin(Boss2Valarm70Slots), std::end(Boss2Valarm70Slots),
                                 [](const StraightShot& r) { return r.active != 0; });
    if (phase == Firing && Boss2State.attackTick > 0) {
      KeyUp('C');
      phase = Waiting;
    } else if (phase == Waiting && balls) {
      KeyDown('C');
      phase = Finishing;
    }
  }
  KeyUp('C');
  EXPECT_EQ(SceneNumber, SceneStage4);
  EXPECT_EQ(TransitionBand, 60);
  EXPECT_EQ(RunFrames(1), 1);
  EXPECT_EQ(Frames().back().scene, SceneStage4);
  EXPECT_EQ(Frames().back().entered, 1u);
  EXPECT_TRUE(balls);
  EXPECT_GT(highest_tick, 1329);
  EXPECT_LT(highest_tick, 2710);
  EXPECT_LT(frames, 3000);  // the boss destroyed long before the time-out
}

}  // namespace
