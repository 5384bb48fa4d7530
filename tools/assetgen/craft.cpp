#include "tools/assetgen/craft.h"

#include <cmath>

#include "tools/assetgen/raster.h"

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

Polygon Box(double x0, double y0, double x1, double y1) { return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}; }

// Right half of a pointed hull, front to back.
Polygon HullHalf(double length, double width, double noseTaper, double tailTaper) {
  const double h = length / 2, w = width / 2;
  return {{0, -h},
          {w * 0.45, -h + length * noseTaper * 0.5},
          {w, -h + length * noseTaper},
          {w, h - length * tailTaper},
          {w * 0.7, h},
          {0, h}};
}

void Fighter(Model& m, const CraftSpec& s) {
  const Palette& p = s.colours;
  const double L = s.length, W = s.width, fw = std::max(3.0, W * 0.11);
  m.Mark();
  // Wing: root along the fuselage, tip swept back by `sweep`.
  const double rootFront = -L * 0.12, rootBack = L * 0.28;
  const double tipBack = rootBack + L * 0.08 * s.sweep, tipFront = rootFront + L * 0.45 * s.sweep + L * 0.05;
  const Polygon wing{{fw, rootFront}, {W / 2, tipFront}, {W / 2, tipBack}, {fw, rootBack}};
  m.AddTent(wing, {fw, (rootFront + rootBack) / 2}, {W / 2 - 2, (tipFront + tipBack) / 2}, 0, L * 0.035,
            Metal(p.armour));
  // Trim along the wing tip.
  m.AddTent({{W / 2 - W * 0.08, tipFront + 1}, {W / 2, tipFront}, {W / 2, tipBack}, {W / 2 - W * 0.08, tipBack}},
            {W / 2 - W * 0.04, tipFront}, {W / 2 - W * 0.04, tipBack}, 0.5, 1.5, Metal(p.accent));
  // Tail planes.
  m.AddTent({{fw, L * 0.3}, {fw + W * 0.16, L * 0.42}, {fw + W * 0.16, L * 0.48}, {fw, L * 0.46}},
            {fw, L * 0.38}, {fw + W * 0.14, L * 0.45}, 0, 1.5, Metal(p.hull));
  for (int g = 0; g < s.guns; ++g) {
    const double t = 0.3 + 0.35 * g / std::max(1, s.guns);
    const double gx = fw + (W / 2 - fw) * t, lead = rootFront + (tipFront - rootFront) * t;
    m.AddBarrel({gx, lead + L * 0.08}, {gx, lead - L * 0.08}, std::max(2.0, L * 0.035), 1.5,
                Metal({150, 150, 160}));
  }
  AddEngine(m, {fw * 0.6, L * 0.48}, std::max(2.0, fw * 0.55), 1.5, p);
  m.MirrorSinceMark();
  m.AddHull(MirrorClosed(HullHalf(L, fw * 2, 0.3, 0.08)), 0, L * 0.09, L * 0.08, Metal(p.hull));
  m.AddDome({0, -L * 0.12}, fw * 0.55, L * 0.12, L * 0.06, L * 0.04, Glass(p.glass), 10, 2);
}

void Gunship(Model& m, const CraftSpec& s) {
  const Palette& p = s.colours;
  const double L = s.length, W = s.width;
  const double hw = W * 0.24;
  m.Mark();
  // Side pods on struts.
  const double podX = W * 0.37, podW = W * 0.12;
  m.AddTent({{hw * 0.8, -L * 0.02}, {podX, L * 0.02}, {podX, L * 0.14}, {hw * 0.8, L * 0.2}}, {hw * 0.8, L * 0.09},
            {podX, L * 0.08}, 0, L * 0.03, Metal(p.armour));
  const Polygon pod = Translate(MirrorClosed(HullHalf(L * 0.7, podW * 2, 0.25, 0.1)), {podX, L * 0.05});
  m.AddTent(pod, {podX, -L * 0.2}, {podX, L * 0.3}, 0, L * 0.07, Metal(p.hull));
  m.AddTent(Translate(Box(-podW * 0.9, -L * 0.08, podW * 0.9, L * 0.02), {podX, -L * 0.2}), {podX, -L * 0.27},
            {podX, -L * 0.19}, L * 0.05, L * 0.03, Metal(p.accent));
  AddEngine(m, {podX, L * 0.4}, podW * 0.7, L * 0.04, p);
  m.MirrorSinceMark();
  const Polygon body = MirrorClosed({{0, -L * 0.42}, {hw * 0.5, -L * 0.38}, {hw, -L * 0.15 * (1 + s.sweep)},
                                     {hw, L * 0.3}, {hw * 0.6, L * 0.45}, {0, L * 0.45}});
  m.AddHull(body, 0, L * 0.12, L * 0.1, Metal(p.hull));
  AddGreebles(m, hw * 0.3, -L * 0.1, hw * 0.85, L * 0.35, L * 0.08, 4, p.armour, s.seed);
  for (int g = 0; g < s.guns; ++g) {
    const double y = -L * 0.22 + g * L * 0.26;
    AddTurret(m, {0, y}, W * 0.085, L * 0.11, p, g == 0 ? 2 : 1);
  }
  m.AddDome({0, L * 0.28}, hw * 0.35, L * 0.07, L * 0.11, L * 0.04, Glass(p.glass), 10, 2);
}

void Cruiser(Model& m, const CraftSpec& s) {
  const Palette& p = s.colours;
  const double L = s.length, W = s.width;
  m.Mark();
  // Armour wings stepping outwards.
  m.AddTent({{W * 0.12, -L * 0.2}, {W * 0.5, L * 0.05}, {W * 0.5, L * 0.2}, {W * 0.12, L * 0.3}},
            {W * 0.14, 0}, {W * 0.46, L * 0.12}, 0, L * 0.03, Metal(p.armour));
  m.AddTent({{W * 0.16, L * 0.22}, {W * 0.36, L * 0.3}, {W * 0.36, L * 0.46}, {W * 0.16, L * 0.46}},
            {W * 0.18, L * 0.34}, {W * 0.34, L * 0.4}, 0, L * 0.03, Metal(p.hull));
  m.AddTent(Box(W * 0.44, L * 0.02, W * 0.5, L * 0.2), {W * 0.47, L * 0.02}, {W * 0.47, L * 0.2}, L * 0.02, 2,
            Metal(p.accent));
  AddEngine(m, {W * 0.26, L * 0.47}, W * 0.05, L * 0.03, p);
  const int side = s.guns / 2;
  for (int g = 0; g < side; ++g) {
    const double t = side > 1 ? static_cast<double>(g) / (side - 1) : 0.5;
    AddTurret(m, {W * (0.2 + 0.2 * t), -L * 0.1 + L * 0.34 * t}, W * 0.045, L * 0.05, p, 2);
  }
  m.MirrorSinceMark();
  const Polygon body = MirrorClosed({{0, -L * 0.5}, {W * 0.08, -L * 0.42}, {W * 0.14, -L * 0.2},
                                     {W * 0.15, L * 0.35}, {W * 0.1, L * 0.48}, {0, L * 0.48}});
  m.AddHull(body, 0, L * 0.1, L * 0.12, Metal(p.hull));
  AddGreebles(m, W * 0.04, -L * 0.3, W * 0.12, L * 0.3, L * 0.07, 6, p.armour, s.seed);
  m.AddDome({0, L * 0.22}, W * 0.07, L * 0.06, L * 0.09, L * 0.04, Glass(p.glass), 10, 2);
  if (s.guns % 2 == 1) AddTurret(m, {0, -L * 0.22}, W * 0.06, L * 0.09, p, 2);
}

void Catamaran(Model& m, const CraftSpec& s) {
  const Palette& p = s.colours;
  const double L = s.length, W = s.width;
  const double hullX = W * 0.34, hullW = W * 0.16;
  m.Mark();
  const Polygon side = Translate(MirrorClosed(HullHalf(L * 0.95, hullW * 2, 0.28, 0.06)), {hullX, 0});
  m.AddTent(side, {hullX, -L * 0.36}, {hullX, L * 0.4}, 0, L * 0.08, Metal(p.hull));
  m.AddTent(Translate(Box(-hullW * 0.35, -L * 0.1, hullW * 0.35, L * 0.3), {hullX, 0}), {hullX, -L * 0.1},
            {hullX, L * 0.3}, L * 0.075, L * 0.02, Metal(p.accent));
  AddEngine(m, {hullX, L * 0.47}, hullW * 0.5, L * 0.04, p);
  if (s.guns > 0) AddTurret(m, {hullX, -L * 0.22}, hullW * 0.55, L * 0.08, p, 2);
  m.MirrorSinceMark();
  // Deck between the hulls with hangar stripes.
  m.AddTent(Box(-hullX, -L * 0.18, hullX, L * 0.22), {-hullX * 0.7, L * 0.02}, {hullX * 0.7, L * 0.02}, 0,
            L * 0.05, Metal(p.armour));
  for (int i = 0; i < 3; ++i) {
    const double y = -L * 0.12 + i * L * 0.11;
    m.AddSlab(Box(-hullX * 0.55, y, hullX * 0.55, y + L * 0.04), L * 0.04, L * 0.055, Lamp(Scale(p.accent, 0.8)));
  }
  m.AddDome({0, L * 0.12}, W * 0.08, L * 0.08, L * 0.05, L * 0.05, Glass(p.glass), 10, 2);
}

void Crab(Model& m, const CraftSpec& s) {
  const Palette& p = s.colours;
  const double L = s.length, W = s.width;
  m.Mark();
  // A pincer reaching forward from each shoulder.
  Polygon claw;
  for (int i = 0; i <= 8; ++i) {
    const double a = kPi * (-0.08 + 0.7 * i / 8.0);
    claw.push_back({W * 0.2 + W * 0.28 * std::cos(a) * (1 + 0.3 * s.sweep), -L * 0.05 - L * 0.44 * std::sin(a)});
  }
  for (int i = 8; i >= 0; --i) {
    const double a = kPi * (-0.08 + 0.66 * i / 8.0);
    claw.push_back({W * 0.2 + W * 0.15 * std::cos(a) * (1 + 0.3 * s.sweep), -L * 0.05 - L * 0.26 * std::sin(a)});
  }
  m.AddTent(claw, {W * 0.42, -L * 0.1}, {W * 0.18, -L * 0.4}, 0, L * 0.05, Metal(p.armour));
  m.AddTent({{W * 0.16, -L * 0.1}, {W * 0.5, L * 0.05}, {W * 0.46, L * 0.2}, {W * 0.16, L * 0.25}},
            {W * 0.18, L * 0.08}, {W * 0.44, L * 0.1}, 0, L * 0.05, Metal(p.hull));
  m.AddTent({{W * 0.06, L * 0.16}, {W * 0.3, L * 0.36}, {W * 0.24, L * 0.44}, {W * 0.04, L * 0.3}},
            {W * 0.06, L * 0.22}, {W * 0.26, L * 0.4}, 0, L * 0.03, Metal(p.accent));
  if (s.guns >= 2) AddTurret(m, {W * 0.32, L * 0.1}, W * 0.055, L * 0.07, p, 1);
  AddEngine(m, {W * 0.08, L * 0.44}, W * 0.04, L * 0.03, p);
  m.MirrorSinceMark();
  m.AddDome({0, 0}, W * 0.2, L * 0.32, 0, L * 0.14, Metal(p.hull), 14, 3);
  AddGreebles(m, W * 0.03, -L * 0.15, W * 0.12, L * 0.2, L * 0.12, 4, p.armour, s.seed);
  m.AddDome({0, -L * 0.2}, W * 0.06, L * 0.06, L * 0.08, L * 0.04, Glass(p.glass), 10, 2);
  if (s.guns % 2 == 1) AddTurret(m, {0, L * 0.06}, W * 0.07, L * 0.14, p, 2);
}

void Manta(Model& m, const CraftSpec& s) {
  const Palette& p = s.colours;
  const double L = s.length, W = s.width;
  // Crescent wing: leading edge a shallow curve, trailing edge notched.
  Polygon half{{0, -L * 0.45}};
  for (int i = 1; i <= 6; ++i) {
    const double t = i / 6.0;
    half.push_back({W * 0.5 * t, -L * 0.45 + L * 0.75 * std::pow(t, 1.6 - s.sweep * 0.6)});
  }
  half.push_back({W * 0.42, L * 0.42});
  half.push_back({W * 0.2, L * 0.18});
  half.push_back({W * 0.08, L * 0.32});
  half.push_back({0, L * 0.22});
  m.AddHull(MirrorClosed(half), 0, L * 0.12, L * 0.15, Metal(p.hull));
  m.Mark();
  m.AddTent({{W * 0.2, -L * 0.08}, {W * 0.44, L * 0.2}, {W * 0.44, L * 0.3}, {W * 0.2, L * 0.06}},
            {W * 0.2, -L * 0.02}, {W * 0.44, L * 0.25}, L * 0.03, L * 0.03, Metal(p.accent));
  m.AddGlow({W * 0.1, -L * 0.16, L * 0.12}, std::max(1.5, W * 0.035), p.glowCore, p.glowRim);
  AddEngine(m, {W * 0.14, L * 0.24}, W * 0.04, L * 0.04, p);
  m.MirrorSinceMark();
  m.AddDome({0, -L * 0.04}, W * 0.09, L * 0.18, L * 0.1, L * 0.06, Metal(p.armour), 10, 2);
  m.AddDome({0, -L * 0.08}, W * 0.045, L * 0.08, L * 0.15, L * 0.04, Glass(p.glass), 8, 2);
}

void Disc(Model& m, const CraftSpec& s) {
  const Palette& p = s.colours;
  const double R = s.width / 2;
  m.AddDome({0, 0}, R, R, 0, R * 0.18, Metal(p.armour), 24, 2);
  m.AddDome({0, 0}, R * 0.62, R * 0.62, R * 0.18, R * 0.22, Metal(p.hull), 16, 3);
  // Off-centre features make the spin readable: a cockpit, one heavy pod, a stripe.
  m.AddDome({R * 0.2, -R * 0.18}, R * 0.16, R * 0.16, R * 0.34, R * 0.1, Glass(p.glass), 10, 2);
  m.AddTent({{-R * 0.95, -R * 0.12}, {-R * 0.55, -R * 0.2}, {-R * 0.55, R * 0.2}, {-R * 0.95, R * 0.12}},
            {-R * 0.92, 0}, {-R * 0.58, 0}, R * 0.1, R * 0.12, Metal(p.accent));
  m.AddTent({{R * 0.1, R * 0.62}, {R * 0.45, R * 0.48}, {R * 0.52, R * 0.6}, {R * 0.16, R * 0.8}},
            {R * 0.13, R * 0.7}, {R * 0.48, R * 0.54}, R * 0.12, R * 0.04, Metal(p.accent));
  for (int i = 0; i < 5; ++i) {
    const double a = (30 + i * 56 + (i == 2 ? 20 : 0)) * kPi / 180;
    m.AddGlow({R * 0.8 * std::cos(a), R * 0.8 * std::sin(a), R * 0.16}, std::max(1.5, R * 0.07),
              i == 0 ? Rgb{255, 255, 200} : p.glowCore, i == 0 ? Rgb{255, 120, 40} : p.glowRim);
  }
}

void Pinwheel(Model& m, const CraftSpec& s) {
  const Palette& p = s.colours;
  const double R = s.width / 2;
  for (int b = 0; b < 3; ++b) {
    Polygon blade;
    for (int i = 0; i <= 6; ++i) {
      const double t = i / 6.0;
      const double a = (b * 120 + t * 70 * (0.6 + s.sweep)) * kPi / 180;
      const double r = R * (0.28 + 0.68 * t);
      blade.push_back({r * std::cos(a), r * std::sin(a)});
    }
    for (int i = 6; i >= 0; --i) {
      const double t = i / 6.0;
      const double a = (b * 120 + 38 + t * 50 * (0.6 + s.sweep)) * kPi / 180;
      const double r = R * (0.28 + 0.45 * t);
      blade.push_back({r * std::cos(a), r * std::sin(a)});
    }
    const Vec2 tip = blade[6];
    m.AddTent(blade, {blade[0].x * 0.9, blade[0].y * 0.9}, tip * 0.85, 0, R * 0.1,
              Metal(b == 0 ? p.accent : p.armour));
    if (b == 0) m.AddGlow({tip.x * 0.8, tip.y * 0.8, R * 0.12}, R * 0.07, p.glowCore, p.glowRim);
  }
  m.AddDome({0, 0}, R * 0.34, R * 0.34, 0, R * 0.2, Metal(p.hull), 12, 3);
  m.AddDome({R * 0.08, -R * 0.06}, R * 0.12, R * 0.12, R * 0.2, R * 0.06, Glass(p.glass), 8, 2);
}

}  // namespace

Material Metal(Rgb c) { return {c, 0.25, false, 0}; }
Material Glass(Rgb c) { return {c, 1.0, false, 0}; }
Material Lamp(Rgb c) { return {c, 0, true, 0}; }

void AddTurret(Model& m, Vec2 at, double radius, double z, const Palette& p, int barrels) {
  m.AddSlab(RegularPolygon(at, radius * 1.15, 8, 22.5), z, z + radius * 0.25, Metal(p.armour));
  for (int i = 0; i < barrels; ++i) {
    const double dx = barrels == 1 ? 0 : (i - (barrels - 1) / 2.0) * radius * 0.55;
    m.AddBarrel({at.x + dx, at.y}, {at.x + dx, at.y - radius * 2.1}, std::max(1.5, radius * 0.35),
                z + radius * 0.35, Metal({170, 170, 180}));
  }
  m.AddDome(at, radius, radius, z + radius * 0.25, radius * 0.6, Metal(p.hull), 10, 2);
  m.AddGlow({at.x, at.y + radius * 0.25, z + radius}, std::max(1.0, radius * 0.22), p.glowCore, p.glowRim);
}

void AddEngine(Model& m, Vec2 at, double radius, double z, const Palette& p) {
  m.AddSlab(RegularPolygon({at.x, at.y - radius * 0.6}, radius * 1.1, 6, 0), z * 0.5, z, Metal({90, 90, 104}));
  m.AddGlow({at.x, at.y, z}, radius, p.glowCore, p.glowRim);
}

void AddGreebles(Model& m, double x0, double y0, double x1, double y1, double z, int count, Rgb colour,
                 std::uint32_t seed) {
  Lcg rng(seed);
  m.Mark();
  for (int i = 0; i < count; ++i) {
    const double w = (x1 - x0) * rng.Range(0.2, 0.5), h = (y1 - y0) * rng.Range(0.06, 0.16);
    const double x = rng.Range(x0, x1 - w), y = rng.Range(y0, y1 - h);
    m.AddSlab(Box(x, y, x + w, y + h), z, z + std::max(1.0, h * 0.3), Metal(colour));
  }
  m.MirrorSinceMark();
}

Model BuildCraft(const CraftSpec& spec) {
  Model m;
  switch (spec.type) {
    case Archetype::kFighter: Fighter(m, spec); break;
    case Archetype::kGunship: Gunship(m, spec); break;
    case Archetype::kCruiser: Cruiser(m, spec); break;
    case Archetype::kCatamaran: Catamaran(m, spec); break;
    case Archetype::kCrab: Crab(m, spec); break;
    case Archetype::kManta: Manta(m, spec); break;
    case Archetype::kDisc: Disc(m, spec); break;
    case Archetype::kPinwheel: Pinwheel(m, spec); break;
  }
  return m;
}

}  // namespace assetgen
