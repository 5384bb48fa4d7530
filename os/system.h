// The os layer: what the game and its library expect of an operating system,
// written for Linux.  One interface, two backends chosen at run time: SDL2
// (a real window, audio device and joystick) and headless (a virtual clock,
// scripted input and recorders, for tests and the headless runner).
//
// Texts handed to the user (message boxes) are UTF-8 here; Shift-JIS
// conversion lives in os/sjis.h.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "os/keys.h"

namespace os {

// ---- start-up -------------------------------------------------------------

enum class Backend { Headless, Sdl };

struct StartOptions {
  Backend backend = Backend::Headless;
  // The window asked for: an ordinary 800 x 600 window instead of full
  // screen.  The program reads it (ActiveOptions) to choose its window.
  bool windowed = false;
  // Headless only: no audio device at all (sound creation then fails).
  bool no_audio_device = false;
  // SDL only: accept SDL's offscreen and dummy video drivers, which show
  // nothing.  Without it the SDL backend refuses to start on them (tests of
  // the SDL backend without a display set it).
  bool allow_no_display = false;
};

// Chooses and starts a backend.  Stop() ends it; Start may be called again
// afterwards (tests start a fresh headless backend per case).  A backend that
// cannot start has said why on stderr.
bool Start(const StartOptions& options);
void Stop();
bool Started();
Backend ActiveBackend();
// The options the running backend was started with.
const StartOptions& ActiveOptions();

// Reads the backend choice from the command line (--headless, --sdl,
// --windowed) and the VANTRIS_BACKEND variable ("headless" or "sdl"; an
// option given overrides it).  `Help` for --help; `Unknown` for any other
// argument, which goes to `bad`; `Contradictory` for --headless given with
// --sdl or with --windowed (the headless backend has no window), the pair
// named in `bad`.
enum class ParsedArgs { Run, Help, Unknown, Contradictory };
ParsedArgs ParseCommandLine(int argc, char** argv, StartOptions* options,
                             std::string* bad = nullptr);
// The same, ignoring arguments it does not know (the tools take more).
StartOptions OptionsFromCommandLine(int argc, char** argv);

// ---- the standard error ------------------------------------------------------
// Every line the program says goes through here: written whole, with one
// write, to the real standard error, even while a call into a library has
// fd 2 diverted (os/stderr_divert.h) and from any thread, so that no line is
// cut or lost among the libraries' words.  A write that fails (no reader,
// stderr closed at start) is dropped; it never ends the program.

// One line made from a printf format; a newline is added where it has none.
void SayLine(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Text as it is (the usage after a refusal, the beep's BEL).
void SayText(std::string_view text);
// A name or words from outside (a path, an option, a library's message) as a
// line holds them: valid UTF-8 as it stands, each control byte (C0, DEL, the
// C1 controls) and each byte that is no part of valid UTF-8 as \xNN, so that
// nothing splits the line or reaches the terminal raw.
std::string Printable(std::string_view text);
// The length of the character at text[at] that Printable keeps as it stands
// (1 to 4 bytes), or 0 when it writes the byte there as \xNN.
size_t PrintableLength(std::string_view text, size_t at);
// Whether those lines reach a terminal (where a BEL rings rather than lands
// in a log).
bool StderrIsTerminal();

// ---- the signals that ask the program to end ----------------------------------
// SIGTERM and SIGINT.  CatchEndSignals, the program's first step, makes them
// the program's own (one it was started with ignored stays ignored).  While
// the message loop takes them (LoopTakesEndSignals(true)) or a box is up, the
// first one is the window's close: the next PeekMessage gives MsgClose, or
// the box ends (MessageBox).  While starting, after the loop
// (LoopTakesEndSignals(false)) and for a second signal, the process ends at
// once: one line, then the signal's own end (status 128 + its number to a
// shell).  A signal taken that has not ended the process `grace_seconds`
// after the loop had it (it is stuck somewhere) ends it the same way.  SDL
// is asked to set no handler of its own for them.
void CatchEndSignals(unsigned grace_seconds = 5);
void LoopTakesEndSignals(bool takes);

// ---- clocks ---------------------------------------------------------------
// Before Start, and under SDL, the clocks are the process's monotonic clock
// counted from the first read.  Under the headless backend they are one
// virtual clock that advances a small quantum on every read.

uint32_t TimeMs();       // the millisecond timer (multimedia-timer stand-in)
uint32_t TickCountMs();  // the coarse tick count (same source)
bool TimerMinPeriod(uint32_t* period_ms);
void TimerBeginPeriod(uint32_t ms);
void TimerEndPeriod(uint32_t ms);
bool PerfFrequency(int64_t* ticks_per_second);
bool PerfCounter(int64_t* now);
void SleepMs(uint32_t ms);
int64_t CalendarTime();  // seconds since the epoch (time())

// ---- random numbers ---------------------------------------------------------
// The one generator of the project: the classic 15-bit linear congruential
// generator, so a seed gives the same run on every machine.
constexpr int RandomMax = 32767;
void SeedRandom(uint32_t seed);
int Random();  // 0..RandomMax

// ---- window and messages ----------------------------------------------------

using Window = uint32_t;  // 0 = none
using WindowProc = int64_t (*)(Window window, uint32_t msg, uint64_t wparam,
                               int64_t lparam);

struct Message {
  Window window = 0;
  uint32_t msg = MsgNull;
  uint64_t wparam = 0;
  int64_t lparam = 0;
};

// Creates the one window.  The client area is always width x height logical
// pixels; under SDL a full-screen window covers the desktop and scales the
// picture with letterboxing.  Returns 0 on failure.
Window CreateMainWindow(const char* class_name, const char* caption,
                        bool fullscreen, int width, int height,
                        WindowProc proc);
// Shows the window; the first show posts MsgMove with the client area's
// screen position, then MsgActivateApp(1) so that frames run even when the
// window manager never reports focus.  From then on the window counts as in
// front until it loses the focus or is minimised, and again when it gets the
// focus back: while it is, the cursor clip holds and, unless its procedure
// lets MsgSysCommand(SysCommandScreenSave) through to DefaultWindowProc, the
// screen saver is held off (the window is asked each time it comes in front).
void ShowMainWindow(Window window);
// The window's icon: the picture ICON/<name>.BMP in the program's folder (a
// BMP of up to MaxIconSide pixels a side; pure black is transparent).  A
// missing or damaged one is said in one line and the window goes without.
constexpr int MaxIconSide = 256;
void SetWindowIcon(Window window, const char* name);
// Sends MsgDestroy to the window's procedure and forgets the window.
void DestroyWindow(Window window);
void MinimiseWindow(Window window);
void SetWindowTopmost(Window window);  // kept above other windows
// The window of that class and caption: the process's own, else the window
// of the process holding a lock this process was refused (CreateNamedLock),
// found by its caption, the class it was created with and its process, so
// that no other program's window is ever taken for it.  0 when there is
// none, with why (no window of it on this display, a backend that cannot
// look for it...).
Window FindWindow(const char* class_name, const char* caption, std::string* why = nullptr);
// Brings a window found forward: de-iconified, raised and given the
// keyboard.  False, with why, when it could not be done.
bool BringToFront(Window window, std::string* why = nullptr);
Window MainWindow();

bool PeekMessage(Message* out);  // takes one message without waiting
void WaitMessage();              // blocks until a message is queued
// Blocks until a message is queued or `micros` have passed, whichever comes
// first: the main loop sleeps here until its next frame is due.
void WaitMessageFor(uint64_t micros);
int64_t DispatchMessage(const Message& message);
int64_t SendMessage(Window window, uint32_t msg, uint64_t wparam, int64_t lparam);
void PostMessage(Window window, uint32_t msg, uint64_t wparam, int64_t lparam);
void PostQuitMessage(int exit_code);
int64_t DefaultWindowProc(Window window, uint32_t msg, uint64_t wparam,
                          int64_t lparam);
size_t QueuedMessageCount();
// Functions run at the start of every PeekMessage and WaitMessage, on the
// main thread (the music player posts its end notices from there).
using PumpHook = void (*)();
void AddPumpHook(PumpHook hook);
void RemovePumpHook(PumpHook hook);

// Desktop metrics.
int DesktopWidth();
int DesktopHeight();
int DesktopBits();

// ---- keyboard, cursor, input method -----------------------------------------

// Bit 0x80 (and the sign bit) is set while the key is down.
int16_t GetKeyState(int key);
void EnableTextInput(bool on);  // the input-method editor
bool TextInputEnabled();

// The pointer shows over the window while the display count is 0 or more
// and the window has a cursor: every pointer move over the window first
// sends MsgSetCursor, whose default handling gives it the arrow.
int ShowCursor(bool show);  // returns the new display count
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
};
// Keeps the pointer inside `rect` (screen pixels, right and bottom
// excluded) while the window is in front; a full-screen window is the whole
// screen, its top-left corner the screen's origin.  nullptr removes the clip.
void ClipCursor(const Rect* rect);
bool CursorClip(Rect* out);         // false when the cursor is not clipped
void SetCursorPos(int x, int y);    // screen position
void GetCursorPos(int* x, int* y);
void HideCursorOverWindow(bool hide);  // no cursor (hide) or the arrow
bool CursorShownOverWindow();          // what the window shows now

// ---- message boxes and the beep ---------------------------------------------

enum : uint32_t {
  BoxOk = 0x0,
  BoxYesNo = 0x4,
  BoxIconQuestion = 0x20,
  BoxIconExclamation = 0x30,
  BoxSystemModal = 0x1000,
};
enum : int { AnswerOk = 1, AnswerYes = 6, AnswerNo = 7 };

// Shows a box on screen (SDL: a window of its own over the game window,
// whose text, and `detail` under it, the os layer draws) and always prints it
// to stderr, one line with `detail` (what a reader of the log needs besides
// the box's text, such as a file's path and what is wrong with it) after the
// text; the headless backend records it and answers from its script.  A box
// that cannot be shown is said once on stderr.  Never ends the program: an
// end asked for while a box is up (a signal, the window's close) closes the
// box with its default answer and queues MsgClose, and no box is shown after
// it (their lines are still printed).
int MessageBox(Window owner, const std::string& text, const std::string& title,
               uint32_t flags, const std::string& detail = {});
// The error beep: the display's bell, else a short tone on the audio device
// while one is open, else a BEL on stderr where that is a terminal.
void Beep();

// ---- the single-instance lock -------------------------------------------------

enum class LockResult { Created, AlreadyExists, Failed };
using Lock = int;  // 0 = none
// An flock'd file named after `name` and the user in the runtime folder,
// opened without following a symbolic link and readable by its owner only;
// the holder writes its process id into it.  A second process asking for the
// same name gets AlreadyExists and no lock (and learns the holder's id, for
// FindWindow); Failed is said on stderr.
Lock CreateNamedLock(const std::string& name, LockResult* result);
void ReleaseNamedLock(Lock lock);
// The holder's process id read from a lock file's text: a decimal number of
// 1 to kMostProcessId as the holder writes it (no leading zero), a line
// feed after it or not; 0 for anything else.
constexpr long kMostProcessId = 4194304;  // Linux's largest pid_max
constexpr size_t kLockTextSize = 16;      // what is read of the file
long LockHolder(std::string_view text);

// ---- system queries ---------------------------------------------------------

struct LocalTime {
  int year = 0, month = 0, day = 0, weekday = 0;  // weekday 0 = Sunday
  int hour = 0, minute = 0, second = 0;
};
LocalTime GetLocalTime();
uint64_t DiskFreeBytes(const std::string& path);
uint64_t FreeMemoryBytes();
struct SystemVersion {
  int platform = 2;  // 0 Win32s-like, 1 the 95 family, 2 the NT family
  int major = 0, minor = 0;
};
SystemVersion GetSystemVersion();

// ---- joystick ---------------------------------------------------------------

struct JoyReading {
  uint32_t x = 0, y = 0;  // 0..65535, centre about 32767
  uint32_t buttons = 0;   // bit n = button n + 1
};
bool ReadJoystick(int id, JoyReading* out);
void RescanJoysticks();

}  // namespace os
