// The frame that every software blit shares: check the handle, cut the source
// rectangle to the picture and the destination to the clip rectangle (itself
// cut to the back buffer), lock the picture and the back buffer, run the
// blit's body over the locked pixels, unlock.  Internal to the drawing module.
//
// Pixels are reached by index from a locked surface's first pixel; a row
// pointer is formed only for a row that exists, so no pointer ever points
// outside a buffer.
#pragma once
#include <climits>
#include <cstddef>
#include <cstdint>

#include "el/draw/objects.h"
#include "el/draw/screen.h"
#include "el/draw/tables.h"
#include "os/surface.h"

namespace elDraw::soft {

// A locked 16-bit surface.
struct Plane {
  uint16_t* base = nullptr;
  ptrdiff_t pitch = 0;  // pixels per row
  int width = 0, height = 0;
  ptrdiff_t Index(int x, int y) const { return static_cast<ptrdiff_t>(y) * pitch + x; }
  // Row y (0 <= y < height).
  uint16_t* Row(int y) const { return base + static_cast<ptrdiff_t>(y) * pitch; }
  uint16_t& At(int x, int y) const { return base[Index(x, y)]; }
};

// A rectangle, right and bottom exclusive.
struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// What a clipped blit works on: w x h pixels from the source pixel (left,
// top) to the back-buffer pixel (x, y), all inside their surfaces.
struct Area {
  int x = 0, y = 0;
  int left = 0, top = 0;
  int w = 0, h = 0;
};

// The clip rectangle cut to the back buffer (empty without a back buffer).
Box ClipBox();
// The whole back buffer.
Box BackBufferBox();
// The surface of a sprite slot; nullptr for a handle outside the table or a
// slot without a surface.
os::Surface* SpriteSurface(int32_t handle);

// The frame's clipping: the source rectangle cut to a pic_w x pic_h picture
// (a left or top cut moves the destination), then the right and bottom edge
// to the clip box, then the left and top edge (moving the source).  False
// when the width or height comes out negative; 0 is a valid, empty area.
bool ClipArea(int64_t x, int64_t y, int64_t left, int64_t top, int64_t right, int64_t bottom,
              int pic_w, int pic_h, const Box& clip, Area* out);

// The plane of a surface locked into `view`.  (Inline: every blit makes
// two.  The sizes come from the surface, not from the view the lock has
// just written field by field: a read of two of those fields at once waits
// for the writes to land.)
inline Plane ToPlane(const os::Surface& surface, const os::PixelView& view) {
  return Plane{reinterpret_cast<uint16_t*>(view.pixels), surface.Pitch() / 2, surface.Width(),
               surface.Height()};
}

// Whether a blit writes into its source surface too.
enum class SourceUse { Read, Write };

// Locks `source` (read only, unless the body writes into it too) and then
// the back buffer (whole surfaces, waiting), runs body(source plane,
// back-buffer plane), unlocks the source and then the back buffer.  1, or 0
// when a lock fails; a failed back-buffer lock unlocks the source again.
template <class Body>
int WithLockedPair(os::Surface* source, Body&& body, SourceUse use = SourceUse::Read) {
  os::Surface* back = BackBuffer;
  if (source == nullptr || back == nullptr) return 0;
  os::PixelView sv, dv;
  const os::SurfaceResult locked =
      use == SourceUse::Read ? source->LockReadOnly(&sv, true) : source->Lock(&sv, true);
  if (!os::Succeeded(locked)) return 0;
  if (!os::Succeeded(back->Lock(&dv, true))) {
    source->Unlock();
    return 0;
  }
  body(ToPlane(*source, sv), ToPlane(*back, dv));
  source->Unlock();
  back->Unlock();
  return 1;
}

// Locks the back buffer alone around body(back-buffer plane).
template <class Body>
int WithLockedBack(Body&& body) {
  os::Surface* back = BackBuffer;
  if (back == nullptr) return 0;
  os::PixelView dv;
  if (!os::Succeeded(back->Lock(&dv, true))) return 0;
  body(ToPlane(*back, dv));
  back->Unlock();
  return 1;
}

// Which of the picture's edges cut the source rectangle: all four, or all
// but the right (bottom) one, for a body that reads columns (rows) only up
// to one inside the picture and runs on past the picture's edge.
enum class PictureCut : uint8_t { AllEdges, OpenRight, OpenBottom };

// The whole frame around body(source plane, back-buffer plane, area); the
// body only reads the source.
template <class Body>
int ClippedBlit(int32_t x, int32_t y, int32_t handle, int32_t left, int32_t top, int32_t right,
                int32_t bottom, Body&& body, PictureCut cut = PictureCut::AllEdges) {
  os::Surface* source = SpriteSurface(handle);
  if (source == nullptr) return 0;
  const int cut_w = cut == PictureCut::OpenRight ? INT_MAX : source->Width();
  const int cut_h = cut == PictureCut::OpenBottom ? INT_MAX : source->Height();
  Area area;
  if (!ClipArea(x, y, left, top, right, bottom, cut_w, cut_h, ClipBox(), &area)) return 1;
  return WithLockedPair(source, [&](const Plane& src, const Plane& dst) { body(src, dst, area); });
}

// The common row loop: every non-zero source pixel s replaces the back-buffer
// pixel d under it with rule(s, d).
template <class Rule>
void KeyedRows(const Plane& src, const Plane& dst, const Area& a, const Rule& rule) {
  const Rule local = rule;  // its table pointers stay in registers
  for (int i = 0; i < a.h; ++i) {
    const uint16_t* __restrict s = src.Row(a.top + i) + a.left;
    uint16_t* __restrict d = dst.Row(a.y + i) + a.x;
    for (int j = 0; j < a.w; ++j) {
      const uint16_t p = s[j];
      if (p != 0) d[j] = local(p, d[j]);
    }
  }
}

// The frame with the common row loop.
template <class Rule>
int KeyedBlit(int32_t x, int32_t y, int32_t handle, int32_t left, int32_t top, int32_t right,
              int32_t bottom, const Rule& rule) {
  return ClippedBlit(x, y, handle, left, top, right, bottom,
                     [&rule](const Plane& src, const Plane& dst, const Area& a) {
                       KeyedRows(src, dst, a, rule);
                     });
}

// ---- engines ----

// How the fast software blits run their pixels: one at a time, or on the
// vectors of 128-bit registers (SSE2 on x86-64, the baseline every such
// machine has), of 256-bit ones (AVX2), or of 512-bit ones (AVX-512BW, whose
// masked loads and stores take a row narrower than a step in one step).
// Each engine also runs what the narrower ones do.
enum class RowEngine : uint8_t { Scalar, Vector128, Vector256, Vector512 };

// The engine in use: the widest this machine runs, chosen at start-up (the
// table build).  Tests may lower it to check a narrower engine.
extern RowEngine PixelEngine;
RowEngine WidestEngine();

// ---- pixel helpers ----

// Clamps for the arguments that index the tables or scale a channel.
int ClampLevel(int32_t level);    // 0..31
float ClampUnit(float value);     // 0.0..1.0 (NaN gives 0)
// trunc(31 - 31 x strength) of the clamped strength: 0 for 1.0, 31 for 0.0.
int LevelFromStrength(float strength);

// Components of a pixel through ComponentSplitTable.
inline const uint8_t* Split(uint16_t pixel) { return ComponentSplitTable[pixel]; }

// Composes three 5-bit components at the place shifts.
struct Placer {
  unsigned r = RedPlace, g = GreenPlace, b = BluePlace;
  uint16_t operator()(unsigned red, unsigned green, unsigned blue) const {
    return static_cast<uint16_t>((red << r) | (green << g) | (blue << b));
  }
};

// A blend table (AdditiveTable or CrossfadeTable) at one level per channel:
// the three components of s and d pick one placed entry per plane.
struct BlendRule {
  const uint16_t* red;
  const uint16_t* green;
  const uint16_t* blue;
  BlendRule(const uint16_t* table, int level_red, int level_green, int level_blue)
      : red(table + BlendIndex(0, level_red, 0, 0)),
        green(table + BlendIndex(1, level_green, 0, 0)),
        blue(table + BlendIndex(2, level_blue, 0, 0)) {}
  uint16_t operator()(uint16_t s, uint16_t d) const {
    const uint8_t* cs = Split(s);
    const uint8_t* cd = Split(d);
    return static_cast<uint16_t>(red[cs[0] * 32 + cd[0]] | green[cs[1] * 32 + cd[1]] |
                                 blue[cs[2] * 32 + cd[2]]);
  }
};

// A channel in its native width (0..31 or 0..63).
struct NativeChannels {
  unsigned shift[3] = {RedShift, GreenShift, BlueShift};
  uint32_t max[3] = {RedMax, GreenMax, BlueMax};
  unsigned Get(uint16_t pixel, int c) const { return (pixel >> shift[c]) & max[c]; }
  uint16_t Compose(unsigned r, unsigned g, unsigned b) const {
    return static_cast<uint16_t>((r << shift[0]) | (g << shift[1]) | (b << shift[2]));
  }
};

// Float to int toward zero, bounded to +-2^30 so that it never overflows;
// NaN gives `nan_value`.
int TruncBounded(float value, int nan_value);

}  // namespace elDraw::soft
