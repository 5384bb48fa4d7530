// The window's icon as a picture: read and checked here, set on the window
// by the backend that has one.
#pragma once
#include <string>
#include <string_view>

#include "os/bmp.h"

namespace os {

// Where the icon `name` lies: ICON/<name>.BMP in the program's folder.
std::string WindowIconPath(std::string_view name);

// Reads the icon `name` into *out (pixels 0x00RRGGBB, pure black to be shown
// transparent); false with the reason in *why when it is missing, damaged or
// larger than MaxIconSide pixels a side.
bool LoadWindowIcon(std::string_view name, Bitmap* out, std::string* why);

}  // namespace os
