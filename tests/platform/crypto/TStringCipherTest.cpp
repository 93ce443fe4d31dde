#include "platform/crypto/TStringCipher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/crypto/Base64.h"
#include "platform/text/Log.h"
#include "platform/crypto/TBlowfish.h"
#include "tests/support/Hex.h"
#include "tests/support/TempFolder.h"

namespace {

using Bytes = std::vector<uint8_t>;

TString KeyText(const Bytes& key) {
  std::string text(Base64EncodedLength(static_cast<int>(key.size())), 0);
  Base64Encode(text.data(), key.data(), static_cast<int>(key.size()));
  return text.c_str();
}

// Bytes 0, 7, 14, ...: a key or message that is not all alike.
Bytes Pattern(size_t length, uint8_t step = 7) {
  Bytes bytes(length);
  for (size_t i = 0; i < length; ++i) bytes[i] = static_cast<uint8_t>(i * step);
  return bytes;
}

Bytes Encrypted(const TStringCipher& cipher, const Bytes& plain, bool asText) {
  int count = static_cast<int>(plain.size());
  Bytes out(cipher.Encrypt(plain.data(), count, nullptr, 0, asText));
  EXPECT_EQ(cipher.Encrypt(plain.data(), count, out.data(), static_cast<int>(out.size()), asText), 0);
  return out;
}

Bytes Decrypted(const TStringCipher& cipher, const Bytes& input, bool fromText) {
  int count = static_cast<int>(input.size());
  if (fromText && count > 0 && input.back() == 0) --count;  // the text's terminating zero
  Bytes out(cipher.Decrypt(input.data(), count, nullptr, 0, fromText));
  EXPECT_EQ(cipher.Decrypt(input.data(), count, out.data(), static_cast<int>(out.size()), fromText), 0);
  return out;
}

// One block enciphered directly by Blowfish under the raw key.
Bytes BlowfishBlock(const Bytes& key, Bytes block) {
  TBlowfish(key.data(), static_cast<int>(key.size())).EncipherBlock(block.data());
  return block;
}

TEST(TStringCipher, EnciphersPaddedBlocksAsBlowfishEcbWithBigEndianWords) {
  const Bytes zeroKey(8, 0);
  TStringCipher cipher(KeyText(zeroKey));
  ASSERT_EQ(KeyText(zeroKey), "AAAAAAAAAAA=");

  Bytes out = Encrypted(cipher, Bytes(8, 0), false);
  ASSERT_EQ(out.size(), 16u) << "a whole block of padding follows eight bytes";
  EXPECT_EQ(HexText(Bytes(out.begin(), out.begin() + 8)), "4EF997456198DD78");
  EXPECT_EQ(Bytes(out.begin() + 8, out.end()), BlowfishBlock(zeroKey, Bytes(8, 8)));

  Bytes text = Encrypted(cipher, Bytes(8, 0), true);
  EXPECT_EQ(std::string(text.begin(), text.end() - 1), KeyText(out).CStr());
  EXPECT_EQ(text.back(), 0) << "the text form ends with a zero byte";

  Bytes three = Encrypted(cipher, {'a', 'b', 'c'}, false);
  EXPECT_EQ(three, BlowfishBlock(zeroKey, {'a', 'b', 'c', 5, 5, 5, 5, 5}));
}

TEST(TStringCipher, OutputSizesForInputsOfZeroTo17Bytes) {
  TStringCipher cipher(KeyText(Pattern(16)));
  for (int count = 0; count <= 17; ++count) {
    SCOPED_TRACE(count);
    Bytes plain = Pattern(count, 3);
    int blocks = count / 8 + 1;
    EXPECT_EQ(cipher.Encrypt(plain.data(), count, nullptr, 0, false), blocks * 8);
    EXPECT_EQ(cipher.Encrypt(plain.data(), count, nullptr, 0, true), Base64EncodedLength(blocks * 8) + 1);
    Bytes raw = Encrypted(cipher, plain, false);
    EXPECT_EQ(cipher.Decrypt(raw.data(), static_cast<int>(raw.size()), nullptr, 0, false), count);
  }
}

TEST(TStringCipher, TooSmallOrMissingBufferGetsTheSizeAndStaysUntouched) {
  TStringCipher cipher(KeyText(Pattern(8)));
  const Bytes plain = Pattern(11);
  for (bool asText : {false, true}) {
    SCOPED_TRACE(asText);
    const int needed = cipher.Encrypt(plain.data(), 11, nullptr, 0, asText);
    Bytes out(needed + 4, 0xEE);
    EXPECT_EQ(cipher.Encrypt(plain.data(), 11, out.data(), needed - 1, asText), needed);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](uint8_t b) { return b == 0xEE; }));
    EXPECT_EQ(cipher.Encrypt(plain.data(), 11, out.data(), needed + 4, asText), 0);
    EXPECT_EQ(out[needed], 0xEE) << "nothing past the result is written";

    int count = asText ? needed - 1 : needed;
    Bytes back(16, 0xEE);
    EXPECT_EQ(cipher.Decrypt(out.data(), count, back.data(), 10, asText), 11);
    EXPECT_TRUE(std::all_of(back.begin(), back.end(), [](uint8_t b) { return b == 0xEE; }));
    EXPECT_EQ(cipher.Decrypt(out.data(), count, back.data(), 11, asText), 0);
    EXPECT_EQ(Bytes(back.begin(), back.begin() + 11), plain);
  }
}

TEST(TStringCipher, RoundTripsForKeysOfSeveralLengths) {
  for (size_t keyLength : {1, 2, 5, 8, 16, 33, 56}) {
    SCOPED_TRACE(keyLength);
    TStringCipher cipher(KeyText(Pattern(keyLength, 29)));
    for (size_t length = 0; length <= 40; ++length) {
      Bytes plain = Pattern(length, 13);
      for (bool asText : {false, true}) {
        ASSERT_EQ(Decrypted(cipher, Encrypted(cipher, plain, asText), asText), plain)
            << "length " << length << (asText ? " as text" : " raw");
      }
    }
  }
}

TEST(TStringCipher, DifferentKeysGiveDifferentCipherText) {
  Bytes plain = Pattern(24);
  TStringCipher first(KeyText(Pattern(16, 1))), second(KeyText(Pattern(16, 2)));
  Bytes cipherText = Encrypted(first, plain, false);
  EXPECT_NE(cipherText, Encrypted(second, plain, false));
  EXPECT_NE(Decrypted(second, cipherText, false), plain);
}

// A lone final key character carries too few bits for a byte and is completed
// with "B"; two or three final characters decode as they are.
TEST(TStringCipher, KeyTextIsDecodedAsBase64WithALoneLastCharacterCompleted) {
  const std::pair<const char*, Bytes> cases[] = {
      {"/", {0xFC}},
      {"AAAAB", {0, 0, 0, 0x04}},
      {"AAAAQ", {0, 0, 0, 0x40}},
      {"AAAAQQ", {0, 0, 0, 0x41}},
      {"AAAAQQQ", {0, 0, 0, 0x41, 0x04}},
      {"AAAAQQQ=", {0, 0, 0, 0x41, 0x04}},
      {"3q2+7w==", {0xDE, 0xAD, 0xBE, 0xEF}},
  };
  for (const auto& [keyText, keyBytes] : cases) {
    SCOPED_TRACE(keyText);
    Bytes firstBlock = Encrypted(TStringCipher(keyText), Bytes(8, 0), false);
    firstBlock.resize(8);
    EXPECT_EQ(firstBlock, BlowfishBlock(keyBytes, Bytes(8, 0)));
  }
}

// The last deciphered byte counts the padding; one that cannot be a count
// (read as a signed byte, it would end the text before its start or after its
// end) gives an empty result.
TEST(TStringCipher, DecipheredPaddingCountDecidesThePlainLength) {
  const Bytes key = Pattern(8, 5);
  TStringCipher cipher(KeyText(key));
  const std::pair<uint8_t, int> cases[] = {
      {1, 7}, {3, 5}, {8, 0}, {0, 8}, {9, 0}, {0x7F, 0}, {0x80, 0}, {0xFF, 0},
  };
  for (const auto& [lastByte, plainLength] : cases) {
    SCOPED_TRACE(static_cast<int>(lastByte));
    Bytes block = {'q', 'u', 'o', 'r', 'v', 'a', 'n', lastByte};
    Bytes cipherText = BlowfishBlock(key, block);
    block.resize(plainLength);
    EXPECT_EQ(Decrypted(cipher, cipherText, false), block);
  }
}

// Every start deciphers a setting that is often empty: empty in, empty out.
TEST(TStringCipher, EmptyInputDecryptsToEmptyOutput) {
  TStringCipher cipher(KeyText(Pattern(8)));
  uint8_t out[8] = {0xEE};
  EXPECT_EQ(cipher.Decrypt("", 0, nullptr, 0, false), 0);
  EXPECT_EQ(cipher.Decrypt("", 0, out, sizeof out, true), 0);
  EXPECT_EQ(cipher.Decrypt(nullptr, 5, out, sizeof out, false), 0);
  EXPECT_EQ(cipher.Decrypt("====", 4, out, sizeof out, true), 0) << "text that decodes to nothing";
  EXPECT_EQ(out[0], 0xEE);
  EXPECT_EQ(cipher.DecryptString(""), "");
}

TEST(TStringCipher, StringsTravelWithTheirTerminatingZero) {
  TStringCipher cipher(KeyText(Pattern(16)));
  TString empty = cipher.EncryptString("");
  EXPECT_EQ(empty.Length(), 12) << "one block: the zero byte and seven padding bytes";
  EXPECT_EQ(cipher.DecryptString(empty), "");

  for (const char* text : {"a", "1234567", "12345678", "<prefs name=\"x\">\xE9\xFF</prefs>"}) {
    SCOPED_TRACE(text);
    TString encrypted = cipher.EncryptString(text);
    Bytes raw(text, text + std::strlen(text) + 1);
    EXPECT_EQ(encrypted, KeyText(Encrypted(cipher, raw, false)));
    EXPECT_EQ(cipher.DecryptString(encrypted), text);
  }
  const Bytes embeddedZero = {'a', 'b', 0, 'c', 'd'};
  Bytes text = Encrypted(cipher, embeddedZero, true);
  EXPECT_EQ(cipher.DecryptString(reinterpret_cast<const char*>(text.data())), "ab");
}

// Such a key would divide by zero while cycling its bytes over the P-array.
TEST(TStringCipher, KeyWithoutBytesGivesEmptyResultsAndLogsOnce) {
  TempFolder folder;
  SetLogFolder(folder.File("log").c_str());
  for (const char* keyText : {"", "====", "=AAA"}) {
    SCOPED_TRACE(keyText);
    TStringCipher cipher(keyText);
    char out[16] = "untouched";
    EXPECT_EQ(cipher.Encrypt("abc", 3, nullptr, 0, false), 0);
    EXPECT_EQ(cipher.Encrypt("abc", 3, nullptr, 0, true), 1) << "the empty text and its zero byte";
    EXPECT_EQ(cipher.Encrypt("abc", 3, out, sizeof out, true), 0);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(cipher.Decrypt("Zm9vYmFy", 8, out, sizeof out, true), 0);
    EXPECT_EQ(cipher.EncryptString("abc"), "");
    EXPECT_EQ(cipher.DecryptString("Zm9vYmFyZm9vYmFy"), "");
  }
  std::string log = ReadWholeFile(GetLogPath().CStr());
  size_t lines = 0;
  for (size_t at = log.find("key holds no bytes"); at != std::string::npos; at = log.find("key holds no bytes", at + 1)) {
    ++lines;
  }
  EXPECT_EQ(lines, 3u) << "one line for each such cipher, none for its use";
}

}  // namespace
