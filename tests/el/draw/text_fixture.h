// A screen for the text, shape and screenshot tests: a display, a back buffer
// and the four internal objects (the Font and Font buffer objects keyed on
// black), the pixel-format values, the clip rectangle over the whole screen
// and the fonts started.  Sizes and layout are chosen per test.
#pragma once
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
#include "os/gdi/gdi.h"
#include "os/sjis.h"
#include "tests/support/test_support.h"

namespace text_test {

inline std::string Sjis(const char* utf8) { return os::Utf8ToSjis(utf8); }

class TextScreenTest : public vantris_test::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    os::headless::SetReadQuantumMicros(0);
    os::ResetSurfaceTests();
    objects_at_start_ = os::LiveGdiObjectCount();
  }

  void StartScreen(int width = 800, int height = 600, bool rgb555 = false) {
    os::SurfaceLayoutSettings().rgb555 = rgb555;
    os::SurfaceLayoutSettings().pitch_padding = 4;
    ASSERT_TRUE(os::Succeeded(os::CreateDisplay(nullptr, &DirectDrawObject)));
    os::SurfaceDesc desc;
    desc.caps = os::SurfaceOffscreen | os::SurfaceSystemMemory;
    desc.width = width;
    desc.height = height;
    ASSERT_TRUE(os::Succeeded(DirectDrawObject->CreateSurface(desc, &BackBuffer)));
    for (int slot = 0; slot < 4; ++slot) {
      SpriteObject& o = SpriteObjects[slot];
      ASSERT_TRUE(os::Succeeded(DirectDrawObject->CreateSurface(desc, &o.Surface)));
      o.Surface->SetColorKey(0);
      o.Name[0] = '*';
      o.Width = static_cast<uint16_t>(width);
      o.Height = static_cast<uint16_t>(height);
    }
    const os::PixelFormat f = BackBuffer->Format();
    ASSERT_TRUE(elDraw::SetPixelFormatValues(f.red_mask, f.green_mask, f.blue_mask));
    ScreenWidth = width;
    ScreenHeight = height;
    elDraw::SetClip(0, 0, width, height);
    elDraw::InitFonts();
  }

  void TearDown() override {
    elDraw::FreeFonts();
    for (SpriteObject& o : SpriteObjects) {
      os::ReleaseSurface(o.Surface);
      o = SpriteObject();
    }
    os::ReleaseSurface(BackBuffer);
    BackBuffer = nullptr;
    os::ReleaseDisplay(DirectDrawObject);
    DirectDrawObject = nullptr;
    os::ResetSurfaceTests();
    EXPECT_EQ(os::LiveGdiObjectCount(), objects_at_start_);
    FrameTime = 0;
    HeadlessTest::TearDown();
  }

  static uint16_t& Back(int x, int y) { return BackBuffer->RawView().Row(y)[x]; }
  static uint16_t& FontObject(int x, int y) {
    return SpriteObjects[2].Surface->RawView().Row(y)[x];
  }
  static void FillBack(uint16_t p) { os::Fill(BackBuffer, nullptr, p); }
  static uint16_t Pixel(uint32_t colorref) {
    return os::ColorToPixel(BackBuffer->Format(), colorref);
  }
  // Bounding box of the surface's pixels that satisfy `pred` (empty when none).
  template <typename Pred>
  static os::Rect Box(os::Surface* s, Pred pred) {
    os::Rect r{1 << 20, 1 << 20, -(1 << 20), -(1 << 20)};
    const os::PixelView v = s->RawView();
    for (int y = 0; y < v.height; ++y)
      for (int x = 0; x < v.width; ++x)
        if (pred(v.Row(y)[x])) {
          r.left = std::min(r.left, x);
          r.top = std::min(r.top, y);
          r.right = std::max(r.right, x + 1);
          r.bottom = std::max(r.bottom, y + 1);
        }
    return r;
  }
  static int Count(os::Surface* s, const os::Rect& area, uint16_t p) {
    int n = 0;
    const os::PixelView v = s->RawView();
    for (int y = std::max(0, area.top); y < std::min(v.height, area.bottom); ++y)
      for (int x = std::max(0, area.left); x < std::min(v.width, area.right); ++x)
        n += v.Row(y)[x] == p;
    return n;
  }
  static int NonZero(os::Surface* s, const os::Rect& area) {
    int n = 0;
    const os::PixelView v = s->RawView();
    for (int y = std::max(0, area.top); y < std::min(v.height, area.bottom); ++y)
      for (int x = std::max(0, area.left); x < std::min(v.width, area.right); ++x)
        n += v.Row(y)[x] != 0;
    return n;
  }
  // The extent of a text with the font selected now.
  static int Extent(const std::string& text, int* height = nullptr) {
    int32_t cx = 0, cy = 0;
    os::GetTextExtent(TextDC, text.data(), static_cast<int32_t>(text.size()), &cx, &cy);
    if (height) *height = cy;
    return cx;
  }

  size_t objects_at_start_ = 0;
};

}  // namespace text_test
