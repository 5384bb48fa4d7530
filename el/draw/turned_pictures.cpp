// The kept turns (see el/draw/turned_pictures.h).  Each kept picture holds
// its 360 turns one after the other: a row table of 360 x h entries and one
// pixel array with every row's opaque span.  A turn is made by the reference
// turn itself, into a cleared scratch picture of the box's size, so a kept
// turn is that turn's pixels by construction; the draw then copies a row's
// span and keeps the destination under its 0s, as the reference does.
#include "el/draw/turned_pictures.h"

#include <algorithm>
#include <vector>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "el/draw/objects.h"
#include "os/surface_blit.h"

namespace elDraw {
namespace soft {

bool UseTurnedPictures = true;
uint64_t FreshTurns = 0;

}  // namespace soft

namespace {

using soft::Plane;
using soft::TurnedRow;

constexpr int kAngles = 360;
constexpr int32_t kLargestSide = 256;

struct KeptPicture {
  int32_t handle = 0;
  int32_t w = 0, h = 0;
  uint64_t version = 0;  // the surface content the turns were made from
  std::vector<TurnedRow> rows;  // turn a's row i at a x h + i
  std::vector<uint16_t> pixels;
};

std::vector<KeptPicture> g_kept;

// Every turn of `picture` from the locked source `src` (its content
// `version`).
void MakeTurns(KeptPicture& picture, const Plane& src, uint64_t version) {
  const int w = picture.w, h = picture.h;
  std::vector<uint16_t> scratch(static_cast<size_t>(w) * static_cast<size_t>(h));
  const Plane canvas{scratch.data(), w, w, h};
  const soft::TurnBox box{0, 0, w, h, w, h, 0, 0};
  const soft::SourceRect rect{0, 0, w, h};
  picture.rows.assign(static_cast<size_t>(kAngles) * static_cast<size_t>(h), TurnedRow{});
  picture.pixels.clear();
  for (int a = 0; a < kAngles; ++a) {
    std::fill(scratch.begin(), scratch.end(), uint16_t{0});
    soft::TurnRows(src, canvas, box, a, rect);
    for (int i = 0; i < h; ++i) {
      const uint16_t* row = canvas.Row(i);
      const os::RowSpan span = os::OpaqueSpan(row, w);
      picture.rows[static_cast<size_t>(a * h + i)] =
          TurnedRow{static_cast<uint16_t>(span.first), static_cast<uint16_t>(span.end),
                    static_cast<uint32_t>(picture.pixels.size())};
      picture.pixels.insert(picture.pixels.end(), row + span.first, row + span.end);
    }
  }
  picture.pixels.shrink_to_fit();
  picture.version = version;
}

KeptPicture* Kept(int32_t handle) {
  for (KeptPicture& picture : g_kept)
    if (picture.handle == handle) return &picture;
  return nullptr;
}

}  // namespace

bool KeepTurned(int32_t handle, int32_t w, int32_t h) {
  if (handle < FirstFreeSprite || handle >= SpriteObjectCount) return false;
  if (w < 1 || h < 1 || w > kLargestSide || h > kLargestSide) return false;
  os::Surface* source = soft::SpriteSurface(handle);
  if (source == nullptr) return false;
  os::PixelView view;
  if (!os::Succeeded(source->LockReadOnly(&view, true))) return false;
  KeptPicture* picture = Kept(handle);
  if (picture == nullptr) picture = &g_kept.emplace_back();
  picture->handle = handle;
  picture->w = w;
  picture->h = h;
  MakeTurns(*picture, soft::ToPlane(*source, view), source->ContentVersion());
  source->Unlock();
  return true;
}

void ForgetTurned() { g_kept.clear(); }

size_t TurnedBytes() {
  size_t bytes = 0;
  for (const KeptPicture& picture : g_kept)
    bytes += picture.rows.capacity() * sizeof(TurnedRow) +
             picture.pixels.capacity() * sizeof(uint16_t);
  return bytes;
}

namespace soft {

bool FindTurn(int32_t handle, const os::Surface* source, const Plane& src, int64_t bw,
              int64_t bh, const SourceRect& rect, int32_t angle, Turn* out) {
  if (!UseTurnedPictures) return false;
  KeptPicture* picture = Kept(handle);
  if (picture == nullptr || bw != picture->w || bh != picture->h || rect.left != 0 ||
      rect.top != 0 || rect.right != picture->w || rect.bottom != picture->h)
    return false;
  if (picture->version != source->ContentVersion())
    MakeTurns(*picture, src, source->ContentVersion());
  const size_t first_row = static_cast<size_t>(ReduceAngle(angle)) * static_cast<size_t>(bh);
  *out = Turn{picture->rows.data() + first_row, picture->pixels.data()};
  return true;
}

namespace {

// Row i's part of a turn inside the clip rectangle: n pixels from s to d.
struct RowPart {
  const uint16_t* s;
  uint16_t* d;
  int64_t n;
};
// False for a row with nothing inside the clip rectangle, whose pointers
// would lie outside the turn's pixels and the destination: none is formed.
inline bool PartOf(const Turn& turn, const Plane& dst, const TurnBox& box, int64_t i,
                   RowPart* part) {
  const TurnedRow& row = turn.rows[i];
  const int64_t lo = std::max<int64_t>(row.first, box.x0);
  const int64_t hi = std::min<int64_t>(row.end, box.w);
  if (lo >= hi) return false;
  *part = RowPart{
      turn.pixels + row.at + (lo - row.first),
      dst.base + dst.Index(static_cast<int>(box.left + lo), static_cast<int>(box.top + i)),
      hi - lo};
  return true;
}

// The keyed copy of every row's part.
[[gnu::always_inline]] inline void CopyRows(const Turn& turn, const Plane& dst,
                                            const TurnBox& box) {
  RowPart part;
  for (int64_t i = box.y0; i < box.h; ++i)
    if (PartOf(turn, dst, box, i, &part)) os::KeyedRow(part.d, part.s, part.n, 0);
}

#if defined(__x86_64__)
// On AVX2: sixteen pixels a step.
__attribute__((target("avx2"))) void DrawTurn256(const Turn& turn, const Plane& dst,
                                                 const TurnBox& box) {
  CopyRows(turn, dst, box);
}

// On AVX-512BW: 32 pixels a masked step, the last step masked to the row.
__attribute__((target("avx512bw"))) void DrawTurn512(const Turn& turn, const Plane& dst,
                                                     const TurnBox& box) {
  RowPart part;
  for (int64_t i = box.y0; i < box.h; ++i) {
    if (!PartOf(turn, dst, box, i, &part)) continue;
    const auto [s, d, n] = part;
    for (int64_t j = 0; j < n; j += 32) {
      const __mmask32 mask =
          n - j >= 32 ? ~__mmask32{0} : static_cast<__mmask32>((uint32_t{1} << (n - j)) - 1);
      const __m512i sv = _mm512_maskz_loadu_epi16(mask, s + j);
      const __mmask32 opaque = _mm512_test_epi16_mask(sv, sv);
      _mm512_mask_storeu_epi16(d + j, mask & opaque, sv);
    }
  }
}
#endif

}  // namespace

void DrawTurn(const Turn& turn, const Plane& dst, const TurnBox& box) {
#if defined(__x86_64__)
  if (PixelEngine == RowEngine::Vector512) {
    DrawTurn512(turn, dst, box);
    return;
  }
  if (PixelEngine == RowEngine::Vector256) {
    DrawTurn256(turn, dst, box);
    return;
  }
#endif
  CopyRows(turn, dst, box);
}

}  // namespace soft
}  // namespace elDraw
