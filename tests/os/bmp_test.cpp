#include "os/bmp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "os/path.h"
#include "tests/support/bmp_writer.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;

// The pattern every ok_*.bmp of the corpus shows (see make_bmp_corpus.py).
constexpr uint32_t kColours[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};

std::vector<uint8_t> ReadAll(const fs::path& path) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(os::ReadWholeFile(path.string(), &bytes)) << path;
  return bytes;
}

std::vector<fs::path> Corpus(const std::string& prefix) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(vantris_test::TestDataDir() + "/bmp")) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(prefix, 0) == 0) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(BmpDecoder, EveryValidCorpusFileShowsThePattern) {
  const auto files = Corpus("ok_");
  ASSERT_GE(files.size(), 25u);
  for (const fs::path& path : files) {
    SCOPED_TRACE(path.filename().string());
    const std::vector<uint8_t> bytes = ReadAll(path);
    os::Bitmap bmp;
    const char* why = nullptr;
    ASSERT_TRUE(os::DecodeBmp(bytes.data(), bytes.size(), &bmp, &why)) << (why ? why : "");
    ASSERT_EQ(bmp.pixels.size(), size_t(bmp.width) * size_t(bmp.height));
    const bool two_colours = path.filename().string().find("_1") != std::string::npos &&
                             path.filename().string().find("_16") == std::string::npos;
    const int n = two_colours ? 2 : 4;
    for (int y = 0; y < bmp.height; ++y)
      for (int x = 0; x < bmp.width; ++x)
        ASSERT_EQ(bmp.At(x, y), kColours[(x + 3 * y) % n]) << "at " << x << "," << y;
  }
}

TEST(BmpDecoder, EveryHostileCorpusFileIsRefused) {
  const auto files = Corpus("bad_");
  ASSERT_GE(files.size(), 40u);
  for (const fs::path& path : files) {
    SCOPED_TRACE(path.filename().string());
    const std::vector<uint8_t> bytes = ReadAll(path);
    os::Bitmap bmp;
    bmp.width = 5;  // must be emptied
    const char* why = nullptr;
    EXPECT_FALSE(os::DecodeBmp(bytes.data(), bytes.size(), &bmp, &why));
    EXPECT_NE(why, nullptr);
    EXPECT_EQ(bmp.width, 0);
    EXPECT_TRUE(bmp.pixels.empty());
  }
}

// Every prefix and every single-byte corruption of every valid file is either
// decoded or refused, never read past (the sanitizers watch the reads).
TEST(BmpDecoder, TruncatedAndCorruptedFilesNeverReadOutside) {
  for (const fs::path& path : Corpus("ok_")) {
    SCOPED_TRACE(path.filename().string());
    const std::vector<uint8_t> bytes = ReadAll(path);
    os::Bitmap bmp;
    for (size_t n = 0; n < bytes.size(); ++n) {
      // An exact-size copy, so reading one byte past it is caught.
      std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + static_cast<long>(n));
      os::DecodeBmp(prefix.data(), prefix.size(), &bmp);
    }
    const size_t header_end = std::min<size_t>(bytes.size(), 14 + 124 + 64);
    for (size_t i = 0; i < header_end; ++i)
      for (uint8_t v : {uint8_t{0x00}, uint8_t{0x7F}, uint8_t{0x80}, uint8_t{0xFF}}) {
        std::vector<uint8_t> bad = bytes;
        bad[i] = v;
        os::DecodeBmp(bad.data(), bad.size(), &bmp);
      }
  }
}

TEST(BmpDecoder, FileWithoutTheLastRowsPaddingStillDecodesButNotOneByteLess) {
  auto bytes = vantris_test::MakeBmp24(3, 2, [](int x, int y) { return uint32_t(x * 40 + y); });
  os::Bitmap bmp;
  ASSERT_TRUE(os::DecodeBmp(bytes.data(), bytes.size() - 3, &bmp));  // 9 bytes + 3 padding
  EXPECT_EQ(bmp.At(2, 0), 80u);
  EXPECT_FALSE(os::DecodeBmp(bytes.data(), bytes.size() - 4, &bmp));
}

TEST(BmpDecoder, ChannelsOfBitFieldsAreScaledToEightBits) {
  // 16 bits, 5-5-5 without bit fields: 31 -> 255, 1 -> 8, 16 -> 132.
  std::vector<uint8_t> f = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0};
  auto u32 = [&f](uint32_t v) {
    for (int i = 0; i < 4; ++i) f.push_back(uint8_t(v >> (8 * i)));
  };
  auto u16 = [&f](uint32_t v) {
    f.push_back(uint8_t(v));
    f.push_back(uint8_t(v >> 8));
  };
  u32(40);
  u32(2);
  u32(1);
  u16(1);
  u16(16);
  for (int i = 0; i < 6; ++i) u32(0);
  u16((31 << 10) | (1 << 5) | 16);
  u16(0);
  os::Bitmap bmp;
  ASSERT_TRUE(os::DecodeBmp(f.data(), f.size(), &bmp));
  EXPECT_EQ(bmp.At(0, 0), 0xFF0884u);
  EXPECT_EQ(bmp.At(1, 0), 0u);
}

TEST(BmpDecoder, RleSkippedPixelsTakePaletteEntryZero) {
  // 4 x 2, RLE8: a delta over the first row, then two pixels of index 1.
  std::vector<uint8_t> data = {0, 2, 0, 1, 2, 1, 0, 1};
  std::vector<uint8_t> f = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0};
  auto u32 = [&f](uint32_t v) {
    for (int i = 0; i < 4; ++i) f.push_back(uint8_t(v >> (8 * i)));
  };
  u32(40);
  u32(4);
  u32(2);
  f.push_back(1);
  f.push_back(0);
  f.push_back(8);
  f.push_back(0);
  u32(1);  // RLE8
  u32(uint32_t(data.size()));
  u32(0);
  u32(0);
  u32(2);  // two colours
  u32(0);
  u32(0x00102030);  // palette 0 (B G R 0 in the file = 0x30, 0x20, 0x10)
  u32(0x00FFFFFF);
  f.insert(f.end(), data.begin(), data.end());
  os::Bitmap bmp;
  ASSERT_TRUE(os::DecodeBmp(f.data(), f.size(), &bmp));
  EXPECT_EQ(bmp.At(0, 1), 0x102030u);  // bottom row skipped by the delta
  EXPECT_EQ(bmp.At(0, 0), 0xFFFFFFu);  // top row: two pixels of index 1
  EXPECT_EQ(bmp.At(1, 0), 0xFFFFFFu);
  EXPECT_EQ(bmp.At(2, 0), 0x102030u);
}

class BmpFile : public vantris_test::HeadlessTest {};

TEST_F(BmpFile, LoadsThroughThePathRulesAndRefusesMissingFiles) {
  const std::string dir = vantris_test::MakeTempDir("bmp");
  ASSERT_TRUE(vantris_test::WriteBytes(
      dir + "Pic.bmp", vantris_test::MakeBmp24(2, 2, [](int, int) { return 0x123456u; })));
  os::Bitmap bmp;
  ASSERT_TRUE(os::LoadBmpFile(dir + "PIC.BMP", &bmp));  // case-insensitive
  EXPECT_EQ(bmp.At(1, 1), 0x123456u);
  const char* why = nullptr;
  EXPECT_FALSE(os::LoadBmpFile(dir + "none.bmp", &bmp, &why));
  EXPECT_NE(why, nullptr);
  EXPECT_FALSE(os::LoadBmpFile(dir, &bmp));  // a folder is not a picture
}

}  // namespace
