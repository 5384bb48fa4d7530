// x11_probe: what the X server says of the desktop around the game, for the
// scripts that run it under Xvfb.
//   x11_probe saver          prints the screen saver's state: on, off or
//                            disabled
//   x11_probe bells          prints "ready" once it listens, then waits up to
//                            a minute for the keyboard's bell to ring and
//                            prints how often it rang; ends with 0 when it
//                            rang, 1 when not
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>
#include <poll.h>

#include <cstdio>
#include <cstring>

namespace {

int SaverState(Display* display) {
  int event_base = 0, error_base = 0;
  if (!XScreenSaverQueryExtension(display, &event_base, &error_base)) {
    std::fprintf(stderr, "x11_probe: no screen saver extension\n");
    return 2;
  }
  XScreenSaverInfo* info = XScreenSaverAllocInfo();
  if (!info || !XScreenSaverQueryInfo(display, DefaultRootWindow(display), info)) return 2;
  const char* state = info->state == ScreenSaverOn    ? "on"
                      : info->state == ScreenSaverOff ? "off"
                                                      : "disabled";
  std::printf("%s\n", state);
  XFree(info);
  return 0;
}

int Bells(Display* display) {
  int opcode = 0, event_base = 0, error_base = 0;
  int major = XkbMajorVersion, minor = XkbMinorVersion;
  if (!XkbQueryExtension(display, &opcode, &event_base, &error_base, &major, &minor)) {
    std::fprintf(stderr, "x11_probe: no keyboard extension\n");
    return 2;
  }
  XkbSelectEvents(display, XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
  XSync(display, False);
  std::printf("ready\n");
  std::fflush(stdout);
  int rang = 0;
  pollfd connection{ConnectionNumber(display), POLLIN, 0};
  for (int waited = 0; waited < 60000 && rang == 0; waited += 100) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      const auto* xkb = reinterpret_cast<const XkbEvent*>(&event);
      if (event.type == event_base && xkb->any.xkb_type == XkbBellNotify) ++rang;
    }
    if (rang == 0) poll(&connection, 1, 100);
  }
  std::printf("%d\n", rang);
  return rang > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "x11_probe: no display\n");
    return 2;
  }
  int result = 2;
  if (argc == 2 && std::strcmp(argv[1], "saver") == 0) {
    result = SaverState(display);
  } else if (argc == 2 && std::strcmp(argv[1], "bells") == 0) {
    result = Bells(display);
  } else {
    std::fprintf(stderr, "usage: x11_probe saver | bells\n");
  }
  XCloseDisplay(display);
  return result;
}
