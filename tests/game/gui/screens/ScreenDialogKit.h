#pragma once

#include <memory>

#include "platform/text/Log.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/SyntheticFont.h"
#include "tests/support/TempFolder.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TModalWindow.h"
#include "windows/kinds/TScreen.h"

// A dialog of 800 x 600 on top of the root screen, on a fake platform with
// the synthetic font, for the game's screen windows to be built in.
class ScreenDialogKit {
 public:
  ScreenDialogKit() {
    SetLogFolder(logs.Path().c_str());
    fonts.InstallOn(platform);
    platform.windowManager = &manager;
    manager.SetRootWindow(std::make_unique<TScreen>());
    auto owned = std::make_unique<TModalWindow>();
    dialog = owned.get();
    dialog->SetSize(800, 600);
    manager.PushModal(std::move(owned));
  }

  ~ScreenDialogKit() {
    if (manager.GetTopModal() == dialog) manager.PopModal();
    manager.DeletePending();
  }

  // Links the window under the parent (the dialog by default) with its
  // Init run, and hands it back.
  template <class Window>
  Window* Add(std::unique_ptr<Window> owned, const char* name, TWindow* parent = nullptr) {
    Window* window = owned.get();
    window->SetName(name);
    std::unique_ptr<TWindow> child = std::move(owned);
    (parent ? parent : dialog)->AddChild(child, true);
    return window;
  }

  TempFolder logs;
  SyntheticFonts fonts;
  FakePlatform platform;
  TWindowManager manager;
  TModalWindow* dialog = nullptr;
};
