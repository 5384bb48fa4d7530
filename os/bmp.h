// The BMP decoder.  Pictures arrive from disk here first, so every field of
// a file is checked before it is used: the decoder never reads outside the
// buffer, never overflows, never loops without consuming input, and refuses
// anything it cannot decode exactly.
//
// Accepted: the core header (12 bytes) and the info headers of 40, 52, 56,
// 108 and 124 bytes; 1, 4 and 8 bits with a palette; 16 and 32 bits with
// and without bit fields; 24 bits; RLE8 and RLE4; bottom-up and top-down
// rows (RLE only bottom-up).  A side above BmpMaxSide, or more than
// BmpMaxPixels pixels, is refused.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace os {

// A decoded picture: width x height pixels 0x00RRGGBB, rows from the top.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const {
    return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
};

constexpr int BmpMaxSide = 32767;
constexpr int64_t BmpMaxPixels = int64_t{16} * 1024 * 1024;
constexpr int64_t BmpMaxFileBytes = int64_t{128} * 1024 * 1024;

// On failure returns false, leaves *out empty and, when `why` is given,
// points it at a short English reason (for logs and tests).
bool DecodeBmp(const uint8_t* data, size_t size, Bitmap* out, const char** why = nullptr);
// Reads the file (path as os::OpenFile takes it: a regular file only) and
// decodes it; files over BmpMaxFileBytes are refused unread.  A file that
// cannot be opened gives OpenFile's reason ("it is a folder", "No such file
// or directory").
bool LoadBmpFile(std::string_view path, Bitmap* out, std::string* why = nullptr);

}  // namespace os
