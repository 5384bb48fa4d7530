// libFuzzer target for the single-instance lock file's reader: whatever the
// file holds, the holder it names is 0 or a process id in range, and only
// the text of that number (a line feed after it or not) names one.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "os/system.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > os::kLockTextSize) size = os::kLockTextSize;  // all the reader reads
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const long holder = os::LockHolder(text);
  if (holder < 0 || holder > os::kMostProcessId) __builtin_trap();
  if (holder != 0) {
    const std::string number = std::to_string(holder);
    if (text != number && text != number + "\n") __builtin_trap();
  }
  return 0;
}
