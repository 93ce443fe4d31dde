#include <gtest/gtest.h>

#include "game/rules/level/TMedalTargets.h"
#include "platform/text/Log.h"
#include "tests/support/StringTableFile.h"

namespace GamePlay {
namespace {

class TMedalTargetsTest : public testing::Test {
 protected:
  TMedalTargetsTest() { SetLogFolder(mLogs.Path().c_str()); }

  std::string LogText() const { return ReadWholeFile(GetLogPath().CStr()); }

  TestFileLayer mFiles;
  TempFolder mLogs;
};

TEST_F(TMedalTargetsTest, ReadsWorldsUntilOneHasNoFirstLevel) {
  WriteStringTable(mFiles, "levels/scores.xml",
                   {{"L0101", "1000"},
                    {"L0102", "1500"},
                    {"L0104", "9999"},  // after the missing level 3
                    {"L0301", "3000"},  // after the missing world 2
                    {"Zen01", "500"},
                    {"Zen02", "700"},
                    {"SilverMedal", "20000"},
                    {"GoldMedal", "40000"}});
  TMedalTargets targets;
  struct Case {
    TLevelKey key;
    int32_t target;
  };
  for (Case c :
       {Case{{1, 1}, 1000}, Case{{1, 2}, 1500}, Case{{1, 3}, 0}, Case{{1, 4}, 0}, Case{{2, 1}, 0},
        Case{{3, 1}, 0}, Case{{0, 1}, 500}, Case{{0, 2}, 700}, Case{{0, 3}, 0}}) {
    EXPECT_EQ(targets.Find(c.key), c.target) << c.key.world << " " << c.key.level;
  }
  EXPECT_EQ(targets.GetMedals(), std::make_pair(20000, 40000));
  EXPECT_EQ(LogText().find("Missing string"), std::string::npos)
      << "the ends of the lists are not worth a log line";
}

TEST_F(TMedalTargetsTest, WithoutTheFileThereAreNoTargetsNorMedals) {
  TMedalTargets targets;
  EXPECT_EQ(targets.Find({1, 1}), 0);
  EXPECT_EQ(targets.GetMedals(), std::make_pair(0, 0));
  EXPECT_NE(LogText().find("Cannot read the medal targets from levels/scores.xml"),
            std::string::npos);
}

}  // namespace
}  // namespace GamePlay
