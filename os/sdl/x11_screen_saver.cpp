#include "os/sdl/x11_screen_saver.h"

#include "os/sdl/x11_window.h"

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/extensions/scrnsaver.h>
#endif

namespace os::sdl {

#if defined(SDL_VIDEO_DRIVER_X11)

void LetX11ScreenSaverRun(SDL_Window* window) {
  Display* display = nullptr;
  ::Window x_window = 0;
  if (!X11Of(window, &display, &x_window)) return;
  int event_base = 0, error_base = 0, major = 0, minor = 0;
  // Suspending came with version 1.1 of the extension.
  if (!XScreenSaverQueryExtension(display, &event_base, &error_base) ||
      !XScreenSaverQueryVersion(display, &major, &minor) || major < 1 ||
      (major == 1 && minor < 1)) {
    return;
  }
  XScreenSaverSuspend(display, False);
  XFlush(display);
}

#else

void LetX11ScreenSaverRun(SDL_Window*) {}

#endif

}  // namespace os::sdl
