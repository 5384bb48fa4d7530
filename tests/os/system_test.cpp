#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "os/audio/midi.h"
#include "os/audio/wave.h"
#include "os/bmp.h"
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

// A window procedure that refuses the screen saver, as the game's does.
int64_t RefusingProc(os::Window w, uint32_t msg, uint64_t wp, int64_t lp) {
  if (msg == os::MsgSysCommand && (wp & 0xFFF0) == os::SysCommandScreenSave) return 0;
  return os::DefaultWindowProc(w, msg, wp, lp);
}

// The window system holds the clip, and the screen saver off, only from the
// show on and while the window is in front; a clip set meanwhile waits for
// its return.  A procedure that leaves the screen saver's request to the
// default handling lets it run.
TEST_F(OsTest, TheClipAndTheScreenSaverAreHeldOnlyWhileTheWindowIsInFront) {
  namespace headless = os::headless;
  const os::Rect screen{0, 0, 800, 600}, corner{0, 0, 100, 50};
  os::Rect held;
  os::Window w = os::CreateMainWindow("DEFAULT", "VANTRIS", true, 800, 600, RefusingProc);
  os::ClipCursor(&screen);
  EXPECT_FALSE(headless::CursorConfinement(&held));
  EXPECT_FALSE(headless::ScreenSaverHeldOff());
  os::ShowMainWindow(w);
  ASSERT_TRUE(headless::CursorConfinement(&held));
  EXPECT_TRUE(held.left == 0 && held.top == 0 && held.right == 800 && held.bottom == 600);
  EXPECT_TRUE(headless::ScreenSaverHeldOff());

  headless::Focus(false);
  EXPECT_FALSE(headless::CursorConfinement(nullptr));
  EXPECT_FALSE(headless::ScreenSaverHeldOff());
  os::ClipCursor(&corner);
  EXPECT_FALSE(headless::CursorConfinement(nullptr));
  ASSERT_TRUE(os::CursorClip(&held));  // the program's clip is kept
  headless::Focus(true);
  ASSERT_TRUE(headless::CursorConfinement(&held));
  EXPECT_TRUE(held.right == 100 && held.bottom == 50);
  EXPECT_TRUE(headless::ScreenSaverHeldOff());
  os::ClipCursor(nullptr);
  EXPECT_FALSE(headless::CursorConfinement(nullptr));
  os::ClipCursor(&corner);
  os::DestroyWindow(w);
  EXPECT_FALSE(headless::CursorConfinement(nullptr));
  EXPECT_FALSE(headless::ScreenSaverHeldOff());

  w = os::CreateMainWindow("DEFAULT", "VANTRIS", false, 800, 600, RecordingProc);
  os::ShowMainWindow(w);
  headless::Focus(true);
  EXPECT_TRUE(headless::CursorConfinement(nullptr));
  EXPECT_FALSE(headless::ScreenSaverHeldOff());
}

// The beep rings the display's bell and writes nothing; with no bell to ring
// and no sound device, it is a BEL on stderr, and only where that is a
// terminal.
TEST_F(OsTest, TheBeepRingsTheBellAndABelGoesOnlyToATerminal) {
  ::testing::internal::CaptureStderr();
  os::Beep();
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(os::headless::BeepCount(), 1);
  os::Stop();
  ::testing::internal::CaptureStderr();
  os::Beep();
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");

  const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(terminal, 0);
  ASSERT_EQ(::grantpt(terminal), 0);
  ASSERT_EQ(::unlockpt(terminal), 0);
  const int side = ::open(::ptsname(terminal), O_RDWR | O_NOCTTY);
  ASSERT_GE(side, 0);
  const int saved = ::dup(2);
  ::dup2(side, 2);
  const bool on_terminal = os::StderrIsTerminal();
  os::Beep();
  ::dup2(saved, 2);
  ::close(saved);
  ::close(side);
  EXPECT_TRUE(on_terminal);
  pollfd ready{terminal, POLLIN, 0};
  char got[8] = {};
  ASSERT_EQ(::poll(&ready, 1, 2000), 1);
  const ssize_t n = ::read(terminal, got, sizeof got);
  EXPECT_EQ(std::string(got, static_cast<size_t>(std::max<ssize_t>(n, 0))), "\a");
  ::close(terminal);
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

  // A folder whose own name holds a '\\' is found, and what lies in it.
  std::filesystem::create_directories(dir + "back\\slash/IMAGE");
  std::ofstream(dir + "back\\slash/IMAGE/X.BMP") << "x";
  EXPECT_EQ(os::ResolvePath(dir + "back\\slash/image\\x.bmp"), dir + "back\\slash/IMAGE/X.BMP");
  EXPECT_EQ(os::ResolvePath(dir + "BACK\\SLASH/IMAGE/X.BMP"), dir + "back\\slash/IMAGE/X.BMP");
  EXPECT_EQ(os::ResolvePath(dir + "Image\\none\\"), dir + "IMAGE/none/");

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

// Whatever is not a regular file (a folder, a FIFO, a device, a socket, a
// link to one) is refused by every reader before it is read, with what it
// is, and nothing waits: a FIFO without a writer would hold a plain open for
// good (the alarm ends the test if anything waits).
TEST_F(OsTest, OnlyRegularFilesAreReadAndNothingWaitsForOne) {
  const std::string dir = vantris_test::MakeTempDir("not_regular");
  ASSERT_EQ(::mkfifo((dir + "FIFO.BMP").c_str(), 0600), 0);
  std::filesystem::create_directories(dir + "FOLDER.WAV");
  std::filesystem::create_symlink("/dev/null", dir + "DEVICE.MID");
  std::filesystem::create_symlink(dir + "FIFO.BMP", dir + "LINK.WAV");
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socket_path = dir + "SOCKET.MID";
  ASSERT_LT(socket_path.size(), sizeof address.sun_path);
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socket_path.c_str());
  ASSERT_EQ(::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);

  ::alarm(20);
  const std::pair<const char*, const char*> files[] = {
      {"FIFO.BMP", "it is a FIFO"},     {"fifo.bmp", "it is a FIFO"},
      {"FOLDER.WAV", "it is a folder"}, {"DEVICE.MID", "it is a device"},
      {"LINK.WAV", "it is a FIFO"},     {"SOCKET.MID", "it is a socket"},
      {"NONE.BMP", "No such file or directory"},
  };
  for (const auto& [name, reason] : files) {
    const std::string path = dir + name;
    std::string why;
    for (const char* mode : {"rb", "r", "r+b"}) {
      EXPECT_EQ(os::OpenFile(path, mode, &why), nullptr) << name << " " << mode;
      EXPECT_EQ(why, reason) << name << " " << mode;
    }
    std::vector<uint8_t> data;
    why.clear();
    EXPECT_FALSE(os::ReadWholeFile(path, &data, os::ReadWholeFileLimit, &why)) << name;
    EXPECT_EQ(why, reason) << name;
    os::Bitmap bitmap;
    why.clear();
    EXPECT_FALSE(os::LoadBmpFile(path, &bitmap, &why)) << name;
    EXPECT_EQ(why, reason) << name;
    os::audio::WaveFile wave;
    why.clear();
    EXPECT_FALSE(os::audio::ReadWaveFile(path, &wave, &why)) << name;
    EXPECT_EQ(why, reason) << name;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(os::MidiCommand("open " + os::MidiQuoted(path) + " type sequencer alias midi"),
              os::MidiErrCannotOpen);
    // (Said once a file: fifo.bmp is FIFO.BMP.)
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              name == std::string("fifo.bmp") ? std::string() :
              "vantris: the music is silent: " + os::ResolvePath(path) + ": " + reason + "\n");
  }
  // A regular file reads, through a link too; a mode that writes is not
  // held to it.
  std::ofstream(dir + "PLAIN.WAV") << "xy";
  std::filesystem::create_symlink(dir + "PLAIN.WAV", dir + "PLAIN_LINK.WAV");
  std::vector<uint8_t> data;
  EXPECT_TRUE(os::ReadWholeFile(dir + "plain_link.wav", &data));
  EXPECT_EQ(data, (std::vector<uint8_t>{'x', 'y'}));
  FILE* device = os::OpenFile("/dev/null", "wb");
  ASSERT_NE(device, nullptr);
  std::fclose(device);
  ::alarm(0);
  ::close(sock);
}

// What a line says of a name from outside: printable UTF-8 as it stands,
// each control byte and each byte of no valid UTF-8 as \xNN.
TEST(Printable, ControlBytesAndInvalidUtf8AreEscapedAndTheRestKept) {
  EXPECT_EQ(os::Printable("/home/user/ゲーム/MIDI/BGM1.MID"), "/home/user/ゲーム/MIDI/BGM1.MID");
  EXPECT_EQ(os::Printable(std::string("a\nb\rc\0d\x1b[2J\x7f", 12)),
            "a\\x0ab\\x0dc\\x00d\\x1b[2J\\x7f");
  // A C1 control (CSI) is escaped, a no-break space kept.
  EXPECT_EQ(os::Printable("\xc2\x9b" "1m \xc2\xa0"), "\\xc2\\x9b1m \xc2\xa0");
  const std::pair<std::string, std::string> invalid[] = {
      {"\xff", "\\xff"},                          // never in UTF-8
      {"\x80", "\\x80"},                          // a stray continuation
      {"\xc0\xaf", "\\xc0\\xaf"},                  // an overlong '/'
      {"\xe0\x80\xaf", "\\xe0\\x80\\xaf"},          // likewise in three bytes
      {"\xed\xa0\x80", "\\xed\\xa0\\x80"},          // a surrogate
      {"\xf4\x90\x80\x80", "\\xf4\\x90\\x80\\x80"},  // past U+10FFFF
      {"\xe3\x81", "\\xe3\\x81"},                  // cut short
      {"\xe3\x81" "a", "\\xe3\\x81a"},
  };
  for (const auto& [text, shown] : invalid) EXPECT_EQ(os::Printable(text), shown);
  EXPECT_EQ(os::Printable("\xf0\x9f\x8e\xae"), "\xf0\x9f\x8e\xae");  // four bytes, kept
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
