// Screens and dialogs built through the window library's Lua functions:
// - a 40-window menu screen: 10 buttons with labels and three image layers,
//   10 texts, 10 bitmaps, under a chain of two styles, text layout included
//   (goal: 3 ms or less);
// - a DoModal round trip: the dialog's script builds 10 windows in a new
//   modal window, a click on its button closes it with a value, and DoModal
//   returns the value (goal: 2 ms or less).
// The window tables are made afresh each time, as a screen script makes
// them: the library adds to them while it builds.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/BenchScreen.h"
#include "bench/support/SpeedGoals.h"
#include "platform/asset/TAssetManager.h"
#include "platform/file/FileIndex.h"
#include "platform/types/TEvent.h"
#include "tests/support/SizedTexture.h"
#include "tests/support/SyntheticFont.h"
#include "tests/support/TestFileLayer.h"
#include "windows/script/LuaBinding.h"
#include "windows/script/TWindowScript.h"

namespace {

const SpeedGoals kGoals{
    {"BuildMenuScreen", kTimeMs, Goal::kAtMost, 3},
    {"DoModalRoundTrip", kTimeMs, Goal::kAtMost, 2},
};

constexpr char kMenu[] = R"(
local layers = { "menu/up.png", "menu/over.png", "menu/down.png" }
function BuildMenu()
  local screen = {
    SetStyle{ font = { "Synth", 5 }, h = 30 },
    AppendStyle{ w = 120, flags = kHAlignCenter },
  }
  for i = 1, 10 do
    table.insert(screen, Button{ name = "button" .. i, x = 20, y = i * 40, label = "Menu item " .. i,
                                 graphics = layers })
    table.insert(screen, Text{ name = "text" .. i, x = 200, y = i * 40, w = 300, label = "Caption number " .. i })
    table.insert(screen, Bitmap{ name = "bitmap" .. i, x = 560, y = i * 40, image = "menu/picture.png" })
  end
  MakeDialog(screen)
end
)";

constexpr char kDialog[] = R"(
MakeDialog{
  SetStyle{ font = { "Synth", 5 }, h = 20 },
  Window{ name = "frame", x = kCenter, y = kCenter, w = 300, h = 200,
    Text{ name = "title", x = 10, y = 10, w = 280, label = "A question" },
    Text{ name = "question", x = 10, y = 40, w = 280, label = "Shall we go on?" },
    Bitmap{ name = "icon", x = 10, y = 70, image = "menu/picture.png" },
    Window{ name = "spacer", x = 0, y = 100, w = kMax },
    Group{
      Window{ name = "left", x = 10, y = 130, w = 100 },
      Window{ name = "right", x = 190, y = 130, w = 100 },
    },
    Button{ name = "ok", x = 100, y = 160, w = 100, h = 30, label = "OK",
            command = function() CloseWindow(7) end },
  },
}
)";

constexpr char kRoundTrip[] = "function RoundTrip() gAnswer = DoModal('dialog.lua') end";

// The centre of the dialog's "ok" button on the 800 x 600 screen.
constexpr int32_t kOkX = 250 + 150;
constexpr int32_t kOkY = 200 + 175;

struct LibraryScreen : BenchScreen {
  LibraryScreen() {
    fonts.InstallOn(platform);
    for (const char* name : {"menu/up.png", "menu/over.png", "menu/down.png", "menu/picture.png"}) {
      images.push_back(std::make_shared<SizedTexture>(120, 30));
      platform.assetManager->Register(TString(name) + ":tex", images.back());
    }
    files.WriteAsset("dialog.lua", kDialog);
    BuildFileIndex();
    manager.SetScript(std::make_unique<TWindowScript>());
    script = manager.GetScript();
    script->DoLuaString(kMenu);
    script->DoLuaString(kRoundTrip);
  }
  // The text windows go before their fonts.
  ~LibraryScreen() {
    root->DeleteChildren();
    manager.DeletePending();
  }
  void Run(const char* function) {
    PushGlobal(script->GetState(), function);
    script->RunFunction(0, 0);
  }
  void Idle() { manager.HandleEvent(TEvent{kEventIdle}); }
  // At the dialog's "ok" button.
  void Mouse(int32_t type) { manager.HandleEvent(TEvent{type, 0, kOkX, kOkY}); }

  SyntheticFonts fonts;
  std::vector<std::shared_ptr<TTexture>> images;
  TestFileLayer files;
  TWindowScript* script = nullptr;
};

void BuildMenuScreen(benchmark::State& state) {
  LibraryScreen screen;
  for (auto _ : state) {
    screen.Run("BuildMenu");
    state.PauseTiming();
    if (screen.root->GetChildren().size() != 30) state.SkipWithError("windows missing");
    screen.root->DeleteChildren();
    screen.manager.DeletePending();
    state.ResumeTiming();
  }
}
BENCHMARK(BuildMenuScreen)->Unit(benchmark::kMillisecond);

// Messages posted while the click is handled go out with the idle events
// that follow, as in the program's main loop.
constexpr int kMaxIdleEvents = 5;

void DoModalRoundTrip(benchmark::State& state) {
  LibraryScreen screen;
  for (auto _ : state) {
    // A function the text returns starts as the screen coroutine.
    screen.script->DoLuaString("return RoundTrip");
    screen.Mouse(kEventLeftDown);
    screen.Mouse(kEventLeftUp);
    for (int idle = 0; idle < kMaxIdleEvents && screen.script->IsSuspended(); ++idle) screen.Idle();
    state.PauseTiming();
    if (screen.script->IsSuspended() || screen.script->GetNumber("gAnswer", 0) != 7) {
      state.SkipWithError("the dialog did not return its value");
      break;
    }
    screen.script->DoLuaString("gAnswer = nil");
    screen.manager.DeletePending();
    state.ResumeTiming();
  }
}
BENCHMARK(DoModalRoundTrip)->Unit(benchmark::kMillisecond);

}  // namespace
