// The keyed copy's fast path, used by the copies of os/surface.cpp.
//
// A keyed copy from a picture that is drawn again and again (every sprite and
// background strip of the game, every frame) reads the picture's opaque runs
// from a cache instead of testing every pixel, as run-length blitters do:
// each row of the source is encoded once as its runs of non-key pixels (the
// gap before each run, its length and its pixels, packed one after the
// other), and a draw copies those runs, cut to the source rectangle.  The
// cache belongs to the source surface and is rebuilt when the surface's
// ContentVersion() changes (a write, a new key, a restore).  A surface whose
// content changes between every two draws (a scratch surface) never pays for
// an encoding: the runs are made only when a second draw meets the same
// content, and until then the copy runs a vectorised per-pixel loop.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace os {

class Surface;

struct KeyedRunCache {
  uint64_t version = ~uint64_t{0};  // content version the runs describe
  uint64_t seen = ~uint64_t{0};     // version met by the last draw that did not encode
  uint16_t key = 0;
  int width = 0, height = 0;
  // Row y starts at stream[row_at[y]]: its run count, then for each run the
  // number of key pixels before it, its length and its pixels.
  std::vector<size_t> row_at;
  std::vector<uint16_t> stream;

  // Copies `src`'s rectangle (left, top, right, bottom; already checked to
  // lie inside `src`, non-empty) to (x, y) of `dst` (checked to fit), skipping
  // pixels equal to `key`.  `src` and `dst` are different surfaces.
  static void Copy(Surface* dst, int x, int y, Surface* src, int left, int top, int right,
                   int bottom, uint16_t key);
  // Drops the surface's cache (the surface is being destroyed).
  static void Forget(Surface* src);
  // For tests: whether the surface's runs are encoded for its current content.
  static bool Cached(const Surface* src);

 private:
  void Encode(Surface* src, uint16_t key_value);
};

}  // namespace os
