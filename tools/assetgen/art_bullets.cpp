// Bullets, the player's shots and lasers, and the bosses' energy shots. Most
// are drawn additively, so they keep to mid-intensity ramps.
#include <cmath>
#include <string>

#include "tools/assetgen/art.h"
#include "tools/assetgen/font.h"
#include "tools/assetgen/raster.h"

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Additive ramps: rim, mid, core.
constexpr Ramp kPink{{72, 20, 56}, {170, 56, 130}, {200, 170, 196}};
constexpr Ramp kCyan{{20, 52, 84}, {40, 140, 172}, {160, 200, 210}};
constexpr Ramp kYellow{{80, 56, 20}, {172, 132, 40}, {210, 200, 140}};
constexpr Ramp kGreen{{24, 66, 30}, {64, 162, 64}, {170, 210, 160}};
constexpr Ramp kViolet{{50, 28, 90}, {112, 64, 184}, {190, 170, 216}};
constexpr Ramp kOrange{{90, 34, 16}, {192, 92, 32}, {216, 180, 130}};
constexpr Ramp kBlue{{20, 34, 100}, {52, 92, 200}, {160, 180, 226}};
// For the small sparkling orb, which is nearly all core and cross.
constexpr Ramp kDeepBlue{{20, 30, 84}, {44, 74, 160}, {140, 160, 206}};
constexpr Ramp kRed{{84, 20, 20}, {184, 52, 40}, {216, 150, 140}};
constexpr Ramp kWhite{{40, 40, 72}, {110, 112, 150}, {196, 196, 210}};
// Keyed and rotated darts may be brighter.
constexpr Ramp kHotOrange{{150, 50, 20}, {250, 150, 40}, {255, 250, 220}};
constexpr Ramp kHotCyan{{30, 90, 160}, {60, 200, 255}, {230, 255, 255}};
constexpr Ramp kHotMagenta{{130, 30, 110}, {240, 80, 200}, {255, 220, 250}};
constexpr Ramp kHotLime{{60, 120, 20}, {170, 240, 60}, {245, 255, 210}};
constexpr Ramp kHotViolet{{70, 40, 150}, {160, 110, 255}, {240, 230, 255}};

Vec2 Centre(int w, int h) { return {w / 2.0, h / 2.0}; }

Image Canvas(const CatalogueEntry& e) { return Image(e.width, e.height); }

Image OrbPicture(int w, int h, double r, const Ramp& ramp) {
  Image img(w, h);
  FillSdf(img, SdfCircle(Centre(w, h), r), ramp, r);
  return img;
}

// A pulsing orb for frame i of n: radius and ramp breathe.
Image PulseFrame(int size, int i, int n, const Ramp& ramp, double sparkle) {
  Image img(size, size);
  const double phase = 2 * kPi * i / n;
  const Vec2 c = Centre(size, size);
  const double r = size * (0.3 + 0.07 * std::sin(phase));
  FillSdf(img, SdfCircle(c, r), ramp, r * (0.8 + 0.25 * std::cos(phase)));
  if (sparkle > 0) {  // a turning cross of light
    const double a = phase / 2;
    for (int k = 0; k < 2; ++k) {
      const double ang = a + k * kPi / 2;
      const Vec2 d{std::cos(ang) * size * sparkle, std::sin(ang) * size * sparkle};
      FillSdf(img, SdfCapsule(c - d, c + d, 0.9, 0.9), {ramp.mid, ramp.core, ramp.core}, 1);
    }
  }
  return img;
}

// Pointed dart, nose towards -y, within the inscribed circle.
Image Dart(int size, const Ramp& ramp, double bodyWidth, bool fins) {
  Image img(size, size);
  const double s = size / 30.0, c = size / 2.0;
  Polygon body{{c, c - 14.2 * s}, {c + bodyWidth * s, c + 2 * s}, {c + bodyWidth * 0.6 * s, c + 9 * s},
               {c - bodyWidth * 0.6 * s, c + 9 * s}, {c - bodyWidth * s, c + 2 * s}};
  Sdf shape = SdfPolygon(body);
  if (fins) {
    shape = SdfUnion(shape, SdfPolygon({{c + 2 * s, c + 2 * s}, {c + 8 * s, c + 9 * s}, {c + 2 * s, c + 7 * s}}));
    shape = SdfUnion(shape, SdfPolygon({{c - 2 * s, c + 2 * s}, {c - 2 * s, c + 7 * s}, {c - 8 * s, c + 9 * s}}));
  }
  shape = SdfUnion(shape, SdfCapsule({c, c + 8 * s}, {c, c + 10.5 * s}, 2 * s, 0.5 * s));  // exhaust tail
  FillSdf(img, shape, ramp, 3.5 * s);
  return img;
}

// A comet whose head points left (towards -x) trailing a corkscrew tail.
Image Spiral(int size, const Ramp& ramp, int turns) {
  Image img(size, size);
  const double c = size / 2.0, R = size / 2.0 - 1;
  Sdf shape = SdfCircle({c - R * 0.5, c}, R * 0.34);
  for (int i = 0; i <= 24; ++i) {
    const double t = i / 24.0;
    const Vec2 p{c - R * 0.3 + t * R * 1.15, c + std::sin(t * 2 * kPi * turns) * R * 0.32 * t};
    shape = SdfUnion(shape, SdfCircle(p, R * 0.24 * (1 - t) + 0.7));
  }
  FillSdf(img, shape, ramp, R * 0.3);
  return img;
}

// Chain link pointing left: a chevron with a bead; `head` makes it bigger.
Image ChainLink(int size, const Ramp& ramp, bool head, bool body) {
  Image img(size, size);
  const double c = size / 2.0, s = size / 30.0;
  const double k = head ? 1.15 : (body ? 0.8 : 1.0);
  Sdf shape = SdfPolygon({{c - 12 * s * k, c}, {c + 2 * s * k, c - 9 * s * k}, {c + 6 * s * k, c - 6 * s * k},
                          {c - 3 * s * k, c}, {c + 6 * s * k, c + 6 * s * k}, {c + 2 * s * k, c + 9 * s * k}});
  shape = SdfUnion(shape, SdfCircle({c + 6 * s * k, c}, 3.2 * s * k));
  if (head) shape = SdfUnion(shape, SdfCircle({c - 5 * s, c}, 3 * s));
  FillSdf(img, shape, ramp, 3 * s * k);
  return img;
}

// A vertical laser bolt, top at y0, leaning by `lean` pixels over its length.
Image LaserBolt(int w, int h, double width, double lean, const Ramp& ramp, bool twin) {
  Image img(w, h);
  const double cx = w / 2.0;
  auto bolt = [&](double dx) {
    return SdfCapsule({cx + dx + lean / 2, 4 + width / 2}, {cx + dx - lean / 2, h - 4 - width / 2}, width / 2,
                      width / 2);
  };
  Sdf shape = twin ? SdfUnion(bolt(-width * 0.9), bolt(width * 0.9)) : bolt(0);
  FillSdf(img, shape, ramp, width / 2);
  return img;
}

Image MuzzleFlash(int w, int h, const Ramp& ramp) {
  Image img(w, h);
  const Vec2 c{w / 2.0, h * 0.62};
  Sdf shape = SdfEllipse(c, w * 0.22, h * 0.3);
  for (int i = 0; i < 5; ++i) {
    const double a = (-90 + (i - 2) * 28) * kPi / 180;
    const double len = (i == 2 ? 0.55 : 0.4) * h;
    shape = SdfUnion(shape, SdfCapsule(c, {c.x + std::cos(a) * len * 1.4, c.y + std::sin(a) * len}, 3.5, 0.8));
  }
  shape = SdfUnion(shape, SdfCapsule({c.x - w * 0.4, c.y + 2}, {c.x + w * 0.4, c.y + 2}, 0.8, 0.8));
  FillSdf(img, shape, ramp, 5);
  return img;
}

// Laser B: a wide crescent wave bar.
Image WaveBolt(int w, int h, double lean, const Ramp& ramp) {
  Image img(w, h);
  const double cx = w / 2.0, span = w * 0.42;
  Sdf shape = SdfCircle({cx, h * 0.5}, 1);
  for (int i = 0; i <= 16; ++i) {
    const double t = i / 16.0 * 2 - 1;
    const Vec2 p{cx + t * span, h * 0.42 + t * t * h * 0.22 + lean * t};
    shape = SdfUnion(shape, SdfCircle(p, h * 0.12 * (1.1 - 0.5 * std::abs(t))));
  }
  shape = SdfUnion(shape, SdfCapsule({cx, h * 0.3}, {cx, h * 0.85}, h * 0.1, h * 0.03));
  FillSdf(img, shape, ramp, h * 0.1);
  return img;
}

Image Needle(int w, int h, Vec2 head, Vec2 tail, const Ramp& ramp, double width) {
  Image img(w, h);
  FillSdf(img, SdfCapsule(head, tail, width / 2, 0.6), ramp, width / 2);
  return img;
}

// The seven shapes of the shape sheet.
Image ShapeCell(int size, int k) {
  Image img(size, size);
  const Vec2 c = Centre(size, size);
  const double r = size * 0.36;
  static const Ramp ramps[7] = {kYellow, kCyan, kPink, kGreen, kOrange, kViolet, kBlue};
  Sdf shape;
  switch (k) {
    case 0: shape = SdfPolygon(StarPolygon(c, r, r * 0.45, 5, -90)); break;
    case 1: shape = SdfPolygon(RegularPolygon(c, r, 4, 90)); break;
    case 2: shape = SdfUnion(SdfRing(c, r * 0.75, r * 0.22), SdfCircle(c, r * 0.25)); break;
    case 3:
      shape = SdfUnion(SdfCapsule({c.x - r, c.y}, {c.x + r, c.y}, r * 0.25, r * 0.25),
                       SdfCapsule({c.x, c.y - r}, {c.x, c.y + r}, r * 0.25, r * 0.25));
      break;
    case 4: shape = SdfPolygon(RegularPolygon(c, r, 3, 90)); break;
    case 5: shape = SdfPolygon(RegularPolygon(c, r, 6, 0)); break;
    default: shape = SdfSubtract(SdfCircle(c, r), SdfCircle({c.x + r * 0.45, c.y - r * 0.2}, r * 0.8)); break;
  }
  FillSdf(img, shape, ramps[k], r * 0.45);
  return img;
}

// Row bullets: place p of a falling row of five, the middle one largest.
Image RowCell(int size, int p, const Ramp& a, const Ramp& b) {
  Image img(size, size);
  const Vec2 c = Centre(size, size);
  const double k = 1.0 - std::abs(p - 2) * 0.14;
  const Ramp ramp{Lerp(a.rim, b.rim, p / 4.0), Lerp(a.mid, b.mid, p / 4.0), Lerp(a.core, b.core, p / 4.0)};
  const Sdf shape = SdfUnion(SdfEllipse({c.x, c.y + 3}, size * 0.22 * k, size * 0.3 * k),
                             SdfCapsule({c.x, c.y + 2}, {c.x, c.y - size * 0.42}, size * 0.1 * k, 0.8));
  FillSdf(img, shape, ramp, size * 0.2 * k);
  return img;
}

// Twin-shot bolts fanning from the left to the right cell.
Image TwinCell(int size, int cell) {
  Image img(size, size);
  const Vec2 c = Centre(size, size);
  const double a = (90 + (cell - 3) * 12) * kPi / 180;  // falling, fanned out
  const Vec2 d{std::cos(a) * size * 0.3, std::sin(a) * size * 0.3};
  const Ramp ramp{Lerp(kOrange.rim, kPink.rim, cell / 6.0), Lerp(kOrange.mid, kPink.mid, cell / 6.0),
                  Lerp(kOrange.core, kPink.core, cell / 6.0)};
  FillSdf(img, SdfCapsule(c + d, c - d * 0.9, size * 0.16, size * 0.05), ramp, size * 0.14);
  return img;
}

// Big energy ball with an orbiting ring and, when drifting, a trail behind it.
Image EnergyBall(int w, int h, double r, double drift, const Ramp& ramp) {
  Image img(w, h);
  const Vec2 c{w / 2.0 - drift * r * 0.3, h / 2.0};
  Sdf shape = SdfCircle(c, r * 0.62);
  if (drift != 0) shape = SdfUnion(shape, SdfCapsule(c, {c.x + drift * r * 0.85, c.y - r * 0.1}, r * 0.5, r * 0.12));
  FillSdf(img, shape, ramp, r * 0.6);
  FillSdf(img, SdfRing(c, r * 0.82, r * 0.05), {ramp.rim, ramp.mid, ramp.mid}, r * 0.05);
  for (int i = 0; i < 6; ++i) {
    const double a = i * kPi / 3 + 0.3;
    FillSdf(img, SdfCircle({c.x + std::cos(a) * r * 0.82, c.y + std::sin(a) * r * 0.82}, r * 0.07),
            {ramp.mid, ramp.core, ramp.core}, r * 0.07);
  }
  return img;
}

Image PowerItem(const CatalogueEntry& e) {
  Image img = Canvas(e);
  const Vec2 c = Centre(e.width, e.height);
  FillSdf(img, SdfRing(c, 22, 3), kGreen, 3);
  FillSdf(img, SdfPolygon(RegularPolygon(c, 17, 6, 0)), {{20, 50, 30}, {40, 100, 50}, {60, 130, 70}}, 17);
  DrawText(img, static_cast<int>(c.x) - 7, static_cast<int>(c.y) - 10, "P", 3, Solid({200, 230, 170}));
  return img;
}

Image Missile(const CatalogueEntry& e) {
  Image img = Canvas(e);
  const double cx = e.width / 2.0;
  FillSdf(img, SdfCapsule({cx, 50}, {cx, 60}, 3.5, 1), kHotOrange, 3);
  FillPolygon(img, {{cx - 4, 44}, {cx - 9, 52}, {cx - 9, 55}, {cx - 3, 50}}, Solid({200, 50, 50}));
  FillPolygon(img, {{cx + 4, 44}, {cx + 3, 50}, {cx + 9, 55}, {cx + 9, 52}}, Solid({200, 50, 50}));
  FillPolygon(img, {{cx, 2}, {cx + 4, 12}, {cx + 4, 50}, {cx - 4, 50}, {cx - 4, 12}},
              HorizontalGradient(cx - 4, {150, 150, 170}, cx + 4, {240, 240, 250}));
  FillPolygon(img, {{cx, 2}, {cx + 3, 9}, {cx - 3, 9}}, Solid({230, 60, 50}));
  FillRect(img, cx - 4, 24, cx + 4, 27, Solid({230, 60, 50}));
  return img;
}

Image LockMark(const CatalogueEntry& e) {
  Image img = Canvas(e);
  const double w = e.width, h = e.height;
  const Shader green = Solid({90, 255, 120}), red = Solid({255, 80, 70});
  for (int sx : {-1, 1})
    for (int sy : {-1, 1}) {
      const Vec2 corner{w / 2 + sx * (w / 2 - 3), h / 2 + sy * (h / 2 - 3)};
      DrawLine(img, corner, {corner.x - sx * 14, corner.y}, 3, green);
      DrawLine(img, corner, {corner.x, corner.y - sy * 14}, 3, green);
    }
  FillRing(img, {w / 2, h / 2}, 11, 13.5, red);
  for (int k = 0; k < 4; ++k) {
    const Vec2 d = Polygon{{0, -1}, {1, 0}, {0, 1}, {-1, 0}}[static_cast<std::size_t>(k)];
    DrawLine(img, {w / 2 + d.x * 7, h / 2 + d.y * 7}, {w / 2 + d.x * 18, h / 2 + d.y * 18}, 2, red);
  }
  FillPolygon(img, RegularPolygon({w / 2, h / 2}, 3, 4, 0), Solid({255, 240, 120}));
  return img;
}

Image BombFragment(const CatalogueEntry& e) {
  Image img = Canvas(e);
  const Vec2 c = Centre(e.width, e.height);
  FillSdf(img, SdfPolygon(StarPolygon(c, 36, 12, 8, 10)), kHotOrange, 10);
  FillSdf(img, SdfCircle(c, 13), {{250, 150, 40}, {255, 230, 120}, {255, 255, 240}}, 13);
  return img;
}

using Cell = std::function<Image(int)>;

Painter Strip(Cell cell) {
  return [cell](const CatalogueEntry& e) { return PaintCells(e, cell); };
}

Painter Single(std::function<Image(const CatalogueEntry&)> f) { return f; }

}  // namespace

void AddBulletArt(PainterTable& t) {
  // Small round bullets.
  t["IMAGE/VAL11.BMP"] = [](const CatalogueEntry& e) { return OrbPicture(e.width, e.height, 6, kPink); };
  t["IMAGE/VAL12.BMP"] = [](const CatalogueEntry& e) {
    Image img = OrbPicture(e.width, e.height, 6.5, kCyan);
    FillSdf(img, SdfCircle(Centre(e.width, e.height), 2.5), {kCyan.core, kWhite.core, kWhite.core}, 2);
    return img;
  };
  t["IMAGE/VAL13.BMP"] = [](const CatalogueEntry& e) {
    Image img(e.width, e.height);
    FillSdf(img, SdfPolygon(StarPolygon(Centre(e.width, e.height), 7, 3.5, 4, 0)), kYellow, 3);
    return img;
  };
  t["IMAGE/VAL1.BMP"] = Strip([](int i) { return PulseFrame(16, i, 16, kRed, 0); });
  t["IMAGE/VAL2.BMP"] = Strip([](int i) { return PulseFrame(16, i, 16, kGreen, 0); });
  t["IMAGE/VAL3.BMP"] = Strip([](int i) { return PulseFrame(16, i, 16, kViolet, 0); });
  t["IMAGE/VAL16241.BMP"] = Strip([](int i) { return PulseFrame(16, i, 24, kDeepBlue, 0.42); });
  t["IMAGE/VAL20241.BMP"] = Strip([](int i) { return PulseFrame(20, i, 24, kPink, 0.44); });
  t["IMAGE/VALL20.BMP"] = [](const CatalogueEntry& e) { return OrbPicture(e.width, e.height, 8, kOrange); };
  t["IMAGE/VAL201.BMP"] = Strip([](int i) {
    // Frames 0-6 the turning orb; 7-9 a fading after-image.
    Image img = PulseFrame(20, i % 7, 7, i < 7 ? kCyan : kBlue, 0);
    const double a = 2 * kPi * i / 7;
    FillSdf(img, SdfCircle({10 + std::cos(a) * 7, 10 + std::sin(a) * 7}, 2), {kCyan.mid, kWhite.core, kWhite.core}, 2);
    return img;
  });
  t["IMAGE/VAL401.BMP"] = Strip([](int p) { return RowCell(40, p, kBlue, kViolet); });
  t["IMAGE/VAL402.BMP"] = Strip([](int p) { return RowCell(40, p, kOrange, kRed); });
  t["IMAGE/VAL404.BMP"] = Strip([](int k) { return ShapeCell(40, k); });
  t["IMAGE/VAL405.BMP"] = Strip([](int k) { return TwinCell(40, k); });
  t["IMAGE/VAL15L.BMP"] = [](const CatalogueEntry& e) {
    return Needle(e.width, e.height, {e.width / 2.0, e.height - 5.0}, {e.width / 2.0, 2}, kCyan, 7);
  };
  t["IMAGE/VAL151L.BMP"] = [](const CatalogueEntry& e) {
    return PaintCells(
        e,
        [](int i) {
          const double dir = i == 0 ? 1 : -1;  // 0 slants down-right, 1 down-left
          return Needle(30, 30, {15 + dir * 9, 24}, {15 - dir * 10, 4}, kYellow, 6);
        });
  };

  // Rotated darts and spirals (nose up, or left with a right-pointing twin).
  t["IMAGE/VAL40L.BMP"] = [](const CatalogueEntry& e) { return Dart(e.width, kHotOrange, 6, true); };
  t["IMAGE/VALL301.BMP"] = [](const CatalogueEntry& e) { return Dart(e.width, kHotCyan, 4.5, false); };
  t["IMAGE/VALL302.BMP"] = [](const CatalogueEntry& e) { return Dart(e.width, kHotMagenta, 5, true); };
  t["IMAGE/VALL3011.BMP"] = [](const CatalogueEntry& e) { return Dart(e.width, kHotLime, 3.5, true); };
  t["IMAGE/VAL20w.BMP"] = [](const CatalogueEntry& e) { return Spiral(e.width, kHotViolet, 1); };
  t["IMAGE/VAL21w.BMP"] = [](const CatalogueEntry& e) { return MirrorX(Spiral(e.width, kHotViolet, 1)); };
  t["IMAGE/VALL3013.BMP"] = [](const CatalogueEntry& e) { return Spiral(e.width, kHotCyan, 2); };
  t["IMAGE/VALL3014.BMP"] = [](const CatalogueEntry& e) { return MirrorX(Spiral(e.width, kHotCyan, 2)); };
  t["IMAGE/VALL3015.BMP"] = [](const CatalogueEntry& e) { return ChainLink(e.width, kHotLime, false, false); };
  t["IMAGE/VALL3016.BMP"] = [](const CatalogueEntry& e) { return MirrorX(ChainLink(e.width, kHotLime, false, false)); };
  t["IMAGE/VALL3017.BMP"] = [](const CatalogueEntry& e) { return ChainLink(e.width, kHotOrange, true, false); };
  t["IMAGE/VALL3018.BMP"] = [](const CatalogueEntry& e) { return MirrorX(ChainLink(e.width, kHotOrange, true, false)); };
  t["IMAGE/VAL3017A.BMP"] = [](const CatalogueEntry& e) { return ChainLink(e.width, kHotMagenta, false, true); };
  t["IMAGE/VAL3018A.BMP"] = [](const CatalogueEntry& e) { return MirrorX(ChainLink(e.width, kHotMagenta, false, true)); };

  // The player's rays, lasers and flashes.
  t["IMAGE/RAY1.BMP"] = [](const CatalogueEntry& e) {
    Image img(e.width, e.height);
    FillSdf(img, SdfPolygon(StarPolygon(Centre(e.width, e.height), 13, 4, 4, -90)), kBlue, 4);
    return img;
  };
  t["IMAGE/RAY2.BMP"] = [](const CatalogueEntry& e) {
    Image img(e.width, e.height);
    FillSdf(img, SdfPolygon(StarPolygon(Centre(e.width, e.height), 9, 3, 4, -90)), kCyan, 3);
    return img;
  };
  t["IMAGE/RAY3.BMP"] = [](const CatalogueEntry& e) { return OrbPicture(e.width, e.height, 8, kGreen); };
  t["IMAGE/RAY4.BMP"] = [](const CatalogueEntry& e) { return OrbPicture(e.width, e.height, 12, kOrange); };
  t["IMAGE/RAY5.BMP"] = [](const CatalogueEntry& e) { return OrbPicture(e.width, e.height, 16, kOrange); };
  t["IMAGE/RAY6.BMP"] = [](const CatalogueEntry& e) { return OrbPicture(e.width, e.height, 21, kRed); };
  t["IMAGE/RAY7.BMP"] = [](const CatalogueEntry& e) { return OrbPicture(e.width, e.height, 8, kViolet); };
  t["IMAGE/RAY10.BMP"] = [](const CatalogueEntry& e) {
    return Needle(e.width, e.height, {10, 3}, {10, 17}, kGreen, 6);
  };
  t["IMAGE/SFLH1.BMP"] = [](const CatalogueEntry& e) { return LaserBolt(e.width, e.height, 8, 0, kCyan, false); };
  t["IMAGE/SFLH2.BMP"] = [](const CatalogueEntry& e) { return LaserBolt(e.width, e.height, 7, -10, kCyan, false); };
  t["IMAGE/SFLH3.BMP"] = [](const CatalogueEntry& e) { return LaserBolt(e.width, e.height, 7, 10, kCyan, false); };
  t["IMAGE/SFLH11.BMP"] = [](const CatalogueEntry& e) { return LaserBolt(e.width, e.height, 8, 0, kViolet, true); };
  t["IMAGE/SFLH22.BMP"] = [](const CatalogueEntry& e) { return LaserBolt(e.width, e.height, 7, -10, kViolet, true); };
  t["IMAGE/SFLH33.BMP"] = [](const CatalogueEntry& e) { return LaserBolt(e.width, e.height, 7, 10, kViolet, true); };
  t["IMAGE/FLHST.BMP"] = [](const CatalogueEntry& e) { return MuzzleFlash(e.width, e.height, kCyan); };
  t["IMAGE/FLHST2.BMP"] = [](const CatalogueEntry& e) { return MuzzleFlash(e.width, e.height, kOrange); };
  t["IMAGE/FLHST3.BMP"] = [](const CatalogueEntry& e) { return MuzzleFlash(e.width, e.height, kViolet); };
  t["IMAGE/FLW1_3.BMP"] = [](const CatalogueEntry& e) { return WaveBolt(e.width, e.height, 0, kOrange); };
  t["IMAGE/FLW2_1.BMP"] = [](const CatalogueEntry& e) { return WaveBolt(e.width, e.height, -5, kOrange); };
  t["IMAGE/FLW3_2.BMP"] = [](const CatalogueEntry& e) { return WaveBolt(e.width, e.height, 5, kOrange); };
  t["IMAGE/SPOWER1.BMP"] = Single(PowerItem);
  t["IMAGE/FLZ01_l.BMP"] = Single(Missile);
  t["IMAGE/ROCK1.BMP"] = Single(LockMark);
  t["IMAGE/FBOM1.BMP"] = Single(BombFragment);

  // Bosses' energy shots.
  t["IMAGE/VALARM51.BMP"] = [](const CatalogueEntry& e) {
    return PaintCells(
        e,
        [&](int i) {
          Image img(e.cells.width, e.cells.height);
          const double w = 26 + 8 * std::sin(i * kPi / 2), cx = e.cells.width / 2.0;
          Sdf beam = SdfCapsule({cx, 10}, {cx, e.cells.height - 8.0}, w / 2, w / 2 - 4);
          for (int k = 0; k < 6; ++k) {
            const double y = 40 + k * 60 + i * 15;
            beam = SdfUnion(beam, SdfEllipse({cx, y}, w / 2 + 6, 9));
          }
          FillSdf(img, beam, kPink, w / 2);
          FillSdf(img, SdfCircle({cx, 16}, w / 2 + 10), kPink, w / 2 + 10);
          return img;
        });
  };
  t["IMAGE/VALARM70.BMP"] = [](const CatalogueEntry& e) { return EnergyBall(e.width, e.height, 50, 0, kViolet); };
  t["IMAGE/VALARM71.BMP"] = [](const CatalogueEntry& e) { return EnergyBall(e.width, e.height, 44, 1, kViolet); };
  t["IMAGE/VALARM72.BMP"] = [](const CatalogueEntry& e) { return MirrorX(EnergyBall(e.width, e.height, 44, 1, kViolet)); };
  t["IMAGE/VALARM73.BMP"] = [](const CatalogueEntry& e) { return WaveBolt(e.width, e.height, 0, kViolet); };
  t["IMAGE/VALARM74.BMP"] = [](const CatalogueEntry& e) { return EnergyBall(e.width, e.height, 24, 1, kBlue); };
  t["IMAGE/VALARM75.BMP"] = [](const CatalogueEntry& e) { return MirrorX(EnergyBall(e.width, e.height, 24, 1, kBlue)); };
}

}  // namespace assetgen
