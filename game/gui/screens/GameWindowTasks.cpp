#include "game/gui/screens/GameWindowTasks.h"

#include "platform/TPlatform.h"
#include "platform/text/Log.h"
#include "windows/core/TWindow.h"
#include "windows/core/TWindowManager.h"
#include "windows/core/TWindowTask.h"
#include "windows/kinds/TModalWindow.h"

namespace GUI {

bool StartInTopDialog(std::unique_ptr<TWindowTask> task, uint32_t period) {
  TWindowManager* manager = PlatformWindowManager();
  TModalWindow* dialog = manager ? TModalWindow::Cast(manager->GetTopModal()) : nullptr;
  if (!dialog) {
    LogPrintf("A screen's update task has no dialog to run in");
    return false;
  }
  task->Start(period, true, true, false);
  dialog->AddTask(std::move(task));
  return true;
}

TWindow* FindInDialog(TWindow& window, const char* name) {
  TWindow* dialog = window.GetParent() ? window.GetParent() : &window;
  return dialog->FindChild(name);
}

void ShowChild(TWindow& window, const char* name, bool shown) {
  TWindow* child = window.FindChild(name);
  if (!child || child == &window) return;
  if (shown) {
    child->AddFlags(kWindowVisible);
  } else {
    child->ClearFlags(kWindowVisible);
  }
}

}  // namespace GUI
