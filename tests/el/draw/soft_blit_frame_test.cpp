// The frame shared by the software blits: locking and the guards.
#include <functional>

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

TEST_F(SoftBlitFrame, FailedLocksReturnZeroAndLeaveNothingLocked) {
  const int32_t pic = Picture(4, 4, 0x1234);
  os::SurfaceTests().fail_locks = 1;  // the source's lock fails
  EXPECT_EQ(0, elDraw::DrawAdditive(0, 0, pic, 0, 0, 4, 4));
  EXPECT_FALSE(BackBuffer->IsLocked());
  // The back buffer's lock fails (it is busy): the source is unlocked again.
  os::PixelView held;
  ASSERT_TRUE(os::Succeeded(BackBuffer->Lock(&held)));
  EXPECT_EQ(0, elDraw::DrawHalfTransparent(0, 0, pic, 0, 0, 4, 4));
  EXPECT_FALSE(SpriteObjects[pic].Surface->IsLocked());
  BackBuffer->Unlock();
  // A lost picture.
  os::LoseSurface(SpriteObjects[pic].Surface);
  EXPECT_EQ(0, elDraw::DrawAdditive(0, 0, pic, 0, 0, 4, 4));
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
      CALL(DrawAdditive(x, y, p, kMin, kMin, kMax, kMax)),
      CALL(DrawRotated(x, y, x + 60, y + 60, 7, p, kMin, kMin, kMax, kMax)),
      CALL(DrawEdgeSmear(x, y, 0, 3, p, kMin, 0, 5, 5)),
      CALL(DrawEdgeSmear(x, y, 2, 3, p, 0, kMin, 5, 5)),
      CALL(DrawRotatedScaled2(x, y, x + 90, y + 70, 33, 0.3f, p, -5, -5, 99, 99)),
      CALL(DrawRotatedTiledScaled(x, y, x + 90, y + 70, 33, -2.0f, p, 0, 0, 30, 30)),
      CALL(DrawRotatedScaledBlend(x, y, x + 90, y + 70, 33, 1.0f, -0.05f, 1.0f, 0.5f, 3.0f,
                                  -1.0f, 0.5f, p, 0, 0, 30, 30)),
      CALL(DrawAlphaGradient(x, y, 0, 2, -1, 0, 3, 0, p, -5, -5, 99, 99)),
      CALL(DrawCrossfadeGradient(x, y, 99, -9, 4, 1, -3, -1, p, 0, 0, 99, 99)),
      CALL(DrawBrightnessRGBV(x, y, 9.0f, -1.0f, 0.5f, p, 0, 0, 99, 99)),
      CALL(DrawBoxBlur(x, y, 1000, p, -5, -5, 99, 99)),
      CALL(DrawRipple(x, y, 90, 7, 0, 1e9f, 3.0f, p, -5, -5, 99, 99)),
      CALL(DrawEdgeSmear(x, y, 3, 4000, p, 0, 0, 99, 99)),
      CALL(DrawDisplaced(x, y, 5.0f, p, 0, 0, 99, 99)),
      CALL(DrawGlowRays(x, y, -3, 40, 0, 0xFF, 1, p, -5, -5, 99, 99)),
      CALL(NoiseRect(x, y, 90, 90)),
      CALL(SparkleRect(40, x, y, 90, 90)),
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
