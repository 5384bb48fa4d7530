// Pixel buffer of the asset generator and its BMP encoder.
#pragma once

#include <compare>
#include <cstdint>
#include <vector>

namespace assetgen {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(Rgb, Rgb) = default;
  friend auto operator<=>(Rgb, Rgb) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};

// The game keys on pure black and stores colours in 16 bits, so anything
// darker than this per channel would vanish too: painted pixels never go below.
inline constexpr int kMinChannel = 16;

Rgb MakeRgb(double r, double g, double b);  // clamps to 0..255 and rounds
Rgb Lerp(Rgb a, Rgb b, double t);
Rgb Scale(Rgb c, double f);
Rgb Add(Rgb a, Rgb b);
Rgb Visible(Rgb c);  // every channel lifted to kMinChannel
double Luma(Rgb c);  // perceived brightness 0..255 (Rec. 601 weights)

class Image {
 public:
  Image() = default;
  Image(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  Rgb At(int x, int y) const;          // black outside the picture
  void Put(int x, int y, Rgb c);       // clipped; the colour is lifted to Visible()
  void Clear(int x, int y);            // back to transparent black
  bool Inked(int x, int y) const { return !(At(x, y) == kBlack); }

  const std::vector<Rgb>& pixels() const { return pixels_; }

 private:
  int width_ = 0, height_ = 0;
  std::vector<Rgb> pixels_;
};

Image MirrorX(const Image& src);
Image Crop(const Image& src, int x, int y, int w, int h);
void Blit(Image& dst, const Image& src, int dx, int dy);        // black skipped
void BlitOpaque(Image& dst, const Image& src, int dx, int dy);  // black copied too

// 24-bit bottom-up BMP, 40-byte info header, rows padded to 4 bytes.
std::vector<std::uint8_t> EncodeBmp(const Image& img);

}  // namespace assetgen
