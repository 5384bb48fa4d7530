#include "os/stderr_divert.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
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

// ---- what a divert keeps ------------------------------------------------------

// How much of the end of what was written is kept too, for the words a
// library writes just before the process dies inside a divert.
constexpr size_t kEndKept = 4096;

}  // namespace

// The reading end of a divert's pipe, the thread that reads it, and what it
// has kept: the start of what was written, its end in a ring, and the
// counts.  Only the thread writes these until it is done; then they are
// read, by the divert's end or by the hooks of a dying process.
struct StderrKeeper {
  int read = -1;  // the pipe's reading end, non-blocking
  int wake = -1;  // an eventfd: no more comes, take what is left and stop
  pthread_t thread{};
  pid_t process = 0;  // the process the thread runs in
  // Taken from malloc, which leaves the pages untouched until written.
  std::unique_ptr<char, decltype(&std::free)> start{nullptr, &std::free};
  size_t start_most = 0;
  size_t start_size = 0;
  char end[kEndKept];
  uint64_t past_start = 0;  // bytes after the start; `end` holds the last of them
  uint64_t bytes = 0;
  uint64_t line_breaks = 0;
  char last = '\n';
  std::atomic<bool> done{false};
};

namespace {

void Keep(StderrKeeper& keeper, const char* data, size_t size) {
  keeper.bytes += size;
  keeper.last = data[size - 1];
  for (const char* at = data; (at = static_cast<const char*>(
                                   std::memchr(at, '\n', static_cast<size_t>(data + size - at))));
       ++at) {
    ++keeper.line_breaks;
  }
  const size_t to_start = std::min(size, keeper.start_most - keeper.start_size);
  std::memcpy(keeper.start.get() + keeper.start_size, data, to_start);
  keeper.start_size += to_start;
  data += to_start;
  size -= to_start;
  if (size > kEndKept) {
    keeper.past_start += size - kEndKept;
    data += size - kEndKept;
    size = kEndKept;
  }
  while (size > 0) {
    const size_t at = keeper.past_start % kEndKept;
    const size_t piece = std::min(size, kEndKept - at);
    std::memcpy(keeper.end + at, data, piece);
    keeper.past_start += piece;
    data += piece;
    size -= piece;
  }
}

// The thread of a divert: reads the pipe in bounded pieces as it fills, and
// once woken, what is left in it (a process that the program started may
// hold the pipe open after the divert: its words later are not waited for).
// While a library keeps writing, the thread lets its words gather for a
// moment between reads instead of waiting on the pipe, which every write
// would wake it from.
void* ReadPipe(void* argument) {
  StderrKeeper& keeper = *static_cast<StderrKeeper*>(argument);
  char buffer[16384];
  bool woken = false;
  bool flowing = false;
  for (;;) {
    const ssize_t n = ::read(keeper.read, buffer, sizeof buffer);
    if (n > 0) {
      Keep(keeper, buffer, static_cast<size_t>(n));
      flowing = true;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n == 0 || woken || errno != EAGAIN) break;
    if (flowing) {
      flowing = false;
      const timespec gather{0, 1000000};
      ::nanosleep(&gather, nullptr);
      continue;
    }
    pollfd ready[2] = {{keeper.read, POLLIN, 0}, {keeper.wake, POLLIN, 0}};
    if (::poll(ready, 2, -1) < 0 && errno != EINTR) break;
    woken = ready[1].revents != 0;
  }
  keeper.done.store(true, std::memory_order_release);
  return nullptr;
}

// Makes a keeper and starts its thread; gives the pipe's writing end.
std::unique_ptr<StderrKeeper> StartKeeper(size_t start_most, int* write_end) {
  auto keeper = std::make_unique<StderrKeeper>();
  int pipe_ends[2];
  if (::pipe2(pipe_ends, O_CLOEXEC) != 0) return nullptr;
  keeper->read = pipe_ends[0];
  *write_end = pipe_ends[1];
  ::fcntl(keeper->read, F_SETFL, O_NONBLOCK);
  keeper->wake = ::eventfd(0, EFD_CLOEXEC);
  keeper->start.reset(static_cast<char*>(std::malloc(start_most)));
  keeper->start_most = keeper->start ? start_most : 0;
  // The thread takes no signal meant for the process.
  sigset_t all;
  sigset_t before;
  sigfillset(&all);
  ::pthread_sigmask(SIG_SETMASK, &all, &before);
  keeper->process = ::getpid();
  const bool started = keeper->wake >= 0 && keeper->start &&
                       ::pthread_create(&keeper->thread, nullptr, &ReadPipe, keeper.get()) == 0;
  ::pthread_sigmask(SIG_SETMASK, &before, nullptr);
  if (started) return keeper;
  ::close(pipe_ends[0]);
  ::close(pipe_ends[1]);
  if (keeper->wake >= 0) ::close(keeper->wake);
  return nullptr;
}

// Tells the keeper's thread that nothing more comes.  Async-signal-safe.
void Wake(const StderrKeeper& keeper) {
  const uint64_t one = 1;
  [[maybe_unused]] const ssize_t n = ::write(keeper.wake, &one, sizeof one);
}

// Stops the keeper's thread and gives back what it kept.
Chatter StopKeeper(std::unique_ptr<StderrKeeper> keeper) {
  Wake(*keeper);
  ::pthread_join(keeper->thread, nullptr);
  ::close(keeper->read);
  ::close(keeper->wake);
  Chatter said;
  said.start.assign(keeper->start.get(), keeper->start_size);
  said.bytes = keeper->bytes;
  said.lines = keeper->line_breaks + (keeper->last != '\n' ? 1 : 0);
  return said;
}

// Writes `value` in decimal.  Async-signal-safe.
void WriteNumber(int fd, uint64_t value) {
  char digits[24];
  size_t at = sizeof digits;
  do {
    digits[--at] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0);
  WriteAll(fd, digits + at, sizeof digits - at);
}

// Writes what the keeper kept: the start, and where more was written than
// it keeps, one line saying how much is left out, then the end from its
// first whole line.  Async-signal-safe.
void WriteKept(int fd, const StderrKeeper& keeper) {
  WriteAll(fd, keeper.start.get(), keeper.start_size);
  if (keeper.past_start <= kEndKept) {
    WriteAll(fd, keeper.end, static_cast<size_t>(keeper.past_start));
    return;
  }
  // The ring from its oldest byte, in two pieces, from the first whole line
  // on where it holds a line break.
  const size_t oldest = keeper.past_start % kEndKept;
  const char* pieces[2] = {keeper.end + oldest, keeper.end};
  size_t sizes[2] = {kEndKept - oldest, oldest};
  uint64_t left_out = keeper.past_start - kEndKept;
  const bool broken = std::memchr(keeper.end, '\n', kEndKept) != nullptr;
  for (bool found = !broken; !found;) {
    const size_t i = sizes[0] > 0 ? 0 : 1;
    found = *pieces[i] == '\n';
    ++pieces[i];
    --sizes[i];
    ++left_out;
  }
  if (keeper.start_size > 0 && keeper.start.get()[keeper.start_size - 1] != '\n') WriteAll(fd, "\n", 1);
  const char* name = program_invocation_short_name;
  WriteAll(fd, name, std::strlen(name));
  WriteAll(fd, ": (", 3);
  WriteNumber(fd, left_out);
  static constexpr char kLeftOut[] = " more bytes written on stderr left out here)\n";
  WriteAll(fd, kLeftOut, sizeof kLeftOut - 1);
  WriteAll(fd, pieces[0], sizes[0]);
  WriteAll(fd, pieces[1], sizes[1]);
}

// ---- the diverts held ---------------------------------------------------------

// One chain of diverts at a time in the process: fd 2 is the whole process's,
// and two threads' diverts ending out of order would leave it on a pipe.  A
// thread may nest its own.  Held for the whole call into a library.
std::recursive_mutex g_divert_mutex;
// Held while fd 2 moves and while one of the program's lines is written, and
// never across a call into a library: a line written by one thread while
// another is inside a divert waits for no library.
std::mutex g_line_mutex;

// A divert held.  The hooks that run as the process dies read it without a
// lock, from a signal handler too.
struct Level {
  std::atomic<int> saved{-1};                   // what fd 2 was before
  std::atomic<StderrKeeper*> keeper{nullptr};  // what reads what fd 2 takes meanwhile
  int program = 2;                              // where the program's lines go meanwhile
  bool library_words = true;                    // Takes::LibraryWords
  bool report_moved = false;                    // the sanitizers report on `saved` meanwhile
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

// Waits up to two seconds for a keeper's thread to take what is left in its
// pipe (not in a child process that a library forked, where it does not
// run).  Async-signal-safe.
void AwaitKeeper(const StderrKeeper& keeper) {
  if (keeper.process != ::getpid()) return;
  Wake(keeper);
  const timespec pause{0, 1000000};
  for (int i = 0; i < 2000 && !keeper.done.load(std::memory_order_acquire); ++i) {
    ::nanosleep(&pause, nullptr);
  }
}

// Writes what every divert kept to the stderr it hid, innermost first, which
// leaves fd 2 as it was before the outermost one: what a library wrote just
// before the process ends is not lost.  The diverts are given up for good.
// Async-signal-safe.
void SpillKept() {
  for (int i = g_held.exchange(0) - 1; i >= 0; --i) {
    const int saved = g_levels[i].saved.load();
    const StderrKeeper* keeper = g_levels[i].keeper.load();
    if (saved < 0 || !keeper || ::dup2(saved, 2) < 0) continue;
    AwaitKeeper(*keeper);
    WriteKept(2, *keeper);
  }
}

// The signals a library dies of by itself: abort() and the faults.  (Not
// SIGTRAP nor SIGSYS, after which the program would go on past the
// instruction.)
constexpr int kDyingSignals[] = {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL};
struct sigaction g_before[std::size(kDyingSignals)];
bool g_hooked[std::size(kDyingSignals)];

// Spills what the diverts kept, then dies as before: the handler that was
// there when the divert began (a sanitizer's, a fuzzer's, the default)
// takes the signal, at once for a fault (its instruction runs again when
// this returns), sent anew for a signal that was sent (abort's).
void OnDyingSignal(int signal, siginfo_t* info, void*) {
  const int error = errno;
  SpillKept();
  for (size_t i = 0; i < std::size(kDyingSignals); ++i) {
    if (kDyingSignals[i] == signal) ::sigaction(signal, &g_before[i], nullptr);
  }
  if (info->si_code <= 0) ::raise(signal);
  errno = error;
}

// Set as the outermost divert begins, over the handlers set then; a signal
// ignored stays ignored.
void HookDyingSignals() {
  static bool at_exit = false;
  if (!at_exit) at_exit = std::atexit(&SpillKept) == 0;
  struct sigaction action {};
  action.sa_sigaction = &OnDyingSignal;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK;
  sigemptyset(&action.sa_mask);
  for (size_t i = 0; i < std::size(kDyingSignals); ++i) {
    g_hooked[i] = false;
    if (::sigaction(kDyingSignals[i], nullptr, &g_before[i]) != 0) continue;
    if (!(g_before[i].sa_flags & SA_SIGINFO) && g_before[i].sa_handler == SIG_IGN) continue;
    g_hooked[i] = ::sigaction(kDyingSignals[i], &action, nullptr) == 0;
  }
}

// As the outermost divert ends: the handlers that were there are set again,
// where nothing has set another since.
void UnhookDyingSignals() {
  for (size_t i = 0; i < std::size(kDyingSignals); ++i) {
    struct sigaction now {};
    if (!g_hooked[i] || ::sigaction(kDyingSignals[i], nullptr, &now) != 0) continue;
    if ((now.sa_flags & SA_SIGINFO) && now.sa_sigaction == &OnDyingSignal) {
      ::sigaction(kDyingSignals[i], &g_before[i], nullptr);
    }
    g_hooked[i] = false;
  }
}

}  // namespace

// ---- the divert ---------------------------------------------------------------

StderrDivert::StderrDivert(Takes takes) {
  g_divert_mutex.lock();
  std::fflush(stderr);
  const int held = g_held.load();
  int write_end = -1;
  if (held < kMostLevels) {
    keeper_ = StartKeeper(
        takes == Takes::LibraryWords ? kLibraryWordsKept : kEverythingKept, &write_end);
  }
  if (keeper_) {
    std::lock_guard<std::mutex> lock(g_line_mutex);
    saved_ = ::fcntl(2, F_DUPFD_CLOEXEC, 3);
    if (saved_ >= 0) {
      Level& level = g_levels[held];
      level.saved = saved_;
      level.keeper = keeper_.get();
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
      if (!outer) HookDyingSignals();
      g_held.store(held + 1);
      if (::dup2(write_end, 2) == 2) {
        ::close(write_end);  // fd 2 is the pipe's only writing end
        if (level.report_moved) ReportTo(saved_);
        level_ = held;
        return;
      }
      g_held.store(held);
      if (!outer) UnhookDyingSignals();
      ::close(saved_);
      saved_ = -1;
    }
  }
  if (write_end >= 0) ::close(write_end);
  if (keeper_) StopKeeper(std::move(keeper_));
  g_divert_mutex.unlock();
}

StderrDivert::~StderrDivert() { Finish(); }

const Chatter& StderrDivert::Finish() {
  if (level_ < 0) return said_;
  std::fflush(stderr);
  {
    std::lock_guard<std::mutex> lock(g_line_mutex);
    // Unless the process, ending, has given the diverts up already (its
    // stderr, and the sanitizers', then stay as they are).
    const Level& level = g_levels[level_];
    if (g_held.load() == level_ + 1 && level.keeper.load() == keeper_.get()) {
      ::dup2(saved_, 2);
      if (level.report_moved) ReportTo(2);
      g_held.store(level_);
      ::close(saved_);
    }
    if (level_ == 0) UnhookDyingSignals();
  }
  said_ = StopKeeper(std::move(keeper_));
  level_ = -1;
  saved_ = -1;
  g_divert_mutex.unlock();
  return said_;
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
