// The vector row loops of the keyed blend blits (see el/draw/blend_rows.h),
// written once with the compilers' generic vector types and built three
// times on x86-64: for the baseline (SSE2), for AVX2 machines and for
// AVX-512BW ones.
#include "el/draw/blend_rows.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "el/draw/screen.h"
#include "el/draw/tables.h"

namespace elDraw::soft {

TableLayout BlendLayout = TableLayout::Other;

namespace {

// N 16-bit lanes.  Vectors are passed by reference only: a 256-bit vector
// passed by value would change the calling convention between the builds.
template <int N>
struct Lanes {
  typedef uint16_t U __attribute__((vector_size(2 * N)));
  typedef int16_t I __attribute__((vector_size(2 * N)));
};

template <int N>
[[gnu::always_inline]] inline void Load(typename Lanes<N>::U& v, const uint16_t* p) {
  std::memcpy(&v, p, sizeof v);
}
template <int N>
[[gnu::always_inline]] inline void Store(uint16_t* p, const typename Lanes<N>::U& v) {
  std::memcpy(p, &v, sizeof v);
}

// Whether the N pixels from p are all 0 (read as 64-bit words).
template <int N>
[[gnu::always_inline]] inline bool AllZero(const uint16_t* p) {
  uint64_t any = 0;
  for (int k = 0; k < N; k += 4) {
    uint64_t word;
    std::memcpy(&word, p + k, 8);
    any |= word;
  }
  return any == 0;
}

// Where a layout keeps its three 5-bit components (the place shifts), and
// whether a pixel with the top bit set has no components (5-5-5).
template <int RedAt, int GreenAt, int BlueAt, bool TopBitEmpty>
struct Layout {
  static constexpr int red = RedAt, green = GreenAt, blue = BlueAt;
  static constexpr bool top_bit_empty = TopBitEmpty;
};
using Layout565 = Layout<11, 6, 0, false>;
using Layout555 = Layout<10, 5, 0, true>;

// min(31, max(0, s - level) + d) per channel, placed; the source darkened
// only when `Darken`.  Single pixels go through the tables.
template <class L, bool Darken>
struct AdditiveRule {
  // (Built in place: a table rule built apart and copied in is read back
  // before its writes have landed.)
  explicit AdditiveRule(int level_)
      : table(AdditiveTable, level_, level_, level_), level(static_cast<int16_t>(level_)) {}
  BlendRule table;
  int16_t level;

  uint16_t operator()(uint16_t s, uint16_t d) const { return table(s, d); }

  template <int N>
  [[gnu::always_inline]] void Mix(typename Lanes<N>::U& d, const typename Lanes<N>::U& s) const {
    using U = typename Lanes<N>::U;
    using I = typename Lanes<N>::I;
    U sp = s, dp = d;
    if constexpr (L::top_bit_empty) {
      sp = (I)sp < 0 ? 0 : sp;
      dp = (I)dp < 0 ? 0 : dp;
    }
    U out = {};
    if constexpr (Darken) {
      Channel<N, L::red>(out, sp, dp);
      Channel<N, L::green>(out, sp, dp);
      Channel<N, L::blue>(out, sp, dp);
    } else {
      SaturatingSum<N>(out, sp, dp);
    }
    d = out;
  }

  // The three fields added at once in each lane: below each field's top bit
  // the sums cannot reach the next field; the top bits are added without
  // their carry, which is found apart and fills its field with ones.
  template <int N>
  [[gnu::always_inline]] static void SaturatingSum(typename Lanes<N>::U& out,
                                                  const typename Lanes<N>::U& s,
                                                  const typename Lanes<N>::U& d) {
    using U = typename Lanes<N>::U;
    constexpr uint16_t tops = (16 << L::red) | (16 << L::green) | (16 << L::blue);
    constexpr uint16_t lows = ((15 << L::red) | (15 << L::green) | (15 << L::blue));
    const U low = (s & lows) + (d & lows);
    const U sum = low ^ ((s ^ d) & tops);
    const U carry = ((s & d) | ((s | d) & ~sum)) & tops;
    // A field that overflowed: its top bit and the 15 << at below it.
    out = sum | carry | static_cast<U>(carry - (carry >> 4));
  }

  // One channel of out: the components added where they sit when their sum
  // fits a signed lane, else at the bottom and placed back.  The compares
  // are signed, which SSE2 has for 16-bit lanes (unsigned ones it lacks).
  template <int N, int At>
  [[gnu::always_inline]] void Channel(typename Lanes<N>::U& out, const typename Lanes<N>::U& s,
                                      const typename Lanes<N>::U& d) const {
    using U = typename Lanes<N>::U;
    using I = typename Lanes<N>::I;
    if constexpr ((62 << At) <= 0x7FFF) {
      constexpr int16_t field = 31 << At;
      I a = (I)(s & static_cast<uint16_t>(field));
      const I b = (I)(d & static_cast<uint16_t>(field));
      if constexpr (Darken) {
        const int16_t placed_level = static_cast<int16_t>(level << At);
        a = a > placed_level ? a - placed_level : 0;
      }
      I sum = a + b;
      sum = sum > field ? field : sum;
      out |= (U)sum;
    } else {
      I a = (I)((s >> At) & 31);
      const I b = (I)((d >> At) & 31);
      if constexpr (Darken) a = a > level ? a - level : 0;
      I sum = a + b;
      sum = sum > 31 ? 31 : sum;
      out |= (U)sum << At;
    }
  }
};

// Both pixels halved, each channel's carry into its neighbour dropped, added.
struct HalfRule {
  uint16_t mask;

  uint16_t operator()(uint16_t s, uint16_t d) const {
    return static_cast<uint16_t>(((s >> 1) & mask) + ((d >> 1) & mask));
  }

  template <int N>
  [[gnu::always_inline]] void Mix(typename Lanes<N>::U& d, const typename Lanes<N>::U& s) const {
    d = ((s >> 1) & mask) + ((d >> 1) & mask);
  }
};

// The rule's mix where the source pixel is not 0; the destination stays
// where it is.
template <int N, class Rule>
[[gnu::always_inline]] inline void Blend(const Rule& rule, typename Lanes<N>::U& d,
                                         const typename Lanes<N>::U& s) {
  typename Lanes<N>::U out = d;
  rule.template Mix<N>(out, s);
  d = s == 0 ? d : out;
}

// n >= N pixels of one row; steps whose source pixels are all 0 are skipped
// when `skip_clear` (worth its branch only where whole steps of 0 are
// likely).
template <int N, class Rule>
[[gnu::always_inline]] inline void Span(uint16_t* d, const uint16_t* s, int n, bool skip_clear,
                                        const Rule& rule) {
  using U = typename Lanes<N>::U;
  const int last = n - N;
  U tail_s{}, tail_d{};
  const bool tail = n % N != 0;
  if (tail) {
    Load<N>(tail_s, s + last);
    Load<N>(tail_d, d + last);
    Blend<N>(rule, tail_d, tail_s);
  }
  for (int j = 0; j <= last; j += N) {
    if (skip_clear && AllZero<N>(s + j)) continue;
    U sv, dv;
    Load<N>(sv, s + j);
    Load<N>(dv, d + j);
    Blend<N>(rule, dv, sv);
    Store<N>(d + j, dv);
  }
  if (tail) Store<N>(d + last, tail_d);
}

// The rows of an area as the row loops walk them, held by value: the loops'
// stores may write anywhere as far as the compiler knows, and would make
// every row reload the planes, the area and the extents from memory.
struct AreaRows {
  const uint16_t* src = nullptr;  // the area's first source pixel
  uint16_t* dst = nullptr;        // and its back-buffer pixel
  ptrdiff_t src_pitch = 0, dst_pitch = 0;
  int left = 0, w = 0, h = 0;       // left: the area's first source column
  const int32_t* first = nullptr;   // the extents of the area's first row on
  const int32_t* end = nullptr;     // (nullptr when unknown)

  const uint16_t* Src(int i) const { return src + i * src_pitch; }
  uint16_t* Dst(int i) const { return dst + i * dst_pitch; }
  // Whether row i has only 0s in the source (known from the extents).
  bool Clear(int i) const {
    return first != nullptr && std::max(left, first[i]) >= std::min(left + w, end[i]);
  }
  // The rows from the first to the last that is not clear, bottom
  // exclusive.  The loops of whole rows leave out only these: a clear row
  // between them draws nothing anyway, and asking every row costs more.
  void Shown(int& top, int& bottom) const {
    top = 0;
    bottom = h;
    while (top < bottom && Clear(top)) ++top;
    while (bottom > top && Clear(bottom - 1)) --bottom;
  }
};

// The area's rows, each cut to the span of its source pixels other than 0
// when the extents are known (widened back to a whole step inside the area
// where it is narrower).  Steps of `Wide` pixels, the register's width (and
// of 8 on narrower spans).
template <int Wide, class Rule>
[[gnu::always_inline]] inline void VectorRows(const AreaRows& rows, const Rule& rule) {
  const AreaRows r = rows;
  const int right = r.left + r.w;
  if (r.w >= Wide && r.w <= 2 * Wide) {
    // A narrow area (a bullet's cell): every shown row in exactly two
    // steps, the second ending at the row's end, both from the destination
    // as it was (where they overlap they give the same pixels).
    using U = typename Lanes<Wide>::U;
    const int second = r.w - Wide;
    int top, bottom;
    r.Shown(top, bottom);
    for (int i = top; i < bottom; ++i) {
      const uint16_t* s = r.Src(i);
      uint16_t* d = r.Dst(i);
      U s0, d0, s1, d1;
      Load<Wide>(s0, s);
      Load<Wide>(d0, d);
      Load<Wide>(s1, s + second);
      Load<Wide>(d1, d + second);
      Blend<Wide>(rule, d0, s0);
      Blend<Wide>(rule, d1, s1);
      Store<Wide>(d + second, d1);
      Store<Wide>(d, d0);
    }
    return;
  }
  for (int i = 0; i < r.h; ++i) {
    int from = r.left, to = right;  // source columns
    if (r.first != nullptr) {
      from = std::max(from, r.first[i]);
      to = std::min(to, r.end[i]);
      if (from >= to) continue;
      for (int step : {Wide, 8}) {
        if (to - from < step && r.w >= step) {
          from = std::min(from, right - step);
          to = from + step;
          break;
        }
      }
    }
    const uint16_t* s = r.Src(i) + (from - r.left);
    uint16_t* d = r.Dst(i) + (from - r.left);
    const int n = to - from;
    const bool skip_clear = r.first == nullptr;
    if (n >= Wide) {
      Span<Wide>(d, s, n, skip_clear, rule);
    } else if (n >= 8) {
      Span<8>(d, s, n, skip_clear, rule);
    } else {
      for (int j = 0; j < n; ++j)
        if (s[j] != 0) d[j] = rule(s[j], d[j]);
    }
  }
}

template <class Rule>
void Rows128(const AreaRows& rows, const Rule& rule) {
  VectorRows<8>(rows, rule);
}

#if defined(__x86_64__)
template <class Rule>
__attribute__((target("avx2"))) void Rows256(const AreaRows& rows, const Rule& rule) {
  VectorRows<16>(rows, rule);
}

// On AVX-512BW: an area up to 64 pixels wide (a bullet's cell) in one or two
// steps of 32 a row, the last masked to the row, every shown row.  Wider
// areas take the rows cut to their spans, in steps of 32.
constexpr int kMaskedRowsWidest = 64;

template <class Rule>
__attribute__((target("avx512bw"))) void Rows512(const AreaRows& rows, const Rule& rule) {
  VectorRows<32>(rows, rule);
}

// A step of the masked lanes; only the lanes whose source pixel is not 0
// are stored.
template <class Rule>
[[gnu::always_inline]] __attribute__((target("avx512bw"))) inline void MaskedStep(
    const uint16_t* s, uint16_t* d, __mmask32 mask, const Rule& rule) {
  using U = Lanes<32>::U;
  const __m512i sv = _mm512_maskz_loadu_epi16(mask, s);
  U dv = (U)_mm512_maskz_loadu_epi16(mask, d);
  rule.template Mix<32>(dv, (U)sv);
  _mm512_mask_storeu_epi16(d, _mm512_mask_test_epi16_mask(mask, sv, sv), (__m512i)dv);
}

template <class Rule>
__attribute__((target("avx512bw"))) void MaskedRows512(const AreaRows& rows, const Rule& rule) {
  const AreaRows r = rows;
  const int last = (r.w - 1) / 32 * 32;  // the last step's first pixel
  const __mmask32 last_mask = static_cast<__mmask32>((uint64_t{1} << (r.w - last)) - 1);
  int top, bottom;
  r.Shown(top, bottom);
  for (int i = top; i < bottom; ++i) {
    const uint16_t* s = r.Src(i);
    uint16_t* d = r.Dst(i);
    if (last != 0) MaskedStep(s, d, ~__mmask32{0}, rule);
    MaskedStep(s + last, d + last, last_mask, rule);
  }
}
#endif

template <class Rule>
void RunRows(const Plane& src, const Plane& dst, const Area& a, os::Surface* source,
             const Rule& rule) {
  if (PixelEngine == RowEngine::Scalar) {
    KeyedRows(src, dst, a, rule);
    return;
  }
  if (a.w <= 0 || a.h <= 0) return;
  AreaRows rows;
  rows.src = src.Row(a.top) + a.left;
  rows.dst = dst.Row(a.y) + a.x;
  rows.src_pitch = src.pitch;
  rows.dst_pitch = dst.pitch;
  rows.left = a.left;
  rows.w = a.w;
  rows.h = a.h;
  if (const os::OpaqueExtents* extents = os::OpaqueExtents::Of(source)) {
    rows.first = extents->first.data() + a.top;
    rows.end = extents->end.data() + a.top;
  }
#if defined(__x86_64__)
  if (PixelEngine == RowEngine::Vector512 && a.w <= kMaskedRowsWidest) {
    MaskedRows512(rows, rule);
    return;
  }
  if (PixelEngine == RowEngine::Vector512) {
    Rows512(rows, rule);
    return;
  }
  if (PixelEngine >= RowEngine::Vector256) {
    Rows256(rows, rule);
    return;
  }
#endif
  Rows128(rows, rule);
}

template <class L>
void AdditiveInLayout(const Plane& src, const Plane& dst, const Area& a, os::Surface* source,
                      int level) {
  if (level == 0)
    RunRows(src, dst, a, source, AdditiveRule<L, false>(0));
  else
    RunRows(src, dst, a, source, AdditiveRule<L, true>(level));
}

}  // namespace

void ChooseBlendLayout(bool pixels_16bit) {
  BlendLayout = TableLayout::Other;
  if (!pixels_16bit || BlueMask != 0x001F) return;
  if (RedMask == 0xF800 && GreenMask == 0x07E0) BlendLayout = TableLayout::Rgb565;
  if (RedMask == 0x7C00 && GreenMask == 0x03E0) BlendLayout = TableLayout::Rgb555;
}

void AdditiveRows(const Plane& src, const Plane& dst, const Area& area, os::Surface* source,
                  int level) {
  if (PixelEngine == RowEngine::Scalar || BlendLayout == TableLayout::Other)
    KeyedRows(src, dst, area, BlendRule(AdditiveTable, level, level, level));
  else if (BlendLayout == TableLayout::Rgb565)
    AdditiveInLayout<Layout565>(src, dst, area, source, level);
  else
    AdditiveInLayout<Layout555>(src, dst, area, source, level);
}

void HalfRows(const Plane& src, const Plane& dst, const Area& area, os::Surface* source) {
  RunRows(src, dst, area, source, HalfRule{static_cast<uint16_t>(HalfMask)});
}

}  // namespace elDraw::soft
