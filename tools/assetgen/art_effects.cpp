// Explosions, fire, debris, the ship's death burst and exhaust flames: each a
// strip whose cells step through one effect from start to end.
#include <cmath>
#include <vector>

#include "tools/assetgen/art.h"
#include "tools/assetgen/raster.h"

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct BurstStyle {
  int puffs;
  double spread;     // how far the puffs travel, in cell sizes
  Ramp hot, cool;    // early and late fireball colours
  Rgb smoke;
  int sparks;
  double fadeStart;  // from this point of the animation the cloud thins out
  std::uint32_t seed;
};

// Keyed explosions may be bright; additive ones keep to the middle range.
constexpr Ramp kHotFire{{220, 90, 30}, {255, 200, 60}, {255, 255, 230}};
constexpr Ramp kCoolFire{{130, 40, 24}, {210, 90, 30}, {250, 180, 70}};
constexpr Ramp kHotMid{{120, 50, 20}, {176, 120, 40}, {200, 190, 150}};
constexpr Ramp kCoolMid{{70, 24, 18}, {140, 56, 26}, {176, 110, 50}};
constexpr Ramp kBlueMid{{30, 40, 110}, {70, 110, 190}, {170, 190, 220}};
constexpr Ramp kBlueCool{{24, 24, 80}, {50, 70, 150}, {110, 140, 200}};

Image BurstFrame(int size, double t, const BurstStyle& s) {
  Image img(size, size);
  Lcg rng(s.seed);
  const Vec2 c{size / 2.0, size / 2.0};
  const double g = 1 - std::pow(1 - t, 2.5);
  struct Puff {
    Vec2 at;
    double r;
  };
  std::vector<Puff> puffs;
  for (int i = 0; i < s.puffs; ++i) {
    const double a = rng.Range(0, 2 * kPi), d = rng.Range(0.1, 1.0), r = rng.Range(0.16, 0.3);
    const double shrink = t > 0.6 ? 1 - (t - 0.6) * 1.2 : 1;
    puffs.push_back({{c.x + std::cos(a) * d * s.spread * size * g, c.y + std::sin(a) * d * s.spread * size * g},
                     r * size * (0.3 + 0.7 * g) * shrink});
  }
  const double coverage = t < s.fadeStart ? 1.0 : 1.0 - 0.85 * (t - s.fadeStart) / (1 - s.fadeStart);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      double depth = -1;
      for (const Puff& p : puffs) {
        const double d = std::hypot(x + 0.5 - p.at.x, y + 0.5 - p.at.y);
        depth = std::max(depth, (p.r - d) / p.r);
      }
      if (depth < 0 || !DitherKeep(x, y, coverage)) continue;
      const Rgb hot = s.hot.At(depth * 1.4), cool = s.cool.At(depth * 1.2);
      Rgb col = Lerp(hot, cool, std::min(1.0, t * 1.6));
      if (t > 0.65) col = Lerp(col, s.smoke, (t - 0.65) / 0.35 * (1 - depth));
      img.Put(x, y, col);
    }
  for (int i = 0; i < s.sparks; ++i) {
    const double a = rng.Range(0, 2 * kPi), v = rng.Range(0.25, 0.5);
    const Vec2 p{c.x + std::cos(a) * v * size * (0.2 + g), c.y + std::sin(a) * v * size * (0.2 + g)};
    if (t < 0.9) FillCircle(img, p, std::max(0.8, 1.8 * (1 - t)), Solid(s.hot.core));
  }
  return img;
}

Image FireFrame(int size, int i, int n, const Ramp& ramp) {
  Image img(size, size);
  Lcg rng(500);
  const double phase = 2 * kPi * i / n;
  Sdf flame = SdfEllipse({size / 2.0, size * 0.78}, size * 0.26, size * 0.14);
  for (int k = 0; k < 5; ++k) {
    const double x = size * (0.3 + 0.1 * k) + std::sin(phase + k * 1.7) * size * 0.04;
    const double h = size * (0.35 + 0.2 * rng.Unit()) * (0.8 + 0.25 * std::sin(phase * (k % 2 ? 1 : 2) + k));
    flame = SdfUnion(flame, SdfCapsule({x, size * 0.8}, {x + std::sin(phase + k) * size * 0.06, size * 0.8 - h},
                                       size * 0.09, size * 0.015));
  }
  FillSdf(img, flame, ramp, size * 0.12);
  return img;
}

Image DebrisFrame(int size, int i, int n) {
  Image img(size, size);
  Lcg rng(66);
  const double t = static_cast<double>(i) / (n - 1);
  const Vec2 c{size / 2.0, size / 2.0};
  for (int k = 0; k < 7; ++k) {
    const double a = rng.Range(0, 2 * kPi), v = rng.Range(0.25, 0.45) * size, spin = rng.Range(-200, 200);
    const Vec2 p{c.x + std::cos(a) * v * (0.15 + t), c.y + std::sin(a) * v * (0.15 + t) + 4 * t * t};
    const Polygon shard = RotatePoints(
        Translate({{-3, -2}, {3, -1.5}, {1.5, 2.5}, {-2, 1.5}}, p), spin * t + k * 40, p);
    const double fade = 1 - 0.7 * t;
    FillPolygon(img, ScalePoints(shard, 1.7, 1.7, p),
                Solid(k % 2 ? MakeRgb(170 * fade + 20, 120 * fade + 20, 60 * fade + 20)
                            : MakeRgb(110 * fade + 30, 120 * fade + 30, 140 * fade + 30)));
  }
  return img;
}

// The ship's death: a ring of light that widens and breaks up over 15 steps.
Image DeathFrame(int size, int step) {
  Image img(size, size);
  const double t = step / 14.0;
  const Vec2 c{size / 2.0, size / 2.0};
  const double r = size * (0.08 + 0.36 * std::sqrt(t));
  if (t < 0.3) FillSdf(img, SdfCircle(c, size * (0.2 - 0.4 * t)), kBlueMid, size * 0.1);
  const double coverage = 1 - 0.8 * t;
  Image ring(size, size);
  FillSdf(ring, SdfRing(c, r, size * 0.05 * (1 - 0.6 * t)), Ramp{kBlueCool.rim, kBlueMid.mid, kBlueMid.core},
          size * 0.05);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      if (ring.Inked(x, y) && DitherKeep(x, y, coverage)) img.Put(x, y, ring.At(x, y));
  for (int k = 0; k < 8; ++k) {
    const double a = k * kPi / 4 + 0.2;
    const Vec2 p{c.x + std::cos(a) * r * 1.15, c.y + std::sin(a) * r * 1.15};
    FillSdf(img, SdfCircle(p, 2.2 * (1 - 0.5 * t)), kBlueMid, 2);
  }
  return img;
}

Image ExhaustFrame(int w, int h, int i, int n) {
  Image img(w, h);
  const double phase = 2 * kPi * i / n;
  const double len = h * (0.62 + 0.18 * std::sin(phase) + 0.08 * std::sin(phase * 3 + 1));
  const double cx = w / 2.0 + std::sin(phase * 2) * 1.2, base = h - 4.0;
  Sdf flame = SdfCapsule({w / 2.0, base}, {cx, base - len}, w * 0.3, 1);
  flame = SdfUnion(flame, SdfCircle({cx + std::sin(phase * 5) * 2, base - len * 0.55}, w * 0.2));
  FillSdf(img, flame, kCoolFire, w * 0.3);
  FillSdf(img, SdfCapsule({w / 2.0, base}, {w / 2.0, base - len * 0.45}, w * 0.16, 1),
          {{255, 200, 80}, {200, 230, 255}, {255, 255, 255}}, w * 0.15);
  return img;
}

Painter BurstStrip(BurstStyle style) {
  return [style](const CatalogueEntry& e) {
    const int n = e.CellCount();
    return PaintCells(e, [&](int i) { return BurstFrame(e.cells.width, (i + 0.5) / n, style); });
  };
}

}  // namespace

void AddEffectArt(PainterTable& t) {
  t["IMAGE/ZBAK1B.BMP"] = BurstStrip({7, 0.32, kHotFire, kCoolFire, {90, 80, 76}, 10, 0.55, 101});
  t["IMAGE/ZBAK2B.BMP"] = BurstStrip({8, 0.3, kHotMid, kCoolMid, {64, 52, 50}, 8, 0.5, 202});
  t["IMAGE/BBAK1B.BMP"] = BurstStrip({12, 0.3, kHotFire, kCoolFire, {100, 86, 80}, 16, 0.6, 303});
  t["IMAGE/ZBAK3B.BMP"] = [](const CatalogueEntry& e) {
    // A flash that settles into licking flames: explosion and damage fire in one.
    const BurstStyle style{6, 0.22, kHotMid, kCoolMid, {70, 40, 30}, 6, 0.7, 404};
    return PaintCells(
        e,
        [&](int i) {
          Image img = BurstFrame(e.cells.width, (i + 0.5) / 10 * 0.6, style);
          if (i >= 3) Blit(img, FireFrame(e.cells.width, i, 10, kCoolMid), 0, 0);
          return img;
        });
  };
  t["IMAGE/ZBAK4B.BMP"] = [](const CatalogueEntry& e) {
    return PaintCells(e, [&](int i) { return FireFrame(e.cells.width, i, 10, kCoolFire); });
  };
  t["IMAGE/ZBAK6B.BMP"] = [](const CatalogueEntry& e) {
    return PaintCells(e, [&](int i) { return DebrisFrame(e.cells.width, i, 8); });
  };
  t["IMAGE/GFBAK1.BMP"] = [](const CatalogueEntry& e) {
    // Played as row 0 cells 0-7 then row 1 cells 1-7: cell (c, 1) is step 7 + c.
    return PaintCells(e, [&](int i) { return DeathFrame(e.cells.width, i < 8 ? i : 7 + (i - 8)); });
  };
  t["IMAGE/ZFIRE1.BMP"] = [](const CatalogueEntry& e) {
    return PaintCells(e, [&](int i) { return ExhaustFrame(e.cells.width, e.cells.height, i, 20); });
  };
}

}  // namespace assetgen
