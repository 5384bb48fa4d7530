// Full pictures: title, mode and ship-select screens, the ending pictures,
// the closing message and the continue prompt.
#include <algorithm>
#include <cmath>
#include <string>

#include "tools/assetgen/art.h"
#include "tools/assetgen/font.h"
#include "tools/assetgen/raster.h"

namespace assetgen {

namespace {

constexpr Rgb kRim{20, 20, 70};

void Stars(Image& img, int count, std::uint32_t seed, int x0, int x1) {
  Lcg rng(seed);
  for (int i = 0; i < count; ++i) {
    const int x = x0 + rng.Int(x1 - x0), y = rng.Int(img.height());
    const int tone = rng.Int(3);
    const Rgb c = tone == 0 ? Rgb{255, 255, 255} : tone == 1 ? Rgb{150, 170, 230} : Rgb{90, 90, 130};
    img.Put(x, y, c);
    if (rng.Int(9) == 0) {  // a few twinkles
      img.Put(x - 1, y, Scale(c, 0.5));
      img.Put(x + 1, y, Scale(c, 0.5));
      img.Put(x, y - 1, Scale(c, 0.5));
      img.Put(x, y + 1, Scale(c, 0.5));
    }
  }
}

// A planet disc lit from the upper left with a thin bright atmosphere.
void Planet(Image& img, Vec2 c, double r, Rgb day, Rgb night, Rgb air) {
  FillCircle(img, c, r + 3, Solid(air));
  FillCircle(img, c, r, [=](double x, double y) {
    const double l = ((c.x - x) * 0.6 + (c.y - y) * 0.8) / r;
    return Lerp(night, day, std::clamp(0.5 + 0.6 * l, 0.0, 1.0));
  });
  // Swirls of cloud, lit like the disc.
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const double dx = x + 0.5 - c.x, dy = y + 0.5 - c.y;
      if (std::hypot(dx, dy) >= r) continue;
      const double n = PeriodicFbm(x * 0.6, y * 1.8, 40, 64, 64, 4, 17);
      if (n < 0.6) continue;
      const double l = std::clamp(0.5 + 0.6 * (-dx * 0.6 - dy * 0.8) / r, 0.0, 1.0);
      img.Put(x, y, Lerp(Lerp(Scale(air, 0.45), {240, 240, 250}, l), img.At(x, y), n < 0.64 ? 0.5 : 0.1));
    }
}

void DrawShip(Image& img, int design, Vec2 at, double scale, double roll) {
  Image layer(img.width(), img.height());
  View v;
  v.centre = at;
  v.scale = scale;
  v.roll = roll;
  Render(layer, ShipModel(design), v);
  OutlineInner(layer, 0.6);
  Blit(img, layer, 0, 0);
}

void Logo(Image& img, int cx, int y, int scale) {
  const std::string name = "VANTRIS";
  const int x = cx - TextWidth(name, scale) / 2;
  DrawText(img, x + scale / 2 + 2, y + scale / 2 + 2, name, scale, Solid({50, 30, 90}));
  DrawTextOutlined(img, x, y, name, scale,
                   [=](double, double py) {
                     const double t = (py - y) / (7.0 * scale);
                     if (t < 0.45) return Lerp({255, 255, 255}, {120, 220, 255}, t / 0.45);
                     return Lerp({60, 120, 255}, {200, 80, 255}, (t - 0.45) / 0.55);
                   },
                   {230, 240, 255});
  // A horizon line through the letters.
  for (int px = x; px < x + TextWidth(name, scale); ++px)
    if (img.Inked(px, y + scale * 3 + scale / 2)) img.Put(px, y + scale * 3 + scale / 2, {255, 255, 255});
}

Shader Gold() { return Solid({255, 220, 110}); }
Shader Pale() { return Solid({210, 220, 255}); }

void Frame(Image& img, double x0, double y0, double x1, double y1, Rgb edge, Rgb fill) {
  FillRect(img, x0, y0, x1, y1, Solid(edge));
  FillRect(img, x0 + 2, y0 + 2, x1 - 2, y1 - 2, VerticalGradient(y0, fill, y1, Scale(fill, 0.6)));
}

Image Title(const CatalogueEntry& e) {
  Image img(e.width, e.height);
  Stars(img, 160, 5, 20, 460);
  Planet(img, {240, 640}, 300, {70, 130, 220}, {24, 30, 80}, {120, 200, 255});
  Logo(img, 240, 70, 9);
  DrawTextCentred(img, 240, 150, "SPACE SHOOTING GAME", 2, Pale(), kRim);
  DrawShip(img, 1, {240, 255}, 2.4, 0);
  DrawTextCentred(img, 240, 405, "PRESS ENTER", 3, Gold(), {90, 40, 20});
  return img;
}

Image ModeSelect(const CatalogueEntry& e) {
  Image img(e.width, e.height);
  const int cx = 320;  // visible columns 100..539
  Stars(img, 90, 7, 100, 540);
  DrawTextCentred(img, cx, 30, "SELECT MODE", 4, Gold(), {90, 40, 20});
  const char* levels[2][2] = {{"F1", "LEVEL 1"}, {"F2", "LEVEL 3"}};
  for (int i = 0; i < 2; ++i) {
    const double y = 100 + i * 90;
    Frame(img, 130, y, 510, y + 70, {120, 160, 255}, i == 0 ? Rgb{30, 60, 120} : Rgb{100, 30, 60});
    DrawTextOutlined(img, 150, static_cast<int>(y) + 21, levels[i][0], 4, Solid({255, 255, 255}), kRim);
    DrawTextOutlined(img, 250, static_cast<int>(y) + 21, levels[i][1], 4, Pale(), kRim);
  }
  const char* options[4][2] = {{"SPACE", "BACKGROUND OFF"}, {"M", "MOUSE CONTROL"}, {"K", "KEY CONTROL"},
                               {"O", "NO DEATH"}};
  for (int i = 0; i < 4; ++i) {
    const int y = 300 + i * 34;
    DrawTextOutlined(img, 140, y, options[i][0], 2, Gold(), kRim);
    DrawTextOutlined(img, 250, y, options[i][1], 2, Pale(), kRim);
  }
  return img;
}

Image ShipSelect(const CatalogueEntry& e) {
  Image img(e.width, e.height);
  Stars(img, 90, 9, 0, 440);
  DrawTextCentred(img, 220, 40, "SELECT SHIP", 4, Gold(), {90, 40, 20});
  for (int i = 0; i < 2; ++i) {
    const double x = 30 + i * 200;
    Frame(img, x, 110, x + 180, 400, {120, 160, 255}, {24, 34, 70});
    DrawShip(img, i + 1, {x + 90, 230}, 2.0, 0);
    DrawTextCentred(img, static_cast<int>(x) + 90, 340, i == 0 ? "F5" : "F6", 3, Solid({255, 255, 255}), kRim);
    DrawTextCentred(img, static_cast<int>(x) + 90, 372, i == 0 ? "SHIP 1" : "SHIP 2", 2, Pale(), kRim);
  }
  return img;
}

Image Ending(const CatalogueEntry& e, int scene) {
  Image img(e.width, e.height);
  Stars(img, 140, 20 + static_cast<std::uint32_t>(scene), 0, e.width);
  if (scene == 1) {  // sunrise over the rescued world
    Glow(img, {70, 300}, 30, {255, 255, 230}, {255, 190, 90});
    Planet(img, {220, 620}, 330, {240, 170, 90}, {60, 30, 60}, {255, 220, 150});
    DrawShip(img, 1, {250, 200}, 2.0, -20);
    DrawTextCentred(img, 220, 40, "MISSION COMPLETE", 3, Gold(), {90, 40, 20});
  } else if (scene == 2) {  // the fortress breaks apart
    Image boss(e.width, e.height);
    View v;
    v.centre = {220, 220};
    v.yaw = 160;
    v.scale = 0.8;
    Render(boss, BossModel(7), v);
    OutlineInner(boss, 0.55);
    Blit(img, boss, 0, 0);
    Lcg rng(3);
    for (int k = 0; k < 9; ++k) {
      const Vec2 c{rng.Range(90, 350), rng.Range(100, 340)};
      const double r = rng.Range(14, 34);
      FillSdf(img, SdfPolygon(StarPolygon(c, r, r * 0.55, 9, rng.Range(0, 40))),
              {{220, 70, 30}, {255, 190, 60}, {255, 255, 230}}, r * 0.5);
    }
    DrawTextCentred(img, 220, 420, "THE FORTRESS FALLS", 2, Gold(), {90, 40, 20});
  } else {  // the long way home
    Planet(img, {300, 190}, 110, {90, 160, 255}, {20, 30, 90}, {150, 220, 255});
    FillCircle(img, {120, 110}, 22, RadialGradient({112, 102}, 30, {230, 230, 220}, {90, 90, 100}));
    DrawShip(img, 1, {150, 360}, 1.5, 12);
    DrawTextCentred(img, 220, 430, "HOMEWARD", 3, Pale(), kRim);
  }
  return img;
}

Image GoodNight(const CatalogueEntry& e) {
  Image img(e.width, e.height);
  Stars(img, 40, 77, 0, e.width);
  DrawTextCentred(img, e.width / 2, 22, "THANK YOU FOR PLAYING", 2, Pale(), kRim);
  DrawTextCentred(img, e.width / 2, 56, "GOOD NIGHT", 3, Gold(), {90, 40, 20});
  return img;
}

Image Continue(const CatalogueEntry& e) {
  Image img(e.width, e.height);
  Frame(img, 2, 2, e.width - 2, e.height - 2, {255, 200, 90}, {60, 24, 40});
  DrawTextCentred(img, e.width / 2, 22, "CONTINUE?", 3, Solid({255, 255, 255}), kRim);
  DrawTextCentred(img, e.width / 2, 62, "PRESS Y", 2, Gold(), {90, 40, 20});
  return img;
}

}  // namespace

void AddScreenArt(PainterTable& t) {
  t["IMAGE/TITLEC.BMP"] = Title;
  t["IMAGE/LEVEL1.BMP"] = ModeSelect;
  t["IMAGE/LEVEL0.BMP"] = ShipSelect;
  t["IMAGE/VNXCG1.BMP"] = [](const CatalogueEntry& e) { return Ending(e, 1); };
  t["IMAGE/VNXCG2.BMP"] = [](const CatalogueEntry& e) { return Ending(e, 2); };
  t["IMAGE/VNXCG3.BMP"] = [](const CatalogueEntry& e) { return Ending(e, 3); };
  t["IMAGE/MYGOODN.BMP"] = GoodNight;
  t["IMAGE/CONTINU1.BMP"] = Continue;
}

}  // namespace assetgen
