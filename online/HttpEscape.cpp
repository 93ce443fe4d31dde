#include "online/HttpEscape.h"

#include <cstring>
#include <string>

namespace {

bool NeedsEscape(unsigned char c) { return c < 32 || std::strchr(" \"#$%&+,/:;<=>?@[\\]^`{|}", c) != nullptr; }

}  // namespace

TString HttpEscape(const char* value) {
  if (!value) return "";
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  escaped.reserve(std::strlen(value) * 3);
  for (const char* c = value; *c != '\0'; ++c) {
    auto byte = static_cast<unsigned char>(*c);
    if (NeedsEscape(byte)) {
      escaped += '%';
      escaped += kHex[byte >> 4];
      escaped += kHex[byte & 15];
    } else {
      escaped += *c;
    }
  }
  return TString(escaped.data(), static_cast<int>(escaped.size()));
}
