// Another copy of the program on the same X display: its game window is
// marked with the window class the program gave it, so that a second copy
// finds that window (and no other program's) and brings it forward.
#pragma once
#include <SDL.h>

#include <cstdint>
#include <string>

namespace os::sdl {

// Marks the X window of `window` as the program's window of `class_name`
// (a property of the program's own).  Nothing where it is no X window.
void MarkWindowClass(SDL_Window* window, const char* class_name);

// Finds, on the X display SDL's video runs on, the top-level window of the
// process `pid` on this machine whose caption is `caption` and that is
// marked with `class_name`; its X id, or 0 with why it was not found.
uint64_t FindMarkedWindow(const char* class_name, const char* caption, long pid,
                          std::string* why);

// Brings the window found forward: de-iconified, raised and given the
// keyboard, through the window manager's activation where one runs, else
// itself.  False with why when it could not be done.
bool BringMarkedWindowForward(uint64_t window, std::string* why);

}  // namespace os::sdl
