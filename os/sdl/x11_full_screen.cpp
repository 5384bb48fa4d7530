#include "os/sdl/x11_full_screen.h"

#include "os/sdl/x11_window.h"

namespace os::sdl {

#if defined(SDL_VIDEO_DRIVER_X11)

bool CoverDisplayWithoutWindowManager(SDL_Window* window) {
  Display* display = nullptr;
  ::Window shown = 0;
  if (!X11Of(window, &display, &shown)) return false;
  SDL_Rect bounds{};
  const int index = SDL_GetWindowDisplayIndex(window);
  // X sizes are 16-bit.
  if (index < 0 || SDL_GetDisplayBounds(index, &bounds) != 0 || bounds.w <= 0 ||
      bounds.h <= 0 || bounds.w > 32767 || bounds.h > 32767)
    return false;
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, shown, &attributes)) return false;
  if (WindowManagerRuns(display, attributes.root)) return false;
  int x = 0, y = 0;
  ::Window child = 0;
  XTranslateCoordinates(display, shown, attributes.root, 0, 0, &x, &y, &child);
  if (x == bounds.x && y == bounds.y && attributes.width == bounds.w &&
      attributes.height == bounds.h)
    return false;
  XMoveResizeWindow(display, shown, bounds.x, bounds.y, static_cast<unsigned>(bounds.w),
                    static_cast<unsigned>(bounds.h));
  XRaiseWindow(display, shown);
  XSync(display, False);
  return true;
}

#else

bool CoverDisplayWithoutWindowManager(SDL_Window*) { return false; }

#endif

}  // namespace os::sdl
