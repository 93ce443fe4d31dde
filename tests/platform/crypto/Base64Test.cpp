#include "platform/crypto/Base64.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <utility>

#include "platform/text/Log.h"
#include "tests/support/TempFolder.h"

namespace {

std::string Encoded(const std::string& bytes) {
  int count = static_cast<int>(bytes.size());
  std::string text(Base64EncodedLength(count), '?');
  text.resize(Base64Encode(text.data(), bytes.data(), count));
  return text;
}

std::string Decoded(const std::string& text) {
  int count = static_cast<int>(text.size());
  std::string bytes(Base64DecodedLength(count), '?');
  bytes.resize(Base64Decode(bytes.data(), text.data(), count));
  return bytes;
}

std::string AllByteValues() {
  std::string bytes;
  for (int value = 0; value < 256; ++value) bytes += static_cast<char>(value);
  return bytes;
}

bool InAlphabet(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '/';
}

TEST(Base64, RfcVectorsBothWays) {
  const std::pair<const char*, const char*> vectors[] = {
      {"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},         {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"},
  };
  for (const auto& [bytes, text] : vectors) {
    SCOPED_TRACE(bytes);
    EXPECT_EQ(Encoded(bytes), text);
    EXPECT_EQ(Decoded(text), bytes);
  }
}

TEST(Base64, EveryByteValueAndLengthRoundTrips) {
  const std::string all = AllByteValues();
  for (size_t length = 0; length <= all.size(); ++length) {
    std::string bytes = all.substr(all.size() - length);
    std::string text = Encoded(bytes);
    ASSERT_EQ(static_cast<int>(text.size()), Base64EncodedLength(static_cast<int>(length)));
    ASSERT_EQ(Decoded(text), bytes) << "length " << length;
  }
  EXPECT_EQ(Encoded("\xFB\xEF\xFF"), "++//") << "the last two characters of the alphabet";
}

TEST(Base64, LengthsFollowGroupsOfThreeBytesAndFourCharacters) {
  const int cases[][3] = {
      // count, characters of count bytes, bound of the bytes of count characters
      {0, 0, 0}, {1, 4, 3}, {3, 4, 3}, {4, 8, 3}, {5, 8, 6}, {8, 12, 6}, {9, 12, 9}, {-1, 0, 0},
  };
  for (const auto& [count, encoded, decodedBound] : cases) {
    SCOPED_TRACE(count);
    EXPECT_EQ(Base64EncodedLength(count), encoded);
    EXPECT_EQ(Base64DecodedLength(count), decodedBound);
  }
}

TEST(Base64, DecodesTextWithoutPadding) {
  EXPECT_EQ(Decoded("Zm9vYg"), "foob");
  EXPECT_EQ(Decoded("Zm9vYmE"), "fooba");
  EXPECT_EQ(Decoded("Zm9vY"), "foo") << "a lone final character holds no whole byte";
}

TEST(Base64, DecodingEndsAtPaddingOrAZeroByte) {
  EXPECT_EQ(Decoded("Zg==Zm9v"), "f");
  EXPECT_EQ(Decoded(std::string("Zm9v\0Zm9v", 9)), "foo");
}

// Texts come from the command line, preferences and servers: no byte, 128 and
// up included, may index outside the decoding table; decoding ends there.
TEST(Base64, EveryByteOutsideTheAlphabetEndsDecoding) {
  TempFolder folder;
  SetLogFolder(folder.File("log").c_str());
  for (char c : AllByteValues()) {
    if (InAlphabet(c)) continue;
    SCOPED_TRACE(static_cast<int>(static_cast<unsigned char>(c)));
    EXPECT_EQ(Decoded(std::string("Zm9v") + c + "YmFy"), "foo");
    EXPECT_EQ(Decoded(std::string("Zm") + c + "9v"), "f");
  }
  std::string log = ReadWholeFile(GetLogPath().CStr());
  EXPECT_NE(log.find("Base64Decode: character 128 at position 4 is not base64; decoding ends there"),
            std::string::npos);
  EXPECT_EQ(log.find("character 61 "), std::string::npos) << "padding is no fault";
  EXPECT_EQ(log.find("character 0 "), std::string::npos) << "a zero byte ends the text";
}

}  // namespace
