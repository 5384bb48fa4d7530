// Shift-JIS helpers.  The library's texts are Shift-JIS byte strings, as the
// classic Japanese code page has them: a lead byte always takes the next byte.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace os {

bool IsSjisLeadByte(uint8_t byte);
// Equal but for the case of single-byte letters.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
// Upper-cases the single-byte letters of a Shift-JIS text in place; the
// second byte of a double-byte character is never changed.
void SjisUpperCase(char* text, size_t length);
void SjisUpperCase(std::string& text);
// Conversions through iconv; an invalid sequence becomes '?'.
std::string SjisToUtf8(std::string_view sjis);
std::string Utf8ToSjis(std::string_view utf8);

}  // namespace os
