// SIGTERM and SIGINT, the two signals that ask the program to end.  While
// something can take them (the message loop, a box), the first one becomes
// the window's close and the program ends in order; any other time it ends
// the process at once.  Everything the handlers touch is a lock-free atomic,
// and they call only async-signal-safe functions.
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "os/backend.h"
#include "os/stderr_divert.h"

namespace os {
namespace {

enum Stage : int { kStarting, kLooping, kEnding };
std::atomic<int> g_stage{kStarting};
std::atomic<int> g_boxes_up{0};
// The signal taken (0 none yet) and whether it still waits to be turned into
// the close.
std::atomic<int> g_taken{0};
std::atomic<bool> g_due{false};
std::atomic<unsigned> g_grace_seconds{5};
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free);

const char* SignalName(int signal) {
  switch (signal) {
    case SIGTERM: return "SIGTERM";
    case SIGINT: return "SIGINT";
    default: return "a signal";
  }
}

// Appends `text` to the line being built in `line` (at most `size` bytes).
void Append(char* line, size_t size, size_t* used, const char* text) {
  for (; *text && *used + 1 < size; ++text) line[(*used)++] = *text;
}

void AppendNumber(char* line, size_t size, size_t* used, unsigned value) {
  char digits[12];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0 && n < 11);
  char text[12];
  for (int i = 0; i < n; ++i) text[i] = digits[n - 1 - i];
  text[n] = '\0';
  Append(line, size, used, text);
}

// Says `vantris: ended by <signal><why>`, then takes the signal's default
// action: the process ends as killed by it.
[[noreturn]] void EndAtOnce(int signal, const char* why, unsigned seconds = 0) {
  char line[160];
  size_t used = 0;
  Append(line, sizeof line, &used, "vantris: ended by ");
  Append(line, sizeof line, &used, SignalName(signal));
  Append(line, sizeof line, &used, why);
  if (seconds != 0) {
    AppendNumber(line, sizeof line, &used, seconds);
    Append(line, sizeof line, &used, " s");
  }
  line[used++] = '\n';
  SayAtOnce(line, used);
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  ::sigaction(signal, &action, nullptr);
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, signal);
  ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
  ::raise(signal);
  ::_exit(128 + signal);  // (not reached: the default action ends the process)
}

// The signal taken has not ended the program in time: it is stuck somewhere.
void OnGraceOver(int) {
  const int signal = g_taken.load();
  if (signal != 0) EndAtOnce(signal, ": the game had not ended after ", g_grace_seconds.load());
}

// The loop has the signal taken: it ends the program within the grace time,
// or the alarm does.
void ArmGrace() {
  struct sigaction action {};
  action.sa_handler = &OnGraceOver;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGALRM, &action, nullptr);
  ::alarm(g_grace_seconds.load());
}

void OnEndSignal(int signal) {
  const int error = errno;
  const bool takes = g_stage.load() == kLooping || g_boxes_up.load() > 0;
  int none = 0;
  if (takes && g_taken.compare_exchange_strong(none, signal)) {
    g_due.store(true);
    // One taken by a box while starting: the rest of the start-up runs
    // first, and the grace time begins with the loop.
    if (g_stage.load() == kLooping) ArmGrace();
    errno = error;
    return;
  }
  if (g_taken.load() != 0) EndAtOnce(signal, ", the second signal to end it");
  EndAtOnce(signal, g_stage.load() == kEnding ? " while ending" : " while starting");
}

}  // namespace

void CatchEndSignals(unsigned grace_seconds) {
  g_grace_seconds.store(grace_seconds > 0 ? grace_seconds : 1);
  struct sigaction action {};
  action.sa_handler = &OnEndSignal;
  // Each handler blocks the other signal: a second one waits for the first
  // to be noted.
  sigemptyset(&action.sa_mask);
  sigaddset(&action.sa_mask, SIGTERM);
  sigaddset(&action.sa_mask, SIGINT);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGINT}) {
    // A signal the program was started with ignored (nohup, a background
    // job's SIGINT) stays ignored.
    struct sigaction before {};
    if (::sigaction(signal, nullptr, &before) == 0 && !(before.sa_flags & SA_SIGINFO) &&
        before.sa_handler == SIG_IGN)
      continue;
    ::sigaction(signal, &action, nullptr);
  }
}

void LoopTakesEndSignals(bool takes) {
  if (takes) {
    g_stage.store(kLooping);
    if (g_taken.load() != 0) ArmGrace();
  } else if (g_stage.load() == kLooping) {
    g_stage.store(kEnding);
  }
}

bool EndSignalDue() { return g_due.load(); }

bool TakeDueEndSignal() { return g_due.exchange(false); }

BoxTakesEndSignals::BoxTakesEndSignals() { g_boxes_up.fetch_add(1); }
BoxTakesEndSignals::~BoxTakesEndSignals() { g_boxes_up.fetch_sub(1); }

}  // namespace os
