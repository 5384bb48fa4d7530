#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

TEST(SoundDemo, SelfTestPlaysEffectsOverALoopingPieceHeadless) {
  namespace fs = std::filesystem;
  const fs::path exe = fs::read_symlink("/proc/self/exe");
  const fs::path demo = exe.parent_path().parent_path() / "tools" / "sounddemo" / "vantris_sounddemo";
  if (!fs::exists(demo)) GTEST_SKIP() << "the demo is not built: " << demo;
  const std::string command = demo.string() + " --self-test --seconds 3 > /dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0);
}

}  // namespace
