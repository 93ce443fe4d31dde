#pragma once

#include <memory>
#include <string>

#include "tests/windows/script/ScriptTestKit.h"
#include "windows/kinds/TScreen.h"
#include "windows/core/TWindow.h"
#include "windows/core/TWindowManager.h"
#include "windows/script/TWindowScript.h"

inline std::unique_ptr<TWindow> MakePlainWindow() { return std::make_unique<TWindow>(); }

// A window manager with an 800 x 600 root screen and a window script, on the
// script test kit's fake platform, with the window type "Plain" (a plain
// TWindow) registered; the root is the current window. The manager goes
// before the face, so windows tell it as they go.
struct ScriptedWindows {
  ScriptedWindows() {
    kit.platform.windowManager = &manager;
    auto screen = std::make_unique<TScreen>();
    root = screen.get();
    manager.SetRootWindow(std::move(screen));
    manager.SetScript(std::make_unique<TWindowScript>());
    script = manager.GetScript();
    manager.AddWindowType("Plain", MakePlainWindow);
  }

  void Run(const std::string& text) { script->DoLuaString(text.c_str()); }
  // Makes a "Plain" window from a table with these keys (Lua fields, such as
  // "x = 10, w = 20"); the new current window, or null when none was made.
  TWindow* Create(const std::string& keys) {
    TWindow* before = script->GetWindow();
    Run("GenericCreate{ typename = 'Plain', " + keys + " }");
    TWindow* after = script->GetWindow();
    return after != before ? after : nullptr;
  }
  // Links a new plain window of that size under the parent and makes it the
  // current window.
  TWindow* AddCurrent(TWindow& parent, int32_t width, int32_t height) {
    std::unique_ptr<TWindow> child = MakePlainWindow();
    TWindow* added = child.get();
    child->SetSize(width, height);
    parent.AddChild(child, false);
    script->PushWindow(added);
    return added;
  }
  double Global(const char* name) { return script->GetNumber(name, -1); }

  ScriptTestKit kit;
  TWindowManager manager;
  TScreen* root = nullptr;
  TWindowScript* script = nullptr;
};
