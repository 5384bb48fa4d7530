// Start-up in order, the load list and the single-instance guard.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
#include "os/headless/headless.h"
#include "shell/assets.h"
#include "shell/game_state.h"
#include "shell/scene.h"
#include "shell/shell.h"
#include "tests/support/game_harness.h"

namespace {

using namespace vantris_test;

class StartUpTest : public GameTest {};

TEST_F(StartUpTest, LoadsEveryAssetInListOrderWithoutAnErrorBox) {
  ASSERT_TRUE(StartGame());
  EXPECT_EQ(ErrorBoxCount(), 0);
  ASSERT_EQ(AssetCount, 154);

  // Pictures take the slots from 4 upwards in list order; the two sounds
  // take sound handles 0 and 1 and no picture slot.
  int32_t next_slot = FirstFreeSprite;
  int32_t next_sound = 0;
  for (int i = 0; i < AssetCount; ++i) {
    const AssetEntry& entry = AssetCatalogue[i];
    SCOPED_TRACE(entry.file);
    if (entry.sound) {
      EXPECT_EQ(*entry.handle, next_sound++);
    } else {
      EXPECT_EQ(*entry.handle, next_slot++);
    }
  }
  EXPECT_EQ(ImgZbak1b, 4);
  EXPECT_EQ(ImgContinu1, 155);
  EXPECT_EQ(SndShot, 0);
  EXPECT_EQ(SndBom, 1);
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
  EXPECT_EQ(ScreenWidth, 800);
  EXPECT_EQ(ScreenHeight, 600);
  EXPECT_EQ(ClipLeft, 180);
  EXPECT_EQ(ClipRight, 620);
  EXPECT_EQ(ClipTop, 0);
  EXPECT_EQ(ClipBottom, 600);
}

TEST_F(StartUpTest, SetsUpTheWindowAndProcessStateBeforeTheLoop) {
  ASSERT_TRUE(StartGame("-x --y"));
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

TEST_F(StartUpTest, TheLockIsGivenBackWhenTheGameEnds) {
  ASSERT_TRUE(StartGame());
  PumpMessages();
  KeyDown(os::KeyEscape);
  EXPECT_GT(RunToQuit(), 0);
  EndGame();
  os::LockResult result = os::LockResult::Failed;
  const os::Lock again = os::CreateNamedLock("VANTRIS:ElMutex", &result);
  EXPECT_EQ(result, os::LockResult::Created);
  os::ReleaseNamedLock(again);
}

int g_frames_before_escape = 0;
void PressEscapeOnThirdFrame(int32_t) {
  if (++g_frames_before_escape == 3) os::headless::KeyDown(os::KeyEscape);
}

TEST_F(StartUpTest, WinMainRunsTheLoopToItsEndAndReturnsZero) {
  // Escape arrives while the loop runs: WinMain returns 0 once the quit
  // message is taken, and no frame runs after the key.
  g_frames_before_escape = 0;
  SceneFrameHook = PressEscapeOnThirdFrame;
  EXPECT_EQ(WinMain(0, 0, "", 1), 0);
  SceneFrameHook = nullptr;
  EXPECT_EQ(g_frames_before_escape, 3);
  EXPECT_TRUE(LoopEnded());
  EXPECT_FALSE(os::headless::WindowOpen());
  EXPECT_EQ(QuitState, 2u);
  EXPECT_EQ(InstanceMutex, 0);
}

}  // namespace
