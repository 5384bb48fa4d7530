// The stage-7 boss: its movement bands and picture, the radial spirals'
// slot maps, mirror pairs, kept draw angles and edges, the falling arms, the
// ring pool's sequence, aim and parked owner, and the fast streams' gaps.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "el/system/angles.h"
#include "enemies/engine/spiral_engine.h"
#include "stages/stage7/boss7_body.h"
#include "stages/stage7/boss7_patterns.h"
#include "stages/stage7/boss7_streams.h"
#include "tests/enemies/enemy_fixture.h"
#include "tests/stages/move_bands.h"

namespace {

using player_test::Pos;
using player_test::XY;

// The boss picture in one colour, the boss at (180, 0), frames of 1/64 s.
class Boss7Test : public stage_test::BossPictureTest<&ImgBoss31, 460, 380, 0x2001> {
 protected:
  void SetUp() override {
    BossPictureTest::SetUp();
    Boss7State.x = 180.0f;
    Boss7State.y = 0.0f;
  }
  void TearDown() override {
    ImgZbak4b = 0;
    BossPictureTest::TearDown();
  }
};

using Emitted = std::vector<std::pair<int, int>>;  // (Schedule call, record)

// Calls `schedule` `calls` times and lists the records each call put out;
// every record is taken back at once, so each tick that comes emits.
template <typename R, size_t N>
Emitted EmittedBy(void (*schedule)(), R (&records)[N], int calls) {
  Emitted out;
  for (int call = 1; call <= calls; ++call) {
    schedule();
    for (size_t r = 0; r < N; ++r) {
      if (records[r].active == 0) continue;
      out.emplace_back(call, static_cast<int>(r));
      records[r].active = 0;
    }
  }
  return out;
}

// ---- the body ----

// Each row: the timer the Move call reaches and where the boss stands after
// it (at (7, 9) before); a step of 1/64 s moves 1/64 of the speed.
TEST_F(Boss7Test, MoveBandsAtTheirBounds) {
  const stage_test::BossBandRow rows[] = {
      {0.15625f, {170, -380}, 0.15625f},  // the first call from the reset
      {30.5f, {170, -380}, 30.5f},
      {31.0f, {170, -378.796875f}, 31.0f},  // placed, then the descent's first step
      {50.0f, {7, 10.203125f}, 50.0f},      // 77 px/s down
      {75.0f, {7, 10.203125f}, 75.0f},      // the descent's last step (the hold is above 75)
      {75.15625f, {170, 0}, 75.15625f},
      {161.0f, {170, 0}, 161.0f},
      {161.5f, {7, 9}, 161.5f},  // between bands
      {162.0f, {8.25f, 9}, 162.0f},  // sway at 80
      {172.0f, {5.75f, 9}, 172.0f},
      {191.0f, {8.25f, 9}, 191.0f},
      {201.0f, {8.5625f, 9.78125f}, 201.0f},  // the diagonals at (100, 50)
      {211.0f, {5.4375f, 8.21875f}, 211.0f},
      {221.0f, {5.4375f, 9.78125f}, 221.0f},
      {231.0f, {8.5625f, 8.21875f}, 231.0f},
      {240.5f, {7, 9}, 240.5f},
      {241.0f, {7, 9}, 160.0f},  // back to 160: the next call holds at (170, 0)
  };
  stage_test::CheckBossBands(rows, Boss7Move, Boss7State, kStep);
  // A hit flag other than 0 or 1 stops the script.
  Boss7State.hit = 2;
  Boss7State.moveTimer = 50.0f;
  Boss7Move();
  EXPECT_EQ(Boss7State.moveTimer, 50.0f);
  EXPECT_EQ(Pos(Boss7State), XY(7, 9));
}

// ZBAK3B from HP 90 down at (150, 60) and (230, 60), ZBAK4B from 70 down at
// (70, 10) and (310, 10), both 28 px lower per flame frame; a hit is taken
// and shown, the picture stays as it is.
TEST_F(Boss7Test, FlamesOfTwoPicturesFromNinetyAndSeventyHitPointsDown) {
  ImgZbak4b = Sprite(800, 80, [](int x, int) { return static_cast<uint16_t>(0x3001 + x / 80); });
  const uint16_t first = Flame(2);
  const uint16_t second = 0x3003;                        // ZBAK4B, cell 2
  for (const stage_test::FlameRow& row : stage_test::kFlameRows) {
    SCOPED_TRACE(row.hp);
    elDraw::ClearScreen();
    Boss7State = {};
    Boss7State.x = 180.4f;
    Boss7State.hitPoints = row.hp;
    Boss7State.defeatTimer = -1000.0f;  // the defeat does not end anything here
    Boss7State.flameFrame = 2;
    Boss7State.hit = 1;
    Boss7Draw();
    for (int x : {180 + 150, 180 + 230}) {  // tops at 60 + 56
      EXPECT_EQ(Back(x + 40, 116) == first, row.first) << x;
      EXPECT_EQ(Back(x + 40, 115), kBoss) << x;
    }
    for (int x : {180 + 70, 180 + 310}) {  // tops at 10 + 56
      EXPECT_EQ(Back(x + 40, 66) == second, row.second) << x;
      EXPECT_EQ(Back(x + 40, 65), kBoss) << x;
    }
    EXPECT_EQ(Boss7State.hit, 0u);
    EXPECT_EQ(Boss7State.hitShown, 1u);
    EXPECT_EQ(Boss7State.flameFrame, 3);
  }
  // Ten frames make one flame loop, five loops wrap to 0.
  Boss7State.flameFrame = 9;
  Boss7State.flameLoop = 4;
  Boss7Draw();
  EXPECT_EQ(Boss7State.flameFrame, 0);
  EXPECT_EQ(Boss7State.flameLoop, 0);
}

// ---- radial spirals ----

struct SpiralMember {
  void (*schedule)();
  SpiralShot* slots;
  int count;
  float column;
  float sense;
};

// The 36-record members: record k on call 10 (k + 1), k 1 .. 34, then again
// every 350 calls; record 0 and 35 never.  The 108-record members: record s
// on call s + 1, s 1 .. 106 but 36 and 72, every 108 calls, each with step
// s mod 36.  From (column, 130) off the boss, the heading sense x step x 10
// degrees.
TEST_F(Boss7Test, SpiralSlotMaps) {
  const SpiralMember members[] = {
      {Boss7Val20wASchedule, Boss7Val20wASlots, 36, 220, -1},
      {Boss7Vall3014BSchedule, Boss7Vall3014BSlots, 36, 315, 1},
      {Boss7Vall3013CSchedule, Boss7Vall3013CSlots, 108, 135, -1},
      {Boss7Vall3014CSchedule, Boss7Vall3014CSlots, 108, 295, 1},
  };
  for (const SpiralMember& m : members) {
    SCOPED_TRACE(m.column);
    Emitted expected;
    const int period = m.count == 36 ? 350 : 108;
    for (int p = 0; p < 2; ++p) {
      for (int s = 1; s < m.count - 1; ++s) {
        if (s % 36 == 0) continue;
        expected.emplace_back(p * period + (m.count == 36 ? 10 * (s + 1) : s + 1), s);
      }
    }
    Emitted map;
    for (int call = 1; call <= 2 * period; ++call) {
      m.schedule();
      for (int s = 0; s < m.count; ++s) {
        SpiralShot& r = m.slots[s];
        if (r.active == 0) continue;
        map.emplace_back(call, s);
        EXPECT_EQ(Pos(r), XY(180 + m.column, 130));
        EXPECT_FLOAT_EQ(r.heading, m.sense * static_cast<float>(s % 36) * SpiralStep) << s;
        EXPECT_EQ(r.speed, 110.0f);
        r.active = 0;
      }
    }
    EXPECT_EQ(map, expected);
  }
}

// The two members of each pair fly as mirror images about boss x + 220
// (19 px) or + 215 (30 px); each draw keeps the heading's whole degrees.
TEST_F(Boss7Test, SpiralPairsAreMirrorImagesAndKeepTheirDrawAngles) {
  const struct {
    void (*emit_left)(int32_t, int32_t);
    void (*move_left)();
    SpiralShot* left;
    void (*emit_right)(int32_t, int32_t);
    void (*move_right)();
    SpiralShot* right;
    float axis;
  } pairs[] = {
      {Boss7Val20wAEmit, Boss7Val20wAMove, Boss7Val20wASlots, Boss7Val21wAEmit, Boss7Val21wAMove,
       Boss7Val21wASlots, 220},
      {Boss7Val20wBEmit, Boss7Val20wBMove, Boss7Val20wBSlots, Boss7Val21wBEmit, Boss7Val21wBMove,
       Boss7Val21wBSlots, 220},
      {Boss7Vall3013AEmit, Boss7Vall3013AMove, Boss7Vall3013ASlots, Boss7Vall3014AEmit,
       Boss7Vall3014AMove, Boss7Vall3014ASlots, 215},
      {Boss7Vall3013BEmit, Boss7Vall3013BMove, Boss7Vall3013BSlots, Boss7Vall3014BEmit,
       Boss7Vall3014BMove, Boss7Vall3014BSlots, 215},
      {Boss7Vall3013CEmit, Boss7Vall3013CMove, Boss7Vall3013CSlots, Boss7Vall3014CEmit,
       Boss7Vall3014CMove, Boss7Vall3014CSlots, 215},
  };
  PlayerAlive = 0;  // no hit to mind
  for (const auto& p : pairs) {
    SCOPED_TRACE(p.axis);
    for (int k : {4, 13, 27}) {
      p.emit_left(k, k);
      p.emit_right(k, k);
    }
    for (int frame = 0; frame < 30; ++frame) {
      p.move_left();
      p.move_right();
    }
    for (int k : {4, 13, 27}) {
      SCOPED_TRACE(k);
      ASSERT_EQ(p.left[k].active, 1u);
      ASSERT_EQ(p.right[k].active, 1u);
      EXPECT_NEAR((p.left[k].x + p.right[k].x) / 2, 180 + p.axis, 1e-3);
      EXPECT_NEAR(p.left[k].y, p.right[k].y, 1e-3);
    }
    EXPECT_LT(p.left[4].x, p.right[4].x);  // step 4 flies away from the axis
  }
  Boss7Val20wADraw();
  Boss7Val21wADraw();
  for (int k : {4, 13, 27}) {
    EXPECT_NEAR(Boss7Val20wASlots[k].drawAngle, -10 * k, 1) << k;
    EXPECT_NEAR(Boss7Val21wASlots[k].drawAngle, 10 * k, 1) << k;
  }
}

// Free past 800 / 600 or the member's margin above and left (edges inside);
// the ship box 10 .. 30 x 20 .. 30 (19 px) or
// 0 .. 30 x 10 .. 30 (30 px) from the ship's corner, bounds inclusive.
TEST_F(Boss7Test, SpiralRetireAndShipEdges) {
  SpiralShot& small = Boss7Val20wASlots[3];
  SpiralShot& large = Boss7Vall3014CSlots[80];
  const struct {
    void (*move)();
    SpiralShot* slot;
    float x, y;
    bool stays, kills;
  } rows[] = {
      {Boss7Val20wAMove, &small, 800.0f, 600.0f, true, false},
      {Boss7Val20wAMove, &small, 800.5f, 300.0f, false, false},
      {Boss7Val20wAMove, &small, -20.0f, -20.0f, true, false},
      {Boss7Val20wAMove, &small, 300.0f, -20.5f, false, false},
      {Boss7Vall3014CMove, &large, -30.0f, -30.0f, true, false},
      {Boss7Vall3014CMove, &large, -30.5f, 100.0f, false, false},
      {Boss7Val20wAMove, &small, 370 + 30.0f, 400 + 30.0f, true, true},
      {Boss7Val20wAMove, &small, 370 + 10.0f, 400 + 20.0f, true, true},
      {Boss7Val20wAMove, &small, 370 + 9.0f, 400 + 25.0f, true, false},
      {Boss7Vall3014CMove, &large, 370 + 0.0f, 400 + 10.0f, true, true},
      {Boss7Vall3014CMove, &large, 370 + 30.0f, 400 + 9.0f, true, false},
  };
  FrameTime = 0.0f;
  PlayerX = 370.0f;
  PlayerY = 400.0f;
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.x << ", " << row.y);
    PlayerAlive = 1;
    row.slot->active = 1;
    row.slot->x = row.x;
    row.slot->y = row.y;
    row.move();
    EXPECT_EQ(row.slot->active == 1, row.stays);
    EXPECT_EQ(PlayerAlive == 0, row.kills);
  }
}

// ---- falling arms ----

// Record s falls on call 10 (s + 1), s 0 .. 18; the tick that reaches 200
// goes back to 10 and puts record 0 out again on the same call, so the
// cycle is 190 calls and record 19 never falls.
TEST_F(Boss7Test, ArmsFallOneByOneAndRecordNineteenNever) {
  Emitted expected;
  for (int p = 0; p < 4; ++p) {
    for (int s = 0; s <= 18; ++s) {
      const int call = 190 * p + 10 * (s + 1);
      if (call <= 600) expected.emplace_back(call, s);
    }
  }
  EXPECT_EQ(EmittedBy(Boss7Valarm33Schedule, Boss7Valarm33Slots, 600), expected);
  EXPECT_EQ(Boss7Valarm33Slots[0].tick, 30);  // back to 10 on calls 200, 390 and 580
}

// Each arm from its point off the boss, 150 px/s down (and 150 px/s inward
// for the corner arms), freed only below y 600, its ship box reaching left
// and up from the arm's corner.
TEST_F(Boss7Test, ArmsFromTheirPointsAndTheirShipBoxes) {
  const struct {
    void (*emit)(int32_t, int32_t);
    void (*move)();
    StraightShot* slots;
    XY start;
    float slide;
    float reach;  // the box's left bound, below the arm's x
  } arms[] = {
      {Boss7Valarm31Emit, Boss7Valarm31Move, Boss7Valarm31Slots, {200, 110}, 0, 50},
      {Boss7Valarm32Emit, Boss7Valarm32Move, Boss7Valarm32Slots, {540, 110}, 0, 50},
      {Boss7Valarm33Emit, Boss7Valarm33Move, Boss7Valarm33Slots, {218, 30}, 150, 90},
      {Boss7Valarm34Emit, Boss7Valarm34Move, Boss7Valarm34Slots, {522, 30}, -150, 90},
  };
  PlayerX = 370.0f;
  PlayerY = 400.0f;
  for (const auto& a : arms) {
    SCOPED_TRACE(a.start.first);
    a.emit(5, 5);
    EXPECT_EQ(Pos(a.slots[5]), a.start);
    FrameTime = 0.1f;
    PlayerAlive = 0;
    a.move();
    EXPECT_EQ(Pos(a.slots[5]), XY(a.start.first + a.slide / 10, a.start.second + 15));
    FrameTime = 0.0f;
    const struct {
      float dx, dy;
      bool kills;
    } boxes[] = {{-a.reach, -80, true}, {30, 30, true}, {-a.reach - 1, 0, false}, {0, -81, false}};
    for (const auto& b : boxes) {
      PlayerAlive = 1;
      a.slots[5].x = 370.0f + b.dx;
      a.slots[5].y = 400.0f + b.dy;
      a.move();
      EXPECT_EQ(PlayerAlive == 0, b.kills) << b.dx << ", " << b.dy;
    }
    a.slots[5].x = 900.0f;  // no side bound
    a.slots[5].y = 600.0f;
    a.move();
    EXPECT_EQ(a.slots[5].active, 1u);
    a.slots[5].y = 600.5f;
    a.move();
    EXPECT_EQ(a.slots[5].active, 0u);
  }
}

// ---- the ring pool ----

// Ring g leaves on the call its ticks reach 30 (g + 1); the ticks go back to
// 0 on reaching 340.  In the stage's window of 201 calls per attack cycle,
// the first cycle throws rings 0 .. 5, the second rings 6 .. 9, then (past
// the wrap) rings 0 and 1.
TEST_F(Boss7Test, RingPoolSequence) {
  std::vector<std::pair<int, int>> rings;  // (call, ring)
  for (int call = 1; call <= 402; ++call) {
    Boss7Val20241HSchedule();
    for (int g = 0; g < 10; ++g) {
      int out = 0;
      for (int j = 0; j < 30; ++j) out += Boss7Val20241HPool[30 * g + j].active != 0;
      if (out == 0) continue;
      EXPECT_EQ(out, 30) << call;
      rings.emplace_back(call, g);
      for (int j = 0; j < 30; ++j) Boss7Val20241HPool[30 * g + j].active = 0;
    }
    if (call == 339) { EXPECT_EQ(Boss7Val20241HPool[299].tick, 339); }
    if (call == 340) { EXPECT_EQ(Boss7Val20241HPool[0].tick, 0); }
  }
  const std::vector<std::pair<int, int>> expected{
      {30, 0},  {60, 1},  {90, 2},  {120, 3}, {150, 4},  {180, 5},
      {210, 6}, {240, 7}, {270, 8}, {300, 9}, {370, 0}, {400, 1}};
  EXPECT_EQ(rings, expected);
}

// Ball 0 of a ring flies at the ship + 20, ball j 12 j degrees on from it;
// straight below the launch point it flies down, straight above (or on it)
// up.
TEST_F(Boss7Test, RingPoolAimsEveryRingAtTheShip) {
  const struct {
    float ship_x, ship_y;
    float base;  // the direction of ball 0
  } rows[] = {
      {380, 400, PiF / 2},      // the launch point is (400, 180): straight below
      {380, 160, 3 * PiF / 2},  // on it
      {580, 160, 0},            // level with it, to the right
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.ship_x << ", " << row.ship_y);
    ResetObjectTablesB();
    Boss7State.x = 180.0f;
    Boss7State.y = 0.0f;
    PlayerX = row.ship_x;
    PlayerY = row.ship_y;
    for (int call = 1; call <= 30; ++call) Boss7Val20241HSchedule();
    for (int j : {0, 1, 15, 29}) {
      const RingPoolShot& r = Boss7Val20241HPool[j];
      ASSERT_EQ(r.active, 1u);
      EXPECT_EQ(Pos(r), XY(400, 180));
      EXPECT_EQ(r.speed, 100.0f);
      const float want = row.base + static_cast<float>(j) * 2 * PiF / 30;
      EXPECT_NEAR(std::cos(r.heading), std::cos(want), 1e-5) << j;
      EXPECT_NEAR(std::sin(r.heading), std::sin(want), 1e-5) << j;
    }
  }
}

// With the boss parked, as in stage 8, every ball starts at (-280, 2730)
// and is freed on its first move without showing or hitting.
TEST_F(Boss7Test, RingPoolFromAParkedOwner) {
  Boss7State.x = ParkX;
  Boss7State.y = ParkY;
  for (int call = 1; call <= 30; ++call) Boss7Val20241HSchedule();
  EXPECT_EQ(Pos(Boss7Val20241HPool[0]), XY(-280, 2730));
  PlayerAlive = 1;
  elDraw::ClearScreen();
  Boss7Val20241HMove();
  Boss7Val20241HDraw();
  for (const RingPoolShot& r : Boss7Val20241HPool) EXPECT_EQ(r.active, 0u);
  EXPECT_EQ(PlayerAlive, 1u);
  EXPECT_EQ(LitPlayfield(), 0);
}

// ---- the fast streams ----

// At 60 frames a second the fast path's age grows by about 0.83 a frame:
// a bullet stands still only on the frames whose age falls in a gap between
// its bands (10 .. 11, 15 .. 16, 20 .. 21), at least once in each, never
// elsewhere.
TEST_F(Boss7Test, FastStreamsStandStillOnlyInTheGapsOfTheirPath) {
  const struct {
    void (*emit)(int32_t);
    void (*move)();
    CurveShot* slot;
  } streams[] = {{Boss7Ray7GEmit, Boss7Ray7GMove, &Boss7Ray7GSlots[1]},
                 {Boss7Ray7HEmit, Boss7Ray7HMove, &Boss7Ray7HSlots[1]}};
  FrameTime = 1.0f / 60.0f;
  PlayerAlive = 0;
  for (const auto& s : streams) {
    s.emit(1);
    ASSERT_EQ(Pos(*s.slot), XY(400, 60));
    int still[3] = {0, 0, 0};
    int frames = 0;
    while (s.slot->active == 1 && frames < 200) {
      const XY before = Pos(*s.slot);
      s.move();
      ++frames;
      if (s.slot->active == 0 || Pos(*s.slot) != before) continue;
      const float age = s.slot->age;
      int gap = -1;
      for (int g = 0; g < 3; ++g) {
        if (age > 10 + 5 * g && age < 11 + 5 * g) gap = g;
      }
      ASSERT_GE(gap, 0) << "still at age " << age;
      ++still[gap];
    }
    EXPECT_EQ(s.slot->active, 0u);  // gone below 600
    for (int n : still) EXPECT_TRUE(n == 1 || n == 2) << n;
  }
}

}  // namespace
