// Shapes and device-context state of os/gdi on 16-bit surfaces.
#include "os/gdi/gdi.h"

#include <gtest/gtest.h>


#include "tests/support/test_support.h"

namespace {

constexpr uint32_t kBlue = 0xFF0000;   // COLORREF 0x00BBGGRR
constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kWhite = 0xFFFFFF;

class GdiTest : public vantris_test::HeadlessTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    os::ResetSurfaceTests();
    os::SurfaceLayoutSettings().rgb555 = GetParam();
    os::SurfaceLayoutSettings().pitch_padding = 6;
    ASSERT_TRUE(os::Succeeded(os::CreateDisplay(nullptr, &display_)));
    os::SurfaceDesc d;
    d.width = 64;
    d.height = 48;
    ASSERT_TRUE(os::Succeeded(display_->CreateSurface(d, &surface_)));
    ASSERT_TRUE(os::Succeeded(surface_->GetDC(&dc_)));
  }
  void TearDown() override {
    if (surface_->IsDcOut()) surface_->ReleaseDC(dc_);
    os::ReleaseSurface(surface_);
    os::ReleaseDisplay(display_);
    os::ResetSurfaceTests();
    EXPECT_EQ(os::LiveGdiObjectCount(), objects_at_start_);
    HeadlessTest::TearDown();
  }
  uint16_t At(int x, int y) const { return surface_->RawView().Row(y)[x]; }
  uint16_t Pixel(uint32_t colorref) const { return os::ColorToPixel(surface_->Format(), colorref); }
  int Count(uint16_t pixel) const {
    int n = 0;
    for (int y = 0; y < surface_->Height(); ++y)
      for (int x = 0; x < surface_->Width(); ++x) n += At(x, y) == pixel;
    return n;
  }
  bool PaddingZero() const {
    os::PixelView v = surface_->RawView();
    for (int y = 0; y < v.height; ++y)
      for (int b = v.width * 2; b < v.pitch; ++b)
        if (v.pixels[size_t(y) * v.pitch + b] != 0) return false;
    return true;
  }
  void Line(int x1, int y1, int x2, int y2, uint32_t colour, int width) {
    const os::GdiObject pen = os::CreatePen(width, colour);
    const os::GdiObject old = os::SelectObject(dc_, pen);
    os::MoveTo(dc_, x1, y1);
    os::LineTo(dc_, x2, y2);
    os::SelectObject(dc_, old);
    EXPECT_TRUE(os::DeleteObject(pen));
  }

  size_t objects_at_start_ = os::LiveGdiObjectCount();
  os::Display* display_ = nullptr;
  os::Surface* surface_ = nullptr;
  os::DeviceContext* dc_ = nullptr;
};

INSTANTIATE_TEST_SUITE_P(Layouts, GdiTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Rgb555" : "Rgb565"; });

TEST_P(GdiTest, LinesLeaveOutTheEndPointClipAndWideOnesHaveRoundEnds) {
  Line(2, 3, 10, 3, kRed, 1);
  const uint16_t red = Pixel(kRed);
  for (int x = 2; x < 10; ++x) EXPECT_EQ(At(x, 3), red) << x;
  EXPECT_NE(At(10, 3), red);

  // Far outside, and through the surface from far away: cut, never a crash.
  Line(-100000, 10, 100000, 10, kWhite, 1);
  Line(-5000000, -5000000, 5000000, 5000000, kWhite, 1);
  const uint16_t white = Pixel(kWhite);
  for (int x = 0; x < 64; ++x) EXPECT_EQ(At(x, 10), white);
  EXPECT_EQ(At(30, 30), white);

  // Wide lines keep their width and have round ends.
  Line(10, 20, 50, 20, kBlue, 7);
  const uint16_t blue = Pixel(kBlue);
  for (int y = 0; y < 48; ++y) EXPECT_EQ(At(30, y) == blue, y >= 17 && y <= 23) << y;
  EXPECT_EQ(At(7, 20), blue);  // round end: 3 pixels past the end

  // A wide line across the edge is cut to the surface.
  Line(-20, -20, 80, 60, kWhite, 9);
  EXPECT_TRUE(PaddingZero());
}

TEST_P(GdiTest, RectangleOutlinesItsEdgePixelsAndPolygonsFillEvenOdd) {
  const os::GdiObject brush = os::CreateBrush(os::BrushStyle::Solid, kGreen, 0);
  const os::GdiObject pen = os::CreatePen(1, kRed);
  const os::GdiObject old_brush = os::SelectObject(dc_, brush);
  const os::GdiObject old_pen = os::SelectObject(dc_, pen);
  ASSERT_TRUE(os::Rectangle(dc_, 44, 5, 54, 12));  // pixels 44..53 x 5..11
  const uint16_t red = Pixel(kRed), green = Pixel(kGreen);
  for (int y = 5; y < 12; ++y)
    for (int x = 44; x < 54; ++x)
      EXPECT_EQ(At(x, y), x == 44 || x == 53 || y == 5 || y == 11 ? red : green) << x << "," << y;
  const int inside = Count(green);

  // A square with a square hole traced as one outline: the hole stays empty.
  const os::Point ring[] = {{0, 0}, {40, 0}, {40, 40}, {0, 40}, {0, 0},
                            {10, 10}, {10, 30}, {30, 30}, {30, 10}, {10, 10}};
  os::SelectObject(dc_, os::GetStockObject(os::StockObject::NullPen));
  ASSERT_TRUE(os::Polygon(dc_, ring, 10));
  EXPECT_EQ(At(20, 20), 0);
  EXPECT_EQ(At(39, 39), green);
  EXPECT_EQ(Count(green), inside + 40 * 40 - 20 * 20);
  EXPECT_FALSE(os::Polygon(dc_, ring, 1));  // fewer than two points draw nothing
  os::SelectObject(dc_, old_pen);
  os::SelectObject(dc_, old_brush);
  EXPECT_TRUE(os::DeleteObject(pen));
  EXPECT_TRUE(os::DeleteObject(brush));
}

}  // namespace
