#include "os/sdl/x11_full_screen.h"

#include <SDL.h>
#include <SDL_syswm.h>  // Xlib too, where SDL was built with X11

namespace os::sdl {

#if defined(SDL_VIDEO_DRIVER_X11)

namespace {

// A window manager is the one client that redirects the configure and map
// requests of the root's children; without it the server carries them out.
bool WindowManagerRuns(Display* display, ::Window root) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, root, &attributes)) return true;  // unknown: leave it be
  return (attributes.all_event_masks & SubstructureRedirectMask) != 0;
}

}  // namespace

bool CoverDisplayWithoutWindowManager(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
    return false;
  SDL_Rect bounds{};
  const int index = SDL_GetWindowDisplayIndex(window);
  // X sizes are 16-bit.
  if (index < 0 || SDL_GetDisplayBounds(index, &bounds) != 0 || bounds.w <= 0 ||
      bounds.h <= 0 || bounds.w > 32767 || bounds.h > 32767)
    return false;
  Display* display = info.info.x11.display;
  const ::Window shown = info.info.x11.window;
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
