#pragma once

#include "platform/time/TTaskList.h"
#include "windows/TWindow.h"

// A dialog window: a boundary of the window tree that the window manager
// stacks and draws as one layer, with a task list of its own that runs while
// it is the top layer, and the window inside it that last had the focus.
class TModalWindow : public TWindow {
 public:
  static TClassId ClassId();

  TModalWindow();

  bool IsKindOf(TClassId id) const override;

  // The list owns the task from now on.
  void AddTask(std::unique_ptr<TTask> task) { mTasks.Add(std::move(task)); }
  void RunTasks(TTaskPass pass) { mTasks.DoTasks(pass); }
  // Deletes every task (during a pass of the list: once the pass ends).
  void ClearTasks() { mTasks.Clear(); }

  // Not owned; the window manager clears it when that window goes.
  TWindow* GetFocusChild() const { return mFocusChild; }
  void SetFocusChild(TWindow* child) { mFocusChild = child; }

 private:
  TTaskList mTasks;
  TWindow* mFocusChild = nullptr;
};
