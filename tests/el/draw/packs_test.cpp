// Picture packs: the writer, the reader and their refusals.
#include <filesystem>
#include <string>
#include <vector>

#include "tests/el/draw/draw_fixture.h"

namespace draw_test {
namespace {

constexpr const char* kUnreadable = "elDraw::LoadPack : BMPファイルを読み込めません";

// Entries as the writer stores them.
std::vector<uint8_t> Entry(int w, int h, const std::string& name, uint16_t pixel) {
  std::vector<uint8_t> e = {uint8_t(w), uint8_t(w >> 8), uint8_t(h), uint8_t(h >> 8)};
  for (char c : name) e.push_back(uint8_t(c));
  e.push_back(0);
  for (int i = 0; i < w * h; ++i) e.insert(e.end(), {uint8_t(pixel), uint8_t(pixel >> 8)});
  return e;
}

std::vector<uint8_t> operator+(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST_P(ScreenLayoutTest, PackRoundTripThroughTheWriterAndReader) {
  Start(GetParam());
  const bool is555 = GetParam().rgb555;
  std::filesystem::create_directories(dir_ + "pics");
  Picture("pics/one.bmp", 4, 2, [](int x, int) {
    return std::vector<uint32_t>{0x000000, 0x040404, 0xFFFFFF, 0x00FF00}[x];  // 0xRRGGBB
  });
  Picture("pics/two.bmp", 1, 1, [](int, int) { return 0xFF0000u; });
  // Names as Convert passes them: upper-cased, with the folder.
  elDraw::ConvertFile("IMAGES.PAK", "PICS\\ONE.BMP");
  elDraw::ConvertFile("IMAGES.PAK", "PICS\\TWO.BMP");
  std::vector<uint8_t> pack;
  ASSERT_TRUE(os::ReadWholeFile(dir_ + "IMAGES.PAK", &pack));
  ASSERT_EQ(pack.size(), size_t(4 + 8 + 16) + (4 + 8 + 2));
  std::vector<uint16_t> pixels;
  for (size_t i = 12; i < 20; i += 2) pixels.push_back(uint16_t(pack[i] | (pack[i + 1] << 8)));
  // Black stays 0; RGB(4, 4, 4): on 5-6-5 the green bit survives the load,
  // and the writer turns the dark result into 0x0001 rather than
  // transparent; on 5-5-5 it was already black when loaded.
  EXPECT_EQ(pixels, (std::vector<uint16_t>{0x0000, uint16_t(is555 ? 0 : 1), 0x7FFF, 0x03E0}));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&pack[28 + 4])), "TWO.BMP");

  elDraw::SetPackFile("images.pak");
  const int32_t h = elDraw::LoadPack("One.Bmp", 2);  // the request is upper-cased
  ASSERT_EQ(h, 4);
  EXPECT_EQ(Slot(h), "ONE.BMP 4x2 key 0 packed 1 reload 2");
  EXPECT_EQ(At(h, 0, 1), 0);
  EXPECT_EQ(At(h, 2, 0), is555 ? 0x7FFF : 0xFFDF);  // green's low bit clear
  EXPECT_EQ(At(h, 3, 0), is555 ? 0x03E0 : 0x07C0);
  // Entries hold bare names: a request with a folder finds nothing.
  EXPECT_EQ(elDraw::LoadPack("PICS\\ONE.BMP", 2), 0);
  EXPECT_EQ(LastBox(), kUnreadable);
}

class PackTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    Start();
  }
  void WritePack(const std::vector<uint8_t>& bytes) {
    ASSERT_TRUE(vantris_test::WriteBytes(dir_ + "P.PAK", bytes));
    elDraw::SetPackFile("P.PAK");
  }
  // The load's result, with the message it left (if any).
  static std::string Load(const std::string& name) {
    os::headless::ClearBoxes();
    std::string result = std::to_string(elDraw::LoadPack(name.c_str(), 2));
    if (BoxCount()) {
      result += ' ';
      result += LastBox();
    }
    return result;
  }
};

TEST_F(PackTest, RefusalsAndTheirMessages) {
  EXPECT_EQ(Load("A.BMP"), "0 elDraw::LoadPack : パックファイル名が指定されていません");
  WritePack(Entry(1, 1, "A.BMP", 0x7FFF));
  const std::string long_name(31, 'A');
  EXPECT_EQ(Load(long_name), "0 elDraw::LoadPack : ファイル名またはリソース名が長すぎます");
  EXPECT_EQ(elDraw::SwapPack("A.BMP", 500, 2), 0);  // out-of-range handle: nothing
  EXPECT_EQ(Load("B.BMP"), std::string("0 ") + kUnreadable);
  for (int slot = 4; slot < SpriteObjectCount; ++slot) ASSERT_EQ(SpriteObjects[slot].Name[0], 0);
  EXPECT_EQ(Load("a.bmp"), "4");
}

TEST_F(PackTest, HostileEntriesEndTheSearch) {
  const auto good = Entry(1, 1, "A.BMP", 0x7FFF);
  const std::vector<uint8_t> hostile[] = {
      Entry(1, 1, std::string(200, 'N'), 0x7FFF) + good,  // a name past 127 bytes
      std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 'X', 0} + good,  // a skip past the end
      {1, 0, 1},                                                    // a header cut short
      {1, 0, 1, 0, 'A', '.', 'B', 'M', 'P'},                        // the end inside a name
  };
  for (const auto& bytes : hostile) {
    WritePack(bytes);
    EXPECT_EQ(Load("A.BMP"), std::string("0 ") + kUnreadable);
  }
  // 127 bytes is still a name.
  WritePack(Entry(1, 1, std::string(127, 'N'), 0x7FFF) + good);
  EXPECT_EQ(Load("A.BMP"), "4");

  // A matching entry whose pixels the file does not hold, such as 18 bytes
  // declaring 32767 x 32767 pixels: refused before anything is made for it.
  const int live = os::LiveSurfaceCount();
  auto cut = Entry(3, 3, "C.BMP", 0x1111);
  cut.resize(cut.size() - 3);
  const std::vector<uint8_t> short_of_pixels[] = {
      {0xFF, 0x7F, 0xFF, 0x7F, 'C', '.', 'B', 'M', 'P', 0, 1, 2, 3, 4, 5, 6, 7, 8},
      cut,
  };
  for (const auto& bytes : short_of_pixels) {
    WritePack(bytes);
    EXPECT_EQ(Load("C.BMP"), std::string("0 ") + kUnreadable);
    EXPECT_EQ(os::LiveSurfaceCount(), live);
    EXPECT_EQ(SpriteObjects[5].Name[0], 0);
  }
}

TEST_F(PackTest, FailuresAfterTheEntryReleaseWhatTheyTook) {
  WritePack(Entry(2, 2, "A.BMP", 0x7FFF));
  const int live = os::LiveSurfaceCount();
  // The temporary object cannot be made.
  os::SurfaceTests().fail_creation_in = 2;
  EXPECT_EQ(Load("A.BMP"), "0 elDraw::CreateObject : スプライトを作成できません");
  EXPECT_EQ(os::LiveSurfaceCount(), live);
  EXPECT_EQ(SpriteObjects[4].Name[0], 0);  // the target went again
  SpriteObjects[5] = SpriteObject();        // the failed creation's slot stays taken
  // The temporary object cannot be locked (the third lock: the two key
  // pixels come first): no report, nothing kept.
  os::SurfaceTests().fail_lock_in = 3;
  EXPECT_EQ(Load("A.BMP"), "0");
  EXPECT_EQ(os::LiveSurfaceCount(), live);
  ASSERT_EQ(Load("A.BMP"), "4");
  EXPECT_EQ(At(4, 1, 1), WhitePixel & ~0x20u);
}

}  // namespace
}  // namespace draw_test
