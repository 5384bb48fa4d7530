// The rotated blits.  Inverse mapping in fixed point: for every box pixel a
// source position (u, v), in source pixels times 360, steps by the angle's
// sine and cosine from SineTable; u / 360 and v / 360 truncate toward zero.
//
// DrawRotated, the one the game calls for every spinning enemy and every
// bullet drawn along its heading, works out per row the run of columns whose
// source position lies inside the picture and the clip rectangle, so its
// inner loop has no test (a transparent pixel keeps the destination without
// a branch either); it steps the quotients themselves in fixed point, and on
// AVX2 machines takes eight pixels a step.  A picture kept turned
// (el/draw/turned_pictures.h) is copied from its kept turn instead, which
// that same loop made.  The rest of the family shares one plain loop.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "el/draw/soft_blit.h"
#include "el/draw/soft_blit_frame.h"
#include "el/draw/turned_pictures.h"

namespace elDraw {
namespace {

using soft::Plane;

// Boxes beyond this size are refused, which keeps the fixed-point positions
// far inside 32 bits.
constexpr int64_t kMaxBox = 16384;

// The smallest u whose truncated u / 360 is at least q, and the largest whose
// truncated u / 360 is at most q.
int64_t LowestWithQuotient(int64_t q) { return q > 0 ? 360 * q : 360 * q - 359; }
int64_t HighestWithQuotient(int64_t q) { return q >= 0 ? 360 * q + 359 : 360 * q; }

// For one axis of a draw: the columns j of a row whose position u0 + j c
// truncates (divided by 360) to a quotient from q_lo to q_hi.  Each row's
// bounds are floors of quotients by the step c, fixed over the draw: a
// multiplication by its reciprocal, then one exact correction in integers.
// |a| stays below 2^42 and 0 < |c| <= 360, so the product lies within
// 2^-10 of the true quotient and its truncation within one of the floor.
class ColumnBounds {
 public:
  ColumnBounds(int64_t c, int64_t q_lo, int64_t q_hi)
      : c_(c),
        inv_(c != 0 ? 1.0 / static_cast<double>(c) : 0.0),
        empty_(q_lo > q_hi),
        u_lo_(LowestWithQuotient(q_lo)),
        u_hi_(HighestWithQuotient(q_hi)) {}

  // Narrows the columns [*lo, *hi) of the row starting at u0.
  void Narrow(int64_t u0, int64_t* lo, int64_t* hi) const {
    if (empty_) {
      *hi = *lo;
    } else if (c_ > 0) {
      *lo = std::max(*lo, Ceil(u_lo_ - u0));
      *hi = std::min(*hi, Floor(u_hi_ - u0) + 1);
    } else if (c_ < 0) {
      *lo = std::max(*lo, Ceil(u_hi_ - u0));
      *hi = std::min(*hi, Floor(u_lo_ - u0) + 1);
    } else if (u0 < u_lo_ || u0 > u_hi_) {
      *hi = *lo;
    }
  }

 private:
  int64_t Floor(int64_t a) const {
    int64_t q = static_cast<int64_t>(static_cast<double>(a) * inv_);
    const int64_t r = a - q * c_;  // in [0, c) (or (c, 0] for c < 0) when q is right
    if (c_ > 0 ? r < 0 : r > 0)
      --q;
    else if (c_ > 0 ? r >= c_ : r <= c_)
      ++q;
    return q;
  }
  int64_t Ceil(int64_t a) const { return -Floor(-a); }

  int64_t c_;
  double inv_;
  bool empty_;
  int64_t u_lo_, u_hi_;
};

// The source pixel p over the destination pixel d, 0 transparent, without a
// branch (which the rotated pictures' ragged edges would keep mispredicting).
inline uint16_t KeyedPixel(uint16_t p, uint16_t d) {
  return static_cast<uint16_t>(p | (d & -static_cast<uint16_t>(p == 0)));
}

// max(u, 0) / 360 for u = u0, u0 + step, u0 + 2 step, ... (u > -360 and
// |step| <= 360), stepped without a division: the quotient in 32.32 fixed
// point, each term truncated (an error below one unit per step), raised by
// 2^-12.  A true quotient u / 360 is a whole number plus k / 360 (0 <= k <
// 360), and over the at most 2^14 steps of a box row the raised value stays
// within 2^-17 of the true one plus 2^-12, so it lies above the true value
// and below the next multiple of 1 / 360: its integer part is the truncated
// quotient.  For -360 < u < 0 the raised value stays below 0, which gives 0
// as u / 360 truncated does.
class QuotientStep {
 public:
  QuotientStep(int64_t u0, int64_t step)
      : q_((u0 << 32) / 360 + kRaise), step_((step << 32) / 360) {}
  int64_t Get() const { return std::max<int64_t>(q_, 0) >> 32; }
  void Next() { q_ += step_; }

 private:
  static constexpr int64_t kRaise = int64_t{1} << 20;
  int64_t q_, step_;
};

// One run of a row pixel by pixel: n pixels to d from the positions (u, v)
// stepping by (cos_a, sin_a), all above -360; the source index of the
// truncated position (0, 0) is `origin`.
void RunScalar(uint16_t* __restrict d, int64_t n, const uint16_t* sbase, ptrdiff_t origin,
               ptrdiff_t spitch, int64_t u, int64_t v, int32_t cos_a, int32_t sin_a) {
  QuotientStep qu(u, cos_a), qv(v, sin_a);
  for (; n > 0; --n, ++d, qu.Next(), qv.Next()) {
    const uint16_t p = sbase[origin + qv.Get() * spitch + qu.Get()];
    *d = KeyedPixel(p, *d);
  }
}

#if defined(__x86_64__)
// The same run on AVX2, eight pixels a step, each fetched by a gather.  The
// quotients are stepped in 32-bit lanes, 12.20 fixed point, raised by
// 2^-10: as in QuotientStep, over the fewer than kWideRunLimit steps of a run
// the error stays below 2^-10, so the raised value lies above the true one
// and below the next multiple of 1 / 360.  The lanes hold quotients below
// kWideQuotientLimit and source indices in 32 bits; a gather reads 32 bits
// at a pixel, which the surface's spare word after its last row allows.
constexpr int kWideShift = 20;
constexpr int32_t kWideRaise = 1 << 10;
constexpr int64_t kWideRunLimit = 1000;
constexpr int64_t kWideQuotientLimit = 2047;

struct WideRun {
  __m256i u, v;           // the eight lanes' raised quotients
  __m256i u_step, v_step;  // eight steps
  __m256i pitch, origin;
};

__attribute__((target("avx2"), always_inline)) inline __m256i WideLanes(int64_t x0, int32_t step,
                                                                        int64_t first) {
  const int32_t q = static_cast<int32_t>(((x0 + first * step) << kWideShift) / 360 + kWideRaise);
  const int32_t dq = static_cast<int32_t>((int64_t{step} << kWideShift) / 360);
  return _mm256_add_epi32(_mm256_set1_epi32(q),
                          _mm256_mullo_epi32(_mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7),
                                             _mm256_set1_epi32(dq)));
}

// The eight source pixels of the lanes over the eight destination pixels at d.
__attribute__((target("avx2"), always_inline)) inline __m128i WidePixels(const WideRun& r,
                                                                         const uint16_t* sbase,
                                                                         const uint16_t* d) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i qu = _mm256_srli_epi32(_mm256_max_epi32(r.u, zero), kWideShift);
  const __m256i qv = _mm256_srli_epi32(_mm256_max_epi32(r.v, zero), kWideShift);
  const __m256i index =
      _mm256_add_epi32(_mm256_add_epi32(_mm256_mullo_epi32(qv, r.pitch), qu), r.origin);
  const __m256i words = _mm256_and_si256(
      _mm256_i32gather_epi32(reinterpret_cast<const int*>(sbase), index, 2),
      _mm256_set1_epi32(0xFFFF));
  const __m128i p =
      _mm_packus_epi32(_mm256_castsi256_si128(words), _mm256_extracti128_si256(words, 1));
  const __m128i under = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
  return _mm_blendv_epi8(p, under, _mm_cmpeq_epi16(p, _mm_setzero_si128()));
}

// n >= 8 pixels; the last eight are worked out first, from the untouched
// destination, and stored last (where they overlap the step before they
// write the same values).
__attribute__((target("avx2"))) void RunWide(uint16_t* d, int64_t n, const uint16_t* sbase,
                                              ptrdiff_t origin, ptrdiff_t spitch, int64_t u,
                                              int64_t v, int32_t cos_a, int32_t sin_a) {
  WideRun r;
  r.pitch = _mm256_set1_epi32(static_cast<int32_t>(spitch));
  r.origin = _mm256_set1_epi32(static_cast<int32_t>(origin));
  r.u_step = _mm256_set1_epi32(static_cast<int32_t>((int64_t{cos_a} << kWideShift) / 360 * 8));
  r.v_step = _mm256_set1_epi32(static_cast<int32_t>((int64_t{sin_a} << kWideShift) / 360 * 8));
  r.u = WideLanes(u, cos_a, n - 8);
  r.v = WideLanes(v, sin_a, n - 8);
  const __m128i last = WidePixels(r, sbase, d + n - 8);
  r.u = WideLanes(u, cos_a, 0);
  r.v = WideLanes(v, sin_a, 0);
  for (int64_t j = 0; j + 8 <= n; j += 8) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + j), WidePixels(r, sbase, d + j));
    r.u = _mm256_add_epi32(r.u, r.u_step);
    r.v = _mm256_add_epi32(r.v, r.v_step);
  }
  _mm_storeu_si128(reinterpret_cast<__m128i*>(d + n - 8), last);
}
#endif

// The box and its clipping, shared by the family; false when nothing of the
// box is inside the clip rectangle.
bool ClipRotatedBox(int32_t left, int32_t top, int32_t right, int32_t bottom,
                    soft::TurnBox* box) {
  const soft::Box clip = soft::ClipBox();
  box->left = left;
  box->top = top;
  box->bw = int64_t{right} - left;
  box->bh = int64_t{bottom} - top;
  box->w = box->bw;
  box->h = box->bh;
  box->x0 = 0;
  box->y0 = 0;
  if (box->left + box->w > clip.right) box->w = clip.right - box->left;
  if (box->top + box->h > clip.bottom) box->h = clip.bottom - box->top;
  if (box->left < clip.left) box->x0 = clip.left - box->left;
  if (box->top < clip.top) box->y0 = clip.top - box->top;
  return !(box->w < box->x0 || box->h < box->y0);
}

// The fixed-point start of the box's first row.
struct RotationStart {
  int32_t sin_a, cos_a;
  int64_t u, v;
  RotationStart(int32_t angle, int64_t bw, int64_t bh) {
    const int a = soft::ReduceAngle(angle);
    sin_a = SineTable[a];
    cos_a = SineTable[a + 90];
    const int64_t cx = bw >> 1, cy = bh >> 1;
    u = 360 * cx - cx * cos_a + cy * sin_a;
    v = 360 * cy - cx * sin_a - cy * cos_a;
  }
};

// ---- the family's plain loop ----

// What a member adds to the loop: the centring offsets, the source column and
// row for a truncated position, the pixel it writes, and a per-row step.
struct FamilyMember {
  bool tiled = false;  // the source repeats; the rectangle is cut to the picture first
  float x_scale = 1.0f, y_scale = 1.0f;
  float x_step = 0.0f, y_step = 0.0f;
  bool scaled = false;
  bool scale_offsets = false;  // offsets from the scaled source size
  bool tint = false;
  float factor[3] = {1.0f, 1.0f, 1.0f};
};

bool UsableScale(float scale) { return std::isfinite(scale) && scale != 0.0f; }

// The member's source coordinate for a truncated position q: q minus the
// offset, divided by the scale, folded into the tile.
int64_t MapCoordinate(const FamilyMember& m, int64_t q, int64_t offset, float scale,
                      int64_t size) {
  int64_t s = q - offset;
  if (m.scaled) s = soft::TruncBounded(static_cast<float>(s) / scale, 0);
  if (m.tiled) s = std::llabs(s) % size;
  return s;
}

int32_t DrawFamily(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t angle,
                   int32_t handle, int32_t src_left, int32_t src_top, int32_t src_right,
                   int32_t src_bottom, FamilyMember member) {
  os::Surface* source = soft::SpriteSurface(handle);
  if (source == nullptr) return 0;
  soft::TurnBox box;
  if (!ClipRotatedBox(left, top, right, bottom, &box)) return 1;
  if (box.bw > kMaxBox || box.bh > kMaxBox) return 0;
  if (member.scaled && (!UsableScale(member.x_scale) || !UsableScale(member.y_scale))) return 0;
  if (member.tiled) {
    src_left = std::max(src_left, 0);
    src_top = std::max(src_top, 0);
    src_right = std::min(src_right, source->Width());
    src_bottom = std::min(src_bottom, source->Height());
  }
  const int64_t sw = int64_t{src_right} - src_left, sh = int64_t{src_bottom} - src_top;
  if (member.tiled && (sw <= 0 || sh <= 0)) return 1;
  // Source columns and rows inside both the rectangle and the picture.
  const int64_t sx_lo = std::max<int64_t>(0, -int64_t{src_left});
  const int64_t sx_hi = std::min<int64_t>(sw, int64_t{source->Width()} - src_left);
  const int64_t sy_lo = std::max<int64_t>(0, -int64_t{src_top});
  const int64_t sy_hi = std::min<int64_t>(sh, int64_t{source->Height()} - src_top);

  int64_t offx = (box.bw - sw) >> 1, offy = (box.bh - sh) >> 1;
  if (member.scale_offsets) {
    offx = (box.bw - soft::TruncBounded(static_cast<float>(sw) * member.x_scale, 0)) >> 1;
    offy = (box.bh - soft::TruncBounded(static_cast<float>(sh) * member.y_scale, 0)) >> 1;
  }
  const RotationStart start(angle, box.bw, box.bh);
  float factor[3];
  for (int c = 0; c < 3; ++c) factor[c] = soft::ClampUnit(member.factor[c]);

  return soft::WithLockedPair(source, [&](const Plane& src, const Plane& dst) {
    const soft::Placer place;
    float x_scale = member.x_scale, y_scale = member.y_scale;
    for (int64_t i = 0; i < box.h; ++i) {
      const bool row_usable = !member.scaled || (UsableScale(x_scale) && UsableScale(y_scale));
      if (i >= box.y0 && row_usable) {
        int64_t u = start.u - i * start.sin_a + box.x0 * start.cos_a;
        int64_t v = start.v + i * start.cos_a + box.x0 * start.sin_a;
        uint16_t* d = dst.base + dst.Index(static_cast<int>(box.left + box.x0),
                                           static_cast<int>(box.top + i));
        for (int64_t j = box.x0; j < box.w; ++j, ++d, u += start.cos_a, v += start.sin_a) {
          const int64_t sx = MapCoordinate(member, u / 360, offx, x_scale, sw);
          const int64_t sy = MapCoordinate(member, v / 360, offy, y_scale, sh);
          if (sx < sx_lo || sx >= sx_hi || sy < sy_lo || sy >= sy_hi) continue;
          const uint16_t p = src.At(static_cast<int>(src_left + sx), static_cast<int>(src_top + sy));
          if (p == 0) continue;
          if (member.tint) {
            const uint8_t* c = soft::Split(p);
            *d = place(static_cast<unsigned>(c[0] * factor[0]),
                       static_cast<unsigned>(c[1] * factor[1]),
                       static_cast<unsigned>(c[2] * factor[2]));
          } else {
            *d = p;
          }
        }
      }
      x_scale += member.x_step;
      y_scale += member.y_step;
    }
  });
}

}  // namespace

namespace soft {

void TurnRows(const Plane& src, const Plane& dst, const TurnBox& box, int32_t angle,
              const SourceRect& rect) {
  const int32_t src_left = rect.left, src_top = rect.top;
  const int64_t sw = int64_t{rect.right} - src_left, sh = int64_t{rect.bottom} - src_top;
  const int64_t offx = (box.bw - sw) >> 1, offy = (box.bh - sh) >> 1;
  // Truncated positions q whose source column q - offx lies inside both the
  // source rectangle and the picture (likewise for rows).
  const int64_t qx_lo = std::max<int64_t>(0, -int64_t{src_left}) + offx;
  const int64_t qx_hi = std::min<int64_t>(sw, int64_t{src.width} - src_left) - 1 + offx;
  const int64_t qy_lo = std::max<int64_t>(0, -int64_t{src_top}) + offy;
  const int64_t qy_hi = std::min<int64_t>(sh, int64_t{src.height} - src_top) - 1 + offy;
  const RotationStart start(angle, box.bw, box.bh);

  // Source index of the truncated position (0, 0).
  const ptrdiff_t origin = (src_top - offy) * src.pitch + (src_left - offx);
  const ptrdiff_t spitch = src.pitch;
  const uint16_t* const sbase = src.base;
  const int32_t sin_a = start.sin_a, cos_a = start.cos_a;
  // With a box at least the source's size every drawn position has u, v
  // above -360 (the quotients are not negative).
  const bool above_minus_360 = qx_lo >= 0 && qy_lo >= 0;
#if defined(__x86_64__)
  // (The lanes' index sums wrap in 32 bits, which leaves every index of
  // a picture of fewer than 2^31 words right.)
  const bool wide = above_minus_360 && PixelEngine >= RowEngine::Vector256 &&
                    qx_hi < kWideQuotientLimit && qy_hi < kWideQuotientLimit &&
                    int64_t{src.height} * spitch <= INT32_MAX && std::abs(origin) <= INT32_MAX;
#endif
  const ColumnBounds columns(cos_a, qx_lo, qx_hi), rows(sin_a, qy_lo, qy_hi);
  for (int64_t i = box.y0; i < box.h; ++i) {
    const int64_t u0 = start.u - i * sin_a;
    const int64_t v0 = start.v + i * cos_a;
    int64_t lo = box.x0, hi = box.w;
    columns.Narrow(u0, &lo, &hi);
    rows.Narrow(v0, &lo, &hi);
    if (lo >= hi) continue;
    int32_t u = static_cast<int32_t>(u0 + lo * cos_a);
    int32_t v = static_cast<int32_t>(v0 + lo * sin_a);
    uint16_t* __restrict d =
        dst.base + dst.Index(static_cast<int>(box.left + lo), static_cast<int>(box.top + i));
    if (above_minus_360) {
      // Inside the run u, v > -360, where u / 360 truncated is max(u, 0) / 360.
#if defined(__x86_64__)
      if (wide && hi - lo >= 8 && hi - lo < kWideRunLimit) {
        RunWide(d, hi - lo, sbase, origin, spitch, u, v, cos_a, sin_a);
        continue;
      }
#endif
      RunScalar(d, hi - lo, sbase, origin, spitch, u, v, cos_a, sin_a);
    } else {
      for (int64_t n = hi - lo; n > 0; --n, ++d, u += cos_a, v += sin_a) {
        const uint16_t p = sbase[origin + (v / 360) * spitch + u / 360];
        *d = KeyedPixel(p, *d);
      }
    }
  }
}

}  // namespace soft

int32_t DrawRotated(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t angle,
                    int32_t handle, int32_t src_left, int32_t src_top, int32_t src_right,
                    int32_t src_bottom) {
  os::Surface* source = soft::SpriteSurface(handle);
  if (source == nullptr) return 0;
  soft::TurnBox box;
  if (!ClipRotatedBox(left, top, right, bottom, &box)) return 1;
  if (box.bw > kMaxBox || box.bh > kMaxBox) return 0;
  const soft::SourceRect rect{src_left, src_top, src_right, src_bottom};
  return soft::WithLockedPair(source, [&](const Plane& src, const Plane& dst) {
    soft::Turn turn;
    if (soft::FindTurn(handle, source, src, box.bw, box.bh, rect, angle, &turn)) {
      soft::DrawTurn(turn, dst, box);
    } else {
      ++soft::FreshTurns;
      soft::TurnRows(src, dst, box, angle, rect);
    }
  });
}

int32_t DrawRotatedTiled(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t angle,
                         int32_t handle, int32_t src_left, int32_t src_top, int32_t src_right,
                         int32_t src_bottom) {
  FamilyMember m;
  m.tiled = true;
  return DrawFamily(left, top, right, bottom, angle, handle, src_left, src_top, src_right,
                    src_bottom, m);
}

int32_t DrawRotatedScaled2(int32_t left, int32_t top, int32_t right, int32_t bottom,
                           int32_t angle, float scale, int32_t handle, int32_t src_left,
                           int32_t src_top, int32_t src_right, int32_t src_bottom) {
  FamilyMember m;
  m.scaled = true;
  m.scale_offsets = true;
  m.x_scale = m.y_scale = scale;
  return DrawFamily(left, top, right, bottom, angle, handle, src_left, src_top, src_right,
                    src_bottom, m);
}

int32_t DrawRotatedTiledScaled(int32_t left, int32_t top, int32_t right, int32_t bottom,
                               int32_t angle, float scale, int32_t handle, int32_t src_left,
                               int32_t src_top, int32_t src_right, int32_t src_bottom) {
  FamilyMember m;
  m.tiled = true;
  m.scaled = true;
  m.x_scale = m.y_scale = scale;
  return DrawFamily(left, top, right, bottom, angle, handle, src_left, src_top, src_right,
                    src_bottom, m);
}

int32_t DrawRotatedScaledBlend(int32_t left, int32_t top, int32_t right, int32_t bottom,
                               int32_t angle, float x_scale, float x_step, float y_scale,
                               float y_step, float red, float green, float blue, int32_t handle,
                               int32_t src_left, int32_t src_top, int32_t src_right,
                               int32_t src_bottom) {
  FamilyMember m;
  m.tiled = true;
  m.scaled = true;
  m.tint = true;
  m.x_scale = x_scale;
  m.y_scale = y_scale;
  m.x_step = std::isfinite(x_step) ? x_step : 0.0f;
  m.y_step = std::isfinite(y_step) ? y_step : 0.0f;
  m.factor[0] = red;
  m.factor[1] = green;
  m.factor[2] = blue;
  return DrawFamily(left, top, right, bottom, angle, handle, src_left, src_top, src_right,
                    src_bottom, m);
}

}  // namespace elDraw
