#include "os/stderr_divert.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <mutex>

#include "os/system.h"

// The sanitizers' report stream; absent (null) in a build without them.
extern "C" void __sanitizer_set_report_fd(void* fd) __attribute__((weak));

namespace os {
namespace {

// ---- the standard descriptors -------------------------------------------------

// Runs before the program's own static objects are made, so before anything
// of the program opens a file.  A standard descriptor that the program was
// started without (`2>&-`) gets /dev/null: otherwise the first file opened
// (the lock, a scratch file) would take its number, and what the program
// says on stderr would be written into that file.  And a stderr (or stdout)
// whose reader has gone (`2>&1 | true`) must not end the program at its
// first line: the write fails, and the program goes on.
__attribute__((constructor(101))) void KeepStandardDescriptors() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // The lowest number free, this one (those below it are open by now).
    const int null = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    if (null > fd) {
      ::dup2(null, fd);
      ::close(null);
    }
  }
  ::signal(SIGPIPE, SIG_IGN);
}

// Writes all of `size` bytes unless the descriptor fails.  Async-signal-safe.
void WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    data += n;
    size -= static_cast<size_t>(n);
  }
}

// Hands `take` the whole of a scratch file, a piece at a time, without
// moving its offset.  Async-signal-safe where `take` is.
template <typename Take>
void ReadScratch(int fd, Take&& take) {
  char buffer[512];
  for (off_t at = 0;;) {
    const ssize_t n = ::pread(fd, buffer, sizeof buffer, at);
    if (n <= 0) return;
    take(buffer, static_cast<size_t>(n));
    at += n;
  }
}

// ---- the diverts held ---------------------------------------------------------

// One chain of diverts at a time in the process: fd 2 is the whole process's,
// and two threads' diverts ending out of order would leave it on a scratch
// file.  A thread may nest its own.  Held for the whole call into a library.
std::recursive_mutex g_divert_mutex;
// Held while fd 2 moves and while one of the program's lines is written, and
// never across a call into a library: a line written by one thread while
// another is inside a divert waits for no library.
std::mutex g_line_mutex;

// A divert held.  The hooks that run as the process dies read the
// descriptors without a lock, from a signal handler too.
struct Level {
  std::atomic<int> saved{-1};    // what fd 2 was before
  std::atomic<int> scratch{-1};  // where fd 2 points meanwhile
  int program = 2;               // where the program's lines go meanwhile
  bool library_words = true;     // Takes::LibraryWords
  bool report_moved = false;     // the sanitizers report on `saved` meanwhile
};
constexpr int kMostLevels = 8;
Level g_levels[kMostLevels];
std::atomic<int> g_held{0};  // levels in use, outermost first

void ReportTo(int fd) {
  if (__sanitizer_set_report_fd) __sanitizer_set_report_fd(reinterpret_cast<void*>(intptr_t{fd}));
}

// Whether the sanitizers report on fd 2, where a divert would hide their
// report: they do unless an options variable gives them a log file (or an
// options file that might), and there they are left alone.
// (__sanitizer_get_report_path would tell, but creates the log file too.)
bool SanitizersReportOnStderr() {
  static const bool on_stderr = [] {
    if (!__sanitizer_set_report_fd) return false;
    for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
      const char* value = std::getenv(name);
      if (value && (std::strstr(value, "log_path") || std::strstr(value, "include"))) return false;
    }
    return true;
  }();
  return on_stderr;
}

// Where the program's lines go now; under g_line_mutex, or from a signal
// handler that ends the process (a level's `program` is set before it is
// counted in g_held).
int ProgramStderr() {
  const int held = g_held.load();
  return held > 0 ? g_levels[held - 1].program : 2;
}

// ---- the process dying inside a divert --------------------------------------

// Copies every divert's scratch text to the stderr it hid, innermost first,
// which leaves fd 2 as it was before the outermost one: what a library wrote
// just before the process ends is not lost.  The diverts are given up for
// good.  Async-signal-safe.
void SpillScratch() {
  for (int i = g_held.exchange(0) - 1; i >= 0; --i) {
    const int saved = g_levels[i].saved.load();
    const int scratch = g_levels[i].scratch.load();
    if (saved < 0 || scratch < 0 || ::dup2(saved, 2) < 0) continue;
    ReadScratch(scratch, [](const char* data, size_t size) { WriteAll(2, data, size); });
  }
}

// The signals a library dies of by itself: abort() and the faults.  (Not
// SIGTRAP nor SIGSYS, after which the program would go on past the
// instruction.)
constexpr int kDyingSignals[] = {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL};
struct sigaction g_before[std::size(kDyingSignals)];

// Spills the scratch text, then dies as before: the handler that was there
// (the sanitizers' own, or the default) takes the signal, at once for a fault
// (its instruction runs again when this returns), sent anew for a signal that
// was sent (abort's).
void OnDyingSignal(int signal, siginfo_t* info, void*) {
  const int error = errno;
  SpillScratch();
  for (size_t i = 0; i < std::size(kDyingSignals); ++i) {
    if (kDyingSignals[i] == signal) ::sigaction(signal, &g_before[i], nullptr);
  }
  if (info->si_code <= 0) ::raise(signal);
  errno = error;
}

// Once, at the first divert (after the sanitizers have set their handlers,
// which come after this one).  A signal ignored stays ignored.
void InstallDyingHooks() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  std::atexit(&SpillScratch);
  struct sigaction action {};
  action.sa_sigaction = &OnDyingSignal;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK;
  sigemptyset(&action.sa_mask);
  for (size_t i = 0; i < std::size(kDyingSignals); ++i) {
    if (::sigaction(kDyingSignals[i], nullptr, &g_before[i]) != 0) continue;
    if (!(g_before[i].sa_flags & SA_SIGINFO) && g_before[i].sa_handler == SIG_IGN) continue;
    ::sigaction(kDyingSignals[i], &action, nullptr);
  }
}

}  // namespace

// ---- the divert ---------------------------------------------------------------

StderrDivert::StderrDivert(Takes takes) {
  g_divert_mutex.lock();
  InstallDyingHooks();
  std::fflush(stderr);
  std::lock_guard<std::mutex> lock(g_line_mutex);
  const int held = g_held.load();
  file_ = held < kMostLevels ? ::memfd_create("vantris-stderr", MFD_CLOEXEC) : -1;
  saved_ = file_ < 0 ? -1 : ::fcntl(2, F_DUPFD_CLOEXEC, 3);
  if (saved_ >= 0) {
    Level& level = g_levels[held];
    level.saved = saved_;
    level.scratch = file_;
    level.library_words = takes == Takes::LibraryWords;
    const Level* outer = held > 0 ? &g_levels[held - 1] : nullptr;
    // The program's lines go into a test's capture, and past every divert
    // of the libraries' words, to the stderr before the first of them.
    level.program = 2;
    if (level.library_words) {
      level.program = outer && outer->library_words ? outer->program : saved_;
    }
    level.report_moved = !outer && SanitizersReportOnStderr();
    // Known to the hooks before fd 2 moves.
    g_held.store(held + 1);
    if (::dup2(file_, 2) == 2) {
      if (level.report_moved) ReportTo(saved_);
      level_ = held;
      return;
    }
    g_held.store(held);
  }
  if (saved_ >= 0) ::close(saved_);
  if (file_ >= 0) ::close(file_);
  saved_ = file_ = -1;
  g_divert_mutex.unlock();
}

StderrDivert::~StderrDivert() { Finish(); }

const std::string& StderrDivert::Finish() {
  if (level_ < 0) return text_;
  std::fflush(stderr);
  {
    std::lock_guard<std::mutex> lock(g_line_mutex);
    // Unless the process, ending, has given the diverts up already (its
    // stderr, and the sanitizers', then stay as they are).
    const Level& level = g_levels[level_];
    if (g_held.load() == level_ + 1 && level.scratch.load() == file_) {
      ::dup2(saved_, 2);
      if (level.report_moved) ReportTo(2);
      g_held.store(level_);
      ::close(saved_);
    }
  }
  ReadScratch(file_, [this](const char* data, size_t size) { text_.append(data, size); });
  ::close(file_);
  level_ = -1;
  saved_ = file_ = -1;
  g_divert_mutex.unlock();
  return text_;
}

// ---- the program's own lines --------------------------------------------------

void SayText(std::string_view text) {
  std::lock_guard<std::mutex> lock(g_line_mutex);
  WriteAll(ProgramStderr(), text.data(), text.size());
}

bool StderrIsTerminal() {
  std::lock_guard<std::mutex> lock(g_line_mutex);
  return ::isatty(ProgramStderr()) == 1;
}

void SayAtOnce(const char* text, size_t size) { WriteAll(ProgramStderr(), text, size); }

void SayLine(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int size = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string line(size > 0 ? static_cast<size_t>(size) : 0, '\0');
  if (size > 0) std::vsnprintf(line.data(), line.size() + 1, format, again);
  va_end(again);
  if (line.empty() || line.back() != '\n') line += '\n';
  SayText(line);
}

}  // namespace os
