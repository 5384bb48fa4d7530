// Full screen on an X server that no window manager runs on.  SDL asks the
// window manager to make a full-screen window cover its display; with none
// there the window keeps the size and place it was created with, while SDL
// lays the picture out for the whole display.  Kept apart from the backend
// because Xlib's names (Window, Display, None) would clash with the os
// layer's.
#pragma once

struct SDL_Window;

namespace os::sdl {

// Where `window` is on X, no window manager runs and the window does not
// cover its display, moves and sizes it to the display's bounds (the X
// server carries that out at once when no one redirects it).  A window
// manager, elsewhere, does this itself, maybe a little later: then, and on
// any other video driver, nothing is done.  True when the window was moved.
bool CoverDisplayWithoutWindowManager(SDL_Window* window);

}  // namespace os::sdl
