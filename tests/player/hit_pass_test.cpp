// The shot hit pass and the score rule: every overlap frame scores while the
// shot flies on, boxes are inclusive, the y gates, Szak60's count of frames,
// the bosses' damage rates and the bosses the passes leave alone.
#include <gtest/gtest.h>

#include "el/system/elSystem.h"
#include "enemies/kind_tables.h"
#include "player/bomb.h"
#include "player/hit_pass.h"
#include "player/powerup.h"
#include "player/shots.h"
#include "shell/game_state.h"
#include "stages/stage1/boss1_tables.h"
#include "stages/stage2/boss2_tables.h"
#include "stages/stage6/boss6_tables.h"
#include "tests/support/game_harness.h"

namespace {

using namespace vantris_test;

class HitPassTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ResetForScoring();
    HighScore = 500;
    PlayerX = 370.0f;
    PlayerY = 520.0f;
  }

  static void Place(EnemySlot& slot, float x, float y) {
    slot.x = x;
    slot.y = y;
    slot.active = 1;
    slot.hit = 0;
  }
  // One shot of the pass at (sx, sy); true when it called Szak10Hit(0).
  static bool HitsSzak10(ShotPass pass, int32_t sx, int32_t sy) {
    Szak10Slots[0].hit = 0;
    TestShotHits(pass, sx, sy, nullptr);
    return Szak10Slots[0].hit == 1;
  }
};

TEST_F(HitPassTest, ALaserScoresOnEveryFrameItOverlapsAndFliesOn) {
  Place(Szak10Slots[0], 300.0f, 300.0f);
  LaserSegment& s = LaserBSegments[0];
  s = {300, 330, 0, 20, 1};
  const int32_t expected[] = {100, 200, 300, 400, 400, 400};  // y 310, 290, 270, 250, 230, 210
  for (int32_t points : expected) {
    CheckShotHits();
    EXPECT_EQ(Score, points) << "segment at y " << s.y;
    EXPECT_EQ(s.active, 1u);
  }
  EXPECT_EQ(Szak10Slots[0].hit, 1u);
  EXPECT_EQ(Szak10Slots[1].hit, 0u);
}

TEST_F(HitPassTest, RaysScoreEveryFrameOfTheOverlapToo) {
  Place(Szak3Slots[1], 250.0f, 200.0f);
  ShipRay& r = ShipRays[0];
  r = {280, 230, 0.0f, 1};
  CheckShotHits();  // the first step of a ray is sideways: (274, 230)
  EXPECT_EQ(Score, 250);
  EXPECT_EQ(Szak3Slots[1].hit, 1u);
  Szak3Slots[1].hit = 0;
  CheckShotHits();
  EXPECT_EQ(Score, 500);
  EXPECT_EQ(Szak3Slots[1].hit, 1u);
  EXPECT_EQ(r.active, 1u);
}

TEST_F(HitPassTest, BoxesIncludeBothBounds) {
  Place(Szak10Slots[0], 300.9f, 300.9f);  // truncated to (300, 300)
  // Laser B: x -40 .. +50, y -60 .. +50.
  EXPECT_TRUE(HitsSzak10(ShotPass::LaserB, 260, 300));
  EXPECT_FALSE(HitsSzak10(ShotPass::LaserB, 259, 300));
  EXPECT_TRUE(HitsSzak10(ShotPass::LaserB, 350, 300));
  EXPECT_FALSE(HitsSzak10(ShotPass::LaserB, 351, 300));
  EXPECT_TRUE(HitsSzak10(ShotPass::LaserB, 300, 240));
  EXPECT_FALSE(HitsSzak10(ShotPass::LaserB, 300, 239));
  EXPECT_TRUE(HitsSzak10(ShotPass::LaserB, 300, 350));
  EXPECT_FALSE(HitsSzak10(ShotPass::LaserB, 300, 351));
  // Laser A: x -60 .. +70; rays: -20 .. +70; the bomb takes laser A's box.
  EXPECT_TRUE(HitsSzak10(ShotPass::LaserA, 240, 300));
  EXPECT_FALSE(HitsSzak10(ShotPass::LaserA, 239, 300));
  EXPECT_TRUE(HitsSzak10(ShotPass::LaserA, 370, 300));
  EXPECT_FALSE(HitsSzak10(ShotPass::Ray, 279, 300));
  EXPECT_TRUE(HitsSzak10(ShotPass::Ray, 280, 300));
  EXPECT_TRUE(HitsSzak10(ShotPass::Bomb, 240, 300));
  EXPECT_FALSE(HitsSzak10(ShotPass::Bomb, 371, 300));
  // Points per pass: B 100, A 50, ray 50, bomb 50.
  Score = 0;
  HitsSzak10(ShotPass::LaserB, 300, 300);
  HitsSzak10(ShotPass::LaserA, 300, 300);
  HitsSzak10(ShotPass::Ray, 300, 300);
  HitsSzak10(ShotPass::Bomb, 300, 300);
  EXPECT_EQ(Score, 250);
}

TEST_F(HitPassTest, SlotsAboveTheirGateOrMarkedNoHitCannotBeHit) {
  Place(Szak10Slots[0], 300.0f, -45.0f);
  EXPECT_TRUE(HitsSzak10(ShotPass::LaserB, 300, -45));
  Szak10Slots[0].y = -45.5f;  // truncates to -45 but lies above the gate
  EXPECT_FALSE(HitsSzak10(ShotPass::LaserB, 300, -45));
  Szak10Slots[0].y = 300.0f;
  Szak10Slots[0].noHit = 1;
  EXPECT_FALSE(HitsSzak10(ShotPass::LaserB, 300, 300));

  // The large diagonal kind has a gate of its own in the ray pass.
  Place(Szak52ASlots[0], 300.0f, 4.0f);
  TestShotHits(ShotPass::Ray, 300, 4, nullptr);
  EXPECT_EQ(Szak52ASlots[0].hit, 0u);
  TestShotHits(ShotPass::LaserB, 300, 4, nullptr);
  EXPECT_EQ(Szak52ASlots[0].hit, 1u);
  Szak52ASlots[0] = {};
  Place(Szak52ASlots[0], 300.0f, 5.0f);
  TestShotHits(ShotPass::Ray, 300, 5, nullptr);
  EXPECT_EQ(Szak52ASlots[0].hit, 1u);

}

TEST_F(HitPassTest, Szak60CountsOnlyFromItsTwentyFifthOverlappingFrame) {
  Szak60Enemy& big = Szak60Slots[0];
  big.x = 300.0f;
  big.y = 200.0f;
  big.hitFrames = 0;
  for (int frame = 1; frame <= 24; ++frame) TestShotHits(ShotPass::LaserA, 400, 300, nullptr);
  EXPECT_EQ(big.hitFrames, 24);
  EXPECT_EQ(big.hit, 0u);
  EXPECT_EQ(Score, 0);
  TestShotHits(ShotPass::LaserA, 400, 300, nullptr);
  EXPECT_EQ(big.hit, 1u);
  EXPECT_EQ(Score, 500);
  TestShotHits(ShotPass::Ray, 530, 390, nullptr);  // ray box +40 .. +240, -60 .. +200
  EXPECT_EQ(Score, 1000);
  EXPECT_EQ(big.hitFrames, 26);
  TestShotHits(ShotPass::Ray, 541, 300, nullptr);  // outside: no count
  EXPECT_EQ(big.hitFrames, 26);
}

TEST_F(HitPassTest, BossesLoseHitPointsAtTheRateOfEachShot) {
  BossState& boss = Boss1State;
  boss.x = 200.0f;
  boss.y = 100.0f;
  const float start = boss.hitPoints;
  ASSERT_EQ(start, 1020.0f);

  // A laser segment inside the box is freed at once: 100 per second.
  LaserASegments[0] = {400, 280, 0, 20, 1};  // moves to y 260: box y 110 .. 300
  CheckShotHits();
  EXPECT_EQ(LaserASegments[0].active, 0u);
  EXPECT_FLOAT_EQ(boss.hitPoints, start - 100.0f * FrameTime);
  EXPECT_EQ(boss.hit, 1u);
  EXPECT_EQ(Score, 50);

  // A ray is not freed and takes 3 per second on every frame of the overlap.
  boss.hit = 0;
  float hp = boss.hitPoints;
  uint32_t ray_active = 1;
  TestShotHits(ShotPass::Ray, 540, 300, &ray_active);
  TestShotHits(ShotPass::Ray, 540, 300, &ray_active);
  EXPECT_FLOAT_EQ(boss.hitPoints, hp - 2 * 3.0f * FrameTime);
  EXPECT_EQ(ray_active, 1u);
  EXPECT_EQ(Score, 150);

  // Bomb fragments: 40 per second per fragment, 35 for Boss6 and Boss2; no
  // fragment is freed.
  BombFragments[0] = {380, 200, 40, 1, static_cast<float>(Pi / 2)};  // to (380, 240)
  hp = boss.hitPoints;
  BombPass();
  EXPECT_FLOAT_EQ(boss.hitPoints, hp - 40.0f * FrameTime);
  EXPECT_EQ(BombFragments[0].active, 1u);
  for (BossState* heavy : {&Boss6State, &Boss2State}) {
    heavy->x = 100.0f;
    heavy->y = 100.0f;
    const float before = heavy->hitPoints;
    TestShotHits(ShotPass::Bomb, 300, 250, nullptr);
    EXPECT_FLOAT_EQ(heavy->hitPoints, before - 35.0f * FrameTime);
    heavy->x = -500.0f;
    heavy->y = 2550.0f;
  }

  // A boss past 0 hit points is still hit and still pays.
  boss.hitPoints = -3.0f;
  const int32_t score = Score;
  TestShotHits(ShotPass::LaserB, 400, 300, nullptr);
  EXPECT_LT(boss.hitPoints, -3.0f);
  EXPECT_EQ(Score, score + 100);
}

TEST_F(HitPassTest, HitDisabledAndAboveTheScreenBossesAreLeftAlone) {
  BossState& boss = Boss1State;
  boss.x = 200.0f;
  boss.y = 100.0f;
  boss.hitDisabled = 1;
  LaserBSegments[3] = {400, 300, 0, 20, 1};
  CheckShotHits();
  EXPECT_EQ(boss.hitPoints, 1020.0f);
  EXPECT_EQ(boss.hit, 0u);
  EXPECT_EQ(LaserBSegments[3].active, 1u);
  EXPECT_EQ(Score, 0);

  boss.hitDisabled = 0;
  boss.y = -0.5f;
  TestShotHits(ShotPass::Ray, 400, 100, nullptr);
  EXPECT_EQ(boss.hitPoints, 1020.0f);
  EXPECT_EQ(Score, 0);
  boss.y = 0.0f;
  TestShotHits(ShotPass::Ray, 400, 100, nullptr);
  EXPECT_LT(boss.hitPoints, 1020.0f);
  EXPECT_EQ(Score, 50);
}

TEST_F(HitPassTest, TheScoreStopsAtItsCapAndTheHighScoreFollows) {
  Score = 999999950;
  AddScore(100);
  EXPECT_EQ(Score, 999999999);
  EXPECT_EQ(HighScore, 999999999);
  AddScore(2147483647);
  EXPECT_EQ(Score, 999999999);

  Score = 400;
  HighScore = 500;
  AddScore(50);
  EXPECT_EQ(Score, 450);
  EXPECT_EQ(HighScore, 500);
  AddScore(100);
  EXPECT_EQ(HighScore, 550);

  // Only game modes 1 and 2 with sub-mode 0 or 1 score.
  GameMode = 0;
  AddScore(100);
  EXPECT_EQ(Score, 550);
  GameMode = 2;
  GameSubMode = 2;
  AddScore(100);
  EXPECT_EQ(Score, 550);
  GameSubMode = 1;
  AddScore(100);
  EXPECT_EQ(Score, 650);
}

TEST_F(HitPassTest, ThePowerUpIsPickedUpOnceBelowY50) {
  PowerUp.active = 1;
  PowerUp.x = 400.0f;
  PowerUp.y = 50.0f;
  PlayerX = 440.0f;
  PlayerY = 100.0f;
  CheckShotHits();
  EXPECT_EQ(Score, 0);
  PowerUp.y = 50.5f;
  CheckShotHits();
  EXPECT_EQ(Score, 500);
  EXPECT_EQ(PowerUp.collected, 1u);
  PlayerX = 461.0f;  // beyond 60 pixels
  PowerUp.collected = 0;
  CheckShotHits();
  EXPECT_EQ(Score, 500);
  EXPECT_EQ(PowerUp.collected, 0u);
}

}  // namespace
