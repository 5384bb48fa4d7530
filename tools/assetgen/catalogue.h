// The list of every file the game opens, read from catalogue.tsv (embedded
// into the generator at configure time).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace assetgen {

enum class AssetKind { kPicture, kSound, kMusic };

struct CellGrid {
  int cols = 1, rows = 1;
  int width = 0, height = 0;  // of one cell
  bool sheet = false;         // items at free positions rather than a grid
};

struct CatalogueEntry {
  std::string path;
  std::string global;
  int width = 0, height = 0;
  CellGrid cells;
  std::string drawnAs;
  std::string depicts;
  AssetKind kind = AssetKind::kPicture;

  bool DrawnAs(std::string_view mode) const;  // e.g. "additive"
  bool NeverDrawn() const { return drawnAs == "none"; }
  int CellCount() const { return cells.cols * cells.rows; }
};

// Parses the tab-separated text (header row first). Throws std::runtime_error
// on a malformed row.
std::vector<CatalogueEntry> ParseCatalogue(std::string_view tsv);

// The embedded catalogue; one entry per row (a file can appear once only).
const std::vector<CatalogueEntry>& Catalogue();
std::string_view CatalogueText();

}  // namespace assetgen
