// The additive blit, the game's glow: each opaque picture pixel is added
// channel by channel onto the back buffer, saturating (the rule of
// AdditiveTable, run on vectors where the layout allows: el/draw/blend_rows.h).
#include "el/draw/blend_rows.h"
#include "el/draw/soft_blit.h"
#include "el/draw/soft_blit_frame.h"

namespace elDraw {
namespace {

int32_t Additive(int32_t x, int32_t y, int32_t handle, int32_t left, int32_t top, int32_t right,
                 int32_t bottom, int level) {
  return soft::ClippedBlit(x, y, handle, left, top, right, bottom,
                           [handle, level](const soft::Plane& src, const soft::Plane& dst,
                                           const soft::Area& a) {
                             soft::AdditiveRows(src, dst, a, soft::SpriteSurface(handle), level);
                           });
}

}  // namespace

int32_t DrawAdditive(int32_t x, int32_t y, int32_t handle, int32_t left, int32_t top,
                     int32_t right, int32_t bottom) {
  return Additive(x, y, handle, left, top, right, bottom, 0);
}

int32_t DrawAdditiveLevel(int32_t x, int32_t y, float strength, int32_t handle, int32_t left,
                          int32_t top, int32_t right, int32_t bottom) {
  return Additive(x, y, handle, left, top, right, bottom, soft::LevelFromStrength(strength));
}

}  // namespace elDraw
