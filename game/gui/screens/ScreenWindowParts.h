#pragma once

#include "game/gui/screens/GameWindowTasks.h"
#include "windows/core/TWindowManager.h"
#include "windows/script/TWindowScript.h"
#include "windows/script/WindowBinding.h"

namespace GUI {

// Sets the Lua global of that name on the window manager's script to the
// window's method, reached through the window's link: the newest window of a
// kind holds the name, and a call once it is gone does nothing.
template <class Target, class R, class... Args>
void BindToNewestWindow(const char* name, Target* window, R (Target::*method)(Args...)) {
  TWindowManager* manager = PlatformWindowManager();
  TWindowScript* script = manager ? manager->GetScript() : nullptr;
  if (!script) return;
  lua_State* L = script->GetState();
  PushWindowMethod(L, window, method);
  SetGlobal(L, name);
}

}  // namespace GUI
