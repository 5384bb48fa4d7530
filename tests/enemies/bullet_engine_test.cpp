// The bullet engine: the aiming rule, placement from (parked) owners, the
// field and ship boxes at their edges, strips that stay inside their
// pictures, and group retirement; on Szak10Shot3 and two test rows.
#include <gtest/gtest.h>

#include <cmath>

#include "el/system/angles.h"
#include "enemies/engine/bullet_engine.h"
#include "tests/enemies/enemy_fixture.h"

// An aimed test family in groups of five with group retirement, drawn from a
// 7-cell strip, and a slanted straight family whose free records drift too.
EnemySlot TestOwnerSlots[2];
AimedShot TestAimedSlots[10];
StraightShot TestSlantSlots[2];

AIMED_FAMILY(TestAimed, {
    .shots = Table(TestAimedSlots),
    .launch = {.owner = Owner<TestOwnerSlots>(), .perOwner = 5, .dx = 30, .dy = 50},
    .aim = 22,
    .speed = Graded({120, 160, 200, 240, 280}),
    .retire = {.field = {-20, 620, -20, 600}, .groupFreed = true},
    .ship = ShipBox(10, 20),
    .look = AdditiveStrip(&ImgVal201, 20, 7, true),
})

STRAIGHT_FAMILY(TestSlant, {
    .shots = Table(TestSlantSlots),
    .launch = {.owner = Owner<TestOwnerSlots>(), .dx = 22, .dy = 50},
    .vy = SpeedOf(Rand(70, 140)),
    .vx = SpeedOf(20),
    .xSign = -1,
    .sideForFree = true,
    .retire = {.freeRecordsToo = false},
    .look = AdditiveCell(&ImgVal15l, 15, 30),
})

namespace {

using namespace enemy_test;

class BulletEngineTest : public EnemyTest {
 protected:
  void SetUp() override {
    EnemyTest::SetUp();
    ResetTable(TestOwnerSlots, Plain);
    ResetTable(TestAimedSlots, R10);
    ResetTable(TestSlantSlots, R10);
  }
  // An active straight record of Szak10Shot3 at (x, y) that stays put.
  static StraightShot& Still(int i, float x, float y) {
    StraightShot& r = Szak10Shot3Slots[i];
    r = {};
    r.active = 1;
    r.x = x;
    r.y = y;
    return r;
  }
};

TEST_F(BulletEngineTest, AimingRuleCoversEveryDirection) {
  const struct {
    float dx, dy, spread, angle;
  } cases[] = {
      {10, 10, 0, PiF / 4},            // dx > 0
      {-10, 10, 0, 3 * PiF / 4},       // dx < 0: turned by pi
      {0, 5, 0, PiF / 2},              // straight down
      {0, 0, 0, 3 * PiF / 2},          // on the launch point: straight up
      {0, -5, 0, 3 * PiF / 2},         // straight up
      {-10, 0, PiF / 15, PiF + PiF / 15},  // the spread comes before the half-turn
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(AimAngle(c.dx, c.dy, c.spread), c.angle, 1e-6) << c.dx << "," << c.dy;
  }
  EXPECT_EQ(DrawAngle({}, PiF / 2), 180);
  EXPECT_EQ(DrawAngle({}, 3 * PiF / 2), 0);
  EXPECT_EQ(DrawAngle({}, 1.5f * PiF / 180), 269);  // truncated before the subtraction
  EXPECT_EQ(DrawAngle({270, false}, 1.5f * PiF / 180), 268);  // ... or after it
}

TEST_F(BulletEngineTest, ShipBoxIsInclusiveOnEveryEdge) {
  FrameTime = 0.0f;
  const struct {
    float dx, dy;
    bool kills;
  } cases[] = {{30, 30, true},     {30.01f, 30, false}, {30, 30.01f, false},
               {14, 10, true},     {13.99f, 10, false}, {14, 9.99f, false}};
  for (const auto& c : cases) {
    PlayerAlive = 1;
    StraightShot& r = Still(0, PlayerX + c.dx, PlayerY + c.dy);
    Szak10Shot3Move();
    EXPECT_EQ(PlayerAlive, c.kills ? 0u : 1u) << c.dx << "," << c.dy;
    EXPECT_EQ(r.active, 1u);  // it flies on either way
  }
}

TEST_F(BulletEngineTest, ParkedOwnersFireBesideTheParkPointIntoFreeRecordsOnly) {
  Szak10Shot3Fire();
  for (int i = 0; i < 15; ++i) {
    EXPECT_EQ(Szak10Shot3Slots[i].x, ParkX + 27) << i;
    EXPECT_EQ(Szak10Shot3Slots[i].y, ParkY + 66) << i;
    EXPECT_EQ(Szak10Shot3Slots[i].vy, 140.0f + 20.0f * static_cast<float>(i % 5)) << i;
  }
  Szak10Shot3Draw();
  EXPECT_EQ(LitPlayfield(), 0);
  Szak10Shot3Move();
  for (const StraightShot& r : Szak10Shot3Slots) EXPECT_EQ(r.active, 0u);

  Szak10Spawn();
  Szak10Slots[1].x = 300.0f;
  Szak10Slots[1].y = 100.0f;
  StraightShot& flying = Still(7, 250.0f, 250.0f);
  Szak10Shot3Fire();
  EXPECT_EQ(std::make_pair(flying.x, flying.y), std::make_pair(250.0f, 250.0f));
  EXPECT_EQ(std::make_pair(Szak10Shot3Slots[8].x, Szak10Shot3Slots[8].y),
            std::make_pair(327.0f, 166.0f));
}

TEST_F(BulletEngineTest, FieldEdgesKeepTheBulletAndBombWaveRetiresAll) {
  FrameTime = 0.0f;
  const struct {
    float y;
    bool flies;
  } cases[] = {{600.0f, true}, {600.5f, false}, {-16.0f, true}, {-16.5f, false}};
  for (const auto& c : cases) {
    StraightShot& r = Still(3, 5000.0f, c.y);  // x is not tested
    Szak10Shot3Move();
    EXPECT_EQ(r.active, c.flies ? 1u : 0u) << c.y;
  }
  Still(0, 300.0f, 300.0f);
  BombWave = 1;
  Szak10Shot3Move();
  EXPECT_EQ(Szak10Shot3Slots[0].active, 0u);
  EXPECT_EQ(Szak10Shot3Slots[0].y, ParkY);

  // A slanted bullet flies off sideways until it passes the bottom; a free
  // record of a family that drifts its free records too drifts away from its
  // park point.
  BombWave = 0;
  FrameTime = 1.0f;
  TestSlantSlots[0] = {0, 0, 190.0f, 100.0f, 20.0f, 100.0f, 0.0f, 1};
  TestSlantSlots[1] = {0, 0, ParkX, ParkY, 20.0f, 0.0f, 0.0f, 0};
  TestSlantMove();
  EXPECT_EQ(std::make_pair(TestSlantSlots[0].x, TestSlantSlots[0].y),
            std::make_pair(170.0f, 200.0f));
  EXPECT_EQ(TestSlantSlots[0].active, 1u);
  EXPECT_EQ(std::make_pair(TestSlantSlots[1].x, TestSlantSlots[1].y),
            std::make_pair(ParkX - 20.0f, ParkY));
}

TEST_F(BulletEngineTest, StripCellsStayInsideTheirStrip) {
  const struct {
    int32_t counter, cells, cell, next;
  } cases[] = {{0, 7, 0, 1}, {6, 7, 6, 0}, {9, 7, 2, 0}, {-3, 7, 4, 0}, {15, 16, 15, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(StripCell(c.counter, c.cells), c.cell) << c.counter;
    EXPECT_EQ(NextCell(c.counter, c.cells), c.next) << c.counter;
  }
  // A counter the reset left at 9 on the 7-cell strip draws cell 2.
  TestAimedSlots[0].animFrame = 9;
  TestAimedSlots[0].x = 300.0f;
  TestAimedSlots[0].y = 300.0f;
  TestAimedDraw();  // every record, active or not
  EXPECT_EQ(Back(305, 305), CellColour(9, 2));
  EXPECT_EQ(TestAimedSlots[0].animFrame, 0);
}

TEST_F(BulletEngineTest, GroupRetirementClearsTheWholeGroupWhereItStands) {
  TestOwnerSlots[0].x = TestOwnerSlots[1].x = 300.0f;
  TestOwnerSlots[0].y = TestOwnerSlots[1].y = 100.0f;
  PlayerX = 330.0f - 22.0f;  // straight below the launch point
  TestAimedFire();
  for (int i = 0; i < 10; ++i) {
    EXPECT_FLOAT_EQ(TestAimedSlots[i].angle, PiF / 2) << i;
    EXPECT_EQ(TestAimedSlots[i].speed, 120.0f + 40.0f * static_cast<float>(i % 5)) << i;
  }
  TestAimedSlots[0].x = -20.5f;                 // the first of group 0 leaves
  TestAimedSlots[3].x = PlayerX + 20.0f;        // another sits on the ship
  TestAimedSlots[3].y = PlayerY + 25.0f;
  TestAimedMove();
  for (int i = 0; i < 5; ++i) EXPECT_EQ(TestAimedSlots[i].active, 0u) << i;
  EXPECT_EQ(TestAimedSlots[3].x, PlayerX + 20.0f);  // not moved, not parked
  EXPECT_EQ(PlayerAlive, 1u);                       // and harmless
  for (int i = 5; i < 10; ++i) EXPECT_EQ(TestAimedSlots[i].active, 1u) << i;
}

}  // namespace
