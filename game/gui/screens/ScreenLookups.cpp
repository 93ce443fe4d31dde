#include "game/gui/screens/ScreenLookups.h"

#include "platform/TPlatform.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TModalWindow.h"

namespace GUI {

TWindowManager* ScreenWindowManager() {
  TPlatform* platform = TPlatform::Instance();
  return platform ? platform->GetWindowManager() : nullptr;
}

TModalWindow* ScreenTopModal() {
  TWindowManager* manager = ScreenWindowManager();
  return manager ? TModalWindow::Cast(manager->GetTopModal()) : nullptr;
}

}  // namespace GUI
