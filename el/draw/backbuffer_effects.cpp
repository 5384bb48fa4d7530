// Effects that rework part of the finished frame in the back buffer: smoke,
// blur, grain, zoom, mosaic, the texture mapper and the glow rays.  Their
// rectangles are cut to the back buffer (including the rows and columns
// they read around them), so nothing is read or written outside it.
#include <algorithm>
#include <cmath>

#include "el/draw/blit.h"
#include "el/draw/soft_blit.h"
#include "el/draw/soft_blit_frame.h"
#include "os/system.h"

uint16_t ShapeTable[ShapeTableSize][2];
int32_t ShapeTexWidth = 0, ShapeTexHeight = 0, ShapeWidth = 0, ShapeHeight = 0;

namespace elDraw {
namespace {

using soft::Area;
using soft::Plane;

// A read position in NoiseTable that persists between calls, and the pixel
// counter of the smoke.
struct NoiseCursor {
  int position = 0;
  int counter = 0;
  bool restart_at_zero = false;
  int Next() {
    const int value = NoiseTable[position];
    Advance();
    return value;
  }
  void Advance() {
    if (++position >= NoiseTableSize) position = restart_at_zero ? 0 : os::Random() % 1000;
  }
};

NoiseCursor g_smoke, g_smoke_color, g_sparkle, g_sparkle_color, g_glow{0, 0, true};

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
};

// Cuts x, y, w, h to the back buffer, keeping `below` further rows under
// the rectangle inside it too (the rows an effect reads).  False when
// nothing is left.
bool BoundToBack(int64_t x, int64_t y, int64_t w, int64_t h, int below, Rect* out) {
  const soft::Box back = soft::BackBufferBox();
  int64_t x1 = x + w, y1 = y + h;
  x = std::max<int64_t>(x, 0);
  y = std::max<int64_t>(y, 0);
  x1 = std::min<int64_t>(x1, back.right);
  y1 = std::min<int64_t>(y1, int64_t{back.bottom} - below);
  if (x1 <= x || y1 <= y) return false;
  *out = Rect{static_cast<int>(x), static_cast<int>(y), static_cast<int>(x1 - x),
              static_cast<int>(y1 - y)};
  return true;
}

struct Components {
  int c[3];
  explicit Components(uint16_t pixel) {
    const uint8_t* s = soft::Split(pixel);
    c[0] = s[0];
    c[1] = s[1];
    c[2] = s[2];
  }
};

// The per-channel average (sum >> 2) of four pixels; flagged channels then
// lose 1 where above 0.
uint16_t Average4(uint16_t a, uint16_t b, uint16_t c, uint16_t d, const bool fade[3],
                  const soft::Placer& place) {
  const uint8_t* pa = soft::Split(a);
  const uint8_t* pb = soft::Split(b);
  const uint8_t* pc = soft::Split(c);
  const uint8_t* pd = soft::Split(d);
  unsigned v[3];
  for (int k = 0; k < 3; ++k) {
    v[k] = (pa[k] + pb[k] + pc[k] + pd[k]) >> 2;
    if (fade[k] && v[k] > 0) --v[k];
  }
  return place(v[0], v[1], v[2]);
}

int32_t Melt(NoiseCursor& noise, const bool fade[3], int32_t x, int32_t y, int32_t w,
             int32_t h) {
  // Rows y .. y + h - 1 and the row below them are touched.
  Rect r;
  if (!BoundToBack(x, y, w, h, 1, &r)) return 1;
  return soft::WithLockedBack([&](const Plane& back) {
    const soft::Placer place;
    for (int row = 1; row <= r.h - 2; ++row) {
      const int cur = r.y + row + 1;
      for (int col = 1; col <= r.w - 2; ++col) {
        const int px = r.x + col;
        uint16_t& above = back.At(px, cur - 1);
        if (++noise.counter >= NoiseTable[noise.position]) {
          above = back.At(px, cur);
          noise.counter = 0;
          noise.Advance();
        } else {
          above = Average4(back.At(px - 1, cur), back.At(px + 1, cur), above,
                           back.At(px, cur + 1), fade, place);
        }
      }
    }
  });
}

int32_t Smooth(const bool fade[3], int32_t x, int32_t y, int32_t w, int32_t h) {
  Rect r;
  if (!BoundToBack(x, y, w, h, 0, &r)) return 1;
  return soft::WithLockedBack([&](const Plane& back) {
    const soft::Placer place;
    for (int py = r.y + 1; py <= r.y + r.h - 2; ++py)
      for (int px = r.x + 1; px <= r.x + r.w - 2; ++px)
        back.At(px, py) = Average4(back.At(px - 1, py), back.At(px + 1, py), back.At(px, py - 1),
                                   back.At(px, py + 1), fade, place);
  });
}

int32_t Sparkle(NoiseCursor& noise, const bool add[3], int32_t shift, int32_t x, int32_t y,
                int32_t w, int32_t h) {
  Rect r;
  if (!BoundToBack(x, y, w, h, 0, &r)) return 1;
  // Beyond 5 every non-zero grain saturates anyway.
  const int s = std::clamp(shift, 0, 5);
  return soft::WithLockedBack([&](const Plane& back) {
    const soft::Placer place;
    for (int py = r.y; py < r.y + r.h; ++py) {
      uint16_t* row = back.Row(py);
      for (int px = r.x; px < r.x + r.w; ++px) {
        const int n = noise.Next() << s;
        Components c(row[px]);
        for (int k = 0; k < 3; ++k)
          if (add[k]) c.c[k] = std::min(31, c.c[k] + n);
        row[px] = place(c.c[0], c.c[1], c.c[2]);
      }
    }
  });
}

// Enlarges the back-buffer rectangle `factor` times into the Buffer object
// (whole blocks, or only each block's top-left `partial` x `partial`), then
// draws it back at (x, y).
int32_t Zoom(int factor, int partial, int32_t x, int32_t y, int32_t w, int32_t h, int32_t mode) {
  os::Surface* buffer = soft::SpriteSurface(0);
  if (buffer == nullptr) return 0;
  Rect r;
  if (!BoundToBack(x, y, w, h, 0, &r)) return 1;
  r.w = std::min(r.w, buffer->Width() / factor);
  r.h = std::min(r.h, buffer->Height() / factor);
  const int block = mode == 0 ? factor : partial;
  const int32_t locked = soft::WithLockedPair(
      buffer,
      [&](const Plane& buf, const Plane& back) {
        for (int i = 0; i < r.h; ++i)
          for (int j = 0; j < r.w; ++j) {
            const uint16_t p = back.At(r.x + j, r.y + i);
            for (int bi = 0; bi < block; ++bi) {
              uint16_t* row = buf.Row(i * factor + bi) + j * factor;
              std::fill(row, row + block, p);
            }
          }
      },
      soft::SourceUse::Write);
  if (locked == 0) return 0;
  DrawObjectOpaque(r.x, r.y, 0, 0, 0, r.w * factor, r.h * factor);
  return 1;
}

// A coordinate folded into 0 .. size - 1 (size > 0).
int64_t Wrap(int64_t value, int64_t size) {
  const int64_t m = value % size;
  return m < 0 ? m + size : m;
}

// A double truncated toward zero, 0 when it is not finite, bounded far
// inside 64 bits.
int64_t TruncDouble(double value) {
  if (!std::isfinite(value)) return 0;
  constexpr double kLimit = 1e15;
  return static_cast<int64_t>(std::clamp(value, -kLimit, kLimit));
}

}  // namespace

int32_t NoiseRect(int32_t x, int32_t y, int32_t w, int32_t h) {
  const bool fade[3] = {false, false, false};
  return Melt(g_smoke, fade, x, y, w, h);
}

int32_t NoiseRectColor(int32_t fade_red, int32_t fade_green, int32_t fade_blue, int32_t x,
                       int32_t y, int32_t w, int32_t h) {
  const bool fade[3] = {fade_red != 0, fade_green != 0, fade_blue != 0};
  return Melt(g_smoke_color, fade, x, y, w, h);
}

int32_t SmoothRect(int32_t x, int32_t y, int32_t w, int32_t h) {
  const bool fade[3] = {false, false, false};
  return Smooth(fade, x, y, w, h);
}

int32_t SmoothRectEx(int32_t fade_red, int32_t fade_green, int32_t fade_blue, int32_t x,
                     int32_t y, int32_t w, int32_t h) {
  const bool fade[3] = {fade_red != 0, fade_green != 0, fade_blue != 0};
  return Smooth(fade, x, y, w, h);
}

int32_t ZoomRect2x(int32_t x, int32_t y, int32_t w, int32_t h, int32_t mode) {
  return Zoom(2, 1, x, y, w, h, mode);
}

int32_t ZoomRect4x(int32_t x, int32_t y, int32_t w, int32_t h, int32_t mode) {
  return Zoom(4, 2, x, y, w, h, mode);
}

int32_t CircleMosaicRect(int32_t cx, int32_t cy, int32_t radius, int32_t block) {
  const int64_t size = std::max(block, 1);
  if (radius <= 0) return 1;
  return soft::WithLockedBack([&](const Plane& back) {
    // The square -radius .. radius around the centre, cut to the back buffer.
    int64_t lo_x = -int64_t{radius}, hi_x = radius, lo_y = -int64_t{radius}, hi_y = radius;
    if (int64_t{cx} - radius < 0) lo_x = -int64_t{cx};
    if (int64_t{cy} - radius < 0) lo_y = -int64_t{cy};
    if (int64_t{cx} + radius >= back.width) hi_x = int64_t{back.width} - cx;
    if (int64_t{cy} + radius >= back.height) hi_y = int64_t{back.height} - cy;
    for (int64_t by = lo_y; by < hi_y; by += size) {
      for (int64_t bx = lo_x; bx < hi_x; bx += size) {
        const uint16_t colour = back.At(static_cast<int>(cx + bx), static_cast<int>(cy + by));
        const int64_t end_y = std::min(by + size, hi_y), end_x = std::min(bx + size, hi_x);
        for (int64_t i = by; i < end_y; ++i)
          for (int64_t j = bx; j < end_x; ++j)
            if (static_cast<int64_t>(std::sqrt(static_cast<double>(i * i + j * j))) < radius)
              back.At(static_cast<int>(cx + j), static_cast<int>(cy + i)) = colour;
      }
    }
  });
}

int32_t SparkleRect(int32_t shift, int32_t x, int32_t y, int32_t w, int32_t h) {
  const bool add[3] = {true, true, true};
  return Sparkle(g_sparkle, add, shift, x, y, w, h);
}

int32_t SparkleRectColor(int32_t add_red, int32_t add_green, int32_t add_blue, int32_t shift,
                         int32_t x, int32_t y, int32_t w, int32_t h) {
  const bool add[3] = {add_red != 0, add_green != 0, add_blue != 0};
  return Sparkle(g_sparkle_color, add, shift, x, y, w, h);
}

int32_t ComputeShape(int32_t tex_width, int32_t tex_height, int32_t w, int32_t h,
                     int32_t centre_x, int32_t centre_y, int32_t sides, int32_t centre_mode,
                     int32_t distance_mode, int32_t depth_mode) {
  // Coordinates are stored as 16-bit values: textures up to 65536 pixels a side.
  if (tex_width < 1 || tex_height < 1 || tex_width > 65536 || tex_height > 65536) return 0;
  if (w < 1 || h < 1 || int64_t{w} * h > ShapeTableSize) return 0;
  ShapeTexWidth = tex_width;
  ShapeTexHeight = tex_height;
  ShapeWidth = w;
  ShapeHeight = h;
  int64_t cx = centre_x == -1 ? w / 2 : centre_x;
  int64_t cy = centre_y == -1 ? h / 2 : centre_y;
  int32_t n = sides == -1 ? 8 : sides;
  if (n < 2) n = 2;
  if (centre_mode == 1) cy = h;
  if (centre_mode == 3) cx = w;
  if (centre_mode == 4) cx = 0;

  const double pi = std::acos(-1.0);
  const double depth = tex_height / (2.0 * std::tan(pi / n / 2.0));
  float d = 0.0f, k = 0.0f;  // kept from the previous pixel by an unknown mode
  for (int32_t r = 0; r < h; ++r) {
    if (centre_mode == 1) cy -= 1;
    if (centre_mode == 2) cx = w;
    if (centre_mode == 3) cx = std::max<int64_t>(cx - 1, 0);
    if (centre_mode == 4) cx = std::min<int64_t>(cx + 1, w);
    for (int32_t c = 0; c < w; ++c) {
      if (centre_mode == 2) cx -= 1;
      const double dx = static_cast<double>(c - cx), dy = static_cast<double>(r - cy);
      const double ax = std::fabs(dx), ay = std::fabs(dy);
      switch (distance_mode) {
        case 0: d = static_cast<float>(std::sqrt(dx * dx + dy * dy)); break;
        case 1: d = static_cast<float>(std::max(ax, ay)); break;
        case 2: d = static_cast<float>((ax + ay) / 2.0); break;
        case 3: d = static_cast<float>(std::min(ax, ay)); break;
        case 4: d = static_cast<float>(ax); break;
        case 5: d = static_cast<float>(ay); break;
        case 6: d = static_cast<float>(cx); break;
        default: break;
      }
      // A divisor of 0 (at the centre, or on an axis for the min mode) gives
      // an infinite depth, whose v is stored as 0 below.
      auto over = [&](double divisor) {
        return divisor != 0.0 ? static_cast<float>(depth / divisor) : INFINITY;
      };
      switch (depth_mode) {
        case 0: k = static_cast<float>(depth / 32.0); break;
        case 1: k = over((ay + 1.0) / 10.0); break;
        case 2: k = over((ax + 1.0) / 10.0); break;
        case 3: k = over(std::max(ax, ay)); break;
        case 4: k = over((ax + ay) / 2.0); break;
        case 5: k = over(std::min(ax, ay)); break;
        default: break;
      }
      if (k < 0.0f) k = -k;
      const int64_t u = TruncDouble(std::atan2(dy, dx) * tex_width / (2.0 * pi));
      const double radius = std::sqrt(static_cast<double>(cx * cx + cy * cy));
      const int64_t v = d != 0.0f ? TruncDouble((radius - d) * k / d) : 0;
      uint16_t* entry = ShapeTable[static_cast<int64_t>(r) * w + c];
      entry[0] = static_cast<uint16_t>(Wrap(u, tex_width));
      entry[1] = static_cast<uint16_t>(Wrap(v, tex_height));
    }
  }
  return 1;
}

int32_t DrawShape(int32_t x, int32_t y, int32_t u_offset, int32_t v_offset, int32_t handle) {
  os::Surface* texture = soft::SpriteSurface(handle);
  if (texture == nullptr) return 0;
  const int tw = ShapeTexWidth, th = ShapeTexHeight;
  if (ShapeWidth < 1 || ShapeHeight < 1 || tw < 1 || th < 1) return 1;
  if (int64_t{ShapeWidth} * ShapeHeight > ShapeTableSize) return 0;
  if (texture->Width() < tw || texture->Height() < th) return 0;
  const int ou = static_cast<int>(Wrap(u_offset, tw)), ov = static_cast<int>(Wrap(v_offset, th));
  return soft::WithLockedPair(texture, [&](const Plane& tex, const Plane& back) {
    const int r0 = std::max(0, -y), r1 = static_cast<int>(
                                         std::min<int64_t>(ShapeHeight, int64_t{back.height} - y));
    const int c0 = std::max(0, -x), c1 = static_cast<int>(
                                         std::min<int64_t>(ShapeWidth, int64_t{back.width} - x));
    for (int r = r0; r < r1; ++r) {
      uint16_t* row = back.Row(y + r);
      const uint16_t(*entry)[2] = ShapeTable + static_cast<ptrdiff_t>(r) * ShapeWidth;
      for (int c = c0; c < c1; ++c) {
        int u = entry[c][0] + ou, v = entry[c][1] + ov;
        if (u >= tw) u %= tw;
        if (v >= th) v %= th;
        row[x + c] = tex.At(u, v);
      }
    }
  });
}

int32_t DrawGlowRays(int32_t x, int32_t y, int32_t shift_red, int32_t shift_green,
                     int32_t shift_blue, int32_t directions, int32_t draw_source, int32_t handle,
                     int32_t left, int32_t top, int32_t right, int32_t bottom) {
  // Components have 5 bits: a shift of 5 or more leaves nothing.
  const int shift[3] = {std::clamp(shift_red, 0, 5), std::clamp(shift_green, 0, 5),
                        std::clamp(shift_blue, 0, 5)};
  static constexpr int kStep[8][2] = {{-1, 1}, {0, 1},   {1, 1},  {-1, 0},
                                      {1, 0},  {-1, -1}, {0, -1}, {1, -1}};
  const soft::Box clip = soft::ClipBox();
  return soft::ClippedBlit(
      x, y, handle, left, top, right, bottom, [&](const Plane& src, const Plane& back, const Area& a) {
        const soft::Placer place;
        for (int i = 0; i < a.h; ++i) {
          for (int j = 0; j < a.w; ++j) {
            const uint16_t s = src.At(a.left + j, a.top + i);
            if (s == 0) continue;
            const int px = a.x + j, py = a.y + i;
            if (draw_source != 0) back.At(px, py) = s;
            Components c(s);
            const int n = g_glow.Next();
            for (int k = 0; k < 3; ++k) c.c[k] = std::max(0, (c.c[k] >> shift[k]) - n);
            for (int d = 0; d <= 30; ++d) {
              for (int k = 0; k < 3; ++k)
                if (c.c[k] != 0) --c.c[k];
              if (c.c[0] == 0 && c.c[1] == 0 && c.c[2] == 0) break;
              for (int dir = 0; dir < 8; ++dir) {
                if ((directions & (1 << dir)) == 0) continue;
                const int tx = px + kStep[dir][0] * d, ty = py + kStep[dir][1] * d;
                if (!clip.Contains(tx, ty)) continue;
                Components t(back.At(tx, ty));
                back.At(tx, ty) = place(std::min(31, t.c[0] + c.c[0]),
                                        std::min(31, t.c[1] + c.c[1]),
                                        std::min(31, t.c[2] + c.c[2]));
              }
            }
          }
        }
      });
}

}  // namespace elDraw
