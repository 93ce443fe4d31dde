#include "script/lua/Metamethods.h"

#include <gtest/gtest.h>

#include "script/lua/Strings.h"
#include "script/lua/Table.h"
#include "tests/script/ScriptState.h"

namespace {

class ScriptMetamethods : public ::testing::Test {
 protected:
  ScriptState state;
  lua_State* L = state.L();

  void SetField(Table* t, const char* key, const TObject& value) {
    TObject k;
    setsvalue(&k, luaS_new(L, key));
    setobj(luaH_set(L, t, &k), &value);
  }
  TObject Number(lua_Number n) {
    TObject o;
    setnvalue(&o, n);
    return o;
  }
};

TEST_F(ScriptMetamethods, TablesAndUserdataUseTheirOwnMetatable) {
  Table* t = luaH_new(L, 0, 0);
  TObject tv;
  sethvalue(&tv, t);
  EXPECT_TRUE(ttisnil(luaT_gettmbyobj(L, &tv, TM_INDEX))) << "the default metatable is empty";
  EXPECT_EQ(luaT_getmetatable(L, &tv), hvalue(defaultmeta(L)));
  Table* mt = luaH_new(L, 0, 0);
  SetField(mt, "__index", Number(7));
  t->metatable = mt;
  EXPECT_EQ(nvalue(luaT_gettmbyobj(L, &tv, TM_INDEX)), 7);
  Udata* u = luaS_newudata(L, 4);
  TObject uv;
  setuvalue(&uv, u);
  EXPECT_EQ(luaT_getmetatable(L, &uv), hvalue(&G(L)->typemeta[LUA_TUSERDATA]));
  u->metatable = mt;
  EXPECT_EQ(nvalue(luaT_gettmbyobj(L, &uv, TM_INDEX)), 7);
}

TEST_F(ScriptMetamethods, OtherValuesUseTheirPerTypeTableForEveryEvent) {
  TObject values[4];
  setnvalue(&values[0], 1);
  setsvalue(&values[1], luaS_new(L, "s"));
  setbvalue(&values[2], 1);
  const lua_WChar unit = 'w';
  setwsvalue(&values[3], luaS_newlwstr(L, &unit, 1));
  for (const TObject& v : values) {
    const TObject* entry = &G(L)->typemeta[ttype(&v)];
    for (TMS event : {TM_INDEX, TM_NEWINDEX, TM_ADD, TM_LT, TM_CALL}) {
      EXPECT_EQ(luaT_gettmbyobj(L, &v, event), entry) << ttype(&v) << " " << event;
    }
    EXPECT_EQ(luaT_getmetatable(L, &v), hvalue(entry));
  }
  EXPECT_TRUE(ttisnil(luaT_gettmbyobj(L, &luaO_nilobject, TM_INDEX))) << "nil has no table";
  EXPECT_EQ(luaT_getmetatable(L, &luaO_nilobject), nullptr);
}

TEST_F(ScriptMetamethods, AbsenceIsCachedForTheFirstFiveEventsUntilTheTableChanges) {
  Table* mt = luaH_new(L, 0, 0);
  SetField(mt, "__add", Number(2));
  EXPECT_EQ(mt->flags, 0);
  EXPECT_EQ(fasttm(L, mt, TM_EQ), nullptr);
  EXPECT_EQ(mt->flags, 1u << TM_EQ);
  EXPECT_EQ(nvalue(luaT_gettm(mt, TM_ADD, G(L)->tmname[TM_ADD])), 2);
  EXPECT_EQ(luaT_gettm(mt, TM_SUB, G(L)->tmname[TM_SUB]), nullptr);
  EXPECT_EQ(mt->flags, 1u << TM_EQ) << "arithmetic events are not cached";
  SetField(mt, "__eq", Number(1));
  EXPECT_EQ(mt->flags, 0) << "a change clears the cache";
  ASSERT_NE(fasttm(L, mt, TM_EQ), nullptr);
  EXPECT_EQ(nvalue(fasttm(L, mt, TM_EQ)), 1);
}

}  // namespace
