// The standard error kept from the system libraries: everything written to
// file descriptor 2 while a divert is held goes to an unnamed scratch file
// instead, to be read back when it ends.  The program's own lines never go
// there: os::SayLine (os/system.h) writes them to the stderr that was there
// before.  What a library writes as the process dies inside a divert (an
// abort(), an exit(), a crash) is copied to the real stderr on the way out,
// and a sanitizer that reports on stderr keeps reporting there.
#pragma once
#include <cstddef>
#include <string>

namespace os {

class StderrDivert {
 public:
  // What the scratch file takes in: the libraries' words only (the program's
  // lines pass it by), or everything (a test's capture of what reaches
  // stderr, the program's lines with the rest).
  enum class Takes { LibraryWords, Everything };

  explicit StderrDivert(Takes takes = Takes::LibraryWords);
  ~StderrDivert();
  StderrDivert(const StderrDivert&) = delete;
  StderrDivert& operator=(const StderrDivert&) = delete;

  // Ends the divert (the real stderr is back) and returns what was written;
  // later calls return the same text.  Empty when nothing could be diverted.
  const std::string& Finish();

 private:
  int level_ = -1;  // its place among the diverts held, -1 when not diverted
  int saved_ = -1;  // the stderr it hides
  int file_ = -1;   // where fd 2 points meanwhile
  std::string text_;
};

// Writes `size` bytes of `text` where os::SayText would, without its lock:
// for a signal handler ending the process (async-signal-safe).
void SayAtOnce(const char* text, size_t size);

// Runs `call`, a call into a system library, with what the library writes on
// stderr kept off it and returned.  The program's own lines written meanwhile
// (by any thread) reach stderr at once.
template <typename Call>
std::string WithoutLibraryChatter(Call&& call) {
  StderrDivert divert;
  call();
  return divert.Finish();
}

}  // namespace os
