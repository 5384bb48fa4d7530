// The boss lock test, the bosses' lock setters and the automatic-fire
// launches that depend on them.
#include "tests/player/homing_fixture.h"

namespace {

using player_test::HomingTest;

class BossLockTestFixture : public HomingTest {
 protected:
  // Ship at (370, 520): sight centre (400, 370) for ship type 2, (400, 270)
  // for type 1.
  static void PlaceShip() {
    PlayerX = 370.0f;
    PlayerY = 520.0f;
    SightPlace();
  }
  static void PutBoss(BossState& boss, float x, float y) {
    boss.x = x;
    boss.y = y;
  }
  template <int N>
  static int LockedCount(const BossLockPoints<N>& p) {
    int n = 0;
    for (int i = 0; i < N; ++i) n += (p.A[i].locked != 0) + (p.B[i].locked != 0);
    return n;
  }
};

TEST_F(BossLockTestFixture, SightCentreForBothShipTypes) {
  ShipType = 2;
  PlaceShip();
  EXPECT_EQ(SightCentreX(), 400);
  EXPECT_EQ(SightCentreY(), 370);
  ShipType = 1;
  PlaceShip();
  EXPECT_EQ(SightCentreX(), 400);
  EXPECT_EQ(SightCentreY(), 270);
}

TEST_F(BossLockTestFixture, BoxEdgesAroundTheCentre) {
  ShipType = 2;
  PlaceShip();
  struct Case {
    float x, y;
    bool locked;
  };
  // Boss1's box: +40..+400 by +40..+320.
  const Case cases[] = {{0.0f, 60.0f, true},   {-1.0f, 60.0f, false}, {0.0f, 40.0f, false},
                        {0.0f, 50.0f, true},   {360.0f, 60.0f, true}, {361.0f, 60.0f, false},
                        {0.0f, 330.0f, true},  {0.0f, 331.0f, false}, {-0.9f, 60.0f, true}};
  for (const Case& c : cases) {
    ResetBossLockPoints();
    PutBoss(Boss1State, c.x, c.y);
    BossLockTest();
    EXPECT_EQ(LockedCount(Boss1LockPoints), c.locked ? 6 : 0) << c.x << "," << c.y;
  }
}

TEST_F(BossLockTestFixture, LockPlacesTheWholeArrayOnTheBossBody) {
  ShipType = 1;
  PlaceShip();  // centre (400, 270)
  PutBoss(Boss3State, 100.7f, 50.2f);
  BossLockTest();
  const int ox[] = {190, 120, 260}, oy[] = {160, 120, 120};
  for (int i = 0; i < 3; ++i) {
    for (const LockOnTarget* arr : {Boss3LockPoints.A, Boss3LockPoints.B}) {
      EXPECT_EQ(arr[i].locked, 1u) << i;
      EXPECT_EQ(arr[i].x, 100 + ox[i]) << i;
      EXPECT_EQ(arr[i].y, 50 + oy[i]) << i;
    }
  }
  // No other boss took a lock (they are parked below the field).
  EXPECT_EQ(LockedCount(Boss1LockPoints), 0);
  EXPECT_EQ(LockedCount(Boss7LockPoints), 0);

  // Boss6: nine points per array.
  ResetBossLockPoints();
  PutBoss(Boss3State, -500.0f, 2550.0f);
  PutBoss(Boss6State, 200.0f, 0.0f);
  BossLockTest();
  EXPECT_EQ(LockedCount(Boss6LockPoints), 18);
  EXPECT_EQ(Boss6LockPoints.B[8].x, 520);
  EXPECT_EQ(Boss6LockPoints.B[8].y, 70);
}

TEST_F(BossLockTestFixture, BossOneSetterPlacesOnlyItsOwnPoint) {
  PutBoss(Boss1State, 100.0f, 20.0f);
  Boss1LockA(2);
  EXPECT_EQ(Boss1LockPoints.A[2].locked, 1u);
  EXPECT_EQ(Boss1LockPoints.A[2].x, 290);
  EXPECT_EQ(Boss1LockPoints.A[2].y, 170);
  EXPECT_EQ(Boss1LockPoints.A[0].locked, 0u);
  EXPECT_EQ(Boss1LockPoints.A[0].x, -500);
  EXPECT_EQ(Boss1LockPoints.A[1].y, 500);
  EXPECT_EQ(LockedCount(Boss1LockPoints), 1);

  // Another boss's setter places every point of the array, locked or not.
  PutBoss(Boss5State, 10.0f, 10.0f);
  Boss5LockB(3);
  EXPECT_EQ(Boss5LockPoints.B[3].locked, 1u);
  EXPECT_EQ(Boss5LockPoints.B[0].locked, 0u);
  EXPECT_EQ(Boss5LockPoints.B[0].x, 170);
  EXPECT_EQ(Boss5LockPoints.B[4].y, 120);
  EXPECT_EQ(Boss5LockPoints.A[0].x, -500);

  // Indices outside the array are ignored.
  Boss4LockA(3);
  Boss4LockA(-1);
  EXPECT_EQ(LockedCount(Boss4LockPoints), 0);
  EXPECT_EQ(Boss4LockPoints.A[0].x, -500);
}

TEST_F(BossLockTestFixture, LockedPointsStayWhereTheyWereLocked) {
  ShipType = 2;
  PlaceShip();
  PutBoss(Boss2State, 0.0f, 100.0f);  // box +40..+460 by +40..+340
  BossLockTest();
  EXPECT_EQ(LockedCount(Boss2LockPoints), 10);
  EXPECT_EQ(Boss2LockPoints.A[1].x, 150);
  EXPECT_EQ(Boss2LockPoints.A[1].y, 330);
  PutBoss(Boss2State, 20.0f, 110.0f);
  BossLockTest();
  EXPECT_EQ(Boss2LockPoints.A[1].x, 150);
  EXPECT_EQ(Boss2LockPoints.A[1].y, 330);
  // Once a point is free again, locking places the whole array anew.
  Boss2LockPoints.A[1].locked = 0;
  BossLockTest();
  EXPECT_EQ(Boss2LockPoints.A[1].x, 170);
  EXPECT_EQ(Boss2LockPoints.A[0].x, 240);
  EXPECT_EQ(Boss2LockPoints.B[0].x, 220);  // array B had nothing to lock
}

TEST_F(BossLockTestFixture, HitDisabledAndGateSkipTheBoss) {
  ShipType = 2;
  PlaceShip();
  PutBoss(Boss4State, 100.0f, 60.0f);
  Boss4State.hitDisabled = 1;
  BossLockTest();
  EXPECT_EQ(LockedCount(Boss4LockPoints), 0);

  // Boss6's gate is 0: at -0.5 it is skipped.  Boss1's is -10: tested there.
  ResetBossLockPoints();
  PutBoss(Boss4State, -500.0f, 2550.0f);
  PutBoss(Boss6State, 0.0f, -0.5f);
  BossLockTest();
  EXPECT_EQ(LockedCount(Boss6LockPoints), 0);
  ShipType = 1;
  PlaceShip();  // centre (400, 270)
  PutBoss(Boss6State, -500.0f, 2550.0f);
  PutBoss(Boss1State, 0.0f, -10.0f);
  BossLockTest();
  EXPECT_EQ(LockedCount(Boss1LockPoints), 6);
  ResetBossLockPoints();
  PutBoss(Boss1State, 0.0f, -10.5f);
  BossLockTest();
  EXPECT_EQ(LockedCount(Boss1LockPoints), 0);
}

TEST_F(BossLockTestFixture, NothingLaunchesWithoutALock) {
  ShipType = 1;
  PlaceShip();
  // Enemies and bosses on the field, nothing locked.
  for (int i = 0; i < 3; ++i) Szak3Slots[i] = {0, 0, 0, 300.0f, 200.0f, 0, 0, 0, 1, 0};
  Szak3LockTargets[0] = {310, 220, 0, 0};
  Boss7LockPoints.A[0] = {200, 160, 0, 0};
  HomingAutoFire();
  for (const HomingMissile& m : HomingMissileSzak3Slots) EXPECT_EQ(m.active, 0u);
  for (const HomingMissile& m : HomingMissileBoss7ASlots) EXPECT_EQ(m.active, 0u);

  // The homing weapons of a stage frame hit nothing either.
  Szak6DSlots[0].active = 1;
  Szak6DLockTargets[0] = {0, 0, 0, 0};
  for (int frame = 0; frame < 200; ++frame) {
    HomingLaserSchedules();
    HomingWeaponsMove(2);
  }
  EXPECT_EQ(Szak6DSlots[0].hit, 0u);
  EXPECT_EQ(Szak3Slots[0].hit, 0u);
  EXPECT_EQ(Score, 0);
}

TEST_F(BossLockTestFixture, AutoFireLocksTheBossInTheSightAndLaunchesAtIt) {
  ShipType = 1;
  PlayerX = 370.0f;
  PlayerY = 450.0f;  // missiles leave at y 460, inside the retire box
  SightPlace();      // centre (400, 200)
  PutBoss(Boss7State, 100.0f, 50.0f);
  Szak40ALockTargets[3] = {300, 100, 1, 0};
  HomingAutoFire();
  EXPECT_EQ(LockedCount(Boss7LockPoints), 10);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(HomingMissileBoss7ASlots[i].active, 1u) << i;
    EXPECT_EQ(HomingMissileBoss7BSlots[i].active, 1u) << i;
  }
  EXPECT_EQ(HomingMissileSzak40ASlots[3].active, 1u);
  EXPECT_EQ(HomingMissileBoss1ASlots[0].active, 0u);

  // Flown by stage 7's Moves, they strike and take the boss's hit points.
  const float hp = Boss7State.hitPoints;
  for (int frame = 0; frame < 120; ++frame) HomingWeaponsMove(7);
  EXPECT_EQ(LockedCount(Boss7LockPoints), 0);
  EXPECT_EQ(Boss7State.hit, 1u);
  EXPECT_FLOAT_EQ(Boss7State.hitPoints, hp - 10 * 150.0f / 60.0f);
  EXPECT_EQ(Score, 10 * 300);
  // Stage 7 does not move the wave families' missiles.
  EXPECT_EQ(HomingMissileSzak40ASlots[3].active, 1u);
}

}  // namespace
