// The whole played route, as a player goes through it: the title, the mode
// screen (O: a ship that cannot die, Space: the background layers off, F1:
// level 1), stages 1, 2, 4, 5 and 7 with the laser held down, each boss
// beaten by fire or ended by its time-out, the ending, and the title again.
// Frames of 0.1 s, the longest the limiter gives.
#include <gtest/gtest.h>

#include <vector>

#include "os/headless/headless.h"
#include "os/keys.h"
#include "shell/game_state.h"
#include "shell/scene.h"
#include "stages/stage7/boss7_tables.h"
#include "tests/support/game_harness.h"

namespace {

using namespace vantris_test;

class PlayedRouteTest : public RunningGameTest {};

TEST_F(PlayedRouteTest, FromTheTitleThroughEveryStageAndTheEndingBackToTheTitle) {
  ASSERT_TRUE(TitleToModeScreen());
  ASSERT_TRUE(ModeScreenToStage({'O', os::KeySpace}));
  ASSERT_EQ(NoDeath, 1u);
  ASSERT_EQ(BackgroundOff, 1u);
  ASSERT_EQ(GameLevel, 1);

  KeyDown('C');
  std::vector<int32_t> scenes{SceneNumber};
  float last_scroll = 0.0f;
  bool boss7_hit_by_fire = false;
  // Generous: stage 5 alone runs 7,860 frames when its boss cannot be hit.
  for (int frame = 0; frame < 30000 && SceneNumber != SceneTitle; ++frame) {
    os::headless::AdvanceMs(100);
    ASSERT_EQ(RunFrames(1), 1);
    if (SceneNumber == SceneStage7 && Boss7State.hitPoints < 1500.0f &&
        Boss7State.hitPoints > 0.0f) {
      boss7_hit_by_fire = true;
    }
    if (SceneNumber != scenes.back()) {
      scenes.push_back(SceneNumber);
      if (SceneNumber == SceneEnding) {
        EXPECT_LT(last_scroll, 11000.0f) << "the last boss fell only to its time-out";
      }
    }
    last_scroll = ScrollPos;
  }
  KeyUp('C');
  const std::vector<int32_t> route{SceneStage1, SceneStage2, SceneStage4, SceneStage5,
                                   SceneStage7, SceneEnding, SceneTitle};
  EXPECT_EQ(scenes, route);
  EXPECT_TRUE(boss7_hit_by_fire);
  EXPECT_EQ(Lives, 999);
}

}  // namespace
