// Feeds arbitrary bytes, as an address read from a file or a redirect, to the
// HTTP layer's address check and log form, and, as a typed name, to the
// parameter escaping. An address passes only with an http or https scheme
// and no blank or control character; its logged form is a prefix of it
// without a query or fragment; an escaped value holds no blank, control or
// reserved character and unescapes back to the value.

#include <strings.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "online/HttpEscape.h"
#include "system/net/HttpAddress.h"
#include "system/os/LayerLog.h"

namespace {

constexpr size_t kMaxInput = 1 << 14;
constexpr std::string_view kReserved = " \"#$%&+,/:;<=>?@[\\]^`{|}";

void Require(bool condition) {
  if (!condition) std::abort();
}

void Quiet(const char*) {}

bool HasScheme(std::string_view address) {
  for (std::string_view scheme : {"http://", "https://"}) {
    if (address.size() >= scheme.size() && strncasecmp(address.data(), scheme.data(), scheme.size()) == 0) return true;
  }
  return false;
}

void CheckAddress(std::string_view address) {
  bool allowed = sys::IsHttpAddressAllowed(address);
  bool clean =
      std::none_of(address.begin(), address.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
  Require(allowed == (HasScheme(address) && clean));
  std::string_view logged = sys::HttpAddressForLog(address);
  Require(address.substr(0, logged.size()) == logged && logged.find_first_of("?#") == std::string_view::npos);
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

int HexValue(char digit) { return digit <= '9' ? digit - '0' : digit - 'A' + 10; }

void CheckEscape(const char* value) {
  TString escaped = HttpEscape(value);
  std::string back;
  for (const char* c = escaped.CStr(); *c != '\0'; ++c) {
    auto byte = static_cast<unsigned char>(*c);
    Require(byte >= 32 && (byte == '%' || kReserved.find(*c) == std::string_view::npos));
    if (byte != '%') {
      back += *c;
      continue;
    }
    Require(IsHexDigit(c[1]) && IsHexDigit(c[2]));
    back += static_cast<char>(HexValue(c[1]) * 16 + HexValue(c[2]));
    c += 2;
  }
  Require(back == value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  sys::SetLogWriter(Quiet);
  std::string input(reinterpret_cast<const char*>(data), size);
  CheckAddress(input);
  CheckEscape(input.c_str());
  return 0;
}
