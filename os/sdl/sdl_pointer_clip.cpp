#include "os/sdl/sdl_pointer_clip.h"

#include <algorithm>

namespace os::sdl {

void ConfinePointer(SDL_Window* window, SDL_Renderer* renderer, bool full_screen,
                    const Rect* clip) {
  if (!window) return;
  if (!clip) {
    SDL_SetWindowMouseRect(window, nullptr);
    return;
  }
  int ox = 0, oy = 0, ww = 0, wh = 0;
  if (!full_screen) SDL_GetWindowPosition(window, &ox, &oy);
  SDL_GetWindowSize(window, &ww, &wh);
  int left = clip->left - ox, top = clip->top - oy;
  int right = clip->right - ox, bottom = clip->bottom - oy;
  if (renderer) {
    SDL_RenderLogicalToWindow(renderer, static_cast<float>(left), static_cast<float>(top), &left,
                              &top);
    SDL_RenderLogicalToWindow(renderer, static_cast<float>(right), static_cast<float>(bottom),
                              &right, &bottom);
  }
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, ww);
  bottom = std::min(bottom, wh);
  if (right <= left || bottom <= top) {
    SDL_SetWindowMouseRect(window, nullptr);
    return;
  }
  const SDL_Rect area{left, top, right - left, bottom - top};
  SDL_SetWindowMouseRect(window, &area);
}

}  // namespace os::sdl
