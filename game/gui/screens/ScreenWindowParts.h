#pragma once

#include <cstdint>
#include <memory>

#include "windows/core/TWindowManager.h"
#include "windows/core/TWindowTask.h"
#include "windows/script/TWindowScript.h"
#include "windows/script/WindowBinding.h"

class TWindow;

namespace GUI {

// What the windows between levels share: their update task runs every
// 10 ms from the task list of the dialog they open in, and the widgets they
// drive are their siblings in that dialog.

// Starts the task in the top modal window's list; false (logged) without one.
bool StartInTopModal(std::unique_ptr<TWindowTask> task);

// The window of that name in the window's dialog (its parent), or in the
// window itself without one.
TWindow* FindInDialog(TWindow& window, const char* name);

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
