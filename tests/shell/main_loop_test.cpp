// Start-up in order, the load list and the single-instance guard; the main
// loop, the window procedure and the key handler.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "el/draw/elDraw.h"
#include "el/sound/elSound.h"
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
  ASSERT_EQ(AssetCount, 154);
  // Pictures take the slots from 4 upwards in list order; the two sounds
  // take sound handles 0 and 1 and no picture slot.
  int32_t next_slot = FirstFreeSprite;
  int32_t next_sound = 0;
  for (int i = 0; i < AssetCount; ++i) {
    const AssetEntry& entry = AssetCatalogue[i];
    EXPECT_EQ(*entry.handle, entry.sound ? next_sound++ : next_slot++) << entry.file;
  }
  // The same file twice: two independent objects.
  EXPECT_NE(ImgVal402, ImgVal402B);
  EXPECT_STREQ(SpriteObjects[ImgVal402].Name, SpriteObjects[ImgVal402B].Name);
  // Handles that nothing loads stay on the internal buffer object.
  EXPECT_EQ(ImgBoss3, 0);
  EXPECT_EQ(ImgShipIntro, 0);
  EXPECT_EQ(ImgMyme, 0);
  EXPECT_EQ(HighScore, 500);
  EXPECT_EQ(SceneNumber, SceneTitle);
  EXPECT_EQ(PrevScene, 0);
  EXPECT_EQ(ClipLeft, 180);  // the playfield
  EXPECT_EQ(ClipRight, 620);

  EXPECT_NE(MainWindow, 0u);
  EXPECT_TRUE(os::headless::WindowOpen());
  EXPECT_EQ(CommandLine, "-x --y");
  EXPECT_EQ(elSystem::GetCommandLine(), "-x --y");
  EXPECT_EQ(FullScreen, 1u);
  EXPECT_NE(InstanceMutex, 0);
  // The input method is off for the process.
  EXPECT_EQ(ImeEnabled, 0u);
  EXPECT_FALSE(os::headless::TextInputOn());
  // Inactive until the first activation message is handled.
  EXPECT_EQ(AppActive, 0u);
  PumpMessages();
  EXPECT_EQ(AppActive, 1u);
  // The first frame is the title's, entered.
  ASSERT_EQ(RunFrames(1), 1);
  ASSERT_EQ(Frames().size(), 1u);
  EXPECT_EQ(Frames()[0].scene, SceneTitle);
  EXPECT_EQ(Frames()[0].entered, 1u);
  EXPECT_EQ(os::headless::PresentCount(), 1);
}

TEST_F(StartUpTest, ASecondInstanceSeesTheLockAndEndsAtOnce) {
  os::LockResult result = os::LockResult::Failed;
  const os::Lock first = os::CreateNamedLock("VANTRIS:ElMutex", &result);
  ASSERT_EQ(result, os::LockResult::Created);

  EXPECT_EQ(WinMain(0, 0, "", 1), 0);
  EXPECT_FALSE(os::headless::WindowOpen());
  EXPECT_EQ(MainWindow, 0u);
  EXPECT_EQ(InstanceMutex, 0);
  EXPECT_EQ(os::headless::PresentCount(), 0);
  EXPECT_EQ(ErrorBoxCount(), 0);
  os::ReleaseNamedLock(first);

  // With the first instance gone the lock is free again.
  ASSERT_TRUE(StartGame());
  EXPECT_NE(InstanceMutex, 0);
}

int g_frames_before_escape = 0;
void PressEscapeOnThirdFrame(int32_t) {
  if (++g_frames_before_escape == 3) os::headless::KeyDown(os::KeyEscape);
}

TEST_F(StartUpTest, WinMainRunsTheLoopToItsEndAndGivesTheLockBack) {
  // Escape arrives while the loop runs: WinMain returns 0 once the quit
  // message is taken, and no frame runs after the key.
  g_frames_before_escape = 0;
  SceneFrameHook = PressEscapeOnThirdFrame;
  EXPECT_EQ(WinMain(0, 0, "", 1), 0);
  SceneFrameHook = nullptr;
  EXPECT_EQ(g_frames_before_escape, 3);
  EXPECT_TRUE(LoopEnded());
  EXPECT_EQ(InstanceMutex, 0);
  os::LockResult result = os::LockResult::Failed;
  os::ReleaseNamedLock(os::CreateNamedLock("VANTRIS:ElMutex", &result));
  EXPECT_EQ(result, os::LockResult::Created);
}

class MainLoopTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    ASSERT_TRUE(StartGame());
    PumpMessages();
    ASSERT_EQ(RunFrames(2), 2);
  }
};

std::vector<std::string> g_quit_steps;
void RecordQuitStep(const char* step) { g_quit_steps.push_back(step); }

TEST_F(MainLoopTest, InAStageSPausesAndAutoRepeatTogglesAndTReturnsToTheTitle) {
  ASSERT_TRUE(TitleToModeScreen());
  ASSERT_TRUE(ModeScreenToStage());
  const int presents = os::headless::PresentCount();
  KeyDown('S');
  EXPECT_EQ(PauseFlag, 1u);
  // A paused stage neither moves nor presents.
  const float scroll = ScrollPos;
  const int32_t frame = SceneFrame;
  ASSERT_EQ(RunFrames(5), 5);
  EXPECT_EQ(ScrollPos, scroll);
  EXPECT_EQ(SceneFrame, frame);
  EXPECT_EQ(os::headless::PresentCount(), presents);
  KeyDown('S', true);
  EXPECT_EQ(PauseFlag, 0u);
  KeyDown('S', true);
  EXPECT_EQ(PauseFlag, 1u);
  KeyUp('S');
  EXPECT_EQ(PauseFlag, 1u);
  TapKey('S');
  EXPECT_EQ(PauseFlag, 0u);
  // While the continue prompt is up S does nothing.
  ContinuePrompt = PauseFlag = 1;
  TapKey('S');
  EXPECT_EQ(PauseFlag, 1u);
  ContinuePrompt = PauseFlag = 0;
  ASSERT_EQ(RunFrames(1), 1);
  EXPECT_GT(ScrollPos, scroll);

  // T: to the title at once, entered on the next frame with no transition
  // and no reset pass.
  const float at = ScrollPos;
  ClearFrames();
  KeyDown('T');
  EXPECT_EQ(SceneNumber, SceneTitle);
  EXPECT_EQ(PrevScene, 0);
  ASSERT_EQ(RunFrames(2), 2);
  KeyUp('T');
  ASSERT_EQ(Frames().size(), 2u);
  EXPECT_EQ(Frames()[0].scene, SceneTitle);
  EXPECT_EQ(Frames()[0].entered, 1u);
  EXPECT_EQ(Frames()[0].transition_step, 0);
  EXPECT_EQ(Frames()[1].entered, 0u);
  EXPECT_EQ(ScrollPos, at);
}

// Runs `quit`, then checks that the release ran `steps` in order, once,
// that the loop ended and that no frame runs after.
void ExpectQuit(void (*quit)(), const std::vector<std::string>& steps) {
  g_quit_steps.clear();
  elSystem::QuitStepHook = RecordQuitStep;
  const uint64_t frames = LoopFrameCount();
  quit();
  EXPECT_TRUE(LoopEnded() || RunToQuit() > 0);
  elSystem::QuitStepHook = nullptr;
  EXPECT_EQ(QuitState, 2u);
  EXPECT_EQ(g_quit_steps, steps);
  EXPECT_TRUE(LoopEnded());
  EXPECT_EQ(LoopFrameCount(), frames);
  EXPECT_FALSE(os::headless::WindowOpen());
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
  EXPECT_EQ(QuitRequested, 1u);
  // Wait slot 1 was set to a second from the key.
  EXPECT_GE(WaitDeadlines[0], before + 1000);
  EXPECT_LE(WaitDeadlines[0], os::TimeMs() + 1000);
}

TEST_F(MainLoopTest, TheCloseCommandReleasesOnceAndEndsTheLoop) {
  ExpectQuit([] { os::headless::Close(); }, kReleaseSteps);  // no second close message
}

TEST_F(MainLoopTest, NoFrameRunsWhileInactiveAndALongAbsenceIsNotOneLongFrame) {
  SetFocus(false);
  EXPECT_EQ(AppActive, 0u);
  const uint64_t frames = LoopFrameCount();
  const uint32_t start = os::TimeMs();
  EXPECT_EQ(RunPasses(20000), 0);
  EXPECT_EQ(LoopFrameCount(), frames);
  // The virtual clock kept running while the loop waited: 20 s away.
  EXPECT_GE(os::TimeMs() - start, 19000u);

  SetFocus(true);
  EXPECT_EQ(AppActive, 1u);
  EXPECT_EQ(FrameTime, 0.0f);
  ASSERT_EQ(RunFrames(1), 1);
  // The first frame after the return measures from the activation, not from
  // the last frame before the absence.
  EXPECT_GT(FrameTime, 0.0f);
  EXPECT_LT(FrameTime, 0.05f);
}

TEST_F(MainLoopTest, ASceneNumberOutsideTheTableRunsNothingButKeysStillArrive) {
  SceneNumber = 13;
  EXPECT_EQ(RunPasses(3000), 0);
  KeyDown('A');
  EXPECT_EQ(LastKey, static_cast<uint32_t>('A'));
  SceneNumber = 0;
  EXPECT_EQ(RunPasses(3000), 0);
  SceneNumber = SceneTitle;
  PrevScene = 0;
  ASSERT_EQ(RunFrames(1), 1);
  EXPECT_EQ(Frames().back().entered, 1u);
}

TEST_F(MainLoopTest, TheEnteredFlagWaitsThroughIdlePassesForTheFirstFrame) {
  ClearFrames();
  SceneNumber = SceneModeSelect;
  PrevScene = 0;
  // Idle passes with no frame due keep the flag raised.
  for (int i = 0; i < 50 && Frames().empty(); ++i) {
    if (RunLoopPass() == LoopPass::Idle) {
      EXPECT_EQ(SceneEntered, 1u);
    }
  }
  ASSERT_TRUE(RunUntil([] { return Frames().size() >= 2; }));
  EXPECT_EQ(Frames()[0].scene, SceneModeSelect);
  EXPECT_EQ(Frames()[0].entered, 1u);
  EXPECT_EQ(Frames()[1].entered, 0u);
}

TEST_F(MainLoopTest, KeysMouseAndClicksReachTheShellGlobals) {
  // A release clears LastKey only when it is the key stored.
  KeyDown('A');
  KeyDown('B');
  EXPECT_EQ(LastKey, static_cast<uint32_t>('B'));
  KeyUp('A');
  EXPECT_EQ(LastKey, static_cast<uint32_t>('B'));
  EXPECT_EQ(LastKeyCopy, static_cast<uint32_t>('B'));
  KeyUp('B');
  EXPECT_EQ(LastKey, 0u);
  EXPECT_EQ(LastKeyCopy, static_cast<uint32_t>('B'));

  // System keys are ignored in the start-up's mode.
  EXPECT_EQ(SysKeyMode, 0);
  os::SendMessage(MainWindow, os::MsgSysKeyDown, 'X', 0);
  EXPECT_EQ(LastKey, 0u);
  elSystem::SetSysKeyMode(2);
  os::SendMessage(MainWindow, os::MsgSysKeyDown, os::KeyAlt, 0);
  EXPECT_EQ(LastKey, 0u);
  os::SendMessage(MainWindow, os::MsgSysKeyDown, 'X', 0);
  EXPECT_EQ(LastKey, static_cast<uint32_t>('X'));
  elSystem::SetSysKeyMode(0);

  // Text input takes the keys away from the key handler.
  elSystem::BeginTextInput();
  KeyDown('S');
  EXPECT_EQ(TextInputKey, static_cast<uint32_t>('S'));
  EXPECT_EQ(PauseFlag, 0u);
  KeyUp('S');
  EXPECT_EQ(TextInputKey, 0u);
  elSystem::EndTextInput();

  MouseMove(321, 456);
  EXPECT_EQ(MouseX, 321);
  EXPECT_EQ(MouseY, 456);

  MouseButtonEvent(1, true);
  EXPECT_EQ(LeftClick, 1u);
  EXPECT_EQ(LeftButtonDown, 1u);
  EXPECT_EQ(MouseButton, 1u);
  MouseButtonEvent(2, true);
  EXPECT_EQ(RightClick, 1u);
  EXPECT_EQ(MouseButton, 2u);
  EXPECT_EQ(LastMouseButton, 2u);
  MouseButtonEvent(1, false);
  EXPECT_EQ(LeftButtonDown, 0u);
  EXPECT_EQ(MouseButton, 2u);  // the left release leaves the right's value
  MouseButtonEvent(2, false);
  EXPECT_EQ(MouseButton, 0u);
  // A click is seen by exactly one frame.
  EXPECT_EQ(LeftClick, 1u);
  ASSERT_EQ(RunFrames(1), 1);
  EXPECT_EQ(LeftClick, 0u);
  EXPECT_EQ(RightClick, 0u);

  // The screen saver never starts.
  EXPECT_EQ(os::SendMessage(MainWindow, os::MsgSysCommand, os::SysCommandScreenSave | 3, 0), 0);
  // A window move keeps the present rectangle on the client area.
  os::SendMessage(MainWindow, os::MsgMove, 0, os::MousePos(-20, 40));
  EXPECT_EQ(WindowX, -20);
  EXPECT_EQ(WindowY, 40);
  EXPECT_EQ(PresentRect.left, -20);
  EXPECT_EQ(PresentRect.right, 780);
  EXPECT_EQ(PresentRect.bottom, 640);
}

TEST_F(MainLoopTest, AForwardTransitionPresentsAloneThenEntersTheNextScene) {
  ClearFrames();
  const uint64_t frames = LoopFrameCount();
  NextScene = SceneModeSelect;
  TransitionPattern = 0;
  TransitionStep = 1;
  TransitionDir = 1;
  // Ten presents without a scene frame and without asking the limiter.
  for (int i = 0; i < 10; ++i) EXPECT_EQ(RunLoopPass(), LoopPass::Frame);
  EXPECT_TRUE(Frames().empty());
  EXPECT_EQ(LoopFrameCount(), frames + 10);
  EXPECT_EQ(TransitionDir, 0);
  EXPECT_EQ(SceneNumber, SceneModeSelect);
  ASSERT_EQ(RunFrames(1), 1);
  ASSERT_EQ(Frames().size(), 1u);
  EXPECT_EQ(Frames()[0].scene, SceneModeSelect);
  EXPECT_EQ(Frames()[0].entered, 1u);
}

}  // namespace
