// Fonts and text output; layout is checked against run-time metrics.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "os/gdi/gdi.h"
#include "os/sjis.h"
#include "os/text/fonts.h"
#include "tests/support/test_support.h"

namespace {

std::string Sjis(const char* utf8) { return os::Utf8ToSjis(utf8); }

os::LogFont Font(const char* face_utf8, int height) {
  os::LogFont f;
  f.height = height;
  f.charset = os::CharsetShiftJis;
  f.weight = os::FontWeightNormal;
  const std::string name = Sjis(face_utf8);
  std::memcpy(f.face_name, name.data(), std::min(name.size(), sizeof f.face_name - 1));
  return f;
}

TEST(FontsTest, LibraryFaceNamesMapToTheJapaneseSerifAndSans) {
  EXPECT_EQ(os::ResolveFontFace(Sjis("標準明朝"), 400, false, 128).family, "IPAMincho");
  EXPECT_EQ(os::ResolveFontFace(Sjis("標準ゴシック"), 400, false, 128).family, "IPAGothic");
  // No bold IPA face exists: bold is simulated.
  EXPECT_TRUE(os::ResolveFontFace(Sjis("標準ゴシック"), 700, false, 128).synthetic_bold);
}

TEST(FontsTest, ShiftJisGlyphsDecode) {
  EXPECT_EQ(os::DecodeSjisGlyph(Sjis("あ").data(), 2), U'あ');
  EXPECT_EQ(os::DecodeSjisGlyph("\x81", 1), U'\uFFFD');  // a lone lead byte
  const char text[] = "A\x82\xA0\x82";
  EXPECT_EQ(os::SjisGlyphLength(text, 4, 1), 2u);
  EXPECT_EQ(os::SjisGlyphLength(text, 4, 3), 1u);  // a lead byte at the end stands alone
}

class TextOutTest : public vantris_test::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    os::ResetSurfaceTests();
    ASSERT_TRUE(os::Succeeded(os::CreateDisplay(nullptr, &display_)));
    os::SurfaceDesc d;
    d.width = 200;
    d.height = 120;
    ASSERT_TRUE(os::Succeeded(display_->CreateSurface(d, &surface_)));
    ASSERT_TRUE(os::Succeeded(surface_->GetDC(&dc_)));
    font_ = os::CreateFontIndirect(Font("標準ゴシック", 16));
    old_font_ = os::SelectObject(dc_, font_);
    ASSERT_TRUE(os::GetTextMetrics(dc_, &metrics_));
  }
  void TearDown() override {
    os::SelectObject(dc_, old_font_);
    surface_->ReleaseDC(dc_);
    EXPECT_TRUE(os::DeleteObject(font_));
    os::ReleaseSurface(surface_);
    os::ReleaseDisplay(display_);
    HeadlessTest::TearDown();
  }
  uint16_t At(int x, int y) const { return surface_->RawView().Row(y)[x]; }
  uint16_t Pixel(uint32_t c) const { return os::ColorToPixel(surface_->Format(), c); }
  int Width(const std::string& s) {
    int32_t cx = 0, cy = 0;
    EXPECT_TRUE(os::GetTextExtent(dc_, s.data(), static_cast<int32_t>(s.size()), &cx, &cy));
    return cx;
  }
  // Bounding box of the pixels equal to `pixel` (right and bottom exclusive).
  os::Rect Ink(uint16_t pixel) const {
    os::Rect r{1 << 20, 1 << 20, -1, -1};
    for (int y = 0; y < surface_->Height(); ++y)
      for (int x = 0; x < surface_->Width(); ++x)
        if (At(x, y) == pixel) {
          r.left = std::min(r.left, x);
          r.top = std::min(r.top, y);
          r.right = std::max(r.right, x + 1);
          r.bottom = std::max(r.bottom, y + 1);
        }
    return r;
  }
  int32_t Draw(const std::string& text, os::Rect* rect, uint32_t format) {
    return os::DrawText(dc_, text.c_str(), -1, rect, format);
  }

  os::Display* display_ = nullptr;
  os::Surface* surface_ = nullptr;
  os::DeviceContext* dc_ = nullptr;
  os::GdiObject font_ = 0, old_font_ = 0;
  os::TextMetrics metrics_;
};

TEST_F(TextOutTest, OpaqueTextFillsItsCellsTransparentTextOnlyInks) {
  const std::string text = Sjis("Aあ漢");
  const int w = Width(text);
  os::SetTextColor(dc_, 0xFFFFFF);
  os::SetBackgroundColor(dc_, 0x800000);
  ASSERT_TRUE(os::TextOut(dc_, 10, 20, text.data(), static_cast<int32_t>(text.size())));
  const os::Rect cell = Ink(Pixel(0x800000));
  EXPECT_EQ(cell.left, 10);
  EXPECT_EQ(cell.right, 10 + w);
  EXPECT_EQ(cell.bottom, 20 + metrics_.height);

  // Transparent: only the glyphs' own pixels change.
  os::SetBackgroundMode(dc_, os::BackgroundTransparent);
  os::SetTextColor(dc_, 0x00FF00);
  ASSERT_TRUE(os::TextOut(dc_, 10, 70, text.data(), static_cast<int32_t>(text.size())));
  const os::Rect box = Ink(Pixel(0x00FF00));
  EXPECT_GE(box.left, 10);
  EXPECT_LE(box.right, 10 + w);
  EXPECT_GE(box.top, 70);
  EXPECT_EQ(At(10, 70), 0);
}

TEST_F(TextOutTest, DrawTextBreaksWordsAndDoubleByteCharacters) {
  const int h = metrics_.height;
  // Words: the third does not fit after the first two.
  os::Rect r{0, 0, Width("aaa bbb"), 100};
  EXPECT_EQ(Draw("aaa bbb ccc", &r, os::DrawTextWordBreak | os::DrawTextCalcRect), 2 * h);
  EXPECT_EQ(r.bottom, 2 * h);
  // Japanese breaks between any two characters.
  const std::string jp = Sjis("あいうえお");
  r = os::Rect{0, 0, 2 * Width(Sjis("あ")), 100};
  EXPECT_EQ(Draw(jp, &r, os::DrawTextWordBreak | os::DrawTextCalcRect), 3 * h);
}

}  // namespace
