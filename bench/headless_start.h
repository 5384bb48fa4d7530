// The os layer started on the headless backend, for the benchmark programs
// and the route they play (no SDL or benchmark library needed to include it).
#pragma once
#include <cstdlib>
#include <string>

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

// The folder of the game's stand-in assets: VANTRIS_ASSET_DIR, else the
// build folder's.
inline std::string AssetDir() {
  if (const char* dir = std::getenv("VANTRIS_ASSET_DIR")) return dir;
#ifdef VANTRIS_ASSET_DIR
  return VANTRIS_ASSET_DIR;
#else
  return ".";
#endif
}

}  // namespace bench
