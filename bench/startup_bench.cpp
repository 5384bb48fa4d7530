// Start-up of the whole game on the headless backend, from the program's
// entry to the first presented title frame with every asset loaded.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "bench/bench_support.h"
#include "el/system/elSystem.h"
#include "os/headless/headless.h"
#include "os/path.h"
#include "os/system.h"
#include "shell/shell.h"

namespace {

void BM_StartUpToFirstTitleFrame(benchmark::State& state) {
  SingleInstanceLock = 0;  // runs beside the game and other benchmarks
  for (auto _ : state) {
    bench::StartHeadless();
    os::SetExeDir(bench::AssetDir() + "/");
    // Each pass is a fresh program: the library's once-only flags start clear.
    QuitRequested = 0;
    ErrorFlag = 0;
    if (StartUp(0, "", 1) != StartUpResult::Run) {
      state.SkipWithError("start-up refused");
      os::Stop();
      break;
    }
    while (os::headless::PresentCount() == 0 && RunLoopPass() != LoopPass::Quit) {
    }
    state.PauseTiming();
    if (!os::headless::Boxes().empty()) state.SkipWithError("an error box was shown");
    FinishWinMain();
    os::Stop();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartUpToFirstTitleFrame)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

BENCHMARK_MAIN();
