// The libraries' words kept off the standard error around a call into them,
// while the program's own lines written meanwhile still get there, whole and
// at once; a flood of them kept to its start and counted; and what a library
// writes as the process dies inside the call.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>

#include "os/stderr_divert.h"
#include "os/system.h"
#include "tests/support/stderr_capture.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VANTRIS_TEST_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VANTRIS_TEST_ASAN 1
#endif

namespace {

TEST(StderrDivert, KeepsTheLibrariesWordsAndPassesOnTheProgramsOwnLines) {
  vantris_test::StderrCapture reached;  // what reaches stderr
  const os::Chatter kept = os::WithoutLibraryChatter([] {
    std::fputs("ALSA lib confmisc.c:855:(parse_card) cannot find card '0'\n", stderr);
    os::SayLine("vantris: the music is silent: %s: no file", "a.mid");
    std::fputs("vantris-like words at the start of a library's line\n", stderr);
    os::SayLine("[エラー発生] elDraw::LoadObject : a.bmp: cut short\n");
    ASSERT_EQ(::write(2, "Fontconfig warning: unfinished", 30), 30);
  });
  os::SayLine("vantris_runner: after the call");
  const std::string words =
      "ALSA lib confmisc.c:855:(parse_card) cannot find card '0'\n"
      "vantris-like words at the start of a library's line\n"
      "Fontconfig warning: unfinished";
  EXPECT_EQ(kept.start, words);
  EXPECT_EQ(kept.bytes, words.size());
  EXPECT_EQ(kept.lines, 3u);
  EXPECT_EQ(kept.FirstLine(), "ALSA lib confmisc.c:855:(parse_card) cannot find card '0'");
  EXPECT_EQ(reached.Finish(),
            "vantris: the music is silent: a.mid: no file\n"
            "[エラー発生] elDraw::LoadObject : a.bmp: cut short\n"
            "vantris_runner: after the call\n");
}

TEST(StderrDivert, AQuietCallLeavesNothingAndEndsOnce) {
  vantris_test::StderrCapture reached;
  const os::Chatter quiet = os::WithoutLibraryChatter([] {});
  EXPECT_TRUE(quiet.empty());
  EXPECT_EQ(quiet.start, "");
  EXPECT_EQ(quiet.lines, 0u);
  std::fputs("vantris: still here\n", stderr);
  EXPECT_EQ(reached.Finish(), "vantris: still here\n");
  EXPECT_EQ(reached.Finish(), "vantris: still here\n");  // the same text again
}

// Another thread's lines, long ones too, while this one goes in and out of
// diverts: every line whole, once, and none among the libraries' words.
TEST(StderrDivert, AnotherThreadsLinesReachStderrWholeDuringDiverts) {
  constexpr int kLines = 300;
  const std::string tail(3000, 'x');
  std::string chatter;
  std::string reached;
  {
    vantris_test::StderrCapture capture;
    std::atomic<bool> writing{true};
    std::thread writer([&] {
      for (int i = 0; i < kLines; ++i) os::SayLine("[エラー発生] line %d %s", i, tail.c_str());
      writing = false;
    });
    while (writing) {
      chatter += os::WithoutLibraryChatter([] { std::fputs("library words\n", stderr); }).start;
    }
    writer.join();
    reached = capture.Finish();
  }
  std::istringstream lines(chatter);
  for (std::string line; std::getline(lines, line);) ASSERT_EQ(line, "library words");
  std::istringstream said(reached);
  int count = 0;
  for (std::string line; std::getline(said, line); ++count) {
    ASSERT_EQ(line, "[エラー発生] line " + std::to_string(count) + " " + tail);
  }
  EXPECT_EQ(count, kLines);
}

// The peak of the process's resident memory, in KiB.
long PeakKib() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// A library that writes without end: its words are read as they come, and
// only their start is kept, the first line cut at the bound; the rest is
// counted.  64 MiB written leave the peak memory where it was.
TEST(StderrDivert, AFloodIsCountedAndOnlyItsStartKept) {
  const std::string long_line(1 << 20, 'w');
  const os::Chatter unbroken =
      os::WithoutLibraryChatter([&] { std::fputs(long_line.c_str(), stderr); });
  EXPECT_EQ(unbroken.bytes, long_line.size());
  EXPECT_EQ(unbroken.lines, 1u);
  EXPECT_EQ(unbroken.FirstLine(), long_line.substr(0, os::StderrDivert::kLibraryWordsKept));

  constexpr size_t kLine = 64;
  constexpr size_t kBlock = 1024 * kLine;
  constexpr int kBlocks = 1024;
  std::string block;
  for (size_t i = 0; i < kBlock / kLine; ++i) {
    block += "Fontconfig warning: line " + std::to_string(i);
    block.append(kLine - 1 - block.size() % kLine, '.') += '\n';
  }
  ASSERT_EQ(block.size(), kBlock);
  const long before = PeakKib();
  const os::Chatter flood = os::WithoutLibraryChatter([&] {
    for (int i = 0; i < kBlocks; ++i) ASSERT_EQ(::write(2, block.data(), kBlock), ssize_t{kBlock});
  });
  const long grown = PeakKib() - before;
  EXPECT_EQ(flood.bytes, uint64_t{kBlock} * kBlocks);
  EXPECT_EQ(flood.lines, uint64_t{kBlock / kLine} * kBlocks);
  EXPECT_EQ(flood.start, block.substr(0, os::StderrDivert::kLibraryWordsKept));
  EXPECT_EQ(flood.FirstLine(), block.substr(0, kLine - 1));
  EXPECT_LT(grown, 16 * 1024) << "KiB more at the peak for 64 MiB written";
}

// The process ending inside a divert, in a child process whose stderr the
// death test reads: the library's last words and the program's line get
// there, and the process ends as it would have.
class StderrDivertDeath : public ::testing::Test {
 protected:
  void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(StderrDivertDeath, AnAbortInsideACallKeepsItsLastWords) {
  EXPECT_EXIT(os::WithoutLibraryChatter([] {
                std::fputs("library: assertion failed, about to abort\n", stderr);
                os::SayLine("vantris: the program's own line");
                std::abort();
              }),
              ::testing::KilledBySignal(SIGABRT),
              "vantris: the program's own line\nlibrary: assertion failed, about to abort\n");
}

TEST_F(StderrDivertDeath, AnExitInsideANestedCallKeepsEveryLevelsWords) {
  EXPECT_EXIT(os::WithoutLibraryChatter([] {
                std::fputs("outer words\n", stderr);
                os::WithoutLibraryChatter([] {
                  std::fputs("inner words, then exit\n", stderr);
                  std::exit(3);
                });
              }),
              ::testing::ExitedWithCode(3), "outer words\ninner words, then exit\n");
}

// A flood, then the last words before an abort: what reaches stderr is the
// flood's start, one line saying how much is left out, and its end from
// the first whole line on.
TEST_F(StderrDivertDeath, AFloodBeforeAnAbortKeepsItsStartAndItsLastWords) {
  using ::testing::AllOf;
  using ::testing::EndsWith;
  using ::testing::HasSubstr;
  using ::testing::SizeIs;
  using ::testing::StartsWith;
  // 12 + 16384 * 64 + 11 bytes: 4096 kept at the start, 4096 at the end
  // less the 53 of a line cut short there.
  EXPECT_EXIT(os::WithoutLibraryChatter([] {
                std::fputs("first words\n", stderr);
                const std::string line = std::string(63, 'x') + "\n";
                for (int i = 0; i < 16384; ++i) std::fputs(line.c_str(), stderr);
                std::fputs("last words\n", stderr);
                std::abort();
              }),
              ::testing::KilledBySignal(SIGABRT),
              AllOf(StartsWith("first words\nxxx"),
                    HasSubstr("x\n" + std::string(program_invocation_short_name) +
                              ": (1040460 more bytes written on stderr left out here)\n" +
                              std::string(63, 'x') + "\n"),
                    EndsWith("x\nlast words\n"), SizeIs(::testing::Lt(8400))));
}

// The hooks for a dying process are set only while a divert is held, and
// hand each signal to the handler that was set when it began (a fuzzer's,
// which sets its own only where it finds none).
TEST_F(StderrDivertDeath, TheHooksHoldOnlyWhileDivertedAndHandOnToTheHandlerBefore) {
  constexpr int kSignals[] = {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL};
  auto handler = [](int signal) {
    struct sigaction action {};
    ::sigaction(signal, nullptr, &action);
    return (action.sa_flags & SA_SIGINFO) ? reinterpret_cast<void*>(action.sa_sigaction)
                                          : reinterpret_cast<void*>(action.sa_handler);
  };
  void* before[std::size(kSignals)];
  for (size_t i = 0; i < std::size(kSignals); ++i) before[i] = handler(kSignals[i]);
  os::WithoutLibraryChatter([&] {
    for (size_t i = 0; i < std::size(kSignals); ++i) EXPECT_NE(handler(kSignals[i]), before[i]);
  });
  for (size_t i = 0; i < std::size(kSignals); ++i) EXPECT_EQ(handler(kSignals[i]), before[i]);

  EXPECT_EXIT(
      {
        struct sigaction own {};
        own.sa_flags = SA_SIGINFO;
        own.sa_sigaction = [](int, siginfo_t*, void*) {
          static constexpr char kTaken[] = "the handler set before took it\n";
          [[maybe_unused]] const ssize_t n = ::write(2, kTaken, sizeof kTaken - 1);
          ::_exit(7);
        };
        ::sigaction(SIGILL, &own, nullptr);
        os::WithoutLibraryChatter([] {
          std::fputs("words before the trap\n", stderr);
          __builtin_trap();
        });
      },
      ::testing::ExitedWithCode(7), "^words before the trap\nthe handler set before took it\n$");
}

// A crash inside a call: the sanitizers' own handler still reports it (in
// a build with them), after the words.
TEST_F(StderrDivertDeath, ACrashInsideACallKeepsItsWordsAndTheSanitizersReport) {
  const char* report =
#ifdef VANTRIS_TEST_ASAN
      "words before the crash\n(.|\n)*AddressSanitizer: SEGV";
#else
      "words before the crash\n";
#endif
  EXPECT_EXIT(os::WithoutLibraryChatter([] {
                std::fputs("words before the crash\n", stderr);
                volatile int* nowhere = nullptr;
                *nowhere = 1;
              }),
              [](int status) { return WIFSIGNALED(status); }, report);
}

// A sanitizer given a log file keeps writing there after diverts, and
// during one: none of its report reaches stderr.
TEST_F(StderrDivertDeath, ASanitizerLogFileIsHonouredAroundDiverts) {
#ifndef VANTRIS_TEST_ASAN
  GTEST_SKIP() << "a build without AddressSanitizer";
#else
  // The sanitizer makes the folder, in the child process (which runs this
  // test's body again up to the statement, making nothing).
  namespace fs = std::filesystem;
  const fs::path folder =
      fs::temp_directory_path() / ("vantris-asan-log-" + std::to_string(::getpid()));
  const char* before = std::getenv("ASAN_OPTIONS");
  const std::string kept = before ? before : "";
  ::setenv("ASAN_OPTIONS", ("log_path=" + (folder / "report").string()).c_str(), 1);
  auto overflow = [] {
    int* block = new int[2];
    volatile int at = 2;
    block[at] = 1;
    delete[] block;
  };
  EXPECT_DEATH(
      {
        os::WithoutLibraryChatter([] {});
        overflow();
      },
      ::testing::Not(::testing::HasSubstr("AddressSanitizer")));
  EXPECT_DEATH(os::WithoutLibraryChatter(overflow),
               ::testing::Not(::testing::HasSubstr("AddressSanitizer")));
  if (before) {
    ::setenv("ASAN_OPTIONS", kept.c_str(), 1);
  } else {
    ::unsetenv("ASAN_OPTIONS");
  }
  int reports = 0;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    std::ifstream file(entry.path());
    const std::string text((std::istreambuf_iterator<char>(file)), {});
    EXPECT_NE(text.find("AddressSanitizer: heap-buffer-overflow"), std::string::npos)
        << entry.path();
    ++reports;
  }
  EXPECT_EQ(reports, 2);
  fs::remove_all(folder, error);
#endif
}

}  // namespace
