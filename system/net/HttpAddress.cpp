#include "system/net/HttpAddress.h"

#include <algorithm>
#include <cctype>

#include "system/os/LayerLog.h"

namespace sys {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(),
                    [](char wanted, char c) { return std::tolower(static_cast<unsigned char>(c)) == wanted; });
}

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

bool IsHttpAddressAllowed(std::string_view address) {
  if (!StartsWithNoCase(address, "http://") && !StartsWithNoCase(address, "https://")) {
    WriteLog("HTTP address refused: only http and https are spoken");
    return false;
  }
  if (std::any_of(address.begin(), address.end(), IsBlankOrControl)) {
    WriteLog("HTTP address refused: it holds a blank or a control character");
    return false;
  }
  return true;
}

std::string_view HttpAddressForLog(std::string_view address) { return address.substr(0, address.find_first_of("?#")); }

}  // namespace sys
