// The page of the ways to play, reached from the title menu's "More Games"
// and played through the game driver over the built data folder: the page
// the shipped file fills, and where each mode's button and link lead.
#include <gtest/gtest.h>

#include <string>

#include "app/TAppPlatform.h"
#include "tests/game/gui/main/ScenarioChecks.h"
#include "tests/support/game/BuiltGameStart.h"
#include "tests/support/windows/LinkPoint.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TText.h"
#include "windows/kinds/TXSellWindow.h"
#include "windows/script/TWindowScript.h"

namespace {

bool Holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The description of mode n begins with the mode's name and ends with a
// link to its button.
bool DescribesMode(GameDriver& driver, int n, const std::string& mode, const std::string& linkText) {
  const std::string text = TextOf(driver.FindWindow("descrip" + std::to_string(n)));
  const std::string link = "<a id='xsellbutton" + std::to_string(n) + "'>" + linkText + "</a>";
  return text.rfind(mode + ": ", 0) == 0 && Holds(text, link);
}

// Opens the page from the title menu; the page window, or null.
TXSellWindow* OpenPage(GameDriver& driver) {
  WaitForLoadedMenu(driver);
  driver.Click("MoreGames");
  TWindow* description = driver.WaitForWindow("descrip1");
  TWindow* page = description ? description->GetParent() : nullptr;
  return page && page->IsKindOf(TXSellWindow::ClassId()) ? static_cast<TXSellWindow*>(page) : nullptr;
}

TWindowScript& GameScript(GameDriver& driver) { return *driver.Platform()->GetWindowManager()->GetScript(); }

// Notes the value every closing dialog hands back, in "gClosedWith".
void NoteClosings(GameDriver& driver) {
  GameScript(driver).DoLuaString(
      "local close = CloseWindow "
      "function CloseWindow(value) gClosedWith = value close(value) end");
}

std::string ClosedWith(GameDriver& driver) { return GameScript(driver).GetString("gClosedWith", "").CStr(); }

class MoreGamesScenario : public testing::Test {
 protected:
  BuiltGameStart game;
};

TEST_F(MoreGamesScenario, ThePageShowsTheShippedModesAndJourneyLeadsToTheLevelMap) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    WaitForLoadedMenu(driver);
    driver.Check(LabelOf(driver.FindWindow("MoreGames")) == "More Games", "the title menu offers More Games");
    TXSellWindow* page = OpenPage(driver);
    if (!driver.Check(page != nullptr, "More Games opens the cross-sell page")) return;
    driver.Check(DescribesMode(driver, 1, "Journey", "Start the Journey"), "the Journey comes first");
    driver.Check(DescribesMode(driver, 2, "Zen", "Find some calm"), "then Zen");
    driver.Check(DescribesMode(driver, 3, "Tutorials", "Learn to play"), "then the tutorials");
    driver.Check(driver.FindWindow("descrip4") == nullptr, "and nothing more");
    driver.Check(TextOf(driver.FindWindow("centertext1")) == "Three ways to turn the rings", "under the heading");
    TWindow* site = page->FindChild("gamesite");
    driver.Check(site && !site->IsVisible(), "the file names no site, so its button is hidden");
    driver.Check(page->GetSiteLink().IsEmpty() && page->GetGameLink(1).IsEmpty(), "and no address leaves the game");
    TWindow* journey = driver.FindWindow("xsellbutton1");
    driver.Check(journey && journey->GetScreenRect() == TRect(68, 128, 172, 232), "medallions sit on their centres");
    driver.Click("xsellbutton1");
    TText* world = TText::Cast(driver.WaitForWindow("worldName"));
    driver.Check(world && world->GetLabel() == "World 1", "the Journey's medallion opens the level map");
    driver.Check(driver.ProblemsInLog().empty(), "the log reports problems:\n" + driver.ProblemsInLog());
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

TEST_F(MoreGamesScenario, TheLinkInTheJourneysDescriptionPressesItsMedallion) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    if (!driver.Check(OpenPage(driver) != nullptr, "the page opens")) return;
    TText* description = TText::Cast(driver.FindWindow("descrip1"));
    const TVec2 link = description->LocalToScreen(PointOnLink(*description, "xsellbutton1"));
    driver.ClickAt(static_cast<int32_t>(link.x), static_cast<int32_t>(link.y));
    driver.Check(driver.WaitForWindow("worldName") != nullptr, "the link leads to the level map");
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

// Zen has no screen of its own yet: the page hands its name back, and the
// game returns to the title menu. The tutorials' medallion leads to the help
// screen, whose "Back" returns to the menu.
TEST_F(MoreGamesScenario, EachModesMedallionClosesThePageWithTheModeAndBackReturnsHome) {
  GameRun run = PlayGame(game.start, [](GameDriver& driver) {
    driver.WaitForWindow("MoreGames");
    NoteClosings(driver);
    struct Choice {
      const char* button;
      const char* closedWith;
      const char* screenWindow;
      const char* wayHome;
    };
    for (const Choice& choice : {Choice{"xsellbutton2", "zen", "playButton", nullptr},
                                 Choice{"xsellbutton3", "tutorials", "helpTutorial1", "helpBack"},
                                 Choice{"backButton", "back", "playButton", nullptr}}) {
      if (!driver.Check(OpenPage(driver) != nullptr, "the page opens")) return;
      driver.Click(choice.button);
      const std::string button = choice.button;
      driver.Check(driver.WaitForWindow(choice.screenWindow) != nullptr, button + " leads to " + choice.screenWindow);
      driver.Check(driver.FindWindow("descrip1") == nullptr, "and the page is gone");
      driver.Check(ClosedWith(driver) == choice.closedWith, button + " closed the page with " + ClosedWith(driver));
      if (choice.wayHome) driver.Click(choice.wayHome);
      driver.Check(driver.WaitForWindow("playButton") != nullptr, button + ": the menu is back");
    }
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
}

}  // namespace
