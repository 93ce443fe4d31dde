#include "online/HttpEscape.h"

#include <array>
#include <cstring>
#include <string>

namespace {

// Which bytes are escaped, looked up once per byte: the hiscore client
// escapes a whole enciphered document with every submission.
constexpr std::array<bool, 256> kEscaped = [] {
  std::array<bool, 256> escaped{};
  for (int c = 0; c < 32; ++c) escaped[c] = true;
  for (unsigned char c : std::string_view(" \"#$%&+,/:;<=>?@[\\]^`{|}")) escaped[c] = true;
  return escaped;
}();

}  // namespace

TString HttpEscape(const char* value) {
  if (!value) return "";
  static constexpr char kHex[] = "0123456789ABCDEF";
  size_t length = std::strlen(value);
  std::string escaped(length * 3, '\0');
  char* out = escaped.data();
  for (const char* c = value; c != value + length; ++c) {
    auto byte = static_cast<unsigned char>(*c);
    if (kEscaped[byte]) {
      *out++ = '%';
      *out++ = kHex[byte >> 4];
      *out++ = kHex[byte & 15];
    } else {
      *out++ = *c;
    }
  }
  return TString(escaped.data(), static_cast<int>(out - escaped.data()));
}
