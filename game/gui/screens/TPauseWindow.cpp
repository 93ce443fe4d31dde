#include "game/gui/screens/TPauseWindow.h"

#include "game/gui/effects/TFadeInTask.h"
#include "game/gui/main/TGameApp.h"
#include "game/gui/screens/ScreenWindowParts.h"
#include "game/rules/level/TLevelSettings.h"
#include "platform/text/TString.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TButton.h"
#include "windows/kinds/TModalWindow.h"
#include "windows/kinds/TText.h"

namespace GUI {

namespace {

// A quick fade: 125 ms.
constexpr float kPauseFadeSpeed = 4.0f;
constexpr uint8_t kPauseEscapeCharacter = 27;
constexpr uint32_t kPauseZenWorld = 0;
constexpr uint32_t kPauseLevelsPerWorld = 5;

}  // namespace

TClassId TPauseWindow::ClassId() { return reinterpret_cast<TClassId>(&TPauseWindow::Create); }

TPauseWindow* TPauseWindow::Cast(TWindow* window) {
  return window && window->IsKindOf(ClassId()) ? static_cast<TPauseWindow*>(window) : nullptr;
}

std::unique_ptr<TWindow> TPauseWindow::Create() { return std::make_unique<TPauseWindow>(); }

TPauseWindow::TPauseWindow() { BindToNewestWindow("SetCurrentLevelForPause", this, &TPauseWindow::SetCurrentLevel); }

bool TPauseWindow::IsKindOf(TClassId id) const { return id == ClassId() || TWindow::IsKindOf(id); }

void TPauseWindow::OnCreated() { StartInTopDialog(std::make_unique<TGameUpdatePauseWindow>(*this)); }

// A click on the dialog away from its buttons makes the dialog the focus
// window; as its focus child this window takes the focus back, so Escape
// still resumes the game.
void TPauseWindow::PostCreate() {
  mFadeIn = TFadeInTask::AddToTopModal(*this, kPauseFadeSpeed);
  UpdateCaption();
  if (TWindowManager* manager = PlatformWindowManager()) manager->SetFocus(this);
  if (TModalWindow* dialog = EnclosingDialog()) dialog->SetFocusChild(this);
}

TModalWindow* TPauseWindow::EnclosingDialog() {
  for (TWindow* window = GetParent(); window; window = window->GetParent()) {
    if (TModalWindow* dialog = TModalWindow::Cast(window)) return dialog;
  }
  return nullptr;
}

bool TPauseWindow::OnChar(uint8_t character) {
  if (character != kPauseEscapeCharacter) return false;
  if (TButton* button = TButton::Cast(FindInDialog(*this, "returnGame"))) button->DoCommand();
  return true;
}

void TPauseWindow::SetCurrentLevel(int32_t level, int32_t world) {
  mLevel = static_cast<uint32_t>(level);
  mWorld = static_cast<uint32_t>(world);
  UpdateCaption();
}

// Tutorial levels show no number; Journey levels count on from world to
// world, 1 to 50.
void TPauseWindow::UpdateCaption() {
  TText* text = TText::Cast(FindInDialog(*this, "LevelText"));
  if (!text) return;
  if (GamePlay::HasTutorialSettings({mWorld, mLevel}, TGameApp::Instance())) {
    text->SetLabel("");
    return;
  }
  const uint32_t number = mWorld == kPauseZenWorld ? mLevel : (mWorld - 1) * kPauseLevelsPerWorld + mLevel;
  text->SetLabel(TString::Format("LEVEL %d", static_cast<int>(number)));
}

}  // namespace GUI
