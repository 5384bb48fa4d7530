// The row effects: each source row goes through the clipped draw on its own,
// shifted, repeated or left out.  Animation state lives in RowEffects.
#include <algorithm>
#include <cmath>

#include "el/draw/blit.h"
#include "el/draw/objects.h"
#include "el/draw/screen.h"
#include "el/system/angles.h"
#include "el/system/frame_timer.h"
#include "os/system.h"

RowEffectState RowEffects;

namespace elDraw {
namespace {

// trunc(cos(k degrees) x amplitude).
int64_t WaveOffset(int64_t k, int32_t amplitude) {
  return static_cast<int64_t>(std::cos(static_cast<double>(k) * TwoPi / 360.0) * amplitude);
}

// The wave's row index: r, or r / divisor.
int64_t WaveIndex(int64_t r, int32_t divisor) { return divisor == 0 ? r : r / divisor; }

// A float phase or offset as a whole number (0 when it is not a number).
int64_t Whole(float v) {
  if (!std::isfinite(v)) return 0;
  return static_cast<int64_t>(std::trunc(static_cast<double>(v)));
}

// Puts `v` back into [0, period) after a step (one period is the usual
// correction; a larger step wraps by the remainder).
float Wrap(float v, float period) {
  if (!std::isfinite(v)) return 0.0f;
  if (v < 0.0f) v += period;
  if (v >= period) v -= period;
  if (v < 0.0f || v >= period) {
    v = std::fmod(v, period);
    if (v < 0.0f) v += period;
    if (v >= period) v = 0.0f;
  }
  return v;
}

// A wave's phase in degrees after a step: at 360 or more it loses 360.  A
// phase run below 0 by a negative speed stays negative (its whole part is
// taken toward zero, so moving it into 0..360 would turn the wave by one
// degree); it is only kept above -360 so that it cannot grow without end.
float StepWavePhase(float v) {
  if (!std::isfinite(v)) return 0.0f;
  if (v >= 360.0f) v -= 360.0f;
  if (v >= 360.0f || v <= -360.0f) v = std::fmod(v, 360.0f);
  return v;
}

// Source rows [top, bottom) cut to the rows the picture has: a row outside
// it would draw nothing, so absurd rectangles cannot make long loops.
// False when the handle has no picture.
bool PictureRows(int32_t handle, int64_t* top, int64_t* bottom) {
  if (!ValidHandle(handle) || SpriteObjects[handle].Surface == nullptr) return false;
  *top = std::max<int64_t>(*top, 0);
  *bottom = std::min<int64_t>(*bottom, SpriteObjects[handle].Surface->Height());
  return true;
}

void Row(int64_t x, int64_t y, int32_t handle, int32_t left, int64_t row, int32_t right,
         bool keyed = true) {
  DrawClipped(BackBuffer, x, y, handle, left, row, right, row + 1, keyed);
}

}  // namespace

void DrawWave(int32_t x, int32_t y, int32_t amplitude, int32_t divisor, float speed,
              int32_t handle, int32_t left, int32_t top, int32_t right, int32_t bottom,
              int32_t alternate) {
  int64_t first = top, last = bottom;
  if (!PictureRows(handle, &first, &last)) return;
  const int64_t phase = Whole(RowEffects.WavePhase);
  for (int64_t r = first; r < last; ++r) {
    int64_t offset = WaveOffset(WaveIndex(r, divisor) + phase, amplitude);
    if (alternate != 0) {
      offset *= RowEffects.WaveSign;
      RowEffects.WaveSign = -RowEffects.WaveSign;
    }
    Row(x + offset, int64_t{y} + r - top, handle, left, r, right);
  }
  RowEffects.WavePhase = StepWavePhase(RowEffects.WavePhase + FrameTime * speed);
}

void DrawTiled(float x_speed, float y_speed, int32_t handle, int32_t left, int32_t top,
               int32_t right, int32_t bottom) {
  const int64_t w = int64_t{right} - left, h = int64_t{bottom} - top;
  if (w <= 0 || h <= 0) return;
  const int64_t ox = Whole(RowEffects.TiledX), oy = Whole(RowEffects.TiledY);
  const int64_t rows = ScreenHeight / h + 2, columns = ScreenWidth / w + 2;
  for (int64_t j = 0; j < rows; ++j)
    for (int64_t i = 0; i < columns; ++i)
      DrawClipped(BackBuffer, w * i + ox, h * j + oy, handle, left, top, right, bottom, true);
  // Each offset stays within -size .. 0.
  float& tx = RowEffects.TiledX;
  float& ty = RowEffects.TiledY;
  tx += FrameTime * x_speed;
  ty += FrameTime * y_speed;
  tx = -Wrap(-tx, static_cast<float>(w));
  ty = -Wrap(-ty, static_cast<float>(h));
}

void DrawWaveScroll(int32_t x, int32_t y, int32_t amplitude, int32_t divisor, float phase_speed,
                    float scroll_speed, int32_t handle, int32_t left, int32_t top, int32_t right,
                    int32_t bottom) {
  const int64_t h = int64_t{bottom} - top;
  int64_t first = top, last = bottom;
  if (h <= 0 || !PictureRows(handle, &first, &last)) return;
  if (first != top || last != bottom) return;  // the rectangle leaves the picture
  const int64_t phase = Whole(RowEffects.ScrollPhase);
  const int64_t scroll = Whole(RowEffects.Scroll);
  for (int64_t r = top; r < bottom; ++r) {
    const int64_t offset = WaveOffset(WaveIndex(r, divisor) + phase, amplitude);
    int64_t s = scroll + r;
    if (s >= bottom) s -= h;
    Row(x + offset, y + r, handle, left, s, right);
  }
  RowEffects.ScrollPhase = StepWavePhase(RowEffects.ScrollPhase + FrameTime * phase_speed);
  RowEffects.Scroll = Wrap(RowEffects.Scroll - FrameTime * scroll_speed, static_cast<float>(h));
}

void DrawWaveScroll2(int32_t screen_top, int32_t screen_bottom, int32_t amplitude,
                     int32_t divisor, float phase_speed, float scroll_speed, int32_t handle,
                     int32_t left, int32_t top, int32_t right, int32_t bottom) {
  const int64_t w = int64_t{right} - left, h = int64_t{bottom} - top;
  if (w <= 0 || h <= 0) return;
  const int64_t phase = Whole(RowEffects.Scroll2Phase);
  const int64_t scroll = Whole(RowEffects.Scroll2);
  const int64_t columns = ScreenWidth / w + 2;
  int64_t first = top, last = bottom;
  if (!PictureRows(handle, &first, &last)) return;
  // Only the screen rows inside the clip rectangle can show anything.
  const int64_t from = std::max<int64_t>(0, int64_t{ClipTop} - screen_top);
  const int64_t rows =
      std::min<int64_t>(int64_t{screen_bottom} - screen_top, int64_t{ClipBottom} - screen_top);
  for (int64_t i = from; i < rows; ++i) {
    int64_t s = i % h + scroll;
    if (s > h - 1) s -= h;
    const int64_t offset = WaveOffset(WaveIndex(i, divisor) + phase, amplitude);
    for (int64_t n = 0; n < columns; ++n)
      Row(w * n + offset - amplitude, screen_top + i, handle, left, top + s, right);
  }
  RowEffects.Scroll2Phase = StepWavePhase(RowEffects.Scroll2Phase + FrameTime * phase_speed);
  RowEffects.Scroll2 = Wrap(RowEffects.Scroll2 - FrameTime * scroll_speed, static_cast<float>(h));
}

void DrawMosaicRows(int32_t x, int32_t y, int32_t n, int32_t handle, int32_t left, int32_t top,
                    int32_t right, int32_t bottom) {
  int64_t first = top, last = bottom;
  if (n <= 0 || !PictureRows(handle, &first, &last)) return;
  // Rows drawn at or below the clip rectangle's bottom show nothing.
  const int64_t d_limit = int64_t{top} - y + ClipBottom;
  int64_t b = top;
  if (b < first) b += (first - b + n - 1) / n * n;  // blocks of rows the picture lacks
  for (; b < last; b += n) {
    for (int64_t d = b; d < std::min(b + n, d_limit); ++d)
      Row(x, int64_t{y} + d - top, handle, left, b, right);
  }
}

void DrawSkipRows(int32_t x, int32_t y, int32_t n, int32_t handle, int32_t left, int32_t top,
                  int32_t right, int32_t bottom) {
  int64_t first = top, last = bottom;
  if (!PictureRows(handle, &first, &last)) return;
  bottom = static_cast<int32_t>(last);
  if (n > 0) {
    int64_t r = int64_t{top} + n;
    if (r < first) r += (first - r + n - 1) / n * n;
    for (; r < bottom; r += n) Row(x, int64_t{y} + r - top, handle, left, r, right);
  } else if (n < 0) {
    if (first != top) return;  // the random walk would start outside the picture
    const int64_t gap = -int64_t{n};
    for (int64_t r = top + os::Random() % gap + 1; r < bottom; r += os::Random() % gap + 1)
      Row(x, int64_t{y} + r - top, handle, left, r, right);
  }
}

void DrawJitterRows(int32_t x, int32_t y, int32_t jitter, int32_t handle, int32_t left,
                    int32_t top, int32_t right, int32_t bottom) {
  if (jitter < 1) {
    DrawClipped(BackBuffer, x, y, handle, left, top, right, bottom, true);
    return;
  }
  int64_t first = top, last = bottom;
  if (!PictureRows(handle, &first, &last)) return;
  const int64_t span = 2 * int64_t{jitter};
  for (int64_t r = first; r < last; ++r)
    Row(x + os::Random() % span - jitter, int64_t{y} + r - top, handle, left, r, right);
}

void DrawWaveV(int32_t x, int32_t y, int32_t direction, float speed, int32_t handle,
               int32_t left, int32_t top, int32_t right, int32_t bottom) {
  const int64_t h = int64_t{bottom} - top;
  int64_t first = 0, last = h;  // source rows count from 0 here, not from top
  if (h <= 1 || !PictureRows(handle, &first, &last)) return;
  const int64_t half = h / 2;
  const double phase = std::isfinite(RowEffects.WaveVPhase) ? RowEffects.WaveVPhase : 0.0;
  int64_t e = 0;
  for (int64_t s = 0; s < last; ++s) {
    const double angle = (static_cast<double>(s) + phase) * TwoPi / static_cast<double>(h - 1);
    const int64_t end = static_cast<int64_t>(std::cos(angle) * static_cast<double>(half) +
                                             static_cast<double>(half));
    for (int64_t d = e; d <= end; ++d) Row(x, y + d, handle, left, s, right, false);
    e = end + 1;
  }
  const float step = FrameTime * speed;
  RowEffects.WaveVPhase = Wrap(RowEffects.WaveVPhase + (direction == 0 ? -step : step),
                               static_cast<float>(h));
}

}  // namespace elDraw
