// The libraries beneath SDL keep their words off the standard error: SDL's
// own log goes nowhere, and ALSA's errors and the Wayland client's log go to
// hooks here, which keep the first message each gave for the one line the
// program writes when something fails.  What has no hook is kept off stderr
// around each call (os/stderr_divert.h).
#pragma once
#include <string>

namespace os::sdl {

// Sets the hooks, once; call before SDL first starts a subsystem.  A library
// that is not installed has nothing to hook.
void HushLibraries();

// The first message of each hooked library since the last take, without the
// library's prefixes and the end of its sentence; empty when it said nothing.
struct LibraryWords {
  std::string alsa;
  std::string wayland;
};
LibraryWords TakeLibraryWords();

}  // namespace os::sdl
