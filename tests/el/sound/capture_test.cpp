#include <cmath>

#include "tests/el/sound/sound_fixture.h"

namespace {

using sound_test::SoundTest;

int16_t SampleAt(const os::audio::WaveFile& wave, size_t frame, int channel) {
  const size_t at = (frame * wave.format.channels + channel) * 2;
  return static_cast<int16_t>(wave.data[at] | (wave.data[at + 1] << 8));
}

TEST_F(SoundTest, TheHeadlessMixHoldsAPlayedSoundWithItsPanAndVolume) {
  MakeSound("SHOT.WAV", 2205, 22050, 16000);  // 100 ms
  const int32_t h = elSound::LoadObject("SHOT.WAV", 1);
  ASSERT_EQ(h, 0);
  elSound::SetVolume(h, -6, -1);
  elSound::SetPan(h, -10, -1);  // to the left: the right side 10 dB down
  os::headless::StartAudioCapture();
  os::headless::AdvanceMs(20);
  elSound::Play(h, -1);
  os::headless::AdvanceMs(200);
  const std::string path = vantris_test::MakeTempDir("capture") + "mix.wav";
  ASSERT_TRUE(os::headless::StopAudioCapture(path));

  os::audio::WaveFile wave;
  ASSERT_TRUE(os::audio::ReadWaveFile(path, &wave));
  EXPECT_EQ((std::vector<uint32_t>{wave.format.channels, wave.format.sample_rate,
                                   wave.format.bits_per_sample}),
            (std::vector<uint32_t>{2, 44100, 16}));
  const size_t frames = wave.data.size() / 4;
  EXPECT_EQ(frames, 44100u * 220 / 1000);

  const double left = 16000 * std::pow(10.0, -600 / 2000.0);
  const double right = left * std::pow(10.0, -1000 / 2000.0);
  // Silence before the play, the sound for its 100 ms, silence after.
  const size_t start = 882;  // 20 ms
  EXPECT_EQ(SampleAt(wave, start - 1, 0), 0);
  EXPECT_NEAR(SampleAt(wave, start + 10, 0), left, 2.0);
  EXPECT_NEAR(SampleAt(wave, start + 10, 1), right, 2.0);
  EXPECT_NEAR(SampleAt(wave, start + 4000, 0), left, 2.0);
  EXPECT_EQ(SampleAt(wave, start + 4420, 0), 0);
  EXPECT_EQ(SampleAt(wave, frames - 1, 1), 0);
  EXPECT_FALSE(os::audio::MainMixer().Status(SoundBufferTable[h].Buffers[0]) &
               os::audio::StatusPlaying);
  EXPECT_EQ(elSound::GetPlayPosition(h), 0u);
}

}  // namespace
