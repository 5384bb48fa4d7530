// What every frame of the whole route costs: the played route (title, mode
// screen, stages 1, 2, 4, 5 and 7, the ending, the title) at levels 1 and 3
// at the game's own 60 frames a second, each played `--runs` times; every
// frame's cost is its cheapest run (the routes repeat frame for frame, so
// the minimum drops what other work on the machine added).  Reported: the
// mean, median, p99 and largest frame cost, each scene's frames, mean and
// heaviest frame, the heaviest frames of all, and the heap allocations per
// frame (a counting operator new in this program).
//
//   route_bench [--runs N] [--levels 1,3] [--profile FRAME]
//   route_bench --digests FILE
//
// --profile FRAME: under `valgrind --tool=callgrind --collect-atstart=no`,
// only that frame of the route is collected.
//
// --digests plays the played route and stages 3, 6 and 8 entered directly,
// at levels 1 and 3, at 60 frames a second and at the route tests' 0.1 s
// frames, and writes one line per presented frame (route, level, pace,
// frame, scene, digest of the presented pixels): two trees draw the same
// pixels when their files are equal.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "bench/allocation_count.h"
#include "bench/route_play.h"

namespace {

struct FrameCost {
  int32_t scene = 0;
  bool entered = false;
  int64_t ns = 0;          // the cheapest run's cost
  uint64_t allocations = 0;  // heap blocks the frame took (first run)
};

double Micros(int64_t ns) { return static_cast<double>(ns) / 1000.0; }

void Report(int level, const std::vector<FrameCost>& frames) {
  std::vector<int64_t> sorted;
  int64_t total = 0;
  for (const FrameCost& f : frames) {
    sorted.push_back(f.ns);
    total += f.ns;
  }
  std::sort(sorted.begin(), sorted.end());
  const size_t n = sorted.size();
  auto at = [&](double q) { return Micros(sorted[std::min(n - 1, static_cast<size_t>(q * n))]); };
  std::printf("\nlevel %d: %zu frames  mean %.1f us  median %.1f us  p99 %.1f us  p99.9 %.1f us"
              "  max %.1f us\n",
              level, n, Micros(total) / static_cast<double>(n), at(0.5), at(0.99), at(0.999),
              Micros(sorted.back()));

  struct SceneStats {
    int frames = 0, play_frames = 0;
    int64_t total = 0, worst = 0;
    int worst_index = 0;
    uint64_t allocations = 0;
    int allocating_frames = 0;
  };
  std::map<int32_t, SceneStats> scenes;
  std::vector<int32_t> order;
  uint64_t play_allocations = 0;
  int play_frames = 0, allocating = 0;
  for (size_t i = 0; i < frames.size(); ++i) {
    const FrameCost& f = frames[i];
    if (!scenes.contains(f.scene)) order.push_back(f.scene);
    SceneStats& s = scenes[f.scene];
    ++s.frames;
    s.total += f.ns;
    if (f.ns > s.worst) {
      s.worst = f.ns;
      s.worst_index = static_cast<int>(i);
    }
    // A scene's entry frames load and set up; play is every frame after
    // the first two of a stay.
    const bool in_play = !f.entered && i >= 2 && frames[i - 1].scene == f.scene &&
                         !frames[i - 1].entered && frames[i - 2].scene == f.scene;
    if (in_play) {
      ++play_frames;
      play_allocations += f.allocations;
      allocating += f.allocations != 0;
      ++s.play_frames;
      s.allocations += f.allocations;
      s.allocating_frames += f.allocations != 0;
    }
  }
  // allocs/frame: over the scene's frames in play, as in the line below it.
  std::printf("  %-12s %7s %10s %10s %8s %12s\n", "scene", "frames", "mean us", "max us",
              "at", "allocs/frame");
  for (int32_t scene : order) {
    const SceneStats& s = scenes[scene];
    std::printf("  %-12s %7d %10.1f %10.1f %8d %12.2f\n", SceneName(scene), s.frames,
                Micros(s.total) / s.frames, Micros(s.worst), s.worst_index,
                s.play_frames ? static_cast<double>(s.allocations) / s.play_frames : 0.0);
  }
  std::printf("  in play (past each scene's first two frames): %.2f heap allocations a frame, "
              "%d of %d frames allocate\n",
              play_frames ? static_cast<double>(play_allocations) / play_frames : 0.0, allocating,
              play_frames);

  std::vector<size_t> heaviest(frames.size());
  for (size_t i = 0; i < heaviest.size(); ++i) heaviest[i] = i;
  const size_t shown = std::min<size_t>(12, heaviest.size());
  std::partial_sort(heaviest.begin(), heaviest.begin() + static_cast<ptrdiff_t>(shown),
                    heaviest.end(),
                    [&](size_t a, size_t b) { return frames[a].ns > frames[b].ns; });
  std::printf("  heaviest frames:");
  for (size_t k = 0; k < shown; ++k) {
    const FrameCost& f = frames[heaviest[k]];
    std::printf("%s %zu (%s%s) %.1f us", k ? "," : "", heaviest[k], SceneName(f.scene),
                f.entered ? ", entry" : "", Micros(f.ns));
  }
  std::printf("\n");
}

int Time(int runs, const std::vector<int>& levels, int profiled) {
  for (int level : levels) {
    std::vector<FrameCost> frames;
    frames.reserve(1 << 17);  // (its growth would count as the frames' allocations)
    for (int run = 0; run < runs; ++run) {
      uint64_t allocations_before = bench::ThreadAllocations;
      bool consistent = true;
      const bool ok = bench::PlayRoute(
          bench::kPlayedRoute, level, 0, [&](const bench::RouteFrame& f) {
            const uint64_t now = bench::ThreadAllocations;
            const uint64_t allocations = now - allocations_before;
            allocations_before = now;
            const auto i = static_cast<size_t>(f.index);
            if (run == 0) {
              frames.push_back(FrameCost{f.scene, f.entered, f.cost.count(), allocations});
            } else if (i >= frames.size() || frames[i].scene != f.scene) {
              consistent = false;
            } else {
              frames[i].ns = std::min<int64_t>(frames[i].ns, f.cost.count());
            }
          },
          profiled);
      if (!ok || !consistent) {
        std::fprintf(stderr, "route_bench: the route at level %d did not play through%s\n",
                     level, consistent ? "" : " the same way twice");
        return 1;
      }
    }
    Report(level, frames);
  }
  return 0;
}

int Digests(const char* path) {
  std::FILE* out = std::fopen(path, "w");
  if (out == nullptr) {
    std::fprintf(stderr, "route_bench: cannot write %s\n", path);
    return 1;
  }
  std::vector<bench::Route> routes{bench::kPlayedRoute};
  routes.insert(routes.end(), std::begin(bench::kEnteredRoutes), std::end(bench::kEnteredRoutes));
  int failed = 0;
  size_t lines = 0;
  for (const bench::Route& route : routes) {
    for (int level : {1, 3}) {
      for (uint32_t frame_ms : {0u, 100u}) {
        int presents = 0;
        const bool ok = bench::PlayRoute(route, level, frame_ms, [&](const bench::RouteFrame& f) {
          if (os::headless::PresentCount() == presents) return;
          presents = os::headless::PresentCount();
          std::fprintf(out, "%s %d %s %d %d %016llx\n", route.name, level,
                       frame_ms ? "10fps" : "60fps", f.index, f.scene,
                       static_cast<unsigned long long>(
                           bench::FrameDigest(os::headless::LastPresented())));
          ++lines;
        });
        if (!ok) {
          std::fprintf(stderr, "route_bench: %s at level %d did not play through\n", route.name,
                       level);
          ++failed;
        }
      }
    }
  }
  std::fclose(out);
  std::printf("%zu frame digests written to %s\n", lines, path);
  return failed == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 3;
  int profiled = -1;
  std::vector<int> levels{1, 3};
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--digests" && i + 1 < argc) return Digests(argv[++i]);
    if (arg == "--runs" && i + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--profile" && i + 1 < argc) {
      profiled = std::atoi(argv[++i]);
    } else if (arg == "--levels" && i + 1 < argc) {
      levels.clear();
      for (const char* p = argv[++i]; *p; ++p)
        if (*p == '1' || *p == '3') levels.push_back(*p - '0');
    } else {
      std::fprintf(stderr, "usage: route_bench [--runs N] [--levels 1,3] [--profile FRAME] | "
                           "--digests FILE\n");
      return 2;
    }
  }
  return Time(runs, levels, profiled);
}
