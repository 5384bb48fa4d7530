#include "os/gdi/raster.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace os::raster {
namespace {

int64_t FloorDiv(int64_t a, int64_t b) {  // b > 0
  int64_t q = a / b;
  if ((a % b != 0) && (a < 0)) --q;
  return q;
}

// Draws the pixels i = 0 .. n - 1 of a line whose major coordinate moves by
// `major_step` per pixel and whose minor coordinate is minor0 plus
// round(i * minor_len / n) times `minor_step`.
template <bool kXMajor>
void MajorLine(const PixelView& view, const Rect& clip, int major0, int minor0, int major_step,
               int minor_step, int64_t n, int64_t minor_len, uint16_t pixel) {
  // The range of i whose major coordinate lies inside the clip.
  const int lo = kXMajor ? clip.left : clip.top;
  const int hi = kXMajor ? clip.right : clip.bottom;  // exclusive
  int64_t i0, i1;                                     // i0 .. i1 - 1
  if (major_step > 0) {
    i0 = static_cast<int64_t>(lo) - major0;
    i1 = static_cast<int64_t>(hi) - major0;
  } else {
    i0 = static_cast<int64_t>(major0) - (hi - 1);
    i1 = static_cast<int64_t>(major0) - lo + 1;
  }
  i0 = std::max<int64_t>(i0, 0);
  i1 = std::min<int64_t>(i1, n);
  for (int64_t i = i0; i < i1; ++i) {
    const int64_t major = major0 + i * major_step;
    const int64_t minor = minor0 + minor_step * FloorDiv(2 * i * minor_len + n, 2 * n);
    const int64_t x = kXMajor ? major : minor;
    const int64_t y = kXMajor ? minor : major;
    if (x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom) continue;
    view.Row(static_cast<int>(y))[x] = pixel;
  }
}

struct Interval {
  double a = 1.0, b = 0.0;  // empty when a > b
  bool Empty() const { return a > b; }
};

Interval Cut(Interval i, double lo, double hi) {
  i.a = std::max(i.a, std::min(lo, hi));
  i.b = std::min(i.b, std::max(lo, hi));
  return i;
}

Interval DiskRow(double cx, double cy, double r, double y) {
  const double dy = y - cy;
  if (std::fabs(dy) > r) return {};
  const double half = std::sqrt(r * r - dy * dy);
  return {cx - half, cx + half};
}

}  // namespace

Rect Bounds(const PixelView& view) { return Rect{0, 0, view.width, view.height}; }

Rect Intersect(const Rect& a, const Rect& b) {
  Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

bool Empty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

void Plot(const PixelView& view, const Rect& clip, int x, int y, uint16_t pixel) {
  if (x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom) return;
  view.Row(y)[x] = pixel;
}

void Span(const PixelView& view, const Rect& clip, int x0, int x1, int y, uint16_t pixel) {
  if (y < clip.top || y >= clip.bottom) return;
  x0 = std::max(x0, clip.left);
  x1 = std::min(x1, clip.right);
  if (x0 >= x1) return;
  std::fill(view.Row(y) + x0, view.Row(y) + x1, pixel);
}

void ThinLine(const PixelView& view, const Rect& clip, int x1, int y1, int x2, int y2,
              uint16_t pixel) {
  const int64_t dx = static_cast<int64_t>(x2) - x1;
  const int64_t dy = static_cast<int64_t>(y2) - y1;
  const int sx = dx < 0 ? -1 : 1;
  const int sy = dy < 0 ? -1 : 1;
  const int64_t ax = dx < 0 ? -dx : dx;
  const int64_t ay = dy < 0 ? -dy : dy;
  if (ax == 0 && ay == 0) return;
  if (ax >= ay) {
    MajorLine<true>(view, clip, x1, y1, sx, sy, ax, ay, pixel);
  } else {
    MajorLine<false>(view, clip, y1, x1, sy, sx, ay, ax, pixel);
  }
}

void WideLine(const PixelView& view, const Rect& clip, int x1, int y1, int x2, int y2, int width,
              uint16_t pixel) {
  if (width <= 1) {
    ThinLine(view, clip, x1, y1, x2, y2, pixel);
    return;
  }
  const double r = width / 2.0;
  const double shift = (width % 2 == 0) ? -0.5 : 0.0;
  const double ax = x1 + shift, ay = y1 + shift, bx = x2 + shift, by = y2 + shift;
  const double dx = bx - ax, dy = by - ay;
  const double len2 = dx * dx + dy * dy;
  const double len = std::sqrt(len2);
  const int top = std::max<int>(clip.top, static_cast<int>(std::floor(std::min(ay, by) - r)));
  const int bottom =
      std::min<int>(clip.bottom - 1, static_cast<int>(std::ceil(std::max(ay, by) + r)));
  for (int y = top; y <= bottom; ++y) {
    Interval row;
    const Interval pieces[2] = {DiskRow(ax, ay, r, y), DiskRow(bx, by, r, y)};
    for (const Interval& piece : pieces) {
      if (piece.Empty()) continue;
      if (row.Empty()) {
        row = piece;
      } else {
        row.a = std::min(row.a, piece.a);
        row.b = std::max(row.b, piece.b);
      }
    }
    if (len2 > 0) {
      constexpr double kInf = std::numeric_limits<double>::infinity();
      Interval slab{-kInf, kInf};
      const double oy = y - ay;
      // Projection onto the segment between its two ends.
      if (dx != 0) {
        slab = Cut(slab, ax + (0.0 - oy * dy) / dx, ax + (len2 - oy * dy) / dx);
      } else if (oy * dy < 0 || oy * dy > len2) {
        slab = {};
      }
      // Distance from the segment's line.
      if (!slab.Empty()) {
        if (dy != 0) {
          slab = Cut(slab, ax + (oy * dx - r * len) / dy, ax + (oy * dx + r * len) / dy);
        } else if (std::fabs(oy * dx) > r * len) {
          slab = {};
        }
      }
      if (!slab.Empty()) {
        if (row.Empty()) {
          row = slab;
        } else {
          row.a = std::min(row.a, slab.a);
          row.b = std::max(row.b, slab.b);
        }
      }
    }
    if (row.Empty()) continue;
    const double lo = std::max(row.a, static_cast<double>(clip.left));
    const double hi = std::min(row.b, static_cast<double>(clip.right - 1));
    if (lo > hi) continue;
    Span(view, clip, static_cast<int>(std::ceil(lo)), static_cast<int>(std::floor(hi)) + 1, y,
         pixel);
  }
}

void FillPolygon(const Rect& clip, const double* xy, int count, const SpanFill& fill) {
  if (count < 3 || Empty(clip)) return;
  double min_y = xy[1], max_y = xy[1];
  for (int i = 1; i < count; ++i) {
    min_y = std::min(min_y, xy[2 * i + 1]);
    max_y = std::max(max_y, xy[2 * i + 1]);
  }
  const int top = std::max(clip.top, static_cast<int>(std::floor(min_y - 0.5)));
  const int bottom = std::min(clip.bottom - 1, static_cast<int>(std::ceil(max_y)));
  std::vector<double> xs;
  for (int y = top; y <= bottom; ++y) {
    const double yc = y + 0.5;
    xs.clear();
    for (int i = 0; i < count; ++i) {
      const int j = (i + 1) % count;
      const double x0 = xy[2 * i], y0 = xy[2 * i + 1];
      const double x1 = xy[2 * j], y1 = xy[2 * j + 1];
      if (y0 == y1) continue;
      // Half-open in y so that a vertex on the sample line counts once.
      if ((yc >= std::min(y0, y1)) && (yc < std::max(y0, y1))) {
        xs.push_back(x0 + (yc - y0) * (x1 - x0) / (y1 - y0));
      }
    }
    std::sort(xs.begin(), xs.end());
    for (size_t k = 0; k + 1 < xs.size(); k += 2) {
      // Pixels whose centre lies in [xs[k], xs[k + 1]).
      double lo = std::ceil(xs[k] - 0.5);
      double hi = std::ceil(xs[k + 1] - 0.5);
      lo = std::max(lo, static_cast<double>(clip.left));
      hi = std::min(hi, static_cast<double>(clip.right));
      if (lo < hi) fill(static_cast<int>(lo), static_cast<int>(hi), y);
    }
  }
}

void FillPolygon(const Rect& clip, const Point* points, int count, const SpanFill& fill) {
  if (count < 3) return;
  std::vector<double> xy(static_cast<size_t>(count) * 2);
  for (int i = 0; i < count; ++i) {
    xy[2 * static_cast<size_t>(i)] = points[i].x;
    xy[2 * static_cast<size_t>(i) + 1] = points[i].y;
  }
  FillPolygon(clip, xy.data(), count, fill);
}

std::vector<Point> FlattenBezier(const Point* points, int count) {
  std::vector<Point> out;
  if (count < 4 || (count - 1) % 3 != 0) return out;
  out.push_back(points[0]);
  for (int c = 0; c + 3 < count; c += 3) {
    const Point& p0 = points[c];
    const Point& p1 = points[c + 1];
    const Point& p2 = points[c + 2];
    const Point& p3 = points[c + 3];
    const double hull = std::hypot(p1.x - p0.x, p1.y - p0.y) +
                        std::hypot(p2.x - p1.x, p2.y - p1.y) +
                        std::hypot(p3.x - p2.x, p3.y - p2.y);
    const int steps = std::clamp(static_cast<int>(std::ceil(hull / 4.0)), 1, 1024);
    for (int s = 1; s <= steps; ++s) {
      const double t = static_cast<double>(s) / steps;
      const double u = 1.0 - t;
      const double b0 = u * u * u, b1 = 3 * u * u * t, b2 = 3 * u * t * t, b3 = t * t * t;
      const double x = b0 * p0.x + b1 * p1.x + b2 * p2.x + b3 * p3.x;
      const double y = b0 * p0.y + b1 * p1.y + b2 * p2.y + b3 * p3.y;
      Point p{static_cast<int32_t>(std::lround(x)), static_cast<int32_t>(std::lround(y))};
      if (s == steps) p = p3;
      if (p.x != out.back().x || p.y != out.back().y) out.push_back(p);
    }
  }
  return out;
}

void Invert(const PixelView& view, const Rect& clip, const Rect& rect) {
  const Rect r = Intersect(clip, rect);
  if (Empty(r) || rect.right <= rect.left || rect.bottom <= rect.top) return;
  const uint16_t bits = view.format.Is555() ? 0x7FFF : 0xFFFF;
  for (int y = r.top; y < r.bottom; ++y) {
    uint16_t* row = view.Row(y);
    for (int x = r.left; x < r.right; ++x) row[x] = static_cast<uint16_t>(~row[x] & bits);
  }
}

}  // namespace os::raster
