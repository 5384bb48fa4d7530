// Fonts and text of the drawing module.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/el/draw/text_fixture.h"

namespace {

using text_test::Sjis;

class TextTest : public text_test::TextScreenTest {
 protected:
  void SetUp() override {
    TextScreenTest::SetUp();
    StartScreen(320, 240);
  }
};

TEST_F(TextTest, StartUpListsTheInstalledFacesAndTheListStopsAt200) {
  const auto& faces = os::InstalledFontFaces();
  EXPECT_EQ(FontFaceCount, std::min<int>(200, static_cast<int>(faces.size())));
  EXPECT_EQ(TextBoxDrawNow, 1u);
  EXPECT_FALSE(BackBuffer->IsDcOut());
  EXPECT_NE(FontDescription, nullptr);
  bool gothic = false;
  for (int i = 0; i < FontFaceCount; ++i) {
    if (std::strcmp(FontFaces[i].FaceName, "IPAGothic") == 0) {
      gothic = true;
      EXPECT_EQ(FontFaces[i].CharsetClass, 1);
      EXPECT_EQ(FontFaces[i].Charset, 128);
    }
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
  EXPECT_EQ(FontFaces[0].CharsetClass, 1);
  EXPECT_EQ(FontFaces[1].CharsetClass, 3);
  EXPECT_EQ(FontFaces[2].CharsetClass, 2);
  EXPECT_EQ(FontFaces[1].Charset, 2);
}

TEST_F(TextTest, SelectionsFillTheDescriptionAndHoldTheDeviceContext) {
  // Face 2 before any named face: an empty name.
  elDraw::SelectFont(2, 20, 0, 0, 0, 0);
  EXPECT_EQ(FontDescription->face_name[0], 0);
  elDraw::DeleteFont();

  elDraw::SelectFont(0, 20, 45, 0, 1, 1);
  EXPECT_EQ(std::string(FontDescription->face_name), Sjis("標準明朝"));
  EXPECT_EQ(FontDescription->height, 20);
  EXPECT_EQ(FontHeight, 20);
  EXPECT_EQ(FontDescription->escapement, 450);
  EXPECT_EQ(FontDescription->weight, 400);
  EXPECT_EQ(FontDescription->width, 0);
  EXPECT_EQ(FontDescription->italic, 1);
  EXPECT_EQ(FontDescription->underline, 1);
  EXPECT_EQ(FontDescription->charset, 128);
  EXPECT_EQ(FontDescription->orientation, 0);
  EXPECT_EQ(FontDescription->quality, 0);
  ASSERT_NE(TextDC, nullptr);
  EXPECT_EQ(TextSurface, BackBuffer);
  EXPECT_TRUE(BackBuffer->IsDcOut());
  EXPECT_EQ(os::CurrentObject(TextDC, os::GdiKind::Font), TextFont);
  EXPECT_EQ(os::ObjectKind(PrevTextFont), os::GdiKind::Font);
  elDraw::DeleteFont();
  EXPECT_FALSE(BackBuffer->IsDcOut());
  EXPECT_EQ(TextDC, nullptr);

  // Face 2 keeps the last name; weight 1 is bold, any other value the default.
  elDraw::SelectFont(2, 16, 0, 1, 0, 0);
  EXPECT_EQ(std::string(FontDescription->face_name), Sjis("標準明朝"));
  EXPECT_EQ(FontDescription->weight, 700);
  elDraw::DeleteFont();
  elDraw::SelectFont(1, 16, 0, 2, 0, 0);
  EXPECT_EQ(std::string(FontDescription->face_name), Sjis("標準ゴシック"));
  EXPECT_EQ(FontDescription->weight, 0);
  elDraw::DeleteFont();

  // The buffer selections double the height onto the Font buffer object.
  elDraw::SelectBufferFont(1, 12);
  EXPECT_EQ(FontDescription->height, 24);
  EXPECT_EQ(FontHeight, 24);
  EXPECT_EQ(FontDescription->weight, 400);
  EXPECT_EQ(FontDescription->escapement, 0);
  EXPECT_EQ(FontDescription->italic, 0);
  EXPECT_EQ(TextSurface, SpriteObjects[3].Surface);
  EXPECT_TRUE(SpriteObjects[3].Surface->IsDcOut());
  EXPECT_FALSE(BackBuffer->IsDcOut());
  elDraw::DeleteBufferFont();
  EXPECT_FALSE(SpriteObjects[3].Surface->IsDcOut());

  // Named faces take their character set from the face list.
  std::strcpy(FontFaces[FontFaceCount].FaceName, "SymbolFace");
  FontFaces[FontFaceCount].Charset = 2;
  elDraw::SelectFontFace("SymbolFace", 10, 0, 0, 0, 0);
  EXPECT_EQ(FontDescription->charset, 2);
  EXPECT_STREQ(FontDescription->face_name, "SymbolFace");
  elDraw::DeleteFont();
  elDraw::SelectBufferFontFace("NoSuchFace", 10);
  EXPECT_EQ(FontDescription->charset, 128);
  EXPECT_EQ(FontHeight, 20);
  elDraw::DeleteBufferFont();
}

TEST_F(TextTest, ASecondSelectionEndsTheFirstSoNothingStaysBusy) {
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

TEST_F(TextTest, PrintTextWritesWhiteOnAnOpaqueNavyBox) {
  const std::string text = Sjis("VANTRIS スタッフ");
  elDraw::SelectFont(1, 12, 0, 0, 0, 0);
  int h = 0;
  const int w = text_test::TextScreenTest::Extent(text, &h);
  elDraw::DeleteFont();
  EXPECT_EQ(h, 12);

  elDraw::PrintText(30, 40, text.c_str());
  EXPECT_FALSE(BackBuffer->IsDcOut());
  const uint16_t navy = Pixel(0x800000), white = Pixel(0xFFFFFF);
  EXPECT_EQ(navy, 0x0010);  // red 0, green 0, blue 128 on 5-6-5
  const os::Rect cell{30, 40, 30 + w, 40 + h};
  EXPECT_EQ(Count(BackBuffer, cell, navy) + Count(BackBuffer, cell, white), w * h);
  EXPECT_GT(Count(BackBuffer, cell, white), 50);
  EXPECT_EQ(NonZero(BackBuffer, os::Rect{0, 0, 320, 240}), w * h);
  EXPECT_EQ(TextColor, 0xFFFFFFu);
  EXPECT_EQ(TextBackColor, 0x800000u);

  // The formatted print gives the same picture, and cuts long results.
  std::vector<uint16_t> first;
  for (int y = 40; y < 40 + h; ++y)
    for (int x = 30; x < 30 + w; ++x) first.push_back(Back(x, y));
  FillBack(0);
  elDraw::PrintFormat(30, 40, "VANTRIS %s", Sjis("スタッフ").c_str());
  size_t k = 0;
  for (int y = 40; y < 40 + h; ++y)
    for (int x = 30; x < 30 + w; ++x) EXPECT_EQ(Back(x, y), first[k++]);
  const std::string long_text(1000, 'W');
  elDraw::PrintFormat(0, 100, "%s%s", long_text.c_str(), long_text.c_str());
  EXPECT_FALSE(BackBuffer->IsDcOut());
}

TEST_F(TextTest, AlignedAndMeasuredText) {
  elDraw::SelectFont(1, 16, 0, 0, 0, 0);
  elDraw::SetTextColor(0x00FF00, 0, 1);
  const std::string word = Sjis("文字");
  const int w = text_test::TextScreenTest::Extent(word);
  // Three words, two to a line.
  const std::string text = word + " " + word + " " + word;
  const int width = text_test::TextScreenTest::Extent(word + " " + word);
  EXPECT_EQ(elDraw::MeasureText(10, 10, 10 + width, 200, text.c_str()), 32);
  EXPECT_EQ(MeasureRect.left, 10);
  EXPECT_EQ(MeasureRect.right, 10 + width);
  EXPECT_EQ(MeasureRect.bottom, 42);
  EXPECT_EQ(NonZero(BackBuffer, os::Rect{0, 0, 320, 240}), 0);  // measuring draws nothing

  elDraw::DrawTextAligned(0, 0, 320, 100, word.c_str(), 3);  // no such alignment
  EXPECT_EQ(TextRect.right, 320);
  EXPECT_EQ(NonZero(BackBuffer, os::Rect{0, 0, 320, 240}), 0);

  elDraw::DrawTextAligned(0, 100, 320, 200, word.c_str(), 2);
  const os::Rect ink = Box(BackBuffer, [](uint16_t p) { return p != 0; });
  EXPECT_GE(ink.left, 320 - w);
  EXPECT_LE(ink.right, 320);
  EXPECT_GE(ink.top, 100);
  elDraw::DeleteFont();
}

}  // namespace
