#include "tests/support/stderr_capture.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// The sanitizers' report stream; absent (null) in a build without them.
extern "C" void __sanitizer_set_report_fd(void* fd) __attribute__((weak));

namespace vantris_test {
namespace {

void ReportTo(int fd) {
  if (__sanitizer_set_report_fd) __sanitizer_set_report_fd(reinterpret_cast<void*>(intptr_t{fd}));
}

}  // namespace

StderrCapture::StderrCapture() {
  char path[] = "/tmp/vantris-stderr-XXXXXX";
  file_ = ::mkstemp(path);
  if (file_ < 0) {
    text_ = "cannot make a file to capture stderr in\n";
    return;
  }
  ::unlink(path);
  std::fflush(stderr);
  saved_ = ::dup(2);
  if (saved_ < 0 || ::dup2(file_, 2) < 0) {
    text_ = "cannot redirect stderr\n";
    if (saved_ >= 0) ::close(saved_);
    ::close(file_);
    saved_ = file_ = -1;
    return;
  }
  ReportTo(saved_);
}

StderrCapture::~StderrCapture() { Finish(); }

const std::string& StderrCapture::Finish() {
  if (file_ < 0) return text_;
  std::fflush(stderr);
  ::dup2(saved_, 2);
  ReportTo(2);
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
  return text_;
}

}  // namespace vantris_test
