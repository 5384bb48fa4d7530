#include <gtest/gtest.h>

#include <atomic>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstring>
#include <limits>
#include <thread>

#include "os/audio/audio.h"
#include "os/audio/mixer.h"
#include "os/headless/headless.h"
#include "os/headless/headless_audio.h"
#include "tests/support/mixer_buffer.h"
#include "tests/support/test_support.h"

namespace {

using namespace os::audio;

// A mixer whose output runs at `rate` (16-bit stereo unless told otherwise).
struct Fixture {
  explicit Fixture(uint32_t rate = 1000, int channels = 2, int bits = 16) {
    mixer.SetOutput(OutputFormat{channels, rate, bits});
  }
  Buffer* Make16(const std::vector<int16_t>& samples, int channels = 1, uint32_t rate = 1000) {
    return vantris_test::Buffer16(mixer, samples, channels, rate);
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
  WaveFormat doubles = PcmFormat(1, 22050, 64);
  doubles.format_tag = FormatIeeeFloat;
  EXPECT_EQ(f.mixer.CreateBuffer(doubles, 800, &b), AudioBadFormat);
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

// While the headless sound log is on, what a listener hears of the main
// mixer's buffers is logged in order, each buffer by the sound it was made
// from: plays with their volume, pan, loop, frequency and start where they
// differ from a plain play, stops of playing buffers, changes while playing.
TEST(AudioMixer, TheHeadlessSoundLogSaysWhatIsHeardNamingEachBufferByItsSound) {
  Mixer& mixer = MainMixer();
  Buffer* shot = nullptr;
  Buffer* bare = nullptr;
  ASSERT_EQ(mixer.CreateBuffer(PcmFormat(1, 22050, 16), 400, &shot, "SOUND/SHOT.WAV"), AudioOk);
  ASSERT_EQ(mixer.CreateBuffer(PcmFormat(1, 11025, 8), 400, &bare), AudioOk);
  os::headless::ClearSoundLog();
  mixer.Play(shot, false);  // not logged yet
  os::headless::LogSounds(true);
  mixer.SetPan(shot, -300);
  mixer.Stop(shot);
  mixer.Stop(shot);  // silences nothing
  mixer.SetVolume(shot, -500);  // changes of a stopped buffer are heard at its play
  mixer.SetFrequency(shot, 44100);
  mixer.SetPosition(shot, 100);
  mixer.Play(shot, true);
  mixer.Play(bare, false);
  mixer.SetVolume(bare, -100);
  mixer.SetFrequency(bare, 8000);
  os::headless::LogSounds(false);
  mixer.Stop(bare);
  EXPECT_EQ(os::headless::SoundLog(),
            (std::vector<std::string>{
                "pan SOUND/SHOT.WAV -300", "stop SOUND/SHOT.WAV",
                "play SOUND/SHOT.WAV volume -500 pan -300 looping frequency 44100 from byte 100",
                "play (unnamed) volume 0 pan 0", "volume (unnamed) -100",
                "frequency (unnamed) 8000"}));
  os::headless::ClearSoundLog();
  mixer.ReleaseBuffer(shot);
  mixer.ReleaseBuffer(bare);
}

// Full scale, the extremes and what lies beyond them, in each wider kind:
// integers are sign-extended from their own width, floats are clamped to
// [-1, 1] and NaN plays as silence.  Full scale comes out at 31918, where
// the output's knee bends it.
TEST(AudioMixer, WideAndFloatSamplesReadAtTheirOwnScale) {
  auto le = [](std::initializer_list<uint32_t> words, int bytes) {
    std::vector<uint8_t> out;
    for (uint32_t w : words)
      for (int b = 0; b < bytes; ++b) out.push_back(static_cast<uint8_t>(w >> (8 * b)));
    return out;
  };
  auto f = [](float v) { return std::bit_cast<uint32_t>(v); };
  const float inf = std::numeric_limits<float>::infinity();
  const uint16_t kPcm = FormatPcm, kFloat = FormatIeeeFloat;
  const int16_t kFull = 31918;
  const struct {
    int bits;
    uint16_t tag;
    std::vector<uint8_t> data;
    std::vector<int16_t> expect;
  } cases[] = {
      {24, kPcm, le({0x800000, 0x7FFFFF, 0xFFFF00, 0x004000}, 3), {-kFull, kFull, -1, 64}},
      {32, kPcm, le({0x80000000u, 0x7FFFFFFF, 0xFFFF0000u, 0x00018000}, 4), {-kFull, kFull, -1, 2}},
      {32, kFloat, le({f(-1.0f), f(0.25f), f(1.5f), f(-inf)}, 4), {-kFull, 8192, kFull, -kFull}},
      {32, kFloat, le({f(std::nanf("")), f(inf), f(-0.5f), f(1e-9f)}, 4), {0, kFull, -16384, 0}},
  };
  for (const auto& c : cases) {
    Fixture fx(1000, 1);
    WaveFormat format = PcmFormat(1, 1000, c.bits);
    format.format_tag = c.tag;
    Buffer* b = nullptr;
    ASSERT_EQ(fx.mixer.CreateBuffer(format, static_cast<uint32_t>(c.data.size()), &b), AudioOk);
    LockedRange r;
    ASSERT_EQ(fx.mixer.Lock(b, 0, 0, &r), AudioOk);
    std::memcpy(r.first, c.data.data(), c.data.size());
    fx.mixer.Unlock(b);
    fx.mixer.Play(b, false);
    EXPECT_EQ(fx.Render(4), c.expect) << c.bits << "-bit, tag " << c.tag;
  }
}

struct ConstantMusic : MusicSource {
  void Render(float* mix, int frames, uint32_t) override {
    for (int i = 0; i < 2 * frames; ++i) mix[i] += 0.25f;
  }
};

TEST(AudioMixer, MusicIsMixedOverTheBuffersAndLimited) {
  Fixture f(8000);
  ConstantMusic music;
  f.mixer.SetMusic(&music);
  Buffer* b = f.Make16(std::vector<int16_t>(10, 30000), 1, 8000);
  f.mixer.Play(b, false);
  auto out = f.Render(30);
  EXPECT_GT(out[0], 32700);  // 38192 bent under full scale
  EXPECT_LT(out[0], 32767);
  EXPECT_EQ(out[2 * 20], 8192);
}

// The output's headroom: below the knee (-1 dBFS, 29205) sounds add exactly
// at their own levels, in every output format; above it the mix bends
// smoothly, rising with what is added, and however many full-scale sounds
// play at once no sample reaches full scale (nor wraps in 8 bits).  A
// full-scale sound alone keeps its level against a half-scale one.
TEST(AudioMixer, SoundsAddExactlyBelowTheKneeAndNeverReachFullScaleAbove) {
  EXPECT_EQ(Limit(0.5f), 0.5f);
  EXPECT_EQ(Limit(-kOutputKnee), -kOutputKnee);
  float last = 0;
  for (float x = 0.0f; x < 20.0f; x += 0.001f) {
    const float y = Limit(x);
    ASSERT_EQ(Limit(-x), -y) << x;
    ASSERT_GE(y, last) << x;                  // never falls as the mix grows
    ASSERT_LE(y - last, 0.0011f) << x;        // nor jumps
    ASSERT_LE(y, kOutputCeiling) << x;
    last = y;
  }

  Fixture f(1000);
  Buffer* a = f.Make16(std::vector<int16_t>(8, 12000));
  Buffer* b = f.Make16(std::vector<int16_t>(8, 17000));
  Buffer* c = f.Make16(std::vector<int16_t>(8, -29000));
  f.mixer.Play(a, false);
  f.mixer.Play(b, false);
  EXPECT_EQ(f.Render(1)[0], 29000);  // just under the knee: the exact sum
  f.mixer.Play(c, false);
  EXPECT_EQ(f.Render(1)[0], 0);
  f.mixer.SetVolume(c, VolumeSilent);
  f.mixer.SetPan(a, 10000);  // the left side silent
  EXPECT_EQ(f.Render(1), (std::vector<int16_t>{17000, 29000}));

  // Ten full-scale sounds at once, in 16-bit stereo, mono and 8 bits.
  for (const OutputFormat format : {OutputFormat{2, 1000, 16}, OutputFormat{1, 1000, 16},
                                    OutputFormat{2, 1000, 8}}) {
    Fixture loud(format.rate, format.channels, format.bits);
    for (int i = 0; i < 10; ++i) {
      std::vector<int16_t> square(40);
      for (int j = 0; j < 40; ++j) square[j] = j % 4 < 2 ? 32767 : -32768;
      loud.mixer.Play(loud.Make16(square), false);
    }
    std::vector<uint8_t> out(40 * format.BytesPerFrame());
    loud.mixer.Render(out.data(), 40);
    for (size_t i = 0; i < out.size(); i += format.bits / 8) {
      const bool eight = format.bits == 8;
      const int s = eight ? (out[i] - 128) * 256 : int16_t(out[i] | out[i + 1] << 8);
      const int sign = i / format.BytesPerFrame() % 4 < 2 ? 1 : -1;
      ASSERT_GT(s * sign, 31000) << format.channels << "x" << format.bits << " at " << i;
      if (!eight) {
        ASSERT_LT(std::abs(s), 32767) << format.channels << " channels at " << i;
      }
    }
  }

  // A full-scale sine and a half-scale one, each alone: 6 dB apart.
  auto sine_rms = [](double amplitude) {
    Fixture g(44100);
    std::vector<int16_t> wave(4410);
    for (size_t i = 0; i < wave.size(); ++i)
      wave[i] = static_cast<int16_t>(std::lround(amplitude * std::sin(2 * M_PI * 441 * i / 44100.0)));
    g.mixer.Play(g.Make16(wave, 1, 44100), false);
    double sum = 0;
    for (int16_t s : g.Render(4410)) sum += static_cast<double>(s) * s;
    return std::sqrt(sum / (2 * 4410));
  };
  EXPECT_NEAR(20 * std::log10(sine_rms(32767) / sine_rms(16384)), 6.02, 0.2);
}

using AudioBeep = vantris_test::HeadlessTest;

// The beep where no bell rings: on the running device only, 160 ms of tone
// faded in and out at about a third of full scale over what plays, started
// again by the next beep, and gone with the device.
TEST_F(AudioBeep, TheToneIsShortFadedStartedAgainAndGoesWithTheDevice) {
  EXPECT_FALSE(PlayBeepTone());
  ASSERT_TRUE(OpenEffects());
  const OutputFormat out = MainMixer().Output();
  os::headless::LogSounds(true);
  os::headless::StartAudioCapture();
  EXPECT_TRUE(PlayBeepTone());
  os::headless::AdvanceMs(20);
  EXPECT_TRUE(PlayBeepTone());
  os::headless::AdvanceMs(300);
  os::headless::StopAudioCapture();
  os::headless::LogSounds(false);
  EXPECT_EQ(os::headless::SoundLog(),
            (std::vector<std::string>{"play beep volume 0 pan 0", "stop beep",
                                      "play beep volume 0 pan 0"}));
  const WaveFile heard = os::headless::CapturedAudio();
  ASSERT_EQ(out.bits, 16);
  std::vector<int> level;  // the left channel's magnitude, frame by frame
  for (size_t at = 0; at + 1 < heard.data.size(); at += out.BytesPerFrame())
    level.push_back(std::abs(static_cast<int16_t>(heard.data[at] | heard.data[at + 1] << 8)));
  const auto loud = [&](size_t from, size_t to) {
    return *std::max_element(level.begin() + static_cast<long>(from),
                             level.begin() + static_cast<long>(to));
  };
  const size_t ms = out.rate / 1000, second = 20 * ms;
  ASSERT_GT(level.size(), second + 200 * ms);
  EXPECT_LT(loud(0, ms), 4000);                 // faded in
  EXPECT_GT(loud(5 * ms, 20 * ms), 8000);       // loud, yet
  EXPECT_LT(loud(5 * ms, 20 * ms), 14000);      // well below full scale
  EXPECT_LT(loud(second + ms, second + 2 * ms), 4000);  // the second from its start
  EXPECT_GT(loud(second + 100 * ms, second + 150 * ms), 8000);
  EXPECT_EQ(loud(second + 165 * ms, level.size()), 0);  // and over
  CloseEffects();
  EXPECT_EQ(MainMixer().BufferCount(), 0u);
  EXPECT_FALSE(PlayBeepTone());
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
