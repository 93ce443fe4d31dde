#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/rules/level/TPieceTable.h"
#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"
#include "tests/support/TestFileLayer.h"

namespace GamePlay {
namespace {

using Strings = std::vector<std::string>;

// A column's entries in one string: each code's digit followed by its marks,
// "*" lock, "+" gear, "c" counter.
std::string Describe(const std::vector<TPieceTableEntry>& entries) {
  std::string text;
  for (const TPieceTableEntry& entry : entries) {
    text += static_cast<char>('0' + entry.code);
    if (entry.lock) text += '*';
    if (entry.gear) text += '+';
    if (entry.counter) text += 'c';
  }
  return text;
}

Strings Columns(const TPieceTable& table) {
  Strings columns;
  for (uint32_t column = 0; column < table.GetSlotCount(); ++column) {
    columns.push_back(Describe(table.GetEntries(static_cast<int32_t>(column))));
  }
  return columns;
}

TEST(PieceTableParse, ColourSequencesAndMarksPerColumn) {
  struct Case {
    const char* text;
    uint32_t slots;
    Strings columns;
  };
  const Case cases[] = {
      {"12\r\n34", 2, {"13", "24"}},
      {"1234", 2, {"13", "24"}},
      {"12\n34\n", 2, {"13", "24"}},
      {"\r\n1\r2\n\n3\r\n\r\n4", 2, {"13", "24"}},
      // A mark takes a column's place of its own and marks that column.
      {"12*+", 2, {"1*", "2+"}},
      {"34cC", 2, {"3c", "4c"}},
      {"5*+c", 1, {"5*+c"}},
      // A mark on a column that has no entry yet marks nothing.
      {"1*2345", 3, {"13", "4", "25"}},
      // Fillers take their place and add nothing.
      {"1.2 a3", 3, {"1", "", "23"}},
      {"9070", 4, {"9", "0", "7", "0"}},
      // The colour section ends at the first ':'.
      {"12:34", 2, {"1", "2"}},
      {"", 3, {"", "", ""}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Columns(TPieceTable(c.text, c.slots)), c.columns) << '"' << c.text << '"';
  }
}

TEST(PieceTableParse, ATableWithoutColumnsHoldsNothing) {
  TPieceTable table("123*:x", 0);
  EXPECT_EQ(table.GetSlotCount(), 0u);
  EXPECT_FALSE(table.HasEntries(0));
}

TEST(PieceTableDraws, AColumnRepeatsItsSequenceAndReportsTheMarksOfEachDraw) {
  TPieceTable table("12*3", 1);
  std::string codes;
  std::vector<int32_t> locked;
  for (int32_t expectedCount = 1; expectedCount <= 9; ++expectedCount) {
    TPieceTableDraw draw = table.NextPiece(0);
    EXPECT_EQ(draw.drawCount, expectedCount);
    EXPECT_EQ(draw.columnNumber, 1);
    codes += static_cast<char>('0' + draw.entry.code);
    if (draw.entry.lock) locked.push_back(draw.drawCount);
  }
  EXPECT_EQ(codes, "123123123");
  EXPECT_EQ(locked, (std::vector<int32_t>{2, 5, 8}));
}

TEST(PieceTableDraws, ColumnsKeepTheirOwnCursorsAndCounts) {
  TPieceTable table("1456", 2);  // column 0: 1 5, column 1: 4 6
  EXPECT_EQ(table.NextPiece(1).entry.code, 4);
  EXPECT_EQ(table.NextPiece(1).entry.code, 6);
  TPieceTableDraw first = table.NextPiece(0);
  EXPECT_EQ(first.entry.code, 1);
  EXPECT_EQ(first.drawCount, 1);
  EXPECT_EQ(first.columnNumber, 1);
  TPieceTableDraw third = table.NextPiece(1);
  EXPECT_EQ(third.entry.code, 4);
  EXPECT_EQ(third.drawCount, 3);
  EXPECT_EQ(third.columnNumber, 2);
}

TEST(PieceTableDraws, OnlyColumnsWithEntriesDealFromTheTable) {
  TPieceTable table("1..2", 3);
  EXPECT_TRUE(table.HasEntries(0));
  EXPECT_FALSE(table.HasEntries(1));
  EXPECT_FALSE(table.HasEntries(2));
  EXPECT_FALSE(table.HasEntries(-1));
  EXPECT_FALSE(table.HasEntries(3));
}

class PieceTableFileTest : public testing::Test {
 protected:
  PieceTableFileTest() { SetLogFolder(mLogs.Path().c_str()); }

  void WriteTable(const std::string& name, const std::string& text) {
    mFiles.WriteAsset(name, text);
    ClearFileIndex();
    BuildFileIndex();
  }
  std::string LogText() const { return ReadWholeFile(GetLogPath().CStr()); }

  TestFileLayer mFiles;
  TempFolder mLogs;
};

TEST_F(PieceTableFileTest, LoadsTheColourSectionOfTheLevelsFile) {
  struct Case {
    const char* name;
    TLevelKey key;
    bool tutorial;
  };
  const Case cases[] = {
      {"levels/piecetable/piece0102.txt", {1, 2}, false},
      {"tutorials/tutorial0102.txt", {1, 2}, true},
      {"levels/piecetable/piecezen07.txt", {0, 7}, false},
      {"levels/piecetable/piecezen08.txt", {0, 8}, true},
  };
  for (const Case& c : cases) {
    WriteTable(c.name, "12*\r\n345\r\n:xR\r\n");
    auto table = TPieceTable::Load(c.key, c.tutorial, 3);
    ASSERT_NE(table, nullptr) << c.name;
    EXPECT_EQ(Columns(*table), (Strings{"13", "24", "5"})) << c.name;
  }
}

TEST_F(PieceTableFileTest, AMissingFileGivesNoTable) {
  EXPECT_EQ(TPieceTable::Load({3, 1}, false, 12), nullptr);
  EXPECT_NE(LogText().find("Cannot read the piece table levels/piecetable/piece0301.txt"),
            std::string::npos);
}

}  // namespace
}  // namespace GamePlay
