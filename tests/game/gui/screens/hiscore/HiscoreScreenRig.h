#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "game/gui/main/TGameApp.h"
#include "game/gui/screens/THiscore.h"
#include "game/gui/screens/THiscoreSubmit.h"
#include "online/TVqHiscores.h"
#include "platform/prefs/TPrefs.h"
#include "tests/game/gui/scripts/GameScriptCases.h"
#include "tests/online/HiscoreRig.h"
#include "tools/hiscore/HiscoreServer.h"
#include "windows/kinds/TButton.h"
#include "windows/kinds/TText.h"
#include "windows/kinds/TTextEdit.h"
#include "media/text/TTextLayout.h"
#include "windows/core/TMessage.h"

// The hiscore screens' cases: the game's scripts over the real window
// library (GameScriptCases) with the hiscore window type registered and the
// game's hiscore client talking to our own service on the loopback address.
//
// Globals a case may use besides the driver's:
//   Shown()              the names of the screens' children whose own flag
//                        shows them, in the order of kWatched
//   Rows()               the rows shown: "place.name=score" ("+" behind an
//                        account mark), blank-separated
//   TextOf(name)         the text a text window on the screen shows
//   View()               the screen's view state, result mode, first row
//                        and category
//   Press(name)          runs the command of the button of that name on the
//                        screen, shown or not, as a script would
//   Type(name, text)     replaces the text of the edit of that name, as
//                        typing would, and reports the keystroke
//   AddScores(own, n)    n scores of other players in the local table of
//                        the mode, then the player's own unsent one (none
//                        for 0)
//   LastQuery()          the last request's "action", "type" and "table"
//   ServerTable()        the service's table of the mode as "name=score"
//   MedalMarks()         the player's three "Submitted...Medal" entries
//   ServerMedals(name)   the medals the service keeps for the account
//   CompleteJourney()    the player has completed the Journey
//   OpenedUrls()         the addresses the platform was asked to open, the
//                        service's own as "http://service"
//   ShowResult(mode)     the screen hears that a submission was accepted
//   Place(name)          "x,y" of the window in its parent
//   Links(name)          the links laid out in the text window's text
//   Checked(name)        whether the button of that name is checked
//   DestroyScreen()      the hiscore window goes, as a script's
//                        DestroyWindow would take it
//   Mood(name)           the service "answers", "fails" or keeps silent on
//                        "tables" or "get" ("silenttables", "silentscores")
// and IdleUntil("Answered", ms): no request of the screens waits for the
// service any more; IdleUntil("WaitingForScores", ms): the screen waits for
// the scores of a category.
namespace GUI {

// The service's scores: count entries, the best first, every other one sent
// with an account; the one at own (0-based, -1 none) is the player's.
inline std::string ScoresReply(int count, int own) {
  std::string scores = "<scores>";
  for (int n = 0; n < count; ++n) {
    const bool account = n % 2 == 1 || n == own;
    scores += "<score name=\"" + (n == own ? std::string("Web") : "Online" + std::to_string(n + 1)) + "\" score=\"" +
              std::to_string(5000 - 100 * n) + "\" rank=\"" + std::to_string(n + 1) + "\" anonymous=\"" +
              (account ? "false" : "true") + "\"" + (n == own ? " account=\"true\"" : "") + "/>";
  }
  return scores + "</scores>";
}

// How the service answers for the time being.
enum class ServiceMood { kAnswers, kFails, kSilentTables, kSilentScores };

class HiscoreKeyHolder {
 protected:
  HiscoreKeySetting mKey{TGameApp::kEncryptionKey};
};

class HiscoreScreens : private HiscoreKeyHolder, public GameScriptCases {
 protected:
  static constexpr char kGame[] = "quorvane";

  HiscoreScreens() : GameScriptCases(HISCORE_SCRIPT_CASES_FOLDER) {
    driver.Manager().AddWindowType("HiscoreWindow", &THiscore::Create);
    // As the game's platform does once the string table is there.
    driver.Manager().SetTranslateLabels(true);
    mServer.Service().AddGame(kGame, TGameApp::kEncryptionKey);
    mServer.Service().AddCategory(kGame, "alltime", "All time");
    mServer.Service().AddCategory(kGame, "week", "This week");
    mServer.Http().Respond(HiscoreServer::kPath, [this](const RecordedRequest& request) { return Reply(request); });
    StartRun();
    lua_State* L = driver.Script().GetState();
    BindMethod(L, "Shown", this, &HiscoreScreens::Shown);
    BindMethod(L, "Rows", this, &HiscoreScreens::Rows);
    BindMethod(L, "TextOf", this, &HiscoreScreens::TextOf);
    BindMethod(L, "View", this, &HiscoreScreens::View);
    BindMethod(L, "Press", this, &HiscoreScreens::Press);
    BindMethod(L, "Type", this, &HiscoreScreens::Type);
    BindMethod(L, "AddScores", this, &HiscoreScreens::AddScores);
    BindMethod(L, "LastQuery", this, &HiscoreScreens::LastQuery);
    BindMethod(L, "ServerTable", this, &HiscoreScreens::ServerTable);
    BindMethod(L, "MedalMarks", this, &HiscoreScreens::MedalMarks);
    BindMethod(L, "ServerMedals", this, &HiscoreScreens::ServerMedals);
    BindMethod(L, "CompleteJourney", this, &HiscoreScreens::CompleteJourney);
    BindMethod(L, "OpenedUrls", this, &HiscoreScreens::OpenedUrls);
    BindMethod(L, "ShowResult", this, &HiscoreScreens::ShowResult);
    BindMethod(L, "Place", this, &HiscoreScreens::Place);
    BindMethod(L, "Links", this, &HiscoreScreens::Links);
    BindMethod(L, "Checked", this, &HiscoreScreens::Checked);
    BindMethod(L, "DestroyScreen", this, &HiscoreScreens::DestroyScreen);
    BindMethod(L, "Mood", this, &HiscoreScreens::Mood);
    driver.AddCondition("WaitingForScores", [] {
      THiscore* screen = THiscore::Cast(FindOnScreen("hiscoreScreen"));
      return screen && screen->GetViewState() == THiscore::kWaitingForScores;
    });
    driver.AddCondition("Answered", [] { return !IsShownOnScreen("server") && !IsShownOnScreen("submitconnect"); });
  }

  // A fresh run of the game: a new client (its tables empty) on the service,
  // in the hiscore mode given.
  void StartRun(int32_t hiscoreMode = THiscore::kOnlineHiscores) {
    TGameApp& app = TGameApp::Instance();
    app.Shutdown();
    app.Init("");
    app.SetHiscoreMode(hiscoreMode);
    app.GetHiscores()->SetServerAddress(mServer.Address().c_str());
  }

  void SetMood(ServiceMood mood) {
    std::lock_guard lock(mMutex);
    mMood = mood;
  }

  // The service answers this action with the document instead.
  void AnswerWith(const std::string& action, const std::string& hiscoreContent) {
    std::lock_guard lock(mMutex);
    mCanned[action] = "<?xml version=\"1.0\"?>\n<hiscore>" + hiscoreContent + "</hiscore>";
  }

  HiscoreServer& Server() { return mServer; }

  // Runs the case and checks what it wrote and the log's entries that
  // report an error, which must be exactly those expected.
  void ExpectLogged(const std::string& file, const std::string& expected, const std::string& logged) {
    const ScriptCaseRun run = SplitScriptCaseRun(driver.Run("cases/" + file));
    EXPECT_EQ(run.printed, expected) << file;
    EXPECT_EQ(run.problems, logged) << file;
  }

  void AddScores(int own, int others) {
    TVqHiscores* hiscores = TGameApp::Instance().GetHiscores();
    const TString player = TGameApp::Instance().GetCurrentUserName();
    for (int n = 0; n < others; ++n) {
      hiscores->SetParameter(TVqHiscores::kPlayerName, TString::Format("Player%d", n + 1));
      hiscores->AddLocalScore(1000 - 10 * n, false, "");
    }
    hiscores->SetParameter(TVqHiscores::kPlayerName, player);
    if (own > 0) hiscores->AddLocalScore(own, false, "");
  }

 private:
  static constexpr const char* kWatched[] = {
      "leftpanel", "rightpanel", "rightpanelsmall", "local", "global", "topplayers", "category", "info",
      "eligible", "eligibleasterisk", "server", "error", "congratulations", "congratulationsmedal", "dnq",
      "yourrank", "yourrankglobalinfo", "scrollup", "scrolldown", "view", "viewlocal", "moreinfo",
      "submitscores", "submitmedals", "categoryleft", "categoryright", "header", "headerMedal", "playertext",
      "yourscore", "eligiblescore", "nameeditbox", "yourvqaccount", "nametext", "passtext", "accounteditbox",
      "passeditbox", "remember", "submitconnect", "submiterror", "submiterrorok", "submittoserver",
      "medaltoserver"};

  static bool IsShownOnScreen(const char* name) {
    TWindow* window = FindOnScreen(name);
    return window && window->IsVisible();
  }

  static std::string Action(const std::string& query) {
    const size_t start = query.find("action=");
    return start == std::string::npos ? "" : query.substr(start + 7, query.find('&', start) - start - 7);
  }

  ScriptedReply Reply(const RecordedRequest& request) {
    const std::string action = Action(request.query);
    ScriptedReply reply;
    reply.headers = {{"Content-Type", "text/xml"}};
    std::lock_guard lock(mMutex);
    if (mMood == ServiceMood::kFails) {
      reply.body = "<?xml version=\"1.0\"?>\n<hiscore><tables/></hiscore>";
      reply.closeMidway = true;
      return reply;
    }
    if ((mMood == ServiceMood::kSilentTables && action == "tables") ||
        (mMood == ServiceMood::kSilentScores && action == "get")) {
      reply.neverAnswer = true;
      return reply;
    }
    auto canned = mCanned.find(action);
    reply.body = canned != mCanned.end() ? canned->second : mServer.Service().Answer(request.query);
    return reply;
  }

  TString Shown() {
    std::string shown;
    for (const char* name : kWatched) {
      if (IsShownOnScreen(name)) shown += (shown.empty() ? "" : " ") + std::string(name);
    }
    return shown.c_str();
  }

  static std::string Label(const TString& name) {
    TText* text = TText::Cast(FindOnScreen(name));
    return text ? text->GetLabel().CStr() : "";
  }

  TString Rows() {
    std::string rows;
    for (int row = 1; row <= THiscore::kRows; ++row) {
      const TString place = TString::Format("%d", row);
      if (!IsShownOnScreen(place.CStr())) continue;
      rows += (rows.empty() ? "" : " ") + Label(place) + "." + Label(TString::Format("name%d", row)) + "=" +
              Label(TString::Format("score%d", row)) + (IsShownOnScreen(TString::Format("p1_%d", row).CStr()) ? "+" : "");
    }
    return rows.c_str();
  }

  TString TextOf(TString name) { return Label(name).c_str(); }

  TString Place(TString name) {
    TWindow* window = FindOnScreen(name);
    return window ? TString::Format("%d,%d", window->GetRect().left, window->GetRect().top) : TString("none");
  }

  TString View() {
    THiscore* screen = THiscore::Cast(FindOnScreen("hiscoreScreen"));
    if (!screen) return "no screen";
    return TString::Format("state %d result %d first %d category %d", screen->GetViewState(), screen->GetResultMode(),
                           screen->GetFirstRow(), screen->GetCategory());
  }

  int Links(TString name) {
    TText* text = TText::Cast(FindOnScreen(name));
    int links = 0;
    if (!text || !text->GetLayout()) return -1;
    for (const auto& line : text->GetLayout()->GetLines()) {
      for (const TGlyphRun& run : line->runs) links += run.linkId.IsEmpty() ? 0 : 1;
    }
    return links;
  }

  bool Checked(TString name) {
    TButton* button = TButton::Cast(FindOnScreen(name));
    return button && button->IsChecked();
  }

  void DestroyScreen() {
    TWindow* screen = FindOnScreen("hiscoreScreen");
    if (screen && screen->GetParent()) driver.Manager().DeferDelete(screen->GetParent()->RemoveChild(screen));
  }

  void Mood(TString name) {
    const std::map<std::string, ServiceMood> moods = {{"answers", ServiceMood::kAnswers},
                                                      {"fails", ServiceMood::kFails},
                                                      {"silenttables", ServiceMood::kSilentTables},
                                                      {"silentscores", ServiceMood::kSilentScores}};
    auto mood = moods.find(name.CStr());
    if (mood != moods.end()) SetMood(mood->second);
  }

  bool Press(TString name) {
    TButton* button = TButton::Cast(FindOnScreen(name));
    if (button) button->DoCommand();
    return button != nullptr;
  }

  bool Type(TString name, TString text) {
    TTextEdit* edit = TTextEdit::Cast(FindOnScreen(name));
    if (!edit) return false;
    edit->SetLabel(text);
    driver.Manager().PostMessage(std::make_unique<TMessage>(kMessageTextEdit, name, edit));
    return true;
  }

  TString LastQuery() {
    std::vector<RecordedRequest> requests = mServer.Requests();
    if (requests.empty()) return "none";
    std::string shown;
    for (const char* key : {"action=", "type=", "table="}) {
      const std::string& query = requests.back().query;
      const size_t start = query.find(std::string("&") + key);
      if (start != std::string::npos) shown += (shown.empty() ? "" : " ") + query.substr(start + 1, query.find('&', start + 1) - start - 1);
    }
    return shown.c_str();
  }

  TString ServerTable() {
    std::string table;
    const std::string mode = TGameApp::Instance().GetGameMode().CStr();
    for (const HiscoreService::Entry& entry : mServer.Service().Table(kGame, mode, "alltime")) {
      table += (table.empty() ? "" : " ") + entry.name + "=" + std::to_string(entry.score);
    }
    return table.c_str();
  }

  TString MedalMarks() {
    TPrefs* prefs = TGameApp::Instance().GetPrefs();
    const int32_t user = TGameApp::Instance().GetCurrentUser();
    return TString::Format("journey %d expert %d zen %d",
                           prefs->GetInt("SubmittedCompletedJourneyModeMedal", 0, user),
                           prefs->GetInt("SubmittedCompletedExpertMedal", 0, user),
                           prefs->GetInt("SubmittedCompletedZenModeMedal", 0, user));
  }

  TString ServerMedals(TString account) {
    std::string medals;
    for (const std::string& medal : mServer.Service().Medals(account.CStr())) medals += (medals.empty() ? "" : " ") + medal;
    return medals.c_str();
  }

  void CompleteJourney() { TGameApp::Instance().SetCompletedJourneyMode(true); }

  // The service's own address reads "http://service".
  TString OpenedUrls() {
    const std::string service = mServer.Http().Address("");
    std::string urls;
    for (std::string url : driver.Platform().openedUrls) {
      if (url.rfind(service, 0) == 0) url = "http://service" + url.substr(service.size());
      urls += (urls.empty() ? "" : " ") + url;
    }
    return urls.c_str();
  }

  void ShowResult(int mode) {
    if (THiscore* screen = THiscore::Cast(FindOnScreen("hiscoreScreen"))) {
      screen->ShowSubmissionResult(static_cast<THiscore::TResultMode>(mode));
    }
  }

  std::mutex mMutex;
  ServiceMood mMood = ServiceMood::kAnswers;
  std::map<std::string, std::string> mCanned;
  HiscoreServer mServer;
};

}  // namespace GUI
