// The homing lasers: launch schedule, curl path, homing, retire box and hit.
#include <cmath>

#include "tests/player/player_fixture.h"

namespace {

using namespace player_test;

constexpr float Deg3 = -3.0f * HomingPi / 180.0f;

class HomingLaserTest : public HomingTest {
 protected:
  static HomingLaserSegment& Seg(HomingLaserSegment* table, int t, int j) {
    return table[t * HomingLaserChainLength + j];
  }
  // A flying segment at (x, y) whose next Move takes no curl step (age 5.5)
  // and no homing step: it stays where it is, so only retire and hit act.
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
  } rows[] = {{0.0f, true, 6, 3},   {5.0f, true, 6, 3},    {5.5f, false, 0, 0},
              {6.0f, true, 6, 1},   {23.0f, true, 7, -7},  {40.0f, true, 1, -7},
              {40.5f, false, 0, 0}, {45.0f, true, 0, -7},  {45.5f, false, 0, 0}};
  for (const auto& row : rows) {
    int32_t sx = 0, sy = 0;
    EXPECT_EQ(HomingLaserCurlStep(row.age, &sx, &sy), row.step) << row.age;
    if (row.step) {
      EXPECT_EQ(std::make_pair(sx, sy), std::make_pair(row.sx, row.sy)) << row.age;
    }
  }
}

TEST_F(HomingLaserTest, EmitPutsTheSegmentOnTheShipAndTheSzak6DFamilyReversesItsHeading) {
  HomingLaserSzak6EEmit(1, 3);
  const HomingLaserSegment& e = Seg(HomingLaserSzak6ESlots, 1, 3);
  EXPECT_EQ(e.active, 1u);
  EXPECT_EQ(Pos(e), XY(390.0f, 410.0f));
  EXPECT_FLOAT_EQ(e.angle, Deg3);
  EXPECT_EQ(e.speed, 0.0f);

  HomingLaserSzak6DEmit(0, 1);
  HomingLaserSegment& d = Seg(HomingLaserSzak6DSlots, 0, 1);
  EXPECT_FLOAT_EQ(d.angle, Deg3 + HomingPi);
  EXPECT_EQ(d.speed, 300.0f);
  // A flying segment is not launched again; a free one reverses once more.
  HomingLaserSzak6DEmit(0, 1);
  EXPECT_FLOAT_EQ(d.angle, Deg3 + HomingPi);
  d.active = 0;
  d.age = 30.0f;
  HomingLaserSzak6DEmit(0, 1);
  EXPECT_FLOAT_EQ(d.angle, Deg3 + 2.0f * HomingPi);
  EXPECT_EQ(d.age, 0.0f);

  // Indices outside the table change nothing.
  HomingLaserSzak13AEmit(3, 0);
  HomingLaserSzak13AEmit(0, 15);
  HomingLaserSzak13AEmit(-1, 2);
  for (const HomingLaserSegment& s : HomingLaserSzak13ASlots) EXPECT_EQ(s.active, 0u);
}

// The first frame curls the Szak6D and Szak13A families left, the others
// right, 3 down, at age 0.5.
TEST_F(HomingLaserTest, FirstFrameCurlsToTheFamilySide) {
  const struct {
    void (*emit)(int32_t, int32_t);
    void (*move)();
    HomingLaserSegment* table;
    float x;
  } rows[] = {{HomingLaserSzak6DEmit, HomingLaserSzak6DMove, HomingLaserSzak6DSlots, 384.0f},
              {HomingLaserSzak6EEmit, HomingLaserSzak6EMove, HomingLaserSzak6ESlots, 396.0f},
              {HomingLaserSzak13AEmit, HomingLaserSzak13AMove, HomingLaserSzak13ASlots, 384.0f},
              {HomingLaserSzak13BEmit, HomingLaserSzak13BMove, HomingLaserSzak13BSlots, 396.0f}};
  for (const auto& row : rows) {
    row.emit(0, 1);
    row.move();
    const HomingLaserSegment& s = Seg(row.table, 0, 1);
    EXPECT_EQ(Pos(s), XY(row.x, 413.0f)) << &row - rows;
    EXPECT_FLOAT_EQ(s.age, 0.5f) << &row - rows;
  }
}

TEST_F(HomingLaserTest, AgeFiveTakesTheFirstStepAndAgeFiveAndAHalfNone) {
  HomingLaserSegment& s = Still(HomingLaserSzak6ESlots, 0, 2, 300.0f, 300.0f);
  s.age = 4.5f;  // becomes 5.0
  HomingLaserSzak6EMove();
  EXPECT_EQ(Pos(s), XY(306.0f, 303.0f));
  HomingLaserSzak6EMove();  // 5.5
  EXPECT_EQ(Pos(s), XY(306.0f, 303.0f));
}

TEST_F(HomingLaserTest, UnlockedTargetAfterTheCurlKeepsTheMinusThreeDegreeHeading) {
  // After a reset the Szak6E family flies at -3 degrees once its curl is over
  // (the curl takes it 349 px right and 301 px up).
  PlayerX = 150.0f;
  PlayerY = 400.0f;
  HomingLaserSzak6EEmit(2, 7);
  HomingLaserSegment& s = Seg(HomingLaserSzak6ESlots, 2, 7);
  for (int frame = 0; frame < 91; ++frame) HomingLaserSzak6EMove();  // age 45.5
  ASSERT_EQ(s.active, 1u);
  EXPECT_NEAR(s.x, 170.0f + 349.0f + 2 * 9.986f, 0.01f);  // two homing steps: 45, 45.5
  EXPECT_NEAR(s.y, 410.0f - 301.0f - 2 * 0.837f, 0.01f);
  const float x = s.x, y = s.y;
  HomingLaserSzak6EMove();
  EXPECT_NEAR(s.x - x, 9.986f, 0.001f);
  EXPECT_NEAR(s.y - y, -0.837f, 0.001f);
  EXPECT_FLOAT_EQ(s.angle, Deg3);
}

TEST_F(HomingLaserTest, AtAgeFortyFiveTheLastCurlStepAndTheHomingStepBothApply) {
  Szak13BLockTargets[0] = {300, 100, 1, 0};
  HomingLaserSegment& s = Still(HomingLaserSzak13BSlots, 0, 4, 320.0f, 400.0f);
  s.age = 44.5f;
  s.angle = 0.0f;
  HomingLaserSzak13BMove();
  // Curl (0, -7), then 10 along heading 0, then the new heading toward the
  // record's centre (320, 120) from (330, 393).
  EXPECT_EQ(Pos(s), XY(330.0f, 393.0f));
  EXPECT_FLOAT_EQ(s.dx, -10.0f);
  EXPECT_FLOAT_EQ(s.dy, -273.0f);
  EXPECT_FLOAT_EQ(s.angle, std::atan(273.0f / 10.0f) + HomingPi);
}

TEST_F(HomingLaserTest, HeadingIsStraightDownOrUpWhenTheAimIsStraightAboveOrBelow) {
  EXPECT_FLOAT_EQ(HeadingTo(0.0f, 5.0f), HomingPi / 2.0f);
  EXPECT_FLOAT_EQ(HeadingTo(0.0f, -5.0f), 3.0f * HomingPi / 2.0f);
  EXPECT_FLOAT_EQ(HeadingTo(0.0f, 0.0f), 3.0f * HomingPi / 2.0f);
  EXPECT_FLOAT_EQ(HeadingTo(1.0f, 1.0f), HomingPi / 4.0f);
  EXPECT_FLOAT_EQ(HeadingTo(-1.0f, 1.0f), 3.0f * HomingPi / 4.0f);

  // Through the Move: the record's centre right below the segment.
  Szak6DLockTargets[1] = {280, 350, 1, 0};
  HomingLaserSegment& s = Still(HomingLaserSzak6DSlots, 1, 5, 300.0f, 200.0f);
  s.age = 50.0f;
  s.angle = HomingPi / 2.0f;  // the homing step moves it straight down first
  HomingLaserSzak6DMove();
  EXPECT_FLOAT_EQ(s.dx, 0.0f);
  EXPECT_GT(s.dy, 0.0f);
  EXPECT_FLOAT_EQ(s.angle, HomingPi / 2.0f);
}

TEST_F(HomingLaserTest, RetireBoxEdges) {
  struct Case {
    float x, y;
    bool flies;
  };
  const Case cases[] = {
      {160.0f, 300.0f, true},  {159.5f, 300.0f, false}, {620.0f, 300.0f, true},
      {620.5f, 300.0f, false}, {300.0f, -20.0f, true},  {300.0f, -20.5f, false},
      {300.0f, 600.0f, true},  {300.0f, 600.5f, false},
  };
  for (const Case& c : cases) {
    ResetHomingTables();
    HomingLaserSegment& s = Still(HomingLaserSzak13ASlots, 2, 9, c.x, c.y);
    s.aux = 7;
    HomingLaserSzak13AMove();
    EXPECT_EQ(s.active, c.flies ? 1u : 0u) << c.x << "," << c.y;
    if (!c.flies) {
      EXPECT_EQ(Pos(s), XY(-500.0f, 2550.0f));
      EXPECT_EQ(s.aux, 0);
      EXPECT_EQ(s.age, 0.0f);
    }
  }
  // A bomb wave retires every segment.
  ResetHomingTables();
  HomingLaserSegment& s = Still(HomingLaserSzak13ASlots, 0, 1, 300.0f, 300.0f);
  BombWave = 1;
  HomingLaserSzak13AMove();
  EXPECT_EQ(s.active, 0u);
}

TEST_F(HomingLaserTest, OnlyTheLastSegmentOfAChainHitsAndScores) {
  Szak6DLockTargets[1] = {300, 200, 0, 0};  // the lock flag is not tested
  HomingLaserSegment& s13 = Still(HomingLaserSzak6DSlots, 1, 13, 310.0f, 210.0f);
  HomingLaserSzak6DMove();
  EXPECT_EQ(s13.active, 0u);
  EXPECT_EQ(s13.x, -500.0f);
  EXPECT_EQ(Szak6DSlots[1].hit, 0u);
  EXPECT_EQ(Score, 0);

  HomingLaserSegment& s14 = Still(HomingLaserSzak6DSlots, 1, 14, 340.0f, 240.0f);
  HomingLaserSzak6DMove();
  EXPECT_EQ(s14.active, 0u);
  EXPECT_EQ(Szak6DSlots[1].hit, 1u);
  EXPECT_EQ(Szak6DSlots[0].hit + Szak6DSlots[2].hit, 0u);
  EXPECT_EQ(Score, 300);
  // The record itself is left as it was.
  EXPECT_EQ(Szak6DLockTargets[1].x, 300);
  EXPECT_EQ(Szak6DLockTargets[1].locked, 0u);

  // Just outside the 0..40 window nothing happens.
  HomingLaserSegment& far = Still(HomingLaserSzak6DSlots, 1, 14, 340.5f, 220.0f);
  HomingLaserSegment& before = Still(HomingLaserSzak6DSlots, 1, 12, 299.5f, 220.0f);
  HomingLaserSzak6DMove();
  EXPECT_EQ(far.active, 1u);
  EXPECT_EQ(before.active, 1u);
  EXPECT_EQ(Score, 300);
}

TEST_F(HomingLaserTest, ScheduleLaunchesSegmentsOneToFourteenOnlyAtActiveTargets) {
  int32_t* counters = HomingLaserCounter + 2 * 3;  // the Szak13A family
  Szak13ASlots[1].active = 1;
  for (int frame = 1; frame <= 14; ++frame) {
    HomingLaserSzak13ASchedule();
    EXPECT_EQ(Seg(HomingLaserSzak13ASlots, 1, frame).active, 1u) << frame;
    if (frame < 14) {
      EXPECT_EQ(Seg(HomingLaserSzak13ASlots, 1, frame + 1).active, 0u) << frame;
    }
  }
  EXPECT_EQ(Seg(HomingLaserSzak13ASlots, 1, 0).active, 0u);
  for (int t : {0, 2})
    for (int j = 0; j < 15; ++j) EXPECT_EQ(Seg(HomingLaserSzak13ASlots, t, j).active, 0u);
  EXPECT_EQ(counters[0], 0);
  EXPECT_EQ(counters[1], 14);
  EXPECT_EQ(counters[2], 0);

  // The target turns inactive: its counter stands still and resumes later.
  Szak13ASlots[1].active = 0;
  for (int frame = 0; frame < 50; ++frame) HomingLaserSzak13ASchedule();
  EXPECT_EQ(counters[1], 14);
  Szak13ASlots[1].active = 1;
  for (int frame = 15; frame < 140; ++frame) HomingLaserSzak13ASchedule();
  EXPECT_EQ(counters[1], 139);
  HomingLaserSzak13ASchedule();
  EXPECT_EQ(counters[1], 0);

  // The next cycle finds segment 1 still flying and leaves it alone.
  HomingLaserSegment& s1 = Seg(HomingLaserSzak13ASlots, 1, 1);
  s1.x = 250.0f;
  HomingLaserSzak13ASchedule();
  EXPECT_EQ(counters[1], 1);
  EXPECT_EQ(s1.x, 250.0f);
  // Other families' counters are their own.
  for (int k = 0; k < 12; ++k)
    if (k < 6 || k > 8) {
      EXPECT_EQ(HomingLaserCounter[k], 0) << k;
    }
}

TEST_F(HomingLaserTest, DrawShowsFlyingSegmentsForShipTypeOneOnly) {
  Still(HomingLaserSzak6ESlots, 0, 3, 300.7f, 200.2f);
  HomingLaserSzak6EDraw();
  EXPECT_EQ(Back(300, 200), Ray10Colour);
  EXPECT_EQ(Back(319, 219), Ray10Colour);
  EXPECT_EQ(CountBack(Ray10Colour), 400);

  elDraw::ClearScreen();
  ShipType = 2;
  HomingLaserSzak6EDraw();
  EXPECT_EQ(CountNonBlack(), 0);
}

}  // namespace
