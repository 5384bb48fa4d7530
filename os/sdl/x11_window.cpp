#include "os/sdl/x11_window.h"

#if defined(SDL_VIDEO_DRIVER_X11)

namespace os::sdl {
namespace {

XErrorTrap* g_trap = nullptr;  // the innermost trap; X is used from the main thread only

}  // namespace

int TrapXError(Display* display, XErrorEvent* error) {
  for (XErrorTrap* trap = g_trap; trap; trap = trap->outer_) {
    if (trap->display_ != display) continue;
    if (trap->error_ == 0) trap->error_ = error->error_code;
    return 0;
  }
  // An error on another connection is not the trap's to keep.
  XErrorTrap* outermost = g_trap;
  while (outermost && outermost->outer_) outermost = outermost->outer_;
  return outermost && outermost->previous_ ? outermost->previous_(display, error) : 0;
}

XErrorTrap::XErrorTrap(Display* display) : display_(display), outer_(g_trap) {
  XSync(display_, False);  // earlier requests' errors are not this trap's
  previous_ = XSetErrorHandler(&TrapXError);
  g_trap = this;
}

XErrorTrap::~XErrorTrap() {
  XSync(display_, False);
  g_trap = outer_;
  XSetErrorHandler(previous_);
}

int XErrorTrap::Sync() {
  XSync(display_, False);
  return error_;
}

bool X11Of(SDL_Window* window, Display** display, ::Window* x_window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
    return false;
  *display = info.info.x11.display;
  *x_window = info.info.x11.window;
  return *display != nullptr && *x_window != 0;
}

bool WindowManagerRuns(Display* display, ::Window root) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, root, &attributes)) return true;
  return (attributes.all_event_masks & SubstructureRedirectMask) != 0;
}

}  // namespace os::sdl

#endif
