// Shapes and single pixels on the back buffer.  Each call takes the back
// buffer's device context, creates the pen or brush it needs, draws, puts
// back and deletes what it created and gives the device context back.
// Colours are COLORREF values 0x00BBGGRR; coordinates are back-buffer pixels,
// cut to the surface (not to the clip rectangle).  Pens are solid.
#pragma once
#include <cstdint>

#include "os/gdi/raster.h"

namespace elDraw {

// A line of the given width from (x1, y1) towards (x2, y2).
void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour, int32_t width);
void SetPixel(int32_t x, int32_t y, uint32_t colour);
// The pixel's colour as red, green and blue 0..255 (a pixel outside the
// back buffer reads 255, 255, 255, the invalid colour's bytes).
void GetPixel(int32_t x, int32_t y, int32_t* red, int32_t* green, int32_t* blue);
void DrawRectangle(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t fill_colour,
                   uint32_t pen_colour, int32_t pen_width);
// Fill mode 0: outline only; 1: diagonal cross-hatch in the colour on the
// hatch background colour; 2: the cross-hatch over the picture as it is.
void DrawPolygon(const os::Point* points, int32_t count, uint32_t colour,
                 uint32_t hatch_background, int32_t pen_width, int32_t fill_mode);
// Bézier curves through 3n + 1 points; other counts draw nothing.
void DrawBezier(const os::Point* points, int32_t count, uint32_t colour, int32_t width);
void InvertRect(int32_t left, int32_t top, int32_t right, int32_t bottom);

}  // namespace elDraw
