#include "tests/support/test_support.h"

#include <cstdlib>
#include <filesystem>

#include "os/surface.h"

namespace vantris_test {

void HeadlessTest::SetUp() {
  os::headless::SetQuiet(true);
  os::StartOptions options;
  options.backend = os::Backend::Headless;
  ASSERT_TRUE(os::Start(options));
  os::headless::ClearBoxes();
  os::SeedRandom(1);
  os::ResetSurfaceTests();  // default surface layout, no injected failures
}

void HeadlessTest::TearDown() { os::Stop(); }

std::string MakeTempDir(const std::string& name) {
  namespace fs = std::filesystem;
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string test = info ? std::string(info->test_suite_name()) + "." + info->name() : "test";
  for (char& c : test) {
    if (c == '/') c = '_';
  }
  fs::path dir = fs::temp_directory_path() / "vantris-tests" / test / name;
  std::error_code ec;
  fs::remove_all(dir, ec);
  fs::create_directories(dir, ec);
  return dir.string() + "/";
}

std::string TestDataDir() {
  if (const char* dir = std::getenv("VANTRIS_TEST_DATA")) return dir;
  return "tests/data";
}

}  // namespace vantris_test
