// Text and shapes on a surface's device context, in the manner of the
// classic graphics device interface: drawing objects (fonts, pens, brushes)
// are created, selected into a device context, used and deleted; the device
// context keeps the text and background colours, the background mode and
// the current position.  Everything draws onto the 16-bit pixels of the
// context's surface and is cut to that surface.
//
// Colours are COLORREF values 0x00BBGGRR.  Texts are Shift-JIS bytes.
// A device context's state starts afresh each time the surface hands it out
// (black text on an opaque white background, a black one-pixel pen, a white
// brush and the default font).
#pragma once
#include <cstddef>
#include <cstdint>

#include "os/gdi/raster.h"
#include "os/surface.h"
#include "os/text/fonts.h"

namespace os {

// ---- drawing objects ---------------------------------------------------------------

using GdiObject = uint32_t;  // 0 = none

enum class GdiKind { None, Font, Pen, Brush };

enum class BrushStyle : uint32_t { Solid = 0, Null = 1, Hatched = 2 };
enum HatchStyle : int32_t {
  HatchHorizontal = 0,
  HatchVertical = 1,
  HatchForwardDiagonal = 2,
  HatchBackwardDiagonal = 3,
  HatchCross = 4,
  HatchDiagonalCross = 5,
};
enum class StockObject { BlackPen, WhitePen, NullPen, WhiteBrush, BlackBrush, NullBrush, DefaultFont };

// A solid pen; width 0 or 1 draws one-pixel lines, wider pens draw lines of
// that width with round ends.
GdiObject CreatePen(int32_t width, uint32_t colorref);
GdiObject CreateBrush(BrushStyle style, uint32_t colorref, int32_t hatch);
GdiObject CreateFontIndirect(const LogFont& font);
GdiObject GetStockObject(StockObject which);
// False for 0, a stock object, an unknown handle, or an object still
// selected into a device context that is out (it then stays alive).
bool DeleteObject(GdiObject object);
GdiKind ObjectKind(GdiObject object);
// The description a font object was created from; false for other objects.
bool GetFontDescription(GdiObject font, LogFont* out);
// Objects created and not yet deleted (stock objects are not counted).
size_t LiveGdiObjectCount();

// ---- device-context state --------------------------------------------------------

enum BackgroundMode : int32_t { BackgroundTransparent = 1, BackgroundOpaque = 2 };

// Puts the object in and returns the one of its kind that it displaced (0
// when `dc` or the object is not valid).
GdiObject SelectObject(DeviceContext* dc, GdiObject object);
GdiObject CurrentObject(DeviceContext* dc, GdiKind kind);
// Each returns the previous value (InvalidColor, or 0 for the mode, when
// `dc` is not valid).
uint32_t SetTextColor(DeviceContext* dc, uint32_t colorref);
uint32_t SetBackgroundColor(DeviceContext* dc, uint32_t colorref);
int32_t SetBackgroundMode(DeviceContext* dc, int32_t mode);
uint32_t GetTextColor(DeviceContext* dc);
uint32_t GetBackgroundColor(DeviceContext* dc);
int32_t GetBackgroundMode(DeviceContext* dc);

// ---- shapes -----------------------------------------------------------------------

bool MoveTo(DeviceContext* dc, int32_t x, int32_t y, Point* previous = nullptr);
// A line with the pen from the current position to (x, y), which becomes the
// current position.  A one-pixel line leaves out its end point.
bool LineTo(DeviceContext* dc, int32_t x, int32_t y);
// Filled with the brush over left .. right - 1, top .. bottom - 1 and
// outlined with the pen along that rectangle's edge pixels.
bool Rectangle(DeviceContext* dc, int32_t left, int32_t top, int32_t right, int32_t bottom);
// Filled with the brush by the alternate (even-odd) rule, then outlined.
bool Polygon(DeviceContext* dc, const Point* points, int32_t count);
// Cubic Bézier curves through 3n + 1 points (n >= 1) with the pen; any
// other count draws nothing and returns false.
bool PolyBezier(DeviceContext* dc, const Point* points, int32_t count);
bool InvertRect(DeviceContext* dc, const Rect& rect);

// ---- text -------------------------------------------------------------------------

bool GetTextMetrics(DeviceContext* dc, TextMetrics* out);
// Writes `length` bytes of text with the selected font, the cell's top-left
// corner at (x, y) (turned about that corner by the font's escapement).  In
// opaque mode the cells are first filled with the background colour.
bool TextOut(DeviceContext* dc, int32_t x, int32_t y, const char* text, int32_t length);
// The size of the text's cells: the sum of the advances by the cell height.
bool GetTextExtent(DeviceContext* dc, const char* text, int32_t length, int32_t* cx,
                   int32_t* cy);

enum DrawTextFormat : uint32_t {
  DrawTextLeft = 0x0,
  DrawTextCentre = 0x1,
  DrawTextRight = 0x2,
  DrawTextWordBreak = 0x10,
  DrawTextSingleLine = 0x20,
  DrawTextNoClip = 0x100,
  DrawTextCalcRect = 0x400,
  DrawTextNoPrefix = 0x800,
};
// Lays the text out in the rectangle from its top: lines end at line feeds
// ("\r\n", "\n" or "\r") and, with word break, before a word (or a
// double-byte character) that would pass the right edge; spaces at a break
// are dropped.  Each line is aligned left, centred or right.  Output is cut
// to the rectangle unless DrawTextNoClip.  With DrawTextCalcRect nothing is
// drawn and the rectangle's right and bottom are set to the extent of the
// laid-out text.  Returns the text's height (0 on failure).  A length of
// -1 takes the NUL-terminated text.  Ampersands are never prefixes.
int32_t DrawText(DeviceContext* dc, const char* text, int32_t length, Rect* rect,
                 uint32_t format);

}  // namespace os
