// The wave row effects: negative row divisors and phases run below 0 by a
// negative speed.
#include "tests/el/draw/draw_fixture.h"

namespace draw_test {
namespace {

using WaveRows = DrawTest;

uint16_t RowNumber(int, int y) { return static_cast<uint16_t>(y + 1); }

TEST_F(WaveRows, ANegativeDivisorDividesTheRowIndexTowardZero) {
  const int32_t pic = Sprite(10, 4, RowNumber);
  FrameTime = 0.0f;
  // Rows 0..3 over -2: indexes 0, 0, -1, -1, so shifts 10, 10, 9, 9.
  elDraw::DrawWave(300, 0, 10, -2, 0.0f, pic, 0, 0, 10, 4, 0);
  EXPECT_EQ(Back(310, 0), 1);
  EXPECT_EQ(Back(309, 0), 0);
  EXPECT_EQ(Back(310, 1), 2);
  EXPECT_EQ(Back(309, 2), 3);
  EXPECT_EQ(Back(308, 2), 0);
  EXPECT_EQ(Back(309, 3), 4);

  // The scrolling waves take the same divisors (amplitude 0: no shift).
  elDraw::DrawWaveScroll(300, 100, 0, -3, 0.0f, 0.0f, pic, 0, 0, 10, 4);
  EXPECT_EQ(Back(300, 100), 1);
  EXPECT_EQ(Back(300, 103), 4);
  elDraw::DrawWaveScroll2(200, 204, 0, -3, 0.0f, 0.0f, pic, 0, 0, 10, 4);
  EXPECT_EQ(Back(180, 200), 1);
  EXPECT_EQ(Back(615, 203), 4);
}

TEST_F(WaveRows, APhaseBelowZeroKeepsItsWholePartTowardZero) {
  const int32_t pic = Sprite(10, 4, RowNumber);
  FrameTime = 1.0f;
  elDraw::DrawWave(300, 0, 10, 0, -0.5f, pic, 0, 0, 10, 4, 0);
  EXPECT_FLOAT_EQ(RowEffects.WavePhase, -0.5f);
  // trunc(-0.5) is 0: row 0 shifts by cos(0) x 10 and row 1 by cos(1) x 10.
  elDraw::DrawWave(300, 100, 10, 0, 0.0f, pic, 0, 0, 10, 4, 0);
  EXPECT_EQ(Back(310, 100), 1);
  EXPECT_EQ(Back(309, 100), 0);
  EXPECT_EQ(Back(309, 101), 2);
  EXPECT_EQ(Back(319, 101), 0);

  // Past -360 it gains 360 and stays below 0; at 360 or more it loses 360.
  RowEffects.WavePhase = -359.5f;
  elDraw::DrawWave(300, 200, 10, 0, -1.0f, pic, 0, 0, 10, 4, 0);
  EXPECT_FLOAT_EQ(RowEffects.WavePhase, -0.5f);
  RowEffects.WavePhase = 359.5f;
  elDraw::DrawWave(300, 200, 10, 0, 1.0f, pic, 0, 0, 10, 4, 0);
  EXPECT_FLOAT_EQ(RowEffects.WavePhase, 0.5f);

  // The scrolling waves' phases step alike.
  elDraw::DrawWaveScroll(300, 300, 10, 0, -0.5f, 0.0f, pic, 0, 0, 10, 4);
  elDraw::DrawWaveScroll2(400, 404, 10, 0, -0.5f, 0.0f, pic, 0, 0, 10, 4);
  EXPECT_FLOAT_EQ(RowEffects.ScrollPhase, -0.5f);
  EXPECT_FLOAT_EQ(RowEffects.Scroll2Phase, -0.5f);
}

}  // namespace
}  // namespace draw_test
