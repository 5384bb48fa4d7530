#include <set>

#include "tests/player/player_fixture.h"

namespace {

using namespace player_test;

class ShotsTest : public PlayerTest {
 protected:
  // The indices of the table's active records.
  template <typename T, size_t N>
  static std::set<int> Active(const T (&table)[N]) {
    std::set<int> out;
    for (size_t i = 0; i < N; ++i)
      if (table[i].active) out.insert(static_cast<int>(i));
    return out;
  }
  static std::set<int> ActiveRays() { return Active(ShipRays); }
};

TEST_F(ShotsTest, SalvoSendsFortyNineGroupsEveryThirdFrameThenFreesTheLasers) {
  PlayerX = 300.7f;
  PlayerY = 400.2f;
  BombSalvoActive = 1;
  LaserAReady = LaserBReady = 0;
  ShipRaySchedule();
  ShipRaySchedule();
  EXPECT_TRUE(ActiveRays().empty());
  ShipRaySchedule();
  EXPECT_EQ(ActiveRays(), (std::set<int>{1, 51, 101, 151}));
  EXPECT_EQ(ShipRays[1].x, 312);
  EXPECT_EQ(ShipRays[51].x, 328);
  EXPECT_EQ(ShipRays[101].x, 312);
  EXPECT_EQ(Pos(ShipRays[151]), XY(328, 410));
  for (int i = 3; i < 146; ++i) ShipRaySchedule();
  EXPECT_EQ(BombSalvoActive, 1u);
  ShipRaySchedule();  // frame 147: the 49th group and the end
  EXPECT_EQ(ActiveRays().size(), 196u);
  for (int slot : {0, 50, 100, 150}) EXPECT_EQ(ShipRays[slot].active, 0u);
  EXPECT_EQ(BombSalvoActive, 0u);
  EXPECT_EQ(BombSalvoCounter, 0);
  EXPECT_EQ(LaserAReady, 1u);
  EXPECT_EQ(LaserBReady, 1u);
}

TEST_F(ShotsTest, EmitSkipsSlotsStillFlying) {
  ShipRays[51] = {7, 8, 2.5f, 1};
  ShipRays[101].age = 0.0f;
  ShipRayEmit(1, 51, 101, 151);
  EXPECT_EQ(Pos(ShipRays[51]), XY(7, 8));
  EXPECT_FLOAT_EQ(ShipRays[51].age, 2.5f);
  EXPECT_EQ(ActiveRays(), (std::set<int>{1, 51, 101, 151}));
}

// Slots 1..49 and 101..149 curl left, the others mirror them; slots 100 and
// up take the short path that ends its curl at +3.  Between two windows a
// ray takes no step; past the end of its path it keeps its last step.
TEST_F(ShotsTest, RayStepsFollowTheAgeWindowsWithGapsBetweenThem) {
  const struct {
    int slot;
    float age;
    int dx, dy;
  } rows[] = {
      {10, 0.0f, -6, 0},   {10, 3.0f, -6, 0},     {10, 3.5f, 0, 0},    {10, 4.0f, -6, -3},
      {10, 9.0f, -6, -6},  {10, 12.5f, 0, 0},     {10, 13.0f, 0, -6},  {10, 16.0f, 1, -6},
      {10, 21.0f, 2, -6},  {10, 24.0f, 3, -6},    {10, 27.0f, 4, -6},  {10, 28.0f, 5, -6},
      {10, 200.5f, 5, -6}, {60, 0.0f, 6, 0},      {60, 28.0f, -5, -6}, {160, 10.0f, 3, -6},
      {110, 25.0f, 3, -6}, {110, 251.0f, 3, -6},  {199, 30.0f, -3, -6},
  };
  for (const auto& row : rows) {
    int32_t dx = 99, dy = 99;
    ShipRayStep(row.slot, row.age, &dx, &dy);
    EXPECT_EQ(std::make_pair(dx, dy), std::make_pair(row.dx, row.dy))
        << "slot " << row.slot << " age " << row.age;
  }
}

TEST_F(ShotsTest, RayAgesByFrameTimeAndIsFreedAboveTheTop) {
  ShipRays[20] = {300, 300, 0.0f, 1};
  FrameTime = 0.01f;
  ShipRayMove(20);
  EXPECT_FLOAT_EQ(ShipRays[20].age, 0.2f);
  EXPECT_EQ(Pos(ShipRays[20]), XY(294, 300));
  ShipRays[20] = {300, -55, 20.0f, 1};
  ShipRayMove(20);  // y -61: freed, age back to 0
  EXPECT_EQ(ShipRays[20].active, 0u);
  EXPECT_FLOAT_EQ(ShipRays[20].age, 0.0f);
  EXPECT_EQ(ShipRays[20].y, -61);
}

TEST_F(ShotsTest, ARayPastItsPathLeavesTheTopAtLowFrameRates) {
  // At 10 frames per second a short-path ray ages 2 per frame and passes age
  // 250 long before it reaches the top; it must still leave and be freed.
  FrameTime = 0.1f;
  for (int slot : {30, 130}) {
    ShipRays[slot] = {400, 580, 240.0f, 1};
    int frames = 0;
    while (ShipRays[slot].active && frames < 500) {
      ShipRayMove(slot);
      ++frames;
    }
    EXPECT_EQ(ShipRays[slot].active, 0u) << slot;
    EXPECT_FLOAT_EQ(ShipRays[slot].age, 0.0f);
    EXPECT_LT(frames, 120);
  }
  // So a new salvo finds every slot free again.
  for (int i = 0; i < ShipRayCount; ++i) ShipRays[i] = {300, 500, 100.0f + i, 1};
  for (int f = 0; f < 120; ++f) PlayerShotsMove();
  EXPECT_TRUE(ActiveRays().empty());
}

TEST_F(ShotsTest, LasersClimbTwentyPixelsAFrameWhateverTheFrameTime) {
  SideLaser = 1;
  PlayerX = 350.6f;
  PlayerY = 400.9f;
  PlayerLaserAEmit(1, 14, 27);
  PlayerLaserBEmit(1, 14, 27);
  EXPECT_EQ(Pos(LaserASegments[1]), XY(350, 362));
  EXPECT_EQ(LaserASegments[14].x, 335);
  EXPECT_EQ(LaserASegments[27].x, 365);
  EXPECT_EQ(LaserASegments[14].dx, 4);
  EXPECT_EQ(LaserBSegments[14].x, 320);
  EXPECT_EQ(LaserBSegments[27].x, 380);
  EXPECT_EQ(LaserBSegments[27].dx, 6);
  for (float ft : {0.001f, 0.1f}) {
    FrameTime = ft;
    const int y = LaserASegments[1].y;
    const int lx = LaserBSegments[14].x, rx = LaserBSegments[27].x;
    PlayerShotsMove();
    EXPECT_EQ(LaserASegments[1].y, y - 20);
    EXPECT_EQ(LaserASegments[14].y, y - 20);
    EXPECT_EQ(LaserBSegments[14].x, lx - 6);
    EXPECT_EQ(LaserBSegments[27].x, rx + 6);
    EXPECT_EQ(LaserASegments[1].x, 350);
  }
  // Freed once above y -60.
  LaserASegments[1].y = -40;
  LaserASegmentMove(1);
  EXPECT_EQ(LaserASegments[1].active, 1u);  // at -60 still flying
  LaserASegmentMove(1);
  EXPECT_EQ(LaserASegments[1].active, 0u);
  EXPECT_EQ(LaserASegments[1].y, -80);
}

TEST_F(ShotsTest, HoldingTheLaserFillsItsSlotsInGroupsOfThreeEveryFourFrames) {
  SideLaser = 1;
  for (int i = 0; i < 3; ++i) PlayerLaserASchedule();
  EXPECT_TRUE(Active(LaserASegments).empty());
  PlayerLaserASchedule();
  EXPECT_EQ(Active(LaserASegments), (std::set<int>{1, 14, 27}));
  for (int i = 4; i < 48; ++i) PlayerLaserASchedule();
  EXPECT_EQ(LaserACounter, 0);
  std::set<int> want;
  for (int k = 1; k <= 12; ++k) want.insert({k, 13 + k, 26 + k});
  EXPECT_EQ(Active(LaserASegments), want);
  EXPECT_TRUE(Active(LaserBSegments).empty());

  // Without the side laser only the centre stream; the counter carries over
  // a release.
  ResetLaserBSegments();
  SideLaser = 0;
  for (int i = 0; i < 10; ++i) PlayerLaserBSchedule();
  EXPECT_EQ(LaserBCounter, 10);
  EXPECT_EQ(Active(LaserBSegments), (std::set<int>{1, 2}));
  for (int i = 0; i < 38; ++i) PlayerLaserBSchedule();
  EXPECT_EQ(LaserBCounter, 0);
  std::set<int> centre;
  for (int k = 1; k <= 12; ++k) centre.insert(k);
  EXPECT_EQ(Active(LaserBSegments), centre);
}

TEST_F(ShotsTest, FlashAndShotSoundOnlyWithAFreeCentreSlot) {
  StopSounds();
  PlayerLaserAEmit(5, 18, 31);
  EXPECT_EQ(LaserAFlash, 1u);
  EXPECT_TRUE(Playing(SndShot));
  LaserAFlash = 0;
  StopSounds();
  SideLaser = 1;
  PlayerLaserAEmit(5, 18, 31);  // centre still flying: sides only
  EXPECT_EQ(LaserAFlash, 0u);
  EXPECT_FALSE(Playing(SndShot));
  EXPECT_EQ(LaserASegments[18].active, 1u);
  StopSounds();
  PlayerLaserBEmit(5, 18, 31);
  EXPECT_EQ(LaserBFlash, 1u);
  EXPECT_TRUE(Playing(SndShot));
}

TEST_F(ShotsTest, DrawsRaysLasersAndFlashesWithTheLevelsPicturesButNotForShipTypeTwo) {
  PlayerX = 400.0f;
  PlayerY = 400.0f;
  SideLaser = 1;
  ShipRays[3] = {200, 100, 0.0f, 1};
  ShipRays[103] = {260, 100, 0.0f, 1};
  PlayerShotsDraw();
  EXPECT_EQ(Back(195, 95), 0x0801);  // large ray at (x - 5, y - 5)
  EXPECT_EQ(Back(194, 95), 0);
  EXPECT_EQ(Back(260, 100), 0x0802);  // small ray at (x, y)
  EXPECT_EQ(CountBack(0x0801), 30 * 30);
  EXPECT_EQ(CountBack(0x0802), 20 * 20);
  ResetShipRays();

  // Laser A at level 1: segments at y 362, left 385.., centre 400.., right
  // 415..; the flash 70 x 36 at (395, 385).  The blits add up.
  elDraw::ClearScreen();
  PlayerLaserAEmit(1, 14, 27);
  PlayerShotsDraw();
  EXPECT_EQ(Back(386, 363), 0x0807);
  EXPECT_EQ(Back(470, 363), 0x0808);
  EXPECT_EQ(Back(420, 370), 0x0806 + 0x0807 + 0x0808);
  EXPECT_EQ(Back(420, 400), 0x0803 + 0x0806 + 0x0807 + 0x0808);
  EXPECT_EQ(Back(420, 421), 0x0806 + 0x0807 + 0x0808);  // below the flash
  EXPECT_EQ(LaserAFlash, 0u);
  // The flash shows once.
  elDraw::ClearScreen();
  PlayerShotsDraw();
  EXPECT_EQ(Back(420, 400), 0x0806 + 0x0807 + 0x0808);
  // Level 3 has its own laser A pictures.
  elDraw::ClearScreen();
  GameLevel = 3;
  PlayerShotsDraw();
  EXPECT_EQ(Back(386, 363), 0x080A);
  EXPECT_EQ(Back(420, 370), 0x0809 + 0x080A + 0x080B);
  // Level 0 draws nothing of laser A (nor rays).
  elDraw::ClearScreen();
  GameLevel = 0;
  ShipRays[3] = {200, 100, 0.0f, 1};
  PlayerShotsDraw();
  EXPECT_EQ(CountNonBlack(), 0);
  ResetLaserASegments();
  ResetShipRays();

  // Laser B at every level: the wide centre at (x - 30, y), the sides at
  // 370 and 430, its flash at (395, 385).
  elDraw::ClearScreen();
  PlayerLaserBEmit(1, 14, 27);
  PlayerShotsDraw();
  EXPECT_EQ(Back(375, 363), 0x080C + 0x080D);
  EXPECT_EQ(Back(480, 363), 0x080C + 0x080E);
  EXPECT_EQ(Back(489, 363), 0x080C + 0x080E);
  EXPECT_EQ(Back(490, 363), 0);
  EXPECT_EQ(Back(400, 400), 0x0804 + 0x080C + 0x080D);
  EXPECT_EQ(LaserBFlash, 0u);

  // Ship type 2 draws nothing of its shots, at any level.
  elDraw::ClearScreen();
  ShipType = 2;
  GameLevel = 1;
  for (int i = 1; i < ShipRayCount; ++i) ShipRays[i] = {200 + i, 200, 0.0f, 1};
  PlayerLaserAEmit(1, 14, 27);
  PlayerLaserBEmit(1, 14, 27);
  PlayerShotsDraw();
  EXPECT_EQ(CountNonBlack(), 0);
}

// Parking is checked with every table in the reset passes' test; here: the
// laser segments keep their steps, the spare segments park at (0, 0).
TEST_F(ShotsTest, ResetsKeepTheSegmentSteps) {
  LaserASegments[4] = {1, 2, 4, 20, 1};
  SpareSegments3[9] = {1, 2, 3, 4, 1};
  ResetLaserASegments();
  ResetSpareSegments3();
  EXPECT_EQ(LaserASegments[4].dx, 4);
  EXPECT_EQ(LaserASegments[4].dy, 20);
  EXPECT_EQ(LaserASegments[4].active, 0u);
  EXPECT_EQ(Pos(SpareSegments3[9]), XY(0, 0));
  EXPECT_EQ(SpareSegments3[9].dx, 3);
  EXPECT_EQ(SpareSegments3[9].active, 0u);
}

}  // namespace
