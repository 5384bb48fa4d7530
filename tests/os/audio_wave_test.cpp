#include <gtest/gtest.h>

#include <filesystem>

#include "os/audio/wave.h"
#include "os/path.h"
#include "tests/support/test_support.h"

namespace {

using os::audio::WaveFile;
using os::audio::WaveFormat;

TEST(WaveReader, CorpusFilesParseOrFailByTheirNames) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(vantris_test::TestDataDir()) / "wav";
  int ok = 0, bad = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    const std::string name = entry.path().filename().string();
    std::vector<uint8_t> image;
    ASSERT_TRUE(os::ReadWholeFile(entry.path().string(), &image));
    WaveFile wave;
    wave.data = {9, 9};
    const bool parsed = os::audio::ParseWave(image, &wave);
    if (name.rfind("ok_", 0) == 0) {
      EXPECT_TRUE(parsed) << name;
      EXPECT_LE(wave.data.size(), image.size()) << name;
      ++ok;
    } else {
      EXPECT_FALSE(parsed) << name;
      EXPECT_EQ(wave.data, (std::vector<uint8_t>{9, 9})) << name << ": output touched";
      ++bad;
    }
  }
  EXPECT_GE(ok, 8);
  EXPECT_GE(bad, 12);
}

TEST(WaveReader, ReadsFormatsExtraBytesAndData) {
  const std::string dir = vantris_test::TestDataDir() + "/wav/";
  WaveFile w;
  ASSERT_TRUE(os::audio::ReadWaveFile(dir + "ok_pcm8_stereo.wav", &w));
  EXPECT_EQ(w.format.channels, 2);
  EXPECT_EQ(w.format.bits_per_sample, 8);
  EXPECT_EQ(w.format.block_align, 2);
  EXPECT_EQ(w.format.avg_bytes_per_sec, 44100u);
  EXPECT_EQ(w.data.size(), 200u);
  EXPECT_EQ(w.data[199], 199);
  EXPECT_TRUE(os::audio::PlayableFormat(w.format));
  EXPECT_EQ(w.format.BlockSize(), 18u);

  ASSERT_TRUE(os::audio::ReadWaveFile(dir + "ok_nonpcm_extra.wav", &w));
  EXPECT_EQ(w.format.format_tag, 2);
  EXPECT_EQ(w.format.extra, (std::vector<uint8_t>{1, 2, 3, 4}));
  EXPECT_EQ(w.format.BlockSize(), 22u);
  EXPECT_FALSE(os::audio::PlayableFormat(w.format));
  // A non-PCM chunk of 16 bytes has no count: 0 extra bytes.
  ASSERT_TRUE(os::audio::ReadWaveFile(dir + "ok_nonpcm_no_count.wav", &w));
  EXPECT_TRUE(w.format.extra.empty());
  // Odd chunks are padded to a word.
  ASSERT_TRUE(os::audio::ReadWaveFile(dir + "ok_odd_chunk_padding.wav", &w));
  EXPECT_EQ(w.data.size(), 51u);
  EXPECT_EQ(w.data[0], 0);
  EXPECT_FALSE(os::audio::ReadWaveFile(dir + "no_such_file.wav", &w));
}

TEST(WaveReader, ResourceImagesCheckTheirDataSize) {
  const std::vector<uint8_t> data(100, 0x42);
  std::vector<uint8_t> image = os::audio::EncodeWave(os::audio::PcmFormat(2, 11025, 16), data);
  WaveFile w;
  ASSERT_TRUE(os::audio::ParseWaveImage44(image, &w));
  EXPECT_EQ(w.format.sample_rate, 11025u);
  EXPECT_EQ(w.data, data);
  image.resize(143);
  EXPECT_FALSE(os::audio::ParseWaveImage44(image, &w));
  image.resize(43);
  EXPECT_FALSE(os::audio::ParseWaveImage44(image, &w));
}

TEST(WaveFormats, BlocksRoundTripAndRefuseAnExtraSizePastTheBlock) {
  WaveFormat f = os::audio::PcmFormat(2, 44100, 16);
  f.format_tag = 0x11;
  f.extra = {7, 8};
  const std::vector<uint8_t> block = os::audio::EncodeFormatBlock(f);
  ASSERT_EQ(block.size(), 20u);
  WaveFormat back;
  ASSERT_TRUE(os::audio::ParseFormatBlock(block, &back));
  EXPECT_EQ(back.format_tag, 0x11);
  EXPECT_EQ(back.avg_bytes_per_sec, 176400u);
  EXPECT_EQ(back.extra, f.extra);
  EXPECT_FALSE(os::audio::ParseFormatBlock(std::span(block).first(19), &back));
  EXPECT_FALSE(os::audio::ParseFormatBlock(std::span(block).first(17), &back));
}

TEST(WaveFormats, OnlyConsistentPcmOfOneOrTwoChannelsAndEightOrSixteenBitsPlays) {
  EXPECT_TRUE(os::audio::PlayableFormat(os::audio::PcmFormat(1, 8000, 8)));
  EXPECT_TRUE(os::audio::PlayableFormat(os::audio::PcmFormat(2, 100000, 16)));
  EXPECT_FALSE(os::audio::PlayableFormat(os::audio::PcmFormat(3, 22050, 16)));
  EXPECT_FALSE(os::audio::PlayableFormat(os::audio::PcmFormat(0, 22050, 16)));
  EXPECT_FALSE(os::audio::PlayableFormat(os::audio::PcmFormat(1, 22050, 24)));
  EXPECT_FALSE(os::audio::PlayableFormat(os::audio::PcmFormat(1, 99, 16)));
  EXPECT_FALSE(os::audio::PlayableFormat(os::audio::PcmFormat(1, 100001, 16)));
  WaveFormat f = os::audio::PcmFormat(2, 22050, 16);
  f.block_align = 2;
  EXPECT_FALSE(os::audio::PlayableFormat(f));
  f = os::audio::PcmFormat(2, 22050, 16);
  f.avg_bytes_per_sec = 0;
  EXPECT_FALSE(os::audio::PlayableFormat(f));
  f = os::audio::PcmFormat(2, 22050, 16);
  f.format_tag = 3;
  EXPECT_FALSE(os::audio::PlayableFormat(f));
}

}  // namespace
