// Shapes and device-context state of os/gdi on 16-bit surfaces.
#include "os/gdi/gdi.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

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
    surface_ = Make(64, 48);
    ASSERT_TRUE(os::Succeeded(surface_->GetDC(&dc_)));
  }
  void TearDown() override {
    if (surface_->IsDcOut()) surface_->ReleaseDC(dc_);
    for (os::Surface* s : made_) os::ReleaseSurface(s);
    os::ReleaseDisplay(display_);
    os::ResetSurfaceTests();
    EXPECT_EQ(os::LiveGdiObjectCount(), objects_at_start_);
    HeadlessTest::TearDown();
  }
  os::Surface* Make(int w, int h) {
    os::SurfaceDesc d;
    d.width = w;
    d.height = h;
    os::Surface* s = nullptr;
    EXPECT_TRUE(os::Succeeded(display_->CreateSurface(d, &s)));
    made_.push_back(s);
    return s;
  }
  uint16_t At(int x, int y) const { return surface_->RawView().Row(y)[x]; }
  uint16_t Pixel(uint32_t colorref) const { return os::ColorToPixel(surface_->Format(), colorref); }
  // Every pixel of the surface as 'x' where it equals `pixel`, else '.'.
  std::vector<std::string> Map(uint16_t pixel) const {
    std::vector<std::string> rows;
    for (int y = 0; y < surface_->Height(); ++y) {
      std::string row;
      for (int x = 0; x < surface_->Width(); ++x) row += At(x, y) == pixel ? 'x' : '.';
      rows.push_back(row);
    }
    return rows;
  }
  int Count(uint16_t pixel) const {
    int n = 0;
    for (const std::string& row : Map(pixel))
      for (char c : row) n += c == 'x';
    return n;
  }
  bool Near(int x, int y, uint16_t pixel) const {
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (At(x + dx, y + dy) == pixel) return true;
    return false;
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
  std::vector<os::Surface*> made_;
};

INSTANTIATE_TEST_SUITE_P(Layouts, GdiTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Rgb555" : "Rgb565"; });

TEST_P(GdiTest, ThinLinesLeaveOutTheEndPointAndClip) {
  Line(2, 3, 10, 3, kRed, 1);
  const uint16_t red = Pixel(kRed);
  for (int x = 2; x < 10; ++x) EXPECT_EQ(At(x, 3), red) << x;
  EXPECT_NE(At(10, 3), red);
  EXPECT_EQ(Count(red), 8);

  // A diagonal: one pixel per step, the end left out.
  Line(20, 20, 25, 25, kGreen, 0);
  const uint16_t green = Pixel(kGreen);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(At(20 + i, 20 + i), green);
  EXPECT_NE(At(25, 25), green);

  // Far outside, and through the surface from far away: cut, never a crash.
  Line(-100000, 10, 100000, 10, kWhite, 1);
  Line(-5000000, -5000000, 5000000, 5000000, kWhite, 1);
  const uint16_t white = Pixel(kWhite);
  for (int x = 0; x < 64; ++x) EXPECT_EQ(At(x, 10), white);
  EXPECT_EQ(At(30, 30), white);
  EXPECT_TRUE(PaddingZero());
}

TEST_P(GdiTest, WideLinesKeepTheirWidthAndHaveRoundEnds) {
  Line(10, 20, 50, 20, kBlue, 7);
  const uint16_t blue = Pixel(kBlue);
  for (int y = 0; y < 48; ++y) EXPECT_EQ(At(30, y) == blue, y >= 17 && y <= 23) << y;
  // Round ends reach 3 pixels past each end on the axis, less at the rims.
  EXPECT_EQ(At(7, 20), blue);
  EXPECT_NE(At(6, 20), blue);
  EXPECT_EQ(At(53, 20), blue);
  EXPECT_NE(At(8, 17), blue);

  // An even width keeps its width too.
  Line(10, 40, 50, 40, kRed, 4);
  const uint16_t red = Pixel(kRed);
  int rows = 0;
  for (int y = 0; y < 48; ++y) rows += At(30, y) == red;
  EXPECT_EQ(rows, 4);

  // A wide line across the edge is cut to the surface.
  Line(-20, -20, 80, 60, kWhite, 9);
  EXPECT_TRUE(PaddingZero());
}

TEST_P(GdiTest, RectangleFillsInsideAndOutlinesTheEdgePixels) {
  const os::GdiObject brush = os::CreateBrush(os::BrushStyle::Solid, kGreen, 0);
  const os::GdiObject pen = os::CreatePen(1, kRed);
  const os::GdiObject old_brush = os::SelectObject(dc_, brush);
  const os::GdiObject old_pen = os::SelectObject(dc_, pen);
  ASSERT_TRUE(os::Rectangle(dc_, 4, 5, 14, 12));  // pixels 4..13 x 5..11
  const uint16_t red = Pixel(kRed), green = Pixel(kGreen);
  for (int y = 5; y < 12; ++y) {
    for (int x = 4; x < 14; ++x) {
      const bool edge = x == 4 || x == 13 || y == 5 || y == 11;
      EXPECT_EQ(At(x, y), edge ? red : green) << x << "," << y;
    }
  }
  EXPECT_EQ(Count(red) + Count(green), 70);
  // The same rectangle given the other way round.
  ASSERT_TRUE(os::Rectangle(dc_, 54, 40, 44, 30));
  EXPECT_EQ(At(44, 30), red);
  EXPECT_EQ(At(48, 35), green);
  EXPECT_EQ(At(53, 39), red);
  EXPECT_NE(At(54, 40), red);
  os::SelectObject(dc_, old_pen);
  os::SelectObject(dc_, old_brush);
  EXPECT_TRUE(os::DeleteObject(pen));
  EXPECT_TRUE(os::DeleteObject(brush));
}

TEST_P(GdiTest, PolygonFillsEvenOddWithHatchedOrNullBrushes) {
  // A square with a square hole traced as one outline: the hole stays empty
  // under the alternate rule.
  const os::Point ring[] = {{0, 0}, {40, 0}, {40, 40}, {0, 40}, {0, 0},
                            {10, 10}, {10, 30}, {30, 30}, {30, 10}, {10, 10}};
  const os::GdiObject pen = os::GetStockObject(os::StockObject::NullPen);
  const os::GdiObject solid = os::CreateBrush(os::BrushStyle::Solid, kBlue, 0);
  const os::GdiObject old_pen = os::SelectObject(dc_, pen);
  const os::GdiObject old_brush = os::SelectObject(dc_, solid);
  ASSERT_TRUE(os::Polygon(dc_, ring, 10));
  const uint16_t blue = Pixel(kBlue);
  EXPECT_EQ(At(5, 5), blue);
  EXPECT_EQ(At(35, 20), blue);
  EXPECT_EQ(At(20, 20), 0);
  EXPECT_EQ(At(39, 39), blue);
  EXPECT_EQ(At(40, 20), 0);
  EXPECT_EQ(Count(blue), 40 * 40 - 20 * 20);

  // A diagonal cross-hatch: opaque gaps take the background colour,
  // transparent gaps keep what was there.
  const os::GdiObject hatch = os::CreateBrush(os::BrushStyle::Hatched, kRed, os::HatchDiagonalCross);
  os::SelectObject(dc_, hatch);
  os::SetBackgroundColor(dc_, kGreen);
  const os::Point square[] = {{0, 0}, {16, 0}, {16, 16}, {0, 16}};
  ASSERT_TRUE(os::Polygon(dc_, square, 4));
  const uint16_t red = Pixel(kRed), green = Pixel(kGreen);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const bool ink = ((x - y) & 7) == 0 || ((x + y) & 7) == 0;
      EXPECT_EQ(At(x, y), ink ? red : green) << x << "," << y;
    }
  os::SetBackgroundMode(dc_, os::BackgroundTransparent);
  os::SelectObject(dc_, solid);
  ASSERT_TRUE(os::Polygon(dc_, square, 4));  // back to solid blue
  os::SelectObject(dc_, hatch);
  ASSERT_TRUE(os::Polygon(dc_, square, 4));
  EXPECT_EQ(At(0, 0), red);
  EXPECT_EQ(At(1, 0), blue);
  EXPECT_EQ(At(1, 1), red);

  // Fewer than two points draw nothing.
  EXPECT_FALSE(os::Polygon(dc_, square, 1));
  os::SelectObject(dc_, old_brush);
  os::SelectObject(dc_, old_pen);
  EXPECT_TRUE(os::DeleteObject(solid));
  EXPECT_TRUE(os::DeleteObject(hatch));
}

TEST_P(GdiTest, BezierNeedsThreeNPlusOnePoints) {
  const os::GdiObject pen = os::CreatePen(1, kWhite);
  const os::GdiObject old = os::SelectObject(dc_, pen);
  const os::Point p[] = {{2, 40}, {10, 0}, {50, 0}, {60, 40}, {60, 44}, {62, 46}, {63, 47}};
  EXPECT_FALSE(os::PolyBezier(dc_, p, 3));
  EXPECT_FALSE(os::PolyBezier(dc_, p, 5));
  EXPECT_EQ(Count(Pixel(kWhite)), 0);
  ASSERT_TRUE(os::PolyBezier(dc_, p, 4));
  const uint16_t white = Pixel(kWhite);
  EXPECT_EQ(At(2, 40), white);             // starts on the first point
  EXPECT_TRUE(Near(30, 10, white));        // passes the curve's middle (30.25, 10)
  EXPECT_GT(Count(white), 60);
  ASSERT_TRUE(os::PolyBezier(dc_, p, 7));  // two curves
  os::SelectObject(dc_, old);
  EXPECT_TRUE(os::DeleteObject(pen));
}

TEST_P(GdiTest, InvertFlipsEveryBitOfTheFormatInsideTheSurface) {
  const uint16_t all = GetParam() ? 0x7FFF : 0xFFFF;
  surface_->RawView().Row(2)[3] = 0x1234;
  ASSERT_TRUE(os::InvertRect(dc_, os::Rect{-10, -10, 5, 5}));
  EXPECT_EQ(At(0, 0), all);
  EXPECT_EQ(At(3, 2), static_cast<uint16_t>(~0x1234 & all));
  EXPECT_EQ(At(5, 0), 0);
  EXPECT_EQ(Count(all), 24);
  EXPECT_TRUE(os::InvertRect(dc_, os::Rect{10, 10, 5, 5}));  // inverted: nothing
  EXPECT_EQ(Count(all), 24);
  EXPECT_TRUE(PaddingZero());
}

TEST_P(GdiTest, StateStartsAfreshAndSelectedObjectsStayAlive) {
  EXPECT_EQ(os::GetTextColor(dc_), 0x000000u);
  EXPECT_EQ(os::GetBackgroundColor(dc_), 0xFFFFFFu);
  EXPECT_EQ(os::GetBackgroundMode(dc_), os::BackgroundOpaque);
  EXPECT_EQ(os::SetTextColor(dc_, 0x123456), 0x000000u);
  EXPECT_EQ(os::SetBackgroundMode(dc_, os::BackgroundTransparent), os::BackgroundOpaque);
  EXPECT_EQ(os::SetBackgroundMode(dc_, 7), 0);  // not a mode

  const os::GdiObject pen = os::CreatePen(3, kRed);
  const os::GdiObject stock_pen = os::SelectObject(dc_, pen);
  EXPECT_EQ(os::ObjectKind(stock_pen), os::GdiKind::Pen);
  EXPECT_FALSE(os::DeleteObject(pen));  // still selected
  EXPECT_FALSE(os::DeleteObject(stock_pen));
  EXPECT_EQ(os::SelectObject(dc_, 0xDEAD), 0u);

  // Giving the device context back lets go of its objects; the next hand-out
  // starts with the defaults.
  ASSERT_TRUE(os::Succeeded(surface_->ReleaseDC(dc_)));
  EXPECT_EQ(os::SetTextColor(dc_, 0), os::InvalidColor);  // not out
  EXPECT_FALSE(os::LineTo(dc_, 1, 1));
  EXPECT_TRUE(os::DeleteObject(pen));
  ASSERT_TRUE(os::Succeeded(surface_->GetDC(&dc_)));
  EXPECT_EQ(os::GetTextColor(dc_), 0x000000u);
  EXPECT_EQ(os::GetBackgroundMode(dc_), os::BackgroundOpaque);
  EXPECT_EQ(os::CurrentObject(dc_, os::GdiKind::Pen), stock_pen);

  // A surface released while its device context is out ends that state too.
  os::Surface* other = Make(8, 8);
  os::DeviceContext* other_dc = nullptr;
  ASSERT_TRUE(os::Succeeded(other->GetDC(&other_dc)));
  const os::GdiObject brush = os::CreateBrush(os::BrushStyle::Solid, kRed, 0);
  os::SelectObject(other_dc, brush);
  made_.pop_back();
  os::ReleaseSurface(other);
  EXPECT_TRUE(os::DeleteObject(brush));
}

}  // namespace
