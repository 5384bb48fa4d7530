// The lock-on sight and the lock test of the enemy kinds.
#include <functional>
#include <string>
#include <vector>

#include "tests/player/homing_fixture.h"

namespace {

using player_test::HomingTest;

class LockOnTest : public HomingTest {
 protected:
  // Ship at (370, 520), sight placed for the current ship type.
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
  static void PutSzak3(int i, float x, float y) {
    Szak3Slots[i].x = x;
    Szak3Slots[i].y = y;
  }
};

TEST_F(LockOnTest, SightFollowsTheLivingShipForBothShipTypes) {
  ShipType = 1;
  PlaceShip(370.9f, 520.7f);
  EXPECT_EQ(LockSightX, 80);
  EXPECT_EQ(LockSightY, 20);
  EXPECT_EQ(SightWidth(), 640);
  EXPECT_EQ(SightHeight(), 500);
  // The type-1 rectangle is centred on the ship: 290 + 350 around its 60 px.
  EXPECT_EQ(LockSightX + SightWidth() / 2, 370 + 30);

  ShipType = 2;
  PlaceShip();
  EXPECT_EQ(LockSightX, 250);
  EXPECT_EQ(LockSightY, 250);
  EXPECT_EQ(SightWidth(), 300);
  EXPECT_EQ(SightHeight(), 240);
  EXPECT_EQ(LockSightX + SightWidth() / 2, 370 + 30);
  EXPECT_EQ(LockSightY + SightHeight(), 520 - 30);

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

TEST_F(LockOnTest, SlotAtTheYGateIsTestedAndOneAboveIsNot) {
  PlaceShip();  // rectangle x 80..720, y 20..520
  PutSzak3(0, 100.0f, -30.0f);
  PutSzak3(1, 100.0f, -31.0f);
  EnemyLockTest();
  EXPECT_EQ(Szak3LockTargets[0].locked, 1u);
  EXPECT_EQ(Szak3LockTargets[1].locked, 0u);
  EXPECT_EQ(Szak3LockTargets[2].locked, 0u);  // parked far below
  // The lock test writes only the flag.
  EXPECT_EQ(Szak3LockTargets[0].x, -500);
  EXPECT_EQ(Szak3LockTargets[0].y, 500);
}

TEST_F(LockOnTest, TouchingEdgesLockAndOnePixelBeyondDoesNot) {
  PlaceShip();
  const int32_t sx = LockSightX, sy = LockSightY;  // 80, 20
  struct Case {
    std::string name;
    float x, y;
    bool locked;
  };
  // Szak3's box: x +20..+60, y +40..+60 of the truncated slot position.
  const std::vector<Case> cases = {
      {"right edge on the left side", float(sx - 60), 100.0f, true},
      {"one left of it", float(sx - 61), 100.0f, false},
      {"left edge on the right side", float(sx + 640 - 20), 100.0f, true},
      {"one right of it", float(sx + 640 - 19), 100.0f, false},
      {"bottom edge on the top side", 300.0f, float(sy - 60), false},  // above the y gate
      {"top edge on the bottom side", 300.0f, float(sy + 500 - 40), true},
      {"one below it", 300.0f, float(sy + 500 - 39), false},
      {"fraction truncated toward zero", float(sx - 60) + 0.99f, 100.0f, true},
  };
  for (const Case& c : cases) {
    ResetKinds();
    PutSzak3(0, c.x, c.y);
    EnemyLockTest();
    EXPECT_EQ(Szak3LockTargets[0].locked, c.locked ? 1u : 0u) << c.name;
  }
  // The top side for a rectangle further down (the gate no longer in the way).
  PlaceShip(370.0f, 580.0f);  // rectangle y 80..580
  ResetKinds();
  PutSzak3(0, 300.0f, float(LockSightY - 60));
  PutSzak3(1, 300.0f, float(LockSightY - 61));
  EnemyLockTest();
  EXPECT_EQ(Szak3LockTargets[0].locked, 1u);
  EXPECT_EQ(Szak3LockTargets[1].locked, 0u);
}

TEST_F(LockOnTest, NoHitSlotNeverLocksButActiveAndLockedAreNotTested) {
  PlaceShip();
  PutSzak3(0, 300.0f, 200.0f);
  Szak3Slots[0].noHit = 1;
  PutSzak3(1, 300.0f, 200.0f);
  Szak3Slots[1].active = 0;
  PutSzak3(2, 300.0f, 200.0f);
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
    return [&table](int i, float x, float y) {
      table[i].x = x;
      table[i].y = y;
    };
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

TEST_F(LockOnTest, ShipTypeTwoUsesTheSmallRectangleAndOtherTypesLockNothing) {
  ShipType = 2;
  PlaceShip();  // rectangle x 250..550, y 250..490
  PutSzak3(0, 190.0f, 200.0f);  // box x 210..250: touches the left side
  PutSzak3(1, 189.0f, 200.0f);
  EnemyLockTest();
  EXPECT_EQ(Szak3LockTargets[0].locked, 1u);
  EXPECT_EQ(Szak3LockTargets[1].locked, 0u);

  ResetKinds();
  ShipType = 3;
  LockSightX = 250;
  LockSightY = 250;
  PutSzak3(0, 300.0f, 300.0f);
  EnemyLockTest();
  EXPECT_EQ(Szak3LockTargets[0].locked, 0u);
}

TEST_F(LockOnTest, LockSettersSetOnlyTheFlagAndIgnoreIndicesOutsideTheArray) {
  Szak40BLock(4);
  EXPECT_EQ(Szak40BLockTargets[4].locked, 1u);
  EXPECT_EQ(Szak40BLockTargets[4].x, -500);
  EXPECT_EQ(Szak40BLockTargets[4].y, 500);
  Szak3Lock(3);
  Szak3Lock(-1);
  Szak40ALock(5);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Szak3LockTargets[i].locked, 0u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Szak4LockTargets[i].locked, 0u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Szak40ALockTargets[i].locked, 0u);

  // The spare setters write their own arrays only.
  SpareLock1(0);
  SpareLock2(4);
  SpareLock2(SpareLockCount);
  EXPECT_EQ(SpareLockTargets1[0].locked, 1u);
  EXPECT_EQ(SpareLockTargets2[4].locked, 1u);
  EXPECT_EQ(Szak3LockTargets[0].locked, 0u);
}

}  // namespace
