// System services of the library: wait slots, the error, message and question
// boxes, the orderly shutdown, cursor clipping, the program's folder, small
// number files and clock, disk, memory and version queries.
//
// ErrorBox is the library's one failure report: every loader and set-up
// function reports through it and goes on.
#pragma once
#include <cstdint>
#include <string>

#include "os/system.h"

constexpr int WaitSlotCount = 11;           // slots 1..11 (11 is BusyWait's)
constexpr uint32_t WaitUnset = 999999999;   // deadline of an unset slot

extern uint32_t WaitDeadlines[WaitSlotCount];  // slot n is entry n - 1
extern uint32_t ErrorFlag;       // 1 once any error box was shown
extern uint32_t QuitRequested;   // 1 once RequestQuit has run
extern uint32_t CursorClipped;   // 1 while this module clips the cursor
extern uint32_t ImeEnabled;      // the last flag given to EnableIme
extern std::string ExePath;      // what GetExePath returns
extern std::string BasePath;     // base folder read by ReadWindowsDirFile

namespace elSystem {

uint32_t Init();  // unsets every wait slot, ends text input, clips in full screen

// Wait slots: millisecond deadlines.  SetWait and InitWait take slots 1..10;
// IsWaitOver also reads slot 11.
uint32_t SetWait(int32_t slot, uint32_t ms);
uint32_t InitWait(int32_t slot);
uint32_t IsWaitOver(int32_t slot);
// Sets slot 11 and spins on the millisecond timer for ms, then restarts the
// frame time.
void BusyWait(uint32_t ms);

// Beep, then a system-modal box titled "エラー発生" reading
// "function : message"; raises ErrorFlag.  Always returns 0.  `detail` goes
// only to the box's line on stderr: what the reader of the log needs besides
// the box's text, in English (a file's path and what is wrong with it).
uint32_t ErrorBox(const char* function, const char* message, uint32_t code = 0,
                  const std::string& detail = {});
uint32_t HasError();
uint32_t QuitOnError();  // RequestQuit when an error was shown; ErrorFlag

// printf-style boxes on MainWindow; both restart the frame time afterwards.
uint32_t Message(const char* format, ...) __attribute__((format(printf, 1, 2)));
uint32_t AskYesNo(const char* format, ...)  // 1 for Yes
    __attribute__((format(printf, 1, 2)));

// The orderly shutdown, once: cursor clip, fonts, sound, display, the
// single-instance lock, then the window's close message.  Returns 1.
uint32_t RequestQuit();
// Called with the name of each shutdown step just before it runs (tests and
// diagnostics); nullptr = nothing.
extern void (*QuitStepHook)(const char* step);

void EnableIme(int32_t flag);
void Release();  // the module's part of the shutdown: no cursor clip
void SetActive(uint32_t flag);
void OnActivate(uint32_t flag);

// Cursor clipping (screen coordinates) and the cursor position.
void ClipCursorRect(int32_t left, int32_t top, int32_t right, int32_t bottom);
void ClipCursorToScreen();
void UnclipCursor();
uint32_t IsCursorClipped();
void SetMousePos(int32_t x, int32_t y);  // client position

// The program's folder with a trailing '/'.  With flag 1 and a base folder
// read by ReadWindowsDirFile: that folder, '/', and the name of the program's
// own folder with a trailing '/'.
const std::string& GetExePath(int32_t flag);
// Reads the first line of `name` in the system's settings folder into
// BasePath; BasePath is empty when the file cannot be read.
void ReadWindowsDirFile(const char* name);
// The settings folder ReadWindowsDirFile reads from: $XDG_CONFIG_HOME, else
// $HOME/.config.
std::string SystemSettingsDir();

// One number in a small text file in GetExePath(1).  A file that cannot be
// opened is skipped; reading one that cannot be opened or holds no number
// gives 0.
void WriteNumberFile(const char* name, int32_t n);
int32_t ReadNumberFile(const char* name);
void WriteNumberFile2(const char* name, int32_t n);
int32_t ReadNumberFile2(const char* name);

// The local date and the weekday as one Shift-JIS character ("日" .. "土").
void GetDateString(int32_t& year, int32_t& month, int32_t& day,
                   std::string& weekday);
const char* WeekdayText(int32_t weekday);  // 0 Sunday .. 6; "" for others
void GetTimeOfDay(int32_t& hour, int32_t& minute, int32_t& second);
// Free bytes of the file system of the program's folder (this system has no
// drive letters; any letter A..Z names it, anything else gives 0); figures
// past 4 GiB read 0xFFFFFFFF.
uint32_t GetDiskFree(char drive);
uint32_t GetFreeMemory();  // available memory, saturating like GetDiskFree
int32_t GetWindowsVersion();
int32_t VersionNumber(const os::SystemVersion& version);  // the formula of it
int32_t GetScreenBits();   // bits per pixel of the desktop
uint32_t IsWindowed();
uint32_t CheckScreenDepth(const char* name);
const std::string& GetCommandLine();

}  // namespace elSystem
