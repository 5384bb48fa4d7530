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

}  // namespace
