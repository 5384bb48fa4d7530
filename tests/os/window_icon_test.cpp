#include "os/window_icon.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "os/path.h"
#include "os/system.h"
#include "tests/support/bmp_writer.h"
#include "tests/support/test_support.h"

namespace {

class WindowIconTest : public vantris_test::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    exe_dir_ = os::ExeDir();
    folder_ = vantris_test::MakeTempDir("icon");
    os::SetExeDir(folder_);
    std::filesystem::create_directories(folder_ + "ICON");
  }
  void TearDown() override {
    os::SetExeDir(exe_dir_);
    HeadlessTest::TearDown();
  }
  void Write(const std::vector<uint8_t>& bytes) {
    std::ofstream(folder_ + "ICON/MAIN.BMP", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }
  std::string exe_dir_, folder_;
};

// The icon comes from ICON/<name>.BMP beside the program; a missing, damaged
// or oversized one is refused with the reason.
TEST_F(WindowIconTest, TheIconIsReadBesideTheProgramAndRefusedWithItsReason) {
  EXPECT_EQ(os::WindowIconPath("MAIN"), folder_ + "ICON/MAIN.BMP");
  os::Bitmap icon;
  std::string why;
  EXPECT_FALSE(os::LoadWindowIcon("MAIN", &icon, &why));
  EXPECT_EQ(why, "No such file or directory");

  const auto picture = vantris_test::MakeBmp24(
      os::MaxIconSide, 2, [](int x, int y) { return x == 0 ? 0u : uint32_t(0x102030 + y); });
  Write(picture);
  ASSERT_TRUE(os::LoadWindowIcon("main", &icon, &why));  // any case
  EXPECT_EQ(icon.width, os::MaxIconSide);
  EXPECT_EQ(icon.At(0, 1), 0u);
  EXPECT_EQ(icon.At(5, 1) & 0xFFFFFF, 0x102031u);

  Write(std::vector<uint8_t>(picture.begin(), picture.begin() + 60));
  why.clear();
  EXPECT_FALSE(os::LoadWindowIcon("MAIN", &icon, &why));
  EXPECT_FALSE(why.empty());
  Write(vantris_test::MakeBmp24(2, os::MaxIconSide + 1, [](int, int) { return 0xFFFFFFu; }));
  EXPECT_FALSE(os::LoadWindowIcon("MAIN", &icon, &why));
  EXPECT_EQ(why, "2 x 257 pixels, larger than an icon may be (256 a side)");
}

}  // namespace
