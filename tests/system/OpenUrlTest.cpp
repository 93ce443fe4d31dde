#include "system/os/OpenUrl.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/LayerLogCapture.h"
#include "tests/support/TempFolder.h"

namespace {

TEST(OpenUrl, OnlyWebAndMailAddressesAreOpened) {
  struct Case {
    const char* address;
    bool openable;
  } cases[] = {
      {"http://example.org/", true},
      {"HTTPS://example.org/a?b=1&c=2", true},
      {"mailto:someone@example.org", true},
      {"file:///etc/passwd", false},
      {"javascript:alert(1)", false},
      {"/usr/bin/xterm", false},
      {"--help", false},
      {"httpx://example.org", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(sys::IsOpenableUrl(c.address), c.openable) << c.address;
}

TEST(OpenUrl, ARefusedAddressStartsNothingAndIsLogged) {
  LayerLogCapture log;
  EXPECT_FALSE(sys::OpenUrl("file:///etc/passwd", "true"));
  EXPECT_TRUE(log.Contains("Refused to open \"file:///etc/passwd\""));
}

TEST(OpenUrl, AnAcceptedAddressStartsTheOpener) {
  EXPECT_TRUE(sys::OpenUrl("https://example.org/", "true"));
  LayerLogCapture log;
  EXPECT_FALSE(sys::OpenUrl("https://example.org/", "no-such-opener-program"));
  EXPECT_TRUE(log.Contains("Cannot start no-such-opener-program"));
}

TEST(OpenUrl, TheProgramGetsTheAddressAsOneUntouchedArgument) {
  TempFolder folder;
  std::string output = folder.File("argument");
  std::string address = "http://x/?a=1&b=$(touch pwned);c='d' \"e\" `f`";
  pid_t child = sys::SpawnProgram("sh", {"-c", "printf %s \"$1\" > \"$2\"", "sh", address, output});
  ASSERT_GT(child, 0);
  int status = -1;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_EQ(ReadWholeFile(output), address);
  EXPECT_NE(access("pwned", F_OK), 0) << "no shell ran the text";
}

std::string gRecorded;

bool Record(const std::string& address, const std::string& program) {
  gRecorded = address + " " + program;
  return false;
}

TEST(OpenUrl, ASetOpenerIsAskedInsteadOfStartingAProgramUntilItIsTakenAway) {
  sys::SetUrlOpener(Record);
  EXPECT_FALSE(sys::OpenUrl("http://example.org/", "no-such-opener-program")) << "the opener's answer";
  EXPECT_EQ(gRecorded, "http://example.org/ no-such-opener-program");
  gRecorded.clear();
  EXPECT_FALSE(sys::OpenUrl("file:///etc/passwd", "true"));
  EXPECT_EQ(gRecorded, "") << "refused before the opener";
  sys::SetUrlOpener(nullptr);
  EXPECT_TRUE(sys::OpenUrl("https://example.org/", "true"));
  EXPECT_EQ(gRecorded, "");
}

}  // namespace
