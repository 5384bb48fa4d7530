#include "tools/assetgen/image.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

std::uint8_t Channel(double v) {
  return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

std::uint8_t Lift(std::uint8_t v) { return std::max<std::uint8_t>(v, kMinChannel); }

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

}  // namespace

Rgb MakeRgb(double r, double g, double b) { return {Channel(r), Channel(g), Channel(b)}; }

Rgb Lerp(Rgb a, Rgb b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return MakeRgb(a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t);
}

Rgb Scale(Rgb c, double f) { return MakeRgb(c.r * f, c.g * f, c.b * f); }

Rgb Add(Rgb a, Rgb b) { return MakeRgb(a.r + b.r, a.g + b.g, a.b + b.b); }

Rgb Visible(Rgb c) { return {Lift(c.r), Lift(c.g), Lift(c.b)}; }

double Luma(Rgb c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }

Image::Image(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_)) {}

Rgb Image::At(int x, int y) const {
  if (!Contains(x, y)) return kBlack;
  return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void Image::Put(int x, int y, Rgb c) {
  if (Contains(x, y)) pixels_[static_cast<std::size_t>(y) * width_ + x] = Visible(c);
}

void Image::Clear(int x, int y) {
  if (Contains(x, y)) pixels_[static_cast<std::size_t>(y) * width_ + x] = kBlack;
}

Image MirrorX(const Image& src) {
  Image out(src.width(), src.height());
  for (int y = 0; y < src.height(); ++y)
    for (int x = 0; x < src.width(); ++x)
      if (src.Inked(x, y)) out.Put(src.width() - 1 - x, y, src.At(x, y));
  return out;
}

Image Crop(const Image& src, int x0, int y0, int w, int h) {
  Image out(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (src.Inked(x0 + x, y0 + y)) out.Put(x, y, src.At(x0 + x, y0 + y));
  return out;
}

void Blit(Image& dst, const Image& src, int dx, int dy) {
  for (int y = 0; y < src.height(); ++y)
    for (int x = 0; x < src.width(); ++x)
      if (src.Inked(x, y)) dst.Put(dx + x, dy + y, src.At(x, y));
}

void BlitOpaque(Image& dst, const Image& src, int dx, int dy) {
  for (int y = 0; y < src.height(); ++y)
    for (int x = 0; x < src.width(); ++x) {
      if (src.Inked(x, y))
        dst.Put(dx + x, dy + y, src.At(x, y));
      else
        dst.Clear(dx + x, dy + y);
    }
}

std::vector<std::uint8_t> EncodeBmp(const Image& img) {
  const std::uint32_t stride = (static_cast<std::uint32_t>(img.width()) * 3 + 3) & ~3u;
  const std::uint32_t imageBytes = stride * static_cast<std::uint32_t>(img.height());
  const std::uint32_t offset = 14 + 40;
  std::vector<std::uint8_t> out;
  out.reserve(offset + imageBytes);
  out.push_back('B');
  out.push_back('M');
  PutLe(out, offset + imageBytes, 4);
  PutLe(out, 0, 4);  // reserved
  PutLe(out, offset, 4);
  PutLe(out, 40, 4);
  PutLe(out, static_cast<std::uint32_t>(img.width()), 4);
  PutLe(out, static_cast<std::uint32_t>(img.height()), 4);  // positive: bottom-up
  PutLe(out, 1, 2);                                          // planes
  PutLe(out, 24, 2);                                         // bits per pixel
  PutLe(out, 0, 4);                                          // no compression
  PutLe(out, imageBytes, 4);
  PutLe(out, 2835, 4);  // 72 dpi
  PutLe(out, 2835, 4);
  PutLe(out, 0, 4);
  PutLe(out, 0, 4);
  for (int y = img.height() - 1; y >= 0; --y) {
    std::uint32_t written = 0;
    for (int x = 0; x < img.width(); ++x) {
      const Rgb c = img.At(x, y);
      out.push_back(c.b);
      out.push_back(c.g);
      out.push_back(c.r);
      written += 3;
    }
    for (; written < stride; ++written) out.push_back(0);
  }
  return out;
}

}  // namespace assetgen
