// The draws every frame of the game leans on: the keyed copy of a 440 x 480
// background strip and of a 60 x 70 sprite (each beside SDL2's own RLE
// colour-keyed SDL_BlitSurface on the same 16-bit picture), draws clipped
// away whole, the screen clear, one frame of the pattern-3 transition and
// the present.  Pairs are named "<case>/ours" and "<case>/sdl"; after the run
// the program prints how many times faster ours is.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "bench/bench_support.h"
#include "el/draw/elDraw.h"
#include "el/system/app_state.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;

struct Picture {
  int width = 0, height = 0;
  std::vector<uint16_t> pixels;
};

uint16_t Colour(int x, int y) {
  return static_cast<uint16_t>(((x * 37 + y * 11) & 0xFFDF) | 0x0821);  // never 0
}

// A background strip: mostly ground with holes of every size where the
// layer below shows through (about a third transparent).
Picture Strip() {
  Picture p{440, 480, {}};
  p.pixels.resize(440 * 480);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 440; ++x) {
      const double v = std::sin(x / 17.0) + std::sin(y / 23.0) + std::sin((x + y) / 41.0) +
                       0.5 * std::sin(x * y / 900.0);
      p.pixels[static_cast<size_t>(y) * 440 + x] = v < -0.6 ? 0 : Colour(x, y);
    }
  return p;
}

// A ship-like sprite: an oval hull with fins, transparent corners and two
// small windows.
Picture Sprite() {
  Picture p{60, 70, {}};
  p.pixels.resize(60 * 70);
  for (int y = 0; y < 70; ++y)
    for (int x = 0; x < 60; ++x) {
      const double dx = (x - 29.5) / 18.0, dy = (y - 34.5) / 34.0;
      const bool hull = dx * dx + dy * dy < 1.0;
      const bool fin = y > 40 && y < 60 && std::abs(x - 29.5) < 29.0 - (y - 40) * 0.8;
      const bool window = (std::abs(x - 22) < 3 || std::abs(x - 37) < 3) && std::abs(y - 25) < 4;
      p.pixels[static_cast<size_t>(y) * 60 + x] =
          (hull || fin) && !window ? Colour(x, y) : uint16_t{0};
    }
  return p;
}

// The library's screen on the headless backend, as the game starts it.
struct OurScreen {
  OurScreen() {
    bench::StartHeadless();
    elDraw::Screen(kWidth, kHeight, 2);
    elDraw::SetClip(180, 0, 620, 600);
    elDraw::SetVSync(0);
    strip = Add(Strip());
    sprite = Add(Sprite());
  }
  static int32_t Add(const Picture& p) {
    const int32_t handle = elDraw::CreateObject(p.width, p.height, 2);
    os::PixelView v;
    SpriteObjects[handle].Surface->Lock(&v, true);
    bench::CopyPixels(v, p.width, p.height, p.pixels);
    SpriteObjects[handle].Surface->Unlock();
    return handle;
  }
  int32_t strip = 0, sprite = 0;
};

OurScreen& Ours() {
  static OurScreen screen;
  return screen;
}

// SDL's side: the same pixels in RGB565 surfaces keyed on 0 with RLE
// acceleration, blitted onto a 16-bit target clipped to the playfield.
struct SdlScreen {
  SdlScreen() {
    target = bench::SdlSurface565(kWidth, kHeight);
    SDL_SetClipRect(target, &bench::SdlPlayfield);
  }
  SDL_Surface* Add(const Picture& p) {
    SDL_Surface* s = bench::SdlPicture(p.width, p.height, p.pixels);
    SDL_SetSurfaceRLE(s, 1);
    SDL_Rect at{200, 0, p.width, p.height};
    SDL_BlitSurface(s, nullptr, target, &at);  // the RLE encoding happens here, not in the timing
    return s;
  }
  SDL_Surface* target = nullptr;
};

SdlScreen& Sdl() {
  static SdlScreen screen;
  return screen;
}

// Where the draws land, cycling over the playfield (some partly clipped).
int SpriteX(int n) { return 170 + (n * 97) % 440; }
int SpriteY(int n) { return -10 + (n * 53) % 560; }
int StripY(int n) { return -120 + (n * 7) % 360; }

// ---- keyed copies ----

void StripOurs(benchmark::State& state) {
  OurScreen& s = Ours();
  elDraw::DrawObject(180, 0, s.strip, 0, 0, 440, 480);  // first sight of the picture
  int n = 0;
  for (auto _ : state) elDraw::DrawObject(180, StripY(n++), s.strip, 0, 0, 440, 480);
  state.SetItemsProcessed(state.iterations());
}

void StripSdl(benchmark::State& state) {
  SdlScreen& s = Sdl();
  SDL_Surface* pic = s.Add(Strip());
  int n = 0;
  for (auto _ : state) {
    SDL_Rect at{180, StripY(n++), 440, 480};
    SDL_BlitSurface(pic, nullptr, s.target, &at);
  }
  SDL_FreeSurface(pic);
  state.SetItemsProcessed(state.iterations());
}

void SpriteOurs(benchmark::State& state) {
  OurScreen& s = Ours();
  elDraw::DrawObject(300, 0, s.sprite, 0, 0, 60, 70);
  int n = 0;
  for (auto _ : state) {
    elDraw::DrawObject(SpriteX(n), SpriteY(n), s.sprite, 0, 0, 60, 70);
    ++n;
  }
  state.SetItemsProcessed(state.iterations());
}

void SpriteSdl(benchmark::State& state) {
  SdlScreen& s = Sdl();
  SDL_Surface* pic = s.Add(Sprite());
  int n = 0;
  for (auto _ : state) {
    SDL_Rect at{SpriteX(n), SpriteY(n), 60, 70};
    SDL_BlitSurface(pic, nullptr, s.target, &at);
    ++n;
  }
  SDL_FreeSurface(pic);
  state.SetItemsProcessed(state.iterations());
}

// ---- the rest of a frame ----

void ClippedAway(benchmark::State& state) {
  OurScreen& s = Ours();
  for (auto _ : state)
    for (int i = 0; i < 5000; ++i) elDraw::DrawObject(-500, 2550, s.sprite, 0, 0, 60, 70);
  state.SetItemsProcessed(state.iterations() * 5000);
}

void ClearScreen(benchmark::State& state) {
  Ours();
  for (auto _ : state) elDraw::ClearScreen();
  state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 2);
}

void TransitionFrame(benchmark::State& state) {
  OurScreen& s = Ours();
  elDraw::DrawObject(180, 0, s.strip, 0, 0, 440, 480);
  elDraw::CaptureScreen(1, 0, 0, kWidth, kHeight);
  TransitionPattern = 3;
  TransitionBand = 26;
  TransitionDir = 0;  // stay on the first frame
  for (auto _ : state) {
    TransitionStep = 26;
    elDraw::Flip();
  }
  TransitionStep = 0;
  state.SetItemsProcessed(state.iterations());
}

void Present(benchmark::State& state) {
  Ours();
  TransitionStep = 0;
  for (auto _ : state) elDraw::Flip();
  state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 2);
}

double Fastest(const std::vector<double>& v) {
  return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end());
}

}  // namespace

int main(int argc, char** argv) {
  const std::pair<const char*, void (*)(benchmark::State&)> cases[] = {
      {"keyed strip 440x480/ours", StripOurs},
      {"keyed strip 440x480/sdl", StripSdl},
      {"keyed sprite 60x70/ours", SpriteOurs},
      {"keyed sprite 60x70/sdl", SpriteSdl},
      {"5000 draws clipped away", ClippedAway},
      {"ClearScreen", ClearScreen},
      {"pattern-3 transition frame (with present)", TransitionFrame},
      {"present", Present},
  };
  for (const auto& [name, fn] : cases)
    benchmark::RegisterBenchmark(name, fn)
        ->Repetitions(5)
        ->DisplayAggregatesOnly(true)
        ->ComputeStatistics("min", Fastest);
  return bench::RunWithRatios(argc, argv, bench::RatioReporter::Time::FastestCpu);
}
