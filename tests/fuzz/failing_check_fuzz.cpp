// A fuzz target whose check fails on purpose, for the test that a target's
// failure gives libFuzzer's report and keeps its input (failing_check.sh).
// It starts as the file readers' targets do, with a call into a library on
// the way, and fails on every input as VANTRIS_FUZZ_FAILING_CHECK says:
// "trap", "abort", "segv", "bus" or "fpe", after "divert:" inside a call
// into a library.  Unset, it writes its input and checks the file holds it.
#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "os/stderr_divert.h"
#include "tests/fuzz/fuzz_files.h"

namespace {

std::string g_dir;
std::string g_failure;

__attribute__((no_sanitize("undefined"))) int Divide(int a, int b) { return a / b; }

void Fail(const std::string& how) {
  if (how == "trap") __builtin_trap();
  if (how == "abort") std::abort();
  if (how == "segv") *static_cast<volatile int*>(nullptr) = 1;
  if (how == "bus") {
    // A page of a file past its end.
    const std::string path = g_dir + "empty";
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    void* page = ::mmap(nullptr, 4096, PROT_READ, MAP_SHARED, fd, 0);
    if (page != MAP_FAILED) std::printf("%d\n", *static_cast<volatile int*>(page));
  }
  if (how == "fpe") {
    volatile int zero = 0;
    std::printf("%d\n", Divide(1, zero));
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_dir = fuzz::StartMachine("failing_check_fuzz_files");
  os::WithoutLibraryChatter([] { std::fputs("a library's words at start\n", stderr); });
  const char* failure = std::getenv("VANTRIS_FUZZ_FAILING_CHECK");
  g_failure = failure ? failure : "";
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (g_failure.starts_with("divert:")) {
    os::WithoutLibraryChatter([&] {
      std::fputs("a library's words before it fails\n", stderr);
      Fail(g_failure.substr(7));
    });
  } else if (!g_failure.empty()) {
    Fail(g_failure);
  }
  const std::string path = g_dir + "INPUT";
  fuzz::WriteInput(path, data, size);
  std::error_code ec;
  if (std::filesystem::file_size(path, ec) != size || ec) __builtin_trap();
  return 0;
}
