#include "os/window_icon.h"

#include "os/path.h"
#include "os/system.h"

namespace os {

std::string WindowIconPath(std::string_view name) {
  return ExeDir() + "ICON/" + std::string(name) + ".BMP";
}

bool LoadWindowIcon(std::string_view name, Bitmap* out, std::string* why) {
  Bitmap icon;
  std::string reason;
  if (!LoadBmpFile(WindowIconPath(name), &icon, &reason)) {
    *why = reason.empty() ? "cannot be read" : reason;
    return false;
  }
  if (icon.width > MaxIconSide || icon.height > MaxIconSide) {
    *why = std::to_string(icon.width) + " x " + std::to_string(icon.height) +
           " pixels, larger than an icon may be (" + std::to_string(MaxIconSide) + " a side)";
    return false;
  }
  *out = std::move(icon);
  return true;
}

}  // namespace os
