#include "game/gui/screens/ScreenLookups.h"

#include "windows/core/TWindowManager.h"
#include "windows/kinds/TModalWindow.h"

namespace GUI {

TModalWindow* ScreenTopModal() {
  TWindowManager* manager = PlatformWindowManager();
  return manager ? TModalWindow::Cast(manager->GetTopModal()) : nullptr;
}

}  // namespace GUI
