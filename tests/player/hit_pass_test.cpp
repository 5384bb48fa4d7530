// The shot hit pass, the score rule and the bomb.
#include <gtest/gtest.h>

#include "el/system/angles.h"
#include "el/system/elSystem.h"
#include "enemies/kind_tables.h"
#include "player/bomb.h"
#include "player/hit_pass.h"
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

TEST_F(HitPassTest, ShotsScoreOnEveryFrameTheyOverlapAndFlyOn) {
  Place(Szak10Slots[0], 300.0f, 300.0f);
  LaserSegment& s = LaserBSegments[0];
  s = {300, 330, 0, 20, 1};
  for (int32_t points : {100, 200, 300, 400, 400, 400}) {  // y 310, 290, ... 210
    CheckShotHits();
    EXPECT_EQ(Score, points) << "segment at y " << s.y;
    EXPECT_EQ(s.active, 1u);
  }
  EXPECT_EQ(Szak10Slots[1].hit, 0u);

  ResetForScoring();
  Szak4Slots[2].x = 300.0f;
  Szak4Slots[2].y = 300.0f;
  BombFragments[7] = {300, 260, 40, 1, static_cast<float>(Pi / 2)};  // down
  for (int32_t points : {250, 500, 500}) {  // y 300, 340, 380: beyond +60
    BombPass();
    EXPECT_EQ(Score, points);
  }
  EXPECT_EQ(BombFragments[7].active, 1u);
}

TEST_F(HitPassTest, BoxesIncludeBothBoundsAndTheGate) {
  Place(Szak10Slots[0], 300.9f, 300.9f);  // truncated to (300, 300)
  const struct {
    ShotPass pass;
    int32_t x, y;
    bool hits;
  } rows[] = {
      {ShotPass::LaserB, 260, 300, true}, {ShotPass::LaserB, 259, 300, false},
      {ShotPass::LaserB, 300, 350, true}, {ShotPass::LaserB, 300, 351, false},
      {ShotPass::LaserA, 370, 300, true}, {ShotPass::Ray, 279, 300, false},
      {ShotPass::Bomb, 240, 300, true},   {ShotPass::Bomb, 371, 300, false},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(HitsSzak10(row.pass, row.x, row.y), row.hits)
        << static_cast<int>(row.pass) << " at " << row.x << ", " << row.y;
  }
  Place(Szak10Slots[0], 300.0f, -45.0f);
  EXPECT_TRUE(HitsSzak10(ShotPass::LaserB, 300, -45));
  Szak10Slots[0].y = -45.5f;  // truncates to -45 but lies above the gate
  EXPECT_FALSE(HitsSzak10(ShotPass::LaserB, 300, -45));
  Szak10Slots[0].y = 300.0f;
  Szak10Slots[0].noHit = 1;
  EXPECT_FALSE(HitsSzak10(ShotPass::LaserB, 300, 300));
}

TEST_F(HitPassTest, BossesLoseHitPointsAtTheRateOfEachShot) {
  BossState& boss = Boss1State;
  boss.x = 200.0f;
  boss.y = 100.0f;
  // A laser segment inside the box is freed at once: 100 per second.
  LaserASegments[0] = {400, 280, 0, 20, 1};
  CheckShotHits();
  EXPECT_EQ(LaserASegments[0].active, 0u);
  EXPECT_FLOAT_EQ(boss.hitPoints, 1020.0f - 100.0f * FrameTime);
  EXPECT_EQ(Score, 50);
  // Bomb fragments: 35 per second for Boss6 and Boss2.
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

TEST_F(HitPassTest, TheScoreStopsAtItsCapAndTheHighScoreFollows) {
  const struct {
    int32_t mode, sub;
    int32_t score, points, want, want_high;
  } rows[] = {
      {1, 0, 999999999, 2147483647, 999999999, 999999999},
      {1, 0, 400, 50, 450, 500},
      {0, 0, 450, 100, 450, 500},  // only modes 1 and 2 with sub-mode 0 or 1
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

TEST_F(HitPassTest, TheBombLaunchesItsRingsAndEndsAfter48Frames) {
  PlayerX = 370.7f;
  PlayerY = 420.2f;
  BombWave = 1;
  LaserAReady = LaserBReady = 0;
  for (int count = 1; count <= 24; ++count) BombSchedule();
  for (int ring = 0; ring < 8; ++ring) EXPECT_EQ(ActiveInRing(ring), 10) << ring;
  EXPECT_EQ(BombFragments[10].x, 360);  // truncated ship position - 10
  for (int count = 25; count < 48; ++count) BombSchedule();
  EXPECT_EQ(BombWave, 1u);
  BombSchedule();
  EXPECT_EQ(BombWave, 0u);
  EXPECT_EQ(BombStock, 4);
  EXPECT_EQ(LaserAReady, 1u);

  // Without stock the bomb stops after its first frame.
  BombStock = 0;
  BombWave = 1;
  BombSchedule();
  EXPECT_EQ(BombWave, 0u);
  EXPECT_EQ(BombStock, 0);

  ResetBombFragments();
  BombEmit(80);  // not a fragment: nothing
  BombEmit(-1);
  for (const BombFragment& g : BombFragments) EXPECT_EQ(g.active, 0u);
}

}  // namespace
