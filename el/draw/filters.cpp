// Filter and distortion blits: the output pixel depends on more than the one
// source and one destination pixel at its place.  Positions i (row) and j
// (column) count from the first drawn row and column of the clipped area.
#include <algorithm>
#include <climits>
#include <cmath>

#include "el/draw/soft_blit.h"
#include "el/draw/soft_blit_frame.h"

namespace elDraw {
namespace {

using soft::Area;
using soft::Plane;

struct Sum {
  unsigned r = 0, g = 0, b = 0;
  void Add(uint16_t pixel) {
    const uint8_t* c = soft::Split(pixel);
    r += c[0];
    g += c[1];
    b += c[2];
  }
};

}  // namespace

int32_t DrawEdgeSmoothed(int32_t x, int32_t y, int32_t handle, int32_t left, int32_t top,
                         int32_t right, int32_t bottom) {
  return soft::ClippedBlit(
      x, y, handle, left, top, right, bottom, [](const Plane& src, const Plane& dst, const Area& a) {
        const soft::Placer place;
        auto source = [&](int j, int i) { return src.At(a.left + j, a.top + i); };
        auto back = [&](int j, int i) { return dst.At(a.x + j, a.y + i); };
        for (int i = 0; i < a.h; ++i) {
          for (int j = 0; j < a.w; ++j) {
            const uint16_t s = source(j, i);
            if (s == 0) continue;
            Sum sum;
            sum.Add(s);
            unsigned count = 1;
            auto neighbour = [&](bool inside, int nj, int ni) {
              if (inside && source(nj, ni) == 0) {
                sum.Add(back(nj, ni));
                ++count;
              }
            };
            neighbour(j > 0, j - 1, i);
            neighbour(j < a.w - 1, j + 1, i);
            neighbour(i > 0, j, i - 1);
            neighbour(i < a.h - 1, j, i + 1);
            dst.At(a.x + j, a.y + i) =
                count > 1 ? place(sum.r / count, sum.g / count, sum.b / count) : s;
          }
        }
      });
}

int32_t DrawBoxBlur(int32_t x, int32_t y, int32_t n, int32_t handle, int32_t left, int32_t top,
                    int32_t right, int32_t bottom) {
  return soft::ClippedBlit(
      x, y, handle, left, top, right, bottom, [n](const Plane& src, const Plane& dst, const Area& a) {
        if (a.w == 0 || a.h == 0) return;
        // The box stays inside the clipped area.
        const int size = std::clamp(n, 1, std::min(a.w, a.h));
        const unsigned cells = static_cast<unsigned>(size * size);
        const soft::Placer place;
        for (int i = 0; i < a.h; ++i) {
          const int row0 = std::min(i, a.h - size);
          for (int j = 0; j < a.w; ++j) {
            if (src.At(a.left + j, a.top + i) == 0) continue;
            const int col0 = std::min(j, a.w - size);
            Sum sum;
            for (int bi = 0; bi < size; ++bi) {
              const uint16_t* row = src.Row(a.top + row0 + bi) + a.left + col0;
              for (int bj = 0; bj < size; ++bj) sum.Add(row[bj]);
            }
            dst.At(a.x + j, a.y + i) = place(sum.r / cells, sum.g / cells, sum.b / cells);
          }
        }
      });
}

int32_t DrawRipple(int32_t x, int32_t y, int32_t amplitude, int32_t frequency, int32_t step,
                   float scale, float shear, int32_t handle, int32_t left, int32_t top,
                   int32_t right, int32_t bottom) {
  os::Surface* source = soft::SpriteSurface(handle);
  if (source == nullptr) return 0;
  const int stride = std::max(step, 1);
  // The rectangle's full size after the cut to the picture, from the clipped
  // first column and row on: u and v run from -1 across it.
  const int64_t full_right = std::min<int64_t>(right, source->Width());
  const int64_t full_bottom = std::min<int64_t>(bottom, source->Height());
  const soft::Box clip = soft::ClipBox();
  return soft::ClippedBlit(
      x, y, handle, left, top, right, bottom, [&](const Plane& src, const Plane& dst, const Area& a) {
        const float span_u = static_cast<float>(full_right - a.left);
        const float span_v = static_cast<float>(full_bottom - a.top);
        const float half_amplitude = static_cast<float>(amplitude) / 2.0f;
        for (int i = 0; i < a.h; i += stride) {
          const float v = static_cast<float>(i * 2) / span_v - 1.0f;
          for (int j = 0; j < a.w; j += stride) {
            const float u = static_cast<float>(j * 2) / span_u - 1.0f;
            const float r = std::sqrt(u * u + v * v);
            const float dy = static_cast<float>(i) +
                             half_amplitude * (1.0f + std::cos(static_cast<float>(frequency) * r) *
                                                          std::exp(v * v - u * u));
            const int64_t tx =
                a.x + int64_t{soft::TruncBounded((static_cast<float>(j) + i * shear) * scale, 0)};
            const int64_t ty = a.y + int64_t{soft::TruncBounded(dy * scale, 0)};
            if (tx < clip.left || tx >= clip.right || ty < clip.top || ty >= clip.bottom) continue;
            dst.At(static_cast<int>(tx), static_cast<int>(ty)) = src.At(a.left + j, a.top + i);
          }
        }
      });
}

int32_t DrawEdgeSmear(int32_t x, int32_t y, int32_t mode, int32_t edge, int32_t handle,
                      int32_t left, int32_t top, int32_t right, int32_t bottom) {
  // Modes 0 and 2 reach to the screen's size: past the picture's right
  // (bottom) edge, to the clip rectangle's, reading only up to the edge
  // column (row).
  auto reach = [](int32_t size, int32_t from) {
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{size} - from, INT32_MIN, INT32_MAX));
  };
  if (mode == 0) right = reach(ScreenWidth, left);
  if (mode == 2) bottom = reach(ScreenHeight, top);
  const soft::PictureCut cut = mode == 0   ? soft::PictureCut::OpenRight
                               : mode == 2 ? soft::PictureCut::OpenBottom
                                           : soft::PictureCut::AllEdges;
  return soft::ClippedBlit(
      x, y, handle, left, top, right, bottom,
      [&](const Plane& src, const Plane& dst, const Area& a) {
        if (a.w == 0 || a.h == 0) return;
        const bool by_column = mode == 0 || mode == 1;
        const int e = std::clamp(edge, 0, (by_column ? a.w : a.h) - 1);
        // The column (row) read stays inside the picture where the area
        // runs past it.
        auto source = [&](int j, int i) {
          return src.At(std::min(a.left + j, src.width - 1), std::min(a.top + i, src.height - 1));
        };
        auto put = [&](int j, int i, uint16_t p) {
          if (p != 0) dst.At(a.x + j, a.y + i) = p;
        };
        switch (mode) {
          case 0:
            for (int i = 0; i < a.h; ++i)
              for (int j = 0; j < a.w; ++j) put(j, i, source(std::min(j, e), i));
            break;
          case 1:
            for (int i = 0; i < a.h; ++i) {
              for (int j = 0; j < a.w; ++j) put(j, i, source(std::max(j, e), i));
              // The back buffer left of the rectangle takes the edge pixel.
              uint16_t* row = dst.Row(a.y + i);
              std::fill(row, row + a.x, source(e, i));
            }
            break;
          case 2:
            for (int i = 0; i < a.h; ++i)
              for (int j = 0; j < a.w; ++j) put(j, i, source(j, std::min(i, e)));
            break;
          case 3:
            // The back buffer above the rectangle, in its columns, takes the edge row.
            for (int row = 0; row < a.y; ++row)
              for (int j = 0; j < a.w; ++j) dst.At(a.x + j, row) = source(j, e);
            for (int i = 0; i < a.h; ++i)
              for (int j = 0; j < a.w; ++j) put(j, i, source(j, std::max(i, e)));
            break;
          default:
            break;
        }
      },
      cut);
}

int32_t DrawDisplaced(int32_t x, int32_t y, float strength, int32_t handle, int32_t left,
                      int32_t top, int32_t right, int32_t bottom) {
  const int level = soft::LevelFromStrength(strength);
  return soft::ClippedBlit(
      x, y, handle, left, top, right, bottom, [level](const Plane& map, const Plane& dst, const Area& a) {
        // Downward, and k is never negative: every pixel read is still unchanged.
        for (int i = 0; i < a.h; ++i) {
          for (int j = 0; j < a.w; ++j) {
            const uint16_t m = map.At(a.left + j, a.top + i);
            if (m == 0) continue;
            int k = soft::Split(m)[0] - level;
            if (k < 0 || k >= a.h - i) k = 0;
            dst.At(a.x + j, a.y + i) = dst.At(a.x + j, a.y + i + k);
          }
        }
      });
}

}  // namespace elDraw
