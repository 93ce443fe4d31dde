#include "platform/crypto/TStringCipher.h"

#include <algorithm>
#include <cstring>

#include "platform/crypto/Base64.h"
#include "platform/text/Log.h"
#include "platform/crypto/TBlowfish.h"

namespace {

constexpr int kBlockSize = 8;

std::vector<uint8_t> DecodeBase64(const char* text, int count) {
  std::vector<uint8_t> bytes(Base64DecodedLength(count));
  bytes.resize(Base64Decode(bytes.data(), text, count));
  return bytes;
}

// The base64 text of the bytes with its terminating zero byte.
std::vector<uint8_t> EncodeBase64(const std::vector<uint8_t>& bytes) {
  int size = static_cast<int>(bytes.size());
  std::vector<uint8_t> text(Base64EncodedLength(size) + 1, 0);
  Base64Encode(reinterpret_cast<char*>(text.data()), bytes.data(), size);
  return text;
}

// The size protocol of Encrypt and Decrypt.
int Deliver(const std::vector<uint8_t>& result, void* out, int outSize) {
  int size = static_cast<int>(result.size());
  if (!out || outSize < size) return size;
  if (size > 0) std::memcpy(out, result.data(), size);
  return 0;
}

// Null bytes or a negative count read as empty input.
int UsableCount(const void* bytes, int count) { return bytes ? std::max(count, 0) : 0; }

TString TextUpToZero(const std::vector<uint8_t>& bytes) {
  auto zero = std::find(bytes.begin(), bytes.end(), 0);
  return TString(reinterpret_cast<const char*>(bytes.data()), static_cast<int>(zero - bytes.begin()));
}

}  // namespace

TStringCipher::TStringCipher(const TString& keyText) {
  // A lone final character carries six bits, less than a byte, and would be
  // dropped; completed with "B" it still gives a key byte (its bits, then 00).
  TString completed = keyText.Length() % 4 == 1 ? keyText + 'B' : keyText;
  std::vector<uint8_t> key = DecodeBase64(completed.CStr(), completed.Length());
  if (key.empty()) {
    LogPrintf("TStringCipher: the key holds no bytes; enciphering and deciphering give empty results");
    return;
  }
  mBlowfish = std::make_unique<TBlowfish>(key.data(), static_cast<int>(key.size()));
}

TStringCipher::~TStringCipher() = default;

std::vector<uint8_t> TStringCipher::Encipher(const uint8_t* bytes, int count) const {
  if (!mBlowfish) return {};
  int padding = kBlockSize - count % kBlockSize;
  std::vector<uint8_t> blocks(count + padding, static_cast<uint8_t>(padding));
  if (count > 0) std::memcpy(blocks.data(), bytes, count);
  for (size_t i = 0; i < blocks.size(); i += kBlockSize) mBlowfish->EncipherBlock(&blocks[i]);
  return blocks;
}

std::vector<uint8_t> TStringCipher::Decipher(std::vector<uint8_t> blocks) const {
  if (!mBlowfish || blocks.empty()) return {};
  blocks.resize((blocks.size() + kBlockSize - 1) / kBlockSize * kBlockSize, 0);
  for (size_t i = 0; i < blocks.size(); i += kBlockSize) mBlowfish->DecipherBlock(&blocks[i]);
  int length = static_cast<int>(blocks.size());
  int plainLength = length - static_cast<int8_t>(blocks.back());
  if (plainLength < 0 || plainLength > length) return {};
  blocks.resize(plainLength);
  return blocks;
}

int TStringCipher::Encrypt(const void* bytes, int count, void* out, int outSize, bool asText) const {
  std::vector<uint8_t> cipherText = Encipher(static_cast<const uint8_t*>(bytes), UsableCount(bytes, count));
  return Deliver(asText ? EncodeBase64(cipherText) : cipherText, out, outSize);
}

int TStringCipher::Decrypt(const void* bytes, int count, void* out, int outSize, bool fromText) const {
  const auto* in = static_cast<const uint8_t*>(bytes);
  count = UsableCount(bytes, count);
  std::vector<uint8_t> cipherText = fromText ? DecodeBase64(static_cast<const char*>(bytes), count)
                                             : std::vector<uint8_t>(in, in + count);
  return Deliver(Decipher(std::move(cipherText)), out, outSize);
}

TString TStringCipher::EncryptString(const TString& text) const {
  std::vector<uint8_t> cipherText =
      Encipher(reinterpret_cast<const uint8_t*>(text.CStr()), text.Length() + 1);
  return TextUpToZero(EncodeBase64(cipherText));
}

TString TStringCipher::DecryptString(const TString& text) const {
  return TextUpToZero(Decipher(DecodeBase64(text.CStr(), text.Length())));
}
