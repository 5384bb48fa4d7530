#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "os/path.h"
#include "tests/el/draw/screen_fixture.h"

namespace screen_test {
namespace {

class PackLayoutTest : public ScreenLayoutTest {
 protected:
  std::vector<uint8_t> PackBytes(const std::string& name) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(os::ReadWholeFile(dir_ + name, &bytes));
    return bytes;
  }
};

// Entries as the writer stores them.
std::vector<uint8_t> Entry(int w, int h, const std::string& name, uint16_t pixel) {
  std::vector<uint8_t> e = {uint8_t(w), uint8_t(w >> 8), uint8_t(h), uint8_t(h >> 8)};
  for (char c : name) e.push_back(uint8_t(c));
  e.push_back(0);
  for (int i = 0; i < w * h; ++i) {
    e.push_back(uint8_t(pixel));
    e.push_back(uint8_t(pixel >> 8));
  }
  return e;
}

uint32_t Colours(int x, int) {
  const uint32_t c[4] = {0x000000, 0x040404, 0xFFFFFF, 0x00FF00};  // 0xRRGGBB
  return c[x];
}

TEST_P(PackLayoutTest, RoundTripThroughThePackWriterAndReader) {
  Start(GetParam());
  std::filesystem::create_directories(dir_ + "pics");
  Picture("pics/one.bmp", 4, 2, Colours);
  Picture("pics/two.bmp", 1, 1, [](int, int) { return 0xFF0000u; });
  // Names as Convert passes them: upper-cased, with the folder.
  elDraw::ConvertFile("IMAGES.PAK", "PICS\\ONE.BMP");
  elDraw::ConvertFile("IMAGES.PAK", "PICS\\TWO.BMP");
  EXPECT_EQ(BoxCount(), 0u);
  EXPECT_EQ(os::LiveSurfaceCount(), 6);  // the writer released its objects
  EXPECT_EQ(SpriteObjects[4].Name[0], 0);

  const std::vector<uint8_t> pack = PackBytes("IMAGES.PAK");
  ASSERT_EQ(pack.size(), size_t(4 + 8 + 16) + (4 + 8 + 2));
  EXPECT_EQ(pack[0], 4);
  EXPECT_EQ(pack[2], 2);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&pack[4])), "ONE.BMP");  // no folder
  auto pixel = [&pack](size_t i) { return uint16_t(pack[12 + 2 * i] | (pack[13 + 2 * i] << 8)); };
  EXPECT_EQ(pixel(0), 0x0000);  // black stays 0
  // RGB(4, 4, 4): on 5-6-5 the green bit survives the load, and the writer
  // turns the dark result into 0x0001 rather than transparent; on 5-5-5 it
  // was already black when loaded.
  EXPECT_EQ(pixel(1), GetParam().rgb555 ? 0x0000 : 0x0001);
  EXPECT_EQ(pixel(2), 0x7FFF);
  EXPECT_EQ(pixel(3), 0x03E0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&pack[28 + 4])), "TWO.BMP");

  elDraw::SetPackFile("images.pak");
  const int32_t h = elDraw::LoadPack("One.Bmp", 2);  // the request is upper-cased
  ASSERT_EQ(h, 4);
  const SpriteObject& o = SpriteObjects[h];
  EXPECT_STREQ(o.Name, "ONE.BMP");
  EXPECT_EQ(o.Packed, 1u);
  EXPECT_EQ(o.ReloadMode, 2);
  EXPECT_EQ(o.Width, 4);
  EXPECT_EQ(o.Height, 2);
  EXPECT_EQ(o.KeyColor, 0u);
  EXPECT_EQ(At(h, 0, 1), 0);
  EXPECT_EQ(At(h, 2, 0), GetParam().rgb555 ? 0x7FFF : 0xFFDF);  // green's low bit clear
  EXPECT_EQ(At(h, 3, 0), GetParam().rgb555 ? 0x03E0 : 0x07C0);
  EXPECT_EQ(os::LiveSurfaceCount(), 7);  // the temporary object is gone
  EXPECT_EQ(SpriteObjects[5].Name[0], 0);

  // The second entry, and a reload into the same slot.
  EXPECT_EQ(elDraw::SwapPack("two.bmp", h, 2), h);
  EXPECT_STREQ(SpriteObjects[h].Name, "TWO.BMP");
  EXPECT_EQ(At(h, 0, 0), GetParam().rgb555 ? 0x7C00 : 0xF800);
  EXPECT_EQ(os::LiveSurfaceCount(), 7);

  // After a loss the packed picture comes back from the pack.
  os::Fill(SpriteObjects[h].Surface, nullptr, 0x1234);
  os::LoseSurface(SpriteObjects[h].Surface);
  elDraw::RestoreSurfaces();
  EXPECT_EQ(At(h, 0, 0), GetParam().rgb555 ? 0x7C00 : 0xF800);
  EXPECT_EQ(SpriteObjects[h].Packed, 1u);

  // Entries hold bare names: a request with a folder finds nothing.
  EXPECT_EQ(elDraw::LoadPack("PICS\\ONE.BMP", 2), 0);
  EXPECT_EQ(LastBox(), "elDraw::LoadPack : BMPファイルを読み込めません");
}

INSTANTIATE_TEST_SUITE_P(Layouts, PackLayoutTest,
                         ::testing::Values(Layout{false, 0}, Layout{true, 0}, Layout{false, 10}),
                         LayoutName);

class PackTest : public ScreenTest {
 protected:
  void WritePack(const std::vector<uint8_t>& bytes) {
    ASSERT_TRUE(vantris_test::WriteBytes(dir_ + "P.PAK", bytes));
    elDraw::SetPackFile("P.PAK");
  }
  int32_t Load(const char* name) { return elDraw::LoadPack(name, 2); }
};

TEST_F(PackTest, RefusalsAndTheirMessages) {
  Start();
  EXPECT_EQ(Load("A.BMP"), 0);
  EXPECT_EQ(LastBox(), "elDraw::LoadPack : パックファイル名が指定されていません");
  elDraw::SetPackFile("MISSING.PAK");
  EXPECT_EQ(elDraw::SwapPack("A.BMP", 4, 2), 0);
  EXPECT_EQ(LastBox(), "elDraw::SwapPack : パックファイル名が指定されていません");
  WritePack(Entry(1, 1, "A.BMP", 0x7FFF));
  const std::string long_name(31, 'A');
  EXPECT_EQ(Load(long_name.c_str()), 0);
  EXPECT_EQ(LastBox(), "elDraw::LoadPack : ファイル名またはリソース名が長すぎます");
  EXPECT_EQ(elDraw::SwapPack(long_name.c_str(), 4, 2), 0);
  EXPECT_EQ(LastBox(), "elDraw::SwapPack : ファイル名またはリソース名が長すぎます");
  EXPECT_EQ(elDraw::SwapPack("A.BMP", 500, 2), 0);  // out-of-range handle: nothing
  EXPECT_EQ(Load("B.BMP"), 0);
  EXPECT_EQ(LastBox(), "elDraw::LoadPack : BMPファイルを読み込めません");
  for (int slot = 4; slot < SpriteObjectCount; ++slot) ASSERT_EQ(SpriteObjects[slot].Name[0], 0);
  EXPECT_EQ(Load("a.bmp"), 4);
}

TEST_F(PackTest, HostileEntriesEndTheSearch) {
  Start();
  // A name that runs past 127 bytes, before a valid entry.
  std::vector<uint8_t> bytes = Entry(1, 1, std::string(200, 'N'), 0x7FFF);
  auto good = Entry(1, 1, "A.BMP", 0x7FFF);
  bytes.insert(bytes.end(), good.begin(), good.end());
  WritePack(bytes);
  EXPECT_EQ(Load("A.BMP"), 0);
  EXPECT_EQ(LastBox(), "elDraw::LoadPack : BMPファイルを読み込めません");
  // 127 bytes is still a name.
  bytes = Entry(1, 1, std::string(127, 'N'), 0x7FFF);
  bytes.insert(bytes.end(), good.begin(), good.end());
  WritePack(bytes);
  EXPECT_EQ(Load("A.BMP"), 4);

  // A file that ends inside a name.
  WritePack({2, 0, 2, 0, 'A', '.', 'B'});
  EXPECT_EQ(Load("A.B"), 0);
  // A skip beyond the end of the file (65535 x 65535 pixels claimed).
  bytes = {0xFF, 0xFF, 0xFF, 0xFF, 'X', 0};
  bytes.insert(bytes.end(), good.begin(), good.end());
  WritePack(bytes);
  EXPECT_EQ(Load("A.BMP"), 0);
  // A header cut short.
  WritePack({1, 0, 1});
  EXPECT_EQ(Load("A.BMP"), 0);

  // The entry is there but its pixels are cut short: the load fails with the
  // report and releases both objects it took.
  const int live = os::LiveSurfaceCount();
  bytes = Entry(3, 3, "C.BMP", 0x1111);
  bytes.resize(bytes.size() - 3);
  WritePack(bytes);
  os::headless::ClearBoxes();
  EXPECT_EQ(Load("C.BMP"), 0);
  EXPECT_EQ(LastBox(), "elDraw::LoadPack : BMPファイルを読み込めません");
  EXPECT_EQ(os::LiveSurfaceCount(), live);
  EXPECT_EQ(SpriteObjects[5].Name[0], 0);
  EXPECT_EQ(SpriteObjects[6].Name[0], 0);
}

TEST_F(PackTest, FailuresAfterTheEntryReleaseWhatTheyTook) {
  Start();
  WritePack(Entry(2, 2, "A.BMP", 0x7FFF));
  const int live = os::LiveSurfaceCount();
  // The temporary object cannot be made.
  os::SurfaceTests().fail_creation_in = 2;
  EXPECT_EQ(Load("A.BMP"), 0);
  EXPECT_EQ(LastBox(), "elDraw::CreateObject : スプライトを作成できません");
  EXPECT_EQ(os::LiveSurfaceCount(), live);
  EXPECT_EQ(SpriteObjects[4].Name[0], 0);  // the target went again
  SpriteObjects[5] = SpriteObject();        // the failed creation's slot stays taken
  // The temporary object cannot be locked (the third lock: the two key
  // pixels come first): no report, nothing kept.
  os::headless::ClearBoxes();
  os::SurfaceTests().fail_lock_in = 3;
  EXPECT_EQ(Load("A.BMP"), 0);
  EXPECT_EQ(BoxCount(), 0u);
  EXPECT_EQ(os::LiveSurfaceCount(), live);
  const int32_t h = Load("A.BMP");
  ASSERT_EQ(h, 4);
  EXPECT_EQ(At(h, 1, 1), WhitePixel & ~0x20u);
}

TEST_F(PackTest, ConvertRefusesA16BitScreen) {
  Start();
  ASSERT_LE(elSystem::GetScreenBits(), 16);
  EXPECT_EQ(elDraw::Convert("X.PAK", "", 1), 0);
  EXPECT_EQ(LastBox(), "elDraw::Convert : 画面をフルカラーにして下さい");
  EXPECT_FALSE(std::filesystem::exists(dir_ + "X.PAK"));
}

}  // namespace
}  // namespace screen_test
