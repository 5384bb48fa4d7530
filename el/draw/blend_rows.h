// The row loops of the keyed blend blits (additive and half-transparent) on
// vectors of 16-bit pixels.  Internal to the drawing module.
//
// Each row is first cut to the span of its source pixels other than 0 (the
// picture's OpaqueExtents, once a second draw has met the same content).  A
// step takes a register's width of pixels, 32 on AVX-512BW, 16 on AVX2 and
// 8 on SSE2 (8 on spans narrower than 16); in a step every lane with a
// source pixel not 0 gets the blit's rule and every other lane keeps its
// destination pixel.  Without the extents, a step whose source pixels are
// all 0 is skipped.  A span whose width is not a multiple of the step
// ends with one step over its last pixels, worked out from the untouched
// destination before the span and stored after it, so it writes the same
// values where it overlaps the step before.  Spans narrower than 8 pixels go
// pixel by pixel through the table rule, as does everything when
// PixelEngine is Scalar.
//
// The vector rules compute the channels directly from the pixel (the
// undarkened additive rule all three at once in each lane) instead of
// through ComponentSplitTable and AdditiveTable, which gives the same pixels
// for the 5-6-5 and 5-5-5 layouts the tables are built for (a 5-5-5 pixel with
// its top bit set has no components, as in the split table); any other layout,
// or tables not built for 16 bits, keeps the table rule for the additive blit.
#pragma once
#include <cstdint>

#include "el/draw/soft_blit_frame.h"
#include "os/surface_blit.h"

namespace elDraw::soft {

// The layout the additive vector rule reproduces the tables for.
enum class TableLayout : uint8_t { Other, Rgb565, Rgb555 };

// The layout in use, chosen by ChooseBlendLayout.
extern TableLayout BlendLayout;

// Picks the layout of the pixel-format values; the table build runs it
// (`pixels_16bit` as given to BuildTables).
void ChooseBlendLayout(bool pixels_16bit);

// The additive rule at `level` (0..31) over an area of the picture
// `source` (locked, read only, as `src`), in the engine in use (pixel by
// pixel through the tables when BlendLayout is Other).
void AdditiveRows(const Plane& src, const Plane& dst, const Area& area, os::Surface* source,
                  int level);
// The half-transparent rule with HalfMask over an area.
void HalfRows(const Plane& src, const Plane& dst, const Area& area, os::Surface* source);

}  // namespace elDraw::soft
