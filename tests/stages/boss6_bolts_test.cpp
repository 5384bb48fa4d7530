// The stage-6 boss's bolts: chains of six aimed around the ship, freed
// together by their slowest point, a ship box that only the points touch,
// and the five flickering segments with their two random draws per Draw.
#include <gtest/gtest.h>

#include <cmath>

#include "el/system/angles.h"
#include "enemies/engine/aim.h"
#include "stages/stage6/boss6_bolts.h"
#include "tests/enemies/enemy_fixture.h"

namespace {

using namespace enemy_test;
using player_test::Pos;
using player_test::XY;

constexpr float kTurn = 2 * PiF / 60;  // 6 degrees

struct Family {
  void (*fire)();
  void (*move)();
  void (*draw)();
  AimedShot* points;
  float gun_x;  // from the boss
  float turns;  // of 6 degrees
};
const Family kFamilies[] = {
    {Boss6BoltAFire, Boss6BoltAMove, Boss6BoltADraw, Boss6BoltASlots, 205, -2},
    {Boss6BoltBFire, Boss6BoltBMove, Boss6BoltBDraw, Boss6BoltBSlots, 245, 2},
    {Boss6BoltCFire, Boss6BoltCMove, Boss6BoltCDraw, Boss6BoltCSlots, 205, -4},
    {Boss6BoltDFire, Boss6BoltDMove, Boss6BoltDDraw, Boss6BoltDSlots, 245, 4},
    {Boss6BoltEFire, Boss6BoltEMove, Boss6BoltEDraw, Boss6BoltESlots, 205, -6},
    {Boss6BoltFFire, Boss6BoltFMove, Boss6BoltFDraw, Boss6BoltFSlots, 245, 6},
};

class Boss6BoltsTest : public EnemyTest {
 protected:
  void SetUp() override {
    EnemyTest::SetUp();
    Boss6State.x = 170.0f;  // the boss's hold point
    Boss6State.y = 0.0f;
  }
  static void Free(AimedShot* points) {
    for (int k = 0; k < 6; ++k) points[k].active = 0;
  }
};

// Every family arms all six points on one call, from its gun at y 150, at
// 260 .. 360 px/s on one heading: the aim at the ship + (25, 25) turned by
// the family's offset before the half-turn.  Straight below the gun the
// unturned heading is pi/2, straight above (or level) 3 pi/2.
TEST_F(Boss6BoltsTest, ChainsLeaveTogetherTurnedAroundTheAim) {
  for (const Family& f : kFamilies) {
    const float gun_x = 170 + f.gun_x, gun_y = 150;
    const float turn = f.turns * kTurn;
    const struct {
      float ship_x, ship_y, heading;
    } rows[] = {
        {gun_x - 25, 400, PiF / 2 + turn},                                   // below
        {gun_x - 25, gun_y - 25, (PiF / 2 + turn) + PiF},                    // level
        {gun_x - 25, 0, (PiF / 2 + turn) + PiF},                             // above
        {400, 420, std::atan((445 - gun_y) / (425 - gun_x)) + turn},         // right
        {200, 420, (std::atan((445 - gun_y) / (225 - gun_x)) + turn) + PiF},  // left
    };
    for (const auto& row : rows) {
      SCOPED_TRACE(testing::Message() << f.gun_x << " " << f.turns << " ship " << row.ship_x
                                      << ", " << row.ship_y);
      Free(f.points);
      PlayerX = row.ship_x;
      PlayerY = row.ship_y;
      f.fire();
      for (int k = 0; k < 6; ++k) {
        const AimedShot& p = f.points[k];
        EXPECT_EQ(p.active, 1u) << k;
        EXPECT_EQ(Pos(p), XY(gun_x, gun_y)) << k;
        EXPECT_EQ(p.x0, gun_x) << k;
        EXPECT_EQ(p.y0, gun_y) << k;
        EXPECT_EQ(p.speed, 260.0f + 20.0f * static_cast<float>(k)) << k;
        EXPECT_FLOAT_EQ(p.angle, row.heading) << k;
      }
    }
  }
}

// A chain in flight keeps the family busy, even with its fast points gone
// and while BombWave is 1; once point 0 leaves -20 .. 800 x -20 .. 600 all
// six stop where they are, and the next Fire starts a new chain.
TEST_F(Boss6BoltsTest, TheSlowestPointFreesTheChain) {
  const struct {
    float x, y;
    bool out;
  } edges[] = {{-20, 300, false}, {-20.5f, 300, true}, {800, 300, false}, {800.5f, 300, true},
               {300, -20, false}, {300, -20.5f, true}, {300, 600, false}, {300, 600.5f, true}};
  for (const auto& edge : edges) {
    SCOPED_TRACE(testing::Message() << edge.x << ", " << edge.y);
    Free(Boss6BoltASlots);
    FrameTime = 1.0f / 60.0f;
    Boss6BoltAFire();
    BombWave = 1;
    Boss6BoltAMove();
    BombWave = 0;
    for (int k = 1; k < 6; ++k) Boss6BoltASlots[k].y = 900.0f;  // the faster ones gone
    Boss6BoltAMove();
    Boss6BoltAFire();
    for (int k = 0; k < 6; ++k) ASSERT_EQ(Boss6BoltASlots[k].active, 1u) << k;
    EXPECT_GT(Boss6BoltASlots[5].y, 900.0f);  // not armed again

    FrameTime = 0.0f;
    Boss6BoltASlots[0].x = edge.x;
    Boss6BoltASlots[0].y = edge.y;
    Boss6BoltAMove();
    for (int k = 0; k < 6; ++k) EXPECT_EQ(Boss6BoltASlots[k].active == 0, edge.out) << k;
    EXPECT_EQ(Pos(Boss6BoltASlots[0]), XY(edge.x, edge.y));
    EXPECT_GT(Boss6BoltASlots[5].y, 900.0f);
    Boss6BoltAFire();
    EXPECT_EQ(Pos(Boss6BoltASlots[5]) == XY(375, 150), edge.out);
  }
}

// Only a point 10 .. 30 px right of and 20 .. 30 px below the ship's corner
// kills (bounds inclusive), and only while the ship can be hit; the lines
// between the points do not.
TEST_F(Boss6BoltsTest, OnlyThePointsHitTheShip) {
  const struct {
    float dx, dy;
    bool hit;
  } rows[] = {{10, 20, true},     {30, 30, true},     {20, 25, true},     {9.5f, 25, false},
              {30.5f, 25, false}, {20, 19.5f, false}, {20, 30.5f, false}, {0, 0, false},
              {-5, 25, false}};
  FrameTime = 0.0f;
  PlayerX = 300.0f;
  PlayerY = 400.0f;
  for (const auto& row : rows) {
    for (int k : {0, 3}) {
      SCOPED_TRACE(testing::Message() << row.dx << ", " << row.dy << " point " << k);
      Free(Boss6BoltBSlots);
      Boss6BoltBFire();
      for (int i = 0; i < 6; ++i) Boss6BoltBSlots[i].y = 100.0f;  // all far above the ship
      Boss6BoltBSlots[k].x = PlayerX + row.dx;
      Boss6BoltBSlots[k].y = PlayerY + row.dy;
      PlayerAlive = 1;
      Boss6BoltBMove();
      EXPECT_EQ(PlayerAlive == 0, row.hit);
    }
  }
  // A segment across the ship's box, its ends outside it.
  Free(Boss6BoltBSlots);
  Boss6BoltBFire();
  Boss6BoltBSlots[0].x = PlayerX - 20;
  Boss6BoltBSlots[0].y = PlayerY + 25;
  Boss6BoltBSlots[1].x = PlayerX + 60;
  Boss6BoltBSlots[1].y = PlayerY + 25;
  PlayerAlive = 1;
  Boss6BoltBMove();
  EXPECT_EQ(PlayerAlive, 1u);
  // Once the ship is down nothing is tested.
  PlayerAlive = 0;
  Boss6BoltBSlots[1].x = PlayerX + 20;
  Boss6BoltBMove();
  EXPECT_EQ(PlayerAlive, 0u);
}

// The 5-6-5 pixel of a colour given as red, green, blue.
uint16_t Pixel565(int r, int g, int b) {
  return static_cast<uint16_t>((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
}

// Every Draw takes two random draws, chain or not; a flying chain is five
// segments from point to point, pen widths 5 .. 9, coloured (250 - r1,
// G - r2, 5) with G 230, 220, 210, 200, 230.
TEST_F(Boss6BoltsTest, FiveFlickeringSegmentsThickeningTowardTheFastEnd) {
  for (const Family& f : kFamilies) {
    os::SeedRandom(77);
    const int r1 = os::Random() % 100;
    const int r2 = os::Random() % 100;
    const int after = os::Random();
    os::SeedRandom(77);
    elDraw::ClearScreen();
    f.draw();  // idle: two draws, nothing drawn
    EXPECT_EQ(os::Random(), after);
    EXPECT_EQ(LitPlayfield(), 0);

    f.fire();
    for (int k = 0; k < 6; ++k) {  // a row of points across the field
      f.points[k].x = 200.0f + 80.0f * static_cast<float>(k);
      f.points[k].y = 300.0f;
    }
    os::SeedRandom(77);
    f.draw();
    EXPECT_EQ(os::Random(), after);
    const int greens[] = {230, 220, 210, 200, 230};
    for (int k = 0; k < 5; ++k) {
      SCOPED_TRACE(k);
      const int x = 240 + 80 * k;  // the segment's middle
      const uint16_t colour = Pixel565(250 - r1, greens[k] - r2, 5);
      int width = 0;
      for (int y = 280; y < 320; ++y) width += Back(x, y) == colour;
      EXPECT_EQ(width, 5 + k);
      EXPECT_EQ(Back(x, 300), colour);
    }
    Free(f.points);
  }
}

}  // namespace
