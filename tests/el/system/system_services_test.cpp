#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "el/draw/elDraw.h"
#include "os/path.h"
#include "os/sjis.h"
#include "tests/el/system/el_system_fixture.h"

namespace {

using vantris_test::ElSystemTest;
namespace headless = os::headless;

constexpr char kErrorTitle[] = "エラー発生";
constexpr char kWaitRange[] = "ウェイトNoが範囲外です";
constexpr uint32_t kErrorFlags = os::BoxSystemModal | os::BoxIconExclamation;

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class SystemServicesTest : public ElSystemTest {};

// ---- wait slots -------------------------------------------------------------

TEST_F(SystemServicesTest, WaitSlotIsOverFromItsDeadlineOn) {
  headless::AdvanceMs(12345);
  ASSERT_EQ(elSystem::SetWait(1, 1000), 1u);
  headless::AdvanceMs(999);
  EXPECT_EQ(elSystem::IsWaitOver(1), 0u);
  headless::AdvanceMs(1);
  EXPECT_EQ(elSystem::IsWaitOver(1), 1u);
  headless::AdvanceMs(60000);
  EXPECT_EQ(elSystem::IsWaitOver(1), 1u);  // stays over until set or unset
  ASSERT_EQ(elSystem::InitWait(1), 1u);
  EXPECT_EQ(elSystem::IsWaitOver(1), 0u);

  // A huge wait saturates instead of wrapping round into the past.
  ASSERT_EQ(elSystem::SetWait(10, UINT32_MAX), 1u);
  EXPECT_EQ(elSystem::IsWaitOver(10), 0u);
  EXPECT_TRUE(headless::Boxes().empty());
}

TEST_F(SystemServicesTest, UnsetSlotIsNeverOverHoweverLongTheRun) {
  elSystem::Init();
  headless::AdvanceMs(WaitUnset - 999);
  // A deadline landing exactly on the unset mark still counts as set.
  ASSERT_EQ(elSystem::SetWait(2, 999), 1u);
  EXPECT_EQ(elSystem::IsWaitOver(2), 0u);
  headless::AdvanceMs(999);
  EXPECT_EQ(elSystem::IsWaitOver(2), 0u);
  headless::AdvanceMs(1);
  EXPECT_EQ(elSystem::IsWaitOver(2), 1u);

  headless::AdvanceMs(3000000000u);  // about 46 days of running in all
  for (int slot = 1; slot <= WaitSlotCount; ++slot) {
    if (slot != 2) {
      EXPECT_EQ(elSystem::IsWaitOver(slot), 0u) << slot;
    }
  }
}

TEST_F(SystemServicesTest, WaitSlotOutsideItsRangeIsAnErrorOrNotOver) {
  for (int slot : {0, 11, -1}) {
    headless::ClearBoxes();
    ErrorFlag = 0;
    EXPECT_EQ(elSystem::SetWait(slot, 10), 0u);
    ASSERT_EQ(headless::Boxes().size(), 1u);
    EXPECT_EQ(headless::Boxes()[0].text, std::string("elSystem::SetWait : ") + kWaitRange);
    EXPECT_EQ(headless::Boxes()[0].title, kErrorTitle);
    EXPECT_EQ(headless::Boxes()[0].flags, kErrorFlags);
    EXPECT_EQ(ErrorFlag, 1u);
    EXPECT_EQ(elSystem::InitWait(slot), 0u);
    ASSERT_EQ(headless::Boxes().size(), 2u);
    EXPECT_EQ(headless::Boxes()[1].text, std::string("elSystem::InitWait : ") + kWaitRange);
  }
  for (uint32_t deadline : WaitDeadlines) EXPECT_EQ(deadline, WaitUnset);
  // IsWaitOver reads slots 1..11 and gives 0 for anything else.
  for (int slot : {0, 12, -1, 1000000}) EXPECT_EQ(elSystem::IsWaitOver(slot), 0u);
}

TEST_F(SystemServicesTest, BusyWaitSpinsOnSlotElevenThenResetsTheFrameTime) {
  os::headless::SetReadQuantumMicros(20);
  FrameTime = 0.5f;
  const uint32_t start = os::TimeMs();
  elSystem::BusyWait(40);
  EXPECT_GT(os::TimeMs(), start + 40);
  EXPECT_EQ(WaitDeadlines[10], start + 40);
  EXPECT_EQ(elSystem::IsWaitOver(11), 1u);
  EXPECT_FLOAT_EQ(FrameTime, 0.0f);
}

TEST_F(SystemServicesTest, InitUnsetsSlotsEndsTextInputAndClipsInFullScreen) {
  ScreenWidth = 800;
  ScreenHeight = 600;
  elSystem::SetWait(3, 0);
  TextInputMode = 1;
  SysKeyMode = 2;
  LastKey = 0x41;
  EXPECT_EQ(elSystem::Init(), 1u);
  for (uint32_t deadline : WaitDeadlines) EXPECT_EQ(deadline, WaitUnset);
  EXPECT_EQ(TextInputMode, 0u);
  EXPECT_EQ(SysKeyMode, 0);
  EXPECT_EQ(LastKey, 0u);
  os::Rect clip;
  ASSERT_TRUE(os::CursorClip(&clip));
  EXPECT_EQ(clip.right, 800);
  EXPECT_EQ(clip.bottom, 600);
  EXPECT_EQ(elSystem::IsCursorClipped(), 1u);
}

// ---- boxes ------------------------------------------------------------------

TEST_F(SystemServicesTest, ErrorBoxBeepsShowsTheFunctionAndMessageAndGoesOn) {
  const int beeps = headless::BeepCount();
  EXPECT_EQ(elSystem::HasError(), 0u);
  EXPECT_EQ(elSystem::ErrorBox("elDraw::Screen", "DirectDrawが使用できません", 0x887601C2), 0u);
  EXPECT_EQ(headless::BeepCount(), beeps + 1);
  ASSERT_EQ(headless::Boxes().size(), 1u);
  EXPECT_EQ(headless::Boxes()[0].text, "elDraw::Screen : DirectDrawが使用できません");
  EXPECT_EQ(headless::Boxes()[0].title, kErrorTitle);
  EXPECT_EQ(headless::Boxes()[0].flags, 0x1030u);
  EXPECT_EQ(elSystem::HasError(), 1u);
  EXPECT_EQ(QuitRequested, 0u);

  // Long or missing texts are shown whole or as empty, never cut or crashed on.
  const std::string long_message(600, 'x');
  elSystem::ErrorBox("f", long_message.c_str());
  EXPECT_EQ(headless::Boxes().back().text, "f : " + long_message);
  elSystem::ErrorBox(nullptr, nullptr);
  EXPECT_EQ(headless::Boxes().back().text, " : ");
}

TEST_F(SystemServicesTest, BoxesFlipTheDisplayToTheDesktopFirst) {
  os::Display* display = nullptr;
  ASSERT_EQ(os::CreateDisplay(nullptr, &display), os::SurfaceResult::Ok);
  DirectDrawObject = display;
  elSystem::ErrorBox("f", "m");
  elSystem::Message("m");
  headless::QueueBoxAnswer(os::AnswerYes);
  elSystem::AskYesNo("q");
  EXPECT_EQ(display->FlipToGdiCount(), 3);
  DirectDrawObject = nullptr;
  os::ReleaseDisplay(display);
  elSystem::ErrorBox("f", "m");  // no display: nothing to flip
  EXPECT_EQ(headless::Boxes().size(), 4u);
}

TEST_F(SystemServicesTest, MessageAndQuestionBoxesRestartTheFrameTime) {
  CursorVisible = 0;
  headless::AdvanceMs(500);
  FrameTime = 0.05f;
  const std::string long_name(400, 'n');
  const uint32_t tick = elSystem::Message("%s has %d lives", long_name.c_str(), 3);
  EXPECT_EQ(tick, os::TimeMs());
  EXPECT_FLOAT_EQ(FrameTime, 0.0f);
  ASSERT_EQ(headless::Boxes().size(), 1u);
  EXPECT_EQ(headless::Boxes()[0].text, long_name + " has 3 lives\r\n");
  EXPECT_EQ(headless::Boxes()[0].title, "メッセージ");
  EXPECT_EQ(headless::Boxes()[0].flags, kErrorFlags);
  EXPECT_EQ(CursorVisible, 1u);
  EXPECT_EQ(MessageBoxOpen, 0u);

  headless::QueueBoxAnswer(os::AnswerYes);
  EXPECT_EQ(elSystem::AskYesNo("続けますか？"), 1u);
  EXPECT_EQ(headless::Boxes().back().flags, os::BoxYesNo | os::BoxIconQuestion);
  headless::QueueBoxAnswer(os::AnswerNo);
  EXPECT_EQ(elSystem::AskYesNo("続けますか？"), 0u);
  EXPECT_EQ(MessageBoxOpen, 0u);
}

// ---- shutdown -----------------------------------------------------------------

std::vector<std::string> g_steps;
void RecordStep(const char* step) { g_steps.push_back(step); }

TEST_F(SystemServicesTest, RequestQuitReleasesInOrderOnce) {
  g_steps.clear();
  elSystem::QuitStepHook = RecordStep;
  MainWindow = 7;
  os::LockResult result;
  InstanceMutex = os::CreateNamedLock("vantris-system-test:ElMutex", &result);
  ASSERT_EQ(result, os::LockResult::Created);
  elSystem::ClipCursorRect(0, 0, 800, 600);

  EXPECT_EQ(elSystem::RequestQuit(), 1u);
  const std::vector<std::string> expected = {"elSystem::Release", "elDraw::FreeFonts",
                                             "elSound::Release",  "elDraw::Shutdown",
                                             "InstanceMutex",     "MsgClose"};
  EXPECT_EQ(g_steps, expected);
  EXPECT_EQ(QuitRequested, 1u);
  EXPECT_EQ(QuitState, 2u);
  EXPECT_EQ(InstanceMutex, 0);
  EXPECT_EQ(elSystem::IsCursorClipped(), 0u);
  EXPECT_FALSE(os::CursorClip(nullptr));
  os::Message message;
  ASSERT_TRUE(os::PeekMessage(&message));
  EXPECT_EQ(message.msg, os::MsgClose);
  EXPECT_EQ(message.window, 7u);

  // The lock is free again: another instance could take it.
  const os::Lock again = os::CreateNamedLock("vantris-system-test:ElMutex", &result);
  EXPECT_EQ(result, os::LockResult::Created);
  os::ReleaseNamedLock(again);

  // A second request does nothing.
  g_steps.clear();
  EXPECT_EQ(elSystem::RequestQuit(), 1u);
  EXPECT_TRUE(g_steps.empty());
  EXPECT_FALSE(os::PeekMessage(&message));
}

TEST_F(SystemServicesTest, RequestQuitFromTheCloseMessagePostsNoSecondClose) {
  g_steps.clear();
  elSystem::QuitStepHook = RecordStep;
  QuitState = 1;
  EXPECT_EQ(elSystem::RequestQuit(), 1u);
  const std::vector<std::string> expected = {"elSystem::Release", "elDraw::FreeFonts",
                                             "elSound::Release", "elDraw::Shutdown"};
  EXPECT_EQ(g_steps, expected);
  EXPECT_EQ(QuitState, 2u);
  EXPECT_EQ(os::QueuedMessageCount(), 0u);
}

TEST_F(SystemServicesTest, QuitOnErrorQuitsOnlyAfterAnError) {
  EXPECT_EQ(elSystem::QuitOnError(), 0u);
  EXPECT_EQ(QuitRequested, 0u);
  elSystem::ErrorBox("elSound::LoadObject", "x");
  EXPECT_EQ(elSystem::QuitOnError(), 1u);
  EXPECT_EQ(QuitRequested, 1u);
  EXPECT_EQ(QuitState, 2u);
}

// ---- cursor ---------------------------------------------------------------------

TEST_F(SystemServicesTest, CursorClipAndPositionFollowTheWindow) {
  ScreenWidth = 800;
  ScreenHeight = 600;
  FullScreen = 0;
  WindowX = 100;
  WindowY = 50;
  elSystem::ClipCursorToScreen();
  os::Rect clip;
  ASSERT_TRUE(os::CursorClip(&clip));
  EXPECT_EQ(clip.left, 100);
  EXPECT_EQ(clip.top, 50);
  EXPECT_EQ(clip.right, 900);
  EXPECT_EQ(clip.bottom, 650);
  elSystem::SetMousePos(10, 20);
  int x = 0, y = 0;
  os::GetCursorPos(&x, &y);
  EXPECT_EQ(x, 110);
  EXPECT_EQ(y, 70);
  elSystem::Release();
  EXPECT_EQ(elSystem::IsCursorClipped(), 0u);
  EXPECT_FALSE(os::CursorClip(nullptr));
  EXPECT_EQ(elSystem::IsWindowed(), 1u);
}

// ---- folders and number files --------------------------------------------------

class FolderTest : public SystemServicesTest {
 protected:
  void SetUp() override {
    SystemServicesTest::SetUp();
    exe_dir_ = vantris_test::MakeTempDir("game");
    os::SetExeDir(exe_dir_);
  }
  void TearDown() override {
    os::SetExeDir("");
    SystemServicesTest::TearDown();
  }
  std::string exe_dir_;
};

TEST_F(FolderTest, ExePathIsTheProgramFolderOrTheBaseFolder) {
  EXPECT_EQ(elSystem::GetExePath(0), exe_dir_);
  EXPECT_EQ(elSystem::GetExePath(1), exe_dir_);  // no base folder

  const std::string settings = vantris_test::MakeTempDir("settings");
  setenv("XDG_CONFIG_HOME", settings.c_str(), 1);
  WriteText(settings + "base.txt", "/srv/games/\nsecond line\n");
  elSystem::ReadWindowsDirFile("base.txt");
  EXPECT_EQ(BasePath, "/srv/games");
  EXPECT_EQ(elSystem::GetExePath(1), "/srv/games/game/");
  EXPECT_EQ(elSystem::GetExePath(0), exe_dir_);

  elSystem::ReadWindowsDirFile("missing.txt");
  EXPECT_EQ(BasePath, "");
  elSystem::ReadWindowsDirFile(nullptr);
  EXPECT_EQ(BasePath, "");
  unsetenv("XDG_CONFIG_HOME");
}

TEST_F(FolderTest, NumberFilesRoundTripAndReadZeroWhenEmptyOrMissing) {
  elSystem::WriteNumberFile("hiscore.txt", -1234);
  EXPECT_EQ(ReadText(exe_dir_ + "hiscore.txt"), "-1234");
  EXPECT_EQ(elSystem::ReadNumberFile("hiscore.txt"), -1234);
  elSystem::WriteNumberFile2("level.txt", 3);
  EXPECT_EQ(elSystem::ReadNumberFile2("level.txt"), 3);

  WriteText(exe_dir_ + "text.txt", "no number here");
  EXPECT_EQ(elSystem::ReadNumberFile("text.txt"), 0);
  WriteText(exe_dir_ + "empty.txt", "");
  EXPECT_EQ(elSystem::ReadNumberFile2("empty.txt"), 0);
  EXPECT_EQ(elSystem::ReadNumberFile("missing.txt"), 0);
  EXPECT_EQ(elSystem::ReadNumberFile(nullptr), 0);

  // A folder that cannot be written is skipped silently.
  BasePath = "/nonexistent-vantris-folder";
  elSystem::WriteNumberFile("x.txt", 1);
  EXPECT_EQ(elSystem::ReadNumberFile("x.txt"), 0);
  EXPECT_TRUE(headless::Boxes().empty());
}

// ---- queries -------------------------------------------------------------------

TEST_F(SystemServicesTest, WeekdaysAreOneShiftJisCharacter) {
  const char* names[7] = {"日", "月", "火", "水", "木", "金", "土"};
  for (int day = 0; day < 7; ++day)
    EXPECT_EQ(elSystem::WeekdayText(day), os::Utf8ToSjis(names[day])) << day;
  EXPECT_STREQ(elSystem::WeekdayText(-1), "");
  EXPECT_STREQ(elSystem::WeekdayText(7), "");

  int32_t year = 0, month = 0, day = 0;
  std::string weekday;
  elSystem::GetDateString(year, month, day, weekday);
  const os::LocalTime now = os::GetLocalTime();
  EXPECT_EQ(year, now.year);
  EXPECT_EQ(month, now.month);
  EXPECT_EQ(weekday, elSystem::WeekdayText(now.weekday));
  int32_t hour = -1, minute = -1, second = -1;
  elSystem::GetTimeOfDay(hour, minute, second);
  EXPECT_GE(hour, 0);
  EXPECT_LT(hour, 24);
  EXPECT_GE(minute, 0);
  EXPECT_LT(second, 61);
}

TEST_F(SystemServicesTest, VersionFormula) {
  EXPECT_EQ(elSystem::VersionNumber({0, 3, 10}), 310);
  EXPECT_EQ(elSystem::VersionNumber({1, 4, 0}), 950);
  EXPECT_EQ(elSystem::VersionNumber({1, 4, 10}), 980);
  EXPECT_EQ(elSystem::VersionNumber({1, 4, 90}), 980);
  EXPECT_EQ(elSystem::VersionNumber({1, 5, 2}), 502);
  EXPECT_EQ(elSystem::VersionNumber({2, 6, 1}), 6010);
  EXPECT_EQ(elSystem::VersionNumber({2, 5, 1}), 2000);
  EXPECT_EQ(elSystem::VersionNumber({2, 5, 0}), 2000);
  EXPECT_EQ(elSystem::VersionNumber({2, 4, 0}), 4000);
  EXPECT_EQ(elSystem::VersionNumber({3, 1, 0}), -1);
  EXPECT_EQ(elSystem::GetWindowsVersion(), elSystem::VersionNumber(os::GetSystemVersion()));
}

TEST_F(SystemServicesTest, DiskAndMemoryFiguresSaturate) {
  const uint64_t disk = os::DiskFreeBytes(os::ExeDir());
  EXPECT_EQ(elSystem::GetDiskFree('C'), std::min<uint64_t>(disk, UINT32_MAX));
  EXPECT_EQ(elSystem::GetDiskFree('c'), elSystem::GetDiskFree('C'));
  EXPECT_EQ(elSystem::GetDiskFree('1'), 0u);
  EXPECT_EQ(elSystem::GetDiskFree('\0'), 0u);
  const uint64_t memory = os::FreeMemoryBytes();
  const uint32_t reported = elSystem::GetFreeMemory();
  if (memory >= UINT32_MAX) {
    EXPECT_EQ(reported, UINT32_MAX);
  } else {
    EXPECT_GT(reported, 0u);
  }
}

class ScreenDepthTest : public FolderTest {
 protected:
  void SetUp() override {
    FolderTest::SetUp();
    saved_bits_ = ScreenBits;
  }
  void TearDown() override {
    ScreenBits = saved_bits_;
    FolderTest::TearDown();
  }
  int32_t saved_bits_ = 16;
};

TEST_F(ScreenDepthTest, FullScreenOrDeepEnoughDesktopPasses) {
  ScreenBits = 32;
  EXPECT_EQ(elSystem::CheckScreenDepth("depth.txt"), 1u);  // full screen
  FullScreen = 0;
  ScreenBits = os::DesktopBits();
  EXPECT_EQ(elSystem::CheckScreenDepth("depth.txt"), 1u);
  ScreenBits = 15;  // not a depth it knows
  EXPECT_EQ(elSystem::CheckScreenDepth("depth.txt"), 1u);
  EXPECT_TRUE(headless::Boxes().empty());
}

TEST_F(ScreenDepthTest, ShallowDesktopAsksToSwitchToFullScreen) {
  ASSERT_LT(os::DesktopBits(), 32);
  FullScreen = 0;
  ScreenBits = 32;
  headless::QueueBoxAnswer(os::AnswerYes);
  EXPECT_EQ(elSystem::CheckScreenDepth("depth.txt"), 1u);
  ASSERT_EQ(headless::Boxes().size(), 2u);
  EXPECT_EQ(headless::Boxes()[0].text,
            "　ウィンドウ状態で実行しようとしていますが、画面が65536色以下に設定されています。\n"
            "正しく動作させるには、1670万色以上に設定するか、フルスクリーンで実行させて下さい。\r\n");
  EXPECT_EQ(headless::Boxes()[1].text, "フルスクリーンに設定し直しますか？\r\n");
  EXPECT_EQ(FullScreen, 1u);
  EXPECT_EQ(elSystem::ReadNumberFile("depth.txt"), 1);
  EXPECT_EQ(QuitRequested, 0u);

  // "*" asks to switch and writes nothing.
  FullScreen = 0;
  headless::QueueBoxAnswer(os::AnswerYes);
  EXPECT_EQ(elSystem::CheckScreenDepth("*"), 1u);
  EXPECT_EQ(headless::Boxes().back().text, "フルスクリーンに切り換えますか？\r\n");
  EXPECT_EQ(ReadText(exe_dir_ + "*"), "");
}

TEST_F(ScreenDepthTest, NoOrNoQuestionQuits) {
  FullScreen = 0;
  ScreenBits = 32;
  headless::QueueBoxAnswer(os::AnswerNo);
  EXPECT_EQ(elSystem::CheckScreenDepth("depth.txt"), 0u);
  EXPECT_EQ(QuitRequested, 1u);
  EXPECT_EQ(FullScreen, 0u);

  QuitRequested = 0;
  QuitState = 0;
  headless::ClearBoxes();
  EXPECT_EQ(elSystem::CheckScreenDepth(""), 0u);
  EXPECT_EQ(headless::Boxes().size(), 1u);  // the notice only
  EXPECT_EQ(QuitRequested, 1u);
  QuitRequested = 0;
  EXPECT_EQ(elSystem::CheckScreenDepth(nullptr), 0u);
}

}  // namespace
