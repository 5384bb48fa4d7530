// Fills, the 50 % wash, the clipped draws of sprite objects, the stretched
// draws and the mirror.
#include "el/draw/blit.h"

#include <algorithm>
#include <limits>

#include "el/draw/objects.h"
#include "el/draw/screen.h"

namespace elDraw {
namespace {

bool FitsInt(int64_t v) {
  return v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max();
}

os::Surface* ObjectSurface(int32_t handle) {
  return ValidHandle(handle) ? SpriteObjects[handle].Surface : nullptr;
}

// Fills exactly the rectangle given; a rectangle that leaves the surface (or
// cannot even be written in 32 bits) is refused by the surface.  Nothing is
// reported and a lost surface is not restored.
void FillArea(os::Surface* surface, int64_t left, int64_t top, int64_t right, int64_t bottom,
              uint16_t colour) {
  if (!FitsInt(left) || !FitsInt(top) || !FitsInt(right) || !FitsInt(bottom)) return;
  const os::Rect rect{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
                      static_cast<int>(bottom)};
  os::Fill(surface, &rect, colour);
}

void AfterDraw(os::SurfaceResult result) {
  if (result == os::SurfaceResult::SurfaceLost) RestoreSurfaces();
}

}  // namespace

// ---- fills ----

void ClearScreen() { FillArea(BackBuffer, 0, 0, ScreenWidth, ScreenHeight, 0); }

void ClearObject(int32_t handle) {
  if (os::Surface* surface = ObjectSurface(handle)) os::Fill(surface, nullptr, 0);
}

void ClearRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  FillArea(BackBuffer, left, top, right, bottom, 0);
}

void DrawRectFrame(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  const int64_t l = left, t = top, r = right, b = bottom;
  FillArea(BackBuffer, l, t, r, t + 1, 0);
  FillArea(BackBuffer, l, b - 1, r, b, 0);
  FillArea(BackBuffer, l, t, l + 1, b, 0);
  FillArea(BackBuffer, r - 1, t, r, b, 0);
}

void ClearScreenWhite() {
  FillArea(BackBuffer, 0, 0, ScreenWidth, ScreenHeight, static_cast<uint16_t>(WhitePixel));
}

void FillRectWhite(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  FillArea(BackBuffer, left, top, right, bottom, static_cast<uint16_t>(WhitePixel));
}

void FillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, uint16_t colour) {
  FillArea(BackBuffer, left, top, right, bottom, colour);
}

int32_t BlendRect(int32_t left, int32_t top, int32_t right, int32_t bottom, uint16_t colour) {
  right = std::min(right, ClipRight);
  bottom = std::min(bottom, ClipBottom);
  left = std::max(left, ClipLeft);
  top = std::max(top, ClipTop);
  if (right < left || bottom < top) return 1;
  if (BackBuffer == nullptr) return 0;
  os::PixelView view;
  if (!os::Succeeded(BackBuffer->Lock(&view, true))) return 0;
  // The clip rectangle is the caller's and may reach past the surface.
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, view.width);
  bottom = std::min(bottom, view.height);
  const uint16_t half = static_cast<uint16_t>((colour >> 1) & HalfMask);
  const uint16_t mask = static_cast<uint16_t>(HalfMask);
  for (int32_t y = top; y < bottom; ++y) {
    uint16_t* row = view.Row(y);
    for (int32_t x = left; x < right; ++x)
      row[x] = static_cast<uint16_t>(((row[x] >> 1) & mask) + half);
  }
  BackBuffer->Unlock();
  return 1;
}

// ---- clipped copies ----

namespace {

// The clip rectangle's bottom edge, from the uncut position, then its top
// edge (which moves the draw and its first source row) applied to source
// rows top..bottom drawn at y; false when they come out inverted.
bool ClipRows(int64_t& y, int64_t& top, int64_t& bottom) {
  if (y + (bottom - top) > ClipBottom) bottom = ClipBottom - y + top;
  if (y < ClipTop) {
    top += ClipTop - y;
    y = ClipTop;
  }
  return bottom >= top;
}

}  // namespace

bool RowsReachClip(int64_t y, int64_t rows) {
  int64_t top = 0, bottom = rows;
  return ClipRows(y, top, bottom);
}

void DrawClipped(os::Surface* destination, int64_t x, int64_t y, int32_t handle, int64_t left,
                 int64_t top, int64_t right, int64_t bottom, bool keyed) {
  if (!ValidHandle(handle)) return;
  if (x + (right - left) > ClipRight) right = ClipRight - x + left;
  if (x < ClipLeft) {
    left += ClipLeft - x;
    x = ClipLeft;
  }
  if (!ClipRows(y, top, bottom) || right < left) return;
  // Whatever cannot be written in 32 bits lies outside every surface.
  if (!FitsInt(x) || !FitsInt(y) || !FitsInt(left) || !FitsInt(top) || !FitsInt(right) ||
      !FitsInt(bottom))
    return;
  const os::Rect source{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
                        static_cast<int>(bottom)};
  os::Surface* picture = SpriteObjects[handle].Surface;
  const os::SurfaceResult result =
      keyed ? os::CopyKeyed(destination, static_cast<int>(x), static_cast<int>(y), picture, &source)
            : os::Copy(destination, static_cast<int>(x), static_cast<int>(y), picture, &source);
  AfterDraw(result);
}

void DrawObject(int32_t x, int32_t y, int32_t handle, int32_t left, int32_t top, int32_t right,
                int32_t bottom) {
  DrawClipped(BackBuffer, x, y, handle, left, top, right, bottom, true);
}

void DrawObjectOpaque(int32_t x, int32_t y, int32_t handle, int32_t left, int32_t top,
                      int32_t right, int32_t bottom) {
  DrawClipped(BackBuffer, x, y, handle, left, top, right, bottom, false);
}

void DrawObjectTo(int32_t destination, int32_t x, int32_t y, int32_t handle, int32_t left,
                  int32_t top, int32_t right, int32_t bottom) {
  if (os::Surface* target = ObjectSurface(destination))
    DrawClipped(target, x, y, handle, left, top, right, bottom, true);
}

void DrawObjectOpaqueTo(int32_t destination, int32_t x, int32_t y, int32_t handle, int32_t left,
                        int32_t top, int32_t right, int32_t bottom) {
  if (os::Surface* target = ObjectSurface(destination))
    DrawClipped(target, x, y, handle, left, top, right, bottom, false);
}

// ---- stretched copies ----

namespace {

void StretchDraw(int32_t x, int32_t y, int32_t handle, int32_t left, int32_t top, int32_t right,
                 int32_t bottom, int32_t width, int32_t height, bool keyed) {
  os::Surface* picture = ObjectSurface(handle);
  if (picture == nullptr) return;
  const os::Rect source{left, top, right, bottom};
  if (HardwareStretch == 1) {
    const int64_t x2 = int64_t{x} + width, y2 = int64_t{y} + height;
    if (!FitsInt(x2) || !FitsInt(y2)) return;
    const os::Rect target{x, y, static_cast<int>(x2), static_cast<int>(y2)};
    AfterDraw(os::CopyStretched(BackBuffer, &target, picture, &source, keyed));
    return;
  }
  // Through the Buffer object, which is only screen-sized: a larger target
  // is cut to it, together with the matching part of the source.
  os::Surface* buffer = SpriteObjects[0].Surface;
  if (buffer == nullptr || width <= 0 || height <= 0) return;
  const int64_t sw = int64_t{right} - left, sh = int64_t{bottom} - top;
  if (sw <= 0 || sh <= 0) return;
  const int32_t w = std::min(width, buffer->Width());
  const int32_t h = std::min(height, buffer->Height());
  os::Rect cut = source;
  if (w < width) cut.right = static_cast<int>(left + std::max<int64_t>(1, sw * w / width));
  if (h < height) cut.bottom = static_cast<int>(top + std::max<int64_t>(1, sh * h / height));
  const os::Rect target{0, 0, w, h};
  const os::SurfaceResult result = os::CopyStretched(buffer, &target, picture, &cut, false);
  if (!os::Succeeded(result)) {
    AfterDraw(result);
    return;  // the Buffer does not hold this picture: draw nothing
  }
  DrawClipped(BackBuffer, x, y, 0, 0, 0, w, h, keyed);
}

}  // namespace

void StretchDrawObject(int32_t x, int32_t y, int32_t handle, int32_t left, int32_t top,
                       int32_t right, int32_t bottom, int32_t width, int32_t height) {
  StretchDraw(x, y, handle, left, top, right, bottom, width, height, true);
}

void StretchDrawObjectOpaque(int32_t x, int32_t y, int32_t handle, int32_t left, int32_t top,
                             int32_t right, int32_t bottom, int32_t width, int32_t height) {
  StretchDraw(x, y, handle, left, top, right, bottom, width, height, false);
}

// ---- mirror ----

int32_t DrawMirror(int32_t x, int32_t y, int32_t mode, int32_t handle, int32_t left, int32_t top,
                   int32_t right, int32_t bottom) {
  os::Surface* picture = ObjectSurface(handle);
  if (picture == nullptr || BackBuffer == nullptr) return 0;
  // The source rectangle must lie inside the picture.
  if (left < 0 || top < 0 || right < left || bottom < top || right > picture->Width() ||
      bottom > picture->Height())
    return 0;
  const int64_t w = int64_t{right} - left, h = int64_t{bottom} - top;
  // The destination cut to the clip rectangle and to the back buffer.
  const int64_t dl = std::max<int64_t>({x, ClipLeft, 0});
  const int64_t dt = std::max<int64_t>({y, ClipTop, 0});
  const int64_t dr = std::min<int64_t>({x + w, ClipRight, BackBuffer->Width()});
  const int64_t db = std::min<int64_t>({y + h, ClipBottom, BackBuffer->Height()});
  if (dr <= dl || db <= dt) return 1;

  os::PixelView src;
  if (!os::Succeeded(picture->Lock(&src, true))) return 0;
  os::PixelView dst;
  if (!os::Succeeded(BackBuffer->Lock(&dst, true))) {
    picture->Unlock();
    return 0;
  }
  const bool flip_x = mode == 1 || mode == 3;
  const bool flip_y = mode == 2 || mode == 3;
  for (int64_t dy = dt; dy < db; ++dy) {
    const int64_t oy = dy - y;  // row of the placed picture
    const int64_t sy = top + (flip_y ? h - 1 - oy : oy);
    const uint16_t* srow = src.Row(static_cast<int>(sy));
    uint16_t* drow = dst.Row(static_cast<int>(dy));
    for (int64_t dx = dl; dx < dr; ++dx) {
      const int64_t ox = dx - x;
      const uint16_t p = srow[left + (flip_x ? w - 1 - ox : ox)];
      if (p != 0) drow[dx] = p;
    }
  }
  BackBuffer->Unlock();
  picture->Unlock();
  return 1;
}

}  // namespace elDraw
