#include "os/sdl/x11_bell.h"

#include "os/sdl/x11_window.h"

namespace os::sdl {

#if defined(SDL_VIDEO_DRIVER_X11)

bool RingX11Bell(SDL_Window* window) {
  Display* display = nullptr;
  ::Window x_window = 0;
  if (!X11Of(window, &display, &x_window)) return false;
  XBell(display, 0);
  XFlush(display);
  return true;
}

#else

bool RingX11Bell(SDL_Window*) { return false; }

#endif

}  // namespace os::sdl
