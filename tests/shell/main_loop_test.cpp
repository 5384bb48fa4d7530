#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
#include "os/headless/headless.h"
#include "shell/assets.h"
#include "shell/game_state.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "shell/shell.h"
#include "tests/support/game_harness.h"

namespace {

using namespace vantris_test;

using StartUpTest = GameTest;

TEST_F(StartUpTest, LoadsEveryAssetAndSetsUpTheWindowBeforeTheLoop) {
  ASSERT_TRUE(StartGame("-x --y"));
  EXPECT_EQ(ErrorBoxCount(), 0);
  ASSERT_EQ(AssetCount, 155);
  // Pictures take the slots from 4 up in list order, the sounds 0 and 1.
  int32_t next_slot = FirstFreeSprite, next_sound = 0;
  for (int i = 0; i < AssetCount; ++i) {
    const AssetEntry& entry = AssetCatalogue[i];
    EXPECT_EQ(*entry.handle, entry.sound ? next_sound++ : next_slot++) << entry.file;
  }
  EXPECT_EQ(CommandLine, "-x --y");
  EXPECT_EQ(AppActive, 0u);  // until the activation message is handled
  PumpMessages();
  ASSERT_EQ(RunFrames(1), 1);
  EXPECT_EQ(Frames()[0].scene, SceneTitle);
  EXPECT_EQ(Frames()[0].entered, 1u);
}

TEST_F(StartUpTest, ASecondInstanceSeesTheLockAndEndsAtOnce) {
  os::LockResult result = os::LockResult::Failed;
  const os::Lock first = os::CreateNamedLock("VANTRIS:ElMutex", &result);
  ASSERT_EQ(result, os::LockResult::Created);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(WinMain(0, 0, "", 1), 0);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "vantris: VANTRIS is already running (its window cannot be brought forward: the "
            "headless backend sees no display)\n");
  EXPECT_FALSE(os::headless::WindowOpen());
  EXPECT_EQ(ErrorBoxCount(), 0);
  os::ReleaseNamedLock(first);
  ASSERT_TRUE(StartGame());  // with the first gone the lock is free
}

// A window that cannot be made is a failed start: 1, not the 0 of a normal
// end, and the lock is let go.
TEST_F(StartUpTest, AWindowThatCannotBeMadeEndsWithOne) {
  const os::Window taken = os::CreateMainWindow("DEFAULT", "OTHER", true, 800, 600, nullptr);
  ASSERT_NE(taken, 0u);  // the os layer makes one window: the game's is refused
  EXPECT_EQ(WinMain(0, 0, "", 1), 1);
  os::LockResult result = os::LockResult::Failed;
  const os::Lock lock = os::CreateNamedLock("VANTRIS:ElMutex", &result);
  EXPECT_EQ(result, os::LockResult::Created);
  os::ReleaseNamedLock(lock);
  os::DestroyWindow(taken);
  ASSERT_TRUE(StartGame());
}

// The window the command line asked for is the one FullScreen says, and
// the pointer goes over it: at once in full screen, over the client area of
// a caption window.
TEST_F(StartUpTest, TheWindowIsTheOneAskedForAndThePointerHidesOverIt) {
  for (const bool windowed : {false, true}) {
    QuitRequested = 0;
    os::StartOptions options;
    options.windowed = windowed;
    ASSERT_TRUE(os::Start(options));
    ASSERT_TRUE(StartGame());
    EXPECT_EQ(FullScreen, windowed ? 0u : 1u);
    EXPECT_EQ(elSystem::IsWindowed(), windowed ? 1u : 0u);
    PumpMessages();
    ASSERT_EQ(RunFrames(1), 1);
    MouseMove(400, 300);
    ASSERT_EQ(RunFrames(1), 1);
    EXPECT_FALSE(os::headless::CursorShown()) << windowed;
    EXPECT_EQ(CursorVisible, windowed ? 0u : 1u);  // a caption window counts it down
    SetFocus(false);  // away from the window the pointer shows again
    if (windowed) { EXPECT_TRUE(os::headless::CursorShown()); }
    EndGame();
  }
}

// The window carries the class's icon; in full screen the pointer is kept on
// the game's screen, and in both windows the screen saver held off (the
// window procedure refuses it), while the window is in front; Escape lets
// the pointer go, the end the screen saver.
TEST_F(StartUpTest, ThePointerAndTheScreenSaverAreHeldWhileTheGameIsInFront) {
  for (const bool windowed : {false, true}) {
    SCOPED_TRACE(windowed ? "windowed" : "full screen");
    QuitRequested = 0;
    os::StartOptions options;
    options.windowed = windowed;
    ASSERT_TRUE(os::Start(options));
    ASSERT_TRUE(StartGame());
    EXPECT_EQ(os::headless::WindowIcon(), "MAIN");
    os::Rect held;
    EXPECT_EQ(os::headless::CursorConfinement(&held), !windowed);
    if (!windowed) {
      EXPECT_TRUE(held.left == 0 && held.top == 0 && held.right == 800 && held.bottom == 600);
    }
    EXPECT_TRUE(os::headless::ScreenSaverHeldOff());
    PumpMessages();
    ASSERT_EQ(RunFrames(1), 1);
    KeyDown(os::KeyEscape);
    EXPECT_FALSE(os::headless::CursorConfinement(nullptr));
    while (RunLoopPass() != LoopPass::Quit) {
    }
    EndGame();
    EXPECT_FALSE(os::headless::ScreenSaverHeldOff());
  }
}

using MainLoopTest = RunningGameTest;

TEST_F(MainLoopTest, WithNothingDueTheLoopSleepsToTheNextFrameInsteadOfPolling) {
  ASSERT_TRUE(TitleToModeScreen());
  ASSERT_TRUE(ModeScreenToStage());
  KeyDown('S');  // paused: a frame does next to nothing
  ASSERT_EQ(RunFrames(1), 1);
  const int waits = os::headless::WaitCount();
  const uint64_t start = os::headless::NowMicros();
  int passes = 0;
  for (int frames = 0; frames < 60; ++passes)
    if (RunLoopPass() == LoopPass::Frame) ++frames;
  // One sleep and one frame a period, and the limiter's pace kept.
  EXPECT_EQ(passes, 120);
  EXPECT_EQ(os::headless::WaitCount() - waits, 60);
  EXPECT_NEAR(static_cast<double>(os::headless::NowMicros() - start), 60 * 16666.0, 60 * 200.0);
}

std::vector<std::string> g_quit_steps;
void RecordQuitStep(const char* step) { g_quit_steps.push_back(step); }

TEST_F(MainLoopTest, InAStageSPausesAndAutoRepeatTogglesAndTReturnsToTheTitle) {
  ASSERT_TRUE(TitleToModeScreen());
  ASSERT_TRUE(ModeScreenToStage());
  const int presents = os::headless::PresentCount();
  const float scroll = ScrollPos;
  KeyDown('S');
  ASSERT_EQ(RunFrames(5), 5);  // a paused stage neither moves nor presents
  EXPECT_EQ(ScrollPos, scroll);
  EXPECT_EQ(os::headless::PresentCount(), presents);
  KeyDown('S', true);  // auto-repeat toggles too
  EXPECT_EQ(PauseFlag, 0u);
  KeyUp('S');
  ASSERT_EQ(RunFrames(1), 1);
  EXPECT_GT(ScrollPos, scroll);

  // T: to the title at once, entered with no transition and no reset.
  const float at = ScrollPos;
  ClearFrames();
  KeyDown('T');
  EXPECT_EQ(SceneNumber, SceneTitle);
  ASSERT_EQ(RunFrames(2), 2);
  KeyUp('T');
  EXPECT_EQ(Frames()[0].entered, 1u);
  EXPECT_EQ(Frames()[0].transition_step, 0);
  EXPECT_EQ(ScrollPos, at);
}

// Runs `quit`: the release runs `steps` once, in order, and no frame after.
void ExpectQuit(void (*quit)(), const std::vector<std::string>& steps) {
  g_quit_steps.clear();
  elSystem::QuitStepHook = RecordQuitStep;
  const uint64_t frames = LoopFrameCount();
  quit();
  EXPECT_TRUE(LoopEnded() || RunToQuit() > 0);
  elSystem::QuitStepHook = nullptr;
  EXPECT_EQ(g_quit_steps, steps);
  EXPECT_EQ(LoopFrameCount(), frames);
  EXPECT_EQ(RunPasses(100), 0);
}
const std::vector<std::string> kReleaseSteps = {"elSystem::Release", "elDraw::FreeFonts",
                                                "elSound::Release", "elDraw::Shutdown",
                                                "InstanceMutex"};

TEST_F(MainLoopTest, EscapeReleasesInOrderEndsTheLoopAndNoFrameRunsAfter) {
  const uint32_t before = os::TimeMs();
  std::vector<std::string> steps = kReleaseSteps;
  steps.push_back("MsgClose");
  ExpectQuit([] { KeyDown(os::KeyEscape); }, steps);
  EXPECT_GE(WaitDeadlines[0], before + 1000);  // wait slot 1: a second on
}

TEST_F(MainLoopTest, TheCloseCommandReleasesOnce) {
  ExpectQuit([] { os::headless::Close(); }, kReleaseSteps);  // no second close message
}

TEST_F(MainLoopTest, NoFrameRunsWhileInactiveAndALongAbsenceIsNotOneLongFrame) {
  SetFocus(false);
  const uint64_t frames = LoopFrameCount();
  const uint32_t start = os::TimeMs();
  EXPECT_EQ(RunPasses(20000), 0);
  EXPECT_EQ(LoopFrameCount(), frames);
  EXPECT_GE(os::TimeMs() - start, 19000u);  // the clock ran on: 20 s away

  SetFocus(true);
  ASSERT_EQ(RunFrames(1), 1);  // measured from the activation
  EXPECT_GT(FrameTime, 0.0f);
  EXPECT_LT(FrameTime, 0.05f);
}

TEST_F(MainLoopTest, ASceneNumberOutsideTheTableRunsNothing) {
  SceneNumber = 13;
  EXPECT_EQ(RunPasses(300), 0);
  SceneNumber = SceneTitle;
  PrevScene = 0;
  ASSERT_EQ(RunFrames(1), 1);
  EXPECT_EQ(Frames().back().entered, 1u);
}

}  // namespace
