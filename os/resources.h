// Data built into the program, looked up by type and name (names and types
// compare ignoring case).  The program registers what it carries at start;
// loaders fall back to it when a file is missing.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace os {

void AddResource(std::string_view type, std::string_view name, std::vector<uint8_t> data);
// The registered bytes, valid until the resource is replaced or cleared.
bool FindResource(std::string_view type, std::string_view name, std::span<const uint8_t>* out);
void ClearResources();

}  // namespace os
