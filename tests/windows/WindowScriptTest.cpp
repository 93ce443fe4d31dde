// The window script as the window manager holds it: a script host with the
// message metatable, stepped by the platform's tasks without being owned
// by them.
#include <gtest/gtest.h>

#include <memory>

#include "tests/windows/ScriptTestKit.h"
#include "windows/LuaBinding.h"
#include "windows/TWindowManager.h"
#include "windows/TWindowScript.h"

namespace {

TEST(WindowScript, ItsStateHasTheMessageMetatableFromTheStart) {
  TWindowScript script;
  lua_State* L = script.GetState();
  lua_pushstring(L, "vqMessageMetatable");
  lua_rawget(L, LUA_REGISTRYINDEX);
  ASSERT_TRUE(lua_istable(L, -1));
  lua_pushstring(L, "__gc");
  lua_rawget(L, -2);
  EXPECT_TRUE(lua_isfunction(L, -1));
}

TEST(WindowScript, ThePlatformsTasksStepTheManagersScriptUntilItGoes) {
  ScriptTestKit kit;
  TWindowManager manager;
  manager.SetScript(std::make_unique<TWindowScript>());
  TWindowScript* script = manager.GetScript();
  script->DoLuaString("return function() while true do ticks = (ticks or 0) + 1 coroutine.yield() end end");
  kit.platform.tasks.DoTasks(TTaskPass::Timed);
  kit.platform.tasks.DoTasks(TTaskPass::Timed);
  EXPECT_EQ(script->GetNumber("ticks", 0), 3);
  // The old script is gone: under the sanitizers its task would be seen
  // touching it.
  manager.SetScript(std::make_unique<TWindowScript>());
  kit.platform.tasks.DoTasks(TTaskPass::Timed);
  kit.platform.tasks.DoTasks(TTaskPass::Timed);
  EXPECT_EQ(manager.GetScript()->GetNumber("ticks", 0), 0) << "the new script runs nothing yet";
  manager.SetScript(nullptr);
  kit.platform.tasks.DoTasks(TTaskPass::Timed);
}

}  // namespace
