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
  // Sine, truncated, readable past 360.
  for (auto [d, v] : {std::pair{1, 6}, {181, -6}, {359, -6}, {449, 359}}) EXPECT_EQ(SineTable[d], v);
  // White split and put back together through any table is at most 0xFFDF
  // on 5-6-5: green's lowest bit stays clear.
  uint16_t white = 0;
  for (int plane = 0; plane < 3; ++plane) white |= AdditiveTable[BlendIndex(plane, 0, 31, 31)];
  EXPECT_EQ(white, is555 ? 0x7FFF : 0xFFDF);

  for (int plane = 0; plane < 3; ++plane) {
    EXPECT_EQ(Component(plane, AdditiveTable[BlendIndex(plane, 0, 20, 20)]), 31);
    EXPECT_EQ(SubtractiveTable[SubtractiveIndex(plane, 3, 9)], 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, ScreenLayoutTest,
                         ::testing::Values(Layout{false, 0}, Layout{true, 4}, Layout{false, 10}),
                         LayoutName);

TEST_F(ScreenTest, NoiseFollowsTheProjectGenerator) {
  os::SeedRandom(77);
  Start();
  std::vector<uint8_t> first(NoiseTable, NoiseTable + NoiseTableSize);
  int counts[3] = {};
  for (uint8_t v : first) ++counts[v < 3 ? v : 0];
  for (int c : counts) EXPECT_GT(c, 2500);
  os::SeedRandom(77);
  Start();
  EXPECT_EQ(std::vector<uint8_t>(NoiseTable, NoiseTable + NoiseTableSize), first);
}

TEST_F(ScreenTest, DisplayModeFallsBackThroughTheDepths) {
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
        Failure{"DisplayMode", false, 0, 0, "解像度が変更できません",
                [](T& t) { t.fail_mode_depths = 1 << 16; }},
        Failure{"BackBuffer", false, 0, 2, "裏画面が生成できません"},
        Failure{"PaletteDisplay", true, 0, 0, "ピクセル情報が取得できません",
                [](T& t) { t.palette_display = true; }}),
    [](const ::testing::TestParamInfo<Failure>& info) { return std::string(info.param.name); });

TEST_F(ScreenTest, ShutdownReleasesEverythingAndMinimisesAFullScreenWindow) {
  MainWindow = os::CreateMainWindow("DEFAULT", "VANTRIS", true, 800, 600, os::DefaultWindowProc);
  ASSERT_NE(MainWindow, 0u);
  const int minimised = os::headless::MinimiseCount();
  Start();
  elDraw::GetScreenDC();  // still lent out at shutdown
  elDraw::Shutdown();
  EXPECT_EQ(os::LiveSurfaceCount(), 0);
  EXPECT_EQ(os::headless::MinimiseCount(), minimised + 1);

  os::DestroyWindow(MainWindow);
  MainWindow = 0;
}

}  // namespace
}  // namespace draw_test
