// The shared pieces of the enemy engines.
#include "enemies/engine/engine_parts.h"

#include "el/draw/elDraw.h"
#include "os/system.h"

float DrawValue(const RandomValue& v) {
  if (v.range <= 0) return static_cast<float>(v.base);
  return static_cast<float>(v.base + v.sign * (os::Random() % v.range));
}

float DrawSpeed(const Speed& s, int32_t place) {
  if (s.places == 0) return DrawValue(s.value);
  if (place < 0 || place >= s.places) return 0.0f;
  return s.byPlace[static_cast<size_t>(place)];
}

void BlitCell(Blit blit, int32_t x, int32_t y, const int32_t* image, int32_t left, int32_t top,
              int32_t right, int32_t bottom) {
  const int32_t handle = *image;
  switch (blit) {
    case Blit::Keyed: elDraw::DrawObject(x, y, handle, left, top, right, bottom); return;
    case Blit::Additive: elDraw::DrawAdditive(x, y, handle, left, top, right, bottom); return;
    case Blit::Half: elDraw::DrawHalfTransparent(x, y, handle, left, top, right, bottom); return;
  }
}

int32_t StripCell(int32_t counter, int32_t cells) {
  if (cells <= 1) return 0;
  const int32_t cell = counter % cells;
  return cell < 0 ? cell + cells : cell;
}

int32_t NextCell(int32_t counter, int32_t cells) {
  if (counter < 0 || counter >= cells - 1) return 0;
  return counter + 1;
}

void DrawStripCell(Blit blit, int32_t x, int32_t y, const int32_t* image, int32_t w, int32_t h,
                   int32_t cells, int32_t& counter) {
  const int32_t left = StripCell(counter, cells) * w;
  BlitCell(blit, x, y, image, left, 0, left + w, h);
  counter = NextCell(counter, cells);
}

Point LaunchPoint(const Launch& launch, int32_t i) {
  const SlotView owner = launch.owner.read(launch.OwnerSlot(i));
  return {owner.x + launch.dx, owner.y + launch.dy};
}
