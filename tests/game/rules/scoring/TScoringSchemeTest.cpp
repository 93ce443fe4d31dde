#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "game/rules/scoring/TScoringScheme.h"
#include "platform/text/Log.h"
#include "tests/support/StringTableFile.h"

namespace GamePlay {
namespace {

class TScoringSchemeTest : public testing::Test {
 protected:
  TScoringSchemeTest() { SetLogFolder(mLogs.Path().c_str()); }

  void Write(const TableRows& rows) { WriteStringTable(mFiles, "levels/scores.xml", rows); }
  std::string LogText() const { return ReadWholeFile(GetLogPath().CStr()); }
  size_t LogCount(const std::string& text) const {
    std::string log = LogText();
    size_t count = 0;
    for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++count;
    return count;
  }

  TestFileLayer mFiles;
  TempFolder mLogs;
};

struct ValueCase {
  const char* key;
  std::function<float(TScoringScheme&)> get;
};

TEST_F(TScoringSchemeTest, EachEventReadsItsOwnKey) {
  const ValueCase cases[] = {
      {"Single Piece", &TScoringScheme::GetSinglePiece},
      {"Lock Explode", &TScoringScheme::GetLockExplode},
      {"Gear Explode", &TScoringScheme::GetGearExplode},
      {"Accepted Piece Bomb Bonus", [](TScoringScheme& s) { return s.GetPieceBombBonus(true); }},
      {"Piece Bomb Bonus", [](TScoringScheme& s) { return s.GetPieceBombBonus(false); }},
      {"Blocker Explode", &TScoringScheme::GetBlockerExplode},
      {"Power Up", &TScoringScheme::GetPowerUp},
      {"Power Up Bonus", &TScoringScheme::GetPowerUpBonus},
      {"Time Bonus", &TScoringScheme::GetTimeBonus},
  };
  TableRows rows;
  for (size_t i = 0; i < std::size(cases); ++i)
    rows.push_back({cases[i].key, std::to_string(10 * (i + 1))});
  Write(rows);
  TScoringScheme scheme;
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(cases[i].get(scheme), 10.0f * (i + 1)) << cases[i].key;
  }
}

TEST_F(TScoringSchemeTest, MatchKeysPutTheComboFirstAndClampBothCounts) {
  Write({{"C3_M4", "340"},
         {"C12_M5", "1250"},
         {"C0_M3", "3"},
         {"C-1_M3", "-13"},
         {"S1_M3", "130"},
         {"S12_M5", "2250"},
         {"C1_M3", "wrong: a combo key"}});
  TScoringScheme scheme;
  struct Case {
    bool side;
    int32_t m;
    int32_t c;
    int32_t points;
  };
  const Case cases[] = {
      {false, 4, 3, 340},  {false, 7, 20, 1250}, {false, 5, 12, 1250}, {false, 3, 0, 3},
      {false, 3, -1, -13}, {true, 3, 1, 130},    {true, 9, 13, 2250},  {false, 6, 3, 0},
  };
  for (const Case& c : cases) {
    int32_t points = c.side ? scheme.GetSideMatch(c.m, c.c) : scheme.GetComboMatch(c.m, c.c);
    EXPECT_EQ(points, c.points) << (c.side ? "side " : "combo ") << c.m << " " << c.c;
  }
}

TEST_F(TScoringSchemeTest, EachKeyIsLookedUpOnce) {
  Write({{"Single Piece", "25"}});
  TScoringScheme scheme;
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(scheme.GetSinglePiece(), 25);
    EXPECT_EQ(scheme.GetComboMatch(3, 1), 0);
    EXPECT_EQ(scheme.GetComboMatch(8, 1), 0) << "clamped to the key already asked";
    EXPECT_EQ(scheme.GetTimeBonus(), 0.0f);
  }
  EXPECT_EQ(LogCount("'C1_M3'"), 1u);
  EXPECT_EQ(LogCount("'C1_M5'"), 1u);
  EXPECT_EQ(LogCount("'Time Bonus'"), 1u);
}

TEST_F(TScoringSchemeTest, WithoutTheFileEveryValueIsZero) {
  TScoringScheme scheme;
  EXPECT_EQ(scheme.GetSinglePiece(), 0);
  EXPECT_EQ(scheme.GetComboMatch(3, 1), 0);
  EXPECT_EQ(scheme.GetTimeBonus(), 0.0f);
  EXPECT_NE(LogText().find("Cannot read the scoring scheme from levels/scores.xml"),
            std::string::npos);
}

}  // namespace
}  // namespace GamePlay
