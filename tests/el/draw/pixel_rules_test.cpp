// The per-pixel rules of the effect blits at their edge values, on both layouts.
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
  const auto fade3 = WITH((int r, int g, int b), DrawCrossfade2(5, 5, r, g, b, h, 0, 0, 1, 1));
  const auto alpha = WITH((float r, float g, float b), DrawAlphaRGB(5, 5, r, g, b, h, 0, 0, 1, 1));
  const auto bright =
      WITH((float r, float g, float b), DrawBrightnessRGBV(5, 5, r, g, b, h, 0, 0, 1, 1));
  const auto dark = WITH((int k), DrawDarkened(5, 5, k, h, 0, 0, 1, 1));
  const auto mask = WITH((int r, int g, int b), DrawMasked(5, 5, r, g, b, h, 0, 0, 1, 1));
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
      {"additive saturates", add, Rgb(10, 10, 10), Rgb(25, 25, 25), Rgb(31, 31, 31)},
      {"level 0 rewrites reduced", level(0.0f), white, odd, Rgb(c[0], c[1], c[2])},
      {"level not a number", level(NAN), s, d, d},
      {"half", half, Native(21, 13, 9), Native(5, 6, 31), Native(10 + 2, 6 + 3, 4 + 15)},
      {"crossfade per channel", fade3(31, 0, 16), fs, fd, Rgb(20, 30, 16)},
      {"alpha clamped to 1", alpha(1.5f, 7, 100), as, ad, as},
      {"brightness black written", bright(-1, -1, -1), Native(31, gmax, 31), white, 0},
      {"darkened 20", dark(20), ds, 0, Rgb(20, 9, 0)},
      {"masked green and blue", mask(0, -1, 7), n, 0, Native(0, 17, 25)},
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

}  // namespace
}  // namespace draw_test
