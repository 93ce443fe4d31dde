#pragma once

#include <cstdint>
#include <string>

#include "platform/crypto/Base64.h"
#include "platform/crypto/TBlowfish.h"
#include "tests/online/HiscoreRig.h"

// The score file's format worked out by hand, independent of the client's
// writer: Blowfish blocks over the plain bytes and the padding given, the
// checksum of that cipher text, and the trailer.
class HandMadeHiscoreFile {
 public:
  HandMadeHiscoreFile() : mBlowfish(reinterpret_cast<const uint8_t*>("KeyOfTheGame"), 12) {}

  // The plain bytes with proper padding (n bytes of value n).
  std::string Padded(const std::string& plain) const {
    const size_t padding = 8 - plain.size() % 8;
    return plain + std::string(padding, static_cast<char>(padding));
  }

  // Blowfish over whole blocks; a tail shorter than a block stays as it is.
  std::string Enciphered(std::string bytes) const {
    for (size_t at = 0; at + 8 <= bytes.size(); at += 8) {
      mBlowfish.EncipherBlock(reinterpret_cast<uint8_t*>(&bytes[at]));
    }
    return bytes;
  }

  static uint32_t Checksum(const std::string& bytes) {
    uint32_t sum = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
      sum ^= static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * (i % 4));
    }
    return sum;
  }

  // The cipher text followed by its enciphered checksum.
  std::string WithTrailer(const std::string& cipherText) const {
    const uint32_t sum = Checksum(cipherText);
    std::string word;
    for (int i = 0; i < 4; ++i) word += static_cast<char>((sum >> (8 * i)) & 0xFF);
    return cipherText + Enciphered(Padded(word));
  }

  // A file of the plain text and its zero byte, as the client writes one.
  std::string File(const std::string& document) const {
    return WithTrailer(Enciphered(Padded(document + std::string(1, '\0'))));
  }

 private:
  TBlowfish mBlowfish;
};
