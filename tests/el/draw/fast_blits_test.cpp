// The fast paths of the software blits against their plain rules, on random
// pictures, places, clip rectangles and widths, on both layouts with padded
// rows: the vector row loops of the additive and half-transparent blits
// against the per-pixel table rule, and the rotated blit against its
// per-pixel stepping rule.
#include <random>

#include "el/draw/blend_rows.h"
#include "tests/el/draw/draw_fixture.h"

namespace draw_test {
namespace {

using elDraw::soft::PixelEngine;
using elDraw::soft::RowEngine;

class FastBlits : public SoftBlitTest, public ::testing::WithParamInterface<Layout> {
 protected:
  explicit FastBlits(int width = 96, int height = 64) : kW(width), kH(height) {}
  void SetUp() override {
    SoftBlitTest::SetUp();
    StartSmall(GetParam(), kW, kH);
  }
  void TearDown() override {
    PixelEngine = elDraw::soft::WidestEngine();
    SoftBlitTest::TearDown();
  }
  int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  // Runs of 0 between runs of any other value (in 5-5-5 also values with
  // the top bit set, which have no components).
  int32_t RandomPicture(int w, int h) {
    std::vector<uint16_t> pixels(static_cast<size_t>(w) * h);
    for (size_t i = 0; i < pixels.size();) {
      const int run = Uniform(1, 20);
      const bool clear = Uniform(0, 2) == 0;
      for (int k = 0; k < run && i < pixels.size(); ++k, ++i)
        pixels[i] = clear ? 0 : static_cast<uint16_t>(Uniform(1, 0xFFFF));
    }
    return Picture(w, h, pixels);
  }
  // Every engine this machine runs.
  static std::vector<RowEngine> Engines() {
    std::vector<RowEngine> engines = {RowEngine::Scalar, RowEngine::Vector128};
    for (RowEngine wide : {RowEngine::Vector256, RowEngine::Vector512})
      if (elDraw::soft::WidestEngine() >= wide) engines.push_back(wide);
    return engines;
  }
  void RandomScreen() {
    FillBack(0);
    const os::PixelView v = BackBuffer->RawView();
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) v.Row(y)[x] = static_cast<uint16_t>(Uniform(0, 0xFFFF));
    elDraw::SetClip(Uniform(0, kW / 5), Uniform(0, kH / 4), Uniform(kW * 5 / 8, kW),
                    Uniform(kH * 5 / 8, kH));
  }
  void Restore(const std::vector<uint16_t>& pixels) const {
    const os::PixelView v = BackBuffer->RawView();
    for (int y = 0; y < kH; ++y) std::copy_n(&pixels[static_cast<size_t>(y) * kW], kW, v.Row(y));
  }
  const int kW, kH;
  std::mt19937 rng_{20240531};
};

// Random rectangles of random pictures at random places, clipped at every
// edge: each vector engine (twice: before and after the picture's row
// extents are known) draws what the per-pixel rule draws.
TEST_P(FastBlits, VectorRowsMatchTheTableRule) {
  for (int n = 0; n < 300; ++n) {
    // Every third case up to 90 pixels wide, mostly whole rows: past the
    // two masked steps of 32.
    const bool wide = n % 3 == 0;
    const int w = Uniform(1, wide ? 90 : 40), h = Uniform(1, 12);
    const int32_t pic = RandomPicture(w, h);
    const int left = Uniform(0, wide ? w / 8 : w - 1), top = Uniform(0, h - 1);
    const int right = Uniform(wide ? w - w / 8 : left, w), bottom = Uniform(top, h);
    const int x = Uniform(wide ? -5 : -45, kW), y = Uniform(-12, kH);
    const float strength = static_cast<float>(Uniform(0, 100)) / 100.0f;
    RandomScreen();
    const std::vector<uint16_t> before = Pixels();
    const std::function<int32_t()> blits[] = {
        [&] { return elDraw::DrawAdditive(x, y, pic, left, top, right, bottom); },
        [&] { return elDraw::DrawAdditiveLevel(x, y, strength, pic, left, top, right, bottom); },
        [&] { return elDraw::DrawHalfTransparent(x, y, pic, left, top, right, bottom); },
    };
    for (size_t b = 0; b < std::size(blits); ++b) {
      PixelEngine = RowEngine::Scalar;
      Restore(before);
      ASSERT_EQ(1, blits[b]());
      const std::vector<uint16_t> expected = Pixels();
      for (RowEngine engine : Engines())
        for (int pass = 0; pass < 2; ++pass) {
          PixelEngine = engine;
          Restore(before);
          ASSERT_EQ(1, blits[b]());
          ASSERT_EQ(expected, Pixels()) << "case " << n << " blit " << b << " engine "
                                        << static_cast<int>(engine) << " pass " << pass;
          ASSERT_TRUE(PaddingIntact());
        }
    }
    elDraw::ReleaseObject(pic);
  }
}

// Every pair of components in every channel at once (source x and
// destination y in red and blue, the other way round in green), with the
// bits outside the components set at random (5-6-5's low green bit, 5-5-5's
// top bit, which empties the pixel): the additive blit at full strength and
// darkened, on every engine, draws what the table rule draws.
TEST_P(FastBlits, EveryComponentPairAddsAsTheTableRule) {
  const bool rgb555 = GetParam().rgb555;
  const int green_at = rgb555 ? 5 : 6, red_at = rgb555 ? 10 : 11;
  const uint16_t spare = rgb555 ? 0x8000 : 0x0020;
  auto pixel = [&](int red, int green, int blue) {
    const uint16_t extra = Uniform(0, 3) == 0 ? spare : 0;
    return static_cast<uint16_t>(red << red_at | green << green_at | blue | extra);
  };
  std::vector<uint16_t> source(32 * 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) source[static_cast<size_t>(y) * 32 + x] = pixel(x, y, x);
  const int32_t pic = Picture(32, 32, source);
  FillBack(0);
  const os::PixelView v = BackBuffer->RawView();
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) v.Row(y + 5)[x + 7] = pixel(y, x, y);
  const std::vector<uint16_t> before = Pixels();
  for (float strength : {1.0f, 0.9f, 0.5f, 0.0f}) {
    PixelEngine = RowEngine::Scalar;
    Restore(before);
    ASSERT_EQ(1, elDraw::DrawAdditiveLevel(7, 5, strength, pic, 0, 0, 32, 32));
    const std::vector<uint16_t> expected = Pixels();
    for (RowEngine engine : Engines())
      for (int pass = 0; pass < 2; ++pass) {  // before and after the extents are known
        PixelEngine = engine;
        Restore(before);
        ASSERT_EQ(1, elDraw::DrawAdditiveLevel(7, 5, strength, pic, 0, 0, 32, 32));
        ASSERT_EQ(expected, Pixels()) << "strength " << strength << " engine "
                                      << static_cast<int>(engine) << " pass " << pass;
      }
  }
  elDraw::ReleaseObject(pic);
}

// The rotated blit as its rule reads: every pixel of the box steps (u, v)
// by the angle's cosine and sine and shows the source pixel at the
// truncated quotients by 360, inside the source rectangle and the clip.
void RotatedByTheRule(int left, int top, int right, int bottom, int angle, int32_t pic, int sl,
                      int st, int sr, int sb) {
  const int64_t bw = right - left, bh = bottom - top;
  int64_t w = bw, h = bh, x0 = 0, y0 = 0;
  if (left + w > ClipRight) w = ClipRight - left;
  if (top + h > ClipBottom) h = ClipBottom - top;
  if (left < ClipLeft) x0 = ClipLeft - left;
  if (top < ClipTop) y0 = ClipTop - top;
  if (w < x0 || h < y0) return;
  const os::PixelView src = SpriteObjects[pic].Surface->RawView();
  const os::PixelView dst = BackBuffer->RawView();
  const int64_t sw = sr - sl, sh = sb - st;
  const int64_t cx = bw >> 1, cy = bh >> 1, offx = (bw - sw) >> 1, offy = (bh - sh) >> 1;
  const int a = (angle % 360 + 360) % 360;
  const int64_t sin_a = SineTable[a], cos_a = SineTable[a + 90];
  int64_t u_start = 360 * cx - cx * cos_a + cy * sin_a;
  int64_t v_start = 360 * cy - cx * sin_a - cy * cos_a;
  for (int64_t i = 0; i < bh; ++i, u_start -= sin_a, v_start += cos_a) {
    int64_t u = u_start, v = v_start;
    for (int64_t j = 0; j < bw; ++j, u += cos_a, v += sin_a) {
      const int64_t sx = u / 360 - offx, sy = v / 360 - offy;
      if (sx < 0 || sx >= sw || sy < 0 || sy >= sh || j < x0 || j >= w || i < y0 || i >= h)
        continue;
      const uint16_t p = src.Row(static_cast<int>(st + sy))[sl + sx];
      if (p != 0) dst.Row(static_cast<int>(top + i))[left + j] = p;
    }
  }
}

TEST_P(FastBlits, RotatedMatchesItsRule) {
  for (int n = 0; n < 400; ++n) {
    const int pw = Uniform(1, 40), ph = Uniform(1, 40);
    const int32_t pic = RandomPicture(pw, ph);
    // Mostly a box of the picture's size, as the game draws; else any box
    // (smaller boxes reach the truncation of negative positions).
    const int sl = Uniform(0, pw - 1), st = Uniform(0, ph - 1);
    const int sr = Uniform(sl + 1, pw), sb = Uniform(st + 1, ph);
    const bool own_size = Uniform(0, 1) == 0;
    const int bw = own_size ? sr - sl : Uniform(1, 45), bh = own_size ? sb - st : Uniform(1, 45);
    const int left = Uniform(-40, kW), top = Uniform(-40, kH);
    const int angle = Uniform(-800, 800);
    RandomScreen();
    const std::vector<uint16_t> before = Pixels();
    RotatedByTheRule(left, top, left + bw, top + bh, angle, pic, sl, st, sr, sb);
    const std::vector<uint16_t> expected = Pixels();
    for (RowEngine engine : Engines()) {
      PixelEngine = engine;
      Restore(before);
      ASSERT_EQ(1, elDraw::DrawRotated(left, top, left + bw, top + bh, angle, pic, sl, st, sr, sb));
      ASSERT_EQ(expected, Pixels()) << "case " << n << " angle " << angle << " box " << bw << "x"
                                    << bh << " at " << left << "," << top << " engine "
                                    << static_cast<int>(engine);
      ASSERT_TRUE(PaddingIntact());
    }
    elDraw::ReleaseObject(pic);
  }
}

// Rows of up to 2000 pixels at angles near the axes, where the stepped
// positions have the longest way to drift.
class FastBlitsWide : public FastBlits {
 protected:
  FastBlitsWide() : FastBlits(2000, 6) {}
};

TEST_P(FastBlitsWide, LongRotatedRowsMatchTheRule) {
  const int32_t pic = RandomPicture(1990, 6);
  for (int width : {1990, 995})  // past and below the longest run of the 8-pixel steps
    for (int angle : {1, 2, 89, 91, 179, 181, 269, 271, 359, 358}) {
      RandomScreen();
      elDraw::SetClip(0, 0, kW, kH);
      const std::vector<uint16_t> before = Pixels();
      RotatedByTheRule(3, 0, 8 + width, 6, angle, pic, 0, 0, width, 6);
      const std::vector<uint16_t> expected = Pixels();
      for (RowEngine engine : Engines()) {
        PixelEngine = engine;
        Restore(before);
        ASSERT_EQ(1, elDraw::DrawRotated(3, 0, 8 + width, 6, angle, pic, 0, 0, width, 6));
        ASSERT_EQ(expected, Pixels()) << width << " " << angle << " engine "
                                      << static_cast<int>(engine);
      }
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, FastBlitsWide,
                         ::testing::Values(Layout{false, 6}, Layout{true, 10}), LayoutName);

INSTANTIATE_TEST_SUITE_P(Layouts, FastBlits,
                         ::testing::Values(Layout{false, 6}, Layout{true, 10}), LayoutName);

}  // namespace
}  // namespace draw_test
