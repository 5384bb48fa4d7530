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
};

TEST_F(Text, StartUpListsTheInstalledFacesAndTheListStopsAt200) {
  EXPECT_LE(FontFaceCount, 200);
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
  // The formatted print cuts long results.
  const std::string long_text(1000, 'W');
  elDraw::PrintFormat(0, 100, "%s%s", long_text.c_str(), long_text.c_str());
  EXPECT_FALSE(BackBuffer->IsDcOut());
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
  static constexpr uint16_t kBlue = 0x001F;  // 5-6-5
};

TEST_F(Shapes, LinesAndPixels) {
  elDraw::DrawLine(20, 60, 140, 60, 0xFF0000, 7);  // a seven-pixel blue line
  for (int y = 50; y < 70; ++y) EXPECT_EQ(Back(80, y) == kBlue, y >= 57 && y <= 63) << y;
  EXPECT_EQ(Count(BackBuffer, kAll, kBlue), NonZero(BackBuffer, kAll));
  int r = 0, g = 0, b = 0;
  elDraw::SetPixel(-1, 500, 0xFFFFFF);  // outside: nothing
  elDraw::GetPixel(-1, 0, &r, &g, &b);
  EXPECT_EQ(r, 255);
}

}  // namespace
}  // namespace draw_test
