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
  EXPECT_EQ(PlayerBankDir, 0);
  EXPECT_EQ(BombSalvoActive, 0u);
  EXPECT_EQ(LaserACounter, 0);

  // Held for two frames: the second frame moves, banks and fires.
  Frame({os::KeyLeft, os::KeyUp, 'C'});
  EXPECT_TRUE(ShipAt(370.0f, 400.0f));
  Frame({os::KeyLeft, os::KeyUp, 'C'});
  EXPECT_EQ(ShipKeyLeft, EdgeHeld);
  EXPECT_FLOAT_EQ(PlayerDX, -160.0f);
  EXPECT_TRUE(ShipAt(354.0f, 384.0f));
  EXPECT_EQ(PlayerBankDir, 1);
  EXPECT_EQ(LaserACounter, 1);
}

TEST_F(ShipTest, LeftAndRightTogetherGoRightAndDriftTheLayersRight) {
  FrameTime = 0.1f;
  Frame({os::KeyLeft, os::KeyRight});
  Frame({os::KeyLeft, os::KeyRight});
  EXPECT_FLOAT_EQ(PlayerDX, 160.0f);
  EXPECT_FLOAT_EQ(PlayerX, 386.0f);
  EXPECT_EQ(PlayerBankDir, -1);
  EXPECT_FLOAT_EQ(Background6Strips[0].dx, -50.0f);
  EXPECT_FLOAT_EQ(BackgroundAStrips[4999].dx, -55.0f);
  EXPECT_FLOAT_EQ(Bback6sStrips[17].dx, -60.0f);
  EXPECT_FLOAT_EQ(BackgroundBStrips[2500].dx, -65.0f);
  // Up and Down together: Down wins.
  Frame({os::KeyUp, os::KeyDown});
  Frame({os::KeyUp, os::KeyDown});
  EXPECT_FLOAT_EQ(PlayerDY, 160.0f);
  // Left alone drifts the other way.
  Frame({os::KeyLeft});
  Frame({os::KeyLeft});
  EXPECT_FLOAT_EQ(Background6Strips[1].dx, 50.0f);
  EXPECT_FLOAT_EQ(BackgroundBStrips[1].dx, 65.0f);
}

TEST_F(ShipTest, SpeedAndLasersFollowTheShipType) {
  FrameTime = 0.1f;
  ShipType = 2;  // faster, and fires neither laser
  Frame({os::KeyRight, 'C', 'V'});
  Frame({os::KeyRight, 'C', 'V'});
  EXPECT_FLOAT_EQ(PlayerX, 390.0f);
  EXPECT_EQ(LaserACounter, 0);
  EXPECT_EQ(LaserBCounter, 0);
  ShipType = 0;  // does not move, banks all the same
  Frame({os::KeyRight});
  EXPECT_FLOAT_EQ(PlayerX, 390.0f);
  EXPECT_EQ(PlayerBankDir, -1);
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
    for (int i = 0; i < 200; ++i) {
      Frame({os::KeyLeft, os::KeyUp});
      ASSERT_GE(PlayerX, 180.0f);
      ASSERT_GE(PlayerY, 220.0f);
    }
    EXPECT_TRUE(ShipAt(180.0f, 220.0f));
    for (int i = 0; i < 200; ++i) {
      Frame({os::KeyRight, os::KeyDown});
      ASSERT_LE(PlayerX, 560.0f);
      ASSERT_LE(PlayerY, 540.0f);
    }
    EXPECT_TRUE(ShipAt(560.0f, 540.0f));
  }
  // A position outside the box (the mouse put it there) is pulled back at rest.
  PlayerX = 20.0f;
  PlayerY = 900.0f;
  Frame({});
  EXPECT_TRUE(ShipAt(180.0f, 540.0f));
}

TEST_F(ShipTest, BankRunsOutHoldsAndComesBackToLevel) {
  std::vector<int32_t> banks;
  for (int i = 0; i < 11; ++i) {
    if (i < 6) {
      Frame({os::KeyLeft});
    } else {
      Frame({});
    }
    banks.push_back(PlayerBank);
  }
  // Pressed, then held: the bank steps from the frame after the first held one.
  EXPECT_EQ(banks, (std::vector<int32_t>{3, 3, 4, 5, 6, 6, 6, 5, 4, 3, 3}));
  EXPECT_EQ(PlayerBankDir, 0);

  // A short tap runs on to the end, flips and comes back.
  banks.clear();
  Frame({os::KeyRight});
  Frame({os::KeyRight});
  for (int i = 0; i < 8; ++i) {
    Frame({});
    banks.push_back(PlayerBank);
  }
  EXPECT_EQ(banks, (std::vector<int32_t>{2, 1, 0, 1, 2, 3, 3, 3}));

  // Only Up held at a full bank: the bank stays at its end.
  for (int i = 0; i < 5; ++i) Frame({os::KeyLeft, os::KeyUp});
  for (int i = 0; i < 3; ++i) {
    Frame({os::KeyUp});
    EXPECT_EQ(PlayerBank, 6);
  }
}

TEST_F(ShipTest, DoubleClickStartsTheSalvoOnceAndHoldsTheLasersBack) {
  LeftDoubleClick = 1;
  Frame({});
  EXPECT_EQ(BombSalvoActive, 1u);
  EXPECT_EQ(LaserAReady, 0u);
  EXPECT_EQ(LaserBReady, 0u);
  BombSalvoCounter = 40;
  Frame({});
  EXPECT_EQ(BombSalvoCounter, 40);  // a second start during the salvo does nothing
  LeftDoubleClick = 0;
  Frame({'C', 'V'});
  Frame({'C', 'V'});
  EXPECT_EQ(LaserACounter, 0);
  EXPECT_EQ(LaserBCounter, 0);
}

TEST_F(ShipTest, TheShipIsDrawnWithItsBankFrameOnlyUnderAControl) {
  PlayerX = 300.9f;
  PlayerY = 250.5f;
  PlayerBank = 5;
  PlayerUpdate();
  EXPECT_EQ(Back(300, 250), ShipColour(5));
  EXPECT_EQ(Back(359, 319), ShipColour(5));
  EXPECT_EQ(CountBack(ShipColour(5)), 60 * 70);

  elDraw::ClearScreen();
  KeyboardControl = 0;
  PlayerUpdate();
  EXPECT_EQ(CountNonBlack(), 0);
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

TEST_F(ShipTest, FlyInBringsTheShipToItsStartAndEnds) {
  ResetShipIntro();
  EXPECT_FLOAT_EQ(ShipIntroRecords[0].y, 2550.0f);
  FrameTime = 0.1f;
  int frames = 0;
  while (!ShipIntroRecords[0].done && frames < 1000) {
    ShipIntroFlyIn();
    if (++frames == 10) {
      EXPECT_FLOAT_EQ(ShipIntroRecords[0].y, 480.0f);
    }
  }
  EXPECT_TRUE(ShipAt(290.0f, 210.0f));
  EXPECT_FLOAT_EQ(ShipIntroRecords[0].x, -500.0f);
  // 10 frames at 480, then 16 px per frame: below -380 after 54 more.
  EXPECT_EQ(frames, 10 + 54);
  EXPECT_EQ(ShipIntroRecords[1].done, 0u);
}

}  // namespace
