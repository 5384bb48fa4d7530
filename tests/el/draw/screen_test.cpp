// The screen start-up, the derived pixel-format values and the lookup tables.
#include <string>
#include <vector>

#include "tests/el/draw/draw_fixture.h"

namespace draw_test {
namespace {

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

}  // namespace
}  // namespace draw_test
