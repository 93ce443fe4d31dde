#include <gtest/gtest.h>

#include <string>

#include "game/rules/powerups/PowerUpTableFile.h"
#include "platform/text/Log.h"
#include "tests/support/StringTableFile.h"

namespace GamePlay {
namespace {

class PowerUpTableFileTest : public testing::Test {
 protected:
  PowerUpTableFileTest() { SetLogFolder(mLogs.Path().c_str()); }

  // The kinds' numbers of a small file: tiny 10, time 20, big 30, jewel 40.
  void Write(TableRows rows) {
    rows.insert(rows.end(), {{"Tiny Bomb Number", "10"},
                             {"Time Bomb Number", "20"},
                             {"Big Bomb Number", "30"},
                             {"Install Jewel Number", "40"}});
    WriteStringTable(mFiles, "levels/powerup.xml", rows);
  }

  TestFileLayer mFiles;
  TempFolder mLogs;
};

TEST_F(PowerUpTableFileTest, MatchTableRunsEachIndexToItsFirstMissingSize) {
  Write({{"FC01 Match3", "10"},
         {"FC01 Match4", "40"},
         {"FC01 Match6", "30"},  // after a gap: never read
         {"FC02 Match3", "20"},
         {"FC02 Match4", "99"},  // a number of no kind
         {"FC03 Match4", "30"},  // index 3 has no size 3: the table ends
         {"FC04 Match3", "30"}});
  std::map<std::pair<int32_t, int32_t>, int32_t> expected = {
      {{1, 3}, 1}, {{1, 4}, 4}, {{2, 3}, 2}, {{2, 4}, 0}};
  EXPECT_EQ(LoadPowerUpMatchTable(), expected);
}

TEST_F(PowerUpTableFileTest, ComboAndEnergyTablesRunToTheirFirstMissingKey) {
  Write({{"Combo 1", "30"},
         {"Combo 2", "10"},
         {"Combo 4", "20"},
         {"Energy Scale Match3", "0.5"},
         {"Energy Scale Match4", "1.25"},
         {"Energy Scale Match6", "9"}});
  EXPECT_EQ(LoadPowerUpComboTable(), (std::map<int32_t, int32_t>{{1, 3}, {2, 1}}));
  EXPECT_EQ(LoadEnergyScaleTable(), (std::map<int32_t, float>{{3, 0.5f}, {4, 1.25f}}));
}

TEST_F(PowerUpTableFileTest, AFileWithoutTheFirstKeysGivesEmptyTables) {
  Write({{"FC01 Match4", "10"}, {"Combo 2", "10"}, {"Energy Scale Match4", "1"}});
  TPowerUpTables tables = LoadPowerUpTables();
  EXPECT_TRUE(tables.match.empty());
  EXPECT_TRUE(tables.combo.empty());
  EXPECT_TRUE(tables.energyScale.empty());
}

TEST_F(PowerUpTableFileTest, AMissingFileGivesEmptyTablesAndALogLine) {
  TPowerUpTables tables = LoadPowerUpTables();
  EXPECT_TRUE(tables.match.empty() && tables.combo.empty() && tables.energyScale.empty());
  EXPECT_NE(ReadWholeFile(GetLogPath().CStr()).find("Cannot read the power-up tables from "
                                                    "levels/powerup.xml"),
            std::string::npos);
}

}  // namespace
}  // namespace GamePlay
