// The game's levels and the data the rules read with them: every key that
// the play window, the level settings, the scoring scheme, the medal
// targets and the power-up tables ask for is in the data folder; every
// level has rows of its own that the tower can hold; and the bot wins the
// levels on the tuning the game ships with.
#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "game/rules/level/TLevelSettings.h"
#include "game/rules/level/TMedalTargets.h"
#include "game/rules/powerups/PowerUpTableFile.h"
#include "platform/file/FileIndex.h"
#include "platform/file/TFile.h"
#include "platform/text/Log.h"
#include "platform/xml/TStringTable.h"
#include "tests/assets/GameShape.h"
#include "tests/support/BuiltDataFolder.h"
#include "tests/support/TempFolder.h"
#include "tests/support/rules/LevelRig.h"
#include "tests/support/rules/RecordingGameRecords.h"
#include "tests/support/rules/RigBot.h"

namespace {

using GamePlay::TLevelKey;
using GamePlay::TLevelSettings;

constexpr char kMissing[] = "Missing string for label '";

std::vector<TLevelKey> AllLevels() {
  std::vector<TLevelKey> levels;
  for (uint32_t world = 1; world <= kWorlds; ++world) {
    for (uint32_t level = 1; level <= kLevelsPerWorld; ++level) levels.push_back({world, level});
  }
  for (uint32_t level = 1; level <= kZenLevels; ++level) levels.push_back({0, level});
  return levels;
}

std::string Name(const TLevelKey& key) {
  if (key.world == 0) return "Zen " + std::to_string(key.level);
  return std::to_string(key.world) + "-" + std::to_string(key.level);
}

std::string LevelFile(const TLevelKey& key) {
  char name[32];
  if (key.world == 0) return "levels/zen.xml";
  std::snprintf(name, sizeof name, "levels/world%02u.xml", key.world);
  return name;
}

std::string LevelLabel(const TLevelKey& key, const char* setting) {
  char label[16];
  std::snprintf(label, sizeof label, "Lvl%02u ", key.level);
  return label + std::string(setting);
}

// Every setting a level gives the rules, by name.
std::vector<std::string> LevelSettingNames() {
  std::vector<std::string> names = {
      "Max Rings", "Number of pieces in used", "Number of Blockers", "Piece Delivery From Top",
      "Piece Delivery When Top Ring Clear", "Have Piece Jug", "Side Match", "Blocker Explode", "Pie Jugs",
      "Number of Jug Colors", "Remove Jug Color", "Gem Energy Rate", "Bomb Energy Scale",
      "Piece Enegry Ratio", "Blocker Bomb Energy Ratio", "Blocker Energy Ratio", "Blocker Energy Ratio 4",
      "Blocker Energy Ratio 5", "Complete destroyed pieces", "Lock Appear Rate", "Gear Appear Rate",
      "Lock Max", "Gear Max", "PowerUp Appear Rate", "Initial Raise Ring Rate", "Final Raise Ring Rate",
      "Counter Timer Rate", "Game Time", "Complete Jug Time Boost", "Time Bonus Scores",
      "Clear Blocker Bonus"};
  for (int row = 1; row <= 8; ++row) names.push_back("Blocker Row 0" + std::to_string(row));
  return names;
}

// Every point value of the scoring scheme, side matches only where a level
// turns them on.
std::vector<std::string> PointValueNames(bool sideMatches) {
  std::vector<std::string> names = {"Single Piece", "Lock Explode", "Gear Explode", "Piece Bomb Bonus",
                                    "Accepted Piece Bomb Bonus", "Blocker Explode", "Power Up",
                                    "Power Up Bonus", "Time Bonus"};
  for (int combo = 1; combo <= 12; ++combo) {
    for (int size = 3; size <= 5; ++size) {
      const std::string match = std::to_string(combo) + "_M" + std::to_string(size);
      names.push_back("C" + match);
      if (sideMatches) names.push_back("S" + match);
    }
  }
  return names;
}

// Asks the file for each name; a missing one is logged.
void ReadEach(const char* file, const std::vector<std::string>& names) {
  TStringTable table;
  ASSERT_TRUE(table.Load(file)) << file;
  for (const std::string& name : names) table.GetString(name.c_str());
}

// The labels the log says are missing.
std::multiset<std::string> MissingLabels(const std::string& log) {
  std::multiset<std::string> labels;
  std::istringstream lines(log);
  for (std::string line; std::getline(lines, line);) {
    size_t at = line.find(kMissing);
    if (at == std::string::npos) continue;
    at += sizeof kMissing - 1;
    labels.insert(line.substr(at, line.rfind('\'') - at));
  }
  return labels;
}

class LevelData : public testing::Test {
 protected:
  void SetUp() override { SetLogFolder(mLogs.Path().c_str()); }
  std::string LogText() const {
    std::string text;
    FileReadAll(("::" + std::string(GetLogPath().CStr())).c_str(), &text);
    return text;
  }

  TempFolder mLogs;
  BuiltDataFolder mFolder;
  RecordingGameRecords mRecords;
};

// The readers probe past the ends of their lists quietly, so every
// missing-label line is a key that the game asks for in vain.
TEST_F(LevelData, EveryKeyTheGameReadsIsThere) {
  bool sideMatches = false;
  for (const TLevelKey& key : AllLevels()) {
    std::vector<std::string> labels;
    for (const std::string& name : LevelSettingNames()) labels.push_back(LevelLabel(key, name.c_str()));
    ReadEach(LevelFile(key).c_str(), labels);
    std::unique_ptr<TLevelSettings> settings = CreateLevelSettings(key, mRecords);
    ASSERT_NE(settings, nullptr) << Name(key);
    sideMatches = sideMatches || settings->HasSideMatch();
  }
  ReadEach("levels/scores.xml", PointValueNames(sideMatches));
  ReadEach("levels/rings.xml", {"Whole Radii", "Piece Height", "Outermost Piece Height", "Ring Shadow Scales",
                                "Ring ScalesX", "Ring ScalesY", "Ring Radius", "Shadow Ring Radius"});
  ReadEach("strings.xml", {"BPM", "Ring Highlight", "Piece Animation Speed", "Full Screen", "Cheat Mode",
                           "Enable Time Mode", "Rate of Background Sound", "Volume", "Mainmenu Sound"});
  GamePlay::TMedalTargets targets;
  GamePlay::LoadPowerUpTables();
  TuningFromStrings();
  TStringTable strings;
  ASSERT_TRUE(strings.Load("strings.xml"));
  TStringTable pregames;
  EXPECT_TRUE(pregames.Load("levels/pregames.xml"));
  EXPECT_EQ(strings.GetString("LoadingLabel", "42%").CStr(), std::string("Loading... 42%"));
  EXPECT_EQ(strings.GetString("WelcomeLabel", "Ada").CStr(), std::string("Welcome, Ada!"));
  EXPECT_EQ(MissingLabels(LogText()), std::multiset<std::string>{});
}

// Each tutorial level has its settings, its deal and its script, and each
// pre-game tutorial row names a dialog script that is there.
TEST_F(LevelData, OurTutorialsHaveTheirFiles) {
  for (const TLevelKey& key : {TLevelKey{2, 1}, TLevelKey{3, 1}, TLevelKey{99, 1}}) {
    const std::string stem = "tutorials/tutorial" + std::string(TString::Format("%02u%02u", key.world, key.level).CStr());
    EXPECT_NE(TLevelSettings::Load(key, (stem + ".xml").c_str(), true), nullptr) << stem;
    EXPECT_TRUE(FileExists((stem + ".lua").c_str())) << stem;
    EXPECT_TRUE(FileExists((stem + ".txt").c_str())) << stem;
  }
  TStringTable pregames;
  ASSERT_TRUE(pregames.Load("levels/pregames.xml"));
  const TString pregame = pregames.GetString("World01_05");
  EXPECT_TRUE(FileExists(TString("tutorials/") + pregame)) << pregame.CStr();
}

// The power-up tables are read quietly to their ends: each must give the
// jug energy of every match size, and every cell must name a kind that the
// file numbers (an unknown number reads as kind 0, no power-up).
TEST_F(LevelData, PowerUpTablesNameTheirKinds) {
  const GamePlay::TPowerUpTables tables = GamePlay::LoadPowerUpTables();
  for (int size = 3; size <= 5; ++size) EXPECT_GT(tables.energyScale.count(size), 0u) << size;
  EXPECT_FALSE(tables.match.empty());
  EXPECT_FALSE(tables.combo.empty());
  TStringTable file;
  ASSERT_TRUE(file.Load("levels/powerup.xml"));
  file.SetQuiet(true);
  std::set<int> kinds;
  for (const auto& [index, kind] : tables.match) kinds.insert(kind);
  for (const auto& [index, kind] : tables.combo) kinds.insert(kind);
  for (const char* key : {"Tiny Bomb Number", "Time Bomb Number", "Big Bomb Number", "Install Jewel Number"}) {
    EXPECT_FALSE(file.GetString(key) == TStringTable::kMissing) << key;
  }
  EXPECT_EQ(kinds, (std::set<int>{0, 1, 2, 3, 4})) << "every kind is earned somewhere; 0 where none is";
}

// No level falls back on a lower level's rows; each has a tower that
// "levels/rings.xml" measures, jugs under its twelve slots and blocker rows
// of twelve cells, and a target score.
TEST_F(LevelData, EveryLevelHasRowsOfItsOwn) {
  TStringTable rings;
  ASSERT_TRUE(rings.Load("levels/rings.xml"));
  std::istringstream radii(rings.GetString("Ring Radius").CStr());
  int measured = 0;
  for (double radius; radii >> radius;) ++measured;
  GamePlay::TMedalTargets targets;
  for (const TLevelKey& key : AllLevels()) {
    SCOPED_TRACE(Name(key));
    TStringTable file;
    ASSERT_TRUE(file.Load(LevelFile(key).c_str()));
    const int ringCount = file.GetString(LevelLabel(key, "Max Rings").c_str()).ToInt();
    EXPECT_GE(ringCount, 3);
    EXPECT_LE(ringCount, measured);
    EXPECT_LE(ringCount, TLevelSettings::kMostRings);
    const std::string jugs = file.GetString(LevelLabel(key, "Pie Jugs").c_str()).CStr();
    EXPECT_EQ(jugs.size(), 12u) << jugs;
    EXPECT_NE(jugs.find_first_of("1234569"), std::string::npos) << "a level is won by filling its jugs";
    for (int row = 1; row <= 8; ++row) {
      char setting[16];
      std::snprintf(setting, sizeof setting, "Blocker Row %02d", row);
      EXPECT_EQ(file.GetString(LevelLabel(key, setting).c_str()).Length(), 12) << setting;
    }
    std::unique_ptr<TLevelSettings> settings = CreateLevelSettings(key, mRecords);
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->GetLevel(), key.level);
    EXPECT_GT(targets.Find(key), 0);
    EXPECT_EQ(settings->GetGameTime() > 0, key.world != 0) << "Journey levels are timed, Zen is not";
  }
  const auto [silver, gold] = targets.GetMedals();
  EXPECT_GT(silver, 0);
  EXPECT_GT(gold, silver);
}

// The game deals its pieces at random: no level needs a piece table.
TEST_F(LevelData, PiecesAreDealtAtRandom) {
  EXPECT_FALSE(TuningFromStrings().tower.usingTableGenerate);
}

// The bot plays like a player who fills the jugs (it never sets off a
// power-up): it wins the first level, the last level of each world, the
// hardest there, within the level's time, and the first Zen level, on the
// shipped tuning. Every level takes too long under the sanitizers; the
// level data benchmark plays them all, and its smoke run fails on a level
// the bot does not win.
constexpr int64_t kMostUpdates = 180000;  // half an hour of play

TBotOutcome Play(const TLevelKey& key) {
  // The rig of the level before left the file layer pointing at its own
  // folder.
  BuiltDataFolder folder;
  LevelRig rig(BuiltDataFolder::ProgramFolder(), key, TuningFromStrings());
  EXPECT_TRUE(rig.IsReady());
  return PlayWithBot(rig, kMostUpdates).outcome;
}

class EveryWorld : public LevelData, public testing::WithParamInterface<uint32_t> {};

TEST_P(EveryWorld, TheBotWinsTheLastLevel) {
  const TLevelKey key{GetParam(), kLevelsPerWorld};
  EXPECT_STREQ(OutcomeName(Play(key)), "won") << Name(key);
}
INSTANTIATE_TEST_SUITE_P(Journey, EveryWorld, testing::Range(1u, kWorlds + 1));

TEST_F(LevelData, TheBotWinsTheFirstLevel) { EXPECT_STREQ(OutcomeName(Play({1, 1})), "won"); }

TEST_F(LevelData, TheBotWinsTheFirstZenLevel) { EXPECT_STREQ(OutcomeName(Play({0, 1})), "won"); }

}  // namespace
