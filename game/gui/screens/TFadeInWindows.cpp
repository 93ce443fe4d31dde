#include "game/gui/screens/TFadeInWindows.h"

#include "game/gui/effects/TFadeInTask.h"
#include "platform/TPlatform.h"
#include "windows/kinds/TText.h"

namespace GUI {

namespace {

constexpr float kScreenFadeSpeed = 1.0f;

}  // namespace

TClassId TFadeInWindow::ClassId() {
  static const char id = 0;
  return &id;
}

std::unique_ptr<TWindow> TFadeInWindow::Create() { return std::make_unique<TFadeInWindow>(); }

bool TFadeInWindow::IsKindOf(TClassId id) const { return id == ClassId() || TWindow::IsKindOf(id); }

void TFadeInWindow::PostCreate() { TFadeInTask::AddToTopModal(*this, kScreenFadeSpeed); }

TClassId TCreditWindow::ClassId() {
  static const char id = 0;
  return &id;
}

std::unique_ptr<TWindow> TCreditWindow::Create() { return std::make_unique<TCreditWindow>(); }

bool TCreditWindow::IsKindOf(TClassId id) const { return id == ClassId() || TFadeInWindow::IsKindOf(id); }

void TCreditWindow::PostCreate() {
  TFadeInWindow::PostCreate();
  TText* version = TText::Cast(FindChild("VersionNumber"));
  TPlatform* platform = TPlatform::Instance();
  if (version && platform) version->SetLabel(platform->GetVersionString());
}

}  // namespace GUI
