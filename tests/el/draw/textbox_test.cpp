// Text boxes: layout, painting, the 2:1 smoothing filter and the reveal.
// Glyph sizes are read from the selected font at run time.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/el/draw/text_fixture.h"

namespace {

using text_test::Sjis;

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0x0000FF;

void ExpectRect(const os::Rect& r, int left, int top, int right, int bottom) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, right);
  EXPECT_EQ(r.bottom, bottom);
}

class TextBoxTest : public text_test::TextScreenTest {
 protected:
  void SetUp() override {
    TextScreenTest::SetUp();
    StartScreen(800, 600);
    Select();
  }
  void TearDown() override {
    elDraw::DeleteFont();
    TextScreenTest::TearDown();
  }
  // The caller's side of a paint: a 16-pixel sans-serif font and colours.
  void Select(uint32_t text = kWhite, uint32_t back = kRed) {
    elDraw::SelectFont(1, 16, 0, 0, 0, 0);
    elDraw::SetTextColor(text, back, 1);
  }
  int W(const char* utf8) { return Extent(Sjis(utf8)); }
  void Paint(int left, int top, int right, int bottom, const char* utf8, uint16_t style = 0) {
    const std::string text = Sjis(utf8);
    elDraw::PaintTextBox(left, top, right, bottom, text.c_str(), style);
  }
};

TEST_F(TextBoxTest, GlyphsAreRecordedInReadingOrderAndWrapAtTheRightEdge) {
  const int a = W("あ"), i = W("い"), u = W("う"), e = W("え");
  const int right = 100 + a + i + u;
  Paint(100, 50, right, 400, "あいうえお");
  ASSERT_EQ(GlyphCount, 6);
  ExpectRect(GlyphRects[1], 100, 50, 100 + a, 66);
  ExpectRect(GlyphRects[2], 100 + a, 50, 100 + a + i, 66);
  ExpectRect(GlyphRects[3], 100 + a + i, 50, right, 66);
  ExpectRect(GlyphRects[4], 100, 66, 100 + e, 82);  // "え" starts the next line whole
  ExpectRect(GlyphRects[0], 100, 50, right, 82);
  EXPECT_EQ(NonZero(SpriteObjects[2].Surface, os::Rect{right, 50, right + 40, 66}), 0);
  // Painted and shown at once when called directly.
  EXPECT_GT(NonZero(SpriteObjects[2].Surface, GlyphRects[1]), 10);
  EXPECT_GT(NonZero(BackBuffer, GlyphRects[1]), 10);
  EXPECT_EQ(TextBoxDrawNow, 1u);
  // The caller's DeleteFont still matches: the back buffer holds the font.
  EXPECT_TRUE(BackBuffer->IsDcOut());
  EXPECT_FALSE(SpriteObjects[2].Surface->IsDcOut());
}

TEST_F(TextBoxTest, AHangingCommaStaysOnItsLine) {
  const int a = W("あ"), comma = W("、");
  const int right = 100 + 3 * a;
  Paint(100, 50, right, 400, "あいう、え");
  ASSERT_EQ(GlyphCount, 5);  // no record for the hanging comma
  EXPECT_GT(NonZero(SpriteObjects[2].Surface, os::Rect{right, 50, right + comma, 66}), 0);
  EXPECT_EQ(GlyphRects[4].left, 100);
  EXPECT_EQ(GlyphRects[4].top, 66);
  EXPECT_EQ(GlyphRects[0].right, right);  // the box does not grow for it
}

TEST_F(TextBoxTest, DoubleByteGlyphsAreNeverSplitAndLineFeedsBreak) {
  const int a = W("a"), b = W("b"), ja = W("あ");
  Paint(10, 10, 10 + a + b + ja - 1, 300, "abあc");
  ASSERT_EQ(GlyphCount, 5);
  ExpectRect(GlyphRects[3], 10, 26, 10 + ja, 42);
  EXPECT_EQ(GlyphRects[4].left, 10 + ja);

  Paint(10, 10, 300, 300, "あ\n\nい");
  ASSERT_EQ(GlyphCount, 3);  // line feeds have no record
  EXPECT_EQ(GlyphRects[2].left, 10);
  EXPECT_EQ(GlyphRects[2].top, 42);  // one empty line between

  // A lead byte at the very end stands alone.
  const std::string cut = Sjis("あ") + "\x82";
  elDraw::PaintTextBox(10, 10, 300, 300, cut.c_str(), 0);
  EXPECT_EQ(GlyphCount, 3);
}

TEST_F(TextBoxTest, ThePaintStopsBeforeALineWouldReachTheBottom) {
  const int a = W("あ");
  Paint(0, 0, 3 * a, 33, "あいうえおかきくけ");  // room for two lines
  EXPECT_EQ(GlyphCount, 7);
  Paint(0, 0, 3 * a, 32, "あいうえおかきくけ");  // the second would touch the limit
  EXPECT_EQ(GlyphCount, 4);
}

TEST_F(TextBoxTest, StyleGrowsCellsAndLinesWithinOnePaint) {
  const int a = W("あ");
  // A shadow makes each cell a pixel larger, so every line is 17 high.
  Paint(0, 0, 2 * (a + 1), 300, "あいうえ", TextStyleShadow);
  ExpectRect(GlyphRects[1], 0, 0, a + 1, 17);
  EXPECT_EQ(GlyphRects[3].top, 17);
  EXPECT_GT(Count(SpriteObjects[2].Surface, GlyphRects[1], Pixel(kRed)), 0);
  EXPECT_GT(Count(SpriteObjects[2].Surface, GlyphRects[1], Pixel(kWhite)), 0);
  // Extra spacing; with both bolds the cells grow by one each way.
  Paint(0, 0, 2 * (a + 1), 300, "あいうえ", 4 | TextStyleBoldH | TextStyleBoldV);
  ExpectRect(GlyphRects[1], 0, 0, a + 1, 17);
  EXPECT_EQ(GlyphRects[3].top, 20);
}

TEST_F(TextBoxTest, BlackTextIsRaisedSoThatItShows) {
  elDraw::SetTextColor(0x000000, 0x0F0F0F, 1);
  Paint(0, 0, 300, 300, "あ", TextStyleShadow);
  EXPECT_EQ(TextColor, 0x101010u);
  EXPECT_EQ(TextBackColor, 0x101010u);
  EXPECT_GT(Count(SpriteObjects[2].Surface, GlyphRects[1], Pixel(0x101010)), 10);
}

TEST_F(TextBoxTest, AGlyphWiderThanTheBoxStillMovesOn) {
  const int a = W("あ");
  Paint(0, 0, a - 2, 300, "あいう");
  ASSERT_EQ(GlyphCount, 4);
  EXPECT_EQ(GlyphRects[2].top, 16);
  EXPECT_EQ(GlyphRects[3].top, 32);
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

class SmoothTest : public text_test::TextScreenTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    TextScreenTest::SetUp();
    StartScreen(800, 600, GetParam());
  }
  static uint16_t Rgb(int r, int g, int b) {
    return static_cast<uint16_t>((r << RedPlace) | (g << GreenPlace) | (b << BluePlace));
  }
  static int Red(uint16_t p) { return (p >> RedPlace) & 31; }
  static int Green(uint16_t p) { return (p >> GreenPlace) & 31; }
  static int Blue(uint16_t p) { return (p >> BluePlace) & 31; }
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
  const uint16_t solid = FontObject(101, 51);
  EXPECT_EQ(Red(solid), (9 * 20 + 31) >> 3);
  EXPECT_EQ(Green(solid), (9 * 10 + 31) >> 3);
  EXPECT_EQ(Blue(solid), (9 * 5 + 31) >> 3);
  // An isolated pixel (n = 1): one eighth text, seven eighths background.
  const uint16_t edge = FontObject(110, 50);
  EXPECT_EQ(Red(edge), (20 + 31 + 7 * 8) >> 3);
  EXPECT_EQ(Green(edge), (10 + 31 + 7 * 16) >> 3);
  EXPECT_EQ(Blue(edge), (5 + 31 + 7 * 24) >> 3);
  // A corner of the block sees four inked pixels of its 2 x 2 neighbourhood.
  EXPECT_EQ(Red(FontObject(100, 50)), (4 * 20 + 31 + 4 * 8) >> 3);
  // White text caps at 31; no ink leaves the pixel as it was.
  EXPECT_EQ(Red(FontObject(122, 51)), 31);
  EXPECT_EQ(FontObject(115, 55), 0);
  EXPECT_EQ(FontObject(124, 50), 0);  // outside the 24 x 8 destination
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
  ExpectRect(GlyphRects[1], 100, 100, 100 + w2 / 2, 100 + h2 / 2);
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
  EXPECT_GE(ink.left, GlyphRects[0].left);
  EXPECT_LE(ink.right, GlyphRects[0].right);
  EXPECT_GE(ink.top, GlyphRects[0].top);
  EXPECT_LE(ink.bottom, GlyphRects[0].bottom);
  int full = 0;
  const os::PixelView v = SpriteObjects[2].Surface->RawView();
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) {
      const uint16_t p = v.Row(y)[x];
      if (p == 0) continue;
      EXPECT_TRUE(allowed.count(Red(p))) << Red(p);
      EXPECT_EQ(Red(p), Green(p));
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
