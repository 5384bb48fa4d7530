// The frame shared by the software blits: clipping, locking and the guards
// on handles, source rectangles and the clip rectangle.
#include <climits>
#include <functional>

#include "el/draw/soft_blit_frame.h"
#include "tests/el/draw/draw_fixture.h"

namespace draw_test {
namespace {

class SoftBlitFrame : public SoftBlitTest {
 protected:
  void SetUp() override {
    SoftBlitTest::SetUp();
    StartSmall({false, 6});
  }
};

TEST_F(SoftBlitFrame, ClipsAgainstTheClipRectangleAndMovesTheSource) {
  elDraw::SetClip(10, 5, 40, 30);
  const int32_t white = Picture(8, 4, 0xFFFF);
  // Ends exactly at ClipRight: drawn whole.
  EXPECT_EQ(1, elDraw::DrawHalfTransparent(32, 10, white, 0, 0, 8, 4));
  EXPECT_EQ(HalfMask, Back(32, 10));
  EXPECT_EQ(HalfMask, Back(39, 13));
  EXPECT_EQ(0, Back(31, 10) | Back(40, 13) | Back(39, 14));
  // Straddling ClipLeft and ClipTop: drawn from the first visible pixel, the
  // source moved by the same amount.
  FillBack(0);
  const int32_t pic = Counting(8, 4);
  EXPECT_EQ(1, elDraw::DrawAdditive(7, 3, pic, 0, 0, 8, 4));
  EXPECT_EQ(0, Back(9, 5) | Back(10, 4));
  const int32_t first = 2 * 8 + 3 + 1;  // source pixel (3, 2)
  EXPECT_EQ(elDraw::soft::BlendRule(AdditiveTable, 0, 0, 0)(first, 0), Back(10, 5));
  EXPECT_TRUE(PaddingIntact());
}

TEST_F(SoftBlitFrame, EmptyWidthLocksButNegativeWidthDoesNot) {
  elDraw::SetClip(0, 0, 40, 30);
  const int32_t pic = Counting(8, 4);
  uint64_t back = BackLocks(), src = Locks(pic);
  // Starting exactly at ClipRight gives w = 0: both surfaces are locked and unlocked.
  EXPECT_EQ(1, elDraw::DrawAdditive(40, 0, pic, 0, 0, 8, 4));
  EXPECT_EQ(back + 1, BackLocks());
  EXPECT_EQ(src + 1, Locks(pic));
  EXPECT_FALSE(BackBuffer->IsLocked());
  EXPECT_FALSE(SpriteObjects[pic].Surface->IsLocked());
  // Beyond it w < 0: nothing is locked.
  back = BackLocks(), src = Locks(pic);
  EXPECT_EQ(1, elDraw::DrawAdditive(41, 0, pic, 0, 0, 8, 4));
  EXPECT_EQ(1, elDraw::DrawHalfTransparent(0, 31, pic, 0, 0, 8, 4));
  EXPECT_EQ(1, elDraw::DrawAdditive(0, 0, pic, 5, 0, 4, 4));  // right < left
  EXPECT_EQ(back, BackLocks());
  EXPECT_EQ(src, Locks(pic));
  EXPECT_EQ(Blank(), Pixels());
}

TEST_F(SoftBlitFrame, FailedLocksReturnZeroAndLeaveNothingLocked) {
  const int32_t pic = Picture(4, 4, 0x1234);
  // The source's lock fails.
  os::SurfaceTests().fail_locks = 1;
  EXPECT_EQ(0, elDraw::DrawAdditive(0, 0, pic, 0, 0, 4, 4));
  EXPECT_FALSE(SpriteObjects[pic].Surface->IsLocked());
  EXPECT_FALSE(BackBuffer->IsLocked());
  // The back buffer's lock fails (it is busy): the source is unlocked again.
  os::PixelView held;
  ASSERT_TRUE(os::Succeeded(BackBuffer->Lock(&held)));
  EXPECT_EQ(0, elDraw::DrawHalfTransparent(0, 0, pic, 0, 0, 4, 4));
  EXPECT_EQ(0, elDraw::DrawRotated(0, 0, 4, 4, 0, pic, 0, 0, 4, 4));
  EXPECT_EQ(0, elDraw::DrawGrey(0, 0, pic, 0, 0, 4, 4));
  EXPECT_FALSE(SpriteObjects[pic].Surface->IsLocked());
  BackBuffer->Unlock();
  // A lost picture.
  os::LoseSurface(SpriteObjects[pic].Surface);
  EXPECT_EQ(0, elDraw::DrawAdditive(0, 0, pic, 0, 0, 4, 4));
  EXPECT_EQ(Blank(), Pixels());
}

TEST_F(SoftBlitFrame, BadHandlesDrawNothingAndLockNothing) {
  const uint64_t back = BackLocks();
  for (int32_t handle : {-1, 500, 100000, 37 /* free slot */}) {
    EXPECT_EQ(0, elDraw::DrawAdditive(0, 0, handle, 0, 0, 4, 4)) << handle;
    EXPECT_EQ(0, elDraw::DrawRotated(0, 0, 4, 4, 0, handle, 0, 0, 4, 4)) << handle;
    EXPECT_EQ(0, elDraw::DrawBoxBlur(0, 0, 2, handle, 0, 0, 4, 4)) << handle;
    EXPECT_EQ(0, elDraw::DrawShape(0, 0, 0, 0, handle)) << handle;
  }
  EXPECT_EQ(back, BackLocks());
}

TEST_F(SoftBlitFrame, SourceRectangleIsCutToThePicture) {
  const int32_t pic = Counting(4, 3);
  // Asking for (-2, -1)-(10, 9) of a 4 x 3 picture at (20, 10) draws the
  // picture itself at (22, 11).
  EXPECT_EQ(1, elDraw::DrawDarkened(20, 10, 31, pic, -2, -1, 10, 9));
  std::vector<uint16_t> expected = Blank();
  for (int i = 0; i < 12; ++i) {
    const auto c = Comp(static_cast<uint16_t>(i + 1));
    expected[(11 + i / 4) * 64 + 22 + i % 4] = Rgb(c[0], c[1], c[2]);
  }
  EXPECT_EQ(expected, Pixels());
  // Entirely outside the picture: nothing, nothing locked.
  const uint64_t back = BackLocks();
  EXPECT_EQ(1, elDraw::DrawAdditive(0, 0, pic, 5, 0, 9, 3));
  EXPECT_EQ(back, BackLocks());
}

TEST_F(SoftBlitFrame, ClipRectangleIsCutToTheBackBuffer) {
  const int32_t pic = Picture(20, 20, 0xFFFF);
  elDraw::SetClip(-100, -100, 5000, 5000);
  for (auto [x, y] : {std::pair{-10, -10}, {55, 40}, {60, -5}, {-5, 45}}) {
    EXPECT_EQ(1, elDraw::DrawHalfTransparent(x, y, pic, 0, 0, 20, 20));
    EXPECT_EQ(1, elDraw::DrawRotated(x, y, x + 20, y + 20, 45, pic, 0, 0, 20, 20));
  }
  EXPECT_TRUE(PaddingIntact());
  EXPECT_NE(0, Back(0, 0));
  EXPECT_NE(0, Back(63, 47));
  // An inverted clip rectangle draws nothing.
  FillBack(0);
  elDraw::SetClip(40, 30, 10, 5);
  EXPECT_EQ(1, elDraw::DrawAdditive(20, 10, pic, 0, 0, 20, 20));
  EXPECT_EQ(Blank(), Pixels());
}

// Every blit and effect, called with rectangles and arguments far outside
// everything on a padded 5-5-5 back buffer: nothing is written outside the
// back buffer's pixels (the sanitizers watch the memory, the sentinel the
// row padding).
TEST_F(SoftBlitTest, NoRoutineWritesOutsideTheBackBuffer) {
  StartSmall({true, 10});
  const int32_t p = Counting(30, 30);
  elDraw::SetClip(-1000, -1000, 1000, 1000);
  constexpr int kMin = INT32_MIN, kMax = INT32_MAX;
#define CALL(draw) [&](int x, int y) { elDraw::draw; }
  const std::vector<std::function<void(int, int)>> calls = {
      CALL(DrawAdditive(x, y, p, -5, -5, 99, 99)),
      CALL(DrawAdditive(x, y, p, kMin, kMin, kMax, kMax)),
      CALL(DrawRotated(x, y, x + 60, y + 60, 7, p, kMin, kMin, kMax, kMax)),
      CALL(DrawEdgeSmear(x, y, 0, 3, p, kMin, 0, 5, 5)),
      CALL(DrawEdgeSmear(x, y, 2, 3, p, 0, kMin, 5, 5)),
      CALL(DrawAdditiveLevel(x, y, 7.0f, p, -5, -5, 99, 99)),
      CALL(DrawHalfTransparent(x, y, p, -5, -5, 99, 99)),
      CALL(DrawRotated(x, y, x + 90, y + 70, -725, p, -5, -5, 99, 99)),
      CALL(DrawRotatedTiled(x, y, x + 90, y + 70, 33, p, -5, -5, 99, 99)),
      CALL(DrawRotatedScaled2(x, y, x + 90, y + 70, 33, 0.3f, p, -5, -5, 99, 99)),
      CALL(DrawRotatedTiledScaled(x, y, x + 90, y + 70, 33, -2.0f, p, 0, 0, 30, 30)),
      CALL(DrawRotatedScaledBlend(x, y, x + 90, y + 70, 33, 1.0f, -0.05f, 1.0f, 0.5f, 3.0f,
                                  -1.0f, 0.5f, p, 0, 0, 30, 30)),
      CALL(DrawAlphaGradient(x, y, 0, 2, -1, 0, 3, 0, p, -5, -5, 99, 99)),
      CALL(DrawCrossfadeGradient(x, y, 99, -9, 4, 1, -3, -1, p, 0, 0, 99, 99)),
      CALL(DrawBrightnessRGBV(x, y, 9.0f, -1.0f, 0.5f, p, 0, 0, 99, 99)),
      CALL(DrawEdgeSmoothed(x, y, p, -5, -5, 99, 99)),
      CALL(DrawBoxBlur(x, y, 1000, p, -5, -5, 99, 99)),
      CALL(DrawRipple(x, y, 90, 7, 0, 1e9f, 3.0f, p, -5, -5, 99, 99)),
      CALL(DrawEdgeSmear(x, y, 1, -40, p, 0, 0, 99, 99)),
      CALL(DrawEdgeSmear(x, y, 3, 4000, p, 0, 0, 99, 99)),
      CALL(DrawDisplaced(x, y, 5.0f, p, 0, 0, 99, 99)),
      CALL(DrawGlowRays(x, y, -3, 40, 0, 0xFF, 1, p, -5, -5, 99, 99)),
      CALL(NoiseRect(x, y, 90, 90)),
      CALL(NoiseRectColor(1, 1, 1, x, y, 90, 90)),
      CALL(SmoothRectEx(1, 0, 1, x, y, 90, 90)),
      CALL(SparkleRect(40, x, y, 90, 90)),
      CALL(SparkleRectColor(1, 0, 1, -4, x, y, 90, 90)),
      CALL(CircleMosaicRect(x, y, 70, 0)),
      CALL(ZoomRect4x(x, y, 90, 90, 0)),
  };
#undef CALL
  for (size_t i = 0; i < calls.size(); ++i)
    for (auto [x, y] : {std::pair{-40, -40}, {50, 35}, {-20, 40}, {60, -25}, {-100000, 3},
                        {2000000000, -2000000000}}) {
      calls[i](x, y);
      ASSERT_TRUE(PaddingIntact()) << "call " << i << " at " << x << ", " << y;
      ASSERT_FALSE(BackBuffer->IsLocked());
    }
}

}  // namespace
}  // namespace draw_test
