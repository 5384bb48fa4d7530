// The routes a player takes through the game, each at levels 1 and 3: from
// the title through the mode screen (O: a ship that cannot die, Space: the
// background layers off, F1 or F2: the level), then either the whole played
// route (stages 1, 2, 4, 5 and 7, the ending, the title again) or stage 1
// ended at once into a stage no scene change leads to (3, 6 or 8), played to
// its boss's defeat.  The laser is held down all along, every frame lasts
// 0.1 s (the longest the limiter gives) and the seed is pinned.  Each run
// must pass through exactly its scenes, in order, each stage ended by its
// boss's defeat long before the time-out, and report nothing: no message
// box, no line on stderr, no life lost.  (A sanitizer's report ends the test
// program by itself.)
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "el/system/elSystem.h"
#include "os/headless/headless.h"
#include "os/keys.h"
#include "shell/game_state.h"
#include "shell/scene.h"
#include "tests/support/game_harness.h"
#include "tests/support/stderr_capture.h"

namespace {

using namespace vantris_test;

struct Route {
  const char* name;
  int32_t entered;  // the stage entered from stage 1; 0: the played route
  std::vector<int32_t> scenes;  // every scene run, in order
};

const Route kRoutes[] = {
    {"PlayedRoute", 0,
     {SceneTitle, SceneModeSelect, SceneStage1, SceneStage2, SceneStage4, SceneStage5,
      SceneStage7, SceneEnding, SceneTitle}},
    {"Stage3", SceneStage3, {SceneTitle, SceneModeSelect, SceneStage1, SceneStage3, SceneStage4}},
    {"Stage6", SceneStage6, {SceneTitle, SceneModeSelect, SceneStage1, SceneStage6, SceneStage7}},
    {"Stage8", SceneStage8, {SceneTitle, SceneModeSelect, SceneStage1, SceneStage8, SceneEnding}},
};

// The longest any scene may run.  Every stage now ends in fewer than 1,800
// frames; one whose boss fell only to its time-out (10,000 px or more at 20
// px a second at most) would run more than 5,000.
constexpr int kLongestStay = 3000;

void PrintTo(const Route& route, std::ostream* out) { *out << route.name; }

// The scenes of the frames recorded so far, each once per stay.
class SceneTrail {
 public:
  const std::vector<int32_t>& Scenes() {
    const std::vector<FrameRecord>& frames = Frames();
    for (; read_ < frames.size(); ++read_) {
      const FrameRecord& f = frames[read_];
      if (scenes_.empty() || f.scene != scenes_.back() || f.entered == 1) {
        scenes_.push_back(f.scene);
      }
    }
    return scenes_;
  }

 private:
  size_t read_ = 0;
  std::vector<int32_t> scenes_;
};

std::string BoxesShown() {
  std::string text;
  for (const auto& box : os::headless::Boxes()) text += "[" + box.title + "] " + box.text + "\n";
  return text;
}

class RouteTest : public GameTest, public ::testing::WithParamInterface<std::tuple<Route, int>> {};

TEST_P(RouteTest, PassesThroughItsScenesAndReportsNothing) {
  const auto& [route, level] = GetParam();
  StderrCapture stderr_text;
  ASSERT_TRUE(StartGame());
  PumpMessages();
  ASSERT_EQ(RunFrames(1), 1);
  ASSERT_TRUE(TitleToModeScreen());
  ASSERT_TRUE(ModeScreenToStage({'O', os::KeySpace}, level == 1 ? os::KeyF1 : os::KeyF2));
  ASSERT_EQ(NoDeath, 1u);
  ASSERT_EQ(BackgroundOff, 1u);
  ASSERT_EQ(GameLevel, level);
  if (route.entered != 0) EndSceneInto(route.entered);

  SceneTrail trail;
  const int32_t lives = Lives;
  int32_t fewest_lives = Lives;
  int other_frame_times = 0;
  size_t scenes_seen = trail.Scenes().size();
  int stay = 0;  // frames of the running scene
  KeyDown('C');
  while (trail.Scenes().size() < route.scenes.size()) {
    os::headless::AdvanceMs(100);
    ASSERT_EQ(RunFrames(1), 1);
    fewest_lives = std::min(fewest_lives, Lives);
    other_frame_times += FrameTime != 0.1f;
    if (trail.Scenes().size() != scenes_seen) {
      scenes_seen = trail.Scenes().size();
      stay = 0;
    }
    ASSERT_LT(++stay, kLongestStay) << "scene " << SceneNumber << " does not end; scenes run: "
                                    << ::testing::PrintToString(trail.Scenes());
  }
  KeyUp('C');

  EXPECT_EQ(trail.Scenes(), route.scenes);
  EXPECT_EQ(other_frame_times, 0);
  EXPECT_EQ(fewest_lives, lives);
  EXPECT_EQ(BoxesShown(), "");
  EndGame();
  EXPECT_EQ(stderr_text.Finish(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Routes, RouteTest, ::testing::Combine(::testing::ValuesIn(kRoutes), ::testing::Values(1, 3)),
    [](const ::testing::TestParamInfo<RouteTest::ParamType>& info) {
      return std::string(std::get<0>(info.param).name) + "Level" +
             std::to_string(std::get<1>(info.param));
    });

}  // namespace
