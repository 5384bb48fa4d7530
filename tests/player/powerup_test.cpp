#include "tests/player/player_fixture.h"

namespace {

using namespace player_test;

using PowerUpTest = PlayerTest;

TEST_F(PowerUpTest, ReleasesEnterAtTheTopWithinTheirRanges) {
  Range x, speed;
  for (int i = 0; i < 3000; ++i) {
    ResetPowerUp();
    Spower1Spawn();
    ASSERT_EQ(PowerUp.active, 1u);
    ASSERT_EQ(PowerUp.collected, 0u);
    ASSERT_FLOAT_EQ(PowerUp.y, -60.0f);
    x.Add(PowerUp.x);
    speed.Add(PowerUp.fall_speed);
  }
  EXPECT_EQ(x, (Range{210.0f, 529.0f}));
  EXPECT_EQ(speed, (Range{100.0f, 229.0f}));
  EXPECT_EQ(PowerLevel, 3000);
}

TEST_F(PowerUpTest, OnlyOneItemFallsAtATime) {
  Spower1Spawn();
  const PowerUpItem first = PowerUp;
  FrameTime = 0.5f;
  Spower1Move();
  Spower1Spawn();
  EXPECT_EQ(Pos(PowerUp), XY(first.x, -60.0f + first.fall_speed * 0.5f));
  EXPECT_EQ(PowerLevel, 1);
  // Fallen out below 600: parked, and the window releases the next at once.
  PowerUp.y = 599.0f;
  Spower1Move();
  EXPECT_EQ(PowerUp.active, 0u);
  EXPECT_EQ(Pos(PowerUp), XY(-500.0f, 2550.0f));
  Spower1Spawn();
  EXPECT_EQ(PowerUp.active, 1u);
  EXPECT_EQ(PowerLevel, 2);
}

TEST_F(PowerUpTest, PickUpSoundsAtOnceAndRewardsOnTheNextUpdate) {
  Spower1Spawn();  // PowerLevel 1
  StopSounds();
  Spower1Hit();
  EXPECT_TRUE(Playing(SndBom));
  EXPECT_EQ(PowerUp.collected, 1u);
  EXPECT_EQ(BombStock, 5);
  EXPECT_EQ(SideLaser, 0u);
  Spower1Update();
  EXPECT_EQ(SideLaser, 1u);
  EXPECT_EQ(BombStock, 6);
  EXPECT_EQ(PowerUp.active, 0u);
  EXPECT_EQ(PowerUp.collected, 0u);
  EXPECT_FLOAT_EQ(PowerUp.y, 2550.0f);
  Spower1Update();
  EXPECT_EQ(BombStock, 6);  // once
  // The window still open: the next item on the next frame.
  Spower1Spawn();
  EXPECT_EQ(PowerUp.active, 1u);
}

TEST_F(PowerUpTest, BombsFollowThePowerLevel) {
  // Level found by the pick-up -> bombs, and the level 0 case becomes 1.
  const struct {
    int32_t level, bombs, level_after;
  } cases[] = {{0, 2, 1}, {1, 1, 1}, {2, 1, 2}, {3, 2, 3}, {9, 2, 9}};
  for (const auto& c : cases) {
    PowerLevel = c.level;
    BombStock = 0;
    PowerUp.collected = 1;
    Spower1Update();
    EXPECT_EQ(BombStock, c.bombs) << c.level;
    EXPECT_EQ(PowerLevel, c.level_after) << c.level;
  }
  // An unbroken run: one, one, then two per item.
  PowerLevel = 0;
  BombStock = 0;
  for (int i = 0; i < 4; ++i) {
    ResetPowerUp();
    Spower1Spawn();
    Spower1Hit();
    Spower1Update();
  }
  EXPECT_EQ(BombStock, 1 + 1 + 2 + 2);
}

TEST_F(PowerUpTest, DrawnAdditivelyUntilTaken) {
  Spower1Spawn();
  PowerUp.x = 300.7f;
  PowerUp.y = 200.2f;
  Spower1Update();
  EXPECT_EQ(Back(300, 200), 0x080F);
  EXPECT_EQ(CountBack(0x080F), 60 * 60);
  elDraw::ClearScreen();
  PowerUp.collected = 1;
  Spower1Update();
  EXPECT_EQ(CountNonBlack(), 0);
  // A parked item is drawn off the screen: nothing shows.
  Spower1Update();
  EXPECT_EQ(CountNonBlack(), 0);
}

}  // namespace
