#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/time/TTaskList.h"
#include "tests/support/CallJournal.h"
#include "tests/windows/script/ScriptedWindows.h"

// The window functions of a window script installed in a window manager
// (ScriptedWindows: an 800 x 600 root screen, the current and top window),
// with the message queues that the window library would make.
class WindowFunctionsKit : public testing::Test {
 protected:
  WindowFunctionsKit() {
    Run("gMessageQueue = {} gCommandQueue = {}");
    w.kit.ClearLog();
  }

  void Run(const std::string& text) { w.Run(text); }
  // The text of a Lua expression. Runs Lua: not while a coroutine waits for
  // a message, which would take the call.
  std::string Eval(const std::string& expression) {
    Run("gAnswer = tostring(" + expression + ")");
    return Global("gAnswer");
  }
  // A global's text, "<missing>" for nil; runs no Lua.
  std::string Global(const char* name) { return w.script->GetString(name, "<missing>").CStr(); }
  std::vector<std::string> Log() const { return w.kit.LogEntries(); }
  // One timed pass of the platform's tasks, the window script among them.
  void Pass() { w.kit.platform.tasks.DoTasks(TTaskPass::Timed); }

  // For recording windows: it outlives the windows.
  CallJournal journal;
  ScriptedWindows w;
};
