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
  std::vector<uint8_t> out = {'B', 'M'};
  const uint32_t w = static_cast<uint32_t>(width), h = static_cast<uint32_t>(height);
  // File header, then the info header (1 plane, 24 bits, 2835 pixels a metre).
  for (uint32_t v : {54 + data_size, 0u, 54u, 40u, w, h, 1u | 24u << 16, 0u, data_size, 2835u,
                     2835u, 0u, 0u}) {
    for (int b = 0; b < 4; ++b) out.push_back(static_cast<uint8_t>(v >> (8 * b)));
  }
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
