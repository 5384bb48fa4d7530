// The keyed copy from cached opaque runs (see os/surface_blit.h).
#include "os/surface_blit.h"

#include <algorithm>
#include <cstring>

#include "os/surface.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace os {
namespace {

// One row of a keyed copy, pixel by pixel (eight at a time where the machine
// has SSE2): used before a surface's runs are built.
void KeyedRowDirect(uint16_t* dst, const uint16_t* src, int width, uint16_t key) {
  int c = 0;
#if defined(__SSE2__)
  const __m128i k = _mm_set1_epi16(static_cast<short>(key));
  for (; c + 8 <= width; c += 8) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + c));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + c));
    const __m128i transparent = _mm_cmpeq_epi16(s, k);
    const __m128i out =
        _mm_or_si128(_mm_and_si128(transparent, d), _mm_andnot_si128(transparent, s));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + c), out);
  }
#endif
  for (; c < width; ++c)
    if (src[c] != key) dst[c] = src[c];
}

// Copies one opaque run.  Short and middling runs (the edges and bodies of
// sprites) are copied inline with fixed-size moves that may overlap inside
// the run, never past it; long ones go to memcpy.
inline void CopyPixels(uint16_t* dst, const uint16_t* src, int count) {
  if (count >= 16) {
    std::memcpy(dst, src, static_cast<size_t>(count) * 2);
    return;
  }
  if (count >= 16) {
    int i = 0;
    for (; i < count - 16; i += 16) std::memcpy(dst + i, src + i, 32);
    std::memcpy(dst + count - 16, src + count - 16, 32);
    return;
  }
  if (count >= 8) {
    std::memcpy(dst, src, 16);
    std::memcpy(dst + count - 8, src + count - 8, 16);
    return;
  }
  if (count >= 4) {
    std::memcpy(dst, src, 8);
    std::memcpy(dst + count - 4, src + count - 4, 8);
    return;
  }
  if (count >= 2) {
    std::memcpy(dst, src, 4);
    std::memcpy(dst + count - 2, src + count - 2, 4);
    return;
  }
  if (count == 1) dst[0] = src[0];
}

}  // namespace

void KeyedRunCache::Build(Surface* src, uint16_t key_value) {
  const PixelView v = src->RawView();
  key = key_value;
  width = v.width;
  height = v.height;
  row_at.resize(static_cast<size_t>(height));
  stream.clear();
  for (int y = 0; y < height; ++y) {
    row_at[static_cast<size_t>(y)] = static_cast<uint32_t>(stream.size());
    const size_t count_at = stream.size();
    stream.push_back(0);
    const uint16_t* row = v.Row(y);
    int x = 0, runs = 0;
    while (x < width) {
      const int gap_from = x;
      while (x < width && row[x] == key) ++x;
      if (x == width) break;
      const int start = x;
      while (x < width && row[x] != key && x - start < 65535) ++x;
      // Gaps longer than a u16 are split with empty runs.
      int gap = start - gap_from;
      while (gap > 65535) {
        stream.push_back(65535);
        stream.push_back(0);
        gap -= 65535;
        ++runs;
      }
      stream.push_back(static_cast<uint16_t>(gap));
      stream.push_back(static_cast<uint16_t>(x - start));
      stream.insert(stream.end(), row + start, row + x);
      ++runs;
    }
    stream[count_at] = static_cast<uint16_t>(std::min(runs, 65535));
  }
}

void KeyedRunCache::Copy(Surface* dst, int x, int y, Surface* src, int left, int top, int right,
                         int bottom, uint16_t key) {
  const PixelView sv = src->RawView();
  const PixelView dv = dst->RawView();
  const int w = right - left;
  const int h = bottom - top;

  KeyedRunCache* cache = src->keyed_runs_;
  if (cache == nullptr) {
    cache = new KeyedRunCache();
    src->keyed_runs_ = cache;
  }
  const uint64_t version = src->ContentVersion();
  if (cache->version != version || cache->key != key || cache->width != sv.width ||
      cache->height != sv.height) {
    if (cache->seen != version) {
      // First draw of this content: no build yet.
      cache->seen = version;
      cache->version = ~uint64_t{0};
      for (int row = 0; row < h; ++row)
        KeyedRowDirect(dv.Row(y + row) + x, sv.Row(top + row) + left, w, key);
      return;
    }
    cache->Build(src, key);
    cache->version = version;
  }

  const uint16_t* stream = cache->stream.data();
  uint8_t* drow = dv.pixels + static_cast<intptr_t>(y) * dv.pitch;
  const bool whole = left == 0 && right == sv.width;
  for (int row = 0; row < h; ++row, drow += dv.pitch) {
    const uint16_t* p = stream + cache->row_at[static_cast<size_t>(top + row)];
    uint16_t* dp = reinterpret_cast<uint16_t*>(drow) + x - left;
    int runs = *p++;
    int at = 0;  // source column
    if (whole) {
      for (; runs > 0; --runs) {
        at += p[0];
        const int len = p[1];
        CopyPixels(dp + at, p + 2, len);
        at += len;
        p += 2 + len;
      }
      continue;
    }
    for (; runs > 0; --runs) {
      at += p[0];
      const int len = p[1];
      const int a = std::max(at, left), b = std::min(at + len, right);
      if (a < b) CopyPixels(dp + a, p + 2 + (a - at), b - a);
      at += len;
      p += 2 + len;
      if (at >= right) break;
    }
  }
}

void KeyedRunCache::Forget(Surface* src) {
  delete src->keyed_runs_;
  src->keyed_runs_ = nullptr;
}

bool KeyedRunCache::Cached(const Surface* src) {
  const KeyedRunCache* cache = src->keyed_runs_;
  return cache != nullptr && cache->version == src->ContentVersion();
}

}  // namespace os
