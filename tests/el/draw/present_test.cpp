// The present: transitions, lost surfaces and the clip wipes.
#include <climits>

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
};

// An old frame that tells columns apart.
uint16_t Column(int x, int) { return static_cast<uint16_t>(1 + x); }

TEST_F(Transition, Pattern3FirstFrameShowsAllButEachBandthRowShiftedByAtMostOne) {
  CaptureOld(Column);
  Start(3, 26, 26);
  elDraw::Flip();
  int old_rows = 0;
  for (int i = 0; i < 600; ++i) {
    // The old frame shows only inside the playfield.
    ASSERT_EQ(BackAt({{179, i}, {620, i}}, true), (V{0, 0})) << i;
    if (i % 26 == 0) {
      EXPECT_EQ(Shown(300, i), 0) << i;
      continue;
    }
    ++old_rows;
    const int shift = 301 - Shown(300, i);  // old column 300 - shift
    EXPECT_TRUE(shift == -1 || shift == 0) << i << " " << shift;
  }
  EXPECT_EQ(old_rows, 576);
  EXPECT_EQ(TransitionStep, 25);
}

TEST_F(Transition, RunsWithoutABandStepWithoutDrawingAndStepsNeverOverflow) {
  elDraw::SetClip(0, 0, 800, 600);
  CaptureOld(Column);
  Start(3, 0, 26);
  elDraw::Flip();
  EXPECT_EQ(TransitionStep, 25);
  EXPECT_EQ(Shown(300, 1), 0);
  Start(1, 26, INT_MAX, 1);
  elDraw::Flip();
  EXPECT_EQ(TransitionStep, 0);
}

TEST_F(Transition, LostSurfacesSkipThePresentAndCapturesOffTheBufferAreRefused) {
  elDraw::Flip();
  const int count = os::headless::PresentCount();
  os::LoseSurface(PrimarySurface);
  elDraw::Flip();
  EXPECT_NE(PrimarySurface->IsLost(), os::SurfaceResult::SurfaceLost);
  os::LoseSurface(BackBuffer);
  elDraw::Flip();
  EXPECT_FALSE(BackLost());
  EXPECT_EQ(os::headless::PresentCount(), count);  // neither frame went out
  // A capture from a rectangle off the back buffer is refused.
  FillBack([](int, int) { return uint16_t{7}; });
  elDraw::CaptureScreen(1, 0, 0, 800, 600);
  elDraw::CaptureScreen(1, 0, 0, 801, 600);
  EXPECT_EQ(SpriteObjects[1].Surface->RawView().Row(599)[799], 7);
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

TEST_F(Wipe, ClosingAtSpeedZeroMovesOnePixelPerCall) {
  EXPECT_EQ(ClipWipeStart(1, 1, 0.0f, 0), 1);
  FrameTime = 0.5f;
  EXPECT_EQ(ClipWipeStep(), 1);
  EXPECT_EQ(ClipTop, 1);
  EXPECT_EQ(Run(), 599);
  EXPECT_EQ(ClipTop, 600);
  EXPECT_EQ(ClipSaveDepth, -1);
  EXPECT_EQ(WipeClosed, 1u);
  EXPECT_EQ(ClipWipeStep(), 0);
  // The next start first reopens the closed rectangle.
  EXPECT_EQ(ClipWipeStart(1, 2, 0.0f, 0), 1);
  EXPECT_TRUE(RectIs(Clip(), 180, 0, 620, 600));
}

}  // namespace
}  // namespace draw_test
