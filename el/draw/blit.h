// Fills and copies onto the back buffer: the colour fills, the 50 % wash, the
// clipped keyed and opaque draws of sprite objects (the game's main draw),
// the stretched draws, the row effects and the mirror.
//
// Source rectangles are left, top, right, bottom in the object's pixels
// (right and bottom exclusive); destinations are the top-left corner on the
// back buffer.  Fill colours are screen pixel values.  A handle outside the
// table draws nothing.
#pragma once
#include <cstdint>

#include "os/surface.h"

namespace elDraw {

// ---- fills (exactly the rectangle given: no clipping; a rectangle that
// leaves the surface is refused and nothing is drawn) ----
void ClearScreen();
void ClearObject(int32_t handle);
void ClearRect(int32_t left, int32_t top, int32_t right, int32_t bottom);
void DrawRectFrame(int32_t left, int32_t top, int32_t right, int32_t bottom);
void ClearScreenWhite();
void FillRectWhite(int32_t left, int32_t top, int32_t right, int32_t bottom);
void FillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, uint16_t colour);
// The colour washed over the clipped rectangle at 50 %.  1 done (or nothing
// to draw), 0 when the back buffer could not be locked.
int32_t BlendRect(int32_t left, int32_t top, int32_t right, int32_t bottom, uint16_t colour);

// ---- copies of sprite objects, clipped to the clip rectangle ----
void DrawObject(int32_t x, int32_t y, int32_t handle, int32_t left, int32_t top, int32_t right,
                int32_t bottom);
void DrawObjectOpaque(int32_t x, int32_t y, int32_t handle, int32_t left, int32_t top,
                      int32_t right, int32_t bottom);
// Into another object, clipped to the same (screen) clip rectangle.
void DrawObjectTo(int32_t destination, int32_t x, int32_t y, int32_t handle, int32_t left,
                  int32_t top, int32_t right, int32_t bottom);
void DrawObjectOpaqueTo(int32_t destination, int32_t x, int32_t y, int32_t handle, int32_t left,
                        int32_t top, int32_t right, int32_t bottom);

// Stretched to width x height at (x, y).  With hardware stretching the copy
// is not clipped (one that leaves the back buffer shows nothing); otherwise
// the picture is stretched into the Buffer object (cut to its size) and drawn
// from there through the clipped draw.
void StretchDrawObject(int32_t x, int32_t y, int32_t handle, int32_t left, int32_t top,
                       int32_t right, int32_t bottom, int32_t width, int32_t height);
void StretchDrawObjectOpaque(int32_t x, int32_t y, int32_t handle, int32_t left, int32_t top,
                             int32_t right, int32_t bottom, int32_t width, int32_t height);

// ---- row effects: one clipped draw per source row ----
// Each keeps its animation in RowEffects, advanced by FrameTime per call.
// A block size of 0 or less and a rectangle too small for the effect draw
// nothing.  The wave index of row r is r / divisor (r itself for divisor 0).
void DrawWave(int32_t x, int32_t y, int32_t amplitude, int32_t divisor, float speed,
              int32_t handle, int32_t left, int32_t top, int32_t right, int32_t bottom,
              int32_t alternate);
void DrawTiled(float x_speed, float y_speed, int32_t handle, int32_t left, int32_t top,
               int32_t right, int32_t bottom);
void DrawWaveScroll(int32_t x, int32_t y, int32_t amplitude, int32_t divisor, float phase_speed,
                    float scroll_speed, int32_t handle, int32_t left, int32_t top, int32_t right,
                    int32_t bottom);
void DrawWaveScroll2(int32_t screen_top, int32_t screen_bottom, int32_t amplitude,
                     int32_t divisor, float phase_speed, float scroll_speed, int32_t handle,
                     int32_t left, int32_t top, int32_t right, int32_t bottom);
void DrawMosaicRows(int32_t x, int32_t y, int32_t n, int32_t handle, int32_t left, int32_t top,
                    int32_t right, int32_t bottom);
void DrawSkipRows(int32_t x, int32_t y, int32_t n, int32_t handle, int32_t left, int32_t top,
                  int32_t right, int32_t bottom);
void DrawJitterRows(int32_t x, int32_t y, int32_t jitter, int32_t handle, int32_t left,
                    int32_t top, int32_t right, int32_t bottom);
void DrawWaveV(int32_t x, int32_t y, int32_t direction, float speed, int32_t handle,
               int32_t left, int32_t top, int32_t right, int32_t bottom);

// Software copy of the whole source rectangle placed at (x, y), mode 0 as
// is, 1 mirrored left-right, 2 top-bottom, 3 both; source pixels 0 are
// skipped.  1 done (or nothing inside the clip rectangle), 0 when a lock
// failed or the source rectangle is not inside the object.
int32_t DrawMirror(int32_t x, int32_t y, int32_t mode, int32_t handle, int32_t left, int32_t top,
                   int32_t right, int32_t bottom);

// The clipped copy that every clipped draw shares, with its arguments in 64
// bits so that offsets computed by the effects cannot wrap: cuts the
// rectangle to the clip rectangle (right and bottom first, from the uncut
// position), draws nothing when it is inverted, else copies it (keyed or
// opaque) to `destination`; a lost surface restores every surface and drops
// this one draw.
void DrawClipped(os::Surface* destination, int64_t x, int64_t y, int32_t handle, int64_t left,
                 int64_t top, int64_t right, int64_t bottom, bool keyed);
// Whether a clipped draw of `rows` rows (0 or more) at y keeps a row of the
// clip rectangle (or an empty band at its edge); when it does not, the draw
// is cut away whole and touches nothing, so a loop over long tables of
// mostly hidden strips may leave it out.
bool RowsReachClip(int64_t y, int64_t rows);

}  // namespace elDraw

// Animation state of the row effects (phases in degrees or rows, offsets in
// pixels), one set per routine.
struct RowEffectState {
  float WavePhase = 0.0f;
  int32_t WaveSign = 1;  // DrawWave's alternating sign, kept across calls
  float TiledX = 0.0f, TiledY = 0.0f;
  float ScrollPhase = 0.0f, Scroll = 0.0f;    // DrawWaveScroll
  float Scroll2Phase = 0.0f, Scroll2 = 0.0f;  // DrawWaveScroll2
  float WaveVPhase = 0.0f;
};
extern RowEffectState RowEffects;
