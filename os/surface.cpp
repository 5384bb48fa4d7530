#include "os/surface.h"
#include "os/surface_blit.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace os {

// ---- settings -------------------------------------------------------------------

namespace {
SurfaceLayout g_layout;
SurfaceTestSettings g_tests;
std::vector<Surface*> g_surfaces;  // every live surface
uint64_t g_last_version = 0;       // the last content version handed out
Display* g_display = nullptr;

// Content a restored surface comes back with: recognisably not a picture.
constexpr uint16_t kGarbage = 0xA55A;
// A waiting lock gives up after this many StillDrawing reports.
constexpr int kMaxLockWaits = 100000;
// After the last row (see PixelView).
constexpr size_t kSpareWords = 1;


uint32_t ExpandTo8(uint32_t value, uint32_t max) {
  // Shift a 5- or 6-bit channel up to 8 bits, low bits 0.
  int width = 0;
  while ((max >> width) != 0) ++width;
  return width >= 8 ? (value >> (width - 8)) : (value << (8 - width));
}
}  // namespace

SurfaceLayout& SurfaceLayoutSettings() { return g_layout; }
SurfaceTestSettings& SurfaceTests() { return g_tests; }
void ResetSurfaceTests() {
  g_tests = SurfaceTestSettings();
  g_layout = SurfaceLayout();
}

PixelFormat Format565() { return PixelFormat(); }
PixelFormat Format555() {
  PixelFormat f;
  f.red_mask = 0x7C00;
  f.green_mask = 0x03E0;
  f.blue_mask = 0x001F;
  return f;
}

namespace {
struct ChannelOf {
  int shift = 0;
  uint32_t max = 0;
  int width = 0;
  explicit ChannelOf(uint32_t mask) {
    if (mask == 0) return;
    while (((mask >> shift) & 1) == 0) ++shift;
    max = mask >> shift;
    while ((max >> width) != 0) ++width;
  }
  uint32_t From8(uint32_t c8) const { return width >= 8 ? c8 << (width - 8) : c8 >> (8 - width); }
};
}  // namespace

uint16_t ColorToPixel(const PixelFormat& format, uint32_t colorref) {
  ChannelOf r(format.red_mask), g(format.green_mask), b(format.blue_mask);
  uint32_t v = (r.From8(colorref & 0xFF) << r.shift) |
               (g.From8((colorref >> 8) & 0xFF) << g.shift) |
               (b.From8((colorref >> 16) & 0xFF) << b.shift);
  return static_cast<uint16_t>(v);
}

uint32_t PixelToColor(const PixelFormat& format, uint16_t pixel) {
  ChannelOf r(format.red_mask), g(format.green_mask), b(format.blue_mask);
  uint32_t red = r.max ? ExpandTo8((pixel >> r.shift) & r.max, r.max) : 0;
  uint32_t green = g.max ? ExpandTo8((pixel >> g.shift) & g.max, g.max) : 0;
  uint32_t blue = b.max ? ExpandTo8((pixel >> b.shift) & b.max, b.max) : 0;
  return red | (green << 8) | (blue << 16);
}

// ---- internals shared by the surface functions ----------------------------------

static DeviceContextReleaseHook g_dc_release_hook = nullptr;

struct SurfaceInternals {
  static Surface* Make(int width, int height, uint32_t caps) {
    Surface* s = new Surface();
    s->width_ = width;
    s->height_ = height;
    s->caps_ = caps;
    s->format_ = g_layout.rgb555 ? Format555() : Format565();
    int padding = std::max(0, g_layout.pitch_padding);
    s->pitch_ = width * 2 + padding + (padding & 1);
    size_t words = static_cast<size_t>(s->pitch_ / 2) * static_cast<size_t>(height);
    s->memory_ = new uint16_t[words + kSpareWords]();
    s->NewContent();
    g_surfaces.push_back(s);
    return s;
  }
  static void Destroy(Surface* s) {
    KeyedRunCache::Forget(s);
    OpaqueExtents::Forget(s);
    g_surfaces.erase(std::remove(g_surfaces.begin(), g_surfaces.end(), s), g_surfaces.end());
    if (s->dc_ && s->dc_out_ && g_dc_release_hook) g_dc_release_hook(s->dc_);
    delete s->dc_;
    delete[] s->memory_;
    delete s;
  }
  // Ok when the surface can take part in a copy or fill.
  static SurfaceResult Usable(const Surface* s) {
    if (s == nullptr) return SurfaceResult::InvalidParams;
    if (s->lost_) return SurfaceResult::SurfaceLost;
    if (s->locked_ || s->dc_out_) return SurfaceResult::Busy;
    return SurfaceResult::Ok;
  }
  static void Lose(Surface* s) { s->lost_ = true; }
  static bool HasKey(const Surface* s, uint16_t* key) {
    *key = static_cast<uint16_t>(s->key_);
    return s->has_key_;
  }
  static void Touch(Surface* s) { s->NewContent(); }
  static void DropClipper(Surface* s) { s->clipper_ = nullptr; }
};

Surface::~Surface() = default;

void Surface::NewContent() { version_ = ++g_last_version; }

PixelView Surface::RawView() {
  PixelView v;
  v.pixels = reinterpret_cast<uint8_t*>(memory_);
  v.pitch = pitch_;
  v.width = width_;
  v.height = height_;
  v.format = format_;
  return v;
}

SurfaceResult Surface::Lock(PixelView* out, bool wait) { return LockFor(out, wait, true); }

SurfaceResult Surface::LockReadOnly(PixelView* out, bool wait) {
  return LockFor(out, wait, false);
}

SurfaceResult Surface::LockFor(PixelView* out, bool wait, bool writes) {
  if (lost_) return SurfaceResult::SurfaceLost;
  if (locked_ || dc_out_) return SurfaceResult::Busy;
  if (g_tests.fail_locks > 0) {
    --g_tests.fail_locks;
    return SurfaceResult::Failed;
  }
  if (g_tests.fail_lock_in > 0 && --g_tests.fail_lock_in == 0) return SurfaceResult::Failed;
  if (g_tests.still_drawing > 0) {
    if (!wait) {
      --g_tests.still_drawing;
      return SurfaceResult::StillDrawing;
    }
    int waits = 0;
    while (g_tests.still_drawing > 0 && waits++ < kMaxLockWaits) --g_tests.still_drawing;
  }
  locked_ = true;
  if (writes) NewContent();
  if (out) {
    // Field by field: a whole view built apart and copied in costs two
    // stalled loads, and a lock is taken for every draw.
    out->pixels = reinterpret_cast<uint8_t*>(memory_);
    out->pitch = pitch_;
    out->width = width_;
    out->height = height_;
    out->format = format_;
  }
  return SurfaceResult::Ok;
}

SurfaceResult Surface::Unlock() {
  if (!locked_) return SurfaceResult::NotLocked;
  locked_ = false;
  return SurfaceResult::Ok;
}

SurfaceResult Surface::IsLost() const {
  return lost_ ? SurfaceResult::SurfaceLost : SurfaceResult::Ok;
}

SurfaceResult Surface::Restore() {
  if (!lost_) return SurfaceResult::Ok;
  lost_ = false;
  size_t words = static_cast<size_t>(pitch_ / 2) * static_cast<size_t>(height_);
  std::fill(memory_, memory_ + words, kGarbage);
  NewContent();
  return SurfaceResult::Ok;
}

SurfaceResult Surface::SetColorKey(uint32_t key) {
  if (lost_) return SurfaceResult::SurfaceLost;
  has_key_ = true;
  key_ = key;
  NewContent();  // keyed-copy caches depend on the key too
  return SurfaceResult::Ok;
}

SurfaceResult Surface::ClearColorKey() {
  has_key_ = false;
  key_ = 0;
  NewContent();
  return SurfaceResult::Ok;
}

SurfaceResult Surface::GetColorKey(uint32_t* key) const {
  if (!has_key_) return SurfaceResult::NoColorKey;
  if (key) *key = key_;
  return SurfaceResult::Ok;
}

SurfaceResult Surface::GetPixelFormat(PixelFormat* out) const {
  if (g_tests.fail_steps & StepPixelFormat) return SurfaceResult::Failed;
  if (g_tests.palette_display) {
    *out = PixelFormat{8, 0, 0, 0};
    return SurfaceResult::Ok;
  }
  *out = format_;
  return SurfaceResult::Ok;
}

SurfaceResult Surface::GetDC(DeviceContext** out) {
  if (out) *out = nullptr;
  if (lost_) return SurfaceResult::SurfaceLost;
  if (locked_ || dc_out_) return SurfaceResult::Busy;
  if (!out) return SurfaceResult::InvalidParams;
  if (!dc_) dc_ = new DeviceContext(this);
  ++dc_->serial_;
  dc_out_ = true;
  *out = dc_;
  return SurfaceResult::Ok;
}

void SetDeviceContextReleaseHook(DeviceContextReleaseHook hook) { g_dc_release_hook = hook; }

SurfaceResult Surface::ReleaseDC(DeviceContext* dc) {
  if (!dc_out_ || dc != dc_) return SurfaceResult::InvalidParams;
  if (g_dc_release_hook) g_dc_release_hook(dc);
  dc_out_ = false;
  NewContent();
  return SurfaceResult::Ok;
}

SurfaceResult Surface::SetClipper(Clipper* clipper) {
  if (g_tests.fail_steps & StepSetClipper) return SurfaceResult::Failed;
  clipper_ = clipper;
  return SurfaceResult::Ok;
}

void ReleaseSurface(Surface* surface) {
  if (surface) SurfaceInternals::Destroy(surface);
}

void LoseSurface(Surface* surface) {
  if (surface) SurfaceInternals::Lose(surface);
}

void LoseAllSurfaces() {
  for (Surface* s : g_surfaces)
    if (!(s->Caps() & SurfaceSystemMemory) || (s->Caps() & SurfacePrimary))
      SurfaceInternals::Lose(s);
}

int LiveSurfaceCount() { return static_cast<int>(g_surfaces.size()); }

// ---- fills and copies -------------------------------------------------------------

SurfaceResult Fill(Surface* dst, const Rect* rect, uint16_t pixel) {
  SurfaceResult r = SurfaceInternals::Usable(dst);
  if (r != SurfaceResult::Ok) return r;
  Rect area = rect ? *rect : Rect{0, 0, dst->Width(), dst->Height()};
  if (area.right < area.left || area.bottom < area.top) return SurfaceResult::InvalidRect;
  if (area.right == area.left || area.bottom == area.top) return SurfaceResult::Ok;
  if (area.left < 0 || area.top < 0 || area.right > dst->Width() || area.bottom > dst->Height())
    return SurfaceResult::InvalidRect;
  PixelView v = dst->RawView();
  uint16_t* first = v.Row(area.top) + area.left;
  const size_t count = static_cast<size_t>(area.right - area.left);
  // The screen is cleared every frame: whole unpadded rows of a pixel whose
  // two bytes are alike (black, white) in one memset.
  if (count * sizeof(uint16_t) == static_cast<size_t>(v.pitch) &&
      (pixel & 0xFF) == (pixel >> 8)) {
    std::memset(first, pixel & 0xFF, count * sizeof(uint16_t) * (area.bottom - area.top));
    SurfaceInternals::Touch(dst);
    return SurfaceResult::Ok;
  }
  // Else the first row filled, the others copied from it.
  std::fill(first, first + count, pixel);
  for (int y = area.top + 1; y < area.bottom; ++y)
    std::memcpy(v.Row(y) + area.left, first, count * sizeof(uint16_t));
  SurfaceInternals::Touch(dst);
  return SurfaceResult::Ok;
}

namespace {

// A rectangle in 64 bits, so that far-away coordinates cannot wrap.
struct Rect64 {
  int64_t left, top, right, bottom;
};
Rect64 Widen(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

// Checks both surfaces and both rectangles of a copy, in this order: the
// surfaces, inverted rectangles, empty ones (Ok, nothing drawn), rectangles
// that leave their surface.  `draw` is true when there is something to copy.
SurfaceResult CheckCopy(Surface* dst, const Rect64& d, Surface* src, const Rect64& s,
                        bool* draw) {
  *draw = false;
  SurfaceResult r = SurfaceInternals::Usable(src);
  if (r != SurfaceResult::Ok) return r;
  r = SurfaceInternals::Usable(dst);
  if (r != SurfaceResult::Ok) return r;
  auto inverted = [](const Rect64& q) { return q.right < q.left || q.bottom < q.top; };
  auto empty = [](const Rect64& q) { return q.right == q.left || q.bottom == q.top; };
  auto inside = [](const Rect64& q, const Surface* on) {
    return q.left >= 0 && q.top >= 0 && q.right <= on->Width() && q.bottom <= on->Height();
  };
  if (inverted(s) || inverted(d)) return SurfaceResult::InvalidRect;
  if (empty(s) || empty(d)) return SurfaceResult::Ok;
  if (!inside(s, src) || !inside(d, dst)) return SurfaceResult::InvalidRect;
  *draw = true;
  return SurfaceResult::Ok;
}

// The source rectangle as its own buffer when source and destination are
// the same surface (so overlapping copies read the old pixels).
struct SourceRows {
  std::vector<uint16_t> copy;
  const uint16_t* first = nullptr;
  intptr_t stride = 0;  // in pixels
  SourceRows(Surface* src, const Rect& s, bool same) {
    PixelView v = src->RawView();
    if (!same) {
      first = v.Row(s.top) + s.left;
      stride = v.pitch / 2;
      return;
    }
    int w = s.right - s.left, h = s.bottom - s.top;
    copy.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y)
      std::memcpy(copy.data() + static_cast<size_t>(y) * w, v.Row(s.top + y) + s.left,
                  static_cast<size_t>(w) * 2);
    first = copy.data();
    stride = w;
  }
  const uint16_t* Row(int y) const { return first + y * stride; }
};

SurfaceResult CopyOneToOne(Surface* dst, int x, int y, Surface* src, const Rect* src_rect,
                           bool keyed) {
  if (src == nullptr || dst == nullptr) return SurfaceResult::InvalidParams;
  Rect s = src_rect ? *src_rect : Rect{0, 0, src->Width(), src->Height()};
  Rect64 s64 = Widen(s);
  Rect64 d64{x, y, x + (s64.right - s64.left), y + (s64.bottom - s64.top)};
  bool draw;
  SurfaceResult r = CheckCopy(dst, d64, src, s64, &draw);
  if (r != SurfaceResult::Ok || !draw) return r;
  uint16_t key = 0;
  if (keyed && !SurfaceInternals::HasKey(src, &key)) return SurfaceResult::NoColorKey;

  if (keyed && src != dst) {
    KeyedRunCache::Copy(dst, x, y, src, s.left, s.top, s.right, s.bottom, key);
    SurfaceInternals::Touch(dst);
    return SurfaceResult::Ok;
  }
  const int w = s.right - s.left, h = s.bottom - s.top;
  SourceRows rows(src, s, src == dst);
  PixelView dv = dst->RawView();
  if (!keyed && rows.stride == w && dv.pitch == w * 2) {
    // Whole rows lying end to end in both surfaces: one copy, which runs
    // far faster than row by row into memory not touched for a while (the
    // screen capture of a scene change).
    std::memcpy(dv.Row(y) + x, rows.Row(0), static_cast<size_t>(w) * static_cast<size_t>(h) * 2);
    SurfaceInternals::Touch(dst);
    return SurfaceResult::Ok;
  }
  for (int row = 0; row < h; ++row) {
    const uint16_t* sp = rows.Row(row);
    uint16_t* dp = dv.Row(y + row) + x;
    if (!keyed) {
      std::memcpy(dp, sp, static_cast<size_t>(w) * 2);
      continue;
    }
    // Keyed copy within one surface (rare): pixel by pixel.
    for (int col = 0; col < w; ++col)
      if (sp[col] != key) dp[col] = sp[col];
  }
  SurfaceInternals::Touch(dst);
  return SurfaceResult::Ok;
}

}  // namespace

SurfaceResult Copy(Surface* dst, int x, int y, Surface* src, const Rect* src_rect) {
  return CopyOneToOne(dst, x, y, src, src_rect, false);
}

SurfaceResult CopyKeyed(Surface* dst, int x, int y, Surface* src, const Rect* src_rect) {
  return CopyOneToOne(dst, x, y, src, src_rect, true);
}

SurfaceResult CopyStretched(Surface* dst, const Rect* dst_rect, Surface* src,
                            const Rect* src_rect, bool keyed) {
  if (src == nullptr || dst == nullptr) return SurfaceResult::InvalidParams;
  Rect s = src_rect ? *src_rect : Rect{0, 0, src->Width(), src->Height()};
  Rect d = dst_rect ? *dst_rect : Rect{0, 0, dst->Width(), dst->Height()};
  bool draw;
  SurfaceResult r = CheckCopy(dst, Widen(d), src, Widen(s), &draw);
  if (r != SurfaceResult::Ok || !draw) return r;
  uint16_t key = 0;
  if (keyed && !SurfaceInternals::HasKey(src, &key)) return SurfaceResult::NoColorKey;

  const int64_t sw = s.right - s.left, sh = s.bottom - s.top;
  const int64_t dw = d.right - d.left, dh = d.bottom - d.top;
  SourceRows rows(src, s, src == dst);
  PixelView dv = dst->RawView();
  // Each destination column's source column, in a buffer kept between
  // copies (a stretched draw in a frame allocates nothing).
  static std::vector<int> column;
  column.resize(static_cast<size_t>(dw));
  for (int64_t c = 0; c < dw; ++c) column[c] = static_cast<int>(c * sw / dw);
  for (int64_t row = 0; row < dh; ++row) {
    const uint16_t* sp = rows.Row(static_cast<int>(row * sh / dh));
    uint16_t* dp = dv.Row(d.top + static_cast<int>(row)) + d.left;
    for (int64_t c = 0; c < dw; ++c) {
      uint16_t p = sp[column[c]];
      if (!keyed || p != key) dp[c] = p;
    }
  }
  SurfaceInternals::Touch(dst);
  return SurfaceResult::Ok;
}

// ---- device contexts ---------------------------------------------------------------

PixelView DeviceContext::Pixels() const { return surface_->RawView(); }

uint32_t GetPixel(DeviceContext* dc, int x, int y) {
  if (!dc) return InvalidColor;
  PixelView v = dc->Pixels();
  if (x < 0 || y < 0 || x >= v.width || y >= v.height) return InvalidColor;
  return PixelToColor(v.format, v.Row(y)[x]);
}

uint32_t SetPixel(DeviceContext* dc, int x, int y, uint32_t colorref) {
  if (!dc) return InvalidColor;
  PixelView v = dc->Pixels();
  if (x < 0 || y < 0 || x >= v.width || y >= v.height) return InvalidColor;
  uint16_t p = ColorToPixel(v.format, colorref);
  v.Row(y)[x] = p;
  return PixelToColor(v.format, p);
}

bool BitmapToSurface(DeviceContext* dc, const Bitmap& bitmap, int x, int y, int w, int h) {
  if (!dc) return false;
  if (w == 0) w = bitmap.width;
  if (h == 0) h = bitmap.height;
  if (w <= 0 || h <= 0 || x < 0 || y < 0 || int64_t{x} + w > bitmap.width ||
      int64_t{y} + h > bitmap.height)
    return false;
  PixelView v = dc->Pixels();
  if (v.width <= 0 || v.height <= 0) return true;
  std::vector<int> column(static_cast<size_t>(v.width));
  for (int c = 0; c < v.width; ++c)
    column[c] = x + static_cast<int>(int64_t{c} * w / v.width);
  // Each channel's 256 values in the surface's format, worked out once for
  // the whole picture (every picture the game loads comes through here).
  uint16_t red[256], green[256], blue[256];
  for (uint32_t c8 = 0; c8 < 256; ++c8) {
    red[c8] = ColorToPixel(v.format, c8);
    green[c8] = ColorToPixel(v.format, c8 << 8);
    blue[c8] = ColorToPixel(v.format, c8 << 16);
  }
  for (int row = 0; row < v.height; ++row) {
    int sy = y + static_cast<int>(int64_t{row} * h / v.height);
    uint16_t* dp = v.Row(row);
    for (int c = 0; c < v.width; ++c) {
      uint32_t rgb = bitmap.At(column[c], sy);  // 0x00RRGGBB
      dp[c] = red[(rgb >> 16) & 0xFF] | green[(rgb >> 8) & 0xFF] | blue[rgb & 0xFF];
    }
  }
  return true;
}

// ---- clipper -----------------------------------------------------------------------

SurfaceResult Clipper::SetWindow(Window window) {
  if (g_tests.fail_steps & StepClipperWindow) return SurfaceResult::Failed;
  window_ = window;
  return SurfaceResult::Ok;
}

void ReleaseClipper(Clipper* clipper) {
  if (!clipper) return;
  for (Surface* s : g_surfaces)
    if (s->GetClipper() == clipper) SurfaceInternals::DropClipper(s);
  delete clipper;
}

// ---- the display --------------------------------------------------------------------

void EnumerateDisplayDrivers(DisplayDriverCallback callback, void* context) {
  static const DisplayDriver kDrivers[] = {
      {1, "3D display driver", "display3d"},
      {0, "Display driver", "display"},
  };
  for (const DisplayDriver& d : kDrivers) {
    if (d.index == 1 && !g_tests.driver_3d) continue;
    if (!callback(&d, context)) return;
  }
}

SurfaceResult CreateDisplay(const DisplayDriver* driver, Display** out) {
  if (!out) return SurfaceResult::InvalidParams;
  *out = nullptr;
  if (g_tests.fail_steps & StepCreateDisplay) return SurfaceResult::Failed;
  Display* d = new Display();
  d->hardware_3d_ = driver != nullptr && driver->index == 1;
  g_display = d;
  *out = d;
  return SurfaceResult::Ok;
}

void ReleaseDisplay(Display* display) {
  if (!display) return;
  if (g_display == display) g_display = nullptr;
  delete display;
}

Display* CurrentDisplay() { return g_display; }

int ScreenBitsNow() {
  if (g_display && g_display->ModeSet()) return g_display->ModeBits();
  return DesktopBits();
}

SurfaceResult Display::SetCooperativeLevel(Window window, bool fullscreen) {
  if (g_tests.fail_steps & StepCooperativeLevel) return SurfaceResult::Failed;
  window_ = window;
  fullscreen_ = fullscreen;
  exclusive_ = fullscreen;
  return SurfaceResult::Ok;
}

SurfaceResult Display::SetDisplayMode(int width, int height, int bits) {
  if (width <= 0 || height <= 0 || bits <= 0 || bits > 63) return SurfaceResult::InvalidParams;
  if (g_tests.fail_mode_depths & (uint64_t{1} << bits)) return SurfaceResult::ModeRefused;
  mode_set_ = true;
  mode_width_ = width;
  mode_height_ = height;
  mode_bits_ = bits;
  return SurfaceResult::Ok;
}

SurfaceResult Display::RestoreDisplayMode() {
  mode_set_ = false;
  mode_width_ = mode_height_ = mode_bits_ = 0;
  return SurfaceResult::Ok;
}

SurfaceResult Display::GetCaps(DisplayCaps* driver, DisplayCaps* emulation) const {
  DisplayCaps caps;
  caps.stretch = !g_tests.no_hardware_stretch;
  if (driver) {
    *driver = caps;
    driver->hardware_3d = hardware_3d_;
    driver->texture = hardware_3d_;
  }
  if (emulation) *emulation = caps;
  return SurfaceResult::Ok;
}

SurfaceResult Display::CreateSurface(const SurfaceDesc& desc, Surface** out) {
  if (!out) return SurfaceResult::InvalidParams;
  *out = nullptr;
  if (g_tests.fail_creation_in > 0 && --g_tests.fail_creation_in == 0)
    return SurfaceResult::OutOfMemory;
  int width = desc.width, height = desc.height;
  if (desc.caps & SurfacePrimary) {
    if (mode_set_) {
      width = mode_width_;
      height = mode_height_;
    } else {
      width = DesktopWidth();
      height = DesktopHeight();
      if (width <= 0 || height <= 0) {
        width = 800;
        height = 600;
      }
    }
  }
  if (width <= 0 || height <= 0 || width > 32767 || height > 32767)
    return SurfaceResult::InvalidParams;
  *out = SurfaceInternals::Make(width, height, desc.caps);
  return SurfaceResult::Ok;
}

SurfaceResult Display::CreateClipper(Clipper** out) {
  if (!out) return SurfaceResult::InvalidParams;
  *out = nullptr;
  if (g_tests.fail_steps & StepCreateClipper) return SurfaceResult::Failed;
  *out = new Clipper();
  return SurfaceResult::Ok;
}

SurfaceResult Display::WaitForVerticalBlank() { return SurfaceResult::Ok; }

SurfaceResult Display::FlipToGdi() { return SurfaceResult::Ok; }

}  // namespace os
