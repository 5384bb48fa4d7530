// Names and words from outside, made safe to put in a line of text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "os/system.h"

namespace os {
namespace {

// The length of the valid UTF-8 sequence at `at` (1 to 4), or 0 when the
// byte there starts none: a stray continuation byte, an overlong form, a
// surrogate, a code point past U+10FFFF or a sequence cut short.
size_t Utf8Length(std::string_view text, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[at + i]); };
  const uint8_t lead = byte(0);
  if (lead < 0x80) return 1;
  size_t length = 0;
  uint8_t low = 0x80, high = 0xBF;  // the second byte's range
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() - at < length) return 0;
  if (byte(1) < low || byte(1) > high) return 0;
  for (size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

void AppendEscaped(std::string& out, uint8_t byte) {
  static const char kHex[] = "0123456789abcdef";
  out += {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
}

}  // namespace

size_t PrintableLength(std::string_view text, size_t at) {
  const size_t length = Utf8Length(text, at);
  const auto byte = static_cast<uint8_t>(text[at]);
  // U+0080 to U+009F, the C1 controls, are C2 80 to C2 9F.
  const bool c1 = length == 2 && byte == 0xC2 && static_cast<uint8_t>(text[at + 1]) < 0xA0;
  return byte < 0x20 || byte == 0x7F || c1 ? 0 : length;
}

std::string Printable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const size_t length = PrintableLength(text, at);
    if (length == 0) {
      AppendEscaped(out, static_cast<uint8_t>(text[at++]));
    } else {
      out.append(text, at, length);
      at += length;
    }
  }
  return out;
}

}  // namespace os
