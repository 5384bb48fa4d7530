// The peak memory of a start whose font configuration makes fontconfig
// complain without end.  Each pass starts the whole game on the headless
// backend in a child process, up to its first title frame, and asks for the
// message boxes' face (fontconfig's first use), under the system's font
// configuration with a number of unknown elements added (Arg: 0, and 3
// million, for which fontconfig writes some 270 MB of complaints on
// stderr).  The "peak_MiB" counter is the child's peak resident memory; the
// flood's must stay within 100 MiB of the quiet start's (an error if not).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/headless_start.h"
#include "el/system/elSystem.h"
#include "os/headless/headless.h"
#include "os/path.h"
#include "os/sjis.h"
#include "os/text/fonts.h"
#include "shell/shell.h"

namespace {

// The system's configuration with `unknown` elements fontconfig does not
// know after it, in a file of its own.
std::string FontConfiguration(long unknown) {
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("vantris-font-flood-" + std::to_string(::getpid()) + "-" +
                             std::to_string(unknown) + ".conf"))
                               .string();
  std::ofstream file(path);
  file << "<?xml version=\"1.0\"?>\n<fontconfig>\n"
          "<include ignore_missing=\"yes\">/etc/fonts/fonts.conf</include>\n";
  for (long i = 0; i < unknown; ++i) file << "<unknown/>\n";
  file << "</fontconfig>\n";
  return path;
}

// The start in the child process; ends it with 0 when the title showed.
[[noreturn]] void StartAndEnd(const std::string& configuration) {
  ::setenv("FONTCONFIG_FILE", configuration.c_str(), 1);
  SingleInstanceLock = 0;  // runs beside the game and other benchmarks
  bench::StartHeadless();
  os::SetExeDir(bench::AssetDir() + "/");
  if (StartUp(0, "", 1) != StartUpResult::Run) ::_exit(2);
  while (os::headless::PresentCount() == 0 && RunLoopPass() != LoopPass::Quit) {
  }
  const bool shown = os::headless::PresentCount() > 0;
  os::ResolveFontFace(os::Utf8ToSjis("標準ゴシック"), 400, false, os::CharsetShiftJis);
  ::_exit(shown ? 0 : 3);
}

void BM_StartPeakMemory(benchmark::State& state) {
  const std::string configuration = FontConfiguration(state.range(0));
  long peak_kib = 0;
  for (auto _ : state) {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) StartAndEnd(configuration);
    int status = 0;
    rusage usage{};
    if (child < 0 || ::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
      state.SkipWithError("the start failed");
      break;
    }
    peak_kib = std::max(peak_kib, usage.ru_maxrss);
  }
  std::filesystem::remove(configuration);
  const double peak = static_cast<double>(peak_kib) / 1024;
  state.counters["peak_MiB"] = peak;
  static double quiet = 0;  // the quiet start's, measured first
  if (state.range(0) == 0) {
    quiet = peak;
  } else if (quiet > 0 && peak > quiet + 100) {
    state.SkipWithError("more than 100 MiB over the quiet start's peak");
  }
}
BENCHMARK(BM_StartPeakMemory)
    ->Arg(0)
    ->Arg(3000000)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
