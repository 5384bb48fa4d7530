// The present: transitions, lost surfaces, the picture overlay and the clip
// wipes.
#include <climits>
#include <set>

#include "os/path.h"
#include "tests/el/draw/draw_fixture.h"

namespace draw_test {
namespace {

using V = std::vector<uint16_t>;

class Transition : public DrawTest {
 protected:
  // The old frame (captured into object 1), then a cleared new frame.
  static void CaptureOld(uint16_t (*pixel)(int, int)) {
    FillBack(pixel);
    elDraw::CaptureScreen(1, 0, 0, 800, 600);
    elDraw::ClearScreen();
  }
  static void Start(int32_t pattern, int32_t band, int32_t step, int32_t dir = -1) {
    TransitionPattern = pattern;
    TransitionBand = band;
    TransitionStep = step;
    TransitionDir = dir;
  }
  // Flips until the transition ends; the number of flips.
  static int RunToEnd() {
    int presents = 0;
    while (TransitionStep != 0 && presents <= 100) {
      elDraw::Flip();
      ++presents;
    }
    return presents;
  }
};

// Old frames that tell columns or rows apart.
uint16_t Column(int x, int) { return static_cast<uint16_t>(1 + x); }
uint16_t RowMark(int, int y) { return static_cast<uint16_t>(0x8000 | y); }

TEST_F(Transition, Pattern3FirstFrameShowsAllButEachBandthRowShiftedByAtMostOne) {
  CaptureOld(Column);
  Start(3, 26, 26);
  elDraw::Flip();
  int old_rows = 0;
  std::set<int> shifts;
  for (int i = 0; i < 600; ++i) {
    // The old frame shows only inside the playfield.
    ASSERT_EQ(ShownAt({{179, i}, {620, i}}), (V{0, 0})) << i;
    if (i % 26 == 0) {
      EXPECT_EQ(Shown(300, i), 0) << i;
      continue;
    }
    ++old_rows;
    const int shift = 301 - Shown(300, i);  // old column 300 - shift
    EXPECT_TRUE(shift == -1 || shift == 0) << i << " " << shift;
    shifts.insert(shift);
  }
  EXPECT_EQ(old_rows, 576);
  EXPECT_EQ(shifts.size(), 2u);
  EXPECT_EQ(TransitionStep, 25);

  // The last frame (S = 1) shows no old row.
  while (TransitionStep > 1) elDraw::Flip();
  elDraw::ClearScreen();
  elDraw::Flip();
  for (int i = 0; i < 600; ++i) EXPECT_EQ(Shown(300, i), 0) << i;
  EXPECT_EQ(TransitionStep, 0);
  EXPECT_EQ(TransitionDir, 0);
}

TEST_F(Transition, OtherPatternsFirstFrames) {
  struct Frame {
    int pattern, step;
    uint16_t (*old)(int, int);
    std::vector<std::array<int, 3>> probes;  // x, y, the pixel shown
  };
  const Frame frames[] = {
      // Rows: pattern 1 shows rows 1 to 25 of every band of 26; pattern 2
      // the top 14 rows.
      {1, 26, RowMark, {{10, 0, 0}, {10, 1, 0x8001}, {10, 25, 0x8000 | 25}, {10, 26, 0}}},
      {2, 13, RowMark, {{10, 13, 0x8000 | 13}, {10, 14, 0}, {10, 25, 0}, {10, 26, 0x8000 | 26}}},
      // Slides up (y -23 first, -598 last) and down (y 23).
      {5, 26, RowMark, {{300, 0, 0x8000 | 23}, {300, 576, 0x8000 | 599}, {300, 577, 0}}},
      {5, 1, RowMark, {{300, 1, 0x8000 | 599}, {300, 2, 0}}},
      {6, 26, RowMark, {{300, 22, 0}, {300, 23, 0x8000}}},
      // Opens vertically: halves at -11 and 311.
      {9, 26, RowMark,
       {{300, 0, 0x8000 | 11}, {300, 288, 0x8000 | 299}, {300, 289, 0}, {300, 310, 0},
        {300, 311, 0x8000 | 300}}},
      // Shrinks: columns 0 to 779 stay; columns 30 to 799 stay.
      {11, 26, Column, {{779, 0, 780}, {780, 0, 0}}},
      {12, 26, Column, {{29, 0, 0}, {30, 0, 31}}},
      // Slides left (x -30) and right (x 30).
      {7, 26, Column, {{0, 0, 31}, {769, 0, 800}, {770, 0, 0}}},
      {8, 26, Column, {{29, 0, 0}, {30, 0, 1}}},
      // Opens horizontally: halves at -15 and 415.
      {10, 26, Column, {{0, 0, 16}, {384, 0, 400}, {385, 0, 0}, {414, 0, 0}, {415, 0, 401}}},
  };
  elDraw::SetClip(0, 0, 800, 600);
  for (const Frame& f : frames) {
    SCOPED_TRACE(::testing::Message() << "pattern " << f.pattern << " step " << f.step);
    CaptureOld(f.old);
    Start(f.pattern, 26, f.step);
    elDraw::Flip();
    for (auto [x, y, p] : f.probes) EXPECT_EQ(Shown(x, y), p) << x << "," << y;
  }

  // Pattern 4: as 2, each band shifted by one value in -14 .. 13.
  CaptureOld(Column);
  Start(4, 26, 13);
  elDraw::Flip();
  for (int band = 0; band < 600; band += 26) {
    const int shift = 301 - Shown(300, band);
    EXPECT_GE(shift, -14);
    EXPECT_LE(shift, 13);
    for (int r = band; r <= band + 13 && r < 600; ++r) EXPECT_EQ(301 - Shown(300, r), shift);
    if (band + 14 < 600) {
      EXPECT_EQ(Shown(300, band + 14), 0);
    }
  }
}

TEST_F(Transition, TilePatternDrawsTheStripFrame) {
  elDraw::SetClip(0, 0, 800, 600);
  TransitionPicture = Sprite(640, 48, [](int x, int) { return static_cast<uint16_t>(x / 64 + 1); });
  elDraw::ClearScreen();
  elDraw::StartTransition();
  for (int step = 0; step < 3; ++step) {  // step 3: frame 2 of the strip
    elDraw::ClearScreen();
    elDraw::Flip();
  }
  EXPECT_EQ(ShownAt({{0, 0}, {639, 479}, {640, 0}, {0, 480}}), (V{3, 3, 0, 0}));
}

TEST_F(Transition, BackwardRunsLastBandPresentsForwardRunsTen) {
  const int before = os::headless::PresentCount();
  Start(3, 60, 60);
  EXPECT_EQ(RunToEnd(), 60);
  EXPECT_EQ(os::headless::PresentCount() - before, 60);

  TransitionBand = 26;
  elDraw::StartTransition();
  EXPECT_EQ(RunToEnd(), 10);

  elDraw::StartTransitionBack();
  EXPECT_EQ(TransitionStep, 10);
  EXPECT_EQ(TransitionDir, -1);
}

TEST_F(Transition, RunsWithoutABandOrAJitterRangeStepWithoutDrawing) {
  elDraw::SetClip(0, 0, 800, 600);
  CaptureOld(Column);
  for (int pattern = 1; pattern <= 12; ++pattern)
    for (int band : {0, -5}) {
      Start(pattern, band, 26);
      elDraw::Flip();
      EXPECT_EQ(TransitionStep, 25) << pattern;
      EXPECT_EQ(Shown(300, 1), 0) << pattern << " " << band;
    }
  // A jitter range of 0 or below, and no such pattern.
  for (auto [pattern, step] : {std::pair{3, 27}, {3, 40}, {4, 40}, {13, 26}}) {
    Start(pattern, 26, step);
    elDraw::Flip();
    EXPECT_EQ(Shown(300, 1), 0) << pattern << " " << step;
    EXPECT_EQ(TransitionStep, step - 1);
  }

  // Directions of the caller's own included.
  for (auto [step, dir] : {std::pair{INT_MAX, 1}, {INT_MIN, -1}, {INT_MAX - 2, 7}}) {
    Start(1, 26, step, dir);
    elDraw::Flip();
    EXPECT_EQ(TransitionStep, 0) << step;
  }
  Start(2, 26, 5, 0);  // a step without a direction keeps drawing that step
  elDraw::Flip();
  elDraw::Flip();
  EXPECT_EQ(TransitionStep, 5);
}

TEST_F(Transition, PresentShowsTheBackBufferWithTheVSyncFlag) {
  FillBack([](int x, int y) { return static_cast<uint16_t>(x ^ (y << 4)); });
  elDraw::SetVSync(0);
  elDraw::Flip();
  const auto& frame = os::headless::LastPresented();
  ASSERT_EQ(frame.width, 800);
  ASSERT_EQ(frame.height, 600);
  EXPECT_FALSE(frame.rgb555);
  EXPECT_EQ(Shown(123, 456), static_cast<uint16_t>(123 ^ (456 << 4)));
  EXPECT_FALSE(os::headless::LastPresentVSync());
  const uint64_t sum = os::headless::FrameChecksum(frame);
  elDraw::SetVSync(1);
  elDraw::Flip();
  EXPECT_TRUE(os::headless::LastPresentVSync());
  EXPECT_EQ(os::headless::FrameChecksum(os::headless::LastPresented()), sum);
  elDraw::ClearScreen();
  elDraw::Flip();
  EXPECT_NE(os::headless::FrameChecksum(os::headless::LastPresented()), sum);
}

TEST_F(Transition, LostSurfacesDuringThePresentACaptureOrABand) {
  elDraw::Flip();
  const int count = os::headless::PresentCount();
  os::LoseSurface(PrimarySurface);
  elDraw::Flip();
  EXPECT_EQ(os::headless::PresentCount(), count);
  EXPECT_NE(PrimarySurface->IsLost(), os::SurfaceResult::SurfaceLost);
  os::LoseSurface(BackBuffer);
  elDraw::Flip();
  EXPECT_EQ(os::headless::PresentCount(), count);
  EXPECT_FALSE(BackLost());
  elDraw::Flip();
  EXPECT_EQ(os::headless::PresentCount(), count + 1);

  // A lost surface during a capture or a band is restored.
  os::Surface* screen = SpriteObjects[1].Surface;
  os::LoseSurface(screen);
  elDraw::CaptureScreen(1, 0, 0, 800, 600);
  EXPECT_NE(screen->IsLost(), os::SurfaceResult::SurfaceLost);

  os::LoseSurface(screen);
  Start(3, 26, 26);
  elDraw::Flip();  // the first band meets the loss; the frame still goes out
  EXPECT_NE(screen->IsLost(), os::SurfaceResult::SurfaceLost);
  EXPECT_EQ(TransitionStep, 25);

  // A capture from a rectangle off the back buffer is refused.
  FillBack([](int, int) { return uint16_t{7}; });
  elDraw::CaptureScreen(1, 0, 0, 800, 600);
  elDraw::CaptureScreen(1, 0, 0, 801, 600);
  elDraw::CaptureScreen(-1, 0, 0, 800, 600);
  EXPECT_EQ(screen->RawView().Row(599)[799], 7);
}

TEST_F(Transition, OverlayTogglesOnceItsHeightIsKnownAndScrollsWithinThePicture) {
  elDraw::ToggleOverlay();
  EXPECT_EQ(PictureOverlay, 0u);
  OverlayPicture = Sprite(440, 1000, [](int, int y) { return static_cast<uint16_t>(y + 1); });
  OverlayTile = Solid(64, 48, 0x2000);
  OverlayHeight = 1000;
  elDraw::ToggleOverlay();
  EXPECT_EQ(PictureOverlay, 1u);

  FrameTime = 1.0f;
  OverlayKey = os::KeyDown;  // 100 rows a second
  for (int i = 0; i < 8; ++i) elDraw::Flip();
  EXPECT_EQ(OverlayScroll, 400.0f);  // 1000 - 600
  elDraw::Flip();
  // The picture fills the clip rectangle from row 400.
  EXPECT_EQ(ShownAt({{180, 0}, {619, 599}}), (V{401, 1000}));
  OverlayKey = os::KeyLeft;  // 300 rows a second up
  elDraw::Flip();
  EXPECT_EQ(OverlayScroll, 100.0f);
  elDraw::Flip();
  EXPECT_EQ(OverlayScroll, 0.0f);
  OverlayKey = os::KeyRight;
  elDraw::Flip();
  EXPECT_EQ(OverlayScroll, 300.0f);

  // A picture shorter than the clip rectangle stays at its first row.
  OverlayHeight = 300;
  OverlayKey = os::KeyDown;
  elDraw::Flip();
  EXPECT_EQ(OverlayScroll, 0.0f);
  elDraw::ToggleOverlay();
  EXPECT_EQ(PictureOverlay, 0u);
}

TEST_F(Transition, OverlayAndStripPicturesLoadFromTheProgramsFolder) {
  const std::string dir = vantris_test::MakeTempDir("pictures");
  ASSERT_TRUE(vantris_test::WriteBytes(
      dir + "OVER.BMP", vantris_test::MakeBmp24(440, 700, [](int, int) { return 0x808080u; })));
  ASSERT_TRUE(vantris_test::WriteBytes(
      dir + "TILE.BMP", vantris_test::MakeBmp24(64, 48, [](int, int) { return 0x0000FFu; })));
  const std::string folder = os::ExeDir();
  os::SetExeDir(dir);
  elDraw::LoadOverlayPictures("OVER.BMP", "TILE.BMP", 700);
  const int32_t picture = OverlayPicture, tile = OverlayTile;
  EXPECT_NE(picture, 0);
  EXPECT_NE(tile, 0);
  EXPECT_EQ(SpriteObjects[picture].Height, 700);
  EXPECT_EQ(OverlayHeight, 700);
  // Loading again reuses both slots.
  OverlayScroll = 50.0f;
  elDraw::LoadOverlayPictures("TILE.BMP", "OVER.BMP", 48);
  EXPECT_EQ(OverlayPicture, picture);
  EXPECT_EQ(OverlayTile, tile);
  EXPECT_EQ(SpriteObjects[picture].Width, 64);
  EXPECT_EQ(OverlayScroll, 0.0f);
  EXPECT_EQ(OverlayHeight, 48);
  elDraw::LoadTransitionPicture("TILE.BMP");
  EXPECT_NE(TransitionPicture, 0);
  EXPECT_NE(TransitionPicture, picture);
  os::SetExeDir(folder);
}

// ---- clip wipes ----

class Wipe : public DrawTest {
 protected:
  static os::Rect Clip() { return os::Rect{ClipLeft, ClipTop, ClipRight, ClipBottom}; }
  // Steps until the wipe ends; the number of steps, the finishing one included.
  static int Run() {
    int steps = 0;
    while (ClipWipeStep() == 1 && ClipSaveDepth > 0 && steps < 100000) ++steps;
    return steps + 1;
  }
};

TEST_F(Wipe, StartWhileRunningChangesNothingAndTypeZeroPicksOne) {
  EXPECT_EQ(ClipWipeStart(1, 0, 100.0f, 0), 1);
  EXPECT_GE(WipeType, 1);
  EXPECT_LE(WipeType, 9);
  EXPECT_EQ(ClipSaveDepth, 2);
  const int type = WipeType;
  const os::Rect before = Clip();
  EXPECT_EQ(ClipWipeStart(0, 3, 5.0f, 0), 0);
  EXPECT_EQ(WipeType, type);
  EXPECT_EQ(ClipSaveDepth, 2);
  EXPECT_TRUE(RectIs(Clip(), before.left, before.top, before.right, before.bottom));
}

TEST_F(Wipe, ClosingAtSpeedZeroMovesOnePixelPerCall) {
  EXPECT_EQ(ClipWipeStart(1, 1, 0.0f, 0), 1);
  FrameTime = 0.5f;
  EXPECT_EQ(ClipWipeStep(), 1);
  EXPECT_EQ(ClipTop, 1);
  EXPECT_EQ(ClipWipeStep(), 1);
  EXPECT_EQ(ClipTop, 2);
  EXPECT_EQ(Run(), 598);
  EXPECT_EQ(ClipTop, 600);
  EXPECT_EQ(ClipSaveDepth, -1);
  EXPECT_EQ(WipeClosed, 1u);
  EXPECT_EQ(ClipWipeStep(), 0);
  // The next start first reopens the closed rectangle.
  EXPECT_EQ(ClipWipeStart(1, 2, 0.0f, 0), 1);
  EXPECT_TRUE(RectIs(Clip(), 180, 0, 620, 600));
}

TEST_F(Wipe, OpeningFromTheMiddleEndsAtTheSavedRectangle) {
  FrameTime = 0.1f;
  EXPECT_EQ(ClipWipeStart(0, 5, 1000.0f, 0), 1);  // 101 pixels a step
  EXPECT_TRUE(RectIs(Clip(), 180, 300, 620, 300));
  ClipWipeStep();
  EXPECT_TRUE(RectIs(Clip(), 180, 199, 620, 401));
  ClipWipeStep();
  EXPECT_EQ(ClipWipeStep(), 1);  // the finishing step
  EXPECT_TRUE(RectIs(Clip(), 180, 0, 620, 600));
  EXPECT_EQ(ClipSaveDepth, 0);
  EXPECT_EQ(WipeOpened, 1u);
  EXPECT_EQ(ClipWipeStep(), 0);
}

TEST_F(Wipe, SlitTypesOpenAndCloseOneAxisAfterTheOther) {
  EXPECT_EQ(ClipWipeStart(0, 8, 0.0f, 20), 1);
  EXPECT_TRUE(RectIs(Clip(), 390, 300, 410, 300));
  ClipWipeStep();
  EXPECT_TRUE(RectIs(Clip(), 390, 299, 410, 301));
  for (int i = 0; i < 299; ++i) ClipWipeStep();
  EXPECT_TRUE(RectIs(Clip(), 390, 0, 410, 600));
  ClipWipeStep();
  EXPECT_TRUE(RectIs(Clip(), 389, 0, 411, 600));
  Run();
  EXPECT_TRUE(RectIs(Clip(), 180, 0, 620, 600));

  EXPECT_EQ(ClipWipeStart(1, 9, 0.0f, 20), 1);
  for (int i = 0; i < 290; ++i) ClipWipeStep();
  EXPECT_TRUE(RectIs(Clip(), 180, 290, 620, 310));  // the slit
  ClipWipeStep();
  EXPECT_TRUE(RectIs(Clip(), 181, 290, 619, 310));
  Run();
  EXPECT_EQ(ClipLeft, ClipRight);
  EXPECT_EQ(ClipSaveDepth, -1);
}

TEST_F(Wipe, ClosingBothPairsMeetsInTheMiddleAndEndClosesAtOnce) {
  FrameTime = 1.0f;
  ClipWipeStart(1, 7, 99.0f, 0);  // 100 a step
  Run();
  EXPECT_TRUE(RectIs(Clip(), 400, 300, 400, 300));
  EXPECT_EQ(WipeClosed, 1u);

  ClipWipeStart(0, 7, 1.0e9f, 0);  // reopens; a huge speed opens in one step
  EXPECT_EQ(ClipWipeStep(), 1);
  EXPECT_TRUE(RectIs(Clip(), 180, 0, 620, 600));
  WipeOpened = 0;
  ClipWipeEnd();
  EXPECT_TRUE(RectIs(Clip(), 180, 0, 180, 0));
  EXPECT_EQ(ClipSaveDepth, -1);
  EXPECT_TRUE(RectIs(SavedClip, 180, 0, 620, 600));
  ClipWipeStart(0, 7, 1.0e9f, 0);
  EXPECT_EQ(ClipWipeStep(), 1);
  EXPECT_TRUE(RectIs(Clip(), 180, 0, 620, 600));
  EXPECT_EQ(WipeOpened, 1u);
}

}  // namespace
}  // namespace draw_test
