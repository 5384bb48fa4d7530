// The X server's own screen saver, given back.
#pragma once
#include <SDL.h>

namespace os::sdl {

// After SDL_EnableScreenSaver: where the desktop has no screen saver service
// on D-Bus, SDL holds the X server's screen saver off through the server's
// screen saver extension, and SDL 2.26 never lets it go there again.  This
// does, on the display of `window` (nothing where it is not an X11 window or
// the screen saver was not held off).
void LetX11ScreenSaverRun(SDL_Window* window);

}  // namespace os::sdl
