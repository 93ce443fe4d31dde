#include "game/gui/screens/ScreenWindowParts.h"

#include "platform/text/Log.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TModalWindow.h"

namespace GUI {

namespace {

constexpr uint32_t kScreenUpdatePeriod = 10;

}  // namespace

bool StartInTopModal(std::unique_ptr<TWindowTask> task) {
  TWindowManager* manager = PlatformWindowManager();
  TModalWindow* dialog = manager ? TModalWindow::Cast(manager->GetTopModal()) : nullptr;
  if (!dialog) {
    LogPrintf("A screen's update task has no dialog to run in");
    return false;
  }
  task->Start(kScreenUpdatePeriod, true, true, false);
  dialog->AddTask(std::move(task));
  return true;
}

TWindow* FindInDialog(TWindow& window, const char* name) {
  TWindow* dialog = window.GetParent() ? window.GetParent() : &window;
  return dialog->FindChild(name);
}

}  // namespace GUI
