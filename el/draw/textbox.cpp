#include "el/draw/textbox.h"

#include <algorithm>
#include <cstring>

#include "el/draw/blit.h"
#include "el/draw/objects.h"
#include "el/draw/screen.h"
#include "el/draw/text.h"
#include "el/system/frame_timer.h"
#include "os/gdi/gdi.h"
#include "os/sjis.h"

os::Rect GlyphRects[GlyphRectCapacity];
int32_t GlyphCount = 0;
int32_t RevealCount = 0;
float RevealTimer = 0.0f;

const std::string HangingChars[HangingCharCount] = {
    os::Utf8ToSjis("、"), os::Utf8ToSjis("。"), os::Utf8ToSjis("，"), os::Utf8ToSjis("．"),
    os::Utf8ToSjis("・"), os::Utf8ToSjis("…"),  os::Utf8ToSjis("‥"),  os::Utf8ToSjis("”"),
    os::Utf8ToSjis("’"),  os::Utf8ToSjis("（"), os::Utf8ToSjis("」"), ",",
    ".",                  os::Utf8ToSjis("　"), " ",
};

namespace elDraw {
namespace {

constexpr int32_t kFontObject = 2;
constexpr int32_t kFontBufferObject = 3;

os::Surface* FontObjectSurface() { return SpriteObjects[kFontObject].Surface; }
os::Surface* FontBufferSurface() { return SpriteObjects[kFontBufferObject].Surface; }

// Bytes of the glyph at text[i]: a lead byte takes the next byte (unless
// that is the terminating NUL).
size_t GlyphLength(const char* text, size_t length, size_t i) {
  return os::SjisGlyphLength(text, length, i);
}

bool IsHanging(const char* glyph, size_t n) {
  for (const std::string& h : HangingChars) {
    if (h.size() == n && std::memcmp(h.data(), glyph, n) == 0) return true;
  }
  return false;
}

// Text drawn in black would vanish: pixel 0 is the Font object's key.
void RaiseDarkColours() {
  auto dark = [](uint32_t c) {
    return (c & 0xFF) < 16 && ((c >> 8) & 0xFF) < 16 && ((c >> 16) & 0xFF) < 16;
  };
  if (dark(TextColor)) TextColor = 0x101010;
  if (dark(TextBackColor)) TextBackColor = 0x101010;
}

bool AttachTransparent(os::Surface* surface) {
  if (!AttachTextFont(surface)) return false;
  os::SetBackgroundMode(TextDC, os::BackgroundTransparent);
  return true;
}

// One glyph with the style's shadow and bold strokes; the shadow sits
// `shadow` pixels down and right (one further with each bold).
void DrawGlyph(int gx, int gy, const char* glyph, size_t n, uint16_t style, int shadow) {
  const int bold_h = (style & TextStyleBoldH) ? 1 : 0;
  const int bold_v = (style & TextStyleBoldV) ? 1 : 0;
  const auto len = static_cast<int32_t>(n);
  if (style & TextStyleShadow) {
    os::SetTextColor(TextDC, TextBackColor);
    os::TextOut(TextDC, gx + shadow + bold_h, gy + shadow + bold_v, glyph, len);
  }
  os::SetTextColor(TextDC, TextColor);
  os::TextOut(TextDC, gx, gy, glyph, len);
  if (bold_h) {
    os::TextOut(TextDC, gx + 1, gy, glyph, len);
    if (bold_v) os::TextOut(TextDC, gx + 1, gy + 1, glyph, len);
  }
  if (bold_v) os::TextOut(TextDC, gx, gy + 1, glyph, len);
}

// The glyph's cell: its extent (rounded up to even sizes for the double-size
// strip) plus the shadow and bold strokes.
void CellSize(const char* glyph, size_t n, uint16_t style, bool doubled, int* w, int* h) {
  int32_t cx = 0, cy = 0;
  os::GetTextExtent(TextDC, glyph, static_cast<int32_t>(n), &cx, &cy);
  if (doubled) {
    cx += cx & 1;
    cy += cy & 1;
  }
  if (style & TextStyleShadow) {
    cx += doubled ? 2 : 1;
    cy += doubled ? 2 : 1;
  }
  if (style & TextStyleBoldH) cx += 1;
  if (style & TextStyleBoldV) cy += 1;
  *w = cx;
  *h = cy;
}

void GrowBox(int right, int bottom) {
  GlyphRects[0].right = std::max(GlyphRects[0].right, right);
  GlyphRects[0].bottom = std::max(GlyphRects[0].bottom, bottom);
}

void ShowBox() {
  const os::Rect& r = GlyphRects[0];
  DrawObject(r.left, r.top, kFontObject, r.left, r.top, r.right, r.bottom);
}

void FinishPaint(int32_t next) {
  GlyphCount = next;
  RevealCount = 0;
  RevealTimer = 0.0f;
  TextBoxDrawNow = 1;
}

// How a painter's glyph stands on its line.
enum class GlyphFit {
  Fits,      // on the line: it keeps its record
  Hangs,     // past the right edge but allowed to hang there; ends the line
  LineFeed,  // ends the line
  Wraps,     // does not fit: it ends the line and is placed again after it
};

// The wrap loop both painters share: from record 1, each glyph of the text
// is handed to `place`(glyph, bytes, record), which fills its record (and
// may draw it) and says how it stands; a glyph that fits keeps its record.
// Any other ends the line (for the smoothed painter, the strip, which may
// go on along the same line) through `next_line`(fit), which returns false
// once the box is full.  The walk stops at the end of the text, a full box
// or the last record; returns the next free record.
template <class Place, class NextLine>
int32_t WrapGlyphs(const char* text, size_t length, Place&& place, NextLine&& next_line) {
  int32_t next = 1;
  size_t i = 0;
  while (i < length) {
    const size_t n = GlyphLength(text, length, i);
    if (next >= GlyphRectCapacity) break;  // no record left: the paint stops
    const GlyphFit fit = place(text + i, n, GlyphRects[next]);
    if (fit == GlyphFit::Fits) {
      ++next;
    } else if (!next_line(fit)) {
      break;
    }
    if (fit != GlyphFit::Wraps) i += n;
  }
  return next;
}

struct Channel {
  int place = 0;  // shift of the channel's top five bits
  explicit Channel(uint32_t mask) {
    if (mask == 0) return;
    int shift = 0;
    while (!((mask >> shift) & 1)) ++shift;
    place = shift + (((mask >> shift) == 63) ? 1 : 0);
  }
  int Get(uint16_t p) const { return (p >> place) & 31; }
};

}  // namespace

void DrawTextBox(int32_t left, int32_t top, int32_t right, int32_t bottom, const char* text,
                 uint16_t style) {
  TextBoxDrawNow = 0;
  PaintTextBox(left, top, right, bottom, text, style);
}

void DrawTextBox2(int32_t left, int32_t top, int32_t right, int32_t bottom, const char* text,
                  uint16_t style) {
  TextBoxDrawNow = 0;
  PaintTextBox2(left, top, right, bottom, text, style);
}

void PaintTextBox(int32_t left, int32_t top, int32_t right, int32_t bottom, const char* text,
                  uint16_t style) {
  if (!FontDescription || !text) return;
  DeleteFont();  // the caller's selection
  ClearObject(kFontObject);
  const bool attached = AttachTransparent(FontObjectSurface());
  RaiseDarkColours();
  GlyphRects[0] = os::Rect{left, top, left, top};
  int line_height = FontHeight + (style & TextStyleSpacingMask);
  int x = left, y = top;
  auto place = [&](const char* glyph, size_t n, os::Rect& record) {
    if (glyph[0] == '\n') {
      record = os::Rect{x, y, x, y};
      return GlyphFit::LineFeed;
    }
    int w = 0, h = 0;
    CellSize(glyph, n, style, false, &w, &h);
    record = os::Rect{x, y, x + w, y + h};
    const bool line_empty = x == left;
    x += w;
    line_height = std::max(line_height, h);
    const bool hanging = x > right && IsHanging(glyph, n);
    // A glyph wider than the whole line stays on its (empty) line rather
    // than moving down line after line.
    if (x <= right || (line_empty && !hanging)) {
      DrawGlyph(x - w, y, glyph, n, style, 1);
      GrowBox(x, y + h);
      return GlyphFit::Fits;
    }
    if (!hanging) return GlyphFit::Wraps;
    DrawGlyph(x - w, y, glyph, n, style, 1);  // past the edge, without a record
    return GlyphFit::Hangs;
  };
  auto next_line = [&](GlyphFit) {
    x = left;
    y += line_height;
    return y + line_height < bottom;
  };
  const int32_t next = WrapGlyphs(text, attached ? std::strlen(text) : 0, place, next_line);
  DeleteFont();  // the Font object's device context back
  if (TextBoxDrawNow) ShowBox();
  AttachTextFont(BackBuffer);  // so that the caller's DeleteFont still matches
  FinishPaint(next);
}

void PaintTextBox2(int32_t left, int32_t top, int32_t right, int32_t bottom, const char* text,
                   uint16_t style) {
  if (!FontDescription || !text) return;
  DeleteBufferFont();  // the caller's selection
  ClearObject(kFontObject);
  ClearObject(kFontBufferObject);
  const bool attached = AttachTransparent(FontBufferSurface());
  RaiseDarkColours();
  GlyphRects[0] = os::Rect{left, top, left, top};
  const int base_height = FontHeight + (style & TextStyleSpacingMask);  // double-size pixels
  int line_height = base_height;
  int lx = left, ly = top, sx = 0;

  // Filters the strip (0, 0)-(sx, line height) into the Font object at the
  // line's place, its height cut at the box's bottom.
  auto flush = [&]() {
    DeleteBufferFont();
    int height = line_height;
    if (ly + height / 2 > bottom) height -= 2 * (ly + height / 2 - bottom);
    GrowBox(lx + sx / 2, ly + height / 2);
    SmoothTextBox(lx, ly, 0, 0, sx, height);
  };

  int w = 0;                // the last glyph's double-size width
  bool strip_empty = true;  // the strip was empty before it
  auto place = [&](const char* glyph, size_t n, os::Rect& record) {
    const bool line_feed = glyph[0] == '\n';
    int h = 0;
    w = 0;
    if (!line_feed) {
      DrawGlyph(sx, 0, glyph, n, style, 2);
      CellSize(glyph, n, style, true, &w, &h);
    }
    record = os::Rect{lx + sx / 2, ly, lx + sx / 2 + w / 2, ly + h / 2};
    strip_empty = sx == 0;
    sx += w;
    line_height = std::max(line_height, h);
    if (line_feed) return GlyphFit::LineFeed;
    const bool past_edge = lx + sx / 2 >= right;
    if (!past_edge && sx < ScreenWidth) return GlyphFit::Fits;
    if (past_edge && IsHanging(glyph, n)) return GlyphFit::Hangs;
    // A glyph wider than a whole line (or strip) stays on its empty line.
    if (strip_empty && lx == left) return GlyphFit::Fits;
    sx -= w;  // the glyph starts the next strip
    return GlyphFit::Wraps;
  };
  auto next_line = [&](GlyphFit fit) {
    flush();
    ClearObject(kFontBufferObject);
    AttachTransparent(FontBufferSurface());
    lx += sx / 2;
    // A glyph that did not fit into an empty strip goes to a new line too.
    if (lx + w / 2 >= right || fit == GlyphFit::LineFeed || strip_empty) {
      lx = left;
      ly += line_height / 2;
    }
    sx = 0;
    line_height = base_height;
    return ly < bottom;
  };
  const int32_t next = WrapGlyphs(text, attached ? std::strlen(text) : 0, place, next_line);
  if (sx > 0) {
    flush();
    AttachTextFont(FontBufferSurface());
  }
  if (TextBoxDrawNow) ShowBox();
  FinishPaint(next);
}

int32_t SmoothTextBox(int32_t x, int32_t y, int32_t src_left, int32_t src_top,
                      int32_t src_right, int32_t src_bottom) {
  int64_t w = (static_cast<int64_t>(src_right) - src_left) / 2;
  int64_t h = (static_cast<int64_t>(src_bottom) - src_top) / 2;
  int64_t dx0 = x, dy0 = y, sl = src_left, st = src_top;
  if (dx0 + w > ClipRight) w = ClipRight - dx0;
  if (dy0 + h > ClipBottom) h = ClipBottom - dy0;
  if (dx0 < ClipLeft) {
    const int64_t cut = ClipLeft - dx0;
    sl += 2 * cut;
    w -= cut;
    dx0 = ClipLeft;
  }
  if (dy0 < ClipTop) {
    const int64_t cut = ClipTop - dy0;
    st += 2 * cut;
    h -= cut;
    dy0 = ClipTop;
  }
  if (w < 0 || h < 0) return 1;

  os::Surface* src_surface = FontBufferSurface();
  os::Surface* dst_surface = FontObjectSurface();
  os::Surface* back_surface = BackBuffer;
  if (!src_surface || !dst_surface || !back_surface) return 0;
  os::PixelView src, dst, back;
  if (!os::Succeeded(src_surface->Lock(&src))) return 0;
  if (!os::Succeeded(dst_surface->Lock(&dst))) {
    src_surface->Unlock();
    return 0;
  }
  if (!os::Succeeded(back_surface->Lock(&back))) {
    dst_surface->Unlock();
    src_surface->Unlock();
    return 0;
  }

  // The 2w x 2h source block, cut to the Font buffer; the destination cut to
  // the Font object and the back buffer.
  const int64_t block_right = std::min<int64_t>(sl + 2 * w, src.width);
  const int64_t block_bottom = std::min<int64_t>(st + 2 * h, src.height);
  const int64_t block_left = std::max<int64_t>(sl, 0);
  const int64_t block_top = std::max<int64_t>(st, 0);
  const int64_t dst_w = std::min<int64_t>(dst.width, back.width);
  const int64_t dst_h = std::min<int64_t>(dst.height, back.height);
  const Channel red(src.format.red_mask), green(src.format.green_mask),
      blue(src.format.blue_mask);
  const Channel back_red(back.format.red_mask), back_green(back.format.green_mask),
      back_blue(back.format.blue_mask);
  const Channel out_red(dst.format.red_mask), out_green(dst.format.green_mask),
      out_blue(dst.format.blue_mask);
  constexpr int kMax = 31;
  for (int64_t j = 0; j < h; ++j) {
    const int64_t py = dy0 + j;
    const int64_t sy = st + 2 * j;
    if (py < 0 || py >= dst_h || sy < block_top || sy >= block_bottom) continue;
    for (int64_t i = 0; i < w; ++i) {
      const int64_t px = dx0 + i;
      const int64_t sx = sl + 2 * i;
      if (px < 0 || px >= dst_w || sx < block_left || sx >= block_right) continue;
      int n = 0, r = 0, g = 0, b = 0;
      for (int64_t ny = sy - 1; ny <= sy + 1; ++ny) {
        if (ny < block_top || ny >= block_bottom) continue;
        const uint16_t* row = src.Row(static_cast<int>(ny));
        for (int64_t nx = sx - 1; nx <= sx + 1; ++nx) {
          if (nx < block_left || nx >= block_right) continue;
          const uint16_t p = row[nx];
          if (p == 0) continue;
          ++n;
          r += red.Get(p);
          g += green.Get(p);
          b += blue.Get(p);
        }
      }
      if (n == 0) continue;
      const uint16_t under = back.Row(static_cast<int>(py))[px];
      const int weight = 8 - n;  // -1 for n = 9: no background term
      auto mix = [&](int sum, int background) {
        const int v = (sum + kMax + (weight > 0 ? weight * background : 0)) >> 3;
        return std::min(v, kMax);
      };
      const int vr = mix(r, back_red.Get(under));
      const int vg = mix(g, back_green.Get(under));
      const int vb = mix(b, back_blue.Get(under));
      dst.Row(static_cast<int>(py))[px] = static_cast<uint16_t>(
          (vr << out_red.place) | (vg << out_green.place) | (vb << out_blue.place));
    }
  }
  back_surface->Unlock();
  dst_surface->Unlock();
  src_surface->Unlock();
  return 1;
}

int32_t RevealText(float interval) {
  const int32_t last = std::min(GlyphCount, GlyphRectCapacity);
  if (interval == 0.0f || RevealCount > GlyphCount) {
    ShowBox();
    RevealCount = GlyphCount + 1;
  } else {
    for (int32_t k = 1; k < RevealCount && k < last; ++k) {
      const os::Rect& r = GlyphRects[k];
      DrawObject(r.left, r.top, kFontObject, r.left, r.top, r.right, r.bottom);
    }
  }
  if (RevealCount > GlyphCount) return 1;
  RevealTimer += FrameTime;
  if (RevealTimer >= interval) {
    if (RevealCount <= GlyphCount) ++RevealCount;
    RevealTimer = 0.0f;
  }
  return 0;
}

}  // namespace elDraw
