// The SDL backend under SDL's dummy video driver: no display needed.
#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

#include "os/backend.h"
#include "os/system.h"

namespace {

int64_t Proc(os::Window w, uint32_t msg, uint64_t wp, int64_t lp) {
  return os::DefaultWindowProc(w, msg, wp, lp);
}

TEST(SdlBackend, StartsShowsPresentsAndStopsUnderTheDummyDriver) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  os::StartOptions options;
  options.backend = os::Backend::Sdl;
  options.windowed = true;
  ASSERT_TRUE(os::Start(options));
  EXPECT_EQ(os::ActiveBackend(), os::Backend::Sdl);
  const os::Window w = os::CreateMainWindow("DEFAULT", "VANTRIS", true, 800, 600, Proc);
  ASSERT_NE(w, 0u);
  os::ShowMainWindow(w);
  os::Message m;
  bool activated = false;
  for (int i = 0; i < 10 && os::PeekMessage(&m); ++i) {
    if (m.msg == os::MsgActivateApp && m.wparam == 1) activated = true;
  }
  EXPECT_TRUE(activated);

  std::vector<uint16_t> frame(800 * 600, 0xF800);
  os::FrameView view{reinterpret_cast<const uint8_t*>(frame.data()), 1600, 800, 600, false};
  os::CurrentBackend()->Present(view, true);
  os::CurrentBackend()->Present(view, false);

  const uint32_t t0 = os::TimeMs();
  os::SleepMs(2);
  EXPECT_GE(os::TimeMs(), t0 + 1);
  EXPECT_GT(os::DesktopWidth(), 0);
  os::DestroyWindow(w);
  os::Stop();
  EXPECT_FALSE(os::Started());
}

}  // namespace
