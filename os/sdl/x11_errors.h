// X protocol errors that nothing expected.  Xlib's own handler prints six
// lines and exits, and the exit's destructors talk to a window that may be
// gone; here the program says what failed in one line of its own and ends at
// once with status 1, as when the display goes away (sdl_display_gone.h).
// Errors that SDL or the X11 files expect stay harmless: both catch them
// with handlers of their own set around the requests (XErrorTrap), which
// stand in front of this one while they live.
#pragma once

struct SDL_Window;

namespace os::sdl {

// Sets the handler where SDL's video driver is X11; call once SDL's video
// is up (SDL sets its own handler while it starts).
void EndOnUnexpectedXErrors();

// The game's window, once created (nullptr before it is destroyed): a
// request on it that finds no such window means another client destroyed
// it, which the line says.  Also
// learns the names of the display's extensions, for the line to name an
// extension's request that failed.
void NoteGameWindow(SDL_Window* window);

}  // namespace os::sdl
