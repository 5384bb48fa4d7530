// The window and input state that the library shares with the shell.  The
// shell owns the window procedure that writes most of it; the library reads it
// (message boxes, cursor clipping, key edges, the orderly shutdown).  The
// shell's InitAppState puts every value back to its start value.
#pragma once
#include <cstdint>
#include <string>

#include "os/system.h"

extern os::Window MainWindow;     // the one window, owner of every box
extern os::Lock InstanceMutex;    // the single-instance lock, 0 when none
extern std::string CommandLine;   // copy of the command line
extern uint32_t FullScreen;       // 1 full-screen pop-up, 0 caption window
extern uint32_t AppActive;        // 1 while the application is the active one
extern uint32_t CursorVisible;    // 1 while the mouse cursor is shown
extern uint32_t MessageBoxOpen;   // 1 while Message or AskYesNo shows a box
extern int32_t WindowX;           // screen position of the client area
extern int32_t WindowY;
extern os::Rect PresentRect;      // screen rectangle the present draws into

extern int32_t MouseX;            // client position of the mouse
extern int32_t MouseY;
extern uint32_t MouseButton;      // 1 left held, 2 right held, 0 released
extern uint32_t LastMouseButton;  // last button pressed (1 left, 2 right)
extern uint32_t LeftButtonDown;
extern uint32_t RightButtonDown;
extern uint32_t LeftClick;        // raised by a press, cleared after a frame
extern uint32_t RightClick;
extern uint32_t LeftDoubleClick;
extern uint32_t RightDoubleClick;
extern uint32_t TextInputClick;   // left button held in text-input mode

extern uint32_t LastKey;          // key last pressed, 0 once it is released
extern uint32_t LastKeyCopy;      // the same code, cleared only by WaitForKeys
extern uint32_t OverlayKey;       // key taken while the picture overlay is on
extern uint32_t TextInputKey;     // key taken while text input is on
extern uint32_t CountedKey;       // key whose releases are counted
extern uint32_t KeyUpCount;       // releases of CountedKey

extern uint32_t QuitState;        // 0 running, 1 close asked, 2 shut down
extern int32_t NextScene;         // scene entered when a forward transition ends
extern uint32_t CursorClipOption; // 1 = the screen start-up clips the cursor
