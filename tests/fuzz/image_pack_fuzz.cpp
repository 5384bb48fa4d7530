// libFuzzer target for the image-pack reader: any input is an image pack.
// The loaders look for two names in it; what they find is loaded, swapped
// into its own slot again and released.  Nothing may be made larger than the
// file holds, and every object a load takes is given back.
#include "el/draw/elDraw.h"
#include "os/surface.h"
#include "tests/fuzz/fuzz_files.h"

namespace {
std::string g_dir;
int g_live = 0;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_dir = fuzz::StartMachine("image_pack_fuzz_files");
  if (elDraw::Screen(800, 600, 2) != 1) __builtin_trap();
  g_live = os::LiveSurfaceCount();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::WriteInput(g_dir + "P.PAK", data, size);
  elDraw::SetPackFile("P.PAK");
  for (const char* name : {"A.BMP", "b.bmp"}) {
    const int32_t h = elDraw::LoadPack(name, 2);
    if (h != 0) {
      const SpriteObject& o = SpriteObjects[h];
      if (size_t{o.Width} * o.Height * 2 > size) __builtin_trap();  // more than the file holds
      if (elDraw::SwapPack(name, h, 2) != h) __builtin_trap();      // the same bytes load again
      elDraw::ReleaseObject(h);
    }
  }
  if (os::LiveSurfaceCount() != g_live) __builtin_trap();
  os::headless::ClearBoxes();
  return 0;
}
