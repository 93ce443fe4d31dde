#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Bytes written as hexadecimal text, two digits a byte ("4EF9..."), either case.
std::vector<uint8_t> HexBytes(const std::string& hex);
// Bytes as upper-case hexadecimal text.
std::string HexText(const std::vector<uint8_t>& bytes);
