#include "game/gui/screens/TZenMenuWindow.h"

#include "game/gui/effects/TFadeInTask.h"
#include "game/gui/effects/TGraphicRegistry.h"
#include "game/gui/main/TGameApp.h"
#include "game/gui/progress/TMetrics.h"
#include "game/gui/screens/ScreenWindowParts.h"
#include "platform/TPlatform.h"
#include "windows/core/TWindowManager.h"

namespace GUI {

namespace {

constexpr float kZenMenuFadeSpeed = 1.0f;

}  // namespace

TClassId TZenMenuWindow::ClassId() { return reinterpret_cast<TClassId>(&TZenMenuWindow::Create); }

TZenMenuWindow* TZenMenuWindow::Cast(TWindow* window) {
  return window && window->IsKindOf(ClassId()) ? static_cast<TZenMenuWindow*>(window) : nullptr;
}

std::unique_ptr<TWindow> TZenMenuWindow::Create() { return std::make_unique<TZenMenuWindow>(); }

TZenMenuWindow::~TZenMenuWindow() {
  if (GamePlay::TMetrics* metrics = TGameApp::Instance().GetMetrics()) metrics->LeaveZenMenu();
}

bool TZenMenuWindow::IsKindOf(TClassId id) const { return id == ClassId() || TWindow::IsKindOf(id); }

void TZenMenuWindow::OnCreated() {
  if (GamePlay::TMetrics* metrics = TGameApp::Instance().GetMetrics()) metrics->EnterZenMenu();
  StartInTopDialog(std::make_unique<TGameUpdateZenMenuWindow>(*this));
}

void TZenMenuWindow::PostCreate() { TFadeInTask::AddToTopModal(*this, kZenMenuFadeSpeed); }

void TZenMenuWindow::Draw() {
  TPlatform* platform = TPlatform::Instance();
  if (!platform || !platform->Begin2d()) return;
  TWindowManager* manager = platform->GetWindowManager();
  if (TWindow* root = manager ? manager->GetRootWindow() : nullptr) root->Invalidate();
  platform->End2d();
}

void TZenMenuWindow::Update() {
  TGraphicRegistry& registry = TGraphicRegistry::Instance();
  registry.SetMenuPhase(registry.GetMenuPhase() + kPhasePerUpdate);
}

bool TGameUpdateZenMenuWindow::Animate() {
  if (!TZenMenuWindow::Cast(GetWindow())) return false;
  TZenMenuWindow::Update();
  return true;
}

}  // namespace GUI
