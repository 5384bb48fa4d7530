// Pictures kept turned by every whole degree.  A rotated draw of a kept
// picture copies the turn it asks for (its opaque span of each row) instead
// of turning the picture again: the same pixels, at the cost of a keyed copy.
//
// A picture is kept for one box size, the w x h box of its (0, 0, w, h)
// rectangle, which is how the game draws every picture it turns.  The turns
// are made when the picture is kept (at load) and made again, all at once,
// by the first draw that finds the picture's content changed since (a
// reload, a lost surface restored, a draw into the picture): they follow the
// surface's content version, like the keyed copy's runs.
#pragma once
#include <cstddef>
#include <cstdint>

#include "el/draw/soft_blit_frame.h"

namespace elDraw {

// Keeps picture `handle` turned for draws of its (0, 0, w, h) rectangle in a
// w x h box.  Refused (false) for the library's own objects (handles 0 to
// 3), a handle without a picture and a box outside 1 to 256 pixels a side.
bool KeepTurned(int32_t handle, int32_t w, int32_t h);
// Drops every kept picture.
void ForgetTurned();
// The memory the kept turns take, in bytes.
size_t TurnedBytes();

namespace soft {

// A turn of `angle` degrees (any value) as 0 to 359 degrees.
inline int ReduceAngle(int32_t angle) {
  const int a = angle % 360;
  return a < 0 ? a + 360 : a;
}

// One turn of a w x h picture: row i shows, from column first[i] up to end[i]
// (exclusive), the pixels at pixels[at[i]], 0 transparent; the rest of the
// row is transparent.
struct TurnedRow {
  uint16_t first, end;
  uint32_t at;
};
struct Turn {
  const TurnedRow* rows;
  const uint16_t* pixels;
};

// A rotated draw's box: its top-left pixel in the destination, its size, and
// the part inside the clip rectangle (columns x0 to w - 1, rows y0 to h - 1).
struct TurnBox {
  int64_t left, top;
  int64_t bw, bh;
  int64_t w, h, x0, y0;
};
// A source rectangle, right and bottom exclusive.
struct SourceRect {
  int32_t left, top, right, bottom;
};

// The turn by `angle` degrees (any value) of the picture that `source`
// holds in slot `handle`, for a draw of its rectangle `rect` in a bw x bh
// box; `src` is the source locked.  False when that picture is not kept for
// that draw (or the turns are switched off).
bool FindTurn(int32_t handle, const os::Surface* source, const Plane& src, int64_t bw,
              int64_t bh, const SourceRect& rect, int32_t angle, Turn* out);
// Copies the drawn part of the box from a turn to `dst`.
void DrawTurn(const Turn& turn, const Plane& dst, const TurnBox& box);

// The reference turn (what DrawRotated draws without a kept turn): the
// drawn part of the box, turned by `angle` about its centre from `src`'s
// rectangle, written to `dst`.
void TurnRows(const Plane& src, const Plane& dst, const TurnBox& box, int32_t angle,
              const SourceRect& rect);

// False: every rotated draw turns the picture itself (the reference, for
// tests that compare the two).
extern bool UseTurnedPictures;
// Rotated draws so far that turned the picture themselves (no kept turn).
extern uint64_t FreshTurns;

}  // namespace soft
}  // namespace elDraw
