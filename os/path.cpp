// Files and folders: the program's folder, '\' or '/' separators, and names
// that resolve case-insensitively when their exact case is missing.
#include "os/path.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "os/sjis.h"

namespace os {
namespace {

std::string g_exe_dir_override;

bool Exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}


// The entry of `folder` that equals `name` ignoring case (the exact name
// when nothing matches).
std::string FindEntry(const std::string& folder, const std::string& name) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return name;
  std::vector<std::string> matches;
  while (dirent* entry = ::readdir(dir)) {
    if (EqualsIgnoringCase(entry->d_name, name)) matches.emplace_back(entry->d_name);
  }
  ::closedir(dir);
  if (matches.empty()) return name;
  std::sort(matches.begin(), matches.end());
  return matches.front();
}

}  // namespace

std::string ExePath() {
  char buffer[4096];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return {};
  return std::string(buffer, static_cast<size_t>(n));
}

std::string ExeDir() {
  if (!g_exe_dir_override.empty()) return g_exe_dir_override;
  std::string path = ExePath();
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return "./";
  return path.substr(0, slash + 1);
}

void SetExeDir(const std::string& folder) {
  g_exe_dir_override = folder;
  if (!g_exe_dir_override.empty() && g_exe_dir_override.back() != '/')
    g_exe_dir_override += '/';
}

namespace {

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// Adds one component (it holds no '/') to `path`: as it is named when that
// exists, else the entry that matches it ignoring case, else, when it holds
// a backslash, its pieces between them in turn (a name written with Windows
// separators).  So a folder whose own name holds a backslash is found too.
void AddComponent(std::string* path, const std::string& part) {
  if (part.empty()) return;
  std::string candidate = Join(*path, part);
  if (part != "." && part != ".." && !Exists(candidate)) {
    const std::string found = FindEntry(path->empty() ? "." : *path, part);
    if (found == part && part.find('\\') != std::string::npos) {
      for (size_t at = 0; at <= part.size();) {
        const size_t end = std::min(part.find('\\', at), part.size());
        AddComponent(path, part.substr(at, end - at));
        at = end + 1;
      }
      return;
    }
    candidate = Join(*path, found);
  }
  *path = candidate;
}

}  // namespace

std::string ResolvePath(std::string_view path) {
  const std::string given(path);
  if (given.empty() || Exists(given)) return given;
  // Walk the components, fixing the case of each one that is missing.
  std::string result;
  size_t pos = 0;
  if (given[0] == '/' || given[0] == '\\') {
    result = "/";
    pos = 1;
  }
  while (pos <= given.size()) {
    const size_t next = std::min(given.find('/', pos), given.size());
    AddComponent(&result, given.substr(pos, next - pos));
    pos = next + 1;
  }
  const char last = given.back();
  if ((last == '/' || last == '\\') && !result.empty() && result.back() != '/') result += '/';
  return result;
}

namespace {

// What a path that is no regular file names.
const char* NotRegular(mode_t mode) {
  if (S_ISDIR(mode)) return "it is a folder";
  if (S_ISFIFO(mode)) return "it is a FIFO";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device";
  if (S_ISSOCK(mode)) return "it is a socket";
  return "it is no regular file";
}

}  // namespace

int OpenRegularFile(const std::string& path, std::string* why, bool write_too) {
  const auto fail = [why](const char* reason, int error) {
    if (why) *why = reason;
    errno = error;
    return -1;
  };
  // Looked at first, so that a device is never opened (some act on an open)
  // and a FIFO never waits for a writer.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return fail(std::strerror(errno), errno);
  if (!S_ISREG(info.st_mode))
    return fail(NotRegular(info.st_mode), S_ISDIR(info.st_mode) ? EISDIR : ENXIO);
  const int fd = ::open(path.c_str(),
                        (write_too ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return fail(std::strerror(errno), errno);
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    const int error = errno;
    ::close(fd);
    return fail(S_ISREG(info.st_mode) ? std::strerror(error) : NotRegular(info.st_mode), ENXIO);
  }
  // A regular file: its reads wait for their data as usual.
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags != -1) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  return fd;
}

FILE* OpenFile(std::string_view path, const char* mode, std::string* why) {
  const std::string resolved = ResolvePath(path);
  std::string binary_mode;
  for (const char* m = mode; *m; ++m) {
    if (*m != 't') binary_mode += *m;  // text and binary are the same here
  }
  if (binary_mode.empty() || binary_mode[0] != 'r') {
    FILE* file = std::fopen(resolved.c_str(), binary_mode.c_str());
    if (!file && why) *why = std::strerror(errno);
    return file;
  }
  const int fd =
      OpenRegularFile(resolved, why, binary_mode.find('+') != std::string::npos);
  if (fd < 0) return nullptr;
  FILE* file = ::fdopen(fd, binary_mode.c_str());
  if (!file) {
    const int error = errno;
    if (why) *why = std::strerror(error);
    ::close(fd);
    errno = error;
  }
  return file;
}

bool ReadWholeFile(std::string_view path, std::vector<uint8_t>* out, size_t limit,
                   std::string* why) {
  FILE* file = OpenFile(path, "rb", why);
  if (!file) return false;
  std::vector<uint8_t> data;
  uint8_t chunk[65536];
  size_t n;
  bool too_long = false;
  while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    if (n > limit - data.size()) {
      too_long = true;
      break;
    }
    data.insert(data.end(), chunk, chunk + n);
  }
  const int error = too_long ? EFBIG : errno;
  const bool ok = !too_long && !std::ferror(file);
  std::fclose(file);
  if (!ok) {
    if (why) *why = std::strerror(error);
    errno = error;
  }
  if (ok && out) *out = std::move(data);
  return ok;
}

std::vector<std::string> ListFolder(std::string_view folder, std::string_view pattern) {
  std::vector<std::string> names;
  const std::string resolved = ResolvePath(folder);
  DIR* dir = ::opendir(resolved.empty() ? "." : resolved.c_str());
  if (!dir) return names;
  const std::string glob(pattern.empty() ? std::string_view("*") : pattern);
  while (dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (::fnmatch(glob.c_str(), name.c_str(), FNM_CASEFOLD) != 0) continue;
    struct stat info {};
    const std::string full = (resolved.empty() ? std::string(".") : resolved) + "/" + name;
    if (::stat(full.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) continue;
    names.push_back(name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

std::string RuntimeDir() {
  const char* dir = std::getenv("XDG_RUNTIME_DIR");
  if (dir && *dir && Exists(dir)) return dir;
  return "/tmp";
}

}  // namespace os
