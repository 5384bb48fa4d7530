// The bosses' draws: the picture (the third boss's is the library's buffer
// object, handle 0), the damage flames from 90 and 70 hit points down with
// the flame clock, and the lock marks of every record of both arrays.
#include <gtest/gtest.h>

#include "stages/stage1/boss1_body.h"
#include "stages/stage3/boss3_body.h"
#include "tests/enemies/enemy_fixture.h"
#include "tests/stages/move_bands.h"

namespace {

using enemy_test::CellColour;

constexpr uint16_t kBoss = 0x2001;

// Flame cell f, in the colours of the fixture's ZBAK3B (picture 2).
uint16_t Flame(int f) { return CellColour(2, f); }

struct BossCase {
  const char* name;
  void (*draw)();
  BossState* boss;
  BossLockPoints<3>* points;
  int32_t height;           // of the picture
  int32_t first_dy, second_dy;  // of the flames from 90 and from 70 down
};

const BossCase kBosses[] = {
    {"Boss1", Boss1Draw, &Boss1State, &Boss1LockPoints, 360, 50, 100},
    {"Boss3", Boss3Draw, &Boss3State, &Boss3LockPoints, 380, 70, 20},
};

class BossBodyTest : public enemy_test::EnemyTest {
 protected:
  void SetUp() override {
    EnemyTest::SetUp();
    const int32_t picture = Solid(440, 380, kBoss);
    ImgBoss11 = picture;
    ASSERT_EQ(ImgBoss3, 0);  // nothing loads it: the buffer object
    elDraw::SetClip(0, 0, 800, 600);
    elDraw::DrawObjectOpaqueTo(0, 0, 0, picture, 0, 0, 440, 380);
    elDraw::SetClip(180, 0, 620, 600);
    ImgZbak4b = Sprite(800, 80, [](int x, int) { return Flame(x / 80); });
  }
  void TearDown() override {
    ImgBoss11 = ImgZbak4b = 0;
    EnemyTest::TearDown();
  }
};

TEST_F(BossBodyTest, PictureAndFlamesFromNinetyAndSeventyDown) {
  for (const BossCase& c : kBosses) {
    for (const stage_test::FlameRow& row : stage_test::kFlameRows) {
      SCOPED_TRACE(testing::Message() << c.name << " " << row.hp);
      elDraw::ClearScreen();
      c.boss->x = 180.4f;
      c.boss->y = 0.0f;
      c.boss->hitPoints = row.hp;
      c.boss->defeatTimer = 0.0f;
      c.boss->flameFrame = 2;
      c.boss->hit = 1;
      c.draw();
      // Cell 2, 56 px below the start points (each 80 x 80; looked at inside).
      EXPECT_EQ(Back(180 + 140 + 40, c.first_dy + 56 + 40) == Flame(2), row.first);
      EXPECT_EQ(Back(180 + 220 + 40, c.first_dy + 56 + 40) == Flame(2), row.first);
      EXPECT_EQ(Back(180 + 60 + 40, c.second_dy + 56 + 40) == Flame(2), row.second);
      EXPECT_EQ(Back(180 + 300 + 40, c.second_dy + 56 + 40) == Flame(2), row.second);
      EXPECT_EQ(Back(190, c.height - 1), kBoss);
      EXPECT_EQ(Back(190, c.height), 0u);  // the picture's own height, no more
      EXPECT_EQ(c.boss->hit, 0u);          // taken, and nothing else shows
      EXPECT_EQ(c.boss->hitShown, 1u);
      EXPECT_EQ(c.boss->flameFrame, 3);
    }
    c.boss->flameFrame = 9;
    c.boss->flameLoop = 4;
    c.draw();
    EXPECT_EQ(c.boss->flameFrame, 0) << c.name;
    EXPECT_EQ(c.boss->flameLoop, 0) << c.name;
  }
}

// Both arrays hold three records (not the four a mark loop might assume):
// all six are marked where they lie, and nothing past them is read.
TEST_F(BossBodyTest, LockMarksOfEveryRecordOfBothArrays) {
  static_assert(std::size(Boss1LockPoints.A) == 3 && std::size(Boss1LockPoints.B) == 3);
  static_assert(std::size(Boss3LockPoints.A) == 3 && std::size(Boss3LockPoints.B) == 3);
  const uint16_t mark = CellColour(4, 0);  // ROCK1
  for (const BossCase& c : kBosses) {
    SCOPED_TRACE(c.name);
    for (int i = 0; i < 3; ++i) {
      c.points->A[i] = {200 + 70 * i, 400, 1, 0};
      c.points->B[i] = {200 + 70 * i, 480, i == 1 ? 0u : 1u, 0};
    }
    elDraw::ClearScreen();
    c.draw();  // the boss parked off the screen: the marks alone show
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(Back(230 + 70 * i, 430), mark) << "A" << i;
      EXPECT_EQ(Back(230 + 70 * i, 510) == mark, i != 1) << "B" << i;
    }
    EXPECT_EQ(CountBack(mark), 5 * 3600);
  }
}

}  // namespace
