// Fonts: the installed faces (from fontconfig), logical font descriptions,
// and sized fonts whose glyphs FreeType renders.  Glyphs come out as
// one-bit masks (no anti-aliasing), as a 16-bit desktop shows text.
//
// Face names and texts are Shift-JIS byte strings, as the library keeps
// them; this file converts to Unicode for fontconfig and FreeType.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace os {

enum : uint8_t {
  CharsetAnsi = 0,
  CharsetDefault = 1,
  CharsetSymbol = 2,
  CharsetShiftJis = 128,
};

enum : int32_t {
  FontWeightDefault = 0,
  FontWeightNormal = 400,
  FontWeightBold = 700,
};

// A logical font: what a font is asked for.  The 60-byte layout the
// library's one font description keeps.
struct LogFont {
  int32_t height = 0;       // > 0: cell height; < 0: character height; 0: default
  int32_t width = 0;        // 0: natural width (other values are not honoured)
  int32_t escapement = 0;   // baseline angle, tenths of a degree anticlockwise
  int32_t orientation = 0;  // not used: glyphs turn with the baseline
  int32_t weight = 0;       // 0 default, 1..1000 (400 normal, 700 bold)
  uint8_t italic = 0;
  uint8_t underline = 0;
  uint8_t strike_out = 0;
  uint8_t charset = 0;
  uint8_t out_precision = 0;
  uint8_t clip_precision = 0;
  uint8_t quality = 0;
  uint8_t pitch_and_family = 0;
  char face_name[32] = {};  // Shift-JIS, NUL-terminated
};
static_assert(sizeof(LogFont) == 60, "the font description is 60 bytes");

// Measures of a sized font, in pixels.
struct TextMetrics {
  int height = 0;  // cell height = ascent + descent
  int ascent = 0;
  int descent = 0;
  int internal_leading = 0;  // cell height minus the character (em) height
  int external_leading = 0;
  int ave_char_width = 0;
  int max_char_width = 0;
  int weight = 0;
  uint8_t italic = 0;
  uint8_t underlined = 0;
  uint8_t charset = 0;
};

// ---- installed faces ----------------------------------------------------------

struct FontFaceInfo {
  std::string name;  // Shift-JIS (a name that does not convert is left out)
  uint8_t charset = CharsetAnsi;  // ShiftJis for Japanese-capable families, Symbol for symbol sets
};

// Every family name that fontconfig lists (a family with a localised name
// appears under each of its names), sorted by name; read once per process.
const std::vector<FontFaceInfo>& InstalledFontFaces();

constexpr uint32_t FontTypeScalable = 4;

// The enumeration callback: the face as a logical font (face name and
// character set filled in), metrics with only the character set and weight
// filled in, the font type, and the caller's value.  Returning 0 stops.
using FontFaceCallback = int (*)(const LogFont* font, const TextMetrics* metrics,
                                 uint32_t font_type, intptr_t user);
// Offers every installed face in turn; returns the last callback result
// (1 when there are no faces).
int EnumerateFontFaces(FontFaceCallback callback, intptr_t user);

// ---- font resolution ------------------------------------------------------------

// What a face name maps to: the family and file that fontconfig gives for it.
// "標準明朝" and "標準ゴシック" map to the Japanese serif and sans-serif faces;
// an unknown or empty name falls back by character set (a Japanese face for
// Shift-JIS, the default sans-serif otherwise).
struct ResolvedFace {
  std::string family;  // UTF-8
  std::string file;
  int index = 0;
  bool synthetic_bold = false;
  bool synthetic_italic = false;
};
// (The answer is cached for the process's life, and stays where it is.)
const ResolvedFace& ResolveFontFace(std::string_view face_sjis, int32_t weight, bool italic,
                                    uint8_t charset);

// ---- sized fonts and glyphs -----------------------------------------------------

// A glyph's one-bit mask: `mask` holds width x rows bytes (1 = ink), placed
// with its top-left at (origin.x + left, origin.y - top) for a baseline
// origin; the pen then moves by (advance_x, advance_y) (screen directions,
// y down) in 1/64 pixels.
struct GlyphMask {
  int left = 0, top = 0, width = 0, rows = 0;
  std::vector<uint8_t> mask;
  int32_t advance_x = 0, advance_y = 0;
  bool Ink(int x, int y) const {
    return mask[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] != 0;
  }
};

class SizedFont {
 public:
  virtual ~SizedFont() = default;
  virtual const TextMetrics& Metrics() const = 0;
  virtual const ResolvedFace& Face() const = 0;
  // The glyph of a character, unturned (cached).
  virtual const GlyphMask& Glyph(char32_t ch) = 0;
  // The glyph turned anticlockwise by `tenths` of a degree (not cached).
  virtual GlyphMask TurnedGlyph(char32_t ch, int32_t tenths) = 0;
  // Whole-pixel advance of the unturned glyph.
  virtual int Advance(char32_t ch) = 0;
  // Underline: offset of its top row below the baseline, and its thickness.
  virtual int UnderlineOffset() const = 0;
  virtual int UnderlineThickness() const = 0;
  virtual int StrikeOffset() const = 0;  // above the baseline
};

// The sized font for a description, from a cache keyed by face, size and
// style: creating the same font again and again costs a lookup.  Never null
// (with no usable face file at all, a font without glyphs is returned).
std::shared_ptr<SizedFont> OpenFont(const LogFont& font);
// The sized font of a face file found without fontconfig
// (os/text/font_files.h), the face taken for a regular one: a bold weight
// is simulated.  From the same cache.
std::shared_ptr<SizedFont> OpenFontFile(const ResolvedFace& face, int32_t height, int32_t weight);
// Number of sized fonts held by the cache (for tests).
size_t CachedFontCount();

// ---- Shift-JIS glyph iteration --------------------------------------------------

// Length of the glyph starting at text[i]: 2 for a lead byte followed by a
// byte inside the text, else 1.
size_t SjisGlyphLength(const char* text, size_t length, size_t i);
// The character of a one- or two-byte Shift-JIS glyph; U+FFFD when it does
// not decode.  Decoded glyphs are cached.
char32_t DecodeSjisGlyph(const char* glyph, size_t length);

}  // namespace os
