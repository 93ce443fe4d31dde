#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The program's 8-bit text is Windows-1252; the desktop speaks UTF-8. The five
// byte values that Windows-1252 leaves undefined stand for the control
// characters of the same number, so every byte survives a round trip.
namespace sys {

std::string Utf8FromCp1252(std::string_view text);
// Characters without a Windows-1252 code, and bytes that are not valid UTF-8,
// become '?'.
std::string Cp1252FromUtf8(std::string_view text);

// Reads the code point at `position` and moves past it; an invalid sequence
// gives U+FFFD and moves one byte. False at the end of the text.
bool NextCodePoint(std::string_view text, size_t& position, uint32_t& codePoint);
// The Windows-1252 code of a code point; -1 when it has none.
int Cp1252FromCodePoint(uint32_t codePoint);

}  // namespace sys
