#include "tools/assetgen/catalogue.h"

#include <charconv>
#include <stdexcept>

#include "catalogue_data.h"

namespace assetgen {

namespace {

std::vector<std::string_view> Split(std::string_view s, char sep) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  for (;;) {
    const std::size_t pos = s.find(sep, start);
    if (pos == std::string_view::npos) {
      out.push_back(s.substr(start));
      return out;
    }
    out.push_back(s.substr(start, pos - start));
    start = pos + 1;
  }
}

int ToInt(std::string_view s, std::string_view what) {
  int v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size())
    throw std::runtime_error("catalogue: bad " + std::string(what) + " '" + std::string(s) + "'");
  return v;
}

CellGrid ParseCells(std::string_view s, int width, int height) {
  CellGrid g;
  if (s == "1") return {1, 1, width, height, false};
  if (s == "sheet") return {1, 1, width, height, true};
  // "CxR of WxH"
  const std::size_t of = s.find(" of ");
  if (of == std::string_view::npos) throw std::runtime_error("catalogue: bad cells '" + std::string(s) + "'");
  const auto grid = Split(s.substr(0, of), 'x');
  const auto cell = Split(s.substr(of + 4), 'x');
  if (grid.size() != 2 || cell.size() != 2) throw std::runtime_error("catalogue: bad cells '" + std::string(s) + "'");
  g.cols = ToInt(grid[0], "cell columns");
  g.rows = ToInt(grid[1], "cell rows");
  g.width = ToInt(cell[0], "cell width");
  g.height = ToInt(cell[1], "cell height");
  return g;
}

}  // namespace

bool CatalogueEntry::DrawnAs(std::string_view mode) const {
  for (std::string_view part : Split(drawnAs, ',')) {
    while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
    if (part == mode) return true;
  }
  return false;
}

std::vector<CatalogueEntry> ParseCatalogue(std::string_view tsv) {
  std::vector<CatalogueEntry> out;
  bool header = true;
  for (std::string_view line : Split(tsv, '\n')) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    if (header) {
      header = false;
      continue;
    }
    const auto cols = Split(line, '\t');
    if (cols.size() < 8) throw std::runtime_error("catalogue: short row '" + std::string(line) + "'");
    CatalogueEntry e;
    e.path = cols[0];
    e.global = cols[1];
    e.drawnAs = cols[6];
    e.depicts = cols[7];
    if (e.path.starts_with("MIDI/")) {
      e.kind = AssetKind::kMusic;
    } else if (e.path.starts_with("SOUND/")) {
      e.kind = AssetKind::kSound;
    } else {
      e.kind = AssetKind::kPicture;
      e.width = ToInt(cols[3], "width");
      e.height = ToInt(cols[4], "height");
      e.cells = ParseCells(cols[5], e.width, e.height);
      if (e.cells.cols * e.cells.width > e.width || e.cells.rows * e.cells.height > e.height)
        throw std::runtime_error("catalogue: cells exceed the picture in '" + e.path + "'");
    }
    out.push_back(std::move(e));
  }
  return out;
}

const std::vector<CatalogueEntry>& Catalogue() {
  static const std::vector<CatalogueEntry> entries = ParseCatalogue(kCatalogueTsv);
  return entries;
}

std::string_view CatalogueText() { return kCatalogueTsv; }

}  // namespace assetgen
