// The libraries' words kept off the standard error around a call into them,
// while the program's own lines written meanwhile still get there.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "os/stderr_divert.h"
#include "tests/support/stderr_capture.h"

namespace {

TEST(StderrDivert, KeepsTheLibrariesWordsAndPassesOnTheProgramsOwnLines) {
  vantris_test::StderrCapture reached;  // what reaches stderr
  const std::string kept = os::WithoutLibraryChatter([] {
    std::fputs("ALSA lib confmisc.c:855:(parse_card) cannot find card '0'\n", stderr);
    std::fputs("vantris: the music is silent: a.mid: no file\n", stderr);
    std::fputs("error: vantris-like words inside a library's line\n", stderr);
    ASSERT_EQ(::write(2, "Fontconfig warning: unfinished", 30), 30);
  });
  std::fputs("vantris_runner: after the call\n", stderr);
  EXPECT_EQ(kept,
            "ALSA lib confmisc.c:855:(parse_card) cannot find card '0'\n"
            "error: vantris-like words inside a library's line\n"
            "Fontconfig warning: unfinished");
  EXPECT_EQ(reached.Finish(),
            "vantris: the music is silent: a.mid: no file\n"
            "vantris_runner: after the call\n");
}

TEST(StderrDivert, AQuietCallLeavesNothingAndEndsOnce) {
  vantris_test::StderrCapture reached;
  EXPECT_EQ(os::WithoutLibraryChatter([] {}), "");
  std::fputs("vantris: still here\n", stderr);
  EXPECT_EQ(reached.Finish(), "vantris: still here\n");
  EXPECT_EQ(reached.Finish(), "vantris: still here\n");  // the same text again
}

}  // namespace
