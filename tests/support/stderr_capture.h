// Everything written to the process's standard error while a capture is
// held goes to a temporary file instead, to be read back when it ends.
// Sanitizer reports keep going to the real stderr, so that a run that a
// sanitizer stops still shows why.
#pragma once
#include <string>

namespace vantris_test {

class StderrCapture {
 public:
  StderrCapture();
  ~StderrCapture();
  StderrCapture(const StderrCapture&) = delete;
  StderrCapture& operator=(const StderrCapture&) = delete;

  // Ends the capture (the real stderr is back) and returns what was written;
  // later calls return the same text.
  const std::string& Finish();

 private:
  int saved_ = -1;  // the real stderr while capturing
  int file_ = -1;   // where fd 2 points meanwhile
  std::string text_;
};

}  // namespace vantris_test
