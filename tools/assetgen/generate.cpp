#include "tools/assetgen/generate.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "tools/assetgen/art.h"
#include "tools/assetgen/font.h"
#include "tools/assetgen/music.h"
#include "tools/assetgen/wav.h"

namespace assetgen {

namespace {

std::vector<std::uint8_t> SoundFor(const CatalogueEntry& e) {
  if (e.path == "SOUND/SHOT.WAV") return EncodeWav(SynthShot(kSampleRate), kSampleRate);
  if (e.path == "SOUND/BOM.WAV") return EncodeWav(SynthBoom(kSampleRate), kSampleRate);
  throw std::runtime_error("no sound for " + e.path);
}

std::vector<std::uint8_t> MusicFor(const CatalogueEntry& e) {
  for (const PieceStyle& p : MusicPieces())
    if (p.path == e.path) return ComposePiece(p);
  throw std::runtime_error("no music for " + e.path);
}

}  // namespace

std::vector<Asset> BuildAssets() {
  std::vector<Asset> out;
  for (const CatalogueEntry& e : Catalogue()) {
    Asset a{&e, {}, std::nullopt};
    switch (e.kind) {
      case AssetKind::kPicture: {
        Image img = PaintPicture(e);
        if (img.width() != e.width || img.height() != e.height)
          throw std::runtime_error("painter of " + e.path + " returned the wrong size");
        a.bytes = EncodeBmp(img);
        a.picture = std::move(img);
        break;
      }
      case AssetKind::kSound:
        a.bytes = SoundFor(e);
        break;
      case AssetKind::kMusic:
        a.bytes = MusicFor(e);
        break;
    }
    out.push_back(std::move(a));
  }
  return out;
}

bool WriteAssets(const std::vector<Asset>& assets, const std::filesystem::path& dir, std::string* error) {
  for (const Asset& a : assets) {
    const std::filesystem::path file = dir / a.entry->path;
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(a.bytes.data()), static_cast<std::streamsize>(a.bytes.size()));
    out.close();
    if (!out) {
      if (error != nullptr) *error = "cannot write " + file.string();
      return false;
    }
  }
  return true;
}

Image ContactSheet(const std::vector<Asset>& assets, int maxWidth) {
  struct Placed {
    const Asset* asset;
    int x, y;
  };
  std::vector<Placed> placed;
  int x = 8, y = 8, rowHeight = 0, width = 0;
  for (const Asset& a : assets) {
    if (!a.picture) continue;
    const int w = std::max(a.picture->width(), TextWidth(a.entry->path.substr(a.entry->path.find('/') + 1), 1));
    const int h = a.picture->height() + 12;
    if (x + w > maxWidth && x > 8) {
      x = 8;
      y += rowHeight + 10;
      rowHeight = 0;
    }
    placed.push_back({&a, x, y});
    x += w + 10;
    width = std::max(width, x);
    rowHeight = std::max(rowHeight, h);
  }
  Image sheet(std::max(width, 16), y + rowHeight + 8);
  for (int py = 0; py < sheet.height(); ++py)
    for (int px = 0; px < sheet.width(); ++px)
      sheet.Put(px, py, ((px / 8 + py / 8) % 2) ? Rgb{34, 34, 40} : Rgb{26, 26, 30});
  for (const Placed& p : placed) {
    const Image& pic = *p.asset->picture;
    for (int py = 0; py < pic.height(); ++py)
      for (int px = 0; px < pic.width(); ++px) {
        const Rgb c = pic.At(px, py);
        // Transparent black shows as the checker; opaque pictures show whole.
        if (!(c == kBlack)) sheet.Put(p.x + px, p.y + 10 + py, c);
      }
    const std::string& path = p.asset->entry->path;
    DrawText(sheet, p.x, p.y, path.substr(path.find('/') + 1), 1, Solid({230, 230, 120}));
  }
  return sheet;
}

}  // namespace assetgen
