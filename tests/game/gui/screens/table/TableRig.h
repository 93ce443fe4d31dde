#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/gui/main/TGameApp.h"
#include "game/gui/progress/TWorldData.h"
#include "game/gui/screens/TCollectableTableWindow.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "game/rules/scoring/TLevelResult.h"
#include "platform/text/Log.h"
#include "platform/time/TTaskList.h"
#include "platform/xml/TStringTable.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/StringTableFile.h"
#include "tests/support/SyntheticFont.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFileLayer.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TButton.h"
#include "windows/kinds/TImage.h"
#include "windows/kinds/TModalWindow.h"
#include "windows/kinds/TScreen.h"
#include "windows/kinds/TText.h"
#include "windows/script/LuaBinding.h"
#include "windows/script/TWindowScript.h"

namespace GUI {

// Level targets of the tests: 1-1 1000, 1-2 none, Zen level 1 500.
inline constexpr int32_t kTableTargetOneOne = 1000;
inline constexpr int32_t kTableTargetZenOne = 500;

// The table's dialog as the game's script builds it, without a display: the
// dialog holds "blackFade" and an area with the rows, the highlights, the
// buttons and then the table window, on a fake platform with a window
// script, a fake game clock and the application object started.
class TableRig : public testing::Test {
 protected:
  static constexpr const char* kRowNames[] = {"DestroyedPieces", "MatchCombos", "ElapsedTime",
                                              "LevelScore",      "PowerUpBonus", "TimeBonus",
                                              "BlockerBonus",    "TotalScore",   "ExpertScore"};
  static constexpr const char* kButtonNames[] = {"continueButton", "quit", "viewhighscores", "backtomain"};

  TableRig() {
    SetLogFolder(logs.Path().c_str());
    platform.SetSetting("encryptionkey", TGameApp::kEncryptionKey);
    platform.windowManager = &manager;
    fonts.InstallOn(platform);
    manager.SetScript(std::make_unique<TWindowScript>());
    manager.SetRootWindow(std::make_unique<TScreen>());
    WriteStringTable(files, "levels/scores.xml",
                     {{"L0101", "1000"}, {"L0102", "0"}, {"Zen01", "500"}, {"Zen02", "0"}});
    WriteStringTable(files, "levels/quotes.xml", {{"World01_01", "quote 1-1"}, {"World02_02", "quote 2-2"}});
    WriteStringTable(files, "levels/startscreens.xml", {{"World02_02", "title 2-2"}});
    TGameApp::Instance().Init("");
    auto dialogWindow = std::make_unique<TModalWindow>();
    dialog = dialogWindow.get();
    dialog->SetSize(800, 600);
    manager.PushModal(std::move(dialogWindow));
    fade = AddTo(*dialog, std::make_unique<TImage>(true), "blackFade");
    area = AddTo(*dialog, std::make_unique<TWindow>(), "tableArea");
    for (const char* row : kRowNames) {
      TText* text = AddTo(*area, std::make_unique<TText>(), row);
      text->Setup("", 400, 30, 0, SyntheticFonts::kName, 10, TColor(1.0f, 1.0f, 1.0f, 1.0f));
    }
    for (const char* highlight : {"PowerUpBonusHL", "BlockerBonusHL", "TimeBonusHL"}) {
      AddTo(*area, std::make_unique<TImage>(true), highlight);
    }
    for (const char* button : kButtonNames) AddTo(*area, std::make_unique<TButton>(TButton::kPush), button);
  }

  ~TableRig() override {
    manager.PopModal();
    manager.DeletePending();
    GamePlay::TWorldData::Instance().GetLevelResult() = GamePlay::TLevelResult{};
    TGameApp::Instance().Shutdown();
    GamePlay::TClockProxyRegistry::Instance().ResumeAll();
  }

  // The level just won, as the scoring model leaves it.
  static GamePlay::TLevelResult& Result() { return GamePlay::TWorldData::Instance().GetLevelResult(); }

  // The table window made as the window script makes one: attached, told
  // it is created, then its children made, then PostCreate.
  TCollectableTableWindow* AddTable() {
    std::unique_ptr<TWindow> made = TCollectableTableWindow::Create();
    made->SetName("collectableTable");
    made->SetSize(512, 424);
    TCollectableTableWindow* window = TCollectableTableWindow::Cast(made.get());
    area->AddChild(made, true);
    window->OnCreated();
    window->PostCreate();
    table = window;
    return window;
  }

  // Game time moves on by updates of 10 ms; after each the top dialog's
  // timed tasks run.
  void Update(int updates = 1) {
    for (int i = 0; i < updates; ++i) {
      clock.Update();
      if (TModalWindow* top = TModalWindow::Cast(manager.GetTopModal())) top->RunTasks(TTaskPass::Timed);
    }
  }

  bool Shown(const char* name) { return area->FindChild(name)->IsVisible(); }
  std::string Label(const char* name) { return TText::Cast(area->FindChild(name))->GetLabel().CStr(); }

  // Runs Lua on the window manager's script and reads back a global.
  std::string Lua(const std::string& chunk, const char* global) {
    manager.GetScript()->DoLuaString(chunk.c_str());
    lua_State* L = manager.GetScript()->GetState();
    PushGlobal(L, global);
    const char* text = lua_tostring(L, -1);
    std::string seen = text ? text : (lua_isboolean(L, -1) ? (lua_toboolean(L, -1) ? "true" : "false") : "nil");
    lua_pop(L, 1);
    return seen;
  }

  TempFolder logs;
  FakeClock clock;
  TestFileLayer files;
  FakePlatform platform;
  SyntheticFonts fonts;
  TWindowManager manager;
  TModalWindow* dialog = nullptr;
  TImage* fade = nullptr;
  TWindow* area = nullptr;
  TCollectableTableWindow* table = nullptr;

 private:
  template <class Window>
  static Window* AddTo(TWindow& parent, std::unique_ptr<Window> owned, const char* name) {
    Window* added = owned.get();
    added->SetName(name);
    std::unique_ptr<TWindow> child = std::move(owned);
    parent.AddChild(child, true);
    return added;
  }
};

}  // namespace GUI
