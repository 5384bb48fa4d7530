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

// No step between two windows; past its path a ray keeps its last step.
TEST_F(ShotsTest, RayStepsFollowTheAgeWindowsWithGapsBetweenThem) {
  const struct {
    int slot;
    float age;
    int dx, dy;
  } rows[] = {
      {10, 3.0f, -6, 0},   {10, 3.5f, 0, 0},   {10, 4.0f, -6, -3},  {10, 12.5f, 0, 0},
      {10, 13.0f, 0, -6},  {10, 200.5f, 5, -6}, {60, 28.0f, -5, -6}, {110, 251.0f, 3, -6},
  };
  for (const auto& row : rows) {
    int32_t dx = 99, dy = 99;
    ShipRayStep(row.slot, row.age, &dx, &dy);
    EXPECT_EQ(std::make_pair(dx, dy), std::make_pair(row.dx, row.dy))
        << "slot " << row.slot << " age " << row.age;
  }
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
}

TEST_F(ShotsTest, LasersClimbTwentyPixelsAFrameWhateverTheFrameTime) {
  SideLaser = 1;
  PlayerX = 350.6f;
  PlayerY = 400.9f;
  PlayerLaserAEmit(1, 14, 27);
  PlayerLaserBEmit(1, 14, 27);
  EXPECT_EQ(Pos(LaserASegments[1]), XY(350, 362));
  EXPECT_EQ(LaserBSegments[14].x, 320);
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

}  // namespace
