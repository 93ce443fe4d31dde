#include "game/gui/main/GameMain.h"

#include <array>
#include <charconv>
#include <cstdlib>
#include <ctime>
#include <string_view>

#include "app/TAppPlatform.h"
#include "game/gui/effects/TGraphicRegistry.h"
#include "game/gui/main/TGameApp.h"
#include "game/gui/play/PlayInterruption.h"
#include "game/gui/play/TArcadeWindow.h"
#include "game/gui/screens/TCollectableTableWindow.h"
#include "game/gui/screens/TEndLevelTableWindow.h"
#include "game/gui/screens/TFadeInWindows.h"
#include "game/gui/screens/TGameEndWindow.h"
#include "game/gui/screens/THiscore.h"
#include "game/gui/screens/TLoadingScreenWindow.h"
#include "game/gui/screens/TMainMenuWindow.h"
#include "game/gui/screens/TOptionWindow.h"
#include "game/gui/screens/TPauseWindow.h"
#include "game/gui/screens/TSlider.h"
#include "game/gui/screens/TStartScreenWindow.h"
#include "game/gui/screens/TZenMenuWindow.h"
#include "game/gui/sound/TSoundFactory.h"
#include "media/texture/TTexture.h"
#include "platform/text/Log.h"
#include "system/window/Window.h"
#include "windows/core/TWindowManager.h"
#include "windows/script/TWindowScript.h"

namespace {

constexpr int32_t kDisplayWidth = 800;
constexpr int32_t kDisplayHeight = 600;
constexpr int32_t kPointSampling = 0;
constexpr int32_t kCursorHotSpot = 1;

struct TGameWindowType {
  const char* name;
  TWindowCreator creator;
};

// The window kinds of the game, in the order they are registered. Each
// joins with its class: "Slider", "ArcadeWindow", "LoadingScreenWindow",
// "CollectableTableWindow", "EndLevelTableWindow", "OptionWindow",
// "MainMenuWindow", "ZenMenuWindow", "HiscoreWindow", "StartScreenWindow",
// "CreditWindow", "PauseWindow", "FadeInWindow", "GameEndWindow".
constexpr std::array<TGameWindowType, 14> kGameWindowTypes{{
    {"Slider", &GUI::TSlider::Create},
    {"ArcadeWindow", &GUI::TArcadeWindow::Create},
    {"LoadingScreenWindow", &GUI::TLoadingScreenWindow::Create},
    {"CollectableTableWindow", &GUI::TCollectableTableWindow::Create},
    {"EndLevelTableWindow", &GUI::TEndLevelTableWindow::Create},
    {"OptionWindow", &GUI::TOptionWindow::Create},
    {"MainMenuWindow", &GUI::TMainMenuWindow::Create},
    {"ZenMenuWindow", &GUI::TZenMenuWindow::Create},
    {"HiscoreWindow", &GUI::THiscore::Create},
    {"StartScreenWindow", &GUI::TStartScreenWindow::Create},
    {"CreditWindow", &GUI::TCreditWindow::Create},
    {"PauseWindow", &GUI::TPauseWindow::Create},
    {"FadeInWindow", &GUI::TFadeInWindow::Create},
    {"GameEndWindow", &GUI::TGameEndWindow::Create},
}};

void RegisterGameWindowTypes(TWindowManager& manager) {
  for (const TGameWindowType& type : kGameWindowTypes) manager.AddWindowType(type.name, type.creator);
}

// The towers are dealt from std::rand(): the setting "randomseed" repeats a
// run's deals, and the seed is logged either way so that any run can be
// played again. A value that is not a plain number is refused.
void SeedTheDeals(const TAppPlatform& platform) {
  auto seed = static_cast<unsigned>(std::time(nullptr));
  const TString setting = platform.GetSetting("randomseed");
  if (!setting.IsEmpty()) {
    const std::string_view text(setting.CStr(), static_cast<size_t>(setting.Length()));
    unsigned given = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), given);
    if (error == std::errc() && end == text.data() + text.size()) {
      seed = given;
    } else {
      LogPrintf("Ignoring randomseed \"%s\": not a number from 0 to %u", setting.CStr(), ~0u);
    }
  }
  LogPrintf("Random seed %u", seed);
  std::srand(seed);
}

// Application object, display, window kinds, the first screen, sound and
// cursor, in the order each needs the one before.
TGameApp& StartGame(TAppPlatform& platform, const TString& commandLine) {
  SeedTheDeals(platform);
  platform.SetWindowTitle("quorvane");
  TGameApp& app = TGameApp::Instance();
  app.Init(commandLine);
  platform.SetDisplay(kDisplayWidth, kDisplayHeight, app.GetFullScreenOption());
  TWindowManager& manager = *platform.GetWindowManager();
  manager.SetOption(false);
  RegisterGameWindowTypes(manager);
  manager.GetScript()->RunScript("scripts/mainloop.lua");
  app.SetSoundFactory(&GUI::TSoundFactory::Instance());
  app.LoadSoundOptions();
  platform.SetTextureFilter(kPointSampling);
  platform.SetCursor(TTexture::GetSimple("cursor/cursor?colorkeyed"), kCursorHotSpot, kCursorHotSpot);
  return app;
}

// Every event but quit is counted by the metrics first and then goes to the
// window manager. A close request lets go of the graphics and ends the game
// by way of quit, so the loop still sees everything that comes before it.
void RunMainLoop(TAppPlatform& platform, TGameApp& app, TWindowManager& manager) {
  TEvent event;
  for (;;) {
    platform.GetEvent(&event);
    if (event.type == kEventQuit) return;
    if (event.type == kEventFullScreen) app.SaveFullScreenOption();
    GUI::InterruptPlay(event, manager);
    if (event.type == kEventClose) {
      GUI::TGraphicRegistry::Instance().Clear();
      platform.GetMainWindow()->PostQuit();
    }
    app.GetMetrics()->Tick();
    manager.HandleEvent(event);
  }
}

// The dialogs go before the records they report to; the application object,
// the sound factory and the graphics registry outlive the platform, so the
// application object lets go of the sound factory here, while both are still
// whole, the factory stops its music and lets go of its sounds while the
// sound manager is there, and the registry lets go of its graphics, whose
// textures the display holds.
void ShutDownGame(TGameApp& app, TWindowManager& manager) {
  while (manager.GetTopModal() && manager.GetTopModal() != manager.GetRootWindow()) manager.PopModal();
  manager.DeletePending();
  app.Shutdown();
  app.SetSoundFactory(nullptr);
  GUI::TSoundFactory::Instance().ReleaseSounds();
  GUI::TGraphicRegistry::Instance().Clear();
}

}  // namespace

void GameMain(TAppPlatform* platform, const char* commandLine) {
  TString commandLineCopy = commandLine;
  TGameApp& app = StartGame(*platform, commandLineCopy);
  TWindowManager& manager = *platform->GetWindowManager();
  RunMainLoop(*platform, app, manager);
  ShutDownGame(app, manager);
}
