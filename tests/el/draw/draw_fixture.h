// A started 800 x 600 screen on the headless backend for the draws, the
// present and the transitions, with the game's playfield clip and helpers to
// make pictures and read the back buffer and the presented frame.
#pragma once
#include <cstdint>
#include <functional>

#include "el/draw/elDraw.h"
#include "el/system/app_state.h"
#include "el/system/frame_timer.h"
#include "os/headless/headless.h"
#include "os/surface.h"
#include "tests/support/test_support.h"

namespace draw_test {

class DrawTest : public vantris_test::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ResetState();
    ASSERT_EQ(elDraw::Screen(800, 600, 2), 1);
    elDraw::SetClip(180, 0, 620, 600);
    FrameTime = 0.0f;
  }
  void TearDown() override {
    elDraw::Shutdown();
    ResetState();
    os::ResetSurfaceTests();
    HeadlessTest::TearDown();
  }
  static void ResetState() {
    TransitionStep = TransitionPattern = TransitionDir = TransitionBand = TransitionPicture = 0;
    PictureOverlay = 0;
    OverlayPicture = OverlayTile = OverlayHeight = 0;
    OverlayScroll = OverlayTileX = OverlayTileY = 0.0f;
    OverlayKey = 0;
    VSyncFlag = 1;
    ClipSaveDepth = 0;
    WipeOpened = WipeClosed = 0;
    RowEffects = RowEffectState();
    FrameTime = 0.0f;
  }

  // A w x h picture (keyed on black) whose pixel (x, y) is pixel(x, y).
  static int32_t Sprite(int w, int h, const std::function<uint16_t(int, int)>& pixel) {
    const int32_t handle = elDraw::CreateObject(w, h, 2);
    EXPECT_NE(handle, 0);
    Paint(handle, pixel);
    return handle;
  }
  static void Paint(int32_t handle, const std::function<uint16_t(int, int)>& pixel) {
    os::Surface* s = SpriteObjects[handle].Surface;
    os::PixelView v;
    ASSERT_TRUE(os::Succeeded(s->Lock(&v, true)));
    for (int y = 0; y < v.height; ++y)
      for (int x = 0; x < v.width; ++x) v.Row(y)[x] = pixel(x, y);
    s->Unlock();
  }
  static uint16_t Back(int x, int y) { return BackBuffer->RawView().Row(y)[x]; }
  static void FillBack(const std::function<uint16_t(int, int)>& pixel) {
    os::PixelView v = BackBuffer->RawView();
    for (int y = 0; y < v.height; ++y)
      for (int x = 0; x < v.width; ++x) v.Row(y)[x] = pixel(x, y);
  }
  static bool BackLost() { return BackBuffer->IsLost() == os::SurfaceResult::SurfaceLost; }
  // Number of back-buffer pixels equal to p.
  static int CountBack(uint16_t p) {
    int n = 0;
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x) n += Back(x, y) == p;
    return n;
  }
  static uint16_t Shown(int x, int y) { return os::headless::LastPresented().At(x, y); }
};

}  // namespace draw_test
