// The frame-rate meter on the virtual clock, and the BMP screenshot writer.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "os/bmp.h"
#include "os/path.h"
#include "tests/el/draw/text_fixture.h"

namespace {

class FpsTest : public text_test::TextScreenTest {
 protected:
  void SetUp() override {
    TextScreenTest::SetUp();
    StartScreen(320, 240);
    FpsSampleTime = os::TimeMs();  // as at start-up
    FpsCount = 0;
    FpsValue = 0.0f;
    FpsMax = 0.0f;
    FpsMin = 999.9f;
  }
};

TEST_F(FpsTest, SamplesEveryTwoSecondsAndPrintsEveryCall) {
  // The first call samples at once: 0.0, and neither extreme moves.
  elDraw::DrawFps();
  EXPECT_STREQ(FpsText, "0.0 fps ( max 0.0 / min 999.9 )");
  EXPECT_EQ(FpsCount, 1);
  // White on navy in the top-left corner; the device context is given back.
  EXPECT_EQ(Back(0, 0), Pixel(0x800000));
  EXPECT_GT(Count(BackBuffer, os::Rect{0, 0, 320, 12}, Pixel(0xFFFFFF)), 50);
  EXPECT_FALSE(BackBuffer->IsDcOut());

  // 120 calls in the two-second window read 60 at the next sample.
  for (int i = 0; i < 119; ++i) {
    os::headless::AdvanceMs(16);
    elDraw::DrawFps();
  }
  EXPECT_EQ(FpsCount, 120);
  EXPECT_FLOAT_EQ(FpsValue, 0.0f);
  os::headless::AdvanceMs(2000 - 119 * 16);
  elDraw::DrawFps();
  EXPECT_FLOAT_EQ(FpsValue, 60.0f);
  EXPECT_FLOAT_EQ(FpsMax, 60.0f);
  EXPECT_FLOAT_EQ(FpsMin, 60.0f);
  EXPECT_STREQ(FpsText, "60.0 fps ( max 60.0 / min 60.0 )");

  // More than 999 calls in one window count as 999.
  for (int i = 0; i < 1500; ++i) elDraw::DrawFps();
  EXPECT_EQ(FpsCount, 999);
  os::headless::AdvanceMs(2000);
  elDraw::DrawFps();
  EXPECT_FLOAT_EQ(FpsValue, 499.5f);
  EXPECT_FLOAT_EQ(FpsMax, 499.5f);
  EXPECT_FLOAT_EQ(FpsMin, 60.0f);
  // A slower window lowers the minimum.
  for (int i = 0; i < 59; ++i) elDraw::DrawFps();
  os::headless::AdvanceMs(2000);
  elDraw::DrawFps();
  EXPECT_FLOAT_EQ(FpsMin, 30.0f);
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

uint32_t U32(const std::vector<uint8_t>& d, size_t at) {
  return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (static_cast<uint32_t>(d[at + 3]) << 24);
}
uint32_t U16(const std::vector<uint8_t>& d, size_t at) { return d[at] | (d[at + 1] << 8); }

class ScreenshotTest : public text_test::TextScreenTest,
                       public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    TextScreenTest::SetUp();
    folder_ = vantris_test::MakeTempDir("shots");
    exe_dir_ = os::ExeDir();
    os::SetExeDir(folder_);
    StartScreen(800, 600, GetParam());
  }
  void TearDown() override {
    os::SetExeDir(exe_dir_);
    TextScreenTest::TearDown();
  }
  std::string folder_, exe_dir_;
};

INSTANTIATE_TEST_SUITE_P(Layouts, ScreenshotTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Rgb555" : "Rgb565"; });

TEST_P(ScreenshotTest, WritesA24BitBottomUpFile) {
  const uint16_t white = Pixel(0xFFFFFF), red = Pixel(0x0000FF), blue = Pixel(0xFF0000);
  Back(0, 0) = white;
  Back(1, 0) = red;
  Back(9, 2) = blue;
  Back(10, 0) = white;  // outside the shot
  Back(3, 1) = Pixel(0x408020);

  ASSERT_EQ(elDraw::SaveScreenBmp("SHOT.BMP", 10, 3), 1);
  const std::vector<uint8_t> d = ReadFile(folder_ + "SHOT.BMP");
  ASSERT_EQ(d.size(), 58u + 32u * 3u);  // stride 32: 30 bytes and two of padding
  EXPECT_EQ(d[0], 'B');
  EXPECT_EQ(d[1], 'M');
  EXPECT_EQ(U32(d, 2), d.size());
  EXPECT_EQ(U32(d, 6), 0u);
  EXPECT_EQ(U32(d, 10), 58u);
  EXPECT_EQ(U32(d, 14), 40u);
  EXPECT_EQ(U32(d, 18), 10u);
  EXPECT_EQ(U32(d, 22), 3u);
  EXPECT_EQ(U16(d, 26), 1u);
  EXPECT_EQ(U16(d, 28), 24u);
  EXPECT_EQ(U32(d, 30), 0u);
  EXPECT_EQ(U32(d, 34), 96u);
  EXPECT_EQ(U32(d, 38), 2834u);
  EXPECT_EQ(U32(d, 42), 2834u);
  EXPECT_EQ(U32(d, 46), 0u);
  EXPECT_EQ(U32(d, 50), 0u);
  EXPECT_EQ(U32(d, 54), 0u);
  // Rows bottom-up: the screen's row 0 is the file's last row.
  auto px = [&](int x, int file_row) { return 58 + static_cast<size_t>(file_row) * 32 + 3 * x; };
  EXPECT_EQ(d[px(0, 2)], 248);  // white: blue, green, red bytes of 248
  EXPECT_EQ(d[px(0, 2) + 1], 248);
  EXPECT_EQ(d[px(0, 2) + 2], 248);
  EXPECT_EQ(d[px(1, 2)], 0);    // red
  EXPECT_EQ(d[px(1, 2) + 1], 0);
  EXPECT_EQ(d[px(1, 2) + 2], 248);
  EXPECT_EQ(d[px(9, 0)], 248);  // blue, on screen row 2
  EXPECT_EQ(d[px(9, 0) + 2], 0);
  EXPECT_EQ(d[px(3, 1)], 0x40);  // 0x408020: blue 0x40, green 0x80, red 0x20
  EXPECT_EQ(d[px(3, 1) + 1], 0x80);
  EXPECT_EQ(d[px(3, 1) + 2], 0x20);
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(d[58 + row * 32 + 30], 0);
    EXPECT_EQ(d[58 + row * 32 + 31], 0);
  }
  // Another reader agrees.
  os::Bitmap bitmap;
  ASSERT_TRUE(os::DecodeBmp(d.data(), d.size(), &bitmap));
  EXPECT_EQ(bitmap.At(0, 0), 0xF8F8F8u);
  EXPECT_EQ(bitmap.At(1, 0), 0xF80000u);
  EXPECT_EQ(bitmap.At(9, 2), 0x0000F8u);

  // The whole screen: stride 2400, no padding.
  ASSERT_EQ(elDraw::SaveScreenBmp("FULL.BMP", 800, 600), 1);
  EXPECT_EQ(ReadFile(folder_ + "FULL.BMP").size(), 1440058u);
}

TEST_P(ScreenshotTest, RefusesBadSizesAndReportsFilesThatCannotBeWritten) {
  EXPECT_EQ(elDraw::SaveScreenBmp("A.BMP", 0, 10), 0);
  EXPECT_EQ(elDraw::SaveScreenBmp("A.BMP", 10, -1), 0);
  EXPECT_EQ(elDraw::SaveScreenBmp("A.BMP", 801, 10), 0);
  EXPECT_EQ(elDraw::SaveScreenBmp("A.BMP", 10, 601), 0);
  EXPECT_TRUE(ReadFile(folder_ + "A.BMP").empty());
  // A plain file used as a folder: the file cannot be created (even as root).
  std::ofstream(folder_ + "plain") << "x";
  EXPECT_EQ(elDraw::SaveScreenBmp("plain/A.BMP", 10, 10), 0);
  // A back buffer that cannot be locked.
  os::SurfaceTests().fail_locks = 1;
  EXPECT_EQ(elDraw::SaveScreenBmp("B.BMP", 10, 10), 0);
  EXPECT_FALSE(BackBuffer->IsLocked());
  EXPECT_EQ(elDraw::SaveScreenBmp("B.BMP", 10, 10), 1);
}

}  // namespace
