#include "os/sdl/sdl_display_gone.h"

#include <SDL.h>
#include <dlfcn.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "os/system.h"

namespace os::sdl {
namespace {

// The process that set the hook: SDL's own message box may run in a child
// of it, whose end its parent hears of.
pid_t g_owner = 0;

[[noreturn]] void EndForLostDisplay(const std::string& why) {
  SayLine("vantris: the display went away: %s", why.c_str());
  std::fflush(stdout);
  ::_exit(1);
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

}  // namespace

void EndWhenTheDisplayGoes() {
  g_owner = ::getpid();
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver && std::strcmp(driver, "x11") == 0) HookX11();
}

}  // namespace os::sdl
