#include "game/gui/main/GameMain.h"

#include <cstdlib>
#include <ctime>

#include "game/gui/main/TGameApp.h"
#include "app/TAppPlatform.h"
#include "system/window/Window.h"
#include "windows/core/TWindowManager.h"

namespace {

constexpr int32_t kDisplayWidth = 800;
constexpr int32_t kDisplayHeight = 600;

// Every event goes to the window manager. A close request ends the game by
// way of quit, so the loop still sees everything that comes before it.
void RunMainLoop(TAppPlatform& platform, TWindowManager& manager) {
  TEvent event;
  for (;;) {
    platform.GetEvent(&event);
    if (event.type == kEventQuit) return;
    if (event.type == kEventClose) platform.GetMainWindow()->PostQuit();
    manager.HandleEvent(event);
  }
}

}  // namespace

void GameMain(TAppPlatform* platform, const char* commandLine) {
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  platform->SetWindowTitle("quorvane");
  TGameApp& app = TGameApp::Instance();
  app.Init(commandLine);
  platform->SetDisplay(kDisplayWidth, kDisplayHeight, false);
  TWindowManager& manager = *platform->GetWindowManager();
  manager.SetOption(false);
  RunMainLoop(*platform, manager);
  app.Shutdown();
}
