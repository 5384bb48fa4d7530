// A small screen for the software blits: a display, a back buffer of a
// chosen size, channel layout and row padding, the pixel-format values and
// lookup tables, and pictures put straight into sprite slots.  The padding
// at the end of every back-buffer row holds a sentinel that no blit may
// touch.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "el/draw/elDraw.h"
#include "os/surface.h"
#include "tests/support/test_support.h"

namespace soft_test {

constexpr uint16_t kSentinel = 0xBEEF;

struct Layout {
  bool rgb555;
  int padding;  // bytes at the end of each row
};

class SoftBlitTest : public vantris_test::HeadlessTest {
 protected:
  void StartScreen(Layout layout = {false, 0}, int width = 64, int height = 48) {
    os::SurfaceLayoutSettings().rgb555 = layout.rgb555;
    os::SurfaceLayoutSettings().pitch_padding = layout.padding;
    ASSERT_TRUE(os::Succeeded(os::CreateDisplay(nullptr, &DirectDrawObject)));
    os::SurfaceDesc desc;
    desc.caps = os::SurfaceOffscreen | os::SurfaceSystemMemory;
    desc.width = width;
    desc.height = height;
    ASSERT_TRUE(os::Succeeded(DirectDrawObject->CreateSurface(desc, &BackBuffer)));
    const os::PixelFormat f = BackBuffer->Format();
    ASSERT_TRUE(elDraw::SetPixelFormatValues(f.red_mask, f.green_mask, f.blue_mask));
    elDraw::BuildTables(true);
    ScreenWidth = width;
    ScreenHeight = height;
    elDraw::SetClip(0, 0, width, height);
    // The Buffer object (slot 0) is screen-sized, as the start-up makes it.
    AddSurface(0, width, height);
    FillBack(0);
  }

  void TearDown() override {
    for (SpriteObject& o : SpriteObjects) {
      os::ReleaseSurface(o.Surface);
      o = SpriteObject();
    }
    os::ReleaseSurface(BackBuffer);
    BackBuffer = nullptr;
    os::ReleaseDisplay(DirectDrawObject);
    DirectDrawObject = nullptr;
    os::ResetSurfaceTests();
    vantris_test::HeadlessTest::TearDown();
  }

  os::Surface* AddSurface(int slot, int w, int h) {
    os::SurfaceDesc desc;
    desc.caps = os::SurfaceOffscreen | os::SurfaceSystemMemory;
    desc.width = w;
    desc.height = h;
    SpriteObject& o = SpriteObjects[slot];
    EXPECT_TRUE(os::Succeeded(DirectDrawObject->CreateSurface(desc, &o.Surface)));
    o.Name[0] = '*';
    o.Width = static_cast<uint16_t>(w);
    o.Height = static_cast<uint16_t>(h);
    return o.Surface;
  }

  // A picture of w x h pixels (row by row) in the next free slot.
  int32_t Picture(int w, int h, const std::vector<uint16_t>& pixels) {
    int slot = FirstFreeSprite;
    while (SpriteObjects[slot].Name[0] != 0) ++slot;
    os::Surface* s = AddSurface(slot, w, h);
    os::PixelView v = s->RawView();
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) v.Row(y)[x] = pixels[static_cast<size_t>(y) * w + x];
    return slot;
  }
  int32_t Picture(int w, int h, uint16_t fill) {
    return Picture(w, h, std::vector<uint16_t>(static_cast<size_t>(w) * h, fill));
  }
  // A picture whose every pixel is different and not 0.
  int32_t Counting(int w, int h) {
    std::vector<uint16_t> p(static_cast<size_t>(w) * h);
    for (size_t i = 0; i < p.size(); ++i) p[i] = static_cast<uint16_t>(i + 1);
    return Picture(w, h, p);
  }

  uint16_t& Back(int x, int y) { return BackBuffer->RawView().Row(y)[x]; }
  void FillBack(uint16_t p) {
    os::PixelView v = BackBuffer->RawView();
    for (int y = 0; y < v.height; ++y) {
      uint16_t* row = v.Row(y);
      for (int x = 0; x < v.pitch / 2; ++x) row[x] = x < v.width ? p : kSentinel;
    }
  }
  // Every back-buffer pixel, row by row.
  std::vector<uint16_t> BackPixels() {
    os::PixelView v = BackBuffer->RawView();
    std::vector<uint16_t> out;
    for (int y = 0; y < v.height; ++y)
      for (int x = 0; x < v.width; ++x) out.push_back(v.Row(y)[x]);
    return out;
  }
  bool PaddingIntact() {
    os::PixelView v = BackBuffer->RawView();
    for (int y = 0; y < v.height; ++y)
      for (int x = v.width; x < v.pitch / 2; ++x)
        if (v.Row(y)[x] != kSentinel) return false;
    return true;
  }
  // Lock counters: every lock of a surface moves its content version on.
  uint64_t BackLocks() const { return BackBuffer->ContentVersion(); }
  static uint64_t Locks(int32_t handle) { return SpriteObjects[handle].Surface->ContentVersion(); }

  // A pixel from 5-bit components, placed as the tables place them.
  static uint16_t Rgb(unsigned r, unsigned g, unsigned b) {
    return static_cast<uint16_t>((r << RedPlace) | (g << GreenPlace) | (b << BluePlace));
  }
  // A pixel from native channel values.
  static uint16_t Native(unsigned r, unsigned g, unsigned b) {
    return static_cast<uint16_t>((r << RedShift) | (g << GreenShift) | (b << BlueShift));
  }
  static std::array<int, 3> Comp(uint16_t p) {
    return {ComponentSplitTable[p][0], ComponentSplitTable[p][1], ComponentSplitTable[p][2]};
  }
};

// The same tests on 5-6-5 and 5-5-5, both with padded rows.
class SoftBlitLayoutTest : public SoftBlitTest, public ::testing::WithParamInterface<Layout> {
 protected:
  void SetUp() override {
    SoftBlitTest::SetUp();
    StartScreen(GetParam());
  }
};

inline std::string LayoutName(const ::testing::TestParamInfo<Layout>& info) {
  return std::string(info.param.rgb555 ? "Rgb555" : "Rgb565") + "Pad" +
         std::to_string(info.param.padding);
}

}  // namespace soft_test
