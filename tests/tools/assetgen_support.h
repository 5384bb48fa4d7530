// Shared helpers of the asset generator tests: one generation run written to
// a folder beside the test executable and shared by its test processes, and
// strict readers for the files it writes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/assetgen/catalogue.h"
#include "tools/assetgen/generate.h"
#include "tools/assetgen/image.h"

namespace assetgen_test {

// The assets of one BuildAssets() run, as written under Folder() (read back
// from there when another process of the same executable wrote them).
const std::vector<assetgen::Asset>& Generated();
const std::filesystem::path& Folder();

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& file);

// Reads a 24-bit bottom-up BMP, checking every header field the game's
// loader relies on; fills error and returns an empty image on a bad file.
assetgen::Image ReadBmp(const std::vector<std::uint8_t>& bytes, std::string* error);

const assetgen::CatalogueEntry& Entry(const std::string& path);
const assetgen::Image& Picture(const std::string& path);

}  // namespace assetgen_test
