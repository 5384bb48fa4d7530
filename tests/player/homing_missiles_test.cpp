// The homing missiles on the enemy kinds and on the bosses: launch, drift,
// steering, retire box, strike and draw.
#include <cmath>

#include "tests/player/player_fixture.h"

namespace {

using namespace player_test;

class HomingMissileTest : public HomingTest {
 protected:
  // A missile that does not move on its next Move (speed 0).
  static HomingMissile& Parked(HomingMissile& m, float x, float y) {
    m.active = 1;
    m.x = x;
    m.y = y;
    m.speed = 0.0f;
    m.timer = 300.0f;
    return m;
  }
};

TEST_F(HomingMissileTest, FireLaunchesOnlyAtLockedRecordsStrictlyInsideTheField) {
  struct Case {
    int32_t x, y;
    bool launches;
  };
  const Case cases[] = {{539, 200, true},  {540, 200, false}, {1, 200, true},
                        {0, 200, false},   {300, 479, true},  {300, 480, false},
                        {300, 1, true},    {300, 0, false}};
  for (const Case& c : cases) {
    ResetHomingTables();
    Szak3LockTargets[1] = {c.x, c.y, 1, 0};
    HomingMissileSzak3Fire();
    EXPECT_EQ(HomingMissileSzak3Slots[1].active, c.launches ? 1u : 0u) << c.x << "," << c.y;
  }
  // The Szak41A family's edge is 541.
  Szak41ALockTargets[0] = {540, 200, 1, 0};
  HomingMissileSzak41AFire();
  EXPECT_EQ(HomingMissileSzak41ASlots[0].active, 1u);
  // No lock, no launch.
  Szak4LockTargets[2] = {300, 200, 0, 0};
  HomingMissileSzak4Fire();
  EXPECT_EQ(HomingMissileSzak4Slots[2].active, 0u);
}

TEST_F(HomingMissileTest, FireSetsSpeedTimerAndLaunchVectorByFamily) {
  Szak3LockTargets[0] = {300, 100, 1, 0};
  HomingMissileSzak3Slots[0].timer = 300.0f;
  HomingMissileSzak3Fire();
  const HomingMissile& a = HomingMissileSzak3Slots[0];
  EXPECT_EQ(Pos(a), XY(390.0f, 410.0f));
  EXPECT_EQ(a.speed, 600.0f);
  EXPECT_EQ(a.timer, 0.0f);
  EXPECT_FLOAT_EQ(a.launchDx, 320.0f - 390.0f);
  EXPECT_FLOAT_EQ(a.launchDy, 120.0f - 410.0f);
  EXPECT_FLOAT_EQ(a.angle, -3.0f * HomingPi / 180.0f);  // set by the first steering frame

  ShipType = 2;
  Szak22ALockTargets[2] = {300, 100, 1, 0};
  HomingMissileSzak22AFire();
  EXPECT_EQ(HomingMissileSzak22ASlots[2].speed, 700.0f);

  // The wave families: 750, their own launch y, no timer or launch vector.
  HomingMissileSzak41BSlots[4].timer = 123.0f;
  Szak41BLockTargets[4] = {300, 100, 1, 0};
  HomingMissileSzak41BFire();
  const HomingMissile& w = HomingMissileSzak41BSlots[4];
  EXPECT_EQ(w.active, 1u);
  EXPECT_FLOAT_EQ(w.y, 408.0f);
  EXPECT_EQ(w.speed, 750.0f);
  EXPECT_EQ(w.timer, 123.0f);
  EXPECT_EQ(w.launchDx, 0.0f);

  // A flying missile is not launched again.
  PlayerX = 100.0f;
  HomingMissileSzak41BFire();
  EXPECT_FLOAT_EQ(w.x, 390.0f);
}

TEST_F(HomingMissileTest, LaunchPhasePushesEveryMissileInItOncePerSteeringMissile) {
  // One frame with only missile 0 flying, then the same frame with missile 1
  // flying too: missile 0 is pushed once more (left, 600 x dt / 2 = 5 px,
  // and down 1 px) after its own flight.
  auto launch = [](int i) {
    Szak3LockTargets[i] = {300, 100, 1, 0};
    HomingMissileSzak3Slots[i].timer = 300.0f;
  };
  launch(0);
  HomingMissileSzak3Fire();
  HomingMissileSzak3Move();
  const float alone_x = HomingMissileSzak3Slots[0].x;
  const float alone_y = HomingMissileSzak3Slots[0].y;

  ResetHomingTables();
  launch(0);
  launch(1);
  HomingMissileSzak3Fire();
  HomingMissileSzak3Move();
  EXPECT_NEAR(HomingMissileSzak3Slots[0].x, alone_x - 5.0f, 1e-3f);
  EXPECT_NEAR(HomingMissileSzak3Slots[0].y, alone_y + 1.0f, 1e-3f);
}

// The drifting families leave their launch point and are pushed sideways and
// down on their first frames (the kinds 5 and 1 for six frames, the bosses
// 10 and 8 for thirteen; the boss-3 family B starts on the right but drifts
// left), then only steer.
TEST_F(HomingMissileTest, DriftingFamiliesArePushedOnTheirFirstFramesThenOnlySteer) {
  const struct {
    const char* name;
    void (*fire)();
    void (*move)();
    LockOnTarget* target;
    HomingMissile* missile;
    float launch_x, px, py;
    int frames;
  } rows[] = {
      {"Szak22A", HomingMissileSzak22AFire, HomingMissileSzak22AMove, &Szak22ALockTargets[0],
       &HomingMissileSzak22ASlots[0], 390.0f, 5.0f, 1.0f, 6},
      {"Boss2A", HomingMissileBoss2AFire, HomingMissileBoss2AMove, &Boss2LockPoints.A[2],
       &HomingMissileBoss2ASlots[2], 350.0f, -10.0f, 8.0f, 13},
      {"Boss3B", HomingMissileBoss3BFire, HomingMissileBoss3BMove, &Boss3LockPoints.B[0],
       &HomingMissileBoss3BSlots[0], 430.0f, -10.0f, 8.0f, 13},
      {"Boss4B", HomingMissileBoss4BFire, HomingMissileBoss4BMove, &Boss4LockPoints.B[0],
       &HomingMissileBoss4BSlots[0], 430.0f, 10.0f, 8.0f, 13},
  };
  for (const auto& row : rows) {
    *row.target = {300, 60, 1, 0};
    row.fire();
    HomingMissile& m = *row.missile;
    EXPECT_FLOAT_EQ(m.x, row.launch_x) << row.name;
    for (int frame = 1; frame <= row.frames + 2; ++frame) {
      const float x = m.x, y = m.y;
      row.move();
      ASSERT_EQ(m.active, 1u) << row.name << " " << frame;
      // Undo the flight of 10 px along the heading to find the push.
      const bool pushed = frame <= row.frames;
      EXPECT_NEAR(m.x - std::cos(m.angle) * 10.0f - x, pushed ? row.px : 0.0f, 1e-3f)
          << row.name << " " << frame;
      EXPECT_NEAR(m.y - std::sin(m.angle) * 10.0f - y, pushed ? row.py : 0.0f, 1e-3f)
          << row.name << " " << frame;
      EXPECT_EQ(m.timer == 300.0f, !pushed) << row.name << " " << frame;
    }
  }
}

TEST_F(HomingMissileTest, TargetOffTheFieldLeavesTheHeadingAsItWas) {
  HomingMissile& m = Parked(HomingMissileSzak40ASlots[2], 300.0f, 300.0f);
  m.speed = 600.0f;
  m.angle = 0.0f;
  Szak40ALockTargets[2] = {540, 100, 1, 0};  // x 540 is off the field
  HomingMissileSzak40AMove();
  EXPECT_EQ(Pos(m), XY(310.0f, 300.0f));
  EXPECT_EQ(m.angle, 0.0f);
  // On the field it turns toward the record's centre (320, 120).
  Szak40ALockTargets[2].x = 300;
  HomingMissileSzak40AMove();
  EXPECT_FLOAT_EQ(m.dx, 10.0f);
  EXPECT_FLOAT_EQ(m.dy, -180.0f);
  EXPECT_FLOAT_EQ(m.angle, std::atan(-18.0f));

  // A boss missile at an off-field point flies straight on and retires.
  Boss5LockPoints.A[0] = {540, 100, 1, 0};
  HomingMissile& b = Parked(HomingMissileBoss5ASlots[0], 500.0f, 200.0f);
  b.speed = 600.0f;
  b.angle = 0.0f;
  for (int frame = 0; frame < 4; ++frame) HomingMissileBoss5AMove();
  EXPECT_FLOAT_EQ(b.x, 540.0f);
  EXPECT_EQ(b.active, 1u);
  HomingMissileBoss5AMove();
  EXPECT_EQ(b.active, 0u);
  EXPECT_EQ(Boss5State.hit, 0u);
}

TEST_F(HomingMissileTest, RetireBoxUsesTheFamilyEdge) {
  struct Case {
    float x, y;
    bool flies;
  };
  const Case cases[] = {{80.0f, 200.0f, true},  {79.5f, 200.0f, false},
                        {540.0f, 200.0f, true}, {540.5f, 200.0f, false},
                        {300.0f, -20.0f, true}, {300.0f, -20.5f, false},
                        {300.0f, 480.0f, true}, {300.0f, 480.5f, false}};
  for (const Case& c : cases) {
    ResetHomingTables();
    HomingMissile& m = Parked(HomingMissileSzak21ASlots[0], c.x, c.y);
    m.aux = 9;
    HomingMissileSzak21AMove();
    EXPECT_EQ(m.active, c.flies ? 1u : 0u) << c.x << "," << c.y;
    if (!c.flies) {
      EXPECT_EQ(Pos(m), XY(-500.0f, 2550.0f));
      EXPECT_EQ(m.aux, 0);
    }
  }
  // Szak41B reaches 543.
  ResetHomingTables();
  HomingMissile& w = Parked(HomingMissileSzak41BSlots[0], 543.0f, 200.0f);
  HomingMissileSzak41BMove();
  EXPECT_EQ(w.active, 1u);
  // A bomb wave retires them all.
  BombWave = 1;
  HomingMissileSzak41BMove();
  EXPECT_EQ(w.active, 0u);
}

TEST_F(HomingMissileTest, StrikeWindowHitsUnlocksAndParksTheRecordAndScores) {
  Szak3LockTargets[2] = {300, 100, 1, 0};
  HomingMissile& m = Parked(HomingMissileSzak3Slots[2], 310.0f, 120.0f);
  HomingMissileSzak3Move();
  EXPECT_EQ(m.active, 0u);
  EXPECT_EQ(m.x, -500.0f);
  EXPECT_EQ(Szak3LockTargets[2].locked, 0u);
  EXPECT_EQ(Pos(Szak3LockTargets[2]), XY(-500, 500));
  EXPECT_EQ(Szak3Slots[2].hit, 1u);
  EXPECT_EQ(Szak3Slots[0].hit + Szak3Slots[1].hit, 0u);
  EXPECT_EQ(Score, 300);

  // Unlocked now: the next Fire does not relaunch at it.
  HomingMissileSzak3Fire();
  EXPECT_EQ(m.active, 0u);

  // 19.5 below is outside the window; so is 30.5 across.
  Szak3LockTargets[0] = {300, 100, 1, 0};
  HomingMissile& high = Parked(HomingMissileSzak3Slots[0], 310.0f, 119.5f);
  Szak3LockTargets[1] = {300, 100, 1, 0};
  HomingMissile& wide = Parked(HomingMissileSzak3Slots[1], 330.5f, 125.0f);
  HomingMissileSzak3Move();
  EXPECT_EQ(high.active, 1u);
  EXPECT_EQ(wide.active, 1u);
  EXPECT_EQ(Score, 300);

  // The wave families have a strike floor of their own: 23 below.
  Szak41BLockTargets[3] = {300, 100, 1, 0};
  HomingMissile& w = Parked(HomingMissileSzak41BSlots[3], 310.0f, 122.0f);
  HomingMissileSzak41BMove();
  EXPECT_EQ(w.active, 1u);
  w.y = 123.0f;
  HomingMissileSzak41BMove();
  EXPECT_EQ(w.active, 0u);
  EXPECT_EQ(Szak41BSlots[3].hit, 1u);
  EXPECT_EQ(Score, 600);
}

TEST_F(HomingMissileTest, AMissileFlownByTheEngineReachesItsTarget) {
  Szak4LockTargets[1] = {250, 60, 1, 0};
  Szak4Slots[1].active = 1;
  HomingMissileSzak4Fire();
  int frames = 0;
  while (HomingMissileSzak4Slots[1].active != 0 && frames < 120) {
    HomingMissileSzak4Move();
    ++frames;
  }
  EXPECT_LT(frames, 120);
  EXPECT_EQ(Szak4Slots[1].hit, 1u);
  EXPECT_EQ(Score, 300);
}

// A boss strike takes the family's rate (Boss1 100, the others 150 per
// second), unlocks and parks the point and pays 300; outside the scoring
// modes the damage still counts.
TEST_F(HomingMissileTest, BossStrikeLowersHitPointsByTheFamilyRate) {
  const struct {
    void (*move)();
    BossState* boss;
    LockOnTarget* point;
    HomingMissile* missile;
    float x, y, rate;
    int32_t mode, score;
  } rows[] = {
      {HomingMissileBoss1AMove, &Boss1State, &Boss1LockPoints.A[0], &HomingMissileBoss1ASlots[0],
       215.0f, 125.0f, 100.0f, 1, 300},
      {HomingMissileBoss7BMove, &Boss7State, &Boss7LockPoints.B[4], &HomingMissileBoss7BSlots[4],
       230.0f, 130.0f, 150.0f, 1, 600},
      {HomingMissileBoss6AMove, &Boss6State, &Boss6LockPoints.A[8], &HomingMissileBoss6ASlots[8],
       210.0f, 120.0f, 150.0f, 3, 600},
  };
  for (const auto& row : rows) {
    GameMode = row.mode;
    *row.point = {200, 100, 1, 0};
    const float hp = row.boss->hitPoints;
    Parked(*row.missile, row.x, row.y);
    row.move();
    EXPECT_FLOAT_EQ(row.boss->hitPoints, hp - row.rate / 60.0f);
    EXPECT_EQ(row.boss->hit, 1u);
    EXPECT_EQ(Score, row.score);
    EXPECT_EQ(row.point->locked, 0u);
    EXPECT_EQ(row.point->x, -500);
    EXPECT_EQ(row.point->y, 500);
  }
}

TEST_F(HomingMissileTest, BossFireUsesTheFamilyLaunchPoint) {
  struct Case {
    void (*fire)();
    LockOnTarget* points;
    HomingMissile* missiles;
    float x;
    bool vector;
  };
  const Case cases[] = {
      {HomingMissileBoss1AFire, Boss1LockPoints.A, HomingMissileBoss1ASlots, 385.0f, true},
      {HomingMissileBoss1BFire, Boss1LockPoints.B, HomingMissileBoss1BSlots, 395.0f, false},
      {HomingMissileBoss4AFire, Boss4LockPoints.A, HomingMissileBoss4ASlots, 350.0f, true},
      {HomingMissileBoss5BFire, Boss5LockPoints.B, HomingMissileBoss5BSlots, 430.0f, false},
  };
  for (const Case& c : cases) {
    c.points[1] = {250, 100, 1, 0};
    c.missiles[1].timer = 77.0f;
    c.fire();
    const HomingMissile& m = c.missiles[1];
    EXPECT_EQ(m.active, 1u);
    EXPECT_EQ(Pos(m), XY(c.x, 410.0f));
    EXPECT_EQ(m.speed, 600.0f);
    EXPECT_FLOAT_EQ(m.launchDx, c.vector ? 270.0f - c.x : 0.0f);
    EXPECT_EQ(c.missiles[0].active, 0u);
  }
  EXPECT_EQ(HomingMissileBoss4ASlots[1].timer, 0.0f);   // drifting family
  EXPECT_EQ(HomingMissileBoss5BSlots[1].timer, 77.0f);  // no drift
  // A point at x 540 or y 480 is off the field.
  Boss8LockPoints.A[0] = {540, 100, 1, 0};
  Boss8LockPoints.A[1] = {300, 480, 1, 0};
  HomingMissileBoss8AFire();
  EXPECT_EQ(HomingMissileBoss8ASlots[0].active, 0u);
  EXPECT_EQ(HomingMissileBoss8ASlots[1].active, 0u);
}

TEST_F(HomingMissileTest, BossSixFamiliesFlyNineMissiles) {
  for (int i = 0; i < 9; ++i) Boss6LockPoints.B[i] = {100 + 40 * i, 100, 1, 0};
  HomingMissileBoss6BFire();
  for (int i = 0; i < 9; ++i) EXPECT_EQ(HomingMissileBoss6BSlots[i].active, 1u) << i;
  HomingMissileBoss6BMove();
  for (int i = 0; i < 9; ++i)
    EXPECT_FLOAT_EQ(HomingMissileBoss6BSlots[i].dx, float(120 + 40 * i) - 430.0f) << i;
}

TEST_F(HomingMissileTest, ShipTypeTwoDrawsTheBeamFromTheNoseStraightToTheMark) {
  ShipType = 2;
  Szak40BLockTargets[0] = {270, 100, 1, 0};
  Parked(HomingMissileSzak40BSlots[0], 300.0f, 300.0f);
  os::SeedRandom(5);
  const int r0 = os::Random() % 5, r1 = os::Random() % 5;
  const int g = os::Random() % 100, b = os::Random() % 100;
  const int after = os::Random();
  os::SeedRandom(5);
  HomingMissileSzak40BDraw();
  EXPECT_EQ(os::Random(), after);  // four draws per beam
  EXPECT_EQ(CountBack(MissileColour), 0);
  // Every piece but the last has length 0: one line from the jittered start
  // (397 + r0 - r1, 440) to the mark's centre (299, 129).
  const int sx = 397 + r0 - r1;
  const int mx = (sx + 299) / 2, my = (440 + 129) / 2;
  int red = 0, green = 0, blue = 0;
  elDraw::GetPixel(mx, my, &red, &green, &blue);
  EXPECT_LT(red, 16);
  EXPECT_NEAR(green, 155 - g, 8);
  EXPECT_NEAR(blue, 255 - b, 8);
  EXPECT_EQ(Back(sx + 40, 440), 0);  // nothing beside the line
}

TEST_F(HomingMissileTest, BeamBendsAlongTheLaunchVector) {
  ShipType = 2;
  Szak3LockTargets[0] = {100, 50, 1, 0};
  HomingMissile& m = Parked(HomingMissileSzak3Slots[0], 300.0f, 300.0f);
  m.launchDx = -270.0f;
  m.launchDy = -360.0f;
  os::SeedRandom(9);
  const int r0 = os::Random() % 5, r1 = os::Random() % 5;
  os::SeedRandom(9);
  HomingMissileSzak3Draw();
  // Points: S, S + (-150, 0), S + (-240, -40), S + (-270, -80), S + (-270,
  // -160), S + (-240, -240), S + (-240, -320), then the mark's centre.
  const int sx = 397 + r0 - r1, sy = 440;
  auto lit = [](int x, int y) {
    int red = 0, green = 0, blue = 0;
    elDraw::GetPixel(x, y, &red, &green, &blue);
    return green + blue > 0;
  };
  EXPECT_TRUE(lit(sx - 75, sy));         // the first piece, along the nose row
  EXPECT_TRUE(lit(sx - 270, sy - 120));  // the vertical fourth piece
  EXPECT_TRUE(lit(sx - 240, sy - 280));  // the vertical sixth piece
  EXPECT_TRUE(lit((sx - 240 + 129) / 2, (sy - 320 + 79) / 2));  // the last piece
  EXPECT_FALSE(lit(sx - 200, sy - 120));
}

// The missile picture at the truncated position and/or the beam, by family
// and ship type.
TEST_F(HomingMissileTest, DrawFollowsTheFamilyAndShipType) {
  struct Case {
    void (*draw)();
    HomingMissile* missiles;
    LockOnTarget* points;
    int ship_type;
    bool sprite, beam;
  };
  const Case cases[] = {
      {HomingMissileSzak21ADraw, HomingMissileSzak21ASlots, Szak21ALockTargets, 1, true, false},
      {HomingMissileBoss1ADraw, HomingMissileBoss1ASlots, Boss1LockPoints.A, 1, true, true},
      {HomingMissileBoss1ADraw, HomingMissileBoss1ASlots, Boss1LockPoints.A, 2, false, false},
      {HomingMissileBoss7BDraw, HomingMissileBoss7BSlots, Boss7LockPoints.B, 1, true, false},
      {HomingMissileBoss5ADraw, HomingMissileBoss5ASlots, Boss5LockPoints.A, 2, false, true},
      {HomingMissileBoss4ADraw, HomingMissileBoss4ASlots, Boss4LockPoints.A, 1, false, true},
      {HomingMissileBoss4ADraw, HomingMissileBoss4ASlots, Boss4LockPoints.A, 2, true, false},
      {HomingMissileBoss4BDraw, HomingMissileBoss4BSlots, Boss4LockPoints.B, 1, false, false},
      {HomingMissileBoss2ADraw, HomingMissileBoss2ASlots, Boss2LockPoints.A, 1, false, true},
      {HomingMissileBoss2BDraw, HomingMissileBoss2BSlots, Boss2LockPoints.B, 1, false, false},
      {HomingMissileBoss8ADraw, HomingMissileBoss8ASlots, Boss8LockPoints.A, 2, false, true},
  };
  for (const Case& c : cases) {
    elDraw::ClearScreen();
    ResetHomingTables();
    ShipType = c.ship_type;
    c.points[0] = {250, 60, 1, 0};
    Parked(c.missiles[0], 200.9f, 300.5f);
    c.draw();
    const int sprite_pixels = CountBack(MissileColour);
    const int other_pixels = CountNonBlack() - sprite_pixels;
    EXPECT_EQ(sprite_pixels, c.sprite ? 20 * 60 : 0) << &c - cases;
    if (c.sprite) {
      EXPECT_EQ(Back(200, 300), MissileColour) << &c - cases;
      EXPECT_EQ(Back(219, 359), MissileColour) << &c - cases;
    }
    EXPECT_EQ(other_pixels > 0, c.beam) << &c - cases;
  }
}

}  // namespace
