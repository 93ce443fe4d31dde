#pragma once

#include "platform/time/TTaskList.h"
#include "windows/core/TWindow.h"

// A dialog window: a boundary of the window tree that the window manager
// stacks and draws as one layer, with a task list of its own that runs while
// it is the top layer, and the window inside it that last had the focus.
// It closes itself on a close message that bears its close name, turns
// Enter into a press of its default button, and tells the scripts when it
// is gone.
class TModalWindow : public TWindow {
 public:
  static TClassId ClassId();
  // The window as a modal window, or null.
  static TModalWindow* Cast(TWindow* window);

  TModalWindow();
  // Posts a kMessageModalClosed message with the close name (while a window
  // manager exists); the tasks go with the window.
  ~TModalWindow() override;

  bool IsKindOf(TClassId id) const override;
  // Takes every close message; the one that bears its own close name pops
  // the dialog when it is the top layer. Declines every other message.
  bool HandleMessage(TMessage& message) override;
  // Enter presses the default button; when there is none, or its command
  // leaves the dialog in place, a kMessageDefaultAction message goes out
  // from the focus window (else from the dialog). Other characters are
  // declined.
  bool OnChar(uint8_t character) override;
  // The focus passes on to the remembered focus child, when there is one.
  void OnFocus(TWindow* previous) override;

  // The list owns the task from now on.
  void AddTask(std::unique_ptr<TTask> task) { mTasks.Add(std::move(task)); }
  void RunTasks(TTaskPass pass) { mTasks.DoTasks(pass); }
  // Deletes every task (during a pass of the list: once the pass ends).
  void ClearTasks() { mTasks.Clear(); }

  // Not owned; the window manager clears it when that window goes.
  TWindow* GetFocusChild() const { return mFocusChild; }
  // Remembers the window; while the dialog itself has the focus, the focus
  // moves on to it.
  void SetFocusChild(TWindow* child);

  // The name of the messages that close this dialog and announce its end:
  // its serial number in lower-case hexadecimal, right-aligned in eight
  // characters.
  TString GetCloseMessageName() const;

 private:
  TTaskList mTasks;
  TWindow* mFocusChild = nullptr;
};
