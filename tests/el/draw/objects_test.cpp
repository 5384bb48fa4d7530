// The sprite table: loads, colour keys, slot rules, swaps and the restore
// after a loss.
#include <filesystem>
#include <string>

#include "os/resources.h"
#include "tests/el/draw/draw_fixture.h"

namespace draw_test {
namespace {

constexpr uint32_t kMagenta = 0xFF00FF;  // 0xRRGGBB (the COLORREF is the same)
constexpr const char* kFull = "elDraw::LoadObject : オブジェクト数が多過ぎます";
constexpr const char* kUnreadable = "elDraw::LoadObject : BMPファイルを読み込めません";

uint32_t Picture1(int x, int y) { return uint32_t(0x100000 * (x + 1) + 0x000800 * y + 0x40); }

TEST_P(ScreenLayoutTest, LoadedPicturesHaveTheirPixelsAndABlackKey) {
  Start(GetParam());
  std::filesystem::create_directories(dir_ + "IMAGE");
  Picture("IMAGE/PIC.BMP", 5, 3, Picture1);
  const int32_t h = elDraw::LoadObject("image\\pic.bmp", 1);  // any case, either separator
  ASSERT_EQ(h, 4);
  const SpriteObject& o = SpriteObjects[h];
  EXPECT_EQ(Slot(h), "image\\pic.bmp 5x3 key 0 packed 0 reload 2");
  EXPECT_NE(o.Surface->Caps() & os::SurfaceSystemMemory, 0u);  // mode 1
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) ASSERT_EQ(At(h, x, y), Px(Picture1(x, y))) << x << "," << y;
  EXPECT_EQ(Key(h), 0u);
  EXPECT_EQ(elDraw::LoadObject("IMAGE/PIC.BMP", 2), 5);
  EXPECT_EQ(SpriteObjects[5].Surface->Caps() & os::SurfaceSystemMemory, 0u);  // mode 2
  EXPECT_EQ(BoxCount(), 0u);
}

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

  // A keyed copy skips the magenta pixels.
  os::Fill(BackBuffer, nullptr, 0x1234);
  ASSERT_TRUE(os::Succeeded(os::CopyKeyed(BackBuffer, 0, 0, SpriteObjects[h].Surface, nullptr)));
  EXPECT_EQ(BackBuffer->RawView().Row(0)[0], 0x1234);
  EXPECT_EQ(BackBuffer->RawView().Row(0)[1], 0);

  // The key pixel of a colour leaves the picture's top-left pixel alone.
  const uint16_t top_left = At(h, 0, 0);
  EXPECT_EQ(elDraw::GetKeyPixel(SpriteObjects[h].Surface, 0x0000FF), Px(0xFF0000));
  EXPECT_EQ(At(h, 0, 0), top_left);
  EXPECT_EQ(elDraw::GetKeyPixel(SpriteObjects[h].Surface, ImageKeyColor), top_left);

  elDraw::SetObjectColorKey(h, 0x00FF00);  // COLORREF green
  EXPECT_EQ(SpriteObjects[h].KeyColor, 0x00FF00u);
  EXPECT_EQ(Key(h), Px(0x00FF00));
  elDraw::ResetObjectColorKey(h);
  EXPECT_EQ(SpriteObjects[h].KeyColor, ImageKeyColor);
  EXPECT_EQ(Key(h), top_left);

  // Load key from a colour; CopyColorKey copies the surface key only.
  elDraw::SetLoadColorKey(0xFFFFFF);
  EXPECT_EQ(UseImageKey, 0u);
  const int32_t w = elDraw::LoadObject("M.BMP", 2);
  EXPECT_EQ(Key(w), Px(0xFFFFFF));
  EXPECT_EQ(SpriteObjects[w].KeyColor, 0xFFFFFFu);
  elDraw::CopyColorKey(w, h);
  EXPECT_EQ(Key(w), top_left);
  EXPECT_EQ(SpriteObjects[w].KeyColor, 0xFFFFFFu);
  elDraw::SetObjectColorKey(600, 0);  // out of range: nothing
  elDraw::CopyColorKey(-1, h);

  // On a one-pixel surface the key pixel reads only that pixel, and a
  // surface that reports "still drawing" a few times is waited for.
  os::SurfaceDesc d;
  d.width = d.height = 1;
  os::Surface* s = nullptr;
  ASSERT_TRUE(os::Succeeded(DirectDrawObject->CreateSurface(d, &s)));
  s->RawView().Row(0)[0] = 0x0421;
  EXPECT_EQ(elDraw::GetKeyPixel(s, 0xFFFFFF), WhitePixel);
  EXPECT_EQ(s->RawView().Row(0)[0], 0x0421);
  os::SurfaceTests().still_drawing = 3;
  EXPECT_EQ(elDraw::GetKeyPixel(s, ImageKeyColor), 0x0421u);
  os::ReleaseSurface(s);
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
  EXPECT_EQ(elDraw::SwapObject(long_name.c_str(), 4, 1), 0);
  EXPECT_EQ(LastBox(), "elDraw::SwapObject : ファイル名またはリソース名が長すぎます");

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

  // Releasing frees the slot (keeping Packed and ReloadMode); a slot without
  // a surface and an out-of-range handle are left alone.
  SpriteObjects[4].ReloadMode = 1;
  elDraw::ReleaseObject(4);
  EXPECT_EQ(Slot(4), " 0x0 key 0 packed 0 reload 1");
  EXPECT_EQ(SpriteObjects[4].Surface, nullptr);
  elDraw::ReleaseObject(5);
  EXPECT_STREQ(SpriteObjects[5].Name, "NONE.BMP");
  elDraw::ReleaseObject(-1);
  elDraw::ReleaseObject(500);

  // Fill the table: slots 4 to 499 are handed out, lowest first; the next
  // one finds none.  Slots 0 to 3 are never handed out.
  int loaded = 0;
  for (int32_t h; (h = elDraw::CreateObject(1, 1, 2)) != 0;) {
    ASSERT_GE(h, 4);
    ++loaded;
  }
  EXPECT_EQ(loaded, 496 - 3);  // slots 5, 6 and 7 were taken
  EXPECT_EQ(LastBox(), "elDraw::CreateObject : オブジェクト数が多過ぎます");
}

TEST_F(ScreenTest, The497thPictureFindsNoSlot) {
  Start();
  Picture("P.BMP", 1, 1, [](int, int) { return 0xFFFFFFu; });
  for (int i = 0; i < 496; ++i) ASSERT_EQ(elDraw::LoadObject("P.BMP", 1), 4 + i);
  EXPECT_EQ(BoxCount(), 0u);
  EXPECT_EQ(elDraw::LoadObject("P.BMP", 1), 0);
  EXPECT_EQ(LastBox(), kFull);
}

TEST_F(ScreenTest, PicturesTheProgramCarriesAndBlankObjects) {
  Start();
  os::AddResource("BITMAP", "CARRIED.BMP",
                  vantris_test::MakeBmp24(2, 1, [](int x, int) { return x ? 0xFFFFFFu : 0u; }));
  const int32_t carried = elDraw::LoadObject("carried.bmp", 1);  // no such file
  os::ClearResources();
  ASSERT_EQ(carried, 4);
  EXPECT_EQ(SpriteObjects[carried].Width, 2);
  EXPECT_EQ(At(carried, 1, 0), WhitePixel);
  EXPECT_EQ(BoxCount(), 0u);

  const int32_t h = elDraw::CreateObject(7, 3, 2);
  ASSERT_EQ(h, 5);
  EXPECT_EQ(Slot(h), "* 7x3 key 0 packed 0 reload 2");
  EXPECT_EQ(SpriteObjects[h].Surface->Width(), 7);
  os::SurfaceTests().fail_creation_in = 1;
  EXPECT_EQ(elDraw::CreateObject(7, 3, 2), 0);
  EXPECT_EQ(LastBox(), "elDraw::CreateObject : スプライトを作成できません");
  EXPECT_STREQ(SpriteObjects[6].Name, "*");  // the slot stays taken
  EXPECT_EQ(SpriteObjects[6].Surface, nullptr);
  EXPECT_EQ(elDraw::CreateObject(0, 3, 2), 0);  // no surface of width 0
}

TEST_F(ScreenTest, SwapObjectReloadsASlot) {
  Start();
  Picture("A.BMP", 2, 2, [](int, int) { return 0xFF0000u; });
  Picture("B.BMP", 3, 1, [](int, int) { return 0x0000FFu; });
  const int32_t h = elDraw::LoadObject("A.BMP", 1);
  ASSERT_EQ(elDraw::SwapObject("B.BMP", h, 1), 1);
  EXPECT_EQ(Slot(h), "B.BMP 3x1 key 0 packed 0 reload 2");
  EXPECT_EQ(At(h, 2, 0), Px(0x0000FF));
  EXPECT_EQ(os::LiveSurfaceCount(), 7);  // the old surface went
  EXPECT_EQ(elDraw::SwapObject("GONE.BMP", h, 1), 0);
  EXPECT_EQ(LastBox(), "elDraw::SwapObject : BMPファイルを読み込めません");
  EXPECT_STREQ(SpriteObjects[h].Name, "GONE.BMP");
  EXPECT_EQ(SpriteObjects[h].Surface, nullptr);
  EXPECT_EQ(elDraw::SwapObject("A.BMP", 9999, 1), 0);
  // Its own name: the slot reloads from disk.
  ASSERT_EQ(elDraw::SwapObject("A.BMP", h, 1), 1);
  ASSERT_EQ(elDraw::SwapObject(SpriteObjects[h].Name, h, 1), 1);
  EXPECT_STREQ(SpriteObjects[h].Name, "A.BMP");
  EXPECT_EQ(At(h, 1, 1), Px(0xFF0000));
}

TEST_F(ScreenTest, RestoreSurfacesReloadsPicturesAndLeavesBlankObjectsGarbage) {
  Start();
  Picture("A.BMP", 4, 2, Picture1);
  elDraw::UseImageColorKey();
  const int32_t pic = elDraw::LoadObject("A.BMP", 2);
  elDraw::SetLoadColorKey(0x00FF00);
  const int32_t sys = elDraw::LoadObject("A.BMP", 1);  // system memory: never lost
  const int32_t blank = elDraw::CreateObject(4, 2, 2);
  ASSERT_EQ(pic, 4);
  ASSERT_EQ(blank, 6);
  os::Fill(SpriteObjects[pic].Surface, nullptr, 0x1111);  // scribbled over
  os::Fill(SpriteObjects[sys].Surface, nullptr, 0x2222);  // kept: not lost
  os::Fill(SpriteObjects[blank].Surface, nullptr, 0x3333);
  os::LoseAllSurfaces();
  EXPECT_EQ(SpriteObjects[sys].Surface->IsLost(), os::SurfaceResult::Ok);
  elDraw::RestoreSurfaces();
  EXPECT_EQ(BoxCount(), 0u);
  EXPECT_EQ(PrimarySurface->IsLost(), os::SurfaceResult::Ok);
  EXPECT_EQ(SpriteObjects[pic].Surface->IsLost(), os::SurfaceResult::Ok);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) ASSERT_EQ(At(pic, x, y), Px(Picture1(x, y)));
  EXPECT_STREQ(SpriteObjects[pic].Name, "A.BMP");
  EXPECT_EQ(SpriteObjects[pic].KeyColor, ImageKeyColor);  // keyed as before
  EXPECT_EQ(Key(pic), Px(Picture1(0, 0)));
  EXPECT_EQ(At(sys, 0, 0), 0x2222);
  EXPECT_STREQ(SpriteObjects[blank].Name, "*");
  EXPECT_EQ(SpriteObjects[blank].Surface->IsLost(), os::SurfaceResult::Ok);
  EXPECT_NE(At(blank, 0, 0), 0x3333);
  // The load settings are left as the last reload set them.
  EXPECT_EQ(UseImageKey, 0u);
  EXPECT_EQ(LoadKeyColor, ImageKeyColor);
}

}  // namespace
}  // namespace draw_test
