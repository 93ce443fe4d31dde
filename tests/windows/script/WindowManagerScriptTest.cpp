// The window manager's side of the window script: the current window kept in
// step with the modal stack, dialog scripts run under a window, the Lua
// function "SetTopModalOnly", the nesting limit of pushed dialogs, and the
// factories kept by name.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/windows/script/ScriptedWindows.h"
#include "tests/windows/core/WindowTree.h"
#include "windows/kinds/TModalWindow.h"
#include "windows/kinds/TWindowFactory.h"

namespace {

using Stack = std::vector<TWindow*>;

TModalWindow* Push(TWindowManager& manager) {
  auto dialog = std::make_unique<TModalWindow>();
  TModalWindow* pushed = dialog.get();
  return manager.PushModal(std::move(dialog)) ? pushed : nullptr;
}

TEST(WindowManagerScript, AScriptTakenStartsWithTheTopLayerAsItsCurrentWindow) {
  ScriptedWindows windows;
  EXPECT_EQ(windows.script->GetWindowStack(), Stack{windows.root});
  TModalWindow* dialog = Push(windows.manager);
  windows.manager.SetScript(std::make_unique<TWindowScript>());
  EXPECT_EQ(windows.manager.GetScript()->GetWindowStack(), Stack{dialog});
  TWindowManager empty;
  empty.SetScript(std::make_unique<TWindowScript>());
  EXPECT_TRUE(empty.GetScript()->GetWindowStack().empty());
}

TEST(WindowManagerScript, PushingAndPoppingLayersResetsTheStackToTheNewTop) {
  ScriptedWindows windows;
  TWindowManager& manager = windows.manager;
  TWindowScript* script = windows.script;
  windows.Create("name = 'menu'");
  TModalWindow* dialog = Push(manager);
  EXPECT_EQ(script->GetWindowStack(), Stack{dialog});
  TWindow* field = windows.Create("name = 'field'");
  EXPECT_EQ(field->GetParent(), dialog);
  manager.PopModal();
  EXPECT_EQ(script->GetWindowStack(), Stack{windows.root});
  manager.PopModal();
  EXPECT_TRUE(script->GetWindowStack().empty()) << "no layer left";
  manager.DeletePending();
}

TEST(WindowManagerScript, ADialogScriptRunsUnderTheWindowWhichGoesOffTheStackAfterwards) {
  ScriptedWindows windows;
  windows.kit.WriteScript("dialog.lua",
                          "GenericCreate{ typename = 'Plain', name = 'inside' }\n"
                          "GenericCreate{ typename = 'Plain', name = 'deeper' }\n");
  TWindow* panel = windows.AddCurrent(*windows.root, 200, 100);
  windows.script->PopWindow();
  EXPECT_TRUE(windows.manager.RunDialogScript(panel, "dialog.lua"));
  TWindow* inside = panel->FindChild("inside", 1);
  ASSERT_NE(inside, nullptr);
  EXPECT_NE(inside->FindChild("deeper", 1), nullptr);
  EXPECT_EQ(windows.script->GetWindowStack(), Stack{windows.root}) << "with the windows its script pushed";
  EXPECT_FALSE(windows.manager.RunDialogScript(panel, "missing.lua"));
  EXPECT_EQ(windows.script->GetWindowStack(), Stack{windows.root});
}

TEST(WindowManagerScript, WithoutAScriptTheForwardersAnswerFalse) {
  TWindowManager manager;
  TWindow window;
  EXPECT_FALSE(manager.AddWindowType("Plain", MakePlainWindow));
  EXPECT_FALSE(manager.RunDialogScript(&window, "dialog.lua"));
  EXPECT_FALSE(manager.SetTranslateLabels(true));
}

TEST(WindowManagerScript, TranslationOfLabelsIsSwitchedInTheScript) {
  ScriptedWindows windows;
  EXPECT_FALSE(windows.manager.SetTranslateLabels(true));
  EXPECT_TRUE(windows.manager.SetTranslateLabels(false));
  EXPECT_FALSE(windows.script->SetTranslateLabels(false));
}

TEST(WindowManagerScript, ScriptsSwitchDrawingToTheTopLayerByLuaTruth) {
  WindowTree tree;
  TModalWindow* dialog = Push(tree.manager);
  RecordingWindow* field = AddRecordingChild(*dialog, "field", TRect(10, 10, 20, 20), &tree.platform.journal);
  tree.manager.SetScript(std::make_unique<TWindowScript>());
  TWindowScript* script = tree.manager.GetScript();
  const std::pair<const char*, bool> calls[] = {
      {"SetTopModalOnly(true)", true}, {"SetTopModalOnly(false)", false}, {"SetTopModalOnly(0)", true},
      {"SetTopModalOnly()", false}};
  for (const auto& [call, topOnly] : calls) {
    SCOPED_TRACE(call);
    tree.Settle();
    script->DoLuaString(call);
    tree.a->Invalidate();
    field->Invalidate();
    tree.manager.Frame();
    EXPECT_TRUE(tree.platform.journal.Contains("Draw field"));
    EXPECT_EQ(tree.platform.journal.Contains("Draw a"), !topOnly);
  }
}

TEST(WindowManagerScript, DialogsPushedOnDialogsNestNoDeeperThanTheLimit) {
  ScriptedWindows windows;
  windows.kit.ClearLog();
  TModalWindow* top = nullptr;
  int pushed = 0;
  for (; pushed < 300; ++pushed) {
    TModalWindow* dialog = Push(windows.manager);
    if (!dialog) break;
    top = dialog;
  }
  EXPECT_EQ(pushed, kMaxWindowDepth);
  EXPECT_EQ(windows.manager.GetTopModal(), top);
  EXPECT_EQ(windows.script->GetWindowStack(), Stack{top});
  EXPECT_EQ(windows.kit.LogEntries(),
            std::vector<std::string>{"PushModal: refused: windows nest at most 256 levels deep"});
  EXPECT_EQ(windows.Create("name = 'below'"), nullptr) << "the top layer is as deep as windows go";
}

// Counts the factories alive.
class CountedFactory : public TWindowFactory {
 public:
  static inline int live = 0;
  CountedFactory() { ++live; }
  ~CountedFactory() override { --live; }
  std::unique_ptr<TWindow> Create(const TWindowStyle&) override { return nullptr; }
};

TEST(WindowManagerScript, AFactoryRegisteredAgainReplacesAndDeletesTheOneBefore) {
  {
    TWindowManager manager;
    manager.SetFactory("_kind", std::make_unique<CountedFactory>());
    auto second = std::make_unique<CountedFactory>();
    TWindowFactory* kept = second.get();
    manager.SetFactory("_kind", std::move(second));
    EXPECT_EQ(CountedFactory::live, 1);
    EXPECT_EQ(manager.GetFactory("_kind"), kept);
    EXPECT_EQ(manager.GetFactory("_other"), nullptr);
    manager.SetFactory("_other", std::make_unique<CountedFactory>());
    EXPECT_EQ(CountedFactory::live, 2);
  }
  EXPECT_EQ(CountedFactory::live, 0) << "the manager deletes its factories";
}

}  // namespace
