#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/assetgen/catalogue.h"
#include "tools/assetgen/generate.h"
#include "tools/assetgen/image.h"

namespace assetgen_test {

// One BuildAssets() run, written under Folder() and shared by the test processes.
const std::vector<assetgen::Asset>& Generated();
const std::filesystem::path& Folder();
std::vector<std::uint8_t> ReadFile(const std::filesystem::path& file);

// A strict 24-bit bottom-up BMP reader: fills error on a bad file.
assetgen::Image ReadBmp(const std::vector<std::uint8_t>& bytes, std::string* error);
const assetgen::Image& Picture(const std::string& path);

}  // namespace assetgen_test
