// The hardware-path draws: clipped copies, fills, stretches, row effects, mirror.
#include <climits>

#include "tests/el/draw/draw_fixture.h"

namespace draw_test {
namespace {

using Blit = DrawTest;
using V = std::vector<uint16_t>;

// Column c of row r of a 60 x 70 picture: never 0, so every pixel is opaque.
uint16_t Cell(int c, int r) { return static_cast<uint16_t>(1 + c + 100 * r); }

TEST_F(Blit, DrawObjectIsCutAtThePlayfieldEdges) {
  const int32_t ship = Sprite(60, 70, Cell);
  elDraw::DrawObject(150, 10, ship, 0, 0, 60, 70);  // partly left: source left becomes 30
  EXPECT_EQ(BackAt({{179, 10}, {180, 10}, {209, 79}, {210, 10}}),
            (V{0, Cell(30, 0), Cell(59, 69), 0}));
  EXPECT_EQ(CountBack(0), 800 * 600 - 30 * 70);

  elDraw::ClearScreen();
  const int32_t wide = Sprite(700, 2, [](int x, int) { return static_cast<uint16_t>(x + 1); });
  elDraw::DrawObject(100, 0, wide, 0, 0, 700, 2);  // cut on both sides
  EXPECT_EQ(BackAt({{179, 0}, {180, 0}, {619, 1}, {620, 0}}), (V{0, 81, 520, 0}));
}

TEST_F(Blit, WhollyOutsideAttemptsNoCopyButAnEmptyCutStillDoes) {
  const int32_t ship = Sprite(60, 70, Cell);
  // A lost back buffer tells whether a copy was attempted: the attempt
  // reports the loss and the draw restores every surface.
  os::LoseSurface(BackBuffer);
  elDraw::DrawObject(700, 0, ship, 0, 0, 60, 70);  // right of the playfield
  elDraw::DrawObject(100, 0, ship, 0, 0, 60, 70);  // left of it
  elDraw::DrawObject(INT_MAX - 10, INT_MAX - 10, ship, 0, 0, 60, 70);  // far away, no wrap
  elDraw::DrawObject(INT_MIN, INT_MIN, ship, 0, 0, 60, 70);
  EXPECT_TRUE(BackLost());
  // At y -70 the cut height is 0: the copy is made with an empty rectangle.
  elDraw::DrawObject(300, -70, ship, 0, 0, 60, 70);
  EXPECT_FALSE(BackLost());
}

// RowsReachClip says false exactly where a draw of those rows attempts no
// copy: around the clip rectangle's top and bottom edges, for the strip
// heights the background draws and for none, and with the clip rectangle
// moved and emptied.
TEST_F(Blit, RowsReachClipExactlyWhereADrawAttemptsACopy) {
  const int32_t ship = Sprite(60, 70, Cell);
  const os::Rect clips[] = {{0, 0, 800, 600}, {180, 30, 620, 420}, {180, 300, 620, 300}};
  for (const os::Rect& clip : clips) {
    elDraw::SetClip(clip.left, clip.top, clip.right, clip.bottom);
    for (int rows : {0, 1, 70})
      for (int y = clip.top - rows - 3; y <= clip.bottom + 3; ++y) {
        os::LoseSurface(BackBuffer);
        elDraw::DrawObject(300, y, ship, 0, 0, 60, rows);
        EXPECT_EQ(elDraw::RowsReachClip(y, rows), !BackLost())
            << "clip " << clip.top << ".." << clip.bottom << " rows " << rows << " at " << y;
        if (BackLost()) elDraw::RestoreSurfaces();
      }
  }
}

TEST_F(Blit, OutOfRangeHandlesDoNothing) {
  elDraw::DrawObject(200, 0, -1, 0, 0, 10, 10);
  elDraw::DrawObject(200, 0, 500, 0, 0, 10, 10);
  elDraw::DrawObjectTo(-3, 200, 0, 1, 0, 0, 10, 10);
  elDraw::ClearObject(777);
  elDraw::StretchDrawObject(200, 0, 600, 0, 0, 10, 10, 20, 20);
  EXPECT_EQ(elDraw::DrawMirror(200, 0, 0, 500, 0, 0, 1, 1), 0);
  EXPECT_EQ(CountBack(0), 800 * 600);
}

TEST_F(Blit, FillsIgnoreTheClipAndRefuseRectanglesOffTheSurface) {
  FillBack([](int, int) { return uint16_t{3}; });
  elDraw::ClearScreen();
  EXPECT_EQ(CountBack(0), 800 * 600);

  elDraw::FillRect(10, 20, 30, 25, 0x1234);
  EXPECT_EQ(BackAt({{10, 20}, {29, 24}}), (V{0x1234, 0x1234}));
  EXPECT_EQ(CountBack(0x1234), 20 * 5);

  elDraw::FillRect(790, 0, 810, 10, 0x4321);  // leaves the surface: refused whole
  elDraw::FillRect(-5, 0, 5, 10, 0x4321);
  elDraw::FillRect(INT_MAX - 1, 0, INT_MAX, 1, 0x4321);
  EXPECT_EQ(CountBack(0x4321), 0);
}

uint16_t TwoByTwo(int x, int y) { return static_cast<uint16_t>(x + 2 * y + 1); }

TEST_F(Blit, SoftwareStretchGoesThroughTheBufferAndIsClipped) {
  HardwareStretch = 0;
  const int32_t pic = Sprite(2, 2, [](int x, int y) {
    return static_cast<uint16_t>(x == 1 && y == 1 ? 0 : TwoByTwo(x, y));
  });
  FillBack([](int, int) { return uint16_t{9}; });
  elDraw::StretchDrawObject(170, 0, pic, 0, 0, 2, 2, 20, 20);  // clipped, black keyed
  EXPECT_EQ(BackAt({{179, 0}, {180, 0}, {185, 15}}), (V{9, 2, 9}));
  // A target larger than the screen-sized Buffer is cut to it: only the
  // source's top-left pixel fits.
  elDraw::SetClip(0, 0, 800, 600);
  elDraw::ClearScreen();
  elDraw::StretchDrawObjectOpaque(0, 0, pic, 0, 0, 2, 2, 1600, 1200);
  EXPECT_EQ(BackAt({{0, 0}, {799, 0}, {0, 599}}), (V{1, 1, 1}));
}

uint16_t RowValue(int, int y) { return static_cast<uint16_t>(y + 1); }

TEST_F(Blit, RowEffectGuards) {
  const int32_t pic = Sprite(10, 8, RowValue);
  elDraw::DrawMosaicRows(200, 0, 0, pic, 0, 0, 10, 8);
  elDraw::DrawMosaicRows(200, 0, -2, pic, 0, 0, 10, 8);
  elDraw::DrawWaveScroll2(0, 600, 5, 0, 0.0f, 0.0f, pic, 0, 3, 10, 3);  // no rows
  elDraw::DrawTiled(0.0f, 0.0f, pic, 4, 0, 4, 8);                       // no columns
  elDraw::DrawWaveV(200, 0, 0, 0.0f, pic, 0, 0, 10, 1);                  // one row
  elDraw::DrawWaveV(200, 0, 0, 0.0f, pic, 0, 5, 10, 2);                  // inverted
  EXPECT_EQ(CountBack(0), 800 * 600);
  // Doubled or negated extremes are computed in 64 bits.
  elDraw::DrawJitterRows(200, 0, INT_MAX, pic, 0, 0, 10, 8);
  elDraw::DrawSkipRows(200, 0, INT_MIN, pic, 0, 0, 10, 8);
  elDraw::DrawMosaicRows(200, 0, INT_MAX, pic, 0, 0, 10, 8);
  elDraw::DrawWave(INT_MAX, 0, INT_MAX, 0, 0.0f, pic, 0, 0, 10, 8, 1);
  // Rectangles far outside the picture end quickly.
  elDraw::DrawMosaicRows(200, 0, 1, pic, 0, INT_MIN, 10, INT_MAX);
  elDraw::DrawSkipRows(200, 0, 1, pic, 0, INT_MIN, 10, INT_MAX);
  elDraw::DrawJitterRows(200, 0, 3, pic, 0, INT_MIN, 10, INT_MAX);
}

uint16_t ThreeByTwo(int x, int y) { return static_cast<uint16_t>(1 + x + 3 * y); }

TEST_F(Blit, MirrorModesClipsSkipsBlackAndChecksItsSource) {
  const int32_t pic = Sprite(3, 2, ThreeByTwo);  // 1 2 3 / 4 5 6
  EXPECT_EQ(elDraw::DrawMirror(230, 0, 3, pic, 0, 0, 3, 2), 1);  // both ways: 6 5 4 / 3 2 1
  EXPECT_EQ(BackAt({{232, 1}, {230, 0}}), (V{1, 6}));
  const int32_t holed = Sprite(3, 2, [](int x, int y) { return x == 1 ? 0 : ThreeByTwo(x, y); });
  FillBack([](int, int) { return uint16_t{9}; });
  EXPECT_EQ(elDraw::DrawMirror(178, 0, 1, holed, 0, 0, 3, 2), 1);
  // Outside the clip rectangle; mirrored column 0 lands at 180; black skipped.
  EXPECT_EQ(BackAt({{179, 0}, {180, 0}, {181, 0}}), (V{9, 1, 9}));
  EXPECT_EQ(elDraw::DrawMirror(0, 0, 0, holed, 0, 0, 3, 2), 1);  // wholly clipped

  // The source rectangle must lie inside the picture.
  EXPECT_EQ(elDraw::DrawMirror(300, 0, 0, holed, 0, 0, 4, 2), 0);
  EXPECT_EQ(elDraw::DrawMirror(300, 0, 0, holed, -1, 0, 3, 2), 0);
  EXPECT_EQ(elDraw::DrawMirror(300, 0, 0, holed, 0, 0, 3, 3), 0);
  os::SurfaceTests().fail_locks = 1;
  EXPECT_EQ(elDraw::DrawMirror(300, 0, 0, holed, 0, 0, 3, 2), 0);
  EXPECT_EQ(Back(300, 0), 9);
}

}  // namespace
}  // namespace draw_test
