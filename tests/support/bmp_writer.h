// Writes small BMP files for tests: 24-bit bottom-up pictures from a colour
// function (0x00RRGGBB per pixel, rows from the top).
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace vantris_test {

template <typename ColourAt>
std::vector<uint8_t> MakeBmp24(int width, int height, ColourAt colour_at) {
  const int stride = (width * 3 + 3) / 4 * 4;
  const uint32_t data_size = static_cast<uint32_t>(stride * height);
  std::vector<uint8_t> out;
  auto u16 = [&out](uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
  };
  auto u32 = [&](uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  };
  out.push_back('B');
  out.push_back('M');
  u32(54 + data_size);
  u32(0);
  u32(54);
  u32(40);
  u32(static_cast<uint32_t>(width));
  u32(static_cast<uint32_t>(height));
  u16(1);
  u16(24);
  u32(0);
  u32(data_size);
  u32(2835);
  u32(2835);
  u32(0);
  u32(0);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t c = colour_at(x, y);
      out.push_back(static_cast<uint8_t>(c));        // blue
      out.push_back(static_cast<uint8_t>(c >> 8));   // green
      out.push_back(static_cast<uint8_t>(c >> 16));  // red
    }
    for (int pad = width * 3; pad < stride; ++pad) out.push_back(0);
  }
  return out;
}

inline bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace vantris_test
