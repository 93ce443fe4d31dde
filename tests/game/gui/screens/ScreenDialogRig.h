#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/text/Log.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/SyntheticFont.h"
#include "tests/support/TempFolder.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TModalWindow.h"
#include "windows/kinds/TScreen.h"
#include "windows/kinds/TText.h"
#include "windows/script/TWindowScript.h"

namespace GUI {

// A dialog on top of the screen, as a screen script builds it, with a
// window script on the window manager for the game windows' Lua functions.
class ScreenDialogRig : public testing::Test {
 protected:
  ScreenDialogRig() {
    SetLogFolder(mLogs.Path().c_str());
    fonts.InstallOn(platform);
    platform.windowManager = &manager;
    manager.SetRootWindow(std::make_unique<TScreen>());
    manager.SetScript(std::make_unique<TWindowScript>());
    auto dialogWindow = std::make_unique<TModalWindow>();
    dialog = dialogWindow.get();
    dialog->SetSize(800, 600);
    manager.PushModal(std::move(dialogWindow));
  }

  ~ScreenDialogRig() override {
    if (manager.GetTopModal() == dialog) manager.PopModal();
    manager.DeletePending();
  }

  template <class Window>
  Window* Add(std::unique_ptr<Window> owned, const char* name) {
    Window* added = owned.get();
    added->SetName(name);
    std::unique_ptr<TWindow> child = std::move(owned);
    dialog->AddChild(child, true);
    return added;
  }

  TText* AddText(const char* name) {
    TText* text = Add(std::make_unique<TText>(), name);
    text->Setup("", 400, 40, 0, SyntheticFonts::kName, 10, TColor(1.0f, 1.0f, 1.0f, 1.0f));
    return text;
  }

  void Close(TWindow* window) { dialog->RemoveChild(window).reset(); }
  void RunLua(const std::string& text) { manager.GetScript()->DoLuaString(text.c_str(), -1); }

  FakeClock clock{1000};
  SyntheticFonts fonts;
  FakePlatform platform;
  TWindowManager manager;
  TModalWindow* dialog = nullptr;

 private:
  TempFolder mLogs;
};

}  // namespace GUI
