// The software blits the game runs every frame (additive glow, half-
// transparent, rotated), beside SDL2 doing the same work on the same 16-bit
// pictures: an additive blend-mode blit, an alpha-modulated blit and a
// rotated copy through SDL's software renderer into a 16-bit target.  The
// pictures are round glows, one 20 x 20 cell of a strip of 24 (the stage-1
// boss's ball bullets) and a mostly transparent 150 x 180 arm.  Each pair is
// named "<case>/ours" and "<case>/sdl"; after the run the program prints how
// many times faster ours is.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <vector>

#include "bench/bench_support.h"
#include "el/draw/elDraw.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;

// A picture of width x height pixels, row by row, drawn in cells of
// `cell` columns (the whole width unless set).
struct Shape {
  int width = 0, height = 0;
  std::vector<uint16_t> pixels;
  int cell = 0;
  int Cell() const { return cell > 0 ? cell : width; }
};

// A picture with a bright round middle fading out and transparent corners,
// as the game's shots and explosions are.
Shape Glow(int size) {
  Shape p{size, size, std::vector<uint16_t>(static_cast<size_t>(size) * size, 0)};
  const double c = (size - 1) / 2.0, radius = size / 2.0 - 1.0;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double d = std::hypot(x - c, y - c);
      if (d >= radius) continue;
      const double f = 1.0 - d / radius;
      const unsigned r = static_cast<unsigned>(31 * f), g = static_cast<unsigned>(63 * f * f),
                     b = static_cast<unsigned>(31 * std::sqrt(f));
      p.pixels[static_cast<size_t>(y) * size + x] =
          static_cast<uint16_t>((r << 11) | (g << 5) | b | 1);
    }
  return p;
}

// 24 small glows of 20 x 20 side by side, drawn one cell at a time, as the
// game's animated ball bullets are.
Shape BallStrip() {
  const Shape ball = Glow(20);
  Shape p{480, 20, std::vector<uint16_t>(480 * 20), 20};
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 480; ++x) {
      const uint16_t v = ball.pixels[static_cast<size_t>(y) * 20 + x % 20];
      p.pixels[static_cast<size_t>(y) * 480 + x] = v == 0 ? 0 : static_cast<uint16_t>(v ^ (x & 7));
    }
  return p;
}

// A 150 x 180 picture that is mostly transparent: a slanted band about 45
// pixels wide from the top to the bottom corner, as the stage-1 boss's
// falling arms are (a fifth of it opaque).
Shape Arm() {
  constexpr int w = 150, h = 180;
  Shape p{w, h, std::vector<uint16_t>(static_cast<size_t>(w) * h, 0)};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double along = 20.0 + 0.5 * y;  // the band's middle column
      if (std::abs(x - along) < 16.0)
        p.pixels[static_cast<size_t>(y) * w + x] =
            static_cast<uint16_t>(((x * 5 + y) & 0x1F) << 11 | (y & 0x3F) << 5 | 0x0C);
    }
  return p;
}

// What both sides draw over: a busy pattern at half brightness.
uint16_t Backdrop(int x, int y) { return static_cast<uint16_t>((x * 37 + y * 11) & 0x7BEF); }

// The library's screen, set up directly: an 800 x 600 5-6-5 back buffer,
// its pixel-format values and tables, and the benchmark's pictures.
struct OurScreen {
  OurScreen() {
    bench::StartHeadless();
    os::CreateDisplay(nullptr, &DirectDrawObject);
    os::SurfaceDesc desc;
    desc.caps = os::SurfaceOffscreen | os::SurfaceSystemMemory;
    desc.width = kWidth;
    desc.height = kHeight;
    DirectDrawObject->CreateSurface(desc, &BackBuffer);
    const os::PixelFormat f = BackBuffer->Format();
    elDraw::SetPixelFormatValues(f.red_mask, f.green_mask, f.blue_mask);
    elDraw::BuildTables(true);
    ScreenWidth = kWidth;
    ScreenHeight = kHeight;
    elDraw::SetClip(180, 0, 620, 600);  // the playfield
  }
  // The picture a maker makes, made once.
  int32_t Picture(Shape (*make)()) {
    auto found = pictures.find(make);
    if (found != pictures.end()) return found->second;
    return pictures[make] = Add(make());
  }
  int32_t Add(const Shape& p) {
    const int32_t slot = next++;
    os::SurfaceDesc desc;
    desc.caps = os::SurfaceOffscreen | os::SurfaceSystemMemory;
    desc.width = p.width;
    desc.height = p.height;
    DirectDrawObject->CreateSurface(desc, &SpriteObjects[slot].Surface);
    SpriteObjects[slot].Width = static_cast<uint16_t>(p.width);
    SpriteObjects[slot].Height = static_cast<uint16_t>(p.height);
    bench::CopyPixels(SpriteObjects[slot].Surface->RawView(), p.width, p.height, p.pixels);
    return slot;
  }
  void FillBack() {
    os::PixelView v = BackBuffer->RawView();
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) v.Row(y)[x] = Backdrop(x, y);
  }
  int32_t next = FirstFreeSprite;
  std::map<Shape (*)(), int32_t> pictures;
};

OurScreen& Ours() {
  static OurScreen screen;
  return screen;
}

// SDL's side: the same pixels in RGB565 surfaces, a 16-bit target and a
// software renderer drawing into it.
struct SdlScreen {
  SdlScreen() {
    target = bench::SdlSurface565(kWidth, kHeight);
    renderer = SDL_CreateSoftwareRenderer(target);
    SDL_SetClipRect(target, &bench::SdlPlayfield);
    SDL_RenderSetClipRect(renderer, &bench::SdlPlayfield);
  }
  SDL_Surface* Add(const Shape& p) { return bench::SdlPicture(p.width, p.height, p.pixels); }
  SDL_Texture* Texture(SDL_Surface* s) {
    SDL_Texture* t = SDL_CreateTextureFromSurface(renderer, s);
    SDL_SetTextureScaleMode(t, SDL_ScaleModeNearest);
    return t;
  }
  void FillBack() {
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) bench::SdlRow(target, y)[x] = Backdrop(x, y);
  }
  SDL_Surface* target = nullptr;
  SDL_Renderer* renderer = nullptr;
};

SdlScreen& Sdl() {
  static SdlScreen screen;
  return screen;
}

// Where the draws land, cycling over the playfield (a few partly clipped).
int PlaceX(int n, int width) { return 170 + (n * 97) % (460 - width / 2); }
int PlaceY(int n, int height) { return -10 + (n * 53) % (600 - height / 2); }

// The pictures of the cases.
template <int Size>
Shape GlowOf() {
  return Glow(Size);
}
using Maker = Shape (*)();

// ---- additive and half-transparent ----

// A keyed draw of ours that blends into the back buffer.
using OurBlend = int32_t (*)(int32_t x, int32_t y, int32_t handle, int32_t left, int32_t top,
                             int32_t right, int32_t bottom);

void BlendOurs(benchmark::State& state, OurBlend draw, Maker make) {
  OurScreen& s = Ours();
  const int32_t pic = s.Picture(make);
  const int w = make().Cell(), h = SpriteObjects[pic].Height;
  const int cells = SpriteObjects[pic].Width / w;
  s.FillBack();
  int n = 0;
  for (auto _ : state) {
    const int left = n % cells * w;
    draw(PlaceX(n, w), PlaceY(n, h), pic, left, 0, left + w, h);
    ++n;
  }
  state.SetItemsProcessed(state.iterations());
}

// SDL's blit with the blend mode and alpha modulation that match ours.
void BlendSdl(benchmark::State& state, SDL_BlendMode mode, Uint8 alpha, Maker make) {
  SdlScreen& s = Sdl();
  const Shape shape = make();
  SDL_Surface* pic = s.Add(shape);
  SDL_SetSurfaceBlendMode(pic, mode);
  SDL_SetSurfaceAlphaMod(pic, alpha);
  const int w = shape.Cell(), h = shape.height, cells = shape.width / w;
  s.FillBack();
  int n = 0;
  for (auto _ : state) {
    SDL_Rect cell{n % cells * w, 0, w, h};
    SDL_Rect at{PlaceX(n, w), PlaceY(n, h), w, h};
    SDL_BlitSurface(pic, &cell, s.target, &at);
    ++n;
  }
  SDL_FreeSurface(pic);
  state.SetItemsProcessed(state.iterations());
}

// ---- rotated: `count` draws of a size x size picture per iteration ----

// `kept`: the picture kept turned by every degree, as the game keeps the
// pictures it turns.
template <int Size>
void RotatedOurs(benchmark::State& state, int count, bool kept) {
  OurScreen& s = Ours();
  const int32_t pic = s.Picture(GlowOf<Size>);
  if (kept) elDraw::KeepTurned(pic, Size, Size);
  s.FillBack();
  int n = 0;
  for (auto _ : state) {
    for (int k = 0; k < count; ++k, ++n) {
      const int x = PlaceX(n, Size), y = PlaceY(n, Size);
      elDraw::DrawRotated(x, y, x + Size, y + Size, (n * 7) % 360, pic, 0, 0, Size, Size);
    }
  }
  elDraw::ForgetTurned();
  state.SetItemsProcessed(state.iterations() * count);
}

template <int Size>
void RotatedSdl(benchmark::State& state, int count) {
  SdlScreen& s = Sdl();
  SDL_Surface* surface = s.Add(Glow(Size));
  SDL_Texture* pic = s.Texture(surface);
  s.FillBack();
  int n = 0;
  for (auto _ : state) {
    for (int k = 0; k < count; ++k, ++n) {
      SDL_Rect at{PlaceX(n, Size), PlaceY(n, Size), Size, Size};
      // SDL turns clockwise for a positive angle; the direction costs nothing.
      SDL_RenderCopyEx(s.renderer, pic, nullptr, &at, -((n * 7) % 360), nullptr, SDL_FLIP_NONE);
    }
    SDL_RenderFlush(s.renderer);
  }
  SDL_DestroyTexture(pic);
  SDL_FreeSurface(surface);
  state.SetItemsProcessed(state.iterations() * count);
}

}  // namespace

int main(int argc, char** argv) {
  using benchmark::RegisterBenchmark;
  RegisterBenchmark("additive 40x40/ours", BlendOurs, elDraw::DrawAdditive, GlowOf<40>);
  RegisterBenchmark("additive 40x40/sdl", BlendSdl, SDL_BLENDMODE_ADD, 255, GlowOf<40>);
  RegisterBenchmark("additive 60x60/ours", BlendOurs, elDraw::DrawAdditive, GlowOf<60>);
  RegisterBenchmark("additive 60x60/sdl", BlendSdl, SDL_BLENDMODE_ADD, 255, GlowOf<60>);
  RegisterBenchmark("additive 80x80/ours", BlendOurs, elDraw::DrawAdditive, GlowOf<80>);
  RegisterBenchmark("additive 80x80/sdl", BlendSdl, SDL_BLENDMODE_ADD, 255, GlowOf<80>);
  RegisterBenchmark("additive ball 20x20/ours", BlendOurs, elDraw::DrawAdditive, BallStrip);
  RegisterBenchmark("additive ball 20x20/sdl", BlendSdl, SDL_BLENDMODE_ADD, 255, BallStrip);
  RegisterBenchmark("additive arm 150x180/ours", BlendOurs, elDraw::DrawAdditive, Arm);
  RegisterBenchmark("additive arm 150x180/sdl", BlendSdl, SDL_BLENDMODE_ADD, 255, Arm);
  RegisterBenchmark("half 80x80/ours", BlendOurs, elDraw::DrawHalfTransparent, GlowOf<80>);
  RegisterBenchmark("half 80x80/sdl", BlendSdl, SDL_BLENDMODE_BLEND, 128, GlowOf<80>);
  RegisterBenchmark("rotated 30x30 x300/ours", RotatedOurs<30>, 300, false);
  RegisterBenchmark("rotated 30x30 x300/sdl", RotatedSdl<30>, 300);
  RegisterBenchmark("rotated 30x30 x300 kept/ours", RotatedOurs<30>, 300, true);
  RegisterBenchmark("rotated 39x39 x300/ours", RotatedOurs<39>, 300, false);
  RegisterBenchmark("rotated 39x39 x300/sdl", RotatedSdl<39>, 300);
  RegisterBenchmark("rotated 119x119/ours", RotatedOurs<119>, 1, false);
  RegisterBenchmark("rotated 119x119/sdl", RotatedSdl<119>, 1);
  return bench::RunWithRatios(argc, argv, bench::RatioReporter::Time::IterationReal);
}
