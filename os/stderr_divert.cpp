#include "os/stderr_divert.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string_view>

// The sanitizers' report stream; absent (null) in a build without them.
extern "C" void __sanitizer_set_report_fd(void* fd) __attribute__((weak));

namespace os {
namespace {

void ReportTo(int fd) {
  if (__sanitizer_set_report_fd) __sanitizer_set_report_fd(reinterpret_cast<void*>(intptr_t{fd}));
}

// One divert at a time in the process: fd 2 is the whole process's, and two
// threads' diverts ending out of order would leave it on a scratch file.  A
// thread may nest its own; the sanitizers report to the stderr that the
// outermost one diverted.
std::recursive_mutex g_divert_mutex;
int g_depth = 0;

}  // namespace

StderrDivert::StderrDivert() {
  g_divert_mutex.lock();
  file_ = ::memfd_create("vantris-stderr", MFD_CLOEXEC);
  std::fflush(stderr);
  saved_ = file_ < 0 ? -1 : ::dup(2);
  if (saved_ < 0 || ::dup2(file_, 2) < 0) {
    if (saved_ >= 0) ::close(saved_);
    if (file_ >= 0) ::close(file_);
    saved_ = file_ = -1;
    g_divert_mutex.unlock();
    return;
  }
  if (g_depth++ == 0) ReportTo(saved_);
}

StderrDivert::~StderrDivert() { Finish(); }

const std::string& StderrDivert::Finish() {
  if (file_ < 0) return text_;
  std::fflush(stderr);
  ::dup2(saved_, 2);
  if (--g_depth == 0) ReportTo(2);
  ::close(saved_);
  char buffer[4096];
  for (off_t at = 0;;) {
    const ssize_t n = ::pread(file_, buffer, sizeof buffer, at);
    if (n <= 0) break;
    text_.append(buffer, static_cast<size_t>(n));
    at += n;
  }
  ::close(file_);
  saved_ = file_ = -1;
  g_divert_mutex.unlock();
  return text_;
}

std::string PassOnOwnLines(const std::string& text) {
  std::string others;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end + 1;
    const std::string_view line(text.data() + start, end - start);
    if (line.starts_with("vantris")) {
      std::fwrite(line.data(), 1, line.size(), stderr);
    } else {
      others += line;
    }
    start = end;
  }
  return others;
}

}  // namespace os
