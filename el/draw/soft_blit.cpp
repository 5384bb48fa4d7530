#include <algorithm>
#include <cmath>

#include "el/draw/soft_blit_frame.h"

namespace elDraw::soft {

RowEngine PixelEngine = WidestEngine();

RowEngine WidestEngine() {
#if defined(__x86_64__)
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx512bw")) return RowEngine::Vector512;
  if (__builtin_cpu_supports("avx2")) return RowEngine::Vector256;
#endif
  return RowEngine::Vector128;
}

Box BackBufferBox() {
  Box box;
  if (BackBuffer != nullptr) {
    box.right = BackBuffer->Width();
    box.bottom = BackBuffer->Height();
  }
  return box;
}

Box ClipBox() {
  const Box back = BackBufferBox();
  Box box;
  box.left = std::clamp<int32_t>(ClipLeft, 0, back.right);
  box.top = std::clamp<int32_t>(ClipTop, 0, back.bottom);
  box.right = std::clamp<int32_t>(ClipRight, 0, back.right);
  box.bottom = std::clamp<int32_t>(ClipBottom, 0, back.bottom);
  return box;
}

os::Surface* SpriteSurface(int32_t handle) {
  if (!ValidHandle(handle)) return nullptr;
  return SpriteObjects[handle].Surface;
}

bool ClipArea(int64_t x, int64_t y, int64_t left, int64_t top, int64_t right, int64_t bottom,
              int pic_w, int pic_h, const Box& clip, Area* out) {
  // The source rectangle inside the picture.
  if (left < 0) {
    x -= left;
    left = 0;
  }
  if (top < 0) {
    y -= top;
    top = 0;
  }
  right = std::min<int64_t>(right, pic_w);
  bottom = std::min<int64_t>(bottom, pic_h);
  int64_t w = right - left;
  int64_t h = bottom - top;
  // Right and bottom edge first, with the unclipped position.
  if (x + w > clip.right) w = clip.right - x;
  if (y + h > clip.bottom) h = clip.bottom - y;
  if (x < clip.left) {
    left += clip.left - x;
    w -= clip.left - x;
    x = clip.left;
  }
  if (y < clip.top) {
    top += clip.top - y;
    h -= clip.top - y;
    y = clip.top;
  }
  if (w < 0 || h < 0) return false;
  out->x = static_cast<int>(x);
  out->y = static_cast<int>(y);
  out->left = static_cast<int>(left);
  out->top = static_cast<int>(top);
  out->w = static_cast<int>(w);
  out->h = static_cast<int>(h);
  return true;
}

int ClampLevel(int32_t level) { return std::clamp<int32_t>(level, 0, 31); }

float ClampUnit(float value) {
  if (!(value > 0.0f)) return 0.0f;  // also NaN
  return value < 1.0f ? value : 1.0f;
}

int LevelFromStrength(float strength) {
  return static_cast<int>(31.0f - 31.0f * ClampUnit(strength));
}

int TruncBounded(float value, int nan_value) {
  constexpr float kLimit = 1073741824.0f;  // 2^30
  if (std::isnan(value)) return nan_value;
  if (value >= kLimit) return 1 << 30;
  if (value <= -kLimit) return -(1 << 30);
  return static_cast<int>(value);
}

}  // namespace elDraw::soft
