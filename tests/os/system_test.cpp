#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "os/headless/headless.h"
#include "os/path.h"
#include "os/sjis.h"
#include "os/system.h"
#include "tests/support/test_support.h"

namespace {

using vantris_test::HeadlessTest;

class OsTest : public HeadlessTest {};

TEST_F(OsTest, VirtualClockMovesOnReadsAndOnRequest) {
  os::headless::SetReadQuantumMicros(0);
  EXPECT_EQ(os::TimeMs(), 0u);
  os::headless::AdvanceMs(1234);
  EXPECT_EQ(os::TimeMs(), 1234u);
  EXPECT_EQ(os::TickCountMs(), 1234u);
  int64_t freq = 0, now = 0;
  ASSERT_TRUE(os::PerfFrequency(&freq));
  ASSERT_TRUE(os::PerfCounter(&now));
  EXPECT_EQ(freq, 1000000);
  EXPECT_EQ(now, 1234000);

  // With a quantum every read moves the clock, so a busy poll ends.
  os::headless::SetReadQuantumMicros(500);
  const uint32_t start = os::TimeMs();
  int polls = 0;
  while (os::TimeMs() < start + 10) ++polls;
  EXPECT_LT(polls, 100);

  os::SleepMs(40);
  EXPECT_GE(os::TimeMs(), start + 50);
}

TEST_F(OsTest, ClockCapsCanBeTakenAway) {
  os::headless::SetClockCaps(false, 10);
  int64_t freq = 0;
  EXPECT_FALSE(os::PerfFrequency(&freq));
  EXPECT_FALSE(os::PerfCounter(&freq));
  uint32_t period = 0;
  ASSERT_TRUE(os::TimerMinPeriod(&period));
  EXPECT_EQ(period, 10u);
}

TEST_F(OsTest, RandomIsTheClassicFifteenBitSequence) {
  os::SeedRandom(1);
  EXPECT_EQ(os::Random(), 41);
  EXPECT_EQ(os::Random(), 18467);
  EXPECT_EQ(os::Random(), 6334);
  os::SeedRandom(1);
  EXPECT_EQ(os::Random(), 41);
  for (int i = 0; i < 10000; ++i) {
    const int r = os::Random();
    ASSERT_GE(r, 0);
    ASSERT_LE(r, os::RandomMax);
  }
}

int64_t g_last_msg = -1;
int g_destroyed = 0;
int64_t RecordingProc(os::Window w, uint32_t msg, uint64_t wp, int64_t lp) {
  g_last_msg = msg;
  if (msg == os::MsgDestroy) ++g_destroyed;
  return os::DefaultWindowProc(w, msg, wp, lp);
}

TEST_F(OsTest, FirstShowPostsActivationAndMessagesFlowInOrder) {
  const os::Window w = os::CreateMainWindow("DEFAULT", "VANTRIS", true, 800, 600, RecordingProc);
  ASSERT_NE(w, 0u);
  EXPECT_EQ(os::FindWindow("DEFAULT", "VANTRIS"), w);
  EXPECT_EQ(os::FindWindow("DEFAULT", "OTHER"), 0u);
  os::ShowMainWindow(w);
  os::ShowMainWindow(w);  // only the first show activates
  os::headless::KeyDown(os::KeyEscape);
  os::Message m;
  ASSERT_TRUE(os::PeekMessage(&m));
  EXPECT_EQ(m.msg, os::MsgActivateApp);
  EXPECT_EQ(m.wparam, 1u);
  ASSERT_TRUE(os::PeekMessage(&m));
  EXPECT_EQ(m.msg, os::MsgKeyDown);
  EXPECT_EQ(m.wparam, uint64_t{os::KeyEscape});
  EXPECT_FALSE(os::PeekMessage(&m));
  os::DispatchMessage(m);
  EXPECT_EQ(g_last_msg, os::MsgKeyDown);

  // Key state carries the 'down' bit while held.
  EXPECT_TRUE(os::GetKeyState(os::KeyEscape) & 0x80);
  os::headless::KeyUp(os::KeyEscape);
  EXPECT_FALSE(os::GetKeyState(os::KeyEscape) & 0x80);
  EXPECT_EQ(os::GetKeyState(-1), 0);
  EXPECT_EQ(os::GetKeyState(1000), 0);

  // An auto-repeat has bit 30 of lParam.
  os::headless::KeyDown('S', true);
  while (os::PeekMessage(&m) && m.msg != os::MsgKeyDown) {
  }
  EXPECT_TRUE(m.lparam & (int64_t{1} << 30));

  g_destroyed = 0;
  os::SendMessage(w, os::MsgClose, 0, 0);  // the default handling destroys
  EXPECT_EQ(g_destroyed, 1);
  EXPECT_EQ(os::MainWindow(), 0u);
}

TEST_F(OsTest, MouseIsClampedToTheScreenAndDoubleClickReplacesTheDown) {
  ASSERT_NE(os::CreateMainWindow("DEFAULT", "VANTRIS", true, 800, 600, RecordingProc), 0u);
  os::headless::MouseMove(900, -5);
  os::Message m;
  ASSERT_TRUE(os::PeekMessage(&m));
  EXPECT_EQ(m.lparam & 0xFFFF, 799);
  EXPECT_EQ((m.lparam >> 16) & 0xFFFF, 0);
  os::headless::MouseButton(1, true);
  os::headless::MouseButton(1, false);
  os::headless::MouseButton(1, true, true);
  os::headless::MouseButton(1, false);
  const uint32_t expected[] = {os::MsgLButtonDown, os::MsgLButtonUp, os::MsgLButtonDblClk,
                               os::MsgLButtonUp};
  for (uint32_t e : expected) {
    ASSERT_TRUE(os::PeekMessage(&m));
    EXPECT_EQ(m.msg, e);
  }
}

TEST_F(OsTest, MessageBoxesAreRecordedAndAnsweredFromTheScript) {
  EXPECT_EQ(os::MessageBox(0, "本文", "エラー発生", os::BoxSystemModal | os::BoxIconExclamation),
            os::AnswerOk);
  EXPECT_EQ(os::MessageBox(0, "q", "t", os::BoxYesNo), os::AnswerNo);
  os::headless::QueueBoxAnswer(os::AnswerYes);
  EXPECT_EQ(os::MessageBox(0, "q", "t", os::BoxYesNo), os::AnswerYes);
  ASSERT_EQ(os::headless::Boxes().size(), 3u);
  EXPECT_EQ(os::headless::Boxes()[0].text, "本文");
  EXPECT_EQ(os::headless::Boxes()[0].title, "エラー発生");
  os::Beep();
  EXPECT_EQ(os::headless::BeepCount(), 1);
}

TEST_F(OsTest, NamedLockIsHeldAgainstASecondProcess) {
  const std::string name = "VANTRIS:ElMutex-test-" + std::to_string(getpid());
  os::LockResult result;
  const os::Lock lock = os::CreateNamedLock(name, &result);
  ASSERT_NE(lock, 0);
  EXPECT_EQ(result, os::LockResult::Created);

  const pid_t child = fork();
  if (child == 0) {
    os::LockResult r;
    const os::Lock l = os::CreateNamedLock(name, &r);
    _exit(l == 0 && r == os::LockResult::AlreadyExists ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  os::ReleaseNamedLock(lock);
  const os::Lock again = os::CreateNamedLock(name, &result);
  EXPECT_NE(again, 0);
  os::ReleaseNamedLock(again);
  os::ReleaseNamedLock(0);  // no lock: nothing happens
}

TEST_F(OsTest, PathsAcceptBothSeparatorsAndResolveCase) {
  const std::string dir = vantris_test::MakeTempDir("paths");
  std::filesystem::create_directories(dir + "IMAGE");
  std::ofstream(dir + "IMAGE/FLZ01_l.BMP") << "x";
  std::ofstream(dir + "IMAGE/B.BMP") << "x";
  std::ofstream(dir + "IMAGE/a.bmp") << "x";
  std::filesystem::create_directories(dir + "IMAGE/SUB.BMP");

  EXPECT_EQ(os::ResolvePath(dir + "image\\flz01_L.bmp"), dir + "IMAGE/FLZ01_l.BMP");
  FILE* f = os::OpenFile(dir + "Image\\Flz01_l.Bmp", "rt");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_EQ(os::OpenFile(dir + "IMAGE/missing.bmp", "rb"), nullptr);

  const auto names = os::ListFolder(dir + "IMAGE", "*.BMP");
  ASSERT_EQ(names.size(), 3u);  // the folder is left out
  EXPECT_EQ(names[0], "B.BMP");
  EXPECT_EQ(names[1], "FLZ01_l.BMP");
  EXPECT_EQ(names[2], "a.bmp");

  os::SetExeDir(dir);
  EXPECT_EQ(os::ExeDir(), dir);
  os::SetExeDir("");
  EXPECT_EQ(os::ExeDir().back(), '/');
}

TEST(Sjis, UpperCasingNeverTouchesATrailByte) {
  // 0x82 0x61 is a full-width letter whose trail byte is 'a'.
  char text[] = {'a', '\x82', 'a', 'b', '\x93', 'z', 'c', 0};
  os::SjisUpperCase(text, sizeof text - 1);
  EXPECT_EQ(text[0], 'A');
  EXPECT_EQ(text[2], 'a');
  EXPECT_EQ(text[3], 'B');
  EXPECT_EQ(text[5], 'z');
  EXPECT_EQ(text[6], 'C');
  // A lead byte at the very end does not reach past the text.
  char tail[] = {'x', '\x82'};
  os::SjisUpperCase(tail, 2);
  EXPECT_EQ(tail[0], 'X');
}

TEST(Sjis, ConvertsBothWays) {
  const std::string sjis = os::Utf8ToSjis("日月");
  ASSERT_EQ(sjis.size(), 4u);
  EXPECT_TRUE(os::IsSjisLeadByte(static_cast<uint8_t>(sjis[0])));
  EXPECT_EQ(os::SjisToUtf8(sjis), "日月");
  EXPECT_EQ(os::SjisToUtf8("\x82"), "?");  // a cut character
  EXPECT_FALSE(os::IsSjisLeadByte('A'));
}

TEST(OsQueries, FiguresAreSane) {
  EXPECT_GT(os::DiskFreeBytes("/"), 0u);
  EXPECT_EQ(os::DiskFreeBytes("/no/such/folder"), 0u);
  EXPECT_GT(os::FreeMemoryBytes(), 0u);
  const os::LocalTime t = os::GetLocalTime();
  EXPECT_GE(t.year, 2000);
  EXPECT_GE(t.weekday, 0);
  EXPECT_LE(t.weekday, 6);
}

}  // namespace
