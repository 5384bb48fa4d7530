#include "os/bmp.h"

#include <gtest/gtest.h>

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

}  // namespace
