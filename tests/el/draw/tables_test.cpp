#include <vector>

#include "tests/el/draw/screen_fixture.h"

namespace screen_test {
namespace {

using elDraw::BlendIndex;
using elDraw::SubtractiveIndex;

class TableLayoutTest : public ScreenLayoutTest {};

// Placed values back to components, for the layout-independent checks.
int Component(int plane, uint16_t placed) {
  const int place = plane == 0 ? RedPlace : plane == 1 ? GreenPlace : BluePlace;
  return placed >> place;
}

TEST_P(TableLayoutTest, LookupTableEdgeValues) {
  Start(GetParam());
  const bool is555 = GetParam().rgb555;

  // Sine, truncated.
  const std::pair<int, int> sines[] = {{1, 6},     {30, 179},  {45, 254},  {60, 311},
                                       {90, 360},  {150, 179}, {180, 0},   {181, -6},
                                       {210, -180}, {270, -360}, {330, -180}, {359, -6}};
  for (auto [d, v] : sines) EXPECT_EQ(SineTable[d], v) << d;
  EXPECT_EQ(SineTable[449], SineTable[89]);
  EXPECT_EQ(SineTable[360], SineTable[0]);

  // Component split.
  EXPECT_EQ(ComponentSplitTable[WhitePixel][0], 31);
  EXPECT_EQ(ComponentSplitTable[WhitePixel][1], 31);
  EXPECT_EQ(ComponentSplitTable[WhitePixel][2], 31);
  if (is555) {
    for (uint32_t p = 0x8000; p < 0x10000; p += 97)
      ASSERT_EQ(ComponentSplitTable[p][0] | ComponentSplitTable[p][1] | ComponentSplitTable[p][2],
                0);
    EXPECT_EQ(ComponentSplitTable[0x8000 | 0x7FFF][0], 0);
  } else {
    EXPECT_EQ(ComponentSplitTable[0x07E0][1], 31);  // green 63 halves to 31
    EXPECT_EQ(ComponentSplitTable[0x0020][1], 0);   // green 1 halves to 0
  }
  // White split and put back together through any table is at most 0xFFDF
  // on 5-6-5: green's lowest bit stays clear.
  uint16_t white = 0;
  for (int plane = 0; plane < 3; ++plane) white |= AdditiveTable[BlendIndex(plane, 0, 31, 31)];
  EXPECT_EQ(white, is555 ? 0x7FFF : 0xFFDF);

  for (int plane = 0; plane < 3; ++plane) {
    for (int s = 0; s < 32; s += 5)
      for (int d = 0; d < 32; d += 3) {
        EXPECT_EQ(Component(plane, CrossfadeTable[BlendIndex(plane, 0, s, d)]), s);
        EXPECT_EQ(Component(plane, CrossfadeTable[BlendIndex(plane, 31, s, d)]), d);
        EXPECT_EQ(Component(plane, AdditiveTable[BlendIndex(plane, 31, s, d)]), d);
        EXPECT_LE(Component(plane, CrossfadeTable[BlendIndex(plane, 20, s, d)]), 31);
      }
    EXPECT_EQ(Component(plane, CrossfadeTable[BlendIndex(plane, 16, 31, 31)]), 31);
    EXPECT_EQ(Component(plane, AdditiveTable[BlendIndex(plane, 0, 20, 20)]), 31);
    EXPECT_EQ(Component(plane, AdditiveTable[BlendIndex(plane, 0, 10, 12)]), 22);
    EXPECT_EQ(SubtractiveTable[SubtractiveIndex(plane, 5, 5)], 0);
    EXPECT_EQ(SubtractiveTable[SubtractiveIndex(plane, 3, 9)], 0);
    EXPECT_EQ(Component(plane, SubtractiveTable[SubtractiveIndex(plane, 9, 3)]), 6);
  }
  EXPECT_EQ(GreyTable[93], 31);
  EXPECT_EQ(GreyTable[2], 0);
  EXPECT_EQ(GreyTable[3], 1);
  for (int i = 0; i < NoiseTableSize; ++i) ASSERT_LE(NoiseTable[i], 2);
}

INSTANTIATE_TEST_SUITE_P(Layouts, TableLayoutTest,
                         ::testing::Values(Layout{false, 0}, Layout{true, 0}, Layout{false, 2}),
                         LayoutName);

TEST_F(ScreenTest, NoiseFollowsTheProjectGeneratorAndOtherDepthsOnlyGetSines) {
  os::SeedRandom(77);
  Start();
  std::vector<uint8_t> first(NoiseTable, NoiseTable + NoiseTableSize);
  int counts[3] = {};
  for (uint8_t v : first) ++counts[v];
  for (int c : counts) EXPECT_GT(c, 2500);
  os::SeedRandom(77);
  Start();
  EXPECT_EQ(std::vector<uint8_t>(NoiseTable, NoiseTable + NoiseTableSize), first);

  elDraw::BuildTables(false);
  EXPECT_EQ(SineTable[90], 360);
  EXPECT_EQ(ComponentSplitTable[0xFFFF][0], 0);
  EXPECT_EQ(AdditiveTable[BlendIndex(0, 0, 20, 20)], 0);
  EXPECT_EQ(GreyTable[93], 0);
  EXPECT_EQ(NoiseTable[5] | NoiseTable[9999], 0);
}

}  // namespace
}  // namespace screen_test
