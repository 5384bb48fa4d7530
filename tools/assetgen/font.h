// Two tiny built-in bitmap fonts: 5x7 (digits, capitals, punctuation) and a
// 3x5 digit font for cell indices.
#pragma once

#include <string_view>

#include "tools/assetgen/image.h"
#include "tools/assetgen/raster.h"

namespace assetgen {

enum class Font { kSmall5x7, kMini3x5 };

int GlyphWidth(Font font);
int GlyphHeight(Font font);
// Width in pixels of a line of text, one blank column between glyphs.
int TextWidth(std::string_view text, int scale, Font font = Font::kSmall5x7);
bool GlyphPixel(char ch, int col, int row, Font font = Font::kSmall5x7);

// Top-left corner at (x, y); each font pixel becomes a scale x scale block.
void DrawText(Image& img, int x, int y, std::string_view text, int scale, const Shader& ink,
              Font font = Font::kSmall5x7);
// Same with a one-pixel rim of `outline` all around the glyphs.
void DrawTextOutlined(Image& img, int x, int y, std::string_view text, int scale, const Shader& ink,
                      Rgb outline, Font font = Font::kSmall5x7);
// Horizontally centred on cx.
void DrawTextCentred(Image& img, int cx, int y, std::string_view text, int scale, const Shader& ink,
                     Rgb outline, Font font = Font::kSmall5x7);

// Prints a cell number in the mini font at the top-left corner of a cell.
void DrawCellIndex(Image& img, int cellX, int cellY, int index, Rgb colour);

}  // namespace assetgen
