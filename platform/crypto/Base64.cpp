#include "platform/crypto/Base64.h"

#include <array>
#include <cstdint>

#include "platform/text/Log.h"

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr uint8_t kOutside = 0xFF;

// Value of every byte, indexed by the byte as unsigned, so that text from
// files, the command line or a server can never index outside the table.
constexpr std::array<uint8_t, 256> MakeDecodeTable() {
  std::array<uint8_t, 256> table{};
  for (uint8_t& value : table) value = kOutside;
  for (int i = 0; i < 64; ++i) table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<uint8_t>(i);
  return table;
}

constexpr std::array<uint8_t, 256> kDecodeTable = MakeDecodeTable();

// Length of the leading run of alphabet characters; logs what ended it unless
// it is the "=" padding or a zero byte ending the text.
int AlphabetRunLength(const char* text, int count) {
  for (int i = 0; i < count; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (kDecodeTable[c] != kOutside) continue;
    if (c != '=' && c != 0) LogPrintf("Base64Decode: character %d at position %d is not base64; decoding ends there", c, i);
    return i;
  }
  return count;
}

}  // namespace

int Base64EncodedLength(int count) { return count > 0 ? (count + 2) / 3 * 4 : 0; }

int Base64Encode(char* out, const void* bytes, int count) {
  const auto* in = static_cast<const uint8_t*>(bytes);
  char* next = out;
  for (int i = 0; i < count; i += 3) {
    int available = count - i < 3 ? count - i : 3;
    uint32_t group = uint32_t{in[i]} << 16;
    if (available > 1) group |= uint32_t{in[i + 1]} << 8;
    if (available > 2) group |= in[i + 2];
    *next++ = kAlphabet[group >> 18];
    *next++ = kAlphabet[(group >> 12) & 63];
    *next++ = available > 1 ? kAlphabet[(group >> 6) & 63] : '=';
    *next++ = available > 2 ? kAlphabet[group & 63] : '=';
  }
  return static_cast<int>(next - out);
}

int Base64DecodedLength(int count) { return count > 0 ? (count + 3) / 4 * 3 : 0; }

int Base64Decode(void* out, const char* text, int count) {
  auto* bytes = static_cast<uint8_t*>(out);
  int length = AlphabetRunLength(text, count);
  int written = 0;
  uint32_t bits = 0;
  int bitCount = 0;
  for (int i = 0; i < length; ++i) {
    bits = bits << 6 | kDecodeTable[static_cast<unsigned char>(text[i])];
    bitCount += 6;
    if (bitCount >= 8) {
      bitCount -= 8;
      bytes[written++] = static_cast<uint8_t>(bits >> bitCount);
      bits &= (1u << bitCount) - 1;
    }
  }
  return written;
}
