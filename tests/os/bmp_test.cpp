#include "os/bmp.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "os/path.h"
#include "tests/support/bmp_writer.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;

// The pattern every ok_*.bmp of the corpus shows (see make_bmp_corpus.py).
constexpr uint32_t kColours[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};

// The corpus files whose names start with `prefix`, read whole.
std::vector<std::pair<std::string, std::vector<uint8_t>>> Corpus(const std::string& prefix) {
  std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
  for (const auto& entry : fs::directory_iterator(vantris_test::TestDataDir() + "/bmp")) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(prefix, 0) != 0) continue;
    files.emplace_back(name, std::vector<uint8_t>());
    EXPECT_TRUE(os::ReadWholeFile(entry.path().string(), &files.back().second)) << name;
  }
  return files;
}

TEST(BmpDecoder, EveryValidCorpusFileShowsThePattern) {
  const auto files = Corpus("ok_");
  ASSERT_GE(files.size(), 25u);
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    os::Bitmap bmp;
    ASSERT_TRUE(os::DecodeBmp(bytes.data(), bytes.size(), &bmp));
    ASSERT_EQ(bmp.pixels.size(), size_t(bmp.width) * size_t(bmp.height));
    const int n = name.find("_1") != std::string::npos && name.find("_16") == std::string::npos ? 2 : 4;
    for (int y = 0; y < bmp.height; ++y)
      for (int x = 0; x < bmp.width; ++x)
        ASSERT_EQ(bmp.At(x, y), kColours[(x + 3 * y) % n]) << "at " << x << "," << y;
  }
}

TEST(BmpDecoder, EveryHostileCorpusFileIsRefused) {
  const auto files = Corpus("bad_");
  ASSERT_GE(files.size(), 40u);
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    os::Bitmap bmp;
    bmp.width = 5;  // must be emptied
    const char* why = nullptr;
    EXPECT_FALSE(os::DecodeBmp(bytes.data(), bytes.size(), &bmp, &why));
    EXPECT_NE(why, nullptr);
    EXPECT_TRUE(bmp.width == 0 && bmp.pixels.empty());
  }
}

TEST(BmpDecoder, FileWithoutTheLastRowsPaddingStillDecodesButNotOneByteLess) {
  auto bytes = vantris_test::MakeBmp24(3, 2, [](int x, int y) { return uint32_t(x * 40 + y); });
  os::Bitmap bmp;
  ASSERT_TRUE(os::DecodeBmp(bytes.data(), bytes.size() - 3, &bmp));  // 9 bytes + 3 padding
  EXPECT_EQ(bmp.At(2, 0), 80u);
  EXPECT_FALSE(os::DecodeBmp(bytes.data(), bytes.size() - 4, &bmp));
}

// Header fields that the corpus leaves unexercised, patched into a small
// 24-bit file as 32-bit words (offset, value); `why` is the reason of the
// refusal, nullptr when the file still decodes.
TEST(BmpDecoder, HeaderFieldsOutsideTheCorpusAreCheckedToo) {
  constexpr size_t kColoursUsed = 46, kBitsAndCompression = 28, kHeight = 22;
  constexpr uint32_t kRle4 = 2 << 16;
  struct Case {
    const char* what;
    std::vector<std::pair<size_t, uint32_t>> patches;
    const char* why;
  };
  const Case cases[] = {
      {"colours used on 24 bits, most allowed", {{kColoursUsed, 1u << 16}}, nullptr},
      {"colours used on 24 bits, one more", {{kColoursUsed, (1u << 16) + 1}}, "colour count"},
      {"RLE4 on 24 bits", {{kBitsAndCompression, 24 | kRle4}}, "RLE4 needs 4 bits, bottom-up"},
      {"RLE4 top-down",
       {{kBitsAndCompression, 4 | kRle4}, {kHeight, uint32_t(-2)}},
       "RLE4 needs 4 bits, bottom-up"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto bytes = vantris_test::MakeBmp24(3, 2, [](int x, int y) { return uint32_t(x + y); });
    for (const auto& [offset, value] : c.patches)
      for (size_t b = 0; b < 4; ++b) bytes[offset + b] = uint8_t(value >> (8 * b));
    os::Bitmap bmp;
    const char* why = nullptr;
    EXPECT_EQ(os::DecodeBmp(bytes.data(), bytes.size(), &bmp, &why), c.why == nullptr);
    if (c.why) {
      EXPECT_STREQ(why, c.why);
    }
  }
}

}  // namespace
