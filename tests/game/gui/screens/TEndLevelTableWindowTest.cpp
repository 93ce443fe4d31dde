// The table between levels: the tips read from a tips file, the level and
// total shown from the last level's result, a tip picked when there are
// any, and the whole screen as its dirty area.
#include "game/gui/screens/TEndLevelTableWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "game/gui/progress/TWorldData.h"
#include "game/rules/scoring/TLevelResult.h"
#include "tests/game/gui/screens/ScreenDialogKit.h"
#include "tests/support/StringTableFile.h"
#include "tests/support/TestFileLayer.h"
#include "windows/kinds/TText.h"

namespace GUI {
namespace {

TableRows NumberedTips(int count) {
  TableRows rows;
  for (int i = 1; i <= count; ++i) rows.emplace_back(std::to_string(i), "Tip " + std::to_string(i));
  return rows;
}

class EndLevelTableTest : public testing::Test {
 protected:
  TText* AddText(const char* name) {
    TText* text = rig.Add(std::make_unique<TText>(), name);
    text->Setup("", 400, 40, 0, SyntheticFonts::kName, 10, TColor(1.0f, 1.0f, 1.0f, 1.0f));
    return text;
  }

  // The table as the script builds it, after its texts.
  TEndLevelTableWindow* AddTable() {
    auto* table = TEndLevelTableWindow::Cast(rig.Add(TEndLevelTableWindow::Create(), "endLevelTable"));
    table->OnCreated();
    table->PostCreate();
    return table;
  }

  TestFileLayer files;
  ScreenDialogKit rig;
};

TEST_F(EndLevelTableTest, TipsRunFromLabelOneToTheFirstMissingOrEmptyLabel) {
  struct TipsCase {
    const char* what;
    TableRows rows;
    size_t tips;
  };
  TableRows earlyEmpty = NumberedTips(12);
  earlyEmpty[4].second = "";
  TableRows gap = NumberedTips(3);
  gap.emplace_back("5", "Tip 5");
  const TipsCase cases[] = {
      {"labels 1 to 12", NumberedTips(12), 12},
      {"label 5 empty", earlyEmpty, 4},
      {"no label 4", gap, 3},
      {"no numbered label", {{"Tip", "Turn the rings"}}, 0},
  };
  for (const TipsCase& c : cases) {
    SCOPED_TRACE(c.what);
    WriteStringTable(files, "levels/gametips.xml", c.rows);
    const std::vector<TString> tips = TEndLevelTableWindow::LoadTips("levels/gametips.xml");
    ASSERT_EQ(tips.size(), c.tips);
    if (!tips.empty()) {
      EXPECT_STREQ(tips.back().CStr(), ("Tip " + std::to_string(c.tips)).c_str());
    }
  }
  EXPECT_TRUE(TEndLevelTableWindow::LoadTips("levels/missing.xml").empty());
}

TEST_F(EndLevelTableTest, LevelShowsAsWorldAndLevelOrTheZenLevelAlone) {
  struct LevelCase {
    uint32_t world;
    uint32_t level;
    const char* shown;
  };
  for (const LevelCase& c : {LevelCase{0, 4, "04"}, LevelCase{2, 5, "02-05"}, LevelCase{10, 12, "10-12"}}) {
    GamePlay::TLevelResult result;
    result.level = {c.world, c.level};
    EXPECT_STREQ(TEndLevelTableWindow::LevelText(result).CStr(), c.shown);
  }
}

TEST_F(EndLevelTableTest, TheTableShowsTheResultAndOneOfTheTips) {
  WriteStringTable(files, "levels/gametips.xml", NumberedTips(3));
  GamePlay::TLevelResult& result = GamePlay::TWorldData::Instance().GetLevelResult();
  result.level = {2, 5};
  result.totalScore = 12345;
  TText* level = AddText("CurrentLevel");
  TText* total = AddText("TotalScore");
  TText* tip = AddText("GameTips");
  TEndLevelTableWindow* table = AddTable();
  EXPECT_STREQ(level->GetLabel().CStr(), "02-05");
  EXPECT_STREQ(total->GetLabel().CStr(), "12345");
  const std::string shown = tip->GetLabel().CStr();
  EXPECT_TRUE(shown == "Tip 1" || shown == "Tip 2" || shown == "Tip 3") << shown;
  EXPECT_EQ(table->GetTips().size(), 3u);
  result.level = {};
  result.totalScore = 0;
}

TEST_F(EndLevelTableTest, WithoutTipsTheTipIsEmpty) {
  TText* tip = AddText("GameTips");
  tip->SetLabel("before");
  AddTable();
  EXPECT_STREQ(tip->GetLabel().CStr(), "");
}

TEST_F(EndLevelTableTest, TheDirtyAreaIsTheWholeScreen) {
  TEndLevelTableWindow* table = AddTable();
  EXPECT_FALSE(table->InvalidateRect(nullptr));
  TRect rect(10, 10, 20, 20);
  EXPECT_TRUE(table->InvalidateRect(&rect));
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right, 800);
  EXPECT_EQ(rect.bottom, 600);
}

}  // namespace
}  // namespace GUI
