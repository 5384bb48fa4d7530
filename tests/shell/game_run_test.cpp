// The new-game set-up as the front end runs it.
#include <gtest/gtest.h>

#include "player/powerup.h"
#include "shell/background.h"
#include "shell/game_state.h"
#include "tests/support/game_harness.h"

namespace {

using namespace vantris_test;

class GameRunTest : public GameTest {};

TEST_F(GameRunTest, StartNewGamePlacesTheLayersAndParksThePowerUp) {
  Bback1sStrips[1].y = 5;
  Background38Strips[0].x = 1;
  PowerUp.active = 1;
  PowerUp.x = 300;
  SideLaser = 1;
  PowerLevel = 4;
  StartNewGame();
  EXPECT_EQ(Bback1sStrips[0].y, 120.0f);
  EXPECT_EQ(Bback1sStrips[1].y, -360.0f);
  EXPECT_EQ(Bback1sStrips[4999].y, 120.0f - 480.0f * 4999);
  EXPECT_EQ(Bback1sStrips[7].x, 180.0f);
  EXPECT_EQ(Background38Strips[0].x, -500.0f);
  EXPECT_EQ(Bback6sStrips[3].x, 80.0f);
  EXPECT_EQ(PowerUp.active, 0u);
  EXPECT_EQ(PowerUp.x, -500.0f);
  EXPECT_EQ(PowerUp.y, 2550.0f);
  EXPECT_EQ(SideLaser, 0u);
  EXPECT_EQ(PowerLevel, 0);
}

}  // namespace
