// Fonts, text, shapes and pixels of the drawing module.
#include <cstring>
#include <string>

#include "tests/el/draw/draw_fixture.h"

namespace draw_test {
namespace {

class Text : public TextTest {
 protected:
  void SetUp() override {
    TextTest::SetUp();
    StartText(320, 240);
  }
  // The selection's description, FontHeight and the surface holding the font.
  static std::string Selected() {
    const os::LogFont& f = *FontDescription;
    const char* surface = TextSurface == BackBuffer                  ? "back"
                          : TextSurface == SpriteObjects[3].Surface ? "buffer"
                                                                     : "?";
    return std::string(f.face_name) + " height " + std::to_string(f.height) + "/" +
           std::to_string(FontHeight) + " escapement " + std::to_string(f.escapement) +
           " weight " + std::to_string(f.weight) + " width " + std::to_string(f.width) +
           " italic " + std::to_string(f.italic) + " underline " + std::to_string(f.underline) +
           " charset " + std::to_string(f.charset) + " orientation " +
           std::to_string(f.orientation) + " quality " + std::to_string(f.quality) + " on " +
           surface;
  }
};

TEST_F(Text, StartUpListsTheInstalledFacesAndTheListStopsAt200) {
  const auto& faces = os::InstalledFontFaces();
  EXPECT_EQ(FontFaceCount, std::min<int>(200, static_cast<int>(faces.size())));
  EXPECT_EQ(TextBoxDrawNow, 1u);
  EXPECT_FALSE(BackBuffer->IsDcOut());
  EXPECT_NE(FontDescription, nullptr);
  bool gothic = false;
  for (int i = 0; i < FontFaceCount; ++i) {
    if (std::strcmp(FontFaces[i].FaceName, "IPAGothic") != 0) continue;
    gothic = true;
    EXPECT_EQ(FontFaces[i].CharsetClass, 1);
    EXPECT_EQ(FontFaces[i].Charset, 128);
  }
  EXPECT_TRUE(gothic);
  for (int i = FontFaceCount; i < FontFaceCapacity; ++i) {
    EXPECT_EQ(FontFaces[i].FaceName[0], 0);
    EXPECT_EQ(FontFaces[i].CharsetClass, -1);
  }

  // More than 200 faces: the first 200 are kept, in order.
  FontFaceCount = 0;
  const uint8_t charsets[3] = {128, 2, 0};
  int accepted = 0;
  for (int i = 0; i < 250; ++i) {
    os::LogFont font;
    const std::string name = "Face" + std::to_string(1000 + i).substr(1) + " with a rather long name";
    std::memcpy(font.face_name, name.data(), sizeof font.face_name - 1);
    font.charset = charsets[i % 3];
    accepted += elDraw::EnumFontsProc(&font, nullptr, os::FontTypeScalable, 0);
  }
  EXPECT_EQ(accepted, 200);
  EXPECT_EQ(FontFaceCount, 200);
  EXPECT_STREQ(FontFaces[199].FaceName, "Face199 with a rather long name");  // 31 bytes
  EXPECT_EQ((std::vector{FontFaces[0].CharsetClass, FontFaces[1].CharsetClass,
                         FontFaces[2].CharsetClass}),
            (std::vector{1, 3, 2}));
  EXPECT_EQ(FontFaces[1].Charset, 2);
}

TEST_F(Text, SelectionsFillTheDescriptionAndHoldTheDeviceContext) {
  const std::string mincho = Sjis("標準明朝"), gothic = Sjis("標準ゴシック");
  // Face 2 before any named face: an empty name.
  elDraw::SelectFont(2, 20, 0, 0, 0, 0);
  EXPECT_EQ(FontDescription->face_name[0], 0);
  elDraw::DeleteFont();

  elDraw::SelectFont(0, 20, 45, 0, 1, 1);
  EXPECT_EQ(Selected(), mincho + " height 20/20 escapement 450 weight 400 width 0 italic 1 "
                                 "underline 1 charset 128 orientation 0 quality 0 on back");
  ASSERT_NE(TextDC, nullptr);
  EXPECT_TRUE(BackBuffer->IsDcOut());
  EXPECT_EQ(os::CurrentObject(TextDC, os::GdiKind::Font), TextFont);
  EXPECT_EQ(os::ObjectKind(PrevTextFont), os::GdiKind::Font);
  elDraw::DeleteFont();
  EXPECT_FALSE(BackBuffer->IsDcOut());
  EXPECT_EQ(TextDC, nullptr);

  // Face 2 keeps the last name; weight 1 is bold, any other value the default.
  elDraw::SelectFont(2, 16, 0, 1, 0, 0);
  EXPECT_EQ(Selected(), mincho + " height 16/16 escapement 0 weight 700 width 0 italic 0 "
                                 "underline 0 charset 128 orientation 0 quality 0 on back");
  elDraw::DeleteFont();
  elDraw::SelectFont(1, 16, 0, 2, 0, 0);
  EXPECT_EQ(Selected(), gothic + " height 16/16 escapement 0 weight 0 width 0 italic 0 "
                                 "underline 0 charset 128 orientation 0 quality 0 on back");
  elDraw::DeleteFont();

  // The buffer selections double the height onto the Font buffer object.
  elDraw::SelectBufferFont(1, 12);
  EXPECT_EQ(Selected(), gothic + " height 24/24 escapement 0 weight 400 width 0 italic 0 "
                                 "underline 0 charset 128 orientation 0 quality 0 on buffer");
  EXPECT_TRUE(SpriteObjects[3].Surface->IsDcOut());
  EXPECT_FALSE(BackBuffer->IsDcOut());
  elDraw::DeleteBufferFont();
  EXPECT_FALSE(SpriteObjects[3].Surface->IsDcOut());

  // Named faces take their character set from the face list.
  std::strcpy(FontFaces[FontFaceCount].FaceName, "SymbolFace");
  FontFaces[FontFaceCount].Charset = 2;
  elDraw::SelectFontFace("SymbolFace", 10, 0, 0, 0, 0);
  EXPECT_EQ(Selected(), "SymbolFace height 10/10 escapement 0 weight 400 width 0 italic 0 "
                        "underline 0 charset 2 orientation 0 quality 0 on back");
  elDraw::DeleteFont();
  elDraw::SelectBufferFontFace("NoSuchFace", 10);
  EXPECT_EQ(Selected(), "NoSuchFace height 20/20 escapement 0 weight 400 width 0 italic 0 "
                        "underline 0 charset 128 orientation 0 quality 0 on buffer");
  elDraw::DeleteBufferFont();
}

TEST_F(Text, ASecondSelectionEndsTheFirstSoNothingStaysBusy) {
  elDraw::SelectFont(1, 12, 0, 0, 0, 0);
  elDraw::SelectBufferFont(0, 12);  // no DeleteFont in between
  EXPECT_FALSE(BackBuffer->IsDcOut());
  EXPECT_TRUE(SpriteObjects[3].Surface->IsDcOut());
  elDraw::SelectFont(1, 12, 0, 0, 0, 0);
  EXPECT_FALSE(SpriteObjects[3].Surface->IsDcOut());
  elDraw::DeleteFont();
  EXPECT_FALSE(BackBuffer->IsDcOut());
  // The back buffer takes copies again.
  EXPECT_TRUE(os::Succeeded(os::Fill(BackBuffer, nullptr, 0x1234)));
  // A delete without a selection does nothing.
  elDraw::DeleteFont();
  elDraw::DeleteBufferFont();
  // FreeFonts ends a held selection too.
  elDraw::SelectFont(1, 12, 0, 0, 0, 0);
  elDraw::FreeFonts();
  EXPECT_FALSE(BackBuffer->IsDcOut());
  EXPECT_EQ(FontDescription, nullptr);
  elDraw::SelectFont(1, 12, 0, 0, 0, 0);  // without a description: nothing
  EXPECT_EQ(TextDC, nullptr);
}

TEST_F(Text, PrintTextWritesWhiteOnAnOpaqueNavyBox) {
  const std::string text = Sjis("VANTRIS スタッフ");
  elDraw::SelectFont(1, 12, 0, 0, 0, 0);
  int h = 0;
  const int w = Extent(text, &h);
  elDraw::DeleteFont();
  EXPECT_EQ(h, 12);

  elDraw::PrintText(30, 40, text.c_str());
  EXPECT_FALSE(BackBuffer->IsDcOut());
  const uint16_t navy = Pixel(0x800000), white = Pixel(0xFFFFFF);
  const os::Rect cell{30, 40, 30 + w, 40 + h};
  EXPECT_EQ(Count(BackBuffer, cell, navy) + Count(BackBuffer, cell, white), w * h);
  EXPECT_GT(Count(BackBuffer, cell, white), 50);
  EXPECT_EQ(NonZero(BackBuffer, os::Rect{0, 0, 320, 240}), w * h);
  EXPECT_EQ(TextColor, 0xFFFFFFu);
  EXPECT_EQ(TextBackColor, 0x800000u);

  // The formatted print gives the same picture, and cuts long results.
  const std::vector<uint16_t> first = Pixels();
  FillBack(0);
  elDraw::PrintFormat(30, 40, "VANTRIS %s", Sjis("スタッフ").c_str());
  EXPECT_EQ(Pixels(), first);
  const std::string long_text(1000, 'W');
  elDraw::PrintFormat(0, 100, "%s%s", long_text.c_str(), long_text.c_str());
  EXPECT_FALSE(BackBuffer->IsDcOut());
}

TEST_F(Text, AlignedAndMeasuredText) {
  elDraw::SelectFont(1, 16, 0, 0, 0, 0);
  elDraw::SetTextColor(0x00FF00, 0, 1);
  const std::string word = Sjis("文字");
  const int w = Extent(word);
  // Three words, two to a line.
  const std::string text = word + " " + word + " " + word;
  const int width = Extent(word + " " + word);
  EXPECT_EQ(elDraw::MeasureText(10, 10, 10 + width, 200, text.c_str()), 32);
  EXPECT_TRUE(RectIs(MeasureRect, 10, 10, 10 + width, 42));
  // Measuring draws nothing, nor does an alignment that does not exist.
  elDraw::DrawTextAligned(0, 0, 320, 100, word.c_str(), 3);
  EXPECT_EQ(TextRect.right, 320);
  EXPECT_EQ(NonZero(BackBuffer, os::Rect{0, 0, 320, 240}), 0);

  elDraw::DrawTextAligned(0, 100, 320, 200, word.c_str(), 2);
  const os::Rect ink = Box(BackBuffer, [](uint16_t p) { return p != 0; });
  EXPECT_GE(ink.left, 320 - w);
  EXPECT_LE(ink.right, 320);
  EXPECT_GE(ink.top, 100);
  elDraw::DeleteFont();
}

// ---- shapes and pixels ----

class Shapes : public TextTest {
 protected:
  void SetUp() override {
    TextTest::SetUp();
    StartText(160, 120);
  }
  void TearDown() override {
    // Every call gives the device context back and deletes what it made.
    EXPECT_FALSE(BackBuffer->IsDcOut());
    TextTest::TearDown();
  }
  static constexpr os::Rect kAll{0, 0, 160, 120};
  // 5-6-5 pixels.
  static constexpr uint16_t kRed = 0xF800, kGreen = 0x07E0, kBlue = 0x001F;
};

TEST_F(Shapes, LinesAndPixels) {
  elDraw::DrawLine(20, 60, 140, 60, 0xFF0000, 7);  // a seven-pixel blue line
  for (int y = 50; y < 70; ++y) EXPECT_EQ(Back(80, y) == kBlue, y >= 57 && y <= 63) << y;
  EXPECT_EQ(Count(BackBuffer, kAll, kBlue), NonZero(BackBuffer, kAll));
  // A one-pixel line leaves out its end point; lines leaving the screen are cut.
  elDraw::DrawLine(0, 5, 10, 5, 0x0000FF, 1);
  EXPECT_EQ((std::vector{Back(9, 5), Back(10, 5)}), (std::vector<uint16_t>{kRed, 0}));
  elDraw::DrawLine(-500, 100, 500, 100, 0x00FF00, 3);
  EXPECT_EQ((std::vector{Back(0, 100), Back(159, 101)}), (std::vector{kGreen, kGreen}));

  // Pixels go through the colour format.
  int r = 0, g = 0, b = 0;
  elDraw::SetPixel(3, 4, 0xFFFFFF);
  elDraw::GetPixel(3, 4, &r, &g, &b);
  EXPECT_EQ((std::vector{r, g, b}), (std::vector{248, 252, 248}));
  elDraw::SetPixel(5, 5, 0x123456);  // red 0x56, green 0x34, blue 0x12
  elDraw::GetPixel(5, 5, &r, &g, &b);
  EXPECT_EQ((std::vector{r, g, b}), (std::vector{0x56 & 0xF8, 0x34 & 0xFC, 0x12 & 0xF8}));
  elDraw::SetPixel(-1, 500, 0xFFFFFF);  // outside: nothing
  elDraw::GetPixel(-1, 0, &r, &g, &b);
  EXPECT_EQ(r, 255);
}

TEST_F(Shapes, AFilledAndOutlinedRectangle) {
  elDraw::DrawRectangle(10, 20, 50, 60, 0x00FF00, 0x0000FF, 1);
  for (int y = 20; y < 60; ++y)
    for (int x = 10; x < 50; ++x) {
      const bool edge = x == 10 || x == 49 || y == 20 || y == 59;
      ASSERT_EQ(Back(x, y), edge ? kRed : kGreen) << x << "," << y;
    }
  EXPECT_EQ(Back(50, 40) | Back(30, 60), 0);
  // A wide pen lies across the edge.
  FillBack(0);
  elDraw::DrawRectangle(60, 20, 120, 80, 0x00FF00, 0x0000FF, 5);
  EXPECT_EQ((std::vector{Back(90, 20), Back(90, 18), Back(90, 22), Back(90, 23), Back(90, 50)}),
            (std::vector{kRed, kRed, kRed, kGreen, kGreen}));
}

TEST_F(Shapes, PolygonModes) {
  const os::Point tri[] = {{10, 10}, {90, 10}, {10, 90}};
  const uint16_t grey = 0x8410, yellow = Pixel(0x00FFFF);
  auto inside = [&](uint16_t p) { return Count(BackBuffer, os::Rect{15, 15, 40, 40}, p); };

  FillBack(grey);
  elDraw::DrawPolygon(tri, 3, 0x0000FF, 0x00FFFF, 1, 0);  // outline only
  EXPECT_EQ(Back(50, 10), kRed);
  EXPECT_EQ(Back(10, 50), kRed);
  EXPECT_EQ(inside(grey), 25 * 25);

  FillBack(grey);
  elDraw::DrawPolygon(tri, 3, 0x0000FF, 0x00FFFF, 1, 1);  // hatch on the background colour
  EXPECT_GT(inside(kRed), 0);
  EXPECT_GT(inside(yellow), inside(kRed));
  EXPECT_EQ(inside(kRed) + inside(yellow), 25 * 25);

  FillBack(grey);
  elDraw::DrawPolygon(tri, 3, 0x0000FF, 0x00FFFF, 1, 2);  // hatch over the picture
  EXPECT_GT(inside(kRed), 0);
  EXPECT_EQ(inside(kRed) + inside(grey), 25 * 25);
  EXPECT_EQ(Back(100, 100), grey);
}

TEST_F(Shapes, BezierAndInvert) {
  const os::Point p[] = {{10, 100}, {40, 10}, {120, 10}, {150, 100}, {150, 110}};
  elDraw::DrawBezier(p, 5, 0xFFFFFF, 1);  // not 3n + 1 points: nothing
  EXPECT_EQ(NonZero(BackBuffer, kAll), 0);
  elDraw::DrawBezier(p, 4, 0xFFFFFF, 3);
  EXPECT_GT(NonZero(BackBuffer, kAll), 100);
  EXPECT_EQ(Back(80, 100), 0);  // below the arch

  FillBack(0);
  elDraw::InvertRect(150, 110, 200, 200);
  EXPECT_EQ(Count(BackBuffer, kAll, 0xFFFF), 10 * 10);
}

}  // namespace
}  // namespace draw_test
