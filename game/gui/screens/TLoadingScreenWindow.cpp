#include "game/gui/screens/TLoadingScreenWindow.h"

#include <algorithm>

#include "game/gui/effects/TGraphicRegistry.h"
#include "game/gui/screens/GameWindowTasks.h"
#include "platform/TPlatform.h"
#include "platform/xml/TStringTable.h"
#include "windows/kinds/TButton.h"
#include "windows/kinds/TText.h"

namespace GUI {

namespace {

constexpr uint32_t kLoadingSliceBudget = 10;
constexpr float kLoadingPhasePerProgress = 0.05f;

}  // namespace

TClassId TLoadingScreenWindow::ClassId() {
  static const char id = 0;
  return &id;
}

TLoadingScreenWindow* TLoadingScreenWindow::Cast(TWindow* window) {
  return window && window->IsKindOf(ClassId()) ? static_cast<TLoadingScreenWindow*>(window) : nullptr;
}

std::unique_ptr<TWindow> TLoadingScreenWindow::Create() { return std::make_unique<TLoadingScreenWindow>(); }

bool TLoadingScreenWindow::IsKindOf(TClassId id) const { return id == ClassId() || TWindow::IsKindOf(id); }

void TLoadingScreenWindow::OnCreated() { StartInTopDialog(std::make_unique<TGameUpdateWindow>(*this)); }

void TLoadingScreenWindow::PostCreate() {
  mTotal = TGraphicRegistry::Instance().Preload();
  if (TButton* button = TButton::Cast(FindInDialog(*this, "hiddenCloseButton"))) button->ClearFlags(kWindowVisible);
}

void TLoadingScreenWindow::Draw() {
  TPlatform* platform = TPlatform::Instance();
  if (platform && platform->Begin2d()) platform->End2d();
}

bool TLoadingScreenWindow::Update(uint32_t budget) {
  if (mFinished) return false;
  TGraphicRegistry& registry = TGraphicRegistry::Instance();
  mSliceClock->Reset();
  mSliceClock->Start();
  do {
    if (registry.GetFetchQueue().empty()) {
      FinishLoading();
      return false;
    }
    registry.FetchNext();
    ++mDone;
  } while (mSliceClock->GetTime() < budget);
  ShowProgress();
  Invalidate();
  return true;
}

// Nothing queued by this screen's Preload (the registry knew names
// already) counts as loaded, whatever the queue still holds.
void TLoadingScreenWindow::ShowProgress() {
  const float progress =
      mTotal == 0 ? 1.0f : std::min(1.0f, static_cast<float>(mDone) / static_cast<float>(mTotal));
  mMenuPhase += progress * kLoadingPhasePerProgress;
  TGraphicRegistry::Instance().SetMenuPhase(mMenuPhase);
  TText* text = TText::Cast(FindInDialog(*this, "loadingText"));
  TPlatform* platform = TPlatform::Instance();
  TStringTable* strings = platform ? platform->GetStringTable() : nullptr;
  if (!text || !strings) return;
  const TString percentage = TString::Format("%02d%%", static_cast<int>(progress * 100.0f));
  text->SetLabel(strings->GetString("LoadingLabel", percentage));
}

void TLoadingScreenWindow::FinishLoading() {
  mFinished = true;
  TGraphicRegistry::Instance().FetchAll();
  if (TButton* button = TButton::Cast(FindInDialog(*this, "hiddenCloseButton"))) button->DoCommand();
}

bool TGameUpdateWindow::Animate() {
  TLoadingScreenWindow* window = TLoadingScreenWindow::Cast(GetWindow());
  return window && window->Update(kLoadingSliceBudget);
}

}  // namespace GUI
