// Drawing objects and device-context state, shapes and text output.
#include "os/gdi/gdi.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <numbers>
#include <unordered_map>
#include <utility>
#include <vector>

namespace os {
namespace {

// Puts `key` (not in `map` yet) with `value` into `map`, in a node taken from
// `spare` (nodes extracted before, kept so that a map that keeps gaining and
// losing entries does not allocate each time) when there is one.
template <class Map>
typename Map::mapped_type& InsertReusingNode(Map& map, std::vector<typename Map::node_type>& spare,
                                             const typename Map::key_type& key,
                                             typename Map::mapped_type value) {
  if (spare.empty()) return map.emplace(key, std::move(value)).first->second;
  auto node = std::move(spare.back());
  spare.pop_back();
  node.key() = key;
  node.mapped() = std::move(value);
  return map.insert(std::move(node)).position->second;
}

// ---- objects ---------------------------------------------------------------------------

struct ObjectRecord {
  GdiKind kind = GdiKind::None;
  bool stock = false;
  int selected = 0;  // device contexts that hold it
  bool delete_pending = false;
  // pen
  int32_t pen_width = 1;
  bool null_pen = false;
  // pen and brush
  uint32_t color = 0;
  // brush
  BrushStyle brush_style = BrushStyle::Solid;
  int32_t hatch = 0;
  // font
  LogFont font;
  std::shared_ptr<SizedFont> sized;
};

constexpr GdiObject kFirstStock = 1;
constexpr GdiObject kFirstCreated = 0x100;

struct Objects {
  std::unordered_map<GdiObject, ObjectRecord> records;
  // Nodes of erased records, reused by the next ones: text makes and
  // deletes a font every time it is drawn, and the map would allocate a
  // node each time.
  std::vector<std::unordered_map<GdiObject, ObjectRecord>::node_type> spare;
  GdiObject next = kFirstCreated;
  size_t live = 0;
};

Objects& Table() {
  static Objects* objects = [] {
    auto* o = new Objects;  // lives until exit
    auto stock = [o](StockObject which, ObjectRecord r) {
      r.stock = true;
      o->records[kFirstStock + static_cast<GdiObject>(which)] = std::move(r);
    };
    ObjectRecord pen;
    pen.kind = GdiKind::Pen;
    pen.color = 0x000000;
    stock(StockObject::BlackPen, pen);
    pen.color = 0xFFFFFF;
    stock(StockObject::WhitePen, pen);
    pen.null_pen = true;
    stock(StockObject::NullPen, pen);
    ObjectRecord brush;
    brush.kind = GdiKind::Brush;
    brush.color = 0xFFFFFF;
    stock(StockObject::WhiteBrush, brush);
    brush.color = 0x000000;
    stock(StockObject::BlackBrush, brush);
    brush.brush_style = BrushStyle::Null;
    stock(StockObject::NullBrush, brush);
    ObjectRecord font;
    font.kind = GdiKind::Font;
    font.font.height = 16;
    font.font.weight = FontWeightNormal;
    font.font.charset = CharsetShiftJis;
    stock(StockObject::DefaultFont, font);
    return o;
  }();
  return *objects;
}

ObjectRecord* Find(GdiObject handle) {
  auto& records = Table().records;
  auto it = records.find(handle);
  return it == records.end() ? nullptr : &it->second;
}

GdiObject Add(ObjectRecord record) {
  Objects& t = Table();
  const GdiObject handle = t.next++;
  if (t.next == 0) t.next = kFirstCreated;
  if (t.records.contains(handle))
    t.records[handle] = std::move(record);
  else
    InsertReusingNode(t.records, t.spare, handle, std::move(record));
  ++t.live;
  return handle;
}

void Erase(GdiObject handle) {
  Objects& t = Table();
  auto node = t.records.extract(handle);
  if (node.empty()) return;
  --t.live;
  node.mapped() = ObjectRecord{};  // lets go of its font
  t.spare.push_back(std::move(node));
}

GdiObject Stock(StockObject which) { return kFirstStock + static_cast<GdiObject>(which); }

// ---- device-context state -------------------------------------------------------------

struct DcState {
  GdiObject font = 0, pen = 0, brush = 0;
  uint32_t text_color = 0x000000;
  uint32_t back_color = 0xFFFFFF;
  int32_t back_mode = BackgroundOpaque;
  Point position;
};

using DcStates = std::unordered_map<DeviceContext*, DcState>;
DcStates& States() {
  static auto* states = new DcStates;
  return *states;
}
// Nodes of the states of device contexts taken back, reused by the next
// ones handed out (every frame that draws text hands one out).
std::vector<DcStates::node_type>& SpareStates() {
  static auto* spare = new std::vector<DcStates::node_type>;
  return *spare;
}

void Unselect(GdiObject handle) {
  ObjectRecord* r = Find(handle);
  if (!r || r->stock) return;
  if (r->selected > 0) --r->selected;
  if (r->selected == 0 && r->delete_pending) Erase(handle);
}

void OnRelease(DeviceContext* dc) {
  auto& states = States();
  auto it = states.find(dc);
  if (it == states.end()) return;
  const DcState state = it->second;
  SpareStates().push_back(states.extract(it));
  Unselect(state.font);
  Unselect(state.pen);
  Unselect(state.brush);
}

[[maybe_unused]] const bool g_hook_installed = [] {
  SetDeviceContextReleaseHook(&OnRelease);
  return true;
}();

// The state of a device context that is out; nullptr otherwise.
DcState* StateOf(DeviceContext* dc) {
  if (!dc || !dc->Target() || !dc->Target()->IsDcOut()) return nullptr;
  SetDeviceContextReleaseHook(&OnRelease);
  auto& states = States();
  auto it = states.find(dc);
  if (it != states.end()) return &it->second;
  DcState state;
  state.font = Stock(StockObject::DefaultFont);
  state.pen = Stock(StockObject::BlackPen);
  state.brush = Stock(StockObject::WhiteBrush);
  return &InsertReusingNode(states, SpareStates(), dc, state);
}

ObjectRecord& Selected(GdiObject handle) { return *Find(handle); }

SizedFont& FontOf(ObjectRecord& record) {
  if (!record.sized) record.sized = OpenFont(record.font);
  return *record.sized;
}

// ---- brushes ------------------------------------------------------------------------------

bool HatchInk(int32_t hatch, int x, int y) {
  const bool horizontal = (y & 7) == 0;
  const bool vertical = (x & 7) == 0;
  const bool forward = ((x - y) & 7) == 0;
  const bool backward = ((x + y) & 7) == 0;
  switch (hatch) {
    case HatchHorizontal:
      return horizontal;
    case HatchVertical:
      return vertical;
    case HatchForwardDiagonal:
      return forward;
    case HatchBackwardDiagonal:
      return backward;
    case HatchCross:
      return horizontal || vertical;
    default:
      return forward || backward;
  }
}

raster::SpanFill BrushFill(const PixelView& view, const DcState& state) {
  const ObjectRecord& brush = Selected(state.brush);
  const uint16_t ink = ColorToPixel(view.format, brush.color);
  const uint16_t back = ColorToPixel(view.format, state.back_color);
  const bool opaque = state.back_mode == BackgroundOpaque;
  const Rect clip = raster::Bounds(view);
  switch (brush.brush_style) {
    case BrushStyle::Null:
      return [](int, int, int) {};
    case BrushStyle::Hatched: {
      const int32_t hatch = brush.hatch;
      return [view, ink, back, opaque, hatch](int x0, int x1, int y) {
        uint16_t* row = view.Row(y);
        for (int x = x0; x < x1; ++x) {
          if (HatchInk(hatch, x, y)) {
            row[x] = ink;
          } else if (opaque) {
            row[x] = back;
          }
        }
      };
    }
    default:
      return [view, ink, clip](int x0, int x1, int y) { raster::Span(view, clip, x0, x1, y, ink); };
  }
}

void Stroke(const PixelView& view, const DcState& state, int x1, int y1, int x2, int y2) {
  const ObjectRecord& pen = Selected(state.pen);
  if (pen.null_pen) return;
  const uint16_t ink = ColorToPixel(view.format, pen.color);
  raster::WideLine(view, raster::Bounds(view), x1, y1, x2, y2, pen.pen_width, ink);
}

// ---- text ---------------------------------------------------------------------------------

struct GlyphRun {
  size_t begin = 0, length = 0;
  char32_t ch = 0;
};

// The glyphs of the text into `out`.  Callers keep their buffer between
// calls (text is drawn every frame): DrawText its own, since it holds its
// glyphs while TextOutClipped draws a line, and the rest LineGlyphs().
// (Measuring a line makes the buffer big enough to draw it.)
std::vector<GlyphRun>& LineGlyphs() {
  static auto* glyphs = new std::vector<GlyphRun>;
  return *glyphs;
}

void Glyphs(const char* text, size_t length, std::vector<GlyphRun>* out) {
  out->clear();
  for (size_t i = 0; i < length;) {
    const size_t n = SjisGlyphLength(text, length, i);
    out->push_back(GlyphRun{i, n, DecodeSjisGlyph(text + i, n)});
    i += n;
  }
}

void DrawMask(const PixelView& view, const Rect& clip, const GlyphMask& glyph, int x, int y,
              uint16_t ink) {
  for (int row = 0; row < glyph.rows; ++row) {
    const int py = y + row;
    if (py < clip.top || py >= clip.bottom) continue;
    uint16_t* dst = view.Row(py);
    for (int col = 0; col < glyph.width; ++col) {
      const int px = x + col;
      if (px < clip.left || px >= clip.right) continue;
      if (glyph.Ink(col, row)) dst[px] = ink;
    }
  }
}

// Fills the quadrilateral with corners a, b, c, d (in order).
void FillQuad(const PixelView& view, const Rect& clip, const double (&corners)[8],
              uint16_t pixel) {
  raster::FillPolygon(clip, corners, 4, [&](int x0, int x1, int y) {
    raster::Span(view, clip, x0, x1, y, pixel);
  });
}

void TextOutClipped(DeviceContext* dc, const DcState& state, const Rect& clip_in, int x, int y,
                    const char* text, size_t length, bool turn) {
  const PixelView view = dc->Pixels();
  const Rect clip = raster::Intersect(clip_in, raster::Bounds(view));
  ObjectRecord& record = Selected(state.font);
  SizedFont& font = FontOf(record);
  const TextMetrics& m = font.Metrics();
  std::vector<GlyphRun>& runs = LineGlyphs();
  Glyphs(text, length, &runs);
  int total = 0;
  for (const GlyphRun& run : runs) total += font.Advance(run.ch);
  const uint16_t ink = ColorToPixel(view.format, state.text_color);
  const uint16_t back = ColorToPixel(view.format, state.back_color);
  const bool opaque = state.back_mode == BackgroundOpaque;
  const int32_t tenths = turn ? record.font.escapement % 3600 : 0;

  if (tenths == 0) {
    if (opaque) {
      for (int row = y; row < y + m.height; ++row) raster::Span(view, clip, x, x + total, row, back);
    }
    const int baseline = y + m.ascent;
    int pen = x;
    for (const GlyphRun& run : runs) {
      const GlyphMask& glyph = font.Glyph(run.ch);
      DrawMask(view, clip, glyph, pen + glyph.left, baseline - glyph.top, ink);
      pen += glyph.advance_x / 64;
    }
    if (record.font.underline) {
      const int top = baseline + font.UnderlineOffset();
      for (int row = top; row < top + font.UnderlineThickness(); ++row) {
        raster::Span(view, clip, x, x + total, row, ink);
      }
    }
    if (record.font.strike_out) {
      const int top = baseline - font.StrikeOffset();
      for (int row = top; row < top + font.UnderlineThickness(); ++row) {
        raster::Span(view, clip, x, x + total, row, ink);
      }
    }
    return;
  }

  // A turned baseline: the cell's top-left corner stays at (x, y).
  const double a = tenths / 10.0 * std::numbers::pi / 180.0;
  const double ux = std::cos(a), uy = -std::sin(a);  // along the baseline
  const double vx = std::sin(a), vy = std::cos(a);   // down the cell
  auto band = [&](double from, double to, uint16_t pixel) {
    const double corners[8] = {x + vx * from,         y + vy * from,
                               x + ux * total + vx * from, y + uy * total + vy * from,
                               x + ux * total + vx * to,   y + uy * total + vy * to,
                               x + vx * to,           y + vy * to};
    FillQuad(view, clip, corners, pixel);
  };
  if (opaque) band(0, m.height, back);
  double pen_x = x + vx * m.ascent, pen_y = y + vy * m.ascent;
  for (const GlyphRun& run : runs) {
    const GlyphMask glyph = font.TurnedGlyph(run.ch, tenths);
    const int ox = static_cast<int>(std::lround(pen_x));
    const int oy = static_cast<int>(std::lround(pen_y));
    DrawMask(view, clip, glyph, ox + glyph.left, oy - glyph.top, ink);
    pen_x += glyph.advance_x / 64.0;
    pen_y += glyph.advance_y / 64.0;
  }
  if (record.font.underline) {
    const double top = m.ascent + font.UnderlineOffset();
    band(top, top + font.UnderlineThickness(), ink);
  }
  if (record.font.strike_out) {
    const double top = m.ascent - font.StrikeOffset();
    band(top, top + font.UnderlineThickness(), ink);
  }
}

int Width(SizedFont& font, const std::vector<GlyphRun>& runs, size_t from, size_t to) {
  int w = 0;
  for (size_t i = from; i < to; ++i) w += font.Advance(runs[i].ch);
  return w;
}

struct Line {
  size_t begin = 0, end = 0;  // glyph indices
  int width = 0;
};

bool IsBreakChar(char32_t ch) { return ch == '\r' || ch == '\n'; }

// Lines of one paragraph (no line breaks inside); at least one line.
void LayoutParagraph(SizedFont& font, const std::vector<GlyphRun>& runs, size_t begin,
                     size_t end, int max_width, bool wrap, std::vector<Line>* lines) {
  Line line{begin, begin, 0};
  bool wrapped = false;  // the line continues a wrapped paragraph
  size_t k = begin;
  while (k < end) {
    if (!wrap) {
      line.width = Width(font, runs, begin, end);
      line.end = end;
      break;
    }
    // The next token: a run of spaces, a run of single-byte characters, or
    // one double-byte character.
    size_t t = k + 1;
    if (runs[k].ch == ' ') {
      while (t < end && runs[t].ch == ' ') ++t;
      if (line.end == line.begin && wrapped) line.begin = line.end = t;  // dropped at a break
      k = t;
      continue;
    }
    if (runs[k].length == 1) {
      while (t < end && runs[t].length == 1 && runs[t].ch != ' ') ++t;
    }
    // Spaces between the line's last word and this one count only when the
    // word stays on the line.
    const int added = Width(font, runs, line.end, t);
    if (line.end > line.begin && line.width + added > max_width) {
      lines->push_back(line);
      line = Line{k, k, 0};
      wrapped = true;
      continue;
    }
    line.width += added;
    line.end = t;
    k = t;
  }
  lines->push_back(line);
}

// The lines of the text into `lines` (a buffer kept by the caller).
void Layout(SizedFont& font, const std::vector<GlyphRun>& runs, int max_width, uint32_t format,
            std::vector<Line>* lines) {
  lines->clear();
  const bool single = (format & DrawTextSingleLine) != 0;
  const bool wrap = (format & DrawTextWordBreak) != 0 && !single;
  const size_t n = runs.size();
  size_t i = 0;
  while (i < n) {
    size_t end = i;
    while (end < n && !(IsBreakChar(runs[end].ch) && !single)) ++end;
    LayoutParagraph(font, runs, i, end, max_width, wrap, lines);
    if (end >= n) break;
    i = end + 1;  // past the line break ("\r\n" counts once)
    if (runs[end].ch == '\r' && i < n && runs[i].ch == '\n') ++i;
  }
}

}  // namespace

// ---- objects ----------------------------------------------------------------------------------

GdiObject CreatePen(int32_t width, uint32_t colorref) {
  ObjectRecord r;
  r.kind = GdiKind::Pen;
  r.pen_width = std::clamp(width, 1, 4096);
  r.color = colorref & 0xFFFFFF;
  return Add(std::move(r));
}

GdiObject CreateBrush(BrushStyle style, uint32_t colorref, int32_t hatch) {
  ObjectRecord r;
  r.kind = GdiKind::Brush;
  r.brush_style = style;
  if (style != BrushStyle::Solid && style != BrushStyle::Null && style != BrushStyle::Hatched) {
    r.brush_style = BrushStyle::Solid;
  }
  r.color = colorref & 0xFFFFFF;
  r.hatch = hatch;
  return Add(std::move(r));
}

GdiObject CreateFontIndirect(const LogFont& font) {
  ObjectRecord r;
  r.kind = GdiKind::Font;
  r.font = font;
  r.font.face_name[sizeof r.font.face_name - 1] = '\0';
  return Add(std::move(r));
}

GdiObject GetStockObject(StockObject which) {
  Table();
  return Stock(which);
}

bool DeleteObject(GdiObject object) {
  ObjectRecord* r = Find(object);
  if (!r || r->stock) return false;
  if (r->selected > 0) return false;
  Erase(object);
  return true;
}

GdiKind ObjectKind(GdiObject object) {
  const ObjectRecord* r = Find(object);
  return r ? r->kind : GdiKind::None;
}

bool GetFontDescription(GdiObject font, LogFont* out) {
  const ObjectRecord* r = Find(font);
  if (!r || r->kind != GdiKind::Font || !out) return false;
  *out = r->font;
  return true;
}

size_t LiveGdiObjectCount() { return Table().live; }

// ---- state ----------------------------------------------------------------------------------------

GdiObject SelectObject(DeviceContext* dc, GdiObject object) {
  DcState* state = StateOf(dc);
  ObjectRecord* r = Find(object);
  if (!state || !r) return 0;
  GdiObject* slot = nullptr;
  switch (r->kind) {
    case GdiKind::Font:
      slot = &state->font;
      break;
    case GdiKind::Pen:
      slot = &state->pen;
      break;
    case GdiKind::Brush:
      slot = &state->brush;
      break;
    default:
      return 0;
  }
  const GdiObject previous = *slot;
  if (previous == object) return previous;
  if (!r->stock) ++r->selected;
  *slot = object;
  Unselect(previous);
  return previous;
}

GdiObject CurrentObject(DeviceContext* dc, GdiKind kind) {
  DcState* state = StateOf(dc);
  if (!state) return 0;
  switch (kind) {
    case GdiKind::Font:
      return state->font;
    case GdiKind::Pen:
      return state->pen;
    case GdiKind::Brush:
      return state->brush;
    default:
      return 0;
  }
}

uint32_t SetTextColor(DeviceContext* dc, uint32_t colorref) {
  DcState* state = StateOf(dc);
  if (!state) return InvalidColor;
  return std::exchange(state->text_color, colorref & 0xFFFFFF);
}

uint32_t SetBackgroundColor(DeviceContext* dc, uint32_t colorref) {
  DcState* state = StateOf(dc);
  if (!state) return InvalidColor;
  return std::exchange(state->back_color, colorref & 0xFFFFFF);
}

int32_t SetBackgroundMode(DeviceContext* dc, int32_t mode) {
  DcState* state = StateOf(dc);
  if (!state || (mode != BackgroundTransparent && mode != BackgroundOpaque)) return 0;
  return std::exchange(state->back_mode, mode);
}

uint32_t GetTextColor(DeviceContext* dc) {
  DcState* state = StateOf(dc);
  return state ? state->text_color : InvalidColor;
}

uint32_t GetBackgroundColor(DeviceContext* dc) {
  DcState* state = StateOf(dc);
  return state ? state->back_color : InvalidColor;
}

int32_t GetBackgroundMode(DeviceContext* dc) {
  DcState* state = StateOf(dc);
  return state ? state->back_mode : 0;
}

// ---- shapes ------------------------------------------------------------------------------------------

bool MoveTo(DeviceContext* dc, int32_t x, int32_t y, Point* previous) {
  DcState* state = StateOf(dc);
  if (!state) return false;
  if (previous) *previous = state->position;
  state->position = Point{x, y};
  return true;
}

bool LineTo(DeviceContext* dc, int32_t x, int32_t y) {
  DcState* state = StateOf(dc);
  if (!state) return false;
  Stroke(dc->Pixels(), *state, state->position.x, state->position.y, x, y);
  state->position = Point{x, y};
  return true;
}

bool Rectangle(DeviceContext* dc, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  DcState* state = StateOf(dc);
  if (!state) return false;
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  if (left == right || top == bottom) return true;
  const PixelView view = dc->Pixels();
  const Rect clip = raster::Bounds(view);
  const raster::SpanFill fill = BrushFill(view, *state);
  const Rect area = raster::Intersect(clip, Rect{left, top, right, bottom});
  for (int y = area.top; y < area.bottom; ++y) {
    if (area.left < area.right) fill(area.left, area.right, y);
  }
  const ObjectRecord& pen = Selected(state->pen);
  if (pen.null_pen) return true;
  const int r = right - 1, b = bottom - 1;
  if (pen.pen_width <= 1) {
    const uint16_t ink = ColorToPixel(view.format, pen.color);
    raster::Span(view, clip, left, right, top, ink);
    raster::Span(view, clip, left, right, b, ink);
    for (int y = top; y <= b; ++y) {
      raster::Plot(view, clip, left, y, ink);
      raster::Plot(view, clip, r, y, ink);
    }
    return true;
  }
  Stroke(view, *state, left, top, r, top);
  Stroke(view, *state, r, top, r, b);
  Stroke(view, *state, r, b, left, b);
  Stroke(view, *state, left, b, left, top);
  return true;
}

bool Polygon(DeviceContext* dc, const Point* points, int32_t count) {
  DcState* state = StateOf(dc);
  if (!state || !points || count < 2) return false;
  const PixelView view = dc->Pixels();
  raster::FillPolygon(raster::Bounds(view), points, count, BrushFill(view, *state));
  for (int32_t i = 0; i < count; ++i) {
    const Point& a = points[i];
    const Point& b = points[(i + 1) % count];
    Stroke(view, *state, a.x, a.y, b.x, b.y);
  }
  return true;
}

bool PolyBezier(DeviceContext* dc, const Point* points, int32_t count) {
  DcState* state = StateOf(dc);
  if (!state || !points) return false;
  const std::vector<Point> path = raster::FlattenBezier(points, count);
  if (path.empty()) return false;
  const PixelView view = dc->Pixels();
  for (size_t i = 0; i + 1 < path.size(); ++i) {
    Stroke(view, *state, path[i].x, path[i].y, path[i + 1].x, path[i + 1].y);
  }
  return true;
}

bool InvertRect(DeviceContext* dc, const Rect& rect) {
  if (!StateOf(dc)) return false;
  const PixelView view = dc->Pixels();
  raster::Invert(view, raster::Bounds(view), rect);
  return true;
}

// ---- text ------------------------------------------------------------------------------------------------

bool GetTextMetrics(DeviceContext* dc, TextMetrics* out) {
  DcState* state = StateOf(dc);
  if (!state || !out) return false;
  ObjectRecord& record = Selected(state->font);
  *out = FontOf(record).Metrics();
  out->weight = record.font.weight == 0 ? FontWeightNormal : record.font.weight;
  out->italic = record.font.italic ? 1 : 0;
  out->underlined = record.font.underline ? 1 : 0;
  out->charset = record.font.charset;
  return true;
}

bool TextOut(DeviceContext* dc, int32_t x, int32_t y, const char* text, int32_t length) {
  DcState* state = StateOf(dc);
  if (!state || !text || length < 0) return false;
  TextOutClipped(dc, *state, Rect{INT32_MIN / 2, INT32_MIN / 2, INT32_MAX / 2, INT32_MAX / 2}, x,
                 y, text, static_cast<size_t>(length), true);
  return true;
}

bool GetTextExtent(DeviceContext* dc, const char* text, int32_t length, int32_t* cx,
                   int32_t* cy) {
  DcState* state = StateOf(dc);
  if (!state || !text || length < 0) return false;
  SizedFont& font = FontOf(Selected(state->font));
  std::vector<GlyphRun>& runs = LineGlyphs();
  Glyphs(text, static_cast<size_t>(length), &runs);
  if (cx) *cx = Width(font, runs, 0, runs.size());
  if (cy) *cy = font.Metrics().height;
  return true;
}

int32_t DrawText(DeviceContext* dc, const char* text, int32_t length, Rect* rect,
                 uint32_t format) {
  DcState* state = StateOf(dc);
  if (!state || !text || !rect) return 0;
  const size_t n = length < 0 ? std::strlen(text) : static_cast<size_t>(length);
  SizedFont& font = FontOf(Selected(state->font));
  const int line_height = font.Metrics().height;
  static std::vector<GlyphRun> runs;
  static std::vector<Line> lines;
  Glyphs(text, n, &runs);
  Layout(font, runs, rect->right - rect->left, format, &lines);
  const int height = static_cast<int>(lines.size()) * line_height;
  if (format & DrawTextCalcRect) {
    int widest = 0;
    for (const Line& line : lines) widest = std::max(widest, line.width);
    rect->right = rect->left + widest;
    rect->bottom = rect->top + height;
    return height;
  }
  const Rect clip = (format & DrawTextNoClip)
                        ? Rect{INT32_MIN / 2, INT32_MIN / 2, INT32_MAX / 2, INT32_MAX / 2}
                        : *rect;
  const uint32_t align = format & 3;
  int y = rect->top;
  for (const Line& line : lines) {
    int x = rect->left;
    if (align == DrawTextCentre) x = rect->left + (rect->right - rect->left - line.width) / 2;
    if (align == DrawTextRight) x = rect->right - line.width;
    if (line.end > line.begin) {
      const size_t from = runs[line.begin].begin;
      const size_t to = runs[line.end - 1].begin + runs[line.end - 1].length;
      TextOutClipped(dc, *state, clip, x, y, text + from, to - from, false);
    }
    y += line_height;
  }
  return height;
}

}  // namespace os
