// The per-pixel rules of the additive, half-transparent and colour effect
// blits, at their edge values, on 5-6-5 and 5-5-5 back buffers with padded
// rows; the gradients.
#include <cmath>
#include <functional>

#include "tests/el/draw/draw_fixture.h"

namespace draw_test {
namespace {

using Draw = std::function<int32_t(int32_t handle)>;

class SoftPixelRule : public SoftBlitTest, public ::testing::WithParamInterface<Layout> {
 protected:
  void SetUp() override {
    SoftBlitTest::SetUp();
    StartSmall(GetParam());
  }
  // One source pixel s drawn over the back-buffer pixel d; the result.
  uint16_t Apply(const Draw& draw, uint16_t s, uint16_t d) {
    if (pixel_ == 0) pixel_ = Picture(1, 1, 0);
    SpriteObjects[pixel_].Surface->RawView().Row(0)[0] = s;
    Back(5, 5) = d;
    EXPECT_EQ(1, draw(pixel_));
    EXPECT_TRUE(PaddingIntact());
    return Back(5, 5);
  }
  int32_t pixel_ = 0;
};

// The one-pixel picture h drawn at (5, 5).
#define AT5(call) Draw([](int32_t h) { return elDraw::call; })
#define WITH(args, call) [] args { return Draw([=](int32_t h) { return elDraw::call; }); }

TEST_P(SoftPixelRule, EdgeValues) {
  const bool is555 = GetParam().rgb555;
  const uint16_t white = static_cast<uint16_t>(WhitePixel), gmax = static_cast<uint16_t>(GreenMax);
  const Draw add = AT5(DrawAdditive(5, 5, h, 0, 0, 1, 1));
  const auto level = WITH((float k), DrawAdditiveLevel(5, 5, k, h, 0, 0, 1, 1));
  const Draw half = AT5(DrawHalfTransparent(5, 5, h, 0, 0, 1, 1));
  const auto fade = WITH((int k), DrawCrossfade(5, 5, k, h, 0, 0, 1, 1));
  const auto fade3 = WITH((int r, int g, int b), DrawCrossfade2(5, 5, r, g, b, h, 0, 0, 1, 1));
  const auto alpha = WITH((float r, float g, float b), DrawAlphaRGB(5, 5, r, g, b, h, 0, 0, 1, 1));
  const auto bright =
      WITH((float r, float g, float b), DrawBrightnessRGBV(5, 5, r, g, b, h, 0, 0, 1, 1));
  const auto dark = WITH((int k), DrawDarkened(5, 5, k, h, 0, 0, 1, 1));
  const auto mask = WITH((int r, int g, int b), DrawMasked(5, 5, r, g, b, h, 0, 0, 1, 1));
  const Draw grey = AT5(DrawGrey(5, 5, h, 0, 0, 1, 1));
  const Draw shadow = AT5(DrawSubtractive(5, 5, h, 0, 0, 1, 1));

  const uint16_t s = Rgb(20, 20, 20), d = Rgb(1, 2, 3), odd = Native(3, 5, 7);
  const uint16_t fs = Rgb(20, 7, 31), fd = Rgb(3, 30, 12);
  const uint16_t as = Native(31, gmax, 10), ad = Native(1, 2, 21);
  const uint16_t ds = Rgb(31, 20, 5), n = Native(9, 17, 25), sd = Rgb(30, 12, 4);
  const auto c = Comp(odd);
  struct Row {
    const char* what;
    Draw draw;
    uint16_t s, d, expected;
  };
  std::vector<Row> rows = {
      {"additive saturates", add, white, Rgb(3, 4, 5), Rgb(31, 31, 31)},
      {"additive saturates", add, Rgb(10, 10, 10), Rgb(25, 25, 25), Rgb(31, 31, 31)},
      {"additive", add, Rgb(1, 2, 3), Rgb(4, 5, 6), Rgb(5, 7, 9)},
      {"additive transparent", add, 0, odd, odd},
      {"level 1", level(1.0f), s, d, Rgb(21, 22, 23)},
      {"level 15", level(0.5f), s, d, Rgb(6, 7, 8)},
      {"level 7", level(0.75f), s, d, Rgb(14, 15, 16)},
      {"level 0 rewrites reduced", level(0.0f), white, odd, Rgb(c[0], c[1], c[2])},
      {"level clamped to 1", level(3.0f), s, d, Rgb(21, 22, 23)},
      {"level clamped to 0", level(-2.0f), s, d, d},
      {"level not a number", level(NAN), s, d, d},
      {"half white", half, white, white, uint16_t(is555 ? 0x7BDE : 0xF7DE)},
      {"half over black", half, Native(21, 13, 9), 0, Native(10, 6, 4)},
      {"half", half, Native(21, 13, 9), Native(5, 6, 31), Native(10 + 2, 6 + 3, 4 + 15)},
      {"half lowest blue", half, 1, 0, 0},
      {"half transparent", half, 0, white, white},
      {"crossfade 31", fade(31), fs, fd, fs},
      {"crossfade 0", fade(0), fs, fd, fd},
      {"crossfade 16 white", fade(16), white, white, Rgb(31, 31, 31)},
      {"crossfade per channel", fade3(31, 0, 16), fs, fd, Rgb(20, 30, 16)},
      {"crossfade clamped high", fade3(40, 99, 1000), fs, fd, fs},
      {"crossfade clamped low", fade3(-3, -1, -1000), fs, fd, fd},
      {"crossfade transparent", fade3(31, 31, 31), 0, fd, fd},
      {"alpha 0.5", AT5(DrawAlpha(5, 5, 0.5f, h, 0, 0, 1, 1)), Native(31, 0, 0), 0,
       Native(15, 0, 0)},
      {"alpha 1", alpha(1, 1, 1), as, ad, as},
      {"alpha 0", alpha(0, 0, 0), as, ad, ad},
      {"alpha per channel", alpha(1, 0, 0.5f), as, ad, Native(31, 2, 15)},
      {"alpha clamped to 1", alpha(1.5f, 7, 100), as, ad, as},
      {"alpha clamped to 0", alpha(-1, -0.5f, NAN), as, ad, ad},
      {"brightness 0.5", AT5(DrawBrightnessV(5, 5, 0.5f, h, 0, 0, 1, 1)), Native(31, gmax, 31),
       0x1234 & 0x7FFF, Native(15, gmax / 2, 15)},
      {"brightness per channel", bright(1, 0, 0.5f), Native(31, gmax, 31), 0, Native(31, 0, 15)},
      {"brightness clamped", bright(2, 2, 2), Native(31, gmax, 31), 0, Native(31, gmax, 31)},
      {"brightness black written", bright(-1, -1, -1), Native(31, gmax, 31), white, 0},
      {"darkened 0", dark(0), ds, white, 0},
      {"darkened 31", dark(31), ds, 0, ds},
      {"darkened 20", dark(20), ds, 0, Rgb(20, 9, 0)},
      {"darkened clamped high", dark(99), ds, 0, ds},
      {"darkened clamped low", dark(-4), ds, white, 0},
      {"darkened per channel", AT5(DrawDarkenedRGB(5, 5, 31, 0, 20, h, 0, 0, 1, 1)), ds, 0,
       Rgb(31, 0, 0)},
      {"grey white", grey, white, 0, Rgb(31, 31, 31)},
      {"grey red", grey, Rgb(31, 0, 0), 0, Rgb(10, 10, 10)},
      {"masked none", mask(0, 0, 0), n, white, 0},
      {"masked red", mask(1, 0, 0), n, 0, Native(9, 0, 0)},
      {"masked green and blue", mask(0, -1, 7), n, 0, Native(0, 17, 25)},
      {"subtractive to 0", shadow, Rgb(31, 0, 0), sd, 0},
      {"subtractive nothing", shadow, Rgb(0, 31, 31), sd, sd},
      {"subtractive", shadow, Rgb(10, 3, 3), sd, Rgb(20, 2, 0)},
  };
  // An opaque pixel rewrites the destination even where the sum is the
  // destination: the 6-bit green loses its lowest bit.
  if (!is555) rows.push_back({"additive rewrites", add, 0x0020, 0x0021, 0x0001});
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(row.expected, Apply(row.draw, row.s, row.d));
  }
}
#undef AT5
#undef WITH

INSTANTIATE_TEST_SUITE_P(Layouts, SoftPixelRule,
                         ::testing::Values(Layout{false, 6}, Layout{true, 10}), LayoutName);

// ---- gradients ----

class SoftGradient : public SoftBlitTest {
 protected:
  void SetUp() override {
    SoftBlitTest::SetUp();
    StartSmall({false, 4}, 96, 48);
  }
  int RedAt(int x, int y) { return Comp(Back(x, y))[0]; }
};

TEST_F(SoftGradient, CrossfadeAlongRowsAndDownTheRows) {
  const int32_t pic = Picture(80, 2, Rgb(31, 31, 31));
  EXPECT_EQ(1, elDraw::DrawCrossfadeGradient(0, 0, 0, 0, 0, 0, 10, 2, pic, 0, 0, 80, 2));
  for (int row = 0; row < 2; ++row)
    for (int p = 0; p < 80; ++p)
      ASSERT_EQ(p < 12 ? 0 : std::min(31, (p - 10) / 2), RedAt(p, row)) << p << "," << row;
  // A step of 0 or less moves on at every position beyond start.
  FillBack(0);
  EXPECT_EQ(1, elDraw::DrawCrossfadeGradient(0, 0, 0, 0, 0, 0, 10, -3, pic, 0, 0, 80, 1));
  EXPECT_EQ((std::vector{RedAt(10, 0), RedAt(11, 0), RedAt(41, 0)}), (std::vector{0, 1, 31}));
  // A negative start is taken as a 16-bit unsigned value: nothing grows.
  FillBack(0);
  EXPECT_EQ(1, elDraw::DrawCrossfadeGradient(0, 0, 0, 0, 0, 0, -1, 1, pic, 0, 0, 80, 1));
  EXPECT_EQ(0, RedAt(79, 0));

  FillBack(0);
  const int32_t column = Picture(2, 40, Rgb(31, 31, 31));
  EXPECT_EQ(1, elDraw::DrawCrossfadeGradient(0, 0, 0, 0, 0, 1, 10, 2, column, 0, 0, 2, 40));
  for (int p = 0; p < 40; ++p) {
    ASSERT_EQ(p < 12 ? 0 : (p - 10) / 2, RedAt(0, p)) << p;
    ASSERT_EQ(RedAt(0, p), RedAt(1, p));
  }
}

TEST_F(SoftGradient, AlphaGrowsByThirtySecondths) {
  const int32_t pic = Picture(48, 1, Native(31, 0, 0));
  EXPECT_EQ(1, elDraw::DrawAlphaGradient(0, 0, 0.0f, 0.0f, 0.0f, 0, 0, 1, pic, 0, 0, 48, 1));
  EXPECT_EQ((std::vector{RedAt(0, 0), RedAt(16, 0), RedAt(32, 0), RedAt(47, 0)}),
            (std::vector{0, 15, 31, 31}));
}

}  // namespace
}  // namespace draw_test
