// What the benchmark programs share: the os layer started on the headless
// backend, 16-bit pictures copied into our surfaces and into SDL's, and the
// report that sets SDL's time beside ours for every "<case>/ours" and
// "<case>/sdl" pair.
#pragma once
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench/headless_start.h"
#include "os/headless/headless.h"
#include "os/surface.h"
#include "os/system.h"

namespace bench {

// Copies a width x height picture (row after row) into a locked or raw view.
inline void CopyPixels(const os::PixelView& v, int width, int height,
                       const std::vector<uint16_t>& pixels) {
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) v.Row(y)[x] = pixels[static_cast<size_t>(y) * width + x];
}

// Row y of an SDL surface as 16-bit pixels.
inline uint16_t* SdlRow(SDL_Surface* s, int y) {
  return reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch);
}

// The playfield of the 800 x 600 screen (x 180 to 620) as an SDL clip.
inline constexpr SDL_Rect SdlPlayfield{180, 0, 440, 600};

// An RGB565 surface of width x height.
inline SDL_Surface* SdlSurface565(int width, int height) {
  return SDL_CreateRGBSurfaceWithFormat(0, width, height, 16, SDL_PIXELFORMAT_RGB565);
}

// The same picture as an RGB565 SDL surface keyed on 0.
inline SDL_Surface* SdlPicture(int width, int height, const std::vector<uint16_t>& pixels) {
  SDL_Surface* s = SdlSurface565(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) SdlRow(s, y)[x] = pixels[static_cast<size_t>(y) * width + x];
  SDL_SetColorKey(s, SDL_TRUE, 0);
  return s;
}

// Keeps one time per case beside the usual console output, then prints SDL's
// time over ours for every pair (above 1: ours is faster).
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  enum class Time {
    FastestCpu,     // the "min" aggregate of the repetitions, in CPU time
                    // (the machine may be busy with other work)
    IterationReal,  // each run's time per iteration, in real time
  };
  explicit RatioReporter(Time time) : time_(time) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (time_ == Time::FastestCpu && run.run_type == Run::RT_Aggregate &&
          run.aggregate_name == "min")
        times_[run.run_name.function_name] = run.GetAdjustedCPUTime();
      if (time_ == Time::IterationReal && run.run_type == Run::RT_Iteration &&
          !run.error_occurred)
        times_[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void PrintRatios() const {
    std::printf("\nSDL time / our time%s (above 1: ours is faster)\n",
                time_ == Time::FastestCpu ? ", fastest repetitions" : "");
    for (const auto& [name, ours] : times_) {
      const auto slash = name.rfind("/ours");
      if (slash == std::string::npos) continue;
      const auto sdl = times_.find(name.substr(0, slash) + "/sdl");
      if (sdl == times_.end() || ours <= 0.0) continue;
      std::printf("  %-28s %6.2f\n", name.substr(0, slash).c_str(), sdl->second / ours);
    }
  }

 private:
  Time time_;
  std::map<std::string, double> times_;
};

// Runs the registered cases through a RatioReporter and prints the ratios
// after them; the program's exit code.
inline int RunWithRatios(int argc, char** argv, RatioReporter::Time time) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter(time);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench
