// The screenshot writer: the top-left part of the back buffer as a 24-bit
// BMP file in the program's folder.
#pragma once
#include <cstdint>

namespace elDraw {

// Writes width x height pixels of the back buffer to GetExePath(0) + name.
// Returns 1 when the whole file was written; 0 for a size of 0 or less or
// larger than the back buffer, a back buffer that cannot be locked, or a
// file that cannot be opened or written.
int32_t SaveScreenBmp(const char* name, int32_t width, int32_t height);

}  // namespace elDraw
