// A tiny built-in 5x7 bitmap font: digits, capitals and punctuation.
#pragma once

#include <string_view>

#include "tools/assetgen/image.h"
#include "tools/assetgen/raster.h"

namespace assetgen {

inline constexpr int kGlyphWidth = 5, kGlyphHeight = 7;

// Width in pixels of a line of text, one blank column between glyphs.
int TextWidth(std::string_view text, int scale);
bool GlyphPixel(char ch, int col, int row);

// Top-left corner at (x, y); each font pixel becomes a scale x scale block.
void DrawText(Image& img, int x, int y, std::string_view text, int scale, const Shader& ink);
// Same with a one-pixel rim of `outline` all around the glyphs.
void DrawTextOutlined(Image& img, int x, int y, std::string_view text, int scale, const Shader& ink,
                      Rgb outline);
// Horizontally centred on cx.
void DrawTextCentred(Image& img, int cx, int y, std::string_view text, int scale, const Shader& ink,
                     Rgb outline);

}  // namespace assetgen
