// The keyed copy's fast path, used by the copies of os/surface.cpp.
//
// A keyed copy from a picture that is drawn again and again (every sprite and
// background strip of the game, every frame) reads the picture's opaque runs
// from a cache instead of testing every pixel: each row of the source is
// described once as a list of [start, end) runs of non-key pixels, and a
// draw copies those runs (clipped to the source rectangle) with memcpy.  The
// cache belongs to the source surface and is rebuilt when the surface's
// ContentVersion() changes (a write, a new key, a restore).  A surface whose
// content changes between every two draws (a scratch surface) never pays for
// a build: the runs are made only when a second draw meets the same content,
// and until then the copy runs a vectorised per-pixel loop.
#pragma once
#include <cstdint>
#include <vector>

namespace os {

class Surface;
struct Rect;

struct KeyedRunCache {
  uint64_t version = ~uint64_t{0};  // content version the runs describe
  uint64_t seen = ~uint64_t{0};     // version met by the last draw that did not build
  uint16_t key = 0;
  int width = 0, height = 0;
  // Row y's runs start at stream[row_at[y]]: a run count, then for each run
  // the transparent pixels before it, its length and its pixels.
  std::vector<uint32_t> row_at;
  std::vector<uint16_t> stream;

  // Copies `src`'s rectangle (left, top, right, bottom; already checked to
  // lie inside `src`, non-empty) to (x, y) of `dst` (checked to fit), skipping
  // pixels equal to `key`.  `src` and `dst` are different surfaces.
  static void Copy(Surface* dst, int x, int y, Surface* src, int left, int top, int right,
                   int bottom, uint16_t key);
  // Drops the surface's cache (the surface is being destroyed).
  static void Forget(Surface* src);
  // For tests: whether the surface's runs are built for its current content.
  static bool Cached(const Surface* src);

 private:
  void Build(Surface* src, uint16_t key_value);
};

}  // namespace os
