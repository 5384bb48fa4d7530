// The pixel work under the device-context drawing of os/gdi/gdi.h: lines,
// round-capped wide lines, even-odd polygon fills, Bézier flattening and
// inversion, on the 16-bit pixels of a surface, each cut to a clip
// rectangle (which callers keep inside the surface).
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "os/surface.h"

namespace os {

struct Point {
  int32_t x = 0, y = 0;
};

namespace raster {

// The surface's whole area.
Rect Bounds(const PixelView& view);
// `a` cut to `b` (empty when they do not meet).
Rect Intersect(const Rect& a, const Rect& b);
bool Empty(const Rect& r);

void Plot(const PixelView& view, const Rect& clip, int x, int y, uint16_t pixel);
// Pixels x0 .. x1 - 1 of row y.
void Span(const PixelView& view, const Rect& clip, int x0, int x1, int y, uint16_t pixel);

// A one-pixel line from (x1, y1) towards (x2, y2); the end point is not drawn.
void ThinLine(const PixelView& view, const Rect& clip, int x1, int y1, int x2, int y2,
              uint16_t pixel);
// A line `width` pixels wide with round ends: every pixel within width / 2
// of the segment (for an even width the segment moves half a pixel up and
// left, so that the line keeps its width).
void WideLine(const PixelView& view, const Rect& clip, int x1, int y1, int x2, int y2, int width,
              uint16_t pixel);

// Called for each run x0 .. x1 - 1 of filled pixels on row y; it writes
// what it wants there (a brush pattern).
using SpanFill = std::function<void(int x0, int x1, int y)>;
// Even-odd fill sampled at pixel centres: pixel (x, y) is inside when the
// point (x + 0.5, y + 0.5) is.  Calls `fill` per run of inside pixels of a
// row, already cut to the clip.
void FillPolygon(const Rect& clip, const Point* points, int count, const SpanFill& fill);
void FillPolygon(const Rect& clip, const double* xy, int count, const SpanFill& fill);

// Points along the cubic curves of a Bézier chain (3n + 1 control points),
// first and last control points included.  Empty for any other count.
std::vector<Point> FlattenBezier(const Point* points, int count);

// Every pixel of the rectangle inverted (within the pixel format's bits).
void Invert(const PixelView& view, const Rect& clip, const Rect& rect);

}  // namespace raster
}  // namespace os
