// The SDL backend under SDL's dummy drivers: the device pulls the mix on its
// own thread at the real pace.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <cstdlib>
#include <thread>
#include <vector>

#include "os/audio/audio.h"
#include "os/audio/midi.h"
#include "os/backend.h"
#include "os/system.h"
#include "tests/support/test_support.h"

namespace {

using namespace os::audio;
using Clock = std::chrono::steady_clock;

class SdlBackend : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(vantris_test::StartSdlDummy());
    window_ = os::CreateMainWindow("DEFAULT", "VANTRIS", true, 800, 600, &os::DefaultWindowProc);
    ResetMidi();
  }
  void TearDown() override { os::Stop(); }
  os::Window window_ = 0;
};

TEST_F(SdlBackend, PresentsAndPlaysABufferToItsEndOnTheDeviceThread) {
  os::ShowMainWindow(window_);
  std::vector<uint16_t> frame(800 * 600, 0xF800);
  os::CurrentBackend()->Present({reinterpret_cast<const uint8_t*>(frame.data()), 1600, 800, 600, false}, true);

  ASSERT_TRUE(OpenEffects());
  Buffer* b = nullptr;
  ASSERT_EQ(CreateBuffer(PcmFormat(1, 22050, 16), 2 * 2205, &b), AudioOk);  // 100 ms
  MainMixer().Play(b, false);
  const auto deadline = Clock::now() + std::chrono::seconds(5);
  while ((MainMixer().Status(b) & StatusPlaying) && Clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(MainMixer().Status(b), 0u);
  MainMixer().ReleaseBuffer(b);
  CloseEffects();
  EXPECT_FALSE(DeviceRunning());
}

// Without a display no box can be shown: every message still gets its line
// on stderr, and the missing box is said once.
TEST_F(SdlBackend, ABoxThatCannotBeShownIsSaidOnce) {
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(os::MessageBox(window_, "A : first", "T", os::BoxOk, "why"), os::AnswerOk);
  EXPECT_EQ(os::MessageBox(window_, "A : second\r\n", "T", os::BoxYesNo), os::AnswerNo);
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(said.find("[T] A : first (why)\n"), 0u) << said;
  EXPECT_NE(said.find("\n[T] A : second\n"), std::string::npos) << said;
  size_t lines = 0;
  for (size_t at = 0; (at = said.find("cannot show a message box", at)) != std::string::npos; ++at)
    ++lines;
  EXPECT_EQ(lines, 1u) << said;
}

// No audio device: the game goes on silent and says so once, however often
// the effects and the music try the device.
TEST_F(SdlBackend, NoAudioDeviceIsSaidOnce) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  ::testing::internal::CaptureStderr();
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(OpenEffects());
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(said.find("vantris: no audio"), 0u) << said;
  EXPECT_EQ(said.find("vantris:", 1), std::string::npos) << said;
}

}  // namespace
