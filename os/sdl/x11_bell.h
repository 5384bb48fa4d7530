// The display's bell, for the error beep.
#pragma once
#include <SDL.h>

namespace os::sdl {

// Rings the bell of the X display that `window` is on, at the volume the
// user set for it (a desktop may play its alert sound or flash instead);
// false where the window is not an X11 one.
bool RingX11Bell(SDL_Window* window);

}  // namespace os::sdl
