// Numbers read from a style table along the style chain.
#include <gtest/gtest.h>

#include "tests/windows/script/ScriptTestKit.h"
#include "windows/script/LuaBinding.h"
#include "windows/script/TScript.h"
#include "windows/kinds/TWindowStyle.h"

namespace {

TEST(WindowStyle, ReadsTheKeyFromTheTableItsStyleOrItsParentElseTheDefault) {
  ScriptTestKit kit;
  TScript script;
  lua_State* L = script.GetState();
  script.DoLuaString(
      "base = { depth = 3 } gCurrentDefaultStyle = { parent = base, height = 2 }"
      " window = { width = 1, name = 'not a number', count = '7' }");
  PushGlobal(L, "window");
  TWindowStyle style(script, std::make_unique<TLuaObjectWrapper>(L));
  lua_pushnumber(L, 99);
  struct Case {
    const char* key;
    double number;
  };
  const Case cases[] = {{"width", 1}, {"height", 2}, {"depth", 3}, {"absent", -1}, {"name", -1}, {"count", 7}};
  for (const Case& c : cases) {
    EXPECT_EQ(style.GetNumber(c.key, -1), c.number) << c.key;
    EXPECT_EQ(lua_gettop(L), 1) << c.key << ": the stack is left as it was";
  }
}

}  // namespace
