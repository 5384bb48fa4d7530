// The parts of the os layer that are the same on every backend: start-up,
// clocks, random numbers, the message queue, key states, cursor bookkeeping,
// message boxes, the single-instance lock and the system queries.
#include "os/system.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysinfo.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>
#include <string_view>
#include <vector>

#include "os/audio/audio.h"
#include "os/backend.h"
#include "os/path.h"

namespace os {
namespace {

std::unique_ptr<BackendImpl> g_backend;
StartOptions g_options;

// The process clock, counted from its first read (which static initialisers
// make happen before main).
uint64_t ProcessMicros() {
  using Clock = std::chrono::steady_clock;
  static const Clock::time_point start = Clock::now();
  return static_cast<uint64_t>(
      std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start)
          .count());
}

uint64_t NowMicros() {
  return g_backend ? g_backend->NowMicros() : ProcessMicros();
}

uint32_t g_random_state = 1;

// ---- message queue and window ----
// The message queue: a ring over slots that only grow in number.  Input
// arrives every frame, and a deque would take and give back a block of
// memory every few dozen messages.
class MessageRing {
 public:
  bool empty() const { return count_ == 0; }
  size_t size() const { return count_; }
  void clear() { head_ = count_ = 0; }
  const Message& front() const { return slots_[head_]; }
  void pop_front() {
    head_ = (head_ + 1) % slots_.size();
    --count_;
  }
  void push_back(const Message& message) {
    if (count_ == slots_.size()) Grow();
    slots_[(head_ + count_) % slots_.size()] = message;
    ++count_;
  }

 private:
  void Grow() {
    std::vector<Message> more(std::max<size_t>(64, slots_.size() * 2));
    for (size_t i = 0; i < count_; ++i) more[i] = slots_[(head_ + i) % slots_.size()];
    slots_.swap(more);
    head_ = 0;
  }
  std::vector<Message> slots_;
  size_t head_ = 0, count_ = 0;
};

std::mutex g_queue_mutex;
MessageRing g_queue;
std::vector<PumpHook> g_pump_hooks;

struct WindowState {
  Window handle = 0;
  std::string class_name, caption;
  WindowProc proc = nullptr;
  bool fullscreen = false;
  bool shown = false;
  int width = 0, height = 0;
};
WindowState g_window;
uint32_t g_next_window = 1;
// The window of another process that FindWindow found last, as the backend
// names it.
struct OtherWindow {
  Window handle = 0;
  uint64_t native = 0;
};
OtherWindow g_other_window;
// The process holding a lock this process was refused (0 unknown).
long g_lock_holder = 0;

std::array<bool, KeyCount> g_keys{};
bool g_text_input = true;
int g_cursor_count = 0;
bool g_cursor_none = false;  // the window's cursor taken away (no shape)
bool g_cursor_clipped = false;
Rect g_cursor_clip;
bool g_in_front = false;  // the shown window has the focus
bool g_saver_let_through = false;  // the default handling of the screen saver's request ran
bool g_said_no_box = false;  // the failure to show a box was said
bool g_boxes_ended = false;  // the end was asked for in a box: no more boxes
int g_cursor_x = 0, g_cursor_y = 0;

void RunPumpHooks() {
  CallEachOfCopy(g_pump_hooks, [](PumpHook hook) { hook(); });
}

void ApplyCursor() {
  if (g_backend) g_backend->SetCursorShown(CursorShownOverWindow());
}

// The clip as the window system is to hold it: only while the window is in
// front.
void ApplyCursorClip() {
  if (!g_backend) return;
  g_backend->ApplyCursorClip(g_cursor_clipped && g_in_front ? &g_cursor_clip : nullptr);
}

// Asks the window, as the system asks the one in front when the screen saver
// is due, whether it may start: no, unless the procedure leaves the request
// to DefaultWindowProc.
bool WindowRefusesScreenSaver() {
  if (!g_window.handle) return false;
  g_saver_let_through = false;
  SendMessage(g_window.handle, MsgSysCommand, SysCommandScreenSave, 0);
  return !g_saver_let_through;
}

void WaitForEvents(uint64_t micros) {
  RunPumpHooks();
  if (QueuedMessageCount() > 0 || EndSignalDue() || !g_backend) return;
  g_backend->WaitEvents(micros);
}

}  // namespace

BackendImpl* CurrentBackend() { return g_backend.get(); }

// ---- start-up -------------------------------------------------------------

bool Start(const StartOptions& options) {
  if (g_backend) Stop();
  std::unique_ptr<BackendImpl> backend = options.backend == Backend::Sdl
                                             ? MakeSdlBackend(options)
                                             : MakeHeadlessBackend(options);
  if (!backend) return false;
  g_backend = std::move(backend);
  g_options = options;
  {
    std::lock_guard<std::mutex> lock(g_queue_mutex);
    g_queue.clear();
  }
  g_keys.fill(false);
  g_window = WindowState{};
  g_text_input = true;
  g_cursor_count = 0;
  g_cursor_none = false;
  g_cursor_clipped = false;
  g_in_front = false;
  g_other_window = OtherWindow{};
  g_lock_holder = 0;
  g_said_no_box = false;
  g_boxes_ended = false;
  return true;
}

void Stop() {
  if (!g_backend) return;
  if (g_window.handle) g_backend->CloseWindow();
  g_window = WindowState{};
  g_backend.reset();
  std::lock_guard<std::mutex> lock(g_queue_mutex);
  g_queue.clear();
}

bool Started() { return g_backend != nullptr; }
Backend ActiveBackend() { return g_options.backend; }
const StartOptions& ActiveOptions() { return g_options; }

ParsedArgs ParseCommandLine(int argc, char** argv, StartOptions* options, std::string* bad) {
  StartOptions result;
  result.backend = Backend::Sdl;
  if (const char* env = std::getenv("VANTRIS_BACKEND")) {
    if (std::strcmp(env, "headless") == 0) result.backend = Backend::Headless;
    if (std::strcmp(env, "sdl") == 0) result.backend = Backend::Sdl;
  }
  ParsedArgs parsed = ParsedArgs::Run;
  bool sdl = false, headless = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--headless") {
      result.backend = Backend::Headless;
      headless = true;
    } else if (arg == "--sdl") {
      result.backend = Backend::Sdl;
      sdl = true;
    } else if (arg == "--windowed") {
      result.windowed = true;
    } else if (arg == "--help" || arg == "-h") {
      if (parsed == ParsedArgs::Run) parsed = ParsedArgs::Help;
    } else if (parsed != ParsedArgs::Unknown) {
      parsed = ParsedArgs::Unknown;
      if (bad) *bad = arg;
    }
  }
  // Two backends, or a window for the backend that has none.
  if (parsed != ParsedArgs::Unknown && headless && (sdl || result.windowed)) {
    parsed = ParsedArgs::Contradictory;
    if (bad) *bad = sdl ? "--headless and --sdl" : "--headless and --windowed";
  }
  if (options) *options = result;
  return parsed;
}

StartOptions OptionsFromCommandLine(int argc, char** argv) {
  StartOptions options;
  ParseCommandLine(argc, argv, &options);
  return options;
}

// ---- clocks ---------------------------------------------------------------

uint32_t TimeMs() { return static_cast<uint32_t>(NowMicros() / 1000); }
uint32_t TickCountMs() { return TimeMs(); }

bool TimerMinPeriod(uint32_t* period_ms) {
  uint32_t period = 1;
  if (g_backend && !g_backend->TimerCaps(&period)) return false;
  if (period_ms) *period_ms = period;
  return true;
}
void TimerBeginPeriod(uint32_t) {}
void TimerEndPeriod(uint32_t) {}

bool PerfFrequency(int64_t* ticks_per_second) {
  if (g_backend && !g_backend->HasPerfCounter()) return false;
  if (ticks_per_second) *ticks_per_second = 1000000;
  return true;
}

bool PerfCounter(int64_t* now) {
  if (g_backend && !g_backend->HasPerfCounter()) return false;
  if (now) *now = static_cast<int64_t>(NowMicros());
  return true;
}

void SleepMs(uint32_t ms) {
  if (g_backend) {
    g_backend->SleepMicros(uint64_t{ms} * 1000);
  } else {
    usleep(static_cast<useconds_t>(ms) * 1000);
  }
}

int64_t CalendarTime() {
  int64_t seconds = 0;
  if (g_backend && g_backend->CalendarSeconds(&seconds)) return seconds;
  return static_cast<int64_t>(std::time(nullptr));
}

// ---- random numbers ---------------------------------------------------------

void SeedRandom(uint32_t seed) { g_random_state = seed; }

int Random() {
  g_random_state = g_random_state * 214013u + 2531011u;
  return static_cast<int>((g_random_state >> 16) & 0x7FFF);
}

// ---- window and messages ----------------------------------------------------

Window CreateMainWindow(const char* class_name, const char* caption,
                        bool fullscreen, int width, int height,
                        WindowProc proc) {
  if (!g_backend || g_window.handle) return 0;
  if (!g_backend->OpenWindow(class_name, caption, fullscreen, width, height)) return 0;
  g_window.handle = g_next_window++;
  g_window.class_name = class_name ? class_name : "";
  g_window.caption = caption ? caption : "";
  g_window.proc = proc;
  g_window.fullscreen = fullscreen;
  g_window.width = width;
  g_window.height = height;
  return g_window.handle;
}

void ShowMainWindow(Window window) {
  if (!window || window != g_window.handle || g_window.shown) return;
  g_window.shown = true;
  int x = 0, y = 0;
  if (g_backend) g_backend->WindowPosition(&x, &y);
  PostMessage(window, MsgMove, 0, MousePos(x, y));
  PostMessage(window, MsgActivateApp, 1, 0);
  NoteWindowInFront(true);
}

void NoteWindowInFront(bool in_front) {
  g_in_front = in_front && g_window.shown;
  ApplyCursorClip();
  const bool hold = g_in_front && WindowRefusesScreenSaver();
  if (g_backend) g_backend->HoldOffScreenSaver(hold);
}

void DestroyWindow(Window window) {
  if (!window || window != g_window.handle) return;
  SendMessage(window, MsgDestroy, 0, 0);
  NoteWindowInFront(false);  // the clip and the screen saver let go
  if (g_backend) g_backend->CloseWindow();
  g_window = WindowState{};
}

void MinimiseWindow(Window window) {
  if (window && window == g_window.handle && g_backend) g_backend->MinimiseWindow();
}

void SetWindowTopmost(Window window) {
  if (window && window == g_window.handle && g_backend) g_backend->SetTopmost();
}

Window FindWindow(const char* class_name, const char* caption, std::string* why) {
  if (g_window.handle && (!class_name || g_window.class_name == class_name) &&
      (!caption || g_window.caption == caption))
    return g_window.handle;
  std::string reason;
  uint64_t native = 0;
  if (!g_backend) {
    reason = "no backend runs";
  } else if (g_lock_holder <= 0) {
    reason = "the lock names no process";
  } else {
    native = g_backend->FindOtherWindow(class_name, caption, g_lock_holder, &reason);
  }
  if (native == 0) {
    if (why) *why = reason;
    return 0;
  }
  g_other_window = OtherWindow{g_next_window++, native};
  return g_other_window.handle;
}

bool BringToFront(Window window, std::string* why) {
  std::string reason = "no such window";
  bool brought = false;
  if (!g_backend) {
    reason = "no backend runs";
  } else if (window && window == g_window.handle) {
    g_backend->RaiseWindow();
    brought = true;
  } else if (window && window == g_other_window.handle) {
    brought = g_backend->BringOtherWindowForward(g_other_window.native, &reason);
  }
  if (!brought && why) *why = reason;
  return brought;
}

Window MainWindow() { return g_window.handle; }

void AddPumpHook(PumpHook hook) {
  if (std::find(g_pump_hooks.begin(), g_pump_hooks.end(), hook) == g_pump_hooks.end())
    g_pump_hooks.push_back(hook);
}

void RemovePumpHook(PumpHook hook) {
  g_pump_hooks.erase(std::remove(g_pump_hooks.begin(), g_pump_hooks.end(), hook),
                     g_pump_hooks.end());
}

bool PeekMessage(Message* out) {
  RunPumpHooks();
  // A signal to end taken by the loop is the window's close.
  if (TakeDueEndSignal()) QueueMessage(Message{MainWindow(), MsgClose, 0, 0});
  if (g_backend) g_backend->PumpEvents();
  std::lock_guard<std::mutex> lock(g_queue_mutex);
  if (g_queue.empty()) return false;
  if (out) *out = g_queue.front();
  g_queue.pop_front();
  return true;
}

void WaitMessage() { WaitForEvents(BackendImpl::WaitForever); }

void WaitMessageFor(uint64_t micros) {
  if (micros > 0) WaitForEvents(micros);
}

int64_t DispatchMessage(const Message& message) {
  if (message.msg == MsgQuit) return 0;
  return SendMessage(message.window, message.msg, message.wparam, message.lparam);
}

int64_t SendMessage(Window window, uint32_t msg, uint64_t wparam, int64_t lparam) {
  if (!window || window != g_window.handle || !g_window.proc)
    return DefaultWindowProc(window, msg, wparam, lparam);
  return g_window.proc(window, msg, wparam, lparam);
}

void QueueMessage(const Message& message) {
  std::lock_guard<std::mutex> lock(g_queue_mutex);
  g_queue.push_back(message);
}

void PostMessage(Window window, uint32_t msg, uint64_t wparam, int64_t lparam) {
  QueueMessage(Message{window, msg, wparam, lparam});
}

void PostQuitMessage(int exit_code) {
  QueueMessage(Message{0, MsgQuit, static_cast<uint64_t>(exit_code), 0});
}

int64_t DefaultWindowProc(Window, uint32_t msg, uint64_t wparam, int64_t) {
  if (msg == MsgClose && g_window.handle) DestroyWindow(g_window.handle);
  if (msg == MsgSetCursor) HideCursorOverWindow(false);  // the arrow
  if (msg == MsgSysCommand && (wparam & 0xFFF0) == SysCommandScreenSave) {
    g_saver_let_through = true;  // the screen saver may start
  }
  return 0;
}

size_t QueuedMessageCount() {
  std::lock_guard<std::mutex> lock(g_queue_mutex);
  return g_queue.size();
}

int DesktopWidth() {
  int w = 800, h = 600, bits = 32;
  if (g_backend) g_backend->DesktopSize(&w, &h, &bits);
  return w;
}
int DesktopHeight() {
  int w = 800, h = 600, bits = 32;
  if (g_backend) g_backend->DesktopSize(&w, &h, &bits);
  return h;
}
int DesktopBits() {
  int w = 800, h = 600, bits = 32;
  if (g_backend) g_backend->DesktopSize(&w, &h, &bits);
  return bits;
}

// ---- keyboard, cursor, input method -----------------------------------------

void SetKeyDown(int key, bool down) {
  if (key >= 0 && key < KeyCount) g_keys[static_cast<size_t>(key)] = down;
}

void ReleaseAllKeys() { g_keys.fill(false); }

int16_t GetKeyState(int key) {
  if (key < 0 || key >= KeyCount) return 0;
  return g_keys[static_cast<size_t>(key)] ? static_cast<int16_t>(-128) : 0;
}

void EnableTextInput(bool on) {
  g_text_input = on;
  if (g_backend) g_backend->SetTextInput(on);
}
bool TextInputEnabled() { return g_text_input; }

int ShowCursor(bool show) {
  g_cursor_count += show ? 1 : -1;
  ApplyCursor();
  return g_cursor_count;
}

void ClipCursor(const Rect* rect) {
  g_cursor_clipped = rect != nullptr;
  if (rect) g_cursor_clip = *rect;
  ApplyCursorClip();
}

bool CursorClip(Rect* out) {
  if (g_cursor_clipped && out) *out = g_cursor_clip;
  return g_cursor_clipped;
}

void SetCursorPos(int x, int y) {
  if (g_cursor_clipped) {
    x = std::clamp(x, g_cursor_clip.left, std::max(g_cursor_clip.left, g_cursor_clip.right - 1));
    y = std::clamp(y, g_cursor_clip.top, std::max(g_cursor_clip.top, g_cursor_clip.bottom - 1));
  }
  g_cursor_x = x;
  g_cursor_y = y;
  if (g_backend) g_backend->WarpCursor(x, y);
}

void GetCursorPos(int* x, int* y) {
  if (x) *x = g_cursor_x;
  if (y) *y = g_cursor_y;
}

void NoteCursorPos(int x, int y) {
  g_cursor_x = x;
  g_cursor_y = y;
}

void QueueSetCursor() {
  // The client area (1) in the low word, the mouse message in the high word.
  const Window window = MainWindow();
  QueueMessage(Message{window, MsgSetCursor, window, (int64_t{MsgMouseMove} << 16) | 1});
}

void QueuePointerMove(int screen_x, int screen_y, int client_x, int client_y) {
  NoteCursorPos(screen_x, screen_y);
  QueueSetCursor();
  QueueMessage(Message{MainWindow(), MsgMouseMove, 0, MousePos(client_x, client_y)});
}

void HideCursorOverWindow(bool hide) {
  g_cursor_none = hide;
  ApplyCursor();
}

bool CursorShownOverWindow() { return g_cursor_count >= 0 && !g_cursor_none; }

// ---- message boxes and the beep ---------------------------------------------

int MessageBox(Window, const std::string& text, const std::string& title,
               uint32_t flags, const std::string& given_detail) {
  // The detail names files and says what a library said: shown as a line
  // holds it, in the box too.
  const std::string detail = Printable(given_detail);
  if (!g_backend || !g_backend->QuietBoxes()) {
    std::string line = text;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    if (!detail.empty()) line += " (" + detail + ")";
    SayLine("[%s] %s", title.c_str(), line.c_str());
  }
  int answer = (flags & BoxYesNo) ? AnswerNo : AnswerOk;
  if (!g_backend || g_boxes_ended) return answer;
  std::string why;
  // A signal to end that came before the box ends it before it shows.
  BoxTakesEndSignals box_up;
  const BackendImpl::BoxResult shown =
      TakeDueEndSignal() ? BackendImpl::BoxResult::Ended
                         : g_backend->ShowMessageBox(text, detail, title, flags, &answer, &why);
  switch (shown) {
    case BackendImpl::BoxResult::Shown:
      break;
    case BackendImpl::BoxResult::NotShown:
      if (!g_said_no_box) {
        g_said_no_box = true;
        SayLine("vantris: cannot show a message box (%s); messages are printed here only",
                Printable(why).c_str());
      }
      break;
    case BackendImpl::BoxResult::Ended:
      // The end asked for while the box was up is the window's close, as at
      // any other time; the program ends in order from its message loop,
      // with no box in its way.
      g_boxes_ended = true;
      QueueMessage(Message{MainWindow(), MsgClose, 0, 0});
      break;
  }
  return answer;
}

void Beep() {
  if (g_backend && g_backend->RingBell()) return;
  if (audio::PlayBeepTone()) return;
  if (StderrIsTerminal()) SayText("\a");
}

void SetWindowIcon(Window window, const char* name) {
  if (window && window == g_window.handle && name && g_backend) g_backend->SetWindowIcon(name);
}

// ---- the single-instance lock -------------------------------------------------

Lock CreateNamedLock(const std::string& name, LockResult* result) {
  std::string file;
  for (char c : name) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                       (c >= '0' && c <= '9') || c == '-' || c == '_';
    file += plain ? c : '_';
  }
  // The folder may be the shared temporary one: the file is the user's own,
  // and a link planted under its name is not followed.
  const std::string path =
      RuntimeDir() + "/" + file + "-" + std::to_string(::geteuid()) + ".lock";
  auto fail = [&](const char* why) -> Lock {
    SayLine("vantris: cannot take the lock %s: %s", Printable(path).c_str(), why);
    if (result) *result = LockResult::Failed;
    return 0;
  };
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
  if (fd < 0) return fail(std::strerror(errno));
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
    ::close(fd);
    return fail("not a file of this user");
  }
  if ((info.st_mode & 077) != 0) ::fchmod(fd, 0600);
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    if (error == EWOULDBLOCK) {
      // The holder wrote its process id into the file.
      char text[kLockTextSize] = {};
      const ssize_t n = ::pread(fd, text, sizeof text, 0);
      g_lock_holder = n > 0 ? LockHolder(std::string_view(text, static_cast<size_t>(n))) : 0;
      ::close(fd);
      if (result) *result = LockResult::AlreadyExists;
      return 0;
    }
    ::close(fd);
    return fail(std::strerror(error));
  }
  // The holder's process id, for a second process to find its window by
  // (one that finds none says so).
  const std::string holder = std::to_string(::getpid()) + "\n";
  [[maybe_unused]] const bool written =
      ::ftruncate(fd, 0) == 0 &&
      ::pwrite(fd, holder.data(), holder.size(), 0) == static_cast<ssize_t>(holder.size());
  if (result) *result = LockResult::Created;
  return fd + 1;
}

long LockHolder(std::string_view text) {
  // One decimal number of 1 to 9 digits as the holder writes it (no leading
  // zero), a line feed after it or not.
  if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
  if (text.empty() || text.size() > 9 || text.front() == '0') return 0;
  long pid = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    pid = pid * 10 + (c - '0');
  }
  return pid <= kMostProcessId ? pid : 0;
}

void ReleaseNamedLock(Lock lock) {
  if (lock <= 0) return;
  ::flock(lock - 1, LOCK_UN);
  ::close(lock - 1);
}

// ---- system queries ---------------------------------------------------------

LocalTime GetLocalTime() {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  localtime_r(&now, &parts);
  LocalTime t;
  t.year = parts.tm_year + 1900;
  t.month = parts.tm_mon + 1;
  t.day = parts.tm_mday;
  t.weekday = parts.tm_wday;
  t.hour = parts.tm_hour;
  t.minute = parts.tm_min;
  t.second = parts.tm_sec;
  return t;
}

uint64_t DiskFreeBytes(const std::string& path) {
  struct statvfs info {};
  if (::statvfs(ResolvePath(path).c_str(), &info) != 0) return 0;
  const uint64_t blocks = info.f_bavail;
  const uint64_t size = info.f_frsize;
  if (size != 0 && blocks > UINT64_MAX / size) return UINT64_MAX;
  return blocks * size;
}

uint64_t FreeMemoryBytes() {
  struct sysinfo info {};
  if (::sysinfo(&info) != 0) return 0;
  const uint64_t units = info.mem_unit ? info.mem_unit : 1;
  const uint64_t free = info.freeram;
  if (free > UINT64_MAX / units) return UINT64_MAX;
  return free * units;
}

SystemVersion GetSystemVersion() {
  SystemVersion v;
  struct utsname name {};
  if (::uname(&name) == 0) {
    std::sscanf(name.release, "%d.%d", &v.major, &v.minor);
  }
  return v;
}

// ---- joystick ---------------------------------------------------------------

bool ReadJoystick(int id, JoyReading* out) {
  if (!g_backend || id < 0 || id > 15) return false;
  JoyReading reading;
  if (!g_backend->ReadJoystick(id, &reading)) return false;
  if (out) *out = reading;
  return true;
}

void RescanJoysticks() {
  if (g_backend) g_backend->RescanJoysticks();
}

}  // namespace os
