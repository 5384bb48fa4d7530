// Controls of the headless backend, for tests and the headless runner.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "os/system.h"

namespace os::headless {

// ---- the virtual clock ----
uint64_t NowMicros();                   // without advancing
void AdvanceMicros(uint64_t us);
void AdvanceMs(uint32_t ms);
void SetReadQuantumMicros(uint32_t us);  // advance per clock read (default 20)
// Which clocks the machine offers: no performance counter, or a millisecond
// timer whose minimum period is too coarse (10 ms or more).
void SetClockCaps(bool perf_counter, uint32_t timer_min_period_ms);
// (os::CalendarTime() under this backend is 2000-01-01 00:00:00 UTC plus the
// virtual clock's whole seconds, so runs that seed from the time repeat.)

// Functions run whenever the clock moves (the audio device mixes there).
using ClockListener = void (*)(uint64_t now_us, void* user);
void AddClockListener(ClockListener listener, void* user);
void RemoveClockListener(ClockListener listener, void* user);

// ---- scripted input ----
// Key down sets the key state and queues MsgKeyDown (lParam bit 30 set for an
// auto-repeat); key up clears it and queues MsgKeyUp.
void KeyDown(int key, bool repeat = false);
void KeyUp(int key);
void SetKeyState(int key, bool down);  // the state only, no message
void MouseMove(int x, int y);
void MouseButton(int button, bool down, bool double_click = false);  // 1 left, 2 right
// The window gets (true) or loses the focus: MsgActivateApp, and the window
// comes in front or leaves it.
void Focus(bool active);
void Close();  // the window's close command

// ---- message boxes ----
struct RecordedBox {
  std::string text, title, detail;
  uint32_t flags = 0;
  int answer = 0;
};
void QueueBoxAnswer(int answer);  // next Yes/No answer (default AnswerNo)
// The program is asked to end while the next box is up (as a signal or the
// window's close does under SDL): that box ends with its default answer.
void EndInNextBox();
const std::vector<RecordedBox>& Boxes();
void ClearBoxes();
int BeepCount();  // the display bells rung (os::Beep)
// Message boxes print to stderr unless quiet.
void SetQuiet(bool quiet);

// ---- joystick ----
void SetJoystick(int id, bool present, uint32_t x = 32767, uint32_t y = 32767,
                 uint32_t buttons = 0);

// ---- window state ----
bool WindowOpen();
bool CursorShown();
// The clip the window system holds the pointer to (false: none, as while the
// window is not in front), whether the screen saver is held off, and the
// name of the window's icon ("" until one is set).
bool CursorConfinement(Rect* out);
bool ScreenSaverHeldOff();
const std::string& WindowIcon();
bool TextInputOn();
int MinimiseCount();

// ---- presented frames ----
// The present keeps a copy of the last frame handed to it and counts frames.
struct PresentedFrame {
  int width = 0, height = 0;
  bool rgb555 = false;
  std::vector<uint16_t> pixels;  // width x height, rows from the top
  uint16_t At(int x, int y) const {
    return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
};
int PresentCount();
// Waits for events (os::WaitMessage, os::WaitMessageFor) that reached the
// backend: each lets the virtual clock run.
int WaitCount();
bool LastPresentVSync();
const PresentedFrame& LastPresented();
// FNV-1a over the frame's size and pixels: equal frames, equal sums.
uint64_t FrameChecksum(const PresentedFrame& frame);
// Writes the frame as a 24-bit BMP; false when the file cannot be written.
bool WriteFrameBmp(const PresentedFrame& frame, const std::string& path);

}  // namespace os::headless
