// A soundfont that cannot be loaded: the music is silent, said in one line of
// the program's, with none of the libraries' own complaints around it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "os/audio/midi.h"
#include "tests/support/stderr_capture.h"
#include "tests/support/test_support.h"

namespace {

TEST(DamagedSoundfont, IsSaidInOneLineOfTheProgramsOwn) {
  const char* before = std::getenv("VANTRIS_SOUNDFONT");
  const std::string kept = before ? before : "";
  const std::string folder = vantris_test::MakeTempDir("soundfont");
  using namespace std::string_view_literals;
  // Empty, no RIFF file, a RIFF file cut short in its first list.
  for (std::string_view text : {""sv, "not a soundfont at all\n"sv, "RIFF\x40\0\0\0sfbkLIST"sv}) {
    const std::string path = folder + "damaged.sf2";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    ::setenv("VANTRIS_SOUNDFONT", path.c_str(), 1);
    vantris_test::StderrCapture said;
    EXPECT_EQ(os::audio::MakeFluidSequencer(22050), nullptr);
    const std::string line = said.Finish();
    const std::string start =
        "vantris: the music is silent: the soundfont " + path + " cannot be loaded";
    EXPECT_EQ(line.substr(0, start.size()), start) << line;
    EXPECT_EQ(line.find('\n'), line.size() - 1) << line;
  }
  if (before) {
    ::setenv("VANTRIS_SOUNDFONT", kept.c_str(), 1);
  } else {
    ::unsetenv("VANTRIS_SOUNDFONT");
  }
}

}  // namespace
