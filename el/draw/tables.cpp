#include "el/draw/tables.h"

#include <cmath>
#include <cstring>

#include "el/draw/blend_rows.h"
#include "el/draw/screen.h"
#include "os/system.h"

int32_t SineTable[SineTableSize];
uint8_t ComponentSplitTable[65536][3];
uint16_t CrossfadeTable[BlendTableSize];
uint16_t AdditiveTable[BlendTableSize];
uint16_t SubtractiveTable[SubtractiveTableSize];
uint16_t GreyTable[GreyTableSize];
uint8_t NoiseTable[NoiseTableSize];

namespace elDraw {
namespace {

uint16_t Placed(int plane, int value) {
  const uint16_t place = plane == 0 ? RedPlace : plane == 1 ? GreenPlace : BluePlace;
  return static_cast<uint16_t>(value << place);
}

void BuildSineTable() {
  const double pi = std::acos(-1.0);
  for (int d = 0; d < SineTableSize; ++d)
    SineTable[d] = static_cast<int32_t>(std::sin(pi * 2.0 * d / 360.0) * 360.0);
}

void BuildComponentSplit() {
  std::memset(ComponentSplitTable, 0, sizeof(ComponentSplitTable));
  const uint32_t red_levels = RedMax == 63 ? 64 : 32;
  const uint32_t green_levels = GreenMax == 63 ? 64 : 32;
  const uint32_t blue_levels = BlueMax == 63 ? 64 : 32;
  for (uint32_t r = 0; r < red_levels; ++r)
    for (uint32_t g = 0; g < green_levels; ++g)
      for (uint32_t b = 0; b < blue_levels; ++b) {
        uint32_t pixel = ((r << RedShift) | (g << GreenShift) | (b << BlueShift)) & 0xFFFF;
        ComponentSplitTable[pixel][0] = static_cast<uint8_t>(red_levels == 64 ? r >> 1 : r);
        ComponentSplitTable[pixel][1] = static_cast<uint8_t>(green_levels == 64 ? g >> 1 : g);
        ComponentSplitTable[pixel][2] = static_cast<uint8_t>(blue_levels == 64 ? b >> 1 : b);
      }
}

void BuildBlendTables() {
  for (int plane = 0; plane < 3; ++plane)
    for (int level = 0; level < 32; ++level)
      for (int s = 0; s < 32; ++s)
        for (int d = 0; d < 32; ++d) {
          int v = 0;
          if (s - level >= 0) v += s - level;
          if (d - (31 - level) >= 0) v += d - (31 - level);
          CrossfadeTable[BlendIndex(plane, level, s, d)] = Placed(plane, v);
          int a = s - level > 0 ? s - level : 0;
          a += d;
          if (a > 31) a = 31;
          AdditiveTable[BlendIndex(plane, level, s, d)] = Placed(plane, a);
        }
  for (int plane = 0; plane < 3; ++plane)
    for (int a = 0; a < 32; ++a)
      for (int b = 0; b < 32; ++b)
        SubtractiveTable[SubtractiveIndex(plane, a, b)] = Placed(plane, a - b > 0 ? a - b : 0);
}

void BuildGreyAndNoise() {
  for (int r = 0; r < 32; ++r)
    for (int g = 0; g < 32; ++g)
      for (int b = 0; b < 32; ++b) GreyTable[r + g + b] = static_cast<uint16_t>((r + g + b) / 3);
  for (int i = 0; i < NoiseTableSize; ++i) NoiseTable[i] = static_cast<uint8_t>(os::Random() % 3);
}

}  // namespace

void BuildTables(bool pixels_16bit) {
  BuildSineTable();
  soft::PixelEngine = soft::WidestEngine();
  soft::ChooseBlendLayout(pixels_16bit);
  if (!pixels_16bit) {
    std::memset(ComponentSplitTable, 0, sizeof(ComponentSplitTable));
    std::memset(CrossfadeTable, 0, sizeof(CrossfadeTable));
    std::memset(AdditiveTable, 0, sizeof(AdditiveTable));
    std::memset(SubtractiveTable, 0, sizeof(SubtractiveTable));
    std::memset(GreyTable, 0, sizeof(GreyTable));
    std::memset(NoiseTable, 0, sizeof(NoiseTable));
    return;
  }
  BuildComponentSplit();
  BuildBlendTables();
  BuildGreyAndNoise();
}

}  // namespace elDraw
