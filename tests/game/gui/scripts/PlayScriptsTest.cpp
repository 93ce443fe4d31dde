// The game's scripts that lead into a level and out of it, each case run as
// the screen coroutine over the real window library (ScreenScriptDriver),
// with "ArcadeWindow" and the game's Lua functions registered and the
// game's own data copied in. A case writes what the screens show at each
// step through three probes: Kind(name), the kind of the named window
// ("none" without one, " hidden" after a hidden one's kind);
// PlayedLevel(), the level of the play window's model ("none" without
// one); ClocksRun(), whether the game clocks run; Slide(), the number of
// the game-end slide "screen" shows ("none" without one).
#include <gtest/gtest.h>

#include <string>

#include "game/gui/play/TArcadeWindow.h"
#include "game/gui/play/TTowerViewImpl.h"
#include "game/gui/screens/TGameEndWindow.h"
#include "game/gui/screens/TPauseWindow.h"
#include "game/gui/screens/TStartScreenWindow.h"
#include "game/gui/screens/TZenMenuWindow.h"
#include "game/rules/scoring/IScoringModel.h"
#include "platform/TPlatform.h"
#include "tests/game/gui/scripts/GameScriptCases.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TButton.h"
#include "windows/kinds/TImage.h"
#include "windows/kinds/TText.h"
#include "windows/script/LuaBinding.h"
#include "windows/script/TWindowScript.h"

namespace GUI {
namespace {

const char* KindName(TWindow& window) {
  if (window.IsKindOf(TArcadeWindow::ClassId())) return "ArcadeWindow";
  if (window.IsKindOf(TPauseWindow::ClassId())) return "PauseWindow";
  if (window.IsKindOf(TGameEndWindow::ClassId())) return "GameEndWindow";
  if (window.IsKindOf(TFadeInWindow::ClassId())) return "FadeInWindow";
  if (window.IsKindOf(TStartScreenWindow::ClassId())) return "StartScreenWindow";
  if (window.IsKindOf(TZenMenuWindow::ClassId())) return "ZenMenuWindow";
  if (window.IsKindOf(TButton::ClassId())) return "Button";
  if (window.IsKindOf(TText::ClassId())) return "Text";
  if (window.IsKindOf(TImage::ClassId())) return "Bitmap";
  return "Window";
}

TString ProbeKind(TString name) {
  TWindow* window = FindOnScreen(name);
  if (!window) return "none";
  return TString(KindName(*window)) + (window->IsVisible() ? "" : " hidden");
}

TString ProbePlayedLevel() {
  TArcadeWindow* window = TArcadeWindow::Cast(FindOnScreen("playWindow"));
  GamePlay::IScoringModel* scoring = window ? window->GetScoring() : nullptr;
  if (!scoring) return "none";
  const GamePlay::TLevelKey key = scoring->GetLevelKey();
  return TString::Format("%u-%u", key.world, key.level);
}

bool ProbeClocksRun() { return TArcadeWindow::AreGameClocksRunning(); }

TString ProbeSlide() {
  TWindow* screen = FindOnScreen("screen");
  if (!screen || !screen->IsKindOf(TImage::ClassId())) return "none";
  const std::shared_ptr<TTexture> shown = static_cast<TImage*>(screen)->GetTexture();
  const std::vector<std::shared_ptr<TTexture>> slides = TGameEmdTaskWindow::LoadSlides();
  for (size_t index = 0; shown && index < slides.size(); ++index) {
    if (slides[index] == shown) return TString::Format("%zu", index + 1);
  }
  return "none";
}

// The level's time runs out at once, as its timer would end it.
void ProbeRunOutOfTime() {
  TArcadeWindow* window = TArcadeWindow::Cast(FindOnScreen("playWindow"));
  if (window && window->GetTowerView()) window->GetTowerView()->ShowTimeUpMessage();
}

// The start screen's page and the number of its pages; "none" without one.
TString ProbeStartPage() {
  TStartScreenWindow* window = TStartScreenWindow::Cast(FindOnScreen("startScreen"));
  if (!window) return "none";
  return TString::Format("%u/%zu", window->GetCurrentPage(), window->GetPageCount());
}

// Play windows anywhere on the screen.
int CountPlayWindowsIn(TWindow& window) {
  int count = TArcadeWindow::Cast(&window) ? 1 : 0;
  for (TWindow* child : window.GetChildren()) count += CountPlayWindowsIn(*child);
  return count;
}

int ProbeCountPlayWindows() {
  return CountPlayWindowsIn(*TPlatform::Instance()->GetWindowManager()->GetRootWindow());
}

class PlayScripts : public GameScriptCases {
 protected:
  PlayScripts() : GameScriptCases(PLAY_SCRIPT_CASES_FOLDER) {
    lua_State* L = driver.Script().GetState();
    BindFunction(L, "Kind", &ProbeKind);
    BindFunction(L, "PlayedLevel", &ProbePlayedLevel);
    BindFunction(L, "ClocksRun", &ProbeClocksRun);
    BindFunction(L, "Slide", &ProbeSlide);
    BindFunction(L, "RunOutOfTime", &ProbeRunOutOfTime);
    BindFunction(L, "StartPage", &ProbeStartPage);
    BindFunction(L, "CountPlayWindows", &ProbeCountPlayWindows);
  }
};

TEST_P(PlayScripts, TheChosenLevelOpensThePlayScreenWithItsButtons) {
  Expect("play_screen.lua",
         "play\t1-1\tButton\tButton hidden\tButton\tnone\ttrue\n"
         "waits\n");
}

TEST_P(PlayScripts, PauseAndEscapeStopTheClocksUntilThePauseDialogCloses) {
  Expect("pause.lua",
         "pause\tPauseWindow\tButton\tButton\tLEVEL 1\tfalse\t1-1\n"
         "play\t1-1\tButton\tButton hidden\tButton\tnone\ttrue\n"
         "pause\tPauseWindow\tButton\tButton\tLEVEL 1\tfalse\t1-1\n"
         "play\t1-1\tButton\tButton hidden\tButton\tnone\ttrue\n"
         "pause\tPauseWindow\tButton\tButton\tLEVEL 1\tfalse\t1-1\n"
         "map\tText\tButton\tBitmap\tBitmap\tnone\tnone\n"
         "clocks run\ttrue\n"
         "waits\n");
}

TEST_P(PlayScripts, QuitGameEndsAtTheMap) {
  Expect("quit_game.lua",
         "map\tText\tButton\tBitmap\tBitmap\tnone\tnone\n"
         "waits\n");
}

TEST_P(PlayScripts, ResetGameReopensTheSameLevel) {
  Expect("reset_game.lua",
         "play windows before\t1\t1-1\n"
         "play\t1-1\tButton\tButton hidden\tButton\tnone\ttrue\n"
         "play windows after\t1\n"
         "waits\n");
}

TEST_P(PlayScripts, LeavingTheFirstLevelShowsATipThenOpensTheSecond) {
  Expect("restart_first_level.lua",
         "map\tText\tButton\tBitmap\tBitmap\tnone\tnone\n"
         "tip\tWindow\t01-01\tText\tButton\t1-1\n"
         "map\tText\tButton\tButton\tBitmap\tnone\tnone\n"
         "play\t1-2\tButton\tButton hidden\tButton\tnone\ttrue\n"
         "waits\n");
}

TEST_P(PlayScripts, ResetOnTheTableBetweenLevelsStartsTheJourneyAfresh) {
  Expect("restart_reset.lua",
         "play\t2-3\tButton\tButton hidden\tButton\tnone\ttrue\n"
         "tip\tWindow\t02-03\tText\tButton\t2-3\n"
         "map\tText\tButton\tBitmap\tBitmap\tnone\tnone\n"
         "waits\n");
}

TEST_P(PlayScripts, LeavingLevelTwoTwoOpensZenThenTheMap) {
  Expect("restart_zen_opening.lua",
         "play\t2-2\tButton\tButton hidden\tButton\tnone\ttrue\n"
         "zen end\tFadeInWindow\tText\tZenEndOpen\tnone\n"
         "map\tText\tButton\tButton\tButton\tButton\tnone\n"
         "waits\n");
}

TEST_P(PlayScripts, ZenLevelsLeadBackToTheZenMenuAndTheFifthFinishesZen) {
  Expect("restart_zen_last.lua",
         "play\t0-3\tButton\tButton hidden\tButton\tnone\ttrue\n"
         "zen menu\tZenMenuWindow\tButton\tnone\tButton\tnone\tnone\n"
         "play\t0-5\tButton\tButton hidden\tButton\tnone\ttrue\n"
         "zen end\tZenEndFinished\ttrue\ttrue\n"
         "waits\n");
}

TEST_P(PlayScripts, TheMapLeadsToTheZenMenuAndItsBadgesToTheZenLevels) {
  Expect("zen_menu.lua",
         "zen menu\tZenMenuWindow\tButton\tnone\tButton\tnone\tnone\n"
         "map\tText\tButton\tBitmap\tBitmap\tButton\tnone\n"
         "play\t0-1\tButton\tButton hidden\tButton\tnone\ttrue\n"
         "waits\n");
}

TEST_P(PlayScripts, AZenLevelLeftOrLostLeadsBackToTheZenMenu) {
  Expect("leave_zen.lua",
         "play\t0-1\tButton\tButton hidden\tButton\tnone\ttrue\n"
         "leave\tLeaveToZenMenu\n"
         "zen menu\tZenMenuWindow\tButton\tnone\tButton\tnone\tnone\n"
         "play\t0-1\tButton\tButton hidden\tButton\tnone\ttrue\n"
         "leave\tLeaveToZenMenu\n"
         "zen menu\tZenMenuWindow\tButton\tnone\tButton\tnone\tnone\n"
         "waits\n");
}

TEST_P(PlayScripts, ThreePicturesTurnOnTwoClicksAndTheThirdStartsTheLevel) {
  Expect("start_screen_pictures.lua",
         "start\tStartScreenWindow\ttrue\t#\t0/3\n"
         "start\tStartScreenWindow\ttrue\t#\t1/3\n"
         "start\tStartScreenWindow\ttrue\t#\t2/3\n"
         "play\t1-3\tButton\tButton hidden\tButton\tnone\ttrue\n"
         "waits\n");
}

TEST_P(PlayScripts, APictureThatCannotBeLoadedIsLeftOut) {
  Expect("start_screen_missing.lua",
         "start\tStartScreenWindow\ttrue\t#\t0/2\n"
         "start\tStartScreenWindow\ttrue\t#\t1/2\n"
         "play\t1-3\tButton\tButton hidden\tButton\tnone\ttrue\n"
         "waits\n");
}

TEST_P(PlayScripts, ATextStartScreenIgnoresClicksUntilNextButton) {
  Expect("start_screen_text.lua",
         "start\tStartScreenWindow\tfalse\tBlockers sit in the tower and never match. Clear the pieces around "
         "them to bring them down.\t0/0\n"
         "start\tStartScreenWindow\tfalse\tBlockers sit in the tower and never match. Clear the pieces around "
         "them to bring them down.\t0/0\n"
         "play\t1-4\tButton\tButton hidden\tButton\tnone\ttrue\n"
         "waits\n");
}

TEST_P(PlayScripts, TheLastJourneyLevelLeadsThroughTheGameEndScreenToTheTitleMenu) {
  Expect("journey_end.lua",
         "play\t10-5\tButton\tButton hidden\tButton\tnone\ttrue\n"
         "game end\t99-1\tGameEndWindow\tButton\tnone\ttrue\ttrue\tnone\n"
         "game end\t99-1\tGameEndWindow\tButton\tnone\ttrue\ttrue\t1\n"
         "map closed with\tnil\n"
         "tutorial mode\tfalse\n"
         "Screen \"\" 0,0 800x600\n");
  EXPECT_TRUE(TGameApp::Instance().IsCompletedJourneyMode());
}

TEST_P(PlayScripts, ALostLevelOffersToTryAgainOrToLeaveForTheMap) {
  Expect("lose.lua",
         "lose\tnone\tnone\tButton\t1-1\n"
         "lose\tText\tButton\tButton hidden\t1-1\n"
         "play\t1-1\tButton\tButton hidden\tButton\tnone\ttrue\n"
         "lose\tText\tButton\tButton hidden\t1-1\n"
         "map\tText\tButton\tBitmap\tBitmap\tnone\tnone\n"
         "waits\n");
}

TEST_P(PlayScripts, AWonLevelShowsItsResultThenATipThenTheMapWithTheNextLevelOpen) {
  Expect("result.lua",
         "result\tBitmap\tButton hidden\tButton hidden\t1-1\n"
         "tip\tWindow\t01-01\tText\tButton\t1-1\n"
         "map\tText\tButton\tButton\tBitmap\tnone\tnone\n"
         "waits\n");
}

TEST_P(PlayScripts, TheHelpScreenPlaysEachTutorialInTutorialModeAndIsBackAfterIt) {
  Expect("help_tutorials.lua",
         "help\tButton\tButton\tButton\tnone\tfalse\ttrue\ttrue\n"
         "tutorial\t2-1\tButton\tButton\ttrue\n"
         "help\tButton\tButton\tButton\tnone\tfalse\ttrue\ttrue\n"
         "tutorial\t3-1\tButton\tButton\ttrue\n"
         "help\tButton\tButton\tButton\tnone\tfalse\ttrue\ttrue\n"
         "help closed with\tback\n");
}

INSTANTIATE_TEST_SUITE_P(Collector, PlayScripts, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "UnderCollectorStress" : "AsItIs");
                         });

}  // namespace
}  // namespace GUI
