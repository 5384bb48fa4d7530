// The additive blit, the game's glow: each opaque picture pixel is added
// channel by channel onto the back buffer, saturating, through AdditiveTable.
#include "el/draw/soft_blit.h"
#include "el/draw/soft_blit_frame.h"

namespace elDraw {

int32_t DrawAdditive(int32_t x, int32_t y, int32_t handle, int32_t left, int32_t top,
                     int32_t right, int32_t bottom) {
  return soft::KeyedBlit(x, y, handle, left, top, right, bottom,
                         soft::BlendRule(AdditiveTable, 0, 0, 0));
}

int32_t DrawAdditiveLevel(int32_t x, int32_t y, float strength, int32_t handle, int32_t left,
                          int32_t top, int32_t right, int32_t bottom) {
  const int level = soft::LevelFromStrength(strength);
  return soft::KeyedBlit(x, y, handle, left, top, right, bottom,
                         soft::BlendRule(AdditiveTable, level, level, level));
}

}  // namespace elDraw
