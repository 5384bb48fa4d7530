// The per-pixel rules of the additive, half-transparent and colour effect
// blits, at their edge values, on 5-6-5 and 5-5-5 back buffers with padded
// rows.
#include <cmath>
#include <functional>

#include "tests/el/draw/soft_blit_fixture.h"

namespace soft_test {
namespace {

using Draw = std::function<int32_t(int32_t handle)>;

class SoftPixelRule : public SoftBlitLayoutTest {
 protected:
  // One source pixel s drawn over the back-buffer pixel d; the result.
  uint16_t Apply(const Draw& draw, uint16_t s, uint16_t d) {
    if (pixel_ == 0) pixel_ = Picture(1, 1, 0);
    SpriteObjects[pixel_].Surface->RawView().Row(0)[0] = s;
    Back(5, 5) = d;
    EXPECT_EQ(1, draw(pixel_));
    EXPECT_TRUE(PaddingIntact());
    return Back(5, 5);
  }
  // A pixel reduced to components and composed again (what every table rule writes).
  static uint16_t Reduced(uint16_t p) {
    const auto c = Comp(p);
    return Rgb(c[0], c[1], c[2]);
  }
  uint16_t white() const { return static_cast<uint16_t>(WhitePixel); }
  int32_t pixel_ = 0;
};

#define AT5(call) [](int32_t h) { return elDraw::call; }

TEST_P(SoftPixelRule, Additive) {
  const Draw add = AT5(DrawAdditive(5, 5, h, 0, 0, 1, 1));
  EXPECT_EQ(Rgb(31, 31, 31), Apply(add, white(), Rgb(3, 4, 5)));
  EXPECT_EQ(Rgb(31, 31, 31), Apply(add, Rgb(10, 10, 10), Rgb(25, 25, 25)));
  EXPECT_EQ(Rgb(5, 7, 9), Apply(add, Rgb(1, 2, 3), Rgb(4, 5, 6)));
  const uint16_t odd = Native(3, 5, 7);
  EXPECT_EQ(odd, Apply(add, 0, odd));  // transparent
  if (!GetParam().rgb555) {
    // An opaque pixel rewrites the destination even where the sum is the
    // destination: the 6-bit green loses its lowest bit.
    EXPECT_EQ(0x0001, Apply(add, 0x0020, 0x0021));
  }
}

TEST_P(SoftPixelRule, AdditiveLevel) {
  auto level = [](float strength) -> Draw {
    return [strength](int32_t h) { return elDraw::DrawAdditiveLevel(5, 5, strength, h, 0, 0, 1, 1); };
  };
  const uint16_t s = Rgb(20, 20, 20), d = Rgb(1, 2, 3);
  EXPECT_EQ(Rgb(21, 22, 23), Apply(level(1.0f), s, d));
  EXPECT_EQ(Rgb(6, 7, 8), Apply(level(0.5f), s, d));    // level 15
  EXPECT_EQ(Rgb(14, 15, 16), Apply(level(0.75f), s, d));  // level 7
  EXPECT_EQ(Reduced(Native(3, 5, 7)), Apply(level(0.0f), white(), Native(3, 5, 7)));
  // Outside 0..1 the strength is clamped before it picks a table level.
  EXPECT_EQ(Rgb(21, 22, 23), Apply(level(3.0f), s, d));
  EXPECT_EQ(d, Apply(level(-2.0f), s, d));
  EXPECT_EQ(d, Apply(level(NAN), s, d));
}

TEST_P(SoftPixelRule, HalfTransparent) {
  const Draw half = AT5(DrawHalfTransparent(5, 5, h, 0, 0, 1, 1));
  EXPECT_EQ(GetParam().rgb555 ? 0x7BDE : 0xF7DE, Apply(half, white(), white()));
  const uint16_t s = Native(21, 13, 9);
  EXPECT_EQ(Native(10, 6, 4), Apply(half, s, 0));
  EXPECT_EQ(Native(10 + 2, 6 + 3, 4 + 15), Apply(half, s, Native(5, 6, 31)));
  EXPECT_EQ(0, Apply(half, 1, 0));  // the lowest blue step halves to nothing
  EXPECT_EQ(white(), Apply(half, 0, white()));
}

TEST_P(SoftPixelRule, Crossfade) {
  auto fade = [](int kr, int kg, int kb) -> Draw {
    return [=](int32_t h) { return elDraw::DrawCrossfade2(5, 5, kr, kg, kb, h, 0, 0, 1, 1); };
  };
  const uint16_t s = Rgb(20, 7, 31), d = Rgb(3, 30, 12);
  EXPECT_EQ(s, Apply(AT5(DrawCrossfade(5, 5, 31, h, 0, 0, 1, 1)), s, d));
  EXPECT_EQ(d, Apply(AT5(DrawCrossfade(5, 5, 0, h, 0, 0, 1, 1)), s, d));
  EXPECT_EQ(Rgb(31, 31, 31), Apply(AT5(DrawCrossfade(5, 5, 16, h, 0, 0, 1, 1)), white(), white()));
  EXPECT_EQ(Rgb(20, 30, 16 + 0), Apply(fade(31, 0, 16), s, d));
  // Levels outside 0..31 are clamped.
  EXPECT_EQ(s, Apply(fade(40, 99, 1000), s, d));
  EXPECT_EQ(d, Apply(fade(-3, -1, -1000), s, d));
  EXPECT_EQ(d, Apply(fade(31, 31, 31), 0, d));
}

TEST_P(SoftPixelRule, Alpha) {
  auto alpha = [](float r, float g, float b) -> Draw {
    return [=](int32_t h) { return elDraw::DrawAlphaRGB(5, 5, r, g, b, h, 0, 0, 1, 1); };
  };
  const uint16_t gmax = static_cast<uint16_t>(GreenMax);
  EXPECT_EQ(Native(15, 0, 0), Apply(AT5(DrawAlpha(5, 5, 0.5f, h, 0, 0, 1, 1)), Native(31, 0, 0), 0));
  const uint16_t s = Native(31, gmax, 10), d = Native(1, 2, 21);
  EXPECT_EQ(s, Apply(alpha(1, 1, 1), s, d));
  EXPECT_EQ(d, Apply(alpha(0, 0, 0), s, d));
  EXPECT_EQ(Native(31, 2, 15), Apply(alpha(1, 0, 0.5f), s, d));
  EXPECT_EQ(s, Apply(alpha(1.5f, 7, 100), s, d));     // clamped to 1
  EXPECT_EQ(d, Apply(alpha(-1, -0.5f, NAN), s, d));  // clamped to 0
}

TEST_P(SoftPixelRule, Brightness) {
  auto bright = [](float r, float g, float b) -> Draw {
    return [=](int32_t h) { return elDraw::DrawBrightnessRGBV(5, 5, r, g, b, h, 0, 0, 1, 1); };
  };
  const uint16_t gmax = static_cast<uint16_t>(GreenMax);
  const uint16_t s = Native(31, gmax, 31);
  EXPECT_EQ(Native(15, gmax / 2, 15), Apply(AT5(DrawBrightnessV(5, 5, 0.5f, h, 0, 0, 1, 1)), s, 0x1234 & 0x7FFF));
  EXPECT_EQ(Native(31, 0, 15), Apply(bright(1, 0, 0.5f), s, 0));
  EXPECT_EQ(s, Apply(bright(2, 2, 2), s, 0));
  EXPECT_EQ(0, Apply(bright(-1, -1, -1), s, white()));  // black written, not skipped
}

TEST_P(SoftPixelRule, DarkenedGreyMaskedSubtractive) {
  const uint16_t s = Rgb(31, 20, 5);
  EXPECT_EQ(0, Apply(AT5(DrawDarkened(5, 5, 0, h, 0, 0, 1, 1)), s, white()));
  EXPECT_EQ(s, Apply(AT5(DrawDarkened(5, 5, 31, h, 0, 0, 1, 1)), s, 0));
  EXPECT_EQ(Rgb(20, 9, 0), Apply(AT5(DrawDarkened(5, 5, 20, h, 0, 0, 1, 1)), s, 0));
  EXPECT_EQ(s, Apply(AT5(DrawDarkened(5, 5, 99, h, 0, 0, 1, 1)), s, 0));
  EXPECT_EQ(0, Apply(AT5(DrawDarkened(5, 5, -4, h, 0, 0, 1, 1)), s, white()));
  EXPECT_EQ(Rgb(31, 0, 0), Apply(AT5(DrawDarkenedRGB(5, 5, 31, 0, 20, h, 0, 0, 1, 1)), s, 0));

  EXPECT_EQ(Rgb(31, 31, 31), Apply(AT5(DrawGrey(5, 5, h, 0, 0, 1, 1)), white(), 0));
  EXPECT_EQ(Rgb(10, 10, 10), Apply(AT5(DrawGrey(5, 5, h, 0, 0, 1, 1)), Rgb(31, 0, 0), 0));

  const uint16_t n = Native(9, 17, 25);
  EXPECT_EQ(0, Apply(AT5(DrawMasked(5, 5, 0, 0, 0, h, 0, 0, 1, 1)), n, white()));
  EXPECT_EQ(Native(9, 0, 0), Apply(AT5(DrawMasked(5, 5, 1, 0, 0, h, 0, 0, 1, 1)), n, 0));
  EXPECT_EQ(Native(0, 17, 25), Apply(AT5(DrawMasked(5, 5, 0, -1, 7, h, 0, 0, 1, 1)), n, 0));

  const Draw shadow = AT5(DrawSubtractive(5, 5, h, 0, 0, 1, 1));
  const uint16_t d = Rgb(30, 12, 4);
  EXPECT_EQ(0, Apply(shadow, Rgb(31, 0, 0), d));
  EXPECT_EQ(d, Apply(shadow, Rgb(0, 31, 31), d));
  EXPECT_EQ(Rgb(20, 2, 0), Apply(shadow, Rgb(10, 3, 3), d));
}

INSTANTIATE_TEST_SUITE_P(Layouts, SoftPixelRule,
                         ::testing::Values(Layout{false, 6}, Layout{true, 10}), LayoutName);

// ---- gradients ----

class SoftGradient : public SoftBlitTest {
 protected:
  void SetUp() override {
    SoftBlitTest::SetUp();
    StartScreen({false, 4}, 96, 48);
  }
  // The red component along back-buffer row y (or down column x).
  int RedAt(int x, int y) { return Comp(Back(x, y))[0]; }
};

TEST_F(SoftGradient, CrossfadeAlongRowsStartsAfresh) {
  const int32_t pic = Picture(80, 2, Rgb(31, 31, 31));
  EXPECT_EQ(1, elDraw::DrawCrossfadeGradient(0, 0, 0, 0, 0, 0, 10, 2, pic, 0, 0, 80, 2));
  for (int row = 0; row < 2; ++row)
    for (int p = 0; p < 80; ++p) {
      const int expected = p < 12 ? 0 : std::min(31, (p - 10) / 2);
      ASSERT_EQ(expected, RedAt(p, row)) << "column " << p << " row " << row;
    }
  // A step of 0 or less moves on at every position beyond start.
  FillBack(0);
  EXPECT_EQ(1, elDraw::DrawCrossfadeGradient(0, 0, 0, 0, 0, 0, 10, -3, pic, 0, 0, 80, 1));
  EXPECT_EQ(0, RedAt(10, 0));
  EXPECT_EQ(1, RedAt(11, 0));
  EXPECT_EQ(31, RedAt(41, 0));
  // A negative start is taken as a 16-bit unsigned value: nothing grows.
  FillBack(0);
  EXPECT_EQ(1, elDraw::DrawCrossfadeGradient(0, 0, 0, 0, 0, 0, -1, 1, pic, 0, 0, 80, 1));
  EXPECT_EQ(0, RedAt(79, 0));
}

TEST_F(SoftGradient, CrossfadeDownTheRows) {
  const int32_t pic = Picture(2, 40, Rgb(31, 31, 31));
  EXPECT_EQ(1, elDraw::DrawCrossfadeGradient(0, 0, 0, 0, 0, 1, 10, 2, pic, 0, 0, 2, 40));
  for (int p = 0; p < 40; ++p) {
    ASSERT_EQ(p < 12 ? 0 : (p - 10) / 2, RedAt(0, p)) << p;
    ASSERT_EQ(RedAt(0, p), RedAt(1, p));
  }
}

TEST_F(SoftGradient, AlphaGrowsByThirtySecondths) {
  const int32_t pic = Picture(48, 1, Native(31, 0, 0));
  EXPECT_EQ(1, elDraw::DrawAlphaGradient(0, 0, 0.0f, 0.0f, 0.0f, 0, 0, 1, pic, 0, 0, 48, 1));
  EXPECT_EQ(0, RedAt(0, 0));
  EXPECT_EQ(15, RedAt(16, 0));
  EXPECT_EQ(31, RedAt(32, 0));
  EXPECT_EQ(31, RedAt(47, 0));
}

}  // namespace
}  // namespace soft_test
