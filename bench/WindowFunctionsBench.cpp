// Messages on their way to the scripts, and the window functions that find
// windows by name:
// - a message handed to a coroutine that waits in HandleGetMessage, which
//   takes it and waits again (goal: 2 us or less);
// - a message queued in "gMessageQueue" while nothing waits (goal: 2 us or
//   less; the queue is emptied every 1,000 messages, within the time).
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/BenchScreen.h"
#include "bench/support/SpeedGoals.h"
#include "windows/TMessage.h"
#include "windows/TWindowScript.h"

namespace {

constexpr int kQueueLength = 1000;

const SpeedGoals kGoals{
    {"MessageToAWaitingCoroutine", kTimeMs, Goal::kAtMost, 0.002},
    {"MessageQueuedWhileNothingWaits", kTimeMs, Goal::kAtMost, 0.002},
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

}  // namespace
