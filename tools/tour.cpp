// A tour of the game's screens: plays the game through the game driver in a
// real window (a display is needed: Xvfb will do), with a fixed seed, and
// writes a PNG of each screen it reaches, read back from the display, into
// the folder named on the command line. It plays over a copy of the data
// made for it: "Cheat Mode" on, so that the middle button finishes a level
// at once, and targets so low that every finished level is an expert one;
// our hiscore service runs beside it, named in the copy's
// "hiscoreserver.txt", with a category whose scores always fail.
//
//   tour <folder> [<folder holding the data folder "assets">]
//
// Exits 1 when a screen it waits for never shows or a picture is one flat
// colour, 2 on a wrong command line or a data folder it cannot copy.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <thread>

#include "game/gui/effects/TLevelBanner.h"
#include "game/gui/main/TGameApp.h"
#include "game/gui/play/TArcadeWindow.h"
#include "game/gui/play/TTowerLayer.h"
#include "game/gui/play/TTowerViewImpl.h"
#include "game/gui/progress/TWorldData.h"
#include "game/gui/screens/THiscore.h"
#include "game/gui/views/TTutorialMsgViewImpl.h"
#include "game/rules/control/ITimeController.h"
#include "game/rules/scoring/TLevelResult.h"
#include "system/gfx/PicturePng.h"
#include "system/window/VirtualKeys.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/TempFolder.h"
#include "tests/support/game/ForkedGame.h"
#include "tests/support/game/LevelBotPlay.h"
#include "tests/support/game/StartScreenPlay.h"
#include "tests/support/game/TutorialPlay.h"
#include "tools/hiscore/HiscoreServer.h"
#include "windows/kinds/TButton.h"
#include "windows/kinds/TText.h"

namespace {

constexpr uint32_t kTourStartUp = 3000;
constexpr uint32_t kTourMidLevel = 4000;
// The bot plays in stretches this short while it waits for the expert
// target, so the banner it starts is caught on its way in.
constexpr uint32_t kTourExpertStretch = 200;
constexpr uint32_t kTourMidCount = 700;
constexpr uint32_t kTourCounted = 8000;
constexpr uint32_t kTourSettle = 600;
constexpr uint32_t kTourQuoteShown = 1500;
// The finished level's closing flash, before its table opens.
constexpr uint32_t kTourWonFlow = 2100;
// A blast a moment after it starts, grown to its full size.
constexpr uint32_t kTourBlastGrows = 150;
// The level timer run down by long steps, past the life bar's warning.
constexpr uint32_t kTourTimeRunsDown = 1000;
constexpr float kTourTimeLow = 0.92f;
constexpr uint32_t kTourLongStep = 100;
// Well above the levels of the Journey (ten worlds of five), with its
// tutorial levels played twice.
constexpr int kMostJourneyLevels = 80;
constexpr int kMostLevelsOnAMap = 10;
constexpr int kServiceWaits = 300;
// Steps of game time a window may take to show, such as a finished level's
// table.
constexpr int kWindowWaits = 50;
constexpr int kGameModes = 4;
// The game-end screen's closing level, before its slideshow starts, and
// between its slides.
constexpr uint32_t kTourGameEndDawn = 1500;
constexpr uint32_t kTourSlidePeriod = 2500;
// The closing level ends after "Continue" before the title menu comes back.
constexpr uint32_t kTourClosingLevelLeaves = 1100;
constexpr int kMostScreensAfterALevel = 4;
// The whole tour, the Journey's every level among it, takes minutes of
// drawing in a real window; beyond this it is taken to hang.
constexpr unsigned kTourMostSeconds = 1200;
// The category whose scores the service never gives.
constexpr char kBrokenCategory[] = "broken";

std::string TextOf(TWindow* window) {
  TText* text = TText::Cast(window);
  return text ? text->GetLabel().CStr() : "";
}

bool IsFlat(const sys::Picture& picture) {
  if (picture.pixels.empty()) return true;
  const uint32_t first = picture.pixels.front();
  return std::all_of(picture.pixels.begin(), picture.pixels.end(), [first](uint32_t pixel) { return pixel == first; });
}

// Writes the screen as it stands as <name>.png; a flat picture is a failure.
void Capture(GameDriver& driver, const std::string& folder, const std::string& name) {
  driver.Pass();
  const sys::Picture picture = driver.ShownPicture();
  if (!driver.Check(!IsFlat(picture), "the picture of " + name + " is one flat colour")) return;
  driver.Check(sys::gfx::WritePicturePng(picture, folder + "/" + name + ".png"), "cannot write " + name + ".png");
  std::printf("%s\n", name.c_str());
  std::fflush(stdout);
}

// The first of the windows to show while game time moves on, "" when none
// does for a while.
std::string ShowsOneOf(GameDriver& driver, std::initializer_list<std::string> windows) {
  for (int wait = 0; wait < kWindowWaits; ++wait) {
    for (const std::string& window : windows) {
      if (driver.FindWindow(window)) return window;
    }
    driver.AdvanceTime(kTourLongStep);
  }
  return "";
}

// Waits for the window and lets its screen settle before the picture. Game
// time moves on while it waits, so a window that never comes is noted after
// a few seconds of it rather than after the driver's long patience.
bool Reach(GameDriver& driver, const std::string& window) {
  if (ShowsOneOf(driver, {window}).empty()) return driver.Check(false, "no window named \"" + window + "\" appeared");
  driver.AdvanceTime(kTourSettle);
  return true;
}

bool ReachAndCapture(GameDriver& driver, const std::string& window, const std::string& folder, const std::string& name) {
  if (!Reach(driver, window)) return false;
  Capture(driver, folder, name);
  return true;
}

// The hiscore service answers on threads of its own while game time stands
// still.
bool WaitForTheService(GameDriver& driver) {
  for (int wait = 0; wait < kServiceWaits; ++wait) {
    driver.Pass();
    auto* screen = GUI::THiscore::Cast(driver.FindWindow("hiscoreScreen"));
    if (screen && screen->GetViewState() != GUI::THiscore::kWaitingForCategories &&
        screen->GetViewState() != GUI::THiscore::kWaitingForScores) {
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return driver.Check(false, "the hiscore service does not answer");
}

void MiddleClick(GameDriver& driver, const std::string& name) {
  TWindow* window = driver.FindWindow(name);
  if (!window) return;
  const TRect rect = window->GetScreenRect();
  const int32_t x = (rect.left + rect.right) / 2;
  const int32_t y = (rect.top + rect.bottom) / 2;
  driver.Desktop().MoveTo(x, y);
  driver.Desktop().Press(sys::MouseButton::Middle, x, y);
  driver.Desktop().Release(sys::MouseButton::Middle, x, y);
  driver.Pass();
}

// The tutorial's message view once its front dialog has faded in; null
// (noted) when no dialog comes.
GUI::TTutorialMsgViewImpl* ShownTutorialDialog(GameDriver& driver) {
  auto* window = GUI::TArcadeWindow::Cast(driver.WaitForWindow("playWindow"));
  GUI::TTutorialMsgViewImpl* messages = window ? window->GetTutorialMsgView() : nullptr;
  const bool shown = messages && WaitForTutorialDialog(driver, *messages) && messages->IsShowing();
  return driver.Check(shown, "no tutorial dialog appeared") ? messages : nullptr;
}

// The blasts and bursts the tower draws, 0 without a level.
size_t EffectsInPlay(GameDriver& driver) {
  auto* window = GUI::TArcadeWindow::Cast(driver.FindWindow("playWindow"));
  const GUI::TTowerViewImpl* view = window ? window->GetTowerView() : nullptr;
  return view && view->GetLayer() ? view->GetLayer()->GetEffectCount() : 0;
}

// The bombs tutorial points its arrow at a bomb and, once its dialog is
// put away, sets the bomb off itself.
void TourTheBombTutorial(GameDriver& driver, const std::string& folder) {
  driver.Click("helpTutorial2");
  GUI::TTutorialMsgViewImpl* messages = ShownTutorialDialog(driver);
  if (!messages) return;
  Capture(driver, folder, "tutorial-arrow");
  ClickTutorialContinue(driver, *messages);
  for (int wait = 0; wait < kWindowWaits && EffectsInPlay(driver) == 0; ++wait) driver.AdvanceTime(kTourLongStep);
  if (driver.Check(EffectsInPlay(driver) > 0, "the tutorial's bomb does not go off")) {
    driver.AdvanceTime(kTourBlastGrows);
    Capture(driver, folder, "blast");
  }
  driver.Click("quitGame");
}

// The help screen's tutorials, each with its first dialog, left by Quit.
void TourTheTutorials(GameDriver& driver, const std::string& folder) {
  driver.Click("helpTutorial1");
  if (ShownTutorialDialog(driver)) Capture(driver, folder, "tutorial");
  driver.Click("quitGame");
  if (Reach(driver, "helpTutorial2")) TourTheBombTutorial(driver, folder);
}

void TourTheMenus(GameDriver& driver, const std::string& folder) {
  driver.Click("optionsButton");
  ReachAndCapture(driver, "musiclevelslider", folder, "options");
  driver.Click("creditsButton");
  ReachAndCapture(driver, "creditsBackButton", folder, "credits");
  driver.Click("creditsBackButton");
  driver.Click("doneButton");
  if (!Reach(driver, "playButton")) return;
  driver.Click("MoreGames");
  ReachAndCapture(driver, "descrip1", folder, "more-games");
  driver.Click("backButton");
  if (!Reach(driver, "playButton")) return;
  driver.Click("helpButton");
  ReachAndCapture(driver, "helpTutorial1", folder, "help");
  TourTheTutorials(driver, folder);
  if (Reach(driver, "helpBack")) driver.Click("helpBack");
}

// A table counted to its end; its quote, when it has one, shown and put
// away by clicks.
void CountTheTable(GameDriver& driver) {
  driver.AdvanceTime(kTourCounted, kTourLongStep);
  driver.Click("hurryButton");
  driver.AdvanceTime(kTourSettle);
  driver.Click("hurryButton");
  driver.AdvanceTime(kTourQuoteShown);
}

// The level map's highest open level, 0 when none shows.
int HighestOpenLevel(GameDriver& driver) {
  for (int level = kMostLevelsOnAMap; level > 0; --level) {
    if (TButton::Cast(driver.FindWindow("level" + std::to_string(level)))) return level;
  }
  return 0;
}

// A start screen's pages are clicked through, the level finished at once by
// the middle button, the tables counted and left, back to the map or on to
// the game-end screen after the Journey's last level. False when the level
// ended without its table, as a tutorial level does the first time.
bool FinishLevel(GameDriver& driver, const std::string& folder) {
  ClickThroughStartScreen(driver, kTourSettle);
  if (!driver.WaitForWindow("playWindow")) return false;
  driver.AdvanceTime(kTourStartUp, kTourLongStep);
  if (driver.FindWindow("pregameContinueButton")) {
    Capture(driver, folder, "pregame-dialog");
    driver.Click("pregameContinueButton");
    driver.AdvanceTime(kTourSettle);
  }
  MiddleClick(driver, "playWindow");
  driver.AdvanceTime(kTourWonFlow);
  // The tables, and the screen that opens Zen, in the order they come, up
  // to the table between levels.
  for (int screen = 0; screen < kMostScreensAfterALevel; ++screen) {
    const std::string shown = ShowsOneOf(driver, {"GameTips", "zenEndHeading", "collectableTable", "gameEnd"});
    if (shown.empty()) return false;
    if (shown == "gameEnd") return true;
    driver.AdvanceTime(kTourSettle);
    if (shown == "zenEndHeading") Capture(driver, folder, "zen-opened");
    if (shown == "collectableTable") CountTheTable(driver);
    driver.Click("continueButton");
    if (shown == "GameTips") return true;
    driver.AdvanceTime(kTourSettle);
  }
  return false;
}

// Game time runs on, the tower left alone, until little of the level time
// is left and the life bar warns of it.
void RunTheTimerLow(GameDriver& driver, GUI::TArcadeWindow& window) {
  GamePlay::ITimeController* timer = window.GetLevelTimer();
  if (!driver.Check(timer != nullptr, "level 1-1 has no timer")) return;
  while (!driver.HasEnded() && driver.FindWindow("playWindow") && timer->GetRate() < kTourTimeLow) {
    driver.AdvanceTime(kTourTimeRunsDown, kTourTimeRunsDown);
  }
  driver.AdvanceTime(kTourSettle);
  driver.Check(driver.FindWindow("playWindow") && timer->GetRate() < 1.0f, "level 1-1 ran out of time");
}

// Plays on in short stretches until the score reaches the expert target,
// then lets the banner that starts wipe in.
void PlayUntilTheExpertBanner(GameDriver& driver) {
  const GamePlay::TLevelResult& result = GamePlay::TWorldData::Instance().GetLevelResult();
  for (uint32_t played = 0; !result.expert && played < kTourMidLevel; played += kTourExpertStretch) {
    if (PlayLevelWithBot(driver, kTourExpertStretch).ended) break;
  }
  driver.Check(result.expert, "level 1-1 never reached its expert target");
  driver.AdvanceTime(GUI::TLevelBanner::kShowUpMs);
}

// Level 1-1 pictured on the way: the expert banner over the tower, playing,
// paused, the time running low, its tables counting and counted with the
// expert score and the quote, the table between levels.
void TourTheFirstLevel(GameDriver& driver, const std::string& folder) {
  driver.Click("level1");
  auto* window = GUI::TArcadeWindow::Cast(driver.WaitForWindow("playWindow"));
  if (!driver.Check(window != nullptr, "level 1-1 does not start")) return;
  driver.AdvanceTime(kTourStartUp);
  PlayUntilTheExpertBanner(driver);
  Capture(driver, folder, "expert-banner");
  PlayLevelWithBot(driver, kTourMidLevel);
  Capture(driver, folder, "play");
  driver.PressKey(sys::vk::kEscape);
  ReachAndCapture(driver, "returnGame", folder, "pause");
  driver.Click("returnGame");
  driver.AdvanceTime(kTourSettle);
  RunTheTimerLow(driver, *window);
  Capture(driver, folder, "play-time-low");
  MiddleClick(driver, "playWindow");
  driver.AdvanceTime(kTourWonFlow);
  if (!driver.WaitForWindow("collectableTable")) return;
  driver.AdvanceTime(kTourMidCount);
  Capture(driver, folder, "table-counting");
  driver.AdvanceTime(kTourCounted, kTourLongStep);
  Capture(driver, folder, "table-counted");
  driver.Click("hurryButton");
  driver.AdvanceTime(kTourSettle);
  Capture(driver, folder, "table-expert-quote");
  driver.Click("hurryButton");
  driver.AdvanceTime(kTourQuoteShown);
  driver.Click("continueButton");
  ReachAndCapture(driver, "GameTips", folder, "end-level-table");
  driver.Click("continueButton");
}

// The map's world and its highest open level, as "World 1 level 5".
std::string LevelOnTheMap(GameDriver& driver) {
  return TextOf(driver.FindWindow("worldName")) + " level " + std::to_string(HighestOpenLevel(driver));
}

// The closing level alone, then with its first slide; "Continue" leads back
// to the title menu.
void TourTheGameEnd(GameDriver& driver, const std::string& folder) {
  if (!driver.Check(driver.FindWindow("gameEnd") != nullptr, "the Journey does not reach the game end")) return;
  driver.AdvanceTime(kTourGameEndDawn);
  Capture(driver, folder, "game-end");
  driver.AdvanceTime(kTourSlidePeriod, kTourLongStep);
  Capture(driver, folder, "game-end-slide");
  driver.Click("skipButton");
  driver.AdvanceTime(kTourClosingLevelLeaves);
}

// The rest of the Journey, level after level, to the game end: a world
// whose levels are all finished is left for the next. A tutorial level is
// played twice, first as its tutorial; a level that ends without its table
// after that ends the attempt.
void FinishTheJourney(GameDriver& driver, const std::string& folder) {
  std::set<std::string> finished;
  std::set<std::string> tutorials;
  for (int played = 0; played < kMostJourneyLevels && !driver.FindWindow("gameEnd"); ++played) {
    if (!Reach(driver, "worldName")) return;
    if (played == 0) Capture(driver, folder, "map");
    if (finished.count(LevelOnTheMap(driver)) && driver.FindWindow("nextWorld")) {
      driver.Click("nextWorld");
      if (!Reach(driver, "worldName")) return;
    }
    const std::string level = LevelOnTheMap(driver);
    driver.Click("level" + std::to_string(HighestOpenLevel(driver)));
    driver.AdvanceTime(kTourSettle);
    if (driver.FindWindow("startScreen")) Capture(driver, folder, "start-screen");
    if (FinishLevel(driver, folder)) {
      finished.insert(level);
    } else if (!driver.Check(tutorials.insert(level).second, level + " is not finished by the middle button")) {
      return;
    }
  }
  TourTheGameEnd(driver, folder);
}

void TourZen(GameDriver& driver, const std::string& folder) {
  if (!Reach(driver, "playButton")) return;
  driver.Click("playButton");
  if (!Reach(driver, "worldName")) return;
  driver.Click("zenButton");
  ReachAndCapture(driver, "zen1", folder, "zen-menu");
  driver.Click("zen1");
  if (driver.WaitForWindow("playWindow")) {
    driver.AdvanceTime(kTourStartUp);
    PlayLevelWithBot(driver, kTourMidLevel);
    Capture(driver, folder, "zen-play");
    driver.PressKey(sys::vk::kEscape);
    if (Reach(driver, "mapButton")) driver.Click("mapButton");
  }
  // A Zen level quit from its pause dialog leads back to the Zen menu, and
  // the menu to the level map.
  if (Reach(driver, "zenMenuBack")) driver.Click("zenMenuBack");
  if (Reach(driver, "worldName")) driver.Click("backButton");
}

// The local view of the game mode whose score waits to be sent.
bool ShowThePendingScore(GameDriver& driver) {
  for (int step = 0; step < kGameModes && !driver.FindWindow("submitscores"); ++step) {
    driver.Click("gamemodeleft");
    driver.AdvanceTime(kTourSettle);
  }
  return driver.Check(driver.FindWindow("submitscores") != nullptr, "no score waits to be sent");
}

void TourTheHiscores(GameDriver& driver, const std::string& folder) {
  if (!Reach(driver, "playButton")) return;
  driver.Click("viewhighscores");
  if (!Reach(driver, "hiscoreScreen") || !ShowThePendingScore(driver)) return;
  Capture(driver, folder, "hiscores-local");
  driver.Click("submitscores");
  if (Reach(driver, "accountedit")) {
    driver.Click("accountedit");
    driver.Type("tourist");
    driver.Click("passedit");
    driver.Type("secret");
    Capture(driver, folder, "hiscores-submit");
    driver.Click("submittoserver");
    WaitForTheService(driver);
    driver.AdvanceTime(kTourSettle);
    Capture(driver, folder, "hiscores-online");
  }
  // The categories go round: the broken one is the last.
  driver.Click("categoryleft");
  WaitForTheService(driver);
  driver.AdvanceTime(kTourSettle);
  Capture(driver, folder, "hiscores-error");
  driver.Click("backButton");
}

// The stages of the tour in turn; after the first that fails, the rest
// would only wait for windows that cannot come.
void PlayTheTour(GameDriver& driver, const std::string& folder) {
  if (!driver.WaitForWindow("playButton")) return;
  const std::function<void(GameDriver&, const std::string&)> stages[] = {
      [](GameDriver& game, const std::string& pictures) { ReachAndCapture(game, "playButton", pictures, "main-menu"); },
      TourTheMenus,
      [](GameDriver& game, const std::string&) {
        if (Reach(game, "playButton")) game.Click("playButton");
        Reach(game, "worldName");
      },
      TourTheFirstLevel,
      FinishTheJourney,
      TourTheHiscores,
      TourZen,
  };
  for (const auto& stage : stages) {
    if (!driver.GetFailures().empty()) return;
    stage(driver, folder);
  }
}

// The loading screen the game opens with: on the driver's clock every
// picture loads in the screen's first update, so it is pictured before game
// time moves.
void CaptureTheLoadingScreen(GameDriver& driver, const std::string& folder) {
  if (driver.WaitForWindow("loadingScreen", kWindowWaits)) Capture(driver, folder, "loading");
}

// The string table's rows whose name passes the test get the value.
std::string SetRows(std::string table, const std::function<bool(const std::string&)>& chosen, const std::string& value) {
  static constexpr std::string_view kCell = "<Data ss:Type=\"String\">";
  static constexpr std::string_view kBetween = "</Data></Cell><Cell><Data ss:Type=\"String\">";
  for (size_t row = table.find("<Row>"); row != std::string::npos; row = table.find("<Row>", row + 1)) {
    const size_t name = table.find(kCell, row);
    const size_t nameEnd = name == std::string::npos ? name : table.find(kBetween, name);
    if (nameEnd == std::string::npos) break;
    const size_t valueStart = nameEnd + kBetween.size();
    const size_t valueEnd = table.find('<', valueStart);
    if (valueEnd == std::string::npos) break;
    if (chosen(table.substr(name + kCell.size(), nameEnd - name - kCell.size()))) {
      table.replace(valueStart, valueEnd - valueStart, value);
    }
  }
  return table;
}

bool SetRowsInFile(const std::string& file, const std::function<bool(const std::string&)>& chosen,
                   const std::string& value) {
  const std::string text = ReadWholeFile(file);
  return !text.empty() && WriteWholeFile(file, SetRows(text, chosen, value));
}

bool IsTargetOrMedal(const std::string& name) {
  return name.rfind("L", 0) == 0 || name.rfind("Zen", 0) == 0 || name == "SilverMedal" || name == "GoldMedal";
}

// The data copied for the tour: cheat mode on, every target score and both
// medals at 100, the service named.
bool MakeTourData(const std::string& from, const std::string& to, const std::string& server) {
  std::error_code error;
  std::filesystem::copy(from + "/assets", to + "/assets", std::filesystem::copy_options::recursive, error);
  if (error) {
    std::fprintf(stderr, "tour: cannot copy %s/assets: %s\n", from.c_str(), error.message().c_str());
    return false;
  }
  return SetRowsInFile(to + "/assets/strings.xml", [](const std::string& name) { return name == "Cheat Mode"; }, "1") &&
         SetRowsInFile(to + "/assets/levels/scores.xml", IsTargetOrMedal, "100") &&
         WriteWholeFile(to + "/hiscoreserver.txt", server + "\n");
}

void ServeTheTour(HiscoreServer& server) {
  server.Service().AddGame("quorvane", TGameApp::kEncryptionKey);
  server.Service().AddCategory("quorvane", "alltime", "All time");
  server.Service().AddCategory("quorvane", kBrokenCategory, "Out of order");
  server.Http().Respond(HiscoreServer::kPath, [&server](const RecordedRequest& request) {
    ScriptedReply reply;
    if (request.query.find(std::string("table=") + kBrokenCategory) != std::string::npos) {
      reply.status = 500;
      return reply;
    }
    reply.body = server.Service().Answer(request.query);
    reply.headers = {{"Content-Type", "text/xml"}};
    return reply;
  });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: tour <picture folder> [<folder holding the data folder>]\n");
    return 2;
  }
  const std::string folder = std::filesystem::absolute(argv[1]).string();
  std::filesystem::create_directories(folder);
  HiscoreServer server;
  ServeTheTour(server);
  TempFolder home;
  TempFolder program;
  const std::string data = argc == 3 ? std::filesystem::absolute(argv[2]).string() : QUORVANE_BUILD_FOLDER;
  if (!MakeTourData(data, program.Path(), server.Address())) return 2;
  GameStart start;
  start.commandLine = "--multiple options=randomseed=93";
  start.programFolder = program.Path();
  start.home = home.Path();
  start.onScreen = true;
  start.mostSeconds = kTourMostSeconds;
  start.opening = [&folder](GameDriver& driver) { CaptureTheLoadingScreen(driver, folder); };
  const GameRun run = PlayGame(start, [&folder](GameDriver& driver) { PlayTheTour(driver, folder); });
  std::fputs(run.failures.c_str(), stderr);
  return run.failures.empty() && run.exitCode == 0 ? 0 : 1;
}
