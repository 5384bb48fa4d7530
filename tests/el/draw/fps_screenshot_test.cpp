// The BMP screenshot writer.
#include <fstream>
#include <string>
#include <vector>

#include "tests/el/draw/draw_fixture.h"

namespace draw_test {
namespace {

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class Screenshot : public TextTest {
 protected:
  void SetUp() override {
    TextTest::SetUp();
    folder_ = vantris_test::MakeTempDir("shots");
    exe_dir_ = os::ExeDir();
    os::SetExeDir(folder_);
    StartText(800, 600, true);
  }
  void TearDown() override {
    os::SetExeDir(exe_dir_);
    TextTest::TearDown();
  }
  std::string folder_, exe_dir_;
};

TEST_F(Screenshot, WritesA24BitBottomUpFile) {
  Back(0, 0) = Pixel(0xFFFFFF);
  Back(1, 0) = Pixel(0x0000FF);  // red
  Back(3, 1) = Pixel(0x408020);

  ASSERT_EQ(elDraw::SaveScreenBmp("SHOT.BMP", 10, 3), 1);
  const std::vector<uint8_t> d = ReadFile(folder_ + "SHOT.BMP");
  ASSERT_EQ(d.size(), 58u + 32u * 3u);  // stride 32: 30 bytes and two of padding
  EXPECT_EQ(d[28], 24);  // bits per pixel
  // Rows bottom-up: the screen's row 0 is the file's last row; blue, green
  // and red bytes; 0x408020 is blue 0x40, green 0x80, red 0x20.
  auto bgr = [&](int x, int file_row) {
    const size_t at = 58 + static_cast<size_t>(file_row) * 32 + 3 * x;
    return std::vector<int>{d[at], d[at + 1], d[at + 2]};
  };
  EXPECT_EQ(bgr(0, 2), (std::vector{248, 248, 248}));
  EXPECT_EQ(bgr(3, 1), (std::vector{0x40, 0x80, 0x20}));
}

TEST_F(Screenshot, RefusesBadSizesAndReportsFilesThatCannotBeWritten) {
  for (auto [w, h] : {std::pair{0, 10}, {10, -1}, {801, 10}, {10, 601}})
    EXPECT_EQ(elDraw::SaveScreenBmp("A.BMP", w, h), 0) << w << " x " << h;
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
}  // namespace draw_test
