#include "os/sdl/x11_other_copy.h"

#include "os/sdl/x11_window.h"

#if defined(SDL_VIDEO_DRIVER_X11)

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace os::sdl {
namespace {

// The property of the program's own that names a window's class.
constexpr const char* kClassProperty = "_VANTRIS_WINDOW_CLASS";
// How deep under a root a client window may lie: a window manager's frame
// holds it (in a frame of its own, with some).
constexpr int kDepth = 4;
// How long the window manager is given to make the window the active one.
constexpr auto kActivationWait = std::chrono::seconds(2);

// A connection of its own to the display SDL's video runs on ($DISPLAY):
// the second copy has no window, so none of SDL's.
class Connection {
 public:
  Connection() : display_(XOpenDisplay(nullptr)) {}
  ~Connection() {
    if (display_) XCloseDisplay(display_);
  }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  Display* get() const { return display_; }
  // Why there is none, for the line the second copy says.
  static std::string Refused() {
    const char* name = std::getenv("DISPLAY");
    return std::string("the display ") + (name && *name ? name : "(unnamed)") +
           " cannot be opened a second time";
  }

 private:
  Display* display_;
};

// The value of `property` on `window` when it is of `type` (any type for
// AnyPropertyType) in 8-bit items; false when it is not there.
bool ReadText(Display* display, ::Window window, Atom property, Atom type, std::string* value) {
  Atom actual = None;
  int format = 0;
  unsigned long items = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, property, 0, 64, False, type, &actual, &format, &items,
                         &after, &data) != Success)
    return false;
  const bool found = actual != None && (type == AnyPropertyType || actual == type) &&
                     format == 8 && data != nullptr;
  if (found) value->assign(reinterpret_cast<const char*>(data), items);
  if (data) XFree(data);
  return found;
}

// The 32-bit items of `property` on `window` when it is of `type`.
bool ReadLongs(Display* display, ::Window window, Atom property, Atom type, long length,
               std::vector<long>* values) {
  Atom actual = None;
  int format = 0;
  unsigned long items = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, property, 0, length, False, type, &actual, &format,
                         &items, &after, &data) != Success)
    return false;
  const bool found = actual == type && format == 32 && data != nullptr;
  if (found) {
    const long* longs = reinterpret_cast<const long*>(data);  // Xlib's 32-bit items are longs
    values->assign(longs, longs + items);
  }
  if (data) XFree(data);
  return found;
}

bool HasProperty(Display* display, ::Window window, Atom property) {
  Atom actual = None;
  int format = 0;
  unsigned long items = 0, after = 0;
  unsigned char* data = nullptr;
  const bool read = XGetWindowProperty(display, window, property, 0, 0, False, AnyPropertyType,
                                       &actual, &format, &items, &after, &data) == Success;
  if (data) XFree(data);
  return read && actual != None;
}

// What marks the window looked for.
struct Wanted {
  Atom class_property = None, pid = None, net_name = None, utf8 = None;
  std::string class_name, caption, host;
  long process = 0;
};

bool IsWanted(Display* display, ::Window window, const Wanted& wanted) {
  std::string text;
  if (!ReadText(display, window, wanted.class_property, XA_STRING, &text) ||
      text != wanted.class_name)
    return false;
  std::vector<long> pid;
  if (!ReadLongs(display, window, wanted.pid, XA_CARDINAL, 1, &pid) || pid.size() != 1 ||
      pid[0] != wanted.process)
    return false;
  // A process id names a process of the machine that set it.
  if (ReadText(display, window, XA_WM_CLIENT_MACHINE, AnyPropertyType, &text) &&
      text != wanted.host)
    return false;
  if (wanted.net_name != None && wanted.utf8 != None &&
      ReadText(display, window, wanted.net_name, wanted.utf8, &text))
    return text == wanted.caption;
  return ReadText(display, window, XA_WM_NAME, AnyPropertyType, &text) && text == wanted.caption;
}

// The window wanted in the tree under `window`, topmost first; a client
// window (one with a class) is not looked into.
::Window Search(Display* display, ::Window window, const Wanted& wanted, int depth) {
  if (IsWanted(display, window, wanted)) return window;
  if (depth == 0 || HasProperty(display, window, XA_WM_CLASS)) return 0;
  ::Window root = 0, parent = 0;
  ::Window* children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, window, &root, &parent, &children, &count)) return 0;
  ::Window found = 0;
  for (unsigned i = count; i-- > 0 && found == 0;) {
    found = Search(display, children[i], wanted, depth - 1);
  }
  if (children) XFree(children);
  return found;
}

bool Supports(Display* display, ::Window root, Atom atom) {
  const Atom supported = XInternAtom(display, "_NET_SUPPORTED", True);
  std::vector<long> atoms;
  if (supported == None || !ReadLongs(display, root, supported, XA_ATOM, 4096, &atoms))
    return false;
  for (long item : atoms) {
    if (static_cast<Atom>(item) == atom) return true;
  }
  return false;
}

// The window manager's active window is `window`, or a box of it (a modal
// window it hands the focus to).
bool IsActive(Display* display, ::Window root, Atom active, ::Window window) {
  std::vector<long> value;
  if (!ReadLongs(display, root, active, XA_WINDOW, 1, &value) || value.size() != 1) return false;
  const ::Window now = static_cast<::Window>(value[0]);
  ::Window owner = 0;
  return now == window || (now != 0 && XGetTransientForHint(display, now, &owner) && owner == window);
}

// Asks the window manager to activate the window as a pager does (it
// de-iconifies, raises and focuses it) and waits for it to have done so.
bool Activate(Display* display, ::Window root, ::Window window, Atom active, std::string* why) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = active;
  event.xclient.format = 32;
  event.xclient.data.l[0] = 2;  // the request comes from a pager: the user's
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XSync(display, False);
  const auto until = std::chrono::steady_clock::now() + kActivationWait;
  for (;;) {
    if (IsActive(display, root, active, window)) return true;
    if (std::chrono::steady_clock::now() >= until) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  *why = "the window manager did not make it the active window";
  return false;
}

}  // namespace

void MarkWindowClass(SDL_Window* window, const char* class_name) {
  Display* display = nullptr;
  ::Window shown = 0;
  if (!class_name || !X11Of(window, &display, &shown)) return;
  const Atom property = XInternAtom(display, kClassProperty, False);
  XChangeProperty(display, shown, property, XA_STRING, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(class_name),
                  static_cast<int>(std::strlen(class_name)));
  XFlush(display);
}

uint64_t FindMarkedWindow(const char* class_name, const char* caption, long pid,
                          std::string* why) {
  Connection connection;
  Display* display = connection.get();
  if (!display) {
    *why = Connection::Refused();
    return 0;
  }
  Wanted wanted;
  wanted.class_name = class_name ? class_name : "";
  wanted.caption = caption ? caption : "";
  wanted.process = pid;
  char host[256] = {};
  if (::gethostname(host, sizeof host - 1) == 0) wanted.host = host;
  // Atoms that were never made name no property of any window.
  wanted.class_property = XInternAtom(display, kClassProperty, True);
  wanted.pid = XInternAtom(display, "_NET_WM_PID", True);
  wanted.net_name = XInternAtom(display, "_NET_WM_NAME", True);
  wanted.utf8 = XInternAtom(display, "UTF8_STRING", True);
  ::Window found = 0;
  if (wanted.class_property != None && wanted.pid != None) {
    // Windows come and go while the trees are read.
    XErrorTrap trap(display);
    for (int screen = 0; screen < ScreenCount(display) && found == 0; ++screen) {
      found = Search(display, RootWindow(display, screen), wanted, kDepth);
    }
  }
  if (found == 0) *why = std::string("no window of it is on the display ") + DisplayString(display);
  return found;
}

bool BringMarkedWindowForward(uint64_t id, std::string* why) {
  Connection connection;
  Display* display = connection.get();
  if (!display) {
    *why = Connection::Refused();
    return false;
  }
  const ::Window window = static_cast<::Window>(id);
  XErrorTrap trap(display);
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) {
    *why = "its window has gone";
    return false;
  }
  const ::Window root = attributes.root;
  if (WindowManagerRuns(display, root)) {
    const Atom active = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    if (Supports(display, root, active)) return Activate(display, root, window, active, why);
    // A window manager without the activation request: mapping and raising
    // go to it as requests, which de-iconifies and raises the window.
    XMapRaised(display, window);
  } else {
    // No one else places or focuses windows: the window is mapped, raised
    // and given the keyboard here.
    XMapRaised(display, window);
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
  }
  if (const int error = trap.Sync()) {
    char text[128] = {};
    XGetErrorText(display, error, text, sizeof text - 1);
    *why = std::string("the X server refused it: ") + text;
    return false;
  }
  return true;
}

}  // namespace os::sdl

#else

namespace os::sdl {

void MarkWindowClass(SDL_Window*, const char*) {}

uint64_t FindMarkedWindow(const char*, const char*, long, std::string* why) {
  *why = "the game was built without X11";
  return 0;
}

bool BringMarkedWindowForward(uint64_t, std::string* why) {
  *why = "the game was built without X11";
  return false;
}

}  // namespace os::sdl

#endif
