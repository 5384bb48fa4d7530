// Feeds arbitrary bytes to the BMP decoder: it must refuse or decode without
// reading outside the input, and a decoded picture must keep its limits.
#include <cstddef>
#include <cstdint>

#include "os/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  os::Bitmap bmp;
  if (os::DecodeBmp(data, size, &bmp)) {
    if (bmp.width < 1 || bmp.height < 1 || bmp.width > os::BmpMaxSide ||
        bmp.height > os::BmpMaxSide ||
        bmp.pixels.size() != static_cast<size_t>(bmp.width) * static_cast<size_t>(bmp.height))
      __builtin_trap();
    uint32_t any = 0;
    for (uint32_t p : bmp.pixels) any |= p;
    if (any > 0xFFFFFF) __builtin_trap();  // 0x00RRGGBB only
  } else if (bmp.width != 0 || !bmp.pixels.empty()) {
    __builtin_trap();
  }
  return 0;
}
