// Fonts and text output of os/text and os/gdi.  The Japanese faces are the
// IPA fonts that the test set-up installs; layout is checked against the
// metrics read at run time, never against numbers of one machine.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
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

TEST(FontsTest, InstalledFacesListJapaneseFamiliesAsShiftJis) {
  const auto& faces = os::InstalledFontFaces();
  ASSERT_FALSE(faces.empty());
  std::set<std::string> names;
  for (const os::FontFaceInfo& f : faces) {
    EXPECT_TRUE(names.insert(f.name).second) << f.name;  // each name once
    if (f.name == "IPAGothic" || f.name == "IPAMincho" || f.name == Sjis("IPAゴシック")) {
      EXPECT_EQ(f.charset, os::CharsetShiftJis) << f.name;
    }
  }
  EXPECT_TRUE(names.count("IPAGothic"));
  EXPECT_TRUE(names.count("IPAMincho"));
  EXPECT_TRUE(std::is_sorted(faces.begin(), faces.end(),
                             [](const auto& a, const auto& b) { return a.name < b.name; }));

  // The enumeration hands out logical fonts and stops when told to.
  struct Seen {
    int calls = 0;
    bool named = true;
  } seen;
  const int result = os::EnumerateFontFaces(
      [](const os::LogFont* font, const os::TextMetrics* metrics, uint32_t type, intptr_t user) {
        auto* s = reinterpret_cast<Seen*>(user);
        ++s->calls;
        s->named = s->named && font->face_name[0] != 0 && metrics->charset == font->charset &&
                   type == os::FontTypeScalable;
        return s->calls < 2 ? 1 : 0;
      },
      reinterpret_cast<intptr_t>(&seen));
  EXPECT_EQ(result, 0);
  EXPECT_EQ(seen.calls, std::min<int>(2, static_cast<int>(faces.size())));
  EXPECT_TRUE(seen.named);
}

TEST(FontsTest, LibraryFaceNamesMapToTheJapaneseSerifAndSans) {
  EXPECT_EQ(os::ResolveFontFace(Sjis("標準明朝"), 400, false, 128).family, "IPAMincho");
  EXPECT_EQ(os::ResolveFontFace(Sjis("標準ゴシック"), 400, false, 128).family, "IPAGothic");
  // No bold IPA face exists: bold is simulated, and widens the glyphs.
  const os::ResolvedFace bold = os::ResolveFontFace(Sjis("標準ゴシック"), 700, false, 128);
  EXPECT_EQ(bold.family, "IPAGothic");
  EXPECT_TRUE(bold.synthetic_bold);
  os::LogFont plain = Font("標準ゴシック", 24), heavy = plain;
  heavy.weight = os::FontWeightBold;
  EXPECT_EQ(os::OpenFont(heavy)->Advance(U'あ'), os::OpenFont(plain)->Advance(U'あ') + 1);

  // Nor an italic one: the glyphs lean to the right.
  os::LogFont slanted = Font("標準ゴシック", 48);
  slanted.italic = 1;
  const auto italic = os::OpenFont(slanted);
  EXPECT_TRUE(italic->Face().synthetic_italic);
  auto first_ink = [](const os::GlyphMask& g, int row) {
    for (int x = 0; x < g.width; ++x)
      if (g.Ink(x, row)) return g.left + x;
    return -1000;
  };
  const os::GlyphMask& bar = italic->Glyph(U'l');
  const os::GlyphMask& upright = os::OpenFont(Font("標準ゴシック", 48))->Glyph(U'l');
  auto lean = [&](const os::GlyphMask& g) { return first_ink(g, 0) - first_ink(g, g.rows - 1); };
  EXPECT_GT(lean(bar), lean(upright) + 4);

  // A name nobody has installed falls back to a face that can show the
  // asked character set.
  const std::shared_ptr<os::SizedFont> unknown = os::OpenFont(Font("存在しない書体", 20));
  EXPECT_FALSE(unknown->Face().file.empty());
  const os::GlyphMask& a = unknown->Glyph(U'あ');
  EXPECT_TRUE(std::count(a.mask.begin(), a.mask.end(), 1) > 10);
}

TEST(FontsTest, HeightIsTheCellHeightAndFontsAreCached) {
  for (int h : {12, 16, 24, 48}) {
    const auto f = os::OpenFont(Font("標準明朝", h));
    const os::TextMetrics& m = f->Metrics();
    EXPECT_EQ(m.height, h);
    EXPECT_EQ(m.ascent + m.descent, h);
    EXPECT_GT(m.ascent, m.descent);
    // Glyphs stay inside their cell.
    const os::GlyphMask& g = f->Glyph(U'漢');
    EXPECT_LE(g.top, m.ascent);
    EXPECT_LE(g.rows - g.top, m.descent + 1);
  }
  // A negative height asks for the character height: the cell is larger.
  EXPECT_GT(os::OpenFont(Font("標準明朝", -24))->Metrics().height, 24);

  const os::LogFont f = Font("標準ゴシック", 12);
  EXPECT_EQ(os::OpenFont(f).get(), os::OpenFont(f).get());
  for (int h = 5; h < 80; ++h) os::OpenFont(Font("標準ゴシック", h));
  EXPECT_LE(os::CachedFontCount(), 32u);
}

TEST(FontsTest, ShiftJisGlyphsDecode) {
  const std::string a = Sjis("あ");
  ASSERT_EQ(a.size(), 2u);
  EXPECT_EQ(os::DecodeSjisGlyph(a.data(), 2), U'あ');
  EXPECT_EQ(os::DecodeSjisGlyph("A", 1), U'A');
  EXPECT_EQ(os::DecodeSjisGlyph("\xB1", 1), U'\uFF71');  // half-width katakana
  EXPECT_EQ(os::DecodeSjisGlyph("\x81", 1), U'\uFFFD');  // a lone lead byte
  const char text[] = "A\x82\xA0\x82";
  EXPECT_EQ(os::SjisGlyphLength(text, 4, 0), 1u);
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
    UseFont(Font("標準ゴシック", 16));
  }
  void TearDown() override {
    os::SelectObject(dc_, old_font_);
    surface_->ReleaseDC(dc_);
    for (os::GdiObject f : fonts_) EXPECT_TRUE(os::DeleteObject(f));
    os::ReleaseSurface(surface_);
    os::ReleaseDisplay(display_);
    HeadlessTest::TearDown();
  }
  void UseFont(const os::LogFont& f) {
    fonts_.push_back(os::CreateFontIndirect(f));
    const os::GdiObject old = os::SelectObject(dc_, fonts_.back());
    if (!old_font_) old_font_ = old;
    ASSERT_TRUE(os::GetTextMetrics(dc_, &metrics_));
  }
  uint16_t At(int x, int y) const { return surface_->RawView().Row(y)[x]; }
  uint16_t Pixel(uint32_t c) const { return os::ColorToPixel(surface_->Format(), c); }
  int Width(const std::string& s) {
    int32_t cx = 0, cy = 0;
    EXPECT_TRUE(os::GetTextExtent(dc_, s.data(), static_cast<int32_t>(s.size()), &cx, &cy));
    EXPECT_EQ(cy, metrics_.height);
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
  std::vector<os::GdiObject> fonts_;
  os::GdiObject old_font_ = 0;
  os::TextMetrics metrics_;
};

TEST_F(TextOutTest, OpaqueTextFillsItsCellsTransparentTextOnlyInks) {
  const std::string text = Sjis("Aあ漢");
  const int w = Width(text);
  EXPECT_EQ(w, Width("A") + Width(Sjis("あ")) + Width(Sjis("漢")));
  os::SetTextColor(dc_, 0xFFFFFF);
  os::SetBackgroundColor(dc_, 0x800000);
  ASSERT_TRUE(os::TextOut(dc_, 10, 20, text.data(), static_cast<int32_t>(text.size())));
  const uint16_t navy = Pixel(0x800000), white = Pixel(0xFFFFFF);
  int ink = 0;
  for (int y = 0; y < surface_->Height(); ++y)
    for (int x = 0; x < surface_->Width(); ++x) {
      const bool cell = x >= 10 && x < 10 + w && y >= 20 && y < 20 + metrics_.height;
      if (!cell) {
        EXPECT_EQ(At(x, y), 0) << x << "," << y;
      } else {
        EXPECT_TRUE(At(x, y) == navy || At(x, y) == white);
        ink += At(x, y) == white;
      }
    }
  EXPECT_GT(ink, 40);

  // Transparent: only the glyphs' own pixels change.
  os::SetBackgroundMode(dc_, os::BackgroundTransparent);
  os::SetTextColor(dc_, 0x00FF00);
  ASSERT_TRUE(os::TextOut(dc_, 10, 70, text.data(), static_cast<int32_t>(text.size())));
  const os::Rect box = Ink(Pixel(0x00FF00));
  EXPECT_GE(box.left, 10);
  EXPECT_LE(box.right, 10 + w);
  EXPECT_GE(box.top, 70);
  EXPECT_LE(box.bottom, 70 + metrics_.height);
  EXPECT_EQ(At(10, 70), 0);
}

TEST_F(TextOutTest, UnderlineAndTurnedBaseline) {
  os::LogFont f = Font("標準ゴシック", 16);
  f.underline = 1;
  UseFont(f);
  os::SetBackgroundMode(dc_, os::BackgroundTransparent);
  os::SetTextColor(dc_, 0xFFFFFF);
  const std::string text = "ii";
  ASSERT_TRUE(os::TextOut(dc_, 5, 5, text.data(), 2));
  const int w = Width(text);
  // One full row of ink below the baseline.
  bool full_row = false;
  for (int y = 5 + metrics_.ascent; y < 5 + metrics_.height; ++y) {
    bool row = true;
    for (int x = 5; x < 5 + w; ++x) row = row && At(x, y) == Pixel(0xFFFFFF);
    full_row = full_row || row;
  }
  EXPECT_TRUE(full_row);

  // Escapement 900: the baseline runs up the screen from the cell's corner,
  // and the cell lies to the right of it.
  f = Font("標準ゴシック", 16);
  f.escapement = 900;
  UseFont(f);
  os::SetTextColor(dc_, 0x0000FF);
  const std::string up = Sjis("あいう");
  const int len = Width(up);
  ASSERT_TRUE(os::TextOut(dc_, 100, 100, up.data(), static_cast<int32_t>(up.size())));
  const os::Rect box = Ink(Pixel(0x0000FF));
  EXPECT_GE(box.left, 99);
  EXPECT_LE(box.right, 100 + metrics_.height + 1);
  EXPECT_GE(box.top, 100 - len - 1);
  EXPECT_LE(box.bottom, 101);
  EXPECT_GT(box.bottom - box.top, 2 * (box.right - box.left));
}

TEST_F(TextOutTest, DrawTextBreaksWordsAndDoubleByteCharacters) {
  const int h = metrics_.height;
  // Words: the third does not fit after the first two.
  os::Rect r{0, 0, Width("aaa bbb"), 100};
  EXPECT_EQ(Draw("aaa bbb ccc", &r, os::DrawTextWordBreak | os::DrawTextCalcRect), 2 * h);
  EXPECT_EQ(r.right, Width("aaa bbb"));
  EXPECT_EQ(r.bottom, 2 * h);
  // One pixel less and "bbb" moves down (the spaces at each break go).
  r = os::Rect{0, 0, Width("aaa bbb") - 1, 100};
  const int lines = Width("bbb ccc") <= r.right ? 2 : 3;
  EXPECT_EQ(Draw("aaa bbb ccc", &r, os::DrawTextWordBreak | os::DrawTextCalcRect), lines * h);
  EXPECT_EQ(r.right, lines == 2 ? std::max(Width("aaa"), Width("bbb ccc"))
                                : std::max({Width("aaa"), Width("bbb"), Width("ccc")}));
  // Japanese breaks between any two characters.
  const std::string jp = Sjis("あいうえお");
  r = os::Rect{0, 0, 2 * Width(Sjis("あ")), 100};
  EXPECT_EQ(Draw(jp, &r, os::DrawTextWordBreak | os::DrawTextCalcRect), 3 * h);
  // Line feeds end lines; two leave an empty line; a closing one adds none.
  r = os::Rect{0, 0, 200, 100};
  EXPECT_EQ(Draw("a\n\nb\n", &r, os::DrawTextWordBreak | os::DrawTextCalcRect), 3 * h);
  r = os::Rect{0, 0, 200, 100};
  EXPECT_EQ(Draw("a\r\nb", &r, os::DrawTextWordBreak | os::DrawTextCalcRect), 2 * h);
  r = os::Rect{0, 0, 200, 100};
  EXPECT_EQ(Draw("", &r, os::DrawTextWordBreak | os::DrawTextCalcRect), 0);
  // A word wider than the line stays whole on its own line.
  r = os::Rect{0, 0, Width("ab"), 100};
  EXPECT_EQ(Draw("abcdef gh", &r, os::DrawTextWordBreak | os::DrawTextCalcRect), 2 * h);
}

TEST_F(TextOutTest, DrawTextAlignsAndCutsToItsRectangle) {
  os::SetBackgroundMode(dc_, os::BackgroundTransparent);
  const std::string text = Sjis("中");
  const int w = Width(text);
  const uint32_t colours[3] = {0x0000FF, 0x00FF00, 0xFF0000};
  for (uint32_t align = 0; align < 3; ++align) {
    os::SetTextColor(dc_, colours[align]);
    os::Rect r{20, 10 + 30 * static_cast<int>(align), 180, 40 + 30 * static_cast<int>(align)};
    EXPECT_EQ(Draw(text, &r, os::DrawTextWordBreak | os::DrawTextNoPrefix | align),
              metrics_.height);
  }
  const os::Rect left = Ink(Pixel(colours[0]));
  const os::Rect centre = Ink(Pixel(colours[1]));
  const os::Rect right = Ink(Pixel(colours[2]));
  EXPECT_EQ(centre.left - left.left, (160 - w) / 2);
  EXPECT_EQ(right.left - left.left, 160 - w);

  // Text that runs out of its rectangle is cut at the rectangle's edges.
  os::SetTextColor(dc_, 0xFFFFFF);
  os::Rect r{30, 100, 38, 106};
  Draw(Sjis("漢字漢字"), &r, os::DrawTextWordBreak);
  const os::Rect cut = Ink(Pixel(0xFFFFFF));
  EXPECT_GE(cut.left, 30);
  EXPECT_LE(cut.right, 38);
  EXPECT_GE(cut.top, 100);
  EXPECT_LE(cut.bottom, 106);
}

}  // namespace
