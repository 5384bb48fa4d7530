#include "os/sdl/x11_full_screen.h"

#include "os/sdl/x11_window.h"

namespace os::sdl {

#if defined(SDL_VIDEO_DRIVER_X11)

namespace {

// The window's state list says full screen, as a window manager would have
// set it on SDL's request: the list is replaced by that one state (a window
// no one manages has no other).
void MarkFullScreen(Display* display, ::Window shown) {
  const Atom state = XInternAtom(display, "_NET_WM_STATE", False);
  const Atom full = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, left = 0;
  unsigned char* data = nullptr;
  const bool set = XGetWindowProperty(display, shown, state, 0, 1, False, XA_ATOM, &type,
                                      &format, &count, &left, &data) == Success &&
                   type == XA_ATOM && format == 32 && count == 1 && left == 0 &&
                   reinterpret_cast<const Atom*>(data)[0] == full;
  if (data) XFree(data);
  if (set) return;
  XChangeProperty(display, shown, state, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&full), 1);
}

}  // namespace

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
  MarkFullScreen(display, shown);
  int x = 0, y = 0;
  ::Window child = 0;
  XTranslateCoordinates(display, shown, attributes.root, 0, 0, &x, &y, &child);
  if (x == bounds.x && y == bounds.y && attributes.width == bounds.w &&
      attributes.height == bounds.h) {
    XFlush(display);
    return false;
  }
  XMoveResizeWindow(display, shown, bounds.x, bounds.y, static_cast<unsigned>(bounds.w),
                    static_cast<unsigned>(bounds.h));
  XRaiseWindow(display, shown);
  XSync(display, False);
  return true;
}

void TakeKeyboardWithoutWindowManager(SDL_Window* window, bool full_screen) {
  Display* display = nullptr;
  ::Window shown = 0;
  if (!X11Of(window, &display, &shown)) return;
  // Asked of the server: SDL says the keyboard is lost only a while after.
  ::Window focus = 0;
  int revert = 0;
  XGetInputFocus(display, &focus, &revert);
  if (focus == shown) return;
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, shown, &attributes) ||
      attributes.map_state != IsViewable || WindowManagerRuns(display, attributes.root))
    return;
  if (full_screen) CoverDisplayWithoutWindowManager(window);
  // The window may be unmapped by now (focus on it then fails).
  XErrorTrap trap(display);
  XRaiseWindow(display, shown);
  XSetInputFocus(display, shown, RevertToParent, CurrentTime);
  trap.Sync();
}

#else

bool CoverDisplayWithoutWindowManager(SDL_Window*) { return false; }
void TakeKeyboardWithoutWindowManager(SDL_Window*, bool) {}

#endif

}  // namespace os::sdl
