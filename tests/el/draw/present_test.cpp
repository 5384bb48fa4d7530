#include <climits>
#include <set>

#include "os/path.h"
#include "tests/el/draw/draw_fixture.h"
#include "tests/support/bmp_writer.h"

namespace draw_test {
namespace {

class Transition : public DrawTest {
 protected:
  // The old frame (captured into object 1), then a cleared new frame.
  static void CaptureOld(const std::function<uint16_t(int, int)>& pixel) {
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
  // Old frames that tell columns or rows apart.
  static uint16_t Column(int x, int) { return static_cast<uint16_t>(1 + x); }
  static uint16_t RowMark(int, int y) { return static_cast<uint16_t>(0x8000 | y); }
};

TEST_F(Transition, Pattern3FirstFrameShowsAllButEachBandthRowShiftedByAtMostOne) {
  CaptureOld(Column);
  Start(3, 26, 26);
  elDraw::Flip();
  int old_rows = 0;
  std::set<int> shifts;
  for (int i = 0; i < 600; ++i) {
    EXPECT_EQ(Shown(179, i), 0);  // the old frame shows only inside the playfield
    EXPECT_EQ(Shown(620, i), 0);
    const uint16_t p = Shown(300, i);
    if (i % 26 == 0) {
      EXPECT_EQ(p, 0) << i;
      continue;
    }
    ++old_rows;
    const int shift = 301 - p;  // old column 300 - shift
    EXPECT_TRUE(shift == -1 || shift == 0) << i << " " << shift;
    shifts.insert(shift);
  }
  EXPECT_EQ(old_rows, 576);
  EXPECT_EQ(shifts.size(), 2u);
  EXPECT_EQ(TransitionStep, 25);
}

TEST_F(Transition, Pattern3LastFrameShowsNoOldRow) {
  CaptureOld(Column);
  Start(3, 26, 26);
  while (TransitionStep > 1) elDraw::Flip();
  elDraw::ClearScreen();
  elDraw::Flip();  // S = 1
  for (int i = 0; i < 600; ++i) EXPECT_EQ(Shown(300, i), 0) << i;
  EXPECT_EQ(TransitionStep, 0);
  EXPECT_EQ(TransitionDir, 0);
}

TEST_F(Transition, SlidesAndShrinksOnTheirFirstAndLastFrames) {
  elDraw::SetClip(0, 0, 800, 600);
  CaptureOld(RowMark);
  Start(5, 26, 26);  // slides up: y -23 first
  elDraw::Flip();
  EXPECT_EQ(Shown(300, 0), 0x8000 | 23);
  EXPECT_EQ(Shown(300, 576), 0x8000 | 599);
  EXPECT_EQ(Shown(300, 577), 0);
  elDraw::ClearScreen();
  Start(5, 26, 1);  // y -598 last
  elDraw::Flip();
  EXPECT_EQ(Shown(300, 1), 0x8000 | 599);
  EXPECT_EQ(Shown(300, 2), 0);

  elDraw::ClearScreen();
  Start(6, 26, 26);  // slides down: y 23
  elDraw::Flip();
  EXPECT_EQ(Shown(300, 22), 0);
  EXPECT_EQ(Shown(300, 23), 0x8000);

  elDraw::ClearScreen();
  Start(9, 26, 26);  // opens vertically: halves at -11 and 311
  elDraw::Flip();
  EXPECT_EQ(Shown(300, 0), 0x8000 | 11);
  EXPECT_EQ(Shown(300, 288), 0x8000 | 299);
  EXPECT_EQ(Shown(300, 289), 0);
  EXPECT_EQ(Shown(300, 310), 0);
  EXPECT_EQ(Shown(300, 311), 0x8000 | 300);

  CaptureOld(Column);
  Start(11, 26, 26);  // columns 0 to 779 stay
  elDraw::Flip();
  EXPECT_EQ(Shown(779, 0), 780);
  EXPECT_EQ(Shown(780, 0), 0);

  elDraw::ClearScreen();
  Start(12, 26, 26);  // columns 30 to 799 stay
  elDraw::Flip();
  EXPECT_EQ(Shown(29, 0), 0);
  EXPECT_EQ(Shown(30, 0), 31);

  elDraw::ClearScreen();
  Start(7, 26, 26);  // slides left: x -30
  elDraw::Flip();
  EXPECT_EQ(Shown(0, 0), 31);
  EXPECT_EQ(Shown(769, 0), 800);
  EXPECT_EQ(Shown(770, 0), 0);

  elDraw::ClearScreen();
  Start(8, 26, 26);  // slides right: x 30
  elDraw::Flip();
  EXPECT_EQ(Shown(29, 0), 0);
  EXPECT_EQ(Shown(30, 0), 1);

  elDraw::ClearScreen();
  Start(10, 26, 26);  // opens horizontally: halves at -15 and 415
  elDraw::Flip();
  EXPECT_EQ(Shown(0, 0), 16);
  EXPECT_EQ(Shown(384, 0), 400);
  EXPECT_EQ(Shown(385, 0), 0);
  EXPECT_EQ(Shown(414, 0), 0);
  EXPECT_EQ(Shown(415, 0), 401);
}

TEST_F(Transition, RowAndBandPatternsFirstFrames) {
  elDraw::SetClip(0, 0, 800, 600);
  CaptureOld(RowMark);
  Start(1, 26, 26);
  elDraw::Flip();
  EXPECT_EQ(Shown(10, 0), 0);
  EXPECT_EQ(Shown(10, 1), 0x8001);
  EXPECT_EQ(Shown(10, 25), 0x8000 | 25);
  EXPECT_EQ(Shown(10, 26), 0);

  elDraw::ClearScreen();
  Start(2, 26, 13);  // the top 14 rows of every band of 26
  elDraw::Flip();
  EXPECT_EQ(Shown(10, 13), 0x8000 | 13);
  EXPECT_EQ(Shown(10, 14), 0);
  EXPECT_EQ(Shown(10, 25), 0);
  EXPECT_EQ(Shown(10, 26), 0x8000 | 26);

  CaptureOld(Column);
  Start(4, 26, 13);  // as 2, each band shifted by one value in -14 .. 13
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
  elDraw::Flip();
  elDraw::ClearScreen();
  elDraw::Flip();
  elDraw::ClearScreen();
  elDraw::Flip();  // step 3: frame 2 of the strip
  EXPECT_EQ(Shown(0, 0), 3);
  EXPECT_EQ(Shown(639, 479), 3);
  EXPECT_EQ(Shown(640, 0), 0);
  EXPECT_EQ(Shown(0, 480), 0);
}

TEST_F(Transition, BackwardRunsLastBandPresentsForwardRunsTen) {
  const int before = os::headless::PresentCount();
  Start(3, 60, 60);
  int presents = 0;
  while (TransitionStep != 0) {
    elDraw::Flip();
    ++presents;
    ASSERT_LE(presents, 100);
  }
  EXPECT_EQ(presents, 60);
  EXPECT_EQ(os::headless::PresentCount() - before, 60);

  TransitionBand = 26;
  elDraw::StartTransition();
  presents = 0;
  while (TransitionStep != 0) {
    elDraw::Flip();
    ++presents;
    ASSERT_LE(presents, 100);
  }
  EXPECT_EQ(presents, 10);

  elDraw::StartTransitionBack();
  EXPECT_EQ(TransitionStep, 10);
  EXPECT_EQ(TransitionDir, -1);
}

TEST_F(Transition, RunsWithoutABandOrAJitterRangeStepWithoutDrawing) {
  elDraw::SetClip(0, 0, 800, 600);
  CaptureOld(Column);
  for (int pattern = 1; pattern <= 12; ++pattern) {
    for (int band : {0, -5}) {
      Start(pattern, band, 26);
      elDraw::Flip();
      EXPECT_EQ(TransitionStep, 25) << pattern;
      EXPECT_EQ(Shown(300, 1), 0) << pattern << " " << band;
    }
  }
  Start(3, 26, 27);  // jitter range 0
  elDraw::Flip();
  Start(3, 26, 40);  // jitter range negative
  elDraw::Flip();
  Start(4, 26, 40);
  elDraw::Flip();
  EXPECT_EQ(Shown(300, 1), 0);
  Start(13, 26, 26);  // no such pattern
  elDraw::Flip();
  EXPECT_EQ(Shown(300, 1), 0);
  EXPECT_EQ(TransitionStep, 25);
}

TEST_F(Transition, StepsAtTheEndsOfTheRangeDoNotOverflow) {
  Start(1, 26, INT_MAX, 1);
  elDraw::Flip();
  EXPECT_EQ(TransitionStep, 0);
  Start(1, 26, INT_MIN, -1);
  elDraw::Flip();
  EXPECT_EQ(TransitionStep, 0);
  Start(1, 26, INT_MAX - 2, 7);  // a direction of the caller's own
  elDraw::Flip();
  EXPECT_EQ(TransitionStep, 0);
  Start(2, 26, 5, 0);  // a step without a direction keeps drawing that step
  elDraw::Flip();
  elDraw::Flip();
  EXPECT_EQ(TransitionStep, 5);
}

// ---- present, capture, lost surfaces ----

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

TEST_F(Transition, ALostSurfaceDuringThePresentSkipsThatFrame) {
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
}

TEST_F(Transition, ALostSurfaceDuringACaptureOrABandIsRestored) {
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

// ---- overlay ----

TEST_F(Transition, OverlayTogglesOnlyOncePictureHeightIsKnown) {
  elDraw::ToggleOverlay();
  EXPECT_EQ(PictureOverlay, 0u);
  OverlayHeight = 1000;
  elDraw::ToggleOverlay();
  EXPECT_EQ(PictureOverlay, 1u);
  elDraw::ToggleOverlay();
  EXPECT_EQ(PictureOverlay, 0u);
}

TEST_F(Transition, OverlayScrollStaysWithinThePicture) {
  OverlayPicture = Sprite(440, 1000, [](int, int y) { return static_cast<uint16_t>(y + 1); });
  OverlayTile = Sprite(64, 48, [](int, int) { return uint16_t{0x2000}; });
  OverlayHeight = 1000;
  PictureOverlay = 1;
  FrameTime = 1.0f;
  OverlayKey = os::KeyDown;  // 100 rows a second
  for (int i = 0; i < 8; ++i) elDraw::Flip();
  EXPECT_EQ(OverlayScroll, 400.0f);  // 1000 - 600
  elDraw::Flip();
  EXPECT_EQ(Shown(180, 0), 401);  // the picture fills the clip rectangle from row 400
  EXPECT_EQ(Shown(619, 599), 1000);
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
  elDraw::ToggleOverlay();
  EXPECT_EQ(PictureOverlay, 1u);
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
  static ::testing::AssertionResult Same(const os::Rect& a, const os::Rect& b) {
    if (a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom)
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << a.left << "," << a.top << "," << a.right << ","
                                         << a.bottom << " is not " << b.left << "," << b.top
                                         << "," << b.right << "," << b.bottom;
  }
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
  EXPECT_TRUE(Same(Clip(), before));
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
  EXPECT_TRUE(Same(Clip(), (os::Rect{180, 0, 620, 600})));
}

TEST_F(Wipe, OpeningFromTheMiddleEndsAtTheSavedRectangle) {
  FrameTime = 0.1f;
  EXPECT_EQ(ClipWipeStart(0, 5, 1000.0f, 0), 1);  // 101 pixels a step
  EXPECT_TRUE(Same(Clip(), (os::Rect{180, 300, 620, 300})));
  ClipWipeStep();
  EXPECT_TRUE(Same(Clip(), (os::Rect{180, 199, 620, 401})));
  ClipWipeStep();
  EXPECT_EQ(ClipWipeStep(), 1);  // the finishing step
  EXPECT_TRUE(Same(Clip(), (os::Rect{180, 0, 620, 600})));
  EXPECT_EQ(ClipSaveDepth, 0);
  EXPECT_EQ(WipeOpened, 1u);
  EXPECT_EQ(ClipWipeStep(), 0);
}

TEST_F(Wipe, SlitTypesOpenAndCloseOneAxisAfterTheOther) {
  FrameTime = 0.0f;
  EXPECT_EQ(ClipWipeStart(0, 8, 0.0f, 20), 1);
  EXPECT_TRUE(Same(Clip(), (os::Rect{390, 300, 410, 300})));
  ClipWipeStep();
  EXPECT_TRUE(Same(Clip(), (os::Rect{390, 299, 410, 301})));
  for (int i = 0; i < 299; ++i) ClipWipeStep();
  EXPECT_TRUE(Same(Clip(), (os::Rect{390, 0, 410, 600})));
  ClipWipeStep();
  EXPECT_TRUE(Same(Clip(), (os::Rect{389, 0, 411, 600})));
  Run();
  EXPECT_TRUE(Same(Clip(), (os::Rect{180, 0, 620, 600})));

  EXPECT_EQ(ClipWipeStart(1, 9, 0.0f, 20), 1);
  for (int i = 0; i < 290; ++i) ClipWipeStep();
  EXPECT_TRUE(Same(Clip(), (os::Rect{180, 290, 620, 310})));  // the slit
  ClipWipeStep();
  EXPECT_TRUE(Same(Clip(), (os::Rect{181, 290, 619, 310})));
  Run();
  EXPECT_EQ(ClipLeft, ClipRight);
  EXPECT_EQ(ClipSaveDepth, -1);
}

TEST_F(Wipe, ClosingBothPairsMeetsInTheMiddle) {
  FrameTime = 1.0f;
  ClipWipeStart(1, 7, 99.0f, 0);  // 100 a step
  Run();
  EXPECT_TRUE(Same(Clip(), (os::Rect{400, 300, 400, 300})));
  EXPECT_EQ(WipeClosed, 1u);
}

TEST_F(Wipe, EndClosesAtOnceAndTheNextStartReopens) {
  ClipWipeEnd();
  EXPECT_TRUE(Same(Clip(), (os::Rect{180, 0, 180, 0})));
  EXPECT_EQ(ClipSaveDepth, -1);
  EXPECT_TRUE(Same(SavedClip, (os::Rect{180, 0, 620, 600})));
  FrameTime = 1.0f;
  ClipWipeStart(0, 7, 1.0e9f, 0);  // a huge speed opens in one step
  EXPECT_EQ(ClipWipeStep(), 1);
  EXPECT_TRUE(Same(Clip(), (os::Rect{180, 0, 620, 600})));
  EXPECT_EQ(WipeOpened, 1u);
}

}  // namespace
}  // namespace draw_test
