#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "online/HttpEscape.h"

namespace {

TEST(HttpEscapeTest, EscapesTheReservedCharactersAndControlCharactersOnly) {
  const std::string reserved = " \"#$%&+,/:;<=>?@[\\]^`{|}";
  ASSERT_EQ(reserved.size(), 24u);
  for (int byte = 1; byte < 256; ++byte) {
    char value[2] = {static_cast<char>(byte), '\0'};
    char hex[4];
    std::snprintf(hex, sizeof hex, "%%%02X", byte);
    bool escaped = byte < 32 || reserved.find(static_cast<char>(byte)) != std::string::npos;
    EXPECT_STREQ(HttpEscape(value).CStr(), escaped ? hex : value) << "byte " << byte;
  }
}

TEST(HttpEscapeTest, KeepsTheOrderOfATextAndGivesEmptyForNothing) {
  EXPECT_STREQ(HttpEscape("a b+c=d/e~f!g").CStr(), "a%20b%2Bc%3Dd%2Fe~f!g");
  EXPECT_STREQ(HttpEscape("line\r\nX: 1").CStr(), "line%0D%0AX%3A%201");
  EXPECT_STREQ(HttpEscape("").CStr(), "");
  EXPECT_STREQ(HttpEscape(nullptr).CStr(), "");
}

}  // namespace
