#pragma once

#include <cstddef>
#include <string>

// The "ZXML" container of compressed XML text, little-endian:
//   "ZXML", uint32 compressed length, uint32 text length, then the zlib
//   stream (as zlib's compress makes it) of the text.

// Texts inflated from a container may be at most this long.
constexpr size_t kZxmlTextLimit = 64 * 1024 * 1024;

bool IsZxml(const void* data, size_t length);

// Inflates the container in data (length bytes, which may hold zero bytes)
// into text. The header's compressed length is cut to the bytes present;
// a text length over the limit, a short header or a damaged stream is logged
// and gives false.
bool InflateZxml(const void* data, size_t length, std::string* text);
