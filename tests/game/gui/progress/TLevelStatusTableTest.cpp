#include "game/gui/progress/TLevelStatusTable.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "game/rules/level/TMedalTargets.h"
#include "online/TVqHiscores.h"
#include "tests/game/gui/progress/ProgressRig.h"
#include "tests/support/StringTableFile.h"

namespace {

using GamePlay::TLevelKey;
using Digits = std::array<char, TLevelStatusTable::kDigitCount>;

// A table of its own over targets of the test's choosing: 1000 for level
// 2-3, 500 for Zen level 4, none elsewhere.
class LevelStatusTableTest : public ProgressRig {
 protected:
  LevelStatusTableTest() {
    WriteStringTable(files, "levels/scores.xml",
                     {{"L0101", "0"}, {"L0102", "0"}, {"L0103", "0"}, {"L0201", "0"}, {"L0202", "0"},
                      {"L0203", "1000"}, {"Zen01", "0"}, {"Zen02", "0"}, {"Zen03", "0"}, {"Zen04", "500"}});
    targets = std::make_unique<GamePlay::TMedalTargets>();
    table = std::make_unique<TLevelStatusTable>(targets.get(), app.GetHiscores());
  }

  // The stored digits, with the level at the index set to the digit.
  static Digits DigitsWith(std::initializer_list<std::pair<size_t, char>> set) {
    Digits digits{};
    for (auto [index, digit] : set) digits[index] = digit;
    return digits;
  }
  Digits StoredDigits() {
    std::vector<uint8_t> bytes = Entry("AdvGameData");
    Digits digits{};
    if (bytes.size() == digits.size()) std::copy(bytes.begin(), bytes.end(), digits.begin());
    return digits;
  }
  void StoreDigits(const Digits& digits) {
    SetEntry("AdvGameData", std::vector<uint8_t>(digits.begin(), digits.end()));
  }
  int32_t UserInt(const char* name) { return Prefs().GetInt(name, -7, Player()); }
  int32_t GlobalInt(const char* name) { return Prefs().GetInt(name, -7, -1); }
  // The local hiscores of the current game mode as "score game data".
  std::vector<std::string> LocalScores() {
    std::vector<std::string> kept;
    TVqHiscores& hiscores = *app.GetHiscores();
    for (int32_t i = 0; i < hiscores.GetScoreCount(true); ++i) {
      int32_t score = 0;
      char data[64];
      hiscores.GetScore(true, i, nullptr, nullptr, 0, nullptr, &score, data, sizeof data);
      kept.push_back(std::to_string(score) + " " + data);
    }
    return kept;
  }

  std::unique_ptr<GamePlay::TMedalTargets> targets;
  std::unique_ptr<TLevelStatusTable> table;
};

TEST_F(LevelStatusTableTest, RecordingSetsTheStatusFromTheTarget) {
  struct Case {
    const char* what;
    TLevelKey key;
    int32_t score;
    int32_t status;
  };
  const Case cases[] = {
      {"below the target", {2, 3}, 999, 0},
      {"at the target", {2, 3}, 1000, 2},
      {"above the target", {2, 3}, 5000, 2},
      {"a weaker result later", {2, 3}, 10, 0},
      {"no target", {7, 5}, 0, 2},
  };
  for (const Case& c : cases) {
    table->RecordLevelResult(c.score, 1, c.key);
    EXPECT_EQ(table->GetLevelStatus(c.key), c.status) << c.what;
  }
  EXPECT_EQ(table->GetLevelStatus({1, 1}), -1) << "not played";
}

// Only the fifty Journey levels have a digit; other levels are still the
// pending result.
TEST_F(LevelStatusTableTest, LevelsWithoutADigitLeaveTheDigitsAlone) {
  table->RecordLevelResult(100, 200, {1, 1});
  for (TLevelKey key : {TLevelKey{0, 3}, TLevelKey{1, 6}, TLevelKey{10, 9}, TLevelKey{99, 1}}) {
    table->RecordLevelResult(100, 300, key);
    ASSERT_NE(table->GetPendingResult(), nullptr);
    EXPECT_EQ(table->GetPendingResult()->key, key);
    EXPECT_EQ(table->GetLevelStatus(key), -1);
  }
  table->CommitPendingResult();
  EXPECT_EQ(StoredDigits(), Digits{}) << "the game end (99, 1) has no digit; (1, 1) was not committed";
  EXPECT_EQ(GlobalInt("LatestJourneyWorldId"), -7) << "the game end is no level of the Journey";
  EXPECT_EQ(UserInt("AdvTotalScore"), 300);
}

TEST_F(LevelStatusTableTest, ASecondResultReplacesTheFirst) {
  table->RecordLevelResult(700, 2200, {3, 1});
  table->RecordLevelResult(400, 900, {3, 2});
  ASSERT_NE(table->GetPendingResult(), nullptr);
  EXPECT_EQ(table->GetPendingResult()->levelScore, 400);
  EXPECT_EQ(table->GetPendingResult()->totalScore, 900);
  table->CommitPendingResult();
  EXPECT_EQ(table->GetPendingResult(), nullptr);
  EXPECT_EQ(table->GetTotalScore(), 900);
  EXPECT_EQ(StoredDigits(), DigitsWith({{11, '3'}})) << "the first never reaches the store";
}

TEST_F(LevelStatusTableTest, WithoutAPendingResultNothingIsCommitted) {
  table->CommitPendingResult();
  EXPECT_EQ(UserInt("AdvTotalScore"), -7);
  EXPECT_TRUE(Entry("AdvGameData").empty());
  EXPECT_TRUE(LocalScores().empty());
}

// What one commit stores, over Journey and Zen, count and time mode.
TEST_F(LevelStatusTableTest, CommitStoresTheResultOfTheMode) {
  struct Stored {
    int32_t levelBest;
    int32_t zenCount;
    int32_t zenTime;
    int32_t latestWorld;
    int32_t latestLevel;
    int32_t latestZen;
  };
  struct Case {
    const char* what;
    bool zen;
    bool countMode;
    TLevelKey key;
    int32_t levelScore;
    Stored stored;
  };
  // Before each case: best 800 for each level, next Zen levels 5 (count) and
  // 2 (time), furthest Journey level 4-2, furthest Zen level 4.
  const Case cases[] = {
      {"a better Journey level further on", false, true, {5, 1}, 900, {900, 5, 2, 5, 1, 4}},
      {"a weaker Journey level further on", false, true, {4, 3}, 700, {800, 5, 2, 4, 3, 4}},
      {"a Journey level before the furthest", false, true, {4, 1}, 900, {900, 5, 2, 4, 2, 4}},
      {"a Journey level in an earlier world", false, true, {3, 5}, 100, {800, 5, 2, 4, 2, 4}},
      {"a Zen level in count mode", true, true, {0, 7}, 900, {900, 8, 2, 4, 2, 7}},
      {"an earlier Zen level in count mode", true, true, {0, 3}, 900, {900, 5, 2, 4, 2, 4}},
      {"a Zen level in time mode", true, false, {0, 3}, 800, {800, 5, 4, 4, 2, 4}},
      {"the next Zen level again in time mode", true, false, {0, 1}, 800, {800, 5, 2, 4, 2, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    app.SetGameMode(c.zen, true);
    app.SetCountMode(c.countMode);
    app.SetLevelHiscore(c.key, 800);
    Prefs().SetInt("ZenLevelCount", 5, Player(), false);
    Prefs().SetInt("ZenLevelTime", 2, Player(), false);
    Prefs().SetInt("LatestJourneyWorldId", 4, -1, false);
    Prefs().SetInt("LatestJourneyLevelId", 2, -1, false);
    Prefs().SetInt("LatestZenLevel", 4, -1, false);
    table->RecordLevelResult(c.levelScore, 5000, c.key);
    table->CommitPendingResult();
    EXPECT_EQ(app.GetLevelHiscore(c.key), c.stored.levelBest);
    EXPECT_EQ(UserInt("ZenLevelCount"), c.stored.zenCount);
    EXPECT_EQ(UserInt("ZenLevelTime"), c.stored.zenTime);
    EXPECT_EQ(GlobalInt("LatestJourneyWorldId"), c.stored.latestWorld);
    EXPECT_EQ(GlobalInt("LatestJourneyLevelId"), c.stored.latestLevel);
    EXPECT_EQ(GlobalInt("LatestZenLevel"), c.stored.latestZen);
    EXPECT_EQ(UserInt(c.zen ? "ZenTotalScore" : "AdvTotalScore"), 5000);
  }
}

TEST_F(LevelStatusTableTest, JourneyStoresTheDigitsAndZenStoresNone) {
  StoreDigits(DigitsWith({{0, '3'}, {1, '1'}}));
  Prefs().SetInt("AdvTotalScore", 1200, Player(), false);
  table->RecordLevelResult(1500, 2700, {2, 3});
  table->CommitPendingResult();
  EXPECT_EQ(StoredDigits(), DigitsWith({{0, '3'}, {1, '1'}, {7, '3'}}));
  EXPECT_EQ(UserInt("AdvTotalScore"), 2700);
  EXPECT_STREQ(app.GetHiscores()->GetParameter(TVqHiscores::kGameMode).CStr(), "quorvane_webjourney");
  EXPECT_EQ(LocalScores(), std::vector<std::string>{"2700 31"}) << "the digits up to the first unset one";

  app.SetGameMode(true, true);
  EXPECT_EQ(table->GetTotalScore(), 0) << "the Zen total";
  EXPECT_EQ(table->GetLevelStatus({1, 1}), -1) << "Zen mode has no digits";
  table->RecordLevelResult(300, 800, {0, 4});
  table->CommitPendingResult();
  EXPECT_EQ(UserInt("ZenTotalScore"), 800);
  EXPECT_EQ(UserInt("AdvTotalScore"), 2700);
  EXPECT_EQ(StoredDigits(), DigitsWith({{0, '3'}, {1, '1'}, {7, '3'}})) << "left as Journey stored them";
  EXPECT_STREQ(app.GetHiscores()->GetParameter(TVqHiscores::kGameMode).CStr(), "quorvane_webzen");
  EXPECT_EQ(LocalScores(), std::vector<std::string>{"800 "});

  app.SetGameMode(false, true);
  EXPECT_EQ(table->GetTotalScore(), 2700);
  EXPECT_EQ(table->GetLevelStatus({2, 3}), 2);
  EXPECT_EQ(table->GetLevelStatus({1, 2}), 0);
}

TEST_F(LevelStatusTableTest, AStoredStatusOfAnotherSizeIsIgnored) {
  SetEntry("AdvGameData", std::vector<uint8_t>(63, '3'));
  table->Reload();
  EXPECT_EQ(table->GetLevelStatus({1, 1}), -1);
  EXPECT_EQ(LogLinesWith("\"AdvGameData\" holds 63 bytes"), 1u);
}

TEST_F(LevelStatusTableTest, EachPlayerKeepsStatusAndTotalOfHisOwn) {
  table->RecordLevelResult(1500, 2700, {1, 1});
  table->CommitPendingResult();
  app.AddUser("Second");
  EXPECT_EQ(table->GetTotalScore(), 0);
  EXPECT_EQ(table->GetLevelStatus({1, 1}), -1);
  app.SetCurrentUser(0);
  EXPECT_EQ(table->GetTotalScore(), 2700);
  EXPECT_EQ(table->GetLevelStatus({1, 1}), 2);
}

}  // namespace
