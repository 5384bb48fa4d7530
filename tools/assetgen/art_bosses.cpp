// The bosses and their detachable arms. Each boss is put together from the
// shared craft parts, modelled nose up and drawn turned to face down; gun
// turrets sit where the boss fires from.
#include <cmath>

#include "tools/assetgen/art.h"
#include "tools/assetgen/craft.h"
#include "tools/assetgen/raster.h"

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

constexpr Palette kBoss1{{130, 146, 170}, {70, 80, 104}, {220, 70, 60}, {255, 210, 80}, {255, 250, 210}, {255, 120, 50}};
constexpr Palette kBoss2{{200, 220, 226}, {50, 130, 140}, {60, 200, 210}, {120, 255, 230}, {230, 255, 255}, {60, 220, 255}};
constexpr Palette kBoss4{{200, 130, 60}, {110, 70, 40}, {240, 220, 120}, {255, 90, 60}, {255, 240, 200}, {255, 120, 40}};
constexpr Palette kBoss5{{130, 90, 190}, {70, 50, 110}, {230, 190, 80}, {255, 120, 220}, {255, 230, 255}, {255, 80, 200}};
constexpr Palette kBoss6{{90, 160, 80}, {40, 80, 50}, {210, 220, 90}, {255, 80, 60}, {255, 255, 200}, {200, 255, 80}};
constexpr Palette kBoss7{{180, 50, 60}, {90, 30, 40}, {240, 200, 90}, {120, 230, 255}, {255, 250, 220}, {255, 160, 40}};
constexpr Palette kBoss8{{120, 130, 160}, {50, 55, 80}, {230, 170, 70}, {190, 140, 255}, {250, 240, 255}, {170, 90, 255}};

// Model coordinates of a point given in the picture of a w x h boss drawn facing down.
Vec2 FromPicture(double px, double py, double w, double h) { return {w / 2 - px, h / 2 - py}; }

// A jointed arm from the shoulder forward to a pincer, on the right side (x > 0).
void AddArm(Model& m, Vec2 shoulder, Vec2 elbow, Vec2 hand, double thick, const Palette& p) {
  auto segment = [&](Vec2 a, Vec2 b, double wa, double wb, const Material& mat) {
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    const Vec2 n{-(b.y - a.y) / len, (b.x - a.x) / len};
    m.AddTent({a + n * wa, b + n * wb, b - n * wb, a - n * wa}, a, b, 0, (wa + wb) * 0.5, mat);
  };
  segment(shoulder, elbow, thick, thick * 0.8, Metal(p.hull));
  segment(elbow, hand, thick * 0.8, thick * 0.6, Metal(p.armour));
  m.AddDome(elbow, thick * 0.9, thick * 0.9, 0, thick * 0.7, Metal(p.accent), 10, 2);
  // Pincer: two curved fingers around the hand.
  const Vec2 dir = (hand - elbow) * (1.0 / std::hypot(hand.x - elbow.x, hand.y - elbow.y));
  const Vec2 side{-dir.y, dir.x};
  for (int s : {-1, 1}) {
    const Vec2 base = hand + side * (s * thick * 0.5);
    const Vec2 tip = hand + dir * (thick * 2.6) + side * (s * thick * 0.2);
    const Vec2 bulge = hand + dir * (thick * 1.3) + side * (s * thick * 1.3);
    m.AddTent({base, bulge, tip, hand + dir * (thick * 1.2)}, base, tip, 0, thick * 0.4, Metal(p.accent));
  }
  m.AddGlow({hand.x, hand.y, thick}, thick * 0.45, p.glowCore, p.glowRim);
}

Model Boss1() {  // stage 1: armoured crab with two great arms
  const double w = 440, h = 360;
  Model m = BuildCraft({Archetype::kCrab, 260, 240, 0.3, 1, kBoss1, 101});
  m.Mark();
  AddArm(m, {120, 40}, {165, -40}, {150, -125}, 20, kBoss1);
  for (auto [px, py] : {std::pair{95.0, 110.0}, {115.0, 110.0}, {130.0, 140.0}})
    AddTurret(m, FromPicture(px + 10, py + 10, w, h), 10, 30, kBoss1, 2);
  AddEngine(m, {60, 120}, 12, 10, kBoss1);
  m.MirrorSinceMark();
  return m;
}

Model Boss2() {  // stage 2: sea-skimming mothership around an energy core
  const double w = 500, h = 400;
  Model m = BuildCraft({Archetype::kManta, 340, 480, 0.4, 0, kBoss2, 202});
  m.Mark();
  for (auto [px, py] : {std::pair{222.0, 120.0}, {202.0, 160.0}, {172.0, 120.0}})
    AddTurret(m, FromPicture(px + 10, py + 10, w, h), 11, 40, kBoss2, 1);
  m.AddTent({{90, 40}, {220, 100}, {220, 130}, {90, 90}}, {90, 65}, {220, 115}, 20, 10, Metal(kBoss2.armour));
  AddEngine(m, {140, 150}, 14, 20, kBoss2);
  for (int k = 0; k < 5; ++k)  // running lights along the wing
    m.AddGlow({40.0 + k * 36, -110.0 + k * 38 * 0.9, 40}, 3.5, {240, 255, 255}, {60, 200, 255});
  m.AddTent({{60, 60}, {200, 150}, {190, 165}, {55, 80}}, {58, 70}, {195, 157}, 24, 6, Metal(kBoss2.accent));
  m.MirrorSinceMark();
  const Vec2 core = FromPicture(252, 210, w, h);
  m.AddDome(core, 42, 42, 36, 22, Metal(kBoss2.armour), 16, 2);
  m.AddDome(core, 30, 30, 50, 18, Lamp({90, 230, 230}), 14, 3);
  m.AddGlow({core.x, core.y, 70}, 16, {240, 255, 255}, {80, 220, 255});
  return m;
}

Model Boss4() {  // stage 4: a wheel fortress with four orb emitters
  Model m;
  const double R = 175, r = 118;
  for (int i = 0; i < 16; ++i) {
    const double a0 = 2 * kPi * i / 16, a1 = 2 * kPi * (i + 1) / 16, am = (a0 + a1) / 2;
    const Polygon seg{{std::cos(a0) * r, std::sin(a0) * r * 0.92},
                      {std::cos(a0) * R, std::sin(a0) * R * 0.92},
                      {std::cos(a1) * R, std::sin(a1) * R * 0.92},
                      {std::cos(a1) * r, std::sin(a1) * r * 0.92}};
    const Vec2 mid0{std::cos(am) * (r + 6), std::sin(am) * (r + 6) * 0.92};
    const Vec2 mid1{std::cos(am) * (R - 6), std::sin(am) * (R - 6) * 0.92};
    m.AddTent(seg, mid0, mid1, 0, 22, Metal(i % 2 ? kBoss4.hull : kBoss4.armour));
  }
  for (int k = 0; k < 4; ++k) {
    const double a = kPi / 4 + k * kPi / 2;
    const Vec2 d{std::cos(a), std::sin(a) * 0.92};
    m.AddTent({d * 70 + Vec2{-d.y, d.x} * 14, d * (r + 4) + Vec2{-d.y, d.x} * 10,
               d * (r + 4) - Vec2{-d.y, d.x} * 10, d * 70 - Vec2{-d.y, d.x} * 14},
              d * 70, d * (r + 4), 0, 14, Metal(kBoss4.armour));
    const Vec2 orb = d * ((R + r) / 2);
    m.AddDome(orb, 26, 26, 22, 14, Metal(kBoss4.accent), 12, 2);
    m.AddDome(orb, 16, 16, 34, 12, Lamp({250, 120, 60}), 10, 2);
    m.AddGlow({orb.x, orb.y, 48}, 7, kBoss4.glowCore, kBoss4.glowRim);
  }
  m.AddDome({0, 0}, 80, 74, 0, 40, Metal(kBoss4.hull), 18, 3);
  m.AddDome({0, -20}, 34, 30, 40, 16, Glass(kBoss4.glass), 12, 2);
  m.Mark();
  AddTurret(m, {50, 30}, 13, 38, kBoss4, 2);
  m.MirrorSinceMark();
  return m;
}

Model Boss5() {  // stage 5: a tall lance ship with a beam lens at its front
  Model m = BuildCraft({Archetype::kCruiser, 440, 360, 0.5, 6, kBoss5, 505});
  m.AddDome({0, -175}, 40, 34, 30, 16, Metal(kBoss5.armour), 14, 2);
  m.AddDome({0, -175}, 26, 22, 46, 14, Lamp({230, 110, 210}), 12, 3);
  m.AddGlow({0, -175, 62}, 11, {255, 240, 255}, {255, 90, 220});
  m.Mark();
  m.AddTent({{60, 120}, {150, 170}, {140, 215}, {60, 200}}, {60, 160}, {145, 190}, 0, 14, Metal(kBoss5.accent));
  AddEngine(m, {100, 205}, 14, 16, kBoss5);
  m.MirrorSinceMark();
  return m;
}

Model Boss6() {  // stage 6: an insectoid hive ship
  Model m;
  const Palette& p = kBoss6;
  m.Mark();
  for (int leg = 0; leg < 3; ++leg) {
    const double y = -40 + leg * 60;
    const Vec2 hip{60, y}, knee{170, y - 40 + leg * 10}, foot{200, y + 60 + leg * 10};
    for (auto [a, b] : {std::pair{hip, knee}, {knee, foot}}) {
      const double len = std::hypot(b.x - a.x, b.y - a.y);
      const Vec2 n{-(b.y - a.y) / len * 9, (b.x - a.x) / len * 9};
      m.AddTent({a + n, b + n * 0.6, b - n * 0.6, a - n}, a, b, 0, 8, Metal(p.armour));
    }
    m.AddDome(knee, 12, 12, 0, 10, Metal(p.accent), 8, 2);
  }
  m.AddTent({{20, -150}, {70, -185}, {60, -150}, {30, -120}}, {25, -140}, {65, -178}, 10, 8, Metal(p.accent));
  AddTurret(m, {70, 20}, 14, 40, p, 1);
  m.MirrorSinceMark();
  m.AddDome({0, -120}, 52, 44, 0, 36, Metal(p.hull), 14, 3);
  m.AddDome({0, -10}, 72, 70, 0, 46, Metal(p.hull), 16, 3);
  m.AddDome({0, 110}, 92, 80, 0, 44, Metal(p.armour), 16, 3);
  for (int k = 0; k < 3; ++k) m.AddSlab({{-80.0 + k * 8, 80.0 + k * 30}, {80.0 - k * 8, 80.0 + k * 30},
                                          {76.0 - k * 8, 88.0 + k * 30}, {-76.0 + k * 8, 88.0 + k * 30}},
                                         40, 46, Metal(p.accent));
  m.Mark();
  m.AddGlow({22, -142, 36}, 8, {255, 240, 200}, {255, 60, 40});
  m.MirrorSinceMark();
  return m;
}

Model Boss7() {  // stage 7: the fortress flagship with four arms
  const Palette& p = kBoss7;
  Model m = BuildCraft({Archetype::kCruiser, 360, 230, 0.5, 7, p, 707});
  m.Mark();
  m.AddTent({{90, -30}, {225, 60}, {225, 110}, {90, 120}}, {95, 40}, {220, 85}, 0, 16, Metal(p.armour));
  m.AddTent({{200, 40}, {228, 52}, {228, 120}, {200, 120}}, {214, 45}, {214, 120}, 10, 10, Metal(p.accent));
  AddArm(m, {110, 20}, {150, -50}, {140, -120}, 15, p);
  AddArm(m, {180, 80}, {205, 0}, {200, -70}, 12, p);
  AddTurret(m, {150, 70}, 13, 18, p, 2);
  AddEngine(m, {120, 170}, 14, 10, p);
  m.MirrorSinceMark();
  return m;
}

Model Boss8() {  // stage 8: a twin-hulled dreadnought with a battery of guns between the hulls
  const double w = 480, h = 400;
  const Palette& p = kBoss8;
  Model m = BuildCraft({Archetype::kCatamaran, 380, 440, 0.45, 0, p, 808});
  m.AddDome({0, 10}, 70, 110, 20, 30, Metal(p.armour), 16, 3);
  m.Mark();
  // The bursts' guns: three rows right of the centre line, mirrored.
  for (auto [px, py] : {std::pair{262.0, 110.0}, {282.0, 150.0}, {312.0, 110.0}})
    AddTurret(m, FromPicture(px + 10, py + 10, w, h), 11, 44, p, 2);
  AddEngine(m, {150, 170}, 16, 12, p);
  m.AddTent({{70, -60}, {200, -20}, {200, 10}, {70, -20}}, {70, -40}, {200, -5}, 24, 8, Metal(p.accent));
  m.MirrorSinceMark();
  const Vec2 gun = FromPicture(242, 210, w, h);  // the centre gun under the bridge
  AddTurret(m, gun, 14, 50, p, 3);
  m.AddGlow({gun.x, gun.y - 40, 64}, 10, p.glowCore, p.glowRim);
  return m;
}

Image DrawBoss(const Model& m, int w, int h, double scale, double pitch) {
  Image img(w, h);
  View v;
  v.centre = {w / 2.0, h / 2.0};
  v.yaw = 180;
  v.scale = scale;
  v.pitch = pitch;
  Render(img, m, v);
  OutlineInner(img, 0.55);
  return img;
}

// A boss arm on its own, drawn dimmed for the additive blit: the arm glows
// where it falls.
Image ArmPicture(int w, int h, double yaw, double scale, const Palette& p) {
  Model arm;
  AddArm(arm, {0, 60}, {18, -5}, {0, -60}, 16, p);
  Image img(w, h);
  View v;
  v.centre = {w / 2.0, h / 2.0};
  v.yaw = yaw;
  v.scale = scale;
  Render(img, arm, v);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (img.Inked(x, y)) img.Put(x, y, Lerp(Scale(img.At(x, y), 0.9), {90, 120, 190}, 0.3));
  return img;
}

}  // namespace

Model BossModel(int stage) {
  switch (stage) {
    case 1: return Boss1();
    case 2: return Boss2();
    case 4: return Boss4();
    case 5: return Boss5();
    case 6: return Boss6();
    default: return Boss7();
  }
}

void AddBossArt(PainterTable& t) {
  t["IMAGE/BOSS11.BMP"] = [](const CatalogueEntry& e) { return DrawBoss(Boss1(), e.width, e.height, 1, 0); };
  t["IMAGE/BOSS71.BMP"] = [](const CatalogueEntry& e) { return DrawBoss(Boss2(), e.width, e.height, 1, 0); };
  t["IMAGE/BOSS41.BMP"] = [](const CatalogueEntry& e) { return DrawBoss(Boss4(), e.width, e.height, 1, 0); };
  t["IMAGE/BOSS51.BMP"] = [](const CatalogueEntry& e) { return DrawBoss(Boss5(), e.width, e.height, 1, 0); };
  t["IMAGE/BOSS61.BMP"] = [](const CatalogueEntry& e) { return DrawBoss(Boss6(), e.width, e.height, 1, 0); };
  t["IMAGE/BOSS31.BMP"] = [](const CatalogueEntry& e) { return DrawBoss(Boss7(), e.width, e.height, 1, 0); };
  t["IMAGE/BOSS81.BMP"] = [](const CatalogueEntry& e) { return DrawBoss(Boss8(), e.width, e.height, 1, 0); };
  t["IMAGE/BOS111.BMP"] = [](const CatalogueEntry& e) {
    // The boss passing beneath: a dark grey silhouette with faint panel shading.
    Image img(e.width, e.height);
    View v;
    v.centre = {e.width / 2.0, e.height / 2.0};
    v.yaw = 180;
    v.scale = 1.08;
    Render(img, Boss1(), v);
    for (int y = 0; y < e.height; ++y)
      for (int x = 0; x < e.width; ++x)
        if (img.Inked(x, y)) {
          const Rgb c = img.At(x, y);
          const double l = (c.r + c.g + c.b) / 765.0;
          img.Put(x, y, MakeRgb(30 + 26 * l, 32 + 26 * l, 38 + 30 * l));
        }
    return img;
  };
  t["IMAGE/BOS511.BMP"] = [](const CatalogueEntry& e) { return DrawBoss(Boss5(), e.width, e.height, 1.0, 24); };
  t["IMAGE/VALARM11.BMP"] = [](const CatalogueEntry& e) { return ArmPicture(e.width, e.height, 160, 1.2, kBoss1); };
  t["IMAGE/VALARM12.BMP"] = [](const CatalogueEntry& e) {
    return MirrorX(ArmPicture(e.width, e.height, 160, 1.2, kBoss1));
  };
  t["IMAGE/VALARM31.BMP"] = [](const CatalogueEntry& e) { return ArmPicture(e.width, e.height, 170, 0.75, kBoss7); };
  t["IMAGE/VALARM32.BMP"] = [](const CatalogueEntry& e) {
    return MirrorX(ArmPicture(e.width, e.height, 170, 0.75, kBoss7));
  };
  t["IMAGE/VALARM33.BMP"] = [](const CatalogueEntry& e) { return ArmPicture(e.width, e.height, 135, 0.8, kBoss7); };
  t["IMAGE/VALARM34.BMP"] = [](const CatalogueEntry& e) {
    return MirrorX(ArmPicture(e.width, e.height, 135, 0.8, kBoss7));
  };
}

}  // namespace assetgen
