#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/tools/assetgen_support.h"
#include "tools/assetgen/font.h"

namespace assetgen_test {

using assetgen::Catalogue;
using assetgen::CatalogueEntry;
using assetgen::Image;
using assetgen::Rgb;

namespace {

std::uint32_t Le(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
  return v;
}

// The executable's size and modification time: a rebuilt generator (or
// catalogue) gives a new test executable and so a new stamp.
std::string ExeStamp() {
  struct stat st {};
  if (::stat("/proc/self/exe", &st) != 0) return "unknown";
  return std::to_string(st.st_size) + " " + std::to_string(st.st_mtim.tv_sec) + "." +
         std::to_string(st.st_mtim.tv_nsec);
}

std::string ReadText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

const std::filesystem::path& Folder() {
  static const std::filesystem::path dir =
      std::filesystem::read_symlink("/proc/self/exe").parent_path() / "assetgen_cache";
  return dir;
}

// ctest runs every case in a process of its own: the first process to take
// the lock generates the assets and writes them beside the executable with
// the executable's stamp; the others read those files back instead of
// generating everything again (TwoRunsGiveTheSameBytes still generates anew
// and compares).
const std::vector<assetgen::Asset>& Generated() {
  static const std::vector<assetgen::Asset> assets = [] {
    namespace fs = std::filesystem;
    const std::string lock_path = Folder().string() + ".lock";
    const int lock = ::open(lock_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (lock < 0 || ::flock(lock, LOCK_EX) != 0) ADD_FAILURE() << "cannot lock " << lock_path;
    const fs::path stamp = Folder() / "stamp";
    std::vector<assetgen::Asset> a;
    if (ReadText(stamp) == ExeStamp()) {
      for (const CatalogueEntry& e : Catalogue()) {
        assetgen::Asset asset{&e, ReadFile(Folder() / e.path), std::nullopt};
        if (e.kind == assetgen::AssetKind::kPicture) {
          std::string error;
          asset.picture = ReadBmp(asset.bytes, &error);
          if (!error.empty()) ADD_FAILURE() << e.path << ": " << error;
        }
        a.push_back(std::move(asset));
      }
    } else {
      a = assetgen::BuildAssets();
      std::error_code ec;
      fs::remove_all(Folder(), ec);
      std::string error;
      if (assetgen::WriteAssets(a, Folder(), &error)) {
        std::ofstream(stamp, std::ios::binary) << ExeStamp();
      } else {
        ADD_FAILURE() << error;
      }
    }
    if (lock >= 0) ::close(lock);  // gives the lock back
    return a;
  }();
  return assets;
}

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary | std::ios::ate);
  if (!in) return {};
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(in.tellg()));
  in.seekg(0);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!in) bytes.clear();
  return bytes;
}

Image ReadBmp(const std::vector<std::uint8_t>& b, std::string* error) {
  auto fail = [&](const char* why) {
    *error = why;
    return Image();
  };
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return fail("no BM signature");
  if (Le(b, 2, 4) != b.size()) return fail("file size field wrong");
  if (Le(b, 10, 4) != 54) return fail("pixel offset not 54");
  if (Le(b, 14, 4) != 40) return fail("info header not 40 bytes");
  const auto w = static_cast<std::int32_t>(Le(b, 18, 4)), h = static_cast<std::int32_t>(Le(b, 22, 4));
  if (w <= 0 || h <= 0) return fail("not bottom-up or empty");
  if (Le(b, 26, 2) != 1 || Le(b, 28, 2) != 24 || Le(b, 30, 4) != 0) return fail("not 24-bit uncompressed");
  const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t{3};
  if (Le(b, 34, 4) != stride * static_cast<std::size_t>(h)) return fail("image size field wrong");
  if (b.size() != 54 + stride * static_cast<std::size_t>(h)) return fail("pixel data length wrong");
  Image img(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::size_t at = 54 + static_cast<std::size_t>(h - 1 - y) * stride + static_cast<std::size_t>(x) * 3;
      const Rgb c{b[at + 2], b[at + 1], b[at]};
      if (c == assetgen::kBlack) continue;
      if (c.r < assetgen::kMinChannel || c.g < assetgen::kMinChannel || c.b < assetgen::kMinChannel) {
        *error = "near-black pixel";  // Put() would hide it by lifting, so report it here
        return Image();
      }
      img.Put(x, y, c);
    }
  return img;
}

const CatalogueEntry& Entry(const std::string& path) {
  for (const CatalogueEntry& e : Catalogue())
    if (e.path == path) return e;
  throw std::runtime_error("no catalogue entry " + path);
}

const Image& Picture(const std::string& path) {
  for (const assetgen::Asset& a : Generated())
    if (a.entry->path == path) return *a.picture;
  throw std::runtime_error("no picture " + path);
}

namespace {

int Ink(const Image& img, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) n += img.Inked(x, y);
  return n;
}

double RowDifference(const Image& img, int ya, int yb) {
  double sum = 0;
  for (int x = 0; x < img.width(); ++x) {
    const Rgb a = img.At(x, ya), b = img.At(x, yb);
    sum += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
  }
  return sum / img.width();
}

TEST(AssetgenCatalogue, EmbeddedCatalogueMatchesTheProjectCopy) {
  std::ifstream in(VANTRIS_ASSETGEN_CATALOGUE, std::ios::binary);
  const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(file, std::string(assetgen::CatalogueText()));
  // 154 start-up loads (one file twice), three ship sheets, eight pieces of music.
  EXPECT_EQ(Catalogue().size(), 153u + 3u + 8u);
  std::set<std::string> paths;
  for (const CatalogueEntry& e : Catalogue()) EXPECT_TRUE(paths.insert(e.path).second) << e.path;
  EXPECT_TRUE(paths.count("IMAGE/FLZ01_l.BMP") && paths.count("IMAGE/VAL20w.BMP") && paths.count("MYME2.BMP"));
}

TEST(AssetgenCatalogue, ParsesCellGridsAndRejectsBadRows) {
  const auto rows = assetgen::ParseCatalogue(
      "path\tglobal\tload_order\twidth\theight\tcells\tdrawn_as\tdepicts\n"
      "IMAGE/A.BMP\tImgA\t1\t480\t120\t8x2 of 60x60\tadditive, half\tx\n"
      "MIDI/X.MID\tscene\t\t\t\t\t\tmusic\n");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].cells.cols, 8);
  EXPECT_EQ(rows[0].cells.rows, 2);
  EXPECT_EQ(rows[0].cells.width, 60);
  EXPECT_TRUE(rows[0].DrawnAs("half"));
  EXPECT_FALSE(rows[0].DrawnAs("keyed"));
  EXPECT_EQ(rows[1].kind, assetgen::AssetKind::kMusic);
  EXPECT_THROW(assetgen::ParseCatalogue("h\nIMAGE/B.BMP\tG\t1\t10\t10\t4x1 of 5x5\tkeyed\tx\n"), std::runtime_error);
  EXPECT_THROW(assetgen::ParseCatalogue("h\nIMAGE/B.BMP\tG\t1\t1O\t10\t1\tkeyed\tx\n"), std::runtime_error);
}

TEST(AssetgenBmp, EncodesBottomUpRowsWithPadding) {
  Image img(3, 2);
  img.Put(0, 0, {255, 0, 0});  // top-left
  img.Put(2, 1, {0, 0, 255});  // bottom-right
  const auto b = assetgen::EncodeBmp(img);
  ASSERT_EQ(b.size(), 54u + 2 * 12);  // 9 bytes of pixels padded to 12 per row
  // The bottom row comes first: its last pixel is blue, stored B, G, R.
  EXPECT_EQ(b[54 + 6], 255);
  EXPECT_EQ(b[54 + 8], assetgen::kMinChannel);  // red lifted to the visible floor
  EXPECT_EQ(b[54 + 9], 0);                      // padding
  EXPECT_EQ(b[54 + 12 + 2], 255);               // top row, first pixel red
  std::string error;
  const Image back = ReadBmp(b, &error);
  EXPECT_EQ(error, "");
  EXPECT_EQ(back.At(0, 0), (Rgb{255, 16, 16}));
  EXPECT_EQ(back.At(1, 0), assetgen::kBlack);
}

TEST(AssetgenFiles, EveryCatalogueFileIsWrittenWithItsExactSize) {
  for (const assetgen::Asset& a : Generated()) {
    const CatalogueEntry& e = *a.entry;
    const auto bytes = ReadFile(Folder() / e.path);
    ASSERT_EQ(bytes, a.bytes) << e.path;
    if (e.kind != assetgen::AssetKind::kPicture) continue;
    std::string error;
    const Image img = ReadBmp(bytes, &error);
    ASSERT_EQ(error, "") << e.path;
    EXPECT_EQ(img.width(), e.width) << e.path;
    EXPECT_EQ(img.height(), e.height) << e.path;
    EXPECT_GT(std::count_if(img.pixels().begin(), img.pixels().end(), [](Rgb c) { return !(c == assetgen::kBlack); }),
              0)
        << e.path << " is empty";
  }
  // Mixed-case names keep their case on disk.
  EXPECT_TRUE(std::filesystem::exists(Folder() / "IMAGE" / "FLZ01_l.BMP"));
  EXPECT_TRUE(std::filesystem::exists(Folder() / "MYME2.BMP"));
}

TEST(AssetgenFiles, TwoRunsGiveTheSameBytes) {
  const auto again = assetgen::BuildAssets();
  ASSERT_EQ(again.size(), Generated().size());
  for (std::size_t i = 0; i < again.size(); ++i) EXPECT_EQ(again[i].bytes, Generated()[i].bytes) << again[i].entry->path;
}

TEST(AssetgenPictures, DigitCellsHoldInkWhereTheHudCutsThem) {
  const Image& suji = Picture("IMAGE/SUJI09.BMP");
  const Image& mymy = Picture("IMAGE/MYMY.BMP");
  std::set<std::vector<bool>> shapes;
  for (int d = 0; d < 10; ++d) {
    EXPECT_GT(Ink(suji, 20 * d, 0, 20 * d + 19, 24), 60) << "score digit " << d;
    EXPECT_GT(Ink(mymy, 8 + 7 * d, 70, 14 + 7 * d, 79), 10) << "small digit " << d;
    std::vector<bool> shape;
    for (int y = 70; y < 80; ++y)
      for (int x = 0; x < 7; ++x) shape.push_back(mymy.Inked(8 + 7 * d + x, y));
    shapes.insert(shape);
  }
  EXPECT_EQ(shapes.size(), 10u) << "every small digit must look different";
  EXPECT_GT(Ink(mymy, 81, 70, 135, 79), 60) << "game-over banner";
  for (int f = 0; f < 7; ++f) EXPECT_GT(Ink(mymy, 139 + 3 * f, 70, 141 + 3 * f, 79), 3) << "speck " << f;
  EXPECT_GT(Ink(mymy, 170, 70, 193, 79), 30) << "bombs label";
  EXPECT_GT(Ink(mymy, 200, 70, 223, 79), 30) << "lives label";
  EXPECT_EQ(Ink(mymy, 0, 0, 223, 69), 0) << "only the row band 70-79 is used";
}

TEST(AssetgenPictures, LayerStripsJoinTopToBottom) {
  for (const char* path : {"IMAGE/BBACK1S.BMP", "IMAGE/BBACK2S.BMP", "IMAGE/BBACK3S.BMP", "IMAGE/BBACK6S.BMP"}) {
    const Image& img = Picture(path);
    std::vector<double> inner;
    for (int y = 0; y + 1 < img.height(); ++y) inner.push_back(RowDifference(img, y, y + 1));
    std::sort(inner.begin(), inner.end());
    const double typical = inner[inner.size() * 95 / 100];
    EXPECT_LE(RowDifference(img, img.height() - 1, 0), typical + 1.0) << path;
  }
  const Image& opaque = Picture("IMAGE/BBACK2S.BMP");
  EXPECT_TRUE(std::none_of(opaque.pixels().begin(), opaque.pixels().end(),
                           [](Rgb c) { return c == assetgen::kBlack; }))
      << "the opaque layer is painted all over";
}

TEST(AssetgenPictures, AnimationCellsAllDiffer) {
  for (const CatalogueEntry& e : Catalogue()) {
    if (e.kind != assetgen::AssetKind::kPicture || e.CellCount() < 2) continue;
    const Image& img = Picture(e.path);
    std::set<std::vector<Rgb>> cells;
    for (int r = 0; r < e.cells.rows; ++r)
      for (int c = 0; c < e.cells.cols; ++c) {
        const Image cell = assetgen::Crop(img, c * e.cells.width, r * e.cells.height, e.cells.width, e.cells.height);
        EXPECT_GT(Ink(cell, 0, 0, cell.width() - 1, cell.height() - 1), 4) << e.path << " cell " << c << "," << r;
        cells.insert(cell.pixels());
      }
    EXPECT_EQ(cells.size(), static_cast<std::size_t>(e.CellCount())) << e.path;
  }
}

TEST(AssetgenPictures, RotatedArtStaysInsideTheInscribedCircleAndPointsTheRightWay) {
  for (const CatalogueEntry& e : Catalogue()) {
    if (!e.DrawnAs("rotated")) continue;
    const Image& img = Picture(e.path);
    const double cx = e.width / 2.0, cy = e.height / 2.0, r = std::min(e.width, e.height) / 2.0;
    for (int y = 0; y < e.height; ++y)
      for (int x = 0; x < e.width; ++x)
        if (img.Inked(x, y)) {
          ASSERT_LE(std::hypot(x + 0.5 - cx, y + 0.5 - cy), r + 0.01) << e.path << " at " << x << "," << y;
        }
  }
  // Mirrored pairs: the right-pointing twin is the left-pointing art flipped.
  const std::pair<const char*, const char*> twins[] = {{"IMAGE/VALL3013.BMP", "IMAGE/VALL3014.BMP"},
                                                       {"IMAGE/VAL20w.BMP", "IMAGE/VAL21w.BMP"},
                                                       {"IMAGE/VALL3015.BMP", "IMAGE/VALL3016.BMP"},
                                                       {"IMAGE/VALL3017.BMP", "IMAGE/VALL3018.BMP"},
                                                       {"IMAGE/VAL3017A.BMP", "IMAGE/VAL3018A.BMP"}};
  for (const auto& [left, right] : twins) {
    EXPECT_EQ(assetgen::MirrorX(Picture(left)).pixels(), Picture(right).pixels()) << right;
    // The nose (the brightest, heaviest end) is on the left half.
    const Image& img = Picture(left);
    EXPECT_GT(Ink(img, 0, 0, img.width() / 2 - 1, img.height() - 1),
              Ink(img, (img.width() + 1) / 2, 0, img.width() - 1, img.height() - 1))
        << left;
  }
  // Up-pointing darts: ink reaches nearer the top edge than the bottom edge.
  for (const char* path : {"IMAGE/VALL301.BMP", "IMAGE/VALL302.BMP", "IMAGE/VALL3011.BMP", "IMAGE/VAL40L.BMP"}) {
    const Image& img = Picture(path);
    int top = img.height(), bottom = -1;
    for (int y = 0; y < img.height(); ++y)
      if (Ink(img, 0, y, img.width() - 1, y) > 0) top = std::min(top, y), bottom = std::max(bottom, y);
    EXPECT_LT(top, img.height() - 1 - bottom) << path;
  }
  // Spinning enemies have no symmetry that would hide their turn.
  for (const char* path : {"IMAGE/SZAK6.BMP", "IMAGE/SZAK40.BMP", "IMAGE/SZAK41.BMP"}) {
    const Image& img = Picture(path);
    EXPECT_NE(assetgen::MirrorX(img).pixels(), img.pixels()) << path;
    int same = 0, inked = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        inked += img.Inked(x, y);
        same += img.Inked(x, y) && img.At(x, y) == img.At(img.width() - 1 - x, img.height() - 1 - y);
      }
    EXPECT_LT(same, inked / 2) << path << " looks the same turned half way";
  }
}

TEST(AssetgenPictures, MirroredEnemiesAndShipSheets) {
  EXPECT_EQ(assetgen::MirrorX(Picture("IMAGE/SZAK21.BMP")).pixels(), Picture("IMAGE/SZAK22.BMP").pixels());
  EXPECT_EQ(Picture("IMAGE/MYME1.BMP").pixels(), Picture("MYME1.BMP").pixels());
  EXPECT_NE(Picture("MYME1.BMP").pixels(), Picture("MYME2.BMP").pixels());
  // Banking right (frames 0-2) and left (4-6) lean opposite ways: the ink of the
  // full right bank sits further right than that of the full left bank.
  const Image& ship = Picture("IMAGE/MYME1.BMP");
  auto meanX = [&](int f) {
    double sum = 0;
    int n = 0;
    for (int y = 8; y < 70; ++y)
      for (int x = 0; x < 60; ++x)
        if (ship.Inked(60 * f + x, y)) sum += x, ++n;
    return sum / n;
  };
  EXPECT_NE(meanX(0), meanX(6));
}

TEST(AssetgenPictures, AdditiveArtKeepsToMidIntensity) {
  for (const CatalogueEntry& e : Catalogue()) {
    if (!e.DrawnAs("additive") || e.kind != assetgen::AssetKind::kPicture) continue;
    const Image& img = Picture(e.path);
    double sum = 0;
    int n = 0;
    for (Rgb c : img.pixels())
      if (!(c == assetgen::kBlack)) sum += std::max({c.r, c.g, c.b}), ++n;
    ASSERT_GT(n, 0) << e.path;
    EXPECT_LT(sum / n, 185) << e.path << " would saturate when bullets overlap";
  }
}

}  // namespace
}  // namespace assetgen_test
