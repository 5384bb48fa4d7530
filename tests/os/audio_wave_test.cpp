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
  int bad = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    const std::string name = entry.path().filename().string();
    std::vector<uint8_t> image;
    ASSERT_TRUE(os::ReadWholeFile(entry.path().string(), &image));
    WaveFile wave;
    wave.data = {9, 9};
    const bool parsed = os::audio::ParseWave(image, &wave);
    if (name.rfind("ok_", 0) == 0) {
      EXPECT_TRUE(parsed) << name;
    } else {
      EXPECT_FALSE(parsed) << name;
      EXPECT_EQ(wave.data, (std::vector<uint8_t>{9, 9})) << name << ": output touched";
      ++bad;
    }
  }
  EXPECT_GE(bad, 12);
}

TEST(WaveReader, ResourceImagesCheckTheirDataSize) {
  const std::vector<uint8_t> data(100, 0x42);
  std::vector<uint8_t> image = os::audio::EncodeWave(os::audio::PcmFormat(2, 11025, 16), data);
  WaveFile w;
  ASSERT_TRUE(os::audio::ParseWaveImage44(image, &w));
  EXPECT_EQ(w.data, data);
  image.resize(143);
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
  EXPECT_EQ(back.extra, f.extra);
  EXPECT_FALSE(os::audio::ParseFormatBlock(std::span(block).first(19), &back));
}

}  // namespace
