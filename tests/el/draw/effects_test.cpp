// The filter, distortion and rotated blits.
#include <cmath>

#include "tests/el/draw/draw_fixture.h"

namespace draw_test {
namespace {

class SoftEffects : public SoftBlitTest {
 protected:
  void SetUp() override {
    SoftBlitTest::SetUp();
    StartSmall({false, 6}, 64, 48);
  }
};

TEST_F(SoftEffects, BoxBlurBoxIsBoundedToTheClippedRectangle) {
  std::vector<uint16_t> ramp(16);
  for (int i = 0; i < 16; ++i) ramp[i] = Rgb(static_cast<unsigned>(i + 1), 0, 0);
  const int32_t pic = Picture(4, 4, ramp);
  auto red = [&](int x, int y) { return Comp(Back(x, y))[0]; };
  // n = 1 copies; n = 0 is taken as 1.
  for (int n : {1, 0, -7}) {
    FillBack(0);
    EXPECT_EQ(1, elDraw::DrawBoxBlur(10, 10, n, pic, 0, 0, 4, 4));
    for (int i = 0; i < 16; ++i) ASSERT_EQ(i + 1, red(10 + i % 4, 10 + i / 4)) << n;
  }
  // A box bigger than the rectangle is the whole rectangle.
  EXPECT_EQ(1, elDraw::DrawBoxBlur(10, 10, 100, pic, 0, 0, 4, 4));
  for (int i = 0; i < 16; ++i) ASSERT_EQ(136 / 16, red(10 + i % 4, 10 + i / 4));
  // Half the picture left of the clip: the box stays in the two visible columns.
  FillBack(0);
  EXPECT_EQ(1, elDraw::DrawBoxBlur(-2, 10, 100, pic, 0, 0, 4, 4));
  EXPECT_EQ((std::vector{(3 + 4 + 7 + 8) / 4, (11 + 12 + 15 + 16) / 4, 0}),
            (std::vector{red(0, 10), red(1, 13), red(2, 10)}));
  EXPECT_TRUE(PaddingIntact());
}

// Modes 0 and 2 run the edge column (row) on past the picture to the clip
// rectangle's edge; modes 1 and 3 stay inside the source rectangle.
TEST_F(SoftBlitTest, EdgeSmearRunsOnToTheClipEdge) {
  StartSmall({false, 6}, 800, 600);
  const int32_t row = Picture(4, 1, {0x1111, 0x2222, 0x3333, 0x4444});
  const int32_t column = Picture(1, 4, {0x1111, 0x2222, 0x3333, 0x4444});
  elDraw::SetClip(0, 0, 800, 600);
  FillBack(7);
  EXPECT_EQ(1, elDraw::DrawEdgeSmear(0, 0, 0, 1, row, 0, 0, 4, 1));
  EXPECT_EQ(0x1111, Back(0, 0));
  for (int x = 1; x < 800; ++x) ASSERT_EQ(0x2222, Back(x, 0)) << x;
  EXPECT_EQ(7, Back(0, 1));
  FillBack(7);
  EXPECT_EQ(1, elDraw::DrawEdgeSmear(0, 0, 2, 1, column, 0, 0, 1, 4));
  EXPECT_EQ(0x1111, Back(0, 0));
  for (int y = 1; y < 600; ++y) ASSERT_EQ(0x2222, Back(0, y)) << y;
  EXPECT_EQ(7, Back(1, 0));
  // The clip rectangle ends the smear; an edge past the picture reads its
  // last column.
  elDraw::SetClip(0, 0, 300, 600);
  FillBack(7);
  EXPECT_EQ(1, elDraw::DrawEdgeSmear(10, 5, 0, 50, row, 0, 0, 4, 1));
  EXPECT_EQ((std::vector<uint16_t>{7, 0x1111, 0x4444, 0x4444, 7}),
            (std::vector<uint16_t>{Back(9, 5), Back(10, 5), Back(13, 5), Back(299, 5),
                                   Back(300, 5)}));
  // Mode 1 is not widened.
  FillBack(7);
  EXPECT_EQ(1, elDraw::DrawEdgeSmear(10, 5, 1, 1, row, 0, 0, 4, 1));
  EXPECT_EQ((std::vector<uint16_t>{0x2222, 0x2222, 0x3333, 0x4444, 7}),
            (std::vector<uint16_t>{Back(0, 5), Back(11, 5), Back(12, 5), Back(13, 5),
                                   Back(14, 5)}));
  EXPECT_TRUE(PaddingIntact());
}

TEST_F(SoftEffects, ShapeTableGuardsAndTheTexture) {
  // Divisions by zero (at the centre, on the axes) store v = 0; every entry
  // lies inside the texture.
  for (int centre = 0; centre <= 4; ++centre) {
    ASSERT_EQ(1, elDraw::ComputeShape(40, 30, 9, 9, -1, -1, 5, centre, 7, 6));
    for (int e = 0; e < 81; ++e) ASSERT_TRUE(ShapeTable[e][0] < 40 && ShapeTable[e][1] < 30);
  }
  ASSERT_EQ(1, elDraw::ComputeShape(40, 30, 9, 9, -1, -1, 5, 0, 0, 0));
  EXPECT_EQ(0, ShapeTable[4 * 9 + 4][1]);
  // Beyond the table's capacity, or with an empty texture: refused, unchanged.
  EXPECT_EQ(1, elDraw::ComputeShape(64, 64, 640, 480, -1, -1, 8, 0, 0, 0));
  EXPECT_EQ(0, elDraw::ComputeShape(64, 64, 641, 480, -1, -1, 8, 0, 0, 0));
  EXPECT_EQ(0, elDraw::ComputeShape(0, 64, 10, 10, -1, -1, 8, 0, 0, 0));
  EXPECT_EQ(0, elDraw::ComputeShape(64, 64, -10, 10, -1, -1, 8, 0, 0, 0));
  EXPECT_EQ(640, ShapeWidth);
  const int32_t tex = Counting(8, 8);
  ASSERT_EQ(1, elDraw::ComputeShape(8, 8, 4, 3, -1, -1, -1, 0, 0, 0));
  // Drawn partly off the locks buffer: only the part on it.
  EXPECT_EQ(1, elDraw::DrawShape(62, -1, 0, 0, tex));
  EXPECT_TRUE(PaddingIntact());
  // A texture smaller than the table asks for is refused.
  const int32_t small = Counting(4, 8);
  const uint64_t locks = BackLocks();
  EXPECT_EQ(0, elDraw::DrawShape(5, 5, 0, 0, small));
  EXPECT_EQ(locks, BackLocks());
}

// The rotated blits.
class SoftRotate : public SoftEffects {
 protected:
  static std::vector<uint16_t> Drawn(int left, int top, int right, int bottom, int angle,
                                     int32_t pic) {
    FillBack(0);
    EXPECT_EQ(1, elDraw::DrawRotated(left, top, right, bottom, angle, pic, 0, 0, 30, 30));
    EXPECT_TRUE(PaddingIntact());
    return Pixels();
  }
};

TEST_F(SoftRotate, AnglesReduceModulo360) {
  const int32_t pic = Counting(30, 30);
  // -2147483648 is 232 modulo 360.
  for (auto [reduced, angle] : {std::pair{270, -90}, {10, 370}, {90, 450}, {355, -725},
                                {232, INT32_MIN}})
    EXPECT_EQ(Drawn(10, 5, 40, 35, reduced, pic), Drawn(10, 5, 40, 35, angle, pic)) << angle;
}

TEST_F(SoftRotate, AScaleOfZeroIsRefused) {
  const int32_t pic = Counting(30, 30);
  // A scale of 0 (or not a number) is refused before anything is locked.
  const uint64_t back = BackLocks();
  EXPECT_EQ(0, elDraw::DrawRotatedScaled2(0, 0, 60, 48, 0, 0.0f, pic, 0, 0, 30, 30));
  EXPECT_EQ(0, elDraw::DrawRotatedTiledScaled(0, 0, 60, 48, 0, NAN, pic, 0, 0, 30, 30));
  EXPECT_EQ(back, BackLocks());
}

}  // namespace
}  // namespace draw_test
