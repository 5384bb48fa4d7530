// The keyed copy from cached opaque runs (see os/surface_blit.h).
#include "os/surface_blit.h"

#include <algorithm>
#include <cstring>

#include "os/surface.h"


namespace os {
namespace {

// Copies one opaque run.  Runs up to 64 pixels (the bodies and edges of
// sprites) are copied inline with fixed-size moves that may overlap inside
// the run, never past it; longer ones go to memcpy.
[[gnu::always_inline]] inline void CopyRun(uint16_t* dst, const uint16_t* src, int count) {
  if (count >= 64) {
    std::memcpy(dst, src, static_cast<size_t>(count) * 2);
  } else if (count >= 16) {
    for (int i = 0; i < count - 16; i += 16) std::memcpy(dst + i, src + i, 32);
    std::memcpy(dst + count - 16, src + count - 16, 32);
  } else if (count >= 8) {
    std::memcpy(dst, src, 16);
    std::memcpy(dst + count - 8, src + count - 8, 16);
  } else if (count >= 4) {
    std::memcpy(dst, src, 8);
    std::memcpy(dst + count - 4, src + count - 4, 8);
  } else if (count >= 2) {
    std::memcpy(dst, src, 4);
    std::memcpy(dst + count - 2, src + count - 2, 4);
  } else if (count == 1) {
    dst[0] = src[0];
  }
}

// Where a row's runs are short (a dithered picture: runs of a pixel or two
// between key pixels) copying run by run costs more than testing every
// pixel, eight at a time.  A row's part has at most this many pixels per run
// for that.
constexpr int kShortRunPixels = 8;

// The encoded rows copied to the destination, starting at row `top` of the
// source and drawing `h` rows whose source column `left` lands at `drow`:
// each row from the mark before `left`, or pixel by pixel from the source
// `src` where its runs there are short.  On x86-64 it is built twice, for
// AVX2 machines (32-byte moves) and for the rest, and the loader picks one.
#if defined(__x86_64__) && defined(__ELF__)
#define VANTRIS_WIDE_MOVES __attribute__((target_clones("avx2", "default")))
#else
#define VANTRIS_WIDE_MOVES
#endif
VANTRIS_WIDE_MOVES void CopyEncoded(const KeyedRunCache& cache, const PixelView& src,
                                    uint8_t* drow, intptr_t pitch, int top, int h, int left,
                                    int right) {
  const int step = KeyedRunCache::kMarkStep;
  const size_t first_mark = static_cast<size_t>(left / step);
  const size_t last_mark = static_cast<size_t>((right + step - 1) / step);
  for (int row = 0; row < h; ++row, drow += pitch) {
    const KeyedRunCache::Mark* marks =
        cache.marks.data() + static_cast<size_t>(top + row) * cache.marks_per_row;
    const KeyedRunCache::Mark& m = marks[first_mark];
    uint16_t* dp = reinterpret_cast<uint16_t*>(drow);
    // (The runs between the two marks, a bound on those the part meets.)
    if ((m.runs - marks[last_mark].runs) * kShortRunPixels > right - left) {
      KeyedRow(dp, src.Row(top + row) + left, right - left, cache.key);
      continue;
    }
    const uint16_t* p = cache.stream.data() + m.at;
    int at = m.column;
    for (int runs = m.runs; runs > 0 && at < right; --runs) {
      at += p[0];
      const int len = p[1];
      const int a = std::max(at, left), b = std::min(at + len, right);
      if (a < b) CopyRun(dp + (a - left), p + 2 + (a - at), b - a);
      at += len;
      p += 2 + len;
    }
  }
}

// The stream counts in u16: rows up to this width can be encoded.
constexpr int MaxEncodedWidth = 65535;

}  // namespace

void KeyedRunCache::Encode(Surface* src, uint16_t key_value) {
  const PixelView v = src->RawView();
  key = key_value;
  width = v.width;
  height = v.height;
  row_at.resize(static_cast<size_t>(height));
  stream.clear();
  for (int y = 0; y < height; ++y) {
    row_at[static_cast<size_t>(y)] = stream.size();
    const size_t count_at = stream.size();
    stream.push_back(0);
    const uint16_t* row = v.Row(y);
    int x = 0;
    uint16_t runs = 0;
    while (x < width) {
      const int gap_from = x;
      while (x < width && row[x] == key) ++x;
      if (x == width) break;
      const int start = x;
      while (x < width && row[x] != key) ++x;
      stream.push_back(static_cast<uint16_t>(start - gap_from));
      stream.push_back(static_cast<uint16_t>(x - start));
      stream.insert(stream.end(), row + start, row + x);
      ++runs;  // at most width / 2 + 1
    }
    stream[count_at] = runs;
  }
  marks_per_row = (width + kMarkStep - 1) / kMarkStep + 1;  // the last past the row's end
  marks.resize(static_cast<size_t>(height) * static_cast<size_t>(marks_per_row));
  for (int y = 0; y < height; ++y) MarkRow(y);
}

void KeyedRunCache::MarkRow(int y) {
  size_t at = row_at[static_cast<size_t>(y)];
  int runs = stream[at++];
  int column = 0;  // where the gap of the run at `at` starts
  for (int k = 0; k < marks_per_row; ++k) {
    // Past the runs that end at or before this mark's column.
    while (runs > 0 && column + stream[at] + stream[at + 1] <= k * kMarkStep) {
      column += stream[at] + stream[at + 1];
      at += 2 + stream[at + 1];
      --runs;
    }
    marks[static_cast<size_t>(y) * marks_per_row + k] =
        Mark{at, static_cast<uint16_t>(column), static_cast<uint16_t>(runs)};
  }
}

void KeyedRunCache::Copy(Surface* dst, int x, int y, Surface* src, int left, int top, int right,
                         int bottom, uint16_t key) {
  const PixelView sv = src->RawView();
  const PixelView dv = dst->RawView();
  const int h = bottom - top;

  KeyedRunCache* cache = src->keyed_runs_;
  if (cache == nullptr) {
    cache = new KeyedRunCache();
    src->keyed_runs_ = cache;
  }
  const uint64_t version = src->ContentVersion();
  if (cache->version != version || cache->key != key || cache->width != sv.width ||
      cache->height != sv.height) {
    if (cache->seen != version || sv.width > MaxEncodedWidth) {
      // First draw of this content: no encoding yet.
      cache->seen = version;
      cache->version = ~uint64_t{0};
      for (int row = 0; row < h; ++row)
        KeyedRow(dv.Row(y + row) + x, sv.Row(top + row) + left, right - left, key);
      return;
    }
    cache->Encode(src, key);
    cache->version = version;
  }

  uint8_t* drow = dv.pixels + static_cast<intptr_t>(y) * dv.pitch + static_cast<intptr_t>(x) * 2;
  CopyEncoded(*cache, sv, drow, dv.pitch, top, h, left, right);
}

void KeyedRunCache::Prepare(Surface* src) {
  if (!src->has_key_ || src->width_ > MaxEncodedWidth) return;
  if (src->keyed_runs_ == nullptr) src->keyed_runs_ = new KeyedRunCache();
  src->keyed_runs_->Encode(src, static_cast<uint16_t>(src->key_));
  src->keyed_runs_->version = src->ContentVersion();
}

void KeyedRunCache::Forget(Surface* src) {
  delete src->keyed_runs_;
  src->keyed_runs_ = nullptr;
}

bool KeyedRunCache::Cached(const Surface* src) {
  const KeyedRunCache* cache = src->keyed_runs_;
  return cache != nullptr && cache->version == src->ContentVersion();
}

const OpaqueExtents* OpaqueExtents::Of(Surface* src) {
  OpaqueExtents* extents = src->extents_;
  if (extents == nullptr) {
    extents = new OpaqueExtents();
    src->extents_ = extents;
  }
  const uint64_t version = src->ContentVersion();
  if (extents->version == version) return extents;
  if (extents->seen != version) {
    extents->seen = version;
    return nullptr;
  }
  Prepare(src);
  return extents;
}

void OpaqueExtents::Prepare(Surface* src) {
  if (src->extents_ == nullptr) src->extents_ = new OpaqueExtents();
  OpaqueExtents* extents = src->extents_;
  const PixelView v = src->RawView();
  extents->first.assign(static_cast<size_t>(v.height), 0);
  extents->end.assign(static_cast<size_t>(v.height), 0);
  for (int y = 0; y < v.height; ++y) {
    const RowSpan span = OpaqueSpan(v.Row(y), v.width);
    extents->first[static_cast<size_t>(y)] = span.first;
    extents->end[static_cast<size_t>(y)] = span.end;
  }
  extents->version = src->ContentVersion();
}

void OpaqueExtents::Forget(Surface* src) {
  delete src->extents_;
  src->extents_ = nullptr;
}

}  // namespace os
