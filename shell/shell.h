// The program's entry, its window procedure and key handler, and the main
// loop with its scene dispatch.
#pragma once
#include <cstdint>

#include "os/system.h"

extern uintptr_t AppInstance;  // the instance handed to WinMain

// The program's entry: start-up, the message loop, then the exit status: 0
// for a normal end and for a second instance, 1 when the window could not be
// made (a failed start says so).
int WinMain(uintptr_t instance, uintptr_t previous_instance,
            const char* command_line, int show_command);

// Every shell global back to its start value.
void InitAppState();
// Takes the single-instance lock named after the caption; 0 when another
// instance holds it (that instance's window is brought to the front).
uint32_t CheckSingleInstance(const char* caption);
// The window procedure of the "DEFAULT" window class.
int64_t WindowProc(os::Window window, uint32_t msg, uint64_t wparam,
                   int64_t lparam);
// The shell's key handler: Escape, S and T; every key becomes LastKey.
void OnKeyDown(uint32_t code);
// Appends one formatted line to "DEBUG.TXT" in the current folder.
void WriteDebugLog(const char* format, ...) __attribute__((format(printf, 1, 2)));

// WinMain in its three parts, so that tests and tools can drive the loop one
// pass at a time.
//
// StartUp runs every start-up step up to the loop; unless it says Run,
// WinMain ends at once.
enum class StartUpResult {
  Run,             // the loop is next
  AlreadyRunning,  // another instance runs (its window was brought forward)
  Failed,          // the window could not be made (said on stderr)
};
StartUpResult StartUp(uintptr_t instance, const char* command_line, int show_command);
// 1 (the program's own setting): StartUp takes the single-instance lock, so
// that two games never share one display and one audio device.  A tool that
// plays the game with neither (the headless runner, the benchmarks) sets 0
// before StartUp: it neither takes the lock nor is refused by it, and any
// number of them run beside the game and beside each other.
extern uint32_t SingleInstanceLock;

// What one pass of the message loop did.
enum class LoopPass {
  Message,  // handled one window message
  Waited,   // inactive: waited for a message
  Idle,     // active, nothing was due: slept until a frame or a message
  Frame,    // active, a scene frame (or a forward transition's present) ran
  Quit,     // took the quit message: the loop is over
};
LoopPass RunLoopPass();
// True once RunLoopPass has taken the quit message.
bool LoopEnded();
// Count of scene frames (and forward-transition presents) run so far.
uint64_t LoopFrameCount();

// After the loop: makes sure nothing is left held (the release runs once
// whatever ended the loop) and gives WinMain's result.
int FinishWinMain();

// Called with the scene number right before each scene frame (tests and
// diagnostics); nullptr = nothing.
extern void (*SceneFrameHook)(int32_t scene);

// The idle pass alone (frame-time measure, entry latch, dispatch, entered
// flag, clicks, cursor); true when a frame ran.
bool IdlePass();
