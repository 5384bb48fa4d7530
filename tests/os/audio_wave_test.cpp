#include <gtest/gtest.h>

#include <filesystem>

#include "os/audio/wave.h"
#include "os/path.h"
#include "tests/support/test_support.h"
#include "tests/support/wave_kinds.h"

namespace {

using os::audio::SampleType;
using os::audio::WaveFile;
using os::audio::WaveFormat;
using vantris_test::WaveKind;

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

TEST(WaveReader, RefusalsSayWhatIsWrongWithTheFile) {
  const std::vector<uint8_t> good =
      os::audio::EncodeWave(os::audio::PcmFormat(1, 8000, 16), std::vector<uint8_t>(10, 1));
  auto with = [&](size_t at, std::vector<uint8_t> bytes, size_t size = 0) {
    std::vector<uint8_t> image = good;
    std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(at));
    if (size) image.resize(size);
    return image;
  };
  WaveFormat adpcm = os::audio::PcmFormat(1, 8000, 4);
  adpcm.format_tag = 2;
  adpcm.extra = {1, 2, 3, 4};
  std::vector<uint8_t> extra_past = os::audio::EncodeWave(adpcm, std::vector<uint8_t>(10, 1));
  extra_past[36] = 5;  // 5 extra bytes in a 22-byte chunk
  const std::pair<std::vector<uint8_t>, std::string> cases[] = {
      {std::vector<uint8_t>(good.begin(), good.begin() + 11), "too short for a RIFF/WAVE header"},
      {with(8, {'A', 'V', 'I', ' '}), "not a RIFF/WAVE file"},
      {with(12, {'f', 'm', 't', 'x'}), "no fmt chunk"},
      {with(16, {12}), "a fmt chunk of 12 bytes, fewer than 16"},
      {with(16, {30}), "no data chunk"},  // the chunk swallows the data chunk's header
      {with(16, {40}), "the fmt chunk runs past the file's end"},
      {extra_past, "5 extra format bytes in a fmt chunk of 22 bytes"},
      {with(36, {'d', 'a', 't', 'x'}), "no data chunk"},
      {with(0, {}, 50), "a data chunk of 10 bytes cut short after 6"},
  };
  for (const auto& [image, reason] : cases) {
    WaveFile wave;
    std::string why;
    EXPECT_FALSE(os::audio::ParseWave(image, &wave, &why)) << reason;
    EXPECT_EQ(why, reason);
  }
  std::string why;
  EXPECT_FALSE(os::audio::ReadWaveFile("/nonexistent/A.WAV", nullptr, &why));
  EXPECT_EQ(why, "No such file or directory");
}

TEST(WaveFormats, EveryKindABufferTakesIsKnownPlainOrExtensible) {
  for (const WaveKind& kind : vantris_test::AllWaveKinds()) {
    const WaveFormat f = vantris_test::FormatOf(kind, 22050);
    const SampleType expect = kind.code == os::audio::FormatIeeeFloat ? SampleType::F32
                              : kind.bits == 8                        ? SampleType::U8
                              : kind.bits == 16                       ? SampleType::S16
                              : kind.bits == 24                       ? SampleType::S24
                                                                      : SampleType::S32;
    std::string why;
    EXPECT_EQ(os::audio::SampleTypeOf(f, &why), expect) << kind.Name() << ": " << why;
    const WaveFormat plain = os::audio::PlainFormat(f);
    EXPECT_EQ(plain.format_tag, kind.code) << kind.Name();
    EXPECT_TRUE(plain.extra.empty());
    EXPECT_EQ(os::audio::SampleTypeOf(plain), expect) << kind.Name();
  }
  // Fewer valid bits than the container holds, or 0 for all of them.
  WaveFormat f = vantris_test::FormatOf({os::audio::FormatPcm, 24, 2, true}, 44100);
  f.extra[0] = 20;
  EXPECT_EQ(os::audio::SampleTypeOf(f), SampleType::S24);
  f.extra[0] = 0;
  EXPECT_EQ(os::audio::SampleTypeOf(f), SampleType::S24);
  // Files written by a sound editor: extensible 24-bit, plain float.
  for (const auto& [name, type] : {std::pair{"ok_sox_extensible24_mono.wav", SampleType::S24},
                                   std::pair{"ok_sox_float_stereo.wav", SampleType::F32}}) {
    WaveFile wave;
    ASSERT_TRUE(os::audio::ReadWaveFile(vantris_test::TestDataDir() + "/wav/" + name, &wave));
    EXPECT_EQ(os::audio::SampleTypeOf(wave.format), type) << name;
  }
}

TEST(WaveFormats, RefusedFormatsSayWhatIsWrong) {
  auto kind = [](uint16_t code, int bits, int channels, bool extensible) {
    return vantris_test::FormatOf(WaveKind{code, bits, channels, extensible}, 22050);
  };
  const uint16_t pcm = os::audio::FormatPcm, flt = os::audio::FormatIeeeFloat;
  const struct {
    WaveFormat format;
    std::string why;
  } cases[] = {
      {kind(pcm, 16, 3, false), "3 channels"},
      {kind(flt, 32, 6, true), "6 channels"},
      {kind(pcm, 16, 0, false), "0 channels"},
      {kind(flt, 64, 1, false), "64-bit float samples"},
      {kind(flt, 64, 2, true), "64-bit float samples"},
      {kind(pcm, 12, 1, false), "12-bit integer samples"},
      {kind(2, 4, 1, false), "format code 0x0002"},
      {kind(2, 16, 1, true), "format code 0x0002 (extensible)"},
      {kind(pcm, 0, 1, false), "0-bit integer samples"},
  };
  for (const auto& c : cases) {
    std::string why;
    EXPECT_EQ(os::audio::SampleTypeOf(c.format, &why), SampleType::None) << c.why;
    EXPECT_EQ(why, c.why);
    EXPECT_FALSE(os::audio::PlayableFormat(c.format));
  }
  auto refused = [](const WaveFormat& f) {
    std::string why;
    return os::audio::SampleTypeOf(f, &why) == SampleType::None ? why : "taken";
  };
  WaveFormat f = kind(pcm, 16, 1, true);
  f.extra.resize(21);
  EXPECT_EQ(refused(f), "an extensible format block with 21 extra bytes, not 22");
  f = kind(pcm, 16, 1, true);
  f.extra[21] = 0x72;  // the GUID's last byte
  EXPECT_EQ(refused(f), "extensible sub-format {00000001-0000-0010-8000-00AA00389B72}");
  f = kind(pcm, 16, 1, true);
  f.extra[0] = 17;
  EXPECT_EQ(refused(f), "17 valid bits in 16-bit samples");
  f = kind(pcm, 16, 1, false);
  f.sample_rate = 0;
  EXPECT_EQ(refused(f), "a sample rate of 0 Hz, outside 100 to 100000");
  f.sample_rate = 100001;
  EXPECT_EQ(refused(f), "a sample rate of 100001 Hz, outside 100 to 100000");
  f = kind(pcm, 24, 2, false);
  f.block_align = 8;
  EXPECT_EQ(refused(f), "a block align of 8 bytes, not 6");
  f = kind(flt, 32, 2, false);
  f.avg_bytes_per_sec = 22050 * 4;
  EXPECT_EQ(refused(f), "88200 average bytes per second, not 176400");
}

TEST(WaveFormats, ExtensibleBlocksAreWrittenWholeAndReadBack) {
  const WaveFormat f = vantris_test::FormatOf({os::audio::FormatPcm, 24, 2, true}, 48000);
  const std::vector<uint8_t> data = {1, 2, 3, 4, 5, 6, 7};  // odd: padded
  const std::vector<uint8_t> image = os::audio::EncodeWave(f, data);
  ASSERT_EQ(image.size(), 12 + 8 + 40 + 8 + 8u);
  EXPECT_EQ(os::audio::ReadLe32(image.data() + 4), image.size() - 8);
  EXPECT_EQ(os::audio::ReadLe32(image.data() + 16), 40u);
  WaveFile back;
  ASSERT_TRUE(os::audio::ParseWave(image, &back));
  EXPECT_EQ(os::audio::EncodeFormatBlock(back.format), os::audio::EncodeFormatBlock(f));
  EXPECT_EQ(back.data, data);
}

}  // namespace
