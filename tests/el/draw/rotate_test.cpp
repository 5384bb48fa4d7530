// The rotated blits.
#include <cmath>

#include "tests/el/draw/draw_fixture.h"

namespace draw_test {
namespace {

class SoftRotate : public SoftBlitTest {
 protected:
  void SetUp() override {
    SoftBlitTest::SetUp();
    StartSmall({false, 6}, 64, 48);
  }
  static std::vector<uint16_t> Drawn(int left, int top, int right, int bottom, int angle,
                                     int32_t pic, int sl = 0, int st = 0, int sr = 30,
                                     int sb = 30) {
    FillBack(0);
    EXPECT_EQ(1, elDraw::DrawRotated(left, top, right, bottom, angle, pic, sl, st, sr, sb));
    EXPECT_TRUE(PaddingIntact());
    return Pixels();
  }
  static std::vector<uint16_t> PictureOf(int32_t pic) { return Pixels(SpriteObjects[pic].Surface); }
};

// The rotation written out pixel by pixel, every box pixel tested on its
// own, with source pixels outside the picture counted as transparent: an
// independent check of the per-row runs of DrawRotated.
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
      {3, 4, 47, 42, 0, 0, 30, 30},     // a box bigger than the source
      {20, 20, 40, 36, 0, 0, 30, 30},   // smaller
      {-7, 30, 23, 60, 0, 0, 30, 30},   // cut by the clip on the left and at the bottom
      {15, 5, 45, 41, -4, -3, 26, 33},  // a source rectangle reaching outside the picture
      {5, 5, 36, 34, 2, 3, 21, 28},     // odd sizes
  };
  for (const auto& [l, t, r, b, sl, st, sr, sb] : cases)
    for (int angle = 0; angle < 360; ++angle)
      ASSERT_EQ(Reference(64, 48, l, t, r, b, angle, pixels, 30, 30, sl, st, sr, sb),
                Drawn(l, t, r, b, angle, pic, sl, st, sr, sb))
          << "angle " << angle << " box " << l << "," << t;
}

TEST_F(SoftRotate, QuarterTurnsAndAnglesModulo360) {
  const int32_t pic = Counting(30, 30);
  const auto src = PictureOf(pic);
  const auto turn0 = Drawn(10, 5, 40, 35, 0, pic);
  const auto turn90 = Drawn(10, 5, 40, 35, 90, pic);
  const auto turn180 = Drawn(10, 5, 40, 35, 180, pic);
  for (int i = 0; i < 30; ++i)
    for (int j = 0; j < 30; ++j) {
      const size_t at = (5 + i) * 64 + 10 + j;
      ASSERT_EQ(src[i * 30 + j], turn0[at]);
      // 90: the top edge along the box's left side; the box's top row untouched.
      ASSERT_EQ(i == 0 ? 0 : src[j * 30 + 30 - i], turn90[at]) << j << "," << i;
      // 180: the box's first row and column untouched.
      ASSERT_EQ(i == 0 || j == 0 ? 0 : src[(30 - i) * 30 + 30 - j], turn180[at]);
    }
  // -2147483648 is 232 modulo 360.
  for (auto [reduced, angle] : {std::pair{270, -90}, {10, 370}, {90, 450}, {355, -725},
                                {232, INT32_MIN}})
    EXPECT_EQ(Drawn(10, 5, 40, 35, reduced, pic), Drawn(10, 5, 40, 35, angle, pic)) << angle;
}

TEST_F(SoftRotate, BigBoxCentresAndClipCutsWithoutShifting) {
  const int32_t pic = Counting(30, 30);
  const auto src = PictureOf(pic);
  const auto big = Drawn(5, 2, 45, 42, 0, pic);
  for (int i = 0; i < 40; ++i)
    for (int j = 0; j < 40; ++j) {
      const bool inside = j >= 5 && j < 35 && i >= 5 && i < 35;
      ASSERT_EQ(inside ? src[(i - 5) * 30 + j - 5] : 0, big[(2 + i) * 64 + 5 + j]);
    }
  // Half the box left of ClipLeft: the same picture from ClipLeft on.
  const auto whole = Drawn(10, 5, 40, 35, 33, pic);
  elDraw::SetClip(25, 0, 64, 48);
  const auto cut = Drawn(10, 5, 40, 35, 33, pic);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) ASSERT_EQ(x < 25 ? 0 : whole[y * 64 + x], cut[y * 64 + x]);
  // Entirely right of ClipRight: nothing locked.
  const uint64_t back = BackLocks();
  EXPECT_EQ(1, elDraw::DrawRotated(65, 5, 95, 35, 33, pic, 0, 0, 30, 30));
  EXPECT_EQ(back, BackLocks());
  // A box too big to be a picture is refused.
  EXPECT_EQ(0, elDraw::DrawRotated(0, 0, 100000, 30, 33, pic, 0, 0, 30, 30));
}

TEST_F(SoftRotate, TiledAndScaledMembers) {
  const int32_t pic = Counting(30, 30);
  const auto src = PictureOf(pic);
  // Tiled: the picture repeats, mirrored about its first column and row.
  FillBack(0);
  EXPECT_EQ(1, elDraw::DrawRotatedTiled(0, 0, 60, 40, 0, pic, 0, 0, 30, 30));
  for (int i = 0; i < 40; ++i)
    for (int j = 0; j < 60; ++j)
      ASSERT_EQ(src[(std::abs(i - 5) % 30) * 30 + std::abs(j - 15) % 30], Back(j, i)) << j << "," << i;
  // Scaled by 2 into a box twice the size: every pixel doubled.
  FillBack(0);
  EXPECT_EQ(1, elDraw::DrawRotatedScaled2(0, 0, 60, 48, 0, 2.0f, pic, 0, 0, 30, 30));
  for (int i = 0; i < 48; ++i)
    for (int j = 0; j < 60; ++j) ASSERT_EQ(src[((i + 6) / 2) * 30 + j / 2], Back(j, i)) << j << "," << i;
  // A scale of 0 (or not a number) is refused before anything is locked.
  const uint64_t back = BackLocks();
  EXPECT_EQ(0, elDraw::DrawRotatedScaled2(0, 0, 60, 48, 0, 0.0f, pic, 0, 0, 30, 30));
  EXPECT_EQ(0, elDraw::DrawRotatedTiledScaled(0, 0, 60, 48, 0, NAN, pic, 0, 0, 30, 30));
  EXPECT_EQ(back, BackLocks());
}

TEST_F(SoftRotate, ScaledBlendTintsAndSurvivesAScaleReachingZero) {
  const int32_t pic = Picture(30, 30, Rgb(31, 31, 31));
  EXPECT_EQ(1, elDraw::DrawRotatedScaledBlend(0, 0, 30, 30, 0, 1.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f,
                                              0.5f, pic, 0, 0, 30, 30));
  EXPECT_EQ(Rgb(31, 0, 15), Back(10, 10));
  // Factors outside 0..1 are clamped; the y scale passes through 0 on row 2.
  FillBack(0);
  EXPECT_EQ(1, elDraw::DrawRotatedScaledBlend(0, 0, 30, 30, 45, 1.0f, 0.0f, 1.0f, -0.5f, 7.0f,
                                              -1.0f, 0.5f, pic, 0, 0, 30, 30));
  EXPECT_EQ(Rgb(31, 0, 15), Back(15, 15));
  for (int j = 0; j < 30; ++j) EXPECT_EQ(0, Back(j, 2));
  EXPECT_TRUE(PaddingIntact());
}

}  // namespace
}  // namespace draw_test
