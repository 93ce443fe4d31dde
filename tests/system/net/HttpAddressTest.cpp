#include <gtest/gtest.h>

#include <string>

#include "system/net/HttpAddress.h"
#include "tests/support/LayerLogCapture.h"

namespace {

TEST(HttpAddressTest, OnlyHttpAndHttpsWithoutBlanksOrControlCharactersAreSpoken) {
  struct Case {
    std::string address;
    bool allowed;
  };
  const Case cases[] = {
      {"http://127.0.0.1:80/scores?lang=en", true},
      {"HTTPS://example.invalid/", true},
      {"http://host/caf\xe9\x7f", true},
      {"file:///etc/passwd", false},
      {"ftp://host/file", false},
      {"gopher://host/", false},
      {"httpx://host/", false},
      {"http:/host", false},
      {"", false},
      {"http://host/a b", false},
      {"http://host/a\tb", false},
      {"http://host/?name=x\r\nX-Injected: 1", false},
      {std::string("http://host/a\0b", 15), false},
  };
  for (const Case& c : cases) {
    LayerLogCapture log;
    EXPECT_EQ(sys::IsHttpAddressAllowed(c.address), c.allowed) << c.address;
    EXPECT_EQ(log.Contains("HTTP address refused"), !c.allowed) << c.address;
  }
}

TEST(HttpAddressTest, TheLoggedAddressEndsBeforeQueryAndFragment) {
  struct Case {
    const char* address;
    const char* logged;
  };
  const Case cases[] = {
      {"http://host:8080/hiscore.php?name=ann&password=x", "http://host:8080/hiscore.php"},
      {"https://host/page#name", "https://host/page"},
      {"http://host/path", "http://host/path"},
      {"http://host?q", "http://host"},
  };
  for (const Case& c : cases) EXPECT_EQ(sys::HttpAddressForLog(c.address), c.logged) << c.address;
}

}  // namespace
