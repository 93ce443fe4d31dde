// Messages on their way to the scripts, and the window functions that find
// windows by name:
// - a message handed to a coroutine that waits in HandleGetMessage, which
//   takes it and waits again (goal: 2 us or less);
// - a message queued in "gMessageQueue" while nothing waits (goal: 2 us or
//   less; the queue is emptied every 1,000 messages, within the time);
// - "GetLabel" and "SetLabel" called from Lua on the text window found last
//   by name in a dialog of 200 text windows (goal: 5 us or less each).
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/BenchScreen.h"
#include "bench/support/SpeedGoals.h"
#include "tests/support/SyntheticFont.h"
#include "windows/script/LuaBinding.h"
#include "windows/core/TMessage.h"
#include "windows/kinds/TText.h"
#include "windows/script/TWindowScript.h"

namespace {

constexpr int kQueueLength = 1000;
constexpr int kDialogWindows = 200;
const TColor kWhite(1.0f, 1.0f, 1.0f, 1.0f);

const SpeedGoals kGoals{
    {"MessageToAWaitingCoroutine", kTimeMs, Goal::kAtMost, 0.002},
    {"MessageQueuedWhileNothingWaits", kTimeMs, Goal::kAtMost, 0.002},
    {"GetLabelByName", kTimeMs, Goal::kAtMost, 0.005},
    {"SetLabelByName", kTimeMs, Goal::kAtMost, 0.005},
};

struct ScriptScreen : BenchScreen {
  ScriptScreen() {
    manager.SetScript(std::make_unique<TWindowScript>());
    script = manager.GetScript();
    script->DoLuaString("gMessageQueue = {} gCommandQueue = {}");
  }
  TWindowScript* script = nullptr;
};

void MessageToAWaitingCoroutine(benchmark::State& state) {
  ScriptScreen screen;
  screen.script->DoLuaString(
      "return function() while true do local m = HandleGetMessage() gLast = m.name end end");
  for (auto _ : state) {
    screen.script->QueueMessage(std::make_unique<TMessage>(kMessageNamed, "tick", nullptr));
  }
  if (screen.script->GetWaitState() != TWindowScript::kWaitingForMessage) state.SkipWithError("not waiting");
  if (screen.script->GetString("gLast", "") != "tick") state.SkipWithError("nothing taken");
}
BENCHMARK(MessageToAWaitingCoroutine);

void MessageQueuedWhileNothingWaits(benchmark::State& state) {
  ScriptScreen screen;
  int queued = 0;
  for (auto _ : state) {
    screen.script->QueueMessage(std::make_unique<TMessage>(kMessageNamed, "tick", nullptr));
    if (++queued == kQueueLength) {
      screen.script->DoLuaString("gMessageQueue = {}");
      queued = 0;
    }
  }
  screen.script->DoLuaString("gQueued = table.getn(gMessageQueue)");
  if (screen.script->GetNumber("gQueued", -1) != queued) state.SkipWithError("messages missing");
}
BENCHMARK(MessageQueuedWhileNothingWaits);

// A dialog of 200 text windows, "text1" to "text200", made in that order,
// so that "text1" is the last found.
struct LabelScreen : ScriptScreen {
  LabelScreen() {
    fonts.InstallOn(platform);
    for (int index = 1; index <= kDialogWindows; ++index) {
      auto text = std::make_unique<TText>();
      text->SetName(TString::Format("text%d", index));
      text->Setup("label", 100, 20, 0, SyntheticFonts::kName, 5, kWhite);
      std::unique_ptr<TWindow> child = std::move(text);
      root->AddChild(child, false);
    }
    script->DoLuaString(
        "function Get() return GetLabel('text1') end\n"
        "function Set() SetLabel('text1', 'changed') end\n");
  }
  ~LabelScreen() {
    root->DeleteChildren();
    manager.DeletePending();
  }
  SyntheticFonts fonts;
};

void CallByName(benchmark::State& state, const char* function) {
  LabelScreen screen;
  lua_State* L = screen.script->GetState();
  for (auto _ : state) {
    PushGlobal(L, function);
    if (lua_pcall(L, 0, 0, 0) != 0) state.SkipWithError("the call failed");
  }
}

void GetLabelByName(benchmark::State& state) { CallByName(state, "Get"); }
BENCHMARK(GetLabelByName);

void SetLabelByName(benchmark::State& state) { CallByName(state, "Set"); }
BENCHMARK(SetLabelByName);

}  // namespace
