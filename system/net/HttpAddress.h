#pragma once

#include <string_view>

namespace sys {

// Whether a transfer may start on an address. Addresses come from files and
// servers, so only http and https are spoken (in any case of the scheme),
// never a local file or another protocol; and an address that holds a blank
// or a control character is refused, as it would break the request line.
// Refusals are logged.
bool IsHttpAddressAllowed(std::string_view address);

// The address up to its path, as a run logs it: a query or a fragment may
// carry names and passwords.
std::string_view HttpAddressForLog(std::string_view address);

}  // namespace sys
