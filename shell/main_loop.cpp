// The program's entry and the main loop: start-up in order, then a message
// loop that runs one frame of the current scene whenever the queue is empty,
// the application is active and the frame limiter says a frame is due.  When
// nothing is due it sleeps until the next frame is or a message arrives.
#include <cstdint>

#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
#include "os/system.h"
#include "shell/assets.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "shell/shell.h"

namespace {

constexpr const char* kCaption = "VANTRIS";
constexpr const char* kWindowClass = "DEFAULT";
constexpr const char* kWindowIcon = "MAIN";  // the window class's icon
// The longest sleep of an active loop with no scene to run.
constexpr uint64_t kNoSceneWaitMicros = 100000;

bool g_loop_ended = false;
uint64_t g_frames = 0;

// Hides the cursor while it is over the client area of a caption window.
void UpdateCaptionCursor() {
  if (FullScreen != 0 || MessageBoxOpen != 0) return;
  int x = 0, y = 0;
  os::GetCursorPos(&x, &y);
  const bool inside = x >= WindowX && x < WindowX + ScreenWidth &&
                      y >= WindowY && y < WindowY + ScreenHeight;
  if (inside && CursorVisible != 0) {
    os::ShowCursor(false);
    CursorVisible = 0;
  } else if (!inside && CursorVisible == 0) {
    os::ShowCursor(true);
    CursorVisible = 1;
  }
}

}  // namespace

uintptr_t AppInstance = 0;
uint32_t SingleInstanceLock = 1;
void (*SceneFrameHook)(int32_t scene) = nullptr;

const SceneFunction SceneTable[13] = {
    nullptr,         TitleScene,  Stage1Scene, Stage2Scene,
    Stage3Scene,     Stage4Scene, Stage5Scene, Stage6Scene,
    Stage7Scene,     Stage8Scene, EndingScene, ModeSelectScene,
    ShipSelectScene,
};

StartUpResult StartUp(uintptr_t instance, const char* command_line, int /*show_command*/) {
  g_loop_ended = false;
  g_frames = 0;
  InitAppState();
  // The window the player asked for on the command line.
  if (os::ActiveOptions().windowed) FullScreen = 0;
  if (SingleInstanceLock != 0 && !CheckSingleInstance(kCaption)) {
    return StartUpResult::AlreadyRunning;
  }
  CommandLine = command_line != nullptr ? command_line : "";

  // The window: a full-screen pop-up, or a caption window whose client area
  // is the 800 x 600 screen (the os layer centres it).
  MainWindow = os::CreateMainWindow(kWindowClass, kCaption, FullScreen != 0,
                                    800, 600, WindowProc);
  if (MainWindow == 0) {
    if (InstanceMutex != 0) {
      os::ReleaseNamedLock(InstanceMutex);
      InstanceMutex = 0;
    }
    return StartUpResult::Failed;
  }
  os::SetWindowIcon(MainWindow, kWindowIcon);
  os::ShowMainWindow(MainWindow);
  if (FullScreen == 0) os::SetWindowTopmost(MainWindow);

  AppInstance = instance;
  os::SeedRandom(static_cast<uint32_t>(os::CalendarTime()));
  elSystem::EnableIme(0);
  LoadAssets();
  elSystem::ResetFrameTime();
  elSystem::OnActivate(0);
  return StartUpResult::Run;
}

bool IdlePass() {
  elSystem::MeasureFrameTime();
  if (PrevScene == 0 && SceneNumber != 0) {
    SceneEntered = 1;
    PrevScene = SceneNumber;
  }

  bool ran = false;
  if (TransitionDir == 1) {
    elDraw::Flip();
    ran = true;
    if (TransitionDir == 0) SceneNumber = NextScene;
  } else if (SceneNumber >= 1 && SceneNumber <= 12) {
    if (elSystem::WaitFrame()) {
      if (SceneFrameHook != nullptr) SceneFrameHook(SceneNumber);
      SceneTable[SceneNumber]();
      ran = true;
    }
  }

  if (SceneNumber != PrevScene) {
    SceneEntered = 1;
    if (ClipSaveDepth > 0) {
      elDraw::SetClip(SavedClip.left, SavedClip.top, SavedClip.right, SavedClip.bottom);
      ClipSaveDepth = 0;
    }
  } else if (ran) {
    SceneEntered = 0;
  }
  PrevScene = SceneNumber;

  if (ran) {
    ++g_frames;
    LeftClick = 0;
    RightClick = 0;
    LeftDoubleClick = 0;
    RightDoubleClick = 0;
  }
  UpdateCaptionCursor();
  return ran;
}

LoopPass RunLoopPass() {
  if (g_loop_ended) return LoopPass::Quit;
  os::Message message;
  if (os::PeekMessage(&message)) {
    if (message.msg == os::MsgQuit) {
      g_loop_ended = true;
      return LoopPass::Quit;
    }
    os::DispatchMessage(message);
    return LoopPass::Message;
  }
  if (AppActive == 0) {
    os::WaitMessage();
    return LoopPass::Waited;
  }
  if (IdlePass()) return LoopPass::Frame;
  // Nothing was due: sleep until the limiter's next frame or a message.
  const bool scene = SceneNumber >= 1 && SceneNumber <= 12;
  os::WaitMessageFor(scene ? elSystem::MicrosUntilFrameDue() : kNoSceneWaitMicros);
  return LoopPass::Idle;
}

bool LoopEnded() { return g_loop_ended; }
uint64_t LoopFrameCount() { return g_frames; }

int FinishWinMain() {
  // The loop ends through the release (Escape or the close command), which
  // has already let everything go; a loop left any other way releases here.
  if (QuitRequested == 0) elSystem::RequestQuit();
  if (MainWindow != 0 && os::MainWindow() == MainWindow) {
    os::DestroyWindow(MainWindow);
  }
  MainWindow = 0;
  return 0;
}

int WinMain(uintptr_t instance, uintptr_t /*previous_instance*/,
            const char* command_line, int show_command) {
  switch (StartUp(instance, command_line, show_command)) {
    case StartUpResult::Run:
      break;
    case StartUpResult::AlreadyRunning:
      return 0;
    case StartUpResult::Failed:
      // The window could not be made (said on stderr): a failed start.
      return 1;
  }
  // From here until the loop is over, SIGTERM and SIGINT are the window's
  // close: the game ends in order.
  os::LoopTakesEndSignals(true);
  while (RunLoopPass() != LoopPass::Quit) {
  }
  os::LoopTakesEndSignals(false);
  return FinishWinMain();
}
