// Fonts over fontconfig (which faces exist, which file a name means) and
// FreeType (metrics and one-bit glyph masks).
#include "os/text/fonts.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H
#include <iconv.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <list>
#include <map>
#include <mutex>
#include <numbers>
#include <set>
#include <tuple>
#include <unordered_map>

#include "os/sjis.h"
#include "os/stderr_divert.h"
#include "os/system.h"

namespace os {
namespace {

std::recursive_mutex g_font_mutex;  // fontconfig, FreeType and the caches

// Fontconfig's own complaints about its configuration (a file missing or
// damaged, no cache folder to write) become one line of ours, its first.
FcConfig* Fontconfig() {
  static FcConfig* config = [] {
    FcConfig* current = nullptr;
    const Chatter said = WithoutLibraryChatter([&] {
      FcInit();
      current = FcConfigGetCurrent();
    });
    if (!said.empty()) {
      std::string first = said.FirstLine();
      if (first.starts_with("Fontconfig ")) first.erase(0, first.find(':') + 1);
      while (!first.empty() && first.front() == ' ') first.erase(0, 1);
      SayLine("vantris: the font configuration is faulty: %s", Printable(first).c_str());
    }
    return current;
  }();
  return config;
}

FT_Library FreeType() {
  static FT_Library library = [] {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) lib = nullptr;
    return lib;
  }();
  return library;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// ---- installed faces -------------------------------------------------------------

struct FaceListing {
  std::vector<FontFaceInfo> faces;       // Shift-JIS names
  std::set<std::string> families_lower;  // UTF-8, lower case
};

uint8_t ClassifyPattern(FcPattern* pattern) {
  FcLangSet* langs = nullptr;
  if (FcPatternGetLangSet(pattern, FC_LANG, 0, &langs) == FcResultMatch && langs &&
      FcLangSetHasLang(langs, reinterpret_cast<const FcChar8*>("ja")) != FcLangDifferentLang) {
    return CharsetShiftJis;
  }
  FcCharSet* chars = nullptr;
  if (FcPatternGetCharSet(pattern, FC_CHARSET, 0, &chars) == FcResultMatch && chars) {
    if (FcCharSetHasChar(chars, 0x3042) && FcCharSetHasChar(chars, 0x6F22)) return CharsetShiftJis;
    if (!FcCharSetHasChar(chars, 'A')) return CharsetSymbol;
  }
  return CharsetAnsi;
}

const FaceListing& Listing() {
  static const FaceListing listing = [] {
    FaceListing out;
    std::map<std::string, uint8_t> by_name;  // UTF-8 name -> character set
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_LANG, FC_CHARSET, nullptr);
    FcFontSet* set = FcFontList(Fontconfig(), pattern, objects);
    if (set) {
      for (int i = 0; i < set->nfont; ++i) {
        const uint8_t charset = ClassifyPattern(set->fonts[i]);
        FcChar8* family = nullptr;
        for (int n = 0; FcPatternGetString(set->fonts[i], FC_FAMILY, n, &family) == FcResultMatch;
             ++n) {
          const std::string name(reinterpret_cast<const char*>(family));
          auto [it, added] = by_name.emplace(name, charset);
          // A family is Japanese-capable when any of its faces is.
          if (!added && charset == CharsetShiftJis) it->second = charset;
        }
      }
      FcFontSetDestroy(set);
    }
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    for (const auto& [name, charset] : by_name) {
      out.families_lower.insert(Lower(name));
      const std::string sjis = Utf8ToSjis(name);
      if (sjis.empty() || SjisToUtf8(sjis) != name) continue;  // no Shift-JIS spelling
      out.faces.push_back(FontFaceInfo{sjis, charset});
    }
    return out;
  }();
  return listing;
}

// ---- resolution ------------------------------------------------------------------

struct ResolveKey {
  std::string face;  // Shift-JIS, as asked
  bool bold, italic, japanese;
  bool operator<(const ResolveKey& o) const {
    return std::tie(face, bold, italic, japanese) < std::tie(o.face, o.bold, o.italic, o.japanese);
  }
};

ResolvedFace ResolveUncached(const std::string& utf8, bool bold, bool italic, bool japanese) {
  std::vector<std::string> families;
  bool want_japanese = japanese;
  if (utf8 == "標準明朝") {
    families = {"IPAMincho", "IPA明朝", "IPAPMincho", "serif"};
    want_japanese = true;
  } else if (utf8 == "標準ゴシック") {
    families = {"IPAGothic", "IPAゴシック", "IPAPGothic", "sans-serif"};
    want_japanese = true;
  } else if (!utf8.empty() && Listing().families_lower.count(Lower(utf8))) {
    families = {utf8};
  } else {
    // What a font mapper does with a name it does not know: a face that
    // covers the asked character set.
    families = {"sans-serif"};
  }

  FcPattern* pattern = FcPatternCreate();
  for (const std::string& family : families) {
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  }
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  if (want_japanese) {
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  }
  FcConfigSubstitute(Fontconfig(), pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(Fontconfig(), pattern, &result);
  FcPatternDestroy(pattern);

  ResolvedFace out;
  if (!match) return out;
  FcChar8* text = nullptr;
  if (FcPatternGetString(match, FC_FILE, 0, &text) == FcResultMatch) {
    out.file = reinterpret_cast<const char*>(text);
  }
  if (FcPatternGetString(match, FC_FAMILY, 0, &text) == FcResultMatch) {
    out.family = reinterpret_cast<const char*>(text);
  }
  int value = 0;
  if (FcPatternGetInteger(match, FC_INDEX, 0, &value) == FcResultMatch) out.index = value;
  int weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
  FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
  FcPatternGetInteger(match, FC_SLANT, 0, &slant);
  // Fontconfig's own rules may already have asked for a simulated style
  // (and then report the asked weight and slant).
  FcBool embolden = FcFalse;
  if (FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden) == FcResultMatch) {
    out.synthetic_bold = bold && embolden;
  } else {
    out.synthetic_bold = bold && weight < FC_WEIGHT_DEMIBOLD;
  }
  FcMatrix* matrix = nullptr;
  if (FcPatternGetMatrix(match, FC_MATRIX, 0, &matrix) == FcResultMatch && matrix &&
      matrix->xy != 0) {
    out.synthetic_italic = italic;
  } else {
    out.synthetic_italic = italic && slant == FC_SLANT_ROMAN;
  }
  FcPatternDestroy(match);
  return out;
}

// ---- sized fonts -------------------------------------------------------------------

constexpr int kDefaultCellHeight = 16;
constexpr int kMaxCellHeight = 1024;

int Round(double v) { return static_cast<int>(std::lround(v)); }

class FreeTypeFont final : public SizedFont {
 public:
  FreeTypeFont(const ResolvedFace& face, int32_t height, int32_t weight, bool italic)
      : resolved_(face) {
    metrics_.weight = weight == 0 ? FontWeightNormal : weight;
    metrics_.italic = italic ? 1 : 0;
    FT_Library lib = FreeType();
    if (lib && !face.file.empty() &&
        FT_New_Face(lib, face.file.c_str(), face.index, &face_) != 0) {
      face_ = nullptr;
    }
    SetUpSize(height);
  }
  ~FreeTypeFont() override {
    if (face_) FT_Done_Face(face_);
  }
  FreeTypeFont(const FreeTypeFont&) = delete;
  FreeTypeFont& operator=(const FreeTypeFont&) = delete;

  const TextMetrics& Metrics() const override { return metrics_; }
  const ResolvedFace& Face() const override { return resolved_; }

  const GlyphMask& Glyph(char32_t ch) override {
    auto it = glyphs_.find(ch);
    if (it != glyphs_.end()) return it->second;
    return glyphs_.emplace(ch, Render(ch, 0)).first->second;
  }
  GlyphMask TurnedGlyph(char32_t ch, int32_t tenths) override { return Render(ch, tenths); }
  int Advance(char32_t ch) override { return Glyph(ch).advance_x / 64; }
  int UnderlineOffset() const override { return underline_offset_; }
  int UnderlineThickness() const override { return underline_thickness_; }
  int StrikeOffset() const override { return strike_offset_; }

 private:
  void SetUpSize(int32_t height) {
    int cell = height > 0 ? height : (height < 0 ? 0 : kDefaultCellHeight);
    double em = height < 0 ? -static_cast<double>(height) : 0.0;
    cell = std::min(cell, kMaxCellHeight);
    em = std::min(em, static_cast<double>(kMaxCellHeight));
    if (!face_) {
      if (cell == 0) cell = Round(em * 1.2);
      metrics_.height = std::max(cell, 1);
      metrics_.ascent = Round(metrics_.height * 0.8);
      metrics_.descent = metrics_.height - metrics_.ascent;
      metrics_.ave_char_width = std::max(1, metrics_.height / 2);
      metrics_.max_char_width = metrics_.height;
      return;
    }
    const double upem = face_->units_per_EM > 0 ? face_->units_per_EM : 1000.0;
    double asc = face_->ascender, desc = -face_->descender;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && (os2->usWinAscent || os2->usWinDescent)) {
      asc = os2->usWinAscent;
      desc = os2->usWinDescent;
    }
    if (asc + desc <= 0) {
      asc = upem * 0.8;
      desc = upem * 0.2;
    }
    double ppem;
    if (cell > 0) {
      ppem = cell * upem / (asc + desc);
    } else {
      ppem = std::max(em, 1.0);
      cell = std::max(1, Round((asc + desc) * ppem / upem));
    }
    if (FT_IS_SCALABLE(face_)) {
      FT_Set_Char_Size(face_, 0, std::max<FT_F26Dot6>(64, std::lround(ppem * 64.0)), 72, 72);
    } else if (face_->num_fixed_sizes > 0) {
      int best = 0;
      for (int i = 1; i < face_->num_fixed_sizes; ++i) {
        if (std::abs(face_->available_sizes[i].height - cell) <
            std::abs(face_->available_sizes[best].height - cell)) {
          best = i;
        }
      }
      FT_Select_Size(face_, best);
    }
    const double scale = ppem / upem;
    metrics_.height = cell;
    metrics_.ascent = std::min(cell, Round(asc * scale));
    metrics_.descent = cell - metrics_.ascent;
    metrics_.internal_leading = std::max(0, cell - Round(ppem));
    if (os2 && os2->version != 0xFFFF && os2->xAvgCharWidth > 0) {
      metrics_.ave_char_width = std::max(1, Round(os2->xAvgCharWidth * scale));
    } else {
      metrics_.ave_char_width = std::max(1, Advance('x'));
    }
    metrics_.max_char_width = std::max(1, Round(face_->max_advance_width * scale));
    if (resolved_.synthetic_bold) metrics_.max_char_width += 1;
    const double thick = face_->underline_thickness > 0 ? face_->underline_thickness : upem / 20;
    underline_thickness_ = std::max(1, Round(thick * scale));
    underline_offset_ = std::max(1, Round(-face_->underline_position * scale -
                                          underline_thickness_ / 2.0));
    underline_offset_ = std::min(underline_offset_, std::max(1, metrics_.descent - 1));
    strike_offset_ = os2 && os2->version != 0xFFFF && os2->yStrikeoutPosition > 0
                         ? Round(os2->yStrikeoutPosition * scale)
                         : metrics_.ascent / 3;
  }

  GlyphMask Render(char32_t ch, int32_t tenths) {
    GlyphMask out;
    if (!face_) {
      out.advance_x = std::max(1, metrics_.height / 2) * 64;
      Turn(&out, tenths);
      return out;
    }
    const FT_UInt index = FT_Get_Char_Index(face_, ch);
    FT_Int32 flags = FT_LOAD_TARGET_MONO;
    if (tenths != 0 || resolved_.synthetic_italic) flags |= FT_LOAD_NO_BITMAP;
    if (FT_Load_Glyph(face_, index, flags) != 0 &&
        FT_Load_Glyph(face_, 0, flags) != 0) {
      out.advance_x = metrics_.ave_char_width * 64;
      Turn(&out, tenths);
      return out;
    }
    FT_GlyphSlot slot = face_->glyph;
    int32_t advance = static_cast<int32_t>((slot->advance.x + 32) & ~63);
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
      if (resolved_.synthetic_italic) {
        FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};  // about 12 degrees
        FT_Outline_Transform(&slot->outline, &shear);
      }
      if (tenths != 0) {
        const double a = tenths / 10.0 * std::numbers::pi / 180.0;
        const auto c = static_cast<FT_Fixed>(std::lround(std::cos(a) * 65536.0));
        const auto s = static_cast<FT_Fixed>(std::lround(std::sin(a) * 65536.0));
        FT_Matrix turn{c, -s, s, c};
        FT_Outline_Transform(&slot->outline, &turn);
      }
    }
    if (slot->format != FT_GLYPH_FORMAT_BITMAP) FT_Render_Glyph(slot, FT_RENDER_MODE_MONO);
    const FT_Bitmap& bitmap = slot->bitmap;
    out.left = slot->bitmap_left;
    out.top = slot->bitmap_top;
    out.width = static_cast<int>(bitmap.width);
    out.rows = static_cast<int>(bitmap.rows);
    out.mask.assign(static_cast<size_t>(out.width) * static_cast<size_t>(out.rows), 0);
    for (int y = 0; y < out.rows; ++y) {
      const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
      for (int x = 0; x < out.width; ++x) {
        bool ink = false;
        switch (bitmap.pixel_mode) {
          case FT_PIXEL_MODE_MONO:
            ink = (row[x >> 3] & (0x80 >> (x & 7))) != 0;
            break;
          case FT_PIXEL_MODE_GRAY:
            ink = row[x] >= 128;
            break;
          case FT_PIXEL_MODE_BGRA:
            ink = row[x * 4 + 3] >= 128;
            break;
          default:
            break;
        }
        out.mask[static_cast<size_t>(y) * static_cast<size_t>(out.width) + static_cast<size_t>(x)] =
            ink ? 1 : 0;
      }
    }
    if (resolved_.synthetic_bold && out.width > 0) {
      // Overstrike one pixel to the right, as a simulated bold does.
      GlyphMask bold = out;
      bold.width = out.width + 1;
      bold.mask.assign(static_cast<size_t>(bold.width) * static_cast<size_t>(bold.rows), 0);
      for (int y = 0; y < out.rows; ++y) {
        for (int x = 0; x < bold.width; ++x) {
          const bool ink = (x < out.width && out.Ink(x, y)) || (x > 0 && out.Ink(x - 1, y));
          bold.mask[static_cast<size_t>(y) * static_cast<size_t>(bold.width) +
                    static_cast<size_t>(x)] = ink ? 1 : 0;
        }
      }
      out = std::move(bold);
    }
    if (resolved_.synthetic_bold) advance += 64;
    out.advance_x = advance;
    Turn(&out, tenths);
    return out;
  }

  // Turns the advance with the baseline (the mask is already turned).
  static void Turn(GlyphMask* glyph, int32_t tenths) {
    if (tenths == 0) return;
    const double a = tenths / 10.0 * std::numbers::pi / 180.0;
    const double len = glyph->advance_x;
    glyph->advance_x = static_cast<int32_t>(std::lround(len * std::cos(a)));
    glyph->advance_y = static_cast<int32_t>(std::lround(-len * std::sin(a)));
  }

  ResolvedFace resolved_;
  FT_Face face_ = nullptr;
  TextMetrics metrics_;
  int underline_offset_ = 1, underline_thickness_ = 1, strike_offset_ = 1;
  std::unordered_map<char32_t, GlyphMask> glyphs_;
};

struct FontKey {
  std::string_view file;  // a resolved face's or in `files`: stays as long as the process
  int index;
  int32_t height;
  bool bold, italic, synth_bold, synth_italic;
  bool operator<(const FontKey& o) const {
    return std::tie(file, index, height, bold, italic, synth_bold, synth_italic) <
           std::tie(o.file, o.index, o.height, o.bold, o.italic, o.synth_bold, o.synth_italic);
  }
  bool operator==(const FontKey& o) const { return !(*this < o) && !(o < *this); }
};

constexpr size_t kFontCacheSize = 32;

struct FontCache {
  std::map<ResolveKey, ResolvedFace> resolved;
  std::set<std::string> files;  // of the faces opened by file, for the keys
  std::map<FontKey, std::shared_ptr<SizedFont>> fonts;
  std::list<FontKey> order;  // most recently used first
};

FontCache& Cache() {
  static FontCache* cache = new FontCache;  // lives until exit
  return *cache;
}

// The cache's font for the key, made when it has none.  Called with the
// font lock held.
std::shared_ptr<SizedFont> CachedFont(const FontKey& key, const ResolvedFace& face,
                                      int32_t weight, bool italic) {
  FontCache& cache = Cache();
  auto it = cache.fonts.find(key);
  if (it != cache.fonts.end()) {
    // To the front, moving the list's own node (a font is opened every time
    // text is drawn: no allocation).
    cache.order.splice(cache.order.begin(), cache.order,
                       std::find(cache.order.begin(), cache.order.end(), key));
    return it->second;
  }
  auto sized = std::make_shared<FreeTypeFont>(face, key.height, weight, italic);
  cache.fonts.emplace(key, sized);
  cache.order.push_front(key);
  while (cache.order.size() > kFontCacheSize) {
    cache.fonts.erase(cache.order.back());
    cache.order.pop_back();
  }
  return sized;
}

// ---- Shift-JIS decoding --------------------------------------------------------------

char32_t DecodeUncached(const char* glyph, size_t length) {
  static iconv_t cd = ::iconv_open("UTF-32LE", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) return 0xFFFD;
  ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char in_buf[2] = {glyph[0], length > 1 ? glyph[1] : '\0'};
  char* in = in_buf;
  size_t in_left = length;
  unsigned char out_buf[8] = {};
  char* out = reinterpret_cast<char*>(out_buf);
  size_t out_left = sizeof out_buf;
  if (::iconv(cd, &in, &in_left, &out, &out_left) == static_cast<size_t>(-1) || in_left != 0 ||
      out_left != 4) {
    return 0xFFFD;
  }
  return static_cast<char32_t>(out_buf[0] | (out_buf[1] << 8) | (out_buf[2] << 16) |
                               (static_cast<uint32_t>(out_buf[3]) << 24));
}

}  // namespace

const std::vector<FontFaceInfo>& InstalledFontFaces() {
  std::lock_guard<std::recursive_mutex> lock(g_font_mutex);
  return Listing().faces;
}

int EnumerateFontFaces(FontFaceCallback callback, intptr_t user) {
  int result = 1;
  for (const FontFaceInfo& face : InstalledFontFaces()) {
    LogFont font;
    const size_t n = std::min(face.name.size(), sizeof font.face_name - 1);
    std::memcpy(font.face_name, face.name.data(), n);
    font.charset = face.charset;
    font.weight = FontWeightNormal;
    TextMetrics metrics;
    metrics.charset = face.charset;
    metrics.weight = FontWeightNormal;
    result = callback(&font, &metrics, FontTypeScalable, user);
    if (result == 0) break;
  }
  return result;
}

const ResolvedFace& ResolveFontFace(std::string_view face_sjis, int32_t weight, bool italic,
                                    uint8_t charset) {
  std::lock_guard<std::recursive_mutex> lock(g_font_mutex);
  ResolveKey key{std::string(face_sjis), weight >= 600, italic, charset == CharsetShiftJis};
  FontCache& cache = Cache();
  auto it = cache.resolved.find(key);
  if (it != cache.resolved.end()) return it->second;
  ResolvedFace face = ResolveUncached(SjisToUtf8(face_sjis), key.bold, key.italic, key.japanese);
  return cache.resolved.emplace(key, face).first->second;
}

std::shared_ptr<SizedFont> OpenFont(const LogFont& font) {
  std::lock_guard<std::recursive_mutex> lock(g_font_mutex);
  const std::string_view name(font.face_name, strnlen(font.face_name, sizeof font.face_name));
  const ResolvedFace& face = ResolveFontFace(name, font.weight, font.italic != 0, font.charset);
  const int32_t height = std::clamp(font.height, -kMaxCellHeight, kMaxCellHeight);
  FontKey key{face.file,          face.index,           height, font.weight >= 600,
              font.italic != 0,   face.synthetic_bold,  face.synthetic_italic};
  return CachedFont(key, face, font.weight, font.italic != 0);
}

std::shared_ptr<SizedFont> OpenFontFile(const ResolvedFace& face, int32_t height, int32_t weight) {
  std::lock_guard<std::recursive_mutex> lock(g_font_mutex);
  ResolvedFace styled = face;
  styled.synthetic_bold = weight >= 600;
  styled.synthetic_italic = false;
  const std::string& file = *Cache().files.insert(face.file).first;
  height = std::clamp(height, -kMaxCellHeight, kMaxCellHeight);
  FontKey key{file, face.index, height, weight >= 600, false, styled.synthetic_bold, false};
  return CachedFont(key, styled, weight, false);
}

size_t CachedFontCount() {
  std::lock_guard<std::recursive_mutex> lock(g_font_mutex);
  return Cache().fonts.size();
}

size_t SjisGlyphLength(const char* text, size_t length, size_t i) {
  if (i + 1 < length && IsSjisLeadByte(static_cast<uint8_t>(text[i]))) return 2;
  return 1;
}

char32_t DecodeSjisGlyph(const char* glyph, size_t length) {
  if (length == 0) return 0xFFFD;
  const auto b0 = static_cast<uint8_t>(glyph[0]);
  if (length == 1 && b0 < 0x80) return b0;
  std::lock_guard<std::recursive_mutex> lock(g_font_mutex);
  static std::unordered_map<uint32_t, char32_t>* cache = new std::unordered_map<uint32_t, char32_t>;
  const uint32_t key = length == 1 ? b0 : (0x10000u | (b0 << 8) | static_cast<uint8_t>(glyph[1]));
  auto it = cache->find(key);
  if (it != cache->end()) return it->second;
  const char32_t ch = DecodeUncached(glyph, std::min<size_t>(length, 2));
  cache->emplace(key, ch);
  return ch;
}

}  // namespace os
