// What the fuzz targets that read files share: a headless machine started
// once, with the program's folder in a scratch folder of the process's own
// beside the target, and the input written there as the file the reader
// opens.  Any number of processes of a target (libFuzzer's -jobs and
// -workers) run in one folder: each has `<name>/<its pid>/`, removed as it
// ends, and those of processes that ended without removing theirs (a crash)
// are removed as another starts.
#pragma once
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "os/headless/headless.h"
#include "os/path.h"
#include "os/system.h"

namespace fuzz {

namespace detail {

inline std::string& OwnFolder() {
  static std::string folder;
  return folder;
}

inline void RemoveOwnFolder() {
  std::error_code ec;
  std::filesystem::remove_all(OwnFolder(), ec);
}

// The folders under `parent` of processes that no longer run.
inline void RemoveLeftOvers(const std::filesystem::path& parent) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(parent, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.empty() || name.size() > 9 || name.find_first_not_of("0123456789") != name.npos) {
      continue;
    }
    const long pid = std::strtol(name.c_str(), nullptr, 10);
    if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
      std::error_code ignored;
      std::filesystem::remove_all(entry.path(), ignored);
    }
  }
}

}  // namespace detail

// Starts the headless backend with quiet boxes and makes the process's own
// scratch folder under `scratch` the program's folder; returns that folder
// with a trailing '/'.
inline std::string StartMachine(const char* scratch) {
  os::headless::SetQuiet(true);
  os::StartOptions options;
  options.backend = os::Backend::Headless;
  os::Start(options);
  const std::filesystem::path parent = std::filesystem::absolute(scratch);
  detail::RemoveLeftOvers(parent);
  const std::string dir = (parent / std::to_string(::getpid())).string() + "/";
  std::filesystem::create_directories(dir);
  detail::OwnFolder() = dir;
  std::atexit(&detail::RemoveOwnFolder);
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
