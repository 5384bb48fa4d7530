// The game window on an X server that no window manager runs on, from the
// start or since the one that ran ended.  SDL asks the window manager to
// make a full-screen window cover its display; with none there the window
// keeps the size and place it was created with, while SDL lays the picture
// out for the whole display, and the request is lost for a window manager
// that starts later.  Nor does anyone give the window the keyboard on a
// click.  Kept apart from the backend because Xlib's names (Window, Display,
// None) would clash with the os layer's.
#pragma once

struct SDL_Window;

namespace os::sdl {

// Where `window` is on X and no window manager runs: marks the window full
// screen in its own state (the standard _NET_WM_STATE property, which a
// window manager that starts later reads when it takes the window over: no
// frame, the whole display) and, where the window does not cover its
// display, moves and sizes it to the display's bounds (the X server carries
// that out at once when no one redirects it).  A window manager, elsewhere,
// does both itself, maybe a little later: then, and on any other video
// driver, nothing is done.  True when the window was moved.
bool CoverDisplayWithoutWindowManager(SDL_Window* window);

// A click on `window`: where it is on X, has not the keyboard and no window
// manager runs, it comes to the top and takes the keyboard, as a window
// manager would give it (one that ended left the keyboard to no one), and a
// `full_screen` window covers its display again (a window manager ending
// may give it back its size from before full screen).
void TakeKeyboardWithoutWindowManager(SDL_Window* window, bool full_screen);

}  // namespace os::sdl
