// Produces every file of the catalogue, in memory or into a folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tools/assetgen/catalogue.h"
#include "tools/assetgen/image.h"

namespace assetgen {

struct Asset {
  const CatalogueEntry* entry;
  std::vector<std::uint8_t> bytes;  // the file's content
  std::optional<Image> picture;     // for pictures, the pixels that were encoded
};

// One asset per catalogue row, in catalogue order.
std::vector<Asset> BuildAssets();

// Writes every asset under dir (creating IMAGE/, SOUND/ and MIDI/). Returns
// false and fills error when a file cannot be written.
bool WriteAssets(const std::vector<Asset>& assets, const std::filesystem::path& dir, std::string* error);

// Every picture on one sheet, labelled, over a dark checker so that the
// transparent black shows.
Image ContactSheet(const std::vector<Asset>& assets, int maxWidth);

}  // namespace assetgen
