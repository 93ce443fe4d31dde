#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "game/rules/level/TLevelSettings.h"
#include "platform/text/Log.h"
#include "tests/support/StringTableFile.h"
#include "tests/support/rules/RecordingGameRecords.h"

namespace GamePlay {
namespace {

class TLevelSettingsTest : public testing::Test {
 protected:
  TLevelSettingsTest() { SetLogFolder(mLogs.Path().c_str()); }

  void Write(const std::string& name, const TableRows& rows) {
    WriteStringTable(mFiles, name, rows);
  }
  std::unique_ptr<TLevelSettings> LoadWorld1(uint32_t level) {
    return TLevelSettings::Load({1, level}, "levels/world01.xml", false);
  }
  std::string LogText() const { return ReadWholeFile(GetLogPath().CStr()); }

  TestFileLayer mFiles;
  TempFolder mLogs;
};

struct SettingCase {
  const char* name;
  const char* text;
  std::function<float(const TLevelSettings&)> get;
  float expected;
};

TEST_F(TLevelSettingsTest, EachGetterReadsItsOwnKeyOfTheLevel) {
  const SettingCase cases[] = {
      {"Max Rings", "7", &TLevelSettings::GetMaxRings, 7},
      {"Number of pieces in used", "5", &TLevelSettings::GetNumberOfPiecesInUse, 5},
      {"Number of Blockers", "4", &TLevelSettings::GetNumberOfBlockers, 4},
      {"Piece Delivery From Top", "1", &TLevelSettings::GetPieceDeliveryFromTop, 1},
      {"Piece Delivery When Top Ring Clear", "1", &TLevelSettings::GetPieceDeliveryWhenTopRingClear,
       1},
      {"Have Piece Jug", "1", &TLevelSettings::HasPieceJug, 1},
      {"Side Match", "2", &TLevelSettings::HasSideMatch, 1},
      {"Blocker Explode", "1", &TLevelSettings::HasBlockerExplode, 1},
      {"Number of Jug Colors", "3", &TLevelSettings::GetNumberOfJugColors, 3},
      {"Remove Jug Color", "2", &TLevelSettings::GetRemoveJugColor, 2},
      {"Gem Energy Rate", "0.25", &TLevelSettings::GetGemEnergyRate, 0.25f},
      {"Bomb Energy Scale", "1.5", &TLevelSettings::GetBombEnergyScale, 1.5f},
      {"Piece Enegry Ratio", "0.75", &TLevelSettings::GetPieceEnergyRatio, 0.75f},
      {"Complete destroyed pieces", "120", &TLevelSettings::GetCompleteDestroyedPieces, 120},
      {"Lock Appear Rate", "30", &TLevelSettings::GetLockAppearRate, 30},
      {"Gear Appear Rate", "40", &TLevelSettings::GetGearAppearRate, 40},
      {"Lock Max", "2", &TLevelSettings::GetLockMax, 2},
      {"Gear Max", "3", &TLevelSettings::GetGearMax, 3},
      {"PowerUp Appear Rate", "0.05", &TLevelSettings::GetPowerUpAppearRate, 0.05f},
      {"Initial Raise Ring Rate", "0.002", &TLevelSettings::GetInitialRaiseRingRate, 0.002f},
      {"Final Raise Ring Rate", "0.004", &TLevelSettings::GetFinalRaiseRingRate, 0.004f},
      {"Counter Timer Rate", "0.001", &TLevelSettings::GetCounterTimerRate, 0.001f},
      {"Game Time", "180", &TLevelSettings::GetGameTime, 180},
      {"Complete Jug Time Boost", "0.1", &TLevelSettings::GetCompleteJugTimeBoost, 0.1f},
      {"Time Bonus Scores", "10", &TLevelSettings::GetTimeBonusScores, 10},
      {"Clear Blocker Bonus", "1000", &TLevelSettings::GetClearBlockerBonus, 1000},
  };
  TableRows rows;
  for (const SettingCase& c : cases) {
    rows.push_back({std::string("Lvl03 ") + c.name, c.text});
    // The neighbours' values must not leak in.
    rows.push_back({std::string("Lvl02 ") + c.name, "999"});
    rows.push_back({std::string("Lvl04 ") + c.name, "999"});
  }
  Write("levels/world01.xml", rows);
  auto settings = LoadWorld1(3);
  ASSERT_NE(settings, nullptr);
  for (const SettingCase& c : cases) {
    EXPECT_FLOAT_EQ(c.get(*settings), c.expected) << c.name;
  }
}

TEST_F(TLevelSettingsTest, ATowerGetsNoMoreRingsThanItCanHold) {
  Write("levels/world01.xml", {{"Lvl01 Max Rings", "12"}, {"Lvl02 Max Rings", "2000000000"}});
  EXPECT_EQ(LoadWorld1(1)->GetMaxRings(), 12);
  EXPECT_EQ(LogText().find("more than"), std::string::npos);
  auto settings = LoadWorld1(2);
  ASSERT_NE(settings, nullptr);
  EXPECT_EQ(settings->GetMaxRings(), TLevelSettings::kMostRings);
  EXPECT_NE(LogText().find("Level 2 in levels/world01.xml has more than 12 rings; it gets 12"),
            std::string::npos);
}

TEST_F(TLevelSettingsTest, MissingValuesReadZeroAndFalse) {
  Write("levels/world01.xml", {{"Lvl01 Max Rings", "6"}});
  auto settings = LoadWorld1(1);
  ASSERT_NE(settings, nullptr);
  EXPECT_FALSE(settings->HasSideMatch());
  EXPECT_EQ(settings->GetGameTime(), 0.0f);
  EXPECT_EQ(settings->GetLockMax(), 0);
  EXPECT_EQ(settings->GetBlockerRow(1), "#####");
}

TEST_F(TLevelSettingsTest, AMissingLevelReadsTheNearestLowerLevel) {
  Write("levels/world01.xml", {{"Lvl01 Max Rings", "5"},
                               {"Lvl02 Max Rings", "8"},
                               {"Lvl02 Game Time", "90"},
                               {"Lvl03 Game Time", "30"},  // no rings: not a level
                               {"Lvl05 Max Rings", "0"},
                               {"Lvl06 Max Rings", "9"}});
  struct Case {
    uint32_t asked;
    uint32_t used;
  };
  for (Case c : {Case{1, 1}, Case{2, 2}, Case{3, 2}, Case{5, 2}, Case{6, 6}, Case{80, 6}}) {
    auto settings = LoadWorld1(c.asked);
    ASSERT_NE(settings, nullptr) << c.asked;
    EXPECT_EQ(settings->GetLevel(), c.used) << c.asked;
    EXPECT_EQ(settings->GetWorld(), 1u);
  }
  EXPECT_EQ(LoadWorld1(3)->GetGameTime(), 90) << "every value comes from the level used";
}

TEST_F(TLevelSettingsTest, ALevelWithoutRingsBelowItIsRefusedWithALogLine) {
  Write("levels/world01.xml", {{"Lvl01 Game Time", "60"},
                               {"Lvl02 Max Rings", "0"},
                               {"Lvl03 Max Rings", "-4"},
                               {"Lvl07 Max Rings", "6"}});
  for (uint32_t level : {0u, 1u, 3u, 6u}) EXPECT_EQ(LoadWorld1(level), nullptr) << level;
  EXPECT_NE(LogText().find("No level up to 6 in levels/world01.xml has Max Rings set"),
            std::string::npos);
  EXPECT_EQ(LogText().find("Missing string"), std::string::npos)
      << "looking for a level does not log every level it passes";
}

TEST_F(TLevelSettingsTest, AHugeLevelNumberEndsTheSearchQuickly) {
  Write("levels/world01.xml", {{"Lvl04 Max Rings", "6"}});
  auto settings = LoadWorld1(4000000000u);
  ASSERT_NE(settings, nullptr);
  EXPECT_EQ(settings->GetLevel(), 4u);
  Write("levels/world01.xml", {});
  EXPECT_EQ(LoadWorld1(4000000000u), nullptr);
}

TEST_F(TLevelSettingsTest, AMissingFileIsRefusedWithALogLine) {
  EXPECT_EQ(TLevelSettings::Load({2, 1}, "levels/world02.xml", false), nullptr);
  EXPECT_NE(LogText().find("Cannot read the level file levels/world02.xml"), std::string::npos);
}

TEST_F(TLevelSettingsTest, PieJugsGiveOneColourPerSlot) {
  struct Case {
    const char* text;
    std::vector<int32_t> jugs;
  };
  const Case cases[] = {
      {"123456900000", {0, 1, 2, 3, 4, 5, 9, -1, -1, -1, -1, -1}},
      {"9911", {9, 9, 0, 0, -1, -1, -1, -1, -1, -1, -1, -1}},
      {"1x8 65432199999", {0, -1, 7, -1, 5, 4, 3, 2, 1, 0, 9, 9}},
      {"", std::vector<int32_t>(12, -1)},
  };
  for (const Case& c : cases) {
    Write("levels/world01.xml", {{"Lvl01 Max Rings", "6"}, {"Lvl01 Pie Jugs", c.text}});
    EXPECT_EQ(LoadWorld1(1)->GetPieJugs(), c.jugs) << '"' << c.text << '"';
  }
  Write("levels/world01.xml", {{"Lvl01 Max Rings", "6"}});
  EXPECT_EQ(LoadWorld1(1)->GetPieJugs(), std::vector<int32_t>(12, -1)) << "no Pie Jugs at all";
}

TEST_F(TLevelSettingsTest, BlockerRowsAndRatiosAreReadByNumber) {
  Write("levels/world01.xml", {{"Lvl01 Max Rings", "6"},
                               {"Lvl01 Blocker Row 01", "AA..%%..AA.."},
                               {"Lvl01 Blocker Row 08", "Z"},
                               {"Lvl01 Blocker Bomb Energy Ratio", "0.5"},
                               {"Lvl01 Blocker Energy Ratio", "0.1"},
                               {"Lvl01 Blocker Energy Ratio 4", "0.2"},
                               {"Lvl01 Blocker Energy Ratio 5", "0.3"}});
  auto settings = LoadWorld1(1);
  EXPECT_EQ(settings->GetBlockerRow(1), "AA..%..AA..");
  EXPECT_EQ(settings->GetBlockerRow(8), "Z");
  std::map<int32_t, float> expected{{0, 0.5f}, {3, 0.1f}, {4, 0.2f}, {5, 0.3f}};
  EXPECT_EQ(settings->GetBlockerEnergyRatios(), expected);
}

TEST_F(TLevelSettingsTest, ACopyKeepsTheLevelAndItsValues) {
  Write("levels/world01.xml", {{"Lvl02 Max Rings", "6"}, {"Lvl02 Game Time", "75"}});
  auto original = LoadWorld1(4);
  TLevelSettings copy(*original);
  original.reset();
  EXPECT_EQ(copy.GetKey(), (TLevelKey{1, 2}));
  EXPECT_EQ(copy.GetFileName(), "levels/world01.xml");
  EXPECT_EQ(copy.GetGameTime(), 75);
}

class CreateLevelSettingsTest : public TLevelSettingsTest {
 protected:
  CreateLevelSettingsTest() {
    // Each file gives its level a ring count of its own, to tell them apart.
    Write("levels/zen.xml", {{"Lvl03 Max Rings", "3"}});
    Write("levels/world02.xml", {{"Lvl01 Max Rings", "4"}, {"Lvl03 Max Rings", "5"}});
    Write("tutorials/tutorial0203.xml", {{"Lvl03 Max Rings", "6"}});
  }
};

TEST_F(CreateLevelSettingsTest, ReadsTheZenTheWorldOrTheTutorialFile) {
  struct Case {
    TLevelKey key;
    bool tutorialMode;
    bool tutorialsSeen;
    int32_t rings;
    bool tutorial;
  };
  const Case cases[] = {
      {{0, 3}, false, false, 3, false},  // Zen
      {{2, 3}, false, false, 6, true},   // its tutorial is not seen yet
      {{2, 3}, false, true, 5, false},   // the tutorial is seen
      {{2, 1}, false, false, 4, false},  // no tutorial file
      {{2, 3}, true, true, 6, true},     // the game plays its tutorials
      {{0, 3}, true, false, 3, false},   // Zen has no tutorial files
  };
  for (const Case& c : cases) {
    RecordingGameRecords mode;
    mode.tutorialMode = c.tutorialMode;
    mode.tutorialsSeen = c.tutorialsSeen;
    auto settings = CreateLevelSettings(c.key, mode);
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->GetMaxRings(), c.rings) << c.key.world << " " << c.key.level;
    EXPECT_EQ(settings->IsTutorial(), c.tutorial) << c.key.world << " " << c.key.level;
  }
}

TEST_F(CreateLevelSettingsTest, TheTutorialModeTakesATutorialFileEvenWhenMissing) {
  RecordingGameRecords mode;
  mode.tutorialMode = true;
  EXPECT_TRUE(HasTutorialSettings({2, 1}, mode));
  EXPECT_EQ(CreateLevelSettings({2, 1}, mode), nullptr);
  EXPECT_NE(LogText().find("tutorials/tutorial0201.xml"), std::string::npos);
}

}  // namespace
}  // namespace GamePlay
