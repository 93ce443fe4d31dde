#pragma once

#include <cstdint>
#include <memory>

#include "windows/core/TWindowTask.h"

class TWindow;

namespace GUI {

// What the windows between levels share: their update task runs every
// 10 ms from the task list of the dialog they open in, and the widgets they
// drive are their siblings in that dialog.

// Starts the task in the top modal window's list; false (logged) without one.
bool StartInTopModal(std::unique_ptr<TWindowTask> task);

// The window of that name in the window's dialog (its parent), or in the
// window itself without one.
TWindow* FindInDialog(TWindow& window, const char* name);

}  // namespace GUI
