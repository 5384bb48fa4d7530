// What the fuzz targets that read files share: a headless machine started
// once, with the program's folder in a scratch folder beside the target, and
// the input written there as the file the reader opens.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "os/headless/headless.h"
#include "os/path.h"
#include "os/system.h"

namespace fuzz {

// Starts the headless backend with quiet boxes and makes the scratch folder
// the program's folder; returns that folder with a trailing '/'.
inline std::string StartMachine(const char* scratch) {
  os::headless::SetQuiet(true);
  os::StartOptions options;
  options.backend = os::Backend::Headless;
  os::Start(options);
  const std::string dir = std::filesystem::absolute(scratch).string() + "/";
  std::filesystem::create_directories(dir);
  os::SetExeDir(dir);
  return dir;
}

inline void WriteInput(const std::string& path, const uint8_t* data, size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) __builtin_trap();
  if (size) std::fwrite(data, 1, size, f);
  std::fclose(f);
}

}  // namespace fuzz
