// What a backend supplies to the os layer.  Everything that is the same on
// every backend (the message queue, key states, random numbers, paths, the
// lock) lives in os/ itself; a backend only does what differs.
#pragma once
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "os/system.h"

namespace os {

// Calls `call` on each entry of a list of callbacks that a callback may
// change (add or remove entries): from a copy, kept on the stack while the
// list is short (it is run every frame and must not allocate).
template <typename T, typename F>
void CallEachOfCopy(const std::vector<T>& list, F&& call) {
  constexpr size_t kOnStack = 8;
  if (list.size() > kOnStack) {
    const std::vector<T> copy = list;
    for (const T& entry : copy) call(entry);
    return;
  }
  std::array<T, kOnStack> copy;
  const size_t count = list.size();
  std::copy(list.begin(), list.end(), copy.begin());
  for (size_t i = 0; i < count; ++i) call(copy[i]);
}

// A 16-bit frame handed to the present.
struct FrameView {
  const uint8_t* pixels = nullptr;
  int pitch = 0;  // bytes per row
  int width = 0;
  int height = 0;
  bool rgb555 = false;
};

class BackendImpl {
 public:
  virtual ~BackendImpl() = default;

  // Microseconds of the backend's clock (a virtual clock moves on each read).
  virtual uint64_t NowMicros() = 0;
  virtual void SleepMicros(uint64_t us) = 0;
  virtual bool HasPerfCounter() { return true; }
  // Seconds since the epoch; false to use the machine's calendar clock.
  virtual bool CalendarSeconds(int64_t* /*seconds*/) { return false; }
  // The millisecond timer's minimum period; false when it cannot be read.
  virtual bool TimerCaps(uint32_t* min_period_ms) {
    *min_period_ms = 1;
    return true;
  }

  // The window, marked with the program's window class where the backend
  // has a way to (FindOtherWindow looks for that mark).
  virtual bool OpenWindow(const char* class_name, const char* caption, bool fullscreen,
                          int width, int height) = 0;
  virtual void CloseWindow() = 0;
  virtual void MinimiseWindow() {}
  virtual void RaiseWindow() {}
  // The window of another process `pid` (the holder of the single-instance
  // lock) with that class and caption, as the backend names it; 0 with why
  // when it is not found or cannot be looked for.
  virtual uint64_t FindOtherWindow(const char* /*class_name*/, const char* /*caption*/,
                                   long /*pid*/, std::string* why) {
    *why = "no window of another program can be seen from here";
    return 0;
  }
  // Brings that window forward (de-iconified, raised, with the keyboard);
  // false with why when it could not be done.
  virtual bool BringOtherWindowForward(uint64_t /*window*/, std::string* why) {
    *why = "no window of another program can be seen from here";
    return false;
  }
  virtual void SetTopmost() {}
  // Screen position of the client area's top-left corner.
  virtual void WindowPosition(int* x, int* y) { *x = *y = 0; }
  // Turns pending platform events into queued messages.
  virtual void PumpEvents() = 0;
  // The same, after sleeping until an event arrives or `max_micros` have
  // passed.  With WaitForever the backend may still return after a short
  // while (the pump hooks run between waits).
  static constexpr uint64_t WaitForever = UINT64_MAX;
  virtual void WaitEvents(uint64_t max_micros) = 0;

  virtual void SetCursorShown(bool /*shown*/) {}
  // The pointer kept inside `rect` (screen pixels) from now on; nullptr lets
  // it go.  The os layer passes nullptr while the window is not in front.
  virtual void ApplyCursorClip(const Rect* /*rect*/) {}
  // The screen saver held off (true) or let run (false).
  virtual void HoldOffScreenSaver(bool /*hold*/) {}
  // The window's icon named `name` (os::SetWindowIcon).
  virtual void SetWindowIcon(const std::string& /*name*/) {}
  virtual void WarpCursor(int /*x*/, int /*y*/) {}
  virtual void SetTextInput(bool /*on*/) {}

  // Shows a box (its text, the detail under it, the title) and gives the
  // answer.  NotShown, with the reason in *why, when no box could be shown;
  // Ended when the program was asked to end (a signal, the window's close)
  // while the box was up or before it came up: the box is gone.  In both
  // cases *answer keeps the default.
  enum class BoxResult { Shown, NotShown, Ended };
  virtual BoxResult ShowMessageBox(const std::string& text, const std::string& detail,
                                   const std::string& title, uint32_t flags, int* answer,
                                   std::string* why) = 0;
  // True when boxes are not to be printed on stderr (quiet tests).
  virtual bool QuietBoxes() { return false; }
  // Rings the display's bell; false where there is none to ring.
  virtual bool RingBell() { return false; }

  virtual void DesktopSize(int* width, int* height, int* bits) = 0;

  virtual bool ReadJoystick(int id, JoyReading* out) = 0;
  virtual void RescanJoysticks() {}

  // The frame's pixels are copied before Present returns.
  virtual void Present(const FrameView& /*frame*/, bool /*vsync*/) {}
};

// The running backend (nullptr before Start and after Stop).
BackendImpl* CurrentBackend();

std::unique_ptr<BackendImpl> MakeHeadlessBackend(const StartOptions& options);
std::unique_ptr<BackendImpl> MakeSdlBackend(const StartOptions& options);

// A signal to end, taken while the loop or a box takes them
// (os/system.h), that is still to become the window's close.
bool EndSignalDue();
// The same, and it becomes the caller's: it turns it into the close.
bool TakeDueEndSignal();
// While one lives, a box is up: a signal to end is the box's to take.
class BoxTakesEndSignals {
 public:
  BoxTakesEndSignals();
  ~BoxTakesEndSignals();
  BoxTakesEndSignals(const BoxTakesEndSignals&) = delete;
  BoxTakesEndSignals& operator=(const BoxTakesEndSignals&) = delete;
};

// Used by backends to feed the shared queue and key state.
void QueueMessage(const Message& message);
void SetKeyDown(int key, bool down);
void ReleaseAllKeys();
void NoteCursorPos(int x, int y);
// The window came in front (it has the focus) or left it (lost the focus,
// was minimised): the cursor clip and the screen saver follow.
void NoteWindowInFront(bool in_front);
// The pointer came over the window's client area: MsgSetCursor.
void QueueSetCursor();
// A pointer move over the window: notes the screen position and queues
// MsgSetCursor, then MsgMouseMove with the client position.
void QueuePointerMove(int screen_x, int screen_y, int client_x, int client_y);

}  // namespace os
