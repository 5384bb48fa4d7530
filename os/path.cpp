// Files and folders: the program's folder, '\' or '/' separators, and names
// that resolve case-insensitively when their exact case is missing.
#include "os/path.h"

#include <dirent.h>
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

std::string ResolvePath(std::string_view path) {
  std::string normal(path);
  std::replace(normal.begin(), normal.end(), '\\', '/');
  if (normal.empty() || Exists(normal)) return normal;

  // Walk the components, fixing the case of each one that is missing.
  std::string result;
  size_t pos = 0;
  if (normal[0] == '/') {
    result = "/";
    pos = 1;
  }
  while (pos <= normal.size()) {
    size_t next = normal.find('/', pos);
    if (next == std::string::npos) next = normal.size();
    const std::string part = normal.substr(pos, next - pos);
    if (!part.empty()) {
      std::string candidate = result + part;
      if (!Exists(candidate) && part != "." && part != "..") {
        const std::string folder = result.empty() ? "." : result;
        candidate = result + FindEntry(folder, part);
      }
      result = candidate;
      if (next < normal.size()) result += '/';
    }
    pos = next + 1;
  }
  return result;
}

FILE* OpenFile(std::string_view path, const char* mode) {
  const std::string resolved = ResolvePath(path);
  std::string binary_mode;
  for (const char* m = mode; *m; ++m) {
    if (*m != 't') binary_mode += *m;  // text and binary are the same here
  }
  return std::fopen(resolved.c_str(), binary_mode.c_str());
}

bool ReadWholeFile(std::string_view path, std::vector<uint8_t>* out, size_t limit) {
  FILE* file = OpenFile(path, "rb");
  if (!file) return false;
  std::vector<uint8_t> data;
  uint8_t chunk[65536];
  size_t n;
  bool too_long = false;
  while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    if (n > limit - data.size()) {
      too_long = true;
      errno = EFBIG;
      break;
    }
    data.insert(data.end(), chunk, chunk + n);
  }
  const bool ok = !too_long && !std::ferror(file);
  std::fclose(file);
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
