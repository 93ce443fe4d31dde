// The script host's everyday work. Goals: a call of a Lua function with two
// arguments and one result through RunFunction in 1 us or less; a number
// read from a wrapped table in 150 ns or less; a name found three levels up
// the default style's chain in 0.5 us or less; a coroutine resumed by the
// host's task and yielding again in 1 us or less; a 20 KB script run from a
// held chunk at least 5 times faster than compiled (counter `speedup`).
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "bench/support/SpeedGoals.h"
#include "platform/file/FileIndex.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TestFileLayer.h"
#include "windows/script/LuaBinding.h"
#include "windows/script/TLuaTable.h"
#include "windows/script/TScript.h"
#include "windows/script/TScriptCode.h"

namespace {

using Clock = std::chrono::steady_clock;

const SpeedGoals kGoals{
    {"CallWithTwoArguments", kTimeMs, Goal::kAtMost, 0.001},
    {"TableNumber", kTimeMs, Goal::kAtMost, 0.00015},
    {"StyleChainLookUp", kTimeMs, Goal::kAtMost, 0.0005},
    {"CoroutineStep", kTimeMs, Goal::kAtMost, 0.001},
    {"RunScriptFromHeldChunk", "speedup", Goal::kAtLeast, 5},
};

void CallWithTwoArguments(benchmark::State& state) {
  TScript script;
  lua_State* L = script.GetState();
  script.DoLuaString("function Add(a, b) return a + b end");
  for (auto _ : state) {
    PushGlobal(L, "Add");
    lua_pushnumber(L, 1);
    lua_pushnumber(L, 2);
    if (script.RunFunction(2, 1) != 0) state.SkipWithError("the call failed");
    benchmark::DoNotOptimize(lua_tonumber(L, -1));
    lua_pop(L, 1);
  }
}
BENCHMARK(CallWithTwoArguments);

void TableNumber(benchmark::State& state) {
  TScript script;
  lua_State* L = script.GetState();
  script.DoLuaString("window = { x = 10, y = 20, width = 300, height = 200, name = 'panel' }");
  PushGlobal(L, "window");
  TLuaTable window(L);
  for (auto _ : state) benchmark::DoNotOptimize(window.GetNumber("width", 0));
}
BENCHMARK(TableNumber);

void StyleChainLookUp(benchmark::State& state) {
  TScript script;
  lua_State* L = script.GetState();
  script.DoLuaString(
      "base = { font = 'Serif' } mid = { parent = base, size = 12 } upper = { parent = mid, color = 1 }"
      " gCurrentDefaultStyle = { parent = upper } window = { x = 1 }");
  PushGlobal(L, "window");
  for (auto _ : state) {
    if (!script.FindValue("font", true)) state.SkipWithError("not found");
    lua_pop(L, 1);
  }
}
BENCHMARK(StyleChainLookUp);

void CoroutineStep(benchmark::State& state) {
  FakePlatform platform;
  TScript script;
  platform.tasks.Add(script.MakeTask());
  script.DoLuaString("return function() while true do steps = (steps or 0) + 1 coroutine.yield() end end");
  for (auto _ : state) platform.tasks.DoTasks(TTaskPass::Timed);
  if (script.GetNumber("steps", 0) < static_cast<double>(state.iterations())) state.SkipWithError("steps missed");
}
BENCHMARK(CoroutineStep);

// About 20 KB of definitions and tables, as a screen script has them.
std::string ScreenScript() {
  std::string text;
  for (int i = 0; text.size() < 20 * 1024; ++i) {
    const std::string n = std::to_string(i);
    text += "function Handler" + n + "(window, message)\n  local layout = { x = " + n + ", y = " + n +
            " * 2, name = 'button" + n + "', flags = { 'visible', 'focus' } }\n"
            "  if message == 'press' then return layout.x + layout.y else return layout.name end\nend\n";
  }
  return text;
}

class ScriptFile {
 public:
  ScriptFile() {
    files.WriteAsset("screen.lua", ScreenScript());
    BuildFileIndex();
  }
  FakePlatform platform;
  TestFileLayer files;
};

double SecondsPerRun(const benchmark::State& state, Clock::time_point start) {
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  return state.iterations() ? seconds / static_cast<double>(state.iterations()) : 0;
}

double gCompiledSeconds = 0;

void RunScriptCompiled(benchmark::State& state) {
  ScriptFile file;
  TScript script;
  const Clock::time_point start = Clock::now();
  for (auto _ : state) {
    if (!script.RunScript("screen.lua")) state.SkipWithError("the script failed");
  }
  gCompiledSeconds = SecondsPerRun(state, start);
}
BENCHMARK(RunScriptCompiled)->Unit(benchmark::kMicrosecond);

void RunScriptFromHeldChunk(benchmark::State& state) {
  ScriptFile file;
  TScript script;
  std::shared_ptr<TScriptCode> held = TScript::GetScriptCode("screen.lua", GetScriptSearchPath(), nullptr);
  const Clock::time_point start = Clock::now();
  for (auto _ : state) {
    if (!script.RunScript("screen.lua")) state.SkipWithError("the script failed");
  }
  const double seconds = SecondsPerRun(state, start);
  if (gCompiledSeconds > 0 && seconds > 0) state.counters["speedup"] = gCompiledSeconds / seconds;
}
BENCHMARK(RunScriptFromHeldChunk)->Unit(benchmark::kMicrosecond);

}  // namespace
