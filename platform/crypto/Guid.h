#pragma once

#include <cstdint>

#include "platform/text/TString.h"

// A fresh random GUID as four 32-bit words (version 4: random bits apart from
// the version and variant fields). False, with the words zero and a log line,
// when the system gives no random bytes.
bool CreateGuid(uint32_t (&words)[4]);

// A fresh GUID as 32 lower-case hexadecimal digits, each word printed "%08x".
TString CreateGuidString();
