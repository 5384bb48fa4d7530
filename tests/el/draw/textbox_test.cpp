// Text boxes: layout, the smoothing filter and the reveal (glyph sizes read at run time).
#include <algorithm>
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

TEST_F(TextBoxTest, LineBreakingRules) {
  // A hanging "、" stays on its line, without a record and without growing the box.
  const int a = W("あ"), comma = W("、");
  Paint(100, 50, 100 + 3 * a, 400, "あいう、え");
  ASSERT_EQ(GlyphCount, 5);
  EXPECT_GT(NonZero(SpriteObjects[2].Surface, os::Rect{100 + 3 * a, 50, 100 + 3 * a + comma, 66}),
            0);
  EXPECT_EQ(TopLeft(4), std::pair(100, 66));
  // A double-byte glyph is never split.
  const int la = W("a"), lb = W("b");
  Paint(10, 10, 10 + la + lb + a - 1, 300, "abあc");
  ASSERT_EQ(GlyphCount, 5);
  EXPECT_TRUE(RectIs(GlyphRects[3], 10, 26, 10 + a, 42));
  EXPECT_EQ(GlyphRects[4].left, 10 + a);

  // The paint stops before a line would reach the bottom.
  Paint(0, 0, 3 * a, 33, "あいうえおかきくけ");  // room for two lines
  EXPECT_EQ(GlyphCount, 7);
  Paint(0, 0, 3 * a, 32, "あいうえおかきくけ");  // the second would touch the limit
  EXPECT_EQ(GlyphCount, 4);
}

TEST_F(TextBoxTest, RecordsStopWhenGlyphRectsIsFull) {
  const std::string many(4000, 'a');
  elDraw::PaintTextBox(0, 0, 800, 600, many.c_str(), 0);
  EXPECT_EQ(GlyphCount, GlyphRectCapacity);
  const os::Rect last = GlyphRects[GlyphRectCapacity - 1];
  // Nothing is painted after the last record.
  EXPECT_EQ(NonZero(SpriteObjects[2].Surface,
                    os::Rect{last.right, last.top, 800, last.bottom}), 0);
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
}

// The smoothed painter lays out at double size: a glyph's record is half
// its (even-rounded) double-size cell, a line half the double line height.
class SmoothLayoutTest : public TextTest {
 protected:
  void SetUp() override {
    TextTest::SetUp();
    StartText(800, 600);
    elDraw::SelectBufferFont(1, 16);
    elDraw::SetTextColor(kWhite, kRed, 1);
  }
  void TearDown() override {
    elDraw::DeleteBufferFont();
    TextTest::TearDown();
  }
  // A glyph's width and the line's height on the screen.
  static int W(const char* utf8) {
    const int w = Extent(Sjis(utf8));
    return (w + (w & 1)) / 2;
  }
  static int LineHeight() {
    int h = 0;
    Extent(Sjis("あ"), &h);
    return std::max(FontHeight, h + (h & 1)) / 2;
  }
  static void Paint(int left, int top, int right, int bottom, const char* utf8) {
    elDraw::PaintTextBox2(left, top, right, bottom, Sjis(utf8).c_str(), 0);
  }
  static std::pair<int, int> TopLeft(int glyph) {
    return {GlyphRects[glyph].left, GlyphRects[glyph].top};
  }
};

TEST_F(SmoothLayoutTest, LineBreakingRules) {
  const int a = W("あ"), line = LineHeight();
  const int right = 100 + 3 * a + 1;  // room for three
  Paint(100, 50, right, 400, "あいうえ");
  ASSERT_EQ(GlyphCount, 5);
  EXPECT_TRUE(RectIs(GlyphRects[3], 100 + 2 * a, 50, 100 + 3 * a, 50 + line));
  EXPECT_EQ(TopLeft(4), std::pair(100, 50 + line));
  // A line feed takes no record; a hanging "、" none either, and ends its line.
  Paint(100, 50, right, 400, "あ\nい");
  ASSERT_EQ(GlyphCount, 3);
  EXPECT_EQ(TopLeft(2), std::pair(100, 50 + line));
  Paint(100, 50, right, 400, "あいう、え");
  ASSERT_EQ(GlyphCount, 5);
  EXPECT_EQ(TopLeft(4), std::pair(100, 50 + line));
  // A glyph wider than the box keeps its empty line; the next one wraps.
  Paint(100, 50, 101, 400, "あい");
  ASSERT_EQ(GlyphCount, 3);
  EXPECT_EQ(TopLeft(1), std::pair(100, 50));
  EXPECT_EQ(TopLeft(2), std::pair(100, 50 + line));
  // The paint stops when a new line would start at or past the bottom.
  Paint(100, 50, right, 50 + line, "あいうえ");
  EXPECT_EQ(GlyphCount, 4);
  Paint(100, 50, right, 51 + line, "あいうえ");
  EXPECT_EQ(GlyphCount, 5);
}

TEST_F(SmoothLayoutTest, AFullStripIsFlushedAndTheLineGoesOn) {
  // The double-size strip is the screen's width: half a line of the box.
  const std::string text(60, 'a');
  Paint(0, 0, 800, 600, text.c_str());
  ASSERT_EQ(GlyphCount, 61);
  for (int k = 2; k < GlyphCount; ++k) {
    EXPECT_EQ(TopLeft(k), std::pair(GlyphRects[k - 1].right, 0)) << k;
  }
  EXPECT_GT(GlyphRects[60].right, 400);
  EXPECT_GT(NonZero(SpriteObjects[2].Surface, os::Rect{400, 0, 800, LineHeight()}), 0);
}

class SmoothTest : public TextTest {
 protected:
  void SetUp() override {
    TextTest::SetUp();
    StartText(800, 600);
  }
  static uint16_t& Strip(int x, int y) { return SpriteObjects[3].Surface->RawView().Row(y)[x]; }
};

TEST_F(SmoothTest, FilterIsCutToTheClipRectangleAndTheSurfaces) {
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) Strip(x, y) = Rgb(31, 0, 0);
  elDraw::SetClip(0, 0, 105, 600);
  EXPECT_EQ(elDraw::SmoothTextBox(100, 0, 0, 0, 40, 4), 1);
  EXPECT_NE(FontObject(104, 0), 0);
  EXPECT_EQ(FontObject(105, 0), 0);
  elDraw::SetClip(0, 0, 5000, 5000);  // past the screen: only inside the surfaces
  EXPECT_EQ(elDraw::SmoothTextBox(600, 500, 500, 400, 2000, 1600), 1);
  // A lock that fails: 0, and nothing is left locked.
  elDraw::SetClip(0, 0, 800, 600);
  os::SurfaceTests().fail_locks = 1;
  EXPECT_EQ(elDraw::SmoothTextBox(0, 400, 0, 0, 40, 4), 0);
  EXPECT_FALSE(SpriteObjects[2].Surface->IsLocked());
  EXPECT_FALSE(SpriteObjects[3].Surface->IsLocked());
  EXPECT_FALSE(BackBuffer->IsLocked());
}

}  // namespace
}  // namespace draw_test
