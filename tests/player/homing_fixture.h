// The player fixture with the lock-on and homing pictures, every object table
// at its start state, scoring on, and a fixed frame of 1/60 s.
#pragma once
#include <cstdint>

#include "enemies/kind_tables.h"
#include "player/boss_lock.h"
#include "player/hit_pass.h"
#include "player/homing_common.h"
#include "player/homing_lasers.h"
#include "player/homing_missiles.h"
#include "player/homing_storage.h"
#include "player/homing_weapons.h"
#include "player/lockon.h"
#include "stages/stage_resets.h"
#include "stages/stage1/boss1_tables.h"
#include "stages/stage2/boss2_tables.h"
#include "stages/stage3/boss3_tables.h"
#include "stages/stage4/boss4_tables.h"
#include "stages/stage5/boss5_tables.h"
#include "stages/stage6/boss6_tables.h"
#include "stages/stage7/boss7_tables.h"
#include "stages/stage8/boss8_tables.h"
#include "tests/player/player_fixture.h"
#include "tests/support/game_harness.h"

namespace player_test {

constexpr uint16_t Ray10Colour = 0x2001;
constexpr uint16_t MissileColour = 0x2002;

class HomingTest : public PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    ImgRay10 = Sprite(20, 20, [](int, int) { return Ray10Colour; });
    ImgFlz01_l = Sprite(20, 60, [](int, int) { return MissileColour; });
    vantris_test::ResetForScoring();
    os::SeedRandom(1);
    HighScore = 500;
    ShipType = 1;
    PlayerAlive = 1;
    BombWave = 0;
    elDraw::ClearScreen();
  }
  void TearDown() override {
    ImgRay10 = ImgFlz01_l = 0;
    PlayerTest::TearDown();
  }
};

}  // namespace player_test
