#include "tests/support/test_support.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "el/draw/elDraw.h"
#include "os/surface.h"

namespace vantris_test {
namespace {

// This process's folder under the temporary directory, made on first use
// and removed, with all that the test left in it, when the test ends.
std::string g_temp_root;

void RemoveTempRoot() {
  if (g_temp_root.empty()) return;
  std::error_code ec;
  std::filesystem::remove_all(g_temp_root, ec);
  g_temp_root.clear();
}

const std::string& TempRoot() {
  if (g_temp_root.empty()) {
    std::string pattern = std::filesystem::temp_directory_path().string() + "/vantris-test-XXXXXX";
    if (::mkdtemp(pattern.data())) g_temp_root = pattern;
  }
  return g_temp_root;
}

struct TempRootRemover : ::testing::EmptyTestEventListener {
  void OnTestEnd(const ::testing::TestInfo&) override { RemoveTempRoot(); }
  void OnTestProgramEnd(const ::testing::UnitTest&) override { RemoveTempRoot(); }
};

[[maybe_unused]] const bool g_remover_added = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new TempRootRemover);
  return true;
}();

}  // namespace

void HeadlessTest::SetUp() {
  // Locks and other runtime files go to the test's own folder.
  setenv("XDG_RUNTIME_DIR", MakeTempDir("runtime").c_str(), 1);
  os::headless::SetQuiet(true);
  os::StartOptions options;
  options.backend = os::Backend::Headless;
  ASSERT_TRUE(os::Start(options));
  os::headless::ClearBoxes();
  os::SeedRandom(1);
  os::ResetSurfaceTests();  // default surface layout, no injected failures
}

void HeadlessTest::TearDown() { os::Stop(); }

void PlayfieldTest::SetUp() {
  HeadlessTest::SetUp();
  ASSERT_EQ(elDraw::Screen(800, 600, 2), 1);
  elDraw::SetClip(180, 0, 620, 600);
}

void PlayfieldTest::TearDown() {
  elDraw::Shutdown();
  os::ResetSurfaceTests();
  HeadlessTest::TearDown();
}

uint16_t PlayfieldTest::Back(int x, int y) { return BackBuffer->RawView().Row(y)[x]; }

int PlayfieldTest::CountBack(uint16_t p) {
  int n = 0;
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) n += Back(x, y) == p;
  return n;
}

int32_t MakePicture(int w, int h, const std::function<uint16_t(int, int)>& pixel) {
  const int32_t handle = elDraw::CreateObject(w, h, 2);
  EXPECT_NE(handle, 0);
  os::Surface* s = SpriteObjects[handle].Surface;
  os::PixelView v;
  EXPECT_TRUE(os::Succeeded(s->Lock(&v, true)));
  for (int y = 0; y < v.height; ++y)
    for (int x = 0; x < v.width; ++x) v.Row(y)[x] = pixel(x, y);
  s->Unlock();
  return handle;
}

int32_t MakeSolidPicture(int w, int h, uint16_t colour) {
  return MakePicture(w, h, [colour](int, int) { return colour; });
}

bool StartSdlDummy() {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  os::StartOptions options;
  options.backend = os::Backend::Sdl;
  options.windowed = true;
  options.allow_no_display = true;
  return os::Start(options);
}

std::string MakeTempDir(const std::string& name) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(TempRoot()) / name;
  std::error_code ec;
  fs::remove_all(dir, ec);
  fs::create_directories(dir, ec);
  return dir.string() + "/";
}

std::string TestDataDir() {
  if (const char* dir = std::getenv("VANTRIS_TEST_DATA")) return dir;
  return VANTRIS_TEST_DATA_DIR;
}

}  // namespace vantris_test
