#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using Settings = std::map<std::string, std::string>;

Settings OptionsOf(const char* line) {
  std::map<TString, TString> read;
  ReadOptions(line, read);
  Settings settings;
  for (const auto& [name, value] : read) settings[name.CStr()] = value.CStr();
  return settings;
}

struct OptionsCase {
  const char* line;
  Settings expected;
};

class OptionsTail : public testing::TestWithParam<OptionsCase> {};

TEST_P(OptionsTail, StoresThePairsUpToWhereReadingStops) { EXPECT_EQ(OptionsOf(GetParam().line), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Lines, OptionsTail,
    testing::Values(
        OptionsCase{"options=a=1&b=2 and more words", {{"a", "1"}, {"b", "2"}}},
        OptionsCase{"-x options=firstpeek=1", {{"firstpeek", "1"}}},
        OptionsCase{"options= a=1", {}},
        OptionsCase{"options=", {}},
        OptionsCase{"options=novalue", {}},
        OptionsCase{"options=novalue&a=1", {{"novalue&a", "1"}}},
        // A value runs on to the next "&" even across a blank; without one it ends at the blank.
        OptionsCase{"options=a=1 x&b=2", {{"a", "1 x"}, {"b", "2"}}},
        OptionsCase{"options=a=&b=x=y", {{"a", ""}, {"b", "x=y"}}},
        OptionsCase{"options=a=1&", {{"a", "1"}}},
        OptionsCase{"options=a=1&a=2", {{"a", "2"}}},
        OptionsCase{"no switch a=1", {}}));

struct CheatCase {
  const char* line;
  const char* code;
};

class CheatCode : public testing::TestWithParam<CheatCase> {};

TEST_P(CheatCode, IsTheRestOfTheLineAfterOneSeparator) {
  EXPECT_STREQ(ReadCheatCode(GetParam().line).CStr(), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Lines, CheatCode,
                         testing::Values(CheatCase{"--cheat", ""}, CheatCase{"-x --cheat", ""},
                                         CheatCase{"--cheat ", ""}, CheatCase{"--cheat abc", "abc"},
                                         CheatCase{"--cheat abc -multiple more", "abc -multiple more"},
                                         CheatCase{"--cheat=xyz", "xyz"}, CheatCase{"nothing", ""}));

TEST(HostWindowHandle, IsTheHexadecimalNumberAfterTheSwitch) {
  EXPECT_EQ(ReadHostWindowHandle("-wnd=1a2B"), 0x1a2Bu);
  EXPECT_EQ(ReadHostWindowHandle("x -wnd=0x10 y"), 0x10u);
  EXPECT_EQ(ReadHostWindowHandle("-wnd=zz"), 0u);
  EXPECT_EQ(ReadHostWindowHandle("-wnd="), 0u);
  EXPECT_EQ(ReadHostWindowHandle("-wnd=123456789"), 0u) << "more than 32 bits names no window";
  EXPECT_EQ(ReadHostWindowHandle("-window"), 0u);
}

TEST(HostProgram, IsOneWordOfAtMost259Characters) {
  EXPECT_STREQ(ReadHostProgram("-host=firefox -msn").CStr(), "firefox");
  EXPECT_STREQ(ReadHostProgram("-host= opener").CStr(), "opener");
  EXPECT_STREQ(ReadHostProgram("-host=").CStr(), "");
  EXPECT_STREQ(ReadHostProgram("-msn").CStr(), "");
  std::string longName(300, 'p');
  EXPECT_EQ(ReadHostProgram(("-host=" + longName).c_str()).Length(), 259);
}

TEST(Switches, AreCaseSensitiveSubstrings) {
  EXPECT_TRUE(HasSwitch("a--multipleb", "--multiple"));
  EXPECT_FALSE(HasSwitch("--MULTIPLE", "--multiple"));
}

TEST(JoinedCommandLine, LeavesOutTheProgramName) {
  const char* argv[] = {"/usr/bin/quorvane", "--cheat", "abc", "options=a=1"};
  EXPECT_EQ(JoinCommandLine(4, argv), "--cheat abc options=a=1");
  EXPECT_EQ(JoinCommandLine(1, argv), "");
}

}  // namespace
