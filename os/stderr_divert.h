// The standard error kept from the system libraries: everything written to
// file descriptor 2 while a divert is held goes down a pipe to a thread of
// the divert's own instead, which keeps the start of it and counts the
// rest, so that a library that writes without end costs neither memory nor
// disk.  The program's own lines never go there: os::SayLine (os/system.h)
// writes them to the stderr that was there before.  What a library writes as
// the process dies inside a divert (an abort(), an exit(), a crash) is
// copied to the real stderr on the way out, its start and its end, and a
// sanitizer that reports on stderr keeps reporting there.  The hooks that do
// this are set only while a divert is held, over whatever handlers are set
// then, and they hand each signal on to those.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace os {

// What was written on stderr during a divert: its start, whole when it was
// short, and how much there was in all.
struct Chatter {
  std::string start;   // the first bytes written, at most what the divert keeps
  uint64_t bytes = 0;  // all the bytes written
  uint64_t lines = 0;  // all the lines written, an unfinished last one too

  bool empty() const { return bytes == 0; }
  // The first line, without its line break (cut where the start ends).
  std::string FirstLine() const { return start.substr(0, start.find('\n')); }
};

// The divert's reading end and what it has kept (os/stderr_divert.cpp).
struct StderrKeeper;

class StderrDivert {
 public:
  // What the divert takes in: the libraries' words only (the program's
  // lines pass it by), or everything (a test's capture of what reaches
  // stderr, the program's lines with the rest).
  enum class Takes { LibraryWords, Everything };
  // How many bytes of the start are kept: enough for the libraries' first
  // line, and for all a test may capture.
  static constexpr size_t kLibraryWordsKept = 4096;
  static constexpr size_t kEverythingKept = size_t{4} << 20;

  explicit StderrDivert(Takes takes = Takes::LibraryWords);
  ~StderrDivert();
  StderrDivert(const StderrDivert&) = delete;
  StderrDivert& operator=(const StderrDivert&) = delete;

  // Ends the divert (the real stderr is back) and returns what was written;
  // later calls return the same.  Empty when nothing could be diverted.
  const Chatter& Finish();

 private:
  int level_ = -1;  // its place among the diverts held, -1 when not diverted
  int saved_ = -1;  // the stderr it hides
  std::unique_ptr<StderrKeeper> keeper_;
  Chatter said_;
};

// Writes `size` bytes of `text` where os::SayText would, without its lock:
// for a signal handler ending the process (async-signal-safe).
void SayAtOnce(const char* text, size_t size);

// Runs `call`, a call into a system library, with what the library writes on
// stderr kept off it and returned.  The program's own lines written meanwhile
// (by any thread) reach stderr at once.
template <typename Call>
Chatter WithoutLibraryChatter(Call&& call) {
  StderrDivert divert;
  call();
  return divert.Finish();
}

}  // namespace os
