#include "input.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstring>

#include "os/path.h"
#include "os/system.h"

namespace runner {
namespace {

// The white space that parts the words of a line.
bool Space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// "16 MiB", "512 KiB", "100 bytes".
std::string Size(size_t bytes) {
  if (bytes >= (1u << 20) && bytes % (1u << 20) == 0) return std::to_string(bytes >> 20) + " MiB";
  if (bytes >= (1u << 10) && bytes % (1u << 10) == 0) return std::to_string(bytes >> 10) + " KiB";
  return std::to_string(bytes) + " bytes";
}

}  // namespace

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

bool ParseDecimal(std::string_view text, int64_t low, int64_t high, int64_t* value) {
  int64_t parsed = 0;
  const char* last = text.data() + text.size();
  const auto [end, error] = std::from_chars(text.data(), last, parsed);
  if (text.empty() || error != std::errc() || end != last || parsed < low || parsed > high)
    return false;
  *value = parsed;
  return true;
}

std::string Quoted(std::string_view text) {
  constexpr size_t kShown = 40;
  size_t shown = text.size();
  if (shown > kShown) {
    shown = kShown;
    // Not inside a UTF-8 sequence (of at most four bytes).
    while (shown > kShown - 3 && (static_cast<unsigned char>(text[shown]) & 0xC0) == 0x80)
      --shown;
  }
  std::string quoted = "'";
  quoted += os::Printable(text.substr(0, shown));
  return quoted + (shown < text.size() ? "...'" : "'");
}

std::string AsArgument(std::string_view arg) {
  bool bare = !arg.empty();
  for (size_t at = 0, length = 0; bare && at < arg.size(); at += length) {
    length = os::PrintableLength(arg, at);
    bare = arg[at] != ' ' && arg[at] != '"' && length != 0;
  }
  if (bare) return std::string(arg);
  static const char kHex[] = "0123456789abcdef";
  std::string quoted = "\"";
  for (size_t at = 0; at < arg.size();) {
    const size_t length = os::PrintableLength(arg, at);
    const auto byte = static_cast<unsigned char>(arg[at]);
    if (length == 0) {
      quoted += {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
      ++at;
      continue;
    }
    if (byte == '"' || byte == '\\') quoted += '\\';
    quoted.append(arg, at, length);
    at += length;
  }
  return quoted + '"';
}

bool ReadTextFile(const std::string& path, size_t limit, std::string* text, std::string* why) {
  const int fd = os::OpenRegularFile(path, why);
  if (fd < 0) return false;
  const std::string too_large = "larger than " + Size(limit) + ", the most it may hold";
  struct stat status {};
  bool ok = ::fstat(fd, &status) == 0;
  if (!ok) {
    *why = std::strerror(errno);
  } else if (static_cast<uintmax_t>(status.st_size) > limit) {
    *why = too_large;
    ok = false;
  }
  // One byte past the limit at most, should the file grow meanwhile.
  std::string read;
  char buffer[1 << 16];
  while (ok) {
    const size_t want = std::min(sizeof buffer, limit + 1 - read.size());
    const ssize_t got = ::read(fd, buffer, want);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      *why = std::strerror(errno);
      ok = false;
    } else if (got == 0) {
      break;
    } else {
      read.append(buffer, static_cast<size_t>(got));
      if (read.size() > limit) {
        *why = too_large;
        ok = false;
      }
    }
  }
  ::close(fd);
  if (ok) *text = std::move(read);
  return ok;
}

bool LineWords::Word(const char* what, std::string* word) {
  while (at_ < line_.size() && Space(line_[at_])) ++at_;
  if (at_ == line_.size()) return Fail(std::string(what) + " is missing");
  const size_t start = at_;
  while (at_ < line_.size() && !Space(line_[at_])) ++at_;
  word->assign(line_.substr(start, at_ - start));
  return true;
}

bool LineWords::Argument(const char* what, std::string* word) {
  while (at_ < line_.size() && Space(line_[at_])) ++at_;
  if (at_ == line_.size() || line_[at_] != '"') return Word(what, word);
  const size_t start = at_;
  const auto fault = [&](const char* what_is_wrong) {
    return Fail(Quoted(line_.substr(start)) + " " + what_is_wrong);
  };
  std::string read;
  for (++at_; at_ < line_.size() && line_[at_] != '"'; ++at_) {
    if (line_[at_] != '\\') {
      read += line_[at_];
      continue;
    }
    const std::string_view escape = line_.substr(at_ + 1, 3);
    uint8_t byte = 0;
    if (!escape.empty() && (escape[0] == '"' || escape[0] == '\\')) {
      read += escape[0];
      at_ += 1;
    } else if (escape.size() == 3 && escape[0] == 'x' &&
               std::from_chars(escape.data() + 1, escape.data() + 3, byte, 16).ptr ==
                   escape.data() + 3) {
      read += static_cast<char>(byte);
      at_ += 3;
    } else {
      return fault("holds an escape other than \\\", \\\\ and \\xNN");
    }
  }
  if (at_ == line_.size()) return fault("has no closing quote");
  ++at_;
  if (at_ < line_.size() && !Space(line_[at_])) return fault("goes on past its closing quote");
  *word = std::move(read);
  return true;
}

bool LineWords::ReadDecimal(const std::string& word, const char* what, int64_t low, int64_t high,
                            int64_t* value) {
  if (ParseDecimal(word, low, high, value)) return true;
  return Fail(Quoted(word) + " is not " + what + " from " + std::to_string(low) + " to " +
              std::to_string(high));
}

bool LineWords::Keyword(const char* keyword) {
  const std::string named = std::string("\"") + keyword + "\"";
  std::string word;
  if (!Word(named.c_str(), &word)) return false;
  if (LowerCase(word) == keyword) return true;
  return Fail(Quoted(word) + " is not " + named);
}

bool LineWords::More() const {
  return std::any_of(line_.begin() + static_cast<std::ptrdiff_t>(at_), line_.end(),
                     [](char c) { return !Space(c); });
}

bool LineWords::End() {
  std::string word;
  if (!More()) return true;
  Word("", &word);
  return Fail(Quoted(word) + " is one word too many");
}

bool LineWords::NotPast(long frame, long last_frame) {
  if (frame <= last_frame) return true;
  return Fail(
      "frame " + std::to_string(frame) + " is past the last frame, " + std::to_string(last_frame),
      false);
}

bool LineWords::Fail(std::string reason, bool in_words) {
  if (fault_.empty()) {
    fault_ = std::move(reason);
    in_words_ = in_words;
  }
  return false;
}

bool ForEachLine(std::string_view text, const LineRules& rules,
                 const std::function<bool(LineWords& words)>& line, std::string* error) {
  long number = 0;
  for (size_t start = 0; start < text.size();) {
    const size_t newline = std::min(text.find('\n', start), text.size());
    std::string_view content = text.substr(start, newline - start);
    start = newline + 1;
    ++number;
    if (rules.comments) content = content.substr(0, content.find('#'));
    LineWords words(content, number);
    if (!words.More()) continue;  // empty or comment line
    if (line(words)) continue;
    *error = "line " + std::to_string(number) + ": " +
             (words.Fault().empty() ? "cannot be read" : words.Fault());
    if (words.FaultInWords() && rules.format != nullptr)
      *error += std::string("; expected ") + rules.format;
    return false;
  }
  return true;
}

}  // namespace runner
