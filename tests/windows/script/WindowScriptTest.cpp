// The window script: its state, window types and their Lua constructors,
// windows attached from tables under the current window, the current-window
// stack, the nesting limit, and calls handed to a coroutine that waits for a
// message.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/windows/script/ScriptTestKit.h"
#include "tests/windows/script/ScriptedWindows.h"
#include "windows/script/LuaBinding.h"
#include "windows/core/TWindowManager.h"
#include "windows/script/TWindowScript.h"

namespace {

using Entries = std::vector<std::string>;
using Stack = std::vector<TWindow*>;

// Counts the windows alive; its Init answers as told.
class ScriptCountedWindow : public TWindow {
 public:
  static inline int live = 0;
  static inline bool accepts = true;

  ScriptCountedWindow() { ++live; }
  ~ScriptCountedWindow() override { --live; }
  bool Init() override { return accepts; }
};

std::unique_ptr<TWindow> MakeCounted() { return std::make_unique<ScriptCountedWindow>(); }

// A kind with a size of its own; remembers what it was when OnCreated ran.
class SizedWindow : public TWindow {
 public:
  SizedWindow() { SetSize(30, 20); }
  void OnCreated() override {
    ++created;
    parentWhenCreated = GetParent();
    nameWhenCreated = GetName();
    rectWhenCreated = GetRect();
  }

  int created = 0;
  TWindow* parentWhenCreated = nullptr;
  TString nameWhenCreated;
  TRect rectWhenCreated;
};

std::unique_ptr<TWindow> MakeSized() { return std::make_unique<SizedWindow>(); }
std::unique_ptr<TWindow> MakeNothing() { return nullptr; }

class WindowScriptTest : public testing::Test {
 protected:
  WindowScriptTest() {
    ScriptCountedWindow::live = 0;
    ScriptCountedWindow::accepts = true;
    manager.AddWindowType("Counted", MakeCounted);
    manager.AddWindowType("Sized", MakeSized);
    windows.kit.ClearLog();
  }
  ~WindowScriptTest() override { EXPECT_EQ(lua_gettop(script->GetState()), 0) << "the stack is left as it was"; }

  TWindow* Create(const std::string& keys) { return windows.Create(keys); }
  void Run(const std::string& text) { windows.Run(text); }
  TString Global(const char* name) { return script->GetString(name, "<missing>"); }
  Entries Log() const { return windows.kit.LogEntries(); }

  ScriptedWindows windows;
  TWindowManager& manager = windows.manager;
  TWindowScript* script = windows.script;
  TWindow* root = windows.root;
};

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

// ---- Window types.

// What the window library does with a marked table, reduced to the call of
// its "create" field.
constexpr char kLibraryStandIns[] =
    "function Creating(name, table) creating = name end "
    "function Window(table) table.create(table) return table end";

TEST_F(WindowScriptTest, ATypesLuaFunctionMarksTheTableAndCreatesThroughGenericCreate) {
  Run(kLibraryStandIns);
  Run("made = Sized{ name = 'panel', x = 5 } typeName = made.typename "
      "sameCreate = tostring(made.create == GenericCreate)");
  EXPECT_EQ(Global("creating"), "Sized");
  EXPECT_EQ(Global("typeName"), "Sized");
  EXPECT_EQ(Global("sameCreate"), "true");
  TWindow* panel = script->GetWindow();
  ASSERT_NE(panel, root);
  EXPECT_EQ(panel->GetName(), "panel");
  EXPECT_EQ(panel->GetRect(), TRect(5, 0, 35, 20)) << "the kind's own size where the table gives none";
  EXPECT_EQ(script->GetNumber("gDialogWidth", 0), 30);
  EXPECT_EQ(script->GetNumber("gDialogHeight", 0), 20);
}

TEST_F(WindowScriptTest, RegisteringATypeAgainKeepsTheSecondCreatorAndDefinesTheFunctionAgain) {
  Run(kLibraryStandIns);
  Run("Counted = nil");
  EXPECT_TRUE(manager.AddWindowType("Counted", MakeSized));
  Run("Counted{ name = 'second' }");
  auto* made = dynamic_cast<SizedWindow*>(script->GetWindow());
  ASSERT_NE(made, nullptr) << "made by the second creator";
  EXPECT_EQ(made->GetName(), "second");
  EXPECT_EQ(ScriptCountedWindow::live, 0);
}

TEST_F(WindowScriptTest, OnCreatedRunsOnceTheWindowIsAttachedNamedAndPlaced) {
  Run("GenericCreate{ typename = 'Sized', name = 'late', x = 80000, w = 100 }");
  auto* made = dynamic_cast<SizedWindow*>(script->GetWindow());
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->created, 1);
  EXPECT_EQ(made->parentWhenCreated, root);
  EXPECT_EQ(made->nameWhenCreated, "late");
  EXPECT_EQ(made->rectWhenCreated, TRect(350, 0, 450, 20));
}

TEST_F(WindowScriptTest, AnUnknownTypeOrACreatorWithoutAWindowCreatesNothingAndRaisesNothing) {
  manager.AddWindowType("Empty", MakeNothing);
  Run("GenericCreate{ typename = 'Nobody' } GenericCreate{ typename = 'Empty' } GenericCreate{ } after = 'ran'");
  EXPECT_EQ(Global("after"), "ran");
  EXPECT_EQ(script->GetWindowStack(), Stack{root});
  EXPECT_TRUE(root->GetChildren().empty());
  EXPECT_EQ(Global("gDialogWidth"), "<missing>");
  EXPECT_TRUE(Log().empty());
}

TEST_F(WindowScriptTest, ATableFromAScriptsOwnCoroutineIsReadAndAnythingElseIsRefused) {
  Run("local co = coroutine.create(function() GenericCreate{ typename = 'Sized', name = 'inner', w = 7 } end) "
      "coroutine.resume(co)");
  TWindow* made = script->GetWindow();
  EXPECT_EQ(made->GetName(), "inner");
  EXPECT_EQ(made->GetRect(), TRect(0, 0, 7, 20));
  Run("GenericCreate('Sized') GenericCreate()");
  EXPECT_EQ(script->GetWindow(), made);
  EXPECT_EQ(Log(), (Entries{"GenericCreate: no window table", "GenericCreate: no window table"}));
}

TEST_F(WindowScriptTest, ATypeNameThatIsNotAPlainLuaNameIsRefused) {
  const char* names[] = {"", "1st", "two words", "it's", "a.b", "x-y", "caf\xe9", "end", "continue"};
  for (const char* name : names) {
    SCOPED_TRACE(name);
    windows.kit.ClearLog();
    EXPECT_FALSE(manager.AddWindowType(name, MakeCounted));
    const Entries log = Log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].rfind("AddWindowType: ", 0), 0u) << log[0];
    lua_State* L = script->GetState();
    lua_pushstring(L, name);
    SetGlobal(L, "typeName");
    Run("GenericCreate{ typename = typeName }");
    EXPECT_EQ(ScriptCountedWindow::live, 0);
  }
  EXPECT_TRUE(manager.AddWindowType("_Plain2", MakeCounted));
}

// ---- Attaching.

TEST_F(WindowScriptTest, AWindowThatItsParentRefusesIsDeletedAndNotPushed) {
  ScriptCountedWindow::accepts = false;
  EXPECT_EQ(Create("typename = 'Counted', name = 'refused', w = 10"), nullptr);
  EXPECT_EQ(ScriptCountedWindow::live, 0);
  EXPECT_EQ(script->GetWindowStack(), Stack{root});
  EXPECT_TRUE(root->GetChildren().empty());
  EXPECT_EQ(Global("gDialogWidth"), "<missing>");
}

TEST_F(WindowScriptTest, KeysComeFromTheTableElseUpTheDefaultStylesChain) {
  Run("gCurrentDefaultStyle = { w = 50, parent = { h = 40, align = 1, name = 'styled' } }");
  TWindow* styled = Create("x = 100");
  ASSERT_NE(styled, nullptr);
  EXPECT_EQ(styled->GetName(), "styled");
  EXPECT_EQ(styled->GetRect(), TRect(75, 0, 125, 40));
  TWindow* own = Create("name = 'own', x = 10, y = 5, w = 20, h = 8, align = 0");
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(own->GetParent(), styled);
  EXPECT_EQ(own->GetName(), "own");
  EXPECT_EQ(own->GetRect(), TRect(10, 5, 30, 13));
}

TEST_F(WindowScriptTest, EachAttachedWindowBecomesTheCurrentWindowAndTellsItsSize) {
  TWindow* outer = Create("w = 300, h = 200");
  EXPECT_EQ(script->GetWindowStack(), (Stack{root, outer}));
  EXPECT_EQ(Global("gDialogWidth"), "300");
  EXPECT_EQ(Global("gDialogHeight"), "200");
  TWindow* inner = Create("x = 80000, w = -10, h = 159990");
  EXPECT_EQ(inner->GetParent(), outer);
  EXPECT_EQ(script->GetWindowStack(), (Stack{root, outer, inner}));
  EXPECT_EQ(inner->GetRect(), TRect(135, 0, 145, 190));
  EXPECT_EQ(Global("gDialogWidth"), "10");
  EXPECT_EQ(Global("gDialogHeight"), "190");
  script->PopWindow();
  TWindow* beside = Create("");
  EXPECT_EQ(beside->GetParent(), outer);
  for (int pop = 0; pop < 4; ++pop) script->PopWindow();
  EXPECT_EQ(script->GetWindowStack(), Stack{root}) << "the last window stays";
}

TEST_F(WindowScriptTest, TheCreationObserverHearsOfEachAttachedWindow) {
  struct Names : TWindowCreationObserver {
    void WindowAttached(TWindow& window) override { heard.push_back(window.GetName().CStr()); }
    Entries heard;
  } observer;
  script->SetCreationObserver(&observer);
  Create("name = 'first'");
  ScriptCountedWindow::accepts = false;
  Run("GenericCreate{ typename = 'Counted', name = 'refused' }");
  Create("name = 'second'");
  script->SetCreationObserver(nullptr);
  Create("name = 'unheard'");
  EXPECT_EQ(observer.heard, (Entries{"first", "second"}));
}

TEST_F(WindowScriptTest, WithoutACurrentWindowNothingIsAttached) {
  script->SetWindow(nullptr);
  Run("GenericCreate{ typename = 'Counted' }");
  EXPECT_EQ(ScriptCountedWindow::live, 0);
  EXPECT_TRUE(root->GetChildren().empty());
  EXPECT_EQ(Log(), Entries{"AttachWindow: no current window to attach to"});
}

TEST_F(WindowScriptTest, WindowsNestNoDeeperThanTheLimit) {
  Run("for i = 1, 300 do GenericCreate{ typename = 'Counted', w = 1, h = 1 } end");
  EXPECT_EQ(ScriptCountedWindow::live, kMaxWindowDepth);
  EXPECT_EQ(script->GetWindow()->GetDepth(), kMaxWindowDepth);
  const Entries log = Log();
  ASSERT_EQ(log.size(), 300u - kMaxWindowDepth);
  EXPECT_EQ(log[0], "AttachWindow: refused below \"\": windows nest at most 256 levels deep");
}

TEST_F(WindowScriptTest, AWindowDeletedWhileOnTheStackLeavesIt) {
  TWindow* outer = Create("name = 'outer'");
  TWindow* inner = Create("name = 'inner'");
  script->PushWindow(inner);
  outer->RemoveChild(inner).reset();
  EXPECT_EQ(script->GetWindowStack(), (Stack{root, outer}));
  EXPECT_EQ(Create("name = 'next'")->GetParent(), outer);
  manager.DeferDelete(root->RemoveChild(outer));
  manager.DeletePending();
  EXPECT_EQ(script->GetWindowStack(), Stack{root}) << "with the windows below it";
}

TEST_F(WindowScriptTest, PopThroughTakesTheTopmostEntryOfTheWindowAndThoseAboveIt) {
  TWindow* a = Create("");
  TWindow* b = Create("");
  script->PushWindow(a);
  script->PushWindow(b);
  script->PopThrough(a);
  EXPECT_EQ(script->GetWindowStack(), (Stack{root, a, b}));
  script->PopThrough(nullptr);
  EXPECT_EQ(script->GetWindowStack(), (Stack{root, a, b})) << "a window not on the stack";
}

// ---- Calls while a coroutine waits.

// Waits for messages under the Lua name "WaitForMessage".
class WaitingScript : public TWindowScript {
 public:
  WaitingScript() { BindMethod(GetState(), "WaitForMessage", this, &WaitingScript::Wait); }
  int Wait(lua_State* L) { return WaitForMessage(L); }
};

class DeferredCallTest : public testing::Test {
 protected:
  DeferredCallTest() {
    script.DoLuaString("function Mark(a, b) marked = a .. b end");
    kit.platform.tasks.Add(script.MakeTask());
  }

  // Calls Mark with the two texts through RunFunction, as the framework
  // calls Lua functions.
  int CallMark(const char* a, const char* b) {
    PushGlobal(L, "Mark");
    lua_pushstring(L, a);
    lua_pushstring(L, b);
    const int status = script.RunFunction(2, 1);
    lua_settop(L, 0);
    return status;
  }
  TString Global(const char* name) { return script.GetString(name, "<missing>"); }

  ScriptTestKit kit;
  WaitingScript script;
  lua_State* L = script.GetState();
};

TEST_F(DeferredCallTest, ACoroutineWaitingForAMessageGetsNilAndTheCall) {
  script.DoLuaString(
      "gYieldResult = 'waiting' "
      "return function() local none, f = WaitForMessage() got = tostring(none) f() after = 'ran' end");
  ASSERT_TRUE(script.IsSuspended());
  EXPECT_EQ(CallMark("x", "y"), 0);
  EXPECT_EQ(Global("got"), "nil");
  EXPECT_EQ(Global("marked"), "xy");
  EXPECT_EQ(Global("after"), "ran");
  EXPECT_FALSE(script.IsSuspended());
}

TEST_F(DeferredCallTest, ACoroutineWaitingElsewhereIsLeftAloneAndTheCallRunsAtOnce) {
  script.DoLuaString("return function() coroutine.yield() after = 'ran' end");
  EXPECT_EQ(CallMark("x", "y"), 0);
  EXPECT_EQ(Global("marked"), "xy");
  EXPECT_TRUE(script.IsSuspended());
  EXPECT_EQ(Global("after"), "<missing>");
}

// Whatever resumes the coroutine, a handed-over call or the time-out of the
// host's task, the wait for a message is over: a plain yield after it takes
// no calls.
TEST_F(DeferredCallTest, TheWaitEndsWithAnyResume) {
  script.DoLuaString("return function() local none, f = WaitForMessage() f() coroutine.yield() after = 'ran' end");
  EXPECT_EQ(CallMark("x", "y"), 0);
  EXPECT_EQ(Global("marked"), "xy");
  EXPECT_EQ(CallMark("p", "q"), 0);
  EXPECT_EQ(Global("marked"), "pq");
  EXPECT_EQ(Global("after"), "<missing>") << "the coroutine still waits in its yield";
  kit.platform.tasks.DoTasks(TTaskPass::Timed);
  EXPECT_EQ(Global("after"), "ran");

  script.DoLuaString("return function() WaitForMessage() coroutine.yield() later = 'ran' end");
  kit.platform.tasks.DoTasks(TTaskPass::Timed);
  ASSERT_TRUE(script.IsSuspended());
  EXPECT_EQ(CallMark("r", "s"), 0);
  EXPECT_EQ(Global("marked"), "rs");
  EXPECT_EQ(Global("later"), "<missing>");
}

TEST_F(DeferredCallTest, WhenTheResumeFailsTheCallRunsAtOnce) {
  script.DoLuaString("return function() WaitForMessage() error('broken', 0) end");
  EXPECT_EQ(CallMark("x", "y"), 0);
  EXPECT_EQ(Global("marked"), "xy");
  EXPECT_FALSE(script.IsSuspended());
  EXPECT_EQ(kit.LogEntries(), Entries{"lua_resume ERROR: broken"});
}

}  // namespace
