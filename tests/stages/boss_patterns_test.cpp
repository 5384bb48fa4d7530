// The bullet designs that Bosses 4 to 8 share, on the shared engines: the
// schedules' wraps (after the compare for the aimed volleys, before it for
// the rows and twins) over the attack windows, the aim of rings and fans,
// the ship boxes and the BombWave test of each design, the arc row's
// group-wide heights and spread, its knobs (cells by place, keyed blit, wide
// rows, spread passes), the twin's pair placement and cell, the
// burst's drift per pass and keyed animation, and the Boss7 pools that
// stage 2 moves and draws with nothing in them.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <iterator>
#include <set>
#include <utility>
#include <vector>

#include "el/system/angles.h"
#include "stages/stage4/boss4_families.h"
#include "stages/stage5/boss5_families.h"
#include "stages/stage6/boss6_families.h"
#include "stages/stage7/boss7_families.h"
#include "stages/stage8/boss8_families.h"
#include "tests/enemies/enemy_fixture.h"

namespace {

using namespace enemy_test;
using player_test::Pos;
using player_test::XY;
using Groups = std::set<int>;

struct Strip {
  int32_t* handle;
  int cell_w, cell_h, cells;
};
const Strip kStrips[] = {
    {&ImgVal405, 40, 40, 7}, {&ImgVal20241, 20, 20, 24}, {&ImgVall20, 20, 20, 1},
    {&ImgVal13, 16, 16, 1},  {&ImgVal12, 16, 16, 1},     {&ImgVal1, 16, 16, 16},
    {&ImgVal402, 40, 40, 5}, {&ImgVal401, 40, 40, 5},    {&ImgVal402B, 40, 40, 5},
};
constexpr int kVal402 = 6, kVal401 = 7, kVal402B = 8;
uint16_t StripColour(int strip, int cell) {
  return static_cast<uint16_t>(0x2000 + 0x100 * strip + cell);
}

class BossPatternsTest : public EnemyTest {
 protected:
  void SetUp() override {
    EnemyTest::SetUp();
    for (int s = 0; s < static_cast<int>(std::size(kStrips)); ++s) {
      const Strip& p = kStrips[s];
      *p.handle = Sprite(p.cell_w * p.cells, p.cell_h,
                         [&](int x, int) { return StripColour(s, x / p.cell_w); });
    }
    for (BossState* boss : {&Boss4State, &Boss5State, &Boss6State, &Boss7State, &Boss8State}) {
      boss->x = 180.0f;  // the hold point
      boss->y = 0.0f;
    }
  }
  void TearDown() override {
    for (const Strip& p : kStrips) *p.handle = 0;
    EnemyTest::TearDown();
  }

  // The groups of `size` with a record in flight; every record is then freed,
  // so the next call's volleys find their records free.
  template <typename R, size_t N>
  static Groups TakeFired(R (&pool)[N], int size) {
    Groups fired;
    for (size_t i = 0; i < N; ++i) {
      if (pool[i].active == 1) fired.insert(static_cast<int>(i) / size);
      pool[i].active = 0;
    }
    return fired;
  }
};

// The volleys compare, then wrap: a group ticking at the cycle fires on the
// call that reaches it, and the next call counts 1.
TEST_F(BossPatternsTest, VolleyGroupAtTheCycleTickFiresAndTheNextCallCountsOne) {
  std::vector<int> fired;
  for (int call = 1; call <= 201; ++call) {
    Boss7Val20241DSchedule();
    for (int g : TakeFired(Boss7Val20241DSlots, 30)) fired.push_back(call * 100 + g);
    if (call == 100) { EXPECT_EQ(Boss7Val20241DSlots[0].tick, 0); }
  }
  EXPECT_EQ(Boss7Val20241DSlots[0].tick, 1);
  std::vector<int> expected;
  for (int cycle = 0; cycle < 2; ++cycle)
    for (int g = 0; g < 10; ++g) expected.push_back((cycle * 100 + 10 * (g + 1)) * 100 + g);
  EXPECT_EQ(fired, expected);

  // The seven-ball fans' last group at 150, the same way.
  Groups last;
  for (int call = 1; call <= 150; ++call) {
    Boss5Val20241ASchedule();
    last = TakeFired(Boss5Val20241ASlots, 7);
  }
  EXPECT_EQ(last, Groups{4});
}

// The rows and twins wrap before the compare (the counter runs 1 .. W - 1,
// 0): the groups that each window of calls brings, from the reset on.
TEST_F(BossPatternsTest, RowAndTwinGroupsPerWindowFollowTheirCounters) {
  const std::vector<Groups> rows = {{0}, {1, 2}, {3, 4}, {5}, {6, 7}, {8, 9}, {}, {0}};
  const struct {
    const char* name;
    void (*schedule)();
    std::function<Groups()> take;
    std::vector<int> windows;  // calls per window, repeated
    std::vector<Groups> expected;
  } cases[] = {
      {"Boss4Vall20D", Boss4Vall20DSchedule, [] { return TakeFired(Boss4Vall20DSlots, 5); },
       {101}, rows},
      {"Boss7Val20241E", Boss7Val20241ESchedule,
       [] { return TakeFired(Boss7Val20241ESlots, 5); }, {51}, rows},
      {"Boss4Val405A", Boss4Val405ASchedule, [] { return TakeFired(Boss4Val405ASlots, 2); },
       {21, 51}, {{0, 1}, {2, 3, 4}, {5, 6}, {7, 8, 9}, {0, 1}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Groups> got;
    for (size_t w = 0; w < c.expected.size(); ++w) {
      Groups window;
      for (int call = 0; call < c.windows[w % c.windows.size()]; ++call) {
        c.schedule();
        window.merge(c.take());
      }
      got.push_back(window);
    }
    EXPECT_EQ(got, c.expected);
  }
}

TEST_F(BossPatternsTest, RingBallZeroFliesAtTheAimAndFansCentreOnIt) {
  // Boss4Val20241A's gun is at (290, 130); the aim point is the ship + 20.
  const struct {
    float player_y;
    float heading;
  } rings[] = {{400, PiF / 2}, {20, 3 * PiF / 2}, {110, 3 * PiF / 2}};  // below, above, on it
  PlayerX = 270.0f;
  for (const auto& c : rings) {
    SCOPED_TRACE(c.player_y);
    PlayerY = c.player_y;
    for (PatternShot& r : Boss4Val20241ASlots) r.active = 0;
    Boss4Val20241AEmit(0);
    Boss4Val20241AEmit(3);
    Boss4Val20241AEmit(12);  // ball 0 of the second ring
    EXPECT_EQ(Pos(Boss4Val20241ASlots[0]), XY(290.0f, 130.0f));
    EXPECT_NEAR(Boss4Val20241ASlots[0].angle, c.heading, 1e-6);
    EXPECT_NEAR(Boss4Val20241ASlots[3].angle, c.heading + 3 * 2 * PiF / 12, 1e-5);
    EXPECT_NEAR(std::cos(Boss4Val20241ASlots[12].angle), std::cos(c.heading), 1e-5);
    EXPECT_NEAR(std::sin(Boss4Val20241ASlots[12].angle), std::sin(c.heading), 1e-5);
  }
  // A fan of seven from (230, 80) spans -36 .. +36 degrees about the aim.
  PlayerX = 210.0f;
  PlayerY = 400.0f;
  for (int r = 0; r < 7; ++r) Boss5Val20241AEmit(r, 0);
  EXPECT_EQ(Boss5Val20241ASlots[3].angle, PiF / 2);
  EXPECT_NEAR(Boss5Val20241ASlots[0].angle - PiF / 2, -36 * PiF / 180, 1e-6);
  EXPECT_NEAR(Boss5Val20241ASlots[6].angle - PiF / 2, 36 * PiF / 180, 1e-6);
  EXPECT_EQ(Boss5Val20241ASlots[0].speed, 200.0f);
}

// Each design's ship box at its inclusive edges, and BombWave freeing the
// record before its test.
TEST_F(BossPatternsTest, ShipBoxesAtTheirEdgesAndBombWaveBeforeTheTest) {
  const struct {
    const char* name;
    void (*move)();
    float* x;
    float* y;
    uint32_t* active;
    float lo_x, lo_y;
    float hi = 30;
  } cases[] = {
      {"twin", Boss4Val405AMove, &Boss4Val405ASlots[0].x, &Boss4Val405ASlots[0].y,
       &Boss4Val405ASlots[0].active, -10, 0},
      {"fan", Boss4Val20241CMove, &Boss4Val20241CSlots[0].x, &Boss4Val20241CSlots[0].y,
       &Boss4Val20241CSlots[0].active, 10, 20},
      {"arc", Boss4Vall20AMove, &Boss4Vall20ASlots[0].x, &Boss4Vall20ASlots[0].y,
       &Boss4Vall20ASlots[0].active, 10, 20},
      {"burst", Boss4Val13AMove, &Boss4Val13ASlots[0].x, &Boss4Val13ASlots[0].y,
       &Boss4Val13ASlots[0].active, 14, 24},
      {"arc by place", Boss5Val402AMove, &Boss5Val402ASlots[3].x, &Boss5Val402ASlots[3].y,
       &Boss5Val402ASlots[3].active, 0, 0, 20},
      {"keyed arc by place", Boss8Val402DMove, &Boss8Val402DSlots[7].x,
       &Boss8Val402DSlots[7].y, &Boss8Val402DSlots[7].active, 0, 0, 20},
  };
  FrameTime = 0.0f;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const struct {
      float dx, dy;
      bool hit;
    } points[] = {{c.lo_x, c.lo_y, true},
                  {c.hi, c.hi, true},
                  {c.lo_x - 0.1f, c.lo_y, false},
                  {c.hi, c.hi + 0.1f, false}};
    for (const auto& p : points) {
      PlayerAlive = 1;
      *c.active = 1;
      *c.x = PlayerX + p.dx;
      *c.y = PlayerY + p.dy;
      c.move();
      EXPECT_EQ(PlayerAlive == 0, p.hit) << p.dx << ", " << p.dy;
      EXPECT_EQ(*c.active, 1u);  // a hit does not free the bullet
    }
    PlayerAlive = 1;
    BombWave = 1;
    *c.x = PlayerX + 20;
    *c.y = PlayerY + 20;
    c.move();
    BombWave = 0;
    EXPECT_EQ(PlayerAlive, 1u);
    EXPECT_EQ(*c.active, 0u);
    EXPECT_EQ(*c.y, ParkY);
  }
}

TEST_F(BossPatternsTest, ArcRowEmitWritesAllFiveHeightsAndTheRowSpreads) {
  for (int call = 1; call <= 10; ++call) Boss4Vall20ASchedule();
  const float rows[] = {60, 83, 90, 83, 60};
  const float spread[] = {-100, -50, 0, 50, 100};
  for (int k = 0; k < 5; ++k) EXPECT_EQ(Pos(Boss4Vall20ASlots[k]), XY(390.0f, rows[k])) << k;
  for (int f = 0; f < 60; ++f) Boss4Vall20AMove();
  for (int k = 0; k < 5; ++k) {
    EXPECT_NEAR(Boss4Vall20ASlots[k].x, 390.0f + spread[k], 1e-2) << k;
    EXPECT_NEAR(Boss4Vall20ASlots[k].y, rows[k] + 210.0f, 1e-2) << k;
  }
  // The middle one freed and emitted again: all five jump back up, the four
  // in flight keeping their x.
  Boss4Vall20ASlots[2].active = 0;
  Boss4Vall20AEmit(2, 0);
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(Boss4Vall20ASlots[k].y, rows[k]) << k;
    EXPECT_NEAR(Boss4Vall20ASlots[k].x, 390.0f + spread[k], 1e-2) << k;
  }

  // A slanting row adds its slide to the spread and keeps it in vx.
  for (int call = 1; call <= 10; ++call) Boss4Vall20BSchedule();
  for (int f = 0; f < 60; ++f) Boss4Vall20BMove();
  for (int k = 0; k < 5; ++k) {
    EXPECT_NEAR(Boss4Vall20BSlots[k].x, 330.0f + spread[k] + 90, 1e-2);
    EXPECT_EQ(Boss4Vall20BSlots[k].vx, 90.0f);
  }
}

// The arc rows' knobs at their edges: cells by place (group 1's places
// draw the cells of group 0's), the keyed blit against the additive one, the
// wide row's start points and refill with its outer bullets alone parting,
// and a spread made of five passes.
TEST_F(BossPatternsTest, ArcRowKnobsCellsByPlaceBlitWideRowsAndSpreadPasses) {
  for (int call = 1; call <= 80; ++call) Boss6Val401CSchedule();  // group 0 of the row
  const float rows[] = {60, 83, 90, 83, 60};
  for (int k = 0; k < 5; ++k) EXPECT_EQ(Pos(Boss6Val401CSlots[k]), XY(270.0f, rows[k])) << k;
  const struct {
    StraightShot* slot;
    void (*draw)();
    int strip, cell;
    bool keyed;
  } places[] = {
      {&Boss6Val401CSlots[0], Boss6Val401CDraw, kVal401, 0, false},
      {&Boss6Val401CSlots[8], Boss6Val401CDraw, kVal401, 3, false},
      {&Boss5Val402ASlots[4], Boss5Val402ADraw, kVal402, 4, false},
      {&Boss8Val402BSlots[6], Boss8Val402BDraw, kVal402B, 1, true},
  };
  for (const auto& p : places) {
    SCOPED_TRACE(p.cell);
    for (StraightShot* r : {&Boss6Val401CSlots[0], &Boss6Val401CSlots[1], &Boss6Val401CSlots[2],
                            &Boss6Val401CSlots[3], &Boss6Val401CSlots[4]}) {
      r->x = -500.0f;
      r->y = 2550.0f;
    }
    p.slot->x = 300.0f;
    p.slot->y = 200.0f;
    elDraw::ClearScreen();
    p.draw();
    EXPECT_EQ(Back(310, 210), StripColour(p.strip, p.cell));
    p.draw();  // a second draw over the first: keyed replaces, additive adds
    EXPECT_EQ(Back(310, 210) == StripColour(p.strip, p.cell), p.keyed);
    p.slot->x = -500.0f;
    p.slot->y = 2550.0f;
  }

  // Wide rows 22 apart: the first Emit writes all five x and y; the outer
  // two part at 200 (B) or 100 (C) px/s; freeing the middle one and emitting
  // it again puts the whole group back on its start points.
  const struct {
    void (*schedule)();
    void (*emit)(int32_t, int32_t);
    void (*move)();
    StraightShot* slots;
    float centre, parting;
  } wide[] = {
      {Boss6Val20241BSchedule, Boss6Val20241BEmit, Boss6Val20241BMove, Boss6Val20241BSlots, 300, 200},
      {Boss6Val20241CSchedule, Boss6Val20241CEmit, Boss6Val20241CMove, Boss6Val20241CSlots, 500, 100},
  };
  const float wide_rows[] = {50, 73, 80, 73, 50};
  const float across[] = {-44, -22, 0, 22, 44};
  for (const auto& w : wide) {
    SCOPED_TRACE(w.parting);
    w.emit(3, 0);
    for (int k = 0; k < 5; ++k) {
      EXPECT_EQ(Pos(w.slots[k]), XY(w.centre + across[k], wide_rows[k])) << k;
      EXPECT_EQ(w.slots[k].active, k == 3 ? 1u : 0u);
    }
    for (int k = 0; k < 5; ++k) w.emit(k, 0);
    for (int f = 0; f < 60; ++f) w.move();
    const float parted[] = {-w.parting, 0, 0, 0, w.parting};
    for (int k = 0; k < 5; ++k) {
      EXPECT_NEAR(w.slots[k].x, w.centre + across[k] + parted[k], 1e-2) << k;
      EXPECT_NEAR(w.slots[k].y, wide_rows[k] + 180, 1e-2) << k;
    }
    w.slots[2].active = 0;
    w.emit(2, 0);
    for (int k = 0; k < 5; ++k) EXPECT_EQ(Pos(w.slots[k]), XY(w.centre + across[k], wide_rows[k]));
    w.move();
    const XY flying = Pos(w.slots[0]);
    for (int call = 1; call <= 10; ++call) w.schedule();  // group 0 due, all five in flight
    EXPECT_EQ(Pos(w.slots[0]), flying);
  }

  // Five passes of -20, -10, 0, +10, +20 a Move: -100 .. +100 px/s.
  for (int k = 0; k < 5; ++k) Boss8Vall20Emit(k, 0);
  for (int f = 0; f < 60; ++f) Boss8Vall20Move();
  const float spread[] = {-100, -50, 0, 50, 100};
  for (int k = 0; k < 5; ++k) {
    EXPECT_NEAR(Boss8Vall20Slots[k].x, 410.0f + spread[k], 1e-2) << k;
    EXPECT_NEAR(Boss8Vall20Slots[k].y, 110.0f + (k == 2 ? 30 : k % 2 ? 23 : 0) + 130, 1e-2);
  }
}

TEST_F(BossPatternsTest, TwinEmitPlacesBothXsOfThePairAndBothDrawTheOneCell) {
  Boss4Val405AEmit(1, 0);  // the right one alone
  EXPECT_EQ(Boss4Val405ASlots[1].active, 1u);
  EXPECT_EQ(Pos(Boss4Val405ASlots[1]), XY(460.0f, 200.0f));
  EXPECT_EQ(Pos(Boss4Val405ASlots[0]), XY(300.0f, ParkY));  // its x only
  EXPECT_EQ(Boss4Val405ASlots[0].active, 0u);
  Boss4Val405ASlots[1].x = 999.0f;
  Boss4Val405ASlots[1].y = 345.0f;
  Boss4Val405AEmit(0, 0);  // the partner in flight is pulled back to its x
  EXPECT_EQ(Pos(Boss4Val405ASlots[0]), XY(300.0f, 200.0f));
  EXPECT_EQ(Pos(Boss4Val405ASlots[1]), XY(460.0f, 345.0f));

  elDraw::ClearScreen();
  Boss4Val405ADraw();
  EXPECT_EQ(Back(320, 220), StripColour(0, 3));
  EXPECT_EQ(Back(480, 365), StripColour(0, 3));

  // C parts at 10 px/s added twice per Move: 20 px/s each way.
  Boss4Val405CEmit(0, 0);
  Boss4Val405CEmit(1, 0);
  for (int f = 0; f < 60; ++f) Boss4Val405CMove();
  EXPECT_NEAR(Boss4Val405CSlots[0].x, 260.0f - 20.0f, 1e-2);
  EXPECT_NEAR(Boss4Val405CSlots[1].x, 500.0f + 20.0f, 1e-2);
}

TEST_F(BossPatternsTest, BurstDriftsOncePerPassAndTestsEachRecordAfterItsOwnSteps) {
  Boss4Val13IFire();
  const float dt = FrameTime;
  Boss4Val13IMove();
  const float rates[] = {-28, 28, -80, 80};  // 4 passes of -7, +7, -20, +20
  for (int k = 0; k < 4; ++k) EXPECT_NEAR(Boss4Val13ISlots[k].x, 392.0f + rates[k] * dt, 1e-3);
  EXPECT_NEAR(Boss4Val13ISlots[0].y, 200.0f + 110.0f * dt, 1e-3);

  // Record 0 of a pair is tested after one of the frame's two -1.5 px steps:
  // at 14.5 from the ship it hits, though it ends the frame at 13.
  FrameTime = 0.1f;
  StraightShot& first = Boss4Val13ASlots[0];
  StraightShot& parked = Boss4Val13ASlots[1];
  first.active = 1;
  first.x = PlayerX + 16.0f;
  first.y = PlayerY + 13.0f;
  Boss4Val13AMove();
  EXPECT_EQ(PlayerAlive, 0u);
  EXPECT_NEAR(first.x - PlayerX, 13.0f, 1e-3);
  EXPECT_NEAR(parked.x, ParkX + 3.0f, 1e-3);  // a free record drifts, off the field
  EXPECT_EQ(parked.y, ParkY);
}

// The animated bursts draw their counter's cell keyed, and every record's
// counter runs, parked ones too, back to 0 after 15.
TEST_F(BossPatternsTest, AnimatedBurstDrawsItsCounterCellAndEveryCounterRuns) {
  Boss6Val1AFire();
  Boss6Val1ASlots[0].animFrame = Boss6Val1ASlots[1].animFrame = 5;  // both at one point
  Boss6Val1ISlots[3].animFrame = 15;
  elDraw::ClearScreen();
  Boss6Val1ADraw();
  Boss6Val1IDraw();
  EXPECT_EQ(Back(402 + 8, 200 + 8), StripColour(5, 5));
  EXPECT_EQ(Boss6Val1ASlots[0].animFrame, 6);
  EXPECT_EQ(Boss6Val1ISlots[3].animFrame, 0);
}

// Stage 2 moves and draws the Boss7 pools every frame and never fills them.
TEST_F(BossPatternsTest, Boss7PoolsRunParkedShowNothing) {
#define MOVE_AND_DRAW(set, stem) {stem##Move, stem##Draw},
  const std::pair<void (*)(), void (*)()> pools[] = {BOSS7_FAMILY_ROLES(MOVE_AND_DRAW)};
#undef MOVE_AND_DRAW
  Boss7State.x = -500.0f;
  Boss7State.y = 2550.0f;
  elDraw::ClearScreen();
  for (int f = 0; f < 300; ++f) {
    for (const auto& [move, draw] : pools) {
      move();
      draw();
    }
  }
  EXPECT_EQ(LitPlayfield(), 0);
  EXPECT_EQ(PlayerAlive, 1u);
  for (const StraightShot& r : Boss7Val12GSlots) EXPECT_EQ(r.y, ParkY);
}

}  // namespace
