// HUD sheets: the large score digits and the small-digit sheet with its labels,
// banner and star specks. The HUD cuts these out of fixed cells.
#include <string>

#include "tools/assetgen/art.h"
#include "tools/assetgen/font.h"
#include "tools/assetgen/raster.h"

namespace assetgen {

namespace {

// SUJI09: digit d fills x 20d .. 20d + 19, rows 0 .. 24.
Image ScoreDigits(const CatalogueEntry& e) {
  Image img(e.width, e.height);
  const int cw = e.cells.width, ch = e.cells.height;
  for (int d = 0; d < 10; ++d) {
    const std::string digit(1, static_cast<char>('0' + d));
    const int x = d * cw + (cw - 15) / 2, y = (ch - 21) / 2;
    // Deep blue rim, then the glyph in a gold-to-white gradient.
    DrawTextOutlined(img, x, y, digit, 3, VerticalGradient(y, {255, 250, 200}, y + 21, {230, 130, 30}),
                     {40, 40, 120});
    // A highlight along the top row of every stroke.
    for (int px = x; px < x + 15; ++px)
      for (int py = y; py < y + 21; ++py)
        if (img.Inked(px, py) && !img.Inked(px, py - 1)) img.Put(px, py, {255, 255, 255});
  }
  return img;
}

// MYMY: only row band 70..79 is used.
Image HudSheet(const CatalogueEntry& e) {
  Image img(e.width, e.height);
  const int y = 71;
  const Shader digitInk = VerticalGradient(y, {200, 255, 255}, y + 7, {60, 180, 255});
  for (int d = 0; d < 10; ++d) {  // small digit d at x 8 + 7d, 7 x 10
    const int x = 8 + 7 * d;
    DrawText(img, x + 2, y + 2, std::string(1, static_cast<char>('0' + d)), 1, Solid({24, 40, 96}));
    DrawText(img, x + 1, y + 1, std::string(1, static_cast<char>('0' + d)), 1, digitInk);
  }
  // Game-over banner, x 81..135, stretched by the game.
  DrawText(img, 82, y, "GAME OVER", 1, VerticalGradient(y, {255, 230, 120}, y + 7, {255, 70, 50}));
  for (int x = 81; x <= 135; ++x) img.Put(x, 79, {160, 40, 40});
  // Seven 3 x 10 star specks at x 139 + 3f: falling streaks, bright head at the bottom.
  const Rgb specks[7] = {{255, 255, 255}, {170, 200, 255}, {255, 240, 160}, {140, 255, 240},
                         {255, 170, 220}, {150, 150, 170}, {255, 190, 120}};
  for (int f = 0; f < 7; ++f) {
    const int x = 139 + 3 * f;
    const int tail = 3 + (f * 3) % 6;
    for (int py = 79 - tail; py <= 77; ++py) img.Put(x + 1, py, Scale(specks[f], 0.25 + 0.6 * (py - 79 + tail) / tail));
    img.Put(x + 1, 78, specks[f]);
    img.Put(x, 78, Scale(specks[f], 0.5));
    img.Put(x + 2, 78, Scale(specks[f], 0.5));
    img.Put(x + 1, 79, Scale(specks[f], 0.6));
  }
  // Labels, 24 x 10 each: bombs at x 170..193, lives at x 200..223.
  DrawText(img, 170, y + 1, "BOMB", 1, Solid({255, 170, 80}));
  DrawText(img, 200, y + 1, "SHIP", 1, Solid({120, 255, 140}));
  return img;
}

}  // namespace

void AddHudArt(PainterTable& t) {
  t["IMAGE/SUJI09.BMP"] = ScoreDigits;
  t["IMAGE/MYMY.BMP"] = HudSheet;
}

}  // namespace assetgen
