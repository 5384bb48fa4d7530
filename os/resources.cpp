#include "os/resources.h"

#include <cctype>
#include <map>
#include <string>

namespace os {
namespace {

std::string Key(std::string_view type, std::string_view name) {
  std::string key;
  key.reserve(type.size() + name.size() + 1);
  for (char c : type) key += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  key += '\0';
  for (char c : name) key += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return key;
}

std::map<std::string, std::vector<uint8_t>>& Table() {
  static std::map<std::string, std::vector<uint8_t>> table;
  return table;
}

}  // namespace

void AddResource(std::string_view type, std::string_view name, std::vector<uint8_t> data) {
  Table()[Key(type, name)] = std::move(data);
}

bool FindResource(std::string_view type, std::string_view name, std::span<const uint8_t>* out) {
  auto it = Table().find(Key(type, name));
  if (it == Table().end()) return false;
  if (out) *out = it->second;
  return true;
}

void ClearResources() { Table().clear(); }

}  // namespace os
