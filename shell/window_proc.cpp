// The shell's process state, the single-instance guard, the window procedure
// and the key handler.
#include <cstdarg>
#include <cstdio>
#include <string>

#include "el/draw/elDraw.h"
#include "el/sound/elSound.h"
#include "el/system/elSystem.h"
#include "os/system.h"
#include "shell/game_state.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "shell/shell.h"

void InitAppState() {
  MainWindow = 0;
  InstanceMutex = 0;
  CommandLine.clear();
  FullScreen = 1;
  AppActive = 0;
  CursorVisible = 1;
  MessageBoxOpen = 0;
  WindowX = 0;
  WindowY = 0;
  PresentRect = os::Rect{};
  MouseX = 0;
  MouseY = 0;
  MouseButton = 0;
  LastMouseButton = 0;
  LeftButtonDown = 0;
  RightButtonDown = 0;
  LeftClick = 0;
  RightClick = 0;
  LeftDoubleClick = 0;
  RightDoubleClick = 0;
  TextInputClick = 0;
  LastKey = 0;
  LastKeyCopy = 0;
  OverlayKey = 0;
  TextInputKey = 0;
  CountedKey = 0;
  KeyUpCount = 0;
  QuitState = 0;
  SceneNumber = 0;
  PrevScene = 0;
  SceneEntered = 0;
  NextScene = 0;
  FrameTime = 0;
  LastFrameTick = os::TimeMs();
}

uint32_t CheckSingleInstance(const char* caption) {
  const std::string name = std::string(caption) + ":ElMutex";
  os::LockResult result = os::LockResult::Failed;
  InstanceMutex = os::CreateNamedLock(name, &result);
  if (result == os::LockResult::AlreadyExists) {
    // The running copy's window comes forward; where it cannot, the line
    // says why.
    std::string why;
    const os::Window other = os::FindWindow("DEFAULT", caption, &why);
    if (other != 0 && os::BringToFront(other, &why)) {
      os::SayLine("vantris: %s is already running", caption);
    } else {
      os::SayLine("vantris: %s is already running (its window cannot be brought forward: %s)",
                  caption, os::Printable(why).c_str());
    }
    return 0;
  }
  return 1;
}

void WriteDebugLog(const char* format, ...) {
  std::FILE* file = std::fopen("DEBUG.TXT", "at");
  if (file == nullptr) return;
  va_list args;
  va_start(args, format);
  std::vfprintf(file, format, args);
  va_end(args);
  std::fputs("\n", file);
  std::fclose(file);
}

void OnKeyDown(uint32_t code) {
  if (PictureOverlay == 0) {
    LastKey = code;
    LastKeyCopy = code;
  } else {
    OverlayKey = code;
  }
  switch (code) {
    case os::KeyEscape:
      elSound::StopMidi();
      elSystem::SetWait(1, 1000);
      elSystem::RequestQuit();
      break;
    case 'S':
      if (ContinuePrompt != 1) PauseFlag = PauseFlag == 0 ? 1 : 0;
      break;
    case 'T':
      elSound::StopMidi();
      ResetPlayOptions();
      SceneNumber = SceneTitle;
      PrevScene = 0;
      break;
    default:
      break;
  }
}

namespace {

// Low and high 16 bits of a message parameter.
uint32_t LowWord(int64_t v) { return static_cast<uint32_t>(v) & 0xFFFF; }
uint32_t HighWord(int64_t v) { return (static_cast<uint32_t>(v) >> 16) & 0xFFFF; }

// A window position word, signed the way the move message carries it.
int32_t SignedPosition(uint32_t word) {
  return word > 32768 ? static_cast<int32_t>(word) - 65536 : static_cast<int32_t>(word);
}

void KeyReleased(uint32_t code) {
  if (LastKey == code) LastKey = 0;
  if (OverlayKey == code) OverlayKey = 0;
  if (TextInputKey == code) TextInputKey = 0;
  if (CountedKey == code) ++KeyUpCount;
}

void KeyPressed(uint32_t code) {
  if (TextInputMode == 0) {
    OnKeyDown(code);
  } else {
    TextInputKey = code;
  }
}

}  // namespace

int64_t WindowProc(os::Window window, uint32_t msg, uint64_t wparam, int64_t lparam) {
  switch (msg) {
    case os::MsgDestroy:
      os::PostQuitMessage(0);
      return 0;
    case os::MsgMove:
      WindowX = SignedPosition(LowWord(lparam));
      WindowY = SignedPosition(HighWord(lparam));
      PresentRect = os::Rect{WindowX, WindowY, WindowX + ScreenWidth, WindowY + ScreenHeight};
      break;
    case os::MsgClose:
      if (QuitState == 0) QuitState = 1;
      if (QuitState < 2) elSystem::RequestQuit();
      os::DestroyWindow(window);
      return 0;
    case os::MsgActivateApp:
      if (wparam == 0) {
        elSystem::SetActive(0);
        if (CursorVisible == 0) {
          os::ShowCursor(true);
          CursorVisible = 1;
        }
      } else {
        elSystem::SetActive(1);
        elSystem::ResetFrameTime();
        elSystem::OnActivate(1);
      }
      return 0;
    case os::MsgSetCursor:
      if (FullScreen == 1 && MessageBoxOpen == 0) {
        os::HideCursorOverWindow(true);
        return 1;
      }
      break;
    case os::MsgKeyDown:
      KeyPressed(static_cast<uint32_t>(wparam));
      break;
    case os::MsgKeyUp:
      KeyReleased(static_cast<uint32_t>(wparam));
      break;
    case os::MsgSysKeyDown:
      if (SysKeyMode == 0) return 0;
      if (SysKeyMode == 2 && wparam == os::KeyAlt) return 0;
      KeyPressed(static_cast<uint32_t>(wparam));
      break;
    case os::MsgSysCommand:
      if ((wparam & 0xFFF0) == os::SysCommandScreenSave) return 0;
      break;
    case os::MsgMouseMove:
      MouseX = static_cast<int32_t>(LowWord(lparam));
      MouseY = static_cast<int32_t>(HighWord(lparam));
      break;
    case os::MsgLButtonDown:
      if (TextInputMode == 0) {
        LeftButtonDown = 1;
        LeftClick = 1;
        MouseButton = 1;
        LastMouseButton = 1;
      } else {
        TextInputClick = 1;
      }
      break;
    case os::MsgLButtonUp:
      LeftButtonDown = 0;
      if (MouseButton == 1) MouseButton = 0;
      TextInputClick = 0;
      break;
    case os::MsgLButtonDblClk:
      if (TextInputMode == 0) LeftDoubleClick = 1;
      return 0;
    case os::MsgRButtonDown:
      if (TextInputMode == 0) {
        RightButtonDown = 1;
        RightClick = 1;
        MouseButton = 2;
        LastMouseButton = 2;
      }
      break;
    case os::MsgRButtonUp:
      RightButtonDown = 0;
      if (MouseButton == 2) MouseButton = 0;
      break;
    case os::MsgRButtonDblClk:
      if (TextInputMode == 0) RightDoubleClick = 1;
      return 0;
    case os::MsgHotKey:
      if (TextInputMode == 0) {
        if (wparam == 0xBF01) OnKeyDown(44);
        if (wparam == 0xBF02) OnKeyDown(257);
      }
      return 0;
    case os::MsgMidiNotify:
      // A looping piece that played to its end starts again.
      elSound::OnMidiNotify(wparam);
      break;
    default:
      break;
  }
  return os::DefaultWindowProc(window, msg, wparam, lparam);
}
