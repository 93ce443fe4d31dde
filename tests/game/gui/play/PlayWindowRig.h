#pragma once

#include <memory>
#include <string>
#include <vector>

#include "game/gui/main/TGameApp.h"
#include "game/gui/play/TArcadeWindow.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "platform/text/Log.h"
#include "platform/time/TTaskList.h"
#include "platform/xml/TStringTable.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/StringTableFile.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFileLayer.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TButton.h"
#include "windows/kinds/TModalWindow.h"
#include "windows/kinds/TScreen.h"
#include "windows/script/LuaBinding.h"
#include "windows/script/TWindowScript.h"

namespace GUI {

// Notes each press of the button it is given to, by the button's name.
class NotedPress final : public TButton::Action {
 public:
  explicit NotedPress(std::vector<std::string>& presses) : mPresses(presses) {}
  bool Execute(TButton& button) override {
    mPresses.push_back(button.GetName().CStr());
    return false;
  }

 private:
  std::vector<std::string>& mPresses;
};

// The play screen as its script builds it, without a display: a dialog over
// the root screen holding "pauseButton", "skipButton", "quitGame" and the
// play window "playWindow", on a fake platform with a window script of its
// own, a fake game clock and the application object started. The data
// folder is the test's to fill (strings.xml first: the rig reads it).
class PlayWindowRig {
 public:
  PlayWindowRig() {
    SetLogFolder(logs.Path().c_str());
    platform.windowManager = &manager;
    platform.stringTable = &strings;
    manager.SetScript(std::make_unique<TWindowScript>());
    manager.SetRootWindow(std::make_unique<TScreen>());
    auto dialogWindow = std::make_unique<TModalWindow>();
    dialog = dialogWindow.get();
    dialog->SetSize(TArcadeWindow::kWidth, TArcadeWindow::kHeight);
    manager.PushModal(std::move(dialogWindow));
    for (const char* name : {"pauseButton", "skipButton", "quitGame"}) AddButton(name);
    TGameApp::Instance().Init("");
  }

  ~PlayWindowRig() {
    manager.PopModal();
    manager.DeletePending();
    TGameApp::Instance().Shutdown();
    GamePlay::TClockProxyRegistry& clocks = GamePlay::TClockProxyRegistry::Instance();
    clocks.SetSuspended(false);
    clocks.ResumeAll();
  }

  PlayWindowRig(const PlayWindowRig&) = delete;
  PlayWindowRig& operator=(const PlayWindowRig&) = delete;

  // Reads the data folder's "strings.xml" into the platform's table.
  void LoadStrings() { strings.Load("strings.xml"); }

  // A play window made as the window script makes one, in the dialog.
  TArcadeWindow* AddPlayWindow() {
    std::unique_ptr<TWindow> window = TArcadeWindow::Create();
    TArcadeWindow* playWindow = TArcadeWindow::Cast(window.get());
    window->SetName("playWindow");
    dialog->AddChild(window, true);
    playWindow->PostCreate();
    return playWindow;
  }

  // Game time moves on by updates of 10 ms; after each the top dialog's
  // and the platform's timed tasks run.
  void Update(int updates = 1) {
    for (int i = 0; i < updates; ++i) {
      clock.Update();
      if (TModalWindow* top = TModalWindow::Cast(manager.GetTopModal())) top->RunTasks(TTaskPass::Timed);
      platform.tasks.DoTasks(TTaskPass::Timed);
    }
  }

  // A frame, drawn without moving time.
  void Frame() {
    TEvent paint;
    paint.type = kEventPaint;
    manager.HandleEvent(paint);
  }

  // The value of a Lua global as text ("nil" when unset).
  std::string Global(const char* name) {
    Run(std::string("gGlobalSeen = tostring(") + name + ")");
    lua_State* L = manager.GetScript()->GetState();
    PushGlobal(L, "gGlobalSeen");
    const char* text = lua_tostring(L, -1);
    std::string seen = text ? text : "";
    lua_pop(L, 1);
    return seen;
  }

  void Run(const std::string& lua) { manager.GetScript()->DoLuaString(lua.c_str()); }

  TempFolder logs;
  FakeClock clock;
  TestFileLayer files;
  TStringTable strings;
  FakePlatform platform;
  TWindowManager manager;
  TModalWindow* dialog = nullptr;
  std::vector<std::string> presses;

 private:
  void AddButton(const char* name) {
    auto button = std::make_unique<TButton>(TButton::kPush);
    button->SetName(name);
    button->SetAction(std::make_unique<NotedPress>(presses));
    std::unique_ptr<TWindow> child = std::move(button);
    dialog->AddChild(child, true);
  }
};

}  // namespace GUI
