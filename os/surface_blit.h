// The keyed copy's fast path, used by the copies of os/surface.cpp, and the
// rows' opaque extents that the library's software blits use.
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
// content, and until then the copy runs a vectorised per-pixel loop.  A
// picture just loaded has its runs made at once (Prepare), so that no frame
// pays for them.
//
// A copy of a cell of a wide sheet starts each row at a mark instead of
// walking the row's runs from its first column: every kMarkStep columns a
// row keeps where its first run that reaches past that column begins (and a
// last mark past its end).  Where the marks show short runs (a dithered
// picture) the row is copied pixel by pixel instead.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace os {

class Surface;

// The keyed copy of n >= Step pixels from s to d, pixels equal to `key`
// keeping the destination: Step at a time (one vector operation), the last
// step moved back to end at the last pixel, as a pixel copied twice comes
// out the same.
template <int Step>
[[gnu::always_inline]] inline void KeyedSteps(uint16_t* d, const uint16_t* s, int64_t n,
                                              uint16_t key) {
  typedef uint16_t Lanes __attribute__((vector_size(2 * Step)));
  for (int64_t j = 0;; j += Step) {
    if (j > n - Step) j = n - Step;
    Lanes sv, dv;
    std::memcpy(&sv, s + j, sizeof sv);
    std::memcpy(&dv, d + j, sizeof dv);
    dv = sv == key ? dv : sv;
    std::memcpy(d + j, &dv, sizeof dv);
    if (j == n - Step) return;
  }
}

// The keyed copy of a row of n pixels from s to d: sixteen at a time where
// the row has as many (one vector step on AVX2 machines, two on the rest),
// else pixel by pixel (where a dithered picture's regular runs keep the
// branch well predicted).
[[gnu::always_inline]] inline void KeyedRow(uint16_t* d, const uint16_t* s, int64_t n,
                                            uint16_t key) {
  if (n >= 16) {
    KeyedSteps<16>(d, s, n, key);
    return;
  }
  for (int64_t j = 0; j < n; ++j)
    if (s[j] != key) d[j] = s[j];
}

// The columns first to end - 1 of a row of `width` pixels outside which
// every pixel is 0 (first == end for a row of 0s).
struct RowSpan {
  int first, end;
};
[[gnu::always_inline]] inline RowSpan OpaqueSpan(const uint16_t* row, int width) {
  RowSpan span{0, width};
  while (span.first < span.end && row[span.first] == 0) ++span.first;
  while (span.end > span.first && row[span.end - 1] == 0) --span.end;
  return span;
}

struct KeyedRunCache {
  static constexpr int kMarkStep = 64;
  // Where a row's runs reaching past a column begin: the run (its gap) at
  // stream[at], the column its gap starts at and the row's runs from it on.
  struct Mark {
    size_t at;
    uint16_t column, runs;
  };

  uint64_t version = ~uint64_t{0};  // content version the runs describe
  uint64_t seen = ~uint64_t{0};     // version met by the last draw that did not encode
  uint16_t key = 0;
  int width = 0, height = 0;
  // Row y starts at stream[row_at[y]]: its run count, then for each run the
  // number of key pixels before it, its length and its pixels.
  std::vector<size_t> row_at;
  std::vector<uint16_t> stream;
  // Row y's mark for column k x kMarkStep at marks[y x marks_per_row + k].
  int marks_per_row = 0;
  std::vector<Mark> marks;

  // Copies `src`'s rectangle (left, top, right, bottom; already checked to
  // lie inside `src`, non-empty) to (x, y) of `dst` (checked to fit), skipping
  // pixels equal to `key`.  `src` and `dst` are different surfaces.
  static void Copy(Surface* dst, int x, int y, Surface* src, int left, int top, int right,
                   int bottom, uint16_t key);
  // Encodes the runs of a keyed surface's current content now.
  static void Prepare(Surface* src);
  // Drops the surface's cache (the surface is being destroyed).
  static void Forget(Surface* src);
  // For tests: whether the surface's runs are encoded for its current content.
  static bool Cached(const Surface* src);

 private:
  void Encode(Surface* src, uint16_t key_value);
  void MarkRow(int y);
};

// The span of each row's pixels other than 0, for the library's software
// blits, which take 0 as transparent whatever the colour key: the pixels of
// row y outside the columns first[y] to end[y] - 1 are all 0 (a row of 0s
// has first == end).  Like the keyed copy's runs it belongs to the surface,
// follows its ContentVersion() and is made only when a second call meets the
// same content.
struct OpaqueExtents {
  uint64_t version = ~uint64_t{0};  // content version the extents describe
  uint64_t seen = ~uint64_t{0};     // version met by the last call that did not scan
  std::vector<int32_t> first, end;

  // The extents for `src`'s current content (the caller may hold it locked,
  // read only), or nullptr at the first sight of a content.
  static const OpaqueExtents* Of(Surface* src);
  // Finds the extents of `src`'s current content now.
  static void Prepare(Surface* src);
  // Drops the surface's extents (the surface is being destroyed).
  static void Forget(Surface* src);
};

}  // namespace os
