#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/text/TString.h"

class TBlowfish;

// Enciphers and deciphers bytes and texts: Blowfish in ECB mode over the bytes
// followed by p padding bytes of value p (p = 8 - length mod 8, so 1 to 8),
// each 8-byte block read as two big-endian words. The text form is base64.
//
// The key is base64 text. A key that decodes to no bytes cannot key Blowfish:
// such a cipher is logged once and gives empty results.
class TStringCipher {
 public:
  explicit TStringCipher(const TString& keyText);
  ~TStringCipher();
  TStringCipher(const TStringCipher&) = delete;
  TStringCipher& operator=(const TStringCipher&) = delete;

  // Both return 0 when the result was copied to out; otherwise (out is null or
  // outSize too small) the size the result needs, and out is left untouched.
  // As text, the result is the base64 of the cipher text and a zero byte.
  int Encrypt(const void* bytes, int count, void* out, int outSize, bool asText) const;
  // From text, the input is base64 first. Input that is empty, too short to
  // hold its padding or not deciphered by this key gives an empty result.
  int Decrypt(const void* bytes, int count, void* out, int outSize, bool fromText) const;

  // Base64 of the cipher text of the text and its terminating zero byte.
  TString EncryptString(const TString& text) const;
  // The deciphered bytes of the base64 text, read up to the first zero byte.
  TString DecryptString(const TString& text) const;

 private:
  std::vector<uint8_t> Encipher(const uint8_t* bytes, int count) const;
  std::vector<uint8_t> Decipher(std::vector<uint8_t> cipherText) const;

  std::unique_ptr<TBlowfish> mBlowfish;  // null when the key holds no bytes
};
