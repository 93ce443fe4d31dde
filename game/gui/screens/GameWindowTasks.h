#pragma once

#include <cstdint>
#include <memory>

class TWindow;
class TWindowTask;

namespace GUI {

// What the game's window types share: each runs an update task every 10 ms
// from the list of the dialog on top when it opens, so the task runs only
// while that dialog is on top, and each reaches the widgets of its dialog
// by name.

constexpr uint32_t kGameWindowUpdatePeriod = 10;

// Starts the task (every period ms from now, repeating, without catching up
// on missed periods) and adds it to the top dialog's list; false, with the
// task dropped and a log line, when no dialog is on top.
bool StartInTopDialog(std::unique_ptr<TWindowTask> task, uint32_t period = kGameWindowUpdatePeriod);

// A window of that name anywhere in the window's dialog (its parent), or in
// the window itself when it has no parent.
TWindow* FindInDialog(TWindow& window, const char* name);

// Shows or hides the window's child (at any depth) of that name, when there
// is one.
void ShowChild(TWindow& window, const char* name, bool shown);

}  // namespace GUI
