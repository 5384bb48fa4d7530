// The headless backend: no window or device, a virtual clock, scripted input
// and recorders.  Tests and the headless runner drive it through
// os/headless/headless.h.
#include <algorithm>
#include <cstring>
#include <cstdio>
#include <deque>
#include <vector>

#include "os/backend.h"
#include "os/headless/headless.h"
#include "os/headless/headless_audio.h"

namespace os::headless {
namespace {

struct Joystick {
  bool present = false;
  JoyReading reading;
};

struct State {
  uint64_t now_us = 0;
  uint32_t quantum_us = 20;
  bool perf_counter = true;
  uint32_t timer_min_period_ms = 1;
  std::vector<std::pair<ClockListener, void*>> listeners;
  std::deque<int> box_answers;
  bool end_in_next_box = false;
  std::vector<RecordedBox> boxes;
  int beeps = 0;
  bool quiet = false;
  Joystick joysticks[2];
  bool window_open = false;
  bool cursor_shown = true;
  bool cursor_confined = false;
  Rect cursor_confinement;
  bool screen_saver_held = false;
  std::string window_icon;
  bool text_input = true;
  int minimised = 0;
  int presents = 0;
  int waits = 0;
  bool present_vsync = false;
  PresentedFrame last_frame;
};

State g_state;

constexpr int64_t kCalendarStart = 946684800;  // 2000-01-01 00:00:00 UTC

void MoveClock(uint64_t us) {
  if (us == 0) return;
  g_state.now_us += us;
  CallEachOfCopy(g_state.listeners,
                 [](const auto& entry) { entry.first(g_state.now_us, entry.second); });
}

class HeadlessBackend final : public BackendImpl {
 public:
  uint64_t NowMicros() override {
    const uint64_t now = g_state.now_us;
    MoveClock(g_state.quantum_us);
    return now;
  }
  void SleepMicros(uint64_t us) override { MoveClock(us); }
  bool HasPerfCounter() override { return g_state.perf_counter; }
  // The calendar follows the virtual clock from a fixed date, so runs that
  // seed from the time repeat.
  bool CalendarSeconds(int64_t* seconds) override {
    *seconds = kCalendarStart + static_cast<int64_t>(g_state.now_us / 1000000);
    return true;
  }
  bool TimerCaps(uint32_t* min_period_ms) override {
    *min_period_ms = g_state.timer_min_period_ms;
    return true;
  }

  bool OpenWindow(const char*, const char*, bool, int, int) override {
    g_state.window_open = true;
    return true;
  }
  uint64_t FindOtherWindow(const char*, const char*, long, std::string* why) override {
    *why = "the headless backend sees no display";
    return 0;
  }
  void CloseWindow() override { g_state.window_open = false; }
  void MinimiseWindow() override { ++g_state.minimised; }
  void PumpEvents() override {}
  // Nothing arrives by itself: a wait for a deadline lets the virtual clock
  // run to it; a wait without one lets a millisecond pass.
  void WaitEvents(uint64_t max_micros) override {
    ++g_state.waits;
    MoveClock(max_micros == WaitForever ? 1000 : max_micros);
  }
  void SetCursorShown(bool shown) override { g_state.cursor_shown = shown; }
  void ApplyCursorClip(const Rect* rect) override {
    g_state.cursor_confined = rect != nullptr;
    if (rect) g_state.cursor_confinement = *rect;
  }
  void HoldOffScreenSaver(bool hold) override { g_state.screen_saver_held = hold; }
  void SetWindowIcon(const std::string& name) override { g_state.window_icon = name; }
  void SetTextInput(bool on) override { g_state.text_input = on; }

  BoxResult ShowMessageBox(const std::string& text, const std::string& detail,
                           const std::string& title, uint32_t flags, int* answer,
                           std::string* /*why*/) override {
    if (g_state.end_in_next_box) {
      g_state.end_in_next_box = false;
      g_state.boxes.push_back(RecordedBox{text, title, detail, flags, *answer});
      return BoxResult::Ended;
    }
    if ((flags & BoxYesNo) && !g_state.box_answers.empty()) {
      *answer = g_state.box_answers.front();
      g_state.box_answers.pop_front();
    }
    g_state.boxes.push_back(RecordedBox{text, title, detail, flags, *answer});
    return BoxResult::Shown;
  }
  bool QuietBoxes() override { return g_state.quiet; }
  bool RingBell() override {
    ++g_state.beeps;
    return true;
  }

  void DesktopSize(int* width, int* height, int* bits) override {
    *width = 800;
    *height = 600;
    *bits = 16;
  }

  bool ReadJoystick(int id, JoyReading* out) override {
    if (id < 0 || id > 1 || !g_state.joysticks[id].present) return false;
    *out = g_state.joysticks[id].reading;
    return true;
  }

  void Present(const FrameView& frame, bool vsync) override {
    ++g_state.presents;
    g_state.present_vsync = vsync;
    PresentedFrame& last = g_state.last_frame;
    if (!frame.pixels || frame.width <= 0 || frame.height <= 0) return;
    last.width = frame.width;
    last.height = frame.height;
    last.rgb555 = frame.rgb555;
    const size_t row = static_cast<size_t>(frame.width);
    last.pixels.resize(row * static_cast<size_t>(frame.height));
    if (static_cast<size_t>(frame.pitch) == row * 2) {
      // Rows end to end (a back buffer without padding): one copy, far
      // faster than row by row into memory that has gone cold.
      std::memcpy(last.pixels.data(), frame.pixels, last.pixels.size() * 2);
      return;
    }
    for (int y = 0; y < frame.height; ++y) {
      std::memcpy(last.pixels.data() + row * static_cast<size_t>(y),
                  frame.pixels + static_cast<ptrdiff_t>(y) * frame.pitch, row * 2);
    }
  }
};

}  // namespace

uint64_t NowMicros() { return g_state.now_us; }
void AdvanceMicros(uint64_t us) { MoveClock(us); }
void AdvanceMs(uint32_t ms) { MoveClock(uint64_t{ms} * 1000); }
void SetReadQuantumMicros(uint32_t us) { g_state.quantum_us = us; }
void SetClockCaps(bool perf_counter, uint32_t timer_min_period_ms) {
  g_state.perf_counter = perf_counter;
  g_state.timer_min_period_ms = timer_min_period_ms;
}

void AddClockListener(ClockListener listener, void* user) {
  g_state.listeners.emplace_back(listener, user);
}
void RemoveClockListener(ClockListener listener, void* user) {
  auto& l = g_state.listeners;
  l.erase(std::remove(l.begin(), l.end(), std::make_pair(listener, user)), l.end());
}

void KeyDown(int key, bool repeat) {
  SetKeyDown(key, true);
  const int64_t lparam = repeat ? (int64_t{1} << 30) | 1 : 1;
  QueueMessage(Message{MainWindow(), MsgKeyDown, static_cast<uint64_t>(key), lparam});
}

void KeyUp(int key) {
  SetKeyDown(key, false);
  QueueMessage(Message{MainWindow(), MsgKeyUp, static_cast<uint64_t>(key),
                       (int64_t{3} << 30) | 1});
}

void SetKeyState(int key, bool down) { SetKeyDown(key, down); }

void MouseMove(int x, int y) {
  x = std::clamp(x, 0, 799);
  y = std::clamp(y, 0, 599);
  QueuePointerMove(x, y, x, y);  // the window stands at the screen's origin
}

void MouseButton(int button, bool down, bool double_click) {
  int x = 0, y = 0;
  GetCursorPos(&x, &y);
  uint32_t msg;
  if (button == 1) {
    msg = !down ? MsgLButtonUp : double_click ? MsgLButtonDblClk : MsgLButtonDown;
    SetKeyDown(KeyLButton, down);
  } else {
    msg = !down ? MsgRButtonUp : double_click ? MsgRButtonDblClk : MsgRButtonDown;
    SetKeyDown(KeyRButton, down);
  }
  QueueMessage(Message{MainWindow(), msg, 0, MousePos(x, y)});
}

void Focus(bool active) {
  if (!active) ReleaseAllKeys();
  QueueMessage(Message{MainWindow(), MsgActivateApp, active ? 1u : 0u, 0});
  NoteWindowInFront(active);
}

void Close() { QueueMessage(Message{MainWindow(), MsgClose, 0, 0}); }

void QueueBoxAnswer(int answer) { g_state.box_answers.push_back(answer); }
void EndInNextBox() { g_state.end_in_next_box = true; }
const std::vector<RecordedBox>& Boxes() { return g_state.boxes; }
void ClearBoxes() { g_state.boxes.clear(); }
int BeepCount() { return g_state.beeps; }
void SetQuiet(bool quiet) { g_state.quiet = quiet; }

void SetJoystick(int id, bool present, uint32_t x, uint32_t y, uint32_t buttons) {
  if (id < 0 || id > 1) return;
  g_state.joysticks[id].present = present;
  g_state.joysticks[id].reading = JoyReading{x, y, buttons};
}

bool WindowOpen() { return g_state.window_open; }
bool CursorShown() { return g_state.cursor_shown; }
bool CursorConfinement(Rect* out) {
  if (g_state.cursor_confined && out) *out = g_state.cursor_confinement;
  return g_state.cursor_confined;
}
bool ScreenSaverHeldOff() { return g_state.screen_saver_held; }
const std::string& WindowIcon() { return g_state.window_icon; }
bool TextInputOn() { return g_state.text_input; }
int MinimiseCount() { return g_state.minimised; }

int PresentCount() { return g_state.presents; }
int WaitCount() { return g_state.waits; }
bool LastPresentVSync() { return g_state.present_vsync; }
const PresentedFrame& LastPresented() { return g_state.last_frame; }

uint64_t FrameChecksum(const PresentedFrame& frame) {
  uint64_t h = 1469598103934665603ull;
  auto mix = [&h](uint32_t v) {
    for (int i = 0; i < 4; ++i) {
      h ^= (v >> (8 * i)) & 0xFF;
      h *= 1099511628211ull;
    }
  };
  mix(static_cast<uint32_t>(frame.width));
  mix(static_cast<uint32_t>(frame.height));
  for (uint16_t p : frame.pixels) mix(p);
  return h;
}

bool WriteFrameBmp(const PresentedFrame& frame, const std::string& path) {
  if (frame.width <= 0 || frame.height <= 0) return false;
  const uint32_t row_bytes = (static_cast<uint32_t>(frame.width) * 3 + 3) & ~3u;
  const uint32_t image = row_bytes * static_cast<uint32_t>(frame.height);
  std::vector<uint8_t> out(54 + image, 0);
  auto put16 = [&out](size_t at, uint32_t v) {
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
  };
  auto put32 = [&put16](size_t at, uint32_t v) {
    put16(at, v & 0xFFFF);
    put16(at + 2, v >> 16);
  };
  out[0] = 'B';
  out[1] = 'M';
  put32(2, static_cast<uint32_t>(out.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(frame.width));
  put32(22, static_cast<uint32_t>(frame.height));  // bottom-up rows
  put16(26, 1);
  put16(28, 24);
  put32(34, image);
  for (int y = 0; y < frame.height; ++y) {
    uint8_t* row = out.data() + 54 + static_cast<size_t>(frame.height - 1 - y) * row_bytes;
    for (int x = 0; x < frame.width; ++x) {
      const uint16_t p = frame.At(x, y);
      uint32_t r, g, b;
      if (frame.rgb555) {
        r = (p >> 10) & 31;
        g = (p >> 5) & 31;
        b = p & 31;
        g = (g << 3) | (g >> 2);
      } else {
        r = p >> 11;
        g = (p >> 5) & 63;
        b = p & 31;
        g = (g << 2) | (g >> 4);
      }
      row[3 * x] = static_cast<uint8_t>((b << 3) | (b >> 2));
      row[3 * x + 1] = static_cast<uint8_t>(g);
      row[3 * x + 2] = static_cast<uint8_t>((r << 3) | (r >> 2));
    }
  }
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace os::headless

namespace os {

std::unique_ptr<BackendImpl> MakeHeadlessBackend(const StartOptions& options) {
  // Every start is a fresh machine: the clock at 0, nothing scripted.
  const bool quiet = headless::g_state.quiet;
  auto listeners = headless::g_state.listeners;
  headless::g_state = headless::State{};
  headless::g_state.quiet = quiet;
  // Devices that registered on the clock (audio) stay registered.
  headless::g_state.listeners = listeners;
  headless::SetAudioDevicePresent(!options.no_audio_device);
  return std::make_unique<headless::HeadlessBackend>();
}

}  // namespace os
