#include <cstring>
#include <functional>
#include <string>

#include "tests/el/draw/screen_fixture.h"

namespace screen_test {
namespace {

TEST_P(ScreenLayoutTest, DerivesThePixelFormatValues) {
  Start(GetParam());
  EXPECT_GE(BackBuffer->Pitch(), 1600 + GetParam().padding);
  if (GetParam().rgb555) {
    EXPECT_EQ(RedMask, 0x7C00u);
    EXPECT_EQ(GreenMask, 0x03E0u);
    EXPECT_EQ(BlueMask, 0x001Fu);
    EXPECT_EQ(RedShift, 10);
    EXPECT_EQ(GreenShift, 5);
    EXPECT_EQ(GreenMax, 31u);
    EXPECT_EQ(RedPlace, 10);
    EXPECT_EQ(GreenPlace, 5);
    EXPECT_EQ(HalfMask, 0x3DEFu);
    EXPECT_EQ(WhitePixel, 0x7FFFu);
  } else {
    EXPECT_EQ(RedMask, 0xF800u);
    EXPECT_EQ(GreenMask, 0x07E0u);
    EXPECT_EQ(RedShift, 11);
    EXPECT_EQ(GreenShift, 5);
    EXPECT_EQ(RedMax, 31u);
    EXPECT_EQ(GreenMax, 63u);
    EXPECT_EQ(RedPlace, 11);
    EXPECT_EQ(GreenPlace, 6);
    EXPECT_EQ(HalfMask, 0x7BEFu);
    EXPECT_EQ(WhitePixel, 0xFFFFu);
  }
  EXPECT_EQ(BlueShift, 0);
  EXPECT_EQ(BlueMax, 31u);
  EXPECT_EQ(BluePlace, 0);
}

INSTANTIATE_TEST_SUITE_P(Layouts, ScreenLayoutTest,
                         ::testing::Values(Layout{false, 0}, Layout{true, 0}, Layout{false, 8}),
                         LayoutName);

TEST_F(ScreenTest, StartsTheScreenObjectsAndState) {
  WindowX = 30;
  WindowY = 40;
  elDraw::SetClip(1, 2, 3, 4);
  Start();
  EXPECT_EQ(ScreenWidth, 800);
  EXPECT_EQ(ScreenHeight, 600);
  EXPECT_EQ(ScreenBits, 16);
  EXPECT_EQ(DirectDrawObject->ModeBits(), 16);
  EXPECT_TRUE(DirectDrawObject->Exclusive());
  EXPECT_EQ(BackBuffer->Width(), 800);
  EXPECT_EQ(PrimarySurface->Width(), 800);
  EXPECT_EQ(WindowClipper, nullptr);  // full screen has no clipper
  EXPECT_EQ(ClipLeft, 0);
  EXPECT_EQ(ClipTop, 0);
  EXPECT_EQ(ClipRight, 800);
  EXPECT_EQ(ClipBottom, 600);
  EXPECT_EQ(ScreenRect.right, 800);
  EXPECT_EQ(PresentRect.left, 30);
  EXPECT_EQ(PresentRect.bottom, 640);
  EXPECT_EQ(HardwareStretch, 1u);
  EXPECT_EQ(HardwareDriver, 0u);
  const char* names[4] = {"内部用１", "内部用２", "内部用３", "内部用４"};
  for (int slot = 0; slot < 4; ++slot) {
    const SpriteObject& o = SpriteObjects[slot];
    ASSERT_NE(o.Surface, nullptr);
    EXPECT_STREQ(o.Name, names[slot]);
    EXPECT_EQ(o.Width, 800);
    EXPECT_EQ(o.Height, 600);
    EXPECT_EQ(o.KeyColor, 0u);
    EXPECT_EQ(o.ReloadMode, 2);
    uint32_t key = 1;
    ASSERT_TRUE(os::Succeeded(o.Surface->GetColorKey(&key)));
    EXPECT_EQ(key, 0u);
  }
  for (int slot = 4; slot < SpriteObjectCount; ++slot) ASSERT_EQ(SpriteObjects[slot].Name[0], 0);
  EXPECT_EQ(BoxCount(), 0u);
  EXPECT_EQ(os::LiveSurfaceCount(), 6);

  // A second start releases the first one's objects.
  Start();
  EXPECT_EQ(os::LiveSurfaceCount(), 6);

  // SetClip stores the values as given, unordered.
  elDraw::SetClip(620, 600, 180, -5);
  EXPECT_EQ(ClipLeft, 620);
  EXPECT_EQ(ClipBottom, -5);
}

TEST_F(ScreenTest, MemoryModesPlaceTheSurfaces) {
  auto system = [](const os::Surface* s) { return (s->Caps() & os::SurfaceSystemMemory) != 0; };
  Start({false, 0}, 2);
  EXPECT_TRUE(system(PrimarySurface));
  EXPECT_TRUE(system(BackBuffer));
  EXPECT_TRUE(system(SpriteObjects[0].Surface));
  EXPECT_TRUE(system(SpriteObjects[1].Surface));
  Start({false, 0}, 1);
  EXPECT_FALSE(system(BackBuffer));
  EXPECT_FALSE(system(SpriteObjects[0].Surface));
  EXPECT_TRUE(system(SpriteObjects[2].Surface));  // the font objects always
  EXPECT_TRUE(system(SpriteObjects[3].Surface));
  Start({false, 0}, 3);
  EXPECT_FALSE(system(PrimarySurface));
  EXPECT_FALSE(system(BackBuffer));
  EXPECT_TRUE(system(SpriteObjects[0].Surface));
  EXPECT_TRUE(system(SpriteObjects[1].Surface));
}

TEST_F(ScreenTest, WindowModeTakesTheDesktopDepthAndClipsThePrimary) {
  FullScreen = 0;
  MainWindow = 7;
  Start();
  MainWindow = 0;
  EXPECT_EQ(ScreenBits, elSystem::GetScreenBits());
  EXPECT_FALSE(DirectDrawObject->ModeSet());
  ASSERT_NE(WindowClipper, nullptr);
  EXPECT_EQ(WindowClipper->GetWindow(), 7u);
  EXPECT_EQ(PrimarySurface->GetClipper(), WindowClipper);
  // The back buffer is 16-bit whatever the desktop, so the tables are built.
  EXPECT_EQ(ComponentSplitTable[0xFFFF][0], 31);
}

TEST_F(ScreenTest, WidthMinusOneTakesTheDesktopSize) {
  ASSERT_EQ(elDraw::Screen(-1, 0, 2), 1);
  EXPECT_EQ(ScreenWidth, os::DesktopWidth());
  EXPECT_EQ(ScreenHeight, os::DesktopHeight());
}

TEST_F(ScreenTest, DisplayModeFallbacks) {
  os::SurfaceTests().fail_mode_depths = (uint64_t{1} << 16) | (uint64_t{1} << 24);
  elDraw::SetScreenBits(16, 24, 0);
  EXPECT_EQ(elDraw::Screen(800, 600, 2), 0);
  EXPECT_EQ(LastBox(), "elDraw::Screen : 解像度が変更できません");
  EXPECT_EQ(ScreenBits, 24);  // keeps the last depth tried
  elDraw::SetScreenBits(16, 24, 32);
  ASSERT_EQ(elDraw::Screen(800, 600, 2), 1);
  EXPECT_EQ(ScreenBits, 32);
  EXPECT_EQ(os::ScreenBitsNow(), 32);
}

TEST_F(ScreenTest, ThreeDDriverAndStretchCaps) {
  os::SurfaceTests().driver_3d = true;
  os::SurfaceTests().no_hardware_stretch = true;
  Start();
  EXPECT_EQ(HardwareDriver, 1u);
  EXPECT_TRUE(DirectDrawObject->Hardware3d());
  EXPECT_EQ(HardwareStretch, 0u);
}

// Every start-up failure, by injection: the message, the result 0 and the
// error flag.
struct Failure {
  const char* name;
  bool window_mode;
  std::function<void()> inject;
  const char* message;
};

class ScreenFailureTest : public ScreenTest, public ::testing::WithParamInterface<Failure> {};

TEST_P(ScreenFailureTest, ReportsItsMessageAndReturnsZero) {
  FullScreen = GetParam().window_mode ? 0 : 1;
  GetParam().inject();
  EXPECT_EQ(elDraw::Screen(800, 600, 2), 0);
  EXPECT_EQ(LastBox(), std::string("elDraw::Screen : ") + GetParam().message);
  ASSERT_EQ(BoxCount(), 1u);
  EXPECT_EQ(os::headless::Boxes().back().title, "エラー発生");
  EXPECT_EQ(ErrorFlag, 1u);
}

auto& Tests() { return os::SurfaceTests(); }

INSTANTIATE_TEST_SUITE_P(
    Steps, ScreenFailureTest,
    ::testing::Values(
        Failure{"Display", false, [] { Tests().fail_steps = os::StepCreateDisplay; },
                "DirectDrawが使用できません"},
        Failure{"CooperativeLevel", false, [] { Tests().fail_steps = os::StepCooperativeLevel; },
                "フルスクリーン化できません"},
        Failure{"CooperativeLevelWindow", true,
                [] { Tests().fail_steps = os::StepCooperativeLevel; }, "フルスクリーン化できません"},
        Failure{"DisplayMode", false, [] { Tests().fail_mode_depths = uint64_t{1} << 16; },
                "解像度が変更できません"},
        Failure{"Primary", false, [] { Tests().fail_creation_in = 1; }, "表画面が生成できません"},
        Failure{"BackBuffer", false, [] { Tests().fail_creation_in = 2; }, "裏画面が生成できません"},
        Failure{"Clipper", true, [] { Tests().fail_steps = os::StepCreateClipper; },
                "クリップが生成できません"},
        Failure{"ClipperWindow", true, [] { Tests().fail_steps = os::StepClipperWindow; },
                "クリップにウィンドウハンドルを設定できません"},
        Failure{"SetClipper", true, [] { Tests().fail_steps = os::StepSetClipper; },
                "表画面をクリップできません"},
        Failure{"Buffer", false, [] { Tests().fail_creation_in = 3; },
                "Bufferスプライトが生成できません"},
        Failure{"Screen", false, [] { Tests().fail_creation_in = 4; },
                "Screenスプライトが生成できません"},
        Failure{"Font", false, [] { Tests().fail_creation_in = 5; }, "Fontスプライトが生成できません"},
        Failure{"FontBuffer", false, [] { Tests().fail_creation_in = 6; },
                "Fontバッファスプライトが生成できません"},
        Failure{"PixelFormat", false, [] { Tests().fail_steps = os::StepPixelFormat; },
                "ピクセル情報が取得できません"},
        Failure{"PaletteDisplay", true, [] { Tests().palette_display = true; },
                "ピクセル情報が取得できません"}),
    [](const ::testing::TestParamInfo<Failure>& info) { return std::string(info.param.name); });

TEST_F(ScreenTest, ShutdownReleasesEverythingAndMinimisesAFullScreenWindow) {
  MainWindow = os::CreateMainWindow("DEFAULT", "VANTRIS", true, 800, 600, os::DefaultWindowProc);
  ASSERT_NE(MainWindow, 0u);
  // Without a start: nothing to release, the pop-up window is still minimised.
  const int minimised = os::headless::MinimiseCount();
  elDraw::Shutdown();
  EXPECT_EQ(os::headless::MinimiseCount(), minimised + 1);

  Start();
  elDraw::GetScreenDC();
  ASSERT_NE(ScreenDC, nullptr);
  EXPECT_TRUE(BackBuffer->IsDcOut());
  elDraw::ReleaseScreenDC();
  EXPECT_EQ(ScreenDC, nullptr);
  EXPECT_FALSE(BackBuffer->IsDcOut());
  elDraw::GetScreenDC();  // still lent out at shutdown
  SpriteObjects[9].Name[0] = 'x';
  elDraw::Shutdown();
  EXPECT_EQ(os::LiveSurfaceCount(), 0);
  EXPECT_EQ(DirectDrawObject, nullptr);
  EXPECT_EQ(BackBuffer, nullptr);
  EXPECT_EQ(ScreenDC, nullptr);
  EXPECT_EQ(os::CurrentDisplay(), nullptr);
  EXPECT_EQ(SpriteObjects[0].Name[0], 0);
  EXPECT_EQ(SpriteObjects[9].Name[0], 0);
  EXPECT_EQ(os::headless::MinimiseCount(), minimised + 2);

  FullScreen = 0;
  Start();
  elDraw::Shutdown();
  EXPECT_EQ(os::headless::MinimiseCount(), minimised + 2);  // a caption window stays
  os::DestroyWindow(MainWindow);
  MainWindow = 0;
}

}  // namespace
}  // namespace screen_test
