// The new-game set-up and pass A's part of the game state, as the front end
// runs them.
#include <gtest/gtest.h>

#include "player/powerup.h"
#include "shell/background.h"
#include "shell/game_state.h"
#include "shell/object_resets.h"
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

TEST_F(GameRunTest, PassAKeepsTheShipScoreAndOptionsAndRestartsTheRun) {
  PlayerX = 400;
  PlayerY = 300;
  Score = 1234;
  Lives = 7;
  BombStock = 2;
  GameLevel = 3;
  ShipType = 2;
  NoDeath = 1;
  BackgroundOff = 1;
  ScrollPos = 999;
  SceneFrame = 77;
  PauseFlag = 1;
  ContinuePrompt = 1;
  PlayerAlive = 0;
  GameOver = 1;
  LaserAReady = 0;
  SideLaser = 1;
  PowerUp.active = 1;
  ResetObjectTablesA();
  ResetObjectTablesB();
  EXPECT_EQ(PlayerX, 400.0f);
  EXPECT_EQ(PlayerY, 300.0f);
  EXPECT_EQ(Score, 1234);
  EXPECT_EQ(Lives, 7);
  EXPECT_EQ(BombStock, 2);
  EXPECT_EQ(GameLevel, 3);
  EXPECT_EQ(ShipType, 2);
  EXPECT_EQ(NoDeath, 1u);
  EXPECT_EQ(BackgroundOff, 1u);
  EXPECT_EQ(ScrollPos, 0.0f);
  EXPECT_EQ(SceneFrame, 0);
  EXPECT_EQ(PauseFlag, 0u);
  EXPECT_EQ(ContinuePrompt, 0u);
  EXPECT_EQ(PlayerAlive, 1u);
  EXPECT_EQ(GameOver, 0u);
  EXPECT_EQ(PlayerBank, 3);
  EXPECT_EQ(LaserAReady, 1u);
  EXPECT_EQ(LaserBReady, 1u);
  EXPECT_EQ(ContinueCountdown, 800);
  // The item is parked but the power earned so far stays.
  EXPECT_EQ(PowerUp.active, 0u);
  EXPECT_EQ(SideLaser, 1u);
}

}  // namespace
