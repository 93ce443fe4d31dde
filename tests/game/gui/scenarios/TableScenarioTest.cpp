// The score table in the game, started over a copy of the built data folder
// whose level 1-1 has a target of a single point, in a child process of its
// own: level 1-1 really played and won at expert level, its closing flash
// and its table opened by the play window's won flow, counted to the
// level's total (hurried by a click), the result committed, the quote shown
// on its sheet from a click until the next, and continue leading through
// the play window's way out and the table between levels to the map with
// 1-2 open. With QUORVANE_FRAME_CAPTURE naming a folder, the frames of the
// flash and of the quote are written there as PNG.
#include <gtest/gtest.h>

#include <string>

#include "app/TAppPlatform.h"
#include "game/gui/main/TGameApp.h"
#include "game/gui/play/TArcadeWindow.h"
#include "game/gui/progress/TLevelStatusTable.h"
#include "game/gui/progress/TMetrics.h"
#include "game/gui/progress/TWorldData.h"
#include "game/gui/screens/TCollectableTableWindow.h"
#include "game/rules/control/ITowerControl.h"
#include "game/rules/scoring/IEndLevelAnimationView.h"
#include "game/rules/scoring/TLevelResult.h"
#include "platform/prefs/TPrefs.h"
#include "tests/game/gui/main/CopiedDataFolder.h"
#include "tests/game/gui/main/ScenarioChecks.h"
#include "tests/support/game/BuiltGameStart.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TButton.h"
#include "windows/script/TWindowScript.h"

namespace GUI {
namespace {

// Game time for the start-up delivery of level 1-1 to end.
constexpr uint32_t kTableStartUpMilliseconds = 3000;
// The play window's won flow opens the table a second after the level
// ends, once the closing flash (another second) is over.
constexpr uint32_t kFlashStartMilliseconds = 1000;
constexpr uint32_t kHalfFlashMilliseconds = 500;
constexpr uint32_t kWonFlowMilliseconds = 2100;
constexpr const char* kTargetRow = "L0101</Data></Cell><Cell><Data ss:Type=\"String\">";
// The quote's fade-in takes a third of a second.
constexpr uint32_t kQuoteFadeMilliseconds = 400;
// A hurried table counts the rest at once; its rows show within a few of
// the frames the driver draws every 80 ms.
constexpr uint32_t kHurriedMilliseconds = 1200;
constexpr uint32_t kQuoteMilliseconds = 1500;

// The built data folder with level 1-1's target at a single point.
class LowTargetData : public CopiedDataFolder {
 public:
  LowTargetData() { SetRowValue("levels/scores.xml", kTargetRow, "1"); }
};

class TableScenario : public testing::Test {
 protected:
  TableScenario() { game.start.programFolder = data.ProgramFolder(); }

  LowTargetData data;
  BuiltGameStart game;
};

TEST_F(TableScenario, AWonLevelIsCountedCommittedAndLeadsToTheNextLevel) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    WaitForLoadedMenu(driver);
    driver.Click("playButton");
    driver.WaitForWindow("worldName");
    driver.Click("level1");
    TArcadeWindow* window = TArcadeWindow::Cast(driver.WaitForWindow("playWindow"));
    if (!driver.Check(window && window->GetTowerControl(), "level 1-1 is played")) return;
    driver.AdvanceTime(kTableStartUpMilliseconds);
    GamePlay::TLevelResult& result = GamePlay::TWorldData::Instance().GetLevelResult();
    driver.Check(result.expert, "the level's score passes its target in play");
    TWindowScript& script = *driver.Platform()->GetWindowManager()->GetScript();
    script.DoLuaString("GameFinish()", -1);
    const GamePlay::TLevelResult won = GamePlay::TWorldData::Instance().GetLevelResult();
    driver.Check(won.level == GamePlay::TLevelKey{1, 1} && won.totalScore > 0, "the level's result is kept");
    TLevelStatusTable& status = *TGameApp::Instance().GetLevelStatusTable();
    driver.Check(status.GetPendingResult() != nullptr, "and waits for the table");

    driver.AdvanceTime(kFlashStartMilliseconds + kHalfFlashMilliseconds);
    CaptureScenarioFrame(driver, "expert-flash.png");
    driver.AdvanceTime(kWonFlowMilliseconds - kFlashStartMilliseconds - kHalfFlashMilliseconds);
    driver.Check(driver.WaitForWindow("collectableTable") != nullptr, "the won flow opens the table");
    driver.Check(status.GetPendingResult() == nullptr, "and commits the result");
    driver.Check(status.GetLevelStatus({1, 1}) >= 0, "1-1 is completed");
    TGameApp& app = TGameApp::Instance();
    driver.Check(app.GetPrefs()->GetInt("AdvTotalScore", -1, app.GetCurrentUser()) == won.totalScore,
                 "the total is stored");

    // A click hurries the count; the next, once it is done, shows the quote
    // when the target is reached, and continue follows it (below the target
    // continue shows already).
    driver.Click("hurryButton");
    driver.AdvanceTime(kHurriedMilliseconds);
    driver.Check(TextOf(driver.FindWindow("TotalScore")) == std::to_string(won.totalScore),
                 "the table counts up to the total: " + TextOf(driver.FindWindow("TotalScore")));
    driver.Click("hurryButton");
    driver.AdvanceTime(kQuoteFadeMilliseconds);
    GamePlay::IEndLevelAnimationView* quote = result.endLevelAnimation;
    driver.Check(quote && quote->IsDone(), "the table fades the quote in");
    CaptureScenarioFrame(driver, "quote.png");
    driver.AdvanceTime(kQuoteMilliseconds - kQuoteFadeMilliseconds);
    auto* table = TCollectableTableWindow::Cast(driver.FindWindow("collectableTable"));
    driver.Check(table && table->IsQuoteSheetShown(), "the quote stays while the player reads it");
    driver.Click("hurryButton");
    driver.Check(table && !table->IsQuoteSheetShown(), "a click puts it away");
    driver.Check(driver.WaitForWindow("continueButton") != nullptr, "continue shows");
    driver.Click("continueButton");
    driver.Check(driver.WaitForWindow("GameTips") != nullptr, "the table between levels follows");
    driver.Check(TextOf(driver.FindWindow("CurrentLevel")) == "01-01", "naming the level won");
    driver.Check(TextOf(driver.FindWindow("TotalScore")) == std::to_string(won.totalScore), "with its total");
    driver.Click("continueButton");
    driver.Check(TButton::Cast(driver.WaitForWindow("level2")) != nullptr, "the map shows 1-2 open");
    driver.Check(driver.FindWindow("playWindow") == nullptr, "in place of the play screen");
    driver.Check(driver.FindWindow("collectableTable") == nullptr, "the table is gone");
    driver.Check(app.GetMetrics()->GetCurrentLevel() == nullptr, "the metrics no longer time the level");
    driver.RequestClose();
    driver.WaitForEnd();
    driver.Check(driver.ProblemsInLog().empty(), "the log reports problems:\n" + driver.ProblemsInLog());
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
}  // namespace GUI
