#include "tools/assetgen/art.h"

#include "tools/assetgen/raster.h"

namespace assetgen {

const PainterTable& Painters() {
  static const PainterTable table = [] {
    PainterTable t;
    AddShipArt(t);
    AddEnemyArt(t);
    AddBossArt(t);
    AddBulletArt(t);
    AddEffectArt(t);
    AddHudArt(t);
    AddBackgroundArt(t);
    AddScreenArt(t);
    return t;
  }();
  return table;
}

Image PaintPicture(const CatalogueEntry& entry) {
  const auto it = Painters().find(entry.path);
  if (it != Painters().end()) return it->second(entry);
  // Loaded but never drawn: a small grey diamond so a stray draw is noticed.
  Image img(entry.width, entry.height);
  const Vec2 c{entry.width / 2.0, entry.height / 2.0};
  FillPolygon(img, RegularPolygon(c, entry.width / 2.0 - 1, 4, 90), Solid({110, 110, 120}));
  FillPolygon(img, RegularPolygon(c, entry.width / 4.0, 4, 90), Solid({200, 60, 200}));
  return img;
}

Image PaintCells(const CatalogueEntry& entry, const std::function<Image(int index)>& cell) {
  Image img(entry.width, entry.height);
  const CellGrid& g = entry.cells;
  for (int r = 0; r < g.rows; ++r)
    for (int c = 0; c < g.cols; ++c) {
      const Image part = Crop(cell(r * g.cols + c), 0, 0, g.width, g.height);
      Blit(img, part, c * g.width, r * g.height);
    }
  return img;
}

}  // namespace assetgen
