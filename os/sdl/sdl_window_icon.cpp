#include "os/sdl/sdl_window_icon.h"

#include <vector>

#include "os/system.h"
#include "os/window_icon.h"

namespace os::sdl {

void SetWindowIcon(SDL_Window* window, const std::string& name) {
  if (!window) return;
  Bitmap icon;
  std::string why;
  if (!LoadWindowIcon(name, &icon, &why)) {
    SayLine("vantris: the window has no icon of its own: %s: %s",
            Printable(WindowIconPath(name)).c_str(), Printable(why).c_str());
    return;
  }
  // Black is the pictures' transparent colour, the icon's too.
  std::vector<uint32_t> argb(icon.pixels.size());
  for (size_t i = 0; i < argb.size(); ++i) {
    const uint32_t rgb = icon.pixels[i] & 0xFFFFFF;
    argb[i] = rgb == 0 ? 0 : 0xFF000000u | rgb;
  }
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
      argb.data(), icon.width, icon.height, 32, icon.width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!surface) {
    SayLine("vantris: the window has no icon of its own: %s", Printable(SDL_GetError()).c_str());
    return;
  }
  SDL_SetWindowIcon(window, surface);
  SDL_FreeSurface(surface);
}

}  // namespace os::sdl
