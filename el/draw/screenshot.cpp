#include "el/draw/screenshot.h"

#include <cstdio>
#include <string>
#include <vector>

#include "el/draw/screen.h"
#include "el/system/system_services.h"
#include "os/path.h"
#include "os/surface.h"

namespace elDraw {
namespace {

constexpr uint32_t kHeaderBytes = 58;  // file header, info header, one zero colour entry

void Put16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  out[at] = static_cast<uint8_t>(v);
  out[at + 1] = static_cast<uint8_t>(v >> 8);
}

void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

// A channel of a 16-bit pixel as its top five bits, times 8.
struct Channel {
  int place = 0;
  explicit Channel(uint32_t mask) {
    if (mask == 0) return;
    int shift = 0;
    while (!((mask >> shift) & 1)) ++shift;
    place = shift + (((mask >> shift) == 63) ? 1 : 0);
  }
  uint8_t Byte(uint16_t p) const { return static_cast<uint8_t>(((p >> place) & 31) << 3); }
};

}  // namespace

int32_t SaveScreenBmp(const char* name, int32_t width, int32_t height) {
  if (!name || !BackBuffer || width <= 0 || height <= 0 || width > ScreenWidth ||
      height > ScreenHeight || width > BackBuffer->Width() || height > BackBuffer->Height()) {
    return 0;
  }
  const uint32_t w = static_cast<uint32_t>(width), h = static_cast<uint32_t>(height);
  uint32_t stride = (3 * w / 4) * 4;
  if (stride != 3 * w) stride += 4;
  const uint32_t image_bytes = stride * h;

  std::vector<uint8_t> file(kHeaderBytes + static_cast<size_t>(image_bytes), 0);
  file[0] = 'B';
  file[1] = 'M';
  Put32(file, 2, kHeaderBytes + image_bytes);
  Put32(file, 10, kHeaderBytes);
  Put32(file, 14, 40);
  Put32(file, 18, w);
  Put32(file, 22, h);
  Put16(file, 26, 1);
  Put16(file, 28, 24);
  Put32(file, 34, image_bytes);
  Put32(file, 38, 2834);
  Put32(file, 42, 2834);

  os::PixelView view;
  if (!os::Succeeded(BackBuffer->Lock(&view))) return 0;
  const Channel red(view.format.red_mask), green(view.format.green_mask),
      blue(view.format.blue_mask);
  for (uint32_t row = 0; row < h; ++row) {
    const uint16_t* src = view.Row(static_cast<int>(h - 1 - row));
    uint8_t* dst = file.data() + kHeaderBytes + static_cast<size_t>(row) * stride;
    for (uint32_t x = 0; x < w; ++x) {
      dst[3 * x] = blue.Byte(src[x]);
      dst[3 * x + 1] = green.Byte(src[x]);
      dst[3 * x + 2] = red.Byte(src[x]);
    }
  }
  BackBuffer->Unlock();

  const std::string path = elSystem::GetExePath(0) + name;
  FILE* out = os::OpenFile(path, "wb");
  if (!out) return 0;
  const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
  const bool closed = std::fclose(out) == 0;
  return written && closed ? 1 : 0;
}

}  // namespace elDraw
