// The X window behind an SDL window, for the few things SDL does not do on
// X: whether a window manager runs, and X requests whose errors the caller
// expects and handles.  Xlib's names (Window, Display, None) clash with the
// os layer's, so only the X11 files include this header, never the backend.
#pragma once
#include <SDL.h>
#include <SDL_syswm.h>  // Xlib too, where SDL was built with X11

#if defined(SDL_VIDEO_DRIVER_X11)

namespace os::sdl {

// The display connection and the X window of `window`; false where the
// window is not an X11 one (another video driver) or is gone.
bool X11Of(SDL_Window* window, Display** display, ::Window* x_window);

// Whether a window manager runs on the screen of `root`: the one client
// that redirects the configure and map requests of the root's children.
// Unknown counts as running (nothing is then done in its place).
bool WindowManagerRuns(Display* display, ::Window root);

// Catches the X errors of the requests made while it lives on `display`
// instead of letting them end the program, for requests whose failure the
// caller expects (a window that may be gone, focus on a window that may be
// unmapped).  Traps nest; each puts back the handler it found.
class XErrorTrap {
 public:
  explicit XErrorTrap(Display* display);
  ~XErrorTrap();
  XErrorTrap(const XErrorTrap&) = delete;
  XErrorTrap& operator=(const XErrorTrap&) = delete;
  // Waits for the server to have handled every request made so far and
  // returns the first error code among them (0, Success, when none failed).
  int Sync();

 private:
  Display* display_;
  int (*previous_)(Display*, XErrorEvent*);
  XErrorTrap* outer_;
  int error_ = 0;
  friend int TrapXError(Display*, XErrorEvent*);
};

}  // namespace os::sdl

#endif
