#include "platform/crypto/Guid.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(Guid, StringIsFourWordsOfLowerCaseHexadecimal) {
  for (int n = 0; n < 100; ++n) {
    std::string text = CreateGuidString().CStr();
    ASSERT_EQ(text.size(), 32u);
    EXPECT_EQ(text.find_first_not_of("0123456789abcdef"), std::string::npos) << text;
    EXPECT_EQ(text[8], '4') << "version 4 in the top digit of the second word: " << text;
    EXPECT_NE(std::string("89ab").find(text[22]), std::string::npos) << "variant bits: " << text;
  }
}

TEST(Guid, EveryGuidIsFresh) {
  std::set<std::string> seen;
  for (int n = 0; n < 1000; ++n) seen.insert(CreateGuidString().CStr());
  EXPECT_EQ(seen.size(), 1000u);
}

TEST(Guid, WordsCarryVersionAndVariant) {
  uint32_t words[4];
  ASSERT_TRUE(CreateGuid(words));
  EXPECT_EQ(words[1] >> 28, 4u);
  EXPECT_EQ(words[2] & 0xC0, 0x80u);
}

}  // namespace
