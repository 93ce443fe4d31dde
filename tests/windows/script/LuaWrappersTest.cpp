// Lua values held by native code: registry wrappers, table readers and
// traversal, functions, and messages in their Lua form.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/windows/script/ScriptTestKit.h"
#include "windows/script/LuaBinding.h"
#include "windows/script/TLuaMessage.h"
#include "windows/script/TLuaTable.h"
#include "windows/script/TWindowScript.h"

namespace {

using Entries = std::vector<std::string>;

// A message that counts its deletions.
class CountedMessage : public TMessage {
 public:
  CountedMessage(int32_t type, const char* name, int& deletions) : TMessage(type, name, nullptr), mDeletions(deletions) {}
  ~CountedMessage() override { ++mDeletions; }

 private:
  int& mDeletions;
};

class LuaWrappersTest : public testing::Test {
 protected:
  // Runs a text; its global `result` as text.
  std::string Result(const char* text) {
    script.DoLuaString(text);
    return script.GetString("result", "<nil>").CStr();
  }
  std::unique_ptr<TLuaTable> TableOf(const char* text) {
    script.DoLuaString((std::string("t = ") + text).c_str());
    PushGlobal(L, "t");
    return std::make_unique<TLuaTable>(L);
  }
  void Collect() { lua_setgcthreshold(L, 0); }

  // Counts deletions of CountedMessage; outlives the state, whose closing
  // deletes the messages still referenced.
  int deletions = 0;
  ScriptTestKit kit;
  TWindowScript script;
  lua_State* L = script.GetState();
};

TEST_F(LuaWrappersTest, TwoWrappersOnOneValueHoldItApart) {
  auto table = TableOf("{ name = 'kept' }");
  PushGlobal(L, "t");
  auto second = std::make_unique<TLuaTable>(L);
  script.DoLuaString("t = nil");
  table.reset();
  Collect();
  EXPECT_EQ(second->GetString("name", ""), "kept");
  EXPECT_EQ(lua_gettop(L), 0);
}

TEST_F(LuaWrappersTest, TableReadersGiveFieldsOrDefaults) {
  auto table = TableOf("{ tenth = 0.1, big = 1e15, count = 3, text = '2.5', flag = false, zero = 0, inner = { x = 1 },"
                       " 'first', [2] = 7, wide = L\"w\" }");
  EXPECT_EQ(table->GetString("tenth", ""), "0.1");
  EXPECT_EQ(table->GetString("big", ""), "1e+15") << "numbers as %.14g";
  EXPECT_EQ(table->GetString("count", ""), "3");
  EXPECT_EQ(table->GetString("inner", "d"), "d");
  EXPECT_EQ(table->GetString("flag", "d"), "d");
  EXPECT_EQ(table->GetString("wide", "d"), "d");
  EXPECT_EQ(table->GetString("absent", "d"), "d");
  EXPECT_EQ(table->GetStringAt(1, ""), "first");
  EXPECT_EQ(table->GetNumber("text", 0), 2.5);
  EXPECT_EQ(table->GetNumber("inner", -1), -1);
  EXPECT_EQ(table->GetNumberAt(2, 0), 7);
  EXPECT_EQ(table->GetNumberAt(3, -1), -1);
  EXPECT_FALSE(table->GetBool("flag", true));
  EXPECT_TRUE(table->GetBool("zero", false)) << "only nil and false are false here";
  EXPECT_TRUE(table->GetBool("absent", true));
  ASSERT_NE(table->GetTable("inner"), nullptr);
  EXPECT_EQ(table->GetTable("inner")->GetNumber("x", 0), 1);
  EXPECT_EQ(table->GetTable("count"), nullptr);
  EXPECT_EQ(table->GetTableAt(1), nullptr);
  EXPECT_EQ(lua_gettop(L), 0);

  lua_pushnumber(L, 5);
  TLuaTable notATable(L);
  EXPECT_EQ(notATable.GetString("x", "d"), "d");
  EXPECT_EQ(notATable.GetNumberAt(1, 4), 4);
  EXPECT_EQ(lua_gettop(L), 0);
}

TEST_F(LuaWrappersTest, ATraversalVisitsEveryPairAndEndsWithANullKey) {
  std::unique_ptr<TLuaObjectWrapper> key;
  EXPECT_EQ(TableOf("{}")->Next(key), nullptr) << "an empty table ends at once";
  EXPECT_EQ(key, nullptr);

  auto table = TableOf("{ 10, 20, 30 }");
  double sum = 0;
  int steps = 0;
  while (std::unique_ptr<TLuaObjectWrapper> value = table->Next(key)) {
    ASSERT_NE(key, nullptr);
    key->Push();
    value->Push();
    sum += lua_tonumber(L, -2) * lua_tonumber(L, -1);
    lua_settop(L, 0);
    ++steps;
  }
  EXPECT_EQ(steps, 3);
  EXPECT_EQ(sum, 10 + 40 + 90);
  EXPECT_EQ(key, nullptr) << "no key left on a deleted wrapper";
  EXPECT_EQ(lua_gettop(L), 0);
}

TEST_F(LuaWrappersTest, ATraversalWhoseKeyLeftTheTableEndsLogged) {
  auto table = TableOf("{ a = 1 }");
  lua_pushstring(L, "gone");
  auto key = std::make_unique<TLuaObjectWrapper>(L);
  EXPECT_EQ(table->Next(key), nullptr);
  EXPECT_EQ(key, nullptr);
  const Entries log = kit.LogEntries();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].rfind("TLuaTable::Next: ", 0), 0u) << log[0];
}

TEST_F(LuaWrappersTest, AFunctionIsCalledWithAlertAsItsHandler) {
  script.DoLuaString("function Count() calls = (calls or 0) + 1 return 'r' end function Fail() error('no', 0) end");
  lua_pushstring(L, "below");
  PushGlobal(L, "Count");
  TLuaFunction count(L);
  EXPECT_EQ(count.Call(), 0);
  EXPECT_EQ(count.Call(), 0);
  EXPECT_EQ(script.GetNumber("calls", 0), 2);
  PushGlobal(L, "Fail");
  TLuaFunction fail(L);
  EXPECT_EQ(fail.Call(), LUA_ERRRUN);
  lua_pushnumber(L, 1);
  TLuaFunction notAFunction(L);
  EXPECT_EQ(notAFunction.Call(), 0);
  EXPECT_EQ(lua_gettop(L), 1) << "each call leaves the stack as it found it";
  EXPECT_EQ(kit.LogEntries(), Entries{"Lua error: no"});
}

TEST_F(LuaWrappersTest, AMessageShowsItsTypeAndNameToLua) {
  PushMessage(L, std::make_unique<CountedMessage>(1, "  ff", deletions));
  SetGlobal(L, "m");
  EXPECT_EQ(Result("result = m.type"), "1");
  EXPECT_EQ(Result("result = m.name"), "  ff");
  EXPECT_EQ(Result("result = tostring(m.target)"), "nil");
  EXPECT_EQ(Result("result = tostring(getmetatable(m))"), "false") << "the metatable stays out of reach";
  EXPECT_EQ(deletions, 0);
}

TEST_F(LuaWrappersTest, ADroppedMessageIsDeletedByTheCollector) {
  PushMessage(L, std::make_unique<CountedMessage>(0, "dropped", deletions));
  lua_pop(L, 1);
  Collect();
  EXPECT_EQ(deletions, 1);
  PushMessage(L, std::make_unique<CountedMessage>(0, "left", deletions));
  SetGlobal(L, "kept");
  Collect();
  EXPECT_EQ(deletions, 1) << "still referenced";
}

TEST_F(LuaWrappersTest, OnlyAMessageValueReadsAsAMessage) {
  auto message = std::make_unique<CountedMessage>(3, "button", deletions);
  TMessage* boxed = message.get();
  PushMessage(L, std::move(message));
  EXPECT_EQ(ToMessage(L, -1), boxed);
  EXPECT_EQ(ToMessage(L, 1), boxed);
  const char* others[] = {"nil", "12", "'text'", "{}", "print", "newproxy(true)", "newproxy(false)"};
  for (const char* other : others) {
    script.DoLuaString((std::string("other = ") + other).c_str());
    PushGlobal(L, "other");
    EXPECT_EQ(ToMessage(L, -1), nullptr) << other;
    lua_pop(L, 1);
  }
  lua_pushlightuserdata(L, boxed);
  EXPECT_EQ(ToMessage(L, -1), nullptr) << "a light userdata";
  lua_pop(L, 1);
  lua_pushboxedpointer(L, boxed);
  EXPECT_EQ(ToMessage(L, -1), nullptr) << "a boxed pointer without the message metatable";
  lua_settop(L, 0);
  Collect();
  EXPECT_EQ(deletions, 1);
}

TEST_F(LuaWrappersTest, AMessageWrapperKeepsItsLuaMessageAlive) {
  PushMessage(L, std::make_unique<CountedMessage>(8, "LuaAction:ok", deletions));
  std::unique_ptr<TLuaMessageWrapper> wrapper = TLuaMessageWrapper::FromStackTop(L);
  ASSERT_NE(wrapper, nullptr);
  EXPECT_EQ(lua_gettop(L), 0);
  EXPECT_EQ(wrapper->GetType(), 8);
  EXPECT_EQ(wrapper->GetName(), "LuaAction:ok");
  EXPECT_TRUE(wrapper->IsKindOf(TLuaMessageWrapper::ClassId()));
  EXPECT_TRUE(wrapper->IsKindOf(TMessage::ClassId()));
  Collect();
  EXPECT_EQ(deletions, 0);
  wrapper.reset();
  Collect();
  EXPECT_EQ(deletions, 1);

  lua_pushstring(L, "below");
  lua_pushstring(L, "not a message");
  EXPECT_EQ(TLuaMessageWrapper::FromStackTop(L), nullptr);
  EXPECT_EQ(lua_gettop(L), 1) << "the value popped all the same";
}

}  // namespace
