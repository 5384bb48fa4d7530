// The lock-on sight, the lock tests of the enemy kinds and of the bosses,
// the lock setters and the automatic-fire launches that depend on them.
#include <functional>
#include <vector>

#include "tests/player/player_fixture.h"

namespace {

using namespace player_test;

class LockOnTest : public HomingTest {
 protected:
  // The sight placed for the ship at (x, y) and the current ship type.
  static void PlaceShip(float x = 370.0f, float y = 520.0f) {
    PlayerX = x;
    PlayerY = y;
    SightPlace();
  }
  // The kinds' slots and lock records at their start state (the sight stays).
  static void ResetKinds() {
    ResetKindLockTargets();
    ResetKindTables();
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
  ShipType = 1;  // 640 x 500 (see the edges below), centred on the ship's 60 pixels
  PlaceShip(370.9f, 520.7f);
  EXPECT_EQ(LockSightX, 80);
  EXPECT_EQ(LockSightY, 20);
  EXPECT_EQ(SightCentreX(), 400);
  EXPECT_EQ(SightCentreY(), 270);

  ShipType = 2;  // 300 x 240, ending 30 above the ship
  PlaceShip();
  EXPECT_EQ(LockSightX, 250);
  EXPECT_EQ(LockSightY, 250);
  EXPECT_EQ(SightWidth(), 300);
  EXPECT_EQ(SightHeight(), 240);
  EXPECT_EQ(SightCentreX(), 400);
  EXPECT_EQ(SightCentreY(), 370);

  // Truncation toward zero, then the subtraction.
  PlaceShip(-0.75f, 10.5f);
  EXPECT_EQ(LockSightX, -120);
  EXPECT_EQ(LockSightY, -260);

  // A dead ship leaves the sight where it was.
  PlayerAlive = 0;
  PlaceShip(100.0f, 100.0f);
  EXPECT_EQ(LockSightX, -120);
  EXPECT_EQ(LockSightY, -260);
}

// Szak3's box is x +20..+60, y +40..+60 of the truncated slot position;
// touching edges lock, one pixel beyond does not; the slots above y -30 are
// not tested; ship types other than 1 and 2 lock nothing.
TEST_F(LockOnTest, TouchingEdgesLockAndOnePixelBeyondDoesNot) {
  const struct {
    const char* name;
    int32_t ship_type;
    float ship_y, x, y;
    bool locked;
  } rows[] = {
      // Type 1 at (370, 520): the rectangle x 80..720, y 20..520.
      {"right edge on the left side", 1, 520.0f, 20.0f, 100.0f, true},
      {"one left of it", 1, 520.0f, 19.0f, 100.0f, false},
      {"fraction truncated toward zero", 1, 520.0f, 20.99f, 100.0f, true},
      {"left edge on the right side", 1, 520.0f, 700.0f, 100.0f, true},
      {"one right of it", 1, 520.0f, 701.0f, 100.0f, false},
      {"top edge on the bottom side", 1, 520.0f, 300.0f, 480.0f, true},
      {"one below it", 1, 520.0f, 300.0f, 481.0f, false},
      {"bottom edge on the top side, above the gate", 1, 520.0f, 300.0f, -40.0f, false},
      {"at the y gate", 1, 520.0f, 100.0f, -30.0f, true},
      {"above the y gate", 1, 520.0f, 100.0f, -31.0f, false},
      // Further down (y 80..580) the gate is not in the way.
      {"bottom edge on the top side", 1, 580.0f, 300.0f, 20.0f, true},
      {"one above it", 1, 580.0f, 300.0f, 19.0f, false},
      // Type 2: the rectangle x 250..550, y 250..490.
      {"type 2, touching the left side", 2, 520.0f, 190.0f, 200.0f, true},
      {"type 2, one left of it", 2, 520.0f, 189.0f, 200.0f, false},
      {"type 3", 3, 520.0f, 300.0f, 300.0f, false},
  };
  for (const auto& row : rows) {
    ShipType = row.ship_type;
    LockSightX = LockSightY = 250;
    PlaceShip(370.0f, row.ship_y);
    ResetKinds();
    Put(Szak3Slots[0], row.x, row.y);
    EnemyLockTest();
    EXPECT_EQ(Szak3LockTargets[0].locked, row.locked ? 1u : 0u) << row.name;
    EXPECT_EQ(Szak3LockTargets[2].locked, 0u) << row.name;  // parked far below
  }
  // The lock test writes only the flag.
  EXPECT_EQ(Pos(Szak3LockTargets[0]), XY(-500, 500));
}

TEST_F(LockOnTest, NoHitSlotNeverLocksButActiveAndLockedAreNotTested) {
  PlaceShip();
  for (EnemySlot& slot : Szak3Slots) Put(slot, 300.0f, 200.0f);
  Szak3Slots[0].noHit = 1;
  Szak3Slots[1].active = 0;
  Szak3LockTargets[2].locked = 1;
  EnemyLockTest();
  EXPECT_EQ(Szak3LockTargets[0].locked, 0u);
  EXPECT_EQ(Szak3LockTargets[1].locked, 1u);
  EXPECT_EQ(Szak3LockTargets[2].locked, 1u);
}

// Each of the twelve kinds locks its own record from its own table, with its
// own right edge (b).
TEST_F(LockOnTest, EveryKindLocksItsOwnRecordAtItsOwnEdge) {
  struct Kind {
    const char* name;
    std::function<void(int, float, float)> put;
    LockOnTarget* locks;
    int slots;
    int b;
  };
  auto put = [](auto& table) {
    return [&table](int i, float x, float y) { Put(table[i], x, y); };
  };
  const std::vector<Kind> kinds = {
      {"Szak3", put(Szak3Slots), Szak3LockTargets, 3, 60},
      {"Szak4", put(Szak4Slots), Szak4LockTargets, 3, 60},
      {"Szak6D", put(Szak6DSlots), Szak6DLockTargets, 3, 60},
      {"Szak6E", put(Szak6ESlots), Szak6ELockTargets, 3, 60},
      {"Szak13A", put(Szak13ASlots), Szak13ALockTargets, 3, 60},
      {"Szak13B", put(Szak13BSlots), Szak13BLockTargets, 3, 60},
      {"Szak21A", put(Szak21ASlots), Szak21ALockTargets, 3, 60},
      {"Szak22A", put(Szak22ASlots), Szak22ALockTargets, 3, 60},
      {"Szak40A", put(Szak40ASlots), Szak40ALockTargets, 5, 80},
      {"Szak41A", put(Szak41ASlots), Szak41ALockTargets, 5, 80},
      {"Szak40B", put(Szak40BSlots), Szak40BLockTargets, 5, 80},
      {"Szak41B", put(Szak41BSlots), Szak41BLockTargets, 5, 80},
  };
  PlaceShip();
  for (const Kind& k : kinds) {
    const int last = k.slots - 1;
    ResetKinds();
    k.put(last, float(LockSightX - k.b - 1), 200.0f);
    EnemyLockTest();
    EXPECT_EQ(k.locks[last].locked, 0u) << k.name;
    k.put(last, float(LockSightX - k.b), 200.0f);
    EnemyLockTest();
    EXPECT_EQ(k.locks[last].locked, 1u) << k.name;
    for (const Kind& other : kinds)
      for (int i = 0; i < other.slots; ++i)
        if (other.locks != k.locks || i != last) {
          EXPECT_EQ(other.locks[i].locked, 0u) << k.name << " locked " << other.name << i;
        }
  }
}

// The kinds' setters set only the flag; Boss1's setter places only its own
// point, the other bosses' place every point of the array, locked or not;
// indices outside the array are ignored.
TEST_F(LockOnTest, LockSettersAndIndicesOutsideTheArray) {
  Szak40BLock(4);
  EXPECT_EQ(Szak40BLockTargets[4].locked, 1u);
  EXPECT_EQ(Pos(Szak40BLockTargets[4]), XY(-500, 500));
  Szak3Lock(3);
  Szak3Lock(-1);
  Szak40ALock(5);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Szak3LockTargets[i].locked + Szak4LockTargets[i].locked, 0u) << i;
  }
  for (const LockOnTarget& t : Szak40ALockTargets) EXPECT_EQ(t.locked, 0u);
  SpareLock1(0);  // the spare setters write their own arrays only
  SpareLock2(4);
  SpareLock2(SpareLockCount);
  EXPECT_EQ(SpareLockTargets1[0].locked, 1u);
  EXPECT_EQ(SpareLockTargets2[4].locked, 1u);
  EXPECT_EQ(Szak3LockTargets[0].locked, 0u);

  Put(Boss1State, 100.0f, 20.0f);
  Boss1LockA(2);
  EXPECT_EQ(Boss1LockPoints.A[2].locked, 1u);
  EXPECT_EQ(Pos(Boss1LockPoints.A[2]), XY(290, 170));
  EXPECT_EQ(Boss1LockPoints.A[0].x, -500);
  EXPECT_EQ(Boss1LockPoints.A[1].y, 500);
  EXPECT_EQ(Locked(Boss1LockPoints), 1);
  Put(Boss5State, 10.0f, 10.0f);
  Boss5LockB(3);
  EXPECT_EQ(Boss5LockPoints.B[3].locked, 1u);
  EXPECT_EQ(Boss5LockPoints.B[0].locked, 0u);
  EXPECT_EQ(Boss5LockPoints.B[0].x, 170);
  EXPECT_EQ(Boss5LockPoints.B[4].y, 120);
  EXPECT_EQ(Boss5LockPoints.A[0].x, -500);
  Boss4LockA(3);
  Boss4LockA(-1);
  EXPECT_EQ(Locked(Boss4LockPoints), 0);
  EXPECT_EQ(Boss4LockPoints.A[0].x, -500);
}

// A boss locks when its box (Boss1's: +40..+400 by +40..+320) meets the
// sight's centre, edges included; not while hit-disabled or above its gate
// (Boss1's -10, Boss6's 0).
TEST_F(LockOnTest, BossBoxEdgesHitDisabledAndGates) {
  const struct {
    BossState* boss;
    int32_t ship_type;
    float x, y;
    uint32_t disabled;
    int locked;
  } rows[] = {
      // Type 2: centre (400, 370).
      {&Boss1State, 2, 0.0f, 60.0f, 0, 6},   {&Boss1State, 2, -1.0f, 60.0f, 0, 0},
      {&Boss1State, 2, 0.0f, 40.0f, 0, 0},   {&Boss1State, 2, 0.0f, 50.0f, 0, 6},
      {&Boss1State, 2, 360.0f, 60.0f, 0, 6}, {&Boss1State, 2, 361.0f, 60.0f, 0, 0},
      {&Boss1State, 2, 0.0f, 330.0f, 0, 6},  {&Boss1State, 2, 0.0f, 331.0f, 0, 0},
      {&Boss1State, 2, -0.9f, 60.0f, 0, 6},  {&Boss4State, 2, 100.0f, 60.0f, 1, 0},
      {&Boss6State, 2, 0.0f, -0.5f, 0, 0},
      // Type 1: centre (400, 270).
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

TEST_F(LockOnTest, BossLockPlacesTheWholeArrayOnTheBossBody) {
  ShipType = 1;
  PlaceShip();  // centre (400, 270)
  Put(Boss3State, 100.7f, 50.2f);
  BossLockTest();
  const int ox[] = {190, 120, 260}, oy[] = {160, 120, 120};
  for (int i = 0; i < 3; ++i) {
    for (const LockOnTarget* arr : {Boss3LockPoints.A, Boss3LockPoints.B}) {
      EXPECT_EQ(arr[i].locked, 1u) << i;
      EXPECT_EQ(Pos(arr[i]), XY(100 + ox[i], 50 + oy[i])) << i;
    }
  }
  // No other boss took a lock (they are parked below the field).
  EXPECT_EQ(Locked(Boss1LockPoints) + Locked(Boss7LockPoints), 0);

  // Boss6: nine points per array.
  ResetBossLockPoints();
  Put(Boss3State, -500.0f, 2550.0f);
  Put(Boss6State, 200.0f, 0.0f);
  BossLockTest();
  EXPECT_EQ(Locked(Boss6LockPoints), 18);
  EXPECT_EQ(Pos(Boss6LockPoints.B[8]), XY(520, 70));
}

TEST_F(LockOnTest, LockedPointsStayWhereTheyWereLocked) {
  ShipType = 2;
  PlaceShip();
  Put(Boss2State, 0.0f, 100.0f);  // box +40..+460 by +40..+340
  BossLockTest();
  EXPECT_EQ(Locked(Boss2LockPoints), 10);
  EXPECT_EQ(Pos(Boss2LockPoints.A[1]), XY(150, 330));
  Put(Boss2State, 20.0f, 110.0f);
  BossLockTest();
  EXPECT_EQ(Pos(Boss2LockPoints.A[1]), XY(150, 330));
  // Once a point is free again, locking places the whole array anew.
  Boss2LockPoints.A[1].locked = 0;
  BossLockTest();
  EXPECT_EQ(Boss2LockPoints.A[1].x, 170);
  EXPECT_EQ(Boss2LockPoints.A[0].x, 240);
  EXPECT_EQ(Boss2LockPoints.B[0].x, 220);  // array B had nothing to lock
}

TEST_F(LockOnTest, NothingLaunchesOrHitsWithoutALock) {
  PlaceShip();
  // Enemies and bosses on the field, nothing locked.
  for (EnemySlot& slot : Szak3Slots) slot = {0, 0, 0, 300.0f, 200.0f, 0, 0, 0, 1, 0};
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

TEST_F(LockOnTest, AutoFireLocksTheBossInTheSightAndLaunchesAtIt) {
  PlaceShip(370.0f, 450.0f);  // centre (400, 200); missiles leave at y 460
  Put(Boss7State, 100.0f, 50.0f);
  Szak40ALockTargets[3] = {300, 100, 1, 0};
  HomingAutoFire();
  EXPECT_EQ(Locked(Boss7LockPoints), 10);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(HomingMissileBoss7ASlots[i].active, 1u) << i;
    EXPECT_EQ(HomingMissileBoss7BSlots[i].active, 1u) << i;
  }
  EXPECT_EQ(HomingMissileSzak40ASlots[3].active, 1u);
  EXPECT_EQ(HomingMissileBoss1ASlots[0].active, 0u);

  // Flown by stage 7's Moves, they strike and take the boss's hit points.
  const float hp = Boss7State.hitPoints;
  for (int frame = 0; frame < 120; ++frame) HomingWeaponsMove(7);
  EXPECT_EQ(Locked(Boss7LockPoints), 0);
  EXPECT_EQ(Boss7State.hit, 1u);
  EXPECT_FLOAT_EQ(Boss7State.hitPoints, hp - 10 * 150.0f / 60.0f);
  EXPECT_EQ(Score, 10 * 300);
  // Stage 7 does not move the wave families' missiles.
  EXPECT_EQ(HomingMissileSzak40ASlots[3].active, 1u);
}

}  // namespace
