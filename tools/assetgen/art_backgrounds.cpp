// Background layer strips. Each strip is stacked on copies of itself, so
// everything here is periodic in y: noise with a period of the picture's
// height, and shapes drawn again one period above and below.
#include <cmath>
#include <functional>

#include "tools/assetgen/art.h"
#include "tools/assetgen/raster.h"

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Calls draw(dy) for the copies one period above and below as well.
void Tiled(int period, const std::function<void(double dy)>& draw) {
  for (int k = -1; k <= 1; ++k) draw(k * period);
}

Shader PanelShade(Rgb base, double y0, double y1) {
  return [=](double x, double y) {
    const double t = (y - y0) / (y1 - y0);
    const double seam = (static_cast<int>(x) % 24 == 0) ? 0.8 : 1.0;
    return Scale(base, (1.15 - 0.35 * t) * seam);
  };
}

// A side wall of the station: a stepped edge of armoured panels with lamps.
void StationWall(Image& img, bool left, int period, std::uint32_t seed) {
  const int w = img.width();
  Lcg rng(seed);
  const int steps = 8, step = period / steps;
  double widths[steps];
  for (double& v : widths) v = rng.Range(34, 82);
  Tiled(period, [&](double dy) {
    for (int i = 0; i < steps; ++i) {
      const double y0 = i * step + dy, y1 = y0 + step, wd = widths[i];
      const double next = widths[(i + 1) % steps];
      Polygon p{{0, y0}, {wd, y0}, {wd, y1 - 10}, {next, y1}, {0, y1}};
      if (!left) p = ScalePoints(p, -1, 1, {w / 2.0, 0});
      FillPolygon(img, p, PanelShade({120, 130, 150}, y0, y1));
      const double edge = left ? wd - 4 : w - wd;
      FillRect(img, edge, y0, edge + 4, y1 - 10, Solid({180, 190, 210}));
      // Inset panel and its lamps.
      const double ix0 = left ? 6 : w - wd + 12, ix1 = left ? wd - 12 : w - 6;
      FillRect(img, ix0, y0 + 8, ix1, y0 + step - 18, Solid({70, 78, 100}));
      const Rgb lamp = (i % 3 == 0) ? Rgb{255, 90, 70} : Rgb{90, 220, 255};
      for (int k = 0; k < 3; ++k)
        FillRect(img, ix0 + 3 + k * 8, y0 + 12, ix0 + 7 + k * 8, y0 + 15, Solid(lamp));
    }
  });
}

// A truss girder across the strip at height y.
void Girder(Image& img, double y, double height, Rgb colour) {
  const double w = img.width();
  FillRect(img, 0, y, w, y + 5, Solid(Scale(colour, 1.15)));
  FillRect(img, 0, y + height - 5, w, y + height, Solid(Scale(colour, 0.85)));
  for (double x = 0; x < w; x += height) {
    DrawLine(img, {x, y + 4}, {x + height / 2, y + height - 4}, 3, Solid(colour));
    DrawLine(img, {x + height / 2, y + height - 4}, {x + height, y + 4}, 3, Solid(Scale(colour, 0.8)));
  }
  for (double x = height / 4; x < w; x += height * 2) FillRect(img, x, y + 1, x + 3, y + 4, Solid({255, 220, 90}));
}

Image StationStrip(const CatalogueEntry& e) {
  Image img(e.width, e.height);
  const int period = e.height;
  Tiled(period, [&](double dy) {
    Girder(img, 96 + dy, 26, {110, 116, 136});
    Girder(img, 330 + dy, 20, {96, 104, 124});
  });
  StationWall(img, true, period, 11);
  StationWall(img, false, period, 12);
  // Floating beacons between the walls.
  Tiled(period, [&](double dy) {
    for (int k = 0; k < 3; ++k) {
      const Vec2 c{140.0 + k * 80, 210.0 + k * 37 + dy};
      FillPolygon(img, RegularPolygon(c, 9, 6, 0), Solid({100, 106, 126}));
      FillCircle(img, c, 3, Solid(k == 1 ? Rgb{255, 120, 80} : Rgb{120, 255, 160}));
    }
  });
  return img;
}

// Stage 2 ground: sea, islands and drifting cloud, painted all over (opaque).
Image PlanetStrip(const CatalogueEntry& e) {
  Image img(e.width, e.height);
  const int periodY = e.height / 40, periodX = 11;  // 40-pixel lattice: 440 x 480 both periodic
  auto height = [&](double x, double y) { return PeriodicFbm(x, y, 40, periodX, periodY, 5, 7); };
  for (int y = 0; y < e.height; ++y)
    for (int x = 0; x < e.width; ++x) {
      const double h = height(x, y);
      const double shade = std::clamp(1.0 + (height(x + 2, y + 2) - h) * -14.0, 0.7, 1.3);
      Rgb c;
      if (h < 0.42) c = Lerp({18, 34, 96}, {30, 70, 150}, h / 0.42);
      else if (h < 0.47) c = Lerp({40, 110, 170}, {70, 160, 190}, (h - 0.42) / 0.05);
      else if (h < 0.5) c = {206, 194, 130};
      else if (h < 0.62) c = Scale(Lerp({70, 150, 60}, {40, 110, 50}, (h - 0.5) / 0.12), shade);
      else c = Scale(Lerp({110, 100, 80}, {230, 230, 235}, (h - 0.62) / 0.2), shade);
      const double cloud = PeriodicFbm(x + 500, y, 60, 64, e.height / 60, 4, 91);
      if (cloud > 0.58) c = Lerp(c, {236, 240, 248}, std::min(1.0, (cloud - 0.58) * 9));
      img.Put(x, y, c);
    }
  return img;
}

// Stage 5 far layer: banded nebula over black, shown through the station.
Image NebulaStrip(const CatalogueEntry& e) {
  Image img(e.width, e.height);
  const Rgb bands[4] = {{34, 22, 60}, {54, 32, 92}, {86, 50, 126}, {130, 90, 170}};
  for (int y = 0; y < e.height; ++y)
    for (int x = 0; x < e.width; ++x) {
      const double n = PeriodicFbm(x, y, 80, 64, e.height / 80, 5, 33);
      if (n < 0.54) continue;
      const int band = std::min(3, static_cast<int>((n - 0.54) / 0.05));
      // Dither between bands for a soft pixel look with hard edges.
      const double frac = (n - 0.54) / 0.05 - band;
      const int b = (band < 3 && DitherKeep(x, y, frac)) ? band + 1 : band;
      img.Put(x, y, bands[b]);
    }
  return img;
}

void Asteroid(Image& img, Vec2 c, double r, std::uint32_t seed, Rgb base) {
  Lcg rng(seed);
  Polygon outline;
  const int n = 11;
  for (int i = 0; i < n; ++i) {
    const double a = 2 * kPi * i / n, rr = r * rng.Range(0.75, 1.1);
    outline.push_back({c.x + std::cos(a) * rr, c.y + std::sin(a) * rr});
  }
  // Lit from the top left.
  FillPolygon(img, outline, [=](double x, double y) {
    const double l = 1.15 - 0.45 * ((x - c.x) + (y - c.y)) / (2 * r);
    return Scale(base, std::clamp(l, 0.45, 1.35));
  });
  for (int k = 0; k < 3; ++k) {
    const Vec2 p{c.x + rng.Range(-0.45, 0.45) * r, c.y + rng.Range(-0.45, 0.45) * r};
    const double cr = r * rng.Range(0.12, 0.22);
    FillCircle(img, p, cr, Solid(Scale(base, 0.55)));
    FillRing(img, p, cr, cr + 1.2, Solid(Scale(base, 1.25)));
  }
}

// Stages 4 and 7: drifting rocks and wreckage, 640 wide so it can slide sideways.
Image AsteroidStrip(const CatalogueEntry& e) {
  Image img(e.width, e.height);
  Lcg rng(64);
  const Rgb tones[3] = {{140, 120, 100}, {120, 110, 120}, {150, 130, 90}};
  for (int i = 0; i < 26; ++i) {
    const Vec2 c{rng.Range(10, e.width - 10.0), rng.Range(0, e.height)};
    const double r = i < 4 ? rng.Range(34, 48) : rng.Range(8, 22);
    const std::uint32_t seed = rng.Next();
    const Rgb tone = tones[i % 3];
    Tiled(e.height, [&](double dy) { Asteroid(img, {c.x, c.y + dy}, r, seed, tone); });
  }
  // A few girders of wreckage.
  for (int i = 0; i < 5; ++i) {
    const Vec2 c{rng.Range(40, e.width - 40.0), rng.Range(0, e.height)};
    const double a = rng.Range(0, 180), len = rng.Range(40, 70);
    Tiled(e.height, [&](double dy) {
      const Polygon bar = RotatePoints({{c.x - len / 2, c.y - 4 + dy}, {c.x + len / 2, c.y - 4 + dy},
                                        {c.x + len / 2, c.y + 4 + dy}, {c.x - len / 2, c.y + 4 + dy}},
                                       a, {c.x, c.y + dy});
      FillPolygon(img, bar, Solid({150, 156, 170}));
      DrawPolyline(img, bar, 1, Solid({90, 96, 110}), true);
    });
  }
  return img;
}

// The strips lie under every bullet, beam and HUD figure, which are drawn
// bright on top of them (most of them added to the screen). So a strip is
// painted in full colour and then graded into a dim, narrow band: each pixel
// keeps its hue while its luma is mapped from 0..255 onto kFloor..kCeiling,
// which leaves clouds, lamps and lit rock well below any shot.
constexpr double kFloor = 16, kCeiling = 60;

Image Graded(Image img) {
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      if (!img.Inked(x, y)) continue;  // keyed strips stay transparent there
      const Rgb c = img.At(x, y);
      const double l = Luma(c);
      img.Put(x, y, Scale(c, (kFloor + (kCeiling - kFloor) * l / 255) / l));
    }
  return img;
}

Painter Backdrop(Image (*paint)(const CatalogueEntry&)) {
  return [paint](const CatalogueEntry& e) { return Graded(paint(e)); };
}

}  // namespace

void AddBackgroundArt(PainterTable& t) {
  t["IMAGE/BBACK1S.BMP"] = Backdrop(StationStrip);
  t["IMAGE/BBACK2S.BMP"] = Backdrop(PlanetStrip);
  t["IMAGE/BBACK3S.BMP"] = Backdrop(NebulaStrip);
  t["IMAGE/BBACK6S.BMP"] = Backdrop(AsteroidStrip);
}

}  // namespace assetgen
