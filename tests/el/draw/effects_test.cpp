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

TEST_F(SoftEffects, EdgeSmearModesAndBoundedEdge) {
  const int32_t pic = Counting(5, 4);
  auto src = [](int x, int y) { return static_cast<uint16_t>(y * 5 + x + 1); };
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
  EXPECT_TRUE(PaddingIntact());
}

TEST_F(SoftEffects, ShapeTableGuardsAndTheTexture) {
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
                                     int32_t pic, int sl = 0, int st = 0, int sr = 30,
                                     int sb = 30) {
    FillBack(0);
    EXPECT_EQ(1, elDraw::DrawRotated(left, top, right, bottom, angle, pic, sl, st, sr, sb));
    EXPECT_TRUE(PaddingIntact());
    return Pixels();
  }
};

// The rotation pixel by pixel: an independent check of DrawRotated's row runs.
std::vector<uint16_t> Reference(int back_w, int back_h, int left, int top, int right, int bottom,
                                int angle, const std::vector<uint16_t>& pic, int pw, int ph,
                                int sl, int st, int sr, int sb) {
  std::vector<uint16_t> out(static_cast<size_t>(back_w) * back_h, 0);
  const int a = ((angle % 360) + 360) % 360;
  const int sin_a = SineTable[a], cos_a = SineTable[a + 90];
  const int bw = right - left, bh = bottom - top, sw = sr - sl, sh = sb - st;
  int w = bw, h = bh, x0 = 0, y0 = 0;
  if (left + w > ClipRight) w = ClipRight - left;
  if (top + h > ClipBottom) h = ClipBottom - top;
  if (left < ClipLeft) x0 = ClipLeft - left;
  if (top < ClipTop) y0 = ClipTop - top;
  const int cx = bw >> 1, cy = bh >> 1, offx = (bw - sw) >> 1, offy = (bh - sh) >> 1;
  int u_start = 360 * cx - cx * cos_a + cy * sin_a;
  int v_start = 360 * cy - cx * sin_a - cy * cos_a;
  for (int i = 0; i < bh; ++i) {
    int u = u_start, v = v_start;
    for (int j = 0; j < bw; ++j) {
      const int sx = u / 360 - offx, sy = v / 360 - offy;
      if (sx >= 0 && sx < sw && sy >= 0 && sy < sh && j >= x0 && j < w && i >= y0 && i < h) {
        const int px = sl + sx, py = st + sy;
        if (px >= 0 && px < pw && py >= 0 && py < ph && pic[py * pw + px] != 0)
          out[(top + i) * back_w + left + j] = pic[py * pw + px];
      }
      u += cos_a;
      v += sin_a;
    }
    u_start -= sin_a;
    v_start += cos_a;
  }
  return out;
}

TEST_F(SoftRotate, MatchesThePixelByPixelRotationAtEveryAngle) {
  std::vector<uint16_t> pixels(30 * 30);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = (i % 7 == 3) ? 0 : uint16_t(i + 1);
  const int32_t pic = Picture(30, 30, pixels);
  elDraw::SetClip(2, 1, 60, 45);
  const std::array<int, 8> cases[] = {
      // left, top, right, bottom; the source rectangle
      {10, 8, 40, 38, 0, 0, 30, 30},    // the game's use: a box of the picture's size
      {-7, 30, 23, 60, 0, 0, 30, 30},   // cut by the clip on the left and at the bottom
      {15, 5, 45, 41, -4, -3, 26, 33},  // a source rectangle reaching outside the picture
  };
  for (const auto& [l, t, r, b, sl, st, sr, sb] : cases)
    for (int angle = 0; angle < 360; ++angle)
      ASSERT_EQ(Reference(64, 48, l, t, r, b, angle, pixels, 30, 30, sl, st, sr, sb),
                Drawn(l, t, r, b, angle, pic, sl, st, sr, sb))
          << "angle " << angle << " box " << l << "," << t;
}

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
