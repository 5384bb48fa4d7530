// The hardware-path draws: clipped copies, fills, blends, stretches, the row
// effects and the mirror.
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

TEST_F(Blit, ALostPictureDropsThatDrawOnly) {
  const int32_t ship = Sprite(60, 70, Cell);
  os::LoseSurface(SpriteObjects[ship].Surface);
  elDraw::DrawObject(300, 0, ship, 0, 0, 60, 70);
  EXPECT_EQ(CountBack(0), 800 * 600);  // not drawn this time
  EXPECT_NE(SpriteObjects[ship].Surface->IsLost(), os::SurfaceResult::SurfaceLost);
  Paint(ship, Cell);  // a blank object comes back without its content
  elDraw::DrawObject(300, 0, ship, 0, 0, 60, 70);
  EXPECT_EQ(Back(300, 0), Cell(0, 0));
}

TEST_F(Blit, KeyedOpaqueAndIntoAnotherObject) {
  const int32_t pic = Sprite(4, 1, [](int x, int) { return static_cast<uint16_t>(x % 2 ? 0 : 7); });
  FillBack([](int, int) { return uint16_t{5}; });
  elDraw::DrawObject(200, 0, pic, 0, 0, 4, 1);  // keyed: black skipped
  elDraw::DrawObjectOpaque(200, 1, pic, 0, 0, 4, 1);
  EXPECT_EQ(BackAt({{200, 0}, {201, 0}, {201, 1}}), (V{7, 5, 0}));

  // Into another object the screen's clip rectangle applies.
  const int32_t nine = Solid(10, 10, 9);
  const int32_t target = Solid(300, 20, 1);
  elDraw::DrawObjectTo(target, 175, 0, nine, 0, 0, 10, 10);
  os::PixelView v = SpriteObjects[target].Surface->RawView();
  EXPECT_EQ((V{v.Row(0)[179], v.Row(0)[180], v.Row(9)[184]}), (V{1, 9, 9}));
  elDraw::DrawObjectOpaqueTo(target, 250, 5, nine, 0, 0, 10, 10);
  EXPECT_EQ(v.Row(14)[259], 9);
  // A position past the object's own size is refused by the surface.
  elDraw::DrawObjectTo(target, 295, 0, nine, 0, 0, 10, 10);
  EXPECT_EQ(v.Row(0)[297], 1);
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

  elDraw::ClearScreenWhite();
  EXPECT_EQ(CountBack(static_cast<uint16_t>(WhitePixel)), 800 * 600);
  elDraw::ClearRect(0, 0, 2, 2);
  EXPECT_EQ(CountBack(0), 4);
  elDraw::FillRectWhite(0, 0, 2, 2);
  EXPECT_EQ(CountBack(0), 0);

  elDraw::DrawRectFrame(100, 100, 110, 105);  // four one-pixel edges
  EXPECT_EQ(CountBack(0), 2 * 10 + 2 * 3);
  EXPECT_EQ(BackAt({{109, 104}, {101, 101}}), (V{0, static_cast<uint16_t>(WhitePixel)}));
}

TEST_F(Blit, BlendRectHalvesAndAddsWithinTheClip) {
  elDraw::ClearScreenWhite();
  EXPECT_EQ(elDraw::BlendRect(0, 0, 800, 600, 0xFFFF), 1);
  // Each channel loses its lowest bit; outside the clip rectangle nothing.
  EXPECT_EQ(BackAt({{300, 300}, {179, 300}, {620, 300}}), (V{0xF7DE, 0xFFFF, 0xFFFF}));

  elDraw::ClearScreenWhite();
  elDraw::BlendRect(200, 10, 202, 11, 0);  // black at 50 %
  EXPECT_EQ(BackAt({{200, 10}, {202, 10}}), (V{0x7BEF, 0xFFFF}));

  // A clip rectangle reaching past the screen stays on the surface.
  elDraw::SetClip(-100, -100, 5000, 5000);
  EXPECT_EQ(elDraw::BlendRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0), 1);
  EXPECT_EQ(elDraw::BlendRect(500, 500, 400, 400, 0), 1);  // inverted: nothing to do

  os::SurfaceTests().fail_locks = 1;
  EXPECT_EQ(elDraw::BlendRect(0, 0, 10, 10, 0), 0);
}

uint16_t TwoByTwo(int x, int y) { return static_cast<uint16_t>(x + 2 * y + 1); }

TEST_F(Blit, HardwareStretchIsUnclippedAndRefusedOffTheSurface) {
  HardwareStretch = 1;
  const int32_t pic = Sprite(2, 2, TwoByTwo);
  elDraw::StretchDrawObject(10, 10, pic, 0, 0, 2, 2, 4, 6);  // left of the clip: not clipped
  EXPECT_EQ(BackAt({{10, 10}, {13, 12}, {11, 13}, {13, 15}, {14, 10}}), (V{1, 2, 3, 4, 0}));
  elDraw::ClearScreen();
  elDraw::StretchDrawObject(798, 0, pic, 0, 0, 2, 2, 4, 4);  // would leave the back buffer
  elDraw::StretchDrawObject(INT_MAX, 0, pic, 0, 0, 2, 2, 4, 4);
  EXPECT_EQ(CountBack(0), 800 * 600);

  os::LoseSurface(BackBuffer);
  elDraw::StretchDrawObjectOpaque(300, 0, pic, 0, 0, 2, 2, 4, 4);
  EXPECT_FALSE(BackLost());
}

TEST_F(Blit, SoftwareStretchGoesThroughTheBufferAndIsClipped) {
  HardwareStretch = 0;
  const int32_t pic = Sprite(2, 2, [](int x, int y) {
    return static_cast<uint16_t>(x == 1 && y == 1 ? 0 : TwoByTwo(x, y));
  });
  FillBack([](int, int) { return uint16_t{9}; });
  elDraw::StretchDrawObject(170, 0, pic, 0, 0, 2, 2, 20, 20);
  elDraw::StretchDrawObjectOpaque(300, 0, pic, 0, 0, 2, 2, 20, 20);
  // Clipped; column 10 of 20 is source column 1; the black quarter is keyed,
  // and copied by the opaque draw.
  EXPECT_EQ(BackAt({{179, 0}, {180, 0}, {185, 15}, {315, 15}}), (V{9, 2, 9, 0}));

  // A target larger than the screen-sized Buffer is cut to it: only the
  // source's top-left pixel fits.
  elDraw::SetClip(0, 0, 800, 600);
  elDraw::ClearScreen();
  elDraw::StretchDrawObjectOpaque(0, 0, pic, 0, 0, 2, 2, 1600, 1200);
  EXPECT_EQ(BackAt({{0, 0}, {799, 0}, {0, 599}}), (V{1, 1, 1}));
  // Nothing to stretch: nothing drawn (the Buffer's old content stays hidden).
  elDraw::ClearScreen();
  elDraw::StretchDrawObjectOpaque(0, 0, pic, 0, 0, 0, 2, 20, 20);
  elDraw::StretchDrawObjectOpaque(0, 0, pic, 0, 0, 2, 2, -20, 20);
  EXPECT_EQ(CountBack(0), 800 * 600);
}

uint16_t RowValue(int, int y) { return static_cast<uint16_t>(y + 1); }

TEST_F(Blit, JitterSkipAndMosaicRows) {
  const int32_t pic = Sprite(10, 8, RowValue);
  elDraw::DrawJitterRows(200, 0, 0, pic, 0, 0, 10, 8);  // jitter 0: once, unshifted
  EXPECT_EQ(BackAt({{200, 0}, {209, 7}}), (V{1, 8}));
  EXPECT_EQ(CountBack(0), 800 * 600 - 80);
  elDraw::ClearScreen();
  elDraw::DrawSkipRows(200, 0, 0, pic, 0, 0, 10, 8);  // skip 0: nothing
  EXPECT_EQ(CountBack(0), 800 * 600);

  elDraw::DrawSkipRows(200, 0, 3, pic, 0, 0, 10, 8);  // rows 3 and 6
  EXPECT_EQ(BackAt({{200, 3}, {200, 6}}), (V{4, 7}));
  EXPECT_EQ(CountBack(0), 800 * 600 - 20);

  elDraw::ClearScreen();
  elDraw::DrawMosaicRows(200, 0, 3, pic, 0, 0, 10, 8);  // blocks at 0, 3, 6; the last 3 tall
  EXPECT_EQ(BackAt({{205, 0}, {205, 1}, {205, 2}, {205, 3}, {205, 4}, {205, 5}, {205, 6},
                    {205, 7}, {205, 8}, {205, 9}}),
            (V{1, 1, 1, 4, 4, 4, 7, 7, 7, 0}));

  elDraw::ClearScreen();
  os::SeedRandom(5);
  elDraw::DrawSkipRows(200, 0, -3, pic, 0, 0, 10, 8);  // gaps of 1 to 3 rows
  int drawn = 0, last = 0;
  for (int y = 0; y < 8; ++y) {
    if (Back(200, y) == 0) continue;
    EXPECT_EQ(Back(200, y), y + 1);
    EXPECT_GE(y - last, 1);
    EXPECT_LE(y - last, 3);
    last = y;
    ++drawn;
  }
  EXPECT_GE(drawn, 2);
}

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

TEST_F(Blit, WavesAndTiles) {
  const int32_t pic = Sprite(10, 4, RowValue);
  elDraw::DrawWave(300, 0, 10, 0, 90.0f, pic, 0, 0, 10, 4, 0);
  // Row r shifts by trunc(cos(r degrees) x 10): 10, 9, 9, 9.
  EXPECT_EQ(BackAt({{310, 0}, {309, 0}, {309, 1}}), (V{1, 0, 2}));
  EXPECT_EQ(RowEffects.WavePhase, 0.0f);
  FrameTime = 1.0f;
  elDraw::DrawWave(300, 100, 10, 0, 90.0f, pic, 0, 0, 10, 4, 1);
  EXPECT_EQ(BackAt({{310, 100}, {291, 101}}), (V{1, 2}));  // alternate: +10, then -9
  EXPECT_EQ(RowEffects.WavePhase, 90.0f);
  elDraw::DrawWave(300, 200, 10, 0, 300.0f, pic, 0, 0, 10, 4, 0);
  EXPECT_EQ(RowEffects.WavePhase, 30.0f);  // 390 wraps

  // WaveV: h 5, half 2: row s ends at trunc(cos(s x 2 pi / 4) x 2 + 2) = 4,
  // 2, 0, ~1, 4 and the next row starts after the last end, drawn or not:
  // row 0 covers 0..4 first, row 4 covers 2..4 last.
  const int32_t tall = Sprite(4, 5, RowValue);
  elDraw::SetClip(0, 0, 800, 600);
  elDraw::ClearScreen();
  elDraw::DrawWaveV(0, 0, 0, 0.0f, tall, 0, 0, 4, 5);
  EXPECT_EQ(BackAt({{0, 0}, {0, 2}, {0, 4}, {0, 5}, {4, 0}}), (V{1, 5, 5, 0, 0}));

  // Tiled: the screen covered, the offsets drifting.
  const int32_t tile = Sprite(100, 100, [](int x, int y) { return uint16_t(1 + x + y); });
  FrameTime = 0.5f;
  elDraw::DrawTiled(-20.0f, 10.0f, tile, 0, 0, 100, 100);
  EXPECT_EQ(CountBack(0), 0);
  EXPECT_EQ(Back(150, 250), 1 + 50 + 50);
  EXPECT_EQ(RowEffects.TiledX, -10.0f);
  EXPECT_EQ(RowEffects.TiledY, -95.0f);  // +5 past 0 loses the size
  elDraw::DrawTiled(0.0f, 0.0f, tile, 0, 0, 100, 100);
  EXPECT_EQ(Back(0, 0), 1 + 10 + 95);
}

uint16_t ThreeByTwo(int x, int y) { return static_cast<uint16_t>(1 + x + 3 * y); }

TEST_F(Blit, MirrorModesClipsSkipsBlackAndChecksItsSource) {
  const int32_t pic = Sprite(3, 2, ThreeByTwo);  // 1 2 3 / 4 5 6
  for (int mode = 0; mode < 4; ++mode)
    EXPECT_EQ(elDraw::DrawMirror(200 + 10 * mode, 0, mode, pic, 0, 0, 3, 2), 1);
  // As is; left-right: 3 2 1; top-bottom; both: 6 5 4 / 3 2 1.
  EXPECT_EQ(BackAt({{200, 0}, {212, 0}, {210, 0}, {220, 0}, {232, 1}, {230, 0}}),
            (V{1, 1, 3, 4, 1, 6}));

  const int32_t holed = Sprite(3, 2, [](int x, int y) { return x == 1 ? 0 : ThreeByTwo(x, y); });
  FillBack([](int, int) { return uint16_t{9}; });
  EXPECT_EQ(elDraw::DrawMirror(178, 0, 1, holed, 0, 0, 3, 2), 1);
  // Outside the clip rectangle; mirrored column 0 lands at 180; black skipped.
  EXPECT_EQ(BackAt({{179, 0}, {180, 0}, {181, 0}}), (V{9, 1, 9}));
  EXPECT_EQ(elDraw::DrawMirror(0, 0, 0, holed, 0, 0, 3, 2), 1);  // wholly clipped

  // The source rectangle must lie inside the picture.
  EXPECT_EQ(elDraw::DrawMirror(300, 0, 0, holed, 0, 0, 4, 2), 0);
  EXPECT_EQ(elDraw::DrawMirror(300, 0, 0, holed, -1, 0, 3, 2), 0);
  EXPECT_EQ(elDraw::DrawMirror(300, 0, 0, holed, 2, 0, 1, 2), 0);
  EXPECT_EQ(elDraw::DrawMirror(300, 0, 0, holed, 0, 0, 3, 3), 0);
  os::SurfaceTests().fail_locks = 1;
  EXPECT_EQ(elDraw::DrawMirror(300, 0, 0, holed, 0, 0, 3, 2), 0);
  EXPECT_EQ(Back(300, 0), 9);
}

}  // namespace
}  // namespace draw_test
