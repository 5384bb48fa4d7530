// The half-transparent blit: both pixels halved with a shift and a mask that
// drops each channel's carry into its neighbour, then added.  Works in any
// 16-bit channel layout without a table.
#include "el/draw/screen.h"
#include "el/draw/soft_blit.h"
#include "el/draw/soft_blit_frame.h"

namespace elDraw {
namespace {

struct HalfRule {
  uint16_t mask = static_cast<uint16_t>(HalfMask);
  uint16_t operator()(uint16_t s, uint16_t d) const {
    return static_cast<uint16_t>(((s >> 1) & mask) + ((d >> 1) & mask));
  }
};

}  // namespace

int32_t DrawHalfTransparent(int32_t x, int32_t y, int32_t handle, int32_t left, int32_t top,
                            int32_t right, int32_t bottom) {
  return soft::KeyedBlit(x, y, handle, left, top, right, bottom, HalfRule());
}

}  // namespace elDraw
