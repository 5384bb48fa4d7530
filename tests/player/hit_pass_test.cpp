// The shot hit pass and the score rule: every overlap frame scores while the
// shot flies on, boxes are inclusive, the y gates, Szak60's count of frames,
// the bosses' damage rates and the bosses the passes leave alone.  The bomb:
// its 48-frame schedule of rings, the stock, the fragments' whole-pixel
// flight and their hit pass.
#include <gtest/gtest.h>

#include <cmath>

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
    BombStock = 5;
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
  static int ActiveInRing(int ring) {
    int n = 0;
    for (int i = ring * 10; i < ring * 10 + 10; ++i) n += BombFragments[i].active != 0;
    return n;
  }
};

TEST_F(HitPassTest, LasersRaysAndBombFragmentsScoreOnEveryFrameTheyOverlapAndFlyOn) {
  Place(Szak10Slots[0], 300.0f, 300.0f);
  LaserSegment& s = LaserBSegments[0];
  s = {300, 330, 0, 20, 1};
  for (int32_t points : {100, 200, 300, 400, 400, 400}) {  // y 310, 290, ... 210
    CheckShotHits();
    EXPECT_EQ(Score, points) << "segment at y " << s.y;
    EXPECT_EQ(s.active, 1u);
  }
  EXPECT_EQ(Szak10Slots[0].hit, 1u);
  EXPECT_EQ(Szak10Slots[1].hit, 0u);

  ResetForScoring();
  Place(Szak3Slots[1], 250.0f, 200.0f);
  ShipRay& r = ShipRays[0];
  r = {280, 230, 0.0f, 1};  // the first step of a ray is sideways: (274, 230)
  for (int32_t points : {250, 500}) {
    Szak3Slots[1].hit = 0;
    CheckShotHits();
    EXPECT_EQ(Score, points);
    EXPECT_EQ(Szak3Slots[1].hit, 1u);
  }
  EXPECT_EQ(r.active, 1u);

  ResetForScoring();
  Szak4Slots[2].x = 300.0f;
  Szak4Slots[2].y = 300.0f;
  BombFragments[7] = {300, 260, 40, 1, static_cast<float>(Pi / 2)};  // down
  for (int32_t points : {250, 500, 500}) {  // y 300, 340, 380: beyond +60
    BombPass();
    EXPECT_EQ(Score, points);
  }
  EXPECT_EQ(Szak4Slots[2].hit, 1u);
  EXPECT_EQ(BombFragments[7].active, 1u);
}

TEST_F(HitPassTest, BoxesIncludeBothBounds) {
  Place(Szak10Slots[0], 300.9f, 300.9f);  // truncated to (300, 300)
  // Laser B: x -40 .. +50, y -60 .. +50; laser A: x -60 .. +70; rays:
  // x -20 .. +70; the bomb takes laser A's box.
  const struct {
    ShotPass pass;
    int32_t x, y;
    bool hits;
  } rows[] = {
      {ShotPass::LaserB, 260, 300, true},  {ShotPass::LaserB, 259, 300, false},
      {ShotPass::LaserB, 350, 300, true},  {ShotPass::LaserB, 351, 300, false},
      {ShotPass::LaserB, 300, 240, true},  {ShotPass::LaserB, 300, 239, false},
      {ShotPass::LaserB, 300, 350, true},  {ShotPass::LaserB, 300, 351, false},
      {ShotPass::LaserA, 240, 300, true},  {ShotPass::LaserA, 239, 300, false},
      {ShotPass::LaserA, 370, 300, true},  {ShotPass::Ray, 279, 300, false},
      {ShotPass::Ray, 280, 300, true},     {ShotPass::Bomb, 240, 300, true},
      {ShotPass::Bomb, 371, 300, false},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(HitsSzak10(row.pass, row.x, row.y), row.hits)
        << static_cast<int>(row.pass) << " at " << row.x << ", " << row.y;
  }
  // Points per pass: B 100, A 50, ray 50, bomb 50.
  Score = 0;
  for (ShotPass pass : {ShotPass::LaserB, ShotPass::LaserA, ShotPass::Ray, ShotPass::Bomb}) {
    HitsSzak10(pass, 300, 300);
  }
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
  Place(Szak52ASlots[0], 300.0f, 5.0f);
  TestShotHits(ShotPass::Ray, 300, 5, nullptr);
  EXPECT_EQ(Szak52ASlots[0].hit, 1u);
}

TEST_F(HitPassTest, Szak60CountsOnlyFromItsTwentyFifthOverlappingFrame) {
  Szak60Enemy& big = Szak60Slots[0];
  big.x = 300.0f;
  big.y = 200.0f;
  for (int frame = 1; frame <= 24; ++frame) TestShotHits(ShotPass::LaserA, 400, 300, nullptr);
  EXPECT_EQ(big.hitFrames, 24);
  EXPECT_EQ(big.hit, 0u);
  EXPECT_EQ(Score, 0);
  TestShotHits(ShotPass::LaserA, 400, 300, nullptr);
  EXPECT_EQ(big.hit, 1u);
  EXPECT_EQ(Score, 500);
  TestShotHits(ShotPass::Ray, 530, 390, nullptr);  // ray box +40 .. +240, -60 .. +200
  EXPECT_EQ(Score, 1000);
  TestShotHits(ShotPass::Ray, 541, 300, nullptr);  // outside: no count
  EXPECT_EQ(big.hitFrames, 26);
}

TEST_F(HitPassTest, BossesLoseHitPointsAtTheRateOfEachShot) {
  BossState& boss = Boss1State;
  boss.x = 200.0f;
  boss.y = 100.0f;
  ASSERT_EQ(boss.hitPoints, 1020.0f);

  // A laser segment inside the box is freed at once: 100 per second.
  LaserASegments[0] = {400, 280, 0, 20, 1};  // moves to y 260: box y 110 .. 300
  CheckShotHits();
  EXPECT_EQ(LaserASegments[0].active, 0u);
  EXPECT_FLOAT_EQ(boss.hitPoints, 1020.0f - 100.0f * FrameTime);
  EXPECT_EQ(boss.hit, 1u);
  EXPECT_EQ(Score, 50);

  // A ray is not freed and takes 3 per second on every frame of the overlap.
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
    heavy->x = heavy->y = 100.0f;
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
  // Each row: mode, sub-mode, score before, points -> score and high score.
  const struct {
    int32_t mode, sub;
    int32_t score, points, want, want_high;
  } rows[] = {
      {1, 0, 999999950, 100, 999999999, 999999999},
      {1, 0, 999999999, 2147483647, 999999999, 999999999},
      {1, 0, 400, 50, 450, 500},  // below the high score
      {1, 0, 450, 100, 550, 550},
      {0, 0, 450, 100, 450, 500},  // only modes 1 and 2 with sub-mode 0 or 1
      {2, 2, 450, 100, 450, 500},
      {2, 1, 450, 100, 550, 550},
  };
  for (const auto& row : rows) {
    GameMode = row.mode;
    GameSubMode = row.sub;
    Score = row.score;
    HighScore = 500;
    AddScore(row.points);
    EXPECT_EQ(Score, row.want) << row.score << " + " << row.points;
    EXPECT_EQ(HighScore, row.want_high) << row.score << " + " << row.points;
  }
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

TEST_F(HitPassTest, TheBombLaunchesItsRingsAndEndsAfter48Frames) {
  PlayerX = 370.7f;
  PlayerY = 420.2f;
  BombWave = 1;
  LaserAReady = LaserBReady = 0;
  BombSchedule();
  BombSchedule();
  for (int ring = 0; ring < 8; ++ring) EXPECT_EQ(ActiveInRing(ring), 0);
  BombSchedule();  // count 3: ring 1
  EXPECT_EQ(ActiveInRing(1), 10);
  EXPECT_EQ(ActiveInRing(0), 0);
  const BombFragment& f = BombFragments[10];
  EXPECT_EQ(f.x, 360);  // truncated ship position - 10
  EXPECT_EQ(f.y, 410);
  EXPECT_EQ(f.speed, 40);
  EXPECT_FLOAT_EQ(f.angle, static_cast<float>(5 * Pi / 8 + 10 * Pi / 5));
  EXPECT_FLOAT_EQ(BombFragments[11].angle - f.angle, static_cast<float>(Pi / 5));
  for (int count = 4; count <= 24; ++count) BombSchedule();
  for (int ring = 0; ring < 8; ++ring) EXPECT_EQ(ActiveInRing(ring), 10) << ring;
  for (int count = 25; count < 48; ++count) BombSchedule();
  EXPECT_EQ(BombWave, 1u);
  EXPECT_EQ(BombStock, 5);
  BombSchedule();
  EXPECT_EQ(BombWave, 0u);
  EXPECT_EQ(BombRingCounter, 0);
  EXPECT_EQ(BombStock, 4);
  EXPECT_EQ(LaserAReady, 1u);
  EXPECT_EQ(LaserBReady, 1u);

  // Without stock the bomb stops after its first frame.
  BombStock = 0;
  BombWave = 1;
  LaserAReady = LaserBReady = 0;
  BombSchedule();
  EXPECT_EQ(BombWave, 0u);
  EXPECT_EQ(LaserAReady, 1u);
  EXPECT_EQ(LaserBReady, 1u);
  EXPECT_EQ(BombStock, 0);
}

TEST_F(HitPassTest, TheBombTakesOnlyFreeFragmentsSlotBySlot) {
  BombWave = 1;
  for (int count = 1; count <= 3; ++count) BombSchedule();
  BombFragments[12].active = 0;
  BombFragments[12].x = -500;
  BombFragments[13].x = 111;  // still flying
  PlayerX = 200.0f;
  for (int count = 4; count <= 27; ++count) BombSchedule();  // ring 1 again at 27
  EXPECT_EQ(BombFragments[12].x, 190);
  EXPECT_EQ(BombFragments[13].x, 111);

  ResetBombFragments();
  BombEmit(80);  // not a fragment: nothing
  BombEmit(-1);
  for (const BombFragment& g : BombFragments) EXPECT_EQ(g.active, 0u);
}

TEST_F(HitPassTest, BombFragmentsFlyFortyWholePixelsAFrameUntilTheyLeave) {
  BombFragment& f = BombFragments[0];
  f = {300, 100, 40, 1, static_cast<float>(-Pi / 2)};  // straight up
  FrameTime = 0.1f;  // the flight does not scale with the frame time
  BombPass();
  EXPECT_EQ(f.y, 60);
  EXPECT_EQ(f.x, 300);
  for (int i = 0; i < 3; ++i) BombPass();  // 20, -20, -60: still inside
  EXPECT_EQ(f.y, -60);
  EXPECT_EQ(f.active, 1u);
  BombPass();  // -100 leaves
  EXPECT_EQ(f.active, 0u);
  EXPECT_EQ(f.x, -500);
  EXPECT_EQ(f.y, 500);

  BombFragment& g = BombFragments[1];
  g = {300, 300, 40, 1, static_cast<float>(5 * Pi / 8)};
  BombPass();
  EXPECT_EQ(g.y, 300 + static_cast<int32_t>(40 * std::sin(static_cast<float>(5 * Pi / 8))));
  EXPECT_EQ(g.x, 300 + static_cast<int32_t>(40 * std::cos(static_cast<float>(5 * Pi / 8))));
  // The parked fragments stay where they are.
  for (int i = 2; i < BombFragmentCount; ++i) EXPECT_EQ(BombFragments[i].y, 500) << i;
}

}  // namespace
