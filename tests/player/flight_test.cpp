// The ship in the running game: from the title through the mode screen into
// stage 1, flown and fired with the keys or led by the mouse.
#include "el/draw/elDraw.h"
#include "os/keys.h"
#include "player/powerup.h"
#include "player/ship.h"
#include "player/shots.h"
#include "player/starfield.h"
#include "shell/background.h"
#include "shell/game_state.h"
#include "shell/scene.h"
#include "tests/support/game_harness.h"

namespace {

using namespace vantris_test;

class FlightTest : public GameTest {
 protected:
  // Title, mode screen (with the extra keys given), F1, and the transition
  // into stage 1 run out.
  void EnterStageOne(std::initializer_list<int> mode_keys = {}) {
    ASSERT_TRUE(StartGame());
    RunFrames(2);
    TapKey(os::KeyReturn);
    ASSERT_TRUE(RunUntil([] { return SceneNumber == SceneModeSelect && TransitionStep == 0; }));
    for (int key : mode_keys) TapKey(key);
    TapKey(os::KeyF1);
    ASSERT_TRUE(RunUntil([] { return SceneNumber == SceneStage1 && TransitionStep == 0; }));
  }
  static int ActiveRays() {
    int n = 0;
    for (const ShipRay& r : ShipRays) n += r.active != 0;
    return n;
  }
};

TEST_F(FlightTest, TheShipFliesBanksAndFiresOverTheScrollingStage) {
  EnterStageOne();
  ASSERT_EQ(KeyboardControl, 1u);
  ASSERT_EQ(ShipType, 1);
  EXPECT_FLOAT_EQ(PlayerX, 370.0f);
  EXPECT_FLOAT_EQ(PlayerY, 520.0f);
  const float scroll = ScrollPos;
  const float strip = Bback1sStrips[0].y;
  RunFrames(10);
  EXPECT_GT(ScrollPos, scroll);
  EXPECT_GT(Bback1sStrips[0].y, strip);

  KeyDown(os::KeyLeft);
  KeyDown(os::KeyUp);
  RunFrames(12);
  EXPECT_LT(PlayerX, 370.0f);
  EXPECT_LT(PlayerY, 520.0f);
  EXPECT_EQ(PlayerBank, 6);
  KeyUp(os::KeyLeft);
  KeyUp(os::KeyUp);
  RunFrames(6);
  EXPECT_EQ(PlayerBank, 3);

  // B: the salvo leaves the ship and climbs.
  TapKey('B');  // a one-frame tap does nothing
  RunFrames(1);
  EXPECT_EQ(BombSalvoActive, 0u);
  KeyDown('B');
  RunFrames(2);
  KeyUp('B');
  EXPECT_EQ(BombSalvoActive, 1u);
  RunFrames(30);
  EXPECT_GT(ActiveRays(), 20);
  RunFrames(200);
  EXPECT_EQ(BombSalvoActive, 0u);
  EXPECT_EQ(LaserAReady, 1u);

  // C: laser A segments climb 20 px per frame.
  KeyDown('C');
  RunFrames(6);
  ASSERT_EQ(LaserASegments[1].active, 1u);
  const int32_t y = LaserASegments[1].y;
  RunFrames(1);
  EXPECT_EQ(LaserASegments[1].y, y - 20);
  KeyUp('C');
}

TEST_F(FlightTest, AfterMTheShipFollowsTheMouseInsideItsBox) {
  EnterStageOne({'M'});
  ASSERT_EQ(MouseControl, 1u);
  ASSERT_EQ(KeyboardControl, 0u);
  MouseMove(430, 330);
  RunFrames(2);
  EXPECT_FLOAT_EQ(PlayerX, 400.0f);
  EXPECT_FLOAT_EQ(PlayerY, 300.0f);
  MouseMove(20, 10);
  RunFrames(2);
  EXPECT_FLOAT_EQ(PlayerX, 180.0f);
  EXPECT_FLOAT_EQ(PlayerY, 220.0f);
  // A double click starts the salvo.
  MouseButtonEvent(1, true, true);
  MouseButtonEvent(1, false);
  RunFrames(1);
  EXPECT_EQ(BombSalvoActive, 1u);
}

TEST_F(FlightTest, KeysHeldThroughTheTransitionActOnlyAfterIt) {
  ASSERT_TRUE(StartGame());
  RunFrames(2);
  TapKey(os::KeyReturn);
  ASSERT_TRUE(RunUntil([] { return SceneNumber == SceneModeSelect && TransitionStep == 0; }));
  KeyDown(os::KeyRight);
  KeyDown(os::KeyF1);  // the last key pressed is the one the screen reads
  ASSERT_TRUE(RunUntil([] { return SceneNumber == SceneStage1; }));
  KeyUp(os::KeyF1);
  ASSERT_NE(TransitionStep, 0);
  RunFrames(5);
  ASSERT_NE(TransitionStep, 0);
  EXPECT_FLOAT_EQ(PlayerX, 370.0f);
  EXPECT_EQ(ShipKeyRight, EdgeUp);
  ASSERT_TRUE(RunUntil([] { return TransitionStep == 0; }));
  RunFrames(3);
  EXPECT_GT(PlayerX, 370.0f);
  KeyUp(os::KeyRight);
}

}  // namespace
