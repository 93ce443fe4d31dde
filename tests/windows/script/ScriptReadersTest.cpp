// The script host's readers: names in tables, globals and the default
// style's parent chain, and values read as bools, texts, fonts and colours.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/windows/script/ScriptTestKit.h"
#include "windows/script/LuaBinding.h"
#include "windows/script/TLuaTable.h"
#include "windows/script/TScript.h"

namespace {

using Entries = std::vector<std::string>;

class ScriptReadersTest : public testing::Test {
 protected:
  ScriptTestKit kit;
  TScript script;
  lua_State* L = script.GetState();
};

TEST_F(ScriptReadersTest, AMissingKeyIsFoundUpTheDefaultStylesParentChain) {
  script.DoLuaString(
      "base = { font = 'Base', size = 10 } mid = { parent = base, size = 20 } upper = { parent = mid }"
      " gCurrentDefaultStyle = { parent = upper } window = { title = 'w', parent = { font = 'own' } }");
  PushGlobal(L, "window");
  ASSERT_TRUE(script.FindValue("font", true));
  EXPECT_STREQ(lua_tostring(L, -1), "Base") << "three parent levels above the style; the window's parent is not asked";
  lua_pop(L, 1);
  EXPECT_EQ(script.GetNumber("size", 0), 20) << "the nearest level wins";
  EXPECT_EQ(script.GetString("title", ""), "w") << "the window's own key first";
  ASSERT_TRUE(script.FindValue("font", false)) << "without the fallback the window's own chain";
  EXPECT_STREQ(lua_tostring(L, -1), "own");
  lua_settop(L, 1);
  EXPECT_FALSE(script.FindValue("absent", true));
  EXPECT_EQ(lua_gettop(L), 1) << "the window table alone, as found";
  lua_settop(L, 0);
  EXPECT_EQ(script.GetString("font", ""), "Base") << "a global missing falls back to the style as well";
}

TEST_F(ScriptReadersTest, AChainThatComesBackToATableEndsAsMissing) {
  const char* styles[] = {
      "gCurrentDefaultStyle = {} gCurrentDefaultStyle.parent = gCurrentDefaultStyle",
      "local a, b = {}, {} a.parent = b b.parent = a gCurrentDefaultStyle = a",
      ("local first = {} local t = first for i = 1, 40 do t.parent = {} t = t.parent end t.parent = first"
       " gCurrentDefaultStyle = { parent = { parent = first } }"),
  };
  for (const char* style : styles) {
    SCOPED_TRACE(style);
    script.DoLuaString(style);
    lua_newtable(L);
    EXPECT_FALSE(script.FindValue("missing", true));
    EXPECT_EQ(lua_gettop(L), 1);
    PushGlobal(L, "gCurrentDefaultStyle");
    EXPECT_FALSE(script.FindValue("missing", false)) << "the style's own chain without the fallback";
    EXPECT_EQ(lua_gettop(L), 2);
    lua_settop(L, 0);
  }
}

TEST_F(ScriptReadersTest, PopBoolReadsOnlyNumbersAndBooleans) {
  const struct {
    const char* name;
    void (*push)(lua_State*);
    bool value;
    const char* logged;
  } cases[] = {
      {"nil", [](lua_State* L) { lua_pushnil(L); }, false, nullptr},
      {"false", [](lua_State* L) { lua_pushboolean(L, 0); }, false, nullptr},
      {"true", [](lua_State* L) { lua_pushboolean(L, 1); }, true, nullptr},
      {"0", [](lua_State* L) { lua_pushnumber(L, 0); }, false, nullptr},
      {"-0.5", [](lua_State* L) { lua_pushnumber(L, -0.5); }, true, nullptr},
      {"NaN", [](lua_State* L) { lua_pushnumber(L, std::nan("")); }, true, nullptr},
      {"\"true\"", [](lua_State* L) { lua_pushstring(L, "true"); }, false, "PopBool used on lua string true"},
      {"a table", [](lua_State* L) { lua_newtable(L); }, false,
       "PopBool used on a type that isn't a number, a boolean, or nil. (type: 5)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    kit.ClearLog();
    lua_pushstring(L, "below");
    c.push(L);
    EXPECT_EQ(script.PopBool(), c.value);
    EXPECT_EQ(kit.LogEntries(), c.logged ? Entries{c.logged} : Entries{});
    EXPECT_EQ(lua_gettop(L), 1) << "popped";
    lua_settop(L, 0);
  }
  EXPECT_FALSE(script.PopBool()) << "an empty stack";
  EXPECT_EQ(lua_gettop(L), 0);
}

TEST_F(ScriptReadersTest, AFontStateTakesWhatItsTableHas) {
  const struct {
    const char* table;
    const char* name;
    int size;
    TColor color;
  } cases[] = {
      {"{ 'Serif', 12.9, { 1, 0.5, 0.25, 0.75 } }", "Serif", 12, {1.0f, 0.5f, 0.25f, 0.75f}},
      {"{}", "", 0, {}},
      {"{ nil, -3.5 }", "", -3, {}},
      {"{ 'Mono', nil, { 1 } }", "Mono", 0, {1.0f, 0.0f, 0.0f, 0.0f}},
      {"{ {}, {}, 'red' }", "", 0, {}},
      {"'not a table'", "", 0, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.table);
    script.DoLuaString((std::string("font = ") + c.table).c_str());
    lua_pushstring(L, "below");
    PushGlobal(L, "font");
    const TFontState font = script.ReadFontState();
    EXPECT_EQ(font.name, c.name);
    EXPECT_EQ(font.size, c.size);
    EXPECT_EQ(font.color.r, c.color.r);
    EXPECT_EQ(font.color.g, c.color.g);
    EXPECT_EQ(font.color.b, c.color.b);
    EXPECT_EQ(font.color.a, c.color.a);
    EXPECT_EQ(lua_gettop(L), 1) << "the table popped";
    lua_settop(L, 0);
  }
}

TEST_F(ScriptReadersTest, AValueOfTheWrongKindReadsAsMissing) {
  script.DoLuaString("aTable = {} aNumber = 7 aBool = true aFunction = print aText = '12' wide = L\"w\"");
  EXPECT_EQ(script.GetString("aTable", "d"), "d");
  EXPECT_EQ(script.GetString("aBool", "d"), "d");
  EXPECT_EQ(script.GetString("aFunction", "d"), "d");
  EXPECT_EQ(script.GetString("wide", "d"), "d") << "a wide string has no byte text";
  EXPECT_EQ(script.GetString("aNumber", "d"), "7");
  EXPECT_EQ(script.GetNumber("aTable", 2.5), 2.5);
  EXPECT_EQ(script.GetNumber("aText", 2.5), 12) << "numeric text converts";
  EXPECT_EQ(script.GetTable("aNumber"), nullptr);
  EXPECT_NE(script.GetTable("aTable"), nullptr);
  EXPECT_EQ(script.GetTable("absent"), nullptr);
  EXPECT_TRUE(script.GetBool("aBool", false));
  EXPECT_TRUE(script.GetBool("absent", true));
  EXPECT_FALSE(script.GetBool("aText", true)) << "a string is false, and logged";
  EXPECT_EQ(kit.LogEntries(), Entries{"PopBool used on lua string 12"});
  EXPECT_EQ(lua_gettop(L), 0);
}

TEST_F(ScriptReadersTest, ItemsOfTheTableOnTop) {
  script.DoLuaString("list = { 'one', nil, 3 }");
  PushGlobal(L, "list");
  ASSERT_TRUE(script.PushIndex(1));
  EXPECT_EQ(script.PopString(), "one");
  EXPECT_FALSE(script.PushIndex(2)) << "nil: nothing pushed";
  ASSERT_TRUE(script.PushIndex(3));
  EXPECT_EQ(script.PopString(), "3");
  EXPECT_EQ(lua_gettop(L), 1);
  lua_pushnumber(L, 1);
  EXPECT_FALSE(script.PushIndex(1)) << "no table on top";
  EXPECT_EQ(lua_gettop(L), 2);
}

TEST_F(ScriptReadersTest, AGlobalStringIsSetWithoutMetamethods) {
  script.DoLuaString("setmetatable(_G, { __newindex = function() error('read-only') end })");
  lua_pushstring(L, "below");
  script.SetGlobalString("greeting", "hello");
  EXPECT_EQ(script.GetString("greeting", ""), "hello");
  EXPECT_EQ(lua_gettop(L), 1);
}

}  // namespace
