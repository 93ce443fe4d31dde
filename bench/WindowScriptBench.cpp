// Windows made from Lua tables through the window script: 1,000 windows of a
// registered type attached under the root, each from a table that gives its
// "name", "x" and "w" while "h" comes from the default style and "y" and
// "align" from the style's parent. Goal: 2 us or less per window, the
// table, the window's creation and its attaching included (counter
// `per_window`, in seconds).
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/BenchScreen.h"
#include "bench/support/SpeedGoals.h"
#include "windows/script/LuaBinding.h"
#include "windows/script/TWindowScript.h"

namespace {

constexpr int kWindows = 1000;

const SpeedGoals kGoals{{"AttachWindowsFromTables", "per_window", Goal::kAtMost, 2e-6}};

constexpr char kBuild[] =
    "gCurrentDefaultStyle = { h = 24, parent = { y = 10, align = 1 } }\n"
    "function Build()\n"
    "  for i = 1, 1000 do\n"
    "    GenericCreate{ typename = 'Item', name = 'item', x = 80000 + (i - 500), w = 100 + i / 10 }\n"
    "    PopWindow()\n"
    "  end\n"
    "end\n";

std::unique_ptr<TWindow> MakeItem() { return std::make_unique<TWindow>(); }

void AttachWindowsFromTables(benchmark::State& state) {
  BenchScreen screen;
  screen.manager.SetScript(std::make_unique<TWindowScript>());
  TWindowScript* script = screen.manager.GetScript();
  lua_State* L = script->GetState();
  screen.manager.AddWindowType("Item", MakeItem);
  BindMethod(L, "PopWindow", script, &TWindowScript::PopWindow);
  script->DoLuaString(kBuild);
  for (auto _ : state) {
    PushGlobal(L, "Build");
    if (script->RunFunction(0, 0) != 0) state.SkipWithError("Build failed");
    state.PauseTiming();
    if (screen.root->GetChildren().size() != kWindows) state.SkipWithError("windows missing");
    screen.root->DeleteChildren();
    screen.manager.DeletePending();
    state.ResumeTiming();
  }
  state.counters["per_window"] = benchmark::Counter(kWindows, benchmark::Counter::kIsIterationInvariantRate |
                                                                  benchmark::Counter::kInvert);
}
BENCHMARK(AttachWindowsFromTables);

}  // namespace
