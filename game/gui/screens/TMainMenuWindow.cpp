#include "game/gui/screens/TMainMenuWindow.h"

#include "game/gui/effects/TFadeInTask.h"
#include "game/gui/effects/TGraphicRegistry.h"
#include "game/gui/main/TGameApp.h"
#include "game/gui/screens/GameWindowTasks.h"
#include "game/gui/sound/TSoundFactory.h"
#include "platform/TPlatform.h"
#include "platform/file/FileIndex.h"
#include "platform/xml/TStringTable.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TButton.h"
#include "windows/kinds/TText.h"
#include "windows/script/TWindowScript.h"
#include "windows/script/WindowBinding.h"

namespace GUI {

namespace {

constexpr float kMainMenuFadeSpeed = 1.0f;
constexpr const char* kMoreGamesFile = "xsell/xsell.xml";
constexpr int32_t kMsnPortal = 1;

void BindMainMenuFunction(lua_State* L, const char* name, TMainMenuWindow* menu, void (TMainMenuWindow::*method)()) {
  PushWindowMethod(L, menu, method);
  SetGlobal(L, name);
}

}  // namespace

TClassId TMainMenuWindow::ClassId() {
  static const char id = 0;
  return &id;
}

TMainMenuWindow* TMainMenuWindow::Cast(TWindow* window) {
  return window && window->IsKindOf(ClassId()) ? static_cast<TMainMenuWindow*>(window) : nullptr;
}

std::unique_ptr<TWindow> TMainMenuWindow::Create() { return std::make_unique<TMainMenuWindow>(); }

// Bound through the window's link, a function the script keeps after this
// menu went does nothing instead of reaching a freed window.
TMainMenuWindow::TMainMenuWindow() {
  TWindowManager* manager = PlatformWindowManager();
  TWindowScript* script = manager ? manager->GetScript() : nullptr;
  if (script == nullptr) return;
  lua_State* L = script->GetState();
  BindMainMenuFunction(L, "SetWelcomeName", this, &TMainMenuWindow::RefreshMenu);
  BindMainMenuFunction(L, "TurnOffDrawing", this, &TMainMenuWindow::TurnOffDrawing);
}

bool TMainMenuWindow::IsKindOf(TClassId id) const { return id == ClassId() || TWindow::IsKindOf(id); }

void TMainMenuWindow::OnCreated() {
  StartInTopDialog(std::make_unique<TGameUpdateMainMenuWindow>(*this));
  TSoundFactory::Instance().PlayMainmenuBackground();
  mDrawingOn = true;
}

void TMainMenuWindow::PostCreate() {
  mFadeIn = TFadeInTask::AddToTopModal(*this, kMainMenuFadeSpeed);
  TButton* close = TButton::Cast(FindInDialog(*this, "hiddenCloseButton"));
  if (close) {
    close->ClearFlags(kWindowVisible);
    if (!TGraphicRegistry::Instance().IsComplete()) close->DoCommand();
  }
  mMoreGamesAvailable = FileExists(kMoreGamesFile);
  mDrawingOn = true;
  if (TGameApp::Instance().GetPortalMode() == kMsnPortal) Hide("viewhighscores");
}

void TMainMenuWindow::Draw() {
  TPlatform* platform = TPlatform::Instance();
  if (!platform || !platform->Begin2d()) return;
  if (mDrawingOn) {
    RefreshMenu();
    TWindowManager* manager = platform->GetWindowManager();
    if (TWindow* root = manager ? manager->GetRootWindow() : nullptr) root->Invalidate();
  }
  platform->End2d();
}

void TMainMenuWindow::Update() {
  TGraphicRegistry& registry = TGraphicRegistry::Instance();
  registry.SetMenuPhase(registry.GetMenuPhase() + kPhasePerUpdate);
  Invalidate();
}

void TMainMenuWindow::RefreshMenu() {
  if (!mMoreGamesAvailable) Hide("MoreGames");
  ShowWelcome();
  if (TGameApp::Instance().IsZenModeLocked()) Hide("zenButton");
}

void TMainMenuWindow::ShowWelcome() {
  TGameApp& app = TGameApp::Instance();
  TText* welcome = TText::Cast(FindChild("welcome"));
  if (app.GetNumUsers() == 0) {
    if (welcome) welcome->SetLabel("");
    Hide("changeplayer");
    return;
  }
  TPlatform* platform = TPlatform::Instance();
  TStringTable* strings = platform ? platform->GetStringTable() : nullptr;
  if (welcome && strings) welcome->SetLabel(strings->GetString("WelcomeLabel", app.GetCurrentUserName()));
}

void TMainMenuWindow::Hide(const char* name) {
  if (TButton* button = TButton::Cast(FindChild(name))) button->ClearFlags(kWindowVisible);
}

bool TGameUpdateMainMenuWindow::Animate() {
  TMainMenuWindow* menu = TMainMenuWindow::Cast(GetWindow());
  if (menu) menu->Update();
  return menu != nullptr;
}

}  // namespace GUI
