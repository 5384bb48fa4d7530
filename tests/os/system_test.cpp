#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "os/headless/headless.h"
#include "os/path.h"
#include "os/sjis.h"
#include "os/system.h"
#include "tests/support/test_support.h"

namespace {

using OsTest = vantris_test::HeadlessTest;

TEST_F(OsTest, RandomIsTheClassicFifteenBitSequence) {
  os::SeedRandom(1);
  EXPECT_EQ(os::Random(), 41);
  EXPECT_EQ(os::Random(), 18467);
}

int64_t g_last_msg = -1;
int g_destroyed = 0;
int64_t RecordingProc(os::Window w, uint32_t msg, uint64_t wp, int64_t lp) {
  g_last_msg = msg;
  if (msg == os::MsgDestroy) ++g_destroyed;
  return os::DefaultWindowProc(w, msg, wp, lp);
}

TEST_F(OsTest, FirstShowPostsPositionAndActivationAndMessagesFlowInOrder) {
  const os::Window w = os::CreateMainWindow("DEFAULT", "VANTRIS", true, 800, 600, RecordingProc);
  os::ShowMainWindow(w);
  os::ShowMainWindow(w);  // only the first show activates
  os::headless::KeyDown(os::KeyEscape);
  os::Message m;
  ASSERT_TRUE(os::PeekMessage(&m));
  EXPECT_TRUE(m.msg == os::MsgMove && m.lparam == os::MousePos(0, 0));
  ASSERT_TRUE(os::PeekMessage(&m));
  EXPECT_TRUE(m.msg == os::MsgActivateApp && m.wparam == 1u);
  ASSERT_TRUE(os::PeekMessage(&m));
  os::DispatchMessage(m);
  EXPECT_EQ(g_last_msg, os::MsgKeyDown);

  EXPECT_TRUE(os::GetKeyState(os::KeyEscape) & 0x80);
  os::headless::KeyUp(os::KeyEscape);
  EXPECT_FALSE(os::GetKeyState(os::KeyEscape) & 0x80);
  EXPECT_EQ(os::GetKeyState(1000), 0);
  g_destroyed = 0;
  os::SendMessage(w, os::MsgClose, 0, 0);  // the default handling destroys
  EXPECT_EQ(g_destroyed, 1);
  EXPECT_EQ(os::MainWindow(), 0u);
}

TEST_F(OsTest, NamedLockIsHeldAgainstASecondProcessAndNamesItsHolder) {
  const std::string name = "VANTRIS:ElMutex-test-" + std::to_string(getpid());
  os::LockResult result;
  const os::Lock lock = os::CreateNamedLock(name, &result);
  ASSERT_NE(lock, 0);
  EXPECT_EQ(result, os::LockResult::Created);
  std::ifstream file(os::RuntimeDir() + "/VANTRIS_ElMutex-test-" + std::to_string(getpid()) +
                     "-" + std::to_string(geteuid()) + ".lock");
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, std::to_string(getpid()) + "\n");

  // The second process is refused; the holder's window is not its own, and
  // the headless backend cannot look for it, which it says.
  const pid_t child = fork();
  if (child == 0) {
    os::LockResult r;
    const os::Lock l = os::CreateNamedLock(name, &r);
    std::string why;
    const os::Window other = os::FindWindow("DEFAULT", "VANTRIS", &why);
    std::string not_brought;
    const bool brought = os::BringToFront(other, &not_brought);
    _exit(l == 0 && r == os::LockResult::AlreadyExists && other == 0 &&
                  why == "the headless backend sees no display" && !brought &&
                  not_brought == "no such window"
              ? 0
              : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  os::ReleaseNamedLock(lock);
}

TEST(LockHolder, OnlyAWholeDecimalProcessIdInRangeNamesTheHolder) {
  EXPECT_EQ(os::LockHolder("4167\n"), 4167);
  EXPECT_EQ(os::LockHolder("1"), 1);
  EXPECT_EQ(os::LockHolder("4194304\n"), 4194304);
  for (const char* bad : {"", "\n", "0\n", "4194305\n", "999999999\n", "1234567890", "-5\n",
                          "+5\n", " 5\n", "5 \n", "5\n\n", "0x10\n", "0419\n", "5\n6\n"}) {
    EXPECT_EQ(os::LockHolder(bad), 0) << '"' << bad << '"';
  }
}

TEST_F(OsTest, TheLockIsTheUsersOwnFileAndALinkInItsPlaceIsNotFollowed) {
  const std::string path =
      os::RuntimeDir() + "/VANTRIS_ElMutex-" + std::to_string(geteuid()) + ".lock";
  os::LockResult result;
  const os::Lock lock = os::CreateNamedLock("VANTRIS:ElMutex", &result);
  ASSERT_EQ(result, os::LockResult::Created);
  struct stat info {};
  ASSERT_EQ(lstat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  os::ReleaseNamedLock(lock);

  // A link planted under the lock's name: refused, its target untouched.
  const std::string target = os::RuntimeDir() + "/target";
  ASSERT_EQ(unlink(path.c_str()), 0);
  ASSERT_EQ(symlink(target.c_str(), path.c_str()), 0);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(os::CreateNamedLock("VANTRIS:ElMutex", &result), 0);
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(result, os::LockResult::Failed);
  EXPECT_NE(said.find("vantris: cannot take the lock " + path), std::string::npos) << said;
  EXPECT_FALSE(std::filesystem::exists(target));
}

TEST(CommandLine, KnownOptionsRunHelpHelpsContradictionsAndUnknownsAreRefused) {
  unsetenv("VANTRIS_BACKEND");
  const struct {
    std::vector<const char*> args;
    os::ParsedArgs parsed;
    os::Backend backend;
    bool windowed;
    std::string bad;
  } rows[] = {
      {{}, os::ParsedArgs::Run, os::Backend::Sdl, false, ""},
      {{"--sdl", "--windowed", "--sdl"}, os::ParsedArgs::Run, os::Backend::Sdl, true, ""},
      {{"--headless", "--headless"}, os::ParsedArgs::Run, os::Backend::Headless, false, ""},
      // Two backends, or a window without one, whatever the order; an
      // unknown option is named first, and either beats --help.
      {{"--windowed", "--headless"}, os::ParsedArgs::Contradictory, os::Backend::Headless, true,
       "--headless and --windowed"},
      {{"--headless", "--sdl"}, os::ParsedArgs::Contradictory, os::Backend::Sdl, false,
       "--headless and --sdl"},
      {{"--help", "--sdl", "--headless", "--windowed"}, os::ParsedArgs::Contradictory,
       os::Backend::Headless, true, "--headless and --sdl"},
      {{"--sdl", "--headless", "-x"}, os::ParsedArgs::Unknown, os::Backend::Headless, false, "-x"},
      {{"--help"}, os::ParsedArgs::Help, os::Backend::Sdl, false, ""},
      {{"--window", "--help"}, os::ParsedArgs::Unknown, os::Backend::Sdl, false, "--window"},
      {{"--windowed", "a.bmp", "-x"}, os::ParsedArgs::Unknown, os::Backend::Sdl, true, "a.bmp"},
  };
  for (const auto& row : rows) {
    std::vector<char*> argv = {const_cast<char*>("vantris")};
    for (const char* a : row.args) argv.push_back(const_cast<char*>(a));
    os::StartOptions options;
    std::string bad;
    EXPECT_EQ(os::ParseCommandLine(static_cast<int>(argv.size()), argv.data(), &options, &bad),
              row.parsed);
    EXPECT_EQ(options.backend, row.backend);
    EXPECT_EQ(options.windowed, row.windowed);
    EXPECT_EQ(bad, row.bad);
  }
  // The variable is no option: an option given overrides it, and --windowed
  // beside it is no contradiction.
  setenv("VANTRIS_BACKEND", "headless", 1);
  for (const char* arg : {"--windowed", "--sdl"}) {
    char* argv[] = {const_cast<char*>("vantris"), const_cast<char*>(arg)};
    os::StartOptions options;
    EXPECT_EQ(os::ParseCommandLine(2, argv, &options), os::ParsedArgs::Run) << arg;
    EXPECT_EQ(options.backend,
              arg == std::string("--sdl") ? os::Backend::Sdl : os::Backend::Headless);
  }
  unsetenv("VANTRIS_BACKEND");
}

TEST_F(OsTest, PathsAcceptBothSeparatorsAndResolveCase) {
  const std::string dir = vantris_test::MakeTempDir("paths");
  std::filesystem::create_directories(dir + "IMAGE");
  std::ofstream(dir + "IMAGE/FLZ01_l.BMP") << "x";
  std::ofstream(dir + "IMAGE/a.bmp") << "x";
  std::filesystem::create_directories(dir + "IMAGE/SUB.BMP");

  EXPECT_EQ(os::ResolvePath(dir + "image\\flz01_L.bmp"), dir + "IMAGE/FLZ01_l.BMP");
  FILE* f = os::OpenFile(dir + "Image\\Flz01_l.Bmp", "rt");
  ASSERT_NE(f, nullptr);
  std::fclose(f);

  const auto names = os::ListFolder(dir + "IMAGE", "*.BMP");
  EXPECT_EQ(names, (std::vector<std::string>{"FLZ01_l.BMP", "a.bmp"}));  // not the folder

  // A whole-file read stops at its limit: a file of exactly the limit reads,
  // one byte more (or a device that never ends) is refused.
  std::vector<uint8_t> data;
  EXPECT_TRUE(os::ReadWholeFile(dir + "IMAGE/a.bmp", &data, 1));
  EXPECT_EQ(data.size(), 1u);
  std::ofstream(dir + "two") << "xy";
  EXPECT_FALSE(os::ReadWholeFile(dir + "two", &data, 1));
  EXPECT_FALSE(os::ReadWholeFile("/dev/zero", &data));
}

TEST(Sjis, UpperCasingSkipsTrailBytesAndConversionRoundTrips) {
  // 0x82 0x61 is a full-width letter whose trail byte is 'a'.
  char text[] = {'a', '\x82', 'a', 'b', '\x93', 'z', 'c', 0};
  os::SjisUpperCase(text, sizeof text - 1);
  EXPECT_EQ(std::string(text), "A\x82" "aB\x93zC");
  // A lead byte at the very end does not reach past the text.
  char tail[] = {'x', '\x82'};
  os::SjisUpperCase(tail, 2);
  EXPECT_EQ(tail[0], 'X');
  EXPECT_EQ(os::SjisToUtf8(os::Utf8ToSjis("日月")), "日月");
  EXPECT_EQ(os::SjisToUtf8("\x82"), "?");  // a cut character
}

}  // namespace
