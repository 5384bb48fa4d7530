#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include "os/audio/mixer.h"

namespace {

using namespace os::audio;

// A mixer whose output runs at `rate` (16-bit stereo unless told otherwise).
struct Fixture {
  explicit Fixture(uint32_t rate = 1000, int channels = 2, int bits = 16) {
    mixer.SetOutput(OutputFormat{channels, rate, bits});
  }
  Buffer* Make16(std::vector<int16_t> samples, int channels = 1, uint32_t rate = 1000) {
    Buffer* b = nullptr;
    EXPECT_EQ(mixer.CreateBuffer(PcmFormat(channels, rate, 16),
                                 static_cast<uint32_t>(samples.size() * 2), &b),
              AudioOk);
    LockedRange r;
    EXPECT_EQ(mixer.Lock(b, 0, 0, &r), AudioOk);
    std::memcpy(r.first, samples.data(), samples.size() * 2);
    mixer.Unlock(b);
    return b;
  }
  std::vector<int16_t> Render(int frames) {
    const OutputFormat out = mixer.Output();
    std::vector<int16_t> pcm(static_cast<size_t>(frames) * out.channels);
    mixer.Render(pcm.data(), frames);
    return pcm;
  }
  Mixer mixer;
};

TEST(AudioMixer, BuffersRefuseWhatTheyCannotHoldAndLocksWrap) {
  Fixture f;
  Buffer* b = reinterpret_cast<Buffer*>(1);
  EXPECT_EQ(f.mixer.CreateBuffer(PcmFormat(3, 22050, 16), 100, &b), AudioBadFormat);
  EXPECT_EQ(b, nullptr);
  EXPECT_EQ(f.mixer.CreateBuffer(PcmFormat(1, 22050, 8), MaxBufferBytes + 1, &b), AudioBadSize);
  EXPECT_EQ(f.mixer.BufferCount(), 0u);
  // Locks come in two pieces when they wrap, and stay inside.
  ASSERT_EQ(f.mixer.CreateBuffer(PcmFormat(1, 1000, 8), 16, &b), AudioOk);
  LockedRange r;
  ASSERT_EQ(f.mixer.Lock(b, 13, 10, &r), AudioOk);
  ASSERT_EQ(r.first_bytes, 3u);
  ASSERT_EQ(r.second_bytes, 7u);
  for (uint32_t i = 0; i < 3; ++i) r.first[i] = static_cast<uint8_t>(100 + i);
  for (uint32_t i = 0; i < 7; ++i) r.second[i] = static_cast<uint8_t>(i);
  f.mixer.Unlock(b);
  ASSERT_EQ(f.mixer.Lock(b, 0, 0, &r), AudioOk);
  const std::vector<uint8_t> all(r.first, r.first + r.first_bytes);
  f.mixer.Unlock(b);
  EXPECT_EQ(all, (std::vector<uint8_t>{0, 1, 2, 3, 4, 5, 6, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80,
                                       100, 101, 102}));
  EXPECT_EQ(f.mixer.Lock(b, 0, 17, &r), AudioBadParam);
}

TEST(AudioMixer, OneShotsEndAtPositionZeroLoopsWrapStopKeepsThePosition) {
  Fixture f;
  std::vector<int16_t> ramp(100);
  for (int i = 0; i < 100; ++i) ramp[i] = static_cast<int16_t>(100 * (i + 1));
  Buffer* b = f.Make16(ramp);
  f.mixer.Play(b, false);
  auto out = f.Render(140);
  EXPECT_EQ(out[2 * 99], 10000);
  EXPECT_EQ(out[2 * 100], 0);
  EXPECT_EQ(f.mixer.Status(b), 0u);
  EXPECT_EQ(f.mixer.Position(b), 0u);

  f.mixer.Play(b, true);
  out = f.Render(150);
  EXPECT_EQ(out[2 * 100], 100);
  EXPECT_EQ(f.mixer.Position(b), 100u);
  f.mixer.Stop(b);
  EXPECT_EQ(f.mixer.SetPosition(b, 21), AudioOk);  // inside frame 10
  EXPECT_EQ(f.mixer.SetPosition(b, 200), AudioBadParam);
  EXPECT_EQ(f.mixer.Position(b), 20u);
  f.mixer.Play(b, false);
  out = f.Render(1);
  EXPECT_EQ(out[0], 1100);
}

struct ConstantMusic : MusicSource {
  void Render(float* mix, int frames, uint32_t) override {
    for (int i = 0; i < 2 * frames; ++i) mix[i] += 0.25f;
  }
};

TEST(AudioMixer, MusicIsMixedOverTheBuffersAndClipped) {
  Fixture f(8000);
  ConstantMusic music;
  f.mixer.SetMusic(&music);
  Buffer* b = f.Make16(std::vector<int16_t>(10, 30000), 1, 8000);
  f.mixer.Play(b, false);
  auto out = f.Render(30);
  EXPECT_EQ(out[0], 32767);  // clipped
  EXPECT_EQ(out[2 * 20], 8192);
}

TEST(AudioMixer, TheCallbackThreadAndTheMainThreadShareTheMixerSafely) {
  Fixture f(44100);
  std::atomic<bool> done{false};
  std::atomic<int> renders{0};
  // Like a device's callback, the thread pauses between blocks.
  std::thread audio([&] {
    std::vector<int16_t> pcm(2 * 512);
    while (!done) {
      f.mixer.Render(pcm.data(), 512);
      ++renders;
      std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
  });
  while (renders == 0) std::this_thread::yield();  // the device is running
  for (int i = 0; i < 90; ++i) {
    Buffer* b = f.Make16(std::vector<int16_t>(64, static_cast<int16_t>(i)), 1, 22050);
    f.mixer.Play(b, i % 2 == 0);
    f.mixer.SetFrequency(b, 100 + i * 100);
    if (i % 3 == 0) f.mixer.ReleaseBuffer(b);
  }
  done = true;
  audio.join();
  EXPECT_EQ(f.mixer.BufferCount(), 60u);
}

}  // namespace
