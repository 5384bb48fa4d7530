// Screens for the drawing tests, on the headless backend.
#pragma once
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "el/draw/elDraw.h"
#include "el/system/app_state.h"
#include "el/system/elSystem.h"
#include "el/system/frame_timer.h"
#include "el/system/system_services.h"
#include "os/gdi/gdi.h"
#include "os/headless/headless.h"
#include "os/path.h"
#include "os/sjis.h"
#include "os/surface.h"
#include "tests/support/bmp_writer.h"
#include "tests/support/test_support.h"

namespace draw_test {

struct Layout {
  bool rgb555;
  int padding;  // bytes at the end of each row
};

inline std::string LayoutName(const ::testing::TestParamInfo<Layout>& info) {
  return std::string(info.param.rgb555 ? "Rgb555" : "Rgb565") + "Pad" +
         std::to_string(info.param.padding);
}

inline void UseLayout(Layout layout) {
  os::SurfaceLayoutSettings().rgb555 = layout.rgb555;
  os::SurfaceLayoutSettings().pitch_padding = layout.padding;
}

inline ::testing::AssertionResult RectIs(const os::Rect& r, int left, int top, int right,
                                         int bottom) {
  if (r.left == left && r.top == top && r.right == right && r.bottom == bottom)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << r.left << "," << r.top << "," << r.right << ","
                                       << r.bottom << " is not " << left << "," << top << ","
                                       << right << "," << bottom;
}

inline std::string Sjis(const char* utf8) { return os::Utf8ToSjis(utf8); }

class DrawTest : public vantris_test::PlayfieldTest {
 protected:
  void SetUp() override {
    PlayfieldTest::SetUp();
    ResetState();
  }
  void TearDown() override {
    ResetState();
    PlayfieldTest::TearDown();
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
  static void FillBack(const std::function<uint16_t(int, int)>& pixel) {
    os::PixelView v = BackBuffer->RawView();
    for (int y = 0; y < v.height; ++y)
      for (int x = 0; x < v.width; ++x) v.Row(y)[x] = pixel(x, y);
  }
  static bool BackLost() { return BackBuffer->IsLost() == os::SurfaceResult::SurfaceLost; }
  static uint16_t Shown(int x, int y) { return os::headless::LastPresented().At(x, y); }
  // The back-buffer (or presented) pixels at a few points, in order.
  using Points = std::initializer_list<std::pair<int, int>>;
  static std::vector<uint16_t> BackAt(Points points, bool shown = false) {
    std::vector<uint16_t> out;
    for (auto [x, y] : points) out.push_back(shown ? Shown(x, y) : Back(x, y));
    return out;
  }
};

// Fills the back buffer's row padding; no draw may touch it.
constexpr uint16_t kSentinel = 0xBEEF;

class ScreenTest : public vantris_test::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    saved_exe_dir_ = os::ExeDir();
    dir_ = vantris_test::MakeTempDir("exe");
    os::SetExeDir(dir_);
    FullScreen = 1;
    WindowX = WindowY = 0;
    CursorClipOption = 0;
    SetDefaults();
    gdi_objects_ = os::LiveGdiObjectCount();
  }
  void TearDown() override {
    elDraw::FreeFonts();
    elDraw::Shutdown();
    SetDefaults();
    os::ResetSurfaceTests();
    os::SetExeDir(saved_exe_dir_);
    EXPECT_EQ(os::LiveSurfaceCount(), 0);
    EXPECT_EQ(os::LiveGdiObjectCount(), gdi_objects_);
    FrameTime = 0;
    HeadlessTest::TearDown();
  }
  static void SetDefaults() {
    elDraw::SetScreenBits(16, 0, 0);
    elDraw::SetLoadColorKey(0);
    ImagePackPath.clear();
    ErrorFlag = 0;
  }
  // The start-up with a back buffer of the given layout, cleared.
  void Start(Layout layout = {false, 0}, int32_t mode = 2, int width = 800, int height = 600) {
    UseLayout(layout);
    ASSERT_EQ(elDraw::Screen(width, height, mode), 1);
    os::headless::ClearBoxes();
    FillBack(0);
  }
  // Writes a 24-bit picture into the program's folder.
  template <typename ColourAt>
  void Picture(const std::string& name, int w, int h, ColourAt colour_at) {
    ASSERT_TRUE(vantris_test::WriteBytes(dir_ + name, vantris_test::MakeBmp24(w, h, colour_at)));
  }
  static std::string LastBox() {
    const auto& boxes = os::headless::Boxes();
    return boxes.empty() ? std::string() : boxes.back().text;
  }
  static size_t BoxCount() { return os::headless::Boxes().size(); }
  static uint16_t At(int32_t handle, int x, int y) {
    return SpriteObjects[handle].Surface->RawView().Row(y)[x];
  }
  static uint16_t Pixel(uint32_t colorref) {
    return os::ColorToPixel(BackBuffer->Format(), colorref);
  }
  static uint16_t Px(uint32_t rgb) {  // 0xRRGGBB
    return Pixel(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
  }
  // A slot as "name WxH key K packed P reload R" (the key in hex).
  static std::string Slot(int32_t handle) {
    const SpriteObject& o = SpriteObjects[handle];
    char text[96];
    std::snprintf(text, sizeof text, "%s %dx%d key %x packed %u reload %d", o.Name, o.Width,
                  o.Height, unsigned(o.KeyColor), unsigned(o.Packed), int(o.ReloadMode));
    return text;
  }
  static uint32_t Key(int32_t handle) {
    uint32_t key = 0xDEADBEEF;
    EXPECT_TRUE(os::Succeeded(SpriteObjects[handle].Surface->GetColorKey(&key)));
    return key;
  }
  static uint16_t& Back(int x, int y) { return BackBuffer->RawView().Row(y)[x]; }
  static void FillBack(uint16_t p) {
    os::PixelView v = BackBuffer->RawView();
    for (int y = 0; y < v.height; ++y)
      for (int x = 0; x < v.pitch / 2; ++x) v.Row(y)[x] = x < v.width ? p : kSentinel;
  }
  // Every pixel of a surface (the back buffer by default), row by row.
  static std::vector<uint16_t> Pixels(os::Surface* s = nullptr) {
    const os::PixelView v = (s ? s : BackBuffer)->RawView();
    std::vector<uint16_t> out;
    for (int y = 0; y < v.height; ++y) out.insert(out.end(), v.Row(y), v.Row(y) + v.width);
    return out;
  }
  static bool PaddingIntact() {
    const os::PixelView v = BackBuffer->RawView();
    for (int y = 0; y < v.height; ++y)
      for (int x = v.width; x < v.pitch / 2; ++x)
        if (v.Row(y)[x] != kSentinel) return false;
    return true;
  }
  // A pixel from 5-bit components, placed as the tables place them.
  static uint16_t Rgb(unsigned r, unsigned g, unsigned b) {
    return static_cast<uint16_t>((r << RedPlace) | (g << GreenPlace) | (b << BluePlace));
  }

  std::string dir_;
  std::string saved_exe_dir_;
  size_t gdi_objects_ = 0;
};

class ScreenLayoutTest : public ScreenTest, public ::testing::WithParamInterface<Layout> {};

// A small screen (64 x 48 unless asked) for the software blits.
class SoftBlitTest : public ScreenTest {
 protected:
  void StartSmall(Layout layout, int width = 64, int height = 48) {
    Start(layout, 2, width, height);
  }
  // A picture of w x h pixels (row by row) in the next free slot.
  static int32_t Picture(int w, int h, const std::vector<uint16_t>& pixels) {
    const int32_t handle = elDraw::CreateObject(w, h, 1);
    os::PixelView v = SpriteObjects[handle].Surface->RawView();
    for (int y = 0; y < h; ++y) std::copy_n(&pixels[static_cast<size_t>(y) * w], w, v.Row(y));
    return handle;
  }
  static int32_t Picture(int w, int h, uint16_t fill) {
    return Picture(w, h, std::vector<uint16_t>(static_cast<size_t>(w) * h, fill));
  }
  // A picture whose every pixel is different and not 0.
  static int32_t Counting(int w, int h) {
    std::vector<uint16_t> p(static_cast<size_t>(w) * h);
    for (size_t i = 0; i < p.size(); ++i) p[i] = static_cast<uint16_t>(i + 1);
    return Picture(w, h, p);
  }
  static std::vector<uint16_t> Blank() { return std::vector<uint16_t>(64 * 48, 0); }
  static uint64_t BackLocks() { return BackBuffer->ContentVersion(); }
  static uint16_t Native(unsigned r, unsigned g, unsigned b) {
    return static_cast<uint16_t>((r << RedShift) | (g << GreenShift) | (b << BlueShift));
  }
  static std::array<int, 3> Comp(uint16_t p) {
    return {ComponentSplitTable[p][0], ComponentSplitTable[p][1], ComponentSplitTable[p][2]};
  }
};

// Text, shapes and screenshots: rows padded by 4 bytes, a clock that stays put.
class TextTest : public ScreenTest {
 protected:
  void StartText(int width, int height, bool rgb555 = false) {
    os::headless::SetReadQuantumMicros(0);
    Start({rgb555, 4}, 2, width, height);
  }
  static uint16_t& FontObject(int x, int y) {
    return SpriteObjects[2].Surface->RawView().Row(y)[x];
  }
  // Pixels of the surface inside `area` equal to p (or, without p, not 0).
  static int Count(os::Surface* s, const os::Rect& area, int p = -1) {
    int n = 0;
    const os::PixelView v = s->RawView();
    for (int y = std::max(0, area.top); y < std::min(v.height, area.bottom); ++y)
      for (int x = std::max(0, area.left); x < std::min(v.width, area.right); ++x)
        n += p < 0 ? v.Row(y)[x] != 0 : v.Row(y)[x] == p;
    return n;
  }
  static int NonZero(os::Surface* s, const os::Rect& area) { return Count(s, area); }
  // The extent of a text with the font selected now.
  static int Extent(const std::string& text, int* height = nullptr) {
    int32_t cx = 0, cy = 0;
    os::GetTextExtent(TextDC, text.data(), static_cast<int32_t>(text.size()), &cx, &cy);
    if (height) *height = cy;
    return cx;
  }
};

}  // namespace draw_test
