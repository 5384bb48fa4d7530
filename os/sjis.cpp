#include "os/sjis.h"

#include <iconv.h>

#include <cctype>
#include <cerrno>

namespace os {
namespace {

std::string Convert(std::string_view text, const char* to, const char* from) {
  iconv_t cd = ::iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(text);
  std::string out;
  std::string input(text);
  char* in = input.data();
  size_t in_left = input.size();
  char buffer[256];
  while (in_left > 0) {
    char* dst = buffer;
    size_t out_left = sizeof buffer;
    const size_t r = ::iconv(cd, &in, &in_left, &dst, &out_left);
    out.append(buffer, sizeof buffer - out_left);
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      // An invalid or cut sequence: show '?' and skip one byte.
      out += '?';
      ++in;
      --in_left;
    }
  }
  ::iconv_close(cd);
  return out;
}

}  // namespace

bool IsSjisLeadByte(uint8_t byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

void SjisUpperCase(char* text, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    const auto byte = static_cast<uint8_t>(text[i]);
    if (IsSjisLeadByte(byte)) {
      ++i;  // the trail byte stays as it is
      continue;
    }
    if (byte >= 'a' && byte <= 'z') text[i] = static_cast<char>(byte - 'a' + 'A');
  }
}

void SjisUpperCase(std::string& text) { SjisUpperCase(text.data(), text.size()); }

std::string SjisToUtf8(std::string_view sjis) { return Convert(sjis, "UTF-8", "CP932"); }
std::string Utf8ToSjis(std::string_view utf8) { return Convert(utf8, "CP932", "UTF-8"); }

}  // namespace os
