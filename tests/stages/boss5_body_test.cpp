// The stage-5 boss: its bands with the entry picture's timing, its three
// damage flames and the lock marks of both arrays of five, and its laser:
// the arming with its one ship test, the box at its edges, and the 5-frame
// rhythm of the cells, the first beam's leftover frame included.
#include <gtest/gtest.h>

#include "stages/stage5/boss5_body.h"
#include "stages/stage5/boss5_laser.h"
#include "tests/enemies/enemy_fixture.h"
#include "tests/stages/move_bands.h"

namespace {

using player_test::Pos;
using player_test::XY;

constexpr uint16_t kBoss = 0x2001;
constexpr uint16_t kEntry = 0x2002;
constexpr float kStep = 1.0f / 64.0f;  // timers then advance by exact binary steps

uint16_t BeamCell(int c) { return static_cast<uint16_t>(0x3000 + c); }

class Boss5Test : public enemy_test::EnemyTest {
 protected:
  void SetUp() override {
    EnemyTest::SetUp();
    ImgBoss51 = Solid(380, 460, kBoss);
    ImgBos511 = Solid(480, 480, kEntry);
    ImgValarm51 = Sprite(360, 400, [](int x, int) { return BeamCell(x / 90); });
    FrameTime = kStep;
  }
  void TearDown() override {
    ImgBoss51 = ImgBos511 = ImgValarm51 = 0;
    EnemyTest::TearDown();
  }
};

// Each row: the timer the Move call reaches, whether the entry picture (at
// (200, 100), speed 400 before) is drawn, where it and the boss (at (7, 9))
// end up, and the timer after the call.
TEST_F(Boss5Test, MoveBandsAndTheirGaps) {
  const float rise = 100 - 400 * kStep, sway = 80 * kStep;
  const float side = 100 * kStep, drop = 50 * kStep;
  const stage_test::BandRow rows[] = {
      {0.0f, true, {160, 600}, {7, 9}, 0.0f},
      {20.0f, true, {160, 600}, {7, 9}, 20.0f},
      {20.5f, false, {200, 100}, {7, 9}, 20.5f},
      {21.0f, false, {200, 100}, {7, 9}, 21.0f},
      {21.5f, true, {160, rise}, {7, 9}, 21.5f},
      {59.0f, true, {160, rise}, {7, 9}, 59.0f},
      {59.5f, false, {200, 100}, {7, 9}, 59.5f},
      {60.0f, false, {200, 100}, {7, 9}, 60.0f},
      {60.5f, false, {200, 100}, {210, -460}, 60.5f},
      {90.0f, false, {200, 100}, {210, -460}, 90.0f},
      {90.5f, false, {200, 100}, {7, 9}, 90.5f},
      {91.0f, false, {200, 100}, {7, 9 + 100 * kStep}, 91.0f},
      {135.0f, false, {200, 100}, {210, 0}, 135.0f},
      {162.0f, false, {200, 100}, {210 + sway, 0}, 162.0f},
      {171.5f, false, {200, 100}, {7, 9}, 171.5f},
      {172.0f, false, {200, 100}, {7 - sway, 9}, 172.0f},
      {191.0f, false, {200, 100}, {7 + sway, 9}, 191.0f},
      {201.0f, false, {200, 100}, {7 + side, 9 + drop}, 201.0f},
      {211.0f, false, {200, 100}, {7 - side, 9 - drop}, 211.0f},
      {221.0f, false, {200, 100}, {7 - side, 9 + drop}, 221.0f},
      {240.0f, false, {200, 100}, {7 + side, 9 - drop}, 240.0f},
      {240.5f, false, {200, 100}, {7, 9}, 240.5f},
      {241.0f, false, {200, 100}, {7, 9}, 151.0f},
  };
  stage_test::CheckMoveBands(rows, Boss5Move, Boss5State, Boss5Entry, 400.0f, kStep,
                             [] { return Back(300, 200) == kEntry; });
}

// From the reset at 1/64 s a frame: the entry picture waits below the
// screen (drawn, unseen); its rise starts past timer 21, drawn first where
// it waited (y 600, unseen), so it is seen from the next frame on, for 172
// frames, and is parked (speed 0) long before the boss is placed above the
// screen past 60; the boss reaches (210, 0) at 135 and afterwards always
// comes back there when the loop starts again.  A hit flag other than 0 or
// 1 stops everything.
TEST_F(Boss5Test, TheEntryPictureRisesBeforeTheBossComesIn) {
  int first_seen = -1, last_seen = -1, first_placed = -1, first_centre = -1, snaps = 0;
  bool loop_ended = false;
  // The picture (x 160 .. 640) crosses the column x 400 while it is seen.
  const auto entry_seen = [] {
    for (int y = 0; y < 600; ++y) {
      if (Back(400, y) == kEntry) return true;
    }
    return false;
  };
  for (int call = 1; call <= 2400; ++call) {
    const bool watched = call <= 400;
    if (watched) elDraw::ClearScreen();
    const float before = Boss5State.moveTimer;
    Boss5Move();
    if (watched && entry_seen()) {
      if (first_seen < 0) first_seen = call;
      last_seen = call;
    }
    if (first_placed < 0 && Pos(Boss5State) == XY(210, -460)) first_placed = call;
    if (first_centre < 0 && Pos(Boss5State) == XY(210, 0)) first_centre = call;
    if (Boss5State.moveTimer < before) loop_ended = true;
    else if (loop_ended) {
      EXPECT_EQ(Pos(Boss5State), XY(210, 0)) << call;
      ++snaps;
      loop_ended = false;
    }
  }
  EXPECT_EQ(first_seen, 136);  // timer 21.25
  EXPECT_EQ(last_seen - first_seen + 1, 172);
  EXPECT_EQ(Pos(Boss5Entry), XY(160, 2550));  // parked, then put back in its column
  EXPECT_EQ(Boss5Entry.speed, 0.0f);
  EXPECT_EQ(first_placed, 385);  // timer 60.15625
  EXPECT_EQ(first_centre, 864);  // timer 135
  EXPECT_EQ(snaps, 2);

  const BossState kept = Boss5State;
  Boss5State.hit = 2;
  Boss5Move();
  EXPECT_EQ(Boss5State.moveTimer, kept.moveTimer);
}

// Three flames of the flame frame's cell from 60 hit points down; a hit draws
// the picture again and is taken and marked shown; the frame's wraps count
// loops, back to 0 past 4.
TEST_F(Boss5Test, ThreeFlamesFromSixtyDownAndTheFlameClock) {
  const uint16_t flame = enemy_test::CellColour(2, 2);  // ZBAK3B cell 2
  const struct {
    float hp;
    bool flames;
  } rows[] = {{61, false}, {60.5f, false}, {60, true}, {0.5f, true}, {0, false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.hp);
    elDraw::ClearScreen();
    Boss5State.x = 200.7f;
    Boss5State.y = 0.0f;
    Boss5State.hitPoints = row.hp;
    Boss5State.flameFrame = 2;
    Boss5State.hit = 1;
    Boss5Draw();
    // Cell 2, 56 px below the start points (each 80 x 80; looked at inside).
    EXPECT_EQ(Back(200 + 30 + 40, 20 + 56 + 40) == flame, row.flames);
    EXPECT_EQ(Back(200 + 270 + 40, 20 + 56 + 40) == flame, row.flames);
    EXPECT_EQ(Back(200 + 150 + 40, 100 + 56 + 40) == flame, row.flames);
    EXPECT_EQ(CountBack(flame), row.flames ? 3 * 6400 : 0);
    EXPECT_EQ(Back(570, 450), kBoss);
    EXPECT_EQ(Boss5State.hit, 0u);
    EXPECT_EQ(Boss5State.hitShown, 1u);
    EXPECT_EQ(Boss5State.flameFrame, 3);
  }
  Boss5State.hitPoints = 500;
  Boss5State.flameFrame = 9;
  Boss5State.flameLoop = 4;
  Boss5Draw();
  EXPECT_EQ(Boss5State.flameFrame, 0);
  EXPECT_EQ(Boss5State.flameLoop, 0);
}

// Both arrays of five: every locked record is marked where it lies.
TEST_F(Boss5Test, LockMarksOfBothArraysOfFive) {
  for (int i = 0; i < 5; ++i) {
    Boss5LockPoints.A[i] = {200 + 70 * i, 300, i == 1 ? 0u : 1u, 0};
    Boss5LockPoints.B[i] = {200 + 70 * i, 450, i == 4 ? 0u : 1u, 0};
  }
  Boss5State.x = -500.0f;
  elDraw::ClearScreen();
  Boss5Draw();
  const uint16_t mark = enemy_test::CellColour(4, 0);  // ROCK1
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(Back(230 + 70 * i, 330) == mark, i != 1) << i;
    EXPECT_EQ(Back(230 + 70 * i, 480) == mark, i != 4) << i;
  }
  EXPECT_EQ(CountBack(mark), 8 * 3600);
}

// A beam is armed at the boss's side (x + 36 or x + 254, y + 205) and tests
// the ship on that call only, in the box -60 .. 30 x -220 .. 30 (inclusive);
// a Fire while it runs neither moves it nor tests the ship.
TEST_F(Boss5Test, TheLaserIsArmedAtTheBossAndTestsTheShipOnce) {
  const struct {
    void (*fire)();
    LaserBeam* beam;
    float side;
  } beams[] = {{Boss5Valarm51AFire, &Boss5Valarm51ASlots[0], 36},
               {Boss5Valarm51BFire, &Boss5Valarm51BSlots[0], 254}};
  const struct {
    float dx, dy;  // beam corner minus ship corner
    bool hit;
  } points[] = {{-60, -220, true}, {30, 30, true},    {-60.5f, 0, false},
                {30.5f, 0, false}, {0, -220.5f, false}, {0, 30.5f, false}};
  Boss5State.x = 200.0f;
  Boss5State.y = 10.0f;
  for (const auto& b : beams) {
    SCOPED_TRACE(b.side);
    for (const auto& p : points) {
      b.beam->active = 0;
      PlayerAlive = 1;
      PlayerX = 200 + b.side - p.dx;
      PlayerY = 215 - p.dy;
      b.fire();
      EXPECT_EQ(Pos(*b.beam), XY(200 + b.side, 215));
      EXPECT_EQ(PlayerAlive == 0, p.hit) << p.dx << ", " << p.dy;
    }
    // Running: the boss moves and the ship sits in the box, nothing happens.
    PlayerAlive = 1;
    Boss5State.x = 300.0f;
    PlayerX = 200 + b.side;
    PlayerY = 215;
    b.fire();
    EXPECT_EQ(Pos(*b.beam), XY(200 + b.side, 215));
    EXPECT_EQ(PlayerAlive, 1u);
    Boss5State.x = 200.0f;
  }
}

// Each Draw of a running beam steps its frame: cells 0 .. 3 on four draws,
// the fifth ends the beam and draws nothing.  The first beam after a reset
// steps on from its leftover frame: from 2 it shows cells 2 and 3, from 7
// nothing at all.  A Fire on every frame re-arms it each fifth frame.
TEST_F(Boss5Test, TheBeamShowsItsFourCellsAndEndsOnTheFifthFrame) {
  LaserBeam& beam = Boss5Valarm51ASlots[0];
  Boss5State.x = 200.0f;
  Boss5State.y = 0.0f;
  PlayerX = 500.0f;  // outside the box
  const auto shown = [] {
    elDraw::ClearScreen();
    Boss5Valarm51ADraw();
    for (int c = 0; c < 4; ++c) {
      if (Back(236 + 45, 205 + 200) == BeamCell(c)) return c;
    }
    return -1;
  };
  const struct {
    int32_t leftover;
    std::vector<int> cells;  // by Draw, -1: nothing
  } rows[] = {
      {0, {0, 1, 2, 3, -1, -1}},
      {2, {2, 3, -1, -1}},
      {7, {-1, -1}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.leftover);
    beam.active = 0;
    beam.frame = row.leftover;
    Boss5Valarm51AFire();
    std::vector<int> cells;
    for (size_t d = 0; d < row.cells.size(); ++d) cells.push_back(shown());
    EXPECT_EQ(cells, row.cells);
    EXPECT_EQ(beam.active, 0u);
    EXPECT_EQ(beam.frame, 0);
  }
  // Fired every frame, as a window does: a new beam follows each one.
  std::vector<int> cells;
  for (int f = 0; f < 10; ++f) {
    Boss5Valarm51AFire();
    cells.push_back(shown());
  }
  EXPECT_EQ(cells, (std::vector<int>{0, 1, 2, 3, -1, 0, 1, 2, 3, -1}));
}

}  // namespace
