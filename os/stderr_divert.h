// The standard error kept from the system libraries: everything written to
// file descriptor 2 while a divert is held goes to an unnamed scratch file
// instead, to be read back when it ends.  Sanitizer reports keep going to the
// real stderr, so that a run that a sanitizer stops still shows why.
#pragma once
#include <string>

namespace os {

class StderrDivert {
 public:
  StderrDivert();
  ~StderrDivert();
  StderrDivert(const StderrDivert&) = delete;
  StderrDivert& operator=(const StderrDivert&) = delete;

  // Ends the divert (the real stderr is back) and returns what was written;
  // later calls return the same text.  Empty when nothing could be diverted.
  const std::string& Finish();

 private:
  int saved_ = -1;  // the real stderr while diverted
  int file_ = -1;   // where fd 2 points meanwhile
  std::string text_;
};

// The lines of `text` that are the program's own ("vantris..." at a line's
// start) written to stderr; the rest, the libraries' words, returned.
std::string PassOnOwnLines(const std::string& text);

// Runs `call`, a call into a system library, with what the library writes on
// stderr kept off it and returned.  The program's own lines written meanwhile
// (by another thread) still reach stderr, after the call.
template <typename Call>
std::string WithoutLibraryChatter(Call&& call) {
  StderrDivert divert;
  call();
  return PassOnOwnLines(divert.Finish());
}

}  // namespace os
