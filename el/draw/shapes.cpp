#include "el/draw/shapes.h"

#include "el/draw/screen.h"
#include "os/gdi/gdi.h"

namespace elDraw {
namespace {

// The bracket every shape shares: the back buffer's device context with a
// brush and a pen selected, `draw`, then everything put back and deleted.
template <typename Draw>
void WithDc(os::GdiObject brush, os::GdiObject pen, Draw draw) {
  os::DeviceContext* dc = nullptr;
  if (!BackBuffer || !os::Succeeded(BackBuffer->GetDC(&dc))) {
    os::DeleteObject(pen);
    os::DeleteObject(brush);
    return;
  }
  const os::GdiObject old_brush = brush ? os::SelectObject(dc, brush) : 0;
  const os::GdiObject old_pen = pen ? os::SelectObject(dc, pen) : 0;
  draw(dc);
  if (pen) {
    os::SelectObject(dc, old_pen);
    os::DeleteObject(pen);
  }
  if (brush) {
    os::SelectObject(dc, old_brush);
    os::DeleteObject(brush);
  }
  BackBuffer->ReleaseDC(dc);
}

}  // namespace

void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour, int32_t width) {
  WithDc(0, os::CreatePen(width, colour), [&](os::DeviceContext* dc) {
    os::MoveTo(dc, x1, y1);
    os::LineTo(dc, x2, y2);
  });
}

void SetPixel(int32_t x, int32_t y, uint32_t colour) {
  WithDc(0, 0, [&](os::DeviceContext* dc) { os::SetPixel(dc, x, y, colour); });
}

void GetPixel(int32_t x, int32_t y, int32_t* red, int32_t* green, int32_t* blue) {
  uint32_t c = os::InvalidColor;
  WithDc(0, 0, [&](os::DeviceContext* dc) { c = os::GetPixel(dc, x, y); });
  if (red) *red = static_cast<int32_t>(c & 0xFF);
  if (green) *green = static_cast<int32_t>((c >> 8) & 0xFF);
  if (blue) *blue = static_cast<int32_t>((c >> 16) & 0xFF);
}

void DrawRectangle(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t fill_colour,
                   uint32_t pen_colour, int32_t pen_width) {
  WithDc(os::CreateBrush(os::BrushStyle::Solid, fill_colour, 0),
         os::CreatePen(pen_width, pen_colour),
         [&](os::DeviceContext* dc) { os::Rectangle(dc, left, top, right, bottom); });
}

void DrawPolygon(const os::Point* points, int32_t count, uint32_t colour,
                 uint32_t hatch_background, int32_t pen_width, int32_t fill_mode) {
  const os::BrushStyle style = fill_mode == 0 ? os::BrushStyle::Null : os::BrushStyle::Hatched;
  WithDc(os::CreateBrush(style, colour, os::HatchDiagonalCross), os::CreatePen(pen_width, colour),
         [&](os::DeviceContext* dc) {
           if (fill_mode == 2) {
             os::SetBackgroundMode(dc, os::BackgroundTransparent);
           } else {
             os::SetBackgroundColor(dc, hatch_background);
           }
           os::Polygon(dc, points, count);
         });
}

void DrawBezier(const os::Point* points, int32_t count, uint32_t colour, int32_t width) {
  WithDc(0, os::CreatePen(width, colour),
         [&](os::DeviceContext* dc) { os::PolyBezier(dc, points, count); });
}

void InvertRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  WithDc(0, 0, [&](os::DeviceContext* dc) {
    os::InvertRect(dc, os::Rect{left, top, right, bottom});
  });
}

}  // namespace elDraw
