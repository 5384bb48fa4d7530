#include "os/keys.h"
#include "tests/player/player_fixture.h"

namespace {

using namespace player_test;

class ShipTest : public PlayerTest {
 protected:
  // One frame of key reading and movement with the given keys held.
  static void Frame(std::initializer_list<int> held) {
    static constexpr int kKeys[] = {os::KeyLeft, os::KeyRight, os::KeyUp, os::KeyDown,
                                    'C',         'V',          'B'};
    for (int key : kKeys) Hold(key, std::find(held.begin(), held.end(), key) != held.end());
    PlayerMove();
  }
};

TEST_F(ShipTest, AKeyActsOnlyFromItsSecondFrame) {
  FrameTime = 0.1f;
  // A one-frame tap of every key: pressed, then released, then up.
  Frame({os::KeyLeft, os::KeyUp, 'B', 'C'});
  EXPECT_EQ(ShipKeyLeft, EdgePressed);
  Frame({});
  EXPECT_EQ(ShipKeyLeft, EdgeReleased);
  Frame({});
  EXPECT_EQ(ShipKeyLeft, EdgeUp);
  EXPECT_TRUE(ShipAt(370.0f, 400.0f));
  EXPECT_EQ(LaserACounter, 0);

  // Held for two frames: the second frame moves, banks and fires.
  Frame({os::KeyLeft, os::KeyUp, 'C'});
  EXPECT_TRUE(ShipAt(370.0f, 400.0f));
  Frame({os::KeyLeft, os::KeyUp, 'C'});
  EXPECT_FLOAT_EQ(PlayerDX, -160.0f);
  EXPECT_TRUE(ShipAt(354.0f, 384.0f));
  EXPECT_EQ(PlayerBankDir, 1);
  EXPECT_EQ(LaserACounter, 1);
}

TEST_F(ShipTest, EveryKeyReadsUpDuringATransitionAndAfterGameOver) {
  FrameTime = 0.1f;
  for (int round = 0; round < 2; ++round) {
    TransitionStep = round == 0 ? 12 : 0;
    GameOver = round == 0 ? 0 : 1;
    for (int i = 0; i < 3; ++i) {
      Frame({os::KeyLeft, os::KeyRight, os::KeyUp, os::KeyDown, 'C', 'V', 'B'});
    }
    for (EdgeState s :
         {ShipKeyLeft, ShipKeyRight, ShipKeyUp, ShipKeyDown, ShipKeyC, ShipKeyV, ShipKeyB}) {
      EXPECT_EQ(s, EdgeUp) << round;
    }
    EXPECT_TRUE(ShipAt(370.0f, 400.0f));
    EXPECT_EQ(BombSalvoActive, 0u);
    EXPECT_EQ(LaserACounter, 0);
  }
}

TEST_F(ShipTest, TheShipStaysInItsBoxWhateverTheFrameTime) {
  for (float ft : {0.1f, 0.016f, 3.0f}) {
    FrameTime = ft;
    for (int i = 0; i < 200; ++i) Frame({os::KeyLeft, os::KeyUp});
    EXPECT_TRUE(ShipAt(180.0f, 220.0f));
    for (int i = 0; i < 200; ++i) Frame({os::KeyRight, os::KeyDown});
    EXPECT_TRUE(ShipAt(560.0f, 540.0f));
  }
  // A position outside the box (the mouse put it there) is pulled back at rest.
  PlayerX = 20.0f;
  PlayerY = 900.0f;
  Frame({});
  EXPECT_TRUE(ShipAt(180.0f, 540.0f));
}

TEST_F(ShipTest, UnderMouseControlTheShipFollowsThePointerInsideItsBox) {
  KeyboardControl = 0;
  MouseControl = 1;
  MouseX = 430;
  MouseY = 330;
  PlayerUpdate();
  // Drawn where it stood, then put at the pointer less (30, 30).
  EXPECT_EQ(Back(370, 400), ShipColour(3));
  EXPECT_TRUE(ShipAt(400.0f, 300.0f));
  PlayerMove();
  EXPECT_TRUE(ShipAt(400.0f, 300.0f));
  MouseX = 40;
  MouseY = 700;
  PlayerUpdate();
  PlayerMove();
  EXPECT_TRUE(ShipAt(180.0f, 540.0f));
}

}  // namespace
