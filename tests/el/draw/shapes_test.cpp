// Shapes and pixels of the drawing module on the back buffer.
#include <gtest/gtest.h>

#include "tests/el/draw/text_fixture.h"

namespace {

class ShapesTest : public text_test::TextScreenTest {
 protected:
  void SetUp() override {
    TextScreenTest::SetUp();
    StartScreen(160, 120);
  }
  void TearDown() override {
    // Every call gives the device context back and deletes what it made.
    EXPECT_FALSE(BackBuffer->IsDcOut());
    TextScreenTest::TearDown();
  }
};

TEST_F(ShapesTest, ASevenPixelBlueLine) {
  elDraw::DrawLine(20, 60, 140, 60, 0xFF0000, 7);
  EXPECT_EQ(Pixel(0xFF0000), 0x001F);  // pure blue on 5-6-5
  for (int y = 50; y < 70; ++y) EXPECT_EQ(Back(80, y) == 0x001F, y >= 57 && y <= 63) << y;
  EXPECT_EQ(Count(BackBuffer, os::Rect{0, 0, 160, 120}, 0x001F),
            NonZero(BackBuffer, os::Rect{0, 0, 160, 120}));
  // A one-pixel line leaves out its end point; lines leaving the screen are cut.
  elDraw::DrawLine(0, 5, 10, 5, 0x0000FF, 1);
  EXPECT_EQ(Back(9, 5), 0xF800);
  EXPECT_EQ(Back(10, 5), 0);
  elDraw::DrawLine(-500, 100, 500, 100, 0x00FF00, 3);
  EXPECT_EQ(Back(0, 100), 0x07E0);
  EXPECT_EQ(Back(159, 101), 0x07E0);
}

TEST_F(ShapesTest, PixelsGoThroughTheColourFormat) {
  elDraw::SetPixel(3, 4, 0xFFFFFF);
  int r = 0, g = 0, b = 0;
  elDraw::GetPixel(3, 4, &r, &g, &b);
  EXPECT_EQ(r, 248);
  EXPECT_EQ(g, 252);
  EXPECT_EQ(b, 248);
  elDraw::SetPixel(5, 5, 0x123456);  // red 0x56, green 0x34, blue 0x12
  elDraw::GetPixel(5, 5, &r, &g, &b);
  EXPECT_EQ(r, 0x56 & 0xF8);
  EXPECT_EQ(g, 0x34 & 0xFC);
  EXPECT_EQ(b, 0x12 & 0xF8);
  elDraw::SetPixel(-1, 500, 0xFFFFFF);  // outside: nothing
  elDraw::GetPixel(-1, 0, &r, &g, &b);
  EXPECT_EQ(r, 255);
}

TEST_F(ShapesTest, AFilledAndOutlinedRectangle) {
  elDraw::DrawRectangle(10, 20, 50, 60, 0x00FF00, 0x0000FF, 1);
  for (int y = 20; y < 60; ++y)
    for (int x = 10; x < 50; ++x) {
      const bool edge = x == 10 || x == 49 || y == 20 || y == 59;
      ASSERT_EQ(Back(x, y), edge ? 0xF800 : 0x07E0) << x << "," << y;
    }
  EXPECT_EQ(Back(50, 40), 0);
  EXPECT_EQ(Back(30, 60), 0);
  // A wide pen lies across the edge.
  FillBack(0);
  elDraw::DrawRectangle(60, 20, 120, 80, 0x00FF00, 0x0000FF, 5);
  EXPECT_EQ(Back(90, 20), 0xF800);
  EXPECT_EQ(Back(90, 18), 0xF800);
  EXPECT_EQ(Back(90, 22), 0xF800);
  EXPECT_EQ(Back(90, 23), 0x07E0);
  EXPECT_EQ(Back(90, 50), 0x07E0);
}

TEST_F(ShapesTest, PolygonModes) {
  const os::Point tri[] = {{10, 10}, {90, 10}, {10, 90}};
  const uint16_t grey = 0x8410;
  const uint16_t red = 0xF800, yellow = Pixel(0x00FFFF);
  auto inside = [&](uint16_t p) { return Count(BackBuffer, os::Rect{15, 15, 40, 40}, p); };

  FillBack(grey);
  elDraw::DrawPolygon(tri, 3, 0x0000FF, 0x00FFFF, 1, 0);  // outline only
  EXPECT_EQ(Back(50, 10), red);
  EXPECT_EQ(Back(10, 50), red);
  EXPECT_EQ(inside(grey), 25 * 25);

  FillBack(grey);
  elDraw::DrawPolygon(tri, 3, 0x0000FF, 0x00FFFF, 1, 1);  // hatch on the background colour
  EXPECT_GT(inside(red), 0);
  EXPECT_GT(inside(yellow), inside(red));
  EXPECT_EQ(inside(red) + inside(yellow), 25 * 25);

  FillBack(grey);
  elDraw::DrawPolygon(tri, 3, 0x0000FF, 0x00FFFF, 1, 2);  // hatch over the picture
  EXPECT_GT(inside(red), 0);
  EXPECT_EQ(inside(red) + inside(grey), 25 * 25);
  EXPECT_EQ(Back(100, 100), grey);
}

TEST_F(ShapesTest, BezierAndInvert) {
  const os::Point p[] = {{10, 100}, {40, 10}, {120, 10}, {150, 100}, {150, 110}};
  elDraw::DrawBezier(p, 5, 0xFFFFFF, 1);  // not 3n + 1 points: nothing
  EXPECT_EQ(NonZero(BackBuffer, os::Rect{0, 0, 160, 120}), 0);
  elDraw::DrawBezier(p, 4, 0xFFFFFF, 3);
  EXPECT_GT(NonZero(BackBuffer, os::Rect{0, 0, 160, 120}), 100);
  EXPECT_EQ(Back(80, 100), 0);  // below the arch

  FillBack(0);
  elDraw::InvertRect(150, 110, 200, 200);
  EXPECT_EQ(Count(BackBuffer, os::Rect{0, 0, 160, 120}, 0xFFFF), 10 * 10);
}

}  // namespace
