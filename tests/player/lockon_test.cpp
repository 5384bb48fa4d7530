// The lock-on sight, the lock tests of the kinds and bosses, the lock
// setters and the automatic fire that depends on them.
#include "tests/player/player_fixture.h"

namespace {

using namespace player_test;

class LockOnTest : public HomingTest {
 protected:
  static void PlaceShip(float x = 370.0f, float y = 520.0f) {
    PlayerX = x;
    PlayerY = y;
    SightPlace();
  }
  template <typename T>
  static void Put(T& record, float x, float y) {
    record.x = x;
    record.y = y;
  }
  template <int32_t N>
  static int Locked(const BossLockPoints<N>& p) {
    int n = 0;
    for (int i = 0; i < N; ++i) n += (p.A[i].locked != 0) + (p.B[i].locked != 0);
    return n;
  }
};

TEST_F(LockOnTest, SightFollowsTheLivingShipForBothShipTypes) {
  ShipType = 1;
  PlaceShip(370.9f, 520.7f);
  EXPECT_EQ(LockSightX, 80);
  EXPECT_EQ(LockSightY, 20);
  ShipType = 2;  // 300 x 240, ending 30 above the ship
  PlaceShip();
  EXPECT_EQ(SightCentreX(), 400);
  EXPECT_EQ(SightCentreY(), 370);
  PlaceShip(-0.75f, 10.5f);  // truncation toward zero, then the subtraction
  EXPECT_EQ(LockSightX, -120);
  EXPECT_EQ(LockSightY, -260);
  PlayerAlive = 0;  // a dead ship leaves the sight where it was
  PlaceShip(100.0f, 100.0f);
  EXPECT_EQ(LockSightX, -120);
}

// Szak3's box is x +20..+60, y +40..+60 of the truncated slot position.
TEST_F(LockOnTest, TouchingEdgesLockAndOnePixelBeyondDoesNot) {
  const struct {
    int32_t ship_type;
    float x, y;
    bool locked;
  } rows[] = {
      // Type 1 at (370, 520): the rectangle x 80..720, y 20..520.
      {1, 20.0f, 100.0f, true},  {1, 19.0f, 100.0f, false}, {1, 20.99f, 100.0f, true},
      {1, 700.0f, 100.0f, true}, {1, 701.0f, 100.0f, false}, {1, 300.0f, 481.0f, false},
      {1, 100.0f, -30.0f, true}, {1, 100.0f, -31.0f, false},  // the y gate
      {2, 189.0f, 200.0f, false}, {3, 300.0f, 300.0f, false},
  };
  for (const auto& row : rows) {
    ShipType = row.ship_type;
    PlaceShip();
    ResetKindLockTargets();
    ResetKindTables();
    Put(Szak3Slots[0], row.x, row.y);
    EnemyLockTest();
    EXPECT_EQ(Szak3LockTargets[0].locked, row.locked ? 1u : 0u) << row.x << ", " << row.y;
  }
  Szak3Slots[0].noHit = 1;
  Put(Szak3Slots[0], 300.0f, 200.0f);
  ResetKindLockTargets();
  EnemyLockTest();
  EXPECT_EQ(Szak3LockTargets[0].locked, 0u);
}

TEST_F(LockOnTest, LockSettersIgnoreIndicesOutsideTheArray) {
  Szak3Lock(3);
  Szak3Lock(-1);
  Szak40ALock(5);
  SpareLock2(SpareLockCount);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Szak3LockTargets[i].locked + Szak4LockTargets[i].locked, 0u);
  for (const LockOnTarget& t : Szak40ALockTargets) EXPECT_EQ(t.locked, 0u);
  Put(Boss1State, 100.0f, 20.0f);
  Boss1LockA(2);
  EXPECT_EQ(Pos(Boss1LockPoints.A[2]), XY(290, 170));
  EXPECT_EQ(Locked(Boss1LockPoints), 1);
  Boss4LockA(3);
  Boss4LockA(-1);
  EXPECT_EQ(Locked(Boss4LockPoints), 0);
}

// Boss1's box is +40..+400 by +40..+320 around the sight's centre.
TEST_F(LockOnTest, BossBoxEdgesHitDisabledAndGates) {
  const struct {
    BossState* boss;
    int32_t ship_type;
    float x, y;
    uint32_t disabled;
    int locked;
  } rows[] = {
      {&Boss1State, 2, 0.0f, 60.0f, 0, 6},   {&Boss1State, 2, -1.0f, 60.0f, 0, 0},
      {&Boss1State, 2, 360.0f, 60.0f, 0, 6}, {&Boss1State, 2, 361.0f, 60.0f, 0, 0},
      {&Boss4State, 2, 100.0f, 60.0f, 1, 0}, {&Boss6State, 2, 0.0f, -0.5f, 0, 0},
      {&Boss1State, 1, 0.0f, -10.0f, 0, 6},  {&Boss1State, 1, 0.0f, -10.5f, 0, 0},
  };
  for (const auto& row : rows) {
    ShipType = row.ship_type;
    PlaceShip();
    ResetBossLockPoints();
    Put(*row.boss, row.x, row.y);
    row.boss->hitDisabled = row.disabled;
    BossLockTest();
    EXPECT_EQ(Locked(Boss1LockPoints) + Locked(Boss4LockPoints) + Locked(Boss6LockPoints),
              row.locked)
        << row.boss - &Boss1State << " at " << row.x << ", " << row.y;
    Put(*row.boss, -500.0f, 2550.0f);
    row.boss->hitDisabled = 0;
  }
}

TEST_F(LockOnTest, AutoFireLocksTheBossInTheSightAndLaunchesAtIt) {
  PlaceShip(370.0f, 450.0f);  // centre (400, 200); missiles leave at y 460
  Put(Boss7State, 100.0f, 50.0f);
  Szak40ALockTargets[3] = {300, 100, 1, 0};
  HomingAutoFire();
  EXPECT_EQ(Locked(Boss7LockPoints), 10);
  EXPECT_EQ(HomingMissileSzak40ASlots[3].active, 1u);
  EXPECT_EQ(HomingMissileBoss1ASlots[0].active, 0u);

  const float hp = Boss7State.hitPoints;
  for (int frame = 0; frame < 120; ++frame) HomingWeaponsMove(7);
  EXPECT_EQ(Locked(Boss7LockPoints), 0);
  EXPECT_FLOAT_EQ(Boss7State.hitPoints, hp - 10 * 150.0f / 60.0f);
  EXPECT_EQ(Score, 10 * 300);
  EXPECT_EQ(HomingMissileSzak40ASlots[3].active, 1u);  // stage 7 leaves the wave families
}

}  // namespace
