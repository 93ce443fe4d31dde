#include "platform/text/Log.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "system/os/LocalTime.h"
#include "tests/support/TempFolder.h"

namespace {

const char kBanner[] = "\n\n\n\n ****************** LOG WRAP AROUND ******************\n\n\n\n";
// The shape of a ctime stamp and its separator: A upper-case, a lower-case,
// d digit, _ blank or digit; other characters stand for themselves.
constexpr char kStampShape[] = "Aaa Aaa _d dd:dd:dd dddd: ";
constexpr size_t kStampLength = sizeof kStampShape - 1;

bool FitsShape(char c, char shape) {
  unsigned char u = static_cast<unsigned char>(c);
  switch (shape) {
    case 'A': return std::isupper(u);
    case 'a': return std::islower(u);
    case 'd': return std::isdigit(u);
    case '_': return c == ' ' || std::isdigit(u);
    default: return c == shape;
  }
}

// The text of a line behind its ctime-style stamp; false when the stamp is missing.
bool StampedText(const std::string& line, std::string* text) {
  if (line.size() < kStampLength) return false;
  for (size_t i = 0; i < kStampLength; ++i) {
    if (!FitsShape(line[i], kStampShape[i])) return false;
  }
  *text = line.substr(kStampLength);
  return true;
}

bool IsThreadLine(const std::string& text) {
  int thread = -1, line = -1, consumed = 0;
  return std::sscanf(text.c_str(), "thread %d line %d end%n", &thread, &line, &consumed) == 2 &&
         consumed == static_cast<int>(text.size());
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class LogTest : public testing::Test {
 protected:
  void SetUp() override { SetLogFolder(mFolder.File("user").c_str()); }
  std::string LogText() const { return ReadWholeFile(GetLogPath().CStr()); }

  TempFolder mFolder;
};

TEST_F(LogTest, LinesCarryACtimeStampAndStartAfresh) {
  WriteWholeFile(mFolder.File("user/logfile.txt"), "old run\n");
  SetLogFolder(mFolder.File("user").c_str());
  EXPECT_EQ(std::string(GetLogPath().CStr()), mFolder.File("user/logfile.txt"));
  LogPrintf("first %d", 1);
  LogPrintf("second");
  std::vector<std::string> lines = Lines(LogText());
  ASSERT_EQ(lines.size(), 2u);
  std::string text;
  ASSERT_TRUE(StampedText(lines[0], &text)) << lines[0];
  EXPECT_EQ(text, "first 1");
  ASSERT_TRUE(StampedText(lines[1], &text)) << lines[1];
  EXPECT_EQ(text, "second");
}

sys::LocalDateTime NewYearsMorningForLog() { return {2027, 1, 1, 7, 5, 9, 5}; }

TEST_F(LogTest, TheStampIsTheLocalMomentInCtimeForm) {
  sys::SetLocalTimeSource(NewYearsMorningForLog);
  LogPrintf("stamped");
  sys::SetLocalTimeSource(nullptr);
  EXPECT_EQ(LogText(), "Fri Jan  1 07:05:09 2027: stamped\n");
}

TEST_F(LogTest, WrapsBackBehindTheBannerOncePast102400Bytes) {
  std::string filler(999, 'f');
  while (LogText().size() <= 102400 - 2000) LogPrintf("%s", filler.c_str());
  std::string crossing(3000, 'c');
  LogPrintf("%s", crossing.c_str());
  std::string before = LogText();
  ASSERT_GT(before.size(), 102400u);
  EXPECT_NE(before.find(crossing + "\n"), std::string::npos) << "the crossing line is whole";

  LogPrintf("after the wrap");
  std::string after = LogText();
  EXPECT_EQ(after.size(), before.size()) << "older text behind the new line stays";
  EXPECT_EQ(after.compare(51200, sizeof kBanner - 1, kBanner), 0);
  std::string next = after.substr(51200 + sizeof kBanner - 1);
  EXPECT_NE(next.find(": after the wrap\n"), std::string::npos);
  EXPECT_EQ(after.substr(0, 51200), before.substr(0, 51200));
}

TEST_F(LogTest, TextIsCutTo19998Characters) {
  std::string huge(30000, 'h');
  LogPrintf("%s", huge.c_str());
  std::string text;
  ASSERT_TRUE(StampedText(Lines(LogText()).at(0), &text));
  EXPECT_EQ(text, huge.substr(0, 19998));
}

TEST_F(LogTest, FallsBackWhenTheLogFolderCannotBeUsed) {
  WriteWholeFile(mFolder.File("blocker"), "a file, not a folder");
  SetLogFolder(mFolder.File("blocker/user").c_str());
  std::remove(GetFallbackLogPath().CStr());
  LogPrintf("to the fallback");
  std::string fallback = ReadWholeFile(GetFallbackLogPath().CStr());
  EXPECT_NE(fallback.find(": to the fallback\n"), std::string::npos);
}

TEST_F(LogTest, LinesFromManyThreadsStayWhole) {
  constexpr int kThreads = 4;
  constexpr int kLinesEach = 1000;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < kLinesEach; ++i) LogPrintf("thread %d line %d end", t, i);
    });
  }
  for (std::thread& thread : threads) thread.join();
  LogPrintf("last line");

  // The file has wrapped: the banner at 51200 cut the line it landed on, and
  // older text may follow the newest line. Every other line must be whole.
  std::string text = LogText();
  size_t end = text.find(": last line\n");
  ASSERT_NE(end, std::string::npos);
  ASSERT_EQ(text.compare(51200, sizeof kBanner - 1, kBanner), 0);
  std::string firstPass = text.substr(0, text.rfind('\n', 51200 - 1) + 1);
  std::string lastPass = text.substr(51200 + sizeof kBanner - 1, end - 51200 - (sizeof kBanner - 1));
  lastPass.resize(lastPass.rfind('\n') + 1);
  int counted = 0;
  for (const std::string& line : Lines(firstPass + lastPass)) {
    std::string text;
    ASSERT_TRUE(StampedText(line, &text)) << line;
    ASSERT_TRUE(IsThreadLine(text)) << line;
    ++counted;
  }
  EXPECT_GT(counted, 1000);
}

}  // namespace
