// The script host: running files through the compile cache and texts with
// their error reports, calls and coroutines, the deferred path while a
// coroutine waits, and the globals every host defines.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/asset/TAssetManager.h"
#include "tests/windows/script/ScriptTestKit.h"
#include "windows/script/LuaBinding.h"
#include "windows/script/TScript.h"
#include "windows/script/TScriptCode.h"

namespace {

using Entries = std::vector<std::string>;

// A native function that makes the coroutine calling it wait.
int Wait(lua_State* L) { return lua_yield(L, 0); }

class ScriptHostTest : public testing::Test {
 protected:
  ScriptHostTest() { BindFunction(L, "Wait", Wait); }

  // Runs one timed pass of the platform's tasks, in which the host is one.
  void Pass() { kit.platform.tasks.DoTasks(TTaskPass::Timed); }
  bool TaskStopped() const { return script.GetTimeSinceDue() == UINT32_MAX; }
  TString Global(const char* name) { return script.GetString(name, "<missing>"); }
  // Pushes the global function of that name and the texts as its arguments.
  void PushCall(const char* function, const std::vector<const char*>& arguments) {
    PushGlobal(L, function);
    for (const char* argument : arguments) lua_pushstring(L, argument);
  }

  ScriptTestKit kit;
  TScript script;
  lua_State* L = script.GetState();
};

TEST_F(ScriptHostTest, AnEmptyNameOrAMissingFileRunsNothingAndLogsNothing) {
  EXPECT_FALSE(script.RunScript(""));
  EXPECT_FALSE(script.RunScript("missing.lua"));
  EXPECT_TRUE(kit.LogEntries().empty());
}

TEST_F(ScriptHostTest, AFileThatDoesNotCompileIsReportedThroughAlert) {
  kit.WriteScript("broken.lua", "x = = 1\n");
  lua_pushstring(L, "below");
  EXPECT_FALSE(script.RunScript("broken.lua"));
  const Entries log = kit.LogEntries();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].rfind("Lua error: broken.lua:1: ", 0), 0u) << log[0];
  EXPECT_EQ(lua_gettop(L), 1);
}

TEST_F(ScriptHostTest, AFileThatFailsAsItRunsIsReportedWithItsStatus) {
  kit.WriteScript("fails.lua", "ran = 'yes'\nerror('boom')\n");
  EXPECT_FALSE(script.RunScript("fails.lua"));
  EXPECT_EQ(Global("ran"), "yes");
  EXPECT_EQ(kit.LogEntries(), (Entries{"Lua error: fails.lua:2: boom", "Failed to run script fails.lua: 1"}));
  EXPECT_EQ(lua_gettop(L), 0);
}

TEST_F(ScriptHostTest, AFileIsCompiledOnceWhileAHolderKeepsItsChunk) {
  kit.WriteScript("count.lua", "runs = (runs or 0) + 1 version = 'first'\n");
  std::shared_ptr<TScriptCode> held = TScript::GetScriptCode("count.lua", GetScriptSearchPath(), nullptr);
  ASSERT_TRUE(held);
  kit.WriteScript("count.lua", "runs = (runs or 0) + 1 version = 'second'\n");
  EXPECT_TRUE(script.RunScript("count.lua"));
  EXPECT_EQ(Global("version"), "first") << "run from the held chunk";
  EXPECT_EQ(kit.platform.assets->Find("count.lua"), held);
  held.reset();
  EXPECT_TRUE(script.RunScript("count.lua"));
  EXPECT_EQ(Global("version"), "second") << "compiled again once released";
  EXPECT_EQ(Global("runs"), "2");
  EXPECT_TRUE(kit.LogEntries().empty());
}

TEST_F(ScriptHostTest, ATextThatFailsIsLoggedAndReachesLuaErrorMessage) {
  script.DoLuaString("function LuaErrorMessage(m) reported = m end");
  const struct {
    const char* text;
    Entries log;
    const char* reported;
  } cases[] = {
      {"x = = 1",
       {"DoLuaString Lua Error: [string \"x = = 1\"]:1: unexpected symbol near `='\n\twhen parsing x = = 1"},
       "Lua Error: [string \"x = = 1\"]:1: unexpected symbol near `='\n\twhen parsing"},
      {"error('boom')",
       {"Lua error: [string \"error('boom')\"]:1: boom",
        "DoLuaString Lua Error: [string \"error('boom')\"]:1: boom\n\twhen running error('boom')"},
       "Lua Error: [string \"error('boom')\"]:1: boom\n\twhen running"},
      {"error({})",
       {"Lua error: (no text)", "DoLuaString Lua Error: (no text)\n\twhen running error({})"},
       "Lua Error: (no text)\n\twhen running"},
      {"return 1", {}, "<missing>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    kit.ClearLog();
    script.SetGlobalString("reported", "<missing>");
    lua_pushstring(L, "below");
    script.DoLuaString(c.text);
    EXPECT_EQ(kit.LogEntries(), c.log);
    EXPECT_EQ(Global("reported"), c.reported);
    EXPECT_EQ(lua_gettop(L), 1);
    lua_settop(L, 0);
  }
}

TEST_F(ScriptHostTest, OnlyThePartOfATextWithinItsLengthRuns) {
  script.DoLuaString("a = 1 b = 2", 5);
  EXPECT_EQ(Global("a"), "1");
  EXPECT_EQ(Global("b"), "<missing>");
}

TEST_F(ScriptHostTest, ALuaErrorMessageThatFailsIsLoggedAndTheProgramGoesOn) {
  script.DoLuaString("function LuaErrorMessage(m) error('handler broke', 0) end");
  script.DoLuaString("error('first')");
  script.DoLuaString("function LuaErrorMessage(m) coroutine.yield() end");
  script.DoLuaString("error('second')");
  script.DoLuaString("after = 'ran'");
  const Entries log = kit.LogEntries();
  ASSERT_EQ(log.size(), 6u);
  EXPECT_EQ(log[2], "LuaErrorMessage failed: handler broke");
  EXPECT_EQ(log[5], "LuaErrorMessage failed: attempt to yield across metamethod/C-call boundary");
  EXPECT_EQ(Global("after"), "ran");
  EXPECT_EQ(lua_gettop(L), 0);
}

TEST_F(ScriptHostTest, ACallLeavesItsResultsOrItsErrorAndLogsTooManyResults) {
  script.DoLuaString("function Pair(a, b) return b, a end function Broken() error('no', 0) end");
  PushCall("Pair", {"x", "y"});
  ASSERT_EQ(script.RunFunction(2, 2), 0);
  ASSERT_EQ(lua_gettop(L), 2);
  EXPECT_STREQ(lua_tostring(L, 1), "y");
  lua_settop(L, 0);
  PushCall("Broken", {});
  EXPECT_EQ(script.RunFunction(0, 2), LUA_ERRRUN);
  ASSERT_EQ(lua_gettop(L), 1);
  EXPECT_STREQ(lua_tostring(L, 1), "no") << "_ALERT keeps the error object";
  EXPECT_EQ(kit.LogEntries(),
            (Entries{"Lua error: no", "TScript::RunFunction failure. Too many return results? (2, FAILURE CODE 1)"}));
  lua_settop(L, 0);
  EXPECT_EQ(script.RunFunction(0, 1), LUA_ERRRUN) << "nothing to call";
  EXPECT_EQ(lua_gettop(L), 0);
}

TEST_F(ScriptHostTest, AReturnedFunctionRunsAsACoroutineOneStepPerPass) {
  kit.WriteScript("steps.lua",
                  "steps = 0\n"
                  "return function() for i = 1, 3 do steps = i coroutine.yield() end steps = 'done' end\n");
  kit.platform.tasks.Add(script.MakeTask());
  ASSERT_TRUE(TaskStopped());
  EXPECT_TRUE(script.RunScript("steps.lua"));
  EXPECT_EQ(Global("steps"), "1") << "runs at once up to its first yield";
  EXPECT_TRUE(script.IsSuspended());
  EXPECT_FALSE(TaskStopped());
  EXPECT_EQ(lua_gettop(L), 0) << "the waiting coroutine's frame is left empty";
  Pass();
  EXPECT_EQ(Global("steps"), "2");
  Pass();
  EXPECT_EQ(Global("steps"), "3");
  Pass();
  EXPECT_EQ(Global("steps"), "done");
  EXPECT_FALSE(script.IsSuspended());
  EXPECT_TRUE(TaskStopped());
  Pass();
  EXPECT_EQ(lua_gettop(L), 0);
  EXPECT_TRUE(kit.LogEntries().empty());
}

TEST_F(ScriptHostTest, ATextThatReturnsAFunctionStartsItToo) {
  lua_pushstring(L, "below");
  script.DoLuaString("return function() started = 'yes' end");
  EXPECT_EQ(Global("started"), "yes");
  EXPECT_FALSE(script.IsSuspended()) << "it ended without waiting";
  EXPECT_EQ(lua_gettop(L), 1);
}

TEST_F(ScriptHostTest, AFailingResumeIsLoggedAndStopsTheTask) {
  kit.platform.tasks.Add(script.MakeTask());
  script.DoLuaString("return function() coroutine.yield() error('late', 0) end");
  ASSERT_TRUE(script.IsSuspended());
  Pass();
  EXPECT_FALSE(script.IsSuspended());
  EXPECT_TRUE(TaskStopped());
  script.DoLuaString("return function() error('early', 0) end");
  EXPECT_EQ(kit.LogEntries(), (Entries{"lua_resume ERROR: late", "lua_resume error: early"}))
      << "a resumed coroutine runs without an error handler";
  EXPECT_EQ(lua_gettop(L), 0);
}

TEST_F(ScriptHostTest, AResumeWithoutAWaitingCoroutineStartsNothing) {
  script.DoLuaString("function Never() never = 'ran' end");
  PushGlobal(L, "Never");
  lua_pushnumber(L, 1);
  EXPECT_EQ(script.Resume(1), LUA_ERRRUN);
  EXPECT_EQ(Global("never"), "<missing>");
  EXPECT_EQ(lua_gettop(L), 1) << "the value popped, what lay under it kept";
  EXPECT_EQ(kit.LogEntries(), Entries{"lua_resume ERROR: cannot resume non-suspended coroutine"});
}

// Takes a deferred call over the way the window script does: the waiting
// coroutine gets nil and the closure as the results of its wait.
class HandOverScript : public TScript {
 public:
  int offered = 0;

 protected:
  bool DeferClosure() override {
    ++offered;
    lua_pushnil(GetState());
    lua_insert(GetState(), -2);
    return Resume(2) == 0;
  }
};

TEST_F(ScriptHostTest, WhileACoroutineWaitsACallIsOfferedAsAClosure) {
  HandOverScript host;
  lua_State* H = host.GetState();
  BindFunction(H, "Wait", Wait);
  host.DoLuaString("function Mark(a, b) marked = a .. b end");
  host.DoLuaString("return function() local none, f = Wait() f() after = 'ran' end");
  ASSERT_TRUE(host.IsSuspended());
  PushGlobal(H, "Mark");
  lua_pushstring(H, "x");
  lua_pushstring(H, "y");
  EXPECT_EQ(host.RunFunction(2, 1), 0);
  EXPECT_EQ(host.offered, 1);
  EXPECT_EQ(host.GetString("marked", ""), "xy");
  EXPECT_EQ(host.GetString("after", ""), "ran") << "the coroutine went on and ended";
  EXPECT_FALSE(host.IsSuspended());
  EXPECT_EQ(lua_gettop(H), 0);
}

TEST_F(ScriptHostTest, TheDefaultDeclinesAClosureAndTheCallRunsAtOnce) {
  script.DoLuaString("function Mark(a, b) marked = a .. b return 'result' end");
  script.DoLuaString("return function() Wait() after = 'ran' end");
  ASSERT_TRUE(script.IsSuspended());
  lua_pushstring(L, "below");
  PushCall("Mark", {"x", "y"});
  EXPECT_EQ(script.RunFunction(2, 1), 0);
  EXPECT_EQ(Global("marked"), "xy");
  EXPECT_TRUE(script.IsSuspended()) << "the coroutine still waits";
  EXPECT_EQ(lua_gettop(L), 2) << "one result in place of the function and its arguments";
  lua_settop(L, 0);
  PushCall("Mark", {"p", "q"});
  EXPECT_EQ(script.RunFunction(2, 2), 0) << "two results: called at once, nothing offered";
  EXPECT_EQ(Global("marked"), "pq");
  EXPECT_STREQ(lua_tostring(L, 1), "result");
  lua_settop(L, 0);
  kit.platform.tasks.Add(script.MakeTask());
  Pass();
  EXPECT_EQ(Global("after"), "ran");
}

TEST_F(ScriptHostTest, PendingWrappersGoBeforeTheNextCall) {
  lua_newtable(L);
  auto wrapper = std::make_unique<TLuaObjectWrapper>(L);
  const void* key = wrapper.get();
  script.ReleaseLater(std::move(wrapper));
  lua_pushlightuserdata(L, const_cast<void*>(key));
  lua_rawget(L, LUA_REGISTRYINDEX);
  EXPECT_TRUE(lua_istable(L, -1)) << "still held";
  lua_settop(L, 0);
  script.DoLuaString("x = 1");
  lua_pushlightuserdata(L, const_cast<void*>(key));
  lua_rawget(L, LUA_REGISTRYINDEX);
  EXPECT_TRUE(lua_isnil(L, -1));
}

TEST_F(ScriptHostTest, TheHostsGlobals) {
  script.DoLuaString("given = _ALERT('said') DebugOut('ignored')");
  EXPECT_EQ(Global("given"), "said") << "_ALERT gives its argument back";
  PushGlobal(L, "_SCRIPT");
  EXPECT_EQ(lua_touserdata(L, -1), static_cast<void*>(&script));
  lua_pop(L, 1);
  script.DoLuaString("DumpTable({10, 'x', {}}) DumpTable({[print] = false})");
  EXPECT_EQ(kit.LogEntries(), (Entries{"Lua error: said", "1[number] - 10[number]", "2[number] - x[string]",
                                       "3[number] - (no text)[table]", "(no text)[function] - (no text)[boolean]"}));
}

// Each host takes the search path in force when it is made as its own
// LUA_PATH; the environment's LUA_PATH is not followed.
TEST_F(ScriptHostTest, RequireLooksAlongItsOwnHostsSearchPath) {
  kit.WriteScript("north/mod.lua", "found = 'north'\n");
  kit.WriteScript("south/mod.lua", "found = 'south'\n");
  const TString before = GetScriptSearchPath();
  const char* environment = std::getenv("LUA_PATH");
  const std::string outside = environment != nullptr ? environment : "";
  setenv("LUA_PATH", "south/?.lua", 1);
  SetScriptSearchPath("x/?;north/?.lua");
  TScript north;
  SetScriptSearchPath("south/?.lua;north/?.lua");
  TScript south;
  SetScriptSearchPath(before);
  north.DoLuaString("require 'mod'");
  south.DoLuaString("require 'mod'");
  if (environment != nullptr) {
    setenv("LUA_PATH", outside.c_str(), 1);
  } else {
    unsetenv("LUA_PATH");
  }
  EXPECT_EQ(north.GetString("found", "<missing>"), "north");
  EXPECT_EQ(south.GetString("found", "<missing>"), "south");
  EXPECT_EQ(north.GetString("LUA_PATH", ""), "x/?;north/?.lua");
  EXPECT_TRUE(kit.LogEntries().empty());
}

TEST_F(ScriptHostTest, TheSearchPathIsOneForTheProcess) {
  const TString before = GetScriptSearchPath();
  EXPECT_EQ(before, "assets/?;?;../?;../../?");
  SetScriptSearchPath("levels/?");
  EXPECT_EQ(GetScriptSearchPath(), "levels/?");
  SetScriptSearchPath(before);
}

}  // namespace
