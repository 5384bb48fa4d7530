// The homing lasers: launch schedule, curl path, homing, retire box and hit.
#include "tests/player/player_fixture.h"

namespace {

using namespace player_test;

constexpr float Deg3 = -3.0f * HomingPi / 180.0f;

class HomingLaserTest : public HomingTest {
 protected:
  static HomingLaserSegment& Seg(HomingLaserSegment* table, int t, int j) {
    return table[t * HomingLaserChainLength + j];
  }
  // A flying segment whose next Move takes no curl nor homing step (age 5.5).
  static HomingLaserSegment& Still(HomingLaserSegment* table, int t, int j, float x, float y) {
    HomingLaserSegment& s = Seg(table, t, j);
    s.active = 1;
    s.x = x;
    s.y = y;
    s.age = 5.0f;
    return s;
  }
};

TEST_F(HomingLaserTest, CurlWindowsAreInclusiveAndTheGapsTakeNoStep) {
  const struct {
    float age;
    bool step;
    int32_t sx, sy;
  } rows[] = {{5.0f, true, 6, 3},     {5.5f, false, 0, 0}, {40.0f, true, 1, -7},
              {40.5f, false, 0, 0},   {45.0f, true, 0, -7}, {45.5f, false, 0, 0}};
  for (const auto& row : rows) {
    int32_t sx = 0, sy = 0;
    EXPECT_EQ(HomingLaserCurlStep(row.age, &sx, &sy), row.step) << row.age;
    EXPECT_EQ(std::make_pair(sx, sy), std::make_pair(row.sx, row.sy)) << row.age;
  }
}

TEST_F(HomingLaserTest, EmitLaunchesFreeSegmentsOnlyAndIgnoresBadIndices) {
  HomingLaserSzak6DEmit(0, 1);
  HomingLaserSegment& d = Seg(HomingLaserSzak6DSlots, 0, 1);
  EXPECT_EQ(Pos(d), XY(390.0f, 410.0f));
  EXPECT_FLOAT_EQ(d.angle, Deg3 + HomingPi);
  HomingLaserSzak6DEmit(0, 1);  // still flying: not launched again
  EXPECT_FLOAT_EQ(d.angle, Deg3 + HomingPi);

  HomingLaserSzak13AEmit(3, 0);
  HomingLaserSzak13AEmit(0, 15);
  HomingLaserSzak13AEmit(-1, 2);
  for (const HomingLaserSegment& s : HomingLaserSzak13ASlots) EXPECT_EQ(s.active, 0u);
}

TEST_F(HomingLaserTest, RetireBoxEdges) {
  const struct {
    float x, y;
    bool flies;
  } cases[] = {{159.5f, 300.0f, false}, {620.0f, 300.0f, true},
               {300.0f, -20.5f, false}, {300.0f, 600.5f, false}};
  for (const auto& c : cases) {
    ResetHomingTables();
    HomingLaserSegment& s = Still(HomingLaserSzak13ASlots, 2, 9, c.x, c.y);
    HomingLaserSzak13AMove();
    EXPECT_EQ(s.active, c.flies ? 1u : 0u) << c.x << "," << c.y;
  }
}

TEST_F(HomingLaserTest, OnlyTheLastSegmentOfAChainHitsAndScores) {
  Szak6DLockTargets[1] = {300, 200, 0, 0};  // the lock flag is not tested
  HomingLaserSegment& s13 = Still(HomingLaserSzak6DSlots, 1, 13, 310.0f, 210.0f);
  HomingLaserSzak6DMove();
  EXPECT_EQ(s13.active, 0u);
  EXPECT_EQ(Score, 0);
  HomingLaserSegment& s14 = Still(HomingLaserSzak6DSlots, 1, 14, 340.0f, 240.0f);
  HomingLaserSzak6DMove();
  EXPECT_EQ(s14.active, 0u);
  EXPECT_EQ(Szak6DSlots[1].hit, 1u);
  EXPECT_EQ(Score, 300);
  HomingLaserSegment& far = Still(HomingLaserSzak6DSlots, 1, 14, 340.5f, 220.0f);
  HomingLaserSzak6DMove();
  EXPECT_EQ(far.active, 1u);
}

TEST_F(HomingLaserTest, ScheduleRunsOnlyWhileItsTargetIsActive) {
  int32_t* counters = HomingLaserCounter + 2 * 3;  // the Szak13A family
  Szak13ASlots[1].active = 1;
  for (int frame = 1; frame <= 14; ++frame) HomingLaserSzak13ASchedule();
  EXPECT_EQ(Seg(HomingLaserSzak13ASlots, 1, 14).active, 1u);
  EXPECT_EQ(Seg(HomingLaserSzak13ASlots, 1, 0).active, 0u);
  EXPECT_EQ(Seg(HomingLaserSzak13ASlots, 0, 1).active, 0u);
  Szak13ASlots[1].active = 0;
  for (int frame = 0; frame < 50; ++frame) HomingLaserSzak13ASchedule();
  EXPECT_EQ(counters[1], 14);
  Szak13ASlots[1].active = 1;
  for (int frame = 15; frame < 140; ++frame) HomingLaserSzak13ASchedule();
  EXPECT_EQ(counters[1], 139);
  HomingLaserSzak13ASchedule();
  EXPECT_EQ(counters[1], 0);
}

}  // namespace
