#pragma once

#include <cstdint>
#include <string>

// The bytes of a "ZXML" container holding text, compressed with zlib's
// compress. The header's two lengths can be overwritten afterwards to make
// damaged containers.
std::string MakeZxml(const std::string& text);
void SetZxmlLengths(std::string* container, uint32_t compressedLength, uint32_t textLength);
uint32_t ZxmlCompressedLength(const std::string& container);
