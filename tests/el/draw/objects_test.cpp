// The sprite table: colour keys, slot rules, and the restore after a loss.
#include <string>

#include "tests/el/draw/draw_fixture.h"

namespace draw_test {
namespace {

constexpr uint32_t kMagenta = 0xFF00FF;  // 0xRRGGBB (the COLORREF is the same)
constexpr const char* kUnreadable = "elDraw::LoadObject : BMPファイルを読み込めません";

uint32_t Picture1(int x, int y) { return uint32_t(0x100000 * (x + 1) + 0x000800 * y + 0x40); }

TEST_P(ScreenLayoutTest, KeyPixelsAndImageKeys) {
  Start(GetParam());
  // Top-left magenta; a dark colour elsewhere that truncates to pixel 0.
  Picture("M.BMP", 3, 2, [](int x, int y) {
    return x == 0 && y == 0 ? kMagenta : x == 1 ? 0x030303u : kMagenta - 0x010000 * y;
  });
  elDraw::UseImageColorKey();
  const int32_t h = elDraw::LoadObject("M.BMP", 2);
  ASSERT_NE(h, 0);
  EXPECT_EQ(SpriteObjects[h].KeyColor, ImageKeyColor);
  EXPECT_EQ(Key(h), Px(kMagenta));
  EXPECT_EQ(At(h, 1, 0), 0);  // truncated to black: transparent in the keyed blits

  elDraw::SetObjectColorKey(600, 0);  // out of range: nothing
  elDraw::CopyColorKey(-1, h);
}

TEST_F(ScreenTest, NameLengthsAndSlotRules) {
  Start();
  const std::string thirty = std::string(26, 'A') + ".BMP";
  const std::string long_name = std::string(27, 'A') + ".BMP";
  Picture(thirty, 2, 2, [](int, int) { return 0x808080u; });
  EXPECT_EQ(elDraw::LoadObject(thirty.c_str(), 1), 4);
  EXPECT_EQ(BoxCount(), 0u);
  EXPECT_EQ(elDraw::LoadObject(long_name.c_str(), 1), 0);
  EXPECT_EQ(LastBox(), "elDraw::LoadObject : ファイル名またはリソース名が長すぎます");
  EXPECT_EQ(SpriteObjects[5].Name[0], 0);  // no slot taken
  // A missing picture keeps its slot taken, without a surface; a hostile
  // file is refused the same way.
  EXPECT_EQ(elDraw::LoadObject("NONE.BMP", 1), 0);
  EXPECT_EQ(LastBox(), kUnreadable);
  EXPECT_STREQ(SpriteObjects[5].Name, "NONE.BMP");
  EXPECT_EQ(SpriteObjects[5].Surface, nullptr);
  EXPECT_EQ(elDraw::LoadObject(thirty.c_str(), 1), 6);
  os::headless::ClearBoxes();
  ASSERT_TRUE(vantris_test::WriteBytes(dir_ + "BAD.BMP", {'B', 'M', 1, 2, 3}));
  EXPECT_EQ(elDraw::LoadObject("BAD.BMP", 1), 0);
  EXPECT_EQ(LastBox(), kUnreadable);

  // Fill the table: slots 4 to 499 are handed out, lowest first; the next
  // one finds none.  Slots 0 to 3 are never handed out.
  int loaded = 0;
  for (int32_t h; (h = elDraw::CreateObject(1, 1, 2)) != 0;) {
    ASSERT_GE(h, 4);
    ++loaded;
  }
  EXPECT_EQ(loaded, 496 - 4);  // slots 4 to 7 were taken
  EXPECT_EQ(LastBox(), "elDraw::CreateObject : オブジェクト数が多過ぎます");
}

TEST_F(ScreenTest, AFailedLoadSaysWhichFileAndWhyAndItsRetriesTakeNoNewSlot) {
  Start();
  ASSERT_TRUE(vantris_test::WriteBytes(dir_ + "BAD.BMP", {'B', 'M', 1, 2, 3}));
  const struct {
    const char* name;
    const char* why;
  } failures[] = {
      {"IMAGE/NONE.BMP", "No such file or directory"},
      {"BAD.BMP", "file too short"},
  };
  os::headless::SetQuiet(false);
  for (const auto& f : failures) {
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(elDraw::LoadObject(f.name, 1), 0);
    const std::string detail = dir_ + f.name + ": " + f.why;
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              std::string("[エラー発生] ") + kUnreadable + " (" + detail + ")\n");
    EXPECT_EQ(LastBox(), kUnreadable);  // the box itself is as it was
  }
  os::headless::SetQuiet(true);
  // Loading a missing picture again and again (the mode screen's ship sheet)
  // takes its first slot again, never another.
  for (int i = 0; i < 600; ++i) ASSERT_EQ(elDraw::LoadObject("IMAGE/NONE.BMP", 1), 0);
  EXPECT_STREQ(SpriteObjects[4].Name, "IMAGE/NONE.BMP");
  Picture("OK.BMP", 2, 2, [](int, int) { return 0x808080u; });
  EXPECT_EQ(elDraw::LoadObject("OK.BMP", 1), 6);
}

TEST_F(ScreenTest, RestoreSurfacesReloadsPictures) {
  Start();
  Picture("A.BMP", 4, 2, Picture1);
  elDraw::UseImageColorKey();
  const int32_t pic = elDraw::LoadObject("A.BMP", 2);
  ASSERT_EQ(pic, 4);
  os::Fill(SpriteObjects[pic].Surface, nullptr, 0x1111);  // scribbled over
  os::LoseAllSurfaces();
  elDraw::RestoreSurfaces();
  EXPECT_EQ(BoxCount(), 0u);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) ASSERT_EQ(At(pic, x, y), Px(Picture1(x, y)));
  EXPECT_STREQ(SpriteObjects[pic].Name, "A.BMP");
  EXPECT_EQ(SpriteObjects[pic].KeyColor, ImageKeyColor);  // keyed as before
  EXPECT_EQ(Key(pic), Px(Picture1(0, 0)));
}

}  // namespace
}  // namespace draw_test
