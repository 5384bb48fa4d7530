// The headless backend's record of presented frames and its BMP writer.
#include <vector>

#include "os/backend.h"
#include "os/bmp.h"
#include "os/headless/headless.h"
#include "tests/support/test_support.h"

namespace {

using HeadlessPresent = vantris_test::HeadlessTest;

TEST_F(HeadlessPresent, KeepsTheLastFrameAndCountsThem) {
  EXPECT_EQ(os::headless::PresentCount(), 0);
  // A 3 x 2 frame with padded rows.
  std::vector<uint16_t> rows = {0xF800, 0x07E0, 0x001F, 0xEEEE, 0xFFFF, 0x0000, 0x8410, 0xEEEE};
  os::FrameView frame;
  frame.pixels = reinterpret_cast<const uint8_t*>(rows.data());
  frame.pitch = 8;
  frame.width = 3;
  frame.height = 2;
  os::CurrentBackend()->Present(frame, true);
  EXPECT_EQ(os::headless::PresentCount(), 1);
  EXPECT_TRUE(os::headless::LastPresentVSync());
  const auto& shown = os::headless::LastPresented();
  ASSERT_EQ(shown.width, 3);
  EXPECT_EQ(shown.At(2, 0), 0x001F);
  EXPECT_EQ(shown.At(0, 1), 0xFFFF);
  EXPECT_EQ(shown.At(2, 1), 0x8410);
  const uint64_t sum = os::headless::FrameChecksum(shown);
  rows[4] = 0xFFFE;
  os::CurrentBackend()->Present(frame, false);
  EXPECT_EQ(os::headless::PresentCount(), 2);
  EXPECT_NE(os::headless::FrameChecksum(os::headless::LastPresented()), sum);

  // The writer's file reads back with every channel widened to 8 bits.
  const std::string path = vantris_test::MakeTempDir("frame") + "frame.bmp";
  ASSERT_TRUE(os::headless::WriteFrameBmp(os::headless::LastPresented(), path));
  os::Bitmap bitmap;
  ASSERT_TRUE(os::LoadBmpFile(path, &bitmap));
  ASSERT_EQ(bitmap.width, 3);
  ASSERT_EQ(bitmap.height, 2);
  EXPECT_EQ(bitmap.At(0, 0), 0xFF0000u);
  EXPECT_EQ(bitmap.At(1, 0), 0x00FF00u);
  EXPECT_EQ(bitmap.At(2, 0), 0x0000FFu);
  EXPECT_EQ(bitmap.At(1, 1), 0x000000u);
  EXPECT_EQ(bitmap.At(2, 1), 0x848284u);
  EXPECT_FALSE(os::headless::WriteFrameBmp(os::headless::LastPresented(), "/nonexistent/dir/x.bmp"));
}

TEST_F(HeadlessPresent, A555FrameIsWrittenWithItsOwnChannels) {
  const std::vector<uint16_t> rows = {0x7C00, 0x03E0};
  os::FrameView frame;
  frame.pixels = reinterpret_cast<const uint8_t*>(rows.data());
  frame.pitch = 4;
  frame.width = 2;
  frame.height = 1;
  frame.rgb555 = true;
  os::CurrentBackend()->Present(frame, false);
  const std::string path = vantris_test::MakeTempDir("frame") + "frame.bmp";
  ASSERT_TRUE(os::headless::WriteFrameBmp(os::headless::LastPresented(), path));
  os::Bitmap bitmap;
  ASSERT_TRUE(os::LoadBmpFile(path, &bitmap));
  EXPECT_EQ(bitmap.At(0, 0), 0xFF0000u);
  EXPECT_EQ(bitmap.At(1, 0), 0x00FF00u);
}

}  // namespace
