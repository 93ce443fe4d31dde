#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "online/HiscoreRecords.h"

class TStringCipher;

// The score file: the document of the remembered accounts and the local lists
// with its zero byte, enciphered, then the checksum of that cipher text,
// enciphered on its own into 8 bytes.

// A 32-bit word whose byte i mod 4 (byte 0 the least significant) is XORed
// with byte i of the data, for every i; 0 for no bytes.
uint32_t HiscoreChecksum(const uint8_t* bytes, size_t count);

// The file's bytes; empty when the cipher gives nothing, as one without a key.
std::string HiscoreFileBytes(const TStringCipher& cipher, const THiscoreAccounts& accounts,
                             const THiscoreLists& lists);
// A file of any plain bytes: their cipher text and its enciphered checksum.
std::string SealHiscoreFile(const TStringCipher& cipher, const std::string& plain);

// Fills accounts and lists from the file's bytes, which are outside input. A
// file of 8 bytes or less is silently not one; a file that fails its checksum
// or is damaged otherwise is logged. Either gives false and fills nothing.
bool ReadHiscoreFile(const TStringCipher& cipher, const std::string& bytes, THiscoreAccounts* accounts,
                     THiscoreLists* lists);
