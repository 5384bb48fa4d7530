#include "os/sdl/sdl_display_gone.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <dlfcn.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "os/system.h"

namespace os::sdl {
namespace {

// The process that set the hook: a child forked from it shares the
// connection, and only the program itself speaks of its end.
pid_t g_owner = 0;

[[noreturn]] void EndForLostDisplay(const std::string& why) {
  EndAtOnce("the display went away: " + why);
}

// ---- X11 ----
// Xlib's calls, from the copy of libX11 that SDL loaded (Display* as void*).
using XIOErrorHandler = int (*)(void* display);
using XSetIOErrorHandlerCall = XIOErrorHandler (*)(XIOErrorHandler);
using XDisplayStringCall = char* (*)(void* display);
using XConnectionNumberCall = int (*)(void* display);
XDisplayStringCall g_display_string = nullptr;
XConnectionNumberCall g_connection_number = nullptr;

// Whether the other end of the display's socket has closed it: it reads as
// the end of the stream.
bool ServerClosed(int fd) {
  pollfd ready{fd, POLLIN, 0};
  if (fd < 0 || ::poll(&ready, 1, 0) <= 0) return false;
  if (ready.revents & (POLLHUP | POLLERR)) return true;
  char byte = 0;
  return ::recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT) == 0;
}

// Xlib's fatal I/O error: its connection to the server is dead.  Xlib's own
// handler would print and exit(), and the exit's destructors would wait on
// the dead connection for good.
int OnXIOError(void* display) {
  const int error = errno;
  if (::getpid() != g_owner) ::_exit(1);
  const char* name = g_display_string ? g_display_string(display) : nullptr;
  const std::string server =
      std::string("the X server at ") + (name && *name ? name : "(unnamed display)");
  if (g_connection_number && ServerClosed(g_connection_number(display))) {
    EndForLostDisplay(server + " closed the connection");
  }
  if (error != 0) {
    EndForLostDisplay("I/O error on the connection to " + server + ": " + std::strerror(error));
  }
  EndForLostDisplay("the connection to " + server + " failed");
}

void HookX11() {
  // The library SDL loaded, not a second copy.
  void* x11 = ::dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
  if (!x11) return;
  auto set = reinterpret_cast<XSetIOErrorHandlerCall>(::dlsym(x11, "XSetIOErrorHandler"));
  if (!set) return;
  g_display_string = reinterpret_cast<XDisplayStringCall>(::dlsym(x11, "XDisplayString"));
  g_connection_number = reinterpret_cast<XConnectionNumberCall>(::dlsym(x11, "XConnectionNumber"));
  set(&OnXIOError);
}

// ---- Wayland ----
// SDL turns a failed connection to the compositor into the quit event, which
// would end the program as if asked to; the display then holds the error.
using WlDisplayGetErrorCall = int (*)(void* display);
WlDisplayGetErrorCall g_wl_display_get_error = nullptr;
void* g_wl_display = nullptr;  // learnt from the first window that has an event

int WatchWaylandEvents(void*, SDL_Event* event) {
  if (event->type == SDL_WINDOWEVENT && !g_wl_display) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    SDL_Window* window = SDL_GetWindowFromID(event->window.windowID);
    if (window && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_WAYLAND) {
      g_wl_display = info.info.wl.display;
    }
  } else if (event->type == SDL_QUIT && g_wl_display) {
    const int error = g_wl_display_get_error(g_wl_display);
    if (error == 0) return 1;
    const char* name = std::getenv("WAYLAND_DISPLAY");
    const std::string compositor =
        std::string("the Wayland compositor at ") + (name && *name ? name : "wayland-0");
    if (error == EPIPE || error == ECONNRESET) {
      EndForLostDisplay(compositor + " closed the connection");
    }
    EndForLostDisplay("error on the connection to " + compositor + ": " + std::strerror(error));
  }
  return 1;
}

void HookWayland() {
  void* wayland = ::dlopen("libwayland-client.so.0", RTLD_LAZY | RTLD_NOLOAD);
  if (!wayland) return;
  g_wl_display_get_error =
      reinterpret_cast<WlDisplayGetErrorCall>(::dlsym(wayland, "wl_display_get_error"));
  if (g_wl_display_get_error) SDL_AddEventWatch(&WatchWaylandEvents, nullptr);
}

}  // namespace

void EndAtOnce(const std::string& what) {
  if (::getpid() == g_owner) SayLine("vantris: %s", Printable(what).c_str());
  std::fflush(stdout);
  ::_exit(1);
}

void EndWhenTheDisplayGoes() {
  g_owner = ::getpid();
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver && std::strcmp(driver, "x11") == 0) HookX11();
  if (driver && std::strcmp(driver, "wayland") == 0) HookWayland();
}

}  // namespace os::sdl
