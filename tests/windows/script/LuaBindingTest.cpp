// Native functions bound as closures: arguments and results marshalled by
// signature, raw functions, and errors unwinding native code.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "tests/windows/script/ScriptTestKit.h"
#include "script/lua/Auxlib.h"
#include "windows/script/LuaBinding.h"
#include "windows/script/TLuaMessage.h"
#include "windows/script/TScript.h"

namespace {

// A target with a function of each marshalling the window functions use.
struct Target {
  std::string seen;
  int calls = 0;

  TString Describe(const TString& name, int count, float scale) {
    seen = std::string(name.CStr()) + "|" + std::to_string(count) + "|" + std::to_string(scale);
    return TString::Format("%s x%d", name.CStr(), count);
  }
  void Touch() { ++calls; }
  bool IsEven(int n) { return n % 2 == 0; }
  int Count() { return calls; }
  int Two(lua_State* L) {
    lua_pushnumber(L, 1);
    lua_pushnumber(L, 2);
    return 2;
  }
};

std::unique_ptr<TMessage> MakeMessage(int type, const TString& name) {
  return std::make_unique<TMessage>(type, name, nullptr);
}

int gReleased = 0;

struct Guard {
  ~Guard() { ++gReleased; }
};

// Holds an object while a Lua error unwinds through it.
int RaiseHolding(lua_State* L) {
  Guard held;
  return luaL_error(L, "raised %d", 7);
}

class LuaBindingTest : public testing::Test {
 protected:
  LuaBindingTest() {
    BindMethod(L, "Describe", &target, &Target::Describe);
    BindMethod(L, "Touch", &target, &Target::Touch);
    BindMethod(L, "IsEven", &target, &Target::IsEven);
    BindMethod(L, "Count", &target, &Target::Count);
    BindMethod(L, "Two", &target, &Target::Two);
    BindFunction(L, "MakeMessage", MakeMessage);
    BindFunction(L, "RaiseHolding", RaiseHolding);
  }
  std::string Result(const char* text) {
    script.DoLuaString(text);
    return script.GetString("result", "<nil>").CStr();
  }

  ScriptTestKit kit;
  TScript script;
  lua_State* L = script.GetState();
  Target target;
};

TEST_F(LuaBindingTest, ArgumentsAndResultsFollowTheSignature) {
  EXPECT_EQ(Result("result = Describe('box', 3.9, 0.5)"), "box x3");
  EXPECT_EQ(target.seen, "box|3|0.500000") << "integers truncated toward zero";
  Result("result = Describe(nil, -3.9)");
  EXPECT_EQ(target.seen, "|-3|0.000000") << "missing arguments read as empty";
  Result("result = Describe({}, 0/0)");
  EXPECT_EQ(target.seen, "|0|0.000000") << "a table has no text; NaN is 0";
  EXPECT_EQ(Result("Touch() Touch() result = Count()"), "2");
  EXPECT_EQ(Result("result = tostring(IsEven(4)) .. tostring(IsEven(3))"), "truefalse");
  EXPECT_EQ(Result("local a, b = Two() result = a + b"), "3") << "a raw function pushes its own results";
  EXPECT_EQ(kit.LogEntries().size(), 0u);
}

TEST_F(LuaBindingTest, AMessageResultBecomesALuaMessage) {
  PushMessageMetatable(L);
  lua_pop(L, 1);
  EXPECT_EQ(Result("local m = MakeMessage(5, 'quit') result = m.type .. m.name"), "5quit");
}

TEST_F(LuaBindingTest, ALuaErrorUnwindsTheNativeFunction) {
  gReleased = 0;
  script.DoLuaString("RaiseHolding()");
  EXPECT_EQ(gReleased, 1) << "what it held was released";
  EXPECT_EQ(kit.LogEntries().at(0), "Lua error: [string \"RaiseHolding()\"]:1: raised 7");
}

TEST_F(LuaBindingTest, NumbersBecomeScriptIntegers) {
  const struct {
    double number;
    int32_t integer;
  } cases[] = {{2.9, 2}, {-2.9, -2}, {4294967297.0, 1}, {-1.0, -1}, {1e300, 0}, {-INFINITY, 0}, {NAN, 0}};
  for (const auto& c : cases) EXPECT_EQ(LuaNumberToInt(c.number), c.integer) << c.number;
}

}  // namespace
