// The half-transparent blit: both pixels halved with a shift and a mask that
// drops each channel's carry into its neighbour, then added.  Works in any
// 16-bit channel layout without a table (the row loop: el/draw/blend_rows.h).
#include "el/draw/blend_rows.h"
#include "el/draw/soft_blit.h"
#include "el/draw/soft_blit_frame.h"

namespace elDraw {

int32_t DrawHalfTransparent(int32_t x, int32_t y, int32_t handle, int32_t left, int32_t top,
                            int32_t right, int32_t bottom) {
  return soft::ClippedBlit(
      x, y, handle, left, top, right, bottom,
      [handle](const soft::Plane& src, const soft::Plane& dst, const soft::Area& a) {
        soft::HalfRows(src, dst, a, soft::SpriteSurface(handle));
      });
}

}  // namespace elDraw
