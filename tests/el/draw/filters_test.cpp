// The filter and distortion blits.
#include "tests/el/draw/soft_blit_fixture.h"

namespace soft_test {
namespace {

class SoftFilters : public SoftBlitTest {
 protected:
  void SetUp() override {
    SoftBlitTest::SetUp();
    StartScreen({false, 6}, 64, 48);
  }
};

TEST_F(SoftFilters, EdgeSmoothingAveragesOutlinesWithTheBackground) {
  std::vector<uint16_t> dot(25, 0);
  dot[12] = Rgb(30, 25, 10);
  const int32_t pic = Picture(5, 5, dot);
  EXPECT_EQ(1, elDraw::DrawEdgeSmoothed(10, 10, pic, 0, 0, 5, 5));
  std::vector<uint16_t> expected(64 * 48, 0);
  expected[12 * 64 + 12] = Rgb(6, 5, 2);  // itself and four black neighbours
  EXPECT_EQ(expected, BackPixels());
  // Without transparent neighbours the picture is copied.
  const int32_t solid = Picture(3, 3, Rgb(9, 8, 7));
  EXPECT_EQ(1, elDraw::DrawEdgeSmoothed(30, 30, solid, 0, 0, 3, 3));
  EXPECT_EQ(Rgb(9, 8, 7), Back(30, 30));
  EXPECT_EQ(Rgb(9, 8, 7), Back(32, 32));
}

TEST_F(SoftFilters, BoxBlurBoxIsBoundedToTheClippedRectangle) {
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
  EXPECT_EQ((3 + 4 + 7 + 8) / 4, red(0, 10));
  EXPECT_EQ((11 + 12 + 15 + 16) / 4, red(1, 13));
  EXPECT_EQ(0, red(2, 10));
  EXPECT_TRUE(PaddingIntact());
}

TEST_F(SoftFilters, RippleWithoutAmplitudeIsAnOpaqueCopy) {
  std::vector<uint16_t> pixels(6 * 4);
  for (int i = 0; i < 24; ++i) pixels[i] = (i % 5 == 0) ? 0 : static_cast<uint16_t>(100 + i);
  const int32_t pic = Picture(6, 4, pixels);
  for (int step : {1, 0, -3}) {
    FillBack(0xFFFF);
    EXPECT_EQ(1, elDraw::DrawRipple(20, 10, 0, 5, step, 1.0f, 0.0f, pic, 0, 0, 6, 4));
    for (int i = 0; i < 24; ++i) ASSERT_EQ(pixels[i], Back(20 + i % 6, 10 + i / 6)) << step;
  }
  // Step 2 moves only every second column of every second row.
  FillBack(0xFFFF);
  EXPECT_EQ(1, elDraw::DrawRipple(20, 10, 0, 5, 2, 1.0f, 0.0f, pic, 0, 0, 6, 4));
  for (int i = 0; i < 24; ++i) {
    const int x = i % 6, y = i / 6;
    ASSERT_EQ(x % 2 == 0 && y % 2 == 0 ? pixels[i] : 0xFFFF, Back(20 + x, 10 + y));
  }
}

TEST_F(SoftFilters, EdgeSmearModesAndBoundedEdge) {
  const int32_t pic = Counting(5, 4);
  auto src = [](int x, int y) { return static_cast<uint16_t>(y * 5 + x + 1); };
  // Mode 2, edge 0: every row a copy of the first.
  EXPECT_EQ(1, elDraw::DrawEdgeSmear(10, 10, 2, 0, pic, 0, 0, 5, 4));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) ASSERT_EQ(src(x, 0), Back(10 + x, 10 + y));
  // Mode 0, edge 1: column 1 repeated to the right.
  FillBack(0);
  EXPECT_EQ(1, elDraw::DrawEdgeSmear(10, 10, 0, 1, pic, 0, 0, 5, 4));
  for (int x = 0; x < 5; ++x) ASSERT_EQ(src(std::min(x, 1), 2), Back(10 + x, 12));
  // Mode 1 with a negative edge: column 0, also over the back buffer left of
  // the rectangle.
  FillBack(0);
  EXPECT_EQ(1, elDraw::DrawEdgeSmear(10, 10, 1, -5, pic, 0, 0, 5, 4));
  for (int x = 0; x < 15; ++x) ASSERT_EQ(src(std::max(x - 10, 0), 3), Back(x, 13));
  EXPECT_EQ(0, Back(15, 13));
  // Mode 3 with an edge beyond the rectangle: the last row, also above it.
  FillBack(0);
  EXPECT_EQ(1, elDraw::DrawEdgeSmear(10, 10, 3, 1000, pic, 0, 0, 5, 4));
  for (int y = 0; y < 14; ++y) ASSERT_EQ(src(2, 3), Back(12, y));
  EXPECT_EQ(0, Back(9, 0));
  // Other modes lock and draw nothing.
  FillBack(0);
  const uint64_t back = BackLocks();
  EXPECT_EQ(1, elDraw::DrawEdgeSmear(10, 10, 9, 0, pic, 0, 0, 5, 4));
  EXPECT_EQ(back + 1, BackLocks());
  EXPECT_EQ(std::vector<uint16_t>(64 * 48, 0), BackPixels());
  EXPECT_TRUE(PaddingIntact());
}

TEST_F(SoftFilters, DisplacementStaysInsideTheRectangle) {
  const int32_t map = Picture(1, 40, Rgb(31, 0, 0));
  auto fill_column = [&] {
    for (int y = 0; y < 48; ++y) Back(3, y) = static_cast<uint16_t>(y + 1);
  };
  fill_column();
  EXPECT_EQ(1, elDraw::DrawDisplaced(3, 0, 0.0f, map, 0, 0, 1, 40));
  for (int y = 0; y < 48; ++y) ASSERT_EQ(y + 1, Back(3, y));
  for (float strength : {1.0f, 4.0f}) {
    fill_column();
    EXPECT_EQ(1, elDraw::DrawDisplaced(3, 0, strength, map, 0, 0, 1, 40));
    for (int y = 0; y < 48; ++y) ASSERT_EQ(y < 9 ? y + 32 : y + 1, Back(3, y)) << y;
  }
}

}  // namespace
}  // namespace soft_test
