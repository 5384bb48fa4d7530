// The cursor clip of an SDL window, held by the window system.
#pragma once
#include <SDL.h>

#include "os/system.h"

namespace os::sdl {

// Keeps the pointer inside `clip` (the game's screen pixels, right and bottom
// excluded) through SDL's window mouse rectangle, in the window's own pixels
// after the picture's scaling; SDL holds it while the window has the focus
// (on X with pointer barriers).  A full-screen window is the game's whole
// screen, so its clip is taken from the window's corner; a caption window's
// from the screen's.  What lies outside the window is cut off; with nothing
// left, or with no clip, the pointer goes free.
void ConfinePointer(SDL_Window* window, SDL_Renderer* renderer, bool full_screen,
                    const Rect* clip);

}  // namespace os::sdl
