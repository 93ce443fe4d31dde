// The entries of "levels/startscreens.xml": the key of a level, text
// entries as written, and the picture lists of image entries with their
// bounds.
#include "game/gui/screens/StartScreenEntry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text/Log.h"
#include "tests/support/TempFolder.h"

namespace GUI {
namespace {

std::vector<std::string> Pictures(const TStartScreenEntry& entry) {
  std::vector<std::string> names;
  for (const TString& name : entry.pictures) names.emplace_back(name.CStr());
  return names;
}

TEST(StartScreenEntry, TheKeyTakesTheTwoNumbersInTheOrderGiven) {
  EXPECT_STREQ(TStartScreenEntry::Key(1, 3).CStr(), "World01_03");
  EXPECT_STREQ(TStartScreenEntry::Key(3, 1).CStr(), "World03_01");
  EXPECT_STREQ(TStartScreenEntry::Key(10, 12).CStr(), "World10_12");
}

TEST(StartScreenEntry, EntriesReadAsTextOrAsPictureLists) {
  struct Case {
    const char* text;
    std::vector<std::string> pictures;
  };
  const Case cases[] = {
      {"Clear the blockers.", {}},
      {"", {}},
      {"A text with @ and ; inside", {}},
      {" @a leading space keeps it text", {}},
      {"@pages/one", {"pages/one"}},
      {"@pages/one;pages/two; pages/three ", {"pages/one", "pages/two", "pages/three"}},
      {"@;;pages/one;;", {"pages/one"}},
      {"@", {}},
      {"@ ; ;", {}},
  };
  for (const Case& c : cases) {
    const TStartScreenEntry entry = TStartScreenEntry::Read(c.text);
    EXPECT_EQ(Pictures(entry), c.pictures) << c.text;
    EXPECT_STREQ(entry.text.CStr(), c.text);
  }
}

TEST(StartScreenEntry, OverlongNamesAndPagesBeyondTheLimitAreLeftOut) {
  TempFolder logs;
  SetLogFolder(logs.Path().c_str());
  const std::string longName(TStartScreenEntry::kMaxNameLength + 1, 'x');
  std::string text = "@" + longName + ";kept";
  for (size_t page = 0; page < TStartScreenEntry::kMaxPages + 3; ++page) text += ";p" + std::to_string(page);
  const TStartScreenEntry entry = TStartScreenEntry::Read(text.c_str());
  ASSERT_EQ(entry.pictures.size(), TStartScreenEntry::kMaxPages);
  EXPECT_STREQ(entry.pictures.front().CStr(), "kept");
  EXPECT_STREQ(entry.pictures.back().CStr(), ("p" + std::to_string(TStartScreenEntry::kMaxPages - 2)).c_str());
}

}  // namespace
}  // namespace GUI
