// The software blits the game runs every frame (additive glow, half-
// transparent, rotated), beside SDL2 doing the same work on the same 16-bit
// pictures: an additive blend-mode blit, an alpha-modulated blit and a
// rotated copy through SDL's software renderer into a 16-bit target.  Each
// pair is named "<case>/ours" and "<case>/sdl"; after the run the program
// prints how many times faster ours is.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "el/draw/elDraw.h"
#include "os/surface.h"
#include "os/system.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;

// A picture with a bright round middle fading out and transparent corners,
// as the game's shots and explosions are.
std::vector<uint16_t> Glow(int size) {
  std::vector<uint16_t> p(static_cast<size_t>(size) * size, 0);
  const double c = (size - 1) / 2.0, radius = size / 2.0 - 1.0;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double d = std::hypot(x - c, y - c);
      if (d >= radius) continue;
      const double f = 1.0 - d / radius;
      const unsigned r = static_cast<unsigned>(31 * f), g = static_cast<unsigned>(63 * f * f),
                     b = static_cast<unsigned>(31 * std::sqrt(f));
      p[static_cast<size_t>(y) * size + x] = static_cast<uint16_t>((r << 11) | (g << 5) | b | 1);
    }
  return p;
}

// The library's screen, set up directly: an 800 x 600 5-6-5 back buffer,
// its pixel-format values and tables, and the benchmark's pictures.
struct OurScreen {
  OurScreen() {
    os::StartOptions options;
    options.backend = os::Backend::Headless;
    os::Start(options);
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
  // The glow picture of a size, made once.
  int32_t Picture(int size) {
    auto found = pictures.find(size);
    if (found != pictures.end()) return found->second;
    return pictures[size] = Add(size, Glow(size));
  }
  int32_t Add(int size, const std::vector<uint16_t>& pixels) {
    const int32_t slot = next++;
    os::SurfaceDesc desc;
    desc.caps = os::SurfaceOffscreen | os::SurfaceSystemMemory;
    desc.width = desc.height = size;
    DirectDrawObject->CreateSurface(desc, &SpriteObjects[slot].Surface);
    SpriteObjects[slot].Width = SpriteObjects[slot].Height = static_cast<uint16_t>(size);
    os::PixelView v = SpriteObjects[slot].Surface->RawView();
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) v.Row(y)[x] = pixels[static_cast<size_t>(y) * size + x];
    return slot;
  }
  void FillBack() {
    os::PixelView v = BackBuffer->RawView();
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) v.Row(y)[x] = static_cast<uint16_t>((x * 37 + y * 11) & 0x7BEF);
  }
  int32_t next = FirstFreeSprite;
  std::map<int, int32_t> pictures;
};

OurScreen& Ours() {
  static OurScreen screen;
  return screen;
}

// SDL's side: the same pixels in RGB565 surfaces, a 16-bit target and a
// software renderer drawing into it.
struct SdlScreen {
  SdlScreen() {
    target = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 16, SDL_PIXELFORMAT_RGB565);
    renderer = SDL_CreateSoftwareRenderer(target);
    SDL_Rect clip{180, 0, 440, 600};
    SDL_SetClipRect(target, &clip);
    SDL_RenderSetClipRect(renderer, &clip);
  }
  SDL_Surface* Add(int size, const std::vector<uint16_t>& pixels) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, size, size, 16, SDL_PIXELFORMAT_RGB565);
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x)
        reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch)[x] =
            pixels[static_cast<size_t>(y) * size + x];
    SDL_SetColorKey(s, SDL_TRUE, 0);
    return s;
  }
  SDL_Texture* Texture(SDL_Surface* s) {
    SDL_Texture* t = SDL_CreateTextureFromSurface(renderer, s);
    SDL_SetTextureScaleMode(t, SDL_ScaleModeNearest);
    return t;
  }
  void FillBack() {
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(target->pixels) + y * target->pitch)[x] =
            static_cast<uint16_t>((x * 37 + y * 11) & 0x7BEF);
  }
  SDL_Surface* target = nullptr;
  SDL_Renderer* renderer = nullptr;
};

SdlScreen& Sdl() {
  static SdlScreen screen;
  return screen;
}

// Where the draws land, cycling over the playfield (a few partly clipped).
int PlaceX(int n, int size) { return 170 + (n * 97) % (460 - size / 2); }
int PlaceY(int n, int size) { return -10 + (n * 53) % (600 - size / 2); }

// ---- additive and half-transparent ----

void AdditiveOurs(benchmark::State& state, int size) {
  OurScreen& s = Ours();
  const int32_t pic = s.Picture(size);
  s.FillBack();
  int n = 0;
  for (auto _ : state) {
    elDraw::DrawAdditive(PlaceX(n, size), PlaceY(n, size), pic, 0, 0, size, size);
    ++n;
  }
  state.SetItemsProcessed(state.iterations());
}

void AdditiveSdl(benchmark::State& state, int size) {
  SdlScreen& s = Sdl();
  SDL_Surface* pic = s.Add(size, Glow(size));
  SDL_SetSurfaceBlendMode(pic, SDL_BLENDMODE_ADD);
  s.FillBack();
  int n = 0;
  for (auto _ : state) {
    SDL_Rect at{PlaceX(n, size), PlaceY(n, size), size, size};
    SDL_BlitSurface(pic, nullptr, s.target, &at);
    ++n;
  }
  SDL_FreeSurface(pic);
  state.SetItemsProcessed(state.iterations());
}

void HalfOurs(benchmark::State& state, int size) {
  OurScreen& s = Ours();
  const int32_t pic = s.Picture(size);
  s.FillBack();
  int n = 0;
  for (auto _ : state) {
    elDraw::DrawHalfTransparent(PlaceX(n, size), PlaceY(n, size), pic, 0, 0, size, size);
    ++n;
  }
  state.SetItemsProcessed(state.iterations());
}

void HalfSdl(benchmark::State& state, int size) {
  SdlScreen& s = Sdl();
  SDL_Surface* pic = s.Add(size, Glow(size));
  SDL_SetSurfaceBlendMode(pic, SDL_BLENDMODE_BLEND);
  SDL_SetSurfaceAlphaMod(pic, 128);
  s.FillBack();
  int n = 0;
  for (auto _ : state) {
    SDL_Rect at{PlaceX(n, size), PlaceY(n, size), size, size};
    SDL_BlitSurface(pic, nullptr, s.target, &at);
    ++n;
  }
  SDL_FreeSurface(pic);
  state.SetItemsProcessed(state.iterations());
}

// ---- rotated: `count` draws of a size x size picture per iteration ----

void RotatedOurs(benchmark::State& state, int size, int count) {
  OurScreen& s = Ours();
  const int32_t pic = s.Picture(size);
  s.FillBack();
  int n = 0;
  for (auto _ : state) {
    for (int k = 0; k < count; ++k, ++n) {
      const int x = PlaceX(n, size), y = PlaceY(n, size);
      elDraw::DrawRotated(x, y, x + size, y + size, (n * 7) % 360, pic, 0, 0, size, size);
    }
  }
  state.SetItemsProcessed(state.iterations() * count);
}

void RotatedSdl(benchmark::State& state, int size, int count) {
  SdlScreen& s = Sdl();
  SDL_Surface* surface = s.Add(size, Glow(size));
  SDL_Texture* pic = s.Texture(surface);
  s.FillBack();
  int n = 0;
  for (auto _ : state) {
    for (int k = 0; k < count; ++k, ++n) {
      SDL_Rect at{PlaceX(n, size), PlaceY(n, size), size, size};
      // SDL turns clockwise for a positive angle; the direction costs nothing.
      SDL_RenderCopyEx(s.renderer, pic, nullptr, &at, -((n * 7) % 360), nullptr, SDL_FLIP_NONE);
    }
    SDL_RenderFlush(s.renderer);
  }
  SDL_DestroyTexture(pic);
  SDL_FreeSurface(surface);
  state.SetItemsProcessed(state.iterations() * count);
}

// Collects the time per iteration of every run beside the usual output.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration && !run.error_occurred)
        times_[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void PrintRatios() const {
    std::printf("\nSDL time / our time (above 1: ours is faster)\n");
    for (const auto& [name, ours] : times_) {
      const auto slash = name.rfind("/ours");
      if (slash == std::string::npos) continue;
      const auto sdl = times_.find(name.substr(0, slash) + "/sdl");
      if (sdl == times_.end() || ours <= 0.0) continue;
      std::printf("  %-28s %6.2f\n", name.substr(0, slash).c_str(), sdl->second / ours);
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::RegisterBenchmark("additive 60x60/ours", AdditiveOurs, 60);
  benchmark::RegisterBenchmark("additive 60x60/sdl", AdditiveSdl, 60);
  benchmark::RegisterBenchmark("additive 80x80/ours", AdditiveOurs, 80);
  benchmark::RegisterBenchmark("additive 80x80/sdl", AdditiveSdl, 80);
  benchmark::RegisterBenchmark("half 80x80/ours", HalfOurs, 80);
  benchmark::RegisterBenchmark("half 80x80/sdl", HalfSdl, 80);
  benchmark::RegisterBenchmark("rotated 30x30 x300/ours", RotatedOurs, 30, 300);
  benchmark::RegisterBenchmark("rotated 30x30 x300/sdl", RotatedSdl, 30, 300);
  benchmark::RegisterBenchmark("rotated 119x119/ours", RotatedOurs, 119, 1);
  benchmark::RegisterBenchmark("rotated 119x119/sdl", RotatedSdl, 119, 1);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
