#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

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

// The first test process to take the lock generates the assets beside the
// executable with its stamp; the others read those files back.
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

const Image& Picture(const std::string& path) {
  for (const assetgen::Asset& a : Generated())
    if (a.entry->path == path) return *a.picture;
  throw std::runtime_error("no picture " + path);
}

namespace {

TEST(AssetgenFiles, EveryFileIsWrittenAtItsSizeAndTwoRunsAgree) {
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
    EXPECT_TRUE(std::any_of(img.pixels().begin(), img.pixels().end(),
                            [](Rgb c) { return !(c == assetgen::kBlack); })) << e.path;
  }
  EXPECT_TRUE(std::filesystem::exists(Folder() / "IMAGE" / "FLZ01_l.BMP"));  // case kept
  const auto again = assetgen::BuildAssets();
  ASSERT_EQ(again.size(), Generated().size());
  for (std::size_t i = 0; i < again.size(); ++i) EXPECT_EQ(again[i].bytes, Generated()[i].bytes);
}

TEST(AssetgenPictures, RotatedArtStaysInsideTheInscribedCircleAndAdditiveArtIsMidIntensity) {
  for (const CatalogueEntry& e : Catalogue()) {
    if (e.kind != assetgen::AssetKind::kPicture) continue;
    const Image& img = Picture(e.path);
    if (e.DrawnAs("rotated")) {
      const double cx = e.width / 2.0, cy = e.height / 2.0, r = std::min(e.width, e.height) / 2.0;
      for (int y = 0; y < e.height; ++y)
        for (int x = 0; x < e.width; ++x)
          if (img.Inked(x, y)) {
            ASSERT_LE(std::hypot(x + 0.5 - cx, y + 0.5 - cy), r + 0.01) << e.path << " at " << x << "," << y;
          }
    }
    if (e.DrawnAs("additive")) {
      double sum = 0;
      int n = 0;
      for (Rgb c : img.pixels())
        if (!(c == assetgen::kBlack)) sum += std::max({c.r, c.g, c.b}), ++n;
      EXPECT_LT(sum / std::max(n, 1), 185) << e.path << " would saturate when bullets overlap";
    }
  }
  EXPECT_EQ(assetgen::MirrorX(Picture("IMAGE/VAL20w.BMP")).pixels(), Picture("IMAGE/VAL21w.BMP").pixels());
}

// Nothing but the art tells the cells of a strip apart, so no two cells of a
// row may be alike.
TEST(AssetgenPictures, EveryCellOfARowDiffersFromTheOthers) {
  for (const CatalogueEntry& e : Catalogue()) {
    if (e.kind != assetgen::AssetKind::kPicture || e.cells.sheet || e.cells.cols < 2) continue;
    const Image& img = Picture(e.path);
    const int w = e.cells.width, h = e.cells.height;
    for (int r = 0; r < e.cells.rows; ++r)
      for (int a = 0; a < e.cells.cols; ++a)
        for (int b = a + 1; b < e.cells.cols; ++b)
          EXPECT_NE(assetgen::Crop(img, a * w, r * h, w, h).pixels(),
                    assetgen::Crop(img, b * w, r * h, w, h).pixels())
              << e.path << " row " << r << ": cells " << a << " and " << b;
  }
}

// Cells of 40 pixels and more hold their art away from the corners, so ink in
// a top-left corner is a mark on the art (a cell number, say), not the art.
TEST(AssetgenPictures, LargeCellsKeepTheirTopLeftCornersClear) {
  for (const CatalogueEntry& e : Catalogue()) {
    if (e.kind != assetgen::AssetKind::kPicture || e.cells.sheet || e.CellCount() < 2) continue;
    if (e.cells.width < 40 || e.cells.height < 40) continue;
    const Image& img = Picture(e.path);
    for (int r = 0; r < e.cells.rows; ++r)
      for (int c = 0; c < e.cells.cols; ++c)
        for (int y = 0; y < 8; ++y)
          for (int x = 0; x < 10; ++x)
            ASSERT_FALSE(img.Inked(c * e.cells.width + x, r * e.cells.height + y))
                << e.path << " cell " << c << "," << r << " at " << x << "," << y;
  }
}

// The bursts spread from a small start, and their last cell is thinner than
// their fullest.
TEST(AssetgenPictures, BurstsGrowAndThinOverTheirCells) {
  for (const char* path : {"IMAGE/ZBAK1B.BMP", "IMAGE/ZBAK2B.BMP", "IMAGE/BBAK1B.BMP", "IMAGE/GFBAK1.BMP"}) {
    const CatalogueEntry& e = *std::find_if(Catalogue().begin(), Catalogue().end(),
                                            [&](const CatalogueEntry& c) { return c.path == path; });
    const Image& img = Picture(path);
    const int w = e.cells.width, h = e.cells.height, cols = e.cells.cols;
    double firstReach = 0, widestReach = 0;
    int mostInk = 0, lastInk = 0;
    for (int i = 0; i < cols; ++i) {  // the first row
      double reach = 0;
      int ink = 0;
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
          if (img.Inked(i * w + x, y)) {
            reach = std::max(reach, std::hypot(x + 0.5 - w / 2.0, y + 0.5 - h / 2.0));
            ++ink;
          }
      if (i == 0) firstReach = reach;
      widestReach = std::max(widestReach, reach);
      mostInk = std::max(mostInk, ink);
      lastInk = ink;
    }
    EXPECT_LT(firstReach * 1.5, widestReach) << path;
    EXPECT_LT(lastInk * 1.2, mostInk) << path;
  }
}

// The window's icon, clean on any task bar: a badge reaching every edge but
// its rounded-off corners, which are transparent, dark around a bright ship
// that stands along its middle.
TEST(AssetgenPictures, TheWindowIconIsABrightShipOnADarkBadgeWithClearCorners) {
  const Image& icon = Picture("ICON/MAIN.BMP");
  const int last = icon.width() - 1;
  for (const auto& [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}, {2, 2}})
    EXPECT_FALSE(icon.Inked(x, y)) << x << "," << y;
  for (const auto& [x, y] : {std::pair{last / 2, 0}, {0, last / 2}, {last, last / 2}, {last / 2, last}})
    EXPECT_TRUE(icon.Inked(x, y)) << x << "," << y;
  const auto inked = std::count_if(icon.pixels().begin(), icon.pixels().end(),
                                   [](Rgb c) { return !(c == assetgen::kBlack); });
  EXPECT_GT(inked, icon.width() * icon.height() * 9 / 10);
  int bright_rows = 0;
  for (int y = 0; y <= last; ++y) bright_rows += assetgen::Luma(icon.At(last / 2, y)) > 120;
  EXPECT_GT(bright_rows, icon.height() / 2);
  for (const auto& [x, y] : {std::pair{8, 8}, {last - 8, 8}, {8, last - 8}})
    EXPECT_LT(assetgen::Luma(icon.At(x, y)), 60) << x << "," << y;
}

// The lumas of a picture's drawn (non-black) pixels, darkest first.
std::vector<double> InkLumas(const Image& img) {
  std::vector<double> l;
  for (Rgb c : img.pixels())
    if (!(c == assetgen::kBlack)) l.push_back(assetgen::Luma(c));
  std::sort(l.begin(), l.end());
  return l;
}

double Percentile(const std::vector<double>& sorted, double q) {
  if (sorted.empty()) return 0;  // a blank picture fails the file test
  return sorted[std::min(sorted.size() - 1, static_cast<std::size_t>(q * static_cast<double>(sorted.size())))];
}

// What the player must pick out over a backdrop: every shot, beam and thrown
// part, and the HUD's figures, told by the words of their catalogue rows.
bool StandsOnBackdrops(const CatalogueEntry& e) {
  static const std::set<std::string> words = {"bullet", "laser", "orb", "energy", "ray", "arm", "HUD", "digits"};
  std::string text = e.depicts;
  for (char& c : text)
    if (!std::isalpha(static_cast<unsigned char>(c))) c = ' ';
  std::istringstream in(text);
  for (std::string w; in >> w;)
    if (words.contains(w)) return true;
  return false;
}

// Luma of a picture's drawn pixels: spread is the standard deviation, core
// and highlight the 90th and 99th percentiles.
struct Brightness {
  std::string path;
  double mean, spread, median, core, highlight;
};

Brightness Measure(const CatalogueEntry& e) {
  const std::vector<double> l = InkLumas(Picture(e.path));
  Brightness b{e.path, 0, 0, Percentile(l, 0.5), Percentile(l, 0.9), Percentile(l, 0.99)};
  for (double v : l) b.mean += v / static_cast<double>(l.size());
  for (double v : l) b.spread += (v - b.mean) * (v - b.mean) / static_cast<double>(l.size());
  b.spread = std::sqrt(b.spread);
  return b;
}

// The stage backdrops (the catalogue's background strips) lie under all the
// shots and the HUD: they stay dim and even, and every shot's ink stands
// clearly brighter than their pixels.
TEST(AssetgenPictures, BackdropsStayDimAndCalmUnderTheShotsAndTheHud) {
  std::vector<Brightness> backdrops, shots;
  for (const CatalogueEntry& e : Catalogue()) {
    if (e.kind != assetgen::AssetKind::kPicture || e.NeverDrawn()) continue;
    if (e.depicts.find("background strip") != std::string::npos)
      backdrops.push_back(Measure(e));
    else if (StandsOnBackdrops(e))
      shots.push_back(Measure(e));
  }
  ASSERT_GE(backdrops.size(), 4u);
  ASSERT_GE(shots.size(), 40u);
  // The dimmest shots by their typical pixel and by their bright core.
  const Brightness& dullest = *std::min_element(
      shots.begin(), shots.end(), [](const Brightness& a, const Brightness& b) { return a.median < b.median; });
  const Brightness& faintest = *std::min_element(
      shots.begin(), shots.end(), [](const Brightness& a, const Brightness& b) { return a.core < b.core; });
  for (const Brightness& b : backdrops) {
    EXPECT_LE(b.mean, 48) << b.path;
    EXPECT_LE(b.highlight, 64) << b.path << ": its highlights could pass for shots";
    EXPECT_LE(b.spread, 12) << b.path << " is too busy under the shots";
    EXPECT_GE(dullest.median, 1.5 * b.median) << dullest.path << " sinks into " << b.path;
    EXPECT_GE(faintest.core, b.highlight + 40) << faintest.path << " sinks into " << b.path;
  }
}

}  // namespace
}  // namespace assetgen_test
