// The back-buffer effects.
#include <cmath>
#include <set>

#include "tests/el/draw/soft_blit_fixture.h"

namespace soft_test {
namespace {

class BackBufferEffects : public SoftBlitTest {
 protected:
  void SetUp() override {
    SoftBlitTest::SetUp();
    StartScreen({false, 4}, 64, 48);
  }
  // A back buffer of pixels that differ from their neighbours.
  void Scramble() {
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x)
        Back(x, y) = Rgb(static_cast<unsigned>(x * 7 + y) % 32, static_cast<unsigned>(x + y * 3) % 32,
                         static_cast<unsigned>(x * y) % 32);
  }
};

TEST_F(BackBufferEffects, SmokeAndBlurTouchOnlyTheirInnerRows) {
  Scramble();
  const auto before = BackPixels();
  EXPECT_EQ(1, elDraw::NoiseRect(5, 5, 30, 2));
  EXPECT_EQ(1, elDraw::NoiseRect(5, 5, 2, 30));
  EXPECT_EQ(1, elDraw::SmoothRect(5, 5, 2, 30));
  EXPECT_EQ(before, BackPixels());
  // A uniform colour stays itself under the smoke; only rows y+1 .. y+h-2
  // and columns x+1 .. x+w-2 are rewritten.
  FillBack(Rgb(9, 9, 9));
  Back(3, 3) = Rgb(1, 2, 3);
  const auto flat = BackPixels();
  for (int call = 0; call < 5; ++call) EXPECT_EQ(1, elDraw::NoiseRect(10, 10, 20, 20));
  EXPECT_EQ(flat, BackPixels());
  // Running off the bottom of the back buffer is cut, not read beyond it.
  EXPECT_EQ(1, elDraw::NoiseRectColor(1, 0, 0, 0, 30, 64, 18));
  EXPECT_EQ(Rgb(9, 9, 9), Back(10, 30));
  EXPECT_TRUE(PaddingIntact());
}

TEST_F(BackBufferEffects, SmoothingAveragesInPlace) {
  Back(10, 10) = Rgb(31, 31, 31);
  EXPECT_EQ(1, elDraw::SmoothRect(0, 0, 64, 48));
  // (10, 9) is blurred first from the white pixel below it, (9, 10) next, and
  // (10, 10) then from those two already blurred neighbours.
  EXPECT_EQ(Rgb(7, 7, 7), Back(10, 9));
  EXPECT_EQ(Rgb(7, 7, 7), Back(9, 10));
  EXPECT_EQ(Rgb(3, 3, 3), Back(10, 10));
  FillBack(Rgb(10, 10, 10));
  EXPECT_EQ(1, elDraw::SmoothRectEx(1, 0, 0, 20, 20, 10, 10));
  EXPECT_EQ(Rgb(9, 10, 10), Back(21, 21));
  EXPECT_EQ(Rgb(10, 10, 10), Back(20, 21));
}

TEST_F(BackBufferEffects, SparkleAddsShiftedNoise) {
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
  EXPECT_EQ(std::vector<uint16_t>(64 * 48, Rgb(31, 31, 31)), BackPixels());
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

TEST_F(BackBufferEffects, CircleMosaic) {
  Scramble();
  const auto before = BackPixels();
  EXPECT_EQ(1, elDraw::CircleMosaicRect(30, 20, 15, 1));
  EXPECT_EQ(1, elDraw::CircleMosaicRect(30, 20, 15, 0));  // a block of 0 counts as 1
  EXPECT_EQ(1, elDraw::CircleMosaicRect(30, 20, -5, 8));
  EXPECT_EQ(before, BackPixels());
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

TEST_F(BackBufferEffects, ShapeTableGuardsAndDefaults) {
  ASSERT_EQ(1, elDraw::ComputeShape(64, 64, 16, 12, -1, -1, -1, 0, 0, 1));
  const std::vector<uint16_t> eight(&ShapeTable[0][0], &ShapeTable[0][0] + 16 * 12 * 2);
  ASSERT_EQ(1, elDraw::ComputeShape(64, 64, 16, 12, -1, -1, 8, 0, 0, 1));
  EXPECT_EQ(eight, std::vector<uint16_t>(&ShapeTable[0][0], &ShapeTable[0][0] + 16 * 12 * 2));
  ASSERT_EQ(1, elDraw::ComputeShape(64, 64, 16, 12, -1, -1, 1, 0, 0, 1));
  const std::vector<uint16_t> one(&ShapeTable[0][0], &ShapeTable[0][0] + 16 * 12 * 2);
  ASSERT_EQ(1, elDraw::ComputeShape(64, 64, 16, 12, -1, -1, 2, 0, 0, 1));
  EXPECT_EQ(one, std::vector<uint16_t>(&ShapeTable[0][0], &ShapeTable[0][0] + 16 * 12 * 2));
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
}

TEST_F(BackBufferEffects, DrawShapeMapsTheTexture) {
  const int32_t tex = Counting(8, 8);
  ASSERT_EQ(1, elDraw::ComputeShape(8, 8, 4, 3, -1, -1, -1, 0, 0, 0));
  EXPECT_EQ(1, elDraw::DrawShape(5, 5, -3, 11, tex));
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 4; ++c) {
      const int u = (ShapeTable[r * 4 + c][0] + 5) % 8, v = (ShapeTable[r * 4 + c][1] + 3) % 8;
      ASSERT_EQ(v * 8 + u + 1, Back(5 + c, 5 + r));
    }
  // Drawn partly off the back buffer: only the part on it.
  EXPECT_EQ(1, elDraw::DrawShape(62, -1, 0, 0, tex));
  EXPECT_TRUE(PaddingIntact());
  // A texture smaller than the table asks for is refused.
  const int32_t small = Counting(4, 8);
  const uint64_t back = BackLocks();
  EXPECT_EQ(0, elDraw::DrawShape(5, 5, 0, 0, small));
  EXPECT_EQ(back, BackLocks());
}

TEST_F(BackBufferEffects, GlowRays) {
  std::vector<uint16_t> pixels = {0, Rgb(5, 6, 7), Rgb(31, 31, 31), 0};
  const int32_t pic = Picture(2, 2, pixels);
  // No directions, draw 1: a plain keyed copy.
  FillBack(Rgb(1, 1, 1));
  EXPECT_EQ(1, elDraw::DrawGlowRays(10, 10, 0, 0, 0, 0, 1, pic, 0, 0, 2, 2));
  EXPECT_EQ(Rgb(1, 1, 1), Back(10, 10));
  EXPECT_EQ(pixels[1], Back(11, 10));
  EXPECT_EQ(pixels[2], Back(10, 11));
  // A white pixel throws a ray to the right that fades by one step a pixel.
  const int32_t dot = Picture(1, 1, Rgb(31, 31, 31));
  FillBack(0);
  EXPECT_EQ(1, elDraw::DrawGlowRays(10, 10, 0, 0, 0, 0x10, 0, dot, 0, 0, 1, 1));
  const int first = Comp(Back(10, 10))[0];  // 31 - noise - 1
  EXPECT_TRUE(first >= 28 && first <= 30);
  for (int d = 0; d < first; ++d) ASSERT_EQ(first - d, Comp(Back(10 + d, 10))[2]);
  EXPECT_EQ(0, Back(10 + first, 10));
  EXPECT_EQ(0, Back(9, 10));
  EXPECT_EQ(0, Back(10, 11));
  // Rays stop at the clip rectangle; shifts beyond 5 leave nothing.
  FillBack(0);
  elDraw::SetClip(0, 0, 20, 48);
  EXPECT_EQ(1, elDraw::DrawGlowRays(10, 10, 0, 0, 0, 0xFF, 0, dot, 0, 0, 1, 1));
  for (int x = 20; x < 64; ++x) ASSERT_EQ(0, Back(x, 10));
  FillBack(0);
  EXPECT_EQ(1, elDraw::DrawGlowRays(10, 10, 9, 99, 5, 0xFF, 0, dot, 0, 0, 1, 1));
  EXPECT_EQ(std::vector<uint16_t>(64 * 48, 0), BackPixels());
}

TEST_F(BackBufferEffects, ZoomThroughTheBufferObject) {
  Scramble();
  const auto before = BackPixels();
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
}  // namespace soft_test
