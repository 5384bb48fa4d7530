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

// A path that exists stands as it is; otherwise each missing component is
// looked up ignoring case and, when it still is missing, taken as names
// parted by '\' (so a folder whose own name holds a '\' is found too).
std::string ResolvePath(std::string_view path);

// Every file read is a regular file: `path` (as given, with no lookup) is
// opened for reading (and writing, with `write_too`) only when it names one.
// A folder, a FIFO, a device or a socket is refused before it is opened, and
// the open itself never waits (a FIFO put in place meanwhile is refused
// too).  -1 on failure, `why` then saying "it is a folder", "it is a FIFO",
// "it is a device", "it is a socket" or the system's words ("No such file or
// directory").
int OpenRegularFile(const std::string& path, std::string* why, bool write_too = false);

// The file at `path` (resolved) opened with a stdio mode; a mode that reads
// ("r", "rb", "r+" ...) opens a regular file only, as OpenRegularFile does.
// On failure nullptr, and `why` says why as OpenRegularFile does.
FILE* OpenFile(std::string_view path, const char* mode, std::string* why = nullptr);
// The whole file, or false when it cannot be read (`why` then says why) or
// holds more than `limit` bytes.
constexpr size_t ReadWholeFileLimit = size_t{64} << 20;
bool ReadWholeFile(std::string_view path, std::vector<uint8_t>* out,
                   size_t limit = ReadWholeFileLimit, std::string* why = nullptr);

// Names (not paths) of the entries of `folder` matching `pattern` (with '*'
// and '?', case-insensitive), in sorted order; folders excluded.
std::vector<std::string> ListFolder(std::string_view folder,
                                    std::string_view pattern);

// The folder for runtime files such as the single-instance lock.
std::string RuntimeDir();

}  // namespace os
