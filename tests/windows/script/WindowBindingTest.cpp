// Lua functions bound to a window through its link: they call the window
// while it lives, do nothing once it is gone, and let go of the link when
// the collector takes them.
#include <gtest/gtest.h>

#include <memory>

#include "tests/windows/script/ScriptTestKit.h"
#include "windows/script/TScript.h"
#include "windows/script/WindowBinding.h"

namespace {

class Counter : public TWindow {
 public:
  int Add(int step) { return total += step; }
  int total = 0;
};

class WindowBindingTest : public testing::Test {
 protected:
  WindowBindingTest() : counter(std::make_unique<Counter>()) {
    PushWindowMethod(L, counter.get(), &Counter::Add);
    SetGlobal(L, "add");
  }
  TString Run(const char* text) {
    script.DoLuaString(text);
    return script.GetString("result", "<missing>");
  }

  ScriptTestKit kit;
  TScript script;
  lua_State* L = script.GetState();
  std::unique_ptr<Counter> counter;
};

TEST_F(WindowBindingTest, TheFunctionCallsItsWindowWhileItLives) {
  EXPECT_EQ(Run("result = add(3) + add(4)"), "10");
  EXPECT_EQ(counter->total, 7);
}

TEST_F(WindowBindingTest, OnceTheWindowIsGoneACallDoesNothingAndAnswersFalse) {
  counter.reset();
  EXPECT_EQ(Run("result = tostring(add(3))"), "false");
}

TEST_F(WindowBindingTest, TheCollectorLetsGoOfTheLink) {
  TWindowLink link = counter->GetLink();
  EXPECT_EQ(link.use_count(), 3) << "the window, the function and this test";
  script.DoLuaString("add = nil");
  lua_setgcthreshold(L, 0);
  EXPECT_EQ(link.use_count(), 2);
  EXPECT_EQ(*link, counter.get());
  counter.reset();
  EXPECT_EQ(*link, nullptr) << "the window cuts its link as it goes";
}

}  // namespace
