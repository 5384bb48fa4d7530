// The headless backend's record of presented frames and its BMP writer.
#include <vector>

#include "os/backend.h"
#include "os/bmp.h"
#include "os/headless/headless.h"
#include "tests/support/test_support.h"

namespace {

using HeadlessPresent = vantris_test::HeadlessTest;

os::Bitmap WriteAndRead() {
  const std::string path = vantris_test::MakeTempDir("frame") + "frame.bmp";
  EXPECT_TRUE(os::headless::WriteFrameBmp(os::headless::LastPresented(), path));
  os::Bitmap bitmap;
  EXPECT_TRUE(os::LoadBmpFile(path, &bitmap));
  return bitmap;
}

TEST_F(HeadlessPresent, KeepsTheLastFrameAndWritesItWithEightBitChannels) {
  // A 3 x 2 frame with padded rows.
  std::vector<uint16_t> rows = {0xF800, 0x07E0, 0x001F, 0xEEEE, 0xFFFF, 0x0000, 0x8410, 0xEEEE};
  os::FrameView frame{reinterpret_cast<const uint8_t*>(rows.data()), 8, 3, 2, false};
  os::CurrentBackend()->Present(frame, true);
  EXPECT_EQ(os::headless::PresentCount(), 1);
  const os::Bitmap bitmap = WriteAndRead();
  EXPECT_EQ(bitmap.At(1, 0), 0x00FF00u);
  EXPECT_EQ(bitmap.At(2, 1), 0x848284u);
  EXPECT_FALSE(os::headless::WriteFrameBmp(os::headless::LastPresented(), "/nonexistent/dir/x.bmp"));
}

}  // namespace
