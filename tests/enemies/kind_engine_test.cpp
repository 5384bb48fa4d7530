// The kind engine: spawn, the draw-or-explode update and the move with its
// box and lock rules, on Szak10 and on two test rows (an 8-cell lockable
// kind and a spinning one).
#include <gtest/gtest.h>

#include <vector>

#include "enemies/engine/kind_engine.h"
#include "tests/enemies/enemy_fixture.h"

// A lockable 8-cell kind that leaves by the sides only with its lock rule
// (as the rotating gunships do), and a spinning kind.
EnemySlot TestKindSlots[2];
LockOnTarget TestKindLocks[2];
SpinningEnemySlot TestSpinSlots[1];

KIND(TestKind, EnemySlot, {
    .slots = Table(TestKindSlots),
    .x = Fixed(300), .y = Rand(100, 0), .vx = Fixed(60), .vy = Fixed(40),
    .image = &ImgSzak10, .w = 70, .h = 80,
    .spriteWhenFree = false,
    .freeSlotsDraw = true,
    .pieces = {{{&ImgZbak2b, 80, 0, 0, 0, 0, Blit::Additive}}},
    .unblendedPieces = {{{&ImgZbak2b, 80, 0, 0, 0, 0, Blit::Keyed}}},
    .xSign = 1,
    .box = {.left = 90, .right = 620, .bottom = 600},
    .parkX = 360,
    .lock = {.targets = Table(TestKindLocks), .sightX = 10, .sightY = 10,
             .resetOnSpawn = true, .homeX = 290, .homeY = 0,
             .keepBox = {.left = 110, .right = 620},
             .awayX = 370, .awayY = 0,
             .testOnRowExit = false, .testOnSideExit = true},
})

void TestKindHit(int32_t slot) { TestKindSlots[slot].hit = 1; }

KIND(TestSpin, SpinningEnemySlot, {
    .slots = Table(TestSpinSlots),
    .x = Fixed(300), .y = Fixed(100), .vx = Fixed(0), .vy = Fixed(50),
    .image = &ImgSzak10, .w = 70, .h = 70,
    .rotated = true, .spin = 7,
    .pieces = {{{&ImgZbak2b, 80, 0, 0, 0, 0, Blit::Additive}}},
    .box = {.bottom = 600},
})

namespace {

using namespace enemy_test;

struct KindCase {
  const char* name;
  void (*spawn)();
  void (*update)();
  void (*hit)(int32_t);
  EnemySlot* slots;
  int calls;       // Update calls of a whole explosion
  int second_bom;  // the call that starts the second pass
};

const KindCase Kinds[] = {
    {"Szak10", Szak10Spawn, Szak10Update, Szak10Hit, Szak10Slots, 20, 11},
    {"TestKind", TestKindSpawn, TestKindUpdate, TestKindHit, TestKindSlots, 16, 9},
};

class KindEngineTest : public EnemyTest {
 protected:
  void SetUp() override {
    EnemyTest::SetUp();
    ResetTables();
  }
  // The reset passes and the test rows' own tables.
  static void ResetTables() {
    ResetObjectTablesA();
    ResetTable(TestKindSlots, Plain);
    ResetTable(TestKindLocks, Plain);
    ResetTable(TestSpinSlots, Plain);
  }
};

TEST_F(KindEngineTest, HitInTheSpawnFrameExplodesInPlaceForAFixedNumberOfCalls) {
  for (const KindCase& kind : Kinds) {
    for (float frame_time : {1.0f / 60.0f, 0.1f}) {
      SCOPED_TRACE(testing::Message() << kind.name << " at " << frame_time << " s");
      ResetTables();
      FrameTime = frame_time;
      kind.spawn();
      kind.hit(1);
      EnemySlot& s = kind.slots[1];
      const float x = s.x, y = s.y;
      std::vector<int> bom_calls;
      int freed_on = 0;
      for (int call = 1; call <= 40 && freed_on == 0; ++call) {
        if (call == 5) kind.hit(1);  // a second hit while it explodes
        if (SoundsBom(kind.update)) bom_calls.push_back(call);
        EXPECT_EQ(s.vy, 0.0f);
        if (call == 1) { EXPECT_EQ(std::make_pair(s.x, s.y), std::make_pair(x, y)); }
        if (s.active == 0) freed_on = call;
      }
      EXPECT_EQ(freed_on, kind.calls);
      EXPECT_EQ(bom_calls, (std::vector<int>{1, kind.second_bom}));
      EXPECT_EQ(std::make_pair(s.y, s.hit), std::make_pair(ParkY, 0u));
      EXPECT_EQ(kind.slots[0].active, 1u);  // the other slot flies on
    }
  }
}

TEST_F(KindEngineTest, SpawnLeavesTheExplosionLoopSoALeftoverCountShortensTheExplosion) {
  Szak10Slots[0].explosionLoop = 1;
  Szak10Spawn();
  EXPECT_EQ(Szak10Slots[0].explosionLoop, 1);
  Szak10Hit(0);
  int calls = 0;
  while (Szak10Slots[0].active == 1 && calls < 40) {
    Szak10Update();
    ++calls;
  }
  EXPECT_EQ(calls, 10);
}

TEST_F(KindEngineTest, SpawnDrawsTheEntryValuesInTheRowsOrderAndLeavesUnwrittenOnes) {
  os::SeedRandom(7);
  float expect[3][2];
  for (auto& slot : expect) {
    slot[0] = static_cast<float>(os::Random() % 310 + 210);
    slot[1] = static_cast<float>(os::Random() % 60 + 70);
  }
  os::SeedRandom(7);
  Szak10Slots[1].vx = 5.0f;
  Szak10Slots[2].active = 1;  // flying: left alone
  Szak10Slots[2].x = 444.0f;
  Szak10Spawn();
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(Szak10Slots[i].x, expect[i][0]) << i;
    EXPECT_EQ(Szak10Slots[i].vy, expect[i][1]) << i;
    EXPECT_EQ(Szak10Slots[i].y, -80.0f);
  }
  EXPECT_EQ(Szak10Slots[1].vx, 5.0f);
  EXPECT_EQ(Szak10Slots[2].x, 444.0f);
}

TEST_F(KindEngineTest, BoxEdgesKeepTheSlotAndAFreedSlotIsRefilledInTheSameFrame) {
  const struct {
    float y;
    bool stays;
  } cases[] = {{600.0f, true}, {600.5f, false}};
  for (const auto& c : cases) {
    ResetObjectTablesA();
    Szak10Spawn();
    Szak10Slots[0].y = c.y;
    Szak10Slots[0].vy = 0.0f;
    Szak10Move();
    EXPECT_EQ(Szak10Slots[0].active, c.stays ? 1u : 0u) << c.y;
    EXPECT_EQ(Szak10Slots[0].y, c.stays ? c.y : ParkY) << c.y;
    Szak10Spawn();
    EXPECT_EQ(Szak10Slots[0].active, 1u);
    EXPECT_EQ(Szak10Slots[0].y, c.stays ? c.y : -80.0f) << c.y;
  }
}

TEST_F(KindEngineTest, FreeSlotsPassTheDrawingBranchOffScreenAndHitSettersIgnoreBadSlots) {
  Szak10Hit(3);
  Szak10Hit(-1);
  Szak10Slots[0].animFrame = 19;
  Szak10Update();
  EXPECT_EQ(LitPlayfield(), 0);
  EXPECT_EQ(Szak10Slots[0].animFrame, 0);  // the flame of a free slot turns too
  EXPECT_EQ(Szak10Slots[1].animFrame, 1);
  for (const EnemySlot& s : Szak10Slots) EXPECT_EQ(s.hit, 0u);

  Szak10Spawn();
  Szak10Slots[0].x = 300.0f;
  Szak10Slots[0].y = 200.0f;
  Szak10Update();
  EXPECT_EQ(Back(300, 200), CellColour(0, 0));  // the craft
  EXPECT_EQ(Back(330, 146), CellColour(1, 0));  // its flame, cell 0
}

TEST_F(KindEngineTest, LockRecordFollowsItsSlotAndIsReleasedAsTheRowSays) {
  TestKindSpawn();
  EXPECT_EQ(TestKindLocks[0].x, 290);  // spawn puts the record home
  TestKindLocks[0].locked = 1;
  TestKindSlots[0].x = 400.7f;
  TestKindSlots[0].y = 150.2f;
  TestKindUpdate();
  EXPECT_EQ(std::make_pair(TestKindLocks[0].x, TestKindLocks[0].y), std::make_pair(410, 160));
  EXPECT_EQ(Back(411, 161), CellColour(4, 0));  // the sight mark

  struct Case {
    const char* what;
    float x, y;     // where the slot is moved to
    int32_t lock_x;  // where its record is
    bool released;
  };
  const Case cases[] = {
      {"side, point outside", 621.0f, 300.0f, 625, true},
      {"side, point inside", 621.0f, 300.0f, 620, false},
      {"bottom, point outside", 400.0f, 601.0f, 625, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetTables();
    TestKindSpawn();
    TestKindSlots[1].x = c.x;
    TestKindSlots[1].y = c.y;
    TestKindSlots[1].vx = TestKindSlots[1].vy = 0.0f;
    TestKindLocks[1] = {c.lock_x, 300, 1, 0};
    TestKindMove();
    EXPECT_EQ(TestKindSlots[1].active, 0u);
    EXPECT_EQ(TestKindSlots[1].x, 360.0f);
    EXPECT_EQ(TestKindLocks[1].locked, c.released ? 0u : 1u);
    EXPECT_EQ(TestKindLocks[1].x, c.released ? 370 : c.lock_x);
  }

  // A freed slot is drawn no more but takes the drawing branch even if hit;
  // the explosion's end puts the record home.
  ResetTables();
  TestKindSpawn();
  TestKindLocks[0] = {500, 300, 1, 0};
  TestKindHit(0);
  for (int call = 0; call < 16; ++call) TestKindUpdate();
  EXPECT_EQ(TestKindSlots[0].active, 0u);
  EXPECT_EQ(TestKindLocks[0].locked, 0u);
  EXPECT_EQ(std::make_pair(TestKindLocks[0].x, TestKindLocks[0].y), std::make_pair(290, 0));
}

TEST_F(KindEngineTest, SpinningSlotsTurnSevenDegreesPerDrawAndWrapToZero) {
  TestSpinSlots[0].angle = 357;
  TestSpinUpdate();  // free: still turned
  EXPECT_EQ(TestSpinSlots[0].angle, 0);
  TestSpinUpdate();
  EXPECT_EQ(TestSpinSlots[0].angle, 7);
}

}  // namespace
