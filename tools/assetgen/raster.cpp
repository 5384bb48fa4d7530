#include "tools/assetgen/raster.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

int FirstCentreAtOrAfter(double v) { return static_cast<int>(std::ceil(v - 0.5)); }

std::uint32_t Hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed) {
  std::uint32_t h = x * 374761393u + y * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

double Smooth(double t) { return t * t * (3 - 2 * t); }

}  // namespace

Shader Solid(Rgb c) {
  return [c](double, double) { return c; };
}

Shader VerticalGradient(double y0, Rgb c0, double y1, Rgb c1) {
  return [=](double, double y) { return Lerp(c0, c1, (y - y0) / (y1 - y0)); };
}

Shader HorizontalGradient(double x0, Rgb c0, double x1, Rgb c1) {
  return [=](double x, double) { return Lerp(c0, c1, (x - x0) / (x1 - x0)); };
}

Shader RadialGradient(Vec2 c, double r, Rgb inner, Rgb outer, double power) {
  return [=](double x, double y) {
    const double d = std::hypot(x - c.x, y - c.y) / r;
    return Lerp(inner, outer, std::pow(std::clamp(d, 0.0, 1.0), power));
  };
}

void FillPolygon(Image& img, const Polygon& poly, const Shader& shade) {
  if (poly.size() < 3) return;
  double minY = poly[0].y, maxY = poly[0].y;
  for (const Vec2& p : poly) {
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
  const int y0 = std::max(0, FirstCentreAtOrAfter(minY));
  const int y1 = std::min(img.height() - 1, FirstCentreAtOrAfter(maxY) - 1);
  std::vector<double> xs;
  for (int y = y0; y <= y1; ++y) {
    const double yc = y + 0.5;
    xs.clear();
    for (std::size_t i = 0; i < poly.size(); ++i) {
      const Vec2 a = poly[i];
      const Vec2 b = poly[(i + 1) % poly.size()];
      if ((a.y <= yc && b.y > yc) || (b.y <= yc && a.y > yc))
        xs.push_back(a.x + (yc - a.y) * (b.x - a.x) / (b.y - a.y));
    }
    std::sort(xs.begin(), xs.end());
    for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
      const int xa = std::max(0, FirstCentreAtOrAfter(xs[i]));
      const int xb = std::min(img.width() - 1, FirstCentreAtOrAfter(xs[i + 1]) - 1);
      for (int x = xa; x <= xb; ++x) img.Put(x, y, shade(x + 0.5, yc));
    }
  }
}

void FillEllipse(Image& img, Vec2 c, double rx, double ry, const Shader& shade) {
  if (rx <= 0 || ry <= 0) return;
  const int x0 = std::max(0, static_cast<int>(std::floor(c.x - rx)));
  const int x1 = std::min(img.width() - 1, static_cast<int>(std::ceil(c.x + rx)));
  const int y0 = std::max(0, static_cast<int>(std::floor(c.y - ry)));
  const int y1 = std::min(img.height() - 1, static_cast<int>(std::ceil(c.y + ry)));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      const double dx = (x + 0.5 - c.x) / rx, dy = (y + 0.5 - c.y) / ry;
      if (dx * dx + dy * dy <= 1.0) img.Put(x, y, shade(x + 0.5, y + 0.5));
    }
}

void FillCircle(Image& img, Vec2 c, double r, const Shader& shade) { FillEllipse(img, c, r, r, shade); }

void FillRing(Image& img, Vec2 c, double r0, double r1, const Shader& shade) {
  const int x0 = std::max(0, static_cast<int>(std::floor(c.x - r1)));
  const int x1 = std::min(img.width() - 1, static_cast<int>(std::ceil(c.x + r1)));
  const int y0 = std::max(0, static_cast<int>(std::floor(c.y - r1)));
  const int y1 = std::min(img.height() - 1, static_cast<int>(std::ceil(c.y + r1)));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      const double d = std::hypot(x + 0.5 - c.x, y + 0.5 - c.y);
      if (d >= r0 && d <= r1) img.Put(x, y, shade(x + 0.5, y + 0.5));
    }
}

void FillRect(Image& img, double x0, double y0, double x1, double y1, const Shader& shade) {
  FillPolygon(img, {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, shade);
}

void DrawLine(Image& img, Vec2 a, Vec2 b, double width, const Shader& shade) {
  const double len = std::hypot(b.x - a.x, b.y - a.y);
  if (len < 1e-9) {
    FillCircle(img, a, width / 2, shade);
    return;
  }
  const Vec2 n{-(b.y - a.y) / len * width / 2, (b.x - a.x) / len * width / 2};
  FillPolygon(img, {a + n, b + n, b - n, a - n}, shade);
}

void DrawPolyline(Image& img, const Polygon& pts, double width, const Shader& shade, bool closed) {
  if (pts.empty()) return;
  const std::size_t n = closed ? pts.size() : pts.size() - 1;
  for (std::size_t i = 0; i < n; ++i) DrawLine(img, pts[i], pts[(i + 1) % pts.size()], width, shade);
}

void Glow(Image& img, Vec2 c, double r, Rgb core, Rgb rim, double power) {
  GlowEllipse(img, c, r, r, core, rim, power);
}

void GlowEllipse(Image& img, Vec2 c, double rx, double ry, Rgb core, Rgb rim, double power) {
  FillEllipse(img, c, rx, ry, [=](double x, double y) {
    const double d = std::hypot((x - c.x) / rx, (y - c.y) / ry);
    return Lerp(core, rim, std::pow(std::clamp(d, 0.0, 1.0), 1.0 / power));
  });
}

void OutlineInner(Image& img, double factor) {
  const Image src = img;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      if (!src.Inked(x, y)) continue;
      const bool edge = !src.Inked(x - 1, y) || !src.Inked(x + 1, y) || !src.Inked(x, y - 1) ||
                        !src.Inked(x, y + 1);
      if (edge) img.Put(x, y, Scale(src.At(x, y), factor));
    }
}

void OutlineOuter(Image& img, Rgb colour) {
  const Image src = img;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      if (src.Inked(x, y)) continue;
      const bool near = src.Inked(x - 1, y) || src.Inked(x + 1, y) || src.Inked(x, y - 1) ||
                        src.Inked(x, y + 1);
      if (near) img.Put(x, y, colour);
    }
}

Polygon Translate(const Polygon& pts, Vec2 d) {
  Polygon out;
  for (const Vec2& p : pts) out.push_back(p + d);
  return out;
}

Polygon ScalePoints(const Polygon& pts, double sx, double sy, Vec2 about) {
  Polygon out;
  for (const Vec2& p : pts) out.push_back({about.x + (p.x - about.x) * sx, about.y + (p.y - about.y) * sy});
  return out;
}

Polygon RotatePoints(const Polygon& pts, double degrees, Vec2 about) {
  const double a = degrees * kPi / 180, c = std::cos(a), s = std::sin(a);
  Polygon out;
  for (const Vec2& p : pts) {
    const Vec2 d = p - about;
    out.push_back({about.x + d.x * c - d.y * s, about.y + d.x * s + d.y * c});
  }
  return out;
}

Polygon MirrorClosed(const Polygon& rightHalf) {
  Polygon out = rightHalf;
  for (auto it = rightHalf.rbegin(); it != rightHalf.rend(); ++it)
    if (it->x != 0) out.push_back({-it->x, it->y});
  return out;
}

Polygon RegularPolygon(Vec2 c, double r, int sides, double phaseDegrees) {
  Polygon out;
  for (int i = 0; i < sides; ++i) {
    const double a = (phaseDegrees + 360.0 * i / sides) * kPi / 180;
    out.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
  }
  return out;
}

Polygon StarPolygon(Vec2 c, double outer, double inner, int points, double phaseDegrees) {
  Polygon out;
  for (int i = 0; i < points * 2; ++i) {
    const double a = (phaseDegrees + 180.0 * i / points) * kPi / 180;
    const double r = (i % 2 == 0) ? outer : inner;
    out.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
  }
  return out;
}

bool DitherKeep(int x, int y, double level) {
  static constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return (kBayer[y & 3][x & 3] + 0.5) / 16.0 < level;
}

std::uint32_t Lcg::Next() {
  state_ = state_ * 1664525u + 1013904223u;
  return state_ >> 8;
}

double Lcg::Unit() { return static_cast<double>(Next() & 0xFFFFFF) / 16777216.0; }

double Lcg::Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }

int Lcg::Int(int n) { return n <= 0 ? 0 : static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }

double PeriodicNoise(double x, double y, double cell, int periodX, int periodY, std::uint32_t seed) {
  const double fx = x / cell, fy = y / cell;
  const double ix = std::floor(fx), iy = std::floor(fy);
  const double tx = Smooth(fx - ix), ty = Smooth(fy - iy);
  auto wrap = [](double v, int period) {
    const long p = std::max(period, 1);
    long i = static_cast<long>(v) % p;
    return static_cast<std::uint32_t>(i < 0 ? i + p : i);
  };
  auto at = [&](double cx, double cy) {
    return (Hash(wrap(cx, periodX), wrap(cy, periodY), seed) & 0xFFFF) / 65535.0;
  };
  const double a = at(ix, iy), b = at(ix + 1, iy), c = at(ix, iy + 1), d = at(ix + 1, iy + 1);
  return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

double PeriodicFbm(double x, double y, double cell, int periodX, int periodY, int octaves,
                   std::uint32_t seed) {
  double sum = 0, amp = 1, norm = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += amp * PeriodicNoise(x, y, cell, periodX, periodY, seed + 101u * static_cast<std::uint32_t>(o));
    norm += amp;
    amp *= 0.5;
    cell /= 2;
    periodX *= 2;
    periodY *= 2;
  }
  return sum / norm;
}

}  // namespace assetgen

namespace assetgen {

Rgb Ramp::At(double t) const {
  t = std::clamp(t, 0.0, 1.0);
  return t < 0.5 ? Lerp(rim, mid, t * 2) : Lerp(mid, core, t * 2 - 1);
}

Sdf SdfCircle(Vec2 c, double r) {
  return [=](Vec2 p) { return std::hypot(p.x - c.x, p.y - c.y) - r; };
}

Sdf SdfEllipse(Vec2 c, double rx, double ry) {
  return [=](Vec2 p) {
    const double k = std::hypot((p.x - c.x) / rx, (p.y - c.y) / ry);
    return (k - 1) * std::min(rx, ry);
  };
}

Sdf SdfCapsule(Vec2 a, Vec2 b, double ra, double rb) {
  return [=](Vec2 p) {
    const Vec2 ab = b - a;
    const double len2 = ab.x * ab.x + ab.y * ab.y;
    const double t = len2 < 1e-12 ? 0 : std::clamp(((p.x - a.x) * ab.x + (p.y - a.y) * ab.y) / len2, 0.0, 1.0);
    const Vec2 q = a + ab * t;
    return std::hypot(p.x - q.x, p.y - q.y) - (ra + (rb - ra) * t);
  };
}

Sdf SdfPolygon(Polygon poly) {
  return [poly = std::move(poly)](Vec2 p) {
    double best = 1e30;
    bool inside = false;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
      const Vec2 a = poly[j], b = poly[i];
      const Vec2 ab = b - a;
      const double len2 = ab.x * ab.x + ab.y * ab.y;
      const double t = len2 < 1e-12 ? 0 : std::clamp(((p.x - a.x) * ab.x + (p.y - a.y) * ab.y) / len2, 0.0, 1.0);
      const Vec2 q = a + ab * t;
      best = std::min(best, std::hypot(p.x - q.x, p.y - q.y));
      if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y)) inside = !inside;
    }
    return inside ? -best : best;
  };
}

Sdf SdfUnion(Sdf a, Sdf b) {
  return [=](Vec2 p) { return std::min(a(p), b(p)); };
}

Sdf SdfSubtract(Sdf a, Sdf b) {
  return [=](Vec2 p) { return std::max(a(p), -b(p)); };
}

Sdf SdfRing(Vec2 c, double r, double halfWidth) {
  return [=](Vec2 p) { return std::abs(std::hypot(p.x - c.x, p.y - c.y) - r) - halfWidth; };
}

void FillSdf(Image& img, const Sdf& sdf, const Ramp& ramp, double depth) {
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const double d = sdf({x + 0.5, y + 0.5});
      if (d <= 0) img.Put(x, y, ramp.At(-d / depth));
    }
}

}  // namespace assetgen
