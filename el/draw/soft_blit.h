// Software blits and back-buffer effects: everything that draws by locking
// a picture and the back buffer and working on the 16-bit pixels directly,
// through the lookup tables of el/draw/tables.h.
//
// The blits take the destination's top-left corner, their own arguments,
// the sprite handle and the source rectangle (left, top, right, bottom,
// right and bottom exclusive).  They return 1 when they have drawn or when
// nothing of the rectangle is inside the clip rectangle, and 0 when nothing
// was drawn because a surface could not be locked, the handle is outside
// 0..499 or its slot holds no surface.  Source pixel 0 is transparent unless
// a function says otherwise.  The source rectangle is cut to the picture
// (the destination moves with a left or top cut) and the clip rectangle to
// the back buffer, so no call reads or writes outside a surface.
//
// Levels are 0..31 and weights, factors and strengths 0.0..1.0; values
// outside are clamped.  Rotation angles are whole degrees, any value
// (reduced modulo 360).
#pragma once
#include <cstdint>

namespace elDraw {

// ---- additive and half-transparent ----------------------------------------------

// Adds the picture onto the back buffer channel by channel, each channel
// saturating at full.
int32_t DrawAdditive(int32_t x, int32_t y, int32_t handle, int32_t left, int32_t top,
                     int32_t right, int32_t bottom);
// The same with the picture darkened first: strength 1.0 is DrawAdditive,
// 0.0 adds nothing.
int32_t DrawAdditiveLevel(int32_t x, int32_t y, float strength, int32_t handle, int32_t left,
                          int32_t top, int32_t right, int32_t bottom);
// The picture at 50 % over the back buffer.
int32_t DrawHalfTransparent(int32_t x, int32_t y, int32_t handle, int32_t left, int32_t top,
                            int32_t right, int32_t bottom);

// ---- rotated ----------------------------------------------------------------------
// The picture turned counter-clockwise by `angle` degrees about the centre of
// the destination box (left, top, right, bottom); the source rectangle is
// centred in the box.  Nearest pixel, no interpolation.  Source pixels
// outside the picture count as transparent (the tiled members cut the
// rectangle to the picture instead).  A box wider or taller than 16384
// pixels, and a scale of 0 or not a number, are refused with 0.

int32_t DrawRotated(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t angle,
                    int32_t handle, int32_t src_left, int32_t src_top, int32_t src_right,
                    int32_t src_bottom);
// The picture repeated (mirrored about its first column and row) over the box.
int32_t DrawRotatedTiled(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t angle,
                         int32_t handle, int32_t src_left, int32_t src_top, int32_t src_right,
                         int32_t src_bottom);
// Enlarged by `scale` (above 1 enlarges).
int32_t DrawRotatedScaled2(int32_t left, int32_t top, int32_t right, int32_t bottom,
                           int32_t angle, float scale, int32_t handle, int32_t src_left,
                           int32_t src_top, int32_t src_right, int32_t src_bottom);
int32_t DrawRotatedTiledScaled(int32_t left, int32_t top, int32_t right, int32_t bottom,
                               int32_t angle, float scale, int32_t handle, int32_t src_left,
                               int32_t src_top, int32_t src_right, int32_t src_bottom);
// Tiled, with scales that grow by their steps from row to row, and every
// component multiplied by its factor.
int32_t DrawRotatedScaledBlend(int32_t left, int32_t top, int32_t right, int32_t bottom,
                               int32_t angle, float x_scale, float x_step, float y_scale,
                               float y_step, float red, float green, float blue, int32_t handle,
                               int32_t src_left, int32_t src_top, int32_t src_right,
                               int32_t src_bottom);

// ---- colour effects -----------------------------------------------------------------

// trunc(s x a + d x (1 - a)) per channel.
int32_t DrawAlpha(int32_t x, int32_t y, float a, int32_t handle, int32_t left, int32_t top,
                  int32_t right, int32_t bottom);
int32_t DrawAlphaRGB(int32_t x, int32_t y, float a_red, float a_green, float a_blue,
                     int32_t handle, int32_t left, int32_t top, int32_t right, int32_t bottom);
// Direction 0 grows the weights along each row, any other down the rows: one
// notch (1/32) every `step` positions beyond position `start` (taken as an
// unsigned 16-bit value), until the source covers the destination.
int32_t DrawAlphaGradient(int32_t x, int32_t y, float a_red, float a_green, float a_blue,
                          int32_t direction, int32_t start, int32_t step, int32_t handle,
                          int32_t left, int32_t top, int32_t right, int32_t bottom);
// Level 31 draws the source, 0 keeps the destination.
int32_t DrawCrossfade(int32_t x, int32_t y, int32_t level, int32_t handle, int32_t left,
                      int32_t top, int32_t right, int32_t bottom);
int32_t DrawCrossfade2(int32_t x, int32_t y, int32_t level_red, int32_t level_green,
                       int32_t level_blue, int32_t handle, int32_t left, int32_t top,
                       int32_t right, int32_t bottom);
int32_t DrawCrossfadeGradient(int32_t x, int32_t y, int32_t level_red, int32_t level_green,
                              int32_t level_blue, int32_t direction, int32_t start, int32_t step,
                              int32_t handle, int32_t left, int32_t top, int32_t right,
                              int32_t bottom);
// trunc(s x f) per channel.
int32_t DrawBrightnessV(int32_t x, int32_t y, float f, int32_t handle, int32_t left, int32_t top,
                        int32_t right, int32_t bottom);
int32_t DrawBrightnessRGBV(int32_t x, int32_t y, float f_red, float f_green, float f_blue,
                           int32_t handle, int32_t left, int32_t top, int32_t right,
                           int32_t bottom);
// max(0, s - (31 - level)) per component: 31 keeps the picture, 0 draws black.
int32_t DrawDarkened(int32_t x, int32_t y, int32_t level, int32_t handle, int32_t left,
                     int32_t top, int32_t right, int32_t bottom);
int32_t DrawDarkenedRGB(int32_t x, int32_t y, int32_t level_red, int32_t level_green,
                        int32_t level_blue, int32_t handle, int32_t left, int32_t top,
                        int32_t right, int32_t bottom);
int32_t DrawGrey(int32_t x, int32_t y, int32_t handle, int32_t left, int32_t top, int32_t right,
                 int32_t bottom);
// Keeps the channels whose flag is non-zero.
int32_t DrawMasked(int32_t x, int32_t y, int32_t keep_red, int32_t keep_green,
                   int32_t keep_blue, int32_t handle, int32_t left, int32_t top, int32_t right,
                   int32_t bottom);
// The source's red component darkens every channel of the back buffer.
int32_t DrawSubtractive(int32_t x, int32_t y, int32_t handle, int32_t left, int32_t top,
                        int32_t right, int32_t bottom);

// ---- filters and distortions -----------------------------------------------------------

// Outline pixels become the average of themselves and the background under
// their transparent neighbours.
int32_t DrawEdgeSmoothed(int32_t x, int32_t y, int32_t handle, int32_t left, int32_t top,
                         int32_t right, int32_t bottom);
// Each opaque pixel becomes the average of the n x n box from it (moved back
// inside the rectangle at the right and bottom).  n is bounded to 1 .. the
// clipped width and height.
int32_t DrawBoxBlur(int32_t x, int32_t y, int32_t n, int32_t handle, int32_t left, int32_t top,
                    int32_t right, int32_t bottom);
// Moves every step-th source pixel (every value drawn) to a rippled place
// inside the clip rectangle.  A step below 1 counts as 1.
int32_t DrawRipple(int32_t x, int32_t y, int32_t amplitude, int32_t frequency, int32_t step,
                   float scale, float shear, int32_t handle, int32_t left, int32_t top,
                   int32_t right, int32_t bottom);
// Mode 0 smears column `edge` to the right, 1 to the left (and fills the
// back-buffer rows left of the rectangle), 2 row `edge` downward, 3 upward
// (and fills the back buffer above the rectangle).  `edge` counts from the
// first drawn column or row and is bounded to the clipped rectangle.
int32_t DrawEdgeSmear(int32_t x, int32_t y, int32_t mode, int32_t edge, int32_t handle,
                      int32_t left, int32_t top, int32_t right, int32_t bottom);
// The picture as a map: under each non-zero map pixel the back buffer shows
// the pixel (red component - level) rows below, within the rectangle.
int32_t DrawDisplaced(int32_t x, int32_t y, float strength, int32_t handle, int32_t left,
                      int32_t top, int32_t right, int32_t bottom);

// ---- back-buffer effects -------------------------------------------------------------
// Rectangles are x, y, w, h in back-buffer pixels, cut to the back buffer.
// Each returns 1, or 0 when a surface cannot be locked or the call is refused.

// Rising smoke: the rows drift up one row per call and fray where the noise
// picks averaging.
int32_t NoiseRect(int32_t x, int32_t y, int32_t w, int32_t h);
// The same; each averaged pixel also loses 1 in each flagged channel.
int32_t NoiseRectColor(int32_t fade_red, int32_t fade_green, int32_t fade_blue, int32_t x,
                       int32_t y, int32_t w, int32_t h);
// In-place blur of the rectangle's inner pixels.
int32_t SmoothRect(int32_t x, int32_t y, int32_t w, int32_t h);
int32_t SmoothRectEx(int32_t fade_red, int32_t fade_green, int32_t fade_blue, int32_t x,
                     int32_t y, int32_t w, int32_t h);
// 2x and 4x zoom of the rectangle from its top-left corner, through the
// Buffer object.  Mode 0 fills whole blocks, any other only their top-left
// pixel (2x) or 2 x 2 (4x).
int32_t ZoomRect2x(int32_t x, int32_t y, int32_t w, int32_t h, int32_t mode);
int32_t ZoomRect4x(int32_t x, int32_t y, int32_t w, int32_t h, int32_t mode);
// A disc of `radius` around (cx, cy) turned into block x block squares.
int32_t CircleMosaicRect(int32_t cx, int32_t cy, int32_t radius, int32_t block);
// Grain: each pixel's components gain the next noise value (times 2^shift).
int32_t SparkleRect(int32_t shift, int32_t x, int32_t y, int32_t w, int32_t h);
int32_t SparkleRectColor(int32_t add_red, int32_t add_green, int32_t add_blue, int32_t shift,
                         int32_t x, int32_t y, int32_t w, int32_t h);
// Fills ShapeTable for a w x h mapping of a tw x th texture; 0 (and the
// table unchanged) when the sizes are not positive or w x h exceeds the table.
int32_t ComputeShape(int32_t tex_width, int32_t tex_height, int32_t w, int32_t h,
                     int32_t centre_x, int32_t centre_y, int32_t sides, int32_t centre_mode,
                     int32_t distance_mode, int32_t depth_mode);
// Draws the mapped texture at (x, y), its coordinates moved by the offsets;
// 0 when the texture is smaller than the table asks for.
int32_t DrawShape(int32_t x, int32_t y, int32_t u_offset, int32_t v_offset, int32_t handle);
// Bright pixels of the picture throw fading rays in the directions of the
// bits of `directions` (0x01 down-left, 0x02 down, 0x04 down-right, 0x08
// left, 0x10 right, 0x20 up-left, 0x40 up, 0x80 up-right).
int32_t DrawGlowRays(int32_t x, int32_t y, int32_t shift_red, int32_t shift_green,
                     int32_t shift_blue, int32_t directions, int32_t draw_source, int32_t handle,
                     int32_t left, int32_t top, int32_t right, int32_t bottom);

}  // namespace elDraw

// ---- state of the effects ---------------------------------------------------------------

constexpr int ShapeTableSize = 307200;  // 640 x 480 entries
// (u, v) per entry, rows of ShapeWidth entries.
extern uint16_t ShapeTable[ShapeTableSize][2];
extern int32_t ShapeTexWidth, ShapeTexHeight, ShapeWidth, ShapeHeight;
