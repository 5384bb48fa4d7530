// The filter and distortion blits and the back-buffer effects.
#include <cmath>
#include <set>

#include "tests/el/draw/draw_fixture.h"

namespace draw_test {
namespace {

class SoftEffects : public SoftBlitTest {
 protected:
  void SetUp() override {
    SoftBlitTest::SetUp();
    StartSmall({false, 6}, 64, 48);
  }
  // A back buffer of pixels that differ from their neighbours.
  static void Scramble() {
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x)
        Back(x, y) = Rgb((x * 7 + y) % 32u, (x + y * 3) % 32u, (x * y) % 32u);
  }
};

TEST_F(SoftEffects, EdgeSmoothingAveragesOutlinesWithTheBackground) {
  std::vector<uint16_t> dot(25, 0);
  dot[12] = Rgb(30, 25, 10);
  const int32_t pic = Picture(5, 5, dot);
  EXPECT_EQ(1, elDraw::DrawEdgeSmoothed(10, 10, pic, 0, 0, 5, 5));
  std::vector<uint16_t> expected = Blank();
  expected[12 * 64 + 12] = Rgb(6, 5, 2);  // itself and four black neighbours
  EXPECT_EQ(expected, Pixels());
  // Without transparent neighbours the picture is copied.
  const int32_t solid = Picture(3, 3, Rgb(9, 8, 7));
  EXPECT_EQ(1, elDraw::DrawEdgeSmoothed(30, 30, solid, 0, 0, 3, 3));
  EXPECT_EQ((std::vector{Back(30, 30), Back(32, 32)}), std::vector<uint16_t>(2, Rgb(9, 8, 7)));
}

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

TEST_F(SoftEffects, RippleWithoutAmplitudeIsAnOpaqueCopy) {
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

TEST_F(SoftEffects, EdgeSmearModesAndBoundedEdge) {
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
  EXPECT_EQ(Blank(), Pixels());
  EXPECT_TRUE(PaddingIntact());
}

TEST_F(SoftEffects, DisplacementStaysInsideTheRectangle) {
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

TEST_F(SoftEffects, SmokeAndSmoothing) {
  Scramble();
  const auto before = Pixels();
  EXPECT_EQ(1, elDraw::NoiseRect(5, 5, 30, 2));
  EXPECT_EQ(1, elDraw::NoiseRect(5, 5, 2, 30));
  EXPECT_EQ(1, elDraw::SmoothRect(5, 5, 2, 30));
  EXPECT_EQ(before, Pixels());
  // A uniform colour stays itself under the smoke; only rows y+1 .. y+h-2
  // and columns x+1 .. x+w-2 are rewritten.
  FillBack(Rgb(9, 9, 9));
  Back(3, 3) = Rgb(1, 2, 3);
  const auto flat = Pixels();
  for (int call = 0; call < 5; ++call) EXPECT_EQ(1, elDraw::NoiseRect(10, 10, 20, 20));
  EXPECT_EQ(flat, Pixels());
  // Running off the bottom of the back buffer is cut, not read beyond it.
  EXPECT_EQ(1, elDraw::NoiseRectColor(1, 0, 0, 0, 30, 64, 18));
  EXPECT_EQ(Rgb(9, 9, 9), Back(10, 30));
  EXPECT_TRUE(PaddingIntact());

  // Smoothing averages in place.
  FillBack(0);
  Back(10, 10) = Rgb(31, 31, 31);
  EXPECT_EQ(1, elDraw::SmoothRect(0, 0, 64, 48));
  // (10, 9) is blurred first from the white pixel below it, (9, 10) next, and
  // (10, 10) then from those two already blurred neighbours.
  EXPECT_EQ((std::vector{Rgb(7, 7, 7), Rgb(7, 7, 7), Rgb(3, 3, 3)}),
            (std::vector{Back(10, 9), Back(9, 10), Back(10, 10)}));
  FillBack(Rgb(10, 10, 10));
  EXPECT_EQ(1, elDraw::SmoothRectEx(1, 0, 0, 20, 20, 10, 10));
  EXPECT_EQ((std::vector{Rgb(9, 10, 10), Rgb(10, 10, 10)}),
            (std::vector{Back(21, 21), Back(20, 21)}));
}

TEST_F(SoftEffects, SparkleAddsShiftedNoise) {
  FillBack(Rgb(4, 4, 4));
  EXPECT_EQ(1, elDraw::SparkleRect(3, 0, 0, 64, 10));
  std::set<int> seen;
  for (int x = 0; x < 64; ++x) {
    const auto c = Comp(Back(x, 5));
    ASSERT_TRUE(c[0] == 4 || c[0] == 12 || c[0] == 20) << c[0];
    ASSERT_EQ(c[0], c[1]);
    ASSERT_EQ(c[0], c[2]);
    seen.insert(c[0]);
  }
  EXPECT_EQ(3u, seen.size());
  EXPECT_EQ(Rgb(4, 4, 4), Back(0, 10));
  // White stays white; a huge shift saturates; a negative one adds the plain noise.
  FillBack(Rgb(31, 31, 31));
  EXPECT_EQ(1, elDraw::SparkleRect(3, 0, 0, 64, 48));
  EXPECT_EQ(std::vector<uint16_t>(64 * 48, Rgb(31, 31, 31)), Pixels());
  FillBack(Rgb(4, 4, 4));
  EXPECT_EQ(1, elDraw::SparkleRectColor(1, 0, 0, 99, 0, 0, 64, 1));
  EXPECT_EQ(1, elDraw::SparkleRectColor(0, 1, 0, -2, 0, 1, 64, 1));
  for (int x = 0; x < 64; ++x) {
    const auto top = Comp(Back(x, 0)), next = Comp(Back(x, 1));
    ASSERT_TRUE(top[0] == 4 || top[0] == 31);
    ASSERT_EQ(4, top[1]);
    ASSERT_TRUE(next[1] >= 4 && next[1] <= 6);
    ASSERT_EQ(4, next[0]);
  }
}

TEST_F(SoftEffects, CircleMosaic) {
  Scramble();
  const auto before = Pixels();
  EXPECT_EQ(1, elDraw::CircleMosaicRect(30, 20, 15, 1));
  EXPECT_EQ(1, elDraw::CircleMosaicRect(30, 20, 15, 0));  // a block of 0 counts as 1
  EXPECT_EQ(1, elDraw::CircleMosaicRect(30, 20, -5, 8));
  EXPECT_EQ(before, Pixels());
  // Block 8, radius 40 around (32, 24): the square is cut to the back buffer
  // (offsets from -32 and -24); each block takes its top-left pixel's colour.
  EXPECT_EQ(1, elDraw::CircleMosaicRect(32, 24, 40, 8));
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) {
      const int j = x - 32, i = y - 24;
      const bool inside = static_cast<int>(std::sqrt(double(i * i + j * j))) < 40;
      const int bx = 32 + -32 + ((j + 32) / 8) * 8, by = 24 + -24 + ((i + 24) / 8) * 8;
      ASSERT_EQ(inside ? before[by * 64 + bx] : before[y * 64 + x], Back(x, y)) << x << "," << y;
    }
  EXPECT_TRUE(PaddingIntact());
}

TEST_F(SoftEffects, ShapeTableGuardsDefaultsAndTheTexture) {
  // Sides -1 are taken as 8, fewer than 2 as 2.
  auto table = [] { return std::vector<uint16_t>(&ShapeTable[0][0], &ShapeTable[0][0] + 384); };
  for (auto [given, taken] : {std::pair{-1, 8}, {1, 2}}) {
    ASSERT_EQ(1, elDraw::ComputeShape(64, 64, 16, 12, -1, -1, given, 0, 0, 1));
    const auto first = table();
    ASSERT_EQ(1, elDraw::ComputeShape(64, 64, 16, 12, -1, -1, taken, 0, 0, 1));
    EXPECT_EQ(first, table()) << given;
  }
  // Divisions by zero (at the centre, on the axes) store v = 0; every entry
  // lies inside the texture.
  for (int centre = 0; centre <= 4; ++centre)
    for (int distance = 0; distance <= 7; ++distance)
      for (int depth = 0; depth <= 6; ++depth) {
        ASSERT_EQ(1, elDraw::ComputeShape(40, 30, 9, 9, -1, -1, 5, centre, distance, depth));
        if (centre == 0 && distance != 6) {
          EXPECT_EQ(0, ShapeTable[4 * 9 + 4][1]);
        }
        for (int e = 0; e < 81; ++e) ASSERT_TRUE(ShapeTable[e][0] < 40 && ShapeTable[e][1] < 30);
      }
  // Beyond the table's capacity, or with an empty texture: refused, unchanged.
  EXPECT_EQ(1, elDraw::ComputeShape(64, 64, 640, 480, -1, -1, 8, 0, 0, 0));
  EXPECT_EQ(0, elDraw::ComputeShape(64, 64, 641, 480, -1, -1, 8, 0, 0, 0));
  EXPECT_EQ(0, elDraw::ComputeShape(64, 64, 100000, 100000, -1, -1, 8, 0, 0, 0));
  EXPECT_EQ(0, elDraw::ComputeShape(0, 64, 10, 10, -1, -1, 8, 0, 0, 0));
  EXPECT_EQ(0, elDraw::ComputeShape(64, 64, -10, 10, -1, -1, 8, 0, 0, 0));
  EXPECT_EQ(640, ShapeWidth);
  EXPECT_EQ(480, ShapeHeight);

  // DrawShape maps the texture through the table.
  const int32_t tex = Counting(8, 8);
  ASSERT_EQ(1, elDraw::ComputeShape(8, 8, 4, 3, -1, -1, -1, 0, 0, 0));
  EXPECT_EQ(1, elDraw::DrawShape(5, 5, -3, 11, tex));
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 4; ++c) {
      const int u = (ShapeTable[r * 4 + c][0] + 5) % 8, v = (ShapeTable[r * 4 + c][1] + 3) % 8;
      ASSERT_EQ(v * 8 + u + 1, Back(5 + c, 5 + r));
    }
  // Drawn partly off the locks buffer: only the part on it.
  EXPECT_EQ(1, elDraw::DrawShape(62, -1, 0, 0, tex));
  EXPECT_TRUE(PaddingIntact());
  // A texture smaller than the table asks for is refused.
  const int32_t small = Counting(4, 8);
  const uint64_t locks = BackLocks();
  EXPECT_EQ(0, elDraw::DrawShape(5, 5, 0, 0, small));
  EXPECT_EQ(locks, BackLocks());
}

TEST_F(SoftEffects, GlowRays) {
  std::vector<uint16_t> pixels = {0, Rgb(5, 6, 7), Rgb(31, 31, 31), 0};
  const int32_t pic = Picture(2, 2, pixels);
  // No directions, draw 1: a plain keyed copy.
  FillBack(Rgb(1, 1, 1));
  EXPECT_EQ(1, elDraw::DrawGlowRays(10, 10, 0, 0, 0, 0, 1, pic, 0, 0, 2, 2));
  EXPECT_EQ((std::vector{Rgb(1, 1, 1), pixels[1], pixels[2]}),
            (std::vector{Back(10, 10), Back(11, 10), Back(10, 11)}));
  // A white pixel throws a ray to the right that fades by one step a pixel.
  const int32_t dot = Picture(1, 1, Rgb(31, 31, 31));
  FillBack(0);
  EXPECT_EQ(1, elDraw::DrawGlowRays(10, 10, 0, 0, 0, 0x10, 0, dot, 0, 0, 1, 1));
  const int first = Comp(Back(10, 10))[0];  // 31 - noise - 1
  EXPECT_TRUE(first >= 28 && first <= 30);
  for (int d = 0; d < first; ++d) ASSERT_EQ(first - d, Comp(Back(10 + d, 10))[2]);
  EXPECT_EQ(0, Back(10 + first, 10) | Back(9, 10) | Back(10, 11));
  // Rays stop at the clip rectangle; shifts beyond 5 leave nothing.
  FillBack(0);
  elDraw::SetClip(0, 0, 20, 48);
  EXPECT_EQ(1, elDraw::DrawGlowRays(10, 10, 0, 0, 0, 0xFF, 0, dot, 0, 0, 1, 1));
  for (int x = 20; x < 64; ++x) ASSERT_EQ(0, Back(x, 10));
  FillBack(0);
  EXPECT_EQ(1, elDraw::DrawGlowRays(10, 10, 9, 99, 5, 0xFF, 0, dot, 0, 0, 1, 1));
  EXPECT_EQ(Blank(), Pixels());
}

TEST_F(SoftEffects, ZoomThroughTheBufferObject) {
  Scramble();
  const auto before = Pixels();
  EXPECT_EQ(1, elDraw::ZoomRect2x(4, 6, 5, 4, 0));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(before[(6 + y / 2) * 64 + 4 + x / 2], Back(4 + x, 6 + y));
  // Mode 1: three of every four pixels keep what the Buffer object held.
  os::PixelView buffer = SpriteObjects[0].Surface->RawView();
  for (int y = 0; y < buffer.height; ++y)
    for (int x = 0; x < buffer.width; ++x) buffer.Row(y)[x] = 0x4321;
  Scramble();
  EXPECT_EQ(1, elDraw::ZoomRect4x(0, 0, 3, 2, 1));
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool written = x % 4 < 2 && y % 4 < 2;
      ASSERT_EQ(written ? before[(y / 4) * 64 + x / 4] : 0x4321, Back(x, y)) << x << "," << y;
    }
  // A rectangle bigger than the Buffer object can hold is cut to it.
  EXPECT_EQ(1, elDraw::ZoomRect4x(0, 0, 64, 48, 0));
  EXPECT_TRUE(PaddingIntact());
}

}  // namespace
}  // namespace draw_test
