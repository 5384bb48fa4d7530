// The screen start-up, the derived pixel-format values and the lookup tables.
#include <string>
#include <vector>

#include "tests/el/draw/draw_fixture.h"

namespace draw_test {
namespace {

using elDraw::BlendIndex;
using elDraw::SubtractiveIndex;

// Placed values back to components, for the layout-independent checks.
int Component(int plane, uint16_t placed) {
  return placed >> (plane == 0 ? RedPlace : plane == 1 ? GreenPlace : BluePlace);
}

TEST_P(ScreenLayoutTest, DerivedPixelFormatValuesAndLookupTableEdges) {
  Start(GetParam());
  const bool is555 = GetParam().rgb555;
  EXPECT_GE(BackBuffer->Pitch(), 1600 + GetParam().padding);
  // Masks, shifts, maxima, places, the half mask and white.
  const std::vector<uint32_t> values = {RedMask,  GreenMask,  BlueMask,  RedShift, GreenShift,
                                        BlueShift, RedMax,    GreenMax,  BlueMax,  RedPlace,
                                        GreenPlace, BluePlace, HalfMask, WhitePixel};
  const std::vector<uint32_t> rgb555 = {0x7C00, 0x03E0, 0x001F, 10, 5, 0, 31, 31, 31, 10, 5, 0,
                                        0x3DEF, 0x7FFF};
  const std::vector<uint32_t> rgb565 = {0xF800, 0x07E0, 0x001F, 11, 5, 0, 31, 63, 31, 11, 6, 0,
                                        0x7BEF, 0xFFFF};
  EXPECT_EQ(values, is555 ? rgb555 : rgb565);

  // Sine, truncated.
  const std::pair<int, int> sines[] = {{1, 6},      {30, 179},   {45, 254},   {60, 311},
                                       {90, 360},   {150, 179},  {180, 0},    {181, -6},
                                       {210, -180}, {270, -360}, {330, -180}, {359, -6}};
  for (auto [d, v] : sines) EXPECT_EQ(SineTable[d], v) << d;
  EXPECT_EQ(SineTable[449], SineTable[89]);
  EXPECT_EQ(SineTable[360], SineTable[0]);

  // Component split.
  for (int c : ComponentSplitTable[WhitePixel]) EXPECT_EQ(c, 31);
  if (is555) {
    for (uint32_t p = 0x8000; p < 0x10000; p += 97)
      ASSERT_EQ(ComponentSplitTable[p][0] | ComponentSplitTable[p][1] | ComponentSplitTable[p][2],
                0);
    EXPECT_EQ(ComponentSplitTable[0xFFFF][0], 0);
  } else {
    EXPECT_EQ(ComponentSplitTable[0x07E0][1], 31);  // green 63 halves to 31
    EXPECT_EQ(ComponentSplitTable[0x0020][1], 0);   // green 1 halves to 0
  }
  // White split and put back together through any table is at most 0xFFDF
  // on 5-6-5: green's lowest bit stays clear.
  uint16_t white = 0;
  for (int plane = 0; plane < 3; ++plane) white |= AdditiveTable[BlendIndex(plane, 0, 31, 31)];
  EXPECT_EQ(white, is555 ? 0x7FFF : 0xFFDF);

  for (int plane = 0; plane < 3; ++plane) {
    for (int s = 0; s < 32; s += 5)
      for (int d = 0; d < 32; d += 3) {
        EXPECT_EQ(Component(plane, CrossfadeTable[BlendIndex(plane, 0, s, d)]), s);
        EXPECT_EQ(Component(plane, CrossfadeTable[BlendIndex(plane, 31, s, d)]), d);
        EXPECT_EQ(Component(plane, AdditiveTable[BlendIndex(plane, 31, s, d)]), d);
        EXPECT_LE(Component(plane, CrossfadeTable[BlendIndex(plane, 20, s, d)]), 31);
      }
    EXPECT_EQ(Component(plane, CrossfadeTable[BlendIndex(plane, 16, 31, 31)]), 31);
    EXPECT_EQ(Component(plane, AdditiveTable[BlendIndex(plane, 0, 20, 20)]), 31);
    EXPECT_EQ(Component(plane, AdditiveTable[BlendIndex(plane, 0, 10, 12)]), 22);
    EXPECT_EQ(SubtractiveTable[SubtractiveIndex(plane, 5, 5)], 0);
    EXPECT_EQ(SubtractiveTable[SubtractiveIndex(plane, 3, 9)], 0);
    EXPECT_EQ(Component(plane, SubtractiveTable[SubtractiveIndex(plane, 9, 3)]), 6);
  }
  EXPECT_EQ(GreyTable[93], 31);
  EXPECT_EQ(GreyTable[2], 0);
  EXPECT_EQ(GreyTable[3], 1);
  for (int i = 0; i < NoiseTableSize; ++i) ASSERT_LE(NoiseTable[i], 2);
}

INSTANTIATE_TEST_SUITE_P(Layouts, ScreenLayoutTest,
                         ::testing::Values(Layout{false, 0}, Layout{true, 4}, Layout{false, 10}),
                         LayoutName);

TEST_F(ScreenTest, NoiseFollowsTheProjectGeneratorAndOtherDepthsOnlyGetSines) {
  os::SeedRandom(77);
  Start();
  std::vector<uint8_t> first(NoiseTable, NoiseTable + NoiseTableSize);
  int counts[3] = {};
  for (uint8_t v : first) ++counts[v];
  for (int c : counts) EXPECT_GT(c, 2500);
  os::SeedRandom(77);
  Start();
  EXPECT_EQ(std::vector<uint8_t>(NoiseTable, NoiseTable + NoiseTableSize), first);

  elDraw::BuildTables(false);
  EXPECT_EQ(SineTable[90], 360);
  EXPECT_EQ(ComponentSplitTable[0xFFFF][0], 0);
  EXPECT_EQ(AdditiveTable[BlendIndex(0, 0, 20, 20)], 0);
  EXPECT_EQ(GreyTable[93], 0);
  EXPECT_EQ(NoiseTable[5] | NoiseTable[9999], 0);
}

TEST_F(ScreenTest, StartsTheScreenObjectsAndState) {
  WindowX = 30;
  WindowY = 40;
  elDraw::SetClip(1, 2, 3, 4);
  Start();
  // Screen size and depth, the mode set, the surfaces' widths.
  EXPECT_EQ((std::vector<int>{ScreenWidth, ScreenHeight, ScreenBits, DirectDrawObject->ModeBits(),
                              BackBuffer->Width(), PrimarySurface->Width()}),
            (std::vector<int>{800, 600, 16, 16, 800, 800}));
  EXPECT_TRUE(DirectDrawObject->Exclusive());
  EXPECT_EQ(WindowClipper, nullptr);  // full screen has no clipper
  EXPECT_TRUE(RectIs(os::Rect{ClipLeft, ClipTop, ClipRight, ClipBottom}, 0, 0, 800, 600));
  EXPECT_TRUE(RectIs(ScreenRect, 0, 0, 800, 600));
  EXPECT_TRUE(RectIs(PresentRect, 30, 40, 830, 640));
  EXPECT_EQ(HardwareStretch, 1u);
  EXPECT_EQ(HardwareDriver, 0u);
  const char* names[4] = {"内部用１", "内部用２", "内部用３", "内部用４"};
  for (int slot = 0; slot < 4; ++slot) {
    ASSERT_NE(SpriteObjects[slot].Surface, nullptr);
    EXPECT_EQ(Slot(slot), std::string(names[slot]) + " 800x600 key 0 packed 0 reload 2");
    EXPECT_EQ(Key(slot), 0u);
  }
  for (int slot = 4; slot < SpriteObjectCount; ++slot) ASSERT_EQ(SpriteObjects[slot].Name[0], 0);
  EXPECT_EQ(os::LiveSurfaceCount(), 6);

  // A second start releases the first one's objects.
  Start();
  EXPECT_EQ(os::LiveSurfaceCount(), 6);

  // SetClip stores the values as given, unordered.
  elDraw::SetClip(620, 600, 180, -5);
  EXPECT_TRUE(RectIs(os::Rect{ClipLeft, ClipTop, ClipRight, ClipBottom}, 620, 600, 180, -5));
}

TEST_F(ScreenTest, MemoryModesPlaceTheSurfaces) {
  // System memory or not: the primary, the back buffer, objects 0 to 3.
  for (auto [mode, expected] : {std::pair{2, "111111"}, {1, "000011"}, {3, "001111"}}) {
    Start({false, 0}, mode);
    std::string placed;
    for (const os::Surface* s : {PrimarySurface, BackBuffer, SpriteObjects[0].Surface,
                                 SpriteObjects[1].Surface, SpriteObjects[2].Surface,
                                 SpriteObjects[3].Surface})
      placed += (s->Caps() & os::SurfaceSystemMemory) ? '1' : '0';
    EXPECT_EQ(placed, expected) << mode;
  }
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

  // Width -1 takes the desktop's size.
  ASSERT_EQ(elDraw::Screen(-1, 0, 2), 1);
  EXPECT_EQ(ScreenWidth, os::DesktopWidth());
  EXPECT_EQ(ScreenHeight, os::DesktopHeight());
}

TEST_F(ScreenTest, DisplayModeFallbacksAndDriverCaps) {
  os::SurfaceTests().fail_mode_depths = (uint64_t{1} << 16) | (uint64_t{1} << 24);
  elDraw::SetScreenBits(16, 24, 0);
  EXPECT_EQ(elDraw::Screen(800, 600, 2), 0);
  EXPECT_EQ(LastBox(), "elDraw::Screen : 解像度が変更できません");
  EXPECT_EQ(ScreenBits, 24);  // keeps the last depth tried
  elDraw::SetScreenBits(16, 24, 32);
  ASSERT_EQ(elDraw::Screen(800, 600, 2), 1);
  EXPECT_EQ(ScreenBits, 32);
  EXPECT_EQ(os::ScreenBitsNow(), 32);

  os::SurfaceTests().driver_3d = true;
  os::SurfaceTests().no_hardware_stretch = true;
  Start();
  EXPECT_EQ(HardwareDriver, 1u);
  EXPECT_TRUE(DirectDrawObject->Hardware3d());
  EXPECT_EQ(HardwareStretch, 0u);
}

// Every start-up failure, by injection (a failing step, the n-th surface
// creation failing, or a setting of its own): the message, the result 0 and
// the error flag.
struct Failure {
  const char* name;
  bool window_mode;
  uint32_t steps;
  int creation;
  const char* message;
  void (*inject)(os::SurfaceTestSettings&) = nullptr;
};

class ScreenFailureTest : public ScreenTest, public ::testing::WithParamInterface<Failure> {};

TEST_P(ScreenFailureTest, ReportsItsMessageAndReturnsZero) {
  const Failure& f = GetParam();
  FullScreen = f.window_mode ? 0 : 1;
  os::SurfaceTests().fail_steps = f.steps;
  os::SurfaceTests().fail_creation_in = f.creation;
  if (f.inject) f.inject(os::SurfaceTests());
  EXPECT_EQ(elDraw::Screen(800, 600, 2), 0);
  ASSERT_EQ(BoxCount(), 1u);
  EXPECT_EQ(LastBox(), std::string("elDraw::Screen : ") + f.message);
  EXPECT_EQ(os::headless::Boxes().back().title, "エラー発生");
  EXPECT_EQ(ErrorFlag, 1u);
}

using T = os::SurfaceTestSettings;

INSTANTIATE_TEST_SUITE_P(
    Steps, ScreenFailureTest,
    ::testing::Values(
        Failure{"Display", false, os::StepCreateDisplay, 0, "DirectDrawが使用できません"},
        Failure{"Cooperative", false, os::StepCooperativeLevel, 0, "フルスクリーン化できません"},
        Failure{"CooperativeWindow", true, os::StepCooperativeLevel, 0, "フルスクリーン化できません"},
        Failure{"DisplayMode", false, 0, 0, "解像度が変更できません",
                [](T& t) { t.fail_mode_depths = 1 << 16; }},
        Failure{"Primary", false, 0, 1, "表画面が生成できません"},
        Failure{"BackBuffer", false, 0, 2, "裏画面が生成できません"},
        Failure{"Clipper", true, os::StepCreateClipper, 0, "クリップが生成できません"},
        Failure{"ClipperWindow", true, os::StepClipperWindow, 0,
                "クリップにウィンドウハンドルを設定できません"},
        Failure{"SetClipper", true, os::StepSetClipper, 0, "表画面をクリップできません"},
        Failure{"Buffer", false, 0, 3, "Bufferスプライトが生成できません"},
        Failure{"Screen", false, 0, 4, "Screenスプライトが生成できません"},
        Failure{"Font", false, 0, 5, "Fontスプライトが生成できません"},
        Failure{"FontBuffer", false, 0, 6, "Fontバッファスプライトが生成できません"},
        Failure{"PixelFormat", false, os::StepPixelFormat, 0, "ピクセル情報が取得できません"},
        Failure{"PaletteDisplay", true, 0, 0, "ピクセル情報が取得できません",
                [](T& t) { t.palette_display = true; }}),
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
}  // namespace draw_test
