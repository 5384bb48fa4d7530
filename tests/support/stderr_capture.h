// Everything written to the process's standard error while a capture is
// held goes to a scratch file instead, to be read back when it ends (the
// diverter the operating-system layer keeps the libraries' words off stderr
// with).  Sanitizer reports keep going to the real stderr, so that a run that
// a sanitizer stops still shows why.
#pragma once
#include "os/stderr_divert.h"

namespace vantris_test {

using StderrCapture = os::StderrDivert;

}  // namespace vantris_test
