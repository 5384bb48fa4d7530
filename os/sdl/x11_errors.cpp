#include "os/sdl/x11_errors.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "os/sdl/sdl_display_gone.h"
#include "os/sdl/x11_window.h"

namespace os::sdl {

#if defined(SDL_VIDEO_DRIVER_X11)

namespace {

Display* g_display = nullptr;  // the game window's connection
::Window g_window = 0;         // the game window

// The display's extensions by major opcode, learnt while requests may be
// made (the handler may make none).
struct Extension {
  int major;
  std::string name;
};
std::vector<Extension> g_extensions;

void LearnExtensions(Display* display) {
  g_extensions.clear();
  int count = 0;
  char** names = XListExtensions(display, &count);
  if (!names) return;
  for (int i = 0; i < count; ++i) {
    int major = 0, event = 0, error = 0;
    if (XQueryExtension(display, names[i], &major, &event, &error)) {
      g_extensions.push_back(Extension{major, names[i]});
    }
  }
  XFreeExtensionList(names);
}

// A name from Xlib's error database (no request is made), `fallback` where
// it has none.
std::string DatabaseText(Display* display, const std::string& key, const std::string& fallback) {
  char text[128] = "";
  XGetErrorDatabaseText(display, "XRequest", key.c_str(), "", text, sizeof text);
  return *text ? std::string(text) : fallback;
}

// The failed request's name, e.g. X_GetWindowAttributes, or MIT-SHM's
// X_ShmPutImage; its numbers where it has none.
std::string RequestName(Display* display, const XErrorEvent& error) {
  const int major = error.request_code;
  const int minor = error.minor_code;
  if (major < 128) {
    return DatabaseText(display, std::to_string(major), "request " + std::to_string(major));
  }
  for (const Extension& extension : g_extensions) {
    if (extension.major != major) continue;
    return DatabaseText(display, extension.name + "." + std::to_string(minor),
                        extension.name + " request " + std::to_string(minor));
  }
  return "request " + std::to_string(major) + "." + std::to_string(minor);
}

int OnXError(Display* display, XErrorEvent* error) {
  if (display == g_display && g_window != 0 && error->resourceid == g_window &&
      (error->error_code == BadWindow || error->error_code == BadDrawable)) {
    EndAtOnce("the window went away: another X client destroyed it");
  }
  char text[160] = "";
  XGetErrorText(display, error->error_code, text, sizeof text);
  char resource[32] = "";
  std::snprintf(resource, sizeof resource, "0x%lx", error->resourceid);
  EndAtOnce(std::string("the X server refused a request: ") + text + " in " +
            RequestName(display, *error) + " on resource " + resource);
}

}  // namespace

void EndOnUnexpectedXErrors() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver && std::strcmp(driver, "x11") == 0) XSetErrorHandler(&OnXError);
}

void NoteGameWindow(SDL_Window* window) {
  Display* display = nullptr;
  ::Window shown = 0;
  g_window = 0;
  if (!X11Of(window, &display, &shown)) return;
  if (display != g_display) LearnExtensions(display);
  g_display = display;
  g_window = shown;
}

#else

void EndOnUnexpectedXErrors() {}
void NoteGameWindow(SDL_Window*) {}

#endif

}  // namespace os::sdl
