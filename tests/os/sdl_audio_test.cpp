// The SDL audio path under SDL's dummy audio driver: the device pulls the
// mix on its own thread at the real pace.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "os/audio/audio.h"
#include "os/audio/midi.h"
#include "os/system.h"
#include "tests/support/test_support.h"

namespace {

using namespace os::audio;

TEST(SdlAudio, TheDummyDevicePlaysABufferToItsEndOnItsOwnThread) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  Mixer mixer;
  mixer.SetOutput(OutputFormat{2, 22050, 16});
  Buffer* b = nullptr;
  ASSERT_EQ(mixer.CreateBuffer(PcmFormat(1, 22050, 16), 2 * 2205, &b), AudioOk);  // 100 ms
  auto device = OpenSdlDevice(mixer);
  ASSERT_NE(device, nullptr);
  mixer.Play(b, false);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while ((mixer.Status(b) & StatusPlaying) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(mixer.Status(b), 0u);
  EXPECT_EQ(mixer.Position(b), 0u);
  device.reset();
}

TEST(SdlAudio, TheSdlBackendOpensTheSharedDeviceAndMusicCommandsRun) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  os::StartOptions options;
  options.backend = os::Backend::Sdl;
  options.windowed = true;
  ASSERT_TRUE(os::Start(options));
  ResetMidi();
  EXPECT_TRUE(OpenEffects());
  EXPECT_TRUE(DeviceRunning());
  Buffer* b = nullptr;
  EXPECT_EQ(CreateBuffer(PcmFormat(2, 44100, 16), 4 * 441, &b), AudioOk);
  MainMixer().Play(b, true);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  MainMixer().ReleaseBuffer(b);
  // Without a file nothing opens, whatever synthesiser there is.
  EXPECT_EQ(os::MidiCommand("open \"/nonexistent/x.mid\" type sequencer alias midi"),
            os::MidiErrCannotOpen);
  CloseEffects();
  EXPECT_FALSE(DeviceRunning());
  os::Stop();
}

// A quarter-second piece played by FluidSynth inside the SDL callback: the
// end notice comes back through the message pump.
TEST(SdlAudio, FluidSynthPlaysInTheCallbackAndTheEndComesBackAsANotice) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  const std::string path = vantris_test::MakeTempDir("sdlmidi") + "short.mid";
  const uint8_t smf[] = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0,
                         'M', 'T', 'r', 'k', 0, 0, 0, 13,
                         0x00, 0x90, 0x3C, 0x64, 0x81, 0x70, 0x80, 0x3C, 0x40,
                         0x00, 0xFF, 0x2F, 0x00};
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(smf, 1, sizeof smf, f);
  std::fclose(f);
  const std::string open = "open \"" + path + "\" type sequencer alias midi";

  os::StartOptions options;
  options.backend = os::Backend::Sdl;
  options.windowed = true;
  ASSERT_TRUE(os::Start(options));
  const os::Window w = os::CreateMainWindow("DEFAULT", "VANTRIS", false, 800, 600, &os::DefaultWindowProc);
  ResetMidi();
  // Without a soundfont no synthesiser starts (and a piece does not open).
  const char* saved = std::getenv("VANTRIS_SOUNDFONT");
  const std::string saved_value = saved ? saved : "";
  setenv("VANTRIS_SOUNDFONT", "/nonexistent/none.sf2", 1);
  EXPECT_EQ(FindSoundfont(), "");
  EXPECT_EQ(MakeFluidSequencer(22050), nullptr);
  if (saved) {
    setenv("VANTRIS_SOUNDFONT", saved_value.c_str(), 1);
  } else {
    unsetenv("VANTRIS_SOUNDFONT");
  }
  if (FindSoundfont().empty()) {
    os::Stop();
    GTEST_SKIP() << "no General MIDI soundfont here";
  }
  ASSERT_EQ(os::MidiCommand(open), os::MidiOk);
  EXPECT_TRUE(DeviceRunning());
  EXPECT_EQ(os::MidiCommand("play midi notify", nullptr, 0, w), os::MidiOk);
  uint64_t notice = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!notice && std::chrono::steady_clock::now() < deadline) {
    os::Message m;
    while (os::PeekMessage(&m)) {
      if (m.msg == os::MsgMidiNotify) notice = m.wparam;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(notice, os::MidiNotifySuccessful);
  char answer[32];
  EXPECT_EQ(os::MidiCommand("status midi mode", answer, sizeof answer), os::MidiOk);
  EXPECT_STREQ(answer, "stopped");
  EXPECT_EQ(os::MidiCommand("close midi"), os::MidiOk);
  EXPECT_FALSE(DeviceRunning());
  os::Stop();
}

}  // namespace
