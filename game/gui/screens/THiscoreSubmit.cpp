#include "game/gui/screens/THiscoreSubmit.h"

#include <array>

#include "game/gui/main/TGameApp.h"
#include "game/gui/screens/THiscore.h"
#include "media/text/MarkupText.h"
#include "online/TVqHiscores.h"
#include "platform/text/Log.h"
#include "windows/core/TMessage.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TButton.h"
#include "windows/kinds/TText.h"
#include "windows/kinds/TTextEdit.h"

namespace GUI {

namespace {

constexpr char kScript[] = "scripts/hiscoresubmit.lua";
constexpr int32_t kAccountTextSize = 256;

constexpr char kJourneyMedal[] = "<medal name=\"quorvane_completedjourney\" per=\"game\"/>\n";
constexpr char kExpertMedal[] = "<medal name=\"quorvane_completedexpert\" per=\"game\"/>\n";
constexpr char kZenMedal[] = "<medal name=\"quorvane_completedzen\" per=\"game\"/>\n";

// What the form shows of the account: only online scores have accounts.
constexpr std::array<const char*, 6> kAccountGroup{"yourvqaccount", "nametext", "passtext",
                                                  "accounteditbox", "passeditbox", "remember"};
// What the form shows of the score being sent.
constexpr std::array<const char*, 3> kScoreGroup{"playertext", "yourscore", "nameeditbox"};

}  // namespace

void THiscoreSubmitAction::MarkSubmitted() const {
  TGameApp& app = TGameApp::Instance();
  if (journey) app.SetSubmittedJourneyMedal();
  if (expert) app.SetSubmittedExpertMedal();
  if (zen) app.SetSubmittedZenMedal();
}

THiscoreSubmit* THiscoreSubmit::Open(THiscore& screen, bool medals) {
  TWindowManager* manager = PlatformWindowManager();
  if (!manager) return nullptr;
  auto owned = std::make_unique<THiscoreSubmit>(screen, medals);
  THiscoreSubmit* dialog = owned.get();
  if (!manager->PushModal(std::move(owned))) return nullptr;
  if (!manager->RunDialogScript(dialog, kScript)) LogPrintf("The hiscore submission dialog has no %s", kScript);
  dialog->Initialise();
  dialog->ShowLayout(false);
  manager->SetFocus(dialog);
  return dialog;
}

THiscoreSubmit::THiscoreSubmit(THiscore& screen, bool medals)
    : mScreen(screen.GetLink()), mHiscores(TGameApp::Instance().GetHiscores()), mMedalMode(medals) {
  // The whole screen, so that the screen under it takes no clicks.
  SetSize(THiscore::kScreenWidth, THiscore::kScreenHeight);
}

bool THiscoreSubmit::HandleMessage(TMessage& message) {
  const TString& name = message.GetName();
  switch (message.GetType()) {
    case kMessageTextEdit:
    case kMessageDefaultAction:
      ShowSubmitButtons();
      return true;
    case kMessageButtonPress:
      if (name == "submittoserver") {
        SubmitScore();
      } else if (name == "medaltoserver") {
        SubmitMedals();
      } else if (name == "submiterrorok") {
        ShowLayout(false);
      } else if (name == "submitcancel") {
        Close();
      } else {
        return false;
      }
      return true;
    default:
      return TModalWindow::HandleMessage(message);
  }
}

void THiscoreSubmit::OnFocus(TWindow* previous) {
  if (TWindow* edit = FindChild("nameedit"); edit && edit != this) SetFocusChild(edit);
  TModalWindow::OnFocus(previous);
}

void THiscoreSubmit::Initialise() {
  if (TTextEdit* name = TTextEdit::Cast(FindChild("nameedit"))) name->SetLabel(TGameApp::Instance().GetCurrentUserName());
  char account[kAccountTextSize] = "";
  char password[kAccountTextSize] = "";
  if (mHiscores && mHiscores->GetAccount(account, kAccountTextSize, password, kAccountTextSize)) {
    if (TTextEdit* edit = TTextEdit::Cast(FindChild("accountedit"))) edit->SetLabel(account);
    if (TTextEdit* edit = TTextEdit::Cast(FindChild("passedit"))) edit->SetLabel(password);
    if (TButton* remember = TButton::Cast(FindChild("remember"))) remember->SetChecked(true);
  }
  int32_t score = 0;
  if (!mMedalMode && mHiscores &&
      mHiscores->GetPendingScore(TVqHiscores::kPendingLocal, &score, nullptr, nullptr, 0)) {
    if (TText* shown = TText::Cast(FindChild("eligiblescore"))) shown->SetLabel(TString::Format("%d", score));
  }
}

void THiscoreSubmit::ShowLayout(bool connecting) {
  Show("header", !mMedalMode);
  Show("headerMedal", mMedalMode);
  const bool form = !connecting;
  for (const char* name : kScoreGroup) Show(name, form && !mMedalMode);
  Show("eligiblescore", form && !mMedalMode && HasPendingScore());
  const bool accounts = TGameApp::Instance().GetHiscoreMode() == THiscore::kOnlineHiscores;
  for (const char* name : kAccountGroup) Show(name, form && accounts);
  Show("submitconnect", connecting);
  Show("submiterror", false);
  Show("submiterrorok", false);
  if (form) {
    ShowSubmitButtons();
  } else {
    Show("submittoserver", false);
    Show("medaltoserver", false);
  }
  Invalidate();
}

// A name or an account to send under, and something to send.
void THiscoreSubmit::ShowSubmitButtons() {
  const bool named = !EditText("nameedit").IsEmpty() || !EditText("accountedit").IsEmpty();
  Show("submittoserver", named && !mMedalMode && HasPendingScore());
  Show("medaltoserver", named && mMedalMode && TGameApp::Instance().AreMedalsWaiting());
  Invalidate();
}

void THiscoreSubmit::SubmitScore() {
  if (!mHiscores) return;
  ShowLayout(true);
  const TString name = EditText("nameedit");
  const TString account = EditText("accountedit");
  const TString password = EditText("passedit");
  const TButton* remember = TButton::Cast(FindChild("remember"));
  const bool keep = remember && remember->IsChecked();
  const bool sent = account.IsEmpty() ? mHiscores->SubmitScore(name.CStr(), nullptr, keep)
                                      : mHiscores->SubmitScore(account.CStr(), password.CStr(), keep);
  if (!sent) {
    ShowLayout(false);
    return;
  }
  StartUpdate(nullptr);
}

// The medals are marked submitted only once the service took them, so a
// failed submission leaves them to be sent again.
void THiscoreSubmit::SubmitMedals() {
  if (!mHiscores) return;
  const TString account = EditText("accountedit");
  if (account.IsEmpty()) {
    ShowLayout(false);
    return;
  }
  ShowLayout(true);
  const TString password = EditText("passedit");
  const TButton* remember = TButton::Cast(FindChild("remember"));
  TGameApp& app = TGameApp::Instance();
  auto action = std::make_shared<THiscoreSubmitAction>();
  action->journey = app.IsCompletedJourneyMode();
  action->expert = app.IsAllJourneyExpert();
  action->zen = app.IsCompletedZenMode();
  TString lines;
  if (action->journey) lines += kJourneyMedal;
  if (action->expert) lines += kExpertMedal;
  if (action->zen) lines += kZenMedal;
  mHiscores->SubmitMedals(lines.CStr(), account.CStr(), password.CStr(), remember && remember->IsChecked());
  StartUpdate(std::move(action));
}

void THiscoreSubmit::StartUpdate(std::shared_ptr<THiscoreSubmitAction> action) {
  auto task = std::make_unique<TUpdateHiscoreSubmitWindow>(*this, std::move(action));
  task->Start(kUpdatePeriod, true, true, false);
  AddTask(std::move(task));
}

void THiscoreSubmit::ShowSubmissionError(const TString& error) {
  if (TText* shown = TText::Cast(FindChild("submiterror"))) shown->SetLabel(EscapeMarkup(error));
  Show("submiterror", true);
  Show("submitconnect", false);
  Show("submiterrorok", true);
  Invalidate();
}

void THiscoreSubmit::SubmissionAccepted(bool scoreEntered, const std::shared_ptr<THiscoreSubmitAction>& action) {
  if (action) action->MarkSubmitted();
  THiscore* screen = THiscore::Cast(mScreen ? *mScreen : nullptr);
  Close();
  if (!screen) return;
  if (mMedalMode) {
    screen->ShowSubmissionResult(THiscore::kMedalsAccepted);
  } else {
    screen->ShowSubmissionResult(scoreEntered ? THiscore::kScoreAccepted : THiscore::kNotQualified);
  }
}

void THiscoreSubmit::Close() {
  TWindowManager* manager = PlatformWindowManager();
  if (manager && manager->GetTopModal() == this) manager->PopModal();
}

bool THiscoreSubmit::HasPendingScore() const {
  return mHiscores && mHiscores->GetPendingScore(TVqHiscores::kPendingLocal, nullptr, nullptr, nullptr, 0);
}

TString THiscoreSubmit::EditText(const char* name) {
  TTextEdit* edit = TTextEdit::Cast(FindChild(name));
  return edit ? edit->GetLabel() : TString("");
}


bool TUpdateHiscoreSubmitWindow::Animate() {
  THiscoreSubmit* dialog = static_cast<THiscoreSubmit*>(GetWindow());
  TVqHiscores* hiscores = TGameApp::Instance().GetHiscores();
  if (!dialog || !hiscores) return false;
  char error[THiscore::kErrorTextSize] = "";
  bool scoreEntered = false;
  switch (hiscores->Update(error, THiscore::kErrorTextSize, &scoreEntered)) {
    case TVqHiscores::kPending:
      return true;
    case TVqHiscores::kReplyHandled:
      dialog->SubmissionAccepted(scoreEntered, mAction);
      return false;
    default:
      dialog->ShowSubmissionError(error);
      return false;
  }
}

}  // namespace GUI
