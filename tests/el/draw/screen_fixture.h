// The screen start-up on the headless backend with the program's folder in a
// fresh temporary folder, for the start-up, object and pack tests: helpers to
// write pictures there and to read the error boxes.
#pragma once
#include <cstdint>
#include <string>

#include "el/draw/elDraw.h"
#include "el/system/app_state.h"
#include "el/system/system_services.h"
#include "os/headless/headless.h"
#include "os/path.h"
#include "os/surface.h"
#include "tests/support/bmp_writer.h"
#include "tests/support/test_support.h"

namespace screen_test {

struct Layout {
  bool rgb555;
  int padding;
};

class ScreenTest : public vantris_test::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    os::ResetSurfaceTests();
    saved_exe_dir_ = os::ExeDir();
    dir_ = vantris_test::MakeTempDir("exe");
    os::SetExeDir(dir_);
    FullScreen = 1;
    WindowX = WindowY = 0;
    CursorClipOption = 0;
    SetDefaults();
  }
  void TearDown() override {
    elDraw::Shutdown();
    SetDefaults();
    os::ResetSurfaceTests();
    os::SetExeDir(saved_exe_dir_);
    EXPECT_EQ(os::LiveSurfaceCount(), 0);
    HeadlessTest::TearDown();
  }
  static void SetDefaults() {
    elDraw::SetScreenBits(16, 0, 0);
    elDraw::SetLoadColorKey(0);
    ImagePackPath.clear();
    ErrorFlag = 0;
  }
  void Start(Layout layout = {false, 0}, int32_t mode = 2) {
    os::SurfaceLayoutSettings().rgb555 = layout.rgb555;
    os::SurfaceLayoutSettings().pitch_padding = layout.padding;
    ASSERT_EQ(elDraw::Screen(800, 600, mode), 1);
    os::headless::ClearBoxes();
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
  static uint16_t Px(uint32_t rgb) {  // 0xRRGGBB in the back buffer's format
    const uint32_t colorref = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
    return os::ColorToPixel(BackBuffer->Format(), colorref);
  }

  std::string dir_;
  std::string saved_exe_dir_;
};

class ScreenLayoutTest : public ScreenTest, public ::testing::WithParamInterface<Layout> {};

inline std::string LayoutName(const ::testing::TestParamInfo<Layout>& info) {
  return std::string(info.param.rgb555 ? "rgb555" : "rgb565") + "_pad" +
         std::to_string(info.param.padding);
}

}  // namespace screen_test
