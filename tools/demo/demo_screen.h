// What the drawing demos share: the window that Escape or its close ends,
// the library's 800 x 600 screen on the chosen backend, the message pump of
// the frame loop and the BMP screenshot of the back buffer.
#pragma once
#include <cstdio>
#include <filesystem>
#include <string>

#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
#include "os/path.h"
#include "os/system.h"

namespace demo {

// Set once Escape is pressed or the window closes.
inline bool Quit = false;

inline int64_t WindowProc(os::Window window, uint32_t msg, uint64_t wparam, int64_t lparam) {
  if (msg == os::MsgKeyDown && wparam == os::KeyEscape) Quit = true;
  if (msg == os::MsgClose || msg == os::MsgDestroy) Quit = true;
  return os::DefaultWindowProc(window, msg, wparam, lparam);
}

// Starts the backend, shows the window captioned `caption` (full screen
// unless windowed or headless) and opens the screen on it; false, with a
// word on stderr, when the backend or the screen does not start.
inline bool OpenScreen(const os::StartOptions& options, const char* caption) {
  if (!os::Start(options)) {
    os::SayLine("no backend");
    return false;
  }
  const bool headless = options.backend == os::Backend::Headless;
  FullScreen = options.windowed || headless ? 0 : 1;
  MainWindow = os::CreateMainWindow("DEFAULT", caption, FullScreen != 0, 800, 600, WindowProc);
  os::ShowMainWindow(MainWindow);
  if (!elDraw::Screen(800, 600, 2)) {
    os::SayLine("no screen");
    return false;
  }
  return true;
}

// Handles every waiting message; under SDL also waits for the frame
// limiter.  False while no frame is due.
inline bool FrameDue(bool headless) {
  os::Message message;
  while (os::PeekMessage(&message)) os::DispatchMessage(message);
  return headless || elSystem::WaitFrame();
}

// Saves the back buffer as a BMP named `shot`; the library writes through
// the program's folder, so the folder becomes the file's own.
inline bool SaveScreenshot(const std::string& shot) {
  const std::filesystem::path path = std::filesystem::absolute(shot);
  os::SetExeDir(path.parent_path().string() + "/");
  if (!elDraw::SaveScreenBmp(path.filename().string().c_str(), 800, 600)) {
    os::SayLine("could not write %s", path.string().c_str());
    return false;
  }
  std::printf("wrote %s\n", path.string().c_str());
  return true;
}

}  // namespace demo
