// Feeds arbitrary text to base64 and to the string cipher. The first byte
// gives the length of a key text taken from the bytes after it; the rest is
// the input. Decoding base64 text must stay within the size its bound gives,
// and any bytes must decode back from their encoding. Deciphering the input,
// as text and as bytes, must end cleanly with the size protocol kept, and
// enciphering it must decipher back to it.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/crypto/Base64.h"
#include "platform/crypto/TStringCipher.h"

namespace {

constexpr size_t kMaxInput = 1 << 16;

void Require(bool condition) {
  if (!condition) std::abort();
}

void CheckBase64(const char* text, int count) {
  std::vector<char> decoded(static_cast<size_t>(Base64DecodedLength(count)));
  const int written = Base64Decode(decoded.data(), text, count);
  Require(written >= 0 && static_cast<size_t>(written) <= decoded.size());

  std::vector<char> encoded(static_cast<size_t>(Base64EncodedLength(count)));
  Require(Base64Encode(encoded.data(), text, count) == static_cast<int>(encoded.size()));
  std::vector<char> back(static_cast<size_t>(Base64DecodedLength(static_cast<int>(encoded.size()))));
  const int restored = Base64Decode(back.data(), encoded.data(), static_cast<int>(encoded.size()));
  Require(restored == count && std::equal(back.begin(), back.begin() + count, text));
}

// Runs one of the cipher's sized operations: first asking for the size, then
// into a buffer of exactly that size, which must then hold the result.
template <typename Operation>
std::vector<char> Sized(Operation operation) {
  const int needed = operation(nullptr, 0);
  Require(needed >= 0);
  std::vector<char> out(static_cast<size_t>(needed));
  Require(operation(out.data(), needed) == 0);
  return out;
}

void CheckCipher(const TString& key, const char* input, int count) {
  const TStringCipher cipher(key);
  cipher.DecryptString(TString(input, count));
  for (bool asText : {false, true}) {
    Sized([&](void* out, int size) { return cipher.Decrypt(input, count, out, size, asText); });
    std::vector<char> sealed =
        Sized([&](void* out, int size) { return cipher.Encrypt(input, count, out, size, asText); });
    // As text the result ends in a zero byte that is not part of the base64.
    const int sealedCount = static_cast<int>(sealed.size()) - (asText && !sealed.empty() ? 1 : 0);
    std::vector<char> opened = Sized(
        [&](void* out, int size) { return cipher.Decrypt(sealed.data(), sealedCount, out, size, asText); });
    if (sealed.size() > (asText ? 1u : 0u)) {  // an empty result: a key without bytes
      Require(opened == std::vector<char>(input, input + count));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > kMaxInput) return 0;
  const char* bytes = reinterpret_cast<const char*>(data);
  const size_t keyLength = std::min<size_t>(data[0], size - 1);
  const TString key(bytes + 1, static_cast<int>(keyLength));
  const char* input = bytes + 1 + keyLength;
  const int count = static_cast<int>(size - 1 - keyLength);
  CheckBase64(input, count);
  CheckCipher(key, input, count);
  return 0;
}
