// Files and folders.  Paths from above may use '\' or '/'; a name whose exact
// case is missing resolves case-insensitively, component by component.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace os {

// The program's folder with a trailing '/'.
std::string ExeDir();
// Tests and the headless runner may put the program's folder elsewhere.
void SetExeDir(const std::string& folder);
std::string ExePath();  // the program file's full name

// '\' becomes '/', then each missing component is looked up ignoring case.
std::string ResolvePath(std::string_view path);
FILE* OpenFile(std::string_view path, const char* mode);
// The whole file, or false when it cannot be read or holds more than
// `limit` bytes (a device or a runaway file is not read without end).
constexpr size_t ReadWholeFileLimit = size_t{64} << 20;
bool ReadWholeFile(std::string_view path, std::vector<uint8_t>* out,
                   size_t limit = ReadWholeFileLimit);

// Names (not paths) of the entries of `folder` matching `pattern` (with '*'
// and '?', case-insensitive), in sorted order; folders excluded.
std::vector<std::string> ListFolder(std::string_view folder,
                                    std::string_view pattern);

// The folder for runtime files such as the single-instance lock.
std::string RuntimeDir();

}  // namespace os
