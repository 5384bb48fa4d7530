// Everything written to the process's standard error while a capture is
// held goes to the diverter instead, to be read back when it ends: the
// program's own lines (os::SayLine) and whatever else reaches stderr, up to
// os::StderrDivert::kEverythingKept bytes.  Made by the diverter the
// operating-system layer keeps the libraries' words off stderr with; a
// sanitizer that reports on stderr still reports on the real one, so that a
// run that a sanitizer stops still shows why.
#pragma once
#include <string>

#include "os/stderr_divert.h"

namespace vantris_test {

class StderrCapture : public os::StderrDivert {
 public:
  StderrCapture() : os::StderrDivert(Takes::Everything) {}
  // Ends the capture and returns what reached stderr.
  const std::string& Finish() { return os::StderrDivert::Finish().start; }
};

}  // namespace vantris_test
