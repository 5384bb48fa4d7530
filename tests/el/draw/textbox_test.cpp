// Text boxes: layout, painting, the 2:1 smoothing filter and the reveal.
// Glyph sizes are read from the selected font at run time.
#include <set>
#include <string>

#include "tests/el/draw/draw_fixture.h"

namespace draw_test {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0x0000FF;

class TextBoxTest : public TextTest {
 protected:
  // The caller's side of a paint: a 16-pixel sans-serif font and colours.
  void SetUp() override {
    TextTest::SetUp();
    StartText(800, 600);
    elDraw::SelectFont(1, 16, 0, 0, 0, 0);
    elDraw::SetTextColor(kWhite, kRed, 1);
  }
  void TearDown() override {
    elDraw::DeleteFont();
    TextTest::TearDown();
  }
  static int W(const char* utf8) { return Extent(Sjis(utf8)); }
  static void Paint(int left, int top, int right, int bottom, const char* utf8, uint16_t style = 0) {
    elDraw::PaintTextBox(left, top, right, bottom, Sjis(utf8).c_str(), style);
  }
  static std::pair<int, int> TopLeft(int glyph) {
    return {GlyphRects[glyph].left, GlyphRects[glyph].top};
  }
};

TEST_F(TextBoxTest, GlyphsAreRecordedInReadingOrderAndWrapAtTheRightEdge) {
  const int a = W("あ"), i = W("い"), u = W("う"), e = W("え");
  const int right = 100 + a + i + u;
  Paint(100, 50, right, 400, "あいうえお");
  ASSERT_EQ(GlyphCount, 6);
  EXPECT_TRUE(RectIs(GlyphRects[1], 100, 50, 100 + a, 66));
  EXPECT_TRUE(RectIs(GlyphRects[2], 100 + a, 50, 100 + a + i, 66));
  EXPECT_TRUE(RectIs(GlyphRects[3], 100 + a + i, 50, right, 66));
  EXPECT_TRUE(RectIs(GlyphRects[4], 100, 66, 100 + e, 82));  // "え" starts the next line whole
  EXPECT_TRUE(RectIs(GlyphRects[0], 100, 50, right, 82));
  EXPECT_EQ(NonZero(SpriteObjects[2].Surface, os::Rect{right, 50, right + 40, 66}), 0);
  // Painted and shown at once when called directly.
  EXPECT_GT(NonZero(SpriteObjects[2].Surface, GlyphRects[1]), 10);
  EXPECT_GT(NonZero(BackBuffer, GlyphRects[1]), 10);
  EXPECT_EQ(TextBoxDrawNow, 1u);
  // The caller's DeleteFont still matches: the back buffer holds the font.
  EXPECT_TRUE(BackBuffer->IsDcOut());
  EXPECT_FALSE(SpriteObjects[2].Surface->IsDcOut());
}

TEST_F(TextBoxTest, LineBreakingRules) {
  // A hanging "、" stays on its line, without a record and without growing the box.
  const int a = W("あ"), comma = W("、");
  Paint(100, 50, 100 + 3 * a, 400, "あいう、え");
  ASSERT_EQ(GlyphCount, 5);
  EXPECT_GT(NonZero(SpriteObjects[2].Surface, os::Rect{100 + 3 * a, 50, 100 + 3 * a + comma, 66}),
            0);
  EXPECT_EQ(TopLeft(4), std::pair(100, 66));
  EXPECT_EQ(GlyphRects[0].right, 100 + 3 * a);

  // A double-byte glyph is never split.
  const int la = W("a"), lb = W("b");
  Paint(10, 10, 10 + la + lb + a - 1, 300, "abあc");
  ASSERT_EQ(GlyphCount, 5);
  EXPECT_TRUE(RectIs(GlyphRects[3], 10, 26, 10 + a, 42));
  EXPECT_EQ(GlyphRects[4].left, 10 + a);

  // Line feeds break (and have no record): one empty line between.
  Paint(10, 10, 300, 300, "あ\n\nい");
  ASSERT_EQ(GlyphCount, 3);
  EXPECT_EQ(TopLeft(2), std::pair(10, 42));
  // A lead byte at the very end stands alone.
  elDraw::PaintTextBox(10, 10, 300, 300, (Sjis("あ") + "\x82").c_str(), 0);
  EXPECT_EQ(GlyphCount, 3);

  // The paint stops before a line would reach the bottom.
  Paint(0, 0, 3 * a, 33, "あいうえおかきくけ");  // room for two lines
  EXPECT_EQ(GlyphCount, 7);
  Paint(0, 0, 3 * a, 32, "あいうえおかきくけ");  // the second would touch the limit
  EXPECT_EQ(GlyphCount, 4);

  // A glyph wider than the box still moves on.
  Paint(0, 0, a - 2, 300, "あいう");
  ASSERT_EQ(GlyphCount, 4);
  EXPECT_EQ(GlyphRects[2].top, 16);
  EXPECT_EQ(GlyphRects[3].top, 32);
}

TEST_F(TextBoxTest, StyleGrowsCellsAndLinesWithinOnePaintAndBlackTextIsRaised) {
  const int a = W("あ");
  // A shadow makes each cell a pixel larger, so every line is 17 high.
  Paint(0, 0, 2 * (a + 1), 300, "あいうえ", TextStyleShadow);
  EXPECT_TRUE(RectIs(GlyphRects[1], 0, 0, a + 1, 17));
  EXPECT_EQ(GlyphRects[3].top, 17);
  EXPECT_GT(Count(SpriteObjects[2].Surface, GlyphRects[1], Pixel(kRed)), 0);
  EXPECT_GT(Count(SpriteObjects[2].Surface, GlyphRects[1], Pixel(kWhite)), 0);
  // Extra spacing; with both bolds the cells grow by one each way.
  Paint(0, 0, 2 * (a + 1), 300, "あいうえ", 4 | TextStyleBoldH | TextStyleBoldV);
  EXPECT_TRUE(RectIs(GlyphRects[1], 0, 0, a + 1, 17));
  EXPECT_EQ(GlyphRects[3].top, 20);

  elDraw::SetTextColor(0x000000, 0x0F0F0F, 1);
  Paint(0, 0, 300, 300, "あ", TextStyleShadow);
  EXPECT_EQ(TextColor, 0x101010u);
  EXPECT_EQ(TextBackColor, 0x101010u);
  EXPECT_GT(Count(SpriteObjects[2].Surface, GlyphRects[1], Pixel(0x101010)), 10);
}

TEST_F(TextBoxTest, RecordsStopWhenGlyphRectsIsFull) {
  const std::string many(4000, 'a');
  elDraw::PaintTextBox(0, 0, 800, 600, many.c_str(), 0);
  EXPECT_EQ(GlyphCount, GlyphRectCapacity);
  const os::Rect last = GlyphRects[GlyphRectCapacity - 1];
  // Nothing is painted after the last record.
  EXPECT_EQ(NonZero(SpriteObjects[2].Surface,
                    os::Rect{last.right, last.top, 800, last.bottom}), 0);
  elDraw::DeleteFont();
  elDraw::SelectBufferFont(1, 8);
  elDraw::PaintTextBox2(0, 0, 800, 600, many.c_str(), 0);
  EXPECT_EQ(GlyphCount, GlyphRectCapacity);
  elDraw::DeleteBufferFont();
}

TEST_F(TextBoxTest, RevealShowsOneMoreGlyphPerIntervalOnTheFrameClock) {
  const std::string text = Sjis("あいう");
  elDraw::DrawTextBox(200, 200, 600, 400, text.c_str(), 0);
  elDraw::DeleteFont();
  ASSERT_EQ(GlyphCount, 4);
  EXPECT_EQ(NonZero(BackBuffer, GlyphRects[0]), 0);  // painted, not shown
  EXPECT_EQ(RevealCount, 0);

  elSystem::ResetFrameTime();
  // One step per frame: the first glyph shows after two steps, all three
  // after four, and from the sixth call on the whole box with result 1.
  const int shown[] = {0, 0, 1, 2, 3, 3, 3};
  const int done[] = {0, 0, 0, 0, 0, 1, 1};
  for (int frame = 0; frame < 7; ++frame) {
    os::headless::AdvanceMs(50);
    elSystem::MeasureFrameTime();
    ASSERT_FLOAT_EQ(FrameTime, 0.05f);
    FillBack(0);
    EXPECT_EQ(elDraw::RevealText(0.05f), done[frame]) << frame;
    int glyphs = 0;
    for (int k = 1; k < GlyphCount; ++k) glyphs += NonZero(BackBuffer, GlyphRects[k]) > 0;
    EXPECT_EQ(glyphs, shown[frame]) << frame;
  }
  // Interval 0 shows the whole box at once.
  elDraw::SelectFont(1, 16, 0, 0, 0, 0);
  elDraw::DrawTextBox(200, 200, 600, 400, text.c_str(), 0);
  elDraw::DeleteFont();
  FillBack(0);
  EXPECT_EQ(elDraw::RevealText(0.0f), 1);
  EXPECT_GT(NonZero(BackBuffer, GlyphRects[3]), 0);
}

class SmoothTest : public TextTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    TextTest::SetUp();
    StartText(800, 600, GetParam());
  }
  static int Red(uint16_t p) { return (p >> RedPlace) & 31; }
  static std::array<int, 3> Parts(uint16_t p) {
    return {Red(p), (p >> GreenPlace) & 31, (p >> BluePlace) & 31};
  }
  static uint16_t& Strip(int x, int y) { return SpriteObjects[3].Surface->RawView().Row(y)[x]; }
};

INSTANTIATE_TEST_SUITE_P(Layouts, SmoothTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Rgb555" : "Rgb565"; });

TEST_P(SmoothTest, FilterBlendsEdgesWithTheBackBuffer) {
  const uint16_t text = Rgb(20, 10, 5), under = Rgb(8, 16, 24);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) Strip(x, y) = text;
  Strip(21, 1) = text;  // an isolated pixel
  for (int y = 0; y < 8; ++y)
    for (int x = 40; x < 48; ++x) Strip(x, y) = Rgb(31, 31, 31);
  FillBack(under);

  EXPECT_EQ(elDraw::SmoothTextBox(100, 50, 0, 0, 48, 16), 1);
  // Inside solid text (n = 9): (9 x text + 31) / 8.
  EXPECT_EQ(Parts(FontObject(101, 51)),
            (std::array{(9 * 20 + 31) >> 3, (9 * 10 + 31) >> 3, (9 * 5 + 31) >> 3}));
  // An isolated pixel (n = 1): one eighth text, seven eighths background.
  EXPECT_EQ(Parts(FontObject(110, 50)),
            (std::array{(20 + 31 + 7 * 8) >> 3, (10 + 31 + 7 * 16) >> 3, (5 + 31 + 7 * 24) >> 3}));
  // A corner of the block sees four inked pixels of its 2 x 2 neighbourhood.
  EXPECT_EQ(Red(FontObject(100, 50)), (4 * 20 + 31 + 4 * 8) >> 3);
  // White text caps at 31; no ink leaves the pixel as it was.
  EXPECT_EQ(Red(FontObject(122, 51)), 31);
  EXPECT_EQ(FontObject(115, 55) | FontObject(124, 50), 0);  // (124: outside the 24 x 8 target)
}

TEST_P(SmoothTest, FilterIsCutToTheClipRectangleAndTheSurfaces) {
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) Strip(x, y) = Rgb(31, 0, 0);
  elDraw::SetClip(0, 0, 105, 600);
  EXPECT_EQ(elDraw::SmoothTextBox(100, 0, 0, 0, 40, 4), 1);
  EXPECT_NE(FontObject(104, 0), 0);
  EXPECT_EQ(FontObject(105, 0), 0);
  elDraw::SetClip(102, 0, 800, 600);
  EXPECT_EQ(elDraw::SmoothTextBox(100, 10, 0, 0, 40, 4), 1);
  EXPECT_EQ(FontObject(101, 10), 0);
  EXPECT_NE(FontObject(102, 10), 0);
  // A strip reaching past the Font buffer, and a clip rectangle past the
  // screen, read and write only inside the surfaces.
  elDraw::SetClip(0, 0, 5000, 5000);
  EXPECT_EQ(elDraw::SmoothTextBox(600, 500, 500, 400, 2000, 1600), 1);
  EXPECT_NE(FontObject(650, 550), 0);
  // Entirely left of the clip rectangle: nothing.
  elDraw::SetClip(300, 0, 800, 600);
  EXPECT_EQ(elDraw::SmoothTextBox(0, 300, 0, 0, 40, 4), 1);
  EXPECT_EQ(FontObject(0, 300), 0);
  // A lock that fails: 0, and nothing is left locked.
  elDraw::SetClip(0, 0, 800, 600);
  os::SurfaceTests().fail_locks = 1;
  EXPECT_EQ(elDraw::SmoothTextBox(0, 400, 0, 0, 40, 4), 0);
  EXPECT_FALSE(SpriteObjects[2].Surface->IsLocked());
  EXPECT_FALSE(SpriteObjects[3].Surface->IsLocked());
  EXPECT_FALSE(BackBuffer->IsLocked());
}

TEST_P(SmoothTest, SmoothedPainterLaysOutAtHalfTheBufferSize) {
  elDraw::SelectBufferFont(1, 12);
  elDraw::SetTextColor(kWhite, 0, 1);
  int h2 = 0;
  int w2 = Extent(Sjis("あ"), &h2);
  w2 += w2 & 1;
  h2 += h2 & 1;
  FillBack(0);
  const std::string text = Sjis("あいう");
  // Room for two glyphs on a line.
  const int right = 100 + w2 + w2 / 2;
  elDraw::PaintTextBox2(100, 100, right, 300, text.c_str(), 0);
  ASSERT_EQ(GlyphCount, 4);
  EXPECT_TRUE(RectIs(GlyphRects[1], 100, 100, 100 + w2 / 2, 100 + h2 / 2));
  EXPECT_EQ(GlyphRects[2].left, 100 + w2 / 2);
  EXPECT_EQ(GlyphRects[3].left, 100);
  EXPECT_EQ(GlyphRects[3].top, 100 + std::max(24, h2) / 2);
  // The font is on the Font buffer again for the caller's delete.
  EXPECT_TRUE(SpriteObjects[3].Surface->IsDcOut());
  elDraw::DeleteBufferFont();
  EXPECT_FALSE(SpriteObjects[3].Surface->IsDcOut());

  // Over black, white text gives (n + 1) x 31 / 8 per channel, capped.
  std::set<int> allowed;
  for (int n = 1; n <= 9; ++n) allowed.insert(std::min(31, ((n + 1) * 31) >> 3));
  const os::Rect ink = Box(SpriteObjects[2].Surface, [](uint16_t p) { return p != 0; });
  EXPECT_TRUE(ink.left >= GlyphRects[0].left && ink.right <= GlyphRects[0].right &&
              ink.top >= GlyphRects[0].top && ink.bottom <= GlyphRects[0].bottom);
  int full = 0;
  const os::PixelView v = SpriteObjects[2].Surface->RawView();
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) {
      const uint16_t p = v.Row(y)[x];
      if (p == 0) continue;
      EXPECT_TRUE(allowed.count(Red(p))) << Red(p);
      EXPECT_EQ(Red(p), Parts(p)[1]);
      full += Red(p) == 31;
    }
  EXPECT_GT(full, 0);
  EXPECT_EQ(BackBuffer->RawView().Row(ink.top)[ink.left],
            SpriteObjects[2].Surface->RawView().Row(ink.top)[ink.left]);  // shown at once
}

TEST_P(SmoothTest, AStripLongerThanTheFontBufferIsCut) {
  elDraw::SelectBufferFont(1, 30);
  elDraw::SetTextColor(kWhite, 0, 1);
  const std::string many(300, 'W');
  elDraw::PaintTextBox2(0, 0, 5000, 600, many.c_str(), 0);
  EXPECT_EQ(GlyphCount, 301);
  EXPECT_GT(GlyphRects[0].right, 800);
  elDraw::DeleteBufferFont();
  // A glyph wider than the box stays on its own line instead of being lost.
  elDraw::SelectBufferFont(1, 30);
  const std::string text = Sjis("あい");
  elDraw::PaintTextBox2(0, 0, 10, 600, text.c_str(), 0);
  EXPECT_EQ(GlyphCount, 3);
  EXPECT_EQ(GlyphRects[2].left, 0);
  EXPECT_GT(GlyphRects[2].top, 0);
  elDraw::DeleteBufferFont();
}

}  // namespace
}  // namespace draw_test
