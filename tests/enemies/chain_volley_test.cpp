// Bending chains (Szak10Shot1) and scheduled volleys (Szak6DShot7 and a test
// row that wraps on exceeding its cycle).
#include <gtest/gtest.h>

#include <cmath>

#include "el/system/angles.h"
#include "enemies/engine/volley_engine.h"
#include "tests/enemies/enemy_fixture.h"

// Fifteen records in five groups of three whose last group ticks at the
// cycle value itself, so the ticks return to 0 only on exceeding it.
PatternShot TestVolleySlots[15];

VOLLEY_FAMILY(TestVolley, {
    .shots = Table(TestVolleySlots),
    .launch = {.owner = Owner<Szak6DSlots>(), .fixedSlot = 0, .dx = 5, .dy = 120},
    .groupSize = 3,
    .cycle = 100,
    .wrap = Wrap::OnExceeding,
    .groupTicks = {20, 40, 60, 80, 100},
    .aim = 15,
    .speed = 220,
    .fanStep = 2 * PiF / 30,
    .centre = 2,
    .retire = {.field = {-30, 800, -30, 600}},
    .ship = ShipBox(0, 10),
    .look = RotatedLook(&ImgVall302, 30),
})

namespace {

using namespace enemy_test;

class ChainVolleyTest : public EnemyTest {
 protected:
  void SetUp() override {
    EnemyTest::SetUp();
    ResetTable(TestVolleySlots, R7);
  }
  static void PlaceOwner(float x, float y) {
    Szak10Slots[0].active = 1;
    Szak10Slots[0].x = x;
    Szak10Slots[0].y = y;
  }
  // The groups of a volley pool whose records are all active, as a bit set.
  template <size_t N>
  static int ActiveGroups(const PatternShot (&pool)[N], int group) {
    int bits = 0;
    for (size_t g = 0; g < N / group; ++g) {
      bool all = true;
      for (int k = 0; k < group; ++k) all = all && pool[g * group + k].active == 1;
      if (all) bits |= 1 << g;
    }
    return bits;
  }
};

TEST_F(ChainVolleyTest, ChainTurnsOneStepPerCallWhateverTheFrameTime) {
  constexpr float kStart = -2 * PiF / 10, kTurn = -2 * PiF / 320;
  for (float dt : {1.0f / 60.0f, 1.0f / 30.0f, 0.1f}) {
    SCOPED_TRACE(dt);
    ResetObjectTablesA();
    FrameTime = dt;
    PlaceOwner(400.0f, 60.0f);
    Szak10Shot1Fire();
    const SweepShot& r = Szak10Shot1Slots[0];
    float angle = kStart;
    int turning_calls = 0;
    for (int call = 1; call <= 400 && r.timer < 18.0f; ++call) {
      float timer = r.timer;
      timer += 20.0f * dt;
      Szak10Shot1Move();
      if (r.angle != angle) ++turning_calls;
      if (timer <= 17.0f) angle += kTurn;
      EXPECT_EQ(r.angle, angle) << call;
    }
    ASSERT_EQ(r.active, 1u);
    EXPECT_EQ(r.timer, 18.0f);
    EXPECT_NEAR(turning_calls, 17.0f / (20.0f * dt), 1.0f);  // the duration is in seconds
    Szak10Shot1Move();
    EXPECT_EQ(r.angle, angle);  // the turn is over for good
  }
}

TEST_F(ChainVolleyTest, ChainDriftActsOneCallAfterItIsStored) {
  PlaceOwner(400.0f, 60.0f);
  Szak10Shot1Fire();
  const SweepShot& r = Szak10Shot1Slots[6];
  EXPECT_EQ(std::make_pair(r.x, r.y), std::make_pair(420.0f, 80.0f));
  EXPECT_EQ(r.speed, 253.0f);
  Szak10Shot1Move();
  const float dt = FrameTime;
  EXPECT_FLOAT_EQ(r.x, 420.0f - std::cos(-2 * PiF / 10) * 253.0f * dt);  // no drift yet
  EXPECT_EQ(r.driftX, -26.0f);
  const float x1 = r.x, a1 = r.angle;
  Szak10Shot1Move();
  EXPECT_FLOAT_EQ(r.x, x1 - std::cos(a1) * 253.0f * dt + 26.0f * dt);
}

TEST_F(ChainVolleyTest, RecordZeroRetiresItsChainAndBombWaveDoesNot) {
  FrameTime = 0.0f;  // the records stay where they are put
  const struct {
    float lead_x;
    bool flies;
  } cases[] = {{-30.0f, true}, {-30.01f, false}};
  for (const auto& c : cases) {
    ResetObjectTablesA();
    BombWave = 1;
    PlaceOwner(300.0f, 100.0f);
    Szak10Slots[1].x = 200.0f;
    Szak10Slots[1].y = 100.0f;
    Szak10Shot1Fire();
    Szak10Shot1Slots[0].x = c.lead_x;
    SweepShot& inside = Szak10Shot1Slots[3];
    inside.x = PlayerX + 10.0f;  // on the ship
    inside.y = PlayerY + 20.0f;
    PlayerAlive = 1;
    Szak10Shot1Move();
    for (int k = 0; k < 7; ++k) EXPECT_EQ(Szak10Shot1Slots[k].active, c.flies ? 1u : 0u) << k;
    EXPECT_EQ(inside.x, PlayerX + 10.0f);  // freed where it stands
    EXPECT_EQ(PlayerAlive, c.flies ? 0u : 1u);
    EXPECT_EQ(Szak10Shot1Slots[7].active, 1u);  // the next owner's chain flies on
  }
}

TEST_F(ChainVolleyTest, VolleyFiresOnItsExactTicksAndWraps) {
  Szak6DSlots[0].x = 300.0f;
  Szak6DSlots[0].y = 100.0f;
  PlayerX = 332.0f - 20.0f;  // straight below the launch point (332, 140)
  const int due[] = {40, 80, 120, 160, 200};
  for (int call = 1; call <= 250; ++call) {
    Szak6DShot7Fire();
    int expect = 0;
    for (int g = 0; g < 5; ++g) expect |= call >= due[g] ? 1 << g : 0;
    ASSERT_EQ(ActiveGroups(Szak6DShot7Slots, 5), expect) << call;
  }
  for (int b = 0; b < 5; ++b) {
    EXPECT_NEAR(Szak6DShot7Slots[b].angle, PiF / 2 + static_cast<float>(b - 2) * 2 * PiF / 30,
                1e-6)
        << b;
  }
  EXPECT_EQ(Szak6DShot7Slots[0].tick, 0);  // wrapped on reaching 250
  for (int r = 0; r < 5; ++r) Szak6DShot7Slots[r].active = 0;
  for (int call = 251; call <= 290; ++call) {
    Szak6DShot7Fire();
    EXPECT_EQ(Szak6DShot7Slots[0].active, call == 290 ? 1u : 0u) << call;
  }
  BombWave = 1;
  Szak6DShot7Move();
  for (const PatternShot& r : Szak6DShot7Slots) EXPECT_EQ(r.active, 0u);
}

TEST_F(ChainVolleyTest, VolleyWrappingOnExceedingFiresItsLastGroupAndEmitIgnoresBadIndices) {
  for (int call = 1; call <= 100; ++call) TestVolleySchedule();
  EXPECT_EQ(ActiveGroups(TestVolleySlots, 3), 0b11111);
  EXPECT_EQ(TestVolleySlots[0].tick, 100);
  for (PatternShot& r : TestVolleySlots) r.active = 0;
  TestVolleySchedule();  // call 101
  EXPECT_EQ(TestVolleySlots[0].tick, 0);
  for (int call = 102; call <= 121; ++call) {
    TestVolleySchedule();
    EXPECT_EQ(ActiveGroups(TestVolleySlots, 3), call == 121 ? 1 : 0) << call;
  }

  for (PatternShot& r : TestVolleySlots) r.active = 0;
  TestVolleyEmit(15, 0);
  TestVolleyEmit(-1, 0);
  TestVolleyEmit(0, 15);
  TestVolleyEmit(0, -1);
  for (const PatternShot& r : TestVolleySlots) EXPECT_EQ(r.active, 0u);
  Szak6DSlots[0].x = 300.0f;
  Szak6DSlots[0].y = 100.0f;
  PlayerX = 305.0f - 15.0f;
  TestVolleyEmit(4, 3);  // place 1: one step before the aim
  EXPECT_EQ(std::make_pair(TestVolleySlots[4].x, TestVolleySlots[4].y),
            std::make_pair(305.0f, 220.0f));
  EXPECT_NEAR(TestVolleySlots[4].angle, PiF / 2 - 2 * PiF / 30, 1e-6);
}

}  // namespace
