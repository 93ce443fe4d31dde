#include "platform/text/TString.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TStringRecords, NullAndEmptyReadAlike) {
  TString null;
  TString empty("");
  TString fromNullText(static_cast<const char*>(nullptr));
  for (const TString* s : {&null, &empty, &fromNullText}) {
    EXPECT_STREQ(s->CStr(), "");
    EXPECT_EQ(s->Length(), 0);
  }
  EXPECT_EQ(null, empty);
  EXPECT_EQ(null.Compare(empty), 0);
  EXPECT_EQ(null.CharAt(0), 0);
}

TEST(TStringRecords, ChangingACopyLeavesTheOriginalAlone) {
  TString original("tower");
  TString copy = original;
  EXPECT_EQ(copy.CStr(), original.CStr()) << "a copy shares the record";
  copy += "s";
  copy.Replace("t", "p");
  TString third = original;
  third.ToLower().Erase(0, 1);
  third.WriteAt(0, "X", 1, false);
  EXPECT_STREQ(original.CStr(), "tower");
  EXPECT_STREQ(copy.CStr(), "powers");
  EXPECT_STREQ(third.CStr(), "Xwer");
  EXPECT_NE(copy.CStr(), original.CStr());
}

TEST(TStringRecords, AppendingItselfDoublesTheText) {
  TString s("ab");
  s += s;
  EXPECT_STREQ(s.CStr(), "abab");
  s.Replace(s, s + "!");
  EXPECT_STREQ(s.CStr(), "abab!");
}

TEST(TStringRecords, CountedConstructionCopiesExactlyTheBytes) {
  TString s("abcdef", 3);
  EXPECT_STREQ(s.CStr(), "abc");
  EXPECT_STREQ((TString("x") + 'y' + TString("z")).CStr(), "xyz");
}

TEST(TStringReading, CompareFollowsStrcmpOrder) {
  EXPECT_EQ(TString("a").Compare("b"), -1);
  EXPECT_EQ(TString("b").Compare("a"), 1);
  EXPECT_EQ(TString("ab").Compare("a"), 1);
  EXPECT_EQ(TString("\xE9").Compare("z"), 1) << "bytes compare unsigned";
  EXPECT_TRUE(TString() < TString("a"));
}

TEST(TStringReading, NumbersParseAsTheCLibraryDoes) {
  EXPECT_EQ(TString("42abc").ToInt(), 42);
  EXPECT_EQ(TString("#####").ToInt(), 0);
  EXPECT_EQ(TString().ToInt(), 0);
  EXPECT_FLOAT_EQ(TString("2.5").ToFloat(), 2.5f);
}

struct MidCase {
  int start, count;
  const char* expected;
};

TEST(TStringReading, MidClampsToTheText) {
  const MidCase cases[] = {
      {0, -1, "abcdef"}, {2, 3, "cde"},  {4, 100, "ef"}, {6, 5, ""},
      {9, -1, ""},       {-3, 2, "ab"}, {-1, -1, "abcdef"},
  };
  TString s("abcdef");
  for (const MidCase& c : cases) {
    EXPECT_STREQ(s.Mid(c.start, c.count).CStr(), c.expected) << c.start << "," << c.count;
  }
}

struct FindCase {
  const char* text;
  const char* search;
  TFindFlags flags;
  int start;
  int expected;
};

TEST(TStringSearch, FindCases) {
  using F = TFindFlags;
  const FindCase cases[] = {
      {"abcabc", "abc", F::None, 0, 0},
      {"abcabc", "abc", F::None, 1, 3},
      {"abcabc", "abc", F::None, 4, -1},
      {"abcabc", "abc", F::Backwards, 0, 3},
      {"abcabc", "abc", F::Backwards, 2, 0},  // candidates start at 6 - 3 - 2 = 1
      {"abcabc", "ABC", F::None, 1, -1},
      {"abcabc", "ABC", F::IgnoreCase, 1, 3},
      {"abcabc", "BC", F::IgnoreCase | F::Backwards, 0, 4},
      {"abcabc", "", F::None, 2, 2},
      {"abcabc", "abc", F::None, 6, -1},
      {"abcabc", "abc", F::None, -5, 0},
      {"ab", "abc", F::None, 0, -1},
      {"", "", F::None, 0, -1},
  };
  for (const FindCase& c : cases) {
    EXPECT_EQ(TString(c.text).Find(c.search, c.flags, c.start), c.expected)
        << c.text << " / " << c.search << " from " << c.start;
  }
  EXPECT_EQ(TString().Find("a"), -1);
}

TEST(TStringSearch, FindCharCases) {
  using F = TFindFlags;
  const FindCase cases[] = {
      {"a/b/c", "/", F::None, 0, 1},   {"a/b/c", "/", F::None, 2, 3},
      {"a/b/c", "/", F::Backwards, 0, 3}, {"a/b/c", "/", F::Backwards, 2, 1},
      {"a/b/c", "B", F::IgnoreCase, 0, 2}, {"a/b/c", "/", F::None, 5, -1},
      {"a/b/c", "/", F::None, -2, 1},  {"a/b/c", "x", F::Backwards, 0, -1},
  };
  for (const FindCase& c : cases) {
    EXPECT_EQ(TString(c.text).FindChar(c.search[0], c.flags, c.start), c.expected)
        << c.text << " / " << c.search << " from " << c.start;
  }
}

struct ReplaceCase {
  const char* text;
  const char* search;
  const char* replacement;
  TFindFlags flags;
  int start;
  const char* expected;
};

TEST(TStringSearch, ReplaceCases) {
  using F = TFindFlags;
  const ReplaceCase cases[] = {
      {"a-b-c", "-", "+", F::None, 0, "a+b-c"},
      {"a-b-c", "-", "+", F::All, 0, "a+b+c"},
      {"a-b-c", "-", "+", F::None, 2, "a-b+c"},
      {"a-b-c", "-", "--", F::All, 0, "a--b--c"},
      {"aaa", "a", "aa", F::All, 0, "aaaaaa"},
      {"a-b-c", "-", "+", F::Backwards, 0, "a-b+c"},
      {"a-b-c", "-", "+", F::Backwards | F::All, 0, "a+b+c"},
      {"xAx", "a", "b", F::IgnoreCase, 0, "xbx"},
      {"abc", "", "x", F::All, 0, "abc"},
      {"abc", "", "x", F::None, 1, "axbc"},
      {"abc", "z", "x", F::All, 0, "abc"},
  };
  for (const ReplaceCase& c : cases) {
    TString s(c.text);
    EXPECT_STREQ(s.Replace(c.search, c.replacement, c.flags, c.start).CStr(), c.expected)
        << c.text << " / " << c.search << " -> " << c.replacement;
  }
}

TEST(TStringChanging, EraseClampsPositionAndCount) {
  struct EraseCase {
    int position, count;
    const char* expected;
  };
  const EraseCase cases[] = {
      {1, 2, "adef"}, {3, -1, "abc"}, {4, 99, "abcd"}, {6, 1, "abcdef"}, {-2, 1, "bcdef"},
  };
  for (const EraseCase& c : cases) {
    TString s("abcdef");
    s.Erase(c.position, c.count);
    EXPECT_STREQ(s.CStr(), c.expected) << c.position << "," << c.count;
  }
}

TEST(TStringChanging, WriteAtKeepsTheTextTerminated) {
  TString s("hello");
  EXPECT_EQ(s.WriteAt(-1, " world", 6, false), 11);
  EXPECT_STREQ(s.CStr(), "hello world");

  TString inside("abcdef");
  inside.WriteAt(1, "XY", 2, false);
  EXPECT_STREQ(inside.CStr(), "aXYdef");
  inside.WriteAt(1, "Z", 1, true);
  EXPECT_STREQ(inside.CStr(), "aZ");

  TString past("abc");
  past.WriteAt(2, "0123456789012345678901234567890123", 34, false);
  EXPECT_EQ(past.Length(), 36);
  EXPECT_EQ(past.CharAt(35), '3');

  TString empty;
  EXPECT_EQ(empty.WriteAt(-1, "xyz", 3, false), 3);
  EXPECT_STREQ(empty.CStr(), "xyz");
}

TEST(TStringChanging, ReserveKeepsTheText) {
  TString s("abc");
  TString shared = s;
  s.Reserve(100);
  EXPECT_STREQ(s.CStr(), "abc");
  EXPECT_NE(s.CStr(), shared.CStr());
  s.Reserve(1);
  EXPECT_STREQ(s.CStr(), "abc");
}

TEST(TStringFormatting, FormatsLikePrintf) {
  EXPECT_STREQ(TString::Format("%s=%d", "level", 7).CStr(), "level=7");
  TString s("old");
  s.Printf("%05.1f", 2.25);
  EXPECT_STREQ(s.CStr(), "002.2");
}

TEST(TStringFormatting, LongResultsAreCutTo4095Characters) {
  std::string long_text(5000, 'q');
  TString s = TString::Format("%s", long_text.c_str());
  EXPECT_EQ(s.Length(), 4095);
  EXPECT_EQ(std::string(s.CStr()), long_text.substr(0, 4095));
}

}  // namespace
