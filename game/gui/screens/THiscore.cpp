#include "game/gui/screens/THiscore.h"

#include <array>

#include "game/gui/main/TGameApp.h"
#include "game/gui/screens/GameWindowTasks.h"
#include "game/gui/screens/ScreenWindowParts.h"
#include "game/gui/screens/THiscoreSubmit.h"
#include "media/text/MarkupText.h"
#include "online/TVqHiscores.h"
#include "platform/TPlatform.h"
#include "platform/xml/TStringTable.h"
#include "windows/core/TMessage.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TModalWindow.h"
#include "windows/kinds/TText.h"

namespace GUI {

namespace {

constexpr int32_t kNameSize = 256;
// The online list never starts more than this many entries from its end.
constexpr int32_t kLastRowsShown = 5;
constexpr char kPrivacyPath[] = "/privacy";

// Hidden first at every refresh; the state shows what it needs of them.
constexpr std::array<const char*, 17> kInformational{
    "eligible", "eligibleasterisk", "server", "error", "info", "category", "local", "global", "topplayers",
    "congratulations", "congratulationsmedal", "dnq", "yourrank", "yourrankglobalinfo", "rankvalue",
    "scrollup", "scrolldown"};
constexpr std::array<const char*, 7> kButtons{"submitscores", "submitmedals", "view", "viewlocal",
                                             "moreinfo", "categoryleft", "categoryright"};
// The four columns of a row, each printed with the row's number (1 to 10).
constexpr std::array<const char*, 4> kRowColumns{"name%d", "score%d", "%d", "p1_%d"};

// The modes in the order the arrows step through them: Journey, Zen, web
// Journey, web Zen.
struct TGameModeStep {
  bool zen;
  bool web;
  const char* title;
};
constexpr std::array<TGameModeStep, 4> kGameModes{{
    {false, false, "AdvMode"},
    {true, false, "ZenMode"},
    {false, true, "WebAdvMode"},
    {true, true, "WebZenMode"},
}};

int32_t CurrentGameModeIndex() {
  const TGameApp& app = TGameApp::Instance();
  return (app.IsWebMode() ? 2 : 0) + (app.IsZenMode() ? 1 : 0);
}

TString LookUp(const TString& label, const TString& argument = "") {
  TPlatform* platform = TPlatform::Instance();
  TStringTable* strings = platform ? platform->GetStringTable() : nullptr;
  return strings ? strings->GetString(label, argument) : label;
}

// The privacy page lies on the host of the hiscore address.
TString PrivacyPage(const TString& serverAddress) {
  const int scheme = serverAddress.Find("://");
  if (scheme < 0) return PrivacyPage(TVqHiscores::kDefaultServer);
  const int path = serverAddress.FindChar('/', TFindFlags::None, scheme + 3);
  return (path < 0 ? serverAddress : serverAddress.Mid(0, path)) + kPrivacyPath;
}

}  // namespace

TClassId THiscore::ClassId() {
  static const char id = 0;
  return &id;
}

THiscore* THiscore::Cast(TWindow* window) {
  return window && window->IsKindOf(ClassId()) ? static_cast<THiscore*>(window) : nullptr;
}

std::unique_ptr<TWindow> THiscore::Create() { return std::make_unique<THiscore>(); }

// Bound through the window's link, "ShowPrivacyWeb" kept by a script after
// the screen went does nothing.
THiscore::THiscore() : mHiscores(TGameApp::Instance().GetHiscores()) {
  StartInTopDialog(std::make_unique<TUpdateHiscoreWindow>(*this), kUpdatePeriod);
  BindToNewestWindow("ShowPrivacyWeb", this, &THiscore::ShowPrivacyWeb);
}

// The dialog cannot outlive the screen it reports to: it is told to close
// by its own close message, which the manager delivers after this event.
THiscore::~THiscore() {
  TWindow* dialog = mSubmitDialog ? *mSubmitDialog : nullptr;
  TModalWindow* modal = TModalWindow::Cast(dialog);
  TWindowManager* manager = PlatformWindowManager();
  if (modal && manager) {
    manager->PostMessage(std::make_unique<TMessage>(kMessageClose, modal->GetCloseMessageName(), modal));
  }
}

bool THiscore::IsKindOf(TClassId id) const { return id == ClassId() || TWindow::IsKindOf(id); }

void THiscore::PostCreate() {
  if (IsLocalOnly()) {
    if (TWindow* panel = FindChild("leftpanel")) {
      panel->SetPosition(panel->GetRect().left + kLocalOnlyShift, panel->GetRect().top);
    }
  }
  ShowState();
}

bool THiscore::HandleMessage(TMessage& message) {
  if (message.GetType() != kMessageButtonPress || !RunCommand(message.GetName())) return false;
  ShowState();
  Invalidate();
  return true;
}

bool THiscore::InvalidateRect(TRect* rect) {
  if (!rect) return TWindow::InvalidateRect(nullptr);
  *rect = TRect(0, 0, kScreenWidth, kScreenHeight);
  TWindow::InvalidateRect(rect);
  return true;
}

bool THiscore::RunCommand(const TString& command) {
  if (command == "gamemodeleft" || command == "gamemoderight") {
    StepGameMode(command == "gamemoderight" ? 1 : -1);
  } else if (command == "categoryleft" || command == "categoryright") {
    StepCategory(command == "categoryright" ? 1 : -1);
  } else if (command == "view") {
    mResultMode = kNoResult;
    RequestCategories();
  } else if (command == "viewlocal") {
    mViewState = kLocalView;
    mFirstRow = 0;
  } else if (command == "scrollup" || command == "scrolldown") {
    Scroll(command == "scrolldown" ? kRows : -kRows);
  } else if (command == "submitscores" || command == "submitmedals") {
    OpenSubmitDialog(command == "submitmedals");
  } else {
    return false;
  }
  return true;
}

void THiscore::StepGameMode(int32_t step) {
  if (mViewState != kLocalView && mViewState != kOnlineView) return;
  const int32_t count = static_cast<int32_t>(kGameModes.size());
  const TGameModeStep& mode = kGameModes[static_cast<size_t>((CurrentGameModeIndex() + step + count) % count)];
  TGameApp::Instance().SetGameMode(mode.zen, mode.web);
  mResultMode = kNoResult;
  mFirstRow = 0;
  if (mViewState == kOnlineView) RequestScores();
}

// Without categories there is nothing to wrap over: the index goes to -1
// or 0, and the request then names no category.
void THiscore::StepCategory(int32_t step) {
  const int32_t count = mHiscores ? mHiscores->GetTableCount() : 0;
  if (count <= 0) {
    mCategory = step < 0 ? -1 : 0;
  } else {
    mCategory = ((mCategory + step) % count + count) % count;
  }
  mFirstRow = 0;
  RequestScores();
}

void THiscore::RequestCategories() {
  if (!mHiscores) return;
  mHiscores->RequestTables();
  mViewState = kWaitingForCategories;
}

void THiscore::RequestScores() {
  if (!mHiscores) return;
  mHiscores->RequestScores(mCategory);
  mViewState = kWaitingForScores;
}

void THiscore::Scroll(int32_t rows) {
  mFirstRow += rows;
  if (mFirstRow < 0) mFirstRow = 0;
}

void THiscore::OpenSubmitDialog(bool medals) {
  if (THiscoreSubmit* dialog = THiscoreSubmit::Open(*this, medals)) mSubmitDialog = dialog->GetLink();
}

void THiscore::Update() {
  if (!mHiscores || (mViewState != kWaitingForCategories && mViewState != kWaitingForScores)) return;
  char error[kErrorTextSize] = "";
  switch (mHiscores->Update(error, kErrorTextSize, nullptr)) {
    case TVqHiscores::kPending:
      return;
    case TVqHiscores::kReplyHandled:
      if (mViewState == kWaitingForCategories) {
        RequestScores();
      } else {
        mViewState = kOnlineView;
      }
      break;
    default:
      mErrorText = error;
      mViewState = kErrorView;
      break;
  }
  ShowState();
  Invalidate();
}

void THiscore::ShowSubmissionResult(TResultMode result) {
  RequestCategories();
  mResultMode = result;
  ShowState();
  Invalidate();
}

void THiscore::ShowPrivacyWeb() {
  TPlatform* platform = TPlatform::Instance();
  if (platform && mHiscores) platform->OpenURL(PrivacyPage(mHiscores->GetServerAddress()));
}

void THiscore::ShowState() {
  for (const char* name : kInformational) Show(name, false);
  for (int32_t row = 1; row <= kRows; ++row) {
    for (const char* column : kRowColumns) Show(TString::Format(column, row).CStr(), false);
  }
  SetText("gamemode", GameModeTitle());
  const bool localOnly = IsLocalOnly();
  Show("rightpanel", !localOnly && mViewState == kLocalView);
  Show("rightpanelsmall", !localOnly && mViewState != kLocalView);
  if (mViewState == kLocalView || mViewState == kOnlineView) ShowRows(mViewState == kLocalView);
  const bool pending = HasPendingLocalScore();
  if (mViewState == kLocalView) {
    Show("info", !localOnly);
    Show("eligible", pending);
    Show("eligibleasterisk", pending);
  }
  if (mViewState == kOnlineView) ShowOnlineResult();
  Show("server", mViewState == kWaitingForCategories || mViewState == kWaitingForScores);
  if (mViewState == kErrorView) {
    SetText("error", mErrorText);
    Show("error", true);
  }
  ShowButtons();
}

void THiscore::ShowRows(bool local) {
  if (!mHiscores) return;
  const int32_t count = mHiscores->GetScoreCount(local);
  if (!local && mFirstRow > count - kLastRowsShown) mFirstRow = count - kLastRowsShown;
  if (mFirstRow < 0) mFirstRow = 0;
  const bool localOnly = IsLocalOnly();
  Show(local ? (localOnly ? "topplayers" : "local") : "global", true);
  Show("scrollup", mFirstRow != 0);
  Show("scrolldown", mFirstRow + kRows < count);
  const bool online = TGameApp::Instance().GetHiscoreMode() == kOnlineHiscores;
  for (int32_t row = 1; row <= kRows; ++row) {
    char name[kNameSize] = "";
    int32_t score = 0;
    bool anonymous = true;
    if (!mHiscores->GetScore(local, mFirstRow + row - 1, nullptr, name, kNameSize, &anonymous, &score, nullptr, 0)) {
      break;
    }
    SetText(TString::Format("name%d", row), name);
    SetText(TString::Format("score%d", row), TString::Format("%d ", score));
    SetText(TString::Format("%d", row), TString::Format("%d", mFirstRow + row));
    Show(TString::Format("name%d", row).CStr(), true);
    Show(TString::Format("score%d", row).CStr(), true);
    Show(TString::Format("%d", row).CStr(), true);
    Show(TString::Format("p1_%d", row).CStr(), !anonymous && online);
  }
}

void THiscore::ShowOnlineResult() {
  char category[kNameSize] = "";
  if (mHiscores) mHiscores->GetTableName(mCategory, category, kNameSize);
  SetText("category", category);
  Show("category", true);
  Show("yourrankglobalinfo", true);
  const char* result = mResultMode == kScoreAccepted    ? "congratulations"
                       : mResultMode == kMedalsAccepted ? "congratulationsmedal"
                       : mResultMode == kNotQualified   ? "dnq"
                                                        : nullptr;
  if (result) {
    Show(result, true);
    Show("yourrankglobalinfo", false);
  }
  int32_t rank = 0;
  if (mHiscores && mHiscores->GetPendingScore(TVqHiscores::kPendingDownloaded, nullptr, &rank, nullptr, 0)) {
    SetText("yourrank", LookUp("yourrank", TString::Format("%d", rank)));
    Show("yourrank", true);
    Show("yourrankglobalinfo", false);
  }
}

void THiscore::ShowButtons() {
  for (const char* name : kButtons) Show(name, false);
  const bool localOnly = IsLocalOnly();
  if (mViewState == kLocalView) {
    Show("moreinfo", TGameApp::Instance().GetHiscoreMode() == kOnlineHiscores);
    Show("view", !localOnly);
    Show("submitscores", !localOnly && HasPendingLocalScore());
    Show("submitmedals", !localOnly && TGameApp::Instance().AreMedalsWaiting());
  } else if (mViewState == kOnlineView) {
    Show("viewlocal", true);
    Show("categoryleft", true);
    Show("categoryright", true);
  } else if (mViewState == kErrorView) {
    Show("viewlocal", true);
  }
}

bool THiscore::HasPendingLocalScore() const {
  return mHiscores && mHiscores->GetPendingScore(TVqHiscores::kPendingLocal, nullptr, nullptr, nullptr, 0);
}

bool THiscore::IsLocalOnly() const { return TGameApp::Instance().GetHiscoreMode() == kLocalHiscores; }

TString THiscore::GameModeTitle() const {
  return LookUp(kGameModes[static_cast<size_t>(CurrentGameModeIndex())].title);
}

void THiscore::SetText(const TString& name, const TString& text) {
  if (TText* shown = TText::Cast(FindChild(name))) shown->SetLabel(EscapeMarkup(text));
}

bool TUpdateHiscoreWindow::Animate() {
  THiscore* screen = THiscore::Cast(GetWindow());
  if (screen) screen->Update();
  return screen != nullptr;
}

}  // namespace GUI
