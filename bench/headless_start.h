// The os layer started on the headless backend, for the benchmark programs
// and the route they play (no SDL or benchmark library needed to include it).
#pragma once
#include "os/headless/headless.h"
#include "os/system.h"

namespace bench {

// The os layer on the headless backend, message boxes quiet.
inline void StartHeadless() {
  os::headless::SetQuiet(true);
  os::StartOptions options;
  options.backend = os::Backend::Headless;
  os::Start(options);
}

}  // namespace bench
