// The executable's entry: reads the command line and the environment, starts
// the backend they choose, then runs the program's entry on it.
#include <cstdio>
#include <string>

#include "os/system.h"
#include "shell/shell.h"

namespace {

constexpr const char* kUsage =
    "usage: vantris [--sdl] [--windowed]\n"
    "       vantris --headless\n"
    "  --windowed  play in an 800 x 600 window instead of full screen\n"
    "  --sdl       show the game on the display (the default)\n"
    "  --headless  run without a window, sound or input (as VANTRIS_BACKEND=headless)\n"
    "  --help      show this text\n";

// SIGTERM and SIGINT are the game's own from its first steps, before any
// library could take them (os/system.h: CatchEndSignals).
__attribute__((constructor(102))) void CatchEndSignalsFirst() { os::CatchEndSignals(); }

}  // namespace

int main(int argc, char** argv) {
  os::StartOptions options;
  std::string bad;
  switch (os::ParseCommandLine(argc, argv, &options, &bad)) {
    case os::ParsedArgs::Help:
      std::fputs(kUsage, stdout);
      return 0;
    case os::ParsedArgs::Unknown:
      os::SayLine("vantris: unknown option '%s'\n%s", os::Printable(bad).c_str(), kUsage);
      return 2;
    case os::ParsedArgs::Contradictory:
      os::SayLine("vantris: %s cannot go together\n%s", bad.c_str(), kUsage);
      return 2;
    case os::ParsedArgs::Run:
      break;
  }
  // A backend that cannot start has said why.
  if (!os::Start(options)) return 1;
  // The command line as one text, without the program's name.
  std::string command_line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) command_line += ' ';
    command_line += argv[i];
  }
  const int result = WinMain(0, 0, command_line.c_str(), 1);
  os::Stop();
  return result;
}
