// The executable's entry: chooses the backend from the command line and the
// environment, then runs the program's entry on it.
#include <cstdio>
#include <string>

#include "os/system.h"
#include "shell/shell.h"

int main(int argc, char** argv) {
  const os::StartOptions options = os::OptionsFromCommandLine(argc, argv);
  if (!os::Start(options)) {
    std::fprintf(stderr, "vantris: the %s backend could not be started\n",
                 options.backend == os::Backend::Sdl ? "SDL" : "headless");
    return 1;
  }
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
