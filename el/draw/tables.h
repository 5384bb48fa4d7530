// Pixel lookup tables of the software blits, built once by the screen
// start-up from the pixel-format values.  A component is a channel reduced
// to 5 bits (0..31); a placed value is one shifted into its channel by the
// channel's place shift, so a blit composes a pixel by or-ing three entries.
// Planes: 0 red, 1 green, 2 blue.
#pragma once
#include <cstdint>

constexpr int SineTableSize = 450;
constexpr int BlendTableSize = 3 * 32 * 32 * 32;
constexpr int SubtractiveTableSize = 3 * 32 * 32;
constexpr int GreyTableSize = 94;
constexpr int NoiseTableSize = 10000;

// sin(2 pi d / 360) x 360 truncated, d = 0..449 (entry a + 90 is cos a).
extern int32_t SineTable[SineTableSize];
// The three components (red, green, blue) of every 16-bit pixel value.
extern uint8_t ComponentSplitTable[65536][3];
// [plane x 32768 + level x 1024 + s x 32 + d]: max(0, s - level) + max(0, d - (31 - level)), placed.
extern uint16_t CrossfadeTable[BlendTableSize];
// Same index: min(31, max(0, s - level) + d), placed.
extern uint16_t AdditiveTable[BlendTableSize];
// [plane x 1024 + a x 32 + b]: max(0, a - b), placed.
extern uint16_t SubtractiveTable[SubtractiveTableSize];
// [r + g + b]: the sum / 3, not placed.
extern uint16_t GreyTable[GreyTableSize];
// Pseudo-random 0, 1 or 2.
extern uint8_t NoiseTable[NoiseTableSize];

namespace elDraw {

constexpr int BlendIndex(int plane, int level, int s, int d) {
  return plane * 32768 + level * 1024 + s * 32 + d;
}
constexpr int SubtractiveIndex(int plane, int a, int b) { return plane * 1024 + a * 32 + b; }

// Builds SineTable always, and the other tables when `pixels_16bit` (they
// rest on the pixel-format values of the screen); otherwise they are zeroed.
void BuildTables(bool pixels_16bit);

}  // namespace elDraw
