#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/rules/pieces/TBlockedPiece.h"
#include "game/rules/level/TBlockerLayout.h"
#include "game/rules/level/TLevelSettings.h"
#include "game/rules/pieces/TPowerUpPiece.h"
#include "game/rules/pieces/TStandardPiece.h"
#include "platform/text/Log.h"
#include "tests/support/StringTableFile.h"
#include "tests/support/rules/KitPieceFactory.h"
#include "tests/support/rules/KitPowerUps.h"
#include "tests/support/rules/NullPieceViews.h"

namespace GamePlay {
namespace {

using Strings = std::vector<std::string>;

// "keep" for no piece (the dealt piece stays), else what was made.
std::string Describe(const TPiecePtr& piece) {
  if (!piece) return "keep";
  if (piece->IsVoid()) return "vacant";
  std::string colour = std::to_string(piece->GetColour());
  if (auto* blocker = dynamic_cast<TBlockedPiece*>(piece.get())) {
    return "blocker " + colour + (blocker->IsBreakable() ? " breakable" : " fixed");
  }
  if (dynamic_cast<TPowerUpPiece*>(piece.get())) {
    return piece->GetPowerUp() ? "power-up " + colour : "power-up without one";
  }
  if (dynamic_cast<TStandardPiece*>(piece.get()) && !piece->GetPowerUp()) return "piece " + colour;
  return "something else";
}

class BlockerLayoutTest : public testing::Test {
 protected:
  BlockerLayoutTest() { SetLogFolder(mLogs.Path().c_str()); }

  // A world 1 level with these extra rows ("Blocker Row 01" and so on).
  std::unique_ptr<TLevelSettings> Level(TableRows rows, bool fromTop = true) {
    rows.push_back({"Lvl01 Max Rings", "8"});
    rows.push_back({"Lvl01 Piece Delivery From Top", fromTop ? "1" : "0"});
    WriteStringTable(mFiles, "levels/world01.xml", rows);
    return TLevelSettings::Load({1, 1}, "levels/world01.xml", false);
  }
  std::string Made(const TBlockerLayout& layout, uint32_t row, uint32_t column) {
    return Describe(layout.MakePiece(row, column, pieces, powerUps));
  }

  TestFileLayer mFiles;
  TempFolder mLogs;
  NullPieceViewFactory views;
  KitPieceFactory pieces{&views};
  RecordingPowerUpFactory powerUps;
};

struct CodeCase {
  char code;
  const char* made;        // digits not mapped to colours
  const char* mappedMade;  // digits mapped to colours
};

TEST_F(BlockerLayoutTest, EachCodeMakesItsPiece) {
  const CodeCase cases[] = {
      {'x', "vacant", "vacant"},
      {'X', "vacant", "vacant"},
      {'b', "blocker -1 breakable", "blocker -1 breakable"},
      {'B', "blocker -1 breakable", "blocker -1 breakable"},
      {'q', "blocker 0 fixed", "blocker 0 fixed"},
      {'T', "blocker 4 fixed", "blocker 4 fixed"},
      {'y', "blocker 5 fixed", "blocker 5 fixed"},
      {'1', "blocker -1 breakable", "blocker 0 breakable"},
      {'6', "blocker -1 breakable", "blocker 5 breakable"},
      {'!', "piece 0", "piece 0"},
      {'%', "piece 4", "piece 4"},
      {'^', "piece 5", "piece 5"},
      {'p', "power-up -1", "power-up -1"},
      {'0', "keep", "keep"},
      {'.', "keep", "keep"},
      {' ', "keep", "keep"},
      {'c', "keep", "keep"},
  };
  std::string row;
  for (const CodeCase& c : cases) row += c.code == '%' ? std::string("%%") : std::string(1, c.code);
  auto settings = Level({{"Lvl01 Blocker Row 01", row + "."}});
  TBlockerLayout plain(*settings, false);
  TBlockerLayout mapped(*settings, true);
  for (uint32_t column = 0; column < std::size(cases); ++column) {
    EXPECT_EQ(Made(plain, 0, column), cases[column].made) << cases[column].code;
    EXPECT_EQ(Made(mapped, 0, column), cases[column].mappedMade) << cases[column].code;
  }
  EXPECT_EQ(powerUps.codes, std::vector<int32_t>(2, IPowerUpFactory::kSmallCrossBomb));
}

TEST_F(BlockerLayoutTest, ColoursTheLevelDoesNotPlayBecomeItsLastColour) {
  struct Case {
    int32_t colours;
    char code;
    const char* made;
  };
  const Case cases[] = {
      {6, '&', "piece 5"}, {6, '*', "piece 5"}, {6, 'u', "blocker 5 fixed"},
      {6, 'O', "blocker 5 fixed"}, {6, '9', "blocker 5 breakable"}, {4, '%', "piece 3"},
      {4, '#', "piece 2"}, {4, 't', "blocker 3 fixed"}, {4, '7', "blocker 3 breakable"},
      // A level that names no colours plays one; the piece factory makes its
      // blockers plain ones.
      {0, '@', "piece 0"}, {0, 'w', "blocker -1 fixed"},
  };
  for (const Case& c : cases) {
    std::string code = c.code == '%' ? "%%" : std::string(1, c.code);
    auto settings = Level({{"Lvl01 Blocker Row 01", code + "."}});
    pieces.coloursInUse = c.colours;
    EXPECT_EQ(Made(TBlockerLayout(*settings, true), 0, 0), c.made)
        << c.code << " with " << c.colours << " colours";
  }
}

TEST_F(BlockerLayoutTest, RowsRunFromTheFirstOrTheLastByTheDeliverySide) {
  TableRows rows{{"Lvl01 Blocker Row 01", "bq."},
                 {"Lvl01 Blocker Row 02", "w1."},
                 {"Lvl01 Blocker Row 08", "!x."}};
  EXPECT_EQ(TBlockerLayout(*Level(rows, true), false).GetRows(),
            (Strings{"bq", "w1", "", "", "", "", "", "!x"}));
  EXPECT_EQ(TBlockerLayout(*Level(rows, false), false).GetRows(),
            (Strings{"!x", "", "", "", "", "", "w1", "bq"}));
}

TEST_F(BlockerLayoutTest, MissingAndEmptyRowsPlaceNothing) {
  // "#####" is what a missing row reads; with its last character dropped
  // it would be four pieces of colour 2.
  auto settings = Level({{"Lvl01 Blocker Row 02", ""}, {"Lvl01 Blocker Row 03", "."}});
  TBlockerLayout layout(*settings, false);
  for (uint32_t row = 0; row < 9; ++row) {
    for (uint32_t column = 0; column < 12; ++column) {
      EXPECT_EQ(Made(layout, row, column), "keep") << row << " " << column;
    }
  }
}

TEST_F(BlockerLayoutTest, CellsBeyondARowOrTheRowsKeepTheDealtPiece) {
  TBlockerLayout layout(*Level({{"Lvl01 Blocker Row 08", "bb."}}), false);
  EXPECT_EQ(Made(layout, 7, 1), "blocker -1 breakable");
  EXPECT_EQ(Made(layout, 7, 2), "keep") << "the terminator is not a cell";
  EXPECT_EQ(Made(layout, 8, 0), "keep");
}

TEST_F(BlockerLayoutTest, ZenLevelsHaveNoLayout) {
  WriteStringTable(mFiles, "levels/zen.xml",
                   {{"Lvl01 Max Rings", "8"}, {"Lvl01 Blocker Row 01", "bbbbbbbbbbbb."}});
  auto settings = TLevelSettings::Load({0, 1}, "levels/zen.xml", false);
  TBlockerLayout layout(*settings, true);
  EXPECT_TRUE(layout.GetRows().empty());
  EXPECT_EQ(Made(layout, 0, 0), "keep");
}

}  // namespace
}  // namespace GamePlay
