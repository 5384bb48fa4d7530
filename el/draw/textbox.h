// Word-wrapped text boxes: a Shift-JIS text laid out glyph by glyph inside a
// box, wrapped at the right edge (with punctuation that may hang past it),
// with an optional shadow and bold strokes, painted into the Font object
// (sprite object 2) and shown at once or revealed a glyph at a time.  The
// plain painter draws with the selected font; the smoothed painter draws each
// line at double size into the Font buffer object (sprite object 3) and
// filters it down, blending its edges with the back buffer under the box.
#pragma once
#include <cstdint>
#include <string>

#include "os/system.h"

constexpr int GlyphRectCapacity = 3200;
constexpr int HangingCharCount = 15;

// Record 0: the painted text's bounding box; records 1 on: one per painted
// glyph in reading order, screen coordinates.
extern os::Rect GlyphRects[GlyphRectCapacity];
extern int32_t GlyphCount;    // next free record after a paint
extern int32_t RevealCount;   // records 1 .. RevealCount - 1 are shown
extern float RevealTimer;     // seconds gathered towards the next glyph
// The characters that may stand past the right edge (Shift-JIS).
extern const std::string HangingChars[HangingCharCount];

// Bits of the style word.
constexpr uint16_t TextStyleSpacingMask = 0x00FF;  // extra line spacing
constexpr uint16_t TextStyleShadow = 0x0100;
constexpr uint16_t TextStyleBoldH = 0x0200;
constexpr uint16_t TextStyleBoldV = 0x0400;

namespace elDraw {

// Paint without showing (RevealText shows it).
void DrawTextBox(int32_t left, int32_t top, int32_t right, int32_t bottom, const char* text,
                 uint16_t style);
// The plain painter: needs a font from SelectFont or SelectFontFace and the
// colours set; the caller ends with DeleteFont.
void PaintTextBox(int32_t left, int32_t top, int32_t right, int32_t bottom, const char* text,
                  uint16_t style);
void DrawTextBox2(int32_t left, int32_t top, int32_t right, int32_t bottom, const char* text,
                  uint16_t style);
// The smoothed painter: needs a font from SelectBufferFont or
// SelectBufferFontFace; the caller ends with DeleteBufferFont.
void PaintTextBox2(int32_t left, int32_t top, int32_t right, int32_t bottom, const char* text,
                   uint16_t style);
// 2:1 filter of the Font buffer's strip (src left, top, right, bottom) into
// the Font object at (x, y), blending with the back buffer; 1, or 0 when a
// surface could not be locked.
int32_t SmoothTextBox(int32_t x, int32_t y, int32_t src_left, int32_t src_top,
                      int32_t src_right, int32_t src_bottom);
// Draws the painted box progressively, one more glyph each `interval`
// seconds of FrameTime; 1 once the whole text shows.
int32_t RevealText(float interval);

}  // namespace elDraw
