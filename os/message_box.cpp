// The os layer's own message box: layout, pixels and input, without a display.
#include "os/message_box.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "os/sjis.h"
#include "os/text/font_files.h"

namespace os {
namespace {

constexpr int kMargin = 16;
constexpr int kIconSize = 32;
constexpr int kIconGap = 12;
constexpr int kLineGap = 2;     // between two lines of text
constexpr int kDetailGap = 8;   // between the text and the detail
constexpr int kMinWidth = 300;
constexpr int kMinTextWidth = 120;
constexpr int kFooterPad = 11;  // around the buttons in their strip
constexpr int kButtonGap = 8;
constexpr int kButtonPadX = 20;
constexpr int kButtonPadY = 6;
constexpr int kMinButtonWidth = 84;
// Room left beside and above and below a box of the largest size, for a
// window manager's frame.
constexpr int kFrameRoomX = 32;
constexpr int kFrameRoomY = 64;

constexpr uint32_t kBackground = 0xFFFFFF;
constexpr uint32_t kFooter = 0xF0F0F0;
constexpr uint32_t kFooterRule = 0xDFDFDF;
constexpr uint32_t kText = 0x000000;
constexpr uint32_t kDetail = 0x404040;
constexpr uint32_t kButtonFace = 0xE1E1E1;
constexpr uint32_t kButtonBorder = 0xADADAD;
constexpr uint32_t kFocusBorder = 0x0078D7;
constexpr uint32_t kPressedFace = 0xCCE4F7;
constexpr uint32_t kPressedBorder = 0x005499;
constexpr uint32_t kWarning = 0xF0B400;
constexpr uint32_t kQuestion = 0x1F6FD0;

constexpr char32_t kEllipsis = U'…';
constexpr int32_t kTextHeight = 16;  // the fonts' cell heights
constexpr int32_t kMarkHeight = 24;

int TextWidth(SizedFont& font, const std::u32string& text) {
  int width = 0;
  for (char32_t ch : text) width += font.Advance(ch);
  return width;
}

// The text's paragraphs: split at line feeds, carriage returns dropped, tabs
// as spaces, other control characters left out, trailing breaks dropped.
std::vector<std::u32string> Paragraphs(const std::string& text) {
  std::vector<std::u32string> out(1);
  for (char32_t ch : DecodeUtf8(text)) {
    if (ch == U'\n') {
      out.emplace_back();
    } else if (ch == U'\t') {
      out.back() += U' ';
    } else if (ch >= 0x20 && ch != 0x7F) {
      out.back() += ch;
    }
  }
  while (out.size() > 1 && out.back().empty()) out.pop_back();
  if (out.size() == 1 && out[0].empty()) out.clear();
  return out;
}

// Characters a line does not start with: closing brackets and punctuation,
// small kana, the long-vowel mark.
bool NoLineStart(char32_t ch) {
  static constexpr std::u32string_view kSet =
      U"、。，．・：；？！゛゜ヽヾゝゞ々ー）］｝」』】〕〉》’”"
      U"ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ,.;:!?)]}";
  return kSet.find(ch) != std::u32string_view::npos;
}

// One paragraph in lines no wider than `width`: broken after the last space
// that fits, or, in a run without spaces (Japanese, a path), before the
// character that does not fit (one more goes with it when that character may
// not start a line).  The space broken at is dropped.
void Wrap(const std::u32string& paragraph, SizedFont& font, int width,
          std::vector<std::u32string>* lines) {
  std::u32string line;
  int line_width = 0;
  for (char32_t ch : paragraph) {
    const int advance = font.Advance(ch);
    if (!line.empty() && line_width + advance > width) {
      if (ch == U' ') {
        lines->push_back(line);
        line.clear();
        line_width = 0;
        continue;
      }
      const size_t space = line.find_last_of(U' ');
      if (space != std::u32string::npos && space > 0) {
        lines->push_back(line.substr(0, space));
        line.erase(0, space + 1);
      } else if (NoLineStart(ch) && line.size() >= 2) {
        lines->push_back(line.substr(0, line.size() - 1));
        line.erase(0, line.size() - 1);
      } else {
        lines->push_back(line);
        line.clear();
      }
      line_width = TextWidth(font, line);
      // What followed the space may still leave no room for this character.
      if (!line.empty() && line_width + advance > width) {
        lines->push_back(line);
        line.clear();
        line_width = 0;
      }
    }
    line += ch;
    line_width += advance;
  }
  lines->push_back(line);
}

std::vector<std::u32string> WrapAll(const std::string& text, SizedFont& font, int width) {
  std::vector<std::u32string> lines;
  for (const std::u32string& paragraph : Paragraphs(text)) Wrap(paragraph, font, width, &lines);
  return lines;
}

// The line cut so that it ends in "…" within `width`.
void EndWithEllipsis(std::u32string* line, SizedFont& font, int width) {
  const int ellipsis = font.Advance(kEllipsis);
  while (!line->empty() && TextWidth(font, *line) + ellipsis > width) line->pop_back();
  *line += kEllipsis;
}

// Keeps at most `keep` lines, the last kept one marked when any went.
void KeepLines(std::vector<std::u32string>* lines, size_t keep, SizedFont& font, int width) {
  if (lines->size() <= keep) return;
  lines->resize(keep);
  if (!lines->empty()) EndWithEllipsis(&lines->back(), font, width);
}

// The buttons to the right of the strip under box.footer_top, in order, at
// their own sizes (held in their rectangles) where the box has room for
// them, else shrunk to share its width.
void PlaceButtons(BoxModel& box, int buttons_width, int footer_height) {
  const int count = static_cast<int>(box.buttons.size());
  const int natural_height = box.buttons.front().rect.bottom;
  const int pad = std::clamp((footer_height - natural_height) / 2, 0, kFooterPad);
  const int top = box.footer_top + pad;
  const int bottom = top + std::min(natural_height, footer_height - 2 * pad);
  const bool shrink = buttons_width > box.width;
  const int gap = shrink ? std::min(kButtonGap, box.width / (4 * count)) : kButtonGap;
  const int shared = std::max(1, (box.width - gap * (count - 1)) / count);
  int x = shrink ? 0 : box.width - std::min(kMargin, (box.width - buttons_width) / 2) - buttons_width;
  for (BoxButton& button : box.buttons) {
    const int w = shrink ? shared : button.rect.right;
    button.rect = {std::min(x, box.width), top, std::min(x + w, box.width), bottom};
    x += w + gap;
  }
}

bool Inside(const Rect& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

int ButtonAt(const BoxModel& box, int x, int y) {
  for (size_t i = 0; i < box.buttons.size(); ++i) {
    if (Inside(box.buttons[i].rect, x, y)) return static_cast<int>(i);
  }
  return -1;
}

BoxEvent Answer(BoxModel& box, int answer) {
  box.answer = answer;
  return BoxEvent::Answered;
}

BoxEvent MoveFocus(BoxModel& box, int step) {
  const int count = static_cast<int>(box.buttons.size());
  if (count < 2) return BoxEvent::None;
  box.focus = ((box.focus + step) % count + count) % count;
  return BoxEvent::Redraw;
}

// ---- pixels ----

class Canvas {
 public:
  explicit Canvas(BoxModel& box) : box_(box) {}
  void Put(int x, int y, uint32_t rgb) {
    if (x < 0 || y < 0 || x >= box_.width || y >= box_.height) return;
    box_.pixels[static_cast<size_t>(y) * static_cast<size_t>(box_.width) +
                static_cast<size_t>(x)] = 0xFF000000u | rgb;
  }
  void Fill(const Rect& r, uint32_t rgb) {
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) Put(x, y, rgb);
    }
  }
  // A frame `thick` pixels wide just inside the rectangle.
  void Frame(const Rect& r, int thick, uint32_t rgb) {
    Fill({r.left, r.top, r.right, r.top + thick}, rgb);
    Fill({r.left, r.bottom - thick, r.right, r.bottom}, rgb);
    Fill({r.left, r.top, r.left + thick, r.bottom}, rgb);
    Fill({r.right - thick, r.top, r.right, r.bottom}, rgb);
  }
  // Every other pixel of the rectangle's edge.
  void DottedFrame(const Rect& r, uint32_t rgb) {
    for (int x = r.left; x < r.right; ++x) {
      if ((x + r.top) % 2 == 0) Put(x, r.top, rgb);
      if ((x + r.bottom - 1) % 2 == 0) Put(x, r.bottom - 1, rgb);
    }
    for (int y = r.top; y < r.bottom; ++y) {
      if ((r.left + y) % 2 == 0) Put(r.left, y, rgb);
      if ((r.right - 1 + y) % 2 == 0) Put(r.right - 1, y, rgb);
    }
  }
  void Mask(const GlyphMask& glyph, int x, int y, uint32_t rgb) {
    for (int gy = 0; gy < glyph.rows; ++gy) {
      for (int gx = 0; gx < glyph.width; ++gx) {
        if (glyph.Ink(gx, gy)) Put(x + gx, y + gy, rgb);
      }
    }
  }
  // A line of text whose cell's top-left is (x, y).
  void Text(SizedFont& font, const std::u32string& text, int x, int y, uint32_t rgb) {
    const int baseline = y + font.Metrics().ascent;
    for (char32_t ch : text) {
      const GlyphMask& glyph = font.Glyph(ch);
      Mask(glyph, x + glyph.left, baseline - glyph.top, rgb);
      x += glyph.advance_x / 64;
    }
  }
  // One glyph's ink centred on (cx, cy).
  void Sign(SizedFont& font, char32_t ch, int cx, int cy, uint32_t rgb) {
    const GlyphMask& glyph = font.Glyph(ch);
    Mask(glyph, cx - glyph.width / 2, cy - glyph.rows / 2, rgb);
  }

 private:
  BoxModel& box_;
};

void DrawIcon(Canvas& canvas, const BoxModel& box, SizedFont& mark) {
  const Rect& r = box.icon_rect;
  const int size = r.right - r.left;
  const int cx = r.left + size / 2;
  if (box.icon == BoxIcon::Exclamation) {
    // A warning triangle, point up, with the sign low in it.
    for (int y = 1; y < size - 1; ++y) {
      const int half = (y * (size / 2 - 1)) / (size - 2);
      canvas.Fill({cx - half - 1, r.top + y, cx + half + 1, r.top + y + 1}, kWarning);
    }
    canvas.Sign(mark, U'!', cx, r.top + size * 5 / 8, kText);
  } else if (box.icon == BoxIcon::Question) {
    const int radius2 = (size / 2) * (size / 2);
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const int dx = 2 * x + 1 - size, dy = 2 * y + 1 - size;
        if (dx * dx + dy * dy <= 4 * radius2) canvas.Put(r.left + x, r.top + y, kQuestion);
      }
    }
    canvas.Sign(mark, U'?', cx, r.top + size / 2, kBackground);
  }
}

void DrawButton(Canvas& canvas, const BoxModel& box, size_t index, SizedFont& font) {
  const BoxButton& button = box.buttons[index];
  const Rect& r = button.rect;
  const bool down = box.pressed == static_cast<int>(index) && box.pointer_over_pressed;
  const bool focused = box.focus == static_cast<int>(index);
  canvas.Fill(r, down ? kPressedFace : kButtonFace);
  if (down) {
    canvas.Frame(r, 1, kPressedBorder);
  } else if (focused) {
    canvas.Frame(r, 2, kFocusBorder);
  } else {
    canvas.Frame(r, 1, kButtonBorder);
  }
  if (focused) canvas.DottedFrame({r.left + 3, r.top + 3, r.right - 3, r.bottom - 3}, kText);
  const std::u32string label = DecodeUtf8(button.label);
  const int x = r.left + (r.right - r.left - TextWidth(font, label)) / 2;
  const int y = r.top + (r.bottom - r.top - font.Metrics().height) / 2;
  canvas.Text(font, label, x, y, kText);
}

// Whether the font inks a letter: a face FreeType read.
bool Draws(SizedFont& font) { return font.Glyph(U'A').width > 0; }

std::shared_ptr<SizedFont> OpenGothic(int32_t height, int32_t weight) {
  LogFont font;
  font.height = height;
  font.weight = weight;
  font.charset = CharsetShiftJis;
  const std::string face = Utf8ToSjis("標準ゴシック");
  std::memcpy(font.face_name, face.data(), std::min(face.size(), sizeof font.face_name - 1));
  return OpenFont(font);
}

}  // namespace

BoxFonts OpenBoxFonts(std::string* why) {
  BoxFonts fonts{OpenGothic(kTextHeight, FontWeightNormal), OpenGothic(kMarkHeight, FontWeightBold)};
  if (Draws(*fonts.text)) return fonts;
  static const FontSearch found = FindFontFile(StandardFontFolders());
  if (!found.face.file.empty()) {
    return BoxFonts{OpenFontFile(found.face, kTextHeight, FontWeightNormal),
                    OpenFontFile(found.face, kMarkHeight, FontWeightBold)};
  }
  *why = "no font to write it in: fontconfig gives none that draws, nor is there a font file in ";
  const std::vector<SearchedFolder>& searched = found.searched;
  for (size_t i = 0; i < searched.size(); ++i) {
    *why += (i == 0 ? "" : i + 1 == searched.size() ? " or " : ", ") + searched[i].path;
    if (!searched[i].whole) *why += " (its first " + std::to_string(searched[i].entries) + " entries)";
  }
  if (searched.empty()) *why += "a font folder (FreeType cannot start)";
  return BoxFonts{};
}

std::u32string DecodeUtf8(const std::string& text) {
  std::u32string out;
  out.reserve(text.size());
  const size_t n = text.size();
  size_t i = 0;
  while (i < n) {
    const auto b0 = static_cast<uint8_t>(text[i]);
    int extra = 0;
    char32_t ch = 0;
    char32_t least = 0;
    if (b0 < 0x80) {
      out += b0;
      ++i;
      continue;
    } else if (b0 >= 0xC2 && b0 <= 0xDF) {
      extra = 1, ch = b0 & 0x1F, least = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
      extra = 2, ch = b0 & 0x0F, least = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
      extra = 3, ch = b0 & 0x07, least = 0x10000;
    } else {
      out += U'\uFFFD';
      ++i;
      continue;
    }
    size_t j = i + 1;
    for (; j < n && j <= i + static_cast<size_t>(extra); ++j) {
      const auto b = static_cast<uint8_t>(text[j]);
      if ((b & 0xC0) != 0x80) break;
      ch = (ch << 6) | (b & 0x3F);
    }
    const bool whole = j == i + 1 + static_cast<size_t>(extra);
    if (!whole || ch < least || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) {
      // A broken sequence stands for one replacement; its well-formed
      // continuation bytes go with it.
      out += U'\uFFFD';
      i = j;
      continue;
    }
    out += ch;
    i = j;
  }
  return out;
}

BoxModel LayoutBox(const std::string& text, const std::string& detail, uint32_t flags,
                   SizedFont& font, const BoxLimits& limits) {
  BoxModel box;
  const uint32_t icon_bits = flags & 0x70;
  box.icon = icon_bits == BoxIconQuestion      ? BoxIcon::Question
             : icon_bits == BoxIconExclamation ? BoxIcon::Exclamation
                                               : BoxIcon::None;
  if (flags & BoxYesNo) {
    box.buttons = {BoxButton{"はい", AnswerYes, {}}, BoxButton{"いいえ", AnswerNo, {}}};
    box.close_answer = AnswerNo;
  } else {
    box.buttons = {BoxButton{"OK", AnswerOk, {}}};
    box.close_answer = AnswerOk;
  }
  box.answer = box.close_answer;

  const TextMetrics& metrics = font.Metrics();
  box.line_height = metrics.height + kLineGap;
  const int max_width = std::max(1, limits.max_width);
  const int max_height = std::max(1, limits.max_height);

  // The buttons' sizes, and the strip they stand in.
  const int button_height = metrics.height + 2 * kButtonPadY;
  int buttons_width = 0;
  for (BoxButton& button : box.buttons) {
    const int w = std::max(kMinButtonWidth,
                           TextWidth(font, DecodeUtf8(button.label)) + 2 * kButtonPadX);
    button.rect = {0, 0, w, button_height};
    buttons_width += w + (buttons_width > 0 ? kButtonGap : 0);
  }
  const int footer_height = std::min(button_height + 2 * kFooterPad, max_height);

  // The room above the strip, inside the margins; the icon only where it
  // fits there beside some text.
  const int room = max_height - footer_height - 2 * kMargin;
  if (room < kIconSize || max_width < 2 * kMargin + kIconSize + kIconGap + kMinTextWidth) {
    box.icon = BoxIcon::None;
  }
  const int text_left = kMargin + (box.icon != BoxIcon::None ? kIconSize + kIconGap : 0);
  const int wrap_width = max_width - text_left - kMargin;

  std::vector<std::u32string> text_lines, detail_lines;
  // Too narrow for two characters a line: the box is only its buttons.
  if (wrap_width >= 2 * metrics.height) {
    text_lines = WrapAll(text, font, wrap_width);
    detail_lines = WrapAll(detail, font, wrap_width);
  }
  // How many lines fit the room, with the gap under the text or without.
  auto fitting = [&](int gap) {
    return static_cast<size_t>(std::max(0, (room - gap + kLineGap) / box.line_height));
  };
  const size_t texts = text_lines.size(), details = detail_lines.size();
  const size_t most = fitting(texts > 0 && details > 0 ? kDetailGap : 0);
  if (texts + details > most) {
    // Each part its half (the text the odd line); what one does not need
    // goes to the other.
    const size_t detail_share = most / 2, text_share = most - detail_share;
    size_t text_keep = text_share, detail_keep = detail_share;
    if (texts < text_share) {
      text_keep = texts;
      detail_keep = most - texts;
    } else if (details < detail_share) {
      detail_keep = details;
      text_keep = most - details;
    }
    // Without a line of detail, the gap under the text is room too.
    if (detail_keep == 0) text_keep = std::min(texts, fitting(0));
    KeepLines(&text_lines, text_keep, font, wrap_width);
    KeepLines(&detail_lines, detail_keep, font, wrap_width);
  }

  int used_width = 0;
  for (const auto* lines : {&text_lines, &detail_lines}) {
    for (const std::u32string& line : *lines) used_width = std::max(used_width, TextWidth(font, line));
  }
  const size_t kept = text_lines.size() + detail_lines.size();
  const int text_height =
      kept == 0 ? 0
                : static_cast<int>(kept) * box.line_height - kLineGap +
                      (!text_lines.empty() && !detail_lines.empty() ? kDetailGap : 0);
  box.width = std::min(max_width, std::max({kMinWidth, text_left + used_width + kMargin,
                                            2 * kMargin + buttons_width}));
  const int icon_height = box.icon != BoxIcon::None ? kIconSize : 0;
  int y = kMargin + std::max(0, (icon_height - text_height) / 2);
  if (box.icon != BoxIcon::None) {
    const int icon_top = kMargin + std::max(0, (text_height - kIconSize) / 2);
    box.icon_rect = {kMargin, icon_top, kMargin + kIconSize, icon_top + kIconSize};
  }
  for (const std::u32string& line : text_lines) {
    box.lines.push_back(BoxLine{line, text_left, y, false});
    y += box.line_height;
  }
  if (!text_lines.empty() && !detail_lines.empty()) y += kDetailGap;
  for (const std::u32string& line : detail_lines) {
    box.lines.push_back(BoxLine{line, text_left, y, true});
    y += box.line_height;
  }
  box.footer_top = std::min(kMargin + std::max(text_height, icon_height) + kMargin,
                            max_height - footer_height);
  box.height = box.footer_top + footer_height;
  PlaceButtons(box, buttons_width, footer_height);
  box.pixels.assign(static_cast<size_t>(box.width) * static_cast<size_t>(box.height), 0);
  return box;
}

BoxLimits BoxLimitsFor(const Rect& screen) {
  const int width = std::max(1, screen.right - screen.left);
  const int height = std::max(1, screen.bottom - screen.top);
  BoxLimits limits;
  limits.max_width = std::min(limits.max_width, width - std::min(kFrameRoomX, width / 4));
  limits.max_height = height - std::min(kFrameRoomY, height / 4);
  return limits;
}

BoxPlace PlaceBox(int width, int height, const Rect* owner, const Rect& screen) {
  const Rect& over = owner ? *owner : screen;
  // Along one axis: centred on the owner, then onto the screen, keeping up
  // to half the room the limits leave for a frame on each side.
  auto place = [](int size, int owner_lo, int owner_hi, int lo, int hi, int frame) {
    if (size >= hi - lo) return lo;
    const int edge = std::min((hi - lo - size) / 2, frame / 2);
    return std::clamp(owner_lo + (owner_hi - owner_lo - size) / 2, lo + edge, hi - edge - size);
  };
  return BoxPlace{place(width, over.left, over.right, screen.left, screen.right, kFrameRoomX),
                  place(height, over.top, over.bottom, screen.top, screen.bottom, kFrameRoomY)};
}

void RenderBox(BoxModel& box, SizedFont& font, SizedFont& mark) {
  box.pixels.assign(static_cast<size_t>(box.width) * static_cast<size_t>(box.height), 0);
  Canvas canvas(box);
  canvas.Fill({0, 0, box.width, box.footer_top}, kBackground);
  canvas.Fill({0, box.footer_top, box.width, box.height}, kFooter);
  canvas.Fill({0, box.footer_top, box.width, box.footer_top + 1}, kFooterRule);
  DrawIcon(canvas, box, mark);
  for (const BoxLine& line : box.lines) {
    canvas.Text(font, line.text, line.x, line.y, line.detail ? kDetail : kText);
  }
  for (size_t i = 0; i < box.buttons.size(); ++i) DrawButton(canvas, box, i, font);
}

BoxEvent BoxKeyDown(BoxModel& box, int key, bool shift, bool repeat) {
  if (std::find(box.held_keys.begin(), box.held_keys.end(), key) != box.held_keys.end()) {
    return BoxEvent::None;
  }
  switch (key) {
    case KeyReturn:
    case KeySpace:
      if (repeat || box.buttons.empty()) return BoxEvent::None;
      return Answer(box, box.buttons[static_cast<size_t>(box.focus)].answer);
    case KeyEscape:
      return repeat ? BoxEvent::None : Answer(box, box.close_answer);
    case KeyTab:
      return MoveFocus(box, shift ? -1 : 1);
    case KeyLeft:
    case KeyUp:
      return MoveFocus(box, -1);
    case KeyRight:
    case KeyDown:
      return MoveFocus(box, 1);
    default:
      return BoxEvent::None;
  }
}

BoxEvent BoxKeyUp(BoxModel& box, int key) {
  box.held_keys.erase(std::remove(box.held_keys.begin(), box.held_keys.end(), key),
                      box.held_keys.end());
  return BoxEvent::None;
}

BoxEvent BoxPointerDown(BoxModel& box, int x, int y) {
  const int at = ButtonAt(box, x, y);
  if (at < 0) return BoxEvent::None;
  box.pressed = at;
  box.focus = at;
  box.pointer_over_pressed = true;
  return BoxEvent::Redraw;
}

BoxEvent BoxPointerMove(BoxModel& box, int x, int y) {
  if (box.pressed < 0) return BoxEvent::None;
  const bool over = ButtonAt(box, x, y) == box.pressed;
  if (over == box.pointer_over_pressed) return BoxEvent::None;
  box.pointer_over_pressed = over;
  return BoxEvent::Redraw;
}

BoxEvent BoxPointerUp(BoxModel& box, int x, int y) {
  if (box.pressed < 0) return BoxEvent::None;
  const int pressed = box.pressed;
  box.pressed = -1;
  box.pointer_over_pressed = false;
  if (ButtonAt(box, x, y) == pressed) {
    return Answer(box, box.buttons[static_cast<size_t>(pressed)].answer);
  }
  return BoxEvent::Redraw;
}

}  // namespace os
