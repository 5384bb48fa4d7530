// The homing missiles: launch, retire box and strike.
#include "tests/player/player_fixture.h"

namespace {

using namespace player_test;

class HomingMissileTest : public HomingTest {
 protected:
  // A missile that does not move on its next Move (speed 0).
  static HomingMissile& Parked(HomingMissile& m, float x, float y) {
    m.active = 1;
    m.x = x;
    m.y = y;
    m.speed = 0.0f;
    m.timer = 300.0f;
    return m;
  }
};

TEST_F(HomingMissileTest, FireLaunchesOnlyAtLockedRecordsStrictlyInsideTheField) {
  struct Case {
    int32_t x, y;
    bool launches;
  };
  const Case cases[] = {{539, 200, true}, {540, 200, false}, {300, 480, false}, {300, 0, false}};
  for (const Case& c : cases) {
    ResetHomingTables();
    Szak3LockTargets[1] = {c.x, c.y, 1, 0};
    HomingMissileSzak3Fire();
    EXPECT_EQ(HomingMissileSzak3Slots[1].active, c.launches ? 1u : 0u) << c.x << "," << c.y;
  }
  // No lock, no launch.
  Szak4LockTargets[2] = {300, 200, 0, 0};
  HomingMissileSzak4Fire();
  EXPECT_EQ(HomingMissileSzak4Slots[2].active, 0u);
}

TEST_F(HomingMissileTest, StrikeWindowHitsUnlocksAndParksTheRecordAndScores) {
  Szak3LockTargets[2] = {300, 100, 1, 0};
  HomingMissile& m = Parked(HomingMissileSzak3Slots[2], 310.0f, 120.0f);
  HomingMissileSzak3Move();
  EXPECT_EQ(m.active, 0u);
  EXPECT_EQ(Szak3LockTargets[2].locked, 0u);
  EXPECT_EQ(Szak3Slots[2].hit, 1u);
  EXPECT_EQ(Score, 300);

  // Unlocked now: the next Fire does not relaunch at it.
  HomingMissileSzak3Fire();
  EXPECT_EQ(m.active, 0u);

  // 19.5 below is outside the window; so is 30.5 across.
  Szak3LockTargets[0] = {300, 100, 1, 0};
  HomingMissile& high = Parked(HomingMissileSzak3Slots[0], 310.0f, 119.5f);
  Szak3LockTargets[1] = {300, 100, 1, 0};
  HomingMissile& wide = Parked(HomingMissileSzak3Slots[1], 330.5f, 125.0f);
  HomingMissileSzak3Move();
  EXPECT_EQ(high.active, 1u);
  EXPECT_EQ(wide.active, 1u);
  EXPECT_EQ(Score, 300);
}

TEST_F(HomingMissileTest, AMissileFlownByTheEngineReachesItsTarget) {
  Szak4LockTargets[1] = {250, 60, 1, 0};
  Szak4Slots[1].active = 1;
  HomingMissileSzak4Fire();
  int frames = 0;
  while (HomingMissileSzak4Slots[1].active != 0 && frames < 120) {
    HomingMissileSzak4Move();
    ++frames;
  }
  EXPECT_LT(frames, 120);
  EXPECT_EQ(Szak4Slots[1].hit, 1u);
  EXPECT_EQ(Score, 300);
}

TEST_F(HomingMissileTest, BossStrikeLowersHitPointsByTheFamilyRate) {
  const struct {
    void (*move)();
    BossState* boss;
    LockOnTarget* point;
    HomingMissile* missile;
    float x, y, rate;
    int32_t mode, score;
  } rows[] = {
      {HomingMissileBoss1AMove, &Boss1State, &Boss1LockPoints.A[0], &HomingMissileBoss1ASlots[0],
       215.0f, 125.0f, 100.0f, 1, 300},
      {HomingMissileBoss6AMove, &Boss6State, &Boss6LockPoints.A[8], &HomingMissileBoss6ASlots[8],
       210.0f, 120.0f, 150.0f, 3, 300},
  };
  for (const auto& row : rows) {
    GameMode = row.mode;
    *row.point = {200, 100, 1, 0};
    const float hp = row.boss->hitPoints;
    Parked(*row.missile, row.x, row.y);
    row.move();
    EXPECT_FLOAT_EQ(row.boss->hitPoints, hp - row.rate / 60.0f);
    EXPECT_EQ(Score, row.score);
  }
}

}  // namespace
