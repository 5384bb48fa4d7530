#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
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
  // Renders `frames` frames of 16-bit output.
  std::vector<int16_t> Render(int frames) {
    const OutputFormat out = mixer.Output();
    std::vector<int16_t> pcm(static_cast<size_t>(frames) * out.channels);
    mixer.Render(pcm.data(), frames);
    return pcm;
  }
  Mixer mixer;
};

TEST(AudioMixer, BuffersRefuseFormatsAndSizesTheyCannotHold) {
  Fixture f;
  Buffer* b = reinterpret_cast<Buffer*>(1);
  EXPECT_EQ(f.mixer.CreateBuffer(PcmFormat(3, 22050, 16), 100, &b), AudioBadFormat);
  EXPECT_EQ(b, nullptr);
  WaveFormat adpcm = PcmFormat(1, 22050, 16);
  adpcm.format_tag = 2;
  EXPECT_EQ(f.mixer.CreateBuffer(adpcm, 100, &b), AudioBadFormat);
  EXPECT_EQ(f.mixer.CreateBuffer(PcmFormat(1, 22050, 8), 3, &b), AudioBadSize);
  EXPECT_EQ(f.mixer.CreateBuffer(PcmFormat(1, 22050, 8), MaxBufferBytes + 1, &b), AudioBadSize);
  EXPECT_EQ(f.mixer.BufferCount(), 0u);

  ASSERT_EQ(f.mixer.CreateBuffer(PcmFormat(1, 11025, 8), 4, &b), AudioOk);
  EXPECT_EQ(f.mixer.Status(b), 0u);
  EXPECT_EQ(f.mixer.Position(b), 0u);
  EXPECT_EQ(f.mixer.Frequency(b), 11025u);
  EXPECT_EQ(f.mixer.Volume(b), 0);
  EXPECT_EQ(f.mixer.Pan(b), 0);
  LockedRange r;
  ASSERT_EQ(f.mixer.Lock(b, 0, 0, &r), AudioOk);
  EXPECT_EQ(std::vector<uint8_t>(r.first, r.first + r.first_bytes), std::vector<uint8_t>(4, 0x80));
  f.mixer.Unlock(b);
  f.mixer.ReleaseBuffer(b);
  EXPECT_EQ(f.mixer.BufferCount(), 0u);
}

TEST(AudioMixer, LocksComeInTwoPiecesWhenTheyWrap) {
  Fixture f;
  Buffer* b = nullptr;
  ASSERT_EQ(f.mixer.CreateBuffer(PcmFormat(1, 1000, 8), 16, &b), AudioOk);
  LockedRange r;
  ASSERT_EQ(f.mixer.Lock(b, 13, 10, &r), AudioOk);
  EXPECT_EQ(r.first_bytes, 3u);
  EXPECT_EQ(r.second_bytes, 7u);
  ASSERT_NE(r.second, nullptr);
  LockedRange again;
  EXPECT_EQ(f.mixer.Lock(b, 0, 4, &again), AudioBadParam);  // one lock at a time
  EXPECT_EQ(again.first, nullptr);
  for (uint32_t i = 0; i < 3; ++i) r.first[i] = static_cast<uint8_t>(100 + i);
  for (uint32_t i = 0; i < 7; ++i) r.second[i] = static_cast<uint8_t>(i);
  f.mixer.Unlock(b);
  ASSERT_EQ(f.mixer.Lock(b, 0, 0, &r), AudioOk);
  EXPECT_EQ(r.second, nullptr);
  const std::vector<uint8_t> all(r.first, r.first + r.first_bytes);
  f.mixer.Unlock(b);
  EXPECT_EQ(all, (std::vector<uint8_t>{0, 1, 2, 3, 4, 5, 6, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80,
                                       100, 101, 102}));
  EXPECT_EQ(f.mixer.Lock(b, 16, 1, &r), AudioBadParam);
  EXPECT_EQ(f.mixer.Lock(b, 0, 17, &r), AudioBadParam);
}

TEST(AudioMixer, OneShotsEndAtPositionZeroLoopsWrapStopKeepsThePosition) {
  Fixture f;
  std::vector<int16_t> ramp(100);
  for (int i = 0; i < 100; ++i) ramp[i] = static_cast<int16_t>(100 * (i + 1));
  Buffer* b = f.Make16(ramp);
  f.mixer.Play(b, false);
  EXPECT_EQ(f.mixer.Status(b), StatusPlaying);
  auto out = f.Render(60);
  EXPECT_EQ(out[0], 100);
  EXPECT_EQ(out[2 * 59 + 1], 6000);
  EXPECT_EQ(f.mixer.Position(b), 120u);
  out = f.Render(60);
  EXPECT_EQ(out[2 * 39], 10000);
  EXPECT_EQ(out[2 * 40], 0);
  EXPECT_EQ(f.mixer.Status(b), 0u);
  EXPECT_EQ(f.mixer.Position(b), 0u);

  f.mixer.Play(b, true);
  EXPECT_EQ(f.mixer.Status(b), StatusPlaying | StatusLooping);
  out = f.Render(150);
  EXPECT_EQ(out[2 * 100], 100);
  EXPECT_EQ(f.mixer.Position(b), 100u);
  f.mixer.Stop(b);
  f.Render(10);
  EXPECT_EQ(f.mixer.Position(b), 100u);
  EXPECT_EQ(f.mixer.SetPosition(b, 21), AudioOk);  // inside frame 10
  EXPECT_EQ(f.mixer.Position(b), 20u);
  EXPECT_EQ(f.mixer.SetPosition(b, 200), AudioBadParam);
  EXPECT_EQ(f.mixer.Position(b), 20u);
  f.mixer.Play(b, false);
  out = f.Render(1);
  EXPECT_EQ(out[0], 1100);
}

TEST(AudioMixer, FrequencyResamplesWithInterpolation) {
  Fixture f;
  Buffer* b = f.Make16({0, 1000, 2000, 3000, 4000, 5000, 6000, 7000});
  EXPECT_EQ(f.mixer.SetFrequency(b, 99), AudioBadParam);
  EXPECT_EQ(f.mixer.SetFrequency(b, 100001), AudioBadParam);
  EXPECT_EQ(f.mixer.SetFrequency(b, 500), AudioOk);
  f.mixer.Play(b, false);
  auto out = f.Render(4);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(out[2], 500);
  EXPECT_EQ(out[4], 1000);
  EXPECT_EQ(out[6], 1500);
  EXPECT_EQ(f.mixer.Position(b), 4u);
  EXPECT_EQ(f.mixer.SetFrequency(b, 2000), AudioOk);
  out = f.Render(2);
  EXPECT_EQ(out[0], 2000);
  EXPECT_EQ(out[2], 4000);
  EXPECT_EQ(f.mixer.Position(b), 12u);
  // A source rate twice the output's takes every other frame.
  Fixture g(22050);
  Buffer* fast = g.Make16({1, 2, 3, 4, 5, 6}, 1, 44100);
  g.mixer.Play(fast, false);
  out = g.Render(3);
  EXPECT_EQ(out[0], 1);
  EXPECT_EQ(out[2], 3);
  EXPECT_EQ(out[4], 5);
  EXPECT_EQ(g.mixer.Status(fast), 0u);
}

TEST(AudioMixer, VolumeAndPanAreHundredthsOfADecibel) {
  Fixture f;
  Buffer* b = f.Make16(std::vector<int16_t>(50, 20000));
  f.mixer.Play(b, true);
  EXPECT_EQ(f.mixer.SetVolume(b, 1), AudioBadParam);
  EXPECT_EQ(f.mixer.SetVolume(b, -10001), AudioBadParam);
  EXPECT_EQ(f.mixer.SetPan(b, 10001), AudioBadParam);
  ASSERT_EQ(f.mixer.SetVolume(b, -600), AudioOk);
  auto out = f.Render(1);
  EXPECT_NEAR(out[0], 20000 * std::pow(10.0, -0.3), 1.5);
  EXPECT_EQ(out[0], out[1]);
  ASSERT_EQ(f.mixer.SetPan(b, 2000), AudioOk);  // right: the left 20 dB down
  out = f.Render(1);
  EXPECT_NEAR(out[0], 20000 * std::pow(10.0, -1.3), 1.5);
  EXPECT_NEAR(out[1], 20000 * std::pow(10.0, -0.3), 1.5);
  f.mixer.SetPan(b, -10000);
  out = f.Render(1);
  EXPECT_EQ(out[1], 0);
  EXPECT_NE(out[0], 0);
  f.mixer.SetPan(b, 0);
  f.mixer.SetVolume(b, -10000);
  out = f.Render(1);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(out[1], 0);
  EXPECT_EQ(GainOf(0), 1.0f);
  EXPECT_EQ(GainOf(-10000), 0.0f);
}

TEST(AudioMixer, EightBitStereoSourcesAndMonoOrEightBitOutputs) {
  Fixture mono(1000, 1, 16);
  Buffer* b = nullptr;
  ASSERT_EQ(mono.mixer.CreateBuffer(PcmFormat(2, 1000, 8), 4, &b), AudioOk);
  LockedRange r;
  mono.mixer.Lock(b, 0, 0, &r);
  const uint8_t frames[4] = {0x80 + 64, 0x80, 0x80 + 64, 0x80};  // left +0.5, right 0
  std::memcpy(r.first, frames, 4);
  mono.mixer.Unlock(b);
  mono.mixer.Play(b, true);
  auto out = mono.Render(2);
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0], 8192);  // (0.5 + 0) / 2

  Fixture eight(1000, 2, 8);
  Buffer* s = eight.Make16({16384, -16384}, 2);
  eight.mixer.Play(s, true);
  uint8_t pcm[4];
  eight.mixer.Render(pcm, 2);
  EXPECT_EQ(pcm[0], 0x80 + 64);
  EXPECT_EQ(pcm[1], 0x80 - 64);
}

class ConstantMusic : public MusicSource {
 public:
  void Render(float* mix, int frames, uint32_t rate) override {
    last_rate = rate;
    for (int i = 0; i < 2 * frames; ++i) mix[i] += 0.25f;
    rendered += frames;
  }
  uint32_t last_rate = 0;
  int rendered = 0;
};

TEST(AudioMixer, MusicIsMixedOverTheBuffersAndClipped) {
  Fixture f(8000);
  ConstantMusic music;
  f.mixer.SetMusic(&music);
  Buffer* b = f.Make16(std::vector<int16_t>(10, 30000), 1, 8000);
  f.mixer.Play(b, false);
  auto out = f.Render(600);
  EXPECT_EQ(out[0], 32767);  // clipped
  EXPECT_EQ(out[2 * 20], 8192);
  EXPECT_EQ(music.rendered, 600);
  EXPECT_EQ(music.last_rate, 8000u);
  f.mixer.SetMusic(nullptr);
  EXPECT_EQ(f.Render(1)[0], 0);
}

TEST(AudioMixer, TheCallbackThreadAndTheMainThreadShareTheMixerSafely) {
  Fixture f(44100);
  std::atomic<bool> done{false};
  std::atomic<int> renders{0};
  // Like a device's callback, the thread pauses between blocks: spinning on
  // the mixer's mutex instead could starve the main thread for many seconds
  // on a busy machine.
  std::thread audio([&] {
    std::vector<int16_t> pcm(2 * 512);
    while (!done) {
      f.mixer.Render(pcm.data(), 512);
      ++renders;
      std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
  });
  while (renders == 0) std::this_thread::yield();  // the device is running
  for (int i = 0; i < 300; ++i) {
    Buffer* b = f.Make16(std::vector<int16_t>(64, static_cast<int16_t>(i)), 1, 22050);
    f.mixer.Play(b, i % 2 == 0);
    f.mixer.SetFrequency(b, 100 + i * 100);
    f.mixer.SetPan(b, i * 10);
    LockedRange r;
    if (f.mixer.Lock(b, 60, 8, &r) == AudioOk) {
      std::memset(r.first, 0, r.first_bytes);
      if (r.second) std::memset(r.second, 0, r.second_bytes);
      f.mixer.Unlock(b);
    }
    if (i % 3 == 0) f.mixer.ReleaseBuffer(b);
  }
  done = true;
  audio.join();
  EXPECT_EQ(f.mixer.BufferCount(), 200u);
}

}  // namespace
