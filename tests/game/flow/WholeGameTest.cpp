// The whole game played headless as a player plays it, by clicks, drags and
// keys at the windows it shows, over the built data folder with a fixed
// seed. The first start plays the first tutorial from the help screen, the
// first world of the Journey (its first level paused twice, each won by the
// bot), the Journey's first tutorial from the map, a Zen level chosen in the
// Zen menu (won by the bot), the options, the hiscores and a shut-down by a
// close request; the second start, over the same folder, finds what a start
// keeps and what it drops. Both send to and read from our hiscore service,
// which runs beside them.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/TAppPlatform.h"
#include "game/gui/main/TGameApp.h"
#include "game/gui/play/TArcadeWindow.h"
#include "game/gui/progress/TLevelStatusTable.h"
#include "game/gui/progress/TWorldData.h"
#include "game/gui/screens/THiscore.h"
#include "game/gui/screens/TSlider.h"
#include "game/gui/sound/TSoundFactory.h"
#include "game/gui/views/TTutorialMsgViewImpl.h"
#include "game/rules/control/ITimeController.h"
#include "game/rules/scoring/IScoringModel.h"
#include "game/rules/scoring/TLevelResult.h"
#include "media/sound/TSoundManager.h"
#include "online/TVqHiscores.h"
#include "platform/file/TFile.h"
#include "platform/prefs/TPrefs.h"
#include "system/window/VirtualKeys.h"
#include "tests/game/flow/HiscoreServerProcess.h"
#include "tests/game/gui/main/ScenarioChecks.h"
#include "tests/support/BuiltDataFolder.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/TempFolder.h"
#include "tests/support/game/ForkedGame.h"
#include "tests/support/game/LevelBotPlay.h"
#include "tests/support/game/StartScreenPlay.h"
#include "tests/support/game/TutorialPlay.h"
#include "windows/kinds/TButton.h"
#include "windows/kinds/TImage.h"

namespace {

using GUI::TArcadeWindow;

// What the first start leaves for the second to compare with.
const std::string kPlayedFolder = QUORVANE_PLAYED_FOLDER;
const std::string kJourneyScoreFile = kPlayedFolder + "/journey-score.txt";
const std::string kFirstLevelBestFile = kPlayedFolder + "/first-level-best.txt";
const std::string kFreshMusicVolumeFile = kPlayedFolder + "/fresh-music-volume.txt";
const std::string kServerFile = kPlayedFolder + "/hiscore-service.txt";
// The game's own folder, the current one at its start: the data folder
// linked in, beside it the file that names the hiscore server.
const std::string kProgramFolder = kPlayedFolder + "/program";
const std::string kAccount = "pia";

constexpr uint32_t kStartUpDelivery = 3000;
constexpr uint32_t kPausedFor = 30000;
// A level of world 1 gives the bot far more than it needs.
constexpr uint32_t kMostLevelPlay = 240000;
// The won flow opens the score table once the closing flash is over.
constexpr uint32_t kWonFlow = 2100;
constexpr uint32_t kHurriedCount = 1200;
constexpr uint32_t kQuoteShown = 1500;
// Past the won tutorial's banner, to the way out.
constexpr uint32_t kTutorialLevelEnd = 3000;
// The levels of the first world; the Journey's first tutorial opens the
// second.
constexpr int32_t kLevelsInWorldOne = 5;
// The rest of world 1 is drawn once a second, as Zen play is below.
constexpr uint32_t kJourneyFrameSpacing = 1000;
// Zen level 1 gives the bot far more than it needs.
constexpr uint32_t kMostZenPlay = 400000;
// Zen level 1 refills its tower slowly, for three minutes of game time
// that would take most of the test's time to draw at the usual rate: its
// play is drawn once a second.
constexpr uint32_t kZenFrameSpacing = 1000;

GameStart PlayedStart() {
  GameStart start;
  start.commandLine = "--multiple options=randomseed=93";
  start.programFolder = kProgramFolder;
  start.home = kPlayedFolder;
  return start;
}

// The addresses of the requests the HTTP layer started, as it logs them.
std::vector<std::string> RequestedAddresses(const std::string& log) {
  std::vector<std::string> addresses;
  std::istringstream lines(log);
  for (std::string line; std::getline(lines, line);) {
    for (const char* method : {"HTTP GET ", "HTTP POST "}) {
      const size_t found = line.find(method);
      if (found != std::string::npos) addresses.push_back(line.substr(found + std::strlen(method)));
    }
  }
  return addresses;
}

// Besides what the driver looks for, a label the string table lacks shows
// as "#####"; and the game talks to no host but this one.
void CheckTheLog(GameDriver& driver) {
  driver.Check(driver.ProblemsInLog().empty(), "the log reports problems:\n" + driver.ProblemsInLog());
  driver.Check(driver.LogText().find("#####") == std::string::npos, "a label is missing from the strings");
  const std::vector<std::string> addresses = RequestedAddresses(driver.LogText());
  driver.Check(!addresses.empty(), "the game talks to the hiscore service");
  for (const std::string& address : addresses) {
    driver.Check(address.rfind("http://127.0.0.1:", 0) == 0, "a request goes elsewhere: " + address);
  }
}

void GreetedByTheMenu(GameDriver& driver) {
  driver.Check(WaitForLoadedMenu(driver) != nullptr, "the loading screen leads to the menu");
  driver.Check(TextOf(driver.WaitForWindow("welcome")) == "Welcome, Web!", "the menu greets the player");
}

// Game time moves on while the pause dialog shows; the level's timer and
// delivery stand still. "returnGame" resumes.
void CheckPausedAndResume(GameDriver& driver, TArcadeWindow& window, const std::string& how) {
  if (!driver.Check(driver.WaitForWindow("returnGame") != nullptr, how + " opens the pause dialog")) return;
  const float timer = window.GetLevelTimer() ? window.GetLevelTimer()->GetRate() : 0.0f;
  driver.AdvanceTime(kPausedFor);
  driver.Check(!window.GetLevelTimer() || window.GetLevelTimer()->GetRate() == timer,
               how + ": the level timer stands still while paused");
  driver.Click("returnGame");
  driver.AdvanceTime(100);
  driver.Check(driver.FindWindow("returnGame") == nullptr && TArcadeWindow::AreGameClocksRunning(),
               how + ": returnGame resumes the level");
}

// The score table counts the level's bonuses into its total, hurried by a
// click, shows the level's quote and is left by "continueButton".
void CountTheTable(GameDriver& driver, int32_t total, const char* capture) {
  if (!driver.Check(driver.WaitForWindow("collectableTable") != nullptr, "the won level shows its table")) return;
  CaptureScenarioFrame(driver, capture);
  driver.Click("hurryButton");
  driver.AdvanceTime(kHurriedCount);
  driver.Check(TextOf(driver.FindWindow("TotalScore")) == std::to_string(total),
               "the table counts to the total " + std::to_string(total) + ": " +
                   TextOf(driver.FindWindow("TotalScore")));
  driver.Click("hurryButton");
  driver.AdvanceTime(kQuoteShown);
  driver.Click("continueButton");
}

// After a Journey level the table between levels, with its tip, leads on
// to the map.
void CountTheJourneyTables(GameDriver& driver, int32_t total) {
  CountTheTable(driver, total, "flow-table.png");
  if (!driver.Check(driver.WaitForWindow("GameTips") != nullptr, "the table between levels follows")) return;
  CaptureScenarioFrame(driver, "flow-tips.png");
  driver.Check(TextOf(driver.FindWindow("CurrentLevel")) == "01-01", "naming the level won");
  driver.Check(TextOf(driver.FindWindow("TotalScore")) == std::to_string(total), "with its total");
  driver.Click("continueButton");
}

// The turning tutorial's dialogs clicked through and the turn it asks for
// dragged, to the way out of its level.
void PlayTheTurningTutorial(GameDriver& driver, TArcadeWindow& window) {
  GUI::TTutorialMsgViewImpl& messages = *window.GetTutorialMsgView();
  if (!driver.Check(WaitForTutorialDialog(driver, messages), "the tutorial's welcome shows")) return;
  ClickTutorialContinue(driver, messages);
  if (!driver.Check(WaitForTutorialDialog(driver, messages), "the tutorial asks for a turn")) return;
  if (!driver.Check(DragMatchesUntilADialogWaits(driver, window, messages), "a match ends the tutorial")) return;
  if (!driver.Check(WaitForTutorialDialog(driver, messages), "the tutorial's last dialog shows")) return;
  CaptureScenarioFrame(driver, "flow-tutorial.png");
  ClickTutorialContinue(driver, messages);
  driver.AdvanceTime(kTutorialLevelEnd);
}

// The first tutorial, from the title menu's Help: its dialogs clicked
// through, the turn it asks for dragged, back to the help screen and the
// menu. Played from there it marks nothing seen.
void PlayTheFirstTutorialFromHelp(GameDriver& driver) {
  driver.Click("helpButton");
  driver.Check(driver.WaitForWindow("helpTutorial1") != nullptr, "Help lists the tutorials");
  driver.Click("helpTutorial1");
  auto* window = TArcadeWindow::Cast(driver.WaitForWindow("playWindow"));
  if (!driver.Check(window && window->GetTutorialMsgView(), "the first tutorial is played")) return;
  driver.Check(TGameApp::Instance().IsTutorialMode(), "in tutorial mode");
  PlayTheTurningTutorial(driver, *window);
  driver.Check(driver.WaitForWindow("helpTutorial1") != nullptr && driver.FindWindow("playWindow") == nullptr,
               "the tutorial leads back to the help screen");
  driver.Check(!TGameApp::Instance().IsTutorialMode(), "with tutorial mode off");
  driver.Check(!TGameApp::Instance().IsTutorialSeen({2, 1}), "and the tutorial not marked seen");
  driver.Click("helpBack");
  driver.Check(driver.WaitForWindow("welcome") != nullptr, "the help screen leads back to the menu");
}

// Level 1-1 from the map: paused with Escape and by a lost activation,
// then won by the bot and counted. Its total is kept for the second start.
void PlayTheFirstJourneyLevel(GameDriver& driver) {
  driver.Click("playButton");
  driver.Check(driver.WaitForWindow("worldName") != nullptr, "Play opens the map");
  driver.Click("level1");
  auto* window = TArcadeWindow::Cast(driver.WaitForWindow("playWindow"));
  if (!driver.Check(window && window->GetTowerControl(), "level 1-1 is played")) return;
  driver.AdvanceTime(kStartUpDelivery);

  driver.PressKey(sys::vk::kEscape);
  CheckPausedAndResume(driver, *window, "Escape");
  // The player goes to another window and comes back.
  driver.Desktop().Report(sys::InputKind::FocusLost);
  driver.Pass();
  driver.Desktop().Report(sys::InputKind::FocusGained);
  driver.Pass();
  CheckPausedAndResume(driver, *window, "a lost activation");

  const TLevelBotRun played = PlayLevelWithBot(driver, kMostLevelPlay);
  driver.Check(played.ended, "the bot ends level 1-1 in " + std::to_string(played.moves) + " moves");
  const GamePlay::TLevelResult& result = GamePlay::TWorldData::Instance().GetLevelResult();
  driver.Check(result.level == GamePlay::TLevelKey{1, 1} && result.totalScore > 0, "and wins it");
  const int32_t total = result.totalScore;
  driver.AdvanceTime(kWonFlow);
  CountTheJourneyTables(driver, total);
  driver.Check(TButton::Cast(driver.WaitForWindow("level2")) != nullptr, "the map shows 1-2 open");
  driver.Check(TGameApp::Instance().GetLevelHiscore({1, 1}) == total, "the level's best is its total");
  WriteWholeFile(kFirstLevelBestFile, std::to_string(total));
}

// A level chosen on the map, its start screen's pages clicked through and
// its pre-game dialog closed.
TArcadeWindow* StartLevelFromTheMap(GameDriver& driver, int32_t level) {
  driver.Click("level" + std::to_string(level));
  driver.AdvanceTime(kStartUpDelivery);
  ClickThroughStartScreen(driver, kStartUpDelivery);
  auto* window = TArcadeWindow::Cast(driver.WaitForWindow("playWindow"));
  if (window && driver.FindWindow("pregameContinueButton")) {
    driver.Click("pregameContinueButton");
    driver.AdvanceTime(kStartUpDelivery);
  }
  return window;
}

// A Journey level of world 1 after the first, won by the bot, its tables
// counted and left for the map.
void WinWorldOneLevel(GameDriver& driver, int32_t level) {
  const std::string name = "1-" + std::to_string(level);
  TArcadeWindow* window = StartLevelFromTheMap(driver, level);
  if (!driver.Check(window && window->GetTowerControl(), "level " + name + " is played")) return;
  driver.SetFrameSpacing(kJourneyFrameSpacing);
  const TLevelBotRun played = PlayLevelWithBot(driver, kMostLevelPlay);
  driver.SetFrameSpacing(GameDriver::kFrameSpacing);
  const GamePlay::TLevelResult& result = GamePlay::TWorldData::Instance().GetLevelResult();
  const GamePlay::TLevelKey key{1, static_cast<uint32_t>(level)};
  if (!driver.Check(played.ended && result.level == key && result.totalScore > 0,
                    "the bot wins level " + name + " in " + std::to_string(played.moves) + " moves")) {
    return;
  }
  const int32_t total = result.totalScore;
  driver.AdvanceTime(kWonFlow);
  CountTheTable(driver, total, "flow-table-more.png");
  driver.Check(driver.WaitForWindow("GameTips") != nullptr &&
                   TextOf(driver.FindWindow("CurrentLevel")) == "01-0" + std::to_string(level),
               "the table between levels names " + name);
  driver.Click("continueButton");
  driver.Check(driver.WaitForWindow("worldName") != nullptr, "and leads on to the map");
}

// The rest of world 1 won by the bot, then world 2's first level, the
// Journey's first tutorial: its dialogs clicked through, the turn it asks
// for dragged, back to the map, where it counts as seen. The Journey's
// total is kept for the second start.
void PlayOnToTheFirstTutorial(GameDriver& driver) {
  for (int32_t level = 2; level <= kLevelsInWorldOne; ++level) WinWorldOneLevel(driver, level);
  WriteWholeFile(kJourneyScoreFile, std::to_string(TGameApp::Instance().GetTotalScore()));
  if (driver.FindWindow("nextWorld") && TextOf(driver.FindWindow("worldName")) != "World 2") {
    driver.Click("nextWorld");
    driver.Pass();
  }
  driver.Check(TextOf(driver.FindWindow("worldName")) == "World 2", "the map shows world 2");
  TArcadeWindow* window = StartLevelFromTheMap(driver, 1);
  if (!driver.Check(window && window->GetTutorialMsgView(), "level 2-1 plays its tutorial")) return;
  driver.Check(!TGameApp::Instance().IsTutorialMode(), "from the map, not in tutorial mode");
  PlayTheTurningTutorial(driver, *window);
  driver.Check(driver.WaitForWindow("worldName") != nullptr && driver.FindWindow("playWindow") == nullptr,
               "the tutorial leads back to the map");
  driver.Check(TGameApp::Instance().IsTutorialSeen({2, 1}), "where it counts as seen");
  driver.Click("backButton");
  driver.Check(driver.WaitForWindow("welcome") != nullptr, "the map leads back to the menu");
}

bool PlaysZenLevelOne(TArcadeWindow* window) {
  return window && window->GetScoring() && window->GetScoring()->GetLevelKey() == GamePlay::TLevelKey{0, 1};
}

// Zen from the title menu plays the first Zen level at once; left from its
// pause dialog, it leads to the Zen menu. Chosen there, the level is played
// by the bot to the end the seed gives, a win, whose table leads back to
// the menu; the menu leads to the map and the map to the title menu.
// Returns the level's total (-1 when it was not played).
int32_t PlayAZenLevel(GameDriver& driver) {
  driver.Click("zenButton");
  if (!driver.Check(PlaysZenLevelOne(TArcadeWindow::Cast(driver.WaitForWindow("playWindow"))),
                    "Zen plays the first Zen level")) {
    return -1;
  }
  driver.Click("pauseButton");
  driver.Check(driver.WaitForWindow("mapButton") != nullptr, "the pause dialog shows");
  driver.Click("mapButton");
  if (!driver.Check(driver.WaitForWindow("zenMenuBack") != nullptr, "leaving the level leads to the Zen menu")) {
    return -1;
  }
  driver.Click("zen1");
  if (!driver.Check(PlaysZenLevelOne(TArcadeWindow::Cast(driver.WaitForWindow("playWindow"))),
                    "the menu's first badge plays it again")) {
    return -1;
  }
  driver.AdvanceTime(kStartUpDelivery);
  driver.SetFrameSpacing(kZenFrameSpacing);
  const TLevelBotRun played = PlayLevelWithBot(driver, kMostZenPlay);
  driver.SetFrameSpacing(GameDriver::kFrameSpacing);
  driver.Check(played.ended, "the bot ends Zen level 1 in " + std::to_string(played.moves) + " moves");
  const GamePlay::TLevelResult& result = GamePlay::TWorldData::Instance().GetLevelResult();
  driver.Check(result.level == GamePlay::TLevelKey{0, 1} && result.totalScore > 0, "and wins it, as the seed gives");
  const int32_t total = result.totalScore;
  driver.AdvanceTime(kWonFlow);
  CountTheTable(driver, total, "flow-zen-table.png");
  driver.Check(driver.WaitForWindow("zenMenuBack") != nullptr, "the won level leads back to the Zen menu");
  driver.Check(driver.FindWindow("zen2") != nullptr, "where Zen level 2 is open");
  driver.Click("zenMenuBack");
  driver.Check(driver.WaitForWindow("worldName") != nullptr, "the Zen menu leads to the map");
  driver.Click("backButton");
  driver.Check(driver.WaitForWindow("welcome") != nullptr, "the map leads back to the menu");
  return total;
}

// The sound manager's volume of a group as a share of the master volume,
// which a group without a volume of its own follows alone.
constexpr int32_t kGroupWithoutVolume = -1;

float GroupShare(GameDriver& driver, int32_t group) {
  TSoundManager* manager = driver.Platform() ? driver.Platform()->GetSoundManager() : nullptr;
  if (!manager || manager->GetVolume(kGroupWithoutVolume) <= 0.0f) return -1.0f;
  return manager->GetVolume(group) / manager->GetVolume(kGroupWithoutVolume);
}

bool IsAbout(float share, int32_t volume) { return std::abs(share - static_cast<float>(volume) / 1000.0f) < 0.01f; }

// The music slider dragged to about half, the mute box switched on and
// off; the sound manager plays each group at the volume the options give.
void SetTheOptions(GameDriver& driver) {
  driver.Click("optionsButton");
  auto* music = GUI::TSlider::Cast(driver.WaitForWindow("musiclevelslider"));
  if (!driver.Check(music != nullptr, "the options show the music slider")) return;
  const TRect knob = music->GetKnob()->GetScreenRect();
  const TRect rail = music->GetScreenRect();
  const int32_t knobY = (knob.top + knob.bottom) / 2;
  driver.Drag((knob.left + knob.right) / 2, knobY, rail.left + rail.Width() / 2, knobY);
  GUI::TSoundFactory& sound = GUI::TSoundFactory::Instance();
  const int32_t volume = sound.GetMusicVolume();
  const int32_t effects = sound.GetEffectsVolume();
  driver.Check(volume > 400 && volume < 600, "the drag halves the music volume: " + std::to_string(volume));
  const float musicShare = GroupShare(driver, GUI::TSoundFactory::kMusicGroup);
  driver.Check(IsAbout(musicShare, volume), "the music plays at that volume: " + std::to_string(musicShare));
  driver.Click("muteallsound_checkbox");
  driver.Pass();
  driver.Check(!sound.IsSoundEnabled(), "the mute box switches the sound off");
  driver.Check(GroupShare(driver, GUI::TSoundFactory::kMusicGroup) == 0.0f &&
                   GroupShare(driver, GUI::TSoundFactory::kEffectsGroup) == 0.0f,
               "the music and the effects are silent");
  driver.Click("muteallsound_checkbox");
  driver.Pass();
  driver.Check(sound.IsSoundEnabled(), "and on again");
  driver.Check(IsAbout(GroupShare(driver, GUI::TSoundFactory::kMusicGroup), volume) &&
                   IsAbout(GroupShare(driver, GUI::TSoundFactory::kEffectsGroup), effects),
               "at their volumes again");
  driver.Click("doneButton");
  driver.Check(driver.WaitForWindow("playButton") != nullptr, "Done leads back to the menu");
  driver.Check(sound.GetMusicVolume() == volume, "the music volume stays");
}

// The service answers on real threads while game time stands still: the
// game passes, with a pause between, until the screen has its answer.
constexpr int kServiceWaits = 400;
constexpr auto kServiceWait = std::chrono::milliseconds(20);

bool WaitForTheService(GameDriver& driver, const std::function<bool(GUI::THiscore&)>& answered) {
  for (int wait = 0; wait < kServiceWaits; ++wait) {
    driver.Pass();
    GUI::THiscore* screen = GUI::THiscore::Cast(driver.FindWindow("hiscoreScreen"));
    if (screen && answered(*screen)) return true;
    std::this_thread::sleep_for(kServiceWait);
  }
  return false;
}

bool ShowsOnline(GUI::THiscore& screen) { return screen.GetViewState() == GUI::THiscore::kOnlineView; }

// "name=score" of the shown rows, blank-separated.
std::string ShownRows(GameDriver& driver) {
  std::string rows;
  for (int row = 1; driver.FindWindow("name" + std::to_string(row)); ++row) {
    std::string score = TextOf(driver.FindWindow("score" + std::to_string(row)));
    while (!score.empty() && score.back() == ' ') score.pop_back();
    rows += (rows.empty() ? "" : " ") + TextOf(driver.FindWindow("name" + std::to_string(row))) + "=" + score;
  }
  return rows;
}

// The local table of the game mode named, holding only the player's total.
bool ShowsLocalTable(GameDriver& driver, const std::string& mode, int32_t total) {
  return TextOf(driver.FindWindow("gamemode")) == mode && ShownRows(driver) == "Web=" + std::to_string(total);
}

void TypeInto(GameDriver& driver, const std::string& edit, const std::string& text) {
  driver.Click(edit);
  driver.Type(text);
  driver.Pass();
  driver.Check(TextOf(driver.FindWindow(edit)) == text, "typing fills " + edit + ": " + TextOf(driver.FindWindow(edit)));
}

bool RemembersAnAccount() {
  char name[64] = "";
  char password[64] = "";
  return TGameApp::Instance().GetHiscores()->GetAccount(name, sizeof name, password, sizeof password) && *name;
}

// The hiscores open on the local table of the mode last played, Zen, with
// the Zen total; the Journey's table holds the Journey total. Sent with an
// account and a password typed in, remembered, that comes back from the
// service under the account's name, with its rank.
void SendTheJourneyScore(GameDriver& driver, int32_t total, int32_t zenTotal) {
  driver.Click("viewhighscores");
  if (!driver.Check(driver.WaitForWindow("hiscoreScreen") != nullptr, "the menu opens the hiscores")) return;
  driver.Check(ShowsLocalTable(driver, "Zen", zenTotal),
               "the Zen table, of the mode last played, holds the Zen total: " + ShownRows(driver));
  driver.Click("gamemodeleft");
  driver.Pass();
  driver.Check(ShowsLocalTable(driver, "Journey", total),
               "the Journey table holds the Journey total: " + ShownRows(driver));
  driver.Click("submitscores");
  if (!driver.Check(driver.WaitForWindow("accountedit") != nullptr, "Submit opens its dialog")) return;
  driver.Check(TextOf(driver.FindWindow("eligiblescore")) == std::to_string(total), "offering the total");
  TypeInto(driver, "accountedit", kAccount);
  TypeInto(driver, "passedit", "secret");
  driver.Click("remember");
  driver.Click("submittoserver");
  driver.Check(WaitForTheService(driver, ShowsOnline), "the service takes the score");
  driver.Check(ShownRows(driver) == kAccount + "=" + std::to_string(total),
               "the online table shows it: " + ShownRows(driver));
  driver.Check(driver.FindWindow("congratulations") != nullptr, "with congratulations");
  driver.Check(TextOf(driver.FindWindow("yourrank")).find('1') != std::string::npos,
               "and the player's rank: " + TextOf(driver.FindWindow("yourrank")));
  driver.Check(RemembersAnAccount(), "the account is remembered");
  driver.Click("backButton");
  driver.Check(driver.WaitForWindow("playButton") != nullptr, "Back leads to the menu");
}

// A new start's tables are empty; the service still has the score.
void FindTheScoreOnline(GameDriver& driver, int32_t total) {
  driver.Click("viewhighscores");
  if (!driver.Check(driver.WaitForWindow("hiscoreScreen") != nullptr, "the menu opens the hiscores")) return;
  driver.Check(ShownRows(driver).empty(), "the local table is empty again: " + ShownRows(driver));
  driver.Check(!RemembersAnAccount(), "no account is remembered");
  driver.Click("view");
  driver.Check(WaitForTheService(driver, ShowsOnline), "the service answers");
  driver.Check(ShownRows(driver) == kAccount + "=" + std::to_string(total),
               "the online table still holds the score: " + ShownRows(driver));
  driver.Click("backButton");
  driver.Check(driver.WaitForWindow("playButton") != nullptr, "Back leads to the menu");
}

bool UserFileExists(const char* name) {
  std::string text;
  return FileReadAll(name, &text, kFileReadBinary);
}

// The window's close box, the way Ctrl-C reaches the game: everything is
// saved on the way out.
void CloseAndCheckWhatIsSaved(GameDriver& driver) {
  driver.RequestClose();
  driver.Check(driver.WaitForEnd(), "a close request ends the game");
  driver.Check(UserFileExists("user:metrics.txt"), "the metrics are written");
  TPrefs saved(false);
  driver.Check(!saved.GetValue("TotalGamePlayTime", "", TPrefs::kGlobalSection).IsEmpty(),
               "the preferences are written");
  driver.Check(!UserFileExists("user:hiscore.dat"), "the game's client writes no score file");
}

int32_t NumberIn(const std::string& file) {
  const std::string text = ReadWholeFile(file);
  return text.empty() ? -1 : std::stoi(text);
}

int32_t JourneyScore() { return NumberIn(kJourneyScoreFile); }

// A fresh folder, the service of an earlier run stopped and a new one
// started for this start and the next.
std::string SetUpThePlayedFolder() {
  HiscoreServerProcess::Load(kServerFile).Stop();
  std::filesystem::remove_all(kPlayedFolder);
  std::filesystem::create_directories(kProgramFolder);
  std::filesystem::create_directory_symlink(BuiltDataFolder::ProgramFolder() + "/assets", kProgramFolder + "/assets");
  HiscoreServerProcess server = HiscoreServerProcess::Start();
  server.Save(kServerFile);
  WriteWholeFile(kProgramFolder + "/hiscoreserver.txt", server.Address() + "\n");
  return server.Address();
}

void CheckTheServerAddress(GameDriver& driver, const std::string& address) {
  const TString used = TGameApp::Instance().GetHiscores()->GetServerAddress();
  driver.Check(address == used.CStr(), "the game uses the server of hiscoreserver.txt: " + std::string(used.CStr()));
}

TEST(WholeGame, FirstStart) {
  const std::string address = SetUpThePlayedFolder();
  ASSERT_NE(address, "") << "the hiscore service starts";
  GameRun run = PlayGame(PlayedStart(), [&address](GameDriver& driver) {
    GreetedByTheMenu(driver);
    WriteWholeFile(kFreshMusicVolumeFile, std::to_string(GUI::TSoundFactory::Instance().GetMusicVolume()));
    CheckTheServerAddress(driver, address);
    PlayTheFirstTutorialFromHelp(driver);
    PlayTheFirstJourneyLevel(driver);
    PlayOnToTheFirstTutorial(driver);
    const int32_t zenTotal = PlayAZenLevel(driver);
    SetTheOptions(driver);
    SendTheJourneyScore(driver, JourneyScore(), zenTotal);
    CheckTheLog(driver);
    CloseAndCheckWhatIsSaved(driver);
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_GT(JourneyScore(), 0) << "the first start kept its score for the second";
}

// Every start plays as a fresh "Web": the last player's progress, options
// and tutorials seen are gone, what the game keeps for every player (level
// bests, play time) stays.
TEST(WholeGame, SecondStart) {
  const int32_t journeyScore = JourneyScore();
  const int32_t firstLevelBest = NumberIn(kFirstLevelBestFile);
  const int32_t freshMusicVolume = NumberIn(kFreshMusicVolumeFile);
  ASSERT_GT(journeyScore, 0) << "the first start ran before";
  GameRun run = PlayGame(PlayedStart(), [journeyScore, firstLevelBest, freshMusicVolume](GameDriver& driver) {
    GreetedByTheMenu(driver);
    TGameApp& app = TGameApp::Instance();
    driver.Check(app.GetNumUsers() == 1 && app.GetCurrentUser() == 0, "one player, the current one");
    driver.Check(app.GetLevelStatusTable()->GetLevelStatus({1, 1}) < 0, "the last player's progress is gone");
    GUI::TSoundFactory& sound = GUI::TSoundFactory::Instance();
    driver.Check(sound.GetMusicVolume() == freshMusicVolume && sound.IsSoundEnabled(),
                 "and so are its options: music at " + std::to_string(sound.GetMusicVolume()));
    driver.Check(!app.IsTutorialSeen({2, 1}), "so are the tutorials it saw");
    driver.Check(app.GetLevelHiscore({1, 1}) == firstLevelBest, "the level's best stays");
    driver.Click("playButton");
    driver.Check(driver.WaitForWindow("worldName") != nullptr, "Play opens the map");
    driver.Check(TButton::Cast(driver.FindWindow("level2")) == nullptr, "with 1-2 shut again");
    driver.Click("backButton");
    driver.WaitForWindow("welcome");
    FindTheScoreOnline(driver, journeyScore);
    CheckTheLog(driver);
    CloseAndCheckWhatIsSaved(driver);
  });
  EXPECT_EQ(run.failures, "");
  EXPECT_EQ(run.exitCode, 0);
  HiscoreServerProcess::Load(kServerFile).Stop();
}

}  // namespace
