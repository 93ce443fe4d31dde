// The table between levels over the built data folder: opened over the
// title menu after a level result is set, it shows the level, the total and
// one of the shipped tips, and "Continue" closes it. With
// QUORVANE_FRAME_CAPTURE naming a folder, its frame is written there as PNG.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/TAppPlatform.h"
#include "game/gui/progress/TWorldData.h"
#include "game/gui/screens/TEndLevelTableWindow.h"
#include "game/rules/scoring/TLevelResult.h"
#include "system/gfx/PicturePng.h"
#include "tests/game/gui/main/ScenarioChecks.h"
#include "tests/support/game/BuiltGameStart.h"
#include "windows/core/TWindowManager.h"
#include "windows/script/TWindowScript.h"

namespace {

class EndLevelTableScenario : public testing::Test {
 protected:
  BuiltGameStart game;
};

TEST_F(EndLevelTableScenario, TheTableShowsTheResultAndAShippedTip) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    driver.WaitForWindow("playButton");
    GamePlay::TLevelResult& result = GamePlay::TWorldData::Instance().GetLevelResult();
    result.level = {3, 2};
    result.totalScore = 4810;
    driver.Platform()->GetWindowManager()->GetScript()->DoLuaString(
        "PushModal('scripts/endleveltable.lua') ReadFile('scripts/endleveltable.lua')");
    TWindow* tip = driver.WaitForWindow("GameTips");
    auto* table = GUI::TEndLevelTableWindow::Cast(driver.FindWindow("endLevelTable"));
    if (!driver.Check(tip && table, "the table opens")) return;
    driver.Check(table->GetTips().size() == 11, "the shipped tips file holds eleven tips");
    driver.Check(TextOf(driver.FindWindow("CurrentLevel")) == "03-02", "the level shows as 03-02");
    driver.Check(TextOf(driver.FindWindow("TotalScore")) == "4810", "the total shows");
    bool shipped = false;
    for (const TString& shown : table->GetTips()) shipped = shipped || TextOf(tip) == shown.CStr();
    driver.Check(shipped, "the tip is one of the shipped ones: " + TextOf(tip));
    driver.Check(driver.FindWindow("Reset")->IsVisible(), "off the portal, Reset shows");
    driver.Pass(3);
    if (const char* folder = std::getenv("QUORVANE_FRAME_CAPTURE")) {
      sys::gfx::WritePicturePng(driver.ShownPicture(), std::string(folder) + "/end-level-table.png");
    }
    driver.Click("continueButton");
    driver.Pass(3);
    driver.Check(driver.FindWindow("endLevelTable") == nullptr, "Continue closes the table");
    CloseWithACleanLog(driver);
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
