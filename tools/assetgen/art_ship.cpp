// The player's ship sheets: seven bank frames of one faceted fighter.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/assetgen/art.h"
#include "tools/assetgen/raster.h"

namespace assetgen {

namespace {

struct ShipDesign {
  Polygon fuselage;  // right halves, front to back
  Polygon wing;      // right wing
  Polygon canard;
  Polygon stripe;    // trim decal on the right wing
  Vec2 ridgeA, ridgeB;  // the wing's spar
  double finX, finFront, finBack, finHeight;
  double engineX, engineY;
  Rgb hull, wingColour, trim, glass, flameCore, flameRim;
};

ShipDesign Design(int n) {
  if (n == 2) {
    return {{{0, -32}, {3, -25}, {5.5, -12}, {7, 2}, {7, 20}, {6, 29}, {0, 29}},
            {{6, -12}, {26, 11}, {27, 17}, {20, 19}, {6, 19}},
            {{5, -19}, {9, -15}, {9, -12}, {5, -11}},
            {{16, 4}, {26, 13}, {26, 16}, {16, 8}},
            {6, 4}, {22, 14},
            7, 16, 28, 8,
            4.5, 30,
            {226, 226, 232}, {200, 48, 52}, {255, 200, 60}, {255, 190, 70}, {255, 250, 210}, {255, 90, 60}};
  }
  return {{{0, -33}, {2.5, -26}, {4.5, -14}, {6, 0}, {6, 22}, {5, 29}, {0, 29}},
          {{6, -6}, {27, 13}, {27, 19}, {21, 20}, {6, 17}},
          {{5, -16}, {11, -9}, {11, -6}, {5, -8}},
          {{19, 7}, {27, 14.5}, {27, 16.5}, {19, 10}},
          {6, 5}, {24, 15},
          5.5, 17, 29, 9,
          3.2, 30,
          {196, 204, 220}, {52, 104, 224}, {236, 64, 56}, {80, 200, 255}, {255, 246, 210}, {70, 150, 255}};
}

}  // namespace

Model ShipModel(int design) {
  const ShipDesign d = Design(design);
  Model m;
  const Material hull{d.hull, 0.35, false, 0};
  const Material wing{d.wingColour, 0.25, false, 0};
  const Material trim{d.trim, 0.2, false, 0};
  m.Mark();
  m.AddTent(d.wing, d.ridgeA, d.ridgeB, 0, 2.5, wing);
  m.AddTent(d.stripe, d.stripe[0], d.stripe[1], 0.6, 2.2, trim);
  m.AddTent(d.canard, {5, -12}, {11, -8}, 1, 1.5, hull);
  m.AddFace({{d.finX, d.finFront, 3}, {d.finX, d.finBack, 3}, {d.finX + 4, d.finBack + 2, d.finHeight},
             {d.finX + 4, d.finFront + 6, d.finHeight}},
            trim);
  m.AddSlab({{d.engineX - 2, d.engineY - 4}, {d.engineX + 2, d.engineY - 4}, {d.engineX + 2, d.engineY},
             {d.engineX - 2, d.engineY}},
            0, 3, {{90, 94, 110}, 0.1, false, 0});
  m.AddGlow({d.engineX, d.engineY, 2}, 2.6, d.flameCore, d.flameRim);
  m.MirrorSinceMark();
  m.AddHull(MirrorClosed(d.fuselage), 0, 6.5, 5, hull);
  m.AddDome({0, -12}, 2.8, 7.5, 4.5, 3, {d.glass, 1.0, false, 0}, 10, 2);
  m.AddGlow({25.5, 17, 3}, 1.2, {200, 255, 200}, {40, 220, 60});
  m.AddGlow({-25.5, 17, 3}, 1.2, {255, 200, 200}, {230, 40, 40});
  return m;
}

namespace {

Image ShipSheet(const CatalogueEntry& e, int design) {
  const Model ship = ShipModel(design);
  return PaintCells(
      e,
      [&](int frame) {
        Image cell(e.cells.width, e.cells.height);
        View v;
        v.centre = {e.cells.width / 2.0, 36};
        v.roll = (frame - 3) * 14.0;  // 4-6 bank left, 0-2 bank right
        Render(cell, ship, v);
        OutlineInner(cell, 0.62);
        return cell;
      });
}

// A square with its corners rounded off by radius r, inset by `inset`.
Polygon RoundedSquare(double size, double inset, double r) {
  Polygon out;
  const double lo = inset + r, hi = size - inset - r;
  const Vec2 corners[4] = {{hi, hi}, {lo, hi}, {lo, lo}, {hi, lo}};
  for (int c = 0; c < 4; ++c)
    for (int step = 0; step <= 6; ++step) {
      const double a = (90.0 * c + 15.0 * step) * std::numbers::pi / 180;
      out.push_back({corners[c].x + r * std::cos(a), corners[c].y + r * std::sin(a)});
    }
  return out;
}

// The window's icon: the ship, level and nose up, on a night-blue rounded
// badge with a light rim and a few stars, so that it reads on light and dark
// task bars alike; outside the badge the corners are transparent black.
Image WindowIcon(const CatalogueEntry& e) {
  const double size = e.width;
  Image img(e.width, e.height);
  const Polygon badge = RoundedSquare(size, 1, size / 5);
  FillPolygon(img, badge, VerticalGradient(0, {30, 30, 78}, size, {16, 16, 34}));
  Lcg stars(7);
  for (int i = 0; i < 14; ++i) {
    const int x = static_cast<int>(stars.Range(size * 0.12, size * 0.88));
    const int y = static_cast<int>(stars.Range(size * 0.12, size * 0.88));
    img.Put(x, y, Lerp({120, 140, 200}, {255, 255, 255}, stars.Unit()));
  }
  DrawPolyline(img, badge, std::max(1.0, size / 32), Solid({150, 180, 240}), true);
  // The ship spans x -27..27 and y -33..30 of its model.
  Image ship(e.width, e.height);
  View v;
  v.scale = size / 76;
  v.centre = {size / 2, size / 2 + 1.5 * v.scale};
  Render(ship, ShipModel(1), v);
  OutlineInner(ship, 0.62);
  Blit(img, ship, 0, 0);
  return img;
}

}  // namespace

void AddShipArt(PainterTable& t) {
  t["ICON/MAIN.BMP"] = WindowIcon;
  t["IMAGE/MYME1.BMP"] = [](const CatalogueEntry& e) { return ShipSheet(e, 1); };
  t["MYME1.BMP"] = [](const CatalogueEntry& e) { return ShipSheet(e, 1); };
  t["MYME2.BMP"] = [](const CatalogueEntry& e) { return ShipSheet(e, 2); };
}

}  // namespace assetgen
