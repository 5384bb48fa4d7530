// Enemy craft: one row of parameters per kind, drawn through the shared
// archetypes of craft.cpp.
#include <string>
#include <vector>

#include "tools/assetgen/art.h"
#include "tools/assetgen/craft.h"
#include "tools/assetgen/raster.h"

namespace assetgen {

namespace {

// Palettes: hull, armour, accent, glass, glow core, glow rim.
constexpr Palette kRed{{214, 70, 56}, {120, 40, 44}, {250, 190, 60}, {90, 230, 255}, {255, 250, 200}, {255, 120, 40}};
constexpr Palette kGreen{{88, 170, 86}, {46, 96, 60}, {220, 220, 90}, {255, 120, 200}, {240, 255, 200}, {120, 255, 80}};
constexpr Palette kTeal{{60, 168, 176}, {36, 92, 110}, {240, 130, 60}, {255, 240, 120}, {220, 255, 255}, {60, 200, 255}};
constexpr Palette kPurple{{150, 90, 200}, {80, 50, 120}, {240, 200, 80}, {120, 255, 200}, {255, 230, 255}, {220, 80, 255}};
constexpr Palette kSteel{{140, 156, 186}, {70, 84, 112}, {230, 80, 70}, {250, 220, 90}, {255, 250, 220}, {255, 150, 60}};
constexpr Palette kYellow{{230, 196, 60}, {130, 100, 40}, {60, 60, 80}, {90, 200, 255}, {255, 255, 220}, {255, 160, 40}};
constexpr Palette kOlive{{134, 144, 80}, {76, 82, 48}, {220, 120, 50}, {120, 230, 255}, {255, 250, 210}, {255, 140, 50}};
constexpr Palette kRust{{200, 120, 64}, {110, 64, 40}, {90, 200, 230}, {160, 255, 160}, {230, 255, 255}, {80, 180, 255}};
constexpr Palette kCyan{{200, 226, 236}, {60, 150, 190}, {40, 90, 200}, {255, 110, 90}, {230, 250, 255}, {80, 160, 255}};
constexpr Palette kMagenta{{206, 70, 150}, {104, 40, 90}, {120, 240, 255}, {255, 250, 140}, {255, 230, 250}, {255, 80, 200}};
constexpr Palette kGold{{216, 170, 70}, {110, 90, 50}, {70, 160, 110}, {255, 90, 90}, {255, 255, 210}, {120, 255, 120}};
constexpr Palette kOrange{{240, 130, 40}, {120, 60, 30}, {250, 240, 220}, {80, 220, 255}, {255, 255, 210}, {255, 200, 60}};
constexpr Palette kBlue{{70, 110, 220}, {40, 56, 120}, {250, 250, 250}, {255, 220, 80}, {230, 240, 255}, {100, 150, 255}};
constexpr Palette kGrey{{150, 150, 160}, {82, 86, 98}, {240, 200, 60}, {110, 220, 255}, {255, 250, 220}, {255, 140, 40}};
constexpr Palette kCrimson{{170, 40, 56}, {90, 30, 40}, {220, 220, 230}, {255, 200, 60}, {255, 240, 220}, {255, 90, 60}};
constexpr Palette kViolet{{120, 96, 210}, {60, 52, 120}, {250, 170, 60}, {150, 255, 220}, {240, 230, 255}, {160, 120, 255}};
constexpr Palette kJade{{60, 170, 130}, {36, 90, 80}, {240, 240, 200}, {255, 150, 90}, {230, 255, 240}, {90, 255, 190}};
constexpr Palette kSand{{210, 190, 140}, {120, 104, 76}, {180, 60, 50}, {90, 200, 255}, {255, 255, 220}, {255, 170, 70}};

enum class Facing { kDown, kUp, kDownRight, kSpin };

struct EnemyRow {
  const char* path;
  CraftSpec spec;
  Facing facing;
  const char* mirrorOf;  // non-null: this picture is the mirror image of another row
};

const std::vector<EnemyRow>& Rows() {
  using A = Archetype;
  static const std::vector<EnemyRow> rows = {
      {"IMAGE/SZAK1.BMP", {A::kFighter, 50, 50, 0.8, 0, kRed, 1}, Facing::kDown, nullptr},
      {"IMAGE/SZAK3.BMP", {A::kCrab, 90, 74, 0.2, 1, kGreen, 3}, Facing::kUp, nullptr},
      {"IMAGE/SZAK4.BMP", {A::kGunship, 112, 94, 0.4, 2, kTeal, 4}, Facing::kUp, nullptr},
      {"IMAGE/SZAK6.BMP", {A::kDisc, 72, 72, 0, 0, kPurple, 6}, Facing::kSpin, nullptr},
      {"IMAGE/SZAK9.BMP", {A::kGunship, 74, 72, 0.2, 1, kSteel, 9}, Facing::kDown, nullptr},
      {"IMAGE/SZAK10.BMP", {A::kFighter, 62, 62, 0.3, 2, kYellow, 10}, Facing::kDown, nullptr},
      {"IMAGE/SZAK12.BMP", {A::kCruiser, 94, 76, 0.5, 3, kOlive, 12}, Facing::kDown, nullptr},
      {"IMAGE/SZAK13.BMP", {A::kCatamaran, 56, 76, 0.5, 1, kRust, 13}, Facing::kDown, nullptr},
      {"IMAGE/SZAK21.BMP", {A::kFighter, 74, 58, 1.0, 1, kCyan, 21}, Facing::kDownRight, nullptr},
      {"IMAGE/SZAK22.BMP", {}, Facing::kDownRight, "IMAGE/SZAK21.BMP"},
      {"IMAGE/SZAK30.BMP", {A::kManta, 70, 88, 0.2, 0, kMagenta, 30}, Facing::kDown, nullptr},
      {"IMAGE/SZAK31.BMP", {}, Facing::kDown, "IMAGE/SZAK30.BMP"},
      {"IMAGE/SZAK32.BMP", {A::kManta, 80, 80, 0.9, 0, kGold, 32}, Facing::kDown, nullptr},
      {"IMAGE/SZAK33.BMP", {}, Facing::kDown, "IMAGE/SZAK32.BMP"},
      {"IMAGE/SZAK40.BMP", {A::kPinwheel, 112, 112, 0.4, 0, kOrange, 40}, Facing::kSpin, nullptr},
      {"IMAGE/SZAK41.BMP", {A::kPinwheel, 112, 112, 0.8, 0, kBlue, 41}, Facing::kSpin, nullptr},
      {"IMAGE/SZAK50.BMP", {A::kCatamaran, 150, 190, 0.3, 2, kGrey, 50}, Facing::kDown, nullptr},
      {"IMAGE/SZAK51.BMP", {A::kCruiser, 214, 232, 0.5, 8, kCrimson, 51}, Facing::kDown, nullptr},
      {"IMAGE/SZAK52.BMP", {A::kGunship, 154, 176, 0.5, 3, kViolet, 52}, Facing::kDown, nullptr},
      {"IMAGE/SZAK53.BMP", {A::kCrab, 150, 190, 0.6, 3, kJade, 53}, Facing::kDown, nullptr},
      {"IMAGE/SZAK54.BMP", {A::kFighter, 150, 194, 0.6, 2, kSand, 54}, Facing::kDown, nullptr},
      {"IMAGE/SZAK60.BMP", {A::kCruiser, 290, 280, 0.5, 9, kSteel, 60}, Facing::kDown, nullptr},
  };
  return rows;
}

const EnemyRow* FindRow(const std::string& path) {
  for (const EnemyRow& r : Rows())
    if (path == r.path) return &r;
  return nullptr;
}

Image DrawCraft(const Model& m, int w, int h, View v) {
  Image img(w, h);
  v.centre = {w / 2.0, h / 2.0};
  Render(img, m, v);
  OutlineInner(img, 0.6);
  return img;
}

// Frame i of n of a kind.
Image EnemyFrame(const EnemyRow& row, int i, int n, int w, int h) {
  if (row.mirrorOf != nullptr) return MirrorX(EnemyFrame(*FindRow(row.mirrorOf), i, n, w, h));
  const Model m = BuildCraft(row.spec);
  View v;
  switch (row.facing) {
    case Facing::kDown: v.yaw = 180; break;
    case Facing::kUp: v.yaw = 0; break;
    case Facing::kDownRight: v.yaw = 135; break;
    case Facing::kSpin: v.yaw = 0; break;
  }
  if (n > 1) {  // turning frames: the craft banks through the strip
    v.roll = (i - (n - 1) / 2.0) * 22;
    v.yaw += (i - (n - 1) / 2.0) * 9;
  }
  return DrawCraft(m, w, h, v);
}

}  // namespace

void AddEnemyArt(PainterTable& t) {
  for (const EnemyRow& row : Rows()) {
    const EnemyRow* r = &row;
    t[row.path] = [r](const CatalogueEntry& e) {
      const int n = e.cells.cols;
      return PaintCells(e, [&](int i) { return EnemyFrame(*r, i, n, e.cells.width, e.cells.height); });
    };
  }
}

}  // namespace assetgen
