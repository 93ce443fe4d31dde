// What a script host relies on besides the plain C interface: whether a
// state waits in a yield, and an alert handler of lua_dobuffer that fails
// without ending the program.
#include <gtest/gtest.h>

#include <string>

#include "platform/text/Log.h"
#include "script/lua/Auxlib.h"
#include "script/lua/Lualib.h"
#include "tests/script/ScriptState.h"
#include "tests/support/TempFolder.h"

namespace {

int gSuspendedSeen = -1;

int RecordSuspended(lua_State* L) {
  gSuspendedSeen = lua_issuspended(L);
  return 0;
}

int YieldTwo(lua_State* L) {
  lua_pushnumber(L, 1);
  lua_pushnumber(L, 2);
  return lua_yield(L, 2);
}

class ScriptHostServices : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLogFolder(logs.Path().c_str());
    luaopen_base(L);
    lua_settop(L, 0);
    lua_register(L, "recordSuspended", RecordSuspended);
    lua_register(L, "yieldTwo", YieldTwo);
  }
  std::string LogText() const { return ReadWholeFile(GetLogPath().CStr()); }

  TempFolder logs;
  ScriptState state;
  lua_State* L = state.L();
};

TEST_F(ScriptHostServices, AStateIsSuspendedOnlyWhileItWaitsInAYield) {
  EXPECT_EQ(lua_issuspended(L), 0) << "at its base level";
  ASSERT_EQ(LoadSource(L, "recordSuspended() yieldTwo() recordSuspended() yieldTwo()"), 0);
  ASSERT_EQ(lua_resume(L, 0), 0) << TopString(L);
  EXPECT_EQ(gSuspendedSeen, 0) << "running is not suspended";
  EXPECT_EQ(lua_issuspended(L), 1);
  EXPECT_EQ(lua_gettop(L), 2) << "the yielded values";
  lua_settop(L, 0);
  ASSERT_EQ(lua_resume(L, 0), 0);
  EXPECT_EQ(lua_issuspended(L), 1) << "waits again";
  ASSERT_EQ(lua_resume(L, 0), 0);
  EXPECT_EQ(lua_issuspended(L), 0) << "ended: back at the base level";

  lua_settop(L, 0);
  ASSERT_EQ(LoadSource(L, "yieldTwo() error('late')"), 0);
  ASSERT_EQ(lua_resume(L, 0), 0);
  EXPECT_NE(lua_resume(L, 0), 0);
  EXPECT_EQ(lua_issuspended(L), 0) << "a failed resume leaves the base level";
}

TEST_F(ScriptHostServices, AnAlertHandlerThatFailsIsLoggedAndTheProgramGoesOn) {
  const struct {
    const char* handler;
    const char* logged;
  } cases[] = {
      {"function _ALERT(m) error('handler broke', 0) end", "_ALERT failed: handler broke"},
      {"function _ALERT(m) yieldTwo() end", "_ALERT failed: attempt to yield across metamethod/C-call boundary"},
      {"function _ALERT(m) error({}) end", "_ALERT failed: (error object is not a string)"},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(lua_dostring(L, c.handler), 0);
    lua_pushstring(L, "below");
    EXPECT_EQ(lua_dostring(L, "undefined()"), LUA_ERRRUN) << c.handler;
    EXPECT_NE(LogText().find(c.logged), std::string::npos) << c.handler << "\n" << LogText();
    EXPECT_EQ(lua_gettop(L), 1) << "neither the message nor the handler's error is left";
    lua_settop(L, 0);
  }
}

}  // namespace
