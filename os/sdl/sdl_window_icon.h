// The window's icon on an SDL window (on X, the window's _NET_WM_ICON).
#pragma once
#include <SDL.h>

#include <string>

namespace os::sdl {

// Sets the icon `name` (os::LoadWindowIcon) on `window`, its pure black
// transparent; a missing or damaged icon is said in one line and the window
// keeps none of its own.
void SetWindowIcon(SDL_Window* window, const std::string& name);

}  // namespace os::sdl
